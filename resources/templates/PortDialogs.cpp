// Port settings (201), port descriptions (263) and jumbo frames (174).
#include "platform/ui/Template.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
}

UI_DIALOG_TEMPLATE(201, "Port Configuration", kDialogStyle,
    Column({
        Group(83, "Port Information", {List(201, LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER).Size(680, 320)}),
        Group(60535, "Port Configuration", {
            Row({
                Label(1023, "Port ID:"), Edit(216, ES_NUMBER | ES_READONLY).Width(50),
                Label(560, "Speed:"), Combo(209).Width(110),
                Label(698, "MDI/MDIX:"), Combo(1349),
                Label(1019, "Flow Control:"), Combo(210),
            }),
        }),
        Row({Stretch(), DefButton(241, "&Refresh"), Button(242, "&Apply"), Button(IDCANCEL, "&Close")}),
    }))

UI_DIALOG_TEMPLATE(263, "Port Description", kDialogStyle,
    Column({
        Group(1254, "Description", {List(798, LVS_REPORT | LVS_SINGLESEL).Size(420, 320)}),
        Group(1255, "Configuration", {
            Grid(3, {
                Label(1256, "From Port"), Label(1257, "To Port"), Label(1259, "Description"),
                Combo(458), Combo(6125), Edit(497).Width(220),
            }),
        }),
        Row({Stretch(), DefButton(958, "Refresh"), Button(515, "Apply"), Button(325, "Close")}),
    }))

UI_DIALOG_TEMPLATE(174, "Jumbo Frame Configuration", kDialogStyle,
    Column({
        Group(1063, "", {
            Check(1062, "Enable Jumbo Frame"),
            Label(IDC_STATIC, "Note: Maximum Length is 9216 bytes"),
        }),
        Row({Stretch(), DefButton(IDOK, "&Apply"), Stretch()}),
    }))
