#include "features/security/8021XPortSettings.h"

#include <cstdlib>
#include <string>

#include "core/DeviceProfile.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/SecurityDialogsIds.h"

using namespace dot1x_port_ids;

namespace {
// The six number inputs in the order of their checks, with their ranges and messages.
struct NumberInput {
    ui::ControlId<CEdit> id;
    int min;
    int max;
    const char* message;
    const char* initial;
    int chars;
};
const NumberInput kNumbers[] = {
    {IDC_QUIET_PERIOD, 0, 65535, "Invalid QuietPeriod", "60", 5},
    {IDC_SUPP_TIMEOUT, 1, 65535, "Invalid SuppTimeout", "30", 5},
    {IDC_SERVER_TIMEOUT, 1, 65535, "Invalid ServerTimeout", "30", 5},
    {IDC_REAUTH_PERIOD, 1, 65535, "Invalid ReAuthPeriod", "3600", 5},
    {IDC_TX_PERIOD, 1, 65535, "Invalid TxPeriod", "30", 5},
    {IDC_MAX_REQ, 1, 10, "\tInvalid MaxReq.", "2", 2},
};

struct ListColumn {
    const char* heading;
    int width;
};
const ListColumn kColumns[] = {
    {" Port", 50},          {" AdmDir ", 70},       {" Port Control", 140},  {" Tx Period", 110},
    {" Quiet Period", 110}, {" Supp Timeout", 110}, {" ServerTimeout", 110}, {" Max Req", 80},
    {"ReAuth Period", 110}, {" ReAuth", 70},        {" Capability", 120},
};

}  // namespace

BEGIN_MESSAGE_MAP(C8021XPortSettings, CFeatureDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_REFRESH, Refresh)
    ON_CBN_SELCHANGE(IDC_FROM_PORT, OnFromChange)
    ON_CBN_SELCHANGE(IDC_TO_PORT, OnToChange)
    ON_CBN_SELCHANGE(IDC_CAPABILITY, OnCapabilityChange)
    ON_MESSAGE(WM_8021X_READ_END, OnReadEnd)
END_MESSAGE_MAP()

C8021XPortSettings::C8021XPortSettings(CWnd* parent) : CFeatureDialog(IDD, {}, parent) {}

void C8021XPortSettings::CloseSessions() { m_logic.Close(); }

BOOL C8021XPortSettings::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_marks.assign(static_cast<size_t>(std::max(g_nDevicePortNum, 0)), 0);
    m_ports.Attach(this, IDC_FROM_PORT, IDC_TO_PORT, "\"to port\" can not be smaller than \"from port\"");
    EnableButtons(false);
    ResetInputs();
    CListCtrl& list = Item(IDC_PORT_LIST);
    int column = 0;
    for (const ListColumn& c : kColumns) list.InsertColumn(column++, c.heading, LVCFMT_CENTER, c.width);
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    Read();
    m_module.ReadTrunkPorts();
    return TRUE;
}

void C8021XPortSettings::ResetInputs() {
    m_ports.Fill(g_nDevicePortNum, CPortRangeCombos::ToOnLast);
    for (const NumberInput& n : kNumbers) {
        Item(n.id).LimitText(n.chars);
        Item(n.id).SetWindowText(n.initial);
    }
    auto fill = [this](ui::ControlId<CComboBox> id, std::initializer_list<const char*> items, const char* chosen) {
        CComboBox& combo = Item(id);
        combo.ResetContent();
        for (const char* item : items) combo.AddString(item);
        combo.SetCurSel(combo.FindStringExact(-1, chosen));
    };
    fill(IDC_REAUTHENTICATION, {"Disabled", "Enabled"}, "Disabled");
    fill(IDC_PORT_CONTROL, {"AUTO", "Force Authorized", "Force UnAuthorized"}, "Force Authorized");
    fill(IDC_CAPABILITY, {"Authenticator", "None"}, "None");
    fill(IDC_DIRECTION, {"Both", "In"}, "Both");
    Item(IDC_PORT_CONTROL).EnableWindow(FALSE);
}

void C8021XPortSettings::Read() {
    if (m_logic.SetHwnd(GetSafeHwnd()) == 0) return;
    m_logic.GetAuthState();
    m_logic.ReadPortSettings();
}

void C8021XPortSettings::Refresh() {
    EnableButtons(false);
    std::fill(m_marks.begin(), m_marks.end(), 0);
    ResetInputs();
    m_module.ReadTrunkPorts();
    Read();
}

void C8021XPortSettings::EnableButtons(bool enable) {
    Item(IDC_APPLY).EnableWindow(enable ? TRUE : FALSE);
    Item(IDC_REFRESH).EnableWindow(enable ? TRUE : FALSE);
}

