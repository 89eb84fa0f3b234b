// The commands of the spanning tree dialogs (core/controls/CommandTable.h).
#include "core/controls/CommandTable.h"
#include "features/stp/LoopbackDetection.h"
#include "features/stp/PrivateSpanTBridge.h"
#include "features/stp/SpanTreeBridgeParam.h"
#include "resources/menus/CommandIds.h"

namespace {
const CommandRegistrar kStpCommands({
    WRAPPED_COMMAND(ID_SPANNING_TREE, CPrivateSpanTBridge),
    WRAPPED_COMMAND(ID_LOOPBACK_DETECTION, CLoopbackDetection),
    LAUNCHER_DIALOG(CSpanTreeBridgeParam),
});
}  // namespace
