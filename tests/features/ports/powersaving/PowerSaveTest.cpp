// Power saving against the simulated switch: the twelve objects read in one GET into the
// summary, one function written at a time as its state asks, the port list checks, the
// detection switch, the editing controls by the chosen function, and the profile names.
#include <string>
#include <vector>

#include "features/ports/PowerSaveDlg.h"
#include "resources/templates/PowerSavingDialogsIds.h"
#include "tests/features/ports/powersaving/PowerSavingFixture.h"

using namespace power_saving_ids;
using namespace std::chrono_literals;
using powersavingtest::kPowerSaving;
using powersavingtest::Rows;
using ui::test::DialogDriver;
using ui::test::Harness;

namespace {

const std::string kLedPorts = kPowerSaving + "1.1.0";
const std::string kLedState = kPowerSaving + "1.2.0";
const std::string kLedProfile1 = kPowerSaving + "1.3.0";
const std::string kLedProfile2 = kPowerSaving + "1.4.0";
const std::string kPortPorts = kPowerSaving + "2.1.0";
const std::string kPortState = kPowerSaving + "2.2.0";
const std::string kPortProfile1 = kPowerSaving + "2.3.0";
const std::string kPortProfile2 = kPowerSaving + "2.4.0";
const std::string kHibernationState = kPowerSaving + "4.1.0";
const std::string kHibernationProfile1 = kPowerSaving + "4.2.0";
const std::string kHibernationProfile2 = kPowerSaving + "4.3.0";
const std::string kDetection = kPowerSaving + "6.0";

class PowerSaveTest : public powersavingtest::PowerSavingTest {
protected:
    void SetUp() override {
        PowerSavingTest::SetUp();
        const std::string none = s_ports > 28 ? "00 00 00 00 00 00 00 00" : "00 00 00 00";
        for (const std::string& bitmap : {kLedPorts, kPortPorts}) Set(bitmap, "x", none);
        for (const std::string& state : {kLedState, kPortState, kHibernationState, kDetection}) Set(state, "i", "2");
        for (const std::string& name :
             {kLedProfile1, kLedProfile2, kPortProfile1, kPortProfile2, kHibernationProfile1, kHibernationProfile2}) {
            Set(name, "s", "");
        }
        s_sim->ClearRequests();
    }

    // A SET's variables: numbers and names as written, port bitmaps as hex bytes.
    static std::vector<std::string> Sent(const switchsim::LoggedRequest& r) {
        std::vector<std::string> out;
        for (const auto& v : r.varbinds) {
            const bool bitmap = v.oid == kLedPorts || v.oid == kPortPorts;
            out.push_back(v.oid + " " + v.type + " " + (bitmap ? v.hex : v.value));
        }
        return out;
    }
};

class PowerSave52Test : public PowerSaveTest {
protected:
    static void SetUpTestSuite() { StartModel("DUZ-3300-52", 52); }
};

TEST_F(PowerSaveTest, ReadFillsTheSummaryAndTheDetectionBox) {
    Set(kLedPorts, "x", "F4 00 00 00");
    Set(kLedState, "i", "1");
    Set(kLedProfile1, "s", "Office");
    Set(kLedProfile2, "s", "None");
    Set(kHibernationState, "i", "1");
    Set(kHibernationProfile2, "s", "Holiday");
    Set(kDetection, "i", "1");
    Harness ui;
    CPowerSaveDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetColumns(IDC_SUMMARY),
                  (std::vector<std::string>{"Type", "State", "Time Profile 1 ", "Time Profile 2", "Port "}));
        EXPECT_EQ(d.GetRows(IDC_SUMMARY), (Rows{{"LED_Shutoff", "Enabled", "Office", "", "1-4,6"},
                                                {"Port_Shutoff", "Disabled", "", "", "None"},
                                                {"System_Hibernation", "Enabled", "", "Holiday", "All Port"}}));
        EXPECT_TRUE(d.IsChecked(IDC_DETECTION));
        // The editing area waits for a function to be chosen.
        EXPECT_EQ(d.GetText(IDC_TYPE), "LED Shut-off");
        EXPECT_EQ(d.GetText(IDC_STATE), "Disabled");
        EXPECT_EQ(d.GetText(IDC_PROFILE1), "None");
        EXPECT_EQ(d.GetText(IDC_PROFILE2), "None");
        EXPECT_FALSE(d.IsEnabled(IDC_PROFILE1));
        EXPECT_FALSE(d.IsEnabled(IDC_PROFILE2));
        EXPECT_FALSE(d.IsEnabled(IDC_PORT));
        EXPECT_EQ(d.GetText(IDC_PORT), "");
        d.Click(IDCANCEL);
    });
    const auto gets = Requests("get");
    ASSERT_EQ(gets.size(), 1u);
    std::vector<std::string> objects;
    for (const std::string& oid :
         {kLedPorts, kLedState, kLedProfile1, kLedProfile2, kPortPorts, kPortState, kPortProfile1, kPortProfile2,
          kHibernationState, kHibernationProfile1, kHibernationProfile2, kDetection}) {
        objects.push_back(oid + " null");
    }
    EXPECT_EQ(Varbinds(gets[0]), objects);
}

