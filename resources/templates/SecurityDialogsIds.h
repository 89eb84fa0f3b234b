#pragma once
// Control ids of the security dialogs (SecurityDialogs.cpp). Included by the templates, the
// dialogs of features/security and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "Storm Control" (CStormControlDlg).
namespace storm_control_ids {
constexpr UINT IDD = 235;
constexpr ui::ControlId<CButton> IDC_ENABLE{1091};
constexpr ui::ControlId<CComboBox> IDC_TYPE{1277};
constexpr ui::ControlId<CEdit> IDC_UNIT{1278};
constexpr ui::ControlId<CEdit> IDC_N{1279};
constexpr ui::ControlId<CEdit> IDC_KBPS{1005};
constexpr ui::ControlId<CButton> IDC_APPLY{1276};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
}  // namespace storm_control_ids

// "802.1X Global Settings " (C8021XGlobalDlg).
namespace dot1x_global_ids {
constexpr UINT IDD = 215;
constexpr ui::ControlId<CButton> IDC_STATE_ENABLED{1137};
constexpr ui::ControlId<CButton> IDC_STATE_DISABLED{1140};
constexpr ui::ControlId<CButton> IDC_EAPOL_ENABLED{1138};
constexpr ui::ControlId<CButton> IDC_EAPOL_DISABLED{1139};
constexpr ui::ControlId<CComboBox> IDC_PROTOCOL{1141};
constexpr ui::ControlId<CButton> IDC_REFRESH{1000};
}  // namespace dot1x_global_ids

// "802.1X Port Settings" (C8021XPortSettings).
namespace dot1x_port_ids {
constexpr UINT IDD = 234;
constexpr ui::ControlId<CComboBox> IDC_FROM_PORT{1317};
constexpr ui::ControlId<CComboBox> IDC_TO_PORT{1008};
constexpr ui::ControlId<CEdit> IDC_QUIET_PERIOD{1304};
constexpr ui::ControlId<CEdit> IDC_SUPP_TIMEOUT{1009};
constexpr ui::ControlId<CEdit> IDC_SERVER_TIMEOUT{1305};
constexpr ui::ControlId<CEdit> IDC_MAX_REQ{1042};
constexpr ui::ControlId<CEdit> IDC_TX_PERIOD{1003};
constexpr ui::ControlId<CEdit> IDC_REAUTH_PERIOD{1043};
constexpr ui::ControlId<CComboBox> IDC_REAUTHENTICATION{1310};
constexpr ui::ControlId<CComboBox> IDC_PORT_CONTROL{1311};
constexpr ui::ControlId<CComboBox> IDC_CAPABILITY{1312};
constexpr ui::ControlId<CComboBox> IDC_DIRECTION{1313};
constexpr ui::ControlId<CButton> IDC_APPLY{1149};
constexpr ui::ControlId<CButton> IDC_REFRESH{1000};
constexpr ui::ControlId<CListCtrl> IDC_PORT_LIST{1295};
}  // namespace dot1x_port_ids

// "802.1X User" (C8021XUserDLG).
namespace dot1x_user_ids {
constexpr UINT IDD = 253;
constexpr ui::ControlId<CEdit> IDC_USER_NAME{1319};
constexpr ui::ControlId<CEdit> IDC_PASSWORD{1320};
constexpr ui::ControlId<CEdit> IDC_CONFIRM{1005};
constexpr ui::ControlId<CButton> IDC_ADD{1001};
constexpr ui::ControlId<CButton> IDC_DELETE{1003};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
constexpr ui::ControlId<CButton> IDC_CLOSE{1128};
constexpr ui::ControlId<CListCtrl> IDC_USER_LIST{1322};
constexpr ui::ControlId<CEdit> IDC_TOTAL{1370};
}  // namespace dot1x_user_ids

// "Authentication RADIUS Server" (C8021XAuRadiusServerDLG).
namespace dot1x_radius_ids {
constexpr UINT IDD = 254;
constexpr ui::ControlId<CComboBox> IDC_INDEX{1325};
constexpr ui::ControlId<CEdit> IDC_ADDRESS{1371};  // a CEditEXIPV6
constexpr ui::ControlId<CEdit> IDC_AUTH_PORT{1328};
constexpr ui::ControlId<CEdit> IDC_ACCT_PORT{1005};
constexpr ui::ControlId<CEdit> IDC_TIMEOUT{1327};
constexpr ui::ControlId<CEdit> IDC_RETRANSMIT{1008};
constexpr ui::ControlId<CEdit> IDC_KEY{1004};
constexpr ui::ControlId<CEdit> IDC_CONFIRM_KEY{1011};
constexpr ui::ControlId<CButton> IDC_APPLY{1000};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
constexpr ui::ControlId<CButton> IDC_DELETE{1329};
constexpr ui::ControlId<CButton> IDC_CLOSE{1128};
constexpr ui::ControlId<CListCtrl> IDC_SERVER_LIST{1324};
}  // namespace dot1x_radius_ids

// "DHCP Server Screening Settings  " (CDHCPServerScreenDlg).
namespace dhcp_screening_ids {
constexpr UINT IDD = 214;
constexpr ui::ControlId<CEdit> IDC_TRUSTED_PORTS{1135};
constexpr ui::ControlId<CButton> IDC_APPLY_PORTS{1134};
constexpr ui::ControlId<CEdit> IDC_ADDRESS{203};  // a CEditEXIPV6
constexpr ui::ControlId<CButton> IDC_ADD_SERVER{1149};
constexpr ui::ControlId<CListCtrl> IDC_SERVER_LIST{1131};
constexpr ui::ControlId<CButton> IDC_DELETE{1121};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
constexpr ui::ControlId<CButton> IDC_CLOSE{1133};
}  // namespace dhcp_screening_ids

// "Traffic Segmentation Settings " (CTrafficSegDlg). Port p's box is 6000 + p, its label 7500 + p.
namespace traffic_seg_ids {
constexpr UINT IDD = 137;
constexpr ui::ControlId<CButton> IDC_STATE_GROUP{1343};
constexpr ui::ControlId<CButton> IDC_ENABLE{1037};
constexpr ui::ControlId<CButton> IDC_APPLY_STATE{1003};
constexpr ui::ControlId<CComboBox> IDC_FROM_PORT{1038};
constexpr ui::ControlId<CStatic> IDC_TO_PORT_LABEL{1119};
constexpr ui::ControlId<CWnd> IDC_PORT_FRAME{1344};
constexpr ui::ControlId<CButton> IDC_SELECT_ALL{1120};
constexpr ui::ControlId<CButton> IDC_CLEAR{1149};
constexpr ui::ControlId<CButton> IDC_APPLY_PORTS{1011};
constexpr ui::ControlId<CListCtrl> IDC_FORWARD_LIST{1039};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
constexpr int IDC_PORT_BOX_BASE = 6000;
constexpr int IDC_PORT_LABEL_BASE = 7500;
constexpr int kMaxPorts = 52;
}  // namespace traffic_seg_ids
