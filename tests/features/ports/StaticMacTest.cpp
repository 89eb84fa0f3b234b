// Static MAC entries and address learning against the simulated switch: the refresh (VLAN
// ids, learning state, uplink ports, the active rows), Add and Delete through the row status
// with every refusal of Add, and the learning Apply with its refusals.
#include <chrono>
#include <cstdio>

#include "features/ports/StaticMACDlg.h"
#include "resources/templates/StaticMacDialogsIds.h"
#include "tests/features/ports/L2Fixture.h"

using namespace std::chrono_literals;
using namespace static_mac_ids;
using l2test::Lines;
using l2test::Texts;
using l2test::TrunkOid;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace {

const std::string kLearnState = l2test::kPrivate + "9.1.0";
const std::string kUplinks = l2test::kPrivate + "9.2.0";
const std::string kTable = l2test::kPrivate + "9.3.1.";
const std::string kAsymmetric = l2test::kPrivate + "7.5.0";
const char* const kNeedUplink = "Please choose at least one uplink port when disabling auto learning.";

// The instance of a row: VLAN, six MAC bytes as numbers, port.
std::string Instance(int vid, int lastMacByte, int port) {
    return "." + std::to_string(vid) + ".0.17.34.51.68." + std::to_string(lastMacByte) + "." + std::to_string(port);
}

class StaticMacTest : public portstest::PortsTest {
protected:
    void Row(int vid, int lastMacByte, int port, int status, const std::string& mac = "") const {
        const std::string i = Instance(vid, lastMacByte, port);
        char bytes[32];
        std::snprintf(bytes, sizeof bytes, "00 11 22 33 44 %02X", lastMacByte);
        Set(kTable + "1" + i, "i", std::to_string(vid));
        Set(kTable + "2" + i, "x", mac.empty() ? bytes : mac);
        Set(kTable + "3" + i, "i", std::to_string(port));
        Set(kTable + "4" + i, "i", std::to_string(status));
    }
    void NoTrunks() const { Set(TrunkOid(1), "x", "00 00 00 00"); }
    static void ReadDone(DialogDriver& d, const CStaticMACDlg& dlg) {
        ASSERT_TRUE(WaitUntil([&] { return !dlg.ReadsRunning() && d.IsEnabled(IDC_REFRESH); }, 15s));
    }
    std::size_t LearningReads() const {
        std::size_t n = 0;
        for (const auto& r : Requests("get")) n += !r.varbinds.empty() && r.varbinds[0].oid == kLearnState ? 1 : 0;
        return n;
    }
};

// The refresh with the uplink ports in a value of either width the switch may hold.
class StaticMacRefreshTest : public StaticMacTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(StaticMacRefreshTest, ShowsVlansLearningUplinksAndTheActiveRows) {
    Set(kUplinks, "x", GetParam());
    Row(1, 0x67, 4, 2);  // not active: hidden
    Row(10, 0x77, 5, 1);
    Row(20, 0x88, 6, 1, "00 11 22 33 44");  // five bytes: no MAC to show
    Row(100, 0x99, 7, 1);
    Harness ui;
    CStaticMACDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d, dlg);
        EXPECT_EQ(d.GetItems(IDC_VID), (std::vector<std::string>{"1", "10", "20", "100"}));
        EXPECT_EQ(d.GetText(IDC_VID), "1");
        EXPECT_EQ(d.GetItems(IDC_PORT).size(), 28u);
        EXPECT_TRUE(d.IsChecked(IDC_LEARN_ENABLED));
        EXPECT_FALSE(d.IsChecked(IDC_LEARN_DISABLED));
        EXPECT_EQ(d.GetText(IDC_UPLINK), "1-4");
        EXPECT_TRUE(d.IsEnabled(IDC_UPLINK));
        EXPECT_EQ(d.GetColumns(IDC_LIST), (std::vector<std::string>{"ID", "Port", "MAC Address", "VID"}));
        EXPECT_EQ(d.GetRows(IDC_LIST), (portstest::Rows{{"1", "3", "00-11-22-33-44-66", "1"},
                                                        {"2", "5", "00-11-22-33-44-77", "10"},
                                                        {"3", "7", "00-11-22-33-44-99", "100"}}));
        d.Click(IDC_LEARN_DISABLED);
        EXPECT_FALSE(d.IsEnabled(IDC_UPLINK));
        d.Click(IDC_LEARN_ENABLED);
        EXPECT_TRUE(d.IsEnabled(IDC_UPLINK));
        d.Click(IDCANCEL);
    });
    EXPECT_TRUE(Sets().empty());
}

