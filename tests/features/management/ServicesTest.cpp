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
#include "features/management/TelnetCfgDlg.h"
#include "features/management/WebConfigDlg.h"
#include "resources/templates/ServiceDialogsIds.h"
#include "tests/features/management/ManagementFixture.h"
#include "tests/support/switchsim/Settle.h"

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
    // A fresh switch, talked to with SNMP version 3 or 1.
    bool StartOn(bool v3) {
        if (!StartSwitch("DUZ-3300-28ZA1", 28)) return false;
        if (v3) UseSimV3();
        else ModuleStartupParams::SnmpVersion = "1";
        return true;
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
        m_dlg = &dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            script(d);
            if (d.IsOpen()) d.Click(cli_ids::IDC_CLOSE);
        });
    }
    static bool Read(DialogDriver& d) {
        return WaitUntil([&] { return d.IsEnabled(cli_ids::IDC_APPLY); });
    }
    // The dialog Run shows.
    CCLIControlDlg* m_dlg = nullptr;
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
            // The read has ended: its answer has been handled.
            ASSERT_TRUE(WaitUntil([&] { return !Requests("get").empty() && !m_dlg->Reading(); }));
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
            EXPECT_FALSE(m_dlg->Reading());  // no read started
            EXPECT_EQ(d.GetText(IDC_CLI_TIMEOUT), "");
            EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
        });
        ASSERT_TRUE(switchsim::Settle(*sim));
        EXPECT_TRUE(sim->Requests().empty());
    }
    EXPECT_TRUE(Sets().empty());
}

// ---- web services

class WebTest : public ServicesTest {
protected:
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script, size_t rows = 2) {
        CWebConfigDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return d.GetRows(web_config_ids::IDC_LIST).size() == rows; }));
            // The walk has asked past its last row; its answer ends it.
            ASSERT_TRUE(WaitUntil([&] { return Requests("getnext").size() >= rows + 1 && !dlg.Reading(); }));
            sim->ClearRequests();
            script(d);
            if (d.IsOpen()) d.Click(web_config_ids::IDC_CLOSE);
        });
    }
};

TEST_F(WebTest, ListsTheServicesAndAClickFillsTheFields) {
    using namespace web_config_ids;
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetRows(IDC_LIST), (Rows{{"1", "http", "enable", "80", "4", "http", "0", "600"},
                                             {"2", "https", "disable", "443", "4", "https", "1", "600"}}));
        EXPECT_EQ(d.GetColumns(IDC_LIST)[0], "  Index");
        d.ClickListRow(IDC_LIST, 1);
        EXPECT_EQ(d.GetText(IDC_INDEX), "2");
        EXPECT_EQ(d.GetText(IDC_UDP_PORT), "443");
        EXPECT_EQ(d.GetText(IDC_IDLE_TIMEOUT), "600");
        EXPECT_EQ(d.GetText(IDC_STATUS), "disable");
    });
    // Enable 1 and protocol 7 have no text of their own.
    Set(kWeb + "3.1", "i", "1");
    Set(kWeb + "6.1", "i", "7");
    Run(ui, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetRows(IDC_LIST)[0],
                  (std::vector<std::string>{"1", "http", "default", "80", "4", "default", "0", "600"}));
        d.ClickListRow(IDC_LIST, 0);
        EXPECT_EQ(d.GetSelection(IDC_STATUS), -1);
        d.Click(IDC_APPLY);  // no state chosen: nothing to write
    });
    EXPECT_TRUE(Sets().empty());
}

