#include "core/controls/InputCheck.h"

#include "platform/ui/Prompt.h"

bool PassChecks(std::span<const InputCheck> checks) {
    for (const InputCheck& check : checks) {
        if (!check.refused()) continue;
        if (!check.message.empty()) AfxMessageBox(check.message);
        if (check.afterMessage) check.afterMessage();
        return false;
    }
    return true;
}
