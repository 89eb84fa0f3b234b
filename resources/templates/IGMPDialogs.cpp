// IGMP snooping: global settings, per-VLAN settings with static router ports, learned
// multicast groups; and the multicast filtering mode of each VLAN.
#include "platform/ui/Template.h"
#include "resources/templates/IGMPDialogsIds.h"

using namespace igmpids;

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kNumberField = ES_NUMBER | ES_RIGHT;
}  // namespace

// clang-format off
UI_DIALOG_TEMPLATE(IDD_IGMP_SNOOP_CONFIG, "IGMP Snooping Configuration", kDialogStyle,
    Column({
        Group(IDC_STATIC, "IGMP Global Settings", {
            Row({Check(IDC_IGMP_ENABLE, "Enable IGMP Snooping "), Stretch(),
                 Check(IDC_IGMP_REPORT_ALL, "Report to all ports"), Stretch()}),
            Grid(4, {
                Label(IDC_STATIC, "Host Timeout(130-153025 sec)"), Edit(IDC_IGMP_HOST_TIMEOUT, kNumberField).Width(80),
                Label(IDC_STATIC, "Router Timeout(60-600 sec)"), Edit(IDC_IGMP_ROUTER_TIMEOUT, kNumberField).Width(80),
                Label(IDC_STATIC, "Robustness Variable(2-255)"), Edit(IDC_IGMP_ROBUSTNESS, kNumberField).Width(80),
                Label(IDC_STATIC, "Last Member Query Interval(1-25 sec)"),
                Edit(IDC_IGMP_LAST_MEMBER_INTERVAL, kNumberField).Width(80),
                Label(IDC_STATIC, "Query Interval(60-600 sec)"), Edit(IDC_IGMP_QUERY_INTERVAL, kNumberField).Width(80),
                Label(IDC_STATIC, "Max Response Time(10-25 sec)"), Edit(IDC_IGMP_MAX_RESPONSE, kNumberField).Width(80),
            }),
            Label(IDC_STATIC, "Note: The Host Timeout was computed automatically in Querier Enabled by"),
            Label(IDC_STATIC, " (Robustness Variable * Query Interval + Max Response Time)."),
        }),
        Row({Stretch(), DefButton(IDC_IGMP_APPLY, "&Apply"), Button(IDC_IGMP_VLAN_INFO, "&IGMP Vlan Info"),
             Button(IDC_IGMP_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on

// clang-format off
UI_DIALOG_TEMPLATE(IDD_IGMP_VLAN_SETTING, "The VLAN Settings of IGMP snooping ", kDialogStyle,
    Column({
        Group(IDC_IGMP_VLAN_GROUP, "The VLAN Settings of IGMP snooping ", {
            List(IDC_IGMP_VLAN_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER).Size(700, 200),
            Row({Stretch(), Button(IDC_IGMP_VIEW_ENTRIES, "&View Multicast Entry "),
                 Button(IDC_IGMP_VLAN_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
        }),
        Group(IDC_IGMP_SETTINGS_GROUP, "", {
            Grid(6, {
                Label(IDC_STATIC, "VLAN ID"), Edit(IDC_IGMP_VLAN_ID, ES_READONLY).Width(80),
                Label(IDC_STATIC, "VLAN Name"), Edit(IDC_IGMP_VLAN_NAME, ES_READONLY).Width(140), Stretch(), Stretch(),
                Label(IDC_STATIC, "State"), Combo(IDC_IGMP_VLAN_STATE),
                Label(IDC_STATIC, "Querier State"), Combo(IDC_IGMP_QUERIER_STATE),
                Label(IDC_STATIC, "Fast Leave "), Combo(IDC_IGMP_FAST_LEAVE),
            }),
            Row({Stretch(), Button(IDC_IGMP_VLAN_APPLY, "&Apply")}),
            Group(IDC_IGMP_ROUTER_GROUP, "Static Router Ports", {
                Row({Stretch(), Button(IDC_IGMP_ROUTER_APPLY, "&Apply")}),
            }),
        }),
    }))
// clang-format on

// clang-format off
UI_DIALOG_TEMPLATE(IDD_IGMP_MULTICAST_ENTRIES, "Multicast Entry Table", kDialogStyle,
    Column({
        Group(IDC_STATIC, "Multicast Entry Table Info", {
            List(IDC_IGMP_GROUP_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER).Size(650, 260),
        }),
        Row({Stretch(), Button(IDC_IGMP_GROUP_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on

// clang-format off
UI_DIALOG_TEMPLATE(IDD_MULTI_FILTER_MODE, "Multicast Filtering Mode Configuration", kDialogStyle,
    Column({
        Row({Label(IDC_STATIC, "VLAN ID"), Combo(IDC_FILTER_VLAN_ID).Width(80), Check(IDC_FILTER_ALL, "All"),
             Label(IDC_STATIC, "Multicast Filtering Mode"), Combo(IDC_FILTER_MODE).Width(220),
             Button(IDC_FILTER_APPLY, "&Apply")}),
        Group(IDC_STATIC, "", {List(IDC_FILTER_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER).Size(590, 260)}),
        Row({Stretch(), Button(IDC_FILTER_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
