// The information views no menu item opens; switch-dialog opens them by class name
// (core/controls/CommandTable.h).
#include "core/controls/CommandTable.h"
#include "features/information/ArpTable.h"
#include "features/information/ResourceInfo.h"
#include "features/information/RmonControlDlg.h"
#include "features/information/RouterMap.h"
#include "features/information/StatisticRmon1.h"

namespace {
const CommandRegistrar kInformationCommands({
    LAUNCHER_DIALOG(CStatisticRmon1),
    LAUNCHER_DIALOG(CRmonControlDlg),
    LAUNCHER_DIALOG(CArpTable),
    LAUNCHER_DIALOG(CRouterMap),
    LAUNCHER_DIALOG(CResourceInfo),
});
}  // namespace