INSTANTIATE_TEST_SUITE_P(Widths, StaticMacRefreshTest,
                         ::testing::Values("F0 00 00 00", "F0 00 00 00 00 00 00 00", "F0 00 00 00 FF FF FF FF"));

TEST_F(StaticMacTest, LearningDisabledShowsTheUplinkBoxDisabled) {
    Set(kLearnState, "i", "2");
    Harness ui;
    CStaticMACDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d, dlg);
        EXPECT_TRUE(d.IsChecked(IDC_LEARN_DISABLED));
        EXPECT_FALSE(d.IsEnabled(IDC_UPLINK));
        EXPECT_EQ(d.GetText(IDC_UPLINK), "1-28");
        d.Click(IDCANCEL);
    });
}

TEST_F(StaticMacTest, AddCreatesTheRowAndDeleteDestroysIt) {
    NoTrunks();
    const std::string status = kTable + "4" + Instance(1, 0x55, 3);
    Harness ui;
    CStaticMACDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d, dlg);
        d.ChooseComboItem(IDC_PORT, "3");
        d.TypeText(IDC_MAC, "00-11-22-33-44-55");
        d.ChooseComboItem(IDC_VID, "1");
        d.Click(IDC_ADD);
        EXPECT_EQ(d.GetText(IDC_MAC), "");
        ReadDone(d, dlg);
        const auto rows = d.GetRows(IDC_LIST);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "3", "00-11-22-33-44-55", "1"}));
        d.ClickListRow(IDC_LIST, 0);
        d.Click(IDC_DELETE);
        ReadDone(d, dlg);
        EXPECT_EQ(d.GetRows(IDC_LIST).size(), 1u);
        d.Click(IDCANCEL);
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    EXPECT_EQ(Lines(Sets()), (std::vector<std::string>{status + " i 4", status + " i 6"}));
}

// One Add: the switch's state, the entry, and the message ("" when the row is created).
struct AddCase {
    std::string name;
    int rows;                           // listed rows made beside the model's one
    std::vector<std::string> commands;  // control commands
    std::string port, mac, vid;
    std::string message;
};

class StaticMacAddTest : public StaticMacTest, public ::testing::WithParamInterface<AddCase> {};

const std::string kAsymmetricOn = "set " + kAsymmetric + " i 1";

const AddCase kAddCases[] = {
    {"FullList", 255, {}, "3", "00-11-22-33-44-55", "1", "Only support 256  Static Mac entries."},
    {"OneFree", 254, {}, "3", "00-11-22-33-44-55", "1", ""},
    {"AsymmetricVlanOtherThan1",
     0,
     {kAsymmetricOn},
     "3",
     "00-11-22-33-44-55",
     "10",
     "The VLAN ID must equal to 1 when asymmetric VLAN enable."},
    {"AsymmetricVlan1", 0, {kAsymmetricOn}, "3", "00-11-22-33-44-55", "1", ""},
    {"Multicast", 0, {}, "3", "01-00-5E-00-00-01", "1", "Multicast MAC is not allowed."},
    {"DeviceMac", 0, {}, "3", "0a-32-47-3c-11-40", "1", "Could not be device MAC."},
    {"TrunkPort",
     0,
     {},
     "21",
     "00-11-22-33-44-55",
     "1",
     "Cannot add  ports with different FDB-destination-hit configurations to an aggregated link."},
    {"ListedMacAndVlanOnAnotherPort",
     0,
     {},
     "5",
     "00-11-22-33-44-66",
     "1",
     "The entry is already in the Static MAC Address List."},
    {"ListedMacInAnotherVlan", 0, {}, "5", "00-11-22-33-44-66", "10", ""},
};

