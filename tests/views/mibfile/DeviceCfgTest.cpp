// The device configuration dialog against the simulated switch with the shipped description
// file (or a file of the test's own in the working directory): both lists, an option written
// and read again, each click naming its own row's object, and the failures that fill nothing.
#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/win/Clock.h"
#include "resources/templates/DeviceCfgDialogIds.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/ui/UiHarness.h"
#include "views/mibfile/DeviceCfgDlg.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace device_cfg_ids;

namespace {

using Rows = std::vector<std::vector<std::string>>;

const std::string kJumbo = "1.3.6.1.4.1.32473.10.76.21.1.1.12";
const std::string kLldp = "1.3.6.1.4.1.32473.10.76.21.1.24.1";
const std::string kManagementVlan = "1.3.6.1.4.1.32473.10.76.21.1.7.2";

// The working directory, for one test.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& dir) : m_old(std::filesystem::current_path()) {
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
    }
    ~WorkingDirectory() { std::filesystem::current_path(m_old); }

private:
    std::filesystem::path m_old;
};

class DeviceCfgTest : public switchsim::ModuleTargetTest {
protected:
    // Opens the dialog on an empty request log; the script starts once both lists hold rows
    // (or at once when `waitRows` is false).
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script, bool waitRows = true) {
        sim->ClearRequests();
        CDeviceCfgDlg dlg;
        m_dlg = &dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            if (waitRows) {
                EXPECT_TRUE(WaitUntil(
                    [&] { return !d.GetRows(IDC_CONFIG_LIST).empty() && !d.GetRows(IDC_INFO_LIST).empty(); }));
            }
            script(d);
            if (d.IsOpen()) d.Click(IDC_CLOSE);
        });
        m_dlg = nullptr;
    }
    // Every read the open dialog sent has been answered (or has timed out) and handled.
    bool ReadsHandled() const {
        return WaitUntil([&] { return m_dlg->ReadsOut() == 0; });
    }
    CDeviceCfgDlg* m_dlg = nullptr;  // while Run's dialog is open
    static std::string Assignment(const switchsim::LoggedRequest& r) {
        return r.varbinds.empty() ? "" : r.varbinds[0].oid + " " + r.varbinds[0].type + " " + r.varbinds[0].value;
    }
    // A description file of three options in the test's own working directory.
    static void ThreeOptions() {
        std::ofstream("DUZ9900_CFG.XML") << "<MIB><DEVINFO><E><NAME>1.3.6.1.2.1.1.5</NAME><DESC>Name</DESC></E>"
                                            "</DEVINFO><DEVCFG>"
                                         << Option(kJumbo, "Jumbo") << Option(kLldp, "LLDP")
                                         << Option(kManagementVlan, "Management VLAN") << "</DEVCFG></MIB>";
    }
    static std::string Option(const std::string& oid, const std::string& desc) {
        return "<E><NAME>" + oid + "</NAME><DESC>" + desc +
               "</DESC><VALUE><Enabled>1</Enabled><Disabled>2</Disabled></VALUE></E>";
    }
};

TEST_F(DeviceCfgTest, BothListsComeFromTheFile) {
    ASSERT_TRUE(sim->Command("serve 1.3.6.1.2.1.1.3.0 t 360000"));
    Set("1.3.6.1.2.1.1.5.0", "s", "core-1");
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return d.GetRows(IDC_INFO_LIST).size() == 3; }));
        EXPECT_EQ(d.GetColumns(IDC_CONFIG_LIST), (std::vector<std::string>{"  Config Name  ", "  Status     "}));
        EXPECT_EQ(d.GetRows(IDC_CONFIG_LIST), (Rows{{"Jumbo Frame", "Disabled"}, {"LLDP State", "Enabled"}}));
        const Rows info = d.GetRows(IDC_INFO_LIST);
        EXPECT_EQ(info[0][0], "System Description");
        EXPECT_FALSE(info[0][1].empty());
        EXPECT_EQ(info[1], (std::vector<std::string>{"System Up Time", "1 Hour 0 Min"}));
        EXPECT_EQ(info[2], (std::vector<std::string>{"System Name", "core-1"}));
        EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
    });
    const auto gets = Requests("get");
    ASSERT_EQ(gets.size(), 2u);
    EXPECT_EQ(Oids(gets[0]), (std::vector<std::string>{kJumbo + ".0", kLldp + ".0"}));
    EXPECT_EQ(Oids(gets[1]), (std::vector<std::string>{"1.3.6.1.2.1.1.1.0", "1.3.6.1.2.1.1.3.0", "1.3.6.1.2.1.1.5.0"}));
    for (const auto& g : gets) EXPECT_EQ(g.community, "norfen");
}

