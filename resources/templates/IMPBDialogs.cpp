// The IP-MAC-port binding dialogs: port settings, scan and binding, white list, black list.
#include "platform/ui/Template.h"
#include "resources/templates/IMPBDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kListStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
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
