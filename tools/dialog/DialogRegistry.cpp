#include "tools/dialog/DialogRegistry.h"

#include "views/direct/AccessInfo.h"
#include "views/direct/CommunityInfo.h"
#include "views/direct/EngineInfo.h"
#include "views/direct/GroupInfo.h"
#include "views/direct/MibTreeInfo.h"
#include "views/direct/UserInfo.h"

namespace {
template <class D>
std::unique_ptr<CDialog> Make() {
    return std::make_unique<D>();
}
}  // namespace

// One line per dialog; keep README.md's list in step.
const std::vector<LaunchableDialog>& LaunchableDialogs() {
    static const std::vector<LaunchableDialog> dialogs = {
        {"CAccessInfo", Make<CAccessInfo>},
        {"CCommunityInfo", Make<CCommunityInfo>},
        {"CEngineInfo", Make<CEngineInfo>},
        {"CGroupInfo", Make<CGroupInfo>},
        {"CMibTreeInfo", Make<CMibTreeInfo>},
        {"CUserInfo", Make<CUserInfo>},
    };
    return dialogs;
}

const LaunchableDialog* FindLaunchableDialog(const std::string& className) {
    for (const LaunchableDialog& d : LaunchableDialogs())
        if (className == d.className) return &d;
    return nullptr;
}