LRESULT C8021XPortSettings::OnReadEnd(WPARAM, LPARAM) {
    CListCtrl& list = Item(IDC_PORT_LIST);
    list.DeleteAllItems();
    int row = 0;
    for (const X8021_statistics_info& p : m_logic.m_arrPorts) {
        list.InsertItem(row, std::to_string(p.nPort));
        const std::string cells[] = {p.strDirection,
                                     p.strPortControl,
                                     std::to_string(p.nTxPeriod),
                                     std::to_string(p.nQuietPeriod),
                                     std::to_string(p.nSuppTimeout),
                                     std::to_string(p.nServerTimeout),
                                     std::to_string(p.nMaxReq),
                                     std::to_string(p.nReAuthPeriod),
                                     p.strReAuthentication,
                                     p.strCapability};
        int column = 1;
        for (const std::string& cell : cells) list.SetItemText(row, column++, cell);
        ++row;
    }
    EnableButtons(m_logic.m_nGlobalState[0] == 1);
    return 0;
}

void C8021XPortSettings::OnCapabilityChange() {
    CComboBox& capability = Item(IDC_CAPABILITY);
    const int selection = capability.GetCurSel();
    const bool none = selection >= 0 && capability.GetLBText(selection) == "None";
    Item(IDC_PORT_CONTROL).EnableWindow(none ? FALSE : TRUE);
}

bool C8021XPortSettings::CheckRanges() {
    for (const NumberInput& n : kNumbers) {
        CEdit& edit = Item(n.id);
        const int value = std::atoi(edit.GetWindowText().c_str());
        if (value >= n.min && value <= n.max) continue;
        AfxMessageBox(n.message);
        edit.SetFocus();
        edit.SetSel(0, -1);
        return false;
    }
    return true;
}

void C8021XPortSettings::OnApply() {
    if (!CheckRanges()) return;
    const int from = m_ports.FromPort();
    const int to = m_ports.ToPort();
    const int ports = static_cast<int>(m_marks.size());
    if (from < 1 || to < from || to > ports) return;

    // The trunk rule judges the whole trunk table, so a walk still running is waited for.
    m_module.WaitTrunkPorts();
    for (int p = 1; p <= ports; ++p) m_marks[static_cast<size_t>(p - 1)] = p >= from && p <= to ? 1 : 0;
    if (m_module.CheckTrunkMembers(m_marks.data()) == 0) {
        AfxMessageBox("Cannot add the 802.1X-enabled port to an aggregated link.");
        return;
    }
    const std::string control = Item(IDC_PORT_CONTROL).GetWindowText();
    if (to - from == ports - 1 && (control == "AUTO" || control == "Force UnAuthorized")) {
        AfxMessageBox("Could not set all port AUTO or Force Unauthorized to the port access control");
        return;
    }
    EnableButtons(false);
    if (WritePorts(from, to)) EnableButtons(true);
    Refresh();
}

bool C8021XPortSettings::WritePorts(int from, int to) {
    const bool authenticator = Item(IDC_CAPABILITY).GetWindowText() == "Authenticator";
    const std::string control = Item(IDC_PORT_CONTROL).GetWindowText();
    const char* capabilityValue = authenticator ? "1" : "2";
    const char* controlValue = "3";
    if (authenticator && control == "AUTO") controlValue = "2";
    if (authenticator && control == "Force UnAuthorized") controlValue = "1";
    std::string numbers[6];
    const ui::ControlId<CEdit> numberIds[] = {IDC_QUIET_PERIOD, IDC_SUPP_TIMEOUT, IDC_SERVER_TIMEOUT,
                                              IDC_MAX_REQ,      IDC_TX_PERIOD,    IDC_REAUTH_PERIOD};
    for (int i = 0; i < 6; ++i) numbers[i] = Item(numberIds[i]).GetWindowText();
    const char* reauth = Item(IDC_REAUTHENTICATION).GetWindowText() == "Disabled" ? "2" : "1";
    const char* direction = Item(IDC_DIRECTION).GetWindowText() == "Both" ? "0" : "1";

    auto integer = [](const std::string& oid, const char* value) {
        VARBIND_INFO v;
        v.oid = oid;
        v.value = value;
        v.type = 1;
        v.length = 1;  // an INTEGER travels as its whole decimal text
        return v;
    };
    for (int p = from; p <= to; ++p) {
        // Members of aggregated links in an admitted range are left as they are.
        if (m_module.m_TrunkPorts[static_cast<size_t>(p - 1)] != 0) continue;
        const std::string port = "." + std::to_string(p);
        auto column = [&](int c) { return C8021XSettingLogic::kPortTable + std::to_string(c) + port; };
        const VARBIND_INFO capability[] = {integer(column(10), capabilityValue)};
        if (m_module.SetValues(capability, 1) == 0) return false;
        const VARBIND_INFO portControl[] = {integer(column(9), controlValue)};
        if (m_module.SetValues(portControl, 1) == 0) return false;
        const VARBIND_INFO settings[] = {
            integer(column(2), numbers[0].c_str()),
            integer(column(3), numbers[1].c_str()),
            integer(column(4), numbers[2].c_str()),
            integer(column(5), numbers[3].c_str()),
            integer(column(6), numbers[4].c_str()),
            integer(column(7), numbers[5].c_str()),
            integer(column(8), reauth),
            integer(column(11), direction),
        };
        if (m_module.SetValues(settings, 8) == 0) return false;
    }
    return true;
}
