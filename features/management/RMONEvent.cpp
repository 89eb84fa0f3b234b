#include "features/management/RMONEvent.h"

#include <algorithm>

#include "core/controls/InputCheck.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/ManagementDialogsIds.h"

using namespace rmon_event_ids;

namespace {
constexpr int kMaxIndex = 65535;
constexpr int kMaxDescription = 128;
constexpr int kMaxCommunityEdit = 32;
constexpr size_t kMaxCommunity = 127;
const char* const kTypes[] = {"None", "Log", "SNMP Trap", "Log and Trap"};
}  // namespace

BEGIN_MESSAGE_MAP(CRMONEvent, CRmonTableDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CRMONEvent::CRMONEvent(CWnd* parent)
    : CRmonTableDialog(
          IDD,
          {"RMON Event Configuration",
           IDC_LIST,
           IDC_OWNER,
           {{"Index"},
            {"Description", "Description ", 10},
            {"Type"},
            {"Community", "Community ", 10},
            {"Owner"},
            {" Last Time Sent", "Last Time Sent ", 10, 100},
            {""}},
           {IDC_INDEX, IDC_DESCRIPTION, IDC_TYPE, IDC_COMMUNITY, IDC_OWNER, IDC_APPLY, IDC_REFRESH, IDC_CLOSE}},
          parent) {}

BOOL CRMONEvent::OnInitDialog() {
    CRmonTableDialog::OnInitDialog();
    // The communities are read once, beside the first read.
    m_rmon.ReadCommunityNames();
    return TRUE;
}

void CRMONEvent::ResetInputs() {
    CComboBox& type = Item(IDC_TYPE);
    if (type.GetCount() == 0) {
        for (const char* t : kTypes) type.AddString(t);
        Item(IDC_DESCRIPTION).LimitText(kMaxDescription);
        Item(IDC_COMMUNITY).LimitText(kMaxCommunityEdit);
    }
    for (auto id : {IDC_INDEX, IDC_DESCRIPTION, IDC_COMMUNITY, IDC_OWNER}) Item(id).SetWindowText("");
    type.SetCurSel(0);
}

void CRMONEvent::OnEventIndexesRead() {
    // The inputs stay disabled through the event read: only FillList gives them back.
    EnableInputs(false);
    m_rmon.ReadEventTable();
}

void CRMONEvent::ListRows() {
    m_eventIndexes.clear();
    for (const RMON_event_configuration& e : m_rmon.m_listEvent) {
        if (e.status != 1) continue;
        const char* type = e.eventType >= 1 && e.eventType <= 4 ? kTypes[e.eventType - 1] : "";
        AddListedRow({std::to_string(e.index), e.description, type, e.community, e.owner, e.lastTimeSent});
        m_eventIndexes.push_back(e.index);
    }
}

bool CRMONEvent::MayDelete(const std::string& indexText) {
    if (!m_rmon.IsEventUsedByAlarm(indexText)) return true;
    AfxMessageBox("This event cannot be deleted since dependent alarm entry exists !");
    return false;
}

void CRMONEvent::DeleteEntry(int index) {
    if (m_rmon.DeleteEventEntry(index)) std::erase(m_eventIndexes, index);
}

bool CRMONEvent::IsCommunityKnown(const std::string& community) const {
    const auto& names = m_rmon.m_arrCommunityName;
    return std::find(names.begin(), names.end(), community) != names.end();
}

void CRMONEvent::OnApply() {
    EnableInputs(false);
    CheckEventInput();
    ResetInputs();
    EnableInputs(true);
    RefreshTable();
}

int CRMONEvent::CheckEventInput() {
    RMON_event_configuration entry;
    entry.index = Number(IDC_INDEX);
    entry.description = Item(IDC_DESCRIPTION).GetWindowText();
    const int type = Item(IDC_TYPE).GetCurSel();
    const std::string community = Item(IDC_COMMUNITY).GetWindowText();
    const InputCheck checks[] = {
        {[&] { return entry.index < 1 || entry.index > kMaxIndex; }, "Index number must be between 1 and 65535!"},
        {[&] { return std::find(m_eventIndexes.begin(), m_eventIndexes.end(), entry.index) != m_eventIndexes.end(); },
         "Setting error. Index number had already exits!"},
        {[&] { return entry.description.empty(); }, "Fill inputs which are marked '*'!"},
        {[&] { return entry.description.size() > static_cast<size_t>(kMaxDescription); },
         "The length of description can't be more than 128!"},
        {[&] { return type < 0; }, ""},
        {[&] { return community.size() > kMaxCommunity; }, "The length of community can't be more than 127!"},
        {[&] { return (type == 2 || type == 3) && !IsCommunityKnown(community); },
         "Community Name doesn't exist on SNMP host table.\n Please create SNMP host table first."},
    };
    if (!PassChecks(checks)) return 0;
    entry.eventType = type + 1;
    entry.community = community;
    entry.owner = Item(IDC_OWNER).GetWindowText();
    return m_rmon.SetEventEntry(&entry);
}
