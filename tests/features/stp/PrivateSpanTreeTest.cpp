// The switch's own spanning tree dialogs against the simulated switch: the bridge settings
// (read, checks, the Apply sequences), the port table (loopback detection ports kept clear of
// spanning tree, cell texts) and a port's settings (load, OK's one SET, refusals, stepping).
#include <functional>

#include "features/stp/PrivateSpanTBridge.h"
#include "features/stp/PrivateSpanTPort.h"
#include "features/stp/PrivateSpanTree.h"
#include "resources/templates/SpanTreeDialogsIds.h"
#include "tests/features/stp/StpFixture.h"

using namespace stptest;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;
namespace bridge = private_stp_bridge_ids;
namespace table = private_stp_table_ids;
namespace port = private_stp_port_ids;

namespace {

std::string Private(const std::string& arcs) { return kPrivate + arcs; }
std::string Scalar(int arc) { return Private("6.1." + std::to_string(arc) + ".0"); }
std::string PortCell(int column, int p) { return At(kPrivatePort + std::to_string(column), p); }

class PrivateBridgeTest : public StpTest {
protected:
    // The read has filled the dialog (the max age box leaves its initial 600).
    static void ReadDone(DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return d.GetText(bridge::IDC_MAX_AGE) == "20"; }, 10s));
    }
};

TEST_F(PrivateBridgeTest, ReadShowsSecondsAndTheStateEnablesTheSettings) {
    ASSERT_TRUE(sim->Delay(300));
    Set(Scalar(11), "i", "1999");
    Harness ui;
    CPrivateSpanTBridge dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        // Until the answer comes: the initial numbers.
        EXPECT_EQ(d.GetText(bridge::IDC_MAX_AGE), "600");
        EXPECT_EQ(d.GetText(bridge::IDC_FORWARD_DELAY), "400");
        EXPECT_EQ(d.GetText(bridge::IDC_HELLO), "100");
        ReadDone(d);
        EXPECT_EQ(d.GetText(bridge::IDC_FORWARD_DELAY), "15");
        EXPECT_EQ(d.GetText(bridge::IDC_HELLO), "2");
        EXPECT_EQ(d.GetText(bridge::IDC_TX_HOLD), "6");
        EXPECT_EQ(d.GetText(bridge::IDC_PRIORITY), "32768");
        EXPECT_EQ(d.GetText(bridge::IDC_ROOT_BRIDGE), "80:00:0A:32:47:3C:11:40");
        EXPECT_EQ(d.GetText(bridge::IDC_ROOT_MAX_AGE), "19");
        EXPECT_EQ(d.GetText(bridge::IDC_ROOT_FORWARD_DELAY), "15");
        EXPECT_EQ(d.GetSelection(bridge::IDC_VERSION), 1);
        EXPECT_FALSE(d.IsChecked(bridge::IDC_STATE));
        for (int id : {bridge::IDC_VERSION.id, bridge::IDC_PRIORITY.id, bridge::IDC_TX_HOLD.id, bridge::IDC_MAX_AGE.id,
                       bridge::IDC_FORWARD_DELAY.id, bridge::IDC_HELLO.id, bridge::IDC_PORT_SETTING.id}) {
            EXPECT_FALSE(d.IsEnabled(id)) << id;
        }
        ASSERT_TRUE(sim->Delay(0));
        Set(kState, "i", "1");
        Set(kVersion, "i", "3");
        ASSERT_TRUE(sim->Serve(Scalar(8), "s", "root-6"));
        d.Click(bridge::IDC_REFRESH);
        EXPECT_TRUE(WaitUntil([&] { return d.IsChecked(bridge::IDC_STATE); }, 10s));
        EXPECT_TRUE(d.IsEnabled(bridge::IDC_PORT_SETTING));
        EXPECT_TRUE(d.IsEnabled(bridge::IDC_MAX_AGE));
        EXPECT_EQ(d.GetSelection(bridge::IDC_VERSION), -1) << "version 3 has no entry";
        EXPECT_FALSE(d.IsEnabled(bridge::IDC_HELLO));
        EXPECT_EQ(d.GetText(bridge::IDC_ROOT_BRIDGE), "root-6");
        d.Click(IDCANCEL);
    });
    const auto gets = Requests("get");
    ASSERT_EQ(gets.size(), 2u);
    EXPECT_EQ(Oids(gets[0]),
              (std::vector<std::string>{Scalar(3), Scalar(11), Scalar(8), Scalar(10), Scalar(15), Scalar(16),
                                        Scalar(17), Scalar(9), Scalar(4), Scalar(14), Scalar(1), Scalar(2)}));
}

