#pragma once
// Control ids of the device configuration dialog (DeviceCfgDialog.cpp), for the template,
// the dialog of views/mibfile and its tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "Device Configure" (CDeviceCfgDlg).
namespace device_cfg_ids {
constexpr UINT IDD = 484;
constexpr ui::ControlId<CListCtrl> IDC_CONFIG_LIST{1009};
constexpr ui::ControlId<CComboBox> IDC_VALUE{1007};
constexpr ui::ControlId<CButton> IDC_APPLY{3};
constexpr ui::ControlId<CListCtrl> IDC_INFO_LIST{1088};
constexpr ui::ControlId<CButton> IDC_REFRESH{4};
constexpr ui::ControlId<CButton> IDC_CLOSE{IDOK};
}  // namespace device_cfg_ids
