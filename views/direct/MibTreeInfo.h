#pragma once
// The view tree family table (read only).
#include "views/direct/DirectTableDlg.h"

class CMibTreeInfo : public CDirectTableDlg {
public:
    CMibTreeInfo();

protected:
    std::vector<std::string> FormatRow(const DirectRow& row) const override;
};
