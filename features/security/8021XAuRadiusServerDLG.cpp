#include "features/security/8021XAuRadiusServerDLG.h"

#include <cstdlib>
#include <memory>

#include "core/ModuleBase.h"
#include "core/ModuleStartupParams.h"
#include "core/SnmpRead.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/SecurityDialogsIds.h"

using namespace dot1x_radius_ids;

namespace {
struct ListColumn {
    const char* heading;
    int width;
};
const ListColumn kColumns[] = {{"Index", 50},   {"IP Address", 200}, {"Auth-Port", 90}, {"Acct-Port", 90},
                               {"Timeout", 70}, {"Retransmit", 100}, {"Key", 50}};

// A number input with its range and message, in the order of the checks.
struct NumberInput {
    ui::ControlId<CEdit> id;
    int C8021XAuRadiusServerDLG::*value;
    int max;
    int chars;
    const char* message;
};

int TimeoutMs() { return static_cast<int>(std::atol(ModuleStartupParams::TimeoutMs.c_str())); }

std::string Cell(int column, const std::string& instance) {
    return C8021XSettingLogic::kRadiusTable + std::to_string(column) + instance;
}

// One SET on a session made for it; true when the switch accepted it (error status 0).
bool SingleSet(const SnmpSetVar& var) {
    CCommonSNMP session;
    return SnmpSet(session, {var}, TimeoutMs()).Ok();
}

bool SetInteger(const std::string& oid, long long value) { return SingleSet(SnmpSetVar::Integer(oid, value)); }

// Sends the prepared request; true when it was answered with error status 0.
bool SendAccepted(CCommonSNMP& session) {
    CSnmp* raw = nullptr;
    if (session.Send(raw, TimeoutMs()) != 0 || raw == nullptr) return false;
    const std::unique_ptr<CSnmp> response(raw);
    int errorStatus = 0;
    int errorIndex = 0;
    response->getErrorStatus(errorStatus, errorIndex);
    return errorStatus == 0;
}
}  // namespace

BEGIN_MESSAGE_MAP(C8021XAuRadiusServerDLG, CFeatureDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_CLOSE, OnCloseButton)
    ON_MESSAGE(WM_8021X_READ_END, OnReadEnd)
END_MESSAGE_MAP()

C8021XAuRadiusServerDLG::C8021XAuRadiusServerDLG(CWnd* parent) : CFeatureDialog(IDD, {}, parent) {}

void C8021XAuRadiusServerDLG::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, IDC_AUTH_PORT, m_nAuthPort);
    DDX_Text(dx, IDC_ACCT_PORT, m_nAcctPort);
    DDX_Text(dx, IDC_RETRANSMIT, m_nRetransmit);
    DDX_Text(dx, IDC_KEY, m_strKey);
    DDX_Text(dx, IDC_CONFIRM_KEY, m_strConfirmKey);
    DDX_Text(dx, IDC_TIMEOUT, m_nTimeout);
}

BOOL C8021XAuRadiusServerDLG::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_address.SubclassDlgItem(IDC_ADDRESS, this);
    CComboBox& index = Item(IDC_INDEX);
    for (const char* i : {"1", "2", "3", "4", "5"}) index.AddString(i);
    ResetInputs();
    CListCtrl& list = Item(IDC_SERVER_LIST);
    int column = 0;
    for (const ListColumn& c : kColumns) list.InsertColumn(column++, c.heading, LVCFMT_CENTER, c.width);
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    Read();
    return TRUE;
}

BOOL C8021XAuRadiusServerDLG::PreTranslateMessage(MSG* msg) {
    // Enter and Esc neither press a button nor close the dialog.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return TRUE;
    return CFeatureDialog::PreTranslateMessage(msg);
}

void C8021XAuRadiusServerDLG::ResetInputs() {
    Item(IDC_INDEX).SetCurSel(0);
    m_address.SetWindowText("");
    m_nAuthPort = 1812;
    m_nAcctPort = 1813;
    m_nTimeout = 5;
    m_nRetransmit = 2;
    m_strKey.clear();
    m_strConfirmKey.clear();
    Item(IDC_AUTH_PORT).LimitText(5);
    Item(IDC_ACCT_PORT).LimitText(5);
    Item(IDC_TIMEOUT).LimitText(3);
    Item(IDC_RETRANSMIT).LimitText(3);
    Item(IDC_KEY).LimitText(32);
    Item(IDC_CONFIRM_KEY).LimitText(32);
    UpdateData(FALSE);
}

void C8021XAuRadiusServerDLG::EnableButtons(bool enable) {
    for (auto id : {IDC_APPLY, IDC_REFRESH, IDC_DELETE}) Item(id).EnableWindow(enable ? TRUE : FALSE);
}

void C8021XAuRadiusServerDLG::Read() {
    EnableButtons(false);
    if (m_logic.SetHwnd(GetSafeHwnd()) == 0) return;
    m_logic.ReadRadiusServers();
}

