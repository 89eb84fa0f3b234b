// The security dialogs: storm control and the 802.1X global settings.
#include "platform/ui/Template.h"
#include "resources/templates/SecurityDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
}  // namespace

namespace storm_control_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Storm Control", kDialogStyle,
    Column({
        Check(IDC_ENABLE, "Enable Storm Control "),
        Group(IDC_STATIC, "Storm Control Type", {
            Combo(IDC_TYPE).Fits("Multicast & Broadcast & Unknown Unicast"),
        }),
        Label(IDC_STATIC, "Threshold(64Kbps * N)"),
        Row({Edit(IDC_UNIT, ES_READONLY).Fits("64Kbps  "), Label(IDC_STATIC, "*"), Edit(IDC_N, ES_NUMBER).Chars(6),
             Label(IDC_STATIC, "="), Edit(IDC_KBPS, ES_READONLY).Chars(8), Label(IDC_STATIC, "Kbps"), Stretch()}),
        Label(IDC_STATIC, " N = ( 1 ~ 16000 ) "),
        Row({Stretch(), Button(IDC_REFRESH, "&Refresh"), Button(IDC_APPLY, "Apply")}),
    }))
// clang-format on
}  // namespace storm_control_ids

namespace dot1x_global_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "802.1X Global Settings ", kDialogStyle,
    Column({
        Grid(3, {
            Label(IDC_STATIC, "Authentication State"), Radio(IDC_STATE_ENABLED, "Enabled ", true),
            Radio(IDC_STATE_DISABLED, "Disabled", false),
            Label(IDC_STATIC, "Forward EAPOL PDU"), Radio(IDC_EAPOL_ENABLED, "Enabled       ", true),
            Radio(IDC_EAPOL_DISABLED, "Disabled", false),
        }),
        Row({Label(IDC_STATIC, "Authentication Protocol"), Combo(IDC_PROTOCOL, CBS_DROPDOWN).Width(110), Stretch()}),
        Row({Stretch(), DefButton(IDOK, "Apply"), Button(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "Cancel")}),
    }))
// clang-format on
}  // namespace dot1x_global_ids

namespace dot1x_port_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "802.1X Port Settings", kDialogStyle,
    Column({
        Group(IDC_STATIC, "802.1X Port Settings", {
            Grid(6, {
                Label(IDC_STATIC, "From Port"), Label(IDC_STATIC, "To Port"), Label(IDC_STATIC, "QuietPeriod"),
                Label(IDC_STATIC, "SuppTimeout"), Label(IDC_STATIC, "ServerTimeout"), Label(IDC_STATIC, "MaxReq"),
                Combo(IDC_FROM_PORT), Combo(IDC_TO_PORT), Edit(IDC_QUIET_PERIOD, ES_NUMBER).Chars(5),
                Edit(IDC_SUPP_TIMEOUT, ES_NUMBER).Chars(5), Edit(IDC_SERVER_TIMEOUT, ES_NUMBER).Chars(5),
                Edit(IDC_MAX_REQ, ES_NUMBER).Chars(2),
                Label(IDC_STATIC, "TxPeriod"), Label(IDC_STATIC, "ReAuthPeriod"), Label(IDC_STATIC, "ReAuthentication"),
                Label(IDC_STATIC, "Port Control"), Label(IDC_STATIC, "Capability"), Label(IDC_STATIC, "Direction"),
                Edit(IDC_TX_PERIOD, ES_NUMBER).Chars(5), Edit(IDC_REAUTH_PERIOD, ES_NUMBER).Chars(5),
                Combo(IDC_REAUTHENTICATION, CBS_DROPDOWN | CBS_SORT).Fits("Disabled"),
                Combo(IDC_PORT_CONTROL, CBS_DROPDOWNLIST | CBS_SORT).Fits("Force UnAuthorized"),
                Combo(IDC_CAPABILITY, CBS_DROPDOWNLIST | CBS_SORT).Fits("Authenticator"),
                Combo(IDC_DIRECTION, CBS_DROPDOWN | CBS_SORT).Fits("Both"),
            }),
            Row({Stretch(), Button(IDC_APPLY, "Apply"), Button(IDC_REFRESH, "Refresh")}),
        }),
        List(IDC_PORT_LIST, LVS_REPORT | LVS_SHOWSELALWAYS).Size(900, 320),
    }))
// clang-format on
}  // namespace dot1x_port_ids

