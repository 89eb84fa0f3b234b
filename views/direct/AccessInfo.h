#pragma once
// The view-based access table (read only).
#include "views/direct/DirectTableDlg.h"

class CAccessInfo : public CDirectTableDlg {
public:
    CAccessInfo();

protected:
    std::vector<std::string> FormatRow(const DirectRow& row) const override;
};
