// The About box (dialog 100): icon, model line, versions, OK.
#include "platform/ui/Template.h"
#include "resources/templates/AboutIds.h"

namespace about_ids {

// clang-format off
UI_DIALOG_TEMPLATE(IDD, "About", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    Row({
        Column({Picture(IDC_STATIC, 447), Stretch()}),
        Column({
            Label(IDC_MODEL_NAME, "").Fits("VAD-3300-08P B1 Management Module"),  // the longest model name
            Grid(2, {
                Label(IDC_STATIC, "Firmware Version         "), Label(IDC_STATIC, ": 4.0X.XXX"),
                Label(IDC_STATIC, "Zarido Module Version   "), Label(IDC_STATIC, ": 4.0.0.3"),
                Label(IDC_STATIC, "HardwareVersion        "), Label(IDC_STATIC, ": C1"),
            }),
        }),
        Column({DefButton(IDOK, "OK"), Stretch()}),
    }))
// clang-format on
}  // namespace about_ids
