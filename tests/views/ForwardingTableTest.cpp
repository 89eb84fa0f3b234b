// The forwarding table view: rows as the walk gives them, pages of 100, the aging time, and
// closing while the walk runs.
#include <chrono>
#include <cstdio>

#include "resources/templates/PublicMibViewsIds.h"
#include "tests/views/ViewsFixture.h"
#include "views/SwitchDatabase.h"

using namespace std::chrono_literals;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;
using viewstest::Rows;

using namespace forwarding_table_ids;

namespace {

const char kStatus[] = "1.3.6.1.2.1.17.7.1.2.2.1.3";
const char kPort[] = "1.3.6.1.2.1.17.7.1.2.2.1.2";

// A model with `entries` learned addresses (entry i: 00-00-00-00-HI-LO on port i % 28 + 1)
// and the aging time 77.
std::string FdbModel(int entries) {
    std::string lines = "1.3.6.1.2.1.17.4.2.0 i 77\n";
    for (int i = 1; i <= entries; ++i) {
        const std::string index = ".1.0.0.0.0." + std::to_string(i / 256) + "." + std::to_string(i % 256);
        lines += kStatus + index + " i 3\n";
        lines += kPort + index + " i " + std::to_string(i % 28 + 1) + "\n";
    }
    return lines;
}

// The IDs of the rows shown, as numbers.
std::vector<int> ShownIds(DialogDriver& d) {
    std::vector<int> ids;
    for (const auto& row : d.GetRows(IDC_LIST)) ids.push_back(std::stoi(row[0]));
    return ids;
}
std::vector<int> Range(int from, int to) {
    std::vector<int> ids;
    for (int i = from; i <= to; ++i) ids.push_back(i);
    return ids;
}

class ForwardingTableTest : public viewstest::ViewsTest {};

}  // namespace

TEST(ForwardingTableFormatTest, MacAndStatusTexts) {
    EXPECT_EQ(CSwitchDatabase::IndexToMac(".1.0.27.44.61.78.95"), "00-1B-2C-3D-4E-5F");
    EXPECT_EQ(CSwitchDatabase::IndexToMac(".100.0.27.44.61.78.95"), "00-1B-2C-3D-4E-5F");
    EXPECT_EQ(CSwitchDatabase::IndexToMac(".1.255.255.255.255.255.255"), "FF-FF-FF-FF-FF-FF");
    const std::pair<const char*, const char*> statuses[] = {
        {"1", "Other"}, {"2", "Invalid"}, {"3", "Learn"}, {"4", "Own"},    {"5", "Static"},
        {"6", "6"},     {"0", "0"},       {"", ""},       {"30", "Learn"},
    };
    for (const auto& [value, text] : statuses) EXPECT_EQ(CSwitchDatabase::StatusText(value), text) << value;
}

// The model's table as snmpwalk sees it, with the aging time, and the request log of the walk.
TEST_F(ForwardingTableTest, ListsTheModelTable) {
    Harness ui;
    CSwitchDatabase view;
    ui.RunModal(view, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
        EXPECT_EQ(view.GetWindowText(), "Forwarding Table");
        EXPECT_EQ(d.GetColumns(IDC_LIST), (std::vector<std::string>{"ID ", "Port", " MAC Address ", " Status "}));
        EXPECT_EQ(d.GetText(IDC_AGE_TIME), "300");
        const auto getnexts = GetNexts(*s_sim);  // before snmpwalk adds its own
        const auto status = WalkColumn(*s_sim, kStatus);
        const auto port = WalkColumn(*s_sim, kPort);
        ASSERT_EQ(view.StoredRows(), status.size());
        const Rows rows = d.GetRows(IDC_LIST);
        ASSERT_EQ(rows.size(), std::min<std::size_t>(status.size(), 100));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i][0], std::to_string(i + 1));
            EXPECT_EQ(rows[i][1], port[i]);
            EXPECT_EQ(rows[i][3], CSwitchDatabase::StatusText(status[i]));
        }
        EXPECT_EQ(rows[0][2], "02-01-96-75-A2-4F");  // .1.2.1.150.117.162.79
        EXPECT_EQ(getnexts.size(), status.size() + 1);
        EXPECT_EQ(getnexts.front(), (std::vector<std::string>{kStatus, kPort}));
        d.Click(IDC_CLOSE);
    });
}