TEST(PrivateBridgeChecksTest, EachCheckInOrder) {
    const char* const kHello =
        "To set the parameters Hello Time and Max Age the following relation is to be satisfied: \nMax Age >= "
        "(2*(Hello Time + 1.0))";
    const char* const kDelay =
        "To set the parameters Forward Delay and Max Age, the following relation is to be satisfied: \n2*(Forward "
        "Delay - 1) >= Max Age";
    struct Case {
        int txHold, maxAge, delay, hello;
        const char* message;
    };
    const Case cases[] = {
        {0, 20, 15, 2, "Invalid Transmit Hold Count(1-10)."},
        {11, 20, 15, 2, "Invalid Transmit Hold Count(1-10)."},
        {6, 5, 15, 2, "Invalid Age Time value, the valid Age Time range is  (6-40)s !"},
        {6, 41, 15, 2, "Invalid Age Time value, the valid Age Time range is  (6-40)s !"},
        {6, 20, 3, 2, "Invalid Forward Delay value, the valid Forward Delay range is (4-30)s !"},
        {6, 20, 31, 2, "Invalid Forward Delay value, the valid Forward Delay range is (4-30)s !"},
        {6, 20, 15, 0, "Invalid Hello Time value, the valid Hello Time range is (1-10)s !"},
        {6, 20, 15, 11, "Invalid Hello Time value, the valid Hello Time range is (1-10)s !"},
        {6, 6, 15, 3, kHello},
        {6, 40, 20, 2, kDelay},
        {6, 20, 15, 2, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CPrivateSpanTBridge::CheckSettings(c.txHold, c.maxAge, c.delay, c.hello), c.message)
            << c.txHold << " " << c.maxAge << " " << c.delay << " " << c.hello;
    }
}

TEST_F(PrivateBridgeTest, RefusedSettingsSendNothing) {
    Set(kState, "i", "1");
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    CPrivateSpanTBridge dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        d.TypeText(bridge::IDC_TX_HOLD, "11");
        d.Click(IDOK);
        EXPECT_TRUE(d.IsOpen());
        d.Click(IDCANCEL);
    });
    const auto shown = ui.ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Invalid Transmit Hold Count(1-10).");
    EXPECT_TRUE(Requests("set").empty());
}

// One Apply: the state the read found, the user's steps, and the SETs in order.
struct Sequence {
    const char* name;
    bool readOn;
    bool offFirst;  // Apply with the box cleared first, then check it again
    bool checked;
    std::vector<std::vector<std::string>> sets;
    bool reread;
};

std::vector<std::vector<std::string>> Timing() {
    return {{Scalar(16) + "=100", Scalar(17) + "=3000"},
            {Scalar(4) + "=6"},
            {Scalar(15) + "=2000"},
            {Scalar(17) + "=1500"},
            {Scalar(16) + "=200"},
            {Scalar(3) + "=4096", Scalar(2) + "=2"}};
}
std::vector<std::vector<std::string>> After(std::vector<std::vector<std::string>> first) {
    const auto rest = Timing();
    first.insert(first.end(), rest.begin(), rest.end());
    return first;
}

class PrivateBridgeApplyTest : public PrivateBridgeTest, public ::testing::WithParamInterface<Sequence> {};

