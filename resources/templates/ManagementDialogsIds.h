#pragma once
// Control ids of the management dialogs (ManagementDialogs.cpp): the SNMP agent's access
// tables, hosts, trap switches, engine ID and global state. Included by the templates, the dialogs of
// features/management and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "SNMP Community Table Configuration" (CSNMPCommunity).
namespace snmp_community_ids {
constexpr UINT IDD = 204;
constexpr ui::ControlId<CEdit> IDC_NAME{1157};
constexpr ui::ControlId<CComboBox> IDC_USER{1158};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1152};
constexpr ui::ControlId<CButton> IDC_APPLY{1187};
constexpr ui::ControlId<CButton> IDC_DELETE{1190};
constexpr ui::ControlId<CButton> IDC_REFRESH{1191};
constexpr ui::ControlId<CButton> IDC_CLOSE{1178};
}  // namespace snmp_community_ids

// "SNMP User Table " (CSNMPUser).
namespace snmp_user_ids {
constexpr UINT IDD = 198;
constexpr ui::ControlId<CEdit> IDC_USER_NAME{1183};
constexpr ui::ControlId<CEdit> IDC_GROUP_NAME{1172};
constexpr ui::ControlId<CComboBox> IDC_VERSION{1184};
constexpr ui::ControlId<CComboBox> IDC_AUTH_PROTOCOL{1185};
constexpr ui::ControlId<CComboBox> IDC_PRIV_PROTOCOL{1186};
constexpr ui::ControlId<CButton> IDC_ENCRYPTED{1148};
constexpr ui::ControlId<CEdit> IDC_AUTH_PASSWORD{1007};
constexpr ui::ControlId<CEdit> IDC_PRIV_PASSWORD{1008};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1145};
constexpr ui::ControlId<CButton> IDC_APPLY{1000};
constexpr ui::ControlId<CButton> IDC_DELETE{1001};
constexpr ui::ControlId<CButton> IDC_REFRESH{1002};
constexpr ui::ControlId<CButton> IDC_CLOSE{1128};
}  // namespace snmp_user_ids

// "SNMP Group Table Info" (CSNMPGroup).
namespace snmp_group_ids {
constexpr UINT IDD = 200;
constexpr ui::ControlId<CEdit> IDC_GROUP_NAME{1172};
constexpr ui::ControlId<CEdit> IDC_READ_VIEW{1173};
constexpr ui::ControlId<CEdit> IDC_WRITE_VIEW{1005};
constexpr ui::ControlId<CEdit> IDC_NOTIFY_VIEW{1176};
constexpr ui::ControlId<CComboBox> IDC_MODEL{1174};
constexpr ui::ControlId<CComboBox> IDC_LEVEL{1175};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1150};
constexpr ui::ControlId<CButton> IDC_APPLY{1179};
constexpr ui::ControlId<CButton> IDC_DELETE{1002};
constexpr ui::ControlId<CButton> IDC_REFRESH{1008};
constexpr ui::ControlId<CButton> IDC_CLOSE{1178};
}  // namespace snmp_group_ids

// "SNMP View Table Configuration" (CSNMPViewTree).
namespace snmp_view_ids {
constexpr UINT IDD = 203;
constexpr ui::ControlId<CEdit> IDC_VIEW_NAME{1168};
constexpr ui::ControlId<CEdit> IDC_SUBTREE{1169};
constexpr ui::ControlId<CEdit> IDC_MASK{1170};
constexpr ui::ControlId<CComboBox> IDC_VIEW_TYPE{1171};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1167};
constexpr ui::ControlId<CButton> IDC_APPLY{1000};
constexpr ui::ControlId<CButton> IDC_DELETE{1006};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
constexpr ui::ControlId<CButton> IDC_CLOSE{1128};
}  // namespace snmp_view_ids

// "SNMP Host Table" (CSNMPHost).
namespace snmp_host_ids {
constexpr UINT IDD = 205;
constexpr ui::ControlId<CEdit> IDC_ADDRESS{1023};  // a CEditEXIPV6
constexpr ui::ControlId<CComboBox> IDC_VERSION{1162};
constexpr ui::ControlId<CEdit> IDC_NAME{1163};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1156};
constexpr ui::ControlId<CButton> IDC_APPLY{1000};
constexpr ui::ControlId<CButton> IDC_CANCEL{1025};
constexpr ui::ControlId<CButton> IDC_DELETE{1003};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
constexpr ui::ControlId<CButton> IDC_CLOSE{1128};
}  // namespace snmp_host_ids

