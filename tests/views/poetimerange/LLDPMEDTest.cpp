// The LLDP-MED PoE TLV settings against the simulated switch: the LLDP state gate, the list,
// the range write with its pause before the re-read, and the From/To pair.
#include <functional>

#include "platform/win/Clock.h"
#include "resources/templates/PoeTimeRangeDialogsIds.h"
#include "tests/views/SwitchWriteTest.h"
#include "views/LLDPMED.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace viewstest;
using namespace lldp_med_ids;

namespace {

const std::string kLldpState = "1.3.6.1.4.1.32473.10.76.21.1.24.1.0";
const std::string kPseTlv = "1.3.6.1.4.1.32473.10.76.21.1.24.7.1.2";

class LLDPMEDTest : public SwitchWriteTest {
protected:
    LLDPMEDTest() : SwitchWriteTest({.model = "DUZ-3300-28P", .ports = 28}) {}

    // Opens the dialog; the script starts once the walk has ended, on an empty request log.
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        CLLDPMED dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
            sim->ClearRequests();
            script(d);
            if (d.IsOpen()) d.Close();
        });
    }
};

TEST_F(LLDPMEDTest, ListAndRangeListsFollowTheSwitch) {
    Set(kPseTlv + ".2", "i", "1");
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        const auto rows = d.GetRows(IDC_PORT_LIST);
        ASSERT_EQ(rows.size(), 28u);
        EXPECT_EQ(rows[0], (std::vector<std::string>{"    1", "Disable"}));
        EXPECT_EQ(rows[1], (std::vector<std::string>{"    2", "Enable"}));
        EXPECT_EQ(rows[27][0], "    28");
        std::vector<std::string> ports;
        for (int p = 1; p <= 8; ++p) ports.push_back("   " + std::to_string(p) + " ");
        EXPECT_EQ(d.GetItems(IDC_FROM_PORT), ports);
        EXPECT_EQ(d.GetItems(IDC_TO_PORT), ports);
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "   1 ");
        EXPECT_EQ(d.GetItems(IDC_TLV), (std::vector<std::string>{"Enable", "Disable"}));
        EXPECT_EQ(d.GetText(IDC_TLV), "Disable");
        EXPECT_TRUE(d.IsEnabled(IDC_APPLY));
    });
}

TEST_F(LLDPMEDTest, DisabledLldpRefusesTheSettingsButStillLists) {
    Set(kLldpState, "i", "2");
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "The LLDP is disable ,so can not set LLDP MED !");
        EXPECT_EQ(d.GetRows(IDC_PORT_LIST).size(), 28u);
        EXPECT_TRUE(d.IsEnabled(IDC_REFRESH));
        for (int id : {IDC_FROM_PORT.id, IDC_TO_PORT.id, IDC_TLV.id, IDC_PORT_LIST.id, IDC_APPLY.id})
            EXPECT_FALSE(d.IsEnabled(id)) << id;
    });
}

TEST_F(LLDPMEDTest, NonPoeModelListsNothing) {
    ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_TRUE(d.GetRows(IDC_PORT_LIST).empty());
        EXPECT_EQ(d.GetItems(IDC_FROM_PORT).size(), 8u);
    });
}

TEST_F(LLDPMEDTest, RangeIsWrittenPortByPortThenReadAfterAPause) {
    win::SetClockSpeed(4);
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        d.ChooseComboItem(IDC_FROM_PORT, "   3 ");
        d.ChooseComboItem(IDC_TO_PORT, "   5 ");
        d.ChooseComboItem(IDC_TLV, "Enable");
        d.Click(IDC_APPLY);
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 3u);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Assignments(sets[static_cast<std::size_t>(i)]),
                      (std::vector<std::string>{kPseTlv + "." + std::to_string(3 + i) + " i 1"}));
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
        const auto walk = Requests("getnext");
        ASSERT_FALSE(walk.empty());
        EXPECT_GE(walk[0].arrivalUs - sets.back().arrivalUs,
                  std::chrono::duration_cast<std::chrono::microseconds>(win::ToRealTime(CLLDPMED::kSettleMs)).count());
        EXPECT_EQ(d.GetRows(IDC_PORT_LIST)[3][1], "Enable");
        EXPECT_EQ(d.GetRows(IDC_PORT_LIST)[5][1], "Disable");
    });
}

TEST_F(LLDPMEDTest, ToPortFollowsFromPortAndIsNeverBelowIt) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        d.ChooseComboItem(IDC_FROM_PORT, "   5 ");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "   5 ");
        d.ChooseComboItem(IDC_TO_PORT, "   2 ");
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "'To Port' can not be smaller than 'From Port'");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "   5 ");
        EXPECT_TRUE(Sets().empty());
    });
}

}  // namespace
