// Port settings (201), port descriptions (263) and jumbo frames (174).
#include "platform/ui/Template.h"
#include "resources/templates/PortDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
}

namespace port_config_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Port Configuration", kDialogStyle,
    Column({
        Group(IDC_INFO_GROUP, "Port Information", {List(IDC_PORT_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER).Size(680, 320)}),
        Group(IDC_CONFIG_GROUP, "Port Configuration", {
            Row({
                Label(IDC_PORT_ID_LABEL, "Port ID:"), Edit(IDC_PORT_ID, ES_NUMBER | ES_READONLY).Width(50),
                Label(IDC_SPEED_LABEL, "Speed:"), Combo(IDC_SPEED).Width(110),
                Label(IDC_MDIX_LABEL, "MDI/MDIX:"), Combo(IDC_MDIX),
                Label(IDC_FLOW_CONTROL_LABEL, "Flow Control:"), Combo(IDC_FLOW_CONTROL),
            }),
        }),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDC_APPLY, "&Apply"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace port_config_ids

namespace port_description_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Port Description", kDialogStyle,
    Column({
        Group(IDC_LIST_GROUP, "Description", {List(IDC_DESCRIPTION_LIST, LVS_REPORT | LVS_SINGLESEL).Size(420, 320)}),
        Group(IDC_CONFIG_GROUP, "Configuration", {
            Grid(3, {
                Label(IDC_FROM_PORT_LABEL, "From Port"), Label(IDC_TO_PORT_LABEL, "To Port"), Label(IDC_DESCRIPTION_LABEL, "Description"),
                Combo(IDC_FROM_PORT), Combo(IDC_TO_PORT), Edit(IDC_DESCRIPTION).Width(220),
            }),
        }),
        Row({Stretch(), DefButton(IDC_REFRESH, "Refresh"), Button(IDC_APPLY, "Apply"), Button(IDC_CLOSE, "Close")}),
    }))
// clang-format on
}  // namespace port_description_ids

namespace jumbo_frame_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Jumbo Frame Configuration", kDialogStyle,
    Column({
        Group(IDC_GROUP, "", {
            Check(IDC_ENABLE_JUMBO, "Enable Jumbo Frame").With(BS_LEFTTEXT),
            Label(IDC_STATIC, "Note: Maximum Length is 9216 bytes"),
        }),
        Row({Stretch(), DefButton(IDOK, "&Apply"), Stretch()}),
    }))
// clang-format on
}  // namespace jumbo_frame_ids
