#pragma once
// The security-to-group table (read only).
#include "views/direct/DirectTableDlg.h"

class CGroupInfo : public CDirectTableDlg {
public:
    CGroupInfo();

protected:
    std::vector<std::string> FormatRow(const DirectRow& row) const override;
};
