// The two counter views of the statistics list, on the program's clock run fast: which GETs a
// page, a counter choice and the row choices send, the paging with its blanked items, the
// timers, a lost answer asked again, and closing while answers are out. The page arithmetic
// is a table of its own.
#include "features/information/StatisticRmonCnt.h"
#include "features/information/StatisticRmonInf.h"
#include "platform/win/Clock.h"
#include "tests/features/information/InformationFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace infotest {
namespace {

using namespace rmon_counter_page;

TEST(RmonCounterPageTest, ItemsBlanksAndLabels) {
    struct Case {
        int page, entries, items, blanked;
    } cases[] = {
        {1, 30, 24, 0}, {2, 30, 6, 18}, {1, 24, 24, 0}, {1, 5, 5, 19},
        {1, 0, 0, 24},  {2, 48, 24, 0}, {3, 49, 1, 23}, {1, 49, 24, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.page) + "/" + std::to_string(c.entries));
        EXPECT_EQ(ItemsOnPage(c.page, c.entries), c.items);
        EXPECT_EQ(BlankedItems(c.page, PageCount(c.entries), c.entries), c.blanked);
    }
    EXPECT_EQ(PageCount(0), 0);
    EXPECT_EQ(PageCount(24), 1);
    EXPECT_EQ(PageCount(25), 2);
    const std::vector<std::string> indexes = {"1", "22", "333", "4444", "55555"};
    EXPECT_EQ(ItemLabel(indexes, 1, 1), "Item 1");
    EXPECT_EQ(ItemLabel(indexes, 1, 4), "Item 444");
    EXPECT_EQ(ItemLabel(indexes, 1, 5), "Item 555");
    EXPECT_EQ(ItemLabel(indexes, 1, 6), "Item ");
    EXPECT_EQ(ItemLabel(indexes, 2, 1), "Item ");
    EXPECT_EQ(CounterChoice("Octects"), 0);
    EXPECT_EQ(CounterChoice("Coll"), 8);
    EXPECT_EQ(CounterChoice("Pkts1024"), 14);
    EXPECT_EQ(CounterChoice("Jabbers"), -1);
    EXPECT_EQ(kCounters[CounterChoice("Collisions")].column, 13);
}

class CounterViewsTest : public InformationTest {
protected:
    static constexpr double kSpeed = 10;  // 2 s of the program's clock are 200 ms
    void SetUp() override {
        InformationTest::SetUp();
        win::SetClockSpeed(kSpeed);
    }
    // Requests of one object at the opening and then at each tick: a tick may come late under
    // load, never early, so only the shortest time is checked.
    static void ExpectTicks(const std::vector<long>& starts, int periodMs) {
        ASSERT_GE(starts.size(), 3u);
        const double periodUs = periodMs * 1000 / kSpeed;
        const double ticks = static_cast<double>(starts.size() - 1);
        EXPECT_GT(starts.back() - starts.front(), ticks * periodUs * 0.9);
    }
    // The first `count` GETs logged.
    std::vector<std::string> FirstGets(std::size_t count) const {
        auto all = GetOids();
        all.resize(std::min(count, all.size()));
        return all;
    }
    // The GETs of one round: `count` consecutive requests from the latest ones.
    std::vector<std::string> LastGets(std::size_t count) const {
        const auto all = GetOids();
        if (all.size() < count) return {};
        return std::vector<std::string>(all.end() - static_cast<long>(count), all.end());
    }
    static std::vector<std::string> Column(int column, int from, int to) {
        std::vector<std::string> out;
        for (int i = from; i <= to; ++i) out.push_back(kEtherStats + std::to_string(column) + "." + std::to_string(i));
        return out;
    }
    static std::vector<std::string> Column3to19(int index) {
        std::vector<std::string> out;
        for (int c = 3; c <= 19; ++c) out.push_back(kEtherStats + std::to_string(c) + "." + std::to_string(index));
        return out;
    }
};

