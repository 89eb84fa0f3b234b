// The syslog dialog against the simulated switch: what it shows of the settings and the
// server row, the requests of its Apply in order, its refusals and the state Apply.
#include <functional>

#include "core/ModuleStartupParams.h"
#include "features/management/SyslogHostCfgDlg.h"
#include "resources/templates/ManagementDialogsIds.h"
#include "tests/features/management/ManagementFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace mgmttest {
namespace {

using namespace syslog_ids;
const std::string kSyslog = P + ".16.2.";
const std::string kHostEntry = kSyslog + "5.1.";

class SyslogTest : public SnmpAgentTest {
protected:
    // Opens the dialog and waits for the settings read and the walk of `rows` host rows.
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script, size_t rows = 1) {
        CSyslogHostCfgDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(Walked(rows));
            sim->ClearRequests();
            script(d);
            if (d.IsOpen()) d.Click(IDCANCEL);
        });
    }
    // The walk has asked past its last row: each row's handler ran before the next request.
    bool Walked(size_t rows) const {
        return WaitUntil([&] { return Requests("getnext").size() >= rows + 1; });
    }
    void AddRow(const std::string& index, const std::string& type, const std::string& bytes, const std::string& port,
                const std::string& status) const {
        Set(kHostEntry + "1" + index, "i", type);
        Set(kHostEntry + "2" + index, "x", bytes);
        Set(kHostEntry + "3" + index, "i", port);
        Set(kHostEntry + "4" + index, "s", "");
        Set(kHostEntry + "5" + index, "i", status);
    }
};

TEST_F(SyslogTest, OpeningReadsTheSettingsThenTheServersAndShowsThem) {
    struct Case {
        std::string name;
        std::function<void()> setup;
        std::function<void(DialogDriver&)> check;
        size_t rows = 1;
    };
    const std::vector<Case> cases = {
        {"the switch's values", [] {},
         [](DialogDriver& d) {
             EXPECT_TRUE(d.IsChecked(IDC_ENABLE));
             EXPECT_EQ(d.GetText(IDC_FACILITY), "Local0");
             EXPECT_EQ(d.GetText(IDC_SEVERITY), "Informational");
             EXPECT_EQ(d.GetText(IDC_TIME_STAMP), "Enabled");
             EXPECT_EQ(d.GetText(IDC_ADDRESS), "192.168.0.9");
             EXPECT_EQ(d.GetText(IDC_PORT), "514");
             EXPECT_TRUE(d.IsEnabled(IDC_APPLY));
             EXPECT_TRUE(d.IsEnabled(IDC_ADDRESS));
         }},
        {"facility 200, severity 5",
         [this] {
             Set(kSyslog + "4.0", "i", "200");
             Set(kSyslog + "3.0", "i", "5");
             Set(kSyslog + "2.0", "i", "2");
         },
         [](DialogDriver& d) {
             EXPECT_EQ(d.GetText(IDC_FACILITY), "Local0");
             EXPECT_EQ(d.GetSelection(IDC_SEVERITY), -1);
             EXPECT_EQ(d.GetText(IDC_TIME_STAMP), "Disabled");
         }},
        {"syslog off", [this] { Set(kSyslog + "1.0", "i", "2"); },
         [](DialogDriver& d) {
             EXPECT_FALSE(d.IsChecked(IDC_ENABLE));
             for (int id :
                  {IDC_ADDRESS.id, IDC_PORT.id, IDC_FACILITY.id, IDC_SEVERITY.id, IDC_TIME_STAMP.id, IDC_APPLY.id}) {
                 EXPECT_FALSE(d.IsEnabled(id)) << id;
             }
         }},
        {"a row not active", [this] { Set(kHostEntry + "5.1.4.192.168.0.9", "i", "2"); },
         [](DialogDriver& d) {
             EXPECT_EQ(d.GetText(IDC_ADDRESS), "0.0.0.0");
             EXPECT_EQ(d.GetText(IDC_PORT), "0");
         }},
        {"two rows", [this] { AddRow(".1.4.192.168.0.10", "1", "C0 A8 00 0A", "600", "1"); },
         [](DialogDriver& d) {
             EXPECT_EQ(d.GetText(IDC_ADDRESS), "192.168.0.10");
             EXPECT_EQ(d.GetText(IDC_PORT), "600");
         },
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        c.setup();
        Harness ui;
        CSyslogHostCfgDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(Walked(c.rows));
            c.check(d);
            d.Click(IDCANCEL);
        });
        std::vector<std::string> reads;
        for (const auto& r : sim->Requests()) {
            std::string line = r.pdu;
            for (const auto& v : r.varbinds) line += " " + v.oid.substr(kSyslog.size());
            reads.push_back(line);
        }
        ASSERT_GE(reads.size(), 2u);
        EXPECT_EQ(reads[0], "get 4.0 3.0 2.0 1.0");
        EXPECT_EQ(reads[1], "getnext 5.1.5 5.1.1 5.1.4 5.1.2 5.1.3");
    }
}

