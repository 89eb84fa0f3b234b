// Port settings against the simulated switch: the list, every check of Apply in its order
// with its message and answers, the one SET it sends, reads that end early or not at all,
// and opening from a port click on the front panel.
#include <cctype>
#include <chrono>
#include <functional>

#include "features/ports/PortSetInfo.h"
#include "shell/panel/DevElements.h"
#include "shell/panel/VirtualDev.h"
#include "resources/templates/PortDialogsIds.h"
#include "tests/features/ports/PortsFixture.h"
#include "tests/support/switchsim/Settle.h"

using namespace std::chrono_literals;
using portstest::kPortTable;
using portstest::kTrunkMembers;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace port_config_ids;

namespace {

const std::string kQuestionForced =
    "The speed is set to force mode. \n* The speed mode must be the same as the counterpart. ";
const std::string kQuestionFlow =
    "QoS works best when Flow Control is disabled. \n* When Flow Control is enabled.QoS may not perform accurate "
    "bandwidth allocation. \n* Do you still want to enable Flow Control?. ";

class PortSetInfoTest : public portstest::PortsTest {
protected:
    // The list once a read has ended, and the trunk walk beside it at its last request (Apply
    // waits for its end itself).
    portstest::Rows ReadDone(DialogDriver& d) const {
        ListRead(d);
        EXPECT_TRUE(WaitUntil([&] { return GetNextsFrom(kTrunkMembers + ".8") > 0; }, 15s));
        return d.GetRows(IDC_PORT_LIST);
    }
    static void ListRead(DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH) && d.GetRows(IDC_PORT_LIST).size() == 28; }, 15s));
    }
    // Apply was refused with this one message and nothing was written.
    void ExpectRefused(const Harness& ui, const std::string& text) const {
        const auto shown = ui.ShownMessageBoxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, text);
        EXPECT_TRUE(Requests("set").empty());
    }
    static std::string Cell(const std::string& column, int port) {
        return kPortTable + column + "." + std::to_string(port);
    }
};

TEST_F(PortSetInfoTest, ListShowsEveryPortWithTextsOfItsCodes) {
    // Port 1 and 2 carry codes outside every table: their cells stay empty.
    Set(Cell("2", 1), "i", "0");
    Set(Cell("3", 1), "i", "7");
    Set(Cell("4", 1), "i", "4");
    Set(Cell("5", 1), "i", "3");
    Set(Cell("2", 2), "i", "8");
    Set(Cell("3", 2), "i", "0");
    Set(Cell("4", 2), "i", "0");
    Set(Cell("5", 2), "i", "1");
    Set(Cell("4", 3), "i", "3");
    Set(Cell("4", 4), "i", "2");
    Harness ui;
    CPortSetInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        const auto rows = ReadDone(d);
        EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "", "", "", "Disabled"}));
        EXPECT_EQ(rows[1], (std::vector<std::string>{"2", "", "", "", "Enabled"}));
        EXPECT_EQ(rows[2], (std::vector<std::string>{"3", "Down", "Auto", "MDIX", "Disabled"}));
        EXPECT_EQ(rows[3], (std::vector<std::string>{"4", "Down", "Auto", "MDI", "Disabled"}));
        EXPECT_EQ(rows[4], (std::vector<std::string>{"5", "Down", "Disable", "Auto", "Disabled"}));
        EXPECT_EQ(rows[6], (std::vector<std::string>{"7", "10M Full", "10M Full", "Auto", "Disabled"}));
        EXPECT_EQ(rows[24][1], "1000M Full");
        EXPECT_EQ(d.GetColumns(IDC_PORT_LIST),
                  (std::vector<std::string>{" Port", " Link Status ", " Speed ", " MDI/MDIX", " Flow Control"}));
        EXPECT_EQ(d.GetItems(IDC_SPEED), (std::vector<std::string>{"1000M-Full", "100M-Full", "100M-Half", "10M-Full",
                                                                   "10M-Half", "Auto", "Disable"}));
        EXPECT_EQ(d.GetItems(IDC_MDIX), (std::vector<std::string>{"Auto", "MDI", "MDIX"}));
        EXPECT_EQ(d.GetItems(IDC_FLOW_CONTROL), (std::vector<std::string>{"Enabled", "Disabled"}));
        EXPECT_EQ(d.GetText(IDC_PORT_ID), "");
        d.Click(IDCANCEL);
    });
    const auto walks = Requests("getnext");
    ASSERT_FALSE(walks.empty());
    std::vector<std::string> columns;
    for (const char* c : {"1", "2", "3", "4", "5", "7"}) columns.push_back(kPortTable + c);
    bool portWalk = false;
    for (const auto& r : walks) portWalk = portWalk || Oids(r) == columns;
    EXPECT_TRUE(portWalk);
}

