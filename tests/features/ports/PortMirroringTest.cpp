// Port mirroring against the simulated switch: the settings read beside the trunk walk, the
// boxes a read and the user's clicks leave, the writes of Apply in their order, and the
// refusals that send nothing.
#include <chrono>

#include "features/ports/PortMirroringdlg.h"
#include "resources/templates/MirrorDialogsIds.h"
#include "tests/features/ports/L2Fixture.h"

using namespace std::chrono_literals;
using namespace port_mirroring_ids;
using l2test::kTrunkMembers;
using l2test::Line;
using l2test::Lines;
using l2test::Texts;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace {

const std::string kMirror = l2test::kPrivate + "18.";
const std::string kState = kMirror + "1.0";
const std::string kTarget = kMirror + "2.0";
const std::string kRx = kMirror + "3.0";
const std::string kTx = kMirror + "4.0";

const char* const kTargetTrunking = "Target Port is Trunking Port!";
const char* const kNoSource = "Must at least select one source port.";
const char* const kTrunkModes =
    "Must select whole ports of the aggregated link with the same Sniffer Mode to source port.";

int Tx(int port) { return IDC_TX_BASE + port; }
int Rx(int port) { return IDC_RX_BASE + port; }
int Both(int port) { return IDC_BOTH_BASE + port; }
int None(int port) { return IDC_NONE_BASE + port; }

// The one mode box checked for a port: "TX", "RX", "Both", "None", or "" when not exactly one.
std::string ModeOf(DialogDriver& d, int port) {
    std::string mode;
    int checked = 0;
    const std::pair<int, const char*> boxes[] = {
        {Tx(port), "TX"}, {Rx(port), "RX"}, {Both(port), "Both"}, {None(port), "None"}};
    for (const auto& [id, name] : boxes) {
        if (d.IsChecked(id)) {
            mode = name;
            ++checked;
        }
    }
    return checked == 1 ? mode : "";
}

bool PortEnabled(DialogDriver& d, int port) {
    const bool tx = d.IsEnabled(Tx(port));
    EXPECT_EQ(d.IsEnabled(Rx(port)), tx);
    EXPECT_EQ(d.IsEnabled(Both(port)), tx);
    EXPECT_EQ(d.IsEnabled(None(port)), tx);
    return tx;
}

class PortMirroringTest : public portstest::PortsTest {
protected:
    // The device's session before the dialog opens.
    void Session(int state, int target, const std::string& rx, const std::string& tx) const {
        Set(kState, "i", std::to_string(state));
        Set(kTarget, "i", std::to_string(target));
        Set(kRx, "x", rx);
        Set(kTx, "x", tx);
    }
    static void ReadDone(const CPortMirroringdlg& dlg) {
        ASSERT_TRUE(WaitUntil([&] { return !dlg.ReadsRunning(); }, 15s));
    }
    std::size_t SettingsReads() const {
        std::size_t n = 0;
        for (const auto& r : Requests("get")) n += !r.varbinds.empty() && r.varbinds[0].oid == kState ? 1 : 0;
        return n;
    }
};

TEST_F(PortMirroringTest, ReadShowsTheDisabledSessionWithEveryPortsMode) {
    Session(2, 0, "20 00 00 00", "30 00 00 00");  // RX port 3, TX ports 3 and 4
    Harness ui;
    CPortMirroringdlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(dlg);
        EXPECT_TRUE(d.IsChecked(IDC_DISABLED));
        EXPECT_FALSE(d.IsChecked(IDC_ENABLED));
        EXPECT_FALSE(d.IsEnabled(IDC_TARGET_PORT));
        EXPECT_EQ(d.GetItems(IDC_TARGET_PORT).size(), 28u);
        EXPECT_EQ(d.GetText(IDC_TARGET_PORT), "1");  // the switch's "0"
        EXPECT_EQ(ModeOf(d, 3), "Both");
        EXPECT_EQ(ModeOf(d, 4), "TX");
        for (int port : {1, 2, 5, 28}) EXPECT_EQ(ModeOf(d, port), "None") << port;
        for (int port = 1; port <= 28; ++port) EXPECT_FALSE(PortEnabled(d, port)) << port;
        EXPECT_EQ(d.GetText(IDC_PORT_LABEL_BASE + 28), "28");
        EXPECT_FALSE(d.Exists(Tx(29)));
        d.Click(IDC_CLOSE);
    });
    const auto gets = Requests("get");
    ASSERT_EQ(gets.size(), 1u);
    EXPECT_EQ(Oids(gets[0]), (std::vector<std::string>{kState, kTarget, kRx, kTx}));
    EXPECT_GT(GetNextsFrom(kTrunkMembers), 0u);
}

