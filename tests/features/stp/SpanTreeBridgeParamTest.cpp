// The standard bridge MIB's spanning tree bridge settings against the simulated switch: the
// read and what it enables, the checks of the times as a table, the Apply sequences with
// their grouping and pauses, and closing.
#include "features/stp/SpanTree.h"
#include "features/stp/SpanTreeBridgeParam.h"
#include "features/stp/StpRules.h"
#include "resources/templates/SpanTreeDialogsIds.h"
#include "tests/features/stp/StpFixture.h"

using namespace stptest;
using namespace span_tree_bridge_ids;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace {

std::string Scalar(int arc) { return kBridge + std::to_string(arc) + ".0"; }

const int kSettings[] = {IDC_VERSION, IDC_PRIORITY, IDC_MAX_AGE, IDC_FORWARD_DELAY, IDC_HELLO, IDC_PORT_SETTING};

class SpanTreeBridgeParamTest : public StpTest {
protected:
    // The read has filled the dialog (the max age field leaves its initial 600) and its end
    // has been handed over.
    void ReadDone(DialogDriver& d) const {
        EXPECT_TRUE(WaitUntil([&] { return d.GetText(IDC_MAX_AGE) == "2000"; }, 10s));
        ui::test::Flush();
    }
    static void ExpectSettingsEnabled(DialogDriver& d, bool enabled) {
        for (int id : kSettings) EXPECT_EQ(d.IsEnabled(id), enabled) << id;
    }
};

TEST_F(SpanTreeBridgeParamTest, ReadFillsTheDialogAndTheStateEnablesTheSettings) {
    Harness ui;
    CSpanTreeBridgeParam dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        EXPECT_FALSE(d.IsChecked(IDC_ENABLE_RSTP));
        ExpectSettingsEnabled(d, false);
        EXPECT_EQ(d.GetText(IDC_PRIORITY), "32768");
        EXPECT_EQ(d.GetText(IDC_HELLO), "200");
        EXPECT_EQ(d.GetText(IDC_FORWARD_DELAY), "1500");
        EXPECT_EQ(d.GetText(IDC_DESIGNATED_ROOT), "80:00:0A:32:47:3C:11:40");
        EXPECT_EQ(d.GetText(IDC_FORWARD_DELAY_IN_USE), "1500");
        EXPECT_EQ(d.GetText(IDC_HELLO_IN_USE), "200");
        EXPECT_EQ(d.GetText(IDC_HOLD_TIME), "100");
        EXPECT_EQ(d.GetSelection(IDC_VERSION), 0);
        EXPECT_EQ(d.GetItems(IDC_VERSION), (std::vector<std::string>{"RSTP", "STP Compatible"}));
        EXPECT_EQ(d.GetItems(IDC_PRIORITY).size(), 16u);
        EXPECT_EQ(d.GetItems(IDC_PRIORITY).back(), "61440");

        Set(kState, "i", "1");
        Set(kVersion, "i", "0");
        d.Click(IDC_REFRESH);
        EXPECT_TRUE(WaitUntil([&] { return d.IsChecked(IDC_ENABLE_RSTP); }, 10s));
        ExpectSettingsEnabled(d, true);
        EXPECT_EQ(d.GetSelection(IDC_VERSION), 1);
        d.Click(IDCANCEL);
    });
    const auto gets = Requests("get");
    ASSERT_EQ(gets.size(), 2u);
    EXPECT_EQ(Oids(gets[0]),
              (std::vector<std::string>{Scalar(2), Scalar(3), Scalar(4), Scalar(5), Scalar(7), Scalar(12), Scalar(13),
                                        Scalar(14), Scalar(9), Scalar(10), Scalar(11), kState, kVersion}));
}

TEST_F(SpanTreeBridgeParamTest, AFastAnswerIsNotUndoneByTheOpening) {
    // The answer may come before the opening has disabled the settings: it still wins.
    Set(kState, "i", "1");
    Harness ui;
    CSpanTreeBridgeParam dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        EXPECT_TRUE(d.IsChecked(IDC_ENABLE_RSTP));
        ExpectSettingsEnabled(d, true);
        d.Check(IDC_ENABLE_RSTP, false);
        for (int id : {IDC_VERSION.id, IDC_PRIORITY.id, IDC_MAX_AGE.id, IDC_FORWARD_DELAY.id, IDC_HELLO.id}) {
            EXPECT_FALSE(d.IsEnabled(id));
        }
        EXPECT_TRUE(d.IsEnabled(IDC_PORT_SETTING)) << "the box leaves Port Setting alone";
        d.Click(IDCANCEL);
    });
}

