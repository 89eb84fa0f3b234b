// The notification hosts, trap switches, engine ID and global state dialogs against the
// simulated switch, used as a person would.
#include <functional>

#include "core/DeviceProfile.h"
#include "core/ModuleStartupParams.h"
#include "features/management/SNMPEngineID.h"
#include "features/management/SNMPGlobal.h"
#include "features/management/SNMPHost.h"
#include "features/management/SNMPTrapSetting.h"
#include "resources/templates/ManagementDialogsIds.h"
#include "tests/features/management/ManagementFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace mgmttest {
namespace {

const std::string kHost = A + ".6.2.1.";

class SnmpHostTest : public SnmpAgentTest {
protected:
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        CSNMPHost dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitReadEnd(d));
            sim->ClearRequests();
            script(d);
            if (d.IsOpen()) d.Click(snmp_host_ids::IDC_CLOSE);
        });
    }
    static bool WaitReadEnd(DialogDriver& d) {
        return WaitUntil([&] { return d.IsEnabled(snmp_host_ids::IDC_REFRESH); });
    }
    static void Type(DialogDriver& d, const std::string& address, const std::string& name, int version = 0) {
        using namespace snmp_host_ids;
        d.TypeText(IDC_NAME, name);
        d.ChooseComboItem(IDC_VERSION, version);
        d.TypeText(IDC_ADDRESS, address);
    }
    void AddHost(const std::string& index, const std::string& bytes, int type, const std::string& iface = "") const {
        Set(kHost + "1" + index, "x", bytes);
        Set(kHost + "2" + index, "i", std::to_string(type));
        Set(kHost + "3" + index, "s", "public");
        Set(kHost + "4" + index, "i", "2");
        Set(kHost + "5" + index, "s", iface);
        Set(kHost + "6" + index, "i", "1");
    }
    std::vector<std::string> StatusSets() const {
        std::vector<std::string> out;
        for (const auto& r : Sets()) {
            for (const auto& v : r.varbinds) {
                if (v.oid.rfind(kHost + "6", 0) == 0) out.push_back(v.oid.substr(kHost.size() + 1) + "=" + v.value);
            }
        }
        return out;
    }
};

TEST_F(SnmpHostTest, ApplyCreatesTheHostAndDeleteDestroysItUnderTheSameIndex) {
    struct Case {
        std::string typed;
        int version;
        std::string index;
        std::string iface;  // the .5 written, "" for none
        std::string listed;
        std::string versionText;
    } cases[] = {
        {"10.0.0.5", 0, ".4.10.0.0.5.1", "", "10.0.0.5", "V1"},
        {"fe80::1%System", 4, ".16.254.128.0.0.0.0.0.0.0.0.0.0.0.0.0.1.2", "system", "fe80::1%system", "V3-AuthPriv"},
        {"2001:db8::1", 2, ".16.32.1.13.184.0.0.0.0.0.0.0.0.0.0.0.1.2", "", "2001:db8::1", "V3-NoAuthNoPriv"},
        {"10.0.0.6", 1, ".4.10.0.0.6.1", "", "10.0.0.6", "V2c"},
        {"10.0.0.7", 3, ".4.10.0.0.7.1", "", "10.0.0.7", "V3-AuthNoPriv"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            using namespace snmp_host_ids;
            Type(d, c.typed, "trapper", c.version);
            d.Click(IDC_APPLY);
            ASSERT_TRUE(WaitReadEnd(d));
            std::vector<std::vector<std::string>> expected = {
                {Vb(kHost + "6" + c.index, "i", "5")},
                {Vb(kHost + "3" + c.index, "s", "74726170706572"),
                 Vb(kHost + "4" + c.index, "i", std::to_string(c.version + 1))},
                {Vb(kHost + "6" + c.index, "i", "1")},
            };
            if (!c.iface.empty()) expected[1].push_back(Vb(kHost + "5" + c.index, "s", "73797374656D"));
            EXPECT_EQ(SetPdus(), expected);
            const auto walks = Requests("getnext");
            ASSERT_FALSE(walks.empty());
            EXPECT_GT(walks.front().seq, Sets().back().seq);
            const auto rows = d.GetRows(IDC_LIST);
            ASSERT_EQ(rows.size(), 2u);
            const auto& row = rows[0][0] == c.listed ? rows[0] : rows[1];
            EXPECT_EQ(row, (std::vector<std::string>{c.listed, c.versionText, "trapper"}));
            EXPECT_EQ(d.GetText(IDC_ADDRESS), "");
            EXPECT_EQ(d.GetText(IDC_NAME), "");
            EXPECT_EQ(d.GetText(IDC_VERSION), "V1");

            sim->ClearRequests();
            d.ClickListRow(IDC_LIST, rows[0][0] == c.listed ? 0 : 1);
            d.Click(IDC_DELETE);
            ASSERT_TRUE(WaitReadEnd(d));
            EXPECT_EQ(StatusSets(), (std::vector<std::string>{c.index + "=6"}));
            EXPECT_EQ(d.GetRows(IDC_LIST).size(), 1u);
        });
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    }
}

