// The host table opened from the main window's menu: it runs beside the main window, which
// stays visible and keeps polling the switch meanwhile.
#include "features/management/SNMPHost.h"
#include "platform/win/Clock.h"
#include "resources/templates/ManagementDialogsIds.h"
#include "tests/shell/main/MainWindowFixture.h"

namespace shelltest {
namespace {

using ui::test::DialogDriver;
using ui::test::WaitUntil;

const std::string kHosts = "1.3.6.1.4.1.32473.10.76.21.1.25.6";

TEST_F(MainWindowTest, HostTableRunsBesideTheMainWindowWhileThePollingGoesOn) {
    UseModel("DUZ-3300-28ZA1");
    win::SetClockSpeed(10);  // polling periods of 50 ms
    CDerariModuleDlg main(nullptr, m_ini);
    bool checked = false;
    ui.OnModal<CSNMPHost>([&](DialogDriver& host) {
        EXPECT_TRUE(main.IsWindowVisible());
        EXPECT_FALSE(main.IsIconic());
        EXPECT_EQ(main.m_bPause.load(), 0);
        ASSERT_TRUE(WaitUntil([&] { return host.IsEnabled(snmp_host_ids::IDC_REFRESH); }));
        EXPECT_EQ(host.GetRows(snmp_host_ids::IDC_LIST).size(), 1u);
        s_sim->ClearRequests();
        // The polling's reads go on while the dialog is open.
        EXPECT_TRUE(WaitUntil([&] {
            for (const auto& r : Requests("get")) {
                if (!r.varbinds.empty() && r.varbinds[0].oid.rfind(kHosts, 0) != 0) return true;
            }
            return false;
        }));
        checked = true;
        host.Click(snmp_host_ids::IDC_CLOSE);
    });
    ui.RunModal(main, [&](DialogDriver& d) {
        d.ChooseMenu({"Device Manager   ", "SNMP", "SNMP Host Table"});
        ASSERT_TRUE(WaitUntil([&] { return ui.ModalRuns<CSNMPHost>() == 1; }));
        d.Close();
    });
    win::SetClockSpeed(1);
    EXPECT_TRUE(checked);
}

}  // namespace
}  // namespace shelltest