TEST(DeviceCfgTimeTest, TicksAsHoursAndMinutes) {
    const std::pair<std::string, std::string> cases[] = {
        {"360000", "1 Hour 0 Min"}, {"6000", "0 Hour 1 Min"}, {"5999", "0 Hour 0 Min"},
        {"x", "0 Hour 0 Min"},      {"", "0 Hour 0 Min"},     {"9000000", "25 Hour 0 Min"},
    };
    for (const auto& [ticks, text] : cases) EXPECT_EQ(CDeviceCfgDlg::TimeText(ticks), text) << ticks;
}

TEST_F(DeviceCfgTest, ApplyWritesThePickedValueAndReadsTheOptionsAgain) {
    win::SetClockSpeed(20);  // the 2000 ms wait after the write
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        d.ClickListRow(IDC_CONFIG_LIST, 0);
        EXPECT_TRUE(d.IsEnabled(IDC_APPLY));
        EXPECT_EQ(d.GetItems(IDC_VALUE), (std::vector<std::string>{"Enabled"})) << "the value shown is not offered";
        d.Click(IDC_APPLY);
        EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
        EXPECT_TRUE(d.GetItems(IDC_VALUE).empty());
        EXPECT_TRUE(WaitUntil([&] {
            return d.GetRows(IDC_CONFIG_LIST) == Rows{{"Jumbo Frame", "Enabled"}, {"LLDP State", "Enabled"}};
        }));
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].community, "quastel");
    EXPECT_EQ(Assignment(sets[0]), kJumbo + ".0 i 1");
    ASSERT_EQ(sets[0].varbinds.size(), 1u);
    const auto gets = Requests("get");
    ASSERT_EQ(gets.size(), 3u) << "the options again, not the device information";
    EXPECT_EQ(Oids(gets[2]), (std::vector<std::string>{kJumbo + ".0", kLldp + ".0"}));
}

TEST_F(DeviceCfgTest, EachClickWritesItsOwnRow) {
    win::SetClockSpeed(20);
    WorkingDirectory dir(std::filesystem::path(::testing::TempDir()) / "three");
    ThreeOptions();
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        for (int row : {2, 1, 0, 2}) {
            EXPECT_TRUE(WaitUntil([&] { return d.GetRows(IDC_CONFIG_LIST).size() == 3; }));
            d.ClickListRow(IDC_CONFIG_LIST, row);
            d.Click(IDC_APPLY);
        }
    });
    std::vector<std::string> written;
    for (const auto& s : Sets()) written.push_back(s.varbinds.empty() ? "" : s.varbinds[0].oid);
    EXPECT_EQ(written,
              (std::vector<std::string>{kManagementVlan + ".0", kLldp + ".0", kJumbo + ".0", kManagementVlan + ".0"}));
}

TEST_F(DeviceCfgTest, AMissingFileIsToldAndNothingIsListed) {
    WorkingDirectory dir(std::filesystem::path(::testing::TempDir()) / "empty");
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(
        ui,
        [&](DialogDriver& d) {
            EXPECT_TRUE(ReadsHandled());
            EXPECT_TRUE(d.GetRows(IDC_CONFIG_LIST).empty());
            EXPECT_TRUE(d.GetRows(IDC_INFO_LIST).empty());
        },
        false);
    ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "No DUZ9900_CFG.XML !");
}

TEST_F(DeviceCfgTest, AnEmptyWriteCommunityReadsAndWritesNothing) {
    ModuleStartupParams::WriteCommunity = "";
    Harness ui;
    Run(
        ui,
        [&](DialogDriver& d) {
            EXPECT_TRUE(ReadsHandled());
            EXPECT_TRUE(d.GetRows(IDC_CONFIG_LIST).empty());
            EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
        },
        false);
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    EXPECT_TRUE(sim->Requests().empty());
}

TEST_F(DeviceCfgTest, AnErrorAnswerLeavesItsListEmpty) {
    ASSERT_TRUE(sim->Command("error " + kJumbo + " noSuchName"));
    Harness ui;
    Run(
        ui,
        [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return d.GetRows(IDC_INFO_LIST).size() == 3; }));
            EXPECT_TRUE(WaitUntil([&] { return Requests("get").size() == 2; }));
            EXPECT_TRUE(ReadsHandled());
            EXPECT_TRUE(d.GetRows(IDC_CONFIG_LIST).empty());
        },
        false);
}

TEST_F(DeviceCfgTest, ASilentSwitchListsNothingAndClosesPromptly) {
    ASSERT_TRUE(sim->Silence());
    Harness ui;
    std::chrono::steady_clock::time_point closed;
    Run(
        ui,
        [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return Requests("get").size() == 2; }));
            EXPECT_TRUE(d.GetRows(IDC_CONFIG_LIST).empty());
            closed = std::chrono::steady_clock::now();
            d.Click(IDC_CLOSE);
        },
        false);
    EXPECT_LT(std::chrono::steady_clock::now() - closed, std::chrono::milliseconds(2000));
}

}  // namespace
