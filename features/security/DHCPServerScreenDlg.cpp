#include "features/security/DHCPServerScreenDlg.h"

#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/SecurityDialogsIds.h"

using namespace dhcp_screening_ids;

BEGIN_MESSAGE_MAP(CDHCPServerScreenDlg, CFeatureDialog)
    ON_BN_CLICKED(IDC_APPLY_PORTS, OnApplyTrustedPorts)
    ON_BN_CLICKED(IDC_ADD_SERVER, OnAddServer)
    ON_BN_CLICKED(IDC_DELETE, OnDeleteServer)
    ON_BN_CLICKED(IDC_REFRESH, Refresh)
    ON_BN_CLICKED(IDC_CLOSE, OnCancel)
    ON_MESSAGE(WM_DHCP_SERVER, OnServerRow)
END_MESSAGE_MAP()

CDHCPServerScreenDlg::CDHCPServerScreenDlg(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CDHCPServerScreenDlg::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_address.SubclassDlgItem(IDC_ADDRESS, this);
    m_address.m_bAllowInterface = 0;  // an address with a zone is invalid here
    m_logic.m_hOwnerWnd = GetSafeHwnd();
    CListCtrl& list = Item(IDC_SERVER_LIST);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    list.InsertColumn(0, "Index", LVCFMT_LEFT, 150);
    list.InsertColumn(1, "IP Address", LVCFMT_LEFT, 450);
    Refresh();
    return TRUE;
}

void CDHCPServerScreenDlg::EnableServerButtons(bool enable) {
    for (auto id : {IDC_DELETE, IDC_REFRESH, IDC_ADD_SERVER}) Item(id).EnableWindow(enable ? TRUE : FALSE);
}

void CDHCPServerScreenDlg::Refresh() {
    // Disabled before the walk starts, so an end delivered at once finds them to enable.
    EnableServerButtons(false);
    m_logic.GetScreeningPorts(m_strTrustedPorts);
    Item(IDC_TRUSTED_PORTS).SetWindowText(m_strTrustedPorts);
    Item(IDC_SERVER_LIST).DeleteAllItems();
    m_logic.ReadServerTable();
    m_logic.ReadTrunkPorts();
}

LRESULT CDHCPServerScreenDlg::OnServerRow(WPARAM kind, LPARAM data) {
    if (kind == kDhcpServerEnd) {
        EnableServerButtons(true);
        return 0;
    }
    const auto* entry = reinterpret_cast<const DHCPServerEntry*>(data);
    if (kind != kDhcpServerRow || entry == nullptr || entry->rowStatus != "1") return 0;
    CListCtrl& list = Item(IDC_SERVER_LIST);
    const int row = list.GetItemCount();
    list.InsertItem(row, entry->index);
    list.SetItemText(row, 1, entry->address);
    return 0;
}

void CDHCPServerScreenDlg::OnApplyTrustedPorts() {
    const std::string text = Item(IDC_TRUSTED_PORTS).GetWindowText();
    if (text == m_strTrustedPorts) return;
    if (m_logic.SetScreeningPorts(text) == 1) Refresh();
}

void CDHCPServerScreenDlg::OnAddServer() {
    if (m_address.m_nValid != 1) {
        AfxMessageBox("Invalid server IP address.");
        return;
    }
    CListCtrl& list = Item(IDC_SERVER_LIST);
    const int rows = list.GetItemCount();
    if (rows >= kMaxServers) {
        AfxMessageBox("The maximum entries is 5.");
        return;
    }
    std::string typed = m_address.GetWindowText();
    if (m_address.m_strIPType == "2") typed = CUtils::CompressIPv6(typed);
    for (int row = 0; row < rows; ++row) {
        if (list.GetItemText(row, 1) == typed) {
            AfxMessageBox("Duplicate server IP address.");
            return;
        }
    }
    m_logic.m_pAddressEdit = &m_address;
    if (m_logic.SetServerEntry(std::to_string(rows + 1), typed, 1) == 1) Refresh();
}

void CDHCPServerScreenDlg::OnDeleteServer() {
    CListCtrl& list = Item(IDC_SERVER_LIST);
    const int row = list.GetSelectionMark();
    if (row < 0 || row >= list.GetItemCount()) {
        AfxMessageBox("Please select the entry to delete.");
        return;
    }
    if (m_logic.SetServerEntry(list.GetItemText(row, 0), "", 3) == 1) Refresh();
}