TEST_F(SnmpHostTest, ApplyRefusesInOrderAndSendsNothing) {
    struct Case {
        std::string address, name;
        std::string text;
        int hosts = 1;  // rows listed
    } cases[] = {
        {"10.0.0", "n", "Invalid Host IP."},
        {"fe80::1", "n", "Invalid Host IP."},
        {"fe80::1%", "n", "Link local address must specify interface name!ex: feXX::XXXX%InterfaceName"},
        {"fe80::1%a;b", "n", "Invalid Interface Name. "},
        {"fe80::1%eth1", "n", "This IP Address has used,please enter other IP Address"},
        {"192.168.0.20", "n", "This IP Address has used,please enter other IP Address"},
        {"10.0.0.9", "   ", "The Community String or SNMPv3 User Name can not be empty."},
        {"10.0.0.9", "a;b", "Invalid Community String/SNMPv3 User Name. "},
        {"10.0.0.9", "", "The Community String or SNMPv3 User Name can not be empty.", 10},
        {"10.0.0.9", "n", "Maximum number of Host Entry is 10.", 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address + " " + c.text);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        AddHost(".16.254.128.0.0.0.0.0.0.0.0.0.0.0.0.0.1.2", "FE 80 00 00 00 00 00 00 00 00 00 00 00 00 00 01", 2,
                "system");
        for (int n = 2; n < c.hosts; ++n)
            AddHost(".4.10.1.0." + std::to_string(n) + ".1", "0A 01 00 0" + std::to_string(n), 1);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            EXPECT_EQ(d.GetRows(snmp_host_ids::IDC_LIST).size(), static_cast<size_t>(std::max(c.hosts, 2)));
            Type(d, c.address, c.name);
            d.Click(snmp_host_ids::IDC_APPLY);
        });
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.text);
        EXPECT_TRUE(Sets().empty());
    }
}

TEST_F(SnmpHostTest, ApplyFromTheKeyboardChecksTheAddressTheFieldShows) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        using namespace snmp_host_ids;
        // The address typed last keeps the focus; Enter applies.
        Type(d, "10.0.0.5", "trapper");
        d.PressEnter();
        ASSERT_TRUE(WaitReadEnd(d));
        EXPECT_EQ(StatusSets(), (std::vector<std::string>{".4.10.0.0.5.1=5", ".4.10.0.0.5.1=1"}));
        // The emptied field is checked again, not the address of the Apply before.
        sim->ClearRequests();
        d.TypeText(IDC_NAME, "other");
        d.TypeText(IDC_ADDRESS, "");
        d.PressEnter();
        EXPECT_TRUE(Sets().empty());
    });
    ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Invalid Host IP.");
}

TEST_F(SnmpHostTest, CancelEmptiesTheInputsAndReadsAgainAndDeleteNeedsASelection) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        using namespace snmp_host_ids;
        Type(d, "10.0.0.5", "trapper", 3);
        d.Click(IDC_CANCEL);
        for (int id : {IDC_APPLY.id, IDC_CANCEL.id, IDC_DELETE.id, IDC_REFRESH.id}) EXPECT_FALSE(d.IsEnabled(id));
        ASSERT_TRUE(WaitReadEnd(d));
        EXPECT_EQ(d.GetText(IDC_ADDRESS), "");
        EXPECT_EQ(d.GetText(IDC_NAME), "");
        EXPECT_EQ(d.GetText(IDC_VERSION), "V1");
        EXPECT_GT(GetNextsFrom(kHost + "3"), 0u);
        d.Click(IDC_DELETE);
    });
    ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Please Selecte the Item you would delete");
    EXPECT_TRUE(Sets().empty());
}

// ---- trap switches

const std::string kTrap = A + ".8.";

class SnmpTrapTest : public SnmpAgentTest {
protected:
    void TearDown() override {
        g_strDeviceName.clear();
        SnmpAgentTest::TearDown();
    }
    static std::vector<std::string> Arcs(const switchsim::LoggedRequest& r) {
        std::vector<std::string> arcs;
        for (const auto& v : r.varbinds) arcs.push_back(v.oid.substr(kTrap.size()));
        return arcs;
    }
};

