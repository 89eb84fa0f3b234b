#pragma once
// Control ids of the static MAC dialog (StaticMacDialogs.cpp), for the template, the dialog of
// features/ports and its tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "Static MAC Configuration" (CStaticMACDlg).
namespace static_mac_ids {
constexpr UINT IDD = 237;
constexpr ui::ControlId<CButton> IDC_LEARN_ENABLED{1401};
constexpr ui::ControlId<CButton> IDC_LEARN_DISABLED{1402};
constexpr ui::ControlId<CEdit> IDC_UPLINK{1403};
constexpr ui::ControlId<CButton> IDC_APPLY{1404};
constexpr ui::ControlId<CButton> IDC_ADD_GROUP{1405};
constexpr ui::ControlId<CComboBox> IDC_PORT{1406};
constexpr ui::ControlId<CEdit> IDC_MAC{1407};
constexpr ui::ControlId<CComboBox> IDC_VID{1408};
constexpr ui::ControlId<CButton> IDC_ADD{1409};
constexpr ui::ControlId<CButton> IDC_LIST_GROUP{1410};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1411};
constexpr ui::ControlId<CButton> IDC_DELETE{1412};
constexpr ui::ControlId<CButton> IDC_REFRESH{1413};
}  // namespace static_mac_ids
