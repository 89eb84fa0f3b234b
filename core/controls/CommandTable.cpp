#include "core/controls/CommandTable.h"

#include <cstring>
#include <deque>
#include <mutex>

namespace {

struct Table {
    std::mutex mutex;
    std::deque<DialogCommand> entries;  // a deque: found entries stay where they are
    std::vector<DialogCommand> duplicates;
};

// Built on first use, so registrars of any translation unit may run before it.
Table& TheTable() {
    static Table table;
    return table;
}

bool SameClass(const DialogCommand& a, const DialogCommand& b) {
    return a.className && b.className && std::strcmp(a.className, b.className) == 0;
}

}  // namespace

void CommandTable::Register(const std::vector<DialogCommand>& commands) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    for (const DialogCommand& command : commands) {
        bool repeated = false;
        for (const DialogCommand& e : table.entries)
            repeated =
                repeated || (command.commandId != 0 && e.commandId == command.commandId) || SameClass(e, command);
        if (repeated) table.duplicates.push_back(command);
        else table.entries.push_back(command);
    }
}

std::vector<DialogCommand> CommandTable::All() {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    return {table.entries.begin(), table.entries.end()};
}

const DialogCommand* CommandTable::FindCommand(UINT commandId) {
    if (commandId == 0) return nullptr;
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    for (const DialogCommand& e : table.entries)
        if (e.commandId == commandId) return &e;
    return nullptr;
}

const DialogCommand* CommandTable::FindClass(const std::string& className) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    for (const DialogCommand& e : table.entries)
        if (e.className && className == e.className) return &e;
    return nullptr;
}

std::vector<DialogCommand> CommandTable::Duplicates() {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    return table.duplicates;
}