TEST_F(PortSetInfoTest, ClickingARowLoadsItsSettings) {
    Set(Cell("4", 6), "i", "3");
    Set(Cell("5", 6), "i", "1");
    Harness ui;
    CPortSetInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        d.ClickListRow(IDC_PORT_LIST, 6);  // port 7: 10M Full, Auto, Disabled
        EXPECT_EQ(d.GetText(IDC_PORT_ID), "7");
        EXPECT_EQ(d.GetSelection(IDC_SPEED), 3);
        EXPECT_EQ(d.GetSelection(IDC_MDIX), 0);
        EXPECT_EQ(d.GetSelection(IDC_FLOW_CONTROL), 1);
        d.ClickListRow(IDC_PORT_LIST, 5);  // port 6: Auto, MDIX, Enabled
        EXPECT_EQ(d.GetText(IDC_PORT_ID), "6");
        EXPECT_EQ(d.GetSelection(IDC_SPEED), 5);
        EXPECT_EQ(d.GetSelection(IDC_MDIX), 2);
        EXPECT_EQ(d.GetSelection(IDC_FLOW_CONTROL), 0);
        d.Click(IDCANCEL);
    });
}

// One Apply: the switch's state, the row clicked and the choices, the answers to its
// questions, and what it must show and send.
struct Box {
    std::string text;
    UINT buttons = MB_OK;
    UINT icon = 0;
    int defaultButton = 1;
};
const Box kForced{kQuestionForced, MB_OKCANCEL, MB_ICONQUESTION, 2};
const Box kFlowQuestion{kQuestionFlow, MB_OKCANCEL, MB_ICONQUESTION, 2};

struct ApplyCase {
    std::string name;
    std::vector<std::string> setup;  // control commands
    int row;                         // -1: no row clicked
    std::string speed, mdix, flow;   // "" keeps what the click loaded
    std::vector<int> answers;
    std::vector<Box> boxes;
    bool sent;
    int port = 0, speedCode = 0, mdixCode = 0, flowCode = 0;
};

std::string SetCmd(const std::string& oid, const std::string& typeValue) { return "set " + oid + " " + typeValue; }

std::vector<std::string> TrunkOf1And2() { return {SetCmd(kTrunkMembers + ".1", "x \"C0 00 00 00\"")}; }
std::vector<std::string> Trunk3Alone() {
    return {SetCmd(kTrunkMembers + ".1", "x \"00 00 00 00\""), SetCmd(kTrunkMembers + ".3", "x \"20 00 00 00\"")};
}
std::vector<std::string> AllDownBut7() {
    std::vector<std::string> out;
    for (int p = 1; p <= 28; ++p) {
        out.push_back(SetCmd(kPortTable + "3." + std::to_string(p), p == 7 ? "i 5" : "i 1"));
    }
    return out;
}

