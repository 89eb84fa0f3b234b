#pragma once
// Control ids of the time profile and power saving dialogs (PowerSavingDialogs.cpp), for the
// templates, the dialogs of features/ports and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "Time Profile Info" (CTimeProfileInfo).
namespace time_profile_ids {
constexpr UINT IDD = 3105;
constexpr ui::ControlId<CEdit> IDC_NAME{3501};
constexpr ui::ControlId<CButton> IDC_DATE{3502};
constexpr ui::ControlId<CComboBox> IDC_START_YEAR{3503};
constexpr ui::ControlId<CComboBox> IDC_START_MONTH{3504};
constexpr ui::ControlId<CComboBox> IDC_START_DAY{3505};
constexpr ui::ControlId<CComboBox> IDC_END_YEAR{3506};
constexpr ui::ControlId<CComboBox> IDC_END_MONTH{3507};
constexpr ui::ControlId<CComboBox> IDC_END_DAY{3508};
constexpr ui::ControlId<CComboBox> IDC_START_HOUR{3509};
constexpr ui::ControlId<CComboBox> IDC_START_MINUTE{3510};
constexpr ui::ControlId<CComboBox> IDC_END_HOUR{3511};
constexpr ui::ControlId<CComboBox> IDC_END_MINUTE{3512};
constexpr ui::ControlId<CButton> IDC_ALL_DAYS{3513};
// Monday to Sunday, in this order.
constexpr ui::ControlId<CButton> IDC_MON{3514};
constexpr ui::ControlId<CButton> IDC_TUE{3515};
constexpr ui::ControlId<CButton> IDC_WED{3516};
constexpr ui::ControlId<CButton> IDC_THU{3517};
constexpr ui::ControlId<CButton> IDC_FRI{3518};
constexpr ui::ControlId<CButton> IDC_SAT{3519};
constexpr ui::ControlId<CButton> IDC_SUN{3520};
constexpr ui::ControlId<CButton> IDC_ADD{3521};
constexpr ui::ControlId<CButton> IDC_LIST_GROUP{3522};
constexpr ui::ControlId<CListCtrl> IDC_LIST{3523};
constexpr ui::ControlId<CButton> IDC_DELETE{3524};
constexpr ui::ControlId<CButton> IDC_REFRESH{3525};
}  // namespace time_profile_ids

// "Power Saving Settings " (CPowerSaveDlg).
namespace power_saving_ids {
constexpr UINT IDD = 3104;
constexpr ui::ControlId<CButton> IDC_DETECTION{3541};
constexpr ui::ControlId<CButton> IDC_APPLY_DETECTION{3542};
constexpr ui::ControlId<CComboBox> IDC_TYPE{3543};
constexpr ui::ControlId<CComboBox> IDC_STATE{3544};
constexpr ui::ControlId<CComboBox> IDC_PROFILE1{3545};
constexpr ui::ControlId<CComboBox> IDC_PROFILE2{3546};
constexpr ui::ControlId<CEdit> IDC_PORT{3547};
constexpr ui::ControlId<CButton> IDC_APPLY{3548};
constexpr ui::ControlId<CListCtrl> IDC_SUMMARY{3549};
constexpr ui::ControlId<CButton> IDC_REFRESH{3550};
}  // namespace power_saving_ids
