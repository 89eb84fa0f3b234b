// Auto surveillance VLAN.
#include "platform/ui/Template.h"
#include "resources/templates/SurveillanceVlanDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
}

namespace camera_vlan_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Auto Surveillance VLAN Settings", kDialogStyle,
    Column({
        Row({Check(IDC_ENABLE, "Enable Auto Surveillance VLAN"), Stretch()}),
        Row({Label(IDC_STATIC, "Vlan ID"), Edit(IDC_VID, ES_NUMBER | ES_AUTOHSCROLL).Chars(6),
             Label(IDC_STATIC, "Priority"), Combo(IDC_PRIORITY).Chars(4)}),
        Row({Label(IDC_STATIC, "Tagged Uplink/Downlink Port"), Edit(IDC_PORTS).Width(160), Label(IDC_STATIC, "ex:(1,2,4-6)"),
             Stretch(), Button(IDC_APPLY, "&Apply")}),
        Row({Label(IDC_STATIC, "Component Type"), Combo(IDC_COMPONENT).Width(210),
             Label(IDC_STATIC, "Description"), Edit(IDC_DESCRIPTION).Chars(20)}),
        Row({Combo(IDC_MODE, CBS_DROPDOWN).Chars(6), Edit(IDC_MAC).Chars(17), Label(IDC_STATIC, "(XX-XX-XX-XX-XX-XX)"),
             Stretch(), Button(IDC_ADD, "&Add")}),
        List(IDC_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS).Size(660, 220),
        Row({Label(IDC_STATIC, "Note : Maximum number of user-defined MAC is 5 entries"), Stretch(),
             Button(IDC_DELETE, "&Delete"), Button(IDC_REFRESH, "&Refresh"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace camera_vlan_ids
