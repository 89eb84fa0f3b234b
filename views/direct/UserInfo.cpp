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

// The groups are a second walk, never a request made while an answer is being handled: the
// library's callback thread serves every session, and a slow agent must not hold the others.
bool CUserInfo::OnTableRead(bool synchronous) {
    if (synchronous) {
        WalkV3({kGroupNameOfUsm}, [this](const DirectRow& row) {
            JoinGroup(row);
            return true;
        });
        return false;
    }
    m_session.setType(SNMP_PDU_GETNEXT);
    m_session.setCommunity(m_settings.readCommunity.c_str());
    m_session.clearVarBindList();
    m_session.addValue(kGroupNameOfUsm.c_str(), SNMP_TYPE_NULL, nullptr);
    return StartAsync(&CUserInfo::OnGroupRowV1, true, true);
}

int CUserInfo::OnGroupRowV1(CSnmp* response, int requestId, void* dialog, int status) {
    auto* self = static_cast<CUserInfo*>(dialog);
    const std::unique_ptr<CSnmp> owned(response);
    if (!self->TakeAnswer(requestId)) return 0;
    const auto row = status == EC_NO_ERROR && owned ? ReadDirectRow(*owned, {kGroupNameOfUsm}) : std::nullopt;
    if (!row) {
        self->EndWalk();
        return 0;
    }
    self->JoinGroup(*row);
    if (!self->StartAsync(&CUserInfo::OnGroupRowV1, true, true)) self->EndWalk();
    return 0;
}

void CUserInfo::JoinGroup(const DirectRow& groupRow) {
    std::size_t pos = 0;
    const std::string name = IndexText(groupRow.index, pos);
    for (int item = 0; item < m_list.GetItemCount(); ++item) {
        if (m_list.GetItemText(item, 0) == name) AddListRow(item, 1, groupRow.values[0].text);
    }
}
