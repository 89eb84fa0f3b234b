// The main window's commands of GVRP and the auto surveillance VLAN tables; no menu item
// carries them (core/controls/CommandTable.h).
#include "core/controls/CommandTable.h"
#include "resources/templates/GvrpDialogsIds.h"
#include "views/GVRPSettings.h"
#include "views/GVRPTime.h"

namespace {
const CommandRegistrar kGvrpCommands({
    WRAPPED_COMMAND(ID_GVRP_TIME, CGVRPTime),
    WRAPPED_COMMAND(ID_GVRP_SETTINGS, CGVRPSettings),
});
}  // namespace
