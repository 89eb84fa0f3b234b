// The device configuration dialog: the main dialog's command 32775, which no menu item
// carries (core/controls/CommandTable.h).
#include "core/controls/CommandTable.h"
#include "resources/menus/CommandIds.h"
#include "views/mibfile/DeviceCfgDlg.h"

namespace {
const CommandRegistrar kMibFileCommands({
    WRAPPED_COMMAND(ID_DEVICE_CONFIGURE, CDeviceCfgDlg),
});
}  // namespace
