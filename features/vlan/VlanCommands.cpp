// The menu commands of this area's dialogs (core/controls/CommandTable.h). The add and edit
// dialog and the PVID dialog are opened by the VLAN list, which lends them its VLAN list.
#include "core/controls/CommandTable.h"
#include "features/vlan/8021qVlanSet.h"
#include "features/vlan/CameraVlanSetting.h"
#include "features/vlan/ManagVlanSetDlg.h"
#include "features/vlan/TrunkConfigDlg.h"
#include "resources/menus/CommandIds.h"

namespace {
const CommandRegistrar kVlanCommands({
    WRAPPED_COMMAND(ID_VLAN_CONFIGURATION, C8021qVlanSet),
    WRAPPED_COMMAND(ID_MANAGEMENT_VLAN, CManagVlanSetDlg),
    WRAPPED_COMMAND(ID_TRUNK_CONFIGURATION, CTrunkConfigDlg),
    WRAPPED_COMMAND(ID_SURVEILLANCE_VLAN, CCameraVlanSetting),
});
}  // namespace