// "SNMP Trap Configuration" (CSNMPTrapSetting).
namespace snmp_trap_ids {
constexpr UINT IDD = 207;
constexpr ui::ControlId<CButton> IDC_AUTHENTICATION{1195};
constexpr ui::ControlId<CButton> IDC_BOOTUP{1196};
constexpr ui::ControlId<CButton> IDC_LINK{1011};
constexpr ui::ControlId<CButton> IDC_RSTP{1014};
constexpr ui::ControlId<CButton> IDC_FIRMWARE{1013};
constexpr ui::ControlId<CButton> IDC_LOOPBACK{1347};
constexpr ui::ControlId<CButton> IDC_POE_POWER{1010};
constexpr ui::ControlId<CButton> IDC_POE_ERROR{1181};
constexpr ui::ControlId<CButton> IDC_POE_BUDGET{1182};
constexpr ui::ControlId<CButton> IDC_APPLY{1197};
constexpr ui::ControlId<CButton> IDC_CLOSE{1198};
}  // namespace snmp_trap_ids

// "SNMP Engine ID" (CSNMPEngineID).
namespace snmp_engine_ids {
constexpr UINT IDD = 210;
constexpr ui::ControlId<CStatic> IDC_LABEL{1154};
constexpr ui::ControlId<CEdit> IDC_ENGINE_ID{1160};
constexpr ui::ControlId<CButton> IDC_APPLY{1000};
constexpr ui::ControlId<CButton> IDC_CLOSE{1199};
constexpr ui::ControlId<CButton> IDC_DEFAULT{1150};
}  // namespace snmp_engine_ids

// "SNMP Global State Settings" (CSNMPGlobal).
namespace snmp_global_ids {
constexpr UINT IDD = 209;
constexpr ui::ControlId<CButton> IDC_ENABLE{1155};
constexpr ui::ControlId<CButton> IDC_APPLY{1000};
constexpr ui::ControlId<CButton> IDC_CANCEL{1025};
}  // namespace snmp_global_ids

// "RMON Global Settings " (CRmonStatus).
namespace rmon_status_ids {
constexpr UINT IDD = 248;
constexpr ui::ControlId<CButton> IDC_ENABLE{1274};
constexpr ui::ControlId<CButton> IDC_DISABLE{1275};
constexpr ui::ControlId<CButton> IDC_REFRESH{1276};
constexpr ui::ControlId<CButton> IDC_APPLY{1001};
constexpr ui::ControlId<CButton> IDC_CLOSE{1002};
}  // namespace rmon_status_ids

// "RMON Ethernet Statistics Configuration" (CRMONEthernetStatistics).
namespace rmon_statistics_ids {
constexpr UINT IDD = 249;
constexpr ui::ControlId<CEdit> IDC_INDEX{1283};
constexpr ui::ControlId<CEdit> IDC_PORT{1264};
constexpr ui::ControlId<CEdit> IDC_OWNER{1005};
constexpr ui::ControlId<CButton> IDC_APPLY{1149};
constexpr ui::ControlId<CButton> IDC_REFRESH{1279};
constexpr ui::ControlId<CButton> IDC_CLOSE{1001};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1282};  // a CReportCtrl
}  // namespace rmon_statistics_ids

// "RMON History Control Configuration" (CRMONHistoryControl).
namespace rmon_history_ids {
constexpr UINT IDD = 250;
constexpr ui::ControlId<CEdit> IDC_INDEX{1285};
constexpr ui::ControlId<CEdit> IDC_PORT{1286};
constexpr ui::ControlId<CEdit> IDC_BUCKETS{1005};
constexpr ui::ControlId<CEdit> IDC_INTERVAL{1006};
constexpr ui::ControlId<CEdit> IDC_OWNER{1007};
constexpr ui::ControlId<CButton> IDC_APPLY{1149};
constexpr ui::ControlId<CButton> IDC_REFRESH{1284};
constexpr ui::ControlId<CButton> IDC_CLOSE{1001};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1287};  // a CReportCtrl
}  // namespace rmon_history_ids

