// PoE port settings against the simulated PoE switch: the two walks in their order, the
// cells, the range of ports written one SET a port, the watt check, the port range lists.
#include <chrono>
#include <string>
#include <vector>

#include "features/ports/POEConfigDlg.h"
#include "resources/templates/PoEDialogsIds.h"
#include "tests/features/ports/PoEFixture.h"
#include "tests/support/switchsim/Settle.h"

using namespace poeids;
using namespace std::chrono_literals;
using poetest::kPortTable;
using poetest::kProfiles;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace {

const std::string kWattMessage = "The per-port power limit must be a multiple of 0.2";

class PoEConfigTest : public poetest::PoETest {
protected:
    void SetUp() override {
        PoETest::SetUp();
        // The two profiles of the model and no others.
        std::string commands;
        for (int index = 3; index <= 10; ++index) {
            for (int column = 1; column <= 21; ++column) {
                commands += "del " + kProfiles + std::to_string(column) + "." + std::to_string(index) + "\n";
            }
        }
        s_sim->Control(commands);
        Set(kProfiles + "2.1", "s", "Office");
        Set(kProfiles + "2.2", "s", "Holiday");
    }

    // The port walks started so far (their first request).
    static size_t PortWalks() { return RequestsFrom("getnext", kPortTable + "3"); }

    // The list once the port walk has filled it and given the buttons back.
    static poetest::Rows Loaded(DialogDriver& d, size_t walks = 1) {
        EXPECT_TRUE(WaitUntil(
            [&] {
                return PortWalks() >= walks && d.IsEnabled(IDC_POE_APPLY) && d.GetRows(IDC_POE_PORT_LIST).size() == 24;
            },
            30s));
        return d.GetRows(IDC_POE_PORT_LIST);
    }

    static std::vector<std::string> PortSet(int port, const std::vector<std::pair<int, std::string>>& values) {
        std::vector<std::string> out;
        for (const auto& [column, typedValue] : values) {
            out.push_back(PortCell(column, port) + " " + typedValue);
        }
        return out;
    }
};

TEST_F(PoEConfigTest, OpeningReadsTheTimeRangesBeforeThePorts) {
    Harness ui;
    CPOEConfigDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Loaded(d);
        EXPECT_EQ(d.GetItems(IDC_POE_TIME_RANGE), (std::vector<std::string>{"N/A", "Office", "Holiday"}));
        EXPECT_EQ(d.GetSelection(IDC_POE_TIME_RANGE), 0);
        std::vector<std::string> ports;
        for (int p = 1; p <= 24; ++p) ports.push_back(std::to_string(p));
        EXPECT_EQ(d.GetItems(IDC_POE_FROM_PORT), ports);
        EXPECT_EQ(d.GetItems(IDC_POE_TO_PORT), ports);
        EXPECT_EQ(d.GetText(IDC_POE_FROM_PORT), "1");
        EXPECT_EQ(d.GetText(IDC_POE_TO_PORT), "24");
        EXPECT_EQ(d.GetItems(IDC_POE_STATE), (std::vector<std::string>{"Enable", "Disable"}));
        EXPECT_EQ(d.GetText(IDC_POE_PRIORITY), "Normal");
        EXPECT_EQ(d.GetItems(IDC_POE_POWER_LIMIT),
                  (std::vector<std::string>{"Auto", "Class 1", "Class 2", "Class 3", "Class 4"}));
        EXPECT_FALSE(d.IsEnabled(IDC_POE_WATTS));
        EXPECT_EQ(d.GetColumns(IDC_POE_PORT_LIST),
                  (std::vector<std::string>{"Index", "State", "Time Range", "Priority", "Power Limit", "Power(W)",
                                            "Voltage(V)", "Current(mA)", "Classification", "Status"}));
        d.Click(IDCANCEL);
    });
    // The time-range walk runs to its end before the port walk starts.
    const auto walks = Requests("getnext");
    size_t lastTimeRange = 0;
    size_t firstPort = walks.size();
    for (size_t i = 0; i < walks.size(); ++i) {
        const std::string first = walks[i].varbinds.empty() ? "" : walks[i].varbinds[0].oid;
        if (first.rfind(kProfiles + "1", 0) == 0) lastTimeRange = i;
        if (first.rfind(kPortTable + "3", 0) == 0 && firstPort == walks.size()) firstPort = i;
    }
    ASSERT_LT(firstPort, walks.size());
    EXPECT_LT(lastTimeRange, firstPort);
    EXPECT_EQ(Varbinds(walks[0]), (std::vector<std::string>{kProfiles + "1 null", kProfiles + "2 null"}));
    std::vector<std::string> columns;
    for (const char* c : {"3", "4", "5", "6", "9", "10", "11", "12", "13", "7", "8"}) {
        columns.push_back(kPortTable + c + " null");
    }
    EXPECT_EQ(Varbinds(walks[firstPort]), columns);
    const auto lines = ui.CapturedDebugLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "GetTimeRangeGetTimeRangeGetTimeRange"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "----------ResetEvent(pThis->m_hEvenSnmpGet) "), lines.end());
}