TEST_P(PrivateBridgeApplyTest, SetsInOrder) {
    const Sequence& c = GetParam();
    Set(kState, "i", c.readOn ? "1" : "2");
    Harness ui;
    CPrivateSpanTBridge dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        sim->ClearRequests();
        if (c.offFirst) {
            d.Check(bridge::IDC_STATE, false);
            d.Click(IDOK);
        }
        d.Check(bridge::IDC_STATE, true);
        d.TypeText(bridge::IDC_PRIORITY, "4096");
        d.Check(bridge::IDC_STATE, c.checked);
        d.Click(IDOK);
        if (c.reread) {
            EXPECT_TRUE(
                WaitUntil([&] { return !Requests("get").empty() && d.IsEnabled(bridge::IDC_PORT_SETTING); }, 10s));
        }
        EXPECT_TRUE(switchsim::NoRequestOut());
        d.Click(IDCANCEL);
    });
    const auto sets = Requests("set");
    ASSERT_EQ(sets.size(), c.sets.size());
    for (std::size_t i = 0; i < sets.size(); ++i) EXPECT_EQ(Assignments(sets[i]), c.sets[i]) << i;
    EXPECT_EQ(Requests("get").size(), c.reread ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Apply, PrivateBridgeApplyTest,
                         ::testing::ValuesIn(std::vector<Sequence>{
                             {"enabled", true, false, true, Timing(), true},
                             {"disabled_switches_on_first", false, false, true, After({{kState + "=1"}}), true},
                             {"unchecked", true, false, false, {{kState + "=2"}}, false},
                             {"unchecked_then_checked", true, true, true, After({{kState + "=2"}, {kState + "=1"}}),
                              true},
                         }),
                         [](const ::testing::TestParamInfo<Sequence>& info) { return std::string(info.param.name); });

TEST_F(PrivateBridgeTest, PortSettingOpensTheTableAndClosingGoesInOrder) {
    Set(kState, "i", "1");
    Harness ui;
    ui.OnModal<CPrivateSpanTree>([&](DialogDriver& d) { d.Click(IDCANCEL); });
    {
        CPrivateSpanTBridge dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ReadDone(d);
            d.Click(bridge::IDC_PORT_SETTING);
            d.Click(IDCANCEL);
        });
    }
    EXPECT_EQ(ui.ModalRuns<CPrivateSpanTree>(), 1);
    const auto lines = ClosingLines(ui);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
              (std::vector<std::string>{"==================DestroyWindow===============",
                                        "==================m_cCommonSNMP.Close===============",
                                        "==================m_cCommonSNMPSet.Close===============",
                                        "==================m_cCommonSNMPSet0.Close==============="}));
}

class PrivateTableTest : public StpTest {
protected:
    static std::vector<std::vector<std::string>> Walked(DialogDriver& d, std::size_t rows = 28) {
        EXPECT_TRUE(WaitUntil(
            [&] { return d.IsEnabled(table::IDC_REFRESH) && d.GetRows(table::IDC_PORT_LIST).size() == rows; }, 15s));
        return d.GetRows(table::IDC_PORT_LIST);
    }
    bool TrunkWalkEnded() const { return portDialog && !portDialog->ReadingTrunks(); }

    // Opens the table, selects `row`, opens the port settings and runs `script` in them;
    // returns how many table walks started once the port settings opened.
    std::size_t WithPortDialog(int row, std::function<void(DialogDriver&)> script, std::vector<int> boxes = {}) {
        Harness ui;
        ui.ScriptMessageBoxes(std::move(boxes));
        ui.OnModal<CPrivateSpanTPort>([&](DialogDriver& d, CPrivateSpanTPort& dlg) {
            portDialog = &dlg;
            EXPECT_TRUE(WaitUntil([&] { return TrunkWalkEnded(); }, 10s));
            script(d);
            portDialog = nullptr;
        });
        std::size_t walksAfter = 0;
        CPrivateSpanTree dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            Walked(d);
            d.ClickListRow(table::IDC_PORT_LIST, row);
            sim->ClearRequests();
            d.Click(table::IDC_PORT_CONFIG);
            Walked(d);
            walksAfter = GetNextsFrom(kPrivatePort + "1");
            d.Click(IDCANCEL);
        });
        shown = ui.ShownMessageBoxes();
        return walksAfter;
    }
    std::vector<ui::test::ShownBox> shown;
    const CPrivateSpanTPort* portDialog = nullptr;
};

TEST_F(PrivateTableTest, OpeningSwitchesSpanningTreeOffOnLoopbackDetectionPorts) {
    Set(kLbdPort + "2", "i", "1");
    Set(kLbdPort + "9", "i", "1");
    Harness ui;
    CPrivateSpanTree dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Walked(d);
        d.Click(IDCANCEL);
    });
    const auto gets = Requests("get");
    ASSERT_EQ(gets.size(), 28u);
    for (int p = 1; p <= 28; ++p)
        EXPECT_EQ(Oids(gets[static_cast<std::size_t>(p - 1)]), std::vector<std::string>{kLbdPort + std::to_string(p)});
    const auto sets = Requests("set");
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(Assignments(sets[0]), std::vector<std::string>{At(kStdPort + "4", 2) + "=2"});
    EXPECT_EQ(Assignments(sets[1]), std::vector<std::string>{At(kStdPort + "4", 9) + "=2"});
    EXPECT_EQ(sim->GetObject(At(kStdPort + "4", 3)).value_or(""), "i 1");
}

