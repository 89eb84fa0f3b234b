// The management service dialogs against the simulated switch: the device parameters of the
// process, the command-line settings, the web services and the telnet sessions and settings,
// on SNMP version 1 and, where they have a road there, version 3.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "core/ModuleStartupParams.h"
#include "features/management/CLIControlDlg.h"
#include "features/management/SetupDlg.h"
#include "resources/templates/ServiceDialogsIds.h"
#include "tests/features/management/ManagementFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;
using Rows = std::vector<std::vector<std::string>>;

namespace mgmttest {
namespace {

using namespace std::chrono_literals;
const std::string Q = "1.3.6.1.4.1.32473.10.94.89.89";
const std::string kCli = Q + ".74.";
const std::string kWeb = Q + ".66.30.1.";
const std::string kTelnet = Q + ".58.";

class ServicesTest : public SnmpAgentTest {
protected:
    void SetUp() override {
        SnmpAgentTest::SetUp();
        ModuleStartupParams::SnmpVersion = "1";
    }
    // The logged SETs with their varbinds as "oid=type:value".
    std::vector<std::string> SetVarbinds() const {
        std::vector<std::string> out;
        for (const auto& r : Sets()) {
            for (const auto& v : r.varbinds) out.push_back(Vb(v.oid, v.type, v.value));
        }
        return out;
    }
};

// ---- device parameters

TEST_F(ServicesTest, SetupStoresTheAddressAndTimeOutForLaterDialogs) {
    using namespace device_setup_ids;
    // A device address where no agent answers; the switch's port stays.
    ModuleStartupParams::DeviceIP = "127.0.0.9";
    ModuleStartupParams::TimeoutMs = "1000";
    Harness ui;
    {
        SetupDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            EXPECT_EQ(d.GetText(IDC_DEVICE_IP), "127.0.0.9");
            EXPECT_EQ(d.GetText(IDC_TIMEOUT), "1000");
            d.TypeText(IDC_DEVICE_IP, "127.0.0.1");
            d.TypeText(IDC_TIMEOUT, "2500");
            d.Click(IDC_APPLY);
            EXPECT_EQ(ModuleStartupParams::DeviceIP, "127.0.0.1");
            EXPECT_EQ(ModuleStartupParams::TimeoutMs, "2500");
            d.TypeText(IDC_TIMEOUT, "4000");
            d.Click(IDC_CLOSE);  // Close stores nothing; Apply's values stay
        });
    }
    EXPECT_EQ(ModuleStartupParams::TimeoutMs, "2500");
    {
        SetupDlg dlg;
        EXPECT_EQ(ui.RunModal(dlg,
                              [&](DialogDriver& d) {
                                  d.TypeText(IDC_TIMEOUT, "3000");
                                  d.Click(IDC_OK);
                              }),
                  IDOK);
    }
    EXPECT_EQ(ModuleStartupParams::TimeoutMs, "3000");
    // A dialog opened next reads from the new address.
    CCLIControlDlg cli;
    ui.RunModal(cli, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return d.GetText(cli_ids::IDC_CLI_TIMEOUT.id) == "10"; }));
        d.Click(cli_ids::IDC_CLOSE);
    });
    EXPECT_EQ(Requests("get").size(), 1u);
}

TEST_F(ServicesTest, SetupRefusesAnEmptyOrZeroTimeOut) {
    using namespace device_setup_ids;
    for (const char* typed : {"", "0"}) {
        SCOPED_TRACE(typed);
        ModuleStartupParams::DeviceIP = "127.0.0.1";
        ModuleStartupParams::TimeoutMs = "1000";
        Harness ui;
        ui.ScriptMessageBoxes({IDOK, IDOK});
        SetupDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            d.TypeText(IDC_DEVICE_IP, "10.0.0.2");
            d.TypeText(IDC_TIMEOUT, typed);
            d.Click(IDC_APPLY);
            d.Click(IDC_OK);
            EXPECT_TRUE(d.IsOpen());
            d.Click(IDC_CLOSE);
        });
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 2u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text,
                  *typed ? "Please enter an integer between 1 and 2147483647." : "Please enter an integer.");
        EXPECT_EQ(ModuleStartupParams::DeviceIP, "127.0.0.1");
        EXPECT_EQ(ModuleStartupParams::TimeoutMs, "1000");
    }
}

