// The PoE time range list (177) and editor (175), and the LLDP-MED PoE TLV settings (181).
#include "platform/ui/Template.h"
#include "resources/templates/PoeTimeRangeDialogsIds.h"

namespace time_range_list_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Time Range Information", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    Column({
        Group(IDC_STATIC, "Time Range Information", {
            List(IDC_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS).Size(600, 240),
        }),
        Row({DefButton(IDC_REFRESH, "&Refresh"), Button(IDC_ADD, "&Add"), Button(IDC_EDIT, "&Edit"),
             Button(IDC_DELETE, "&Delete"), Stretch(), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace time_range_list_ids

namespace time_range_editor_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Time Based PoE Config", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    Column({
        Group(IDC_STATIC, "Time Range Setting", {
            Row({Label(IDC_STATIC, "Range Name"), Edit(IDC_NAME).Chars(20), Stretch()}),
            Row({Check(IDC_DATE, "Date"), Stretch()}),
            Row({Label(IDC_STATIC, "From Day "), Combo(IDC_FROM_YEAR).Chars(5).With(WS_DISABLED),
                 Combo(IDC_FROM_MONTH).Chars(3).With(WS_DISABLED), Combo(IDC_FROM_DAY).Chars(3).With(WS_DISABLED), Stretch()}),
            Row({Label(IDC_STATIC, "To Day "), Combo(IDC_TO_YEAR).Chars(5).With(WS_DISABLED),
                 Combo(IDC_TO_MONTH).Chars(3).With(WS_DISABLED), Combo(IDC_TO_DAY).Chars(3).With(WS_DISABLED), Stretch()}),
            Row({Label(IDC_STATIC, "Hours(HH MM)"), Stretch()}),
            Row({Label(IDC_STATIC, "Start Time"), Combo(IDC_START_HOUR).Chars(3), Combo(IDC_START_MINUTE).Chars(3), Stretch()}),
            Row({Label(IDC_STATIC, "End Time"), Combo(IDC_END_HOUR).Chars(3), Combo(IDC_END_MINUTE).Chars(3), Stretch()}),
            Row({Label(IDC_STATIC, "Weekdays"), Check(IDC_ALL_DAYS, "Select All Days"), Stretch()}),
            Row({Check(IDC_MON, "Mon "), Check(IDC_TUE, "Tue"), Check(IDC_WED, "Wed "), Check(IDC_THU, "Thu"),
                 Check(IDC_FRI, "Fri "), Check(IDC_SAT, "Sat"), Check(IDC_SUN, "Sun"), Stretch()}),
        }),
        Row({Stretch(), DefButton(IDC_APPLY, "Apply"), Button(IDCANCEL, "Cancel")}),
    }))
// clang-format on
}  // namespace time_range_editor_ids

namespace lldp_med_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "LLDP MED Settings", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    Column({
        Group(IDC_STATIC, "LLDP-MED Power PSE TLV Setting", {
            Row({Label(IDC_STATIC, "From Port"), Combo(IDC_FROM_PORT, CBS_DROPDOWNLIST | CBS_SORT).Chars(5),
                 Label(IDC_STATIC, "To Port"), Combo(IDC_TO_PORT, CBS_DROPDOWNLIST | CBS_SORT).Chars(5),
                 Label(IDC_STATIC, "Power PSE TLV"), Combo(IDC_TLV).Fits("Disable"),
                 Stretch(), Button(IDC_APPLY, "&Apply")}),
            List(IDC_PORT_LIST, LVS_REPORT | LVS_SINGLESEL).Size(400, 260),
        }),
        Row({Stretch(), Button(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace lldp_med_ids
