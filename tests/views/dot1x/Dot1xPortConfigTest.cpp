// The 802.1X port access control against the simulated switch: the list, the refusals of a
// range, the batched write of a long range, the From/To pair, a table longer than the port
// count, closing during the walks, and the main window's command that opens the dialog.
#include <chrono>
#include <functional>

#include "resources/menus/CommandIds.h"
#include "resources/templates/Dot1xViewDialogsIds.h"
#include "shell/DerariModuleDlg.h"
#include "tests/support/switchsim/Settle.h"
#include "tests/views/dot1x/Dot1xFixture.h"
#include "views/Dot1xPortConfig.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace dot1x_port_config_ids;
using namespace dot1xtest;
using viewstest::ModelIni;

namespace {

std::string Port(int p) { return kControl + "." + std::to_string(p); }

class Dot1xPortConfigTest : public Dot1xTest {
protected:
    using Dot1xTest::Dot1xTest;

    // Opens the dialog; the script starts once the list holds `rows` rows and Apply is usable,
    // on an empty request log.
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script, int rows = -1) {
        Dot1xPortConfig dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            const std::size_t wanted = static_cast<std::size_t>(rows < 0 ? g_nDevicePortNum : rows);
            ASSERT_TRUE(WaitUntil([&] { return d.GetRows(IDC_PORT_LIST).size() == wanted && d.IsEnabled(IDC_APPLY); }));
            sim->ClearRequests();
            script(d);
            if (d.IsOpen()) d.Close();
        });
    }

    static void Apply(DialogDriver& d, int from, int to, const std::string& control) {
        d.ChooseComboItem(IDC_FROM_PORT, std::to_string(from));
        d.ChooseComboItem(IDC_TO_PORT, std::to_string(to));
        d.ChooseComboItem(IDC_CONTROL, control);
        d.Click(IDC_APPLY);
    }

    // The assignments a range write of ports from..to to `value` carries.
    static std::vector<std::string> RangeWrite(int from, int to, int value) {
        std::vector<std::string> out;
        for (int p = from; p <= to; ++p) out.push_back(Port(p) + " i " + std::to_string(value));
        return out;
    }

    // After an Apply: the list is read again and Apply comes back.
    void ExpectReread(DialogDriver& d) const {
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
        EXPECT_GE(GetNextsFrom(kStatus), 1u);
    }
};

class Dot1xPortConfig52Test : public Dot1xPortConfigTest {
protected:
    Dot1xPortConfig52Test() : Dot1xPortConfigTest({.model = "DUZ-3300-52", .ports = 52}) {}
};

class Dot1xPortConfig20Test : public Dot1xPortConfigTest {
protected:
    Dot1xPortConfig20Test() : Dot1xPortConfigTest({.model = "DUZ-3300-28ZA1", .ports = 20}) {}
};

TEST_F(Dot1xPortConfigTest, ListShowsEveryPortsStatusAndControl) {
    Set(Port(2), "i", "1");
    Set(Port(3), "i", "2");
    Set(Port(4), "i", "7");
    Set(kStatus + ".2", "i", "2");
    Set(kStatus + ".3", "i", "5");
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_EQ(d.Window().GetWindowText(), "802.1X Port Configuration");
        EXPECT_EQ(d.GetColumns(IDC_PORT_LIST),
                  (std::vector<std::string>{"Index", "AuthControlledPortStatus", "AuthControlledPortControl",
                                            "QuietPeriod", "TxPeriod", "SuppTimeout", "ServerTimeout", "MaxReq",
                                            "ReAuthPeriod", "ReAuthEnabled"}));
        const auto rows = d.GetRows(IDC_PORT_LIST);
        const std::vector<std::string> blank(7, "");
        auto row = [&](const std::string& index, const std::string& status, const std::string& control) {
            std::vector<std::string> r = {index, status, control};
            r.insert(r.end(), blank.begin(), blank.end());
            return r;
        };
        EXPECT_EQ(rows[0], row("1", "Authorized", "Force Authorized"));
        EXPECT_EQ(rows[1], row("2", "Unauthorized", "Force Unauthorized"));
        EXPECT_EQ(rows[2], row("3", "other", "Auto"));
        EXPECT_EQ(rows[3], row("4", "Authorized", "other"));
        EXPECT_EQ(d.GetText(IDC_FROM_PORT), "1");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "28");
        EXPECT_EQ(d.GetItems(IDC_CONTROL),
                  (std::vector<std::string>{"Force Unauthorized", "Auto", "Force Authorized"}));
        EXPECT_EQ(d.GetText(IDC_CONTROL), "Auto");
    });
}

