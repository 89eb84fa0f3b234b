// Loopback detection against the simulated switch: the refresh stages and the enable states
// they leave, the global Apply's checks and writes with the timed refresh, the port Apply's
// refusals (spanning tree, aggregated links, typed ranges) and writes, the loop VLAN texts,
// and spanning tree kept off a port where detection was switched on.
#include "features/stp/LoopbackDetection.h"
#include "features/stp/PrivateSpanTree.h"
#include "resources/templates/LoopbackDialogsIds.h"
#include "resources/templates/SpanTreeDialogsIds.h"
#include "tests/features/stp/StpFixture.h"

using namespace stptest;
using namespace loopback_ids;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace {

const std::string kLbd = kPrivate + "17.";

class LoopbackDetectionTest : public StpTest {
protected:
    // A refresh has ended: the window is enabled and the global Apply with it.
    static void Refreshed(DialogDriver& d) {
        EXPECT_TRUE(
            WaitUntil([&] { return d.IsEnabled(IDC_APPLY_GLOBAL) && d.GetRows(IDC_PORT_LIST).size() == 28; }, 15s));
    }
    void EnableDetection() const { Set(kLbd + "1.0", "i", "1"); }
    std::size_t SetsTo(const std::string& prefix) const {
        std::size_t n = 0;
        for (const auto& r : Requests("set")) n += !r.varbinds.empty() && r.varbinds[0].oid.rfind(prefix, 0) == 0;
        return n;
    }
};

TEST_F(LoopbackDetectionTest, RefreshReadsInStagesAndDisabledDetectionLocksThePorts) {
    Harness ui;
    CLoopbackDetection dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Refreshed(d);
        EXPECT_TRUE(d.IsChecked(IDC_DISABLED));
        for (int id : {IDC_APPLY_PORTS.id, IDC_REFRESH.id, IDC_PORT_LIST.id, IDC_INTERVAL.id, IDC_MODE.id,
                       IDC_FROM_PORT.id, IDC_VLAN_LIST.id}) {
            EXPECT_FALSE(d.IsEnabled(id)) << id;
        }
        EXPECT_EQ(d.GetItems(IDC_FROM_PORT).size(), 28u);
        EXPECT_EQ(d.GetText(IDC_FROM_PORT), "1");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "28");
        EXPECT_EQ(d.GetRows(IDC_PORT_LIST)[0], (std::vector<std::string>{"1", "Disabled", "Normal"}));
        d.Click(IDCANCEL);
    });
    // The VLAN loop walk ends before the global read and the port walk start.
    const auto all = sim->Requests();
    long vlanEnd = 0, globalGet = 0, portWalk = 0;
    for (const auto& r : all) {
        const std::string& oid = r.varbinds.empty() ? "" : r.varbinds[0].oid;
        if (r.pdu == "getnext" && oid.rfind(kLbd + "6.1.1", 0) == 0) vlanEnd = r.seq;
        if (r.pdu == "get" && oid == kLbd + "1.0" && globalGet == 0) {
            globalGet = r.seq;
            EXPECT_EQ(Oids(r),
                      (std::vector<std::string>{kLbd + "1.0", kLbd + "3.0", kLbd + "4.0", kLbd + "2.0", kLbd + "7.0"}));
        }
        if (r.pdu == "getnext" && oid == kLbd + "5.1.1" && portWalk == 0) portWalk = r.seq;
    }
    ASSERT_GT(vlanEnd, 0);
    EXPECT_GT(globalGet, vlanEnd);
    EXPECT_GT(portWalk, vlanEnd);
}

TEST_F(LoopbackDetectionTest, EnabledDetectionOpensThePortsAlsoWhenTheGlobalReadIsUnanswered) {
    EnableDetection();
    Harness ui;
    CLoopbackDetection dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Refreshed(d);
        EXPECT_TRUE(d.IsChecked(IDC_ENABLED));
        EXPECT_EQ(d.GetSelection(IDC_MODE), 0);
        EXPECT_FALSE(d.IsEnabled(IDC_VLAN_LIST)) << "port-based";
        EXPECT_TRUE(d.IsEnabled(IDC_APPLY_PORTS));
        EXPECT_TRUE(d.IsEnabled(IDC_PORT_LIST));
        // The next global read goes unanswered: the port walk's end alone does not give the
        // window back before the read has failed.
        ASSERT_TRUE(sim->Silence(kLbd + "1.0"));
        d.Click(IDC_REFRESH);
        EXPECT_FALSE(d.IsEnabled(IDC_APPLY_GLOBAL));
        EXPECT_TRUE(WaitUntil([&] { return d.GetRows(IDC_PORT_LIST).size() == 28; }, 10s));
        EXPECT_FALSE(d.IsEnabled(IDC_APPLY_GLOBAL)) << "the global read is still out";
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY_GLOBAL); }, 15s));
        EXPECT_TRUE(d.IsEnabled(IDC_APPLY_PORTS)) << "the last read said enabled";
        d.Click(IDCANCEL);
    });
}

