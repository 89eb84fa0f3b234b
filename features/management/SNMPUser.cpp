#include "features/management/SNMPUser.h"

#include "resources/templates/ManagementDialogsIds.h"

using namespace snmp_user_ids;

namespace {
constexpr int kMaxUsers = 50;
constexpr int kMaxName = 32;
constexpr size_t kMaxMd5 = 32;
constexpr size_t kMaxSha = 40;
constexpr size_t kMaxDes = 32;
}  // namespace

BEGIN_MESSAGE_MAP(CSNMPUser, CSNMPTableDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_CLOSE, OnCloseButton)
    ON_BN_CLICKED(IDC_ENCRYPTED, OnEncryptedClicked)
    ON_CBN_SELCHANGE(IDC_VERSION, OnVersionChanged)
    ON_CBN_SELCHANGE(IDC_PRIV_PROTOCOL, OnPrivProtocolChanged)
END_MESSAGE_MAP()

CSNMPUser::CSNMPUser(CWnd* parent) : CSNMPTableDialog(IDD, {IDC_LIST, {IDC_APPLY, IDC_DELETE, IDC_REFRESH}}, parent) {}

BOOL CSNMPUser::OnInitDialog() {
    CSNMPTableDialog::OnInitDialog();
    InitList({{"User Name", 100},
              {"Group Name", 100},
              {"SNMP Version", 100},
              {"Auth Protocol", 105},
              {"Priv-Protocol", 105}});
    for (const char* v : {"V1", "V2c", "V3"}) Item(IDC_VERSION).AddString(v);
    for (const char* p : {"MD5", "SHA"}) Item(IDC_AUTH_PROTOCOL).AddString(p);
    for (const char* p : {"DES", "None"}) Item(IDC_PRIV_PROTOCOL).AddString(p);
    Item(IDC_USER_NAME).LimitText(kMaxName);
    Item(IDC_GROUP_NAME).LimitText(kMaxName);
    ResetInputs();
    Refresh();
    return TRUE;
}

void CSNMPUser::ResetInputs() {
    for (auto id : {IDC_USER_NAME, IDC_GROUP_NAME, IDC_AUTH_PASSWORD, IDC_PRIV_PASSWORD}) Item(id).SetWindowText("");
    for (auto id : {IDC_VERSION, IDC_AUTH_PROTOCOL, IDC_PRIV_PROTOCOL}) Item(id).SetCurSel(0);
    Item(IDC_ENCRYPTED).SetCheck(BST_UNCHECKED);
    Item(IDC_ENCRYPTED).EnableWindow(FALSE);
    for (auto id : {IDC_AUTH_PROTOCOL, IDC_PRIV_PROTOCOL}) Item(id).EnableWindow(FALSE);
    for (auto id : {IDC_AUTH_PASSWORD, IDC_PRIV_PASSWORD}) Item(id).EnableWindow(FALSE);
}

void CSNMPUser::OnRow(WPARAM code, LPARAM record) {
    if (code != kSnmpUserRow) return;
    const auto& e = *reinterpret_cast<const SnmpUserEntry*>(record);
    if (e.rowStatus == "1") AppendRow({e.userName, e.groupName, e.version, e.authProtocol, e.privProtocol});
}

void CSNMPUser::OnVersionChanged() {
    if (ComboText(IDC_VERSION) == "V3") {
        Item(IDC_ENCRYPTED).EnableWindow(TRUE);
        return;
    }
    // The selections, the check state and the password fields stay as they are.
    Item(IDC_ENCRYPTED).EnableWindow(FALSE);
    Item(IDC_AUTH_PROTOCOL).EnableWindow(FALSE);
    Item(IDC_PRIV_PROTOCOL).EnableWindow(FALSE);
}

void CSNMPUser::OnEncryptedClicked() {
    const BOOL on = Item(IDC_ENCRYPTED).GetCheck() == BST_CHECKED ? TRUE : FALSE;
    Item(IDC_AUTH_PROTOCOL).EnableWindow(on);
    Item(IDC_PRIV_PROTOCOL).EnableWindow(on);
    Item(IDC_AUTH_PASSWORD).EnableWindow(on);
    Item(IDC_PRIV_PASSWORD).EnableWindow(on && ComboText(IDC_PRIV_PROTOCOL) == "DES" ? TRUE : FALSE);
}

void CSNMPUser::OnPrivProtocolChanged() {
    Item(IDC_PRIV_PASSWORD).EnableWindow(ComboText(IDC_PRIV_PROTOCOL) == "DES" ? TRUE : FALSE);
}

void CSNMPUser::OnApply() {
    CWaitCursor wait;
    const std::string user = TrimBlanks(Item(IDC_USER_NAME).GetWindowText());
    const std::string group = TrimBlanks(Item(IDC_GROUP_NAME).GetWindowText());
    const std::string version = ComboText(IDC_VERSION);
    // The check box counts whether or not it is enabled.
    const bool encrypted = Item(IDC_ENCRYPTED).GetCheck() == BST_CHECKED;
    const std::string authProtocol = encrypted ? ComboText(IDC_AUTH_PROTOCOL) : "None";
    const std::string privProtocol = encrypted ? ComboText(IDC_PRIV_PROTOCOL) : "None";
    const std::string authPassword = encrypted ? TrimBlanks(Item(IDC_AUTH_PASSWORD).GetWindowText()) : "";
    const std::string privPassword =
        encrypted && privProtocol == "DES" ? TrimBlanks(Item(IDC_PRIV_PASSWORD).GetWindowText()) : "";
    auto selectAll = [this](ui::ControlId<CEdit> id) {
        return [this, id] {
            Item(id).SetFocus();
            Item(id).SetSel(0, -1);
        };
    };
    const size_t authLimit = authProtocol == "SHA" ? kMaxSha : kMaxMd5;
    const InputCheck checks[] = {
        {[&] { return user.empty(); }, "Please enter valid User Name "},
        {[&] { return !CSNMPConfig::IsValidName(user); }, "Invalid User Name ."},
        {[&] { return group.empty(); }, "Please enter valid Group Name "},
        {[&] { return !CSNMPConfig::IsValidName(group); }, "Invalid Group Name."},
        {[&] {
             return Listed({{0, user}, {2, version}});
         },
         "This User Entry already exists."},
        {[&] { return RowCount() >= kMaxUsers; }, "Maximum number of User Entry is 50."},
        {[&] { return encrypted && authPassword.empty(); }, "Auth-Protocol Password can't be empty."},
        {[&] { return encrypted && authPassword.size() > authLimit; },
         authProtocol == "SHA" ? " SHA Max. Password length is 40." : " MD5 Max. Password length is 32.",
         selectAll(IDC_AUTH_PASSWORD)},
        {[&] { return privProtocol == "DES" && privPassword.empty(); }, "Priv-Protocol Password can't be empty."},
        {[&] { return privProtocol == "DES" && privPassword.size() > kMaxDes; }, " DES Max. Password length is 32.",
         selectAll(IDC_PRIV_PASSWORD)},
    };
    if (!PassChecks(checks)) return;
    CreateRow(kUserStatus + CSNMPConfig::MakeModelIndex(user, version),
              [&] { m_config.SetUser(user, version, group, authProtocol, authPassword, privProtocol, privPassword); });
    ResetInputs();
    Refresh();
}

void CSNMPUser::OnDelete() {
    DeleteSelected("Please select the item would be delete!\n",
                   [this](int row) { return kUserStatus + CSNMPConfig::MakeModelIndex(Cell(row, 0), Cell(row, 2)); });
}
