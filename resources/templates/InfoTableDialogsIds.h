#pragma once
// Control ids of the ARP table, the route table and the resource information
// (InfoTableDialogs.cpp), for the templates, the dialogs of features/information and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

// "ARP Information" (CArpTable).
namespace arp_table_ids {
constexpr UINT IDD = 81;
constexpr ui::ControlId<CListCtrl> IDC_LIST{1144};
constexpr ui::ControlId<CStatic> IDC_ENTRIES{1143};
constexpr ui::ControlId<CButton> IDC_REFRESH{103};
constexpr ui::ControlId<CButton> IDC_PRINT{12};
}  // namespace arp_table_ids

// "Router Table" (CRouterMap).
namespace route_table_ids {
constexpr UINT IDD = 411;
constexpr ui::ControlId<CListCtrl> IDC_LIST{1194};
constexpr ui::ControlId<CStatic> IDC_ENTRIES{1195};
constexpr ui::ControlId<CButton> IDC_REFRESH{3};
}  // namespace route_table_ids

// "Resource Information" (CResourceInfo).
namespace resource_info_ids {
constexpr UINT IDD = 384;
constexpr ui::ControlId<CListCtrl> IDC_CPU_LIST{203};
constexpr ui::ControlId<CListCtrl> IDC_MIB_TREE_LIST{202};
constexpr ui::ControlId<CButton> IDC_REFRESH{241};
}  // namespace resource_info_ids