TEST_F(PowerSave52Test, PortBitmapsHoldEightBytes) {
    Set(kPortPorts, "x", "80 00 00 00 00 00 10 00");
    Set(kPortState, "i", "1");
    Harness ui;
    CPowerSaveDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetRows(IDC_SUMMARY)[1], (std::vector<std::string>{"Port_Shutoff", "Enabled", "", "", "1,52"}));
        d.ChooseComboItem(IDC_TYPE, "LED Shut-off");
        d.ChooseComboItem(IDC_STATE, "Enabled");
        d.TypeText(IDC_PORT, "50-52");
        d.Click(IDC_APPLY);
        d.Click(IDCANCEL);
    });
    const auto sets = Requests("set");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Sent(sets[0]), (std::vector<std::string>{kLedState + " i 1", kLedPorts + " s 0000000000007000",
                                                       kLedProfile1 + " s ", kLedProfile2 + " s "}));
}

struct WriteCase {
    std::string name;
    std::string type, state, ports, profile1, profile2;  // ports "-": the field is left alone
    std::vector<std::string> sent;
};

TEST_F(PowerSaveTest, ApplyWritesTheChosenFunctionThenReadsAgain) {
    const std::vector<WriteCase> cases = {
        {"LED shut-off enabled",
         "LED Shut-off",
         "Enabled",
         "1-4,6",
         "Office",
         "None",
         {kLedState + " i 1", kLedPorts + " s F4000000", kLedProfile1 + " s Office", kLedProfile2 + " s "}},
        {"LED shut-off disabled: the state alone",
         "LED Shut-off",
         "Disabled",
         "5,7",
         "Office",
         "Holiday",
         {kLedState + " i 2"}},
        {"port shut-off enabled without ports",
         "Port Shut-off",
         "Enabled",
         "",
         "None",
         "Holiday",
         {kPortState + " i 1", kPortPorts + " s 00000000", kPortProfile1 + " s ", kPortProfile2 + " s Holiday"}},
        {"hibernation enabled: no ports",
         "System Hibernation",
         "Enabled",
         "-",
         "Holiday",
         "Office",
         {kHibernationState + " i 1", kHibernationProfile1 + " s Holiday", kHibernationProfile2 + " s Office"}},
        {"hibernation disabled", "System Hibernation", "Disabled", "-", "None", "None", {kHibernationState + " i 2"}},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        s_sim->ClearRequests();
        Harness ui;
        CPowerSaveDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            d.ChooseComboItem(IDC_TYPE, c.type);
            d.ChooseComboItem(IDC_STATE, "Enabled");
            if (c.ports != "-") {
                d.TypeText(IDC_PORT, c.ports);
            } else {
                EXPECT_FALSE(d.IsEnabled(IDC_PORT));
                EXPECT_EQ(d.GetText(IDC_PORT), "All Port");
            }
            d.ChooseComboItem(IDC_PROFILE1, c.profile1);
            d.ChooseComboItem(IDC_PROFILE2, c.profile2);
            d.ChooseComboItem(IDC_STATE, c.state);
            d.Click(IDC_APPLY);
            // The summary shows what the switch now holds.
            const Rows rows = d.GetRows(IDC_SUMMARY);
            const size_t row = c.type == "LED Shut-off" ? 0 : c.type == "Port Shut-off" ? 1 : 2;
            ASSERT_EQ(rows.size(), 3u);
            EXPECT_EQ(rows[row][1], c.state);
            d.Click(IDCANCEL);
        });
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(Sent(sets[0]), c.sent);
        EXPECT_EQ(Requests("get").size(), 2u);
        // Back to the start for the next case.
        SetUp();
    }
}

TEST_F(PowerSaveTest, RefusedPortListsSendNothing) {
    struct Case {
        std::string ports;
        size_t gets;  // the opening read, and a re-read after the parser's refusal
    };
    for (const Case& c : {Case{"1;4", 1}, Case{"1-30", 2}, Case{"4-2", 2}}) {
        SCOPED_TRACE(c.ports);
        s_sim->ClearRequests();
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        CPowerSaveDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            d.ChooseComboItem(IDC_TYPE, "Port Shut-off");
            d.ChooseComboItem(IDC_STATE, "Enabled");
            d.TypeText(IDC_PORT, c.ports);
            d.Click(IDC_APPLY);
            d.Click(IDCANCEL);
        });
        const auto boxes = ui.ShownMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Invalid Portlist");
        EXPECT_TRUE(Requests("set").empty());
        EXPECT_EQ(Requests("get").size(), c.gets);
    }
}

