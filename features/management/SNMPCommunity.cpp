#include "features/management/SNMPCommunity.h"

#include "resources/templates/ManagementDialogsIds.h"

using namespace snmp_community_ids;

namespace {
constexpr int kMaxCommunities = 10;
constexpr int kMaxName = 32;
}  // namespace

BEGIN_MESSAGE_MAP(CSNMPCommunity, CSNMPTableDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_CLOSE, OnCloseButton)
END_MESSAGE_MAP()

CSNMPCommunity::CSNMPCommunity(CWnd* parent)
    : CSNMPTableDialog(IDD, {IDC_LIST, {IDC_APPLY, IDC_DELETE, IDC_REFRESH}}, parent) {}

BOOL CSNMPCommunity::OnInitDialog() {
    CSNMPTableDialog::OnInitDialog();
    InitList({{"Community Name", 250}, {"User Name", 248}});
    Item(IDC_NAME).LimitText(kMaxName);
    Refresh();
    return TRUE;
}

void CSNMPCommunity::OnRow(WPARAM code, LPARAM record) {
    if (code == kSnmpCommunityRow) {
        const auto& e = *reinterpret_cast<const SnmpCommunityEntry*>(record);
        if (e.rowStatus == "1") AppendRow({e.communityName, e.userName});
        return;
    }
    if (code != kSnmpUserRow) return;
    // The users a community may take its views from: active V1 and V2c users, each once.
    const auto& user = *reinterpret_cast<const SnmpUserEntry*>(record);
    if (user.version == "V3" || user.version == "v3" || user.rowStatus != "1") return;
    CComboBox& users = Item(IDC_USER);
    if (users.FindStringExact(-1, user.userName) >= 0) return;
    users.AddString(user.userName);
    users.SetCurSel(0);
}

void CSNMPCommunity::OnApply() {
    CWaitCursor wait;
    const std::string name = TrimBlanks(Item(IDC_NAME).GetWindowText());
    CComboBox& users = Item(IDC_USER);
    const InputCheck checks[] = {
        {[&] { return name.empty(); }, "Please enter valid Community Name !"},
        {[&] { return !CSNMPConfig::IsValidName(name); }, "Invalid Community Name."},
        {[&] {
             return Listed({{0, name}});
         },
         "This Community Entry already exists."},
        {[&] { return RowCount() >= kMaxCommunities; }, "Maximum number of Community Entry is 10."},
        // A community takes its views from a V1 or V2c user: without one no row is made.
        {[&] { return users.GetCurSel() < 0; }, "Please create a V1 or V2c user in the SNMP User Table first."},
    };
    if (!PassChecks(checks)) return;
    const std::string user = users.GetLBText(users.GetCurSel());
    CreateRow(kCommunityStatus + CSNMPConfig::StringToOidIndex(name), [&] { m_config.SetCommunity(name, user); });
    users.SetCurSel(0);
    Item(IDC_NAME).SetWindowText("");
    Refresh();
}

void CSNMPCommunity::OnDelete() {
    DeleteSelected("Please select the item would be delete!\n",
                   [this](int row) { return kCommunityStatus + CSNMPConfig::StringToOidIndex(Cell(row, 0)); });
}
