#pragma once
// Control ids of the management service dialogs (ServiceDialogs.cpp): the program's device
// parameters, the switch's command-line, web and telnet services. Included by the templates,
// the dialogs of features/management and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "Device Parameter Configuration" (SetupDlg).
namespace device_setup_ids {
constexpr UINT IDD = 134;
constexpr ui::ControlId<CIPAddressCtrl> IDC_DEVICE_IP{1013};
constexpr ui::ControlId<CEdit> IDC_TIMEOUT{1011};
constexpr ui::ControlId<CButton> IDC_APPLY{3};
constexpr ui::ControlId<CButton> IDC_OK{1};
constexpr ui::ControlId<CButton> IDC_CLOSE{2};
}  // namespace device_setup_ids

// "CLI Configuration" (CCLIControlDlg).
namespace cli_ids {
constexpr UINT IDD = 489;
constexpr ui::ControlId<CEdit> IDC_CLI_TIMEOUT{1310};
constexpr ui::ControlId<CButton> IDC_HISTORY_ENABLE{1008};
constexpr ui::ControlId<CEdit> IDC_HISTORY_SIZE{1312};
constexpr ui::ControlId<CEdit> IDC_SSH_TIMEOUT{1313};
constexpr ui::ControlId<CEdit> IDC_TELNET_TIMEOUT{1314};
constexpr ui::ControlId<CButton> IDC_TELNET_HISTORY_ENABLE{1009};
constexpr ui::ControlId<CEdit> IDC_TELNET_HISTORY_SIZE{1315};
constexpr ui::ControlId<CButton> IDC_SSH_HISTORY_ENABLE{1098};
constexpr ui::ControlId<CEdit> IDC_SSH_HISTORY_SIZE{1316};
constexpr ui::ControlId<CButton> IDC_REFRESH{103};
constexpr ui::ControlId<CButton> IDC_APPLY{1145};
constexpr ui::ControlId<CButton> IDC_CLOSE{1146};
}  // namespace cli_ids

// "Web Service Configuration" (CWebConfigDlg).
namespace web_config_ids {
constexpr UINT IDD = 500;
constexpr ui::ControlId<CListCtrl> IDC_LIST{202};
constexpr ui::ControlId<CEdit> IDC_INDEX{204};
constexpr ui::ControlId<CEdit> IDC_UDP_PORT{206};
constexpr ui::ControlId<CEdit> IDC_IDLE_TIMEOUT{205};
constexpr ui::ControlId<CComboBox> IDC_STATUS{212};
constexpr ui::ControlId<CButton> IDC_REFRESH{241};
constexpr ui::ControlId<CButton> IDC_APPLY{242};
constexpr ui::ControlId<CButton> IDC_CLOSE{2};
}  // namespace web_config_ids

// "Telnet Configuration" (CTelnetCfgDlg).
namespace telnet_ids {
constexpr UINT IDD = 496;
constexpr ui::ControlId<CEdit> IDC_PASSWORD{214};
constexpr ui::ControlId<CEdit> IDC_TIMEOUT{218};
constexpr ui::ControlId<CButton> IDC_TIMEOUT_APPLY{243};
constexpr ui::ControlId<CListCtrl> IDC_LIST{201};
constexpr ui::ControlId<CEdit> IDC_SESSION_ID{215};
constexpr ui::ControlId<CComboBox> IDC_STATUS{209};
constexpr ui::ControlId<CButton> IDC_SESSION_APPLY{242};
constexpr ui::ControlId<CButton> IDC_REFRESH{241};
constexpr ui::ControlId<CButton> IDC_CLOSE{2};
}  // namespace telnet_ids
