#include "views/DHCPLocalRelayDlg.h"

#include "resources/templates/DhcpRelayDialogsIds.h"

using namespace dhcp_local_relay_ids;

BEGIN_MESSAGE_MAP(CDHCPLocalRelayDlg, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY_GLOBAL, OnApplyGlobal)
    ON_BN_CLICKED(IDC_APPLY_VLAN, OnApplyVlan)
    ON_CBN_SELCHANGE(IDC_VID_LIST, OnVidChange)
    ON_MESSAGE(WM_DHCP_BOOTP_NOTIFY, OnBootpNotify)
END_MESSAGE_MAP()

CDHCPLocalRelayDlg::CDHCPLocalRelayDlg(CWnd* parent) : CFeatureDialog(IDD, {}, parent) {}

BOOL CDHCPLocalRelayDlg::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_VLAN_LIST, this);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, "VLAN ID", LVCFMT_LEFT, 80);
    m_list.InsertColumn(1, "VLAN name", LVCFMT_LEFT, 120);
    m_list.InsertColumn(2, "State", LVCFMT_LEFT, 80);
    Item(IDC_STATUS).AddString("Enabled");
    Item(IDC_STATUS).AddString("Disabled");
    Item(IDC_VLAN_NAME).EnableWindow(FALSE);
    m_logic.m_hWnd = GetSafeHwnd();
    OnRefresh();
    return TRUE;
}

void CDHCPLocalRelayDlg::OnRefresh() {
    EnableWindow(FALSE);
    Item(IDC_REFRESH).EnableWindow(FALSE);
    m_list.DeleteAllItems();
    Item(IDC_VID_LIST).ResetContent();
    m_logic.ReadLocalRelay();
}

LRESULT CDHCPLocalRelayDlg::OnBootpNotify(WPARAM code, LPARAM data) {
    switch (code) {
    case kLocalRelayStateRead: {
        const char* value = reinterpret_cast<const char*>(data);
        Item(IDC_ENABLE).SetCheck(value != nullptr && std::string(value) == "1" ? BST_CHECKED : BST_UNCHECKED);
        break;
    }
    case kLocalRelayVlanRow:
        if (data != 0) AddVlanRow(*reinterpret_cast<const LocalRelayVlanEntry*>(data));
        break;
    case kLocalRelayEnd:
        Item(IDC_REFRESH).EnableWindow(TRUE);
        EnableWindow(TRUE);
        break;
    default: break;
    }
    return 0;
}

void CDHCPLocalRelayDlg::AddVlanRow(const LocalRelayVlanEntry& entry) {
    if (entry.vlanRowStatus != "1") return;
    const std::string state = entry.state == "1" ? "Enabled" : "Disabled";
    const int row = m_list.GetItemCount();
    m_list.InsertItem(row, entry.vlanId);
    m_list.SetItemText(row, 1, entry.vlanName);
    m_list.SetItemText(row, 2, state);
    CComboBox& vids = Item(IDC_VID_LIST);
    vids.AddString(entry.vlanId);
    if (row == 0) {
        vids.SetCurSel(0);
        SetDlgItemText(IDC_VLAN_NAME, entry.vlanName);
        Item(IDC_STATUS).SelectString(-1, state);
    }
}

void CDHCPLocalRelayDlg::OnVidChange() {
    const std::string vid = GetDlgItemText(IDC_VID_LIST);
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        if (m_list.GetItemText(row, 0) != vid) continue;
        SetDlgItemText(IDC_VLAN_NAME, m_list.GetItemText(row, 1));
        Item(IDC_STATUS).SelectString(-1, m_list.GetItemText(row, 2) == "Disabled" ? "Disabled" : "Enabled");
    }
}

void CDHCPLocalRelayDlg::OnApplyGlobal() {
    if (m_logic.SetLocalRelayState(Item(IDC_ENABLE).GetCheck() == BST_CHECKED ? "1" : "2") == 1) OnRefresh();
}

void CDHCPLocalRelayDlg::OnApplyVlan() {
    const std::string state = GetDlgItemText(IDC_STATUS) == "Enabled" ? "1" : "2";
    if (m_logic.SetLocalRelayVlanState(GetDlgItemText(IDC_VID_LIST), state) == 1) OnRefresh();
}
