#pragma once
// The community table (read only).
#include "views/direct/DirectTableDlg.h"

class CCommunityInfo : public CDirectTableDlg {
public:
    CCommunityInfo();

protected:
    std::vector<std::string> FormatRow(const DirectRow& row) const override;
};
