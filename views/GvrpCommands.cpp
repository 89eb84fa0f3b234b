// The main window's commands of GVRP and the auto surveillance VLAN tables; no menu item
// carries them (core/controls/CommandTable.h).
#include "core/controls/CommandTable.h"
#include "resources/templates/GvrpDialogsIds.h"
#include "views/CameraVLANOUISetting.h"
#include "views/CameraVlanPortSetting.h"
#include "views/GVRPSettings.h"
#include "views/GVRPTime.h"

namespace {
const CommandRegistrar kGvrpCommands({
    WRAPPED_COMMAND(ID_GVRP_TIME, CGVRPTime),
    WRAPPED_COMMAND(ID_GVRP_SETTINGS, CGVRPSettings),
    WRAPPED_COMMAND(ID_CAMERA_VLAN_OUI, CCameraVLANOUISetting),
    // Opened with no surveillance VLAN id or state, so Apply stays disabled.
    LAUNCHER_DIALOG(CCameraVlanPortSetting),
});
}  // namespace
