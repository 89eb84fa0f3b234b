// Bandwidth control (233).
#include "platform/ui/Template.h"
#include "resources/templates/BandwidthDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
}

namespace bandwidth_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "BandWidth Control", kDialogStyle,
    Column({
        Grid(4, {
            Label(IDC_STATIC, "FromPort"), Label(IDC_STATIC, "ToPort"), Label(IDC_STATIC, "Type"), Label(IDC_STATIC, "No Limit"),
            Combo(IDC_FROM_PORT), Combo(IDC_TO_PORT), Combo(IDC_TYPE), Combo(IDC_NO_LIMIT),
        }),
        Row({Label(IDC_STATIC, "Rate(64-1024000)"), Edit(IDC_RATE, ES_NUMBER | ES_AUTOHSCROLL).Chars(8), Label(IDC_STATIC, "Kbits/sec "),
             Label(IDC_HIDDEN, "").Hidden(), Stretch(), Button(IDC_APPLY, "Apply"), Button(IDC_REFRESH, "Refresh")}),
        List(IDC_LIST, LVS_REPORT | LVS_SINGLESEL).Size(470, 320),
    }))
// clang-format on
}  // namespace bandwidth_ids
