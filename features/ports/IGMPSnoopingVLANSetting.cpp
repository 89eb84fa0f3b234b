#include "features/ports/IGMPSnoopingVLANSetting.h"

#include <algorithm>

#include "core/Utils.h"
#include "features/ports/IGMPMulticastEntryTable.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/IGMPDialogsIds.h"
#include "core/DeviceProfile.h"

using namespace igmpids;

namespace {
constexpr int kLastBoxId = IDC_IGMP_ROUTER_BOX_BASE + 52;
constexpr int kSecondRowOffset = 40;

const LAYOUT_INFO kLayout[] = {
    {IDC_IGMP_VLAN_GROUP, 3, 100},
    {IDC_IGMP_VLAN_LIST, 3, 100},
    {IDC_IGMP_SETTINGS_GROUP, 3, 100},
    {IDC_IGMP_ROUTER_GROUP, 3, 100},
    {IDC_IGMP_VIEW_ENTRIES, 0, 100},
    {IDC_IGMP_VLAN_REFRESH, 0, 100},
    {IDCANCEL, 0, 100},
    {IDC_IGMP_VLAN_APPLY, 0, 100},
    {IDC_IGMP_ROUTER_APPLY, 0, 100},
};

const char* const kEnabledItems[] = {"Enabled", "Disabled"};
}  // namespace

BEGIN_MESSAGE_MAP(CIGMPSnoopingVLANSetting, ClxDialog)
    ON_BN_CLICKED(IDC_IGMP_VLAN_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_IGMP_VLAN_APPLY, OnApplyVlan)
    ON_BN_CLICKED(IDC_IGMP_ROUTER_APPLY, OnApplyRouterPorts)
    ON_BN_CLICKED(IDC_IGMP_VIEW_ENTRIES, OnViewEntries)
    ON_CBN_SELCHANGE(IDC_IGMP_VLAN_STATE, OnStateChange)
    ON_NOTIFY(NM_CLICK, IDC_IGMP_VLAN_LIST, OnListClick)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_IGMP_ROUTER_BOX_BASE + 1, kLastBoxId, OnPortBox)
    ON_MESSAGE(WM_IGMP_VLAN_ROW, OnVlanRow)
END_MESSAGE_MAP()

CIGMPSnoopingVLANSetting::CIGMPSnoopingVLANSetting(CWnd* parent) : ClxDialog(IDD_IGMP_VLAN_SETTING, parent) {}

int CIGMPSnoopingVLANSetting::CellWidth(int ports) {
    switch (ports) {
    case 8: return 20;
    case 10: return 19;
    default: return 21;  // 28 and 52 ports; the others fit as well
    }
}

std::vector<unsigned char> CIGMPSnoopingVLANSetting::RouterPortBytes(const std::vector<int>& ports) {
    std::string hex;
    CUtils::PortArrayToHexBitmap(ports.data(), hex);
    if (g_nDevicePortNum == 28) {
        hex += "000000000";
    } else if (g_nDevicePortNum == 52) {
        hex += "00000000000";
    } else {
        CUtils::PadPortBitmapHex(hex);
    }
    std::vector<unsigned char> bytes((hex.size() + 1) / 2);
    CUtils::HexStringToBytes(hex, bytes.data(), static_cast<int>(bytes.size()));
    return bytes;
}

CComboBox& CIGMPSnoopingVLANSetting::Combo(int id) { return *static_cast<CComboBox*>(GetDlgItem(id)); }

BOOL CIGMPSnoopingVLANSetting::OnInitDialog() {
    ClxDialog::OnInitDialog();
    m_logic.m_hOwner = GetSafeHwnd();
    m_list.SubclassDlgItem(IDC_IGMP_VLAN_LIST, this);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const std::pair<const char*, int> columns[] = {{"VLAN ID", 80},     {"VLAN Name", 80},
                                                   {"State ", 80},      {"Querier State", 120},
                                                   {"Fast Leave", 100}, {"Static Router Ports ", 160}};
    int column = 0;
    for (const auto& [heading, width] : columns) m_list.InsertColumn(column++, heading, LVCFMT_LEFT, width);
    SetDlgItemText(IDC_IGMP_VLAN_ID, "");
    for (int id : {IDC_IGMP_VLAN_STATE, IDC_IGMP_QUERIER_STATE, IDC_IGMP_FAST_LEAVE}) {
        for (const char* item : kEnabledItems) Combo(id).AddString(item);
        Combo(id).SetCurSel(0);
    }
    CreateRouterPortBoxes();
    OnRefresh();
    return TRUE;
}

BOOL CIGMPSnoopingVLANSetting::DestroyWindow() {
    m_logic.Close();
    return ClxDialog::DestroyWindow();
}

