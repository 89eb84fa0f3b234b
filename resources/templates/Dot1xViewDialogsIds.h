#pragma once
// Control ids of the 802.1X authenticator dialogs of views/ (Dot1xViewDialogs.cpp), for the
// templates, the dialogs and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "802.1X Config Information" (C8021Config).
namespace dot1x_config_ids {
constexpr UINT IDD = 468;
constexpr ui::ControlId<CButton> IDC_ENABLE{1012};
constexpr ui::ControlId<CIPAddressCtrl> IDC_RADIUS_IP{1013};
constexpr ui::ControlId<CEdit> IDC_KEY{1004};
constexpr ui::ControlId<CEdit> IDC_CONFIRM_KEY{1005};
constexpr ui::ControlId<CEdit> IDC_QUIET_PERIOD{1008};
constexpr ui::ControlId<CEdit> IDC_TX_PERIOD{1003};
constexpr ui::ControlId<CEdit> IDC_SUPP_TIMEOUT{1009};
constexpr ui::ControlId<CEdit> IDC_SERVER_TIMEOUT{1041};
constexpr ui::ControlId<CEdit> IDC_MAX_REQ{1042};
constexpr ui::ControlId<CEdit> IDC_REAUTH_PERIOD{1043};
constexpr ui::ControlId<CComboBox> IDC_REAUTH_ENABLED{1040};
constexpr ui::ControlId<CButton> IDC_APPLY{242};
constexpr ui::ControlId<CButton> IDC_PORT_SET{1000};
constexpr ui::ControlId<CButton> IDC_REFRESH{103};
}  // namespace dot1x_config_ids

// "802.1X Port Configuration" (Dot1xPortConfig).
namespace dot1x_port_config_ids {
constexpr UINT IDD = 868;
constexpr ui::ControlId<CComboBox> IDC_FROM_PORT{1007};
constexpr ui::ControlId<CComboBox> IDC_TO_PORT{1085};
constexpr ui::ControlId<CComboBox> IDC_CONTROL{1087};
constexpr ui::ControlId<CButton> IDC_APPLY{IDOK};
constexpr ui::ControlId<CListCtrl> IDC_PORT_LIST{1045};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
}  // namespace dot1x_port_config_ids
