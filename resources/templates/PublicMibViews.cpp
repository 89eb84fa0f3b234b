// The Public MIB views: system information (80), interfaces (49), IP addresses (208),
// forwarding table (278), TCP connections (481) and UDP listeners (482).
#include "platform/ui/Template.h"

namespace {
constexpr DWORD kViewStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
}

UI_DIALOG_TEMPLATE(49, "Interface table", kViewStyle,
    Column({
        Group(IDC_STATIC, "Interface Table", {List(1088, LVS_REPORT | LVS_SINGLESEL).Size(420, 300)}),
        Row({Label(IDC_STATIC, "Entries:"), Label(1095, "0"), Stretch(), DefButton(3, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))

UI_DIALOG_TEMPLATE(208, "IP Table", kViewStyle,
    Column({
        Group(IDC_STATIC, "IP Table", {List(208, LVS_REPORT | LVS_SINGLESEL).Size(360, 220)}),
        Row({Label(IDC_STATIC, "Entries:"), Label(209, "0"), Stretch(), DefButton(103, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))

UI_DIALOG_TEMPLATE(481, "TCP Service", kViewStyle,
    Column({
        Group(IDC_STATIC, "TCP Service Table", {List(234, LVS_REPORT | LVS_SINGLESEL).Size(520, 260)}),
        Row({Stretch(), DefButton(241, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))

UI_DIALOG_TEMPLATE(482, "UDP Service", kViewStyle,
    Column({
        Group(IDC_STATIC, "UDP Service Table", {List(209, LVS_REPORT | LVS_SINGLESEL).Size(300, 260)}),
        Row({Stretch(), DefButton(241, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))

UI_DIALOG_TEMPLATE(80, "", kViewStyle,
    Column({
        Grid(2, {
            Label(IDC_STATIC, "Name:"), Edit(1310),
            Label(IDC_STATIC, "Location:"), Edit(1313),
            Label(IDC_STATIC, "Runtime:"), Label(1304, ""),
            Label(IDC_STATIC, "Object OID:"), Label(1303, ""),
            Label(1311, "Contact:").Hidden(), Edit(1312).Hidden(),
        }),
        Group(IDC_STATIC, "Description", {Label(1302, "").Size(360, 80)}),
        Row({Stretch(), DefButton(103, "&Refresh"), Button(1145, "&Apply"), Button(1146, "&Close")}),
    }))

UI_DIALOG_TEMPLATE(278, "Forwarding Table", kViewStyle,
    Column({
        Group(IDC_STATIC, "Forwarding Table", {List(1205, LVS_REPORT | LVS_SINGLESEL).Size(530, 320)}),
        Row({Label(IDC_STATIC, "Age Time"), Label(1216, ""), Label(IDC_STATIC, "Seconds"), Stretch()}),
        Row({Stretch(), Button(1154, "&Back"), Button(1149, "&Next"), Button(1217, "Close"), DefButton(20, "&Refresh")}),
    }))