TEST_F(CounterViewsTest, CounterPagesOfThirtyEntries) {
    using namespace rmon1_counter_ids;
    AddEntries(29, 30);
    Harness ui;
    ui.OnModal<CStatisticRmonCnt>([&](DialogDriver& d, CStatisticRmonCnt& view) {
        EXPECT_EQ(view.GetWindowText(), "RMON 1 Parameter Information");
        EXPECT_EQ(d.GetText(IDC_PARAMETER), "Octects");
        EXPECT_EQ(d.GetItems(IDC_PARAMETER).size(), 15u);
        // Page 1: one GET per item, each item its own value.
        ASSERT_TRUE(WaitUntil([&] { return d.GetText(IDC_ITEM_VALUE + 24) == Counter(4, 24); }));
        EXPECT_EQ(FirstGets(24), Column(4, 1, 24));
        EXPECT_EQ(d.GetText(IDC_ITEM_LABEL + 12), "Item 12");
        EXPECT_EQ(d.GetText(IDC_ITEM_VALUE + 12), Counter(4, 12));
        // Another counter.
        sim->ClearRequests();
        d.ChooseComboItem(IDC_PARAMETER, "Collisions");
        ASSERT_TRUE(WaitUntil([&] { return d.GetText(IDC_ITEM_VALUE + 3) == Counter(13, 3); }));
        EXPECT_EQ(FirstGets(24), Column(13, 1, 24));
        // Page 2: six entries; the other items blank and disabled.
        d.Click(IDC_NEXT);
        EXPECT_EQ(view.Page(), 2);
        EXPECT_EQ(d.GetText(IDC_ITEM_LABEL + 1), "Item 25");
        EXPECT_EQ(d.GetText(IDC_ITEM_LABEL + 7), "Item ");
        ASSERT_TRUE(WaitUntil([&] { return d.GetText(IDC_ITEM_VALUE + 6) == Counter(13, 30); }));
        EXPECT_EQ(LastGets(6), Column(13, 25, 30));
        for (int k = 7; k <= 24; ++k) {
            EXPECT_EQ(d.GetText(IDC_ITEM_VALUE + k), "") << k;
            EXPECT_FALSE(d.IsEnabled(IDC_ITEM_VALUE + k)) << k;
            EXPECT_FALSE(d.IsEnabled(IDC_ITEM_LABEL + k)) << k;
        }
        // Back to page 1, all enabled; Prev from page 1 is page 2 again.
        d.Click(IDC_NEXT);
        EXPECT_EQ(view.Page(), 1);
        ASSERT_TRUE(WaitUntil([&] { return d.GetText(IDC_ITEM_VALUE + 24) == Counter(13, 24); }));
        for (int k = 1; k <= 24; ++k) EXPECT_TRUE(d.IsEnabled(IDC_ITEM_VALUE + k)) << k;
        d.Click(IDC_PREV);
        EXPECT_EQ(view.Page(), 2);
        EXPECT_EQ(d.GetText(IDC_ITEM_VALUE + 7), "");
        EXPECT_FALSE(d.IsEnabled(IDC_ITEM_VALUE + 24));
        d.Click(IDCANCEL);
    });
    RunList(ui, 30, [&](DialogDriver& d, CStatisticRmon1&) { d.Click(rmon1_statistic_ids::IDC_OPEN_PARAMETER); });
    EXPECT_EQ(ui.ModalRuns<CStatisticRmonCnt>(), 1);
}

