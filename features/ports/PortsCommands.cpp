// The menu commands of the port dialogs (core/controls/CommandTable.h).
#include "core/controls/CommandTable.h"
#include "features/ports/BandWidthControlDlg.h"
#include "features/ports/IGMPSnoopConfig.h"
#include "features/ports/JumboFrameconfigdlg.h"
#include "features/ports/MultiFilterModeConfig.h"
#include "features/ports/POEConfigDlg.h"
#include "features/ports/POEGlobal.h"
#include "features/ports/PortMirroringdlg.h"
#include "features/ports/PortDescription.h"
#include "features/ports/PortSetInfo.h"
#include "features/ports/PowerSaveDlg.h"
#include "features/ports/StaticMACDlg.h"
#include "features/ports/TimeProfileInfo.h"
#include "resources/menus/CommandIds.h"

namespace {
const CommandRegistrar kPortsCommands({
    WRAPPED_COMMAND(ID_PORT_CONFIGURATION, CPortSetInfo),
    WRAPPED_COMMAND(ID_PORT_DESCRIPTION, CPortDescription),
    WRAPPED_COMMAND(ID_JUMBO_FRAME, CJumboFrameconfigdlg),
    WRAPPED_COMMAND(ID_POE_PORT, CPOEConfigDlg),
    WRAPPED_COMMAND(ID_POE_GLOBAL, CPOEGlobal),
    WRAPPED_COMMAND(ID_IGMP_SNOOPING, CIGMPSnoopConfig),
    WRAPPED_COMMAND(ID_MULTICAST_FILTERING, CMultiFilterModeConfig),
    WRAPPED_COMMAND(ID_PORT_MIRRORING, CPortMirroringdlg),
    WRAPPED_COMMAND(ID_BANDWIDTH_CONTROL, CBandWidthControlDlg),
    WRAPPED_COMMAND(ID_STATIC_MAC, CStaticMACDlg),
    WRAPPED_COMMAND(ID_TIME_PROFILE, CTimeProfileInfo),
    WRAPPED_COMMAND(ID_POWER_SAVING, CPowerSaveDlg),
});
}  // namespace
