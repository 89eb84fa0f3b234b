// Jumbo frames against the simulated switch: the box follows the switch, Apply writes the
// box's state, confirms only what the switch accepted, reads again and closes.
#include "features/ports/JumboFrameconfigdlg.h"
#include "resources/templates/PortDialogsIds.h"
#include "tests/features/ports/PortsFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;

using namespace jumbo_frame_ids;

namespace {

class JumboFrameTest : public portstest::PortsTest {
protected:
    // Opens the dialog on a switch holding `value` and runs the script on it.
    INT_PTR Run(Harness& ui, const std::string& value, const std::function<void(DialogDriver&)>& script) {
        Set(portstest::kJumbo, "i", value);
        sim->ClearRequests();
        CJumboFrameconfigdlg dlg;
        return ui.RunModal(dlg, script);
    }
};

TEST_F(JumboFrameTest, BoxFollowsTheSwitchAndApplyWritesConfirmsRereadsAndCloses) {
    struct Case {
        std::string device;  // value the switch holds
        bool checkedOnOpen;
        bool toggle;  // the user changes the box before Apply
        std::string written;
        std::string message;
    };
    const Case cases[] = {
        {"1", true, false, "1", "Enabled Jumbo Frame"},   {"2", false, false, "2", "Disabled Jumbo Frame"},
        {"3", false, false, "2", "Disabled Jumbo Frame"},  // anything but 1 reads as disabled
        {"2", false, true, "1", "Enabled Jumbo Frame"},   {"1", true, true, "2", "Disabled Jumbo Frame"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("device " + c.device + (c.toggle ? ", toggled" : ""));
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        const INT_PTR result = Run(ui, c.device, [&](DialogDriver& d) {
            EXPECT_EQ(d.IsChecked(IDC_ENABLE_JUMBO), c.checkedOnOpen);
            if (c.toggle) d.Check(IDC_ENABLE_JUMBO, !c.checkedOnOpen);
            d.Click(IDOK);
        });
        EXPECT_EQ(result, IDOK);
        const auto shown = ui.ShownMessageBoxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, c.message);

        // GET on opening, the SET, then the re-read.
        const auto log = sim->Requests();
        ASSERT_EQ(log.size(), 3u);
        EXPECT_EQ(log[0].pdu, "get");
        EXPECT_EQ(log[1].pdu, "set");
        EXPECT_EQ(log[1].community, "quastel");
        ASSERT_EQ(log[1].varbinds.size(), 1u);
        EXPECT_EQ(log[1].varbinds[0].oid, portstest::kJumbo);
        EXPECT_EQ(log[1].varbinds[0].type, "i");
        EXPECT_EQ(log[1].varbinds[0].value, c.written);
        EXPECT_EQ(log[2].pdu, "get");
        EXPECT_EQ(sim->GetObject(portstest::kJumbo), "i " + c.written);
    }
}

TEST_F(JumboFrameTest, RefusedOrUnansweredSetShowsFailureNotConfirmation) {
    struct Case {
        std::string name;
        std::string fault;  // control command
        bool answered;
    };
    const Case cases[] = {
        {"refused", "error " + portstest::kJumbo + " notWritable", true},
        {"unanswered", "silence " + portstest::kJumbo, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        const INT_PTR result = Run(ui, "2", [&](DialogDriver& d) {
            ASSERT_TRUE(sim->Command(c.fault));
            d.Check(IDC_ENABLE_JUMBO, true);
            d.Click(IDOK);
        });
        EXPECT_EQ(result, IDOK);
        const auto shown = ui.ShownMessageBoxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, "Failed to enable Jumbo Frame");
        EXPECT_EQ(shown[0].Icon(), static_cast<UINT>(MB_ICONERROR));
        const auto sets = Requests("set");
        ASSERT_FALSE(sets.empty());
        EXPECT_EQ(sets[0].answered, c.answered);
        EXPECT_EQ(Requests("get").size(), 1u) << "no re-read after a failed SET";
        EXPECT_EQ(sim->GetObject(portstest::kJumbo), "i 2");
        sim->ClearFaults();
    }
}

TEST_F(JumboFrameTest, CloseBoxSendsNothing) {
    Harness ui;
    const INT_PTR result = Run(ui, "1", [](DialogDriver& d) {
        d.Check(IDC_ENABLE_JUMBO, false);
        d.Close();
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(Requests("set").empty());
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
}

}  // namespace
