#pragma once
// Control ids of the switch's information pages (InfoPagesDialogs.cpp), for the templates, the
// dialogs of views/direct and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "SwPackage Information" (CSwPackageInfoDlg).
namespace sw_package_ids {
constexpr UINT IDD = 495;
constexpr ui::ControlId<CListCtrl> IDC_LIST{1088};
constexpr ui::ControlId<CStatic> IDC_ENTRIES{1095};
constexpr ui::ControlId<CButton> IDC_REFRESH{3};
}  // namespace sw_package_ids

// "802.1x Statistic Information" (C8021Status) and "802.1x Diagnose Information" (C8021Diagnosis).
namespace dot1x_table_ids {
constexpr UINT IDD_STATUS = 466;
constexpr UINT IDD_DIAGNOSIS = 467;
constexpr ui::ControlId<CListCtrl> IDC_STATUS_LIST{1009};
constexpr ui::ControlId<CListCtrl> IDC_DIAGNOSIS_LIST{1010};
constexpr ui::ControlId<CButton> IDC_REFRESH{103};
}  // namespace dot1x_table_ids

// The syslog tables: "Syslog Information" (CSyslogInfoDlg), "Syslog Information in Cache"
// (CHisSyslogInfoDlg) and "Syslog Application Information" (CSyslogAppInfoDlg).
namespace syslog_table_ids {
constexpr UINT IDD_LOG = 493;
constexpr UINT IDD_CACHE = 494;
constexpr UINT IDD_APPLICATION = 498;
constexpr ui::ControlId<CListCtrl> IDC_LIST{1088};
constexpr ui::ControlId<CStatic> IDC_ENTRIES{1095};
constexpr ui::ControlId<CButton> IDC_REFRESH{3};
}  // namespace syslog_table_ids

// "Syslog Configuration" (CSyslogCfgDlg).
namespace syslog_config_ids {
constexpr UINT IDD = 492;
constexpr ui::ControlId<CButton> IDC_ENABLE{1008};
constexpr ui::ControlId<CComboBox> IDC_CONSOLE{211};
constexpr ui::ControlId<CComboBox> IDC_FILE{214};
constexpr ui::ControlId<CComboBox> IDC_CACHE{215};
constexpr ui::ControlId<CButton> IDC_REFRESH{103};
constexpr ui::ControlId<CButton> IDC_APPLY{1145};
constexpr ui::ControlId<CButton> IDC_CLOSE{1146};
}  // namespace syslog_config_ids

// "DHCP Information" (CDHCPInfoDlg).
namespace dhcp_info_ids {
constexpr UINT IDD = 488;
constexpr ui::ControlId<CEdit> IDC_MIB_VERSION{1310};
constexpr ui::ControlId<CEdit> IDC_RELAY{1312};
constexpr ui::ControlId<CEdit> IDC_SERVER{1313};
constexpr ui::ControlId<CButton> IDC_REFRESH{103};
constexpr ui::ControlId<CButton> IDC_APPLY{1145};  // hidden
constexpr ui::ControlId<CButton> IDC_CLOSE{1146};
}  // namespace dhcp_info_ids

// "Device Information" (CDeviceInfo).
namespace device_info_ids {
constexpr UINT IDD = 382;
constexpr ui::ControlId<CListCtrl> IDC_POWER_LIST{201};
constexpr ui::ControlId<CEdit> IDC_WEB_PORT{245};
constexpr ui::ControlId<CEdit> IDC_PORT_COUNT{246};
constexpr ui::ControlId<CEdit> IDC_USER_PORT{247};
constexpr ui::ControlId<CEdit> IDC_LOOPBACK_PORT{248};
constexpr ui::ControlId<CButton> IDC_REFRESH{241};
}  // namespace device_info_ids

// "IGMP Router Ports Settings" (CIGMPRouterPortsSettings).
namespace igmp_router_ports_ids {
constexpr UINT IDD = 206;
constexpr ui::ControlId<CEdit> IDC_VID{12121};
constexpr ui::ControlId<CEdit> IDC_VLAN_NAME{12120};
constexpr ui::ControlId<CStatic> IDC_STATIC_PORTS{552};
constexpr ui::ControlId<CStatic> IDC_FORBIDDEN_PORTS{369};
constexpr ui::ControlId<CStatic> IDC_DYNAMIC_PORTS{6435};
constexpr ui::ControlId<CButton> IDC_APPLY{1000};
constexpr ui::ControlId<CButton> IDC_CLOSE{1128};
}  // namespace igmp_router_ports_ids

// "VLAN Configuration" (CVlanInfoDlg).
namespace vlan_info_ids {
constexpr UINT IDD = 491;
constexpr ui::ControlId<CEdit> IDC_MIB_VERSION{1310};
constexpr ui::ControlId<CEdit> IDC_MAX_TABLE{1312};
constexpr ui::ControlId<CButton> IDC_SEND_UNKNOWN{1008};
constexpr ui::ControlId<CEdit> IDC_DEFAULT_SUPPORTED{1313};
constexpr ui::ControlId<CEdit> IDC_DOT1V_SUPPORTED{1314};
constexpr ui::ControlId<CButton> IDC_DEFAULT_ENABLED{1009};
constexpr ui::ControlId<CEdit> IDC_PRIVATE_EDGE_SUPPORTED{1315};
constexpr ui::ControlId<CEdit> IDC_PRIVATE_EDGE_VERSION{1316};
constexpr ui::ControlId<CButton> IDC_DYNAMIC_VLAN{1098};
constexpr ui::ControlId<CButton> IDC_REFRESH{103};
constexpr ui::ControlId<CButton> IDC_APPLY{1145};  // hidden
constexpr ui::ControlId<CButton> IDC_CLOSE{1146};
}  // namespace vlan_info_ids

// "Trunk Information" (CTrunkInfoDlg).
namespace trunk_info_ids {
constexpr UINT IDD = 486;
constexpr ui::ControlId<CEdit> IDC_MIB_VERSION{1310};
constexpr ui::ControlId<CEdit> IDC_TRUNKS{1312};
constexpr ui::ControlId<CEdit> IDC_MAX_PORTS{1313};
constexpr ui::ControlId<CEdit> IDC_CREATION{1314};
constexpr ui::ControlId<CButton> IDC_REFRESH{103};
constexpr ui::ControlId<CButton> IDC_APPLY{1145};  // hidden
constexpr ui::ControlId<CButton> IDC_CLOSE{1146};
}  // namespace trunk_info_ids