const std::vector<int> kTrapBoxes = {
    snmp_trap_ids::IDC_AUTHENTICATION, snmp_trap_ids::IDC_BOOTUP,    snmp_trap_ids::IDC_LINK,
    snmp_trap_ids::IDC_RSTP,           snmp_trap_ids::IDC_FIRMWARE,  snmp_trap_ids::IDC_LOOPBACK,
    snmp_trap_ids::IDC_POE_POWER,      snmp_trap_ids::IDC_POE_ERROR, snmp_trap_ids::IDC_POE_BUDGET};
const std::vector<std::string> kTrapArcs = {"1.0", "2.0", "3.0", "4.0", "5.0", "11.0", "6.0", "7.0", "8.0"};

TEST_F(SnmpTrapTest, BoxesFollowTheSwitchesAndApplyWritesThemInOneSet) {
    struct Case {
        std::string model;
        size_t boxes;
    } cases[] = {{"DUZ-3300-28P", 9}, {"DUZ-3300-28ZA1", 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        ASSERT_TRUE(StartSwitch(c.model, 28));
        g_strDeviceName = c.model;
        Set(kTrap + "2.0", "i", "2");
        Set(kTrap + "11.0", "i", "2");
        if (c.boxes == 9) Set(kTrap + "7.0", "i", "2");
        Harness ui;
        CSNMPTrapSetting dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            for (size_t i = 0; i < kTrapBoxes.size(); ++i) {
                SCOPED_TRACE(kTrapArcs[i]);
                EXPECT_EQ(d.IsVisible(kTrapBoxes[i]), i < c.boxes);
                if (i >= c.boxes) continue;
                EXPECT_EQ(d.IsChecked(kTrapBoxes[i]),
                          kTrapArcs[i] != "2.0" && kTrapArcs[i] != "11.0" && kTrapArcs[i] != "7.0");
            }
            d.Check(snmp_trap_ids::IDC_AUTHENTICATION, false);
            d.Check(snmp_trap_ids::IDC_BOOTUP, true);
            d.Click(snmp_trap_ids::IDC_APPLY);
            d.Click(snmp_trap_ids::IDC_CLOSE);
        });
        const std::vector<std::string> arcs(kTrapArcs.begin(), kTrapArcs.begin() + static_cast<long>(c.boxes));
        const auto gets = Requests("get");
        ASSERT_EQ(gets.size(), 1u);
        EXPECT_EQ(Arcs(gets[0]), arcs);
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(Arcs(sets[0]), arcs);
        std::vector<std::string> values;
        for (const auto& v : sets[0].varbinds) values.push_back(v.value);
        std::vector<std::string> expected = {"2", "1", "1", "1", "1", "2", "1", "2", "1"};
        expected.resize(c.boxes);
        EXPECT_EQ(values, expected);
        EXPECT_EQ(sim->GetObject(kTrap + "1.0"), "i 2");
    }
}

TEST_F(SnmpTrapTest, AnUnansweredReadLeavesTheBoxesClearAndARefusedWriteIsReadBack) {
    g_strDeviceName = "DUZ-3300-28ZA1";
    ModuleStartupParams::TimeoutMs = "200";
    {
        ASSERT_TRUE(sim->Silence(A + ".8"));
        Harness ui;
        CSNMPTrapSetting dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            for (size_t i = 0; i < 6; ++i) EXPECT_FALSE(d.IsChecked(kTrapBoxes[i]));
            d.Click(snmp_trap_ids::IDC_CLOSE);
        });
    }
    sim->ClearFaults();
    sim->ClearRequests();
    Harness ui;
    CSNMPTrapSetting dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(d.IsChecked(snmp_trap_ids::IDC_LINK));
        // The switch refuses the write; its reads still answer.
        ASSERT_TRUE(sim->Command("readonly " + kTrap + "3.0"));
        d.Check(snmp_trap_ids::IDC_LINK, false);
        d.Click(snmp_trap_ids::IDC_APPLY);
        // Read again: the box shows what the switch kept.
        EXPECT_TRUE(d.IsChecked(snmp_trap_ids::IDC_LINK));
        d.Click(snmp_trap_ids::IDC_CLOSE);
    });
    std::vector<std::string> pdus;
    for (const auto& r : sim->Requests()) pdus.push_back(r.pdu);
    EXPECT_EQ(pdus, (std::vector<std::string>{"get", "set", "get"}));
}

// ---- engine ID and global state

class SnmpEngineIdTest : public SnmpAgentTest {
protected:
    void TearDown() override {
        g_strDeviceName.clear();
        SnmpAgentTest::TearDown();
    }
};