LRESULT C8021XAuRadiusServerDLG::OnReadEnd(WPARAM, LPARAM) {
    CListCtrl& list = Item(IDC_SERVER_LIST);
    list.DeleteAllItems();
    int row = 0;
    for (const X8021_AuRadiusServer_Statistics_info& s : m_logic.m_arrServers) {
        if (s.nRowStatus != 1) continue;
        list.InsertItem(row, std::to_string(s.nIndex));
        const std::string cells[] = {s.strAddress,
                                     std::to_string(s.nAuthPort),
                                     std::to_string(s.nAcctPort),
                                     std::to_string(s.nTimeout),
                                     std::to_string(s.nRetransmit),
                                     s.strKey};
        int column = 1;
        for (const std::string& cell : cells) list.SetItemText(row, column++, cell);
        ++row;
    }
    EnableButtons(true);
    return 0;
}

bool C8021XAuRadiusServerDLG::CheckInputs() {
    if (m_address.m_nValid != 1) {
        m_address.ShowError();
        return false;
    }
    const NumberInput numbers[] = {
        {IDC_AUTH_PORT, &C8021XAuRadiusServerDLG::m_nAuthPort, 65535, 5,
         "Please Confirm Authentication Port range from 1 to 65535."},
        {IDC_ACCT_PORT, &C8021XAuRadiusServerDLG::m_nAcctPort, 65535, 5,
         "Please Confirm Accounting Port range from 1 to 65535."},
        {IDC_TIMEOUT, &C8021XAuRadiusServerDLG::m_nTimeout, 255, 3,
         "Please Confirm Timeout value range from 1 to 255."},
        {IDC_RETRANSMIT, &C8021XAuRadiusServerDLG::m_nRetransmit, 255, 3,
         "Please Confirm Retransmit value from 1 to 255."},
    };
    for (const NumberInput& n : numbers) {
        const int value = this->*n.value;
        if (value >= 1 && value <= n.max) continue;
        AfxMessageBox(n.message);
        CEdit& edit = Item(n.id);
        edit.SetFocus();
        edit.SetSel(0, -1);
        return false;
    }
    if (m_strKey.empty() && m_strConfirmKey.empty()) {
        AfxMessageBox("Invalid Authentication RADIUS Server Key");
        return false;
    }
    if (m_strKey != m_strConfirmKey) {
        AfxMessageBox("Please Confirm Your Key!");
        return false;
    }
    return true;
}

void C8021XAuRadiusServerDLG::OnApply() {
    const std::string instance = "." + Item(IDC_INDEX).GetWindowText();
    if (!UpdateData(TRUE)) return;  // the exchange has shown its message
    if (!CheckInputs()) return;
    UpdateData(FALSE);
    Item(IDC_SERVER_LIST).DeleteAllItems();
    // A refused write stops here, silently: the next read shows what the switch holds.
    if (!WriteServer(instance)) return;
    ResetInputs();
    Read();
}

bool C8021XAuRadiusServerDLG::WriteServer(const std::string& instance) {
    const int index = std::atoi(instance.c_str() + 1);
    for (const X8021_AuRadiusServer_Statistics_info& s : m_logic.m_arrServers) {
        if (s.nIndex != index) continue;
        if (!SetInteger(Cell(10, instance), 6)) return false;
        break;
    }
    if (!SetInteger(Cell(10, instance), 5)) return false;
    {
        // The type alone, then the type and the address together: the request keeps its variables.
        CCommonSNMP session;
        if (!session.Open(SNMP_PDU_SET)) return false;
        m_address.AddTypeVarBind(session, Cell(2, instance));
        if (!SendAccepted(session)) return false;
        m_address.AddAddressVarBind(session, Cell(3, instance));
        if (!SendAccepted(session)) return false;
        session.Close();
    }
    return SetInteger(Cell(5, instance), m_nAuthPort) && SetInteger(Cell(6, instance), m_nAcctPort) &&
           SetInteger(Cell(7, instance), m_nTimeout) && SetInteger(Cell(8, instance), m_nRetransmit) &&
           SingleSet(SnmpSetVar::Octets(Cell(9, instance), m_strKey)) && SetInteger(Cell(10, instance), 1);
}

void C8021XAuRadiusServerDLG::OnDelete() {
    CListCtrl& list = Item(IDC_SERVER_LIST);
    const int row = list.GetSelectionMark();
    if (row < 0) {
        AfxMessageBox("Please Choose One To Delete Or Check If Have Any Data");
        return;
    }
    CModuleBase module;
    VARBIND_INFO v;
    v.oid = Cell(10, "." + list.GetItemText(row, 0));
    v.value = "6";
    v.type = SNMP_TYPE_INTEGER;
    v.length = 1;
    if (module.SetValues(&v, 1) == 0) return;
    ResetInputs();
    Read();
}

void C8021XAuRadiusServerDLG::OnRefresh() {
    ResetInputs();
    Read();
}

void C8021XAuRadiusServerDLG::OnCloseButton() { SendMessage(WM_CLOSE); }
