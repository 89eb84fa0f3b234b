// The management dialogs: the SNMP agent's communities, users, groups, views, notification
// hosts, trap switches, engine ID and global state.
#include "platform/ui/Template.h"
#include "resources/templates/ManagementDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kListStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
}  // namespace

namespace snmp_community_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "SNMP Community Table Configuration", kDialogStyle,
    Column({
        Group(IDC_STATIC, "Community Table Info", {
            List(IDC_LIST, kListStyle).Size(520, 220),
        }),
        Group(IDC_STATIC, "", {
            Grid(2, {
                Label(IDC_STATIC, "Community Name"), Edit(IDC_NAME, ES_AUTOHSCROLL).Width(200),
                Label(IDC_STATIC, "User Name (View Policy)"), Combo(IDC_USER).Width(200),
            }),
        }),
        Row({Stretch(), Button(IDC_APPLY, "&Apply"), Button(IDC_DELETE, "&Delete"),
             Button(IDC_REFRESH, "&Refresh"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace snmp_community_ids

namespace snmp_user_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "SNMP User Table ", kDialogStyle,
    Column({
        Group(IDC_STATIC, "User Table Info", {
            List(IDC_LIST, kListStyle).Size(540, 220),
        }),
        Grid(4, {
            Label(IDC_STATIC, "User Name"), Edit(IDC_USER_NAME, ES_AUTOHSCROLL).Width(160),
            Label(IDC_STATIC, "Group Name"), Edit(IDC_GROUP_NAME, ES_AUTOHSCROLL).Width(160),
            Label(IDC_STATIC, "SNMP Version"), Combo(IDC_VERSION).Width(160),
            Check(IDC_ENCRYPTED, "encrypted"), Stretch(),
            Label(IDC_STATIC, "Auth-Protocol"), Combo(IDC_AUTH_PROTOCOL).Width(160),
            Label(IDC_STATIC, "Password"), Edit(IDC_AUTH_PASSWORD, ES_PASSWORD | ES_AUTOHSCROLL).Width(160),
            Label(IDC_STATIC, "Priv-Protocol"), Combo(IDC_PRIV_PROTOCOL).Width(160),
            Label(IDC_STATIC, "Password"), Edit(IDC_PRIV_PASSWORD, ES_PASSWORD | ES_AUTOHSCROLL).Width(160),
        }),
        Row({Stretch(), Button(IDC_APPLY, "&Apply"), Button(IDC_DELETE, "&Delete"),
             Button(IDC_REFRESH, "&Refresh"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace snmp_user_ids

namespace snmp_group_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "SNMP Group Table Info", kDialogStyle,
    Column({
        Group(IDC_STATIC, "SNMP Group Table", {
            List(IDC_LIST, kListStyle).Size(620, 220),
        }),
        Grid(4, {
            Label(IDC_STATIC, "Group Name"), Edit(IDC_GROUP_NAME, ES_AUTOHSCROLL).Width(160),
            Label(IDC_STATIC, "Read View Name "), Edit(IDC_READ_VIEW, ES_AUTOHSCROLL).Width(160),
            Label(IDC_STATIC, "Write View Name"), Edit(IDC_WRITE_VIEW, ES_AUTOHSCROLL).Width(160),
            Label(IDC_STATIC, "Notify View Name "), Edit(IDC_NOTIFY_VIEW, ES_AUTOHSCROLL).Width(160),
            Label(IDC_STATIC, "Security Model"), Combo(IDC_MODEL).Width(160),
            Label(IDC_STATIC, "Security Level"), Combo(IDC_LEVEL).Width(160),
        }),
        Row({Stretch(), Button(IDC_APPLY, "&Apply"), Button(IDC_DELETE, "&Delete"),
             Button(IDC_REFRESH, "&Refresh"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace snmp_group_ids

namespace snmp_view_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "SNMP View Table Configuration", kDialogStyle,
    Column({
        Group(IDC_STATIC, "SNMP View Table  Info", {
            List(IDC_LIST, kListStyle).Size(440, 220),
        }),
        Grid(4, {
            Label(IDC_STATIC, "View Name "), Edit(IDC_VIEW_NAME, ES_AUTOHSCROLL).Width(160),
            Label(IDC_STATIC, "Subtree OID "), Edit(IDC_SUBTREE, ES_AUTOHSCROLL).Width(160),
            Label(IDC_STATIC, "OID Mask "), Edit(IDC_MASK, ES_AUTOHSCROLL).Width(160),
            Label(IDC_STATIC, "View Type"), Combo(IDC_VIEW_TYPE).Width(160),
        }),
        Row({Stretch(), Button(IDC_APPLY, "&Apply"), Button(IDC_DELETE, "&Delete"),
             Button(IDC_REFRESH, "&Refresh"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace snmp_view_ids

namespace snmp_host_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "SNMP Host Table", kDialogStyle,
    Column({
        Group(IDC_STATIC, "Host Table Info", {
            List(IDC_LIST, kListStyle).Size(540, 220),
        }),
        Grid(2, {
            Label(IDC_STATIC, "Host IPV4/IPV6"), Edit(IDC_ADDRESS, ES_AUTOHSCROLL).Width(260),
            Label(IDC_STATIC, "SNMP Version"), Combo(IDC_VERSION).Width(160),
            Label(IDC_STATIC, "Community String/SNMPv3 User Name"), Edit(IDC_NAME, ES_AUTOHSCROLL).Width(260),
        }),
        Row({Stretch(), DefButton(IDC_APPLY, "&Apply"), Button(IDC_CANCEL, "Ca&ncel"), Button(IDC_DELETE, "&Delete"),
             Button(IDC_REFRESH, "&Refresh"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace snmp_host_ids

namespace snmp_trap_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "SNMP Trap Configuration", kDialogStyle,
    Column({
        Group(IDC_STATIC, "Trap Settings", {
            Check(IDC_AUTHENTICATION, "SNMP Authentication Traps"),
            Check(IDC_BOOTUP, "Device Bootup"),
            Check(IDC_LINK, "Port Link Up / Link Down"),
            Check(IDC_RSTP, "RSTP Port State Change"),
            Check(IDC_FIRMWARE, "Firmware Upgrade State"),
            Check(IDC_POE_POWER, "PoE Power On / Off"),
            Check(IDC_POE_ERROR, "PoE Power Error "),
            Check(IDC_POE_BUDGET, "PoE over max power budget"),
            Check(IDC_LOOPBACK, "Loopback Detection occuring / recovery"),
        }),
        Row({Stretch(), Button(IDC_APPLY, "&Apply"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace snmp_trap_ids

namespace snmp_engine_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "SNMP Engine ID", kDialogStyle,
    Column({
        Group(IDC_STATIC, "SNMP Engine ID", {
            Row({Label(IDC_LABEL, "SNMP Engine ID"), Edit(IDC_ENGINE_ID, ES_AUTOHSCROLL).Width(420)}),
            Label(IDC_STATIC, "Note: Engine ID length is 10-64, the accepted character is from 0 to F."),
        }),
        Row({Button(IDC_DEFAULT, "&Default").Hidden(), Stretch(), Button(IDC_APPLY, "&Apply"),
             Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace snmp_engine_ids

namespace snmp_global_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "SNMP Global State Settings", kDialogStyle,
    Column({
        Group(IDC_STATIC, "SNMP Global State Settings", {
            Check(IDC_ENABLE, "Enable SNMP Global ").With(BS_LEFTTEXT),
        }),
        Row({Stretch(), Button(IDC_APPLY, "&Apply"), Button(IDC_CANCEL, "Ca&ncel")}),
    }))
// clang-format on
}  // namespace snmp_global_ids

namespace rmon_status_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "RMON Global Settings ", kDialogStyle,
    Column({
        Group(IDC_STATIC, "RMON Global Settings", {
            Row({Radio(IDC_ENABLE, "Enable", true), Radio(IDC_DISABLE, "Disable", false), Stretch()}),
        }),
        Row({Stretch(), Button(IDC_REFRESH, "Refresh"), Button(IDC_APPLY, "Apply"), Button(IDC_CLOSE, "Close")}),
    }))
// clang-format on
}  // namespace rmon_status_ids

namespace rmon_statistics_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "RMON Ethernet Statistics Configuration", kDialogStyle,
    Column({
        Grid(6, {
            Label(IDC_STATIC, "Index (1 ~ 65535)*"), Edit(IDC_INDEX, ES_NUMBER).Width(80),
            Label(IDC_STATIC, "Port*"), Edit(IDC_PORT, ES_NUMBER).Width(60),
            Label(IDC_STATIC, "Owner"), Edit(IDC_OWNER, ES_AUTOHSCROLL).Width(160),
        }),
        Row({Stretch(), Button(IDC_APPLY, "Apply"), Button(IDC_REFRESH, "Refresh"), Button(IDC_CLOSE, "Close")}),
        List(IDC_LIST, LVS_REPORT | LVS_SINGLESEL).Size(760, 300),
    }))
// clang-format on
}  // namespace rmon_statistics_ids

namespace rmon_history_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "RMON History Control Configuration", kDialogStyle,
    Column({
        Grid(6, {
            Label(IDC_STATIC, "Index (1 ~65535)*"), Edit(IDC_INDEX, ES_NUMBER).Width(80),
            Label(IDC_STATIC, "Port*"), Edit(IDC_PORT, ES_NUMBER).Width(60),
            Label(IDC_STATIC, "Owner"), Edit(IDC_OWNER, ES_AUTOHSCROLL).Width(160),
            Label(IDC_STATIC, "Buckets Requested\n(1 ~ 50)"), Edit(IDC_BUCKETS, ES_NUMBER).Width(80),
            Label(IDC_STATIC, "Interval (1~3600 secs)"), Edit(IDC_INTERVAL, ES_NUMBER).Width(60), Stretch(), Stretch(),
        }),
        Row({Stretch(), Button(IDC_APPLY, "Apply"), Button(IDC_REFRESH, "Refresh"), Button(IDC_CLOSE, "Close")}),
        List(IDC_LIST, LVS_REPORT | LVS_SINGLESEL).Size(680, 300),
    }))
// clang-format on
}  // namespace rmon_history_ids

namespace rmon_alarm_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "RMON Alarm Configuration", kDialogStyle,
    Column({
        Grid(4, {
            Label(IDC_STATIC, "Index (1~65535)*"), Edit(IDC_INDEX, ES_NUMBER).Width(80),
            Label(IDC_STATIC, "Interval (1~2^31-1 secs)"), Edit(IDC_INTERVAL, ES_NUMBER).Width(100),
            Label(IDC_STATIC, "Variable*"), Edit(IDC_VARIABLE, ES_AUTOHSCROLL).Width(200),
            Label(IDC_STATIC, "Sample type"), Combo(IDC_SAMPLE_TYPE).Width(140),
            Label(IDC_STATIC, "Rising Threshold (0~2^31-1)*"), Edit(IDC_RISING_THRESHOLD, ES_NUMBER).Width(100),
            Label(IDC_STATIC, "Falling Threshold (0~2^31-1)*"), Edit(IDC_FALLING_THRESHOLD, ES_NUMBER).Width(100),
            Label(IDC_STATIC, "Rising Event Index (1~65535)*"), Edit(IDC_RISING_EVENT, ES_NUMBER).Width(80),
            Label(IDC_STATIC, "Falling Event Index (1~65535)*"), Edit(IDC_FALLING_EVENT, ES_NUMBER).Width(80),
            Label(IDC_STATIC, "Owner"), Edit(IDC_OWNER, ES_AUTOHSCROLL).Width(160), Stretch(), Stretch(),
        }),
        Row({Stretch(), Button(IDC_APPLY, "Apply"), Button(IDC_REFRESH, "Refresh"), Button(IDC_CLOSE, "Close")}),
        List(IDC_LIST, LVS_REPORT | LVS_SINGLESEL).Size(1000, 280),
    }))
// clang-format on
}  // namespace rmon_alarm_ids

namespace rmon_event_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "RMON Event Configuration", kDialogStyle,
    Column({
        Grid(4, {
            Label(IDC_STATIC, "Index (1~65535)*"), Edit(IDC_INDEX, ES_NUMBER).Width(80),
            Label(IDC_STATIC, "Description*"), Edit(IDC_DESCRIPTION, ES_AUTOHSCROLL).Width(240),
            Label(IDC_STATIC, "Type"), Combo(IDC_TYPE).Width(140),
            Label(IDC_STATIC, "Community"), Edit(IDC_COMMUNITY, ES_AUTOHSCROLL).Width(160),
            Label(IDC_STATIC, "Owner"), Edit(IDC_OWNER, ES_AUTOHSCROLL).Width(160), Stretch(), Stretch(),
        }),
        Row({Stretch(), Button(IDC_APPLY, "Apply"), Button(IDC_REFRESH, "Refresh"), Button(IDC_CLOSE, "Close")}),
        List(IDC_LIST, LVS_REPORT | LVS_SINGLESEL).Size(720, 280),
    }))
// clang-format on
}  // namespace rmon_event_ids

namespace syslog_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Syslog Host Configuration", kDialogStyle,
    Column({
        Group(IDC_STATIC, "Syslog", {
            Row({Check(IDC_ENABLE, "SysLogEnable"), Stretch(), Button(IDC_STATE_APPLY, "Apply")}),
        }),
        Group(IDC_STATIC, "Configuratiom", {
            Grid(2, {
                Label(IDC_STATIC, "Server IPV4/IPV6 Address"), Edit(IDC_ADDRESS, ES_AUTOHSCROLL).Width(260),
                Label(IDC_STATIC, "UDP Port(1-65535)"), Edit(IDC_PORT, ES_NUMBER).Width(80),
                Label(IDC_STATIC, "Facility"), Combo(IDC_FACILITY).Width(140),
                Label(IDC_STATIC, "Severity"), Combo(IDC_SEVERITY).Width(140),
                Label(IDC_STATIC, "Time Stamp"), Combo(IDC_TIME_STAMP).Width(140),
            }),
            List(IDC_UNUSED_LIST, LVS_REPORT).Size(10, 10).Hidden(),
            Row({Stretch(), Button(IDC_APPLY, "&Apply"), Button(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
        }),
    }))
// clang-format on
}  // namespace syslog_ids

namespace lldp_global_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "LLDP Global Settings", kDialogStyle,
    Column({
        Row({Check(IDC_ENABLE, " LLDP Enable "), Stretch(), Button(IDC_STATE_APPLY, "&Apply")}),
        Grid(3, {
            Label(IDC_STATIC, "Message TX Hold Multipier(2 - 10)"), Edit(IDC_HOLD, ES_NUMBER).Width(80), Stretch(),
            Label(IDC_STATIC, "Message TX Interval(5 - 32768)"), Edit(IDC_INTERVAL, ES_NUMBER).Width(80), Label(IDC_STATIC, "sec"),
            Label(IDC_STATIC, "LLDP Reinit Delay (1 - 10)"), Edit(IDC_REINIT, ES_NUMBER).Width(80), Label(IDC_STATIC, "sec"),
            Label(IDC_STATIC, "LLDP TX Delay (1 - 8192)"), Edit(IDC_TX_DELAY, ES_NUMBER).Width(80), Label(IDC_STATIC, "sec"),
        }),
        Row({Stretch(), Button(IDC_TIMERS_APPLY, "Apply")}),
        Group(IDC_STATIC, "LLDP System Information", {
            Grid(2, {
                Label(IDC_STATIC, "Chassis ID Subtype"), Edit(IDC_CHASSIS_SUBTYPE, ES_READONLY).Width(260),
                Label(IDC_STATIC, "Chassis ID"), Edit(IDC_CHASSIS_ID, ES_READONLY).Width(260),
                Label(IDC_STATIC, "System Name"), Edit(IDC_SYSTEM_NAME, ES_READONLY).Width(260),
                Label(IDC_STATIC, "System Description"), Edit(IDC_SYSTEM_DESCRIPTION, ES_READONLY).Width(260),
            }),
        }),
        Row({Stretch(), Button(IDCANCEL, "Close")}),
    }))
// clang-format on
}  // namespace lldp_global_ids

namespace lldp_remote_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "LLDP Remote Port Information", kDialogStyle,
    Column({
        Group(IDC_STATIC, "  LLDP Remote Port Brief Table ", {
            List(IDC_LIST, LVS_REPORT | LVS_SINGLESEL).Size(900, 260),
            Row({Label(IDC_STATIC, "Remote Entities Count: "), Edit(IDC_COUNT, ES_READONLY).Width(60), Stretch()}),
        }),
        Row({Stretch(), Button(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace lldp_remote_ids