// Apply writes the service, and the table is read again once the switch has answered the
// write (a slow switch: Apply returns while the write is out), so the list shows what the
// switch then holds.
TEST_F(WebTest, ApplyWritesOneServiceThenReadsTheTableAgain) {
    using namespace web_config_ids;
    struct Case {
        const char* name;
        bool v3;
        int delayMs;
    };
    for (const Case& c : {Case{"version 1", false, 0}, Case{"version 3", true, 0}, Case{"slow switch", false, 1500}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartOn(c.v3));
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            d.ClickListRow(IDC_LIST, 1);
            d.TypeText(IDC_UDP_PORT, "8443");
            d.TypeText(IDC_IDLE_TIMEOUT, "300");
            d.ChooseComboItem(IDC_STATUS, "enable");
            Command("delay " + std::to_string(c.delayMs));
            sim->ClearRequests();
            d.Click(IDC_APPLY);
            if (c.delayMs > 0) {
                ASSERT_TRUE(WaitUntil([&] { return !Sets().empty(); }));
                EXPECT_GE(sim->PendingAnswers(), 1) << "Apply waited for the switch";
                EXPECT_TRUE(Requests("getnext").empty());
            }
            ASSERT_TRUE(
                WaitUntil([&] { return d.GetRows(IDC_LIST).size() == 2 && d.GetRows(IDC_LIST)[1][3] == "8443"; }));
        });

        const auto requests = sim->Requests();
        ASSERT_GE(requests.size(), 2u);
        EXPECT_EQ(requests[0].pdu, "set");
        EXPECT_EQ(SetVarbinds(), (std::vector<std::string>{Vb(kWeb + "4.2", "i", "8443"), Vb(kWeb + "8.2", "i", "300"),
                                                           Vb(kWeb + "3.2", "i", "3")}));
        EXPECT_EQ(requests[0].user, c.v3 ? "simmd5des" : "");
        EXPECT_EQ(requests[1].pdu, "getnext");
        EXPECT_GE(requests[1].arrivalUs - requests[0].arrivalUs, c.delayMs * 1000) << "read before the write's answer";
        EXPECT_EQ(sim->GetObject(kWeb + "3.2"), "i 3");
    }
}

TEST_F(WebTest, ApplySendsNothingWithoutARowOrWithAWrongNumber) {
    using namespace web_config_ids;
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        d.Click(IDC_APPLY);  // no row clicked yet
        d.ClickListRow(IDC_LIST, 0);
        d.TypeText(IDC_IDLE_TIMEOUT, "12x");
        d.Click(IDC_APPLY);
    });
    ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Please enter an integer.");
    EXPECT_TRUE(sim->Requests().empty());
}

// ---- telnet

class TelnetTest : public ServicesTest {
protected:
    // The walk lists `rows` sessions and has asked past the last one.
    bool Listed(DialogDriver& d, size_t rows = 2) const {
        return WaitUntil(
            [&] { return d.GetRows(telnet_ids::IDC_LIST).size() == rows && Requests("getnext").size() >= rows + 1; });
    }
};

TEST_F(TelnetTest, ShowsTheSettingsAndSessionsAndSetsASessionsStatus) {
    using namespace telnet_ids;
    for (bool v3 : {false, true}) {
        SCOPED_TRACE(v3 ? "version 3" : "version 1");
        ASSERT_TRUE(StartOn(v3));
        Harness ui;
        CTelnetCfgDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(Listed(d));
            EXPECT_EQ(d.GetRows(IDC_LIST), (Rows{{"1", "192.168.10.50", "2026-01-12 08:15:02", "Connected"},
                                                 {"3", "192.168.10.51", "2026-01-12 09:40:37", "Unconnected"}}));
            if (!v3) {
                ASSERT_TRUE(WaitUntil([&] { return d.GetText(IDC_TIMEOUT) == "10"; }));
            }
            EXPECT_EQ(d.GetText(IDC_PASSWORD), v3 ? "" : "telnet123");
            EXPECT_FALSE(d.IsEnabled(IDC_STATUS));
            d.ClickListRow(IDC_LIST, 1);
            EXPECT_EQ(d.GetText(IDC_SESSION_ID), "3");
            ASSERT_TRUE(WaitUntil([&] { return d.GetText(IDC_STATUS) == "UnConnected"; }));
            d.ChooseComboItem(IDC_STATUS, "Connected");
            sim->ClearRequests();
            d.Click(IDC_SESSION_APPLY);
            ASSERT_TRUE(WaitUntil([&] { return Requests("getnext").size() >= 3; }));
            ASSERT_TRUE(
                WaitUntil([&] { return d.GetRows(IDC_LIST).size() == 2 && d.GetRows(IDC_LIST)[1][3] == "Connected"; }));
            // The time-out has no road with version 3.
            sim->ClearRequests();
            d.TypeText(IDC_TIMEOUT, "30");
            d.Click(IDC_TIMEOUT_APPLY);
            if (!v3) {
                ASSERT_TRUE(WaitUntil([&] { return Requests("get").size() >= 1 && Sets().size() == 1; }));
            }
            d.Click(IDC_CLOSE);
        });
        EXPECT_EQ(sim->GetObject(kTelnet + "4.1.4.3"), "i 1");
        if (v3) {
            EXPECT_TRUE(Sets().empty());
        } else {
            EXPECT_EQ(SetVarbinds(), std::vector<std::string>{Vb(kTelnet + "3.0", "i", "30")});
            const auto reads = Requests("get");
            ASSERT_FALSE(reads.empty());
            EXPECT_EQ(Oids(reads[0]), (std::vector<std::string>{kTelnet + "2.0", kTelnet + "3.0"}));
        }
    }
}

