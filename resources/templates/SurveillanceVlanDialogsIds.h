#pragma once
// Control ids of the auto surveillance VLAN dialog (SurveillanceVlanDialogs.cpp), for the
// template, the dialog of features/vlan and its tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "Auto Surveillance VLAN Settings" (CCameraVlanSetting).
namespace camera_vlan_ids {
constexpr UINT IDD = 220;
constexpr ui::ControlId<CComboBox> IDC_PRIORITY{219};
constexpr ui::ControlId<CButton> IDC_ADD{1001};
constexpr ui::ControlId<CButton> IDC_DELETE{1003};
constexpr ui::ControlId<CEdit> IDC_DESCRIPTION{1005};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
constexpr ui::ControlId<CComboBox> IDC_MODE{1112};
constexpr ui::ControlId<CEdit> IDC_PORTS{1113};
constexpr ui::ControlId<CEdit> IDC_VID{1114};
constexpr ui::ControlId<CButton> IDC_CLOSE{1128};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1209};
constexpr ui::ControlId<CEdit> IDC_MAC{1212};
constexpr ui::ControlId<CButton> IDC_ENABLE{1214};
constexpr ui::ControlId<CButton> IDC_APPLY{1216};
constexpr ui::ControlId<CComboBox> IDC_COMPONENT{1218};
}  // namespace camera_vlan_ids
