// The 802.1X global settings against the simulated switch: the radios and the protocol list
// follow the three values read, Apply writes only what changed under the state's conditions
// and reads again, and only Cancel, Esc and the close box end the dialog.
#include <functional>

#include "features/security/8021XGlobalDlg.h"
#include "resources/templates/SecurityDialogsIds.h"
#include "tests/features/security/SecurityFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;

using namespace dot1x_global_ids;
using namespace securitytest;

namespace {

class Dot1xGlobalTest : public SecurityTest {
protected:
    void Device(const std::string& state, const std::string& eapol, const std::string& protocol) {
        Set(kDot1xState, "i", state);
        Set(kDot1xStateOfTrunks, "i", state);
        Set(kDot1xEapol, "i", eapol);
        Set(kDot1xProtocol, "i", protocol);
    }

    // Opens the dialog with an empty request log, runs the script and cancels.
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        sim->ClearRequests();
        C8021XGlobalDlg dlg;
        const INT_PTR result = ui.RunModal(dlg, [&](DialogDriver& d) {
            script(d);
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(result, IDCANCEL);
    }
};

TEST_F(Dot1xGlobalTest, OpeningShowsTheValuesRead) {
    struct Case {
        std::string name;
        bool silent;
        std::string state, eapol, protocol;
        bool enabled;
        bool eapolEnabledChecked;
        bool eapolUsable;
        std::string shownProtocol;
    };
    const Case cases[] = {
        {"enabled, RADIUS", false, "1", "2", "1", true, false, false, "RADIUS"},
        {"disabled, local", false, "2", "1", "2", false, true, true, "Local"},
        // A failed read counts as empty; the EAPOL buttons keep the enabling they had.
        {"silent switch", true, "1", "1", "1", false, false, true, "Local"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Device(c.state, c.eapol, c.protocol);
        if (c.silent) {
            ShortTimeout();
            ASSERT_TRUE(sim->Silence());
        }
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            EXPECT_EQ(d.IsChecked(IDC_STATE_ENABLED), c.enabled);
            EXPECT_EQ(d.IsChecked(IDC_STATE_DISABLED), !c.enabled);
            EXPECT_EQ(d.IsChecked(IDC_EAPOL_ENABLED), c.eapolEnabledChecked);
            EXPECT_EQ(d.IsChecked(IDC_EAPOL_DISABLED), !c.eapolEnabledChecked);
            EXPECT_EQ(d.IsEnabled(IDC_EAPOL_ENABLED), c.eapolUsable);
            EXPECT_EQ(d.IsEnabled(IDC_EAPOL_DISABLED), c.eapolUsable);
            EXPECT_EQ(d.GetText(IDC_PROTOCOL), c.shownProtocol);
            EXPECT_EQ(d.IsEnabled(IDC_PROTOCOL), c.enabled);
            EXPECT_EQ(d.GetItems(IDC_PROTOCOL), (std::vector<std::string>{"RADIUS", "Local"}));
        });
        ASSERT_TRUE(sim->ClearFaults());
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
        EXPECT_EQ(Requests("get").size(), 3u);
    }
}

TEST_F(Dot1xGlobalTest, ApplyWritesWhatChangedUnderTheStateAndReadsAgain) {
    struct Case {
        std::string name;
        std::string state, eapol, protocol;  // on the device
        std::function<void(DialogDriver&)> change;
        std::vector<std::string> set;  // empty: no SET
    };
    const std::string s = kDot1xState, e = kDot1xEapol, p = kDot1xProtocol;
    const Case cases[] = {
        {"disabled to enabled with Local",
         "2",
         "2",
         "1",
         [](DialogDriver& d) {
             d.Click(IDC_STATE_ENABLED);
             d.ChooseComboItem(IDC_PROTOCOL, "Local");
         },
         {s + " := 1", p + " := 2"}},
        {"enabled to disabled with EAPOL changed",
         "1",
         "2",
         "1",
         [](DialogDriver& d) {
             d.Click(IDC_STATE_DISABLED);
             d.Click(IDC_EAPOL_ENABLED);
         },
         {s + " := 2", e + " := 1"}},
        // EAPOL counts only when the new state is disabled.
        {"EAPOL changed, enabled again",
         "1",
         "2",
         "1",
         [](DialogDriver& d) {
             d.Click(IDC_STATE_DISABLED);
             d.Click(IDC_EAPOL_ENABLED);
             d.Click(IDC_STATE_ENABLED);
             d.ChooseComboItem(IDC_PROTOCOL, "Local");
         },
         {p + " := 2"}},
        // The protocol counts only when the new state is enabled.
        {"EAPOL changed while disabled",
         "2",
         "2",
         "1",
         [](DialogDriver& d) { d.Click(IDC_EAPOL_ENABLED); },
         {e + " := 1"}},
        {"no change", "1", "2", "1", [](DialogDriver&) {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Device(c.state, c.eapol, c.protocol);
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            c.change(d);
            d.Click(IDOK);
            // The three reads follow the write after a short pause.
            EXPECT_TRUE(ui::test::WaitUntil([&] { return Requests("get").size() == 6; }));
            EXPECT_TRUE(d.IsOpen());
        });
        const auto sets = Sets();
        if (c.set.empty()) {
            EXPECT_TRUE(sets.empty());
        } else {
            ASSERT_EQ(sets.size(), 1u);
            EXPECT_EQ(sets[0].community, "quastel");
            EXPECT_EQ(Assignments(sets[0], "i"), c.set);
        }
        EXPECT_EQ(sim->GetObject(kDot1xStateOfTrunks), sim->GetObject(kDot1xState));
    }
}

TEST_F(Dot1xGlobalTest, AfterASilentReadApplyWritesTheStateAndEapol) {
    Device("1", "1", "1");
    ShortTimeout();
    ASSERT_TRUE(sim->Silence());
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        ASSERT_TRUE(sim->ClearFaults());
        d.Click(IDOK);
        // The re-read shows the written values.
        EXPECT_TRUE(d.IsChecked(IDC_STATE_DISABLED));
        EXPECT_TRUE(d.IsChecked(IDC_EAPOL_DISABLED));
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{kDot1xState + " := 2", kDot1xEapol + " := 2"}));
    EXPECT_EQ(sim->GetObject(kDot1xStateOfTrunks), "i 2");
}

TEST_F(Dot1xGlobalTest, OnlyCancelEscAndTheCloseBoxEndTheDialog) {
    struct Case {
        std::string name;
        std::function<void(DialogDriver&)> key;
        bool staysOpen;
    };
    const Case cases[] = {
        {"Apply", [](DialogDriver& d) { d.Click(IDOK); }, true},
        {"Enter", [](DialogDriver& d) { d.PressEnter(); }, true},
        {"Cancel", [](DialogDriver& d) { d.Click(IDCANCEL); }, false},
        {"Esc", [](DialogDriver& d) { d.PressEsc(); }, false},
        {"close box", [](DialogDriver& d) { d.Close(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness ui;
        C8021XGlobalDlg dlg;
        const INT_PTR result = ui.RunModal(dlg, [&](DialogDriver& d) {
            c.key(d);
            if (c.staysOpen) {
                EXPECT_TRUE(d.IsOpen());
                d.Click(IDCANCEL);
            }
        });
        EXPECT_EQ(result, IDCANCEL);
    }
}

}  // namespace
