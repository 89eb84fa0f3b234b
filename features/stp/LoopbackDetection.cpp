#include "features/stp/LoopbackDetection.h"

#include <cstdio>
#include <cstdlib>

#include "core/CommonSNMP.h"
#include "core/DeviceProfile.h"
#include "core/SnmpRead.h"
#include "features/stp/StpObjects.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/LoopbackDialogsIds.h"

using namespace loopback_ids;

namespace {
constexpr UINT_PTR IDT_LBD_REFRESH = 1;
constexpr UINT kPortBasedRefreshMs = 3000;
constexpr UINT kVlanBasedRefreshMs = 6000;
constexpr int kStpCheckTimeoutMs = 2000;

std::string WithPort(const char* format, int port) {
    char text[128];
    std::snprintf(text, sizeof text, format, port);
    return text;
}
}  // namespace

BEGIN_MESSAGE_MAP(CLoopbackDetection, CFeatureDialog)
    ON_WM_TIMER()
    ON_MESSAGE(WM_LBD_NOTIFY, OnLbdNotify)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_ENABLED, OnEnabledClicked)
    ON_BN_CLICKED(IDC_DISABLED, OnDisabledClicked)
    ON_CBN_SELCHANGE(IDC_MODE, OnModeChange)
    ON_CBN_SELCHANGE(IDC_FROM_PORT, OnFromPortChange)
    ON_CBN_SELCHANGE(IDC_TO_PORT, OnToPortChange)
    ON_BN_CLICKED(IDC_APPLY_GLOBAL, OnApplyGlobal)
    ON_BN_CLICKED(IDC_APPLY_PORTS, OnApplyPorts)
END_MESSAGE_MAP()

CLoopbackDetection::CLoopbackDetection(CWnd* parent) : CFeatureDialog(IDD, {}, parent) {}

BOOL CLoopbackDetection::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_PORT_LIST, this);
    m_list.InsertColumn(0, "Port", LVCFMT_LEFT, 100);
    m_list.InsertColumn(1, "Loopdetect Detection State", LVCFMT_LEFT, 190);
    m_list.InsertColumn(2, "Loop Status", LVCFMT_LEFT, 155);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    Item(IDC_MODE).AddString("Port_based");
    Item(IDC_MODE).AddString("VLAN_based");
    m_ports.Attach(this, IDC_FROM_PORT, IDC_TO_PORT, "'To Port' can not be smaller than 'From Port'");
    m_ports.Fill(g_nDevicePortNum, CPortRangeCombos::ToOnLast);
    Item(IDC_PORT_STATE).AddString("Disable");
    Item(IDC_PORT_STATE).AddString("Enable");
    Item(IDC_PORT_STATE).SetCurSel(0);
    OnRefresh();
    return TRUE;
}

// Three stages: the VLAN loop walk (the trunk walk beside it), then the global read and the
// port walk, whose joint end gives the window back.
void CLoopbackDetection::OnRefresh() {
    EnableWindow(FALSE);
    Item(IDC_REFRESH).EnableWindow(FALSE);
    m_list.DeleteAllItems();
    if (m_logic.SetHwnd(GetSafeHwnd())) {
        m_logic.ReadTrunkPorts();
        m_logic.GetVlanLoopStates();
    }
}

LRESULT CLoopbackDetection::OnLbdNotify(WPARAM code, LPARAM data) {
    switch (code) {
    case kLbdGlobalRead: OnGlobalRead(*reinterpret_cast<const LBDGlobalSettings*>(data)); break;
    case kLbdPortRow: {
        const auto& e = *reinterpret_cast<const LBDPortEntry*>(data);
        const int row = m_list.GetItemCount();
        m_list.InsertItem(row, e.port);
        m_list.SetItemText(row, 1, e.state);
        const std::string vlans = m_logic.LoopVlans(std::atoi(e.port.c_str()));
        m_list.SetItemText(row, 2,
                           vlans.empty() ? e.loopStatus : "Disabled VID = " + vlans.substr(0, vlans.size() - 1));
        break;
    }
    case kLbdReadEnd: {
        EnableWindow(TRUE);
        Item(IDC_APPLY_GLOBAL).EnableWindow(TRUE);
        const BOOL on = m_bLbdEnabled == 1 ? TRUE : FALSE;
        Item(IDC_REFRESH).EnableWindow(on);
        Item(IDC_APPLY_PORTS).EnableWindow(on);
        Item(IDC_PORT_LIST).EnableWindow(on);
        break;
    }
    case kLbdPortsWritten: OnRefresh(); break;
    case kLbdVlanLoopEnd:
        m_logic.GetGlobalSettings();
        m_logic.GetPortStates();
        break;
    default: break;
    }
    return 0;
}

void CLoopbackDetection::OnGlobalRead(const LBDGlobalSettings& s) {
    m_bLbdEnabled = s.enabled;
    SetDlgItemText(IDC_INTERVAL, s.interval);
    SetDlgItemText(IDC_RECOVER_TIME, s.recoverTime);
    Item(IDC_MODE).SetCurSel(std::atoi(s.mode.c_str()) - 1);
    SetDlgItemText(IDC_VLAN_LIST, s.vlanList);
    const bool portBased = Item(IDC_MODE).GetCurSel() == 0;
    const BOOL on = s.enabled == 1 ? TRUE : FALSE;
    Item(IDC_ENABLED).SetCheck(on ? BST_CHECKED : BST_UNCHECKED);
    Item(IDC_DISABLED).SetCheck(on ? BST_UNCHECKED : BST_CHECKED);
    Item(IDC_INTERVAL).EnableWindow(on);
    Item(IDC_RECOVER_TIME).EnableWindow(on);
    Item(IDC_FROM_PORT).EnableWindow(on);
    Item(IDC_TO_PORT).EnableWindow(on);
    Item(IDC_PORT_STATE).EnableWindow(on);
    Item(IDC_MODE).EnableWindow(on);
    Item(IDC_VLAN_LIST).EnableWindow(on && !portBased ? TRUE : FALSE);
    if (portBased) SetDlgItemText(IDC_VLAN_LIST, "");
    if (on) Item(IDC_APPLY_PORTS).EnableWindow(TRUE);
}

