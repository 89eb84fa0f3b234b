#pragma once
// Control ids of the GVRP dialogs and the auto surveillance VLAN OUI and port dialogs
// (GvrpDialogs.cpp), for the templates, the dialogs of views/ and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// The main window's commands that open these dialogs; no menu item carries them.
constexpr UINT ID_CAMERA_VLAN_OUI = 32831;
constexpr UINT ID_GVRP_TIME = 32835;
constexpr UINT ID_GVRP_SETTINGS = 32836;

// "GVRP Settings" (CGVRPSettings).
namespace gvrp_settings_ids {
constexpr UINT IDD = 226;
constexpr ui::ControlId<CComboBox> IDC_FROM_PORT{1100};
constexpr ui::ControlId<CComboBox> IDC_TO_PORT{211};
constexpr ui::ControlId<CEdit> IDC_PVID{1235};
constexpr ui::ControlId<CComboBox> IDC_GVRP{1236};
constexpr ui::ControlId<CComboBox> IDC_INGRESS{1238};
constexpr ui::ControlId<CComboBox> IDC_FRAME_TYPE{1237};
constexpr ui::ControlId<CButton> IDC_APPLY{1149};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1234};
}  // namespace gvrp_settings_ids

// "GVRP Global Settings" (CGVRPTime).
namespace gvrp_time_ids {
constexpr UINT IDD = 227;
constexpr ui::ControlId<CButton> IDC_ENABLED{1232};
constexpr ui::ControlId<CButton> IDC_DISABLED{1233};
constexpr ui::ControlId<CEdit> IDC_JOIN{1240};
constexpr ui::ControlId<CEdit> IDC_LEAVE{1241};
constexpr ui::ControlId<CEdit> IDC_LEAVE_ALL{1005};
constexpr ui::ControlId<CButton> IDC_APPLY{1000};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
constexpr ui::ControlId<CButton> IDC_CLOSE{1128};
constexpr ui::ControlId<CButton> IDC_HIDDEN_APPLY{1239};
}  // namespace gvrp_time_ids

// "Auto Surveillance VLAN OUI Settings" (CCameraVLANOUISetting).
namespace camera_oui_ids {
constexpr UINT IDD = 222;
constexpr ui::ControlId<CEdit> IDC_DESCRIPTION{1005};
constexpr ui::ControlId<CEdit> IDC_OUI{1212};
constexpr ui::ControlId<CButton> IDC_ADD{1001};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1209};
constexpr ui::ControlId<CButton> IDC_DELETE{1003};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
constexpr ui::ControlId<CButton> IDC_CLOSE{1128};
}  // namespace camera_oui_ids

// "Auto Camera Vlan Port Settings" (CCameraVlanPortSetting).
namespace camera_port_ids {
constexpr UINT IDD = 221;
constexpr ui::ControlId<CEdit> IDC_VLAN_ID{1054};
constexpr ui::ControlId<CComboBox> IDC_FROM_PORT{1100};
constexpr ui::ControlId<CComboBox> IDC_TO_PORT{211};
constexpr ui::ControlId<CComboBox> IDC_AUTO_DETECTION{1009};
constexpr ui::ControlId<CButton> IDC_APPLY{1000};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1205};
}  // namespace camera_port_ids