TEST_F(SnmpEngineIdTest, ApplyChecksTheTextThenWritesTheBytesAndShowsWhatTheSwitchHolds) {
    using namespace snmp_engine_ids;
    struct Case {
        std::string typed;
        std::string message;  // "" accepted
        std::string stored;   // the switch's value afterwards (hex as stored)
        std::string shown;
    } cases[] = {
        {"123456789", "ID length is 10-64", "", ""},
        {"12345678g0", "the accepted character is from 0 to F", "", ""},
        {"800000abcde", "", "s 08 00 00 0A BC DE", "0800000abcde"},
        {"ABCDEF0123", "", "s AB CD EF 01 23", "abcdef0123"},
        // Typing stops at 64 characters: 65 typed are 64 written.
        {std::string(65, '1'), "",
         "s " +
             [] {
                 std::string s;
                 for (int i = 0; i < 32; ++i) s += i ? " 11" : "11";
                 return s;
             }(),
         std::string(64, '1')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Harness ui;
        if (!c.message.empty()) ui.ScriptMessageBoxes({IDOK});
        CSNMPEngineID dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] {
                return d.GetText(IDC_ENGINE_ID) ==
                       "80007e59030011223344556"
                       "6";
            }));
            sim->ClearRequests();
            d.TypeText(IDC_ENGINE_ID, c.typed);
            d.Click(IDC_APPLY);
            if (c.message.empty()) {
                EXPECT_TRUE(WaitUntil([&] { return !Requests("get").empty() && d.GetText(IDC_ENGINE_ID) == c.shown; }));
                std::vector<std::string> pdus;
                for (const auto& r : sim->Requests()) pdus.push_back(r.pdu);
                EXPECT_EQ(pdus, (std::vector<std::string>{"set", "get"}));
            }
            d.Click(IDC_CLOSE);
        });
        if (c.message.empty()) {
            EXPECT_EQ(sim->GetObject(A + ".7.0"), c.stored);
            EXPECT_TRUE(ui.ShownMessageBoxes().empty());
        } else {
            ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
            EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.message);
            EXPECT_TRUE(Sets().empty());
        }
    }
}

TEST_F(SnmpEngineIdTest, DefaultWritesTheModelsEngineId) {
    using namespace snmp_engine_ids;
    struct Case {
        std::string model;
        std::string written;  // hex of the SET
        std::string shown;
    } cases[] = {
        {"DUZ-3300-28ZA1", "",
         "80007e59030011223344556"
         "6"},
        {"DUZ-5600-20", "4B52562D353630302D3230000102030405", "4b52562d353630302d3230000102030405"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        g_strDeviceName = c.model;
        Harness ui;
        CSNMPEngineID dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return !d.GetText(IDC_ENGINE_ID).empty(); }));
            sim->ClearRequests();
            EXPECT_FALSE(d.IsVisible(IDC_DEFAULT));
            // The button is hidden: its command comes as a click would send it.
            dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DEFAULT.id, BN_CLICKED), 0);
            ASSERT_TRUE(WaitUntil([&] { return Requests("get").size() == 1 && d.GetText(IDC_ENGINE_ID) == c.shown; }));
            d.Click(IDC_CLOSE);
        });
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 1u);
        ASSERT_EQ(sets[0].varbinds.size(), 1u);
        EXPECT_EQ(sets[0].varbinds[0].hex, c.written);
        EXPECT_EQ(sets[0].errorStatus == 0, !c.written.empty());
    }
}

TEST_F(SnmpAgentTest, GlobalStateShowsTheSwitchAndApplyReadsBackOnlyWhatWasTaken) {
    using namespace snmp_global_ids;
    Harness ui;
    CSNMPGlobal dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return d.IsChecked(IDC_ENABLE); }));
        sim->ClearRequests();
        d.Check(IDC_ENABLE, false);
        d.Click(IDC_APPLY);
        ASSERT_TRUE(WaitUntil([&] { return Requests("get").size() == 1; }));
        EXPECT_EQ(SetPdus(), (std::vector<std::vector<std::string>>{{Vb(A + ".1.0", "i", "2")}}));
        EXPECT_EQ(Sets().front().seq + 1, Requests("get").front().seq);
        EXPECT_EQ(sim->GetObject(A + ".1.0"), "i 2");

        sim->ClearRequests();
        ASSERT_TRUE(sim->InjectError(A + ".1.0", "genErr"));
        d.Check(IDC_ENABLE, true);
        d.Click(IDC_APPLY);
        // A read back started by the refused Apply would have been answered by now.
        EXPECT_TRUE(switchsim::NoRequestOut());
        EXPECT_EQ(Sets().size(), 1u);
        EXPECT_TRUE(Requests("get").empty());
        d.Click(IDC_CANCEL);
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
}

}  // namespace
}  // namespace mgmttest
