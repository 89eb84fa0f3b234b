// DHCP/BOOTP relay global settings (243), relay interface (244), local relay (246) and the
// DHCP server screening port settings (194).
#include "platform/ui/Template.h"
#include "resources/templates/DhcpRelayDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kListStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
}  // namespace

namespace dhcp_relay_global_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "DHCP BOOTP Relay Global Settings", kDialogStyle,
    Column({
        Grid(2, {
            Label(IDC_STATIC, "BOOTP Relay State "), Combo(IDC_RELAY_STATE, CBS_DROPDOWN | CBS_SORT).Fits("Disabled  "),
            Label(IDC_STATIC, "BOOTP Relay Hops Count Limit (1-16) "), Edit(IDC_HOPS, ES_NUMBER).Chars(6),
            Label(IDC_STATIC, "BOOTP Relay Time Threshold (0-65535) "), Edit(IDC_TIME_THRESHOLD, ES_NUMBER).Chars(6),
            Label(IDC_STATIC, "DHCP Relay Agent Information Option 82 State "), Combo(IDC_OPTION82_STATE, CBS_DROPDOWNLIST | CBS_SORT).Fits("Disabled  ").With(WS_DISABLED),
            Label(IDC_STATIC, "DHCP Relay Agent Information Option 82 Check "), Combo(IDC_OPTION82_CHECK, CBS_DROPDOWNLIST | CBS_SORT).Fits("Disabled  "),
            Label(IDC_STATIC, "DHCP Relay Agent Information Option 82 Policy "), Combo(IDC_OPTION82_POLICY).Fits("Replace  "),
            Label(IDC_STATIC, "DHCP Relay Agent Information Option 82 Remote ID "), Combo(IDC_REMOTE_ID_TYPE).Fits("User Define  "),
            Label(IDC_STATIC, ""), Edit(IDC_REMOTE_ID).Width(220),
        }),
        Row({Stretch(), Button(IDC_APPLY, "&Apply"), Button(IDC_REFRESH, "&Refresh")}),
    }))
// clang-format on
}  // namespace dhcp_relay_global_ids

namespace dhcp_relay_interface_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "DHCP/BOOTP Relay Interface Settings", kDialogStyle,
    Column({
        Row({Label(IDC_STATIC, "Interface"), Edit(IDC_INTERFACE, ES_READONLY).Fits("System  "),
             Label(IDC_STATIC, "Server IP"), IpAddress(IDC_SERVER_IP).Fits("255.255.255.255  "),
             Stretch(), Button(IDC_APPLY, "&Apply ")}),
        Group(IDC_STATIC, "DHCP/BOOTP Relay Interface Table", {List(IDC_SERVER_LIST, kListStyle).Size(300, 160)}),
        Row({Stretch(), Button(IDC_REFRESH, "&Refresh"), Button(IDC_DELETE, "&Delete"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace dhcp_relay_interface_ids

namespace dhcp_local_relay_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "DHCP Local Relay Settings", kDialogStyle,
    Column({
        Row({Check(IDC_ENABLE, "Enable DHCP/BOOTP Local Relay ").With(BS_LEFTTEXT), Stretch(), Button(IDC_APPLY_GLOBAL, "&Apply")}),
        Group(IDC_STATIC, "DHCP/BOOTP Local Relay VID List ", {
            Row({Label(IDC_STATIC, "VID list:"), Combo(IDC_VID_LIST).Chars(5),
                 Label(IDC_STATIC, "Vlan name:"), Edit(IDC_VLAN_NAME).Width(140),
                 Label(IDC_STATIC, "Status:"), Combo(IDC_STATUS).Fits("Disabled  "),
                 Stretch(), Button(IDC_APPLY_VLAN, "&Apply")}),
            List(IDC_VLAN_LIST, kListStyle).Size(300, 200),
        }),
        Row({Stretch(), Button(IDC_REFRESH, "&Refresh")}),
    }))
// clang-format on
}  // namespace dhcp_local_relay_ids

namespace dhcp_server_config_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "DHCP Server Screening Port Settings", kDialogStyle,
    Column({
        Row({Label(IDC_STATIC, "From Port"), Combo(IDC_FROM_PORT).Chars(4),
             Label(IDC_STATIC, "To Port"), Combo(IDC_TO_PORT).Chars(4),
             Label(IDC_STATIC, "State"), Combo(IDC_STATE).Fits("Disabled  "),
             Stretch(), Button(IDC_APPLY, "&Apply")}),
        List(IDC_PORT_LIST, LVS_REPORT | LVS_SHOWSELALWAYS).Size(520, 300),
        Row({Stretch(), Button(IDC_REFRESH, "&Refresh"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace dhcp_server_config_ids
