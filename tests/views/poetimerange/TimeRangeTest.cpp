// The PoE time range list and its editor against the simulated PoE switch: the rows listed,
// delete, the writes of add and edit, a ninth active row, and the main window's commands.
#include <functional>

#include "resources/menus/CommandIds.h"
#include "resources/templates/PoeTimeRangeDialogsIds.h"
#include "shell/DerariModuleDlg.h"
#include "tests/support/switchsim/Settle.h"
#include "tests/views/SwitchWriteTest.h"
#include "views/LLDPMED.h"
#include "views/TimeRangInfo.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace viewstest;
namespace list_ids = time_range_list_ids;
namespace editor_ids = time_range_editor_ids;

namespace {

const std::string kTable = "1.3.6.1.4.1.32473.10.76.21.1.23.1.1.";
std::string Cell(int column, int index) { return kTable + std::to_string(column) + "." + std::to_string(index); }

class TimeRangeTest : public SwitchWriteTest {
protected:
    TimeRangeTest() : SwitchWriteTest({.model = "DUZ-3300-28P", .ports = 28}) {}

    // Opens the list; the script starts once its walk has ended, on an empty request log.
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        TimeRangInfo dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(list_ids::IDC_REFRESH); }));
            sim->ClearRequests();
            script(d);
            if (d.IsOpen()) d.Close();
        });
    }

    // After Add, Edit or Delete: the list walks the table again.
    void ExpectWalk(DialogDriver& d) const {
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(list_ids::IDC_REFRESH); }));
        EXPECT_GE(GetNextsFrom(kTable + "1"), 1u);
    }

    // A whole active range at `index` set through the control channel.
    void AddRow(int index, const std::string& name) const {
        for (int c = 1; c <= 21; ++c) {
            if (c == 2) Set(Cell(c, index), "s", name);
            else
                Set(Cell(c, index), "i",
                    c == 1             ? std::to_string(index)
                    : c == 21          ? "1"
                    : c == 3           ? "2"
                    : c == 4 || c == 9 ? "2009"
                    : c >= 14          ? "2"
                                       : "1");
        }
    }
};

TEST_F(TimeRangeTest, ListShowsTheActiveRangesWithTheirCells) {
    Set(Cell(3, 1), "i", "1");
    Set(Cell(4, 1), "i", "2010");
    Set(Cell(5, 1), "i", "5");
    Set(Cell(6, 1), "i", "20");
    Set(Cell(8, 1), "i", "5");
    for (int day = 14; day <= 20; ++day) Set(Cell(day, 1), "i", day == 14 || day == 16 || day == 18 ? "1" : "2");
    for (int day = 14; day <= 20; ++day) Set(Cell(day, 3), "i", "2");
    Set(Cell(3, 3), "i", "2");
    ASSERT_TRUE(sim->Delay(100));
    sim->ClearRequests();
    Harness ui;
    TimeRangInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        // While the walk runs the four buttons wait.
        for (int id : {list_ids::IDC_ADD.id, list_ids::IDC_EDIT.id, list_ids::IDC_DELETE.id, list_ids::IDC_REFRESH.id})
            EXPECT_FALSE(d.IsEnabled(id));
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(list_ids::IDC_REFRESH); }));
        EXPECT_EQ(d.GetColumns(list_ids::IDC_LIST),
                  (std::vector<std::string>{"Range Name", "Weekdays", "From Day", "To Day", "Start Time", "End Time"}));
        EXPECT_EQ(d.GetRows(list_ids::IDC_LIST),
                  (std::vector<std::vector<std::string>>{
                      {"office", "Mon,Wed,Fri", "2010/05/20", "2009/01/01", "08:05", "18:00"},
                      {"holiday", "", "", "", "00:00", "23:59"},
                  }));
        const auto walk = Requests("getnext");
        ASSERT_FALSE(walk.empty());
        std::vector<std::string> columns;
        for (int c = 1; c <= 21; ++c) columns.push_back(kTable + std::to_string(c));
        EXPECT_EQ(Oids(walk[0]), columns);
        EXPECT_EQ(dlg.Rows().names, (std::vector<std::string>{"office", "old", "holiday"}));
        EXPECT_EQ(dlg.Rows().listedIndexes, (std::vector<int>{1, 3}));
        d.Close();
    });
}

