#include "views/DHCPBOOTPRelayInterfaceDlg.h"

#include <algorithm>

#include "platform/ui/Prompt.h"
#include "platform/win/Clock.h"
#include "resources/templates/DhcpRelayDialogsIds.h"

using namespace dhcp_relay_interface_ids;

BEGIN_MESSAGE_MAP(CDHCPBOOTPRelayInterfaceDlg, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY, OnAddServer)
    ON_BN_CLICKED(IDC_DELETE, OnDeleteServer)
    ON_BN_CLICKED(IDC_CLOSE, OnCancel)
    ON_MESSAGE(WM_DHCP_BOOTP_NOTIFY, OnBootpNotify)
END_MESSAGE_MAP()

CDHCPBOOTPRelayInterfaceDlg::CDHCPBOOTPRelayInterfaceDlg(CWnd* parent) : CFeatureDialog(IDD, {}, parent) {}

BOOL CDHCPBOOTPRelayInterfaceDlg::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_SERVER_LIST, this);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, "Interface", LVCFMT_LEFT, 80);
    m_list.InsertColumn(1, "Server", LVCFMT_LEFT, 120);
    SetDlgItemText(IDC_INTERFACE, "System");
    m_logic.m_hWnd = GetSafeHwnd();
    OnRefresh();
    return TRUE;
}

void CDHCPBOOTPRelayInterfaceDlg::OnRefresh() {
    m_list.DeleteAllItems();
    m_arrServerIP.clear();
    m_logic.ReadRelayServers();
}

LRESULT CDHCPBOOTPRelayInterfaceDlg::OnBootpNotify(WPARAM code, LPARAM data) {
    if (code != kBootpRecord || data == 0) return 0;
    const auto& entry = *reinterpret_cast<const RelayServerEntry*>(data);
    if (entry.rowStatus != "1") return 0;
    const int row = m_list.GetItemCount();
    m_list.InsertItem(row, entry.interfaceName);
    m_list.SetItemText(row, 1, entry.serverAddress);
    m_arrServerIP.push_back(entry.serverAddress);
    return 0;
}

void CDHCPBOOTPRelayInterfaceDlg::OnAddServer() {
    // The four fields as the address control gives them (an empty field is 0).
    BYTE f[4] = {};
    Item(IDC_SERVER_IP).GetAddress(f[0], f[1], f[2], f[3]);
    const std::string address =
        std::to_string(f[0]) + "." + std::to_string(f[1]) + "." + std::to_string(f[2]) + "." + std::to_string(f[3]);
    if (m_list.GetItemCount() >= kMaxServers) {
        AfxMessageBox("Maximum number of servers(4) has been reached.");
        return;
    }
    if (std::find(m_arrServerIP.begin(), m_arrServerIP.end(), address) != m_arrServerIP.end()) {
        AfxMessageBox("Server IP Already Exist. ");
        return;
    }
    if (m_logic.SetRelayServerStatus(address, "5") != 1) return;
    win::Sleep(kActivateDelayMs);
    if (m_logic.SetRelayServerStatus(address, "1") == 1) OnRefresh();
}

void CDHCPBOOTPRelayInterfaceDlg::OnDeleteServer() {
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0 || row >= m_list.GetItemCount()) {
        AfxMessageBox("Please select the server to delete");
        return;
    }
    if (m_logic.SetRelayServerStatus(m_list.GetItemText(row, 1), "6") == 1) OnRefresh();
}
