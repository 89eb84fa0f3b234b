// The standard bridge MIB's spanning tree port table and a port's settings against the
// simulated switch: the walk and its cell texts, opening the port settings, the port's GET
// and SET with their checks, stepping through the rows, and closing.
#include <functional>

#include "features/stp/SpanTree.h"
#include "features/stp/SpanTreePortParam.h"
#include "resources/templates/SpanTreeDialogsIds.h"
#include "tests/features/stp/StpFixture.h"

using namespace stptest;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;
namespace table = span_tree_ids;
namespace port = span_tree_port_ids;

namespace {

class SpanTreeTest : public StpTest {
protected:
    // The list once the walk has ended with `rows` rows.
    static std::vector<std::vector<std::string>> Walked(DialogDriver& d, std::size_t rows = 28) {
        EXPECT_TRUE(WaitUntil(
            [&] { return d.IsEnabled(table::IDC_REFRESH) && d.GetRows(table::IDC_PORT_LIST).size() == rows; }, 15s));
        return d.GetRows(table::IDC_PORT_LIST);
    }
    // The trunk walk of the open port dialog has ended and published its numbers.
    bool TrunkWalkEnded() const { return portDialog && !portDialog->ReadingTrunks(); }

    // Opens the table, selects `row` (none for -1), opens the port settings with "&Port
    // Config" and runs `script` in them.
    void WithPortDialog(int row, std::function<void(DialogDriver&)> script, std::size_t rows = 28,
                        std::vector<int> boxes = {}) {
        Harness ui;
        ui.ScriptMessageBoxes(std::move(boxes));
        ui.OnModal<CSpanTreePortParam>([&](DialogDriver& d, CSpanTreePortParam& dlg) {
            portDialog = &dlg;
            script(d);
            if (d.IsOpen()) d.Click(IDCANCEL);
            portDialog = nullptr;
        });
        CSpanTree dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            Walked(d, rows);
            if (row >= 0) d.ClickListRow(table::IDC_PORT_LIST, row);
            sim->ClearRequests();
            d.Click(table::IDC_PORT_CONFIG);
            d.Click(IDCANCEL);
        });
        shown = ui.ShownMessageBoxes();
    }
    std::vector<ui::test::ShownBox> shown;
    const CSpanTreePortParam* portDialog = nullptr;
};

TEST_F(SpanTreeTest, WalkReadsTheTenColumnsInOrderWithTheirTexts) {
    Set(At(kStdPort + "4", 2), "i", "2");
    Set(At(kStdPort + "3", 4), "i", "6");
    Set(At(kStdPort + "3", 6), "i", "9");
    ASSERT_TRUE(sim->Serve(At(kStdPort + "6", 1), "x", "80 00 00 1B 2C 3D 4E 5F"));
    Harness ui;
    CSpanTree dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        const auto rows = Walked(d);
        EXPECT_EQ(d.GetText(table::IDC_ENTRIES), "28");
        EXPECT_EQ(d.GetColumns(table::IDC_PORT_LIST),
                  (std::vector<std::string>{"Port", "Priority", "Cost ", "Enable", "Status  ",
                                            " ==Designated Root== ", "Designated Cost",
                                            " ==Designated Bridge== ", "Designated Port", "Forwardings"}));
        EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "128", "200000", "Y", "Forward", "80:00:00:1B:2C:3D:4E:5F",
                                                     "0", "80:00:0A:32:47:3C:11:40", "80 01", "1"}));
        struct CellCase {
            int row, column;
            const char* text;
        };
        const CellCase cells[] = {
            {1, 3, "N"},      {2, 4, "Forward"},  {3, 4, "Token"},
            {5, 4, "9"},      {4, 4, "Disabled"}, {4, 8, "80 05"},
            {27, 2, "20000"}, {27, 0, "28"},      {1, 5, "80:00:0A:32:47:3C:11:40"},
        };
        for (const CellCase& c : cells) EXPECT_EQ(rows[c.row][c.column], c.text) << c.row << "/" << c.column;
        EXPECT_FALSE(d.IsVisible(table::IDC_BRIDGE_CONFIG));
        d.Click(IDCANCEL);
    });
    const auto walks = Requests("getnext");
    ASSERT_FALSE(walks.empty());
    std::vector<std::string> columns;
    for (const char* c : {"1", "2", "5", "4", "3", "6", "7", "8", "9", "10"}) columns.push_back(kStdPort + c);
    EXPECT_EQ(Oids(walks[0]), columns);
}