TEST_F(PowerSaveTest, DetectionApplyWritesItAndAnUnansweredReadKeepsTheBox) {
    ModuleStartupParams::TimeoutMs = "300";
    Harness ui;
    CPowerSaveDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_FALSE(d.IsChecked(IDC_DETECTION));
        d.Check(IDC_DETECTION);
        d.Click(IDC_APPLY_DETECTION);
        EXPECT_EQ(Requests("get").size(), 2u);
        EXPECT_TRUE(d.IsChecked(IDC_DETECTION));

        ASSERT_TRUE(s_sim->Silence(kPowerSaving.substr(0, kPowerSaving.size() - 1)));
        d.Click(IDC_REFRESH);
        EXPECT_TRUE(d.GetRows(IDC_SUMMARY).empty());
        EXPECT_TRUE(d.IsChecked(IDC_DETECTION));
        s_sim->ClearFaults();
        d.Click(IDCANCEL);
    });
    const auto sets = Requests("set");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Sent(sets[0]), (std::vector<std::string>{kDetection + " i 1"}));
    EXPECT_EQ(s_sim->GetObject(kDetection).value_or(""), "i 1");
}

TEST_F(PowerSaveTest, ChoosingAFunctionShowsItsSettings) {
    Set(kLedPorts, "x", "F4 00 00 00");
    Set(kLedState, "i", "1");
    Set(kLedProfile1, "s", "office");
    Set(kPortProfile1, "s", "Hol");
    Set(kPortProfile2, "s", "Gone");
    Set(kHibernationState, "i", "1");
    Set(kHibernationProfile2, "s", "Office");
    Harness ui;
    CPowerSaveDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        d.ChooseComboItem(IDC_TYPE, "Port Shut-off");
        EXPECT_EQ(d.GetText(IDC_PROFILE1), "Holiday");
        EXPECT_EQ(d.GetSelection(IDC_PROFILE2), -1);
        EXPECT_EQ(d.GetText(IDC_STATE), "Disabled");
        EXPECT_FALSE(d.IsEnabled(IDC_PROFILE1));
        EXPECT_FALSE(d.IsEnabled(IDC_PORT));
        d.ChooseComboItem(IDC_STATE, "Enabled");
        EXPECT_TRUE(d.IsEnabled(IDC_PROFILE1));
        EXPECT_TRUE(d.IsEnabled(IDC_PROFILE2));
        EXPECT_TRUE(d.IsEnabled(IDC_PORT));

        d.ChooseComboItem(IDC_TYPE, "LED Shut-off");
        EXPECT_EQ(d.GetText(IDC_PROFILE1), "Office");
        EXPECT_EQ(d.GetText(IDC_PROFILE2), "None");
        EXPECT_EQ(d.GetText(IDC_PORT), "1-4,6");
        EXPECT_EQ(d.GetText(IDC_STATE), "Enabled");
        EXPECT_TRUE(d.IsEnabled(IDC_PORT));

        d.ChooseComboItem(IDC_TYPE, "System Hibernation");
        EXPECT_EQ(d.GetText(IDC_PROFILE1), "None");
        EXPECT_EQ(d.GetText(IDC_PROFILE2), "Office");
        EXPECT_EQ(d.GetText(IDC_PORT), "All Port");
        EXPECT_TRUE(d.IsEnabled(IDC_PROFILE1));
        EXPECT_FALSE(d.IsEnabled(IDC_PORT));
        d.ChooseComboItem(IDC_STATE, "Disabled");
        EXPECT_FALSE(d.IsEnabled(IDC_PROFILE2));
        d.ChooseComboItem(IDC_STATE, "Enabled");
        EXPECT_FALSE(d.IsEnabled(IDC_PORT));
        d.Click(IDCANCEL);
    });
}

TEST_F(PowerSaveTest, ProfileNamesWalkedDuringThePauseFillBothLists) {
    AddProfile(3, "Lab");
    // Each answer a little late: the names arrive while the dialog waits.
    ASSERT_TRUE(s_sim->Delay(30));
    Harness ui;
    CPowerSaveDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        const std::vector<std::string> names = {"None", "Office", "Holiday", "Lab"};
        EXPECT_EQ(d.GetItems(IDC_PROFILE1), names);
        EXPECT_EQ(d.GetItems(IDC_PROFILE2), names);
        d.Click(IDCANCEL);
    });
    s_sim->ClearFaults();
    EXPECT_GE(RequestsFrom("getnext", powersavingtest::kProfiles + "2"), 1u);
}

}  // namespace
