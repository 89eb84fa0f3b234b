// Time profiles and power saving.
#include "platform/ui/Template.h"
#include "resources/templates/PowerSavingDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
}

namespace time_profile_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Time Profile Info", kDialogStyle,
    Column({
        Row({Label(IDC_STATIC, "Profile Name"), Edit(IDC_NAME).Chars(20), Check(IDC_DATE, "Date"), Stretch()}),
        Grid(7, {
            Label(IDC_STATIC, "From Day "), Combo(IDC_START_YEAR).Fits("2029"), Label(IDC_STATIC, "/"), Combo(IDC_START_MONTH).Fits("12"),
            Label(IDC_STATIC, "/"), Combo(IDC_START_DAY).Fits("31"), Label(IDC_STATIC, ""),
            Label(IDC_STATIC, "To Day "), Combo(IDC_END_YEAR).Fits("2029"), Label(IDC_STATIC, "/"), Combo(IDC_END_MONTH).Fits("12"),
            Label(IDC_STATIC, "/"), Combo(IDC_END_DAY).Fits("31"), Label(IDC_STATIC, ""),
            Label(IDC_STATIC, "Start Time"), Combo(IDC_START_HOUR).Fits("23"), Label(IDC_STATIC, ":"), Combo(IDC_START_MINUTE).Fits("59"),
            Label(IDC_STATIC, ""), Label(IDC_STATIC, ""), Label(IDC_STATIC, ""),
            Label(IDC_STATIC, "End Time"), Combo(IDC_END_HOUR).Fits("23"), Label(IDC_STATIC, ":"), Combo(IDC_END_MINUTE).Fits("59"),
            Label(IDC_STATIC, ""), Label(IDC_STATIC, ""), Label(IDC_STATIC, ""),
        }),
        Check(IDC_ALL_DAYS, "Select All Days"),
        Row({Check(IDC_MON, "Mon "), Check(IDC_TUE, "Tue"), Check(IDC_WED, "Wed "), Check(IDC_THU, "Thu"),
             Check(IDC_FRI, "Fri "), Check(IDC_SAT, "Sat"), Check(IDC_SUN, "Sun"), Stretch(), Button(IDC_ADD, "&Add")}),
        Group(IDC_LIST_GROUP, "Time Profile Entries", {
            List(IDC_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS).Size(600, 200),
        }),
        Row({Stretch(), Button(IDC_DELETE, "&Delete"), Button(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace time_profile_ids

namespace power_saving_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Power Saving Settings ", kDialogStyle,
    Column({
        Group(IDC_STATIC, "Global Settings", {
            Row({Check(IDC_DETECTION, "Enable Link Status Detection"), Stretch(), Button(IDC_APPLY_DETECTION, "&Apply")}),
        }),
        Group(IDC_STATIC, "Advanced Power Saving Settings", {
            Grid(4, {
                Label(IDC_STATIC, "Type"), Combo(IDC_TYPE).Fits("System Hibernation"),
                Label(IDC_STATIC, "State"), Combo(IDC_STATE).Fits("Disabled"),
                Label(IDC_STATIC, "Time Profile1"), Combo(IDC_PROFILE1).Chars(20),
                Label(IDC_STATIC, "Time Profile2"), Combo(IDC_PROFILE2).Chars(20),
                Label(IDC_STATIC, "Port"), Edit(IDC_PORT).Width(160),
                Label(IDC_STATIC, "(e.g.:1-4,6)"), Label(IDC_STATIC, ""),
            }),
            Row({Stretch(), Button(IDC_APPLY, "&Apply")}),
        }),
        Group(IDC_STATIC, "Summary", {
            List(IDC_SUMMARY, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS).Size(590, 110),
        }),
        Row({Stretch(), Button(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace power_saving_ids