TEST_F(PrivateTableTest, AnUnansweredLoopbackDetectionStateEndsThePass) {
    Set(kLbdPort + "9", "i", "1");
    ASSERT_TRUE(sim->Silence(kLbdPort + "5"));
    Harness ui;
    CPrivateSpanTree dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Walked(d);
        d.Click(IDCANCEL);
    });
    const auto gets = Requests("get");
    ASSERT_EQ(gets.size(), 5u);
    EXPECT_EQ(Oids(gets.back()), std::vector<std::string>{kLbdPort + "5"});
    EXPECT_TRUE(Requests("set").empty());
}

TEST_F(PrivateTableTest, CellsShowTheTextsOfTheirCodes) {
    Set(PortCell(6, 1), "i", "19");
    Set(PortCell(6, 2), "i", "0");
    Set(PortCell(5, 3), "i", "5");
    Set(PortCell(16, 4), "i", "7");
    Set(PortCell(4, 4), "i", "2");
    Set(PortCell(14, 5), "i", "0");
    Set(PortCell(16, 5), "i", "1");
    Set(PortCell(17, 5), "i", "1");
    Set(PortCell(3, 6), "i", "4");
    Harness ui;
    CPrivateSpanTree dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        const auto rows = Walked(d);
        EXPECT_EQ(d.GetText(table::IDC_ENTRIES), "28");
        EXPECT_EQ(d.GetColumns(table::IDC_PORT_LIST),
                  (std::vector<std::string>{"Port", "State", "Priority", "External Cost ", "Edge", "P2P",
                                            "Restricted Role", "Restricted TCN", "Port Status"}));
        EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "Enabled", "128", "AUTO/19", "Auto", "Auto", "False", "False",
                                                     "Forwarding"}));
        EXPECT_EQ(rows[1][3], "0");
        EXPECT_EQ(rows[2][3], "5");
        EXPECT_EQ(rows[3][4], "7");
        EXPECT_EQ(rows[3][1], "Disabled");
        EXPECT_EQ(rows[4][5], "Force True");
        EXPECT_EQ(rows[4][4], "True");
        EXPECT_EQ(rows[4][6], "True");
        EXPECT_EQ(rows[5][8], "Learning");
        EXPECT_EQ(rows[2][8], "Disabled") << "port 3 has no link";
        d.Click(IDCANCEL);
    });
    const auto walks = Requests("getnext");
    ASSERT_FALSE(walks.empty());
    std::vector<std::string> columns;
    for (const char* c : {"1", "4", "2", "5", "16", "14", "17", "18", "3", "6"}) columns.push_back(kPrivatePort + c);
    EXPECT_EQ(Oids(walks[0]), columns);
}

TEST_F(PrivateTableTest, OkSendsOneSetAndTheTableReadsAgain) {
    Set(PortCell(6, 4), "i", "19");
    Set(PortCell(14, 4), "i", "0");
    Set(PortCell(16, 4), "i", "1");
    Set(PortCell(12, 4), "i", "1");
    const std::size_t walks = WithPortDialog(3, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetText(port::IDC_PORT), "4");
        EXPECT_EQ(d.GetText(port::IDC_COST), "0") << "AUTO/19 stays automatic";
        EXPECT_EQ(d.GetText(port::IDC_PRIORITY), "128");
        EXPECT_EQ(d.GetSelection(port::IDC_P2P), 0);
        EXPECT_EQ(d.GetSelection(port::IDC_EDGE), 0);
        EXPECT_EQ(d.GetSelection(port::IDC_MIGRATE), 0);
        EXPECT_TRUE(d.IsChecked(port::IDC_ENABLE));
        EXPECT_EQ(Oids(Requests("get").at(0)),
                  (std::vector<std::string>{PortCell(12, 4), PortCell(4, 4), kLbdPort + "4"}));
        d.ChooseComboItem(port::IDC_RESTRICTED_TCN, "True");
        d.TypeText(port::IDC_PRIORITY, "64");
        d.Click(IDOK);
    });
    EXPECT_TRUE(shown.empty());
    const auto sets = Requests("set");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Assignments(sets[0]),
              (std::vector<std::string>{PortCell(4, 4) + "=1", PortCell(2, 4) + "=64", PortCell(5, 4) + "=0",
                                        PortCell(18, 4) + "=1", PortCell(12, 4) + "=1", PortCell(14, 4) + "=0",
                                        PortCell(17, 4) + "=2", PortCell(16, 4) + "=1"}));
    EXPECT_EQ(walks, 1u) << "the table reads again after OK";
}