TEST_F(TimeRangeTest, NonPoeModelListsNothingAndKeepsItsButtons) {
    ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
    Harness ui;
    ui.ScriptMessageBoxes({IDOK, IDOK});
    Run(ui, [&](DialogDriver& d) {
        EXPECT_TRUE(d.GetRows(list_ids::IDC_LIST).empty());
        for (int id : {list_ids::IDC_ADD.id, list_ids::IDC_EDIT.id, list_ids::IDC_DELETE.id})
            EXPECT_TRUE(d.IsEnabled(id));
        // On an empty list the selection messages come without an icon.
        d.Click(list_ids::IDC_DELETE);
        d.Click(list_ids::IDC_EDIT);
        const auto shown = ui.ShownMessageBoxes();
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[0].text, "Please select the Time Range to be deleted!");
        EXPECT_EQ(shown[1].text, "Please select the Time Range to be edit!");
        for (const auto& box : shown) EXPECT_EQ(box.Icon(), 0u);
        EXPECT_TRUE(Sets().empty());
    });
}

TEST_F(TimeRangeTest, DeleteDestroysTheSelectedRangeByItsOwnIndex) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK, IDOK});
    Run(ui, [&](DialogDriver& d) {
        d.Click(list_ids::IDC_DELETE);
        d.Click(list_ids::IDC_EDIT);
        auto shown = ui.ShownMessageBoxes();
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[0].text, "Please select the Time Range to be deleted!");
        EXPECT_EQ(shown[1].text, "Please select the Time Range to be edit!");
        for (const auto& box : shown) EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONINFORMATION));
        EXPECT_TRUE(Sets().empty());

        d.ClickListRow(list_ids::IDC_LIST, 1);
        d.Click(list_ids::IDC_DELETE);
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(Assignments(sets[0]), (std::vector<std::string>{Cell(21, 3) + " i 6"}));
        ExpectWalk(d);
        EXPECT_EQ(d.GetRows(list_ids::IDC_LIST).size(), 1u);
    });
}

TEST_F(TimeRangeTest, AddCreatesTheRowThenWritesItWhole) {
    Harness ui;
    ui.OnModal<TimeBasedConfig>([&](DialogDriver& e) {
        EXPECT_TRUE(e.IsEnabled(editor_ids::IDC_NAME));
        EXPECT_FALSE(e.IsEnabled(editor_ids::IDC_FROM_YEAR));
        e.TypeText(editor_ids::IDC_NAME, "lab");
        e.ChooseComboItem(editor_ids::IDC_START_HOUR, "8");
        e.ChooseComboItem(editor_ids::IDC_END_HOUR, "17");
        e.ChooseComboItem(editor_ids::IDC_END_MINUTE, "30");
        e.Check(editor_ids::IDC_TUE);
        e.Check(editor_ids::IDC_SUN);
        e.Click(editor_ids::IDC_APPLY);
        EXPECT_FALSE(e.IsOpen());
    });
    Run(ui, [&](DialogDriver& d) {
        d.Click(list_ids::IDC_ADD);
        ASSERT_EQ(ui.ModalRuns<TimeBasedConfig>(), 1);
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 2u);
        // Listed 1 and 3: the first free position is index 2.
        EXPECT_EQ(Assignments(sets[0]), (std::vector<std::string>{Cell(21, 2) + " i 5"}));
        std::vector<std::string> row = {Cell(2, 2) + " s 6C6162", Cell(3, 2) + " i 2",   Cell(7, 2) + " i 8",
                                        Cell(8, 2) + " i 0",      Cell(12, 2) + " i 17", Cell(13, 2) + " i 30"};
        for (int day = 14; day <= 20; ++day) row.push_back(Cell(day, 2) + " i " + (day == 15 || day == 20 ? "1" : "2"));
        row.push_back(Cell(21, 2) + " i 1");
        EXPECT_EQ(Assignments(sets[1]), row);
        ExpectWalk(d);
    });
}

TEST_F(TimeRangeTest, AddWithDateWritesTheDateColumns) {
    Harness ui;
    ui.OnModal<TimeBasedConfig>([&](DialogDriver& e) {
        e.TypeText(editor_ids::IDC_NAME, "x");
        e.Check(editor_ids::IDC_DATE);
        EXPECT_TRUE(e.IsEnabled(editor_ids::IDC_TO_DAY));
        e.ChooseComboItem(editor_ids::IDC_FROM_YEAR, "2010");
        e.ChooseComboItem(editor_ids::IDC_TO_YEAR, "2011");
        e.ChooseComboItem(editor_ids::IDC_TO_MONTH, "2");
        e.ChooseComboItem(editor_ids::IDC_END_HOUR, "1");
        e.Click(editor_ids::IDC_APPLY);
    });
    Run(ui, [&](DialogDriver& d) {
        d.Click(list_ids::IDC_ADD);
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 2u);
        const auto row = Assignments(sets[1]);
        const std::vector<std::string> head(row.begin(), row.begin() + 8);
        EXPECT_EQ(head, (std::vector<std::string>{Cell(2, 2) + " s 78", Cell(3, 2) + " i 1", Cell(4, 2) + " i 2010",
                                                  Cell(5, 2) + " i 1", Cell(6, 2) + " i 1", Cell(9, 2) + " i 2011",
                                                  Cell(10, 2) + " i 2", Cell(11, 2) + " i 1"}));
        EXPECT_EQ(row.size(), 20u);
    });
}

