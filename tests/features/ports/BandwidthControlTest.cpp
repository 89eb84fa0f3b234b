// Bandwidth control against the simulated switch: the rate list, the writes of Apply one
// request a port, the rate and trunk refusals that send nothing, the port range, and the
// buttons held until the table read has ended.
#include <chrono>

#include "features/ports/BandWidthControlDlg.h"
#include "resources/templates/BandwidthDialogsIds.h"
#include "tests/features/ports/L2Fixture.h"

using namespace std::chrono_literals;
using namespace bandwidth_ids;
using l2test::Lines;
using l2test::Texts;
using l2test::TrunkOid;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace {

const std::string kTable = l2test::kPrivate + "13.1.2.1.";
std::string Tx(int port) { return kTable + "2." + std::to_string(port); }
std::string Rx(int port) { return kTable + "3." + std::to_string(port); }

class BandwidthTest : public portstest::PortsTest {
protected:
    static void ReadDone(DialogDriver& d, const CBandWidthControlDlg& dlg) {
        ASSERT_TRUE(WaitUntil([&] { return !dlg.ReadsRunning() && d.IsEnabled(IDC_REFRESH); }, 15s));
    }
    std::size_t TableReads() const { return GetNextsFrom(kTable + "1"); }
};

TEST_F(BandwidthTest, ListShowsEveryPortsRatesWithNoLimitForZero) {
    Set(Tx(2), "i", "2048");
    Set(Rx(3), "i", "64");
    Harness ui;
    CBandWidthControlDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d, dlg);
        EXPECT_EQ(d.GetColumns(IDC_LIST),
                  (std::vector<std::string>{"Port", "Tx Rate (Kbits/sec)", "Rx Rate (Kbits/sec)"}));
        const auto rows = d.GetRows(IDC_LIST);
        ASSERT_EQ(rows.size(), 28u);
        EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "No Limit", "No Limit"}));
        EXPECT_EQ(rows[1], (std::vector<std::string>{"2", "2048", "No Limit"}));
        EXPECT_EQ(rows[2], (std::vector<std::string>{"3", "No Limit", "64"}));
        EXPECT_EQ(d.GetItems(IDC_TYPE), (std::vector<std::string>{"Rx", "Tx", "Both"}));
        EXPECT_EQ(d.GetItems(IDC_NO_LIMIT), (std::vector<std::string>{"Enabled", "Disabled"}));
        EXPECT_EQ(d.GetText(IDC_FROM_PORT), "1");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "28");
        EXPECT_EQ(d.GetText(IDC_TYPE), "Rx");
        EXPECT_EQ(d.GetText(IDC_NO_LIMIT), "Disabled");
        EXPECT_TRUE(d.IsEnabled(IDC_APPLY));
        EXPECT_TRUE(d.IsEnabled(IDC_RATE));
        EXPECT_FALSE(d.IsVisible(IDC_HIDDEN));
        d.ChooseComboItem(IDC_NO_LIMIT, "Enabled");
        EXPECT_FALSE(d.IsEnabled(IDC_RATE));
        d.ChooseComboItem(IDC_NO_LIMIT, "Disabled");
        EXPECT_TRUE(d.IsEnabled(IDC_RATE));
        d.Close();
    });
}

// One accepted Apply: the choices and the SETs, one a port.
struct ApplyCase {
    std::string name;
    std::string from, to, type, noLimit, rate;
    std::vector<std::string> sets;
};

class BandwidthApplyTest : public BandwidthTest, public ::testing::WithParamInterface<ApplyCase> {};

const ApplyCase kApplyCases[] = {
    {"BothOnThreePorts",
     "3",
     "5",
     "Both",
     "Disabled",
     "64",
     {Rx(3) + " i 64, " + Tx(3) + " i 64", Rx(4) + " i 64, " + Tx(4) + " i 64", Rx(5) + " i 64, " + Tx(5) + " i 64"}},
    {"RxOnOnePort", "2", "2", "Rx", "Disabled", "1024000", {Rx(2) + " i 1024000"}},
    {"TxOnTwoPorts", "27", "28", "Tx", "Disabled", "100", {Tx(27) + " i 100", Tx(28) + " i 100"}},
    {"NoLimitSendsZeroWhateverIsTyped", "6", "6", "Both", "Enabled", "500", {Rx(6) + " i 0, " + Tx(6) + " i 0"}},
};