// "RMON Alarm Configuration" (CRmonAlarm).
namespace rmon_alarm_ids {
constexpr UINT IDD = 251;
constexpr ui::ControlId<CEdit> IDC_INDEX{1295};
constexpr ui::ControlId<CEdit> IDC_INTERVAL{1009};
constexpr ui::ControlId<CEdit> IDC_VARIABLE{1005};
constexpr ui::ControlId<CComboBox> IDC_SAMPLE_TYPE{1296};
constexpr ui::ControlId<CEdit> IDC_RISING_THRESHOLD{1006};
constexpr ui::ControlId<CEdit> IDC_FALLING_THRESHOLD{1011};
constexpr ui::ControlId<CEdit> IDC_RISING_EVENT{1007};
constexpr ui::ControlId<CEdit> IDC_FALLING_EVENT{1012};
constexpr ui::ControlId<CEdit> IDC_OWNER{1008};
constexpr ui::ControlId<CButton> IDC_APPLY{1149};
constexpr ui::ControlId<CButton> IDC_REFRESH{1293};
constexpr ui::ControlId<CButton> IDC_CLOSE{1001};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1294};  // a CReportCtrl
}  // namespace rmon_alarm_ids

// "RMON Event Configuration" (CRMONEvent).
namespace rmon_event_ids {
constexpr UINT IDD = 252;
constexpr ui::ControlId<CEdit> IDC_INDEX{1289};
constexpr ui::ControlId<CEdit> IDC_DESCRIPTION{1290};
constexpr ui::ControlId<CComboBox> IDC_TYPE{1291};
constexpr ui::ControlId<CEdit> IDC_COMMUNITY{1005};
constexpr ui::ControlId<CEdit> IDC_OWNER{1006};
constexpr ui::ControlId<CButton> IDC_APPLY{1149};
constexpr ui::ControlId<CButton> IDC_REFRESH{1288};
constexpr ui::ControlId<CButton> IDC_CLOSE{1001};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1292};  // a CReportCtrl
}  // namespace rmon_event_ids

// "Syslog Host Configuration" (CSyslogHostCfgDlg).
namespace syslog_ids {
constexpr UINT IDD = 499;
constexpr ui::ControlId<CButton> IDC_ENABLE{1016};
constexpr ui::ControlId<CButton> IDC_STATE_APPLY{1000};
constexpr ui::ControlId<CEdit> IDC_ADDRESS{203};  // a CEditEXIPV6
constexpr ui::ControlId<CEdit> IDC_PORT{206};
constexpr ui::ControlId<CComboBox> IDC_FACILITY{211};
constexpr ui::ControlId<CComboBox> IDC_SEVERITY{207};
constexpr ui::ControlId<CComboBox> IDC_TIME_STAMP{1348};
constexpr ui::ControlId<CButton> IDC_APPLY{242};
constexpr ui::ControlId<CButton> IDC_REFRESH{241};
constexpr ui::ControlId<CListCtrl> IDC_UNUSED_LIST{202};
}  // namespace syslog_ids

// "LLDP Global Settings" (CLLDPGroup).
namespace lldp_global_ids {
constexpr UINT IDD = 179;
constexpr ui::ControlId<CButton> IDC_ENABLE{1091};
constexpr ui::ControlId<CButton> IDC_STATE_APPLY{1094};
constexpr ui::ControlId<CEdit> IDC_HOLD{1093};
constexpr ui::ControlId<CEdit> IDC_INTERVAL{1105};
constexpr ui::ControlId<CEdit> IDC_REINIT{1005};
constexpr ui::ControlId<CEdit> IDC_TX_DELAY{1008};
constexpr ui::ControlId<CButton> IDC_TIMERS_APPLY{1095};
constexpr ui::ControlId<CEdit> IDC_CHASSIS_SUBTYPE{1106};
constexpr ui::ControlId<CEdit> IDC_CHASSIS_ID{1009};
constexpr ui::ControlId<CEdit> IDC_SYSTEM_NAME{1096};
constexpr ui::ControlId<CEdit> IDC_SYSTEM_DESCRIPTION{1011};
}  // namespace lldp_global_ids

// "LLDP Remote Port Information" (CLLDPREMOTEINFO).
namespace lldp_remote_ids {
constexpr UINT IDD = 180;
constexpr ui::ControlId<CListCtrl> IDC_LIST{1099};
constexpr ui::ControlId<CEdit> IDC_COUNT{1108};
constexpr ui::ControlId<CButton> IDC_REFRESH{1109};
}  // namespace lldp_remote_ids
