// The main window's commands that no menu item carries: each runs its dialog through the
// wrapper, with the main window hidden and its polling paused.
#include <functional>
#include <typeinfo>

#include "resources/templates/GvrpDialogsIds.h"
#include "tests/shell/main/MainWindowFixture.h"
#include "views/CameraVLANOUISetting.h"
#include "views/GVRPSettings.h"
#include "views/GVRPTime.h"

namespace shelltest {
namespace {

using ui::test::DialogDriver;
using ui::test::WaitUntil;

TEST_F(MainWindowTest, CommandsWithoutMenuItemsRunTheirDialogsWrapped) {
    struct Command {
        UINT id;
        const std::type_info& dialog;
    } const commands[] = {
        {ID_GVRP_TIME, typeid(CGVRPTime)},
        {ID_GVRP_SETTINGS, typeid(CGVRPSettings)},
        {ID_CAMERA_VLAN_OUI, typeid(CCameraVLANOUISetting)},
    };
    UseModel("DUZ-3300-28ZA1");
    CDerariModuleDlg main(nullptr, m_ini);
    int wrapped = 0;
    for (const Command& c : commands) {
        ui.OnModalOf(c.dialog, [&](DialogDriver& d, CDialog&) {
            if (main.m_bPause.load() == 1 && main.IsIconic()) ++wrapped;
            d.Close();
        });
    }
    ui.RunModal(main, [&](DialogDriver& d) {
        for (const Command& c : commands) {
            SCOPED_TRACE(c.id);
            main.PostMessage(WM_COMMAND, c.id, 0);
            ASSERT_TRUE(WaitUntil([&] { return ui.ModalRunsOf(c.dialog) == 1 && main.IsWindowVisible(); }));
            EXPECT_EQ(main.m_bPause.load(), 0);
        }
        d.Close();
    });
    EXPECT_EQ(wrapped, 3);
}

}  // namespace
}  // namespace shelltest