TEST_F(SpanTreeTest, PortSettingsOpenOnlyOnASelectedRowAndOkReadsTheTableAgain) {
    Harness ui;
    int runs = 0;
    ui.OnModal<CSpanTreePortParam>([&](DialogDriver& d) {
        ++runs;
        d.Click(runs == 1 ? IDCANCEL : IDOK);
    });
    CSpanTree dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Walked(d);
        const std::size_t walks = GetNextsFrom(kStdPort + "1");
        // The list's double click while no row is selected.
        NMITEMACTIVATE nm{};
        nm.hdr.hwndFrom = ::GetDlgItem(d.Handle(), table::IDC_PORT_LIST);
        nm.hdr.idFrom = table::IDC_PORT_LIST;
        nm.hdr.code = NM_DBLCLK;
        nm.iItem = -1;
        ::SendMessage(d.Handle(), WM_NOTIFY, table::IDC_PORT_LIST, reinterpret_cast<LPARAM>(&nm));
        EXPECT_EQ(runs, 0);
        d.DoubleClickListRow(table::IDC_PORT_LIST, 3);
        EXPECT_EQ(runs, 1);
        // A new walk would have taken the buttons away as it started.
        EXPECT_TRUE(d.IsEnabled(table::IDC_REFRESH)) << "Cancel starts no walk";
        EXPECT_EQ(GetNextsFrom(kStdPort + "1"), walks) << "Cancel leaves the table";
        EXPECT_EQ(d.GetRows(table::IDC_PORT_LIST).size(), 28u);
        d.DoubleClickListRow(table::IDC_PORT_LIST, 3);
        EXPECT_EQ(runs, 2);
        Walked(d);
        EXPECT_EQ(GetNextsFrom(kStdPort + "1"), walks + 1) << "OK reads the table again";
        d.Click(IDCANCEL);
    });
}

TEST_F(SpanTreeTest, PortSettingsReadThePortAndApplySendsOneSet) {
    WithPortDialog(2, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetText(port::IDC_PORT), "3");
        EXPECT_EQ(d.GetText(port::IDC_STATUS), "Forward");
        EXPECT_EQ(d.GetText(port::IDC_DESIG_PORT), "80 03");
        EXPECT_EQ(d.GetText(port::IDC_PRIORITY), "128");
        EXPECT_EQ(d.GetText(port::IDC_COST), "200000");
        EXPECT_TRUE(d.IsChecked(port::IDC_ENABLE));
        const auto gets = Requests("get");
        ASSERT_EQ(gets.size(), 1u);
        EXPECT_EQ(Oids(gets[0]), (std::vector<std::string>{At(kStdPort + "2", 3), At(kStdPort + "5", 3),
                                                           At(kStdPort + "4", 3), At(kPrivatePort + "5", 3)}));
        d.TypeText(port::IDC_PRIORITY, "64");
        d.TypeText(port::IDC_COST, "1234");
        d.Check(port::IDC_ENABLE, false);
        d.Click(port::IDC_APPLY);
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(sets[0].community, "quastel");
        EXPECT_EQ(Assignments(sets[0]),
                  (std::vector<std::string>{At(kStdPort + "2", 3) + "=64", At(kPrivatePort + "5", 3) + "=1234",
                                            At(kStdPort + "4", 3) + "=2"}));
        for (const auto& v : sets[0].varbinds) EXPECT_EQ(v.type, "i");
    });
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(sim->GetObject(At(kStdPort + "5", 3)).value_or(""), "i 1234")
        << "the cost in use follows the external cost";
}

// One Apply of a port's settings: the row, what the user changes, and the SET's cost and
// enable values or the message.
struct ApplyCase {
    const char* name;
    int row;
    const char* cost;  // nullptr: untouched
    bool toggleEnable;
    const char* message;  // nullptr: no message
    bool sent;
    const char* sentCost = "";
};