TEST_F(Dot1xPortConfigTest, RangesAreRefusedOrWrittenByTheControlsAroundThem) {
    struct Case {
        std::string name;
        bool trunk;  // trunk 1 keeps ports 21 and 22
        int from, to;
        int inside, outside;  // the switch's controls before the dialog opens
        std::string control;
        std::string message;  // "" written
    };
    const std::string fu = "Could not set all port  Force Unauthorized to the port access control.";
    const std::string aut = "Could not set all port AUTO  to the port access control.";
    const std::string both = "Could not set all port AUTO or Force Unauthorized to the port access control.";
    const std::string trunk = "Cannot add an aggregated link to the 802.1X-enabled port";
    const Case cases[] = {
        {"all ports Force Unauthorized", false, 1, 28, 3, 3, "Force Unauthorized", fu},
        {"the rest at Force Unauthorized", false, 1, 10, 3, 1, "Force Unauthorized", fu},
        {"the rest at Auto, range Auto", true, 1, 10, 3, 2, "Auto", aut},
        {"the rest at Auto, range Force Unauthorized", true, 1, 10, 3, 2, "Force Unauthorized", both},
        {"all ports Force Authorized", false, 1, 28, 1, 1, "Force Authorized", ""},
        {"the rest at Auto, range Force Authorized", true, 1, 10, 3, 2, "Force Authorized", ""},
        {"a trunk member, Force Authorized", true, 20, 22, 3, 3, "Force Authorized", trunk},
        {"a trunk member, Auto", true, 21, 21, 3, 3, "Auto", trunk},
        {"a trunk member, Force Unauthorized", true, 22, 28, 3, 3, "Force Unauthorized", trunk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        if (!c.trunk) ClearTrunk(4);
        SetControls(28, c.from, c.to, c.inside, c.outside);
        Harness ui;
        if (!c.message.empty()) ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            Apply(d, c.from, c.to, c.control);
            if (ExpectRefused(ui, c.message)) return;
            const auto sets = Sets();
            ASSERT_EQ(sets.size(), 1u);
            EXPECT_EQ(Assignments(sets[0]), RangeWrite(c.from, c.to, 3));
            EXPECT_EQ(sets[0].community, "quastel");
            ExpectReread(d);
            EXPECT_EQ(d.GetRows(IDC_PORT_LIST)[0][2], "Force Authorized");
        });
    }
}

TEST_F(Dot1xPortConfig52Test, LongRangesGoOutInBatchesOfThirtyFromOnePdu) {
    ClearTrunk(8);
    struct Case {
        int from, to;
        std::vector<int> sentUpTo;  // each send carries from..this port
    };
    const Case cases[] = {
        {1, 52, {30, 52}},
        {1, 30, {30}},
        {3, 30, {30}},
        {25, 52, {52}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + ".." + std::to_string(c.to));
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            const auto started = std::chrono::steady_clock::now();
            Apply(d, c.from, c.to, "Force Authorized");
            const auto took = std::chrono::steady_clock::now() - started;
            const auto sets = Sets();
            ASSERT_EQ(sets.size(), c.sentUpTo.size());
            for (std::size_t i = 0; i < sets.size(); ++i)
                EXPECT_EQ(Assignments(sets[i]), RangeWrite(c.from, c.sentUpTo[i], 3)) << i;
            // A send after the 30th port of the range is followed by the pause.
            const bool pause = (c.to - c.from + 1) >= Dot1xPortConfig::kPortsPerSend;
            if (sets.size() == 2) {
                EXPECT_GE(sets[1].arrivalUs - sets[0].arrivalUs, 100000);
            }
            if (pause) {
                EXPECT_GE(took, win::ToRealTime(Dot1xPortConfig::kSendPauseMs));
            }
            ExpectReread(d);
        });
    }
}