// One global Apply: the state, mode and texts typed, and the message or the SET.
struct GlobalCase {
    const char* name;
    bool enable;
    int mode;  // 0 port-based, 1 VLAN-based
    const char* interval;
    const char* recover;
    const char* vlans;
    const char* message;  // nullptr: sent
};

class LoopbackGlobalTest : public LoopbackDetectionTest, public ::testing::WithParamInterface<GlobalCase> {};

TEST_P(LoopbackGlobalTest, ChecksThenOneSet) {
    const GlobalCase& c = GetParam();
    EnableDetection();
    Harness ui;
    if (c.message) ui.ScriptMessageBoxes({IDOK});
    CLoopbackDetection dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Refreshed(d);
        sim->ClearRequests();
        d.ChooseComboItem(IDC_MODE, c.mode);
        if (c.mode == 1) d.TypeText(IDC_VLAN_LIST, c.vlans);
        d.TypeText(IDC_INTERVAL, c.interval);
        d.TypeText(IDC_RECOVER_TIME, c.recover);
        d.Check(c.enable ? IDC_ENABLED : IDC_DISABLED);
        d.Click(IDC_APPLY_GLOBAL);
        EXPECT_EQ(d.IsEnabled(IDC_APPLY_GLOBAL), c.message != nullptr);
        d.Click(IDCANCEL);
    });
    const auto shown = ui.ShownMessageBoxes();
    const auto sets = Requests("set");
    if (c.message) {
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, c.message);
        EXPECT_TRUE(sets.empty());
        return;
    }
    EXPECT_TRUE(shown.empty());
    ASSERT_EQ(sets.size(), 1u);
    if (!c.enable) {
        EXPECT_EQ(Assignments(sets[0]), std::vector<std::string>{kLbd + "1.0=2"});
        return;
    }
    EXPECT_EQ(Assignments(sets[0]),
              (std::vector<std::string>{kLbd + "1.0=1", kLbd + "2.0=" + std::to_string(c.mode + 1),
                                        kLbd + "3.0=" + c.interval, kLbd + "4.0=" + c.recover,
                                        kLbd + "7.0=" + (c.mode == 1 ? c.vlans : "")}));
    EXPECT_EQ(sets[0].varbinds[4].type, "s");
}

INSTANTIATE_TEST_SUITE_P(
    Global, LoopbackGlobalTest,
    ::testing::Values(GlobalCase{"interval_1", true, 0, "1", "60", "", nullptr},
                      GlobalCase{"interval_32767", true, 0, "32767", "0", "", nullptr},
                      GlobalCase{"interval_0", true, 0, "0", "60", "", "The value range is 1 - 32767."},
                      GlobalCase{"interval_32768", true, 0, "32768", "60", "", "The value range is 1 - 32767."},
                      GlobalCase{"recover_1000000", true, 0, "2", "1000000", "", nullptr},
                      GlobalCase{"recover_59", true, 0, "2", "59", "", "The value range is 60 - 1000000 or 0."},
                      GlobalCase{"recover_1000001", true, 0, "2", "1000001", "",
                                 "The value range is 60 - 1000000 or 0."},
                      GlobalCase{"vlan_based_empty", true, 1, "2", "60", "", "Invalid VLAN List"},
                      GlobalCase{"vlan_based_nine_groups", true, 1, "2", "60", "1,2,3,4,5,6,7,8,9",
                                 "LBD VLAN mode maximum support 8 VLAN groups."},
                      GlobalCase{"vlan_based", true, 1, "2", "60", "1,10-12", nullptr},
                      GlobalCase{"disabled_still_checks", false, 0, "0", "60", "", "The value range is 1 - 32767."},
                      GlobalCase{"disabled", false, 0, "2", "60", "", nullptr}),
    [](const ::testing::TestParamInfo<GlobalCase>& info) { return std::string(info.param.name); });

TEST_F(LoopbackDetectionTest, TheRefreshAfterAGlobalApplyWaitsByMode) {
    EnableDetection();
    win::SetClockSpeed(10);
    Harness ui;
    CLoopbackDetection dlg;
    long gaps[2] = {0, 0};
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Refreshed(d);
        for (int mode = 0; mode < 2; ++mode) {
            sim->ClearRequests();
            d.ChooseComboItem(IDC_MODE, mode);
            if (mode == 1) d.TypeText(IDC_VLAN_LIST, "10");
            d.Click(IDC_APPLY_GLOBAL);
            EXPECT_FALSE(d.IsEnabled(IDC_APPLY_GLOBAL));
            Refreshed(d);
            const auto sets = Requests("set");
            ASSERT_EQ(sets.size(), 1u);
            long refresh = 0;  // the VLAN loop walk that starts the refresh
            for (const auto& r : Requests("getnext")) {
                if (refresh == 0 && r.varbinds[0].oid == kLbd + "6.1.1") refresh = r.arrivalUs;
            }
            ASSERT_GT(refresh, 0);
            gaps[mode] = refresh - sets[0].arrivalUs;
        }
        d.Click(IDCANCEL);
    });
    // 3000 and 6000 ms of the program clock, ten times fast (a timer may fire a little early).
    EXPECT_GE(gaps[0], 270000);
    EXPECT_GE(gaps[1], 540000);
    EXPECT_GT(gaps[1], gaps[0] + 200000);
}