const std::vector<ApplyCase>& ApplyCases() {
    static const std::vector<ApplyCase> cases = {
        {"no row clicked", {}, -1, "", "", "", {}, {{"Please Select one port !"}}, false},
        {"trunk member, other speed",
         TrunkOf1And2(),
         0,
         "100M-Full",
         "",
         "",
         {},
         {{"LA port can not support in different speed."}},
         false},
        {"trunk member, other flow control",
         TrunkOf1And2(),
         0,
         "Auto",
         "",
         "Enabled",
         {},
         {{"LA port can not support in different flow control."}},
         false},
        {"trunk member, other MDI/MDIX", TrunkOf1And2(), 0, "", "MDI", "", {}, {}, false},
        {"trunk member, same values", TrunkOf1And2(), 0, "", "", "", {}, {}, true, 1, 6, 1, 2},
        {"trunk of one, half duplex",
         Trunk3Alone(),
         2,
         "100M-Half",
         "",
         "",
         {IDOK},
         {kForced, {"Trunk member port  3 can not support in half-duplex mode."}},
         false},
        {"fibre port, MDI",
         {SetCmd(kPortTable + "7.25", "i 3")},
         24,
         "",
         "MDI",
         "",
         {},
         {{"Fiber Port  25 can not support MDI/MDIX mode."}},
         false},
        {"fibre port, Auto", {SetCmd(kPortTable + "7.25", "i 3")}, 24, "", "Auto", "", {}, {}, true, 25, 6, 1, 2},
        {"SFP port, 10M",
         {},
         26,
         "10M-Full",
         "",
         "",
         {},
         {{"Fiber Port 27 with 1000Base-x SFP Module can not support this speed."}},
         false},
        {"SFP port, Disable", {}, 26, "Disable", "", "", {}, {}, true, 27, 7, 1, 2},
        {"forced speed, Cancel", {}, 3, "100M-Full", "", "", {IDCANCEL}, {kForced}, false},
        {"forced speed, OK", {}, 3, "100M-Full", "", "", {IDOK}, {kForced}, true, 4, 2, 1, 2},
        {"last linked port",
         AllDownBut7(),
         6,
         "Disable",
         "",
         "",
         {},
         {{"Sorry, you can not disable all ports."}},
         false},
        {"a port that is down", AllDownBut7(), 7, "Disable", "", "", {}, {}, true, 8, 7, 1, 2},
        {"flow control, Cancel", {}, 3, "", "", "Enabled", {IDCANCEL}, {kFlowQuestion}, false},
        {"flow control, OK", {}, 3, "", "MDIX", "Enabled", {IDOK}, {kFlowQuestion}, true, 4, 6, 3, 1},
    };
    return cases;
}

class PortSetInfoApplyTest : public PortSetInfoTest, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(PortSetInfoApplyTest, ChecksInOrderThenOneSet) {
    const ApplyCase& c = GetParam();
    for (const std::string& command : c.setup) ASSERT_TRUE(sim->Command(command)) << command;
    // Questions take the case's answers in turn; a plain message is closed with OK.
    std::vector<int> answers;
    size_t next = 0;
    for (const Box& box : c.boxes) {
        answers.push_back(box.buttons == MB_OKCANCEL && next < c.answers.size() ? c.answers[next++] : IDOK);
    }
    Harness ui;
    ui.ScriptMessageBoxes(answers);
    CPortSetInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        sim->ClearRequests();
        if (c.row >= 0) d.ClickListRow(IDC_PORT_LIST, c.row);
        if (!c.speed.empty()) d.ChooseComboItem(IDC_SPEED, c.speed);
        if (!c.mdix.empty()) d.ChooseComboItem(IDC_MDIX, c.mdix);
        if (!c.flow.empty()) d.ChooseComboItem(IDC_FLOW_CONTROL, c.flow);
        d.Click(IDC_APPLY);
        if (c.sent) ReadDone(d);  // the read that follows
        d.Click(IDCANCEL);
    });
    const auto shown = ui.ShownMessageBoxes();
    ASSERT_EQ(shown.size(), c.boxes.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].text, c.boxes[i].text);
        EXPECT_EQ(shown[i].Buttons(), c.boxes[i].buttons) << shown[i].text;
        EXPECT_EQ(shown[i].Icon(), c.boxes[i].icon) << shown[i].text;
        EXPECT_EQ(shown[i].DefaultButton(), c.boxes[i].defaultButton) << shown[i].text;
    }
    const auto sets = Requests("set");
    if (!c.sent) {
        EXPECT_TRUE(sets.empty());
        return;
    }
    ASSERT_EQ(sets.size(), 1u);
    const std::string instance = "." + std::to_string(c.port);
    EXPECT_EQ(sets[0].community, "quastel");
    ASSERT_EQ(Oids(sets[0]), (std::vector<std::string>{kPortTable + "2" + instance, kPortTable + "4" + instance,
                                                       kPortTable + "5" + instance}));
    const int codes[] = {c.speedCode, c.mdixCode, c.flowCode};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(sets[0].varbinds[i].type, "i");
        EXPECT_EQ(sets[0].varbinds[i].value, std::to_string(codes[i]));
    }
    EXPECT_GE(GetNextsFrom(kPortTable + "1"), 1u) << "a read follows the SET";
}

