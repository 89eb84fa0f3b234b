// LLDP global settings: the order of the timer writes, alone and through the dialog against
// the simulated switch (which refuses a step that breaks its timer rules), the read, the
// checks and the retries.
#include <functional>

#include "core/ModuleStartupParams.h"
#include "features/management/LLDPGroup.h"
#include "platform/win/Clock.h"
#include "resources/templates/ManagementDialogsIds.h"
#include "tests/features/management/ManagementFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace mgmttest {
namespace {

using namespace lldp_global_ids;
const std::string kLldp = P + ".24.";
// Spelled out here: a constant of another file may not be made yet when these are.
const std::string H = P + ".24.2.0", I = P + ".24.3.0", R = P + ".24.4.0", D = P + ".24.5.0";

struct OrderCase {
    long heldI, heldD, h, i, r, d;
    std::vector<std::vector<std::string>> pdus;  // OIDs of each send; the final one last
};

const OrderCase kOrders[] = {
    {100, 25, 4, 40, 2, 10, {{D}, {H}, {D, R, I}, {D, R, I}}},
    {8000, 2000, 10, 5000, 2, 1000, {{D}, {D, R, I}, {H}, {D, R, I}}},
    {30, 2, 10, 5000, 2, 2, {{H}, {I}, {I, R, D}}},
    {8000, 2, 10, 5000, 2, 2, {{I}, {H}, {I, R, D}}},
};

TEST(LldpTimerOrder, FollowsTheValuesHeldAndTheNewOnes) {
    for (const OrderCase& c : kOrders) {
        SCOPED_TRACE(std::to_string(c.heldI) + "/" + std::to_string(c.heldD));
        const auto sends = PlanLldpTimerWrites(c.heldI, c.heldD, c.h, c.i, c.r, c.d);
        std::vector<std::vector<std::string>> oids;
        for (const auto& s : sends) {
            std::vector<std::string> o;
            for (const auto& [oid, value] : s.vars) o.push_back(oid);
            oids.push_back(o);
            EXPECT_EQ(s.holdSession, o == std::vector<std::string>{H});
        }
        EXPECT_EQ(oids, c.pdus);
    }
}

class LldpTest : public SnmpAgentTest {
protected:
    void TearDown() override {
        win::SetClockSpeed(1);
        SnmpAgentTest::TearDown();
    }
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        CLLDPGroup dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return !d.GetText(IDC_SYSTEM_NAME).empty(); }));
            sim->ClearRequests();
            script(d);
            if (d.IsOpen()) d.Click(IDCANCEL);
        });
    }
    static void TypeTimers(DialogDriver& d, long h, long i, long r, long dly) {
        d.TypeText(IDC_HOLD, std::to_string(h));
        d.TypeText(IDC_INTERVAL, std::to_string(i));
        d.TypeText(IDC_REINIT, std::to_string(r));
        d.TypeText(IDC_TX_DELAY, std::to_string(dly));
    }
};

TEST_F(LldpTest, TheDialogShowsTheStateTimersAndIdentity) {
    struct Case {
        std::string name;
        std::function<void()> setup;
        std::string subtype, chassis;
        bool on;
    };
    const std::vector<Case> cases = {
        {"the switch's values", [] {}, "macAddress", "00-1B-2C-3D-4E-5F", true},
        {"another subtype, a short chassis ID, LLDP off",
         [this] {
             Set("1.0.8802.1.1.2.1.3.1.0", "i", "9");
             Set("1.0.8802.1.1.2.1.3.2.0", "x", "00 1B 2C 3D");
             Set(kLldp + "1.0", "i", "2");
         },
         "9", "00-1B-2C-3D", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        c.setup();
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            EXPECT_EQ(d.GetText(IDC_CHASSIS_SUBTYPE), c.subtype);
            EXPECT_EQ(d.GetText(IDC_CHASSIS_ID), c.chassis);
            EXPECT_EQ(d.GetText(IDC_SYSTEM_NAME), "DUZ-3300-28");
            EXPECT_EQ(d.IsChecked(IDC_ENABLE), c.on);
            for (int id : {IDC_HOLD.id, IDC_INTERVAL.id, IDC_REINIT.id, IDC_TX_DELAY.id, IDC_TIMERS_APPLY.id}) {
                EXPECT_EQ(d.IsEnabled(id), c.on) << id;
            }
            EXPECT_EQ(d.GetText(IDC_HOLD), "4");
            EXPECT_EQ(d.GetText(IDC_INTERVAL), "30");
        });
    }
}

