#pragma once
// Control ids of the management dialogs (ManagementDialogs.cpp): the SNMP agent's access
// tables. Included by the templates, the dialogs of features/management and their tests.
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