TEST_F(PortMirroringTest, EnabledSessionDisablesOnlyTheTargetsBoxes) {
    Session(1, 6, "00 00 00 00", "00 00 00 01");  // TX port 32 lies beyond the 28 ports
    Harness ui;
    CPortMirroringdlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(dlg);
        EXPECT_TRUE(d.IsChecked(IDC_ENABLED));
        EXPECT_TRUE(d.IsEnabled(IDC_TARGET_PORT));
        EXPECT_EQ(d.GetText(IDC_TARGET_PORT), "6");
        for (int port = 1; port <= 28; ++port) {
            EXPECT_EQ(PortEnabled(d, port), port != 6) << port;
            EXPECT_EQ(ModeOf(d, port), "None") << port;
        }
        d.Click(IDC_DISABLED);
        EXPECT_FALSE(d.IsEnabled(IDC_TARGET_PORT));
        EXPECT_FALSE(PortEnabled(d, 1));
        d.Click(IDC_ENABLED);
        EXPECT_TRUE(d.IsEnabled(IDC_TARGET_PORT));
        EXPECT_TRUE(PortEnabled(d, 1));
        EXPECT_FALSE(PortEnabled(d, 6));
        d.Click(IDC_CLOSE);
    });
}

TEST_F(PortMirroringTest, ClicksKeepOneModeAPortAndTheTargetOutOfTheSources) {
    Session(1, 2, "00 00 00 00", "40 00 00 00");  // target 2, itself a TX source
    Harness ui;
    CPortMirroringdlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(dlg);
        EXPECT_EQ(ModeOf(d, 2), "TX");
        d.Click(Tx(5));
        EXPECT_EQ(ModeOf(d, 5), "TX");
        d.Click(Both(5));
        EXPECT_EQ(ModeOf(d, 5), "Both");
        d.Click(Rx(5));
        EXPECT_EQ(ModeOf(d, 5), "RX");
        d.Click(Rx(5));  // a second click leaves it chosen
        EXPECT_EQ(ModeOf(d, 5), "RX");

        d.Click(IDC_RX_ALL);
        for (int port : {1, 3, 5, 28}) EXPECT_EQ(ModeOf(d, port), "RX") << port;
        EXPECT_EQ(ModeOf(d, 2), "TX");  // the target is skipped
        d.Click(IDC_NONE_ALL);
        for (int port : {1, 2, 28}) EXPECT_EQ(ModeOf(d, port), "None") << port;
        d.Click(IDC_BOTH_ALL);
        EXPECT_EQ(ModeOf(d, 1), "Both");
        EXPECT_EQ(ModeOf(d, 2), "None");
        d.Click(IDC_TX_ALL);
        EXPECT_EQ(ModeOf(d, 1), "TX");

        d.ChooseComboItem(IDC_TARGET_PORT, "7");
        EXPECT_EQ(ModeOf(d, 7), "None");
        EXPECT_FALSE(PortEnabled(d, 7));
        EXPECT_TRUE(PortEnabled(d, 2));
        EXPECT_EQ(ModeOf(d, 2), "None");  // the old target keeps its check
        EXPECT_EQ(ModeOf(d, 8), "TX");
        d.Click(IDC_CLOSE);
    });
    EXPECT_TRUE(Sets().empty());
}

// One Apply: the device's session, what the user does, and the SETs in order.
struct ApplyCase {
    std::string name;
    int state;                // on the device
    bool enable;              // "Enabled" clicked, else "Disabled"
    std::string target;       // chosen, "" keeps the read one
    std::vector<int> clicks;  // boxes
    std::vector<std::string> sets;
};

