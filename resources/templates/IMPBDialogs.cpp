// The IP-MAC-port binding dialogs: port settings, scan and binding, white list, black list.
#include "platform/ui/Template.h"
#include "resources/templates/IMPBDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kListStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
const char* const kAddress = "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff";
}  // namespace

namespace impb_white_list_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "White List", kDialogStyle,
    Column({
        List(IDC_LIST, kListStyle).Size(600, 280),
        Row({Label(IDC_STATIC, "Total Entries: "), Edit(IDC_TOTAL, ES_READONLY).Chars(5), Stretch(),
             Button(IDC_DELETE, "&Delete"), Button(IDC_REFRESH, "&Refresh")}),
    }))
// clang-format on
}  // namespace impb_white_list_ids

namespace impb_settings_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Smart Binding Settings", kDialogStyle,
    Column({
        Grid(5, {
            Label(IDC_STATIC, "From Port"), Label(IDC_STATIC, "To Port"), Label(IDC_STATIC, "Admin State"),
            Label(IDC_STATIC, "Packet Inspection"), Label(IDC_STATIC, "DHCP Snooping"),
            Combo(IDC_FROM_PORT).Fits("52  "), Combo(IDC_TO_PORT).Fits("52  "), Combo(IDC_ADMIN_STATE).Fits("Disabled  "),
            Combo(IDC_INSPECTION, CBS_DROPDOWN | CBS_SORT).Fits("ARP+IP Inspection  "),
            Combo(IDC_DHCP_SNOOPING, CBS_DROPDOWN | CBS_SORT).Fits("Disabled  "),
        }),
        Row({Stretch(), Button(IDC_APPLY, "&Apply"), Button(IDC_REFRESH, "&Refresh")}),
        Group(IDC_STATIC, "IMPB Setting List Info", {List(IDC_LIST, kListStyle).Size(520, 300)}),
    }))
// clang-format on
}  // namespace impb_settings_ids

namespace impb_binding_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Smart Binding", kDialogStyle,
    Column({
        Group(IDC_STATIC, "Manual Binding", {
            Grid(4, {
                Label(IDC_STATIC, "IPV4/IPV6 Address"), Label(IDC_STATIC, "MAC Address"), Label(IDC_STATIC, "Ports"),
                Label(IDC_STATIC, ""),
                Edit(IDC_ADDRESS).Fits(kAddress), Edit(IDC_MAC).Fits("00-00-00-00-00-00  "), Edit(IDC_PORT, ES_NUMBER).Chars(3),
                Button(IDC_ADD, "&Add"),
            }),
        }),
        Group(IDC_STATIC, "Auto Scan", {
            Label(IDC_STATIC, "Enter a range of IP address to scan all devices in the network. "),
            Grid(3, {
                Label(IDC_STATIC, "IPV4/IPV6 From"), Label(IDC_STATIC, "To"), Label(IDC_STATIC, ""),
                Edit(IDC_SCAN_FROM).Fits(kAddress), Edit(IDC_SCAN_TO).Fits(kAddress), Button(IDC_SCAN, "&Scan"),
            }),
        }),
        Group(IDC_STATIC, "List Info", {
            List(IDC_LIST, kListStyle).Size(660, 260),
            Row({Stretch(), Button(IDC_REFRESH, "&Refresh"), Button(IDC_BIND, "&Binding")}),
        }),
    }))
// clang-format on
}  // namespace impb_binding_ids

namespace impb_black_list_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Black List", kDialogStyle,
    Column({
        Grid(5, {
            Label(IDC_STATIC, "VID"), Label(IDC_STATIC, "IP Address"), Label(IDC_STATIC, "MAC Address"),
            Label(IDC_STATIC, "Ports"), Label(IDC_STATIC, ""),
            Edit(IDC_VID, ES_NUMBER).Chars(5), Edit(IDC_ADDRESS).Fits(kAddress), Edit(IDC_MAC).Fits("00-00-00-00-00-00  "),
            Edit(IDC_PORT, ES_NUMBER).Chars(3), Button(IDC_FIND, "&Find"),
        }),
        List(IDC_LIST, kListStyle).Size(580, 280),
        Row({Label(IDC_STATIC, "Total Entries :"), Edit(IDC_TOTAL, ES_READONLY).Chars(5), Stretch(),
             Button(IDC_DELETE, "&Delete"), Button(IDC_REFRESH, "&Refresh")}),
    }))
// clang-format on
}  // namespace impb_black_list_ids
