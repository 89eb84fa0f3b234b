// The management service dialogs: the program's device parameters, and the switch's
// command-line, web and telnet services.
#include "platform/ui/Template.h"
#include "resources/templates/ServiceDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kListStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
}  // namespace

namespace device_setup_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Device Parameter Configuration", kDialogStyle,
    Column({
        Group(IDC_STATIC, "SNMP Parameter", {
            Grid(2, {
                Label(IDC_STATIC, "Device IP:"), IpAddress(IDC_DEVICE_IP),
                Label(IDC_STATIC, "Timeout:"), Edit(IDC_TIMEOUT, ES_NUMBER).Chars(10),
            }),
        }),
        Row({Stretch(), Button(IDC_APPLY, "&Apply"), Button(IDC_OK, "&OK"), DefButton(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace device_setup_ids

namespace cli_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "", kDialogStyle,
    Column({
        Group(IDC_STATIC, "CLI Configuration", {
            Grid(2, {
                Label(IDC_STATIC, "CliTimeout:"), Edit(IDC_CLI_TIMEOUT).Chars(10),
                Check(IDC_HISTORY_ENABLE, "CliHistoryEnable"), Stretch(),
                Label(IDC_STATIC, "CliHistorySize:"), Edit(IDC_HISTORY_SIZE).Chars(10),
                Label(IDC_STATIC, "CliSshTimeout:"), Edit(IDC_SSH_TIMEOUT).Chars(10),
            }),
        }),
        Group(IDC_STATIC, "CLI Configuration", {
            Grid(2, {
                Label(IDC_STATIC, "CliTelnetTimeout:"), Edit(IDC_TELNET_TIMEOUT).Chars(10).With(WS_DISABLED),
                Check(IDC_TELNET_HISTORY_ENABLE, "CliTelnetHistoryEnable"), Stretch(),
                Label(IDC_STATIC, "CliTelnetHistorySize:"), Edit(IDC_TELNET_HISTORY_SIZE).Chars(10).With(WS_DISABLED),
                Check(IDC_SSH_HISTORY_ENABLE, "CliSshHistoryEnable").With(WS_DISABLED), Stretch(),
                Label(IDC_STATIC, "CliSshHistorySize:"), Edit(IDC_SSH_HISTORY_SIZE).Chars(10).With(WS_DISABLED),
            }),
        }),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDC_APPLY, "&Apply"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace cli_ids

namespace web_config_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Web Service Configuration", kDialogStyle,
    Column({
        List(IDC_LIST, kListStyle).Size(760, 120),
        Grid(2, {
            Label(IDC_STATIC, "Index:"), Edit(IDC_INDEX, ES_NUMBER).Chars(6).With(WS_DISABLED),
            Label(IDC_STATIC, "UDP Port:"), Edit(IDC_UDP_PORT, ES_NUMBER).Chars(6),
            Label(IDC_STATIC, "MaxIdleTimeOut:"), Edit(IDC_IDLE_TIMEOUT).Chars(10),
            Label(IDC_STATIC, "Status:"), Combo(IDC_STATUS).Width(120),
        }),
        Row({Stretch(), Button(IDC_REFRESH, "&Refresh"), Button(IDC_APPLY, "&Apply"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace web_config_ids

namespace telnet_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Telnet Configuration", kDialogStyle,
    Column({
        Group(IDC_STATIC, "Telnet Configuration", {
            Grid(3, {
                Label(IDC_STATIC, "Password:"), Edit(IDC_PASSWORD).Width(160).With(WS_DISABLED), Stretch(),
                Label(IDC_STATIC, "Timeout:"), Edit(IDC_TIMEOUT, ES_NUMBER).Chars(6), Label(IDC_STATIC, "Minutes"),
            }),
            Row({Stretch(), Button(IDC_TIMEOUT_APPLY, "&Apply")}),
        }),
        Group(IDC_STATIC, "Session Information", {
            List(IDC_LIST, kListStyle).Size(560, 140),
        }),
        Group(IDC_STATIC, "Session Control", {
            Grid(2, {
                Label(IDC_STATIC, "Session ID:"), Edit(IDC_SESSION_ID, ES_NUMBER).Chars(6).With(WS_DISABLED),
                Label(IDC_STATIC, "Status:"), Combo(IDC_STATUS).Width(140).With(WS_DISABLED),
            }),
            Row({Stretch(), Button(IDC_SESSION_APPLY, "&Apply")}),
        }),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace telnet_ids