class PortMirroringApplyTest : public PortMirroringTest, public ::testing::WithParamInterface<ApplyCase> {};

const std::string kEmpty = "00000000";

const ApplyCase kApplyCases[] = {
    {"DisabledWritesTheStateAlone", 1, false, "", {}, {kState + " i 2"}},
    {"EnabledFromDisabledWritesTargetSourcesState",
     2,
     true,
     "5",
     {Tx(1)},
     {kTarget + " i 5", kTx + " s 80000000, " + kRx + " s 00000000", kState + " i 1"}},
    {"EnabledFromEnabledClearsTheSourcesFirst",
     1,
     true,
     "5",
     {Tx(1)},
     {kTx + " s " + kEmpty + ", " + kRx + " s " + kEmpty, kTarget + " i 5", kTx + " s 80000000, " + kRx + " s 00000000",
      kState + " i 1"}},
    {"BothFillsBothSets",
     2,
     true,
     "4",
     {Both(3), Rx(9), Tx(28)},
     {kTarget + " i 4", kTx + " s 20000010, " + kRx + " s 20800000", kState + " i 1"}},
};

TEST_P(PortMirroringApplyTest, WritesInOrder) {
    const ApplyCase& c = GetParam();
    Session(c.state, 1, "00 00 00 00", "00 00 00 00");
    Harness ui;
    CPortMirroringdlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(dlg);
        d.Click(c.enable ? IDC_ENABLED : IDC_DISABLED);
        if (!c.target.empty()) d.ChooseComboItem(IDC_TARGET_PORT, c.target);
        for (int id : c.clicks) d.Click(id);
        d.Click(IDC_APPLY);
        ReadDone(dlg);
        d.Click(IDC_CLOSE);
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    EXPECT_EQ(Lines(Sets()), c.sets);
    EXPECT_EQ(SettingsReads(), 2u);  // the re-read after the writes
}

INSTANTIATE_TEST_SUITE_P(Cases, PortMirroringApplyTest, ::testing::ValuesIn(kApplyCases),
                         [](const auto& info) { return info.param.name; });

// A refused Apply: what the user does with trunk 1 of ports 21 and 22, the message, and
// whether the device is read again.
struct RefusalCase {
    std::string name;
    std::string target;
    std::vector<int> clicks;
    bool silenceTrunks;
    std::string message;  // "" when the writes go out
    bool reread;
};

class PortMirroringRefusalTest : public PortMirroringTest, public ::testing::WithParamInterface<RefusalCase> {};

const RefusalCase kRefusalCases[] = {
    {"TargetInATrunk", "21", {Tx(1)}, false, kTargetTrunking, false},
    {"NoSource", "5", {}, false, kNoSource, true},
    {"TrunkMembersInDifferentModes", "5", {Tx(21), Both(22)}, false, kTrunkModes, true},
    {"TrunkMembersInTheSameMode", "5", {Tx(21), Tx(22)}, false, "", true},
    {"TrunkOfOneSourceMember", "5", {Tx(22)}, false, kTrunkModes, true},
    {"WithoutTrunkRowsEveryTrunkCheckPasses", "21", {Tx(22)}, true, "", true},
};

TEST_P(PortMirroringRefusalTest, RefusesBeforeAnyWrite) {
    const RefusalCase& c = GetParam();
    Session(2, 1, "00 00 00 00", "00 00 00 00");
    if (c.silenceTrunks) {
        ASSERT_TRUE(sim->Silence(kTrunkMembers));
    }
    Harness ui;
    if (!c.message.empty()) ui.ScriptMessageBoxes({IDOK});
    CPortMirroringdlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(dlg);
        d.Click(IDC_ENABLED);
        d.ChooseComboItem(IDC_TARGET_PORT, c.target);
        for (int id : c.clicks) d.Click(id);
        d.Click(IDC_APPLY);
        ReadDone(dlg);
        d.Click(IDC_CLOSE);
    });
    if (c.message.empty()) {
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
        EXPECT_FALSE(Sets().empty());
    } else {
        EXPECT_EQ(Texts(ui.ShownMessageBoxes()), std::vector<std::string>{c.message});
        EXPECT_TRUE(Sets().empty());
    }
    EXPECT_EQ(SettingsReads(), c.reread ? 2u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, PortMirroringRefusalTest, ::testing::ValuesIn(kRefusalCases),
                         [](const auto& info) { return info.param.name; });

