// The 802.1X authenticator settings (468) and the per-port access control (868).
#include "platform/ui/Template.h"
#include "resources/templates/Dot1xViewDialogsIds.h"

namespace dot1x_config_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "802.1X Config Information", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    Column({
        Group(IDC_STATIC, "802.1X Global Setting", {
            Row({Check(IDC_ENABLE, "Enable 802.1X"), Stretch()}),
            Grid(2, {
                Label(IDC_STATIC, "Radius Server IP:"), IpAddress(IDC_RADIUS_IP).Fits("255.255.255.255  "),
                Label(IDC_STATIC, "Key:"), Edit(IDC_KEY, ES_PASSWORD).Chars(24),
                Label(IDC_STATIC, "Confirm Key:"), Edit(IDC_CONFIRM_KEY, ES_PASSWORD).Chars(24),
                Label(IDC_STATIC, "QuietPeriod(0-65535 sec)"), Edit(IDC_QUIET_PERIOD).Chars(10),
                Label(IDC_STATIC, "TxPeriod(1-65535 sec)"), Edit(IDC_TX_PERIOD).Chars(10),
                Label(IDC_STATIC, "SuppTimeout(1-65535 sec)"), Edit(IDC_SUPP_TIMEOUT).Chars(10),
                Label(IDC_STATIC, "ServerTimeout(1-65535 sec)"), Edit(IDC_SERVER_TIMEOUT).Chars(10),
                Label(IDC_STATIC, "MaxReq(1-10)"), Edit(IDC_MAX_REQ).Chars(10),
                Label(IDC_STATIC, "ReAuthPeriod(1-4294967295 sec)"), Edit(IDC_REAUTH_PERIOD).Chars(10),
                Label(IDC_STATIC, "ReAuthEnabled"), Combo(IDC_REAUTH_ENABLED, CBS_DROPDOWN).Fits("Disabled"),
            }),
        }),
        Row({Button(IDC_APPLY, "&Apply"), Button(IDC_PORT_SET, "&PortSet"), Button(IDC_REFRESH, "&Refresh"),
             Stretch(), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace dot1x_config_ids

namespace dot1x_port_config_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "802.1X Port Configuration", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    Column({
        Group(IDC_STATIC, "802.1X Port Access Control", {
            Row({
                Label(IDC_STATIC, "From Port:"), Combo(IDC_FROM_PORT).Chars(4),
                Label(IDC_STATIC, "To Port:"), Combo(IDC_TO_PORT).Chars(4),
                Label(IDC_STATIC, "Control:"), Combo(IDC_CONTROL).Fits("Force Unauthorized"),
                Stretch(), DefButton(IDC_APPLY, "Apply"),
            }),
        }),
        List(IDC_PORT_LIST, LVS_REPORT | LVS_SINGLESEL).Size(760, 320),
        Row({Stretch(), Button(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "Cancel")}),
    }))
// clang-format on
}  // namespace dot1x_port_config_ids
