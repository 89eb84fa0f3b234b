// Trunk configuration (487) and a trunk's member ports (171).
#include "platform/ui/Template.h"
#include "resources/templates/TrunkDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
}

// clang-format off
UI_DIALOG_TEMPLATE(trunk_config_ids::IDD, "Trunk Configuration", kDialogStyle,
    Column({
        Group(IDC_STATIC, "Trunk status", {
            Row({Check(trunk_config_ids::IDC_ENABLE_TRUNK, "Enable Trunk"), Stretch(),
                 Button(trunk_config_ids::IDC_APPLY_STATE, "&Apply")}),
        }),
        Group(IDC_STATIC, "Trunk Configuration", {
            Row({
                Label(IDC_STATIC, "Trunk ID:"),
                Edit(trunk_config_ids::IDC_TRUNK_ID, ES_NUMBER | ES_READONLY).With(WS_DISABLED).Chars(4),
                Label(IDC_STATIC, "PortChannelMode:"), Combo(trunk_config_ids::IDC_MODE).Fits("Static  "), Stretch(),
                Button(trunk_config_ids::IDC_APPLY_MODE, "&Apply"), Button(trunk_config_ids::IDC_PORT_MEMBER, "&PortMember"),
            }),
        }),
        Group(IDC_STATIC, "Trunk Information", {
            List(trunk_config_ids::IDC_TRUNK_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER)
                .Size(540, 260),
        }),
        Row({Stretch(), DefButton(trunk_config_ids::IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on

// clang-format off
UI_DIALOG_TEMPLATE(trunk_member_ids::IDD, "Trunk member", kDialogStyle,
    Column({
        Group(trunk_member_ids::IDC_TRUNK_GROUP, "Trunk", {
            Row({
                Label(IDC_STATIC, "Trunk ID:"), Edit(trunk_member_ids::IDC_TRUNK_ID, ES_READONLY).With(WS_DISABLED).Chars(4),
                Stretch(),
                Label(trunk_member_ids::IDC_MODE_LABEL, "PortChannelMode:"),
                Edit(trunk_member_ids::IDC_MODE, ES_READONLY).With(WS_DISABLED).Fits("Disable"),
            }),
        }),
        // The port labels and check boxes are made at run time inside this group.
        Group(trunk_member_ids::IDC_MEMBER_GROUP, "Port Member", {Stretch()}).Size(480, 120),
        Row({Stretch(), DefButton(IDOK, "OK"), Button(IDCANCEL, "Cancel")}),
    }))
// clang-format on