void CIGMPSnoopingVLANSetting::CreateRouterPortBoxes() {
    SetControlLayout(kLayout, static_cast<int>(std::size(kLayout)));
    m_nPortNum = std::clamp(g_nDevicePortNum, 0, kMaxDevicePorts);
    if (m_nPortNum == 0) return;
    m_portValue.assign(static_cast<size_t>(m_nPortNum), 0);
    const int perRow = m_nPortNum <= 28 ? m_nPortNum : m_nPortNum / 2;
    const int cell = CellWidth(m_nPortNum);

    CRect group;
    GetDlgItem(IDC_IGMP_ROUTER_GROUP)->GetWindowRect(group);
    ScreenToClient(group);
    const int gap = (group.Width() - perRow * cell) / perRow;
    const int left = group.left;
    const int bottom = group.bottom;
    m_routerPorts.Create(this, m_nPortNum, IDC_IGMP_ROUTER_BOX_BASE, IDC_IGMP_ROUTER_NUMBER_BASE, [&](int port) {
        const bool secondRow = (port - 1) / perRow == 1;
        const int offset = secondRow ? kSecondRowOffset : 0;
        // The second row starts again at the left.
        const int skipped = secondRow ? perRow : 0;
        const int x = left + (port - 1 - skipped) * (gap + 20) + 5;
        return CPortBoxes::Cell{CRect(x, bottom + offset + 6, x + 16, bottom + offset + 23),
                                CRect(x, bottom + offset + 24, x + 16, bottom + offset + 41)};
    });

    // The two group boxes close under the boxes, and the dialog under them.
    const int lastBottom = m_routerPorts.Bottom();
    for (int id : {IDC_IGMP_ROUTER_GROUP, IDC_IGMP_SETTINGS_GROUP}) {
        CWnd* box = GetDlgItem(id);
        CRect rect;
        box->GetWindowRect(rect);
        ScreenToClient(rect);
        box->MoveWindow(rect.left, rect.top, rect.Width(), lastBottom + 10 - rect.top);
    }
    CRect window;
    GetWindowRect(window);
    ScreenToClient(window);
    SetWindowPos(nullptr, 0, 0, window.Width(), lastBottom + 25 - window.top, SWP_NOMOVE | SWP_NOZORDER);
}

void CIGMPSnoopingVLANSetting::OnRefresh() {
    const BOOL writable = m_strGlobalState == "1" ? TRUE : FALSE;
    GetDlgItem(IDC_IGMP_VLAN_APPLY)->EnableWindow(writable);
    GetDlgItem(IDC_IGMP_ROUTER_APPLY)->EnableWindow(writable);
    GetDlgItem(IDC_IGMP_VLAN_REFRESH)->EnableWindow(FALSE);
    m_list.DeleteAllItems();
    m_logic.GetVlanSettings();
    m_logic.ReadTrunkPorts();
}

LRESULT CIGMPSnoopingVLANSetting::OnVlanRow(WPARAM wParam, LPARAM lParam) {
    if (wParam == kIgmpWalkEnd) {
        GetDlgItem(IDC_IGMP_VLAN_REFRESH)->EnableWindow(TRUE);
        return 0;
    }
    if (wParam != kIgmpRow || lParam == 0) return 0;
    const auto& entry = *reinterpret_cast<const IGMPVlanEntry*>(lParam);
    auto text = [](const std::string& value) { return value == "1" ? "Enabled" : "Disabled"; };
    const int row = m_list.InsertItem(m_list.GetItemCount(), entry.vlanId);
    m_list.SetItemText(row, 1, entry.vlanName);
    m_list.SetItemText(row, 2, text(entry.state));
    m_list.SetItemText(row, 3, text(entry.querierState));
    m_list.SetItemText(row, 4, text(entry.fastLeave));
    m_list.SetItemText(row, 5, entry.routerPorts);
    return 0;
}

void CIGMPSnoopingVLANSetting::EnableSettingsLists(bool enable) {
    GetDlgItem(IDC_IGMP_QUERIER_STATE)->EnableWindow(enable ? TRUE : FALSE);
    GetDlgItem(IDC_IGMP_FAST_LEAVE)->EnableWindow(enable ? TRUE : FALSE);
}

