#pragma once
// The table of the program's dialog commands. Each feature area registers its own in a
// *Commands.cpp of its folder, with a static registrar; the main window runs menu commands
// from it and switch-dialog opens dialogs by class name from it. A menu command with no entry
// shows disabled.
//
//   // features/ports/PortsCommands.cpp
//   static const CommandRegistrar kPortsCommands({
//       WRAPPED_COMMAND(ID_PORT_CONFIGURATION, CPortSetInfo),
//       BESIDE_COMMAND(ID_SNMP_HOST_TABLE, CSNMPHost),  // main window visible, polling on
//       LAUNCHER_DIALOG(CEngineInfo),
//   });
//
// The registration files of an area are linked whole (cmake/Commands.cmake), so no registrar
// is dropped by the linker for being unreferenced.
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Dialog.h"

enum class CommandRun {
    Wrapped,     // the main window hides, pauses its polling and runs the dialog modally
    Beside,      // the dialog runs modally beside the main window, which stays and keeps polling
    MainWindow,  // the main window's own handler runs it (Save Configuration, Reboot, ...)
    Launcher,    // no menu command: switch-dialog opens it by class name
};

struct DialogCommand {
    UINT commandId = 0;               // the menu command; 0 for a launcher dialog
    const char* className = nullptr;  // the dialog class; null for a main-window handler
    std::unique_ptr<CDialog> (*make)() = nullptr;
    CommandRun run = CommandRun::Wrapped;
};

template <class Dialog>
std::unique_ptr<CDialog> MakeDialog() {
    return std::make_unique<Dialog>();
}

#define WRAPPED_COMMAND(commandId, Dialog) \
    DialogCommand { (commandId), #Dialog, &MakeDialog<Dialog>, CommandRun::Wrapped }
#define BESIDE_COMMAND(commandId, Dialog) \
    DialogCommand { (commandId), #Dialog, &MakeDialog<Dialog>, CommandRun::Beside }
#define LAUNCHER_DIALOG(Dialog) \
    DialogCommand { 0, #Dialog, &MakeDialog<Dialog>, CommandRun::Launcher }
#define MAIN_WINDOW_COMMAND(commandId) \
    DialogCommand { (commandId), nullptr, nullptr, CommandRun::MainWindow }

class CommandTable {
public:
    // Every registered entry, in registration order.
    static std::vector<DialogCommand> All();
    // The entry of a menu command or a class name; null when none is registered.
    static const DialogCommand* FindCommand(UINT commandId);
    static const DialogCommand* FindClass(const std::string& className);
    // Entries that repeat a command id or a class name already registered (a fault the tests
    // look for; the first registration is the one used).
    static std::vector<DialogCommand> Duplicates();

    static void Register(const std::vector<DialogCommand>& commands);
};

struct CommandRegistrar {
    explicit CommandRegistrar(const std::vector<DialogCommand>& commands) { CommandTable::Register(commands); }
};