TEST_F(PoEConfigTest, CellsShowTheSwitchsCodesAsTexts) {
    struct Port {
        int port;
        std::string state, timeRange, priority, klass, userFlag, watts;
        std::vector<std::string> cells;  // Index to Power Limit
    };
    const std::vector<Port> ports = {
        {1, "1", "0", "1", "1", "2", "15.4", {"1", "Enable", "N/A", "Low", "Auto"}},
        {2, "2", "1", "2", "3", "2", "15.4", {"2", "Disable", "Office", "Normal", "Class 2"}},
        {3, "1", "7", "3", "5", "2", "15.4", {"3", "Enable", "", "High", "Class 4"}},
        {4, "1", "2", "2", "2", "1", "12.2", {"4", "Enable", "Holiday", "Normal", "12.2"}},
        {5, "2", "0", "2", "4", "1", "12.2", {"5", "Disable", "N/A", "Normal", "Class 3"}},
        {6, "1", "0", "2", "6", "2", "15.4", {"6", "Enable", "N/A", "Normal", ""}},
    };
    for (const Port& p : ports) {
        Set(PortCell(3, p.port), "i", p.state);
        Set(PortCell(4, p.port), "i", p.timeRange);
        Set(PortCell(5, p.port), "i", p.priority);
        Set(PortCell(6, p.port), "i", p.klass);
        Set(PortCell(7, p.port), "i", p.userFlag);
        Set(PortCell(8, p.port), "s", p.watts);
    }
    Harness ui;
    CPOEConfigDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        const auto rows = Loaded(d);
        for (const Port& p : ports) {
            const auto& row = rows[static_cast<size_t>(p.port - 1)];
            EXPECT_EQ(std::vector<std::string>(row.begin(), row.begin() + 5), p.cells) << "port " << p.port;
        }
        // The readings as the switch gives them: port 1 is powered, port 3 is not.
        EXPECT_EQ(std::vector<std::string>(rows[0].begin() + 5, rows[0].end()),
                  (std::vector<std::string>{"3.8", "53", "72", "2", "POWER ON"}));
        EXPECT_EQ(std::vector<std::string>(rows[2].begin() + 5, rows[2].end()),
                  (std::vector<std::string>{"0", "0", "0", "0", "POWER OFF"}));
        d.Click(IDCANCEL);
    });
}

TEST_F(PoEConfigTest, RefreshWhoseTimeRangeWalkTimesOutKeepsTheRows) {
    ModuleStartupParams::TimeoutMs = "300";
    Harness ui;
    CPOEConfigDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Loaded(d);
        ASSERT_TRUE(s_sim->Silence(kProfiles + "2"));
        const size_t silentBefore = Requests("getnext").size();
        d.Click(IDC_POE_REFRESH);
        EXPECT_TRUE(WaitUntil([&] { return Requests("getnext").size() > silentBefore; }, 30s));
        // Past the walk's time-out on the program clock, and its end handled: nothing more
        // was asked and the list stays.
        ui::test::PumpProgramTime(800);
        ASSERT_TRUE(switchsim::Settle(*s_sim));
        EXPECT_EQ(PortWalks(), 1u);
        EXPECT_EQ(d.GetRows(IDC_POE_PORT_LIST).size(), 24u);
        EXPECT_TRUE(d.IsEnabled(IDC_POE_REFRESH));
        EXPECT_TRUE(d.IsEnabled(IDC_POE_APPLY));
        EXPECT_EQ(d.GetItems(IDC_POE_TIME_RANGE), (std::vector<std::string>{"N/A"}));
        // Once the switch answers again, a refresh reads both tables.
        s_sim->ClearFaults();
        d.Click(IDC_POE_REFRESH);
        Loaded(d, 2);
        EXPECT_EQ(d.GetItems(IDC_POE_TIME_RANGE), (std::vector<std::string>{"N/A", "Office", "Holiday"}));
        d.Click(IDCANCEL);
    });
}

struct ApplyCase {
    std::string name;
    std::string state, timeRange, priority, powerLimit;
    std::string watts;                              // "" leaves "User Define" unchecked
    std::vector<std::pair<int, std::string>> sent;  // column, "TYPE VALUE"
};

