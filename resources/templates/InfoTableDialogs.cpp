// The ARP table (81), the route table (411) and the resource information (384).
#include "platform/ui/Template.h"
#include "resources/templates/InfoTableDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kListStyle = LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
}  // namespace

namespace arp_table_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "ARP Information", kDialogStyle,
    Column({
        List(IDC_LIST, kListStyle).Size(560, 260),
        Row({Label(IDC_STATIC, "Entries:"), Label(IDC_ENTRIES, "0").Chars(6), Stretch(),
             DefButton(IDC_REFRESH, "&Refresh"), Button(IDC_PRINT, "&Print").Hidden(), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace arp_table_ids

namespace route_table_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "", kDialogStyle,
    Column({
        List(IDC_LIST, kListStyle).Size(900, 260),
        Row({Label(IDC_STATIC, "Entries:"), Label(IDC_ENTRIES, "0").Chars(6), Stretch(),
             DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace route_table_ids

namespace resource_info_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Resource Information", kDialogStyle,
    Column({
        Group(IDC_STATIC, "CPU Utilization", {List(IDC_CPU_LIST, kListStyle | LVS_SINGLESEL).Size(520, 80)}),
        Group(IDC_STATIC, "MIB Tree", {List(IDC_MIB_TREE_LIST, kListStyle).Size(520, 120).Hidden()}).Hidden(),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on
}  // namespace resource_info_ids