TEST_F(PrivateTableTest, ValuesOutsideTheirListsAreLeftOut) {
    Set(PortCell(16, 2), "i", "7");
    Set(PortCell(14, 2), "i", "9");
    WithPortDialog(1, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetSelection(port::IDC_EDGE), -1);
        EXPECT_EQ(d.GetSelection(port::IDC_P2P), -1);
        d.Click(IDOK);
    });
    const auto sets = Requests("set");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Oids(sets[0]), (std::vector<std::string>{PortCell(4, 2), PortCell(2, 2), PortCell(5, 2), PortCell(18, 2),
                                                       PortCell(12, 2), PortCell(17, 2)}));
}

struct Refusal {
    const char* name;
    int row;
    const char* cost;  // nullptr: as loaded
    const char* message;
};

class PrivateRefusalTest : public PrivateTableTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(PrivateRefusalTest, NothingSentAndTheTableReadsAgain) {
    const Refusal& c = GetParam();
    Set(kLbdPort + "3", "i", "1");
    const std::size_t walks = WithPortDialog(c.row,
                                             [&](DialogDriver& d) {
                                                 if (c.cost) d.TypeText(port::IDC_COST, c.cost);
                                                 d.Check(port::IDC_ENABLE, true);
                                                 d.Click(IDOK);
                                             },
                                             {IDOK});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, c.message);
    // The opening pass switched port 3 off; nothing more is written.
    for (const auto& s : Requests("set")) EXPECT_EQ(Oids(s), std::vector<std::string>{At(kStdPort + "4", 3)});
    EXPECT_EQ(walks, 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, PrivateRefusalTest,
    ::testing::Values(Refusal{"cost_above_range", 0, "200000001", "Invalid Path Cost(1-200000000)"},
                      Refusal{"trunk_member", 20, nullptr,
                              "Cannot add ports with different STP configurations to an aggregated link."},
                      Refusal{"loopback_detection_port", 2, nullptr,
                              "STP port 3 can not both support Spanning Tree and LBD-enabled mode"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(PrivateTableTest, SteppingStopsAtTheEndsAndCloseDoesNotReadAgain) {
    const std::size_t walks = WithPortDialog(1, [&](DialogDriver& d) {
        EXPECT_TRUE(d.IsEnabled(port::IDC_PREV));
        d.Click(port::IDC_PREV);
        EXPECT_EQ(d.GetText(port::IDC_PORT), "1");
        EXPECT_FALSE(d.IsEnabled(port::IDC_PREV));
        EXPECT_TRUE(d.IsEnabled(port::IDC_NEXT));
        for (int i = 0; i < 26; ++i) d.Click(port::IDC_NEXT);
        EXPECT_EQ(d.GetText(port::IDC_PORT), "27");
        EXPECT_TRUE(d.IsEnabled(port::IDC_NEXT));
        d.Click(port::IDC_NEXT);
        EXPECT_EQ(d.GetText(port::IDC_PORT), "28");
        EXPECT_FALSE(d.IsEnabled(port::IDC_NEXT));
        EXPECT_EQ(d.GetText(port::IDC_COST), "0");
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(walks, 0u);
    EXPECT_TRUE(Requests("set").empty());
}

TEST_F(PrivateTableTest, AnEmptyTableOpensNoPortSettings) {
    ASSERT_TRUE(sim->Command("del " + kPrivatePort.substr(0, kPrivatePort.size() - 1)));
    Harness ui;
    ui.OnModal<CPrivateSpanTPort>([&](DialogDriver& d) { d.Click(IDOK); });
    CPrivateSpanTree dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Walked(d, 0);
        d.Click(table::IDC_PORT_CONFIG);
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(ui.ModalRuns<CPrivateSpanTPort>(), 0);
    EXPECT_EQ(ClosingLines(ui), (std::vector<std::string>{"==================DestroyWindow===============",
                                                          "==================m_cCommonSNMP.Close==============="}));
}

}  // namespace
