// Traffic segmentation against the simulated switch: the forwarding table and the state as
// read, the port boxes following the From port, the writes of one port or of every port with
// the trunk rule, and short or late reads.
#include <chrono>
#include <cstdio>
#include <functional>

#include "features/security/TrafficSegDlg.h"
#include "resources/templates/SecurityDialogsIds.h"
#include "tests/features/security/SecurityFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace traffic_seg_ids;
using namespace securitytest;

namespace {

const std::string kSegState = kPrivate + "14.9.1.0";
const std::string kForward = kPrivate + "14.9.2.1.";  // + column.port
const char* const kTrunkMessage = "The link aggregation member port can not be configured.";

std::string Forward(int port) { return kForward + "2." + std::to_string(port); }
int Box(int port) { return IDC_PORT_BOX_BASE + port; }

class TrafficSegTest : public SecurityTest {
protected:
    // State enabled unless told; opens on an empty log and waits for the read's end.
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script, bool waitForEnd = true) {
        sim->ClearRequests();
        CTrafficSegDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            if (waitForEnd) {
                EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
            }
            script(d);
            if (d.IsOpen()) d.Close();
        });
    }
    void SetUp() override {
        SecurityTest::SetUp();
        Set(kSegState, "i", "1");
    }
    static void CheckBoxes(DialogDriver& d, std::initializer_list<int> ports) {
        for (int p : ports) d.Check(Box(p), true);
    }
};

TEST_F(TrafficSegTest, TableStateAndBoxesAsRead) {
    Set(Forward(4), "x", "E0 00 00 00");
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        const auto rows = d.GetRows(IDC_FORWARD_LIST);
        ASSERT_EQ(rows.size(), 28u);
        EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "1-28"}));
        EXPECT_EQ(rows[3], (std::vector<std::string>{"4", "1-3"}));
        EXPECT_TRUE(d.IsChecked(IDC_ENABLE));
        EXPECT_EQ(d.GetText(IDC_FROM_PORT), "ALL");
        d.ChooseComboItem(IDC_FROM_PORT, "4");
        EXPECT_FALSE(d.IsEnabled(Box(4)));
        for (int p = 1; p <= 28; ++p) EXPECT_EQ(d.IsChecked(Box(p)), p <= 3) << p;
        d.Click(IDC_SELECT_ALL);
        EXPECT_TRUE(d.IsChecked(Box(4)));
        d.Click(IDC_CLEAR);
        EXPECT_TRUE(d.IsChecked(Box(4)));
        EXPECT_FALSE(d.IsChecked(Box(1)));
        d.ChooseComboItem(IDC_FROM_PORT, "ALL");
        for (int p = 1; p <= 28; ++p) EXPECT_TRUE(d.IsEnabled(Box(p)) && !d.IsChecked(Box(p))) << p;
    });
}

TEST_F(TrafficSegTest, APortWithoutARowHasAnEmptySet) {
    ASSERT_TRUE(sim->Command("del " + kForward + "1.4"));
    ASSERT_TRUE(sim->Command("del " + Forward(4)));
    Set(Forward(5), "x", "80 00 00 00");
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetRows(IDC_FORWARD_LIST).size(), 27u);
        d.ChooseComboItem(IDC_FROM_PORT, "4");
        for (int p = 1; p <= 28; ++p) EXPECT_FALSE(d.IsChecked(Box(p))) << p;
        d.ChooseComboItem(IDC_FROM_PORT, "5");
        EXPECT_TRUE(d.IsChecked(Box(1)));
        EXPECT_FALSE(d.IsChecked(Box(2)));
    });
}

TEST_F(TrafficSegTest, StateGatesTheForwardingControls) {
    struct Case {
        std::string name;
        std::function<void()> arrange;
        bool enabled;
    };
    const Case cases[] = {
        {"state 2", [&] { Set(kSegState, "i", "2"); }, false},
        {"state unanswered",
         [&] {
             ShortTimeout();
             ASSERT_TRUE(sim->Silence(kSegState));
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            EXPECT_EQ(d.IsChecked(IDC_ENABLE), c.enabled);
            EXPECT_EQ(d.IsEnabled(IDC_APPLY_PORTS), c.enabled);
            EXPECT_EQ(d.IsEnabled(IDC_FROM_PORT), c.enabled);
            EXPECT_EQ(d.IsEnabled(Box(1)), c.enabled);
            EXPECT_TRUE(d.IsEnabled(IDC_APPLY_STATE));
        });
        ASSERT_TRUE(sim->ClearFaults());
    }
    // Apply 1003 writes the state and reads again.
    Set(kSegState, "i", "2");
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        d.Check(IDC_ENABLE, true);
        d.Click(IDC_APPLY_STATE);
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY_PORTS); }));
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{kSegState + " := 1"}));
}