INSTANTIATE_TEST_SUITE_P(Apply, PortSetInfoApplyTest, ::testing::ValuesIn(ApplyCases()),
                         [](const ::testing::TestParamInfo<ApplyCase>& info) {
                             std::string name;
                             for (char ch : info.param.name)
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

// Apply while the trunk walk still waits for an answer: the trunk checks wait for the walk's
// end (here its time-out, with trunk 1 read) instead of judging a table not yet read, which
// would accept everything.
TEST_F(PortSetInfoTest, ApplyDuringTheTrunkWalkWaitsForItsEnd) {
    for (const std::string& command : TrunkOf1And2()) ASSERT_TRUE(sim->Command(command)) << command;
    ASSERT_TRUE(sim->Command("silence " + kTrunkMembers + ".2"));
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    CPortSetInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ListRead(d);
        ASSERT_TRUE(WaitUntil([&] { return GetNextsFrom(kTrunkMembers + ".1") > 0; }));  // the unanswered request
        d.ClickListRow(IDC_PORT_LIST, 0);
        d.ChooseComboItem(IDC_SPEED, "100M-Full");
        d.Click(IDC_APPLY);
        d.Click(IDCANCEL);
    });
    ExpectRefused(ui, "LA port can not support in different speed.");
}

TEST_F(PortSetInfoTest, SwitchWithFewerRowsLeavesUnfilledRowsThatApplyRefuses) {
    Harness ui;
    CPortSetInfo dlg;
    ui.ScriptMessageBoxes({IDOK});
    ui.RunModal(dlg, [&](DialogDriver& d) {
        auto rows = ReadDone(d);
        const auto before = rows[27];
        EXPECT_EQ(before[0], "28");
        // The switch loses its last row: a later read keeps what the row held.
        for (const char* column : {"1", "2", "3", "4", "5", "7"}) ASSERT_TRUE(sim->Command("del " + Cell(column, 28)));
        d.Click(IDC_REFRESH);
        rows = ReadDone(d);
        EXPECT_EQ(rows[27], before);
        d.Click(IDCANCEL);
    });

    // A dialog opened now has never read port 28: the row is unfilled.
    CPortSetInfo fresh;
    ui.RunModal(fresh, [&](DialogDriver& d) {
        const auto rows = ReadDone(d);
        EXPECT_EQ(rows[27], (std::vector<std::string>{"0", "Down", "1000M Full", "Auto", "Disabled"}));
        sim->ClearRequests();
        d.ClickListRow(IDC_PORT_LIST, 27);
        EXPECT_EQ(d.GetText(IDC_PORT_ID), "0");
        d.Click(IDC_APPLY);
        d.Click(IDCANCEL);
    });
    ExpectRefused(ui, "Please Select one port !");
}