TEST_F(SyslogTest, ApplyReplacesTheServerRowThenWritesTheSettingsInOnePdu) {
    struct Case {
        std::string typed;
        std::string index;
        bool iface;
    } cases[] = {
        {"192.168.0.10", ".1.4.192.168.0.10", false},
        {"fe80::1%eth0", ".2.16.254.128.0.0.0.0.0.0.0.0.0.0.0.0.0.1", true},
        {"2001:db8::1", ".2.16.32.1.13.184.0.0.0.0.0.0.0.0.0.0.0.1", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            d.TypeText(IDC_ADDRESS, c.typed);
            d.TypeText(IDC_PORT, "1000");
            d.ChooseComboItem(IDC_SEVERITY, "All");
            d.ChooseComboItem(IDC_FACILITY, "Local3");
            d.ChooseComboItem(IDC_TIME_STAMP, "Disabled");
            d.Click(IDC_APPLY);
        });
        std::vector<std::vector<std::string>> expected = {
            {Vb(kHostEntry + "5.1.4.192.168.0.9", "i", "6")},
            {Vb(kHostEntry + "5" + c.index, "i", "5")},
            {Vb(kHostEntry + "3" + c.index, "i", "1000")},
        };
        if (c.iface) expected.push_back({Vb(kHostEntry + "4" + c.index, "s", "65746830")});
        expected.push_back({Vb(kHostEntry + "5" + c.index, "i", "1")});
        expected.push_back(
            {Vb(kSyslog + "3.0", "i", "7"), Vb(kSyslog + "4.0", "i", "152"), Vb(kSyslog + "2.0", "i", "2")});
        EXPECT_EQ(SetPdus(), expected);
        for (const auto& r : Sets()) EXPECT_EQ(r.errorStatus, 0) << r.varbinds[0].oid;
        EXPECT_EQ(sim->GetObject(kHostEntry + "3" + c.index), "i 1000");
    }
    // Without a row read no destroy request goes out.
    ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
    ASSERT_TRUE(sim->Command("del " + kSyslog + "5"));
    Harness ui;
    Run(
        ui,
        [&](DialogDriver& d) {
            d.TypeText(IDC_ADDRESS, "192.168.0.10");
            d.Click(IDC_APPLY);
        },
        0);
    const auto pdus = SetPdus();
    ASSERT_FALSE(pdus.empty());
    EXPECT_EQ(pdus[0], (std::vector<std::string>{Vb(kHostEntry + "5.1.4.192.168.0.10", "i", "5")}));
}

TEST_F(SyslogTest, ApplyRefusesABadServerAndWritesNothing) {
    struct Case {
        std::string address, port, text;
    } cases[] = {
        {"1.2.3", "514", "Invalid Syslog Sever IP address."},
        {"fe80::1%", "514", "Link local address must specify interface name!ex: feXX::XXXX%InterfaceName"},
        {"fe80::1%a,b", "514", "Invalid Interface Name. "},
        {"192.168.0.10", "", "Invalid UDP port range (1-65535)"},
        {"192.168.0.10", "0", "Invalid UDP port range (1-65535)"},
        {"192.168.0.10", "65536", "Invalid UDP port range (1-65535)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address + " " + c.port);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            d.TypeText(IDC_ADDRESS, c.address);
            d.TypeText(IDC_PORT, c.port);
            d.Click(IDC_APPLY);
        });
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.text);
        EXPECT_TRUE(Sets().empty());
    }
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        d.TypeText(IDC_PORT, "123456");
        EXPECT_EQ(d.GetText(IDC_PORT), "12345");
    });
}

TEST_F(SyslogTest, StateApplyWritesTheStateAndReadsAgain) {
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        d.Check(IDC_ENABLE, false);
        EXPECT_FALSE(d.IsEnabled(IDC_ADDRESS));
        d.Click(IDC_STATE_APPLY);
        ASSERT_TRUE(WaitUntil([&] { return !d.IsEnabled(IDC_APPLY) && !Requests("get").empty(); }));
        const auto requests = sim->Requests();
        ASSERT_GE(requests.size(), 2u);
        EXPECT_EQ(requests[0].pdu, "set");
        EXPECT_EQ(requests[0].varbinds.size(), 1u);
        EXPECT_EQ(requests[0].varbinds[0].oid, kSyslog + "1.0");
        EXPECT_EQ(requests[0].varbinds[0].value, "2");
        EXPECT_EQ(requests[1].pdu, "get");
        EXPECT_FALSE(d.IsChecked(IDC_ENABLE));
    });
    EXPECT_EQ(sim->GetObject(kSyslog + "1.0"), "i 2");
}

// The row last read is kept on the user-interface thread: an Apply while the walk still waits
// for its first row has no row to destroy and reads nothing half-written.
TEST_F(SyslogTest, ApplyWhileADelayedHostWalkRuns) {
    ModuleStartupParams::TimeoutMs = "3000";
    ASSERT_TRUE(sim->Delay(800));
    Harness ui;
    CSyslogHostCfgDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return !Requests("getnext").empty(); }));
        d.TypeText(IDC_ADDRESS, "192.168.0.10");
        d.Click(IDC_APPLY);
        d.Click(IDCANCEL);
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 4u);
    EXPECT_EQ(sets[0].varbinds[0].oid, kHostEntry + "5.1.4.192.168.0.10");
    EXPECT_EQ(sets[0].varbinds[0].value, "5");
}

}  // namespace
}  // namespace mgmttest