class SpanTreeApplyTest : public SpanTreeTest, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(SpanTreeApplyTest, ChecksThenSends) {
    const ApplyCase& c = GetParam();
    WithPortDialog(
        c.row,
        [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return TrunkWalkEnded(); }, 10s));
            if (c.cost) d.TypeText(port::IDC_COST, c.cost);
            if (c.toggleEnable) d.Check(port::IDC_ENABLE, !d.IsChecked(port::IDC_ENABLE));
            d.Click(port::IDC_APPLY);
        },
        28, c.message ? std::vector<int>{IDOK} : std::vector<int>{});
    if (c.message) {
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, c.message);
    } else {
        EXPECT_TRUE(shown.empty());
    }
    const auto sets = Requests("set");
    if (!c.sent) {
        EXPECT_TRUE(sets.empty());
        return;
    }
    ASSERT_EQ(sets.size(), 1u);
    ASSERT_EQ(sets[0].varbinds.size(), 3u);
    EXPECT_EQ(sets[0].varbinds[1].value, c.sentCost);
}

const ApplyCase kApplyCases[] = {
    {"cost_0_is_sent", 0, "0", false, nullptr, true, "0"},
    {"cost_above_range_refused", 0, "200000001", false, "Invalid Path Cost(1-200000000)", false},
    {"cost_at_range_end_sent", 0, "200000000", false, nullptr, true, "200000000"},
    {"automatic_cost_untouched_stays_automatic", 0, nullptr, true, nullptr, true, "0"},
    {"trunk_member_unchanged_sends_nothing", 20, nullptr, false, nullptr, false},
    {"trunk_member_enable_changed_refused", 20, nullptr, true,
     "Cannot add ports with different STP configurations to an aggregated link.", false},
    {"trunk_member_cost_changed_refused", 21, "5", false,
     "Cannot add ports with different STP configurations to an aggregated link.", false},
};

INSTANTIATE_TEST_SUITE_P(Apply, SpanTreeApplyTest, ::testing::ValuesIn(kApplyCases),
                         [](const ::testing::TestParamInfo<ApplyCase>& info) { return std::string(info.param.name); });

TEST_F(SpanTreeTest, AFixedCostTypedOverAnAutomaticOneIsWritten) {
    Set(At(kPrivatePort + "5", 2), "i", "0");
    WithPortDialog(1, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetText(port::IDC_COST), "200000");
        d.TypeText(port::IDC_COST, "199999");
        d.Click(port::IDC_APPLY);
    });
    const auto sets = Requests("set");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].varbinds[1].value, "199999");
}

TEST_F(SpanTreeTest, TrunkMembershipArrivingAfterOpeningCounts) {
    ASSERT_TRUE(sim->Silence(kTrunkMembers));
    WithPortDialog(20,
                   [&](DialogDriver& d) {
                       EXPECT_EQ(d.GetText(port::IDC_PORT), "21");
                       // No membership known yet: the port's change goes out.
                       d.Check(port::IDC_ENABLE, false);
                       d.Click(port::IDC_APPLY);
                       EXPECT_EQ(Requests("set").size(), 1u);
                       ASSERT_TRUE(sim->Command("silence off"));
                       d.Click(port::IDC_REFRESH);
                       EXPECT_TRUE(WaitUntil([&] { return TrunkWalkEnded(); }, 10s));
                       d.Check(port::IDC_ENABLE, true);
                       d.TypeText(port::IDC_PRIORITY, "32");
                       d.Click(port::IDC_APPLY);
                   },
                   28, {IDOK});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Cannot add ports with different STP configurations to an aggregated link.");
    EXPECT_EQ(Requests("set").size(), 1u);
}

TEST_F(SpanTreeTest, SteppingStopsAtTheEnds) {
    WithPortDialog(26, [&](DialogDriver& d) {
        EXPECT_TRUE(d.IsEnabled(port::IDC_PREV));
        EXPECT_TRUE(d.IsEnabled(port::IDC_NEXT));
        d.Click(port::IDC_NEXT);
        EXPECT_EQ(d.GetText(port::IDC_PORT), "28");
        EXPECT_FALSE(d.IsEnabled(port::IDC_NEXT));
        EXPECT_EQ(d.GetText(port::IDC_COST), "20000");
        for (int i = 0; i < 27; ++i) d.Click(port::IDC_PREV);
        EXPECT_EQ(d.GetText(port::IDC_PORT), "1");
        EXPECT_FALSE(d.IsEnabled(port::IDC_PREV));
        EXPECT_TRUE(d.IsEnabled(port::IDC_NEXT));
    });
}

