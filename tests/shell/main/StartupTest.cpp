// Start-up in process: the empty command line, the agent port item, the instance lock and the
// activation of the instance that holds it.
#include "platform/win/RegisteredMessage.h"
#include "shell/DerariModuleApp.h"
#include "tests/shell/main/MainWindowFixture.h"

namespace shelltest {
namespace {

using namespace std::chrono_literals;
using ui::test::DialogDriver;

TEST_F(MainWindowTest, EmptyCommandLineEndsWithAMessage) {
    ui.ScriptMessageBoxes({IDOK});
    CDerariModuleApp app;
    app.m_strProfilePath = m_ini;
    EXPECT_FALSE(app.InitInstance(""));
    ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "No parameter input !");
    EXPECT_EQ(ui.ModalRuns<CDerariModuleDlg>(), 0);
    EXPECT_FALSE(app.m_hMutex.IsHeld());
}

TEST_F(MainWindowTest, AgentPortItemAddressesTheAgent) {
    const struct {
        std::string item7, agent;
    } cases[] = {
        {"161", "10.1.2.3"},   {"", "10.1.2.3"},          {"16x1", "10.1.2.3"},       {"0", "10.1.2.3"},
        {"70000", "10.1.2.3"}, {"1661", "10.1.2.3:1661"}, {"01661", "10.1.2.3:1661"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item7);
        ModuleStartupParams::ResetToDefaults();
        CDerariModuleApp app;
        app.ParseStartupParams("/N0/I10.1.2.3/Rr/Ww/Vtrue/V1/P" + c.item7);
        EXPECT_EQ(ModuleStartupParams::DeviceIP, "10.1.2.3");
        EXPECT_EQ(ModuleStartupParams::AgentAddress(), c.agent);
    }
}

TEST_F(MainWindowTest, OneInstancePerDevice) {
    UseModel("DUZ-3300-28ZA1");
    const std::string line = "/N0/I127.0.0.1/Rnorfen/Wquastel/Vtrue/V1/P" + std::to_string(s_sim->Port());
    const std::string name = ModuleInstanceName("DUZ-3300-28ZA1", s_sim->Address());
    win::BroadcastRecorder broadcasts;
    ASSERT_TRUE(broadcasts.IsListening());

    CDerariModuleApp first;
    first.m_strProfilePath = m_ini;
    int secondRuns = 0;
    ui.OnModal<CDerariModuleDlg>([&](DialogDriver& d) {
        EXPECT_EQ(d.Window().GetWindowText(), "DUZ-3300-28ZA1: " + s_sim->Address());
        EXPECT_TRUE(first.m_hMutex.IsHeld());
        // A second start for the same device, while this one runs, ends at once and
        // activates this one.
        CDerariModuleApp second;
        second.m_strProfilePath = m_ini;
        EXPECT_FALSE(second.InitInstance(line));
        secondRuns = ui.ModalRuns<CDerariModuleDlg>();
        win::BroadcastRecorder::Message activation{};
        EXPECT_TRUE(broadcasts.WaitFor(RegisterWindowMessage(name.c_str()), 5s, &activation));
        EXPECT_EQ(activation.wParam, 0u);
        EXPECT_EQ(activation.lParam, 0);
        // Another device runs side by side.
        win::InstanceLock other;
        EXPECT_EQ(other.Acquire(ModuleInstanceName("DUZ-3300-28ZA1", "127.0.0.2")),
                  win::InstanceLock::Result::Acquired);
        d.Close();
    });
    EXPECT_FALSE(first.InitInstance(line));
    EXPECT_EQ(ui.ModalRuns<CDerariModuleDlg>(), 1);
    EXPECT_EQ(secondRuns, 1) << "the second start showed no window";
}

}  // namespace
}  // namespace shelltest