TEST_F(LldpTest, TimerChecksRefuseAndSendNothing) {
    struct Case {
        long h, i, r, d;
        std::string text;
    } cases[] = {
        {1, 30, 2, 2, "The Message TX Hold Multipier should be 2-10"},
        {11, 30, 2, 2, "The Message TX Hold Multipier should be 2-10"},
        {4, 4, 2, 1, "The Message TX Interval should be 5-32768"},
        {2, 32769, 2, 2, "The Message TX Interval should be 5-32768"},
        {10, 6554, 2, 2, "(Message TX Interval * Message TX Hold Multiplier) > 65535. "},
        {4, 30, 2, 0, "The LLDP TX Delay should be 1-8192"},
        {2, 30000, 2, 8193, "The LLDP TX Delay should be 1-8192"},
        {4, 40, 2, 11, "LLDP TX Delay should be <= 0.25 * (Message TX Interval)"},
        {4, 30, 0, 2, "The LLDP Reinit Delay should be 1-10"},
        {4, 30, 11, 2, "The LLDP Reinit Delay should be 1-10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " " + std::to_string(c.i));
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            TypeTimers(d, c.h, c.i, c.r, c.d);
            d.Click(IDC_TIMERS_APPLY);
        });
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.text);
        EXPECT_TRUE(Sets().empty());
    }
}

TEST_F(LldpTest, TimerApplyWritesInTheOrderTheSwitchTakes) {
    win::SetClockSpeed(50);
    for (const OrderCase& c : kOrders) {
        SCOPED_TRACE(std::to_string(c.heldI) + "/" + std::to_string(c.heldD));
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Set(kLldp + "2.0", "i", "2");
        Set(kLldp + "3.0", "i", std::to_string(c.heldI));
        Set(kLldp + "5.0", "i", std::to_string(c.heldD));
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            TypeTimers(d, c.h, c.i, c.r, c.d);
            d.Click(IDC_TIMERS_APPLY);
            ASSERT_TRUE(WaitUntil([&] { return !Requests("get").empty(); }));
        });
        std::vector<std::vector<std::string>> oids;
        for (const auto& r : Sets()) {
            std::vector<std::string> o;
            for (const auto& v : r.varbinds) o.push_back(v.oid);
            oids.push_back(o);
            EXPECT_EQ(r.errorStatus, 0);
        }
        EXPECT_EQ(oids, c.pdus);
        EXPECT_EQ(sim->GetObject(kLldp + "3.0"), "i " + std::to_string(c.i));
        EXPECT_EQ(sim->GetObject(kLldp + "2.0"), "i " + std::to_string(c.h));
    }
    // Sending the multiplier first would have been refused: 8000 x 10 > 65535.
    ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
    Set(kLldp + "3.0", "i", "8000");
    CCommonSNMP session;
    EXPECT_EQ(SnmpSet(session, {SnmpSetVar::Integer(H, 10)}).errorStatus, 3);  // inconsistentValue, badValue in SNMPv1
    session.Close();
}

TEST_F(LldpTest, UnansweredWritesAreTriedThreeTimes) {
    win::SetClockSpeed(50);
    ModuleStartupParams::TimeoutMs = "200";
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        ASSERT_TRUE(sim->Silence());
        d.Click(IDC_STATE_APPLY);
        EXPECT_EQ(Sets().size(), 3u);
        sim->ClearRequests();
        TypeTimers(d, 4, 30, 2, 2);
        d.Click(IDC_TIMERS_APPLY);
        // Two sends before the final one ([H], [I]), then three tries of [I, R, D].
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 5u);
        for (size_t i = 2; i < 5; ++i) EXPECT_EQ(sets[i].varbinds.size(), 3u);
        sim->ClearFaults();
    });
}

}  // namespace
}  // namespace mgmttest