TEST_F(SpanTreeTest, OneRowTableStepsToTheSameRow) {
    for (int p = 2; p <= 28; ++p) {
        for (int c = 1; c <= 10; ++c) ASSERT_TRUE(sim->Command("del " + At(kStdPort + std::to_string(c), p)));
    }
    WithPortDialog(
        -1,
        [&](DialogDriver& d) {
            EXPECT_EQ(d.GetText(port::IDC_PORT), "1");
            EXPECT_FALSE(d.IsEnabled(port::IDC_PREV));
            EXPECT_TRUE(d.IsEnabled(port::IDC_NEXT));
            d.Click(port::IDC_NEXT);
            EXPECT_EQ(d.GetText(port::IDC_PORT), "1");
            EXPECT_TRUE(d.IsEnabled(port::IDC_PREV));
            EXPECT_FALSE(d.IsEnabled(port::IDC_NEXT));
            EXPECT_EQ(Requests("get").size(), 2u);
        },
        1);
}

TEST_F(SpanTreeTest, EmptyTableOpensPortSettingsThatSendNothing) {
    ASSERT_TRUE(sim->Command("del " + kBridge + "15"));
    Harness ui;
    ui.OnModal<CSpanTreePortParam>([&](DialogDriver& d) {
        EXPECT_EQ(d.GetText(port::IDC_PORT), "");
        EXPECT_FALSE(d.IsEnabled(port::IDC_PREV));
        EXPECT_FALSE(d.IsEnabled(port::IDC_NEXT));
        d.Click(port::IDC_APPLY);
        d.Click(IDOK);
    });
    CSpanTree dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Walked(d, 0);
        EXPECT_EQ(d.GetText(table::IDC_ENTRIES), "0");
        d.Click(table::IDC_PORT_CONFIG);
        Walked(d, 0);
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(ui.ModalRuns<CSpanTreePortParam>(), 1);
    EXPECT_TRUE(Requests("get").empty());
    EXPECT_TRUE(Requests("set").empty());
    for (const auto& r : sim->Requests()) {
        for (const auto& v : r.varbinds) EXPECT_NE(v.oid.back(), '.') << v.oid;
    }
}

TEST_F(SpanTreeTest, ClosingDuringTheWalkEndsItAndClosesInOrder) {
    ASSERT_TRUE(sim->Delay(60));
    Harness ui;
    {
        CSpanTree dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return d.GetRows(table::IDC_PORT_LIST).size() >= 2; }, 10s));
            EXPECT_FALSE(d.IsEnabled(table::IDC_REFRESH));
            // The walk's next request has reached the switch and waits for its answer.
            EXPECT_TRUE(WaitUntil([&] { return sim->PendingAnswers() > 0; }, 10s));
            d.Click(IDCANCEL);
        });
    }
    const std::size_t afterClose = Requests("getnext").size();
    switchsim::Settle(*sim);
    EXPECT_EQ(Requests("getnext").size(), afterClose) << "no walk goes on after the dialog has gone";
    EXPECT_EQ(ClosingLines(ui), (std::vector<std::string>{"==================DestroyWindow===============",
                                                          "==================m_cCommonSNMP.Close==============="}));
}

TEST_F(SpanTreeTest, PortSettingsCloseTheirSessionsInOrder) {
    Harness ui;
    ui.OnModal<CSpanTreePortParam>([&](DialogDriver& d) { d.Click(IDCANCEL); });
    CSpanTree dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Walked(d);
        d.Click(table::IDC_PORT_CONFIG);
        const auto lines = ClosingLines(ui);
        EXPECT_EQ(lines, (std::vector<std::string>{"==================DestroyWindow===============",
                                                   "==================m_cCommonSNMP.Close===============",
                                                   "==================m_cCommonSNMPSet.Close===============",
                                                   "==================m_cCommonSNMPTable.Close==============="}));
        d.Click(IDCANCEL);
    });
}

}  // namespace
