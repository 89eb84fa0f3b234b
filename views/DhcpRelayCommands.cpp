// The DHCP/BOOTP relay and DHCP server screening port dialogs: no menu item opens them, so
// each has its launcher entry (core/controls/CommandTable.h).
#include "core/controls/CommandTable.h"
#include "views/DHCPBOOTPRelayGlobalDlg.h"
#include "views/DHCPBOOTPRelayInterfaceDlg.h"
#include "views/DHCPLocalRelayDlg.h"
#include "views/DHCPServerConfig.h"

namespace {
const CommandRegistrar kDhcpRelayCommands({
    LAUNCHER_DIALOG(CDHCPBOOTPRelayGlobalDlg),
    LAUNCHER_DIALOG(CDHCPBOOTPRelayInterfaceDlg),
    LAUNCHER_DIALOG(CDHCPLocalRelayDlg),
    LAUNCHER_DIALOG(CDHCPServerConfig),
});
}  // namespace
