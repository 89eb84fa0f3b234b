// The commands of the spanning tree dialogs (core/controls/CommandTable.h).
#include "core/controls/CommandTable.h"
#include "features/stp/SpanTreeBridgeParam.h"
#include "resources/menus/CommandIds.h"

namespace {
const CommandRegistrar kStpCommands({
    LAUNCHER_DIALOG(CSpanTreeBridgeParam),
});
}  // namespace
