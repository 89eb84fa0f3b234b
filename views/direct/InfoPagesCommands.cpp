// The switch's information pages; no menu item opens them, switch-dialog opens them by class
// name (core/controls/CommandTable.h).
#include "core/controls/CommandTable.h"
#include "views/direct/DeviceInfo.h"
#include "views/direct/InfoScalars.h"
#include "views/direct/InfoTables.h"
#include "views/direct/SyslogCfgDlg.h"

namespace {
const CommandRegistrar kInfoPagesCommands({
    LAUNCHER_DIALOG(CSwPackageInfoDlg),
    LAUNCHER_DIALOG(C8021Status),
    LAUNCHER_DIALOG(C8021Diagnosis),
    LAUNCHER_DIALOG(CSyslogInfoDlg),
    LAUNCHER_DIALOG(CHisSyslogInfoDlg),
    LAUNCHER_DIALOG(CSyslogAppInfoDlg),
    LAUNCHER_DIALOG(CSyslogCfgDlg),
    LAUNCHER_DIALOG(CDHCPInfoDlg),
    LAUNCHER_DIALOG(CDeviceInfo),
    LAUNCHER_DIALOG(CIGMPRouterPortsSettings),
    LAUNCHER_DIALOG(CVlanInfoDlg),
    LAUNCHER_DIALOG(CTrunkInfoDlg),
});
}  // namespace
