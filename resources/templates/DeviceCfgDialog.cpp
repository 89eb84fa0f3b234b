// Device configuration from the MIB description file (484).
#include "platform/ui/Template.h"
#include "resources/templates/DeviceCfgDialogIds.h"

namespace device_cfg_ids {
// clang-format off
UI_DIALOG_TEMPLATE(IDD, "Device Configure", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    Column({
        Group(IDC_STATIC, "Configuration Options", {
            List(IDC_CONFIG_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS).Size(300, 140),
            Row({Combo(IDC_VALUE, CBS_DROPDOWN | CBS_SORT).Fits("Disabled      "), Stretch(), Button(IDC_APPLY, "&Apply")}),
        }),
        Group(IDC_STATIC, "Device Info", {
            List(IDC_INFO_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER).Size(300, 120),
        }),
        Row({Stretch(), DefButton(IDC_REFRESH, "&Refresh"), Button(IDC_CLOSE, "&Close")}),
    }))
// clang-format on
}  // namespace device_cfg_ids