void CLoopbackDetection::OnEnabledClicked() {
    Item(IDC_INTERVAL).EnableWindow(TRUE);
    Item(IDC_RECOVER_TIME).EnableWindow(TRUE);
    Item(IDC_MODE).EnableWindow(TRUE);
    Item(IDC_VLAN_LIST).EnableWindow(Item(IDC_MODE).GetCurSel() == 1 ? TRUE : FALSE);
}

void CLoopbackDetection::OnDisabledClicked() {
    for (int id : {IDC_INTERVAL.id, IDC_RECOVER_TIME.id, IDC_MODE.id, IDC_VLAN_LIST.id})
        GetDlgItem(id)->EnableWindow(FALSE);
}

void CLoopbackDetection::OnModeChange() {
    const bool vlanBased = Item(IDC_MODE).GetCurSel() == 1;
    Item(IDC_VLAN_LIST).EnableWindow(vlanBased ? TRUE : FALSE);
    SetDlgItemText(IDC_VLAN_LIST, vlanBased ? m_logic.m_GlobalSettings.vlanList : "");
}

void CLoopbackDetection::OnFromPortChange() { m_ports.OnFromChange(); }
void CLoopbackDetection::OnToPortChange() { m_ports.OnToChange(); }

void CLoopbackDetection::EnableGlobalButtons(bool enable) {
    const BOOL on = enable ? TRUE : FALSE;
    Item(IDC_REFRESH).EnableWindow(on);
    Item(IDC_APPLY_PORTS).EnableWindow(on);
    Item(IDC_APPLY_GLOBAL).EnableWindow(on);
}

void CLoopbackDetection::OnApplyGlobal() {
    EnableGlobalButtons(false);
    const int modeItem = Item(IDC_MODE).GetCurSel();
    const std::string mode = std::to_string(modeItem + 1);
    const std::string vlanList = GetDlgItemText(IDC_VLAN_LIST);
    if (modeItem == 1 && vlanList.empty()) {
        AfxMessageBox("Invalid VLAN List");
        EnableGlobalButtons(true);
        return;
    }
    const std::string state = Item(IDC_ENABLED).GetCheck() == BST_CHECKED ? "1" : "2";
    if (!m_logic.SetGlobalSettings(state, mode, GetDlgItemText(IDC_INTERVAL), GetDlgItemText(IDC_RECOVER_TIME),
                                   vlanList)) {
        EnableGlobalButtons(true);
        return;
    }
    SetTimer(IDT_LBD_REFRESH, modeItem == 1 ? kVlanBasedRefreshMs : kPortBasedRefreshMs);
}

void CLoopbackDetection::OnTimer(UINT_PTR id) {
    if (id != IDT_LBD_REFRESH) return;
    OnRefresh();
    KillTimer(IDT_LBD_REFRESH);
}

int CLoopbackDetection::CheckStpConflict(int port) {
    CCommonSNMP session;
    const SnmpAnswer a =
        SnmpGet(session, {stp::Instance(stp::kPortTable + "4", port), stp::kState}, kStpCheckTimeoutMs);
    if (a.Ok() && a.Text(0) == "1" && a.Text(1) == "1") {
        AfxMessageBox(WithPort("LBD port %d can not both support Spanning Tree and LBD-enabled mode.", port));
        return 0;
    }
    return 1;
}

void CLoopbackDetection::OnApplyPorts() {
    Item(IDC_APPLY_PORTS).EnableWindow(FALSE);
    // Typed numbers: a range outside the device's ports sends nothing.
    const int first = std::atoi(GetDlgItemText(IDC_FROM_PORT).c_str());
    const int last = std::atoi(GetDlgItemText(IDC_TO_PORT).c_str());
    auto giveBack = [this] {
        Item(IDC_APPLY_PORTS).EnableWindow(TRUE);
        Item(IDC_REFRESH).EnableWindow(TRUE);
    };
    if (first < 1 || last > g_nDevicePortNum || first > last) {
        if (first >= 1 && last <= g_nDevicePortNum) AfxMessageBox("'To Port' can not be smaller than 'From Port'");
        giveBack();
        return;
    }
    const std::string state = Item(IDC_PORT_STATE).GetCurSel() == 1 ? "1" : "2";
    if (state == "1") {
        for (int p = first; p <= last; ++p) {
            if (!CheckStpConflict(p)) {
                giveBack();
                return;
            }
            if (p <= static_cast<int>(m_logic.m_TrunkPorts.size()) &&
                m_logic.m_TrunkPorts[static_cast<size_t>(p - 1)] != 0) {
                AfxMessageBox(WithPort("LA %d port can not support in LBD-enabled mode", p));
                giveBack();
                OnRefresh();
                return;
            }
        }
    }
    m_logic.SetPortStates(first, last, state);
}