void CIGMPSnoopingVLANSetting::OnListClick(NMHDR*, LRESULT* result) {
    *result = 0;
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    if (pos == nullptr) return;
    const int row = m_list.GetNextSelectedItem(pos);
    const std::string vlanId = m_list.GetItemText(row, 0);
    SetDlgItemText(IDC_IGMP_VLAN_ID, vlanId);
    SetDlgItemText(IDC_IGMP_VLAN_NAME, m_list.GetItemText(row, 1));
    Combo(IDC_IGMP_VLAN_STATE).SelectString(-1, m_list.GetItemText(row, 2));
    Combo(IDC_IGMP_QUERIER_STATE).SelectString(-1, m_list.GetItemText(row, 3));
    Combo(IDC_IGMP_FAST_LEAVE).SelectString(-1, m_list.GetItemText(row, 4));
    EnableSettingsLists(m_list.GetItemText(row, 2) == "Enabled");
    EnableVlanPortBoxes(vlanId);
    // The boxes show exactly the row's router ports, and so does m_portValue.
    m_routerPorts.UncheckAll();
    std::fill(m_portValue.begin(), m_portValue.end(), 0);
    if (m_portValue.empty()) return;
    CUtils::PortListToArray(m_list.GetItemText(row, 5), m_portValue.data(), 1);
    for (int port = 1; port <= m_nPortNum; ++port) {
        if (m_portValue[static_cast<size_t>(port - 1)] == 1) m_routerPorts.SetCheck(port, 1);
    }
}

void CIGMPSnoopingVLANSetting::EnableVlanPortBoxes(const std::string& vlanId) {
    const std::string members = m_logic.GetVlanPorts(vlanId);
    if (members.empty() || m_nPortNum == 0) return;
    std::vector<int> member(static_cast<size_t>(m_nPortNum), 0);
    CUtils::PortListToArray(members, member.data(), 1);
    for (int port = 1; port <= m_nPortNum; ++port)
        m_routerPorts.Enable(port, member[static_cast<size_t>(port - 1)] == 1);
}

void CIGMPSnoopingVLANSetting::OnStateChange() { EnableSettingsLists(Combo(IDC_IGMP_VLAN_STATE).GetCurSel() == 0); }

void CIGMPSnoopingVLANSetting::OnApplyVlan() {
    const std::string vlanId = GetDlgItemText(IDC_IGMP_VLAN_ID);
    if (vlanId.empty()) return;
    std::string previous;
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        if (m_list.GetItemText(row, 0) == vlanId) previous = m_list.GetItemText(row, 2) == "Enabled" ? "1" : "2";
    }
    auto value = [this](int id) { return Combo(id).GetCurSel() == 0 ? "1" : "2"; };
    const std::string state = value(IDC_IGMP_VLAN_STATE);
    if (state == "2" &&
        AfxMessageBox("All router ports of this VLAN will be deleted.", MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        return;
    }
    m_logic.SetVlanSettings(vlanId, previous, state, value(IDC_IGMP_QUERIER_STATE), value(IDC_IGMP_FAST_LEAVE));
    OnRefresh();
    SetDlgItemText(IDC_IGMP_VLAN_ID, "");
    SetDlgItemText(IDC_IGMP_VLAN_NAME, "");
    for (int id : {IDC_IGMP_VLAN_STATE, IDC_IGMP_QUERIER_STATE, IDC_IGMP_FAST_LEAVE}) {
        Combo(id).SetCurSel(0);
        GetDlgItem(id)->EnableWindow(TRUE);
    }
}

void CIGMPSnoopingVLANSetting::OnPortBox(UINT id) {
    const int port = static_cast<int>(id) - IDC_IGMP_ROUTER_BOX_BASE;
    if (port < 1 || port > m_nPortNum) return;
    m_portValue[static_cast<size_t>(port - 1)] = m_routerPorts.GetCheck(port) == 1 ? 1 : 0;
}

void CIGMPSnoopingVLANSetting::OnApplyRouterPorts() {
    // The check judges the trunk table: a trunk walk still running is waited for first.
    m_logic.WaitTrunkPorts();
    if (!m_logic.CheckTrunkMembers(m_portValue.data())) {
        AfxMessageBox("Members of port channel must have the same status.");
        return;
    }
    const std::vector<unsigned char> bytes = RouterPortBytes(m_portValue);
    const std::string vlanId = GetDlgItemText(IDC_IGMP_VLAN_ID);
    if (vlanId.empty()) {
        AfxMessageBox("Please select Vlan first.");
        return;
    }
    if (m_logic.SetRouterPorts(vlanId, bytes.data(), static_cast<int>(bytes.size())) == 1) OnRefresh();
    // The boxes are cleared after a write, and the set with them, so that the next write
    // sends what the boxes show.
    m_routerPorts.UncheckAll();
    std::fill(m_portValue.begin(), m_portValue.end(), 0);
}

void CIGMPSnoopingVLANSetting::OnViewEntries() {
    CIGMPMulticastEntryTable dlg;
    dlg.DoModal();
}
