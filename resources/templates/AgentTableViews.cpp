// The SNMP agent table views: engine (471), communities (472), groups (473), access (474),
// view trees (475) and users (476).
#include "platform/ui/Template.h"
#include "resources/templates/AgentTableViewsIds.h"

namespace {
constexpr DWORD kViewStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kListStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
constexpr DWORD kBoxStyle = ES_READONLY | ES_AUTOHSCROLL;
}  // namespace

namespace agent_table_ids {

// clang-format off
UI_DIALOG_TEMPLATE(IDD_ENGINE, "SNMPv3 Engine Information", kViewStyle,
    Column({
        Grid(2, {
            Label(IDC_STATIC, "Engine ID:"), Edit(IDC_ENGINE_ID, kBoxStyle).With(WS_DISABLED).Chars(34),
            Label(IDC_STATIC, "Boot Numbers:"), Edit(IDC_ENGINE_BOOTS, kBoxStyle).With(WS_DISABLED),
            Label(IDC_STATIC, "Engine Time:"), Edit(IDC_ENGINE_TIME, kBoxStyle).With(WS_DISABLED),
            Label(IDC_STATIC, "Max Message Size:"), Edit(IDC_ENGINE_MAX_MESSAGE, kBoxStyle).With(WS_DISABLED),
        }),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on

// clang-format off
UI_DIALOG_TEMPLATE(IDD_COMMUNITY, "SNMPv3 Community Information", kViewStyle,
    Column({
        Group(IDC_STATIC, "Community List", {List(IDC_COMMUNITY_LIST, kListStyle).Size(520, 220)}),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on

// clang-format off
UI_DIALOG_TEMPLATE(IDD_GROUP, "SNMPv3 Group Information", kViewStyle,
    Column({
        Group(IDC_STATIC, "Group List", {List(IDC_GROUP_LIST, kListStyle).Size(520, 220)}),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on

// clang-format off
UI_DIALOG_TEMPLATE(IDD_ACCESS, "SNMPv3 Access Information", kViewStyle,
    Column({
        Group(IDC_STATIC, "Access List", {List(IDC_ACCESS_LIST, kListStyle).Size(640, 220)}),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on

// clang-format off
UI_DIALOG_TEMPLATE(IDD_MIB_TREE, "SNMP MIB Access Control Information", kViewStyle,
    Column({
        Group(IDC_STATIC, "SNMP MIB Access Control List", {List(IDC_MIB_TREE_LIST, kListStyle).Size(520, 220)}),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on

// clang-format off
UI_DIALOG_TEMPLATE(IDD_USER, "SNMPv3 User Information", kViewStyle,
    Column({
        Group(IDC_STATIC, "User List", {List(IDC_USER_LIST, kListStyle).Size(520, 220)}),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on

}  // namespace agent_table_ids
