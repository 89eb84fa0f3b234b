#pragma once
// Control ids of the SNMP agent table views (AgentTableViews.cpp), for the templates, the
// dialogs of views/direct and their tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

namespace agent_table_ids {
// Every view of the file.
constexpr ui::ControlId<CButton> IDC_REFRESH{241};

// "SNMPv3 Engine Information" (CEngineInfo).
constexpr UINT IDD_ENGINE = 471;
constexpr ui::ControlId<CEdit> IDC_ENGINE_ID{249};
constexpr ui::ControlId<CEdit> IDC_ENGINE_BOOTS{250};
constexpr ui::ControlId<CEdit> IDC_ENGINE_TIME{251};
constexpr ui::ControlId<CEdit> IDC_ENGINE_MAX_MESSAGE{252};
// "SNMPv3 Community Information" (CCommunityInfo).
constexpr UINT IDD_COMMUNITY = 472;
constexpr ui::ControlId<CListCtrl> IDC_COMMUNITY_LIST{253};
// "SNMPv3 Group Information" (CGroupInfo).
constexpr UINT IDD_GROUP = 473;
constexpr ui::ControlId<CListCtrl> IDC_GROUP_LIST{254};
// "SNMPv3 Access Information" (CAccessInfo).
constexpr UINT IDD_ACCESS = 474;
constexpr ui::ControlId<CListCtrl> IDC_ACCESS_LIST{255};
// "SNMP MIB Access Control Information" (CMibTreeInfo).
constexpr UINT IDD_MIB_TREE = 475;
constexpr ui::ControlId<CListCtrl> IDC_MIB_TREE_LIST{256};
// "SNMPv3 User Information" (CUserInfo).
constexpr UINT IDD_USER = 476;
constexpr ui::ControlId<CListCtrl> IDC_USER_LIST{257};
}  // namespace agent_table_ids