TEST_F(ForwardingTableTest, PagesOfAHundredRows) {
    struct Step {
        int button;  // 0: after the walk
        int from, to;
        bool back, next;
    };
    struct Case {
        int entries;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {100, {{0, 1, 100, false, false}}},
        {101, {{0, 1, 100, false, true}, {IDC_NEXT, 101, 101, true, false}, {IDC_BACK, 1, 100, false, true}}},
        {250,
         {{0, 1, 100, false, true},
          {IDC_NEXT, 101, 200, true, true},
          {IDC_NEXT, 201, 250, true, false},
          {IDC_BACK, 101, 200, true, true},
          {IDC_BACK, 1, 100, false, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entries);
        const auto sim = Model("fdb" + std::to_string(c.entries), FdbModel(c.entries));
        PointAt(*sim);
        Harness ui;
        CSwitchDatabase view;
        ui.RunModal(view, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil(
                [&] { return view.StoredRows() == static_cast<std::size_t>(c.entries) && d.IsEnabled(IDC_REFRESH); }));
            EXPECT_EQ(d.GetText(IDC_AGE_TIME), "77");
            for (const Step& s : c.steps) {
                if (s.button) d.Click(s.button);
                EXPECT_EQ(ShownIds(d), Range(s.from, s.to)) << "after " << s.button;
                EXPECT_EQ(d.IsEnabled(IDC_BACK), s.back);
                EXPECT_EQ(d.IsEnabled(IDC_NEXT), s.next);
            }
            const Rows rows = d.GetRows(IDC_LIST);
            EXPECT_EQ(rows[0][2], "00-00-00-00-00-01");
            EXPECT_EQ(rows[0][3], "Learn");
            d.Click(IDC_CLOSE);
        });
    }
}

// Next while rows still arrive shows what came beyond 100; that page keeps filling.
TEST_F(ForwardingTableTest, NextWhileTheWalkRuns) {
    const auto sim = Model("fdb-slow", FdbModel(160));
    ASSERT_TRUE(sim->Delay(5));
    PointAt(*sim);
    Harness ui;
    CSwitchDatabase view;
    ui.RunModal(view, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_NEXT); }));
        EXPECT_TRUE(d.IsEnabled(IDC_REFRESH));  // a second page exists, the walk goes on
        d.Click(IDC_NEXT);
        const std::vector<int> shown = ShownIds(d);
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.front(), 101);
        EXPECT_LT(shown.size(), 60u);
        ASSERT_TRUE(WaitUntil([&] { return view.StoredRows() == 160 && ShownIds(d).size() == 60; }));
        EXPECT_EQ(ShownIds(d), Range(101, 160));

        d.Click(IDC_CLOSE);
    });
}

// Refresh while the walk runs starts over: no row of the earlier walk joins the new one.
TEST_F(ForwardingTableTest, RefreshWhileTheWalkRuns) {
    const auto sim = Model("fdb-refresh", FdbModel(1000));
    PointAt(*sim);
    Harness ui;
    CSwitchDatabase view;
    ui.RunModal(view, [&](DialogDriver& d) {
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
            EXPECT_LT(view.StoredRows(), 1000u);
            d.Click(IDC_REFRESH);
        }
        // The last walk has ended and the withdrawn ones can bring nothing more.
        ASSERT_TRUE(WaitUntil([&] { return view.StoredRows() >= 1000 && !view.Walking(); }));
        switchsim::Settle(*sim);
        EXPECT_EQ(view.StoredRows(), 1000u);
        const Rows rows = d.GetRows(IDC_LIST);
        ASSERT_EQ(rows.size(), 100u);
        for (int i = 0; i < 100; ++i) {
            char mac[24];
            std::snprintf(mac, sizeof mac, "00-00-00-00-00-%02X", i + 1);
            EXPECT_EQ(rows[static_cast<std::size_t>(i)][0], std::to_string(i + 1));
            EXPECT_EQ(rows[static_cast<std::size_t>(i)][2], mac);
        }
        d.Click(IDC_CLOSE);
    });
}

// Closing while a request is out: prompt, and the late answer adds no row to the store.
TEST_F(ForwardingTableTest, NoRowAfterClose) {
    CSwitchDatabase view;
    const auto lines = CloseWithRequestOut(view, IDC_CLOSE, [&] { return view.StoredRows(); });
    EXPECT_EQ(lines, (std::vector<std::string>{"==================DestroyWindow===============",
                                               "==================m_cCommonSNMP.Close===============",
                                               "==================m_cCommonSNMPGetTime.Close==============="}));
}
