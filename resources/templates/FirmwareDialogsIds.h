#pragma once
// Control ids of the firmware and configuration transfer dialog (FirmwareDialogs.cpp).
// Included by the template, the dialog of features/management and its tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"

// "Firmware and Configuration Upgrade/Backup" (CFirmDownLoad).
namespace firmware_ids {
constexpr UINT IDD = 470;
constexpr ui::ControlId<CEdit> IDC_SERVER{203};  // a CEditEXIPV6
constexpr ui::ControlId<CEdit> IDC_FILE_NAME{206};
constexpr ui::ControlId<CComboBox> IDC_OPERATION{212};
constexpr ui::ControlId<CComboBox> IDC_FILE_TYPE{207};
constexpr ui::ControlId<CStatic> IDC_PROGRESS_LABEL{1036};
constexpr ui::ControlId<CProgressCtrl> IDC_PROGRESS{1035};  // a CGradientProgressCtrl
constexpr ui::ControlId<CButton> IDC_APPLY{242};
constexpr ui::ControlId<CButton> IDC_CLOSE{2};
}  // namespace firmware_ids
