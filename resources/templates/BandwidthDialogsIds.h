#pragma once
// Control ids of the bandwidth control dialog (BandwidthDialogs.cpp), for the template, the
// dialog of features/ports and its tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "BandWidth Control" (CBandWidthControlDlg).
namespace bandwidth_ids {
constexpr UINT IDD = 233;
constexpr ui::ControlId<CComboBox> IDC_FROM_PORT{1100};
constexpr ui::ControlId<CComboBox> IDC_TO_PORT{211};
constexpr ui::ControlId<CComboBox> IDC_TYPE{1118};
constexpr ui::ControlId<CComboBox> IDC_NO_LIMIT{1271};
constexpr ui::ControlId<CEdit> IDC_RATE{1270};
constexpr ui::ControlId<CButton> IDC_APPLY{1000};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1247};
constexpr ui::ControlId<CStatic> IDC_HIDDEN{1298};
}  // namespace bandwidth_ids