namespace dot1x_user_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "802.1X User", kDialogStyle,
    Column({
        Grid(2, {
            Label(IDC_STATIC, "User Name"), Edit(IDC_USER_NAME).Chars(15),
            Label(IDC_STATIC, "Password"), Edit(IDC_PASSWORD, ES_PASSWORD).Chars(15),
            Label(IDC_STATIC, "Confirm Password"), Edit(IDC_CONFIRM, ES_PASSWORD).Chars(15),
        }),
        Label(IDC_STATIC, "Note: Password/User Name should be less than 15 characters and more than 3 characters. "),
        Row({Stretch(), Button(IDC_ADD, "Add"), Button(IDC_DELETE, "Delete"), Button(IDC_REFRESH, "Refesh"),
             Button(IDC_CLOSE, "Close")}),
        List(IDC_USER_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS).Size(360, 200),
        Row({Label(IDC_STATIC, "Total Entries:"), Edit(IDC_TOTAL).Chars(4).With(WS_DISABLED), Stretch()}),
    }))
// clang-format on
}  // namespace dot1x_user_ids

namespace dot1x_radius_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Authentication RADIUS Server", kDialogStyle,
    Column({
        Grid(4, {
            Label(IDC_STATIC, "Index"), Combo(IDC_INDEX), Label(IDC_STATIC, "IP Address"),
            Edit(IDC_ADDRESS).Fits("ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff%interface"),
            Label(IDC_STATIC, "Authentication Port"), Edit(IDC_AUTH_PORT, ES_NUMBER).Chars(5),
            Label(IDC_STATIC, "Accounting Port"), Edit(IDC_ACCT_PORT, ES_NUMBER).Chars(5),
            Label(IDC_STATIC, "Timeout"), Edit(IDC_TIMEOUT, ES_NUMBER).Chars(3),
            Label(IDC_STATIC, "Retransmit"), Edit(IDC_RETRANSMIT, ES_NUMBER).Chars(3),
            Label(IDC_STATIC, "Key"), Edit(IDC_KEY, ES_PASSWORD).Chars(32),
            Label(IDC_STATIC, "Confirm Key"), Edit(IDC_CONFIRM_KEY, ES_PASSWORD).Chars(32),
        }),
        Label(IDC_STATIC, "For key, the maximum number of character is 32."),
        Row({Stretch(), Button(IDC_APPLY, "Apply"), Button(IDC_REFRESH, "Refresh"), Button(IDC_DELETE, "Delete"),
             Button(IDC_CLOSE, "Close")}),
        Group(IDC_STATIC, "RADIUS Server List", {
            List(IDC_SERVER_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS).Size(680, 180),
        }),
    }))
// clang-format on
}  // namespace dot1x_radius_ids

namespace dhcp_screening_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "DHCP Server Screening Settings  ", kDialogStyle,
    Column({
        Group(IDC_STATIC, "DHCP Server Trusted Port Settings", {
            Row({Label(IDC_STATIC, "DHCP Server Trusted Port :"), Edit(IDC_TRUSTED_PORTS).Width(220),
                 Label(IDC_STATIC, "Ex:(1,2,4-6) "), Button(IDC_APPLY_PORTS, "&Add")}),
        }),
        Group(IDC_STATIC, "Trusted DHCP Server IP Settings", {
            Row({Label(IDC_STATIC, "IPV4/IPV6 Address"),
                 Edit(IDC_ADDRESS).Fits("ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"), Button(IDC_ADD_SERVER, "&Add")}),
        }),
        Group(IDC_STATIC, "Trusted DHCP Server IP Lists ", {
            List(IDC_SERVER_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS).Size(620, 160),
            Label(IDC_STATIC, "Note:Maximum 5 entries"),
        }),
        Row({Stretch(), Button(IDC_DELETE, "&Delete"), Button(IDC_REFRESH, "&Refresh"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace dhcp_screening_ids

namespace traffic_seg_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Traffic Segmentation Settings ", kDialogStyle,
    Column({
        Group(IDC_STATE_GROUP, "Global Settings", {
            Row({Check(IDC_ENABLE, "Enable Forwarding Port Settings"), Stretch(), Button(IDC_APPLY_STATE, "&Apply")}),
        }),
        Row({Label(1118, "From Port"), Combo(IDC_FROM_PORT).Fits("ALL  "), Stretch()}),
        Label(IDC_TO_PORT_LABEL, "To Port"),
        Frame(IDC_PORT_FRAME).Size(880, 110),
        Row({Stretch(), Button(IDC_SELECT_ALL, "Select All"), Button(IDC_CLEAR, "&Clear"),
             Button(IDC_APPLY_PORTS, "&Apply")}),
        Group(1342, "Forwarding Port Table", {
            List(IDC_FORWARD_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS).Size(480, 220),
        }),
        Row({Stretch(), Button(IDC_REFRESH, "&Refresh")}),
    }))
// clang-format on
}  // namespace traffic_seg_ids
