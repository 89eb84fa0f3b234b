#pragma once
// Control ids of the PoE dialogs: the port settings (3106) and the system settings (3107).
// Included by the templates, the dialogs and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

namespace poeids {
// "PoE Configuration"
constexpr int IDD_POE_CONFIG = 3106;
constexpr ui::ControlId<CListCtrl> IDC_POE_PORT_LIST{1001};
constexpr ui::ControlId<CComboBox> IDC_POE_FROM_PORT{1002};
constexpr ui::ControlId<CComboBox> IDC_POE_TO_PORT{1003};
constexpr ui::ControlId<CComboBox> IDC_POE_STATE{1004};
constexpr ui::ControlId<CComboBox> IDC_POE_PRIORITY{1005};
constexpr ui::ControlId<CComboBox> IDC_POE_TIME_RANGE{1006};
constexpr ui::ControlId<CComboBox> IDC_POE_POWER_LIMIT{1007};
constexpr ui::ControlId<CButton> IDC_POE_USER_DEFINE{1008};
constexpr ui::ControlId<CEdit> IDC_POE_WATTS{1009};
constexpr ui::ControlId<CButton> IDC_POE_REFRESH{1010};
constexpr ui::ControlId<CButton> IDC_POE_APPLY{1011};

// "PoE Global Settings"
constexpr int IDD_POE_GLOBAL = 3107;
constexpr ui::ControlId<CEdit> IDC_POE_THRESHOLD{1101};
constexpr ui::ControlId<CComboBox> IDC_POE_SEQUENCE{1102};
constexpr ui::ControlId<CButton> IDC_POE_GLOBAL_APPLY{1103};
constexpr ui::ControlId<CEdit> IDC_POE_BUDGET{1104};
constexpr ui::ControlId<CEdit> IDC_POE_USED{1105};
constexpr ui::ControlId<CEdit> IDC_POE_LEFT{1106};
constexpr ui::ControlId<CEdit> IDC_POE_SUPPLIED{1107};
}  // namespace poeids
