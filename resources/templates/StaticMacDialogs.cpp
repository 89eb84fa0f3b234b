// Static MAC entries and address learning.
#include "platform/ui/Template.h"
#include "resources/templates/StaticMacDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
}

namespace static_mac_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Static MAC Configuration", kDialogStyle,
    Column({
        Row({Label(IDC_STATIC, "MAC Address Learning"), Radio(IDC_LEARN_ENABLED, "Enabled", true), Radio(IDC_LEARN_DISABLED, "Disabled"),
             Label(IDC_STATIC, "Uplink Port"), Edit(IDC_UPLINK).Width(140), Label(IDC_STATIC, "ex:(1,2,4-6) "), Stretch(), Button(IDC_APPLY, "Apply")}),
        Group(IDC_ADD_GROUP, "Static MAC Address Add", {
            Row({Label(IDC_STATIC, "Port "), Combo(IDC_PORT), Label(IDC_STATIC, "MAC Address"), Edit(IDC_MAC).Chars(17),
                 Label(IDC_STATIC, "VID "), Combo(IDC_VID), Stretch(), Button(IDC_ADD, "Add")}),
        }),
        Group(IDC_LIST_GROUP, "Static MAC Address Lists ( Maximum Entries : 256 )", {
            List(IDC_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS).Size(540, 240),
            Row({Stretch(), Button(IDC_DELETE, "Delete"), Button(IDC_REFRESH, "Refresh")}),
        }),
        Row({Stretch(), Button(IDCANCEL, "Close")}),
    }))
// clang-format on
}  // namespace static_mac_ids
