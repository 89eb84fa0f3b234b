// Port mirroring (229).
#include "platform/ui/Template.h"
#include "resources/templates/MirrorDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
// Room under each mode's row for the second line of boxes on switches of more than 28 ports.
constexpr int kFoldRoom = 36;
}  // namespace

namespace port_mirroring_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "PortMirroringConfiguration", kDialogStyle,
    Column({
        Group(IDC_STATE_GROUP, "Port Mirroring", {
            Row({
                Radio(IDC_ENABLED, "Enabled", true), Radio(IDC_DISABLED, "Disabled"),
                Label(IDC_STATIC, "TargetPort"), Combo(IDC_TARGET_PORT).Width(70), Stretch(),
            }),
        }),
        Group(IDC_PORT_GROUP, "", {
            Row({Label(IDC_SOURCE_LABEL, "Source Port Selection"), Stretch()}),
            Row({Label(IDC_MODE_LABEL, "Sniffer\nMode").Size(60, 34), Label(IDC_SELECT_ALL_LABEL, "Select\nAll").Size(50, 34), Stretch()}),
            Label(IDC_STATIC, "").Size(860, kFoldRoom - 20),
            Row({Label(IDC_TX_LABEL, "TX").Width(60), Button(IDC_TX_ALL, "All").Width(50), Stretch()}),
            Label(IDC_STATIC, "").Size(1, kFoldRoom),
            Row({Label(IDC_RX_LABEL, "RX").Width(60), Button(IDC_RX_ALL, "All").Width(50), Stretch()}),
            Label(IDC_STATIC, "").Size(1, kFoldRoom),
            Row({Label(IDC_BOTH_LABEL, "Both").Width(60), Button(IDC_BOTH_ALL, "All").Width(50), Stretch()}),
            Label(IDC_STATIC, "").Size(1, kFoldRoom),
            Row({Label(IDC_NONE_LABEL, "None").Width(60), Button(IDC_NONE_ALL, "All").Width(50), Label(IDC_HIDDEN_TX_LABEL, "TX").Hidden(), Stretch()}),
            Label(IDC_STATIC, "").Size(1, kFoldRoom),
        }),
        Row({Stretch(), Button(IDC_REFRESH, "Refresh"), Button(IDC_APPLY, "Apply"), Button(IDC_CLOSE, "Close")}),
    }))
// clang-format on
}  // namespace port_mirroring_ids