TEST_P(BandwidthApplyTest, WritesEachPortThenReadsAgainWithTheInputsReset) {
    const ApplyCase& c = GetParam();
    for (int port = 1; port <= 28; ++port) {
        Set(Tx(port), "i", "2048");
        Set(Rx(port), "i", "2048");
    }
    Harness ui;
    CBandWidthControlDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d, dlg);
        d.ChooseComboItem(IDC_FROM_PORT, c.from);
        d.ChooseComboItem(IDC_TO_PORT, c.to);
        d.ChooseComboItem(IDC_TYPE, c.type);
        d.TypeText(IDC_RATE, c.rate);
        d.ChooseComboItem(IDC_NO_LIMIT, c.noLimit);
        d.Click(IDC_APPLY);
        EXPECT_EQ(d.GetText(IDC_FROM_PORT), "1");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "28");
        EXPECT_EQ(d.GetText(IDC_RATE), "");
        EXPECT_EQ(d.GetText(IDC_NO_LIMIT), "Disabled");
        EXPECT_EQ(d.GetText(IDC_TYPE), "Rx");
        ReadDone(d, dlg);
        const auto rows = d.GetRows(IDC_LIST);
        ASSERT_EQ(rows.size(), 28u);
        const int port = std::stoi(c.from);
        const std::string shown = c.noLimit == "Enabled" ? "No Limit" : c.rate;
        EXPECT_EQ(rows[static_cast<size_t>(port - 1)][2], c.type == "Tx" ? "2048" : shown);
        EXPECT_EQ(rows[static_cast<size_t>(port - 1)][1], c.type == "Rx" ? "2048" : shown);
        d.Close();
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    EXPECT_EQ(Lines(Sets()), c.sets);
    EXPECT_EQ(TableReads(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Cases, BandwidthApplyTest, ::testing::ValuesIn(kApplyCases),
                         [](const auto& info) { return info.param.name; });

// A refused Apply: the choices and the message; nothing is sent and Apply comes back.
struct RefusalCase {
    std::string name;
    std::string from, to, rate;
    std::string message;
};

class BandwidthRefusalTest : public BandwidthTest, public ::testing::WithParamInterface<RefusalCase> {};

const RefusalCase kRefusalCases[] = {
    {"RateBelow64", "1", "1", "63", "Invalid Rate."},
    {"RateAbove1024000", "1", "1", "1024001", "Invalid Rate."},
    {"RateFarAbove", "1", "1", "99999999999999999999", "Invalid Rate."},
    {"EmptyRate", "1", "1", "", "Invalid Rate."},
    {"RangeOverATrunk", "5", "9", "64", "You can't set the rate of Ports:7,8.because they are in aggregated link."},
    {"RangeOverOneMember", "8", "12", "64", "You can't set the rate of Ports:8.because they are in aggregated link."},
};

TEST_P(BandwidthRefusalTest, SendsNothing) {
    const RefusalCase& c = GetParam();
    Set(TrunkOid(1), "x", "00 00 00 00");
    Set(TrunkOid(2), "x", "03 00 00 00");  // ports 7 and 8
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    CBandWidthControlDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d, dlg);
        d.ChooseComboItem(IDC_FROM_PORT, c.from);
        d.ChooseComboItem(IDC_TO_PORT, c.to);
        d.ChooseComboItem(IDC_TYPE, "Both");
        d.TypeText(IDC_RATE, c.rate);
        d.Click(IDC_APPLY);
        EXPECT_TRUE(d.IsEnabled(IDC_APPLY));
        EXPECT_EQ(d.GetText(IDC_FROM_PORT), c.from);  // the inputs stay for a correction
        EXPECT_EQ(d.GetText(IDC_RATE), c.rate);
        d.Close();
    });
    EXPECT_EQ(Texts(ui.ShownMessageBoxes()), std::vector<std::string>{c.message});
    EXPECT_TRUE(Sets().empty());
    EXPECT_EQ(TableReads(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, BandwidthRefusalTest, ::testing::ValuesIn(kRefusalCases),
                         [](const auto& info) { return info.param.name; });

TEST_F(BandwidthTest, ToBelowFromIsRefusedAndFollowsFrom) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    CBandWidthControlDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d, dlg);
        d.ChooseComboItem(IDC_FROM_PORT, "5");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "5");
        d.ChooseComboItem(IDC_TO_PORT, "9");
        d.ChooseComboItem(IDC_TO_PORT, "4");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "5");
        d.Close();
    });
    EXPECT_EQ(Texts(ui.ShownMessageBoxes()),
              std::vector<std::string>{" \"To port\"cannot be smaller than \"From Port\" "});
}

TEST_F(BandwidthTest, ButtonsWaitForTheTableReadWhenTheTrunkWalkEndsFirst) {
    ASSERT_TRUE(sim->Delay(25));
    Harness ui;
    CBandWidthControlDlg dlg;
    bool enabledEarly = false;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_FALSE(d.IsEnabled(IDC_REFRESH));
        EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
        ASSERT_TRUE(WaitUntil(
            [&] {
                const bool enabled = d.IsEnabled(IDC_REFRESH) || d.IsEnabled(IDC_APPLY);
                if (enabled && d.GetRows(IDC_LIST).size() < 28) enabledEarly = true;
                return enabled;
            },
            30s));
        EXPECT_TRUE(WaitUntil([&] { return !dlg.ReadsRunning(); }, 15s));
        EXPECT_EQ(d.GetRows(IDC_LIST).size(), 28u);
        d.Close();
    });
    EXPECT_FALSE(enabledEarly);
    // The trunk walk did end first: its last request came before the table walk's.
    long trunkLast = 0, tableLast = 0;
    for (const auto& r : Requests("getnext")) {
        if (r.varbinds.empty()) continue;
        const std::string& oid = r.varbinds[0].oid;
        if (oid.rfind(l2test::kTrunkMembers, 0) == 0) trunkLast = r.seq;
        if (oid.rfind(kTable + "1", 0) == 0) tableLast = r.seq;
    }
    EXPECT_GT(trunkLast, 0);
    EXPECT_LT(trunkLast, tableLast);
}

}  // namespace
