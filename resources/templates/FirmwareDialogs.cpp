// The firmware and configuration transfer dialog.
#include "platform/ui/Template.h"
#include "resources/templates/FirmwareDialogsIds.h"

namespace {
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
}  // namespace

namespace firmware_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Firmware and Configuration Upgrade/Backup", kDialogStyle,
    Column({
        Group(IDC_STATIC, "Configuration", {
            Grid(2, {
                Label(IDC_STATIC, "TFTP Server IP:"), Edit(IDC_SERVER, ES_AUTOHSCROLL).Width(260),
                Label(IDC_STATIC, "File Name:"), Edit(IDC_FILE_NAME, ES_AUTOHSCROLL).Width(260),
                Label(IDC_STATIC, "Operation Type:"), Combo(IDC_OPERATION).Width(160),
                Label(IDC_STATIC, "FileType:"), Combo(IDC_FILE_TYPE).Width(160),
            }),
        }),
        Row({Label(IDC_PROGRESS_LABEL, "Upgrade/BackUp:").Hidden(), Progress(IDC_PROGRESS).Size(260, 18).Hidden()}),
        Row({Stretch(), Button(IDC_APPLY, "&Apply"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace firmware_ids