TEST_F(TimeRangeTest, EditorRefusalsSendNothing) {
    struct Case {
        const char* name;
        std::function<void(DialogDriver&)> input;
        std::string message;
    };
    const Case cases[] = {
        {"empty name", [](DialogDriver&) {}, "The TimeRange name can not be empty,please input it."},
        {"refused character", [](DialogDriver& e) { e.TypeText(editor_ids::IDC_NAME, "a/b"); },
         "Invalid TimeRange Name."},
        {"unlisted name", [](DialogDriver& e) { e.TypeText(editor_ids::IDC_NAME, "old"); }, "Invalid TimeRange Name."},
        {"defaults", [](DialogDriver& e) { e.TypeText(editor_ids::IDC_NAME, "n"); },
         "'Start Time' and 'End Time' can't be the same"},
        {"22:00 to 6:00",
         [](DialogDriver& e) {
             e.TypeText(editor_ids::IDC_NAME, "n");
             e.ChooseComboItem(editor_ids::IDC_START_HOUR, "22");
             e.ChooseComboItem(editor_ids::IDC_END_HOUR, "6");
         },
         "'Start Time' can't be grater than 'End Time'"},
        {"to year",
         [](DialogDriver& e) {
             e.TypeText(editor_ids::IDC_NAME, "n");
             e.Check(editor_ids::IDC_DATE);
             e.ChooseComboItem(editor_ids::IDC_FROM_YEAR, "2011");
             e.ChooseComboItem(editor_ids::IDC_END_HOUR, "6");
         },
         "'To year' can't be less than 'From year'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        ui.OnModal<TimeBasedConfig>([&](DialogDriver& e) {
            c.input(e);
            e.Click(editor_ids::IDC_APPLY);
            EXPECT_TRUE(e.IsOpen());
            ExpectRefused(ui, c.message);
            EXPECT_EQ(ui.ShownMessageBoxes().at(0).Icon(), 0u);
            e.Close();
        });
        Run(ui, [&](DialogDriver& d) { d.Click(list_ids::IDC_ADD); });
    }
}

TEST_F(TimeRangeTest, EditTakesTheRowOutOfServiceRewritesItAndSetsItActive) {
    Harness ui;
    ui.OnModal<TimeBasedConfig>([&](DialogDriver& e) {
        EXPECT_FALSE(e.IsEnabled(editor_ids::IDC_NAME));
        ASSERT_TRUE(WaitUntil([&] { return e.IsEnabled(editor_ids::IDC_APPLY); }));
        EXPECT_EQ(e.GetText(editor_ids::IDC_NAME), "holiday");
        EXPECT_TRUE(e.IsChecked(editor_ids::IDC_DATE));
        EXPECT_EQ(e.GetText(editor_ids::IDC_FROM_YEAR), "2010");
        EXPECT_EQ(e.GetText(editor_ids::IDC_TO_DAY), "31");
        EXPECT_EQ(e.GetText(editor_ids::IDC_END_MINUTE), "59");
        EXPECT_TRUE(e.IsChecked(editor_ids::IDC_SAT));
        EXPECT_FALSE(e.IsChecked(editor_ids::IDC_MON));
        e.ChooseComboItem(editor_ids::IDC_END_HOUR, "22");
        sim->ClearRequests();
        e.Click(editor_ids::IDC_APPLY);
    });
    Run(ui, [&](DialogDriver& d) {
        d.ClickListRow(list_ids::IDC_LIST, 1);
        d.Click(list_ids::IDC_EDIT);
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 2u);
        EXPECT_EQ(Assignments(sets[0]), (std::vector<std::string>{Cell(21, 3) + " i 2"}));
        const auto row = Assignments(sets[1]);
        EXPECT_EQ(row.front(), Cell(2, 3) + " s 686F6C69646179");
        EXPECT_NE(std::find(row.begin(), row.end(), Cell(12, 3) + " i 22"), row.end());
        EXPECT_EQ(row.back(), Cell(21, 3) + " i 1");
        ExpectWalk(d);
        EXPECT_EQ(d.GetRows(list_ids::IDC_LIST)[1][5], "22:59");
    });
}