// An Apply while the list's walk still waits for an answer. A session's Apply reads the
// sessions again (the old walk's answer is dropped); the time-out's Apply leaves the walk
// alone. Either way the list ends with every session.
TEST_F(TelnetTest, AnApplyDuringAWalkListsEverySession) {
    using namespace telnet_ids;
    struct Case {
        const char* name;
        bool session;
        std::string written;
    };
    for (const Case& c : {Case{"session", true, Vb(kTelnet + "4.1.4.3", "i", "2")},
                          Case{"time-out", false, Vb(kTelnet + "3.0", "i", "30")}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartOn(false));
        Harness ui;
        CTelnetCfgDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(Listed(d));
            ASSERT_TRUE(WaitUntil([&] { return !dlg.Reading(); }));
            if (c.session) {
                d.ClickListRow(IDC_LIST, 1);
                ASSERT_TRUE(WaitUntil([&] { return d.GetSelection(IDC_STATUS) == 1; }));
            }
            Command("delay 300");
            sim->ClearRequests();
            d.Click(IDC_REFRESH);
            ASSERT_TRUE(WaitUntil([&] { return GetNextsFrom(kTelnet + "4.1.1") >= 1; }));
            if (c.session) {
                d.Click(IDC_SESSION_APPLY);
                ASSERT_TRUE(WaitUntil([&] { return GetNextsFrom(kTelnet + "4.1.1") >= 2; }));
            } else {
                d.TypeText(IDC_TIMEOUT, "30");
                d.Click(IDC_TIMEOUT_APPLY);
            }
            ASSERT_TRUE(WaitUntil([&] { return !dlg.Reading(); }));
            // The answers still out have arrived; a replaced walk's are dropped.
            ASSERT_TRUE(switchsim::Settle(*sim));
            EXPECT_EQ(d.GetRows(IDC_LIST).size(), 2u);
            d.Click(IDC_CLOSE);
        });
        EXPECT_EQ(SetVarbinds(), std::vector<std::string>{c.written});
    }
}

TEST_F(TelnetTest, NothingIsSentWithoutASessionAndClosingIsPrompt) {
    using namespace telnet_ids;
    Harness ui;
    {
        CTelnetCfgDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(Listed(d));
            d.Click(IDC_SESSION_APPLY);
            d.Click(IDC_CLOSE);
        });
    }
    EXPECT_TRUE(Sets().empty());
    // Closed while its reads wait for a slow switch: nothing reaches it afterwards.
    Command("delay 1500");
    ModuleStartupParams::TimeoutMs = "3000";
    const auto start = std::chrono::steady_clock::now();
    {
        CTelnetCfgDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return sim->Requests().size() >= 2; }));
            d.Click(IDC_CLOSE);
        });
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1400ms);
    // The answers come after the close and reach nothing.
    ASSERT_TRUE(switchsim::Settle(*sim));
}

}  // namespace
}  // namespace mgmttest