TEST_F(Dot1xPortConfigTest, ToPortFollowsFromPortAndIsNeverBelowIt) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        d.ChooseComboItem(IDC_FROM_PORT, "5");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "5");
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
        d.ChooseComboItem(IDC_TO_PORT, "3");
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "'To Port' can not be smaller than 'From Port'");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "5");
        EXPECT_EQ(d.GetText(IDC_FROM_PORT), "5");
    });
}

TEST_F(Dot1xPortConfig20Test, TableLongerThanThePortCountListsOnlyThePorts) {
    Harness ui;
    Dot1xPortConfig dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
        const auto rows = d.GetRows(IDC_PORT_LIST);
        ASSERT_EQ(rows.size(), 20u);
        EXPECT_EQ(rows.back()[0], "20");
        EXPECT_EQ(d.GetItems(IDC_TO_PORT).size(), 20u);
        d.Close();
    });
    EXPECT_EQ(dlg.PortControls(), std::vector<int>(20, 3));
}

TEST_F(Dot1xPortConfigTest, ClosingDuringTheWalksIsPromptAndNoRowFollows) {
    SlowSwitch(400);
    Harness ui;
    Dot1xPortConfig dlg;
    std::vector<int> controlsAtClose;
    std::size_t requestsAtClose = 0;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        // Some rows in, the walk still going.
        ASSERT_TRUE(WaitUntil([&] { return !d.GetRows(IDC_PORT_LIST).empty(); }));
        const auto started = std::chrono::steady_clock::now();
        d.Click(IDCANCEL);
        EXPECT_FALSE(d.IsOpen());
        EXPECT_LT(std::chrono::steady_clock::now() - started, kCloseBound);
        controlsAtClose = dlg.PortControls();
        requestsAtClose = sim->Requests().size();
    });
    // The requests out at the close (one per walk) are answered; no walk goes on after them.
    EXPECT_TRUE(CSnmpRead::WaitForClosedSessions(10000));
    const std::size_t answered = sim->Requests().size();
    EXPECT_LE(answered, requestsAtClose + 2);
    // Every answer held back has left and no session has a request out: a walk going on
    // would have one.
    switchsim::Settle(*sim);
    EXPECT_TRUE(switchsim::NoRequestOut());
    EXPECT_EQ(sim->Requests().size(), answered);
    EXPECT_EQ(dlg.PortControls(), controlsAtClose);
    EXPECT_LT(std::count(controlsAtClose.begin(), controlsAtClose.end(), 3), 28);
}

// The main window runs the dialog from its command, which no menu item carries, with no timer
// texts to show.
TEST_F(Dot1xPortConfigTest, MainWindowCommandOpensTheDialogWithEmptyTimerColumns) {
    const ModelIni ini("DUZ-3300-28ZA1", RESOURCES_DIR);
    Harness ui;
    std::vector<std::vector<std::string>> rows;
    ui.OnModal<Dot1xPortConfig>([&](DialogDriver& ports) {
        EXPECT_TRUE(WaitUntil([&] { return ports.GetRows(IDC_PORT_LIST).size() == 28u; }));
        rows = ports.GetRows(IDC_PORT_LIST);
        ports.Close();
    });
    CDerariModuleDlg main(nullptr, ini.path);
    ui.RunModal(main, [&](DialogDriver& d) {
        d.Window().PostMessage(WM_COMMAND, ID_DOT1X_PORT_CONFIG, 0);
        EXPECT_TRUE(WaitUntil([&] { return ui.ModalRuns<Dot1xPortConfig>() == 1 && main.IsWindowVisible(); }));
        d.Close();
    });
    ASSERT_EQ(rows.size(), 28u);
    for (const auto& row : rows)
        EXPECT_EQ(std::vector<std::string>(row.begin() + 3, row.end()), std::vector<std::string>(7, ""));
}

}  // namespace