TEST_F(TimeRangeTest, EditAfterAFailedReadCanOnlyCancel) {
    ShortTimeout();
    Harness ui;
    ui.OnModal<TimeBasedConfig>([&](DialogDriver& e) {
        ASSERT_TRUE(WaitUntil([&] { return !Requests("get").empty(); }));
        // The read has timed out and its end has been handled.
        EXPECT_TRUE(switchsim::NoRequestOut());
        EXPECT_FALSE(e.IsEnabled(editor_ids::IDC_APPLY));
        e.Close();
    });
    Run(ui, [&](DialogDriver& d) {
        ASSERT_TRUE(sim->Silence(kTable + "1.3"));
        d.ClickListRow(list_ids::IDC_LIST, 1);
        d.Click(list_ids::IDC_EDIT);
        EXPECT_EQ(ui.ModalRuns<TimeBasedConfig>(), 1);
        EXPECT_TRUE(Sets().empty());
    });
}

TEST_F(TimeRangeTest, NinthActiveRowKeepsItsIndex) {
    // With 1 and 3: nine active, the ninth listed at index 10.
    for (int index : {4, 5, 6, 7, 8, 9, 10}) AddRow(index, "r" + std::to_string(index));
    Harness ui;
    std::string editedName;
    ui.OnModal<TimeBasedConfig>([&](DialogDriver& e) {
        ASSERT_TRUE(WaitUntil([&] { return e.IsEnabled(editor_ids::IDC_APPLY); }));
        editedName = e.GetText(editor_ids::IDC_NAME);
        e.Close();
    });
    Run(ui, [&](DialogDriver& d) {
        ASSERT_EQ(d.GetRows(list_ids::IDC_LIST).size(), 9u);
        d.ClickListRow(list_ids::IDC_LIST, 8);
        d.Click(list_ids::IDC_EDIT);
        EXPECT_EQ(editedName, "r10");
        ExpectWalk(d);
        d.ClickListRow(list_ids::IDC_LIST, 8);
        sim->ClearRequests();
        d.Click(list_ids::IDC_DELETE);
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(Assignments(sets[0]), (std::vector<std::string>{Cell(21, 10) + " i 6"}));
    });
}

TEST_F(TimeRangeTest, EightActiveRangesLeaveNoRoom) {
    for (int index : {2, 4, 5, 6, 7, 8}) AddRow(index, "r" + std::to_string(index));
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    ui.OnModal<TimeBasedConfig>([&](DialogDriver& e) {
        e.TypeText(editor_ids::IDC_NAME, "n");
        e.ChooseComboItem(editor_ids::IDC_END_HOUR, "6");
        e.Click(editor_ids::IDC_APPLY);
        EXPECT_FALSE(e.IsOpen());
    });
    Run(ui, [&](DialogDriver& d) {
        d.Click(list_ids::IDC_ADD);
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "The max number of PoE Time Range is 8");
        EXPECT_TRUE(Sets().empty());
    });
}

// The main window runs both dialogs from commands no menu item carries, with polling paused.
TEST_F(TimeRangeTest, MainWindowCommandsRunTheDialogsWithPollingPaused) {
    const ModelIni ini("DUZ-3300-28P", RESOURCES_DIR);
    Harness ui;
    CDerariModuleDlg main(nullptr, ini.path);
    std::vector<int> paused;
    ui.OnModal<TimeRangInfo>([&](DialogDriver& d) {
        paused.push_back(main.m_bPause.load());
        d.Close();
    });
    ui.OnModal<CLLDPMED>([&](DialogDriver& d) {
        paused.push_back(main.m_bPause.load());
        d.Close();
    });
    ui.RunModal(main, [&](DialogDriver& d) {
        d.Window().PostMessage(WM_COMMAND, ID_POE_TIME_RANGES, 0);
        EXPECT_TRUE(WaitUntil([&] { return ui.ModalRuns<TimeRangInfo>() == 1 && main.IsWindowVisible(); }));
        d.Window().PostMessage(WM_COMMAND, ID_LLDP_MED, 0);
        EXPECT_TRUE(WaitUntil([&] { return ui.ModalRuns<CLLDPMED>() == 1 && main.IsWindowVisible(); }));
        d.Close();
    });
    EXPECT_EQ(paused, (std::vector<int>{1, 1}));
}

}  // namespace