TEST_F(CounterViewsTest, CounterViewTicksEveryTwoSecondsAndAsksALostItemAgain) {
    using namespace rmon1_counter_ids;
    const std::string lost = kEtherStats + "4.5";
    for (int i = 25; i <= 28; ++i) ASSERT_TRUE(sim->Command("del " + kEtherStats + "1." + std::to_string(i)));
    Harness ui;
    ui.OnModal<CStatisticRmonCnt>([&](DialogDriver& d, CStatisticRmonCnt&) {
        // 24 entries: one page, no paging.
        EXPECT_FALSE(d.IsEnabled(IDC_PREV));
        EXPECT_FALSE(d.IsEnabled(IDC_NEXT));
        ASSERT_TRUE(WaitUntil([&] { return CountGets(kEtherStats + "4.1") >= 3; }));
        const auto gets = Requests("get");
        std::vector<long> starts;
        for (const auto& r : gets)
            if (r.varbinds[0].oid == kEtherStats + "4.1") starts.push_back(r.arrivalUs);
        ExpectTicks(starts, 2000);
        EXPECT_GE(CountGets(kEtherStats + "4.24"), 2u);
        // A silent item: its requests fail, each refresh asks again, and the first answer after
        // the silence shows.
        const std::string before = d.GetText(IDC_ITEM_VALUE + 5);
        EXPECT_EQ(before, Counter(4, 5));
        ASSERT_TRUE(sim->Silence(lost));
        Set(lost, "c", "777");
        sim->ClearRequests();
        ASSERT_TRUE(WaitUntil([&] { return CountGets(lost) >= 3; }));
        EXPECT_EQ(d.GetText(IDC_ITEM_VALUE + 5), before);
        ASSERT_TRUE(sim->Command("silence off"));
        ASSERT_TRUE(WaitUntil([&] { return d.GetText(IDC_ITEM_VALUE + 5) == "777"; }));
        d.Click(IDCANCEL);
    });
    RunList(ui, 24, [&](DialogDriver& d, CStatisticRmon1&) { d.Click(rmon1_statistic_ids::IDC_OPEN_PARAMETER); });
    for (const auto& r : Requests("get")) {
        if (r.varbinds[0].oid == lost) {
            EXPECT_EQ(r.community, "norfen");
        }
    }
}

TEST_F(CounterViewsTest, CounterViewWithoutEntriesAsksNothing) {
    using namespace rmon1_counter_ids;
    ASSERT_TRUE(sim->Command("del " + kEtherStats.substr(0, kEtherStats.size() - 1)));
    Harness ui;
    ui.OnModal<CStatisticRmonCnt>([&](DialogDriver& d, CStatisticRmonCnt&) {
        EXPECT_FALSE(d.IsEnabled(IDC_NEXT));
        d.Click(IDC_REFRESH);
        EXPECT_EQ(d.GetText(IDC_ITEM_LABEL + 1), "Item ");
        EXPECT_EQ(d.GetText(IDC_ITEM_VALUE + 1), "0");
        d.Click(IDCANCEL);
    });
    RunList(ui, 0, [&](DialogDriver& d, CStatisticRmon1&) { d.Click(rmon1_statistic_ids::IDC_OPEN_PARAMETER); });
    EXPECT_TRUE(Requests("get").empty());
}

