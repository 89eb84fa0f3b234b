#include "tools/dialog/Launcher.h"

#include "core/DeviceProfile.h"
#include "core/controls/CommandTable.h"
#include "platform/snmp/Snmp.h"
#include "platform/ui/App.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Prompt.h"
#include "shell/DerariModuleApp.h"

namespace {
void ListClasses(std::ostream& err) {
    err << "Dialogs it opens:";
    for (const DialogCommand& d : CommandTable::All())
        if (d.make) err << ' ' << d.className;
    err << '\n';
}
}  // namespace

int RunDialogLauncher(const std::vector<std::string>& args, std::ostream& err) {
    if (args.empty()) {
        err << "usage: switch-dialog CLASSNAME <module command line>\n";
        ListClasses(err);
        return 2;
    }
    const DialogCommand* dialog = CommandTable::FindClass(args[0]);
    if (!dialog || !dialog->make) {
        err << "switch-dialog: unknown dialog class \"" << args[0] << "\"\n";
        ListClasses(err);
        return 2;
    }

    ui::EnsureApplication();
    std::string commandLine;
    for (std::size_t i = 1; i < args.size(); ++i) commandLine += (i > 1 ? " " : "") + args[i];
    if (commandLine.empty()) {
        AfxMessageBox("No parameter input !");
        return 1;
    }
    CDerariModuleApp app;
    app.ParseStartupParams(commandLine);
    std::string xmlName;
    int comboPortNum = 0;
    if (!ReadDeviceProfile(UserIniPath(), xmlName, comboPortNum)) return 1;

    SnmpInit(nullptr);
    SetSnmpTimeout(5000);
    std::unique_ptr<CDialog> dlg = dialog->make();
    dlg->DoModal();
    return 0;
}
