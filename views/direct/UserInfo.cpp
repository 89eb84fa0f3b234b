#include "views/direct/UserInfo.h"

#include "resources/templates/AgentTableViewsIds.h"

using namespace agent_table_ids;

namespace {
// vacmGroupName of security model 3; its rows are indexed by the security name.
const std::string kGroupNameOfUsm = "1.3.6.1.6.3.16.1.2.1.3.3";
}  // namespace

CUserInfo::CUserInfo()
    : CDirectTableDlg(
          {IDD_USER,
           IDC_USER_LIST,
           {" Security Name   ", " Group Name   ", " Authentication Protocol       ", " Cript Protocol       "},
           {"1.3.6.1.6.3.15.1.2.2.1.3", "1.3.6.1.6.3.15.1.2.2.1.5", "1.3.6.1.6.3.15.1.2.2.1.8"}}) {}

// The group is filled in afterwards from the user's own group entry (OnTableRead), so a user
// without one shows no group and does not shift the groups of the users after it.
std::vector<std::string> CUserInfo::FormatRow(const DirectRow& row) const {
    return {row.values[0].text, std::string(), row.values[1].text == "1.3.6.1.6.3.10.1.1.2" ? "MD5" : "Other",
            row.values[2].text == "1.3.6.1.6.3.10.1.2.2" ? "DES" : "Other"};
}

// The groups are a second walk after the users.
bool CUserInfo::OnTableRead(bool synchronous) {
    if (synchronous) {
        WalkV3({kGroupNameOfUsm}, [this](const DirectRow& row) {
            JoinGroup(row);
            return true;
        });
        return false;
    }
    m_afterWalk.Start(
        SnmpReadSpec::Walk({kGroupNameOfUsm}, LibraryTimeoutMs()),
        [this](const SnmpRow& row) { return OnGroupRowV1(row); }, [this](const SnmpReadResult&) { EndTableRead(); });
    return true;
}

bool CUserInfo::OnGroupRowV1(const SnmpRow& row) {
    const auto group = DirectRowOf(row, 1);
    if (group) JoinGroup(*group);
    return group.has_value();
}
void CUserInfo::JoinGroup(const DirectRow& groupRow) {
    std::size_t pos = 0;
    const std::string name = IndexText(groupRow.index, pos);
    for (int item = 0; item < m_list.GetItemCount(); ++item) {
        if (m_list.GetItemText(item, 0) == name) AddListRow(item, 1, groupRow.values[0].text);
    }
}