TEST_F(PortMirroringTest, TargetBeyondThePortsDisablesNoBoxAndIsWrittenBack) {
    Session(1, 30, "00 00 00 00", "00 00 00 00");
    Harness ui;
    CPortMirroringdlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(dlg);
        EXPECT_EQ(d.GetSelection(IDC_TARGET_PORT), -1);
        for (int port = 1; port <= 28; ++port) EXPECT_TRUE(PortEnabled(d, port)) << port;
        d.Click(IDC_TX_ALL);  // no port is skipped as the target
        EXPECT_EQ(ModeOf(d, 1), "TX");
        EXPECT_EQ(ModeOf(d, 28), "TX");
        d.Click(IDC_NONE_ALL);
        d.Click(Tx(1));
        d.Click(IDC_APPLY);
        ReadDone(dlg);
        d.Click(IDC_CLOSE);
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    const auto sets = Lines(Sets());
    ASSERT_EQ(sets.size(), 4u);
    EXPECT_EQ(sets[1], kTarget + " i 30");
}

class PortMirroring52Test : public PortMirroringTest {
protected:
    void SetUp() override { ASSERT_TRUE(StartSwitch("DUZ-3300-52", 52)); }
};

CRect RectOf(DialogDriver& d, int id) {
    CRect rect;
    CWnd* item = d.Window().GetDlgItem(id);
    if (item == nullptr) {
        ADD_FAILURE() << "no control " << id;
        return rect;
    }
    item->GetWindowRect(rect);
    d.Window().ScreenToClient(rect);
    return rect;
}

TEST_F(PortMirroring52Test, RowsFoldIntoTwoLinesWithTxUnderTheFirstLabels) {
    Harness ui;
    CPortMirroringdlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(dlg);
        const CRect label1 = RectOf(d, IDC_PORT_LABEL_BASE + 1);
        const CRect tx1 = RectOf(d, Tx(1));
        EXPECT_EQ(tx1.top, label1.bottom);
        EXPECT_EQ(tx1.left, label1.left);
        for (int base : {IDC_PORT_LABEL_BASE, IDC_TX_BASE, IDC_RX_BASE, IDC_BOTH_BASE, IDC_NONE_BASE}) {
            const CRect first = RectOf(d, base + 1);
            EXPECT_EQ(RectOf(d, base + 26).top, first.top) << base;
            EXPECT_EQ(RectOf(d, base + 27).left, first.left) << base;
            EXPECT_GT(RectOf(d, base + 27).top, first.bottom) << base;
            EXPECT_TRUE(d.Exists(base + 52)) << base;
        }
        EXPECT_GE(RectOf(d, IDC_PORT_GROUP).right, RectOf(d, IDC_RX_BASE + 26).right);
        d.Click(IDC_CLOSE);
    });
}

TEST_F(PortMirroring52Test, SourceSetsAreEightBytes) {
    Session(2, 1, "00 00 00 00 00 00 00 00", "00 00 00 00 00 00 00 00");
    Harness ui;
    CPortMirroringdlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(dlg);
        d.Click(IDC_ENABLED);
        d.ChooseComboItem(IDC_TARGET_PORT, "2");
        d.Click(Rx(52));
        d.Click(Tx(1));
        d.Click(IDC_APPLY);
        ReadDone(dlg);
        d.Click(IDC_CLOSE);
    });
    EXPECT_EQ(Lines(Sets()),
              (std::vector<std::string>{kTarget + " i 2", kTx + " s 8000000000000000, " + kRx + " s 0000000000001000",
                                        kState + " i 1"}));
}

}  // namespace
