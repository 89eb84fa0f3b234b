#pragma once
// Control ids of the IGMP snooping dialogs (global 3108, per VLAN 3150, learned groups 3151)
// and of the multicast filtering mode dialog (3109). Included by the templates, the dialogs
// and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

namespace igmpids {
// "IGMP Snooping Configuration"
constexpr int IDD_IGMP_SNOOP_CONFIG = 3108;
constexpr ui::ControlId<CButton> IDC_IGMP_ENABLE{1201};
constexpr ui::ControlId<CButton> IDC_IGMP_REPORT_ALL{1202};
constexpr ui::ControlId<CEdit> IDC_IGMP_HOST_TIMEOUT{1203};
constexpr ui::ControlId<CEdit> IDC_IGMP_ROBUSTNESS{1204};
constexpr ui::ControlId<CEdit> IDC_IGMP_QUERY_INTERVAL{1205};
constexpr ui::ControlId<CEdit> IDC_IGMP_ROUTER_TIMEOUT{1206};
constexpr ui::ControlId<CEdit> IDC_IGMP_LAST_MEMBER_INTERVAL{1207};
constexpr ui::ControlId<CEdit> IDC_IGMP_MAX_RESPONSE{1208};
constexpr ui::ControlId<CButton> IDC_IGMP_APPLY{1209};
constexpr ui::ControlId<CButton> IDC_IGMP_VLAN_INFO{1210};
constexpr ui::ControlId<CButton> IDC_IGMP_REFRESH{1211};

// "The VLAN Settings of IGMP snooping "
constexpr int IDD_IGMP_VLAN_SETTING = 3150;
constexpr ui::ControlId<CButton> IDC_IGMP_VLAN_GROUP{1301};
constexpr ui::ControlId<CListCtrl> IDC_IGMP_VLAN_LIST{1302};
constexpr ui::ControlId<CButton> IDC_IGMP_VIEW_ENTRIES{1303};
constexpr ui::ControlId<CButton> IDC_IGMP_VLAN_REFRESH{1304};
constexpr ui::ControlId<CButton> IDC_IGMP_SETTINGS_GROUP{1305};
constexpr ui::ControlId<CEdit> IDC_IGMP_VLAN_ID{1306};
constexpr ui::ControlId<CEdit> IDC_IGMP_VLAN_NAME{1307};
constexpr ui::ControlId<CComboBox> IDC_IGMP_VLAN_STATE{1308};
constexpr ui::ControlId<CComboBox> IDC_IGMP_QUERIER_STATE{1309};
constexpr ui::ControlId<CComboBox> IDC_IGMP_FAST_LEAVE{1310};
constexpr ui::ControlId<CButton> IDC_IGMP_VLAN_APPLY{1311};
constexpr ui::ControlId<CButton> IDC_IGMP_ROUTER_GROUP{1312};
constexpr ui::ControlId<CButton> IDC_IGMP_ROUTER_APPLY{1314};
// Run-time router-port boxes and their number labels: base + port.
constexpr int IDC_IGMP_ROUTER_BOX_BASE = 6000;
constexpr int IDC_IGMP_ROUTER_NUMBER_BASE = 7500;

// "Multicast Entry Table"
constexpr int IDD_IGMP_MULTICAST_ENTRIES = 3151;
constexpr ui::ControlId<CListCtrl> IDC_IGMP_GROUP_LIST{1401};
constexpr ui::ControlId<CButton> IDC_IGMP_GROUP_REFRESH{1402};

// "Multicast Filtering Mode Configuration"
constexpr int IDD_MULTI_FILTER_MODE = 3109;
constexpr ui::ControlId<CButton> IDC_FILTER_APPLY{1501};
constexpr ui::ControlId<CButton> IDC_FILTER_ALL{1502};
constexpr ui::ControlId<CComboBox> IDC_FILTER_VLAN_ID{1503};
constexpr ui::ControlId<CButton> IDC_FILTER_REFRESH{1504};
constexpr ui::ControlId<CListCtrl> IDC_FILTER_LIST{1505};
constexpr ui::ControlId<CComboBox> IDC_FILTER_MODE{1506};
}  // namespace igmpids