TEST_F(CounterViewsTest, InterfaceViewRowsFollowTheirChoices) {
    using namespace rmon1_interface_ids;
    Harness ui;
    ui.OnModal<CStatisticRmonInf>([&](DialogDriver& d, CStatisticRmonInf& view) {
        EXPECT_EQ(view.GetWindowText(), "RMON 1 Interface Information");
        for (int r = 0; r < kRows; ++r) {
            EXPECT_EQ(d.GetText(IDC_ROW_COMBO[r]), "3") << r;
            EXPECT_EQ(d.GetItems(IDC_ROW_COMBO[r]).size(), 28u) << r;
        }
        ASSERT_TRUE(WaitUntil([&] { return d.GetText(IDC_ROW_VALUE + 17) == Counter(19, 3); }));
        EXPECT_EQ(FirstGets(17), Column3to19(3));
        EXPECT_EQ(d.GetText(IDC_ROW_VALUE + 10), Counter(12, 3));
        // Another entry in the Jabbers row: every row asked again, that one for entry 5.
        sim->ClearRequests();
        d.ChooseComboItem(IDC_ROW_COMBO[9], "5");
        ASSERT_TRUE(WaitUntil([&] { return d.GetText(IDC_ROW_VALUE + 10) == Counter(12, 5); }));
        auto expected = Column3to19(3);
        expected[9] = kEtherStats + "12.5";
        EXPECT_EQ(FirstGets(17), expected);
        // A typed entry is asked when it is a number, listed or not. The switch answers nothing
        // meanwhile, so no answer puts the row's choice back in place of the typed text.
        ASSERT_TRUE(sim->Silence());
        sim->ClearRequests();
        d.TypeText(IDC_FIRST_ROW, "100");
        d.Click(IDC_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return CountGets(kEtherStats + "3.100") >= 1; }));
        sim->ClearRequests();
        d.TypeText(IDC_FIRST_ROW, "x");
        d.Click(IDC_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return GetOids().size() >= 16; }));
        // (A tick before the typing may still have asked for the earlier text.)
        for (const std::string& oid : GetOids()) {
            if (oid.rfind(kEtherStats + "3.", 0) == 0) {
                EXPECT_EQ(oid, kEtherStats + "3.100");
            }
        }
        // The row is asked again once it holds a number.
        d.TypeText(IDC_FIRST_ROW, "4");
        d.Click(IDC_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return CountGets(kEtherStats + "3.4") >= 1; }));
        d.Click(IDCANCEL);
    });
    RunList(ui, 28, [&](DialogDriver& d, CStatisticRmon1&) { d.DoubleClickListRow(rmon1_statistic_ids::IDC_LIST, 2); });
    EXPECT_EQ(ui.ModalRuns<CStatisticRmonInf>(), 1);
}

TEST_F(CounterViewsTest, InterfaceViewTicksEveryFiveSeconds) {
    using namespace rmon1_interface_ids;
    Harness ui;
    ui.OnModal<CStatisticRmonInf>([&](DialogDriver& d, CStatisticRmonInf&) {
        ASSERT_TRUE(WaitUntil([&] { return CountGets(kEtherStats + "3.1") >= 3; }));
        std::vector<long> starts;
        for (const auto& r : Requests("get"))
            if (r.varbinds[0].oid == kEtherStats + "3.1") starts.push_back(r.arrivalUs);
        ExpectTicks(starts, 5000);
        d.Click(IDCANCEL);
    });
    // Interface without a selected row: the first entry.
    RunList(ui, 28, [&](DialogDriver& d, CStatisticRmon1&) { d.Click(rmon1_statistic_ids::IDC_OPEN_INTERFACE); });
}

// Both views closed while their answers are slow: the answers that come after the close (the
// switch answers in order, so before the list's next walk ends) reach nobody.
TEST_F(CounterViewsTest, ViewsClosedWithAnswersOut) {
    Harness ui;
    ui.OnModal<CStatisticRmonCnt>([&](DialogDriver& d, CStatisticRmonCnt&) {
        ASSERT_TRUE(WaitUntil([&] { return GetOids().size() >= 24; }));
        d.Click(IDCANCEL);
    });
    ui.OnModal<CStatisticRmonInf>([&](DialogDriver& d, CStatisticRmonInf&) {
        ASSERT_TRUE(WaitUntil([&] { return GetOids().size() >= 24 + 17; }));
        d.Click(IDCANCEL);
    });
    RunList(ui, 28, [&](DialogDriver& d, CStatisticRmon1& dlg) {
        ASSERT_TRUE(sim->Delay(20));
        d.Click(rmon1_statistic_ids::IDC_OPEN_PARAMETER);
        d.Click(rmon1_statistic_ids::IDC_OPEN_INTERFACE);
        d.Click(rmon1_statistic_ids::IDC_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return !dlg.Reading() && d.GetText(rmon1_statistic_ids::IDC_NUMBER) == "28"; }));
        long firstWalk = 0;
        for (const auto& r : Requests("getnext")) firstWalk = firstWalk ? firstWalk : r.seq;
        for (const auto& r : Requests("get")) EXPECT_LT(r.seq, firstWalk);
    });
}

}  // namespace
}  // namespace infotest
