// The dialog launcher: opens a named dialog with the settings of the module's command line
// against the simulated switch, and refuses what it cannot open.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <thread>

#include "core/ModuleStartupParams.h"
#include "core/controls/CommandTable.h"
#include "core/controls/FeatureDialog.h"
#include "resources/templates/AgentTableViewsIds.h"
#include "tests/support/switchsim/SimulatedSwitch.h"
#include "tests/support/PollUntil.h"
#include "tests/support/ui/UiHarness.h"
#include "features/management/SetupDlg.h"
#include "resources/templates/ServiceDialogsIds.h"
#include "tools/dialog/Launcher.h"
#include "views/direct/GroupInfo.h"

extern char** environ;

using namespace std::chrono_literals;

namespace {

constexpr const char* kGroupColumn = "1.3.6.1.6.3.16.1.2.1.3";

class Launcher : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(m_sim.Start(&error)) << error;
        ModuleStartupParams::ResetToDefaults();
    }
    void TearDown() override { ModuleStartupParams::ResetToDefaults(); }

    // The module's command line for the simulator: the port as item 7.
    std::string CommandLine() const {
        return "/Z0/I127.0.0.1/Rsimread/Wquastel/Vtrue/S1/P" + std::to_string(m_sim.Port());
    }
    // GETNEXT requests of the group table's first column, with the community they carried.
    std::vector<std::string> GroupWalkCommunities() const {
        std::vector<std::string> out;
        for (const auto& r : m_sim.Requests())
            if (r.pdu == "getnext" && !r.varbinds.empty() && r.varbinds[0].oid.rfind(kGroupColumn, 0) == 0)
                out.push_back(r.community);
        return out;
    }

    switchsim::SimulatedSwitch m_sim{switchsim::SimulatedSwitch::Options{"DUZ-3300-28ZA1", {"read-community simread"}}};
};

TEST_F(Launcher, OpensTheNamedDialogWithTheCommandLineSettings) {
    ui::test::Harness ui;
    bool shown = false;
    ui.OnModal<CGroupInfo>([&](ui::test::DialogDriver& d, CGroupInfo& dlg) {
        shown = true;
        EXPECT_TRUE(ui::test::WaitUntil([&] { return !GroupWalkCommunities().empty() && !dlg.Reading(); }));
        EXPECT_EQ(d.GetColumns(agent_table_ids::IDC_GROUP_LIST).size(), 5u);
        d.Click(IDCANCEL);
    });
    std::ostringstream err;
    EXPECT_EQ(RunDialogLauncher({"CGroupInfo", CommandLine()}, err), 0) << err.str();
    EXPECT_TRUE(shown);
    EXPECT_EQ(GroupWalkCommunities(), std::vector<std::string>{"simread"});
    EXPECT_EQ(ModuleStartupParams::AgentAddress(), m_sim.Target());
}

// Class names before the command line run in turn: the device parameters set in the first
// hold for the second.
TEST_F(Launcher, RunsSeveralDialogsInTurnInOneProcess) {
    ui::test::Harness ui;
    ui.OnModal<SetupDlg>([](ui::test::DialogDriver& d) {
        d.TypeText(device_setup_ids::IDC_TIMEOUT, "4321");
        d.Click(device_setup_ids::IDC_OK);
    });
    std::string timeoutSeen;
    ui.OnModal<CGroupInfo>([&](ui::test::DialogDriver& d) {
        timeoutSeen = ModuleStartupParams::TimeoutMs;
        d.Close();
    });
    std::ostringstream err;
    EXPECT_EQ(RunDialogLauncher({"SetupDlg", "CGroupInfo", CommandLine()}, err), 0) << err.str();
    EXPECT_EQ(ui.ModalRuns<SetupDlg>(), 1);
    EXPECT_EQ(ui.ModalRuns<CGroupInfo>(), 1);
    EXPECT_EQ(timeoutSeen, "4321");
}

TEST_F(Launcher, RefusesWhatItCannotOpen) {
    std::ostringstream unknown, none;
    EXPECT_EQ(RunDialogLauncher({"CNoSuchDialog", CommandLine()}, unknown), 2);
    EXPECT_NE(unknown.str().find("unknown dialog class \"CNoSuchDialog\""), std::string::npos) << unknown.str();
    for (const auto& d : CommandTable::All())
        if (d.make) {
            EXPECT_NE(unknown.str().find(d.className), std::string::npos) << d.className;
        }
    EXPECT_EQ(RunDialogLauncher({}, none), 2);
    EXPECT_NE(none.str().find("usage: switch-dialog CLASSNAME"), std::string::npos);

    ui::test::Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    std::ostringstream err;
    EXPECT_EQ(RunDialogLauncher({"CGroupInfo"}, err), 1);
    ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "No parameter input !");
    EXPECT_TRUE(m_sim.Requests().empty());
}

// Every dialog of the command table, the menu's and those no menu item opens, opens by its
// class name, with every control it reaches by id present and of the kind it expects.
TEST_F(Launcher, OpensEveryRegisteredDialog) {
    std::vector<std::string> classes;
    for (const DialogCommand& d : CommandTable::All())
        if (d.make) classes.push_back(d.className);
    // The launcher dialogs, the Public MIB views and the port dialogs at least.
    for (const char* expected : {"CEngineInfo", "CIntfList", "CPortSetInfo"})
        EXPECT_NE(std::find(classes.begin(), classes.end(), expected), classes.end()) << expected;
    EXPECT_TRUE(CommandTable::Duplicates().empty());

    for (const std::string& name : classes) {
        SCOPED_TRACE(name);
        CFeatureDialog::ClearControlFaults();
        ui::test::Harness ui;
        const std::unique_ptr<CDialog> probe = CommandTable::FindClass(name)->make();
        const std::type_info& type = typeid(*probe);
        ui.OnModalOf(type, [](ui::test::DialogDriver& d, CDialog&) { d.Close(); });
        std::ostringstream err;
        EXPECT_EQ(RunDialogLauncher({name, CommandLine()}, err), 0) << err.str();
        EXPECT_EQ(ui.ModalRunsOf(type), 1);
        EXPECT_EQ(CFeatureDialog::ControlFaults(), std::vector<std::string>{});
    }
}

// The program itself, headless: an unknown class ends it at once with a non-zero status;
// a known one opens and reads the simulator until it is stopped.
TEST_F(Launcher, ProgramRunsHeadless) {
    const auto refused =
        switchsim::RunTool({SWITCH_DIALOG_EXE, "CNoSuchDialog", CommandLine()}, ::testing::TempDir() + "launcher-tool");
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("unknown dialog class \"CNoSuchDialog\""), std::string::npos) << refused.err;

    const std::string line = CommandLine();
    std::vector<const char*> argv{SWITCH_DIALOG_EXE, "CGroupInfo", line.c_str(), nullptr};
    pid_t pid = -1;
    ASSERT_EQ(posix_spawn(&pid, SWITCH_DIALOG_EXE, nullptr, nullptr, const_cast<char**>(argv.data()), environ), 0);
    EXPECT_TRUE(testsupport::PollUntil([&] { return !GroupWalkCommunities().empty(); }, 10s, 20ms));
    int status = 0;
    EXPECT_EQ(waitpid(pid, &status, WNOHANG), 0);  // still showing the dialog
    kill(pid, SIGTERM);
    waitpid(pid, &status, 0);
    EXPECT_EQ(GroupWalkCommunities(), std::vector<std::string>{"simread"});
}

}  // namespace
