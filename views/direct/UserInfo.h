#pragma once
// The user table with each user's group (read only).
#include "views/direct/DirectTableDlg.h"

class CUserInfo : public CDirectTableDlg {
public:
    CUserInfo();

protected:
    std::vector<std::string> FormatRow(const DirectRow& row) const override;
    // After the users: the groups of security model 3, joined to the users by name.
    bool OnTableRead(bool synchronous) override;

private:
    // A row of the version-1 group walk that follows the user walk; false ends it.
    bool OnGroupRowV1(const SnmpRow& row);
    // Shows the group in the rows of the user the group row names.
    void JoinGroup(const DirectRow& groupRow);
};