// The checks of the times, as a table: hundredths of a second.
struct TimesCase {
    int maxAge, delay, hello;
    const char* message;
};
const char* const kHelloRelation =
    "To set the parameters Hello Time and Max Age the following relation is to be satisfied: \nMax Age >= (2*(Hello "
    "Time + 1.0))";
const char* const kDelayRelation =
    "To set the parameters Forward Delay and Max Age, the following relation is to be satisfied: \n2*(Forward Delay - "
    "1) >= Max Age";

TEST(BridgeTimesTest, RangesThenRelationsInOrder) {
    const TimesCase cases[] = {
        {599, 1500, 200, "Invalid Age Time value, the valid Age Time range is  (600-4000) ms !"},
        {4001, 1500, 200, "Invalid Age Time value, the valid Age Time range is  (600-4000) ms !"},
        {2000, 399, 200, "Invalid Forward Delay value, the valid Forward Delay range is (400-3000) ms !"},
        {2000, 3001, 200, "Invalid Forward Delay value, the valid Forward Delay range is (400-3000) ms !"},
        {600, 1500, 99, "Invalid Hello Time value, the valid Hello Time range is (100-1000) ms !"},
        {600, 400, 1001, "Invalid Hello Time value, the valid Hello Time range is (100-1000) ms !"},
        {2000, 1000, 200, kDelayRelation},
        {600, 1500, 300, kHelloRelation},
        {600, 400, 200, ""},
        {4000, 3000, 1000, ""},
    };
    for (const TimesCase& c : cases) {
        EXPECT_EQ(stp::BridgeTimesMessage(stp::kHundredthsLimits, c.maxAge, c.delay, c.hello), c.message)
            << c.maxAge << " " << c.delay << " " << c.hello;
    }
}

TEST_F(SpanTreeBridgeParamTest, RefusedTimesSendNothing) {
    const TimesCase cases[] = {
        {599, 1500, 200, "Invalid Age Time value, the valid Age Time range is  (600-4000) ms !"},
        {2000, 1000, 200, kDelayRelation},
    };
    std::vector<int> answers(std::size(cases), IDOK);
    Harness ui;
    ui.ScriptMessageBoxes(answers);
    Set(kState, "i", "1");
    CSpanTreeBridgeParam dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        for (const TimesCase& c : cases) {
            d.TypeText(IDC_MAX_AGE, std::to_string(c.maxAge));
            d.TypeText(IDC_FORWARD_DELAY, std::to_string(c.delay));
            d.TypeText(IDC_HELLO, std::to_string(c.hello));
            d.Click(IDOK);
        }
        EXPECT_TRUE(d.IsOpen());
        d.Click(IDCANCEL);
    });
    const auto shown = ui.ShownMessageBoxes();
    ASSERT_EQ(shown.size(), std::size(cases));
    for (std::size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(shown[i].text, cases[i].message);
    EXPECT_TRUE(Requests("set").empty());
}

// One Apply: the state the read found, the user's steps, and the SETs expected in order, each
// as its assignments; a re-read follows exactly when the timing sequence was sent.
struct ApplySequence {
    const char* name;
    bool readOn;
    bool offFirst;  // Apply with the box cleared first, then check it again
    bool checked;
    const char* version;
    std::vector<std::vector<std::string>> sets;
    bool reread;
};

std::vector<std::vector<std::string>> Timing(const std::string& version) {
    return {{Scalar(13) + "=100", Scalar(14) + "=3000"},
            {Scalar(12) + "=2400"},
            {Scalar(14) + "=1300"},
            {Scalar(13) + "=300", Scalar(2) + "=8192", kVersion + "=" + version}};
}
std::vector<std::vector<std::string>> With(std::vector<std::vector<std::string>> first,
                                           const std::vector<std::vector<std::string>>& rest) {
    first.insert(first.end(), rest.begin(), rest.end());
    return first;
}

