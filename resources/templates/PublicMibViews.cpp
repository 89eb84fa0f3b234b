// The Public MIB views: system information (80), interfaces (49), IP addresses (208),
// forwarding table (278), TCP connections (481) and UDP listeners (482).
#include "platform/ui/Template.h"
#include "resources/templates/PublicMibViewsIds.h"

namespace {
constexpr DWORD kViewStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
}

namespace interface_table_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Interface table", kViewStyle,
    Column({
        Group(IDC_STATIC, "Interface Table", {List(IDC_LIST, LVS_REPORT | LVS_SINGLESEL).Size(420, 300)}),
        Row({Label(IDC_STATIC, "Entries:"), Label(IDC_COUNTER, "0"), Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace interface_table_ids

namespace ip_table_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "IP Table", kViewStyle,
    Column({
        Group(IDC_STATIC, "IP Table", {List(IDC_LIST, LVS_REPORT | LVS_SINGLESEL).Size(360, 220)}),
        Row({Label(IDC_STATIC, "Entries:"), Label(IDC_COUNTER, "0"), Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace ip_table_ids

namespace tcp_service_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "TCP Service", kViewStyle,
    Column({
        Group(IDC_STATIC, "TCP Service Table", {List(IDC_LIST, LVS_REPORT | LVS_SINGLESEL).Size(520, 260)}),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace tcp_service_ids

namespace udp_service_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "UDP Service", kViewStyle,
    Column({
        Group(IDC_STATIC, "UDP Service Table", {List(IDC_LIST, LVS_REPORT | LVS_SINGLESEL).Size(300, 260)}),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace udp_service_ids

namespace system_info_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "", kViewStyle,
    Column({
        Grid(2, {
            Label(IDC_STATIC, "Name:"), Edit(IDC_NAME),
            Label(IDC_STATIC, "Location:"), Edit(IDC_LOCATION),
            Label(IDC_STATIC, "Runtime:"), Label(IDC_RUNTIME, ""),
            Label(IDC_STATIC, "Object OID:"), Label(IDC_OBJECT_ID, ""),
            Label(IDC_CONTACT_LABEL, "Contact:").Hidden(), Edit(IDC_CONTACT).Hidden(),
        }),
        Group(IDC_STATIC, "Description", {Label(IDC_DESCR, "").Size(360, 80)}),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDC_APPLY, "&Apply"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace system_info_ids

namespace forwarding_table_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Forwarding Table", kViewStyle,
    Column({
        Group(IDC_STATIC, "Forwarding Table", {List(IDC_LIST, LVS_REPORT | LVS_SINGLESEL).Size(530, 320)}),
        Row({Label(IDC_STATIC, "Age Time"), Label(IDC_AGE_TIME, ""), Label(IDC_STATIC, "Seconds"), Stretch()}),
        Row({Stretch(), Button(IDC_BACK, "&Back"), Button(IDC_NEXT, "&Next"), Button(IDC_CLOSE, "Close"), DefButton(IDC_REFRESH, "&Refresh")}),
    }))
// clang-format on
}  // namespace forwarding_table_ids
