#pragma once
// Control ids of the Public MIB views (PublicMibViews.cpp), for the templates, the views and
// their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "Interface Table" (CIntfList).
namespace interface_table_ids {
constexpr UINT IDD = 49;
constexpr ui::ControlId<CListCtrl> IDC_LIST{1088};
constexpr ui::ControlId<CStatic> IDC_COUNTER{1095};
constexpr ui::ControlId<CButton> IDC_REFRESH{3};
}  // namespace interface_table_ids

// "IP Table : <address>" (CIPAddrTable).
namespace ip_table_ids {
constexpr UINT IDD = 208;
constexpr ui::ControlId<CListCtrl> IDC_LIST{208};
constexpr ui::ControlId<CStatic> IDC_COUNTER{209};
constexpr ui::ControlId<CButton> IDC_REFRESH{103};
}  // namespace ip_table_ids

// "TCP Service" (CTcpPortInfo).
namespace tcp_service_ids {
constexpr UINT IDD = 481;
constexpr ui::ControlId<CListCtrl> IDC_LIST{234};
constexpr ui::ControlId<CButton> IDC_REFRESH{241};
}  // namespace tcp_service_ids

// "UDP Service" (CUdpPortInfo).
namespace udp_service_ids {
constexpr UINT IDD = 482;
constexpr ui::ControlId<CListCtrl> IDC_LIST{209};
constexpr ui::ControlId<CButton> IDC_REFRESH{241};
}  // namespace udp_service_ids

// "System Information" (CSnmpDevIden).
namespace system_info_ids {
constexpr UINT IDD = 80;
constexpr ui::ControlId<CEdit> IDC_NAME{1310};
constexpr ui::ControlId<CEdit> IDC_LOCATION{1313};
constexpr ui::ControlId<CStatic> IDC_RUNTIME{1304};
constexpr ui::ControlId<CStatic> IDC_OBJECT_ID{1303};
constexpr ui::ControlId<CStatic> IDC_CONTACT_LABEL{1311};
constexpr ui::ControlId<CEdit> IDC_CONTACT{1312};
constexpr ui::ControlId<CStatic> IDC_DESCR{1302};
constexpr ui::ControlId<CButton> IDC_REFRESH{103};
constexpr ui::ControlId<CButton> IDC_APPLY{1145};
constexpr ui::ControlId<CButton> IDC_CLOSE{1146};
}  // namespace system_info_ids

// "Forwarding Table" (CSwitchDatabase).
namespace forwarding_table_ids {
constexpr UINT IDD = 278;
constexpr ui::ControlId<CListCtrl> IDC_LIST{1205};
constexpr ui::ControlId<CStatic> IDC_AGE_TIME{1216};
constexpr ui::ControlId<CButton> IDC_BACK{1154};
constexpr ui::ControlId<CButton> IDC_NEXT{1149};
constexpr ui::ControlId<CButton> IDC_CLOSE{1217};
constexpr ui::ControlId<CButton> IDC_REFRESH{20};
}  // namespace forwarding_table_ids
