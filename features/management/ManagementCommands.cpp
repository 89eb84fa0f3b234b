// The menu commands of this area's dialogs (core/controls/CommandTable.h). A new dialog adds
// its line here, e.g. WRAPPED_COMMAND(ID_..., CSomeDialog) with the id from
// resources/menus/CommandIds.h, or LAUNCHER_DIALOG(CSomeDialog) for one no menu item opens.
#include "core/controls/CommandTable.h"
#include "features/management/CLIControlDlg.h"
#include "features/management/FirmDownLoad.h"
#include "features/management/LLDPGroup.h"
#include "features/management/LLDPREMOTEINFO.h"
#include "features/management/RMONEthernetStatistics.h"
#include "features/management/RMONEvent.h"
#include "features/management/RMONHistoryControl.h"
#include "features/management/RmonAlarm.h"
#include "features/management/RmonStatus.h"
#include "features/management/SNMPCommunity.h"
#include "features/management/SNMPEngineID.h"
#include "features/management/SNMPGlobal.h"
#include "features/management/SNMPGroup.h"
#include "features/management/SNMPHost.h"
#include "features/management/SNMPTrapSetting.h"
#include "features/management/SNMPUser.h"
#include "features/management/SNMPViewTree.h"
#include "features/management/SetupDlg.h"
#include "features/management/SyslogHostCfgDlg.h"
#include "features/management/TelnetCfgDlg.h"
#include "features/management/WebConfigDlg.h"
#include "resources/menus/CommandIds.h"

namespace {
const CommandRegistrar kManagementCommands({
    WRAPPED_COMMAND(ID_SNMP_COMMUNITY_TABLE, CSNMPCommunity),
    WRAPPED_COMMAND(ID_SNMP_USER_TABLE, CSNMPUser),
    WRAPPED_COMMAND(ID_SNMP_GROUP_TABLE, CSNMPGroup),
    WRAPPED_COMMAND(ID_SNMP_VIEW_TABLE, CSNMPViewTree),
    BESIDE_COMMAND(ID_SNMP_HOST_TABLE, CSNMPHost),
    WRAPPED_COMMAND(ID_SNMP_TRAP, CSNMPTrapSetting),
    WRAPPED_COMMAND(ID_SNMP_ENGINE_ID, CSNMPEngineID),
    WRAPPED_COMMAND(ID_SNMP_GLOBAL, CSNMPGlobal),
    WRAPPED_COMMAND(ID_RMON_GLOBAL, CRmonStatus),
    WRAPPED_COMMAND(ID_RMON_STATISTICS, CRMONEthernetStatistics),
    WRAPPED_COMMAND(ID_RMON_HISTORY, CRMONHistoryControl),
    WRAPPED_COMMAND(ID_RMON_ALARM, CRmonAlarm),
    WRAPPED_COMMAND(ID_RMON_EVENT, CRMONEvent),
    WRAPPED_COMMAND(ID_SYSLOG_HOST, CSyslogHostCfgDlg),
    WRAPPED_COMMAND(ID_LLDP_GLOBAL, CLLDPGroup),
    WRAPPED_COMMAND(ID_LLDP_REMOTE_PORT, CLLDPREMOTEINFO),
    WRAPPED_COMMAND(ID_FIRMWARE_UPGRADE, CFirmDownLoad),
    LAUNCHER_DIALOG(SetupDlg),
    LAUNCHER_DIALOG(CCLIControlDlg),
    LAUNCHER_DIALOG(CWebConfigDlg),
    LAUNCHER_DIALOG(CTelnetCfgDlg),
});
}  // namespace