TEST_F(TrafficSegTest, OnePortOrEveryPortIsWritten) {
    {
        SCOPED_TRACE("From 5, no box");
        Set(Forward(5), "x", "00 00 00 00");
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            d.ChooseComboItem(IDC_FROM_PORT, "5");
            const size_t getnexts = Requests("getnext").size();
            d.Click(IDC_APPLY_PORTS);
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
            EXPECT_GT(Requests("getnext").size(), getnexts);
        });
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(Assignments(sets[0]), (std::vector<std::string>{Forward(5) + " := 00000000"}));
    }
    {
        SCOPED_TRACE("ALL with boxes 1-3");
        Set(kTrunkMembers + ".1", "x", "00 00 00 00");  // no trunk
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            CheckBoxes(d, {1, 2, 3});
            d.Click(IDC_APPLY_PORTS);
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
        });
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 28u);
        for (int port = 1; port <= 28; ++port) {
            unsigned char bytes[4] = {0xE0, 0, 0, 0};
            bytes[(port - 1) / 8] |= static_cast<unsigned char>(0x80 >> ((port - 1) % 8));
            char hex[9];
            std::snprintf(hex, sizeof hex, "%02X%02X%02X%02X", bytes[0], bytes[1], bytes[2], bytes[3]);
            EXPECT_EQ(Assignments(sets[static_cast<size_t>(port - 1)]),
                      (std::vector<std::string>{Forward(port) + " := " + hex}));
        }
    }
}

TEST_F(TrafficSegTest, TrunkRule) {
    {
        SCOPED_TRACE("trunk 5-6, ALL without boxes");
        Set(kTrunkMembers + ".1", "x", "0C 00 00 00");
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            const size_t getnexts = Requests("getnext").size();
            d.Click(IDC_APPLY_PORTS);
            ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
            EXPECT_EQ(ui.ShownMessageBoxes()[0].text, kTrunkMessage);
            EXPECT_EQ(Requests("getnext").size(), getnexts) << "no re-read";
        });
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 4u);
        EXPECT_EQ(sets[3].varbinds[0].oid, Forward(4));
    }
    Set(kTrunkMembers + ".1", "x", "C0 00 00 00");
    struct Case {
        std::vector<int> boxes;
        bool refused;
    };
    for (const Case& c : {Case{{1}, true}, Case{{1, 2}, false}}) {
        SCOPED_TRACE(c.boxes.size());
        Harness ui;
        if (c.refused) ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            ASSERT_TRUE(sim->Delay(50));  // the trunk walk is still running when Apply is pressed
            d.Click(IDC_REFRESH);
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
            d.ChooseComboItem(IDC_FROM_PORT, "3");
            for (int p : c.boxes) d.Check(Box(p), true);
            d.Click(IDC_APPLY_PORTS);
            ASSERT_TRUE(sim->Delay(0));
        });
        EXPECT_EQ(Sets().size(), c.refused ? 0u : 1u);
    }
}

TEST_F(TrafficSegTest, FiftyTwoPortsInTwoRowsWithEightByteBitmaps) {
    ASSERT_TRUE(StartSwitch("DUZ-3300-52", 52));
    Set(kSegState, "i", "1");
    Set(Forward(52), "x", "00 00 00 00 00 00 00 00");
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetRect(Box(1)).top, d.GetRect(Box(26)).top);
        EXPECT_LT(d.GetRect(Box(26)).top, d.GetRect(Box(27)).top);
        EXPECT_EQ(d.GetRect(Box(27)).top, d.GetRect(Box(52)).top);
        d.ChooseComboItem(IDC_FROM_PORT, "52");
        d.Check(Box(1), true);
        d.Click(IDC_APPLY_PORTS);
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Assignments(sets[0]), (std::vector<std::string>{Forward(52) + " := 8000000000000000"}));
}

TEST_F(TrafficSegTest, ShortPortColumnsShowNoPortBeyondThem) {
    ASSERT_TRUE(StartSwitch("DUZ-3300-52", 52));
    Set(kSegState, "i", "1");
    for (int p = 1; p <= 52; ++p) ASSERT_TRUE(sim->Serve(Forward(p), "x", "FF FF FF FF"));
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetRows(IDC_FORWARD_LIST)[0][1], "1-32");
        d.ChooseComboItem(IDC_FROM_PORT, "1");
        EXPECT_TRUE(d.IsChecked(Box(32)));
        EXPECT_FALSE(d.IsChecked(Box(33)));
    });
}

TEST_F(TrafficSegTest, CutWalkAndDelayedWalk) {
    ShortTimeout();
    ASSERT_TRUE(sim->Silence(kForward + "1.10"));
    {
        Harness ui;
        Run(ui, [&](DialogDriver& d) { EXPECT_EQ(d.GetRows(IDC_FORWARD_LIST).size(), 9u); });
    }
    ASSERT_TRUE(sim->ClearFaults());
    ASSERT_TRUE(sim->Delay(100));
    Harness ui;
    std::chrono::steady_clock::time_point closed;
    Run(
        ui,
        [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return d.GetRows(IDC_FORWARD_LIST).size() >= 2; }));
            // Choosing From ports while rows still arrive: row 1 is there, row 20 not yet.
            d.ChooseComboItem(IDC_FROM_PORT, "1");
            EXPECT_TRUE(d.IsChecked(Box(2)));
            d.ChooseComboItem(IDC_FROM_PORT, "20");
            EXPECT_FALSE(d.IsChecked(Box(2)));
            closed = std::chrono::steady_clock::now();
            d.Close();
        },
        false);
    EXPECT_LT(std::chrono::steady_clock::now() - closed, std::chrono::milliseconds(kCloseBoundMs));
}

}  // namespace
