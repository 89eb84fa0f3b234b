// Storm control against the simulated switch: what the dialog shows of the three settings,
// the one SET of only what changed, the range check of N, and reads that fail.
#include <functional>

#include "features/security/StormControlDlg.h"
#include "resources/templates/SecurityDialogsIds.h"
#include "tests/features/security/SecurityFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;

using namespace storm_control_ids;
using namespace securitytest;

namespace {

const char* const kRangeMessage = "Invalid input of N ( input range must between 1~16000)";

class StormControlTest : public SecurityTest {
protected:
    // The device's three settings.
    void Device(const std::string& state, const std::string& type, const std::string& kbps) {
        Set(kStormState, "i", state);
        Set(kStormType, "i", type);
        Set(kStormThreshold, "i", kbps);
    }

    // Opens the dialog with an empty request log and runs the script; the close box ends it.
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        sim->ClearRequests();
        CStormControlDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            script(d);
            d.Close();
        });
    }
};

TEST_F(StormControlTest, OpeningShowsTheSettingsRead) {
    struct Case {
        std::string state, type, kbps;
        bool checked;
        int typeSelection;  // -1: none
        std::string n, shownKbps;
    };
    const Case cases[] = {
        {"1", "2", "64000", true, 1, "1000", "64000"},
        {"2", "1", "64000", false, 0, "1000", "64000"},
        {"1", "1", "100", true, 0, "1", "64"},  // the Kbps edit follows N
        {"1", "1", "0", true, 0, "0", "0"},
        {"1", "4", "64000", true, -1, "1000", "64000"},  // a type the list does not hold
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state + " " + c.type + " " + c.kbps);
        Device(c.state, c.type, c.kbps);
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            EXPECT_EQ(d.IsChecked(IDC_ENABLE), c.checked);
            EXPECT_EQ(d.GetSelection(IDC_TYPE), c.typeSelection);
            EXPECT_EQ(d.GetText(IDC_N), c.n);
            EXPECT_EQ(d.GetText(IDC_KBPS), c.shownKbps);
            EXPECT_EQ(d.GetText(IDC_UNIT), "64Kbps  ");
            EXPECT_EQ(d.IsEnabled(IDC_N), c.checked);
            EXPECT_EQ(d.IsEnabled(IDC_TYPE), c.checked);
        });
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    }
}

TEST_F(StormControlTest, KbpsFollowsNAndTheBoxEnablesTheSettings) {
    Device("2", "1", "64000");
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetItems(IDC_TYPE), (std::vector<std::string>{"Broadcast Only", "Multicast & Broadcast",
                                                                  "Multicast & Broadcast & Unknown Unicast"}));
        d.Check(IDC_ENABLE, true);
        EXPECT_TRUE(d.IsEnabled(IDC_N));
        EXPECT_TRUE(d.IsEnabled(IDC_TYPE));
        d.TypeText(IDC_N, "250");
        EXPECT_EQ(d.GetText(IDC_KBPS), "16000");
        d.TypeText(IDC_N, "");
        EXPECT_EQ(d.GetText(IDC_KBPS), "");
        d.Check(IDC_ENABLE, false);
        EXPECT_FALSE(d.IsEnabled(IDC_N));
        EXPECT_FALSE(d.IsEnabled(IDC_TYPE));
    });
}

TEST_F(StormControlTest, ApplyWritesOnlyWhatChangedAndReadsAgain) {
    struct Case {
        std::string name;
        std::string state, kbps;  // on the device; the type is 1
        std::function<void(DialogDriver&)> change;
        std::vector<std::string> set;  // empty: no SET
        size_t gets;                   // the opening GET included
    };
    const std::string s = kStormState, t = kStormType, k = kStormThreshold;
    const Case cases[] = {
        {"off to on", "2", "64000", [](DialogDriver& d) { d.Check(IDC_ENABLE, true); }, {s + " := 1"}, 2},
        {"off to on with N 2",
         "2",
         "64000",
         [](DialogDriver& d) {
             d.Check(IDC_ENABLE, true);
             d.TypeText(IDC_N, "2");
         },
         {s + " := 1", k + " := 128"},
         2},
        {"on to off with type and N changed",
         "1",
         "64000",
         [](DialogDriver& d) {
             d.ChooseComboItem(IDC_TYPE, 2);
             d.TypeText(IDC_N, "7");
             d.Check(IDC_ENABLE, false);
         },
         {s + " := 2"},
         2},
        {"only the type", "1", "64000", [](DialogDriver& d) { d.ChooseComboItem(IDC_TYPE, 2); }, {t + " := 3"}, 2},
        {"N 1", "1", "64000", [](DialogDriver& d) { d.TypeText(IDC_N, "1"); }, {k + " := 64"}, 2},
        {"N 16000", "1", "64000", [](DialogDriver& d) { d.TypeText(IDC_N, "16000"); }, {k + " := 1024000"}, 2},
        {"threshold 100 shown as N 1", "1", "100", [](DialogDriver&) {}, {k + " := 64"}, 2},
        {"threshold 100 while off", "2", "100", [](DialogDriver&) {}, {}, 1},
        {"on, nothing changed", "1", "64000", [](DialogDriver&) {}, {}, 2},
        {"off, nothing changed", "2", "64000", [](DialogDriver&) {}, {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Device(c.state, "1", c.kbps);
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            c.change(d);
            d.Click(IDC_APPLY);
        });
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
        const auto sets = Sets();
        if (c.set.empty()) {
            EXPECT_TRUE(sets.empty());
        } else {
            ASSERT_EQ(sets.size(), 1u);
            EXPECT_EQ(Assignments(sets[0], "i"), c.set);
        }
        EXPECT_EQ(Requests("get").size(), c.gets);
        EXPECT_EQ(sim->Requests().size(), sets.size() + c.gets);
    }
}

