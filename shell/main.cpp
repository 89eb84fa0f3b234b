// The module process: one main window for the device named on the command line.
//
// The program works in the folder of its executable: User.ini there names the model, and the
// paths inside it and in the panel descriptions ("models/<MODEL>/...") are relative to it.
//
// MODULE_SNAPSHOT=FILE: once the first polled port states are on the front panel, the panel
// is saved to FILE as PNG, FILE is printed on standard output and the program ends (for runs
// without a display).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/SnmpRead.h"
#include "platform/ui/App.h"
#include "platform/ui/WindowExtras.h"
#include "shell/DerariModuleApp.h"
#include "shell/DerariModuleDlg.h"

namespace {

class CModuleProcess : public CWinApp {
public:
    CModuleProcess(int argc, char** argv) : CWinApp("switch-module") {
        m_module.m_arguments.assign(argv + 1, argv + argc);
    }
    BOOL InitInstance() override { return m_module.InitInstance(m_lpCmdLine) ? TRUE : FALSE; }

private:
    CDerariModuleApp m_module;
};

void SaveSnapshot(CDerariModuleDlg& dialog, const std::string& file) {
    if (ui::SaveWindowPicture(dialog.GetSafeHwnd(), file)) std::printf("%s\n", file.c_str());
    else std::fprintf(stderr, "switch-module: cannot write %s\n", file.c_str());
    std::fflush(stdout);
    dialog.PostMessage(WM_CLOSE);
}

}  // namespace

int main(int argc, char** argv) {
    if (const char* snapshot = std::getenv("MODULE_SNAPSHOT"); snapshot != nullptr && *snapshot != '\0') {
        // Relative to where the program was started, not to its own folder.
        const std::string file = std::filesystem::absolute(snapshot).string();
        CDerariModuleDlg::SetFirstPanelHook([file](CDerariModuleDlg& dialog) { SaveSnapshot(dialog, file); });
    }
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) std::filesystem::current_path(exe.parent_path(), error);
    CModuleProcess app(argc, argv);
    const int status = app.Run(argc, argv);
    // A view closed during its walk left its session to finish on its own; let it end
    // before the process does (bounded by the request time-out).
    CSnmpRead::WaitForClosedSessions(5000);
    return status;
}