TEST_F(PortSetInfoTest, UnansweringSwitchIsReadAgainAfterEachTimeOut) {
    ASSERT_TRUE(sim->Silence("all"));
    // The walk's time-out is 8 s of the program's clock, here 0.4 s: the second read starts
    // after it.
    win::SetClockSpeed(20);
    Harness ui;
    CPortSetInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return GetNextsFrom(kPortTable + "1") >= 2; }, 30s));
        EXPECT_FALSE(d.IsEnabled(IDC_APPLY)) << "a read is running again";
        ASSERT_TRUE(sim->Command("silence off"));
        // The read under way goes on once its request is sent again, or the next one reads;
        // the trunk walk beside it may have ended at its own time-out meanwhile.
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH) && d.GetRows(IDC_PORT_LIST).size() == 28; }, 15s));
        EXPECT_EQ(d.GetRows(IDC_PORT_LIST)[0][0], "1");
        d.Click(IDCANCEL);
    });
}

TEST_F(PortSetInfoTest, ClosingWhileReadingEndsTheWalksAndAReopenedDialogReads) {
    ASSERT_TRUE(sim->Delay(40));
    Harness ui;
    {
        CPortSetInfo dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return GetNextsFrom(kPortTable + "1." + std::to_string(3)) > 0; }, 10s));
            EXPECT_FALSE(d.IsEnabled(IDC_REFRESH));
            d.Click(IDCANCEL);
        });
    }
    const size_t afterClose = Requests("getnext").size();
    // The answers held back are sent and the closed walks' sessions released: a walk that
    // went on would have asked again.
    ASSERT_TRUE(switchsim::Settle(*sim));
    EXPECT_EQ(Requests("getnext").size(), afterClose) << "no walk goes on after the dialog has gone";

    ASSERT_TRUE(sim->Delay(0));
    CPortSetInfo again;
    ui.RunModal(again, [&](DialogDriver& d) {
        EXPECT_EQ(ReadDone(d)[27][0], "28");
        d.Click(IDCANCEL);
    });
}

TEST_F(PortSetInfoTest, LibraryErrorEndsTheReadAndGivesTheButtonsBack) {
    // A wrong pass phrase: the agent refuses every request with a report, which the library
    // reports as its own error, neither a time-out nor the end of the table.
    ModuleStartupParams::SnmpVersion = "3";
    ModuleStartupParams::SecurityLevel = "2";
    ModuleStartupParams::UserName = "simmd5";
    ModuleStartupParams::AuthProtocol = "2";
    ModuleStartupParams::AuthPassword = "not-the-pass";
    Harness ui;
    CPortSetInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH) && d.IsEnabled(IDC_APPLY); }, 15s));
        EXPECT_EQ(d.GetRows(IDC_PORT_LIST).size(), 28u);
        EXPECT_EQ(GetNextsFrom(kPortTable + "1"), 0u) << "no request reached the agent";
        d.Click(IDCANCEL);
    });
}

TEST_F(PortSetInfoTest, PortClickOpensTheSameDialogWithNoPortChosen) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    ui.OnModal<CPortSetInfo>([&](DialogDriver& d) {
        ReadDone(d);
        EXPECT_EQ(d.GetText(IDC_PORT_ID), "");
        d.Click(IDC_APPLY);
        d.Click(IDCANCEL);
    });
    CPort::SetSettingsDialogRunner([] {
        CPortSetInfo dlg;
        dlg.DoModal();
    });
    // The panel's window, as the main window gives it to the element tree.
    CWnd panel;
    ASSERT_TRUE(panel.Create(nullptr, "panel", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
    CDevModule root;
    auto* port = new CPort;
    port->Init(10, 10, 20, 20);
    port->SetPortValue(5);
    root.AddChild(port);
    root.SetOwner(&panel);
    int x = 20, y = 20;
    root.OnLButtonDown(x, y);
    CPort::SetSettingsDialogRunner(nullptr);
    panel.DestroyWindow();

    EXPECT_EQ(ui.ModalRuns<CPortSetInfo>(), 1);
    const auto shown = ui.ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Please Select one port !");
    EXPECT_TRUE(Requests("set").empty());
}

}  // namespace
