// The ARP spoofing prevention dialogs: the gateway list and the entry of a new gateway.
#include "platform/ui/Template.h"
#include "resources/templates/ARPSpoofDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
}  // namespace

namespace arp_spoof_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "ARP Spoofing Prevention Setting", kDialogStyle,
    Column({
        List(IDC_GATEWAY_LIST, LVS_REPORT | LVS_SHOWSELALWAYS).Size(600, 260),
        Row({Label(1143, "Total Entries:"), Edit(IDC_TOTAL, ES_READONLY).Chars(4),
             Label(IDC_STATIC, "( Note:64 Entries Maximum ) "), Stretch()}),
        Row({Stretch(), Button(IDC_REFRESH, "&Refresh"), Button(IDC_ADD, "&Add"), Button(IDC_DELETE, "&Delete"),
             Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace arp_spoof_ids

namespace arp_entry_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "ARP Spoofing Prevention Settings", kDialogStyle,
    Column({
        // The per-port labels and boxes are made at run time under "Ports"; the buttons and
        // the frame then move and grow to hold them.
        Group(IDC_GROUP, "", {
            Grid(2, {
                Label(IDC_IP_LABEL, "Router / Gateway IP Address"), IpAddress(IDC_IP).Fits("255.255.255.255  "),
                Label(IDC_MAC_LABEL, "Router / Gateway MAC Address"), Edit(IDC_MAC).Fits("00-00-00-00-00-00  "),
            }),
            Row({Label(IDC_PORTS_LABEL, "Ports"), Stretch(), Check(IDC_ALL_PORTS, "All Ports")}),
            Stretch(),
            Row({Stretch(), Button(IDC_APPLY, "&Apply"), Button(IDC_CANCEL, "&Cancel")}),
        }).Size(420, 150),
    }))
// clang-format on
}  // namespace arp_entry_ids