const std::vector<ApplySequence>& Sequences() {
    static const std::vector<ApplySequence> cases = {
        {"box_cleared", true, false, false, "RSTP", {{kState + "=2"}}, false},
        {"on_rstp", true, false, true, "RSTP", Timing("2"), true},
        {"on_stp_compatible", true, false, true, "STP Compatible", Timing("0"), true},
        {"off_read_switches_on_first", false, false, true, "RSTP", With({{kState + "=1"}}, Timing("2")), true},
        {"off_then_on_in_one_opening", true, true, true, "RSTP", With({{kState + "=2"}, {kState + "=1"}}, Timing("2")),
         true},
    };
    return cases;
}

class SpanTreeBridgeApplyTest : public SpanTreeBridgeParamTest, public ::testing::WithParamInterface<ApplySequence> {};

TEST_P(SpanTreeBridgeApplyTest, SetsInOrderAndGroups) {
    const ApplySequence& c = GetParam();
    Set(kState, "i", c.readOn ? "1" : "2");
    Harness ui;
    CSpanTreeBridgeParam dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        sim->ClearRequests();
        if (c.offFirst) {
            d.Check(IDC_ENABLE_RSTP, false);
            d.Click(IDOK);
            EXPECT_FALSE(d.IsEnabled(IDC_PORT_SETTING));
        }
        d.Check(IDC_ENABLE_RSTP, true);
        d.ChooseComboItem(IDC_VERSION, c.version);
        d.TypeText(IDC_MAX_AGE, "2400");
        d.TypeText(IDC_FORWARD_DELAY, "1300");
        d.TypeText(IDC_HELLO, "300");
        d.TypeText(IDC_PRIORITY, "8192");
        d.Check(IDC_ENABLE_RSTP, c.checked);
        d.Click(IDOK);
        if (c.reread) {
            EXPECT_TRUE(WaitUntil([&] { return !Requests("get").empty(); }, 10s));
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_PORT_SETTING); }, 10s));
        }
        EXPECT_TRUE(switchsim::NoRequestOut());
        EXPECT_TRUE(d.IsOpen());
        d.Click(IDCANCEL);
    });
    const auto sets = Requests("set");
    ASSERT_EQ(sets.size(), c.sets.size());
    for (std::size_t i = 0; i < sets.size(); ++i) {
        EXPECT_EQ(Assignments(sets[i]), c.sets[i]) << i;
        EXPECT_EQ(sets[i].community, "quastel");
        for (const auto& v : sets[i].varbinds) EXPECT_EQ(v.type, "i");
    }
    const auto gets = Requests("get");
    EXPECT_EQ(gets.size(), c.reread ? 1u : 0u);
    if (c.reread && !gets.empty()) {
        EXPECT_GT(gets[0].seq, sets.back().seq);
    }
    // The times the switch accepts go first, 50 ms before the new ones.
    const std::size_t prepare = sets.size() - 4;
    if (c.checked && sets.size() >= 4) {
        EXPECT_GE(sets[prepare + 1].arrivalUs - sets[prepare].arrivalUs, 50000);
    }
}

INSTANTIATE_TEST_SUITE_P(Apply, SpanTreeBridgeApplyTest, ::testing::ValuesIn(Sequences()),
                         [](const ::testing::TestParamInfo<ApplySequence>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(SpanTreeBridgeParamTest, PortSettingOpensTheTableAndClosingGoesInOrder) {
    Set(kState, "i", "1");
    Harness ui;
    ui.OnModal<CSpanTree>([&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return d.GetRows(span_tree_ids::IDC_PORT_LIST).size() == 28; }, 10s));
        d.Click(IDCANCEL);
    });
    {
        CSpanTreeBridgeParam dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ReadDone(d);
            d.Click(IDC_PORT_SETTING);
            d.Click(IDCANCEL);
        });
    }
    EXPECT_EQ(ui.ModalRuns<CSpanTree>(), 1);
    const auto lines = ClosingLines(ui);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()),
              (std::vector<std::string>{"==================DestroyWindow===============",
                                        "==================m_cCommonSNMP.Close===============",
                                        "==================m_cCommonSNMPSet.Close===============",
                                        "==================m_cCommonSNMPSet0.Close==============="}));
}

}  // namespace