TEST_F(PoEConfigTest, ApplyWritesEachPortOfTheRangeThenReadsAgain) {
    const std::vector<ApplyCase> cases = {
        {"enabled by class",
         "Enable",
         "Office",
         "High",
         "Class 2",
         "",
         {{3, "i 1"}, {4, "i 1"}, {5, "i 3"}, {7, "i 2"}, {6, "i 3"}}},
        {"disabled by class",
         "Disable",
         "Office",
         "High",
         "Class 2",
         "",
         {{3, "i 2"}, {4, "i 0"}, {5, "i 2"}, {7, "i 2"}, {6, "i 1"}}},
        {"enabled in watts",
         "Enable",
         "Holiday",
         "Low",
         "Auto",
         "15.4",
         {{3, "i 1"}, {4, "i 2"}, {5, "i 1"}, {7, "i 1"}, {8, "s 15.4"}}},
        {"disabled in watts",
         "Disable",
         "Holiday",
         "Low",
         "Auto",
         "0",
         {{3, "i 2"}, {4, "i 0"}, {5, "i 2"}, {7, "i 1"}, {8, "s 0"}}},
    };
    win::SetClockSpeed(20);
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.name);
        Harness ui;
        CPOEConfigDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            Loaded(d);
            s_sim->ClearRequests();
            d.ChooseComboItem(IDC_POE_FROM_PORT, "3");
            d.ChooseComboItem(IDC_POE_TO_PORT, "5");
            d.ChooseComboItem(IDC_POE_STATE, c.state);
            d.ChooseComboItem(IDC_POE_TIME_RANGE, c.timeRange);
            d.ChooseComboItem(IDC_POE_PRIORITY, c.priority);
            d.ChooseComboItem(IDC_POE_POWER_LIMIT, c.powerLimit);
            if (!c.watts.empty()) {
                d.Check(IDC_POE_USER_DEFINE);
                d.TypeText(IDC_POE_WATTS, c.watts);
            }
            d.Click(IDC_POE_APPLY);
            Loaded(d);
            d.Click(IDCANCEL);
        });
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), 3u);
        for (int port = 3; port <= 5; ++port) {
            EXPECT_EQ(Varbinds(sets[static_cast<size_t>(port - 3)]), PortSet(port, c.sent)) << "port " << port;
        }
        // Then one port walk.
        EXPECT_EQ(PortWalks(), 1u);
        EXPECT_GT(s_sim->Requests().back().seq, sets.back().seq);
    }
}

TEST_F(PoEConfigTest, WattsThatAreNotAMultipleOfOneFifthSendNothing) {
    for (const std::string watts : {"15.5", "-1", "abc", "15.4W", ""}) {
        SCOPED_TRACE(watts);
        Harness ui;
        CPOEConfigDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            Loaded(d);
            s_sim->ClearRequests();
            d.ChooseComboItem(IDC_POE_FROM_PORT, "3");
            d.ChooseComboItem(IDC_POE_TO_PORT, "5");
            d.Check(IDC_POE_USER_DEFINE);
            d.TypeText(IDC_POE_WATTS, watts);
            ui.ScriptMessageBoxes({IDOK});
            d.Click(IDC_POE_APPLY);
            ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
            EXPECT_EQ(ui.ShownMessageBoxes()[0].text, kWattMessage);
            d.Click(IDCANCEL);
        });
        EXPECT_TRUE(Requests("set").empty());
        EXPECT_EQ(PortWalks(), 0u);
    }
}

TEST_F(PoEConfigTest, WattCheckTable) {
    struct Case {
        std::string text;
        bool number, accepted;
        float a;
        int b;
    };
    const std::vector<Case> cases = {
        {"15.4", true, true, 77.0f, 77}, {"0", true, true, 0.0f, 0},       {"0.6", true, true, 3.0f, 3},
        {"30", true, true, 150.0f, 150}, {"15.5", true, false, 77.5f, 78}, {"-1", true, false, -5.0f, -4},
        {"0.1", true, false, 0.5f, 1},   {"abc", false, false, 0, 0},      {"15.4W", false, false, 0, 0},
        {"", false, false, 0, 0},        {" 15.4", false, false, 0, 0},    {"1e1", false, false, 0, 0},
    };
    for (const Case& c : cases) {
        const auto check = CPOEConfigDlg::CheckWatts(c.text);
        EXPECT_EQ(check.number, c.number) << c.text;
        EXPECT_EQ(check.accepted, c.accepted) << c.text;
        if (c.number) {
            EXPECT_FLOAT_EQ(check.a, c.a) << c.text;
            EXPECT_EQ(check.b, c.b) << c.text;
        }
    }
}

