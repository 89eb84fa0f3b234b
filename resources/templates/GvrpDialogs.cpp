// GVRP per-port settings (226) and global settings (227); the auto surveillance VLAN OUI
// table (222) and the camera detection per port (221).
#include "platform/ui/Template.h"
#include "resources/templates/GvrpDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kListStyle = LVS_REPORT | LVS_SINGLESEL;
}  // namespace

namespace gvrp_settings_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "GVRP Settings", kDialogStyle,
    Column({
        Group(IDC_STATIC, "GVRP Port Setting", {
            Grid(6, {
                Label(IDC_STATIC, "From Port"), Label(IDC_STATIC, "To Port"), Label(IDC_STATIC, "PVID(1-4094)"),
                Label(IDC_STATIC, "GVRP"), Label(IDC_STATIC, "Ingree Checking"), Label(IDC_STATIC, "Acceptable Frame Type"),
                Combo(IDC_FROM_PORT, CBS_DROPDOWN), Combo(IDC_TO_PORT, CBS_DROPDOWN), Edit(IDC_PVID, ES_NUMBER).Chars(5),
                Combo(IDC_GVRP), Combo(IDC_INGRESS), Combo(IDC_FRAME_TYPE),
            }),
            Row({Stretch(), Button(IDC_APPLY, "Apply"), Button(IDC_REFRESH, "Refresh")}),
            List(IDC_LIST, kListStyle).Size(540, 320),
        }),
    }))
// clang-format on
}  // namespace gvrp_settings_ids

namespace gvrp_time_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "GVRP Global Settings", kDialogStyle,
    Column({
        Row({Label(IDC_STATIC, "GVRP Global Settings"), Radio(IDC_ENABLED, "Enabled", true), Radio(IDC_DISABLED, "Disabled"), Stretch()}),
        Grid(3, {
            Label(IDC_STATIC, "Join Time(100-100000)"), Edit(IDC_JOIN, ES_NUMBER).Chars(7), Label(IDC_STATIC, "ms"),
            Label(IDC_STATIC, "Leave Time(100-100000)"), Edit(IDC_LEAVE, ES_NUMBER).Chars(7), Label(IDC_STATIC, "ms"),
            Label(IDC_STATIC, "Leave_All Time(100-100000)"), Edit(IDC_LEAVE_ALL, ES_NUMBER).Chars(7), Label(IDC_STATIC, "ms"),
        }),
        Label(IDC_STATIC, "Note:"),
        Label(IDC_STATIC, "Leave Time should be greater than 2*Join Time."),
        Label(IDC_STATIC, "Leave All Time should be greater than Leave Time."),
        Row({Button(IDC_HIDDEN_APPLY, "Apply").Hidden(), Stretch(), DefButton(IDC_APPLY, "&Apply"), Button(IDC_REFRESH, "&Refresh"),
             Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace gvrp_time_ids

namespace camera_oui_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Auto Surveillance VLAN OUI Settings", kDialogStyle,
    Column({
        Row({Label(IDC_STATIC, "User defined OUI \n(Camera or Server)").Size(150, 32), Stretch(),
             Label(IDC_STATIC, "( Maximum user defined OUI:5)")}),
        Grid(3, {
            Label(IDC_STATIC, "Description"), Edit(IDC_DESCRIPTION, ES_AUTOHSCROLL).Width(160), Label(IDC_STATIC, ""),
            Label(IDC_STATIC, "Surveillance OUI"), Edit(IDC_OUI, ES_AUTOHSCROLL).Width(160), Label(IDC_STATIC, "(XX-XX-XX-XX-XX-XX)"),
        }),
        Row({Stretch(), Button(IDC_ADD, "&Add")}),
        Group(IDC_STATIC, "Auto Surveillance VLAN OUI Info", {List(IDC_LIST, kListStyle).Size(620, 220)}),
        Row({Stretch(), Button(IDC_DELETE, "&Delete"), Button(IDC_REFRESH, "&Refresh"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace camera_oui_ids

namespace camera_port_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Auto Camera Vlan Port Settings", kDialogStyle,
    Column({
        Group(IDC_STATIC, "Auto Camera Vlan Port Settings", {
            Grid(4, {
                Label(IDC_STATIC, "Vlan ID"), Label(IDC_STATIC, "From Port"), Label(IDC_STATIC, "To Port"), Label(IDC_STATIC, "Auto Detection"),
                Edit(IDC_VLAN_ID, ES_READONLY).Chars(5), Combo(IDC_FROM_PORT), Combo(IDC_TO_PORT), Combo(IDC_AUTO_DETECTION),
            }),
            Row({Stretch(), Button(IDC_APPLY, "&Apply"), Button(IDC_REFRESH, "&Refresh")}),
            List(IDC_LIST, kListStyle).Size(520, 320),
        }),
    }))
// clang-format on
}  // namespace camera_port_ids
