#pragma once
// The user table with each user's group (read only).
#include "views/direct/DirectTableDlg.h"

class CUserInfo : public CDirectTableDlg {
public:
    CUserInfo();

protected:
    std::vector<std::string> FormatRow(const DirectRow& row) const override;
};
