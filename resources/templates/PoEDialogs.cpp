// PoE port settings and PoE system settings.
#include "platform/ui/Template.h"
#include "resources/templates/PoEDialogsIds.h"

using namespace poeids;

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
}

// clang-format off
UI_DIALOG_TEMPLATE(IDD_POE_CONFIG, "PoE Configuration", kDialogStyle,
    Column({
        Group(IDC_STATIC, "Port Information", {
            List(IDC_POE_PORT_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER).Size(820, 300),
        }),
        Group(IDC_STATIC, "PoE Configuration", {
            Grid(6, {
                Label(IDC_STATIC, "Form Port"), Label(IDC_STATIC, "To Port"), Label(IDC_STATIC, "State"),
                Label(IDC_STATIC, "Priority"), Label(IDC_STATIC, "Time Range"), Label(IDC_STATIC, "Power Limit"),
                Combo(IDC_POE_FROM_PORT), Combo(IDC_POE_TO_PORT), Combo(IDC_POE_STATE),
                Combo(IDC_POE_PRIORITY), Combo(IDC_POE_TIME_RANGE).Width(130), Combo(IDC_POE_POWER_LIMIT),
            }),
            Row({Check(IDC_POE_USER_DEFINE, "User Define"), Edit(IDC_POE_WATTS).Width(70), Label(IDC_STATIC, "W"),
                 Stretch()}),
        }),
        Row({Stretch(), Button(IDC_POE_REFRESH, "&Refresh"), Button(IDC_POE_APPLY, "&Apply"),
             Button(IDCANCEL, "&Close")}),
    }))
// clang-format on

// clang-format off
UI_DIALOG_TEMPLATE(IDD_POE_GLOBAL, "PoE Global Settings", kDialogStyle,
    Column({
        Group(IDC_STATIC, "PoE Global Settings", {
            Grid(3, {
                Label(IDC_STATIC, "PoE Power Threshold  (7.1-193.0)"), Edit(IDC_POE_THRESHOLD).Width(90),
                Label(IDC_STATIC, "Watts "),
                Label(IDC_STATIC, "Power Shut Off Sequence "), Combo(IDC_POE_SEQUENCE).Width(170), Stretch(),
            }),
            Row({Stretch(), DefButton(IDC_POE_GLOBAL_APPLY, "&Apply")}),
        }),
        Group(IDC_STATIC, "System Power Status", {
            Grid(2, {
                Label(IDC_STATIC, "Total PoE Power Budget       "), Edit(IDC_POE_BUDGET, ES_READONLY).Width(90),
                Label(IDC_STATIC, "Power Used"), Edit(IDC_POE_USED, ES_READONLY).Width(90),
                Label(IDC_STATIC, "Power Left"), Edit(IDC_POE_LEFT, ES_READONLY).Width(90),
                Label(IDC_STATIC, "The percentage of system power supplied "),
                Edit(IDC_POE_SUPPLIED, ES_READONLY).Width(90),
            }),
        }),
    }))
// clang-format on
