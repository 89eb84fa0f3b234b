// The main window's Tools commands it runs itself: Save Configuration, Reboot, Telnet and Web.
#include "shell/DerariModuleDlg.h"

#include <cstdio>
#include <string>
#include <vector>

#include "core/ModuleStartupParams.h"
#include "core/Utils.h"
#include "features/management/ResetDevice.h"
#include "platform/ui/Prompt.h"
#include "platform/win/ProcessStart.h"

namespace {

constexpr UINT kConfirm = MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2;
constexpr const char* kSaveConfigOid = "1.3.6.1.4.1.32473.10.76.21.1.1.10.0";
constexpr int kSaveTimeoutMs = 4000;

}  // namespace

void CDerariModuleDlg::OnSaveConfiguration() {
    if (AfxMessageBox("Do you want to save the configuration?", kConfirm) != IDOK) return;
    // An answer that carries an error status is a refusal, not a save.
    const bool saved = SnmpSet(m_cCommonSNMPset, {SnmpSetVar::Integer(kSaveConfigOid, 1)}, kSaveTimeoutMs).Ok();
    AfxMessageBox(saved ? "           Success!           " : "           Failed!            ");
}

void CDerariModuleDlg::OnReboot() {
    if (AfxMessageBox("Do you want to reboot the device?", kConfirm) != IDOK) return;
    CResetDevice reset;
    if (reset.CanReboot() == 1) reset.RebootDevice();
    else AfxMessageBox("FW upgrade/backup or config backup/restore is already progressing. ");
}

void CDerariModuleDlg::OnTelnet() {
    if (const int error = win::StartTelnet(ModuleStartupParams::DeviceIP); error != 0) {
        std::printf("error code:%d \n", error);
        std::fflush(stdout);
    }
}

void CDerariModuleDlg::OnWeb() {
    if (AfxMessageBox("Do you want to access this device with browser?", kConfirm) != IDOK) return;
    const std::string browser = CUtils::GetDefaultBrowserPath();
    if (browser.empty()) {
        AfxMessageBox("Failed to get IE path !");
        return;
    }
    std::vector<std::string> argv{browser};
    if (!ModuleStartupParams::DeviceIP.empty()) argv.push_back(ModuleStartupParams::DeviceIP);
    win::StartProgram(argv);  // a failed start shows nothing
}
