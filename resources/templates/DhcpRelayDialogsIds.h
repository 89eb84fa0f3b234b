#pragma once
// Control ids of the DHCP/BOOTP relay dialogs and the DHCP server screening port settings
// (DhcpRelayDialogs.cpp), for the templates, the dialogs of views/ and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "DHCP BOOTP Relay Global Settings" (CDHCPBOOTPRelayGlobalDlg).
namespace dhcp_relay_global_ids {
constexpr UINT IDD = 243;
constexpr ui::ControlId<CComboBox> IDC_RELAY_STATE{12123};
constexpr ui::ControlId<CEdit> IDC_HOPS{3763};
constexpr ui::ControlId<CEdit> IDC_TIME_THRESHOLD{12125};
constexpr ui::ControlId<CComboBox> IDC_OPTION82_STATE{212};
constexpr ui::ControlId<CComboBox> IDC_OPTION82_CHECK{12126};
constexpr ui::ControlId<CComboBox> IDC_OPTION82_POLICY{12127};
constexpr ui::ControlId<CComboBox> IDC_REMOTE_ID_TYPE{12128};
constexpr ui::ControlId<CEdit> IDC_REMOTE_ID{1160};
constexpr ui::ControlId<CButton> IDC_APPLY{1314};
constexpr ui::ControlId<CButton> IDC_REFRESH{1315};
}  // namespace dhcp_relay_global_ids

// "DHCP/BOOTP Relay Interface Settings" (CDHCPBOOTPRelayInterfaceDlg).
namespace dhcp_relay_interface_ids {
constexpr UINT IDD = 244;
constexpr ui::ControlId<CEdit> IDC_INTERFACE{12131};
constexpr ui::ControlId<CIPAddressCtrl> IDC_SERVER_IP{1012};
constexpr ui::ControlId<CButton> IDC_APPLY{1000};
constexpr ui::ControlId<CListCtrl> IDC_SERVER_LIST{12130};
constexpr ui::ControlId<CButton> IDC_REFRESH{1149};
constexpr ui::ControlId<CButton> IDC_DELETE{1001};
constexpr ui::ControlId<CButton> IDC_CLOSE{1005};
}  // namespace dhcp_relay_interface_ids

// "DHCP Local Relay Settings" (CDHCPLocalRelayDlg).
namespace dhcp_local_relay_ids {
constexpr UINT IDD = 246;
constexpr ui::ControlId<CButton> IDC_ENABLE{12133};
constexpr ui::ControlId<CButton> IDC_APPLY_GLOBAL{1312};
constexpr ui::ControlId<CComboBox> IDC_VID_LIST{1192};
constexpr ui::ControlId<CEdit> IDC_VLAN_NAME{1053};
constexpr ui::ControlId<CComboBox> IDC_STATUS{12135};
constexpr ui::ControlId<CButton> IDC_APPLY_VLAN{1313};
constexpr ui::ControlId<CListCtrl> IDC_VLAN_LIST{12134};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
}  // namespace dhcp_local_relay_ids

// "DHCP Server Screening Port Settings" (CDHCPServerConfig).
namespace dhcp_server_config_ids {
constexpr UINT IDD = 194;
constexpr ui::ControlId<CComboBox> IDC_FROM_PORT{1122};
constexpr ui::ControlId<CComboBox> IDC_TO_PORT{1123};
constexpr ui::ControlId<CComboBox> IDC_STATE{212};
constexpr ui::ControlId<CButton> IDC_APPLY{1000};
constexpr ui::ControlId<CListCtrl> IDC_PORT_LIST{1120};
constexpr ui::ControlId<CButton> IDC_REFRESH{1001};
constexpr ui::ControlId<CButton> IDC_CLOSE{1128};
}  // namespace dhcp_server_config_ids