TEST_F(StormControlTest, NOutOfRangeIsRefusedWithNothingSent) {
    struct Case {
        std::string name;
        std::string kbps;  // on the device, storm control on
        std::function<void(DialogDriver&)> change;
    };
    const Case cases[] = {
        {"N 0", "64000", [](DialogDriver& d) { d.TypeText(IDC_N, "0"); }},
        {"N 16001", "64000", [](DialogDriver& d) { d.TypeText(IDC_N, "16001"); }},
        {"N empty", "64000", [](DialogDriver& d) { d.TypeText(IDC_N, ""); }},
        // N is checked even when storm control is only switched off.
        {"threshold 0, switched off", "0", [](DialogDriver& d) { d.Check(IDC_ENABLE, false); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Device("1", "1", c.kbps);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            c.change(d);
            d.Click(IDC_APPLY);
        });
        const auto shown = ui.ShownMessageBoxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, kRangeMessage);
        EXPECT_TRUE(Sets().empty());
        EXPECT_EQ(Requests("get").size(), 1u);
    }
}

TEST_F(StormControlTest, TypeTheListDoesNotHoldIsNeverWritten) {
    Device("1", "4", "64000");
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        d.TypeText(IDC_N, "5");
        d.Click(IDC_APPLY);
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{kStormThreshold + " := 320"}));
}

TEST_F(StormControlTest, SilentSwitchOnOpeningLeavesTheControlsAndApplyWritesEverythingThatHolds) {
    struct Case {
        bool check;
        std::vector<std::string> set;
    };
    const Case cases[] = {
        {true, {kStormState + " := 1", kStormType + " := 1", kStormThreshold + " := 320"}},
        {false, {kStormState + " := 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.check ? "checked" : "clear");
        Device("1", "2", "64000");
        ShortTimeout();
        ASSERT_TRUE(sim->Silence());
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            EXPECT_FALSE(d.IsChecked(IDC_ENABLE));
            EXPECT_EQ(d.GetSelection(IDC_TYPE), 0);
            EXPECT_EQ(d.GetText(IDC_N), "");
            EXPECT_EQ(d.GetText(IDC_KBPS), "");
            ASSERT_TRUE(sim->ClearFaults());
            d.Check(IDC_ENABLE, c.check);
            if (!c.check) d.Check(IDC_ENABLE, true);  // N can be typed only while checked
            d.TypeText(IDC_N, "5");
            if (!c.check) d.Check(IDC_ENABLE, false);
            d.Click(IDC_APPLY);
        });
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(Assignments(sets[0], "i"), c.set);
    }
}

TEST_F(StormControlTest, ErrorAnswerToTheReadLeavesTheControlsAsTheyWere) {
    Device("1", "2", "64000");
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        Device("2", "1", "640");
        ASSERT_TRUE(sim->InjectError(kPrivate + "13.3", "genErr"));
        d.Click(IDC_REFRESH);
        EXPECT_EQ(Requests("get").size(), 2u);
        EXPECT_TRUE(d.IsChecked(IDC_ENABLE));
        EXPECT_EQ(d.GetSelection(IDC_TYPE), 1);
        EXPECT_EQ(d.GetText(IDC_N), "1000");
        EXPECT_EQ(d.GetText(IDC_KBPS), "64000");
        // The last values read stay those of the good read: only the type differs from them.
        ASSERT_TRUE(sim->ClearFaults());
        sim->ClearRequests();
        d.ChooseComboItem(IDC_TYPE, 2);
        d.Click(IDC_APPLY);
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{kStormType + " := 3"}));
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
}

TEST_F(StormControlTest, RefusedSetShowsNothingAndIsReadAgain) {
    Device("2", "1", "64000");
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        ASSERT_TRUE(sim->InjectError(kStormState, "notWritable"));
        d.Check(IDC_ENABLE, true);
        d.Click(IDC_APPLY);
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    const auto log = sim->Requests();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1].pdu, "set");
    EXPECT_NE(log[1].errorStatus, 0);
    EXPECT_EQ(log[2].pdu, "get");
    EXPECT_EQ(sim->GetObject(kStormState), "i 2");
}

}  // namespace
