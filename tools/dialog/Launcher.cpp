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
        err << "usage: switch-dialog CLASSNAME... <module command line>\n";
        ListClasses(err);
        return 2;
    }
    // The leading class names, run in turn in this process: a dialog that changes the
    // process's start-up settings (SetupDlg) acts on the ones after it.
    std::vector<const DialogCommand*> dialogs;
    std::size_t next = 0;
    for (; next < args.size(); ++next) {
        const DialogCommand* dialog = CommandTable::FindClass(args[next]);
        if (!dialog || !dialog->make) break;
        dialogs.push_back(dialog);
    }
    if (dialogs.empty()) {
        err << "switch-dialog: unknown dialog class \"" << args[0] << "\"\n";
        ListClasses(err);
        return 2;
    }

    ui::EnsureApplication();
    std::string commandLine;
    for (std::size_t i = next; i < args.size(); ++i) commandLine += (i > next ? " " : "") + args[i];
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
    for (const DialogCommand* dialog : dialogs) {
        std::unique_ptr<CDialog> dlg = dialog->make();
        dlg->DoModal();
    }
    return 0;
}
