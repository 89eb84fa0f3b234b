// The module process: one main window for the device named on the command line.
//
// The program works in the folder of its executable: User.ini there names the model, and the
// paths inside it and in the panel descriptions ("models/<MODEL>/...") are relative to it.
#include <filesystem>
#include <system_error>

#include "platform/ui/App.h"
#include "shell/DerariModuleApp.h"
#include "views/TableWalk.h"

namespace {

class CModuleProcess : public CWinApp {
public:
    CModuleProcess() : CWinApp("switch-module") {}
    BOOL InitInstance() override { return m_module.InitInstance(m_lpCmdLine) ? TRUE : FALSE; }

private:
    CDerariModuleApp m_module;
};

}  // namespace

int main(int argc, char** argv) {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) std::filesystem::current_path(exe.parent_path(), error);
    CModuleProcess app;
    const int status = app.Run(argc, argv);
    // A view closed during its walk left its session to finish on its own; let it end
    // before the process does (bounded by the request time-out).
    CTableWalk::WaitForClosedSessions(5000);
    return status;
}
