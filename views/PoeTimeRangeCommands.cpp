// The PoE time range list and the LLDP-MED PoE TLV settings (core/controls/CommandTable.h):
// the main window runs them from its commands 32819 and 32827, which no menu item carries.
#include "core/controls/CommandTable.h"
#include "resources/menus/CommandIds.h"
#include "views/LLDPMED.h"
#include "views/TimeRangInfo.h"

namespace {
const CommandRegistrar kPoeTimeRangeCommands({
    WRAPPED_COMMAND(ID_POE_TIME_RANGES, TimeRangInfo),
    WRAPPED_COMMAND(ID_LLDP_MED, CLLDPMED),
});
}  // namespace
