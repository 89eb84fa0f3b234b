// Loopback detection settings (291).
#include "platform/ui/Template.h"
#include "resources/templates/LoopbackDialogsIds.h"

namespace loopback_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Loopback Detection Settings", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    Column({
        Row({Label(IDC_STATIC, "State"), Radio(IDC_ENABLED, "Enabled", true), Radio(IDC_DISABLED, "Disabled"), Stretch()}),
        Group(IDC_STATIC, "Loopback Detection Global Settings", {
            Grid(3, {
                Label(IDC_STATIC, "Mode"), Combo(IDC_MODE, CBS_DROPDOWN).Fits("VLAN_based"), Label(IDC_STATIC, ""),
                Label(IDC_STATIC, "VLAN List"), Edit(IDC_VLAN_LIST).Width(200), Label(IDC_STATIC, ""),
                Label(IDC_STATIC, "Interval(1-32767)"), Edit(IDC_INTERVAL, ES_NUMBER).Chars(6), Label(IDC_STATIC, "sec"),
                Label(IDC_STATIC, "Recover Time(0 or 60-1000000)"), Edit(IDC_RECOVER_TIME, ES_NUMBER).Chars(8), Label(IDC_STATIC, "sec"),
            }),
            Row({Stretch(), Button(IDC_APPLY_GLOBAL, "&Apply")}),
        }),
        Group(IDC_STATIC, "", {
            Row({
                Label(IDC_STATIC, "From Port"), Combo(IDC_FROM_PORT, CBS_DROPDOWN).Chars(4),
                Label(IDC_STATIC, "To Port"), Combo(IDC_TO_PORT, CBS_DROPDOWN).Chars(4),
                Label(IDC_STATIC, "State"), Combo(IDC_PORT_STATE, CBS_DROPDOWN).Fits("Disable"),
                Stretch(), Button(IDC_APPLY_PORTS, "&Apply"), Button(IDC_REFRESH, "&Refresh"),
            }),
            List(IDC_PORT_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER).Size(470, 300),
        }),
        Row({Stretch(), Button(IDCANCEL, "Close")}),
    }))
// clang-format on
}  // namespace loopback_ids
