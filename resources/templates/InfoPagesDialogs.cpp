// The switch's information pages: software packages (495), 802.1X statistics (466) and
// diagnostics (467), syslog records (493), cached records (494), applications (498) and
// settings (492), DHCP (488), device (382), IGMP router ports (206), VLAN (491) and trunk (486)
// information.
#include "platform/ui/Template.h"
#include "resources/templates/InfoPagesDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kListStyle = LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
constexpr DWORD kValueStyle = ES_AUTOHSCROLL | WS_DISABLED;
}  // namespace

namespace sw_package_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "SwPackageVersion Information", kDialogStyle,
    Column({
        List(IDC_LIST, kListStyle).Size(420, 220),
        Row({Label(IDC_STATIC, "Entries:"), Label(IDC_ENTRIES, "0").Chars(6), Stretch(),
             DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace sw_package_ids

namespace dot1x_table_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD_STATUS, "802.1x Statistic Information", kDialogStyle,
    Column({
        List(IDC_STATUS_LIST, kListStyle).Size(900, 360),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
UI_DIALOG_TEMPLATE(IDD_DIAGNOSIS, "802.1x Diagnose Information", kDialogStyle,
    Column({
        List(IDC_DIAGNOSIS_LIST, kListStyle).Size(900, 360),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace dot1x_table_ids

namespace syslog_table_ids {
namespace {
// The three syslog tables look alike: the list in an unlabelled group, the counter and buttons.
ui::tpl::Item TableBody() {
    using namespace ui::tpl;
    return Column({
        Group(IDC_STATIC, "", {List(IDC_LIST, kListStyle).Size(800, 320)}),
        Row({Label(IDC_STATIC, "Entries:"), Label(IDC_ENTRIES, "0").Chars(6), Stretch(),
             DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    });
}
}  // namespace

UI_DIALOG_TEMPLATE(IDD_LOG, "Syslog Information", kDialogStyle, TableBody())
UI_DIALOG_TEMPLATE(IDD_CACHE, "Syslog Information in Cache", kDialogStyle, TableBody())
UI_DIALOG_TEMPLATE(IDD_APPLICATION, "Syslog Application Information", kDialogStyle, TableBody())
}  // namespace syslog_table_ids

namespace syslog_config_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Syslog Configuration", kDialogStyle,
    Column({
        Group(IDC_STATIC, "Syslog Configuration", {
            Check(IDC_ENABLE, "SyslogEnable"),
            Grid(2, {
                Label(IDC_STATIC, "MinLogToConsoleSeverity:"), Combo(IDC_CONSOLE).Width(140),
                Label(IDC_STATIC, "MinLogToFileSeverity:"), Combo(IDC_FILE).Width(140),
                Label(IDC_STATIC, "MinLogToCacheSeverity:"), Combo(IDC_CACHE).Width(140),
            }),
        }),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDC_APPLY, "&Apply"),
             Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace syslog_config_ids

namespace dhcp_info_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "", kDialogStyle,
    Column({
        Grid(2, {
            Label(IDC_STATIC, "DhcpMibVersion:"), Edit(IDC_MIB_VERSION, kValueStyle).Chars(12),
            Label(IDC_STATIC, "DhcpRelayExists:"), Edit(IDC_RELAY, kValueStyle).Chars(12),
            Label(IDC_STATIC, "DhcpSrvExists:"), Edit(IDC_SERVER, kValueStyle).Chars(12),
        }),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDC_APPLY, "&Apply").Hidden(),
             Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace dhcp_info_ids

namespace device_info_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Device Information", kDialogStyle,
    Column({
        Group(IDC_STATIC, "Power Supply", {List(IDC_POWER_LIST, kListStyle | LVS_SINGLESEL).Size(420, 120)}),
        Group(IDC_STATIC, "Port Information", {
            Grid(2, {
                Label(IDC_STATIC, "Web HTTP Port:"), Edit(IDC_WEB_PORT, kValueStyle | ES_NUMBER).Chars(6),
                Label(IDC_STATIC, "Num of Ports:"), Edit(IDC_PORT_COUNT, kValueStyle | ES_NUMBER).Chars(6),
                Label(IDC_STATIC, "User Defined Port:"), Edit(IDC_USER_PORT, kValueStyle | ES_NUMBER).Chars(6),
                Label(IDC_STATIC, "Loopback Port:"), Edit(IDC_LOOPBACK_PORT, kValueStyle | ES_NUMBER).Chars(6),
            }),
        }),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace device_info_ids

namespace igmp_router_ports_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "IGMP Router Ports Settings", kDialogStyle,
    Column({
        Group(IDC_STATIC, "", {
            Row({Label(IDC_STATIC, "VID:"), Edit(IDC_VID, ES_READONLY).Chars(6),
                 Label(IDC_STATIC, "VLAN Name:"), Edit(IDC_VLAN_NAME, ES_READONLY).Chars(20)}),
        }),
        Group(IDC_STATIC, "Router Ports Settings", {
            Label(IDC_STATIC_PORTS, "Static Router Ports"),
            Label(IDC_FORBIDDEN_PORTS, "Forbidden Router Ports"),
            Label(IDC_DYNAMIC_PORTS, "Dynamic Router Ports"),
        }),
        Row({Stretch(), Button(IDC_APPLY, "&Apply"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace igmp_router_ports_ids

namespace vlan_info_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "", kDialogStyle,
    Column({
        Group(IDC_STATIC, "VLAN Information", {
            Grid(2, {
                Label(IDC_STATIC, "MibVersion:"), Edit(IDC_MIB_VERSION, kValueStyle).Chars(12),
                Label(IDC_STATIC, "MaxTableNumber:"), Edit(IDC_MAX_TABLE, kValueStyle).Chars(12),
                Label(IDC_STATIC, "DefaultSupported:"), Edit(IDC_DEFAULT_SUPPORTED, kValueStyle).Chars(12),
                Label(IDC_STATIC, "Dot1vSupported:"), Edit(IDC_DOT1V_SUPPORTED, kValueStyle).Chars(12),
                Label(IDC_STATIC, "PrivateEdgeSupported:"), Edit(IDC_PRIVATE_EDGE_SUPPORTED, kValueStyle).Chars(12),
                Label(IDC_STATIC, "PrivateEdgeVersion:"), Edit(IDC_PRIVATE_EDGE_VERSION, kValueStyle).Chars(12),
            }),
            Check(IDC_SEND_UNKNOWN, "SendUnknownToAllPorts").With(WS_DISABLED),
            Check(IDC_DEFAULT_ENABLED, "DefaultEnabled").With(WS_DISABLED),
            Check(IDC_DYNAMIC_VLAN, "DynamicVlanSupported").With(WS_DISABLED),
        }),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDC_APPLY, "&Apply").Hidden(),
             Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace vlan_info_ids

namespace trunk_info_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "", kDialogStyle,
    Column({
        Grid(2, {
            Label(IDC_STATIC, "Dot3adAggMibVersion:"), Edit(IDC_MIB_VERSION, kValueStyle).Chars(12),
            Label(IDC_STATIC, "Dot3adAggNumOfTrunks:"), Edit(IDC_TRUNKS, kValueStyle).Chars(12),
            Label(IDC_STATIC, "Dot3adAggMaxPortsInTrunks:"), Edit(IDC_MAX_PORTS, kValueStyle).Chars(12),
            Label(IDC_STATIC, "Dot3adAggTrunkCreationSupport:"),
            Edit(IDC_CREATION, kValueStyle).Fits("supportsTrunkOrLacp"),
        }),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDC_APPLY, "&Apply").Hidden(),
             Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace trunk_info_ids
