// The About box (dialog 100): icon, model line, versions, OK.
#include "platform/ui/Template.h"

UI_DIALOG_TEMPLATE(100, "About", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    Row({
        Column({Picture(IDC_STATIC, 447), Stretch()}),
        Column({
            Label(1049, ""),
            Grid(2, {
                Label(IDC_STATIC, "Firmware Version         "), Label(IDC_STATIC, ": 4.0X.XXX"),
                Label(IDC_STATIC, "Zarido Module Version   "), Label(IDC_STATIC, ": 4.0.0.3"),
                Label(IDC_STATIC, "HardwareVersion        "), Label(IDC_STATIC, ": C1"),
            }),
        }),
        Column({DefButton(IDOK, "OK"), Stretch()}),
    }))