// ---- command-line settings

class CliTest : public ServicesTest {
protected:
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        CCLIControlDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            script(d);
            if (d.IsOpen()) d.Click(cli_ids::IDC_CLOSE);
        });
    }
    static bool Read(DialogDriver& d) {
        return WaitUntil([&] { return d.IsEnabled(cli_ids::IDC_APPLY); });
    }
};

TEST_F(CliTest, ReadsTheNineSettingsAndWritesTheSixInOneSet) {
    using namespace cli_ids;
    for (bool history : {true, false}) {
        SCOPED_TRACE(history);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        ModuleStartupParams::SnmpVersion = "1";
        Set(kCli + "7.0", "u", "15");
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            ASSERT_TRUE(Read(d));
            EXPECT_EQ(d.GetText(IDC_CLI_TIMEOUT), "10");
            EXPECT_TRUE(d.IsChecked(IDC_HISTORY_ENABLE));
            EXPECT_EQ(d.GetText(IDC_HISTORY_SIZE), "20");
            EXPECT_EQ(d.GetText(IDC_TELNET_TIMEOUT), "15");
            EXPECT_FALSE(d.IsEnabled(IDC_TELNET_TIMEOUT));
            EXPECT_EQ(d.GetText(IDC_SSH_HISTORY_SIZE), "20");
            d.TypeText(IDC_CLI_TIMEOUT, "25");
            d.Check(IDC_HISTORY_ENABLE, history);
            d.Click(IDC_APPLY);
        });
        const auto gets = Requests("get");
        ASSERT_FALSE(gets.empty());
        std::vector<std::string> expectedGets;
        for (const char* o : {"2.0", "3.0", "4.0", "6.0", "7.0", "8.0", "9.0", "10.0", "11.0"})
            expectedGets.push_back(kCli + o);
        EXPECT_EQ(Oids(gets[0]), expectedGets);
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(sets[0].community, "quastel");
        EXPECT_EQ(SetVarbinds(),
                  (std::vector<std::string>{Vb(kCli + "2.0", "u", "25"), Vb(kCli + "3.0", "i", history ? "1" : "2"),
                                            Vb(kCli + "4.0", "u", "20"), Vb(kCli + "6.0", "u", "10"),
                                            Vb(kCli + "7.0", "u", "15"), Vb(kCli + "8.0", "i", "1")}));
        EXPECT_EQ(sets[0].errorStatus, 0);
    }
}

TEST_F(CliTest, ApplySendsNothingWithoutAWholeReadOrWithAWrongNumber) {
    using namespace cli_ids;
    {
        SCOPED_TRACE("an answer of eight values");
        Command("serve " + kCli + "11.0 n");
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return !Requests("get").empty(); }));
            ui::test::Pump(300ms);
            EXPECT_EQ(d.GetText(IDC_CLI_TIMEOUT), "");
            EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
        });
        Command("serve " + kCli + "11.0 off");
    }
    {
        SCOPED_TRACE("12x");
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            ASSERT_TRUE(Read(d));
            d.TypeText(IDC_CLI_TIMEOUT, "12x");
            d.Click(IDC_APPLY);
        });
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Please enter a positive integer.");
    }
    {
        SCOPED_TRACE("version 3");
        UseSimV3();
        sim->ClearRequests();
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            ui::test::Pump(300ms);
            EXPECT_EQ(d.GetText(IDC_CLI_TIMEOUT), "");
            EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
        });
        EXPECT_TRUE(sim->Requests().empty());
    }
    EXPECT_TRUE(Sets().empty());
}

}  // namespace
}  // namespace mgmttest
