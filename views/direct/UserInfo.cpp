#include "views/direct/UserInfo.h"

#include "resources/templates/AgentTableViewsIds.h"

using namespace agent_table_ids;

namespace {
constexpr const char* kGroupNameOfUsm = "1.3.6.1.6.3.16.1.2.1.3.3.";  // vacmGroupName, security model 3
}

CUserInfo::CUserInfo()
    : CDirectTableDlg({IDD_USER, IDC_USER_LIST,
                       {" Security Name   ", " Group Name   ", " Authentication Protocol       ",
                        " Cript Protocol       "},
                       {"1.3.6.1.6.3.15.1.2.2.1.3", "1.3.6.1.6.3.15.1.2.2.1.5", "1.3.6.1.6.3.15.1.2.2.1.8"}}) {}

// The group comes from the user's own group entry, read by the user's name, so a user
// without one shows no group and does not shift the groups of the users after it.
std::vector<std::string> CUserInfo::FormatRow(const DirectRow& row) const {
    const std::string& name = row.values[0].text;
    const auto group = ReadScalarsSync(m_settings, {kGroupNameOfUsm + TextIndexSuffix(name)});
    return {name, group.empty() ? std::string() : group[0].text,
            row.values[1].text == "1.3.6.1.6.3.10.1.1.2" ? "MD5" : "Other",
            row.values[2].text == "1.3.6.1.6.3.10.1.2.2" ? "DES" : "Other"};
}
