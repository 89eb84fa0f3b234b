// The 802.1X authenticator dialogs of views/ (core/controls/CommandTable.h): the port access
// control runs from the main window's command 32792, which no menu item carries; the global
// settings only from switch-dialog.
#include "core/controls/CommandTable.h"
#include "resources/menus/CommandIds.h"
#include "views/C8021Config.h"
#include "views/Dot1xPortConfig.h"

namespace {
const CommandRegistrar kDot1xCommands({
    WRAPPED_COMMAND(ID_DOT1X_PORT_CONFIG, Dot1xPortConfig),
    LAUNCHER_DIALOG(C8021Config),
});
}  // namespace
