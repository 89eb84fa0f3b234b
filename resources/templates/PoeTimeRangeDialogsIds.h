#pragma once
// Control ids of the PoE time range dialogs and the LLDP-MED PoE TLV settings of views/
// (PoeTimeRangeDialogs.cpp), for the templates, the dialogs and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "Time Range Information" (TimeRangInfo).
namespace time_range_list_ids {
constexpr UINT IDD = 177;
constexpr ui::ControlId<CListCtrl> IDC_LIST{1080};
constexpr ui::ControlId<CButton> IDC_REFRESH{103};
constexpr ui::ControlId<CButton> IDC_ADD{1001};
constexpr ui::ControlId<CButton> IDC_EDIT{1002};
constexpr ui::ControlId<CButton> IDC_DELETE{1003};
}  // namespace time_range_list_ids

// "Time Based PoE Config" (TimeBasedConfig).
namespace time_range_editor_ids {
constexpr UINT IDD = 175;
constexpr ui::ControlId<CEdit> IDC_NAME{1073};
constexpr ui::ControlId<CButton> IDC_DATE{1071};
constexpr ui::ControlId<CComboBox> IDC_FROM_YEAR{1008};
constexpr ui::ControlId<CComboBox> IDC_FROM_MONTH{1086};
constexpr ui::ControlId<CComboBox> IDC_FROM_DAY{1011};
constexpr ui::ControlId<CComboBox> IDC_TO_YEAR{1009};
constexpr ui::ControlId<CComboBox> IDC_TO_MONTH{1012};
constexpr ui::ControlId<CComboBox> IDC_TO_DAY{1010};
constexpr ui::ControlId<CComboBox> IDC_START_HOUR{1014};
constexpr ui::ControlId<CComboBox> IDC_START_MINUTE{1013};
constexpr ui::ControlId<CComboBox> IDC_END_HOUR{1016};
constexpr ui::ControlId<CComboBox> IDC_END_MINUTE{1015};
constexpr ui::ControlId<CButton> IDC_ALL_DAYS{1090};
constexpr ui::ControlId<CButton> IDC_MON{1087};
constexpr ui::ControlId<CButton> IDC_TUE{1088};
constexpr ui::ControlId<CButton> IDC_WED{1100};
constexpr ui::ControlId<CButton> IDC_THU{1101};
constexpr ui::ControlId<CButton> IDC_FRI{1089};
constexpr ui::ControlId<CButton> IDC_SAT{1103};
constexpr ui::ControlId<CButton> IDC_SUN{1104};
constexpr ui::ControlId<CButton> IDC_APPLY{1079};
}  // namespace time_range_editor_ids

// "LLDP MED Settings" (CLLDPMED).
namespace lldp_med_ids {
constexpr UINT IDD = 181;
constexpr ui::ControlId<CComboBox> IDC_FROM_PORT{1100};
constexpr ui::ControlId<CComboBox> IDC_TO_PORT{211};
constexpr ui::ControlId<CComboBox> IDC_TLV{1101};
constexpr ui::ControlId<CListCtrl> IDC_PORT_LIST{1104};
constexpr ui::ControlId<CButton> IDC_APPLY{1102};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
}  // namespace lldp_med_ids