TEST_P(StaticMacAddTest, RefusesWithItsMessageOrCreatesTheRow) {
    const AddCase& c = GetParam();
    for (int i = 1; i <= c.rows; ++i) Row(200 + i / 200, i % 200, 1, 1);
    for (const auto& command : c.commands) ASSERT_TRUE(sim->Command(command)) << command;
    Harness ui;
    if (!c.message.empty()) ui.ScriptMessageBoxes({IDOK});
    CStaticMACDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d, dlg);
        d.ChooseComboItem(IDC_PORT, c.port);
        d.TypeText(IDC_MAC, c.mac);
        d.ChooseComboItem(IDC_VID, c.vid);
        d.Click(IDC_ADD);
        ReadDone(d, dlg);
        d.Click(IDCANCEL);
    });
    if (c.message.empty()) {
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
        const int vid = std::stoi(c.vid), port = std::stoi(c.port);
        const int last = std::stoi(c.mac.substr(15), nullptr, 16);
        EXPECT_EQ(Lines(Sets()), std::vector<std::string>{kTable + "4" + Instance(vid, last, port) + " i 4"});
    } else {
        EXPECT_EQ(Texts(ui.ShownMessageBoxes()), std::vector<std::string>{c.message});
        EXPECT_TRUE(Sets().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, StaticMacAddTest, ::testing::ValuesIn(kAddCases),
                         [](const auto& info) { return info.param.name; });

TEST_F(StaticMacTest, DeleteNeedsASelectionAndUplinksWhileLearningIsDisabled) {
    Set(kLearnState, "i", "2");
    Set(kUplinks, "x", "00 00 00 00");
    Harness ui;
    ui.ScriptMessageBoxes({IDOK, IDOK});
    CStaticMACDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d, dlg);
        d.Click(IDC_DELETE);
        d.ClickListRow(IDC_LIST, 0);
        d.Click(IDC_DELETE);
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(Texts(ui.ShownMessageBoxes()),
              (std::vector<std::string>{"Please select the entry to delete.", kNeedUplink}));
    EXPECT_TRUE(Sets().empty());
}

// One learning Apply: the switch's state, the radio and uplink text, and the message or SETs.
struct LearnCase {
    std::string name;
    std::vector<std::string> commands;  // control commands
    bool enabled;
    std::string uplink;  // typed while the box is enabled
    std::string message;
    std::vector<std::string> sets;
};

class StaticMacLearnTest : public StaticMacTest, public ::testing::WithParamInterface<LearnCase> {};

const std::string kTrunkOf5And6 = "set " + TrunkOid(1) + " x \"0C 00 00 00\"";
const std::string kNoEntries = "del " + kTable.substr(0, kTable.size() - 1);

const LearnCase kLearnCases[] = {
    {"EnabledWritesStateThenUplinks", {}, true, "1-4", "", {kLearnState + " i 1", kUplinks + " s F0000000"}},
    {"DisabledWritesTheStateAlone", {}, false, "1-4", "", {kLearnState + " i 2"}},
    {"Letters", {}, true, "1,a", "Invalid Portlist.", {}},
    {"PortBeyondTheSwitch", {}, true, "1-30", "Invalid Portlist", {}},
    {"TrunkOutsideTheUplinks",
     {kTrunkOf5And6},
     true,
     "1-4",
     "Cannot add a Auto-learn disabled port to an aggregated link.",
     {}},
    {"TrunkAmongTheUplinks", {kTrunkOf5And6}, true, "1-6", "", {kLearnState + " i 1", kUplinks + " s FC000000"}},
    {"EnabledWithoutEntriesOrUplinks", {kNoEntries}, true, "", kNeedUplink, {}},
};

TEST_P(StaticMacLearnTest, WritesOrRefusesThenReadsAgain) {
    const LearnCase& c = GetParam();
    NoTrunks();
    for (const auto& command : c.commands) ASSERT_TRUE(sim->Command(command)) << command;
    Harness ui;
    if (!c.message.empty()) ui.ScriptMessageBoxes({IDOK});
    CStaticMACDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d, dlg);
        d.TypeText(IDC_UPLINK, c.uplink);
        d.Click(c.enabled ? IDC_LEARN_ENABLED : IDC_LEARN_DISABLED);
        d.Click(IDC_APPLY);
        ReadDone(d, dlg);
        d.Click(IDCANCEL);
    });
    if (c.message.empty()) {
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    } else {
        EXPECT_EQ(Texts(ui.ShownMessageBoxes()), std::vector<std::string>{c.message});
    }
    EXPECT_EQ(Lines(Sets()), c.sets);
    EXPECT_EQ(LearningReads(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Cases, StaticMacLearnTest, ::testing::ValuesIn(kLearnCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
