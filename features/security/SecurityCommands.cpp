// The menu commands of this area's dialogs (core/controls/CommandTable.h). A new dialog adds
// its line here, e.g. WRAPPED_COMMAND(ID_..., CSomeDialog) with the id from
// resources/menus/CommandIds.h, or LAUNCHER_DIALOG(CSomeDialog) for one no menu item opens.
#include "core/controls/CommandTable.h"
#include "features/security/8021XAuRadiusServerDLG.h"
#include "features/security/8021XGlobalDlg.h"
#include "features/security/8021XPortSettings.h"
#include "features/security/8021XUserDLG.h"
#include "features/security/ARPSpoofSetting.h"
#include "features/security/AddARPEntry.h"
#include "features/security/DHCPServerScreenDlg.h"
#include "features/security/IMPBBlackList.h"
#include "features/security/IMPBSmartBinding.h"
#include "features/security/IMPBWhiteList.h"
#include "features/security/SmartBindingSettings.h"
#include "features/security/StormControlDlg.h"
#include "features/security/TrafficSegDlg.h"
#include "resources/menus/CommandIds.h"

namespace {
const CommandRegistrar kSecurityCommands({
    WRAPPED_COMMAND(ID_STORM_CONTROL, CStormControlDlg),
    WRAPPED_COMMAND(ID_DOT1X_GLOBAL, C8021XGlobalDlg),
    WRAPPED_COMMAND(ID_DOT1X_SETTINGS, C8021XPortSettings),
    WRAPPED_COMMAND(ID_DOT1X_USER, C8021XUserDLG),
    WRAPPED_COMMAND(ID_DOT1X_RADIUS, C8021XAuRadiusServerDLG),
    WRAPPED_COMMAND(ID_DHCP_SCREENING, CDHCPServerScreenDlg),
    WRAPPED_COMMAND(ID_TRAFFIC_SEGMENTATION, CTrafficSegDlg),
    WRAPPED_COMMAND(ID_ARP_SPOOFING, CARPSpoofSetting),
    LAUNCHER_DIALOG(CAddARPEntry),
    WRAPPED_COMMAND(ID_SMART_BINDING_SETTINGS, CSmartBindingSettings),
    WRAPPED_COMMAND(ID_SMART_BINDING, CIMPBSmartBinding),
    WRAPPED_COMMAND(ID_WHITE_LIST, CIMPBWhiteList),
    WRAPPED_COMMAND(ID_BLACK_LIST, CIMPBBlackList),
});
}  // namespace
