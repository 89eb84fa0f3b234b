#pragma once
// Control ids of the IP-MAC-port binding dialogs (IMPBDialogs.cpp). Included by the
// templates, the dialogs of features/security and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "White List" (CIMPBWhiteList): the hosts bound by hand.
namespace impb_white_list_ids {
constexpr UINT IDD = 140;
constexpr ui::ControlId<CListCtrl> IDC_LIST{1010};
constexpr ui::ControlId<CEdit> IDC_TOTAL{1170};
constexpr ui::ControlId<CButton> IDC_DELETE{1173};
constexpr ui::ControlId<CButton> IDC_REFRESH{1149};
}  // namespace impb_white_list_ids

namespace impb_settings_ids {
constexpr UINT IDD = 141;
constexpr ui::ControlId<CComboBox> IDC_FROM_PORT{1166};
constexpr ui::ControlId<CComboBox> IDC_TO_PORT{1165};
constexpr ui::ControlId<CComboBox> IDC_ADMIN_STATE{1164};
constexpr ui::ControlId<CComboBox> IDC_INSPECTION{1054};
constexpr ui::ControlId<CComboBox> IDC_DHCP_SNOOPING{1055};
constexpr ui::ControlId<CButton> IDC_APPLY{1051};
constexpr ui::ControlId<CButton> IDC_REFRESH{1167};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1010};
}  // namespace impb_settings_ids

namespace impb_binding_ids {
constexpr UINT IDD = 142;
constexpr ui::ControlId<CEdit> IDC_ADDRESS{1175};  // a CEditEXIPV6
constexpr ui::ControlId<CEdit> IDC_MAC{1001};
constexpr ui::ControlId<CEdit> IDC_PORT{1002};
constexpr ui::ControlId<CButton> IDC_ADD{1149};
constexpr ui::ControlId<CEdit> IDC_SCAN_FROM{1012};  // a CEditEXIPV6
constexpr ui::ControlId<CEdit> IDC_SCAN_TO{1168};    // a CEditEXIPV6
constexpr ui::ControlId<CButton> IDC_SCAN{1060};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1010};
constexpr ui::ControlId<CButton> IDC_REFRESH{1174};
constexpr ui::ControlId<CButton> IDC_BIND{1169};
}  // namespace impb_binding_ids

namespace impb_black_list_ids {
constexpr UINT IDD = 144;
constexpr ui::ControlId<CEdit> IDC_VID{1114};
constexpr ui::ControlId<CEdit> IDC_ADDRESS{1000};  // a CEditEXIPV6
constexpr ui::ControlId<CEdit> IDC_MAC{1001};
constexpr ui::ControlId<CEdit> IDC_PORT{1002};
constexpr ui::ControlId<CButton> IDC_FIND{1005};
constexpr ui::ControlId<CEdit> IDC_TOTAL{1171};
constexpr ui::ControlId<CListCtrl> IDC_LIST{1010};
constexpr ui::ControlId<CButton> IDC_DELETE{1003};
constexpr ui::ControlId<CButton> IDC_REFRESH{1044};
}  // namespace impb_black_list_ids