TEST_F(PoEConfigTest, DebuggerLinesOfApplyAndClose) {
    Harness ui;
    CPOEConfigDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Loaded(d);
        d.ChooseComboItem(IDC_POE_FROM_PORT, "4");
        d.Check(IDC_POE_USER_DEFINE);
        EXPECT_TRUE(d.IsEnabled(IDC_POE_WATTS));
        EXPECT_FALSE(d.IsEnabled(IDC_POE_POWER_LIMIT));
        d.TypeText(IDC_POE_WATTS, "15.4");
        d.Click(IDC_POE_APPLY);
        Loaded(d, 2);
        d.Click(IDCANCEL);
    });
    const auto lines = ui.CapturedDebugLines();
    auto at =
        std::find(lines.begin(), lines.end(), "\nm_CtrlUserdefe.GetCheck() == 1,m_CtrlUserdefe.GetCheck() == 1\n");
    ASSERT_NE(at, lines.end());
    ASSERT_NE(at + 1, lines.end());
    EXPECT_EQ(*(at + 1), "/////// a = 77.000000, b = 77 \n");
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
              (std::vector<std::string>{"==================DestroyWindow===============",
                                        "==================m_cCommonSNMPTimeRang.Close===============",
                                        "==================m_cCommonSNMP.Close===============",
                                        "==================m_cCommonSNMPSet.Close==============="}));
}

TEST_F(PoEConfigTest, PortRangeListsAndRowSelection) {
    Set(PortCell(3, 4), "i", "2");
    Harness ui;
    CPOEConfigDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Loaded(d);
        d.ChooseComboItem(IDC_POE_FROM_PORT, "5");
        EXPECT_EQ(d.GetText(IDC_POE_TO_PORT), "5");
        ui.ScriptMessageBoxes({IDOK});
        d.ChooseComboItem(IDC_POE_TO_PORT, "3");
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "'To Port' can not be smaller than 'From Port'");
        EXPECT_EQ(d.GetText(IDC_POE_TO_PORT), "5");
        d.ChooseComboItem(IDC_POE_FROM_PORT, "7");
        EXPECT_EQ(d.GetText(IDC_POE_TO_PORT), "7");
        d.ClickListRow(IDC_POE_PORT_LIST, 3);
        EXPECT_EQ(d.GetText(IDC_POE_FROM_PORT), "4");
        EXPECT_EQ(d.GetText(IDC_POE_TO_PORT), "4");
        EXPECT_EQ(d.GetText(IDC_POE_STATE), "Disable");
        d.ClickListRow(IDC_POE_PORT_LIST, 0);
        EXPECT_EQ(d.GetText(IDC_POE_STATE), "Enable");
        d.Click(IDCANCEL);
    });
}

TEST_F(PoEConfigTest, AllPortsAreWrittenInOrderThenReadAgain) {
    win::SetClockSpeed(50);
    Harness ui;
    CPOEConfigDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Loaded(d);
        s_sim->ClearRequests();
        d.Click(IDC_POE_APPLY);
        Loaded(d);
        d.Click(IDCANCEL);
    });
    const auto sets = Requests("set");
    ASSERT_EQ(sets.size(), 24u);
    for (int port = 1; port <= 24; ++port) {
        EXPECT_EQ(sets[static_cast<size_t>(port - 1)].varbinds[0].oid, PortCell(3, port));
    }
    EXPECT_EQ(PortWalks(), 1u);
    EXPECT_GT(s_sim->Requests().back().seq, sets.back().seq);
}

TEST_F(PoEConfigTest, MoreThanEightProfilesOfferTheFirstEight) {
    for (int index = 3; index <= 10; ++index) {
        const std::string i = "." + std::to_string(index);
        Set(kProfiles + "1" + i, "i", std::to_string(index));
        Set(kProfiles + "2" + i, "s", "P" + std::to_string(index));
    }
    // Port 1 names profile 8 (the eighth read), port 2 profile 9 (not kept).
    Set(PortCell(4, 1), "i", "8");
    Set(PortCell(4, 2), "i", "9");
    Harness ui;
    CPOEConfigDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        const auto rows = Loaded(d);
        EXPECT_EQ(d.GetItems(IDC_POE_TIME_RANGE),
                  (std::vector<std::string>{"N/A", "Office", "Holiday", "P3", "P4", "P5", "P6", "P7", "P8"}));
        EXPECT_EQ(rows[0][2], "P8");
        EXPECT_EQ(rows[1][2], "");
        d.Click(IDCANCEL);
    });
}

}  // namespace
