// The direct-access dialogs no menu item opens; switch-dialog opens them by class name
// (core/controls/CommandTable.h).
#include "core/controls/CommandTable.h"
#include "views/direct/AccessInfo.h"
#include "views/direct/CommunityInfo.h"
#include "views/direct/EngineInfo.h"
#include "views/direct/GroupInfo.h"
#include "views/direct/MibTreeInfo.h"
#include "views/direct/UserInfo.h"

namespace {
const CommandRegistrar kDirectCommands({
    LAUNCHER_DIALOG(CAccessInfo),
    LAUNCHER_DIALOG(CCommunityInfo),
    LAUNCHER_DIALOG(CEngineInfo),
    LAUNCHER_DIALOG(CGroupInfo),
    LAUNCHER_DIALOG(CMibTreeInfo),
    LAUNCHER_DIALOG(CUserInfo),
});
}  // namespace
