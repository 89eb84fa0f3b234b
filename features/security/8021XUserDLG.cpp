#include "features/security/8021XUserDLG.h"

#include "core/ModuleBase.h"
#include "core/SnmpRead.h"
#include "core/TextIndex.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/SecurityDialogsIds.h"

using namespace dot1x_user_ids;

namespace {
constexpr int kMaxChars = 15;
constexpr size_t kMinChars = 4;
const char* const kWriteFailed = "please check what you put";

std::string StatusCell(const std::string& index) { return C8021XSettingLogic::kUserTable + "3" + index; }

// One row-status SET on a module made for it; true when accepted.
bool SetRowStatusValue(const std::string& oid, const char* value) {
    CModuleBase module;
    VARBIND_INFO v;
    v.oid = oid;
    v.value = value;
    v.type = SNMP_TYPE_INTEGER;
    v.length = 1;
    return module.SetValues(&v, 1) == 1;
}
}  // namespace

BEGIN_MESSAGE_MAP(C8021XUserDLG, CFeatureDialog)
    ON_BN_CLICKED(IDC_ADD, OnAdd)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_CLOSE, OnCloseButton)
    ON_MESSAGE(WM_8021X_READ_END, OnReadEnd)
END_MESSAGE_MAP()

C8021XUserDLG::C8021XUserDLG(CWnd* parent) : CFeatureDialog(IDD, {}, parent) {}

std::string C8021XUserDLG::UserIndex(const std::string& name) { return "." + TextIndexSuffix(name); }

void C8021XUserDLG::CloseSessions() {
    m_passwordSession.Close();
    m_logic.Close();
}

BOOL C8021XUserDLG::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    for (auto id : {IDC_USER_NAME, IDC_PASSWORD, IDC_CONFIRM}) Item(id).LimitText(kMaxChars);
    Item(IDC_TOTAL).EnableWindow(FALSE);
    CListCtrl& list = Item(IDC_USER_LIST);
    list.InsertColumn(0, "Id", LVCFMT_CENTER, 50);
    list.InsertColumn(1, " User Name", LVCFMT_CENTER, 150);
    list.InsertColumn(2, " Password ", LVCFMT_CENTER, 150);
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    Read();
    return TRUE;
}

BOOL C8021XUserDLG::PreTranslateMessage(MSG* msg) {
    // Enter and Esc neither press a button nor close the dialog.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return TRUE;
    return CFeatureDialog::PreTranslateMessage(msg);
}

void C8021XUserDLG::EnableControls(bool enable) {
    const BOOL on = enable ? TRUE : FALSE;
    for (auto id : {IDC_USER_NAME, IDC_PASSWORD, IDC_CONFIRM}) Item(id).EnableWindow(on);
    Item(IDC_USER_LIST).EnableWindow(on);
    for (auto id : {IDC_ADD, IDC_DELETE, IDC_REFRESH, IDC_CLOSE}) Item(id).EnableWindow(on);
}

void C8021XUserDLG::EmptyInputs() {
    for (auto id : {IDC_USER_NAME, IDC_PASSWORD, IDC_CONFIRM}) Item(id).SetWindowText("");
}

void C8021XUserDLG::Read() {
    EnableControls(false);
    if (m_logic.SetHwnd(GetSafeHwnd()) == 0) return;
    m_logic.ReadUsers();
}

LRESULT C8021XUserDLG::OnReadEnd(WPARAM, LPARAM) {
    CListCtrl& list = Item(IDC_USER_LIST);
    list.DeleteAllItems();
    Item(IDC_TOTAL).SetWindowText(std::to_string(m_logic.m_arrUsers.size()));
    int row = 0;
    for (const X8021_User_Statistics_Info& user : m_logic.m_arrUsers) {
        if (user.nRowStatus != 1) continue;
        list.InsertItem(row, std::to_string(row + 1));
        list.SetItemText(row, 1, user.strUserName);
        list.SetItemText(row, 2, user.strPassword);
        ++row;
    }
    EnableControls(true);
    return 0;
}

void C8021XUserDLG::OnAdd() {
    CEdit& nameEdit = Item(IDC_USER_NAME);
    const std::string name = nameEdit.GetWindowText();
    const std::string password = Item(IDC_PASSWORD).GetWindowText();
    if (name.size() < kMinChars) {
        AfxMessageBox("Please Confirm user name length must large than 4 characters.");
        nameEdit.SetFocus();
        nameEdit.SetSel(0, -1);
        return;
    }
    if (password.size() < kMinChars) {
        AfxMessageBox("Please Confirm password length must large than 4 characters.");
        return;
    }
    if (password != Item(IDC_CONFIRM).GetWindowText()) {
        AfxMessageBox("Please Confirm User Password!");
        return;
    }
    for (const X8021_User_Statistics_Info& user : m_logic.m_arrUsers) {
        if (user.strUserName == name) {
            AfxMessageBox("Duplicate 802.1X User Name");
            return;
        }
    }
    if (!WriteUser(UserIndex(name), password)) {
        AfxMessageBox(kWriteFailed);
        return;
    }
    EmptyInputs();
    Read();
}

bool C8021XUserDLG::WriteUser(const std::string& index, const std::string& password) {
    if (!SetRowStatusValue(StatusCell(index), "4")) return false;
    const bool passwordSet =
        SnmpSet(m_passwordSession, {SnmpSetVar::Octets(C8021XSettingLogic::kUserTable + "2" + index, password)}).Ok();
    if (passwordSet && SetRowStatusValue(StatusCell(index), "1")) return true;
    // The row exists but is not whole: it goes, so no user without its password stays.
    SetRowStatusValue(StatusCell(index), "6");
    return false;
}

void C8021XUserDLG::OnDelete() {
    CListCtrl& list = Item(IDC_USER_LIST);
    const int row = list.GetSelectionMark();
    if (row < 0) {
        AfxMessageBox("Please Choose One To Delete Or Check If Have Any Data");
        return;
    }
    SetRowStatusValue(StatusCell(UserIndex(list.GetItemText(row, 1))), "6");
    EmptyInputs();
    Read();
}

void C8021XUserDLG::OnRefresh() {
    EmptyInputs();
    Read();
}

void C8021XUserDLG::OnCloseButton() { SendMessage(WM_CLOSE); }