TEST_F(LoopbackDetectionTest, PortApplyWritesEachPortOrRefusesTheWholeRange) {
    EnableDetection();
    Set(kState, "i", "1");
    Set(At(kPrivatePort + "4", 3), "i", "1");
    Set(At(kPrivatePort + "4", 1), "i", "2");
    Set(At(kPrivatePort + "4", 2), "i", "2");
    Set(At(kPrivatePort + "4", 4), "i", "2");
    Harness ui;
    ui.ScriptMessageBoxes({IDOK, IDOK});
    CLoopbackDetection dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Refreshed(d);
        sim->ClearRequests();
        d.ChooseComboItem(IDC_FROM_PORT, "1");
        d.ChooseComboItem(IDC_TO_PORT, "4");
        d.ChooseComboItem(IDC_PORT_STATE, "Enable");
        d.Click(IDC_APPLY_PORTS);
        EXPECT_TRUE(Requests("set").empty()) << "port 3 runs spanning tree";
        // Disabling needs no check: one SET a port.
        d.ChooseComboItem(IDC_PORT_STATE, "Disable");
        d.Click(IDC_APPLY_PORTS);
        Refreshed(d);
        ASSERT_EQ(Requests("set").size(), 4u);
        for (int p = 1; p <= 4; ++p) {
            EXPECT_EQ(Assignments(Requests("set")[static_cast<std::size_t>(p - 1)]),
                      std::vector<std::string>{kLbdPort + std::to_string(p) + "=2"});
        }
        // Port 21 is in trunk 1 (spanning tree now off globally).
        Set(kState, "i", "2");
        sim->ClearRequests();
        d.ChooseComboItem(IDC_FROM_PORT, "20");
        d.ChooseComboItem(IDC_TO_PORT, "22");
        d.ChooseComboItem(IDC_PORT_STATE, "Enable");
        d.Click(IDC_APPLY_PORTS);
        Refreshed(d);
        EXPECT_TRUE(Requests("set").empty());
        d.Click(IDCANCEL);
    });
    const auto shown = ui.ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "LBD port 3 can not both support Spanning Tree and LBD-enabled mode.");
    EXPECT_EQ(shown[1].text, "LA 21 port can not support in LBD-enabled mode");
}

TEST_F(LoopbackDetectionTest, ATypedPortBeyondTheDeviceSendsNothing) {
    EnableDetection();
    Harness ui;
    CLoopbackDetection dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Refreshed(d);
        d.ChooseComboItem(IDC_FROM_PORT, "5");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "5");
        sim->ClearRequests();
        d.TypeText(IDC_FROM_PORT, "27");
        d.TypeText(IDC_TO_PORT, "30");
        d.Click(IDC_APPLY_PORTS);
        EXPECT_TRUE(d.IsEnabled(IDC_APPLY_PORTS));
        d.Click(IDCANCEL);
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    EXPECT_TRUE(Requests("set").empty());
}

TEST_F(LoopbackDetectionTest, LoopStatusNamesTheVlansOfTheRowsPort) {
    Set(kLbd + "6.1.1.10", "i", "10");
    Set(kLbd + "6.1.2.10", "x", "10 00 00 00");  // port 4
    Set(kLbd + "6.1.1.20", "i", "20");
    Set(kLbd + "6.1.2.20", "x", "10 00 00 00");
    // The port table lacks port 2: rows and ports no longer line up by position.
    for (int c = 1; c <= 3; ++c) ASSERT_TRUE(sim->Command("del " + kLbd + "5.1." + std::to_string(c) + ".2"));
    Harness ui;
    CLoopbackDetection dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(
            WaitUntil([&] { return d.IsEnabled(IDC_APPLY_GLOBAL) && d.GetRows(IDC_PORT_LIST).size() == 27; }, 15s));
        const auto rows = d.GetRows(IDC_PORT_LIST);
        EXPECT_EQ(rows[2], (std::vector<std::string>{"4", "Disabled", "Disabled VID = 10,20"}));
        EXPECT_EQ(rows[1][2], "Normal");
        d.Click(IDCANCEL);
    });
}

TEST_F(LoopbackDetectionTest, DetectionOnAPortKeepsSpanningTreeOffThere) {
    EnableDetection();
    Harness ui;
    CLoopbackDetection dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Refreshed(d);
        d.ChooseComboItem(IDC_FROM_PORT, "3");
        d.ChooseComboItem(IDC_PORT_STATE, "Enable");
        d.Click(IDC_APPLY_PORTS);
        Refreshed(d);
        EXPECT_EQ(d.GetRows(IDC_PORT_LIST)[2][1], "Enabled");
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(sim->GetObject(At(kStdPort + "4", 3)).value_or(""), "i 1");
    CPrivateSpanTree table;
    ui.RunModal(table, [&](DialogDriver& d) { d.Click(IDCANCEL); });
    EXPECT_EQ(sim->GetObject(At(kStdPort + "4", 3)).value_or(""), "i 2");
    EXPECT_EQ(sim->GetObject(At(kStdPort + "4", 4)).value_or(""), "i 1");
}

}  // namespace
