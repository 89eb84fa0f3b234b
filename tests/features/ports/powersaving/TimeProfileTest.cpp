// Time profiles against the simulated switch: the list as the walk fills it, the row created
// and then written in one SET, the index a new profile takes, the checks of Add, deletion.
#include <algorithm>
#include <string>
#include <vector>

#include "features/ports/TimeProfileCheck.h"
#include "features/ports/TimeProfileInfo.h"
#include "resources/templates/PowerSavingDialogsIds.h"
#include "tests/features/ports/powersaving/PowerSavingFixture.h"

using namespace time_profile_ids;
using namespace std::chrono_literals;
using powersavingtest::Rows;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace {

const std::vector<std::string> kOffice = {"Office", "Mon,Tue,Wed,Thu,Fri", "", "", "08:00", "18:00"};
const std::vector<std::string> kHoliday = {
    "Holiday", "Mon,Tue,Wed,Thu,Fri,Sat,Sun", "2024/12/24", "2025/01/02", "00:00", "23:59"};

class TimeProfileTest : public powersavingtest::PowerSavingTest {
protected:
    // The list once the walk started last has ended.
    static Rows Listed(DialogDriver& d, CTimeProfileInfo& dlg) {
        EXPECT_TRUE(WaitUntil([&] { return !dlg.WalkRunning(); }, 30s));
        return d.GetRows(IDC_LIST);
    }

    // The SET of a new profile's columns, as "OID TYPE VALUE".
    static std::vector<std::string> ColumnSet(int index, const std::vector<std::pair<int, std::string>>& columns) {
        std::vector<std::string> out;
        for (const auto& [column, typed] : columns) out.push_back(Cell(column, index) + " " + typed);
        return out;
    }
};

struct Times {
    std::string startHour, startMinute, endHour, endMinute;
};

void ChooseTimes(DialogDriver& d, const Times& t) {
    d.ChooseComboItem(IDC_START_HOUR, t.startHour);
    d.ChooseComboItem(IDC_START_MINUTE, t.startMinute);
    d.ChooseComboItem(IDC_END_HOUR, t.endHour);
    d.ChooseComboItem(IDC_END_MINUTE, t.endMinute);
}

// "Date" checked and both dates chosen, year, month and day.
void ChooseDates(DialogDriver& d, const std::vector<std::string>& from, const std::vector<std::string>& to) {
    d.Check(IDC_DATE);
    d.ChooseComboItem(IDC_START_YEAR, from[0]);
    d.ChooseComboItem(IDC_START_MONTH, from[1]);
    d.ChooseComboItem(IDC_START_DAY, from[2]);
    d.ChooseComboItem(IDC_END_YEAR, to[0]);
    d.ChooseComboItem(IDC_END_MONTH, to[1]);
    d.ChooseComboItem(IDC_END_DAY, to[2]);
}

TEST_F(TimeProfileTest, ListShowsActiveRowsWithTheirDaysDatesAndTimes) {
    Harness ui;
    CTimeProfileInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_EQ(Listed(d, dlg), (Rows{kOffice, kHoliday}));
        EXPECT_EQ(d.GetColumns(IDC_LIST), (std::vector<std::string>{"Profile Name", "Weekdays", "From Day", "To Day",
                                                                    "Start Time", "End Time"}));
        EXPECT_FALSE(d.IsChecked(IDC_DATE));
        EXPECT_FALSE(d.IsEnabled(IDC_START_YEAR));
        EXPECT_FALSE(d.IsEnabled(IDC_END_DAY));
        d.Check(IDC_DATE);
        EXPECT_TRUE(d.IsEnabled(IDC_START_YEAR));
        EXPECT_TRUE(d.IsEnabled(IDC_END_DAY));

        // A row not active is not listed; single digits show with two.
        Set(Cell(21, 2), "i", "2");
        Set(Cell(7, 1), "i", "7");
        Set(Cell(8, 1), "i", "5");
        d.Click(IDC_REFRESH);
        EXPECT_EQ(Listed(d, dlg), (Rows{{"Office", "Mon,Tue,Wed,Thu,Fri", "", "", "07:05", "18:00"}}));
        d.Click(IDCANCEL);
    });
    // The walk asks for the 21 columns together.
    const auto walks = Requests("getnext");
    ASSERT_FALSE(walks.empty());
    std::vector<std::string> columns;
    for (int column = 1; column <= 21; ++column)
        columns.push_back(powersavingtest::kProfiles + std::to_string(column) + " null");
    EXPECT_EQ(Varbinds(walks[0]), columns);
}

TEST_F(TimeProfileTest, RefreshWhileTheWalkRunsListsEachRowOnce) {
    Harness ui;
    CTimeProfileInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Listed(d, dlg);
        s_sim->Control("delay 40\n");
        d.Click(IDC_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return d.GetRows(IDC_LIST).size() == 1; }, 30s));
        d.Click(IDC_REFRESH);
        EXPECT_EQ(Listed(d, dlg), (Rows{kOffice, kHoliday}));
        s_sim->Control("delay 0\n");
        d.Click(IDCANCEL);
    });
}

TEST_F(TimeProfileTest, AddCreatesTheRowThenWritesItsColumnsInOneSet) {
    Harness ui;
    CTimeProfileInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Listed(d, dlg);
        d.TypeText(IDC_NAME, "Lab");
        ChooseTimes(d, {"22", "0", "6", "0"});
        for (auto day : {IDC_MON, IDC_WED, IDC_FRI}) d.Check(day);
        d.Click(IDC_ADD);
        EXPECT_EQ(Listed(d, dlg), (Rows{kOffice, kHoliday, {"Lab", "Mon,Wed,Fri", "", "", "22:00", "06:00"}}));

        // With "Date" the six date columns follow the date flag, as plain decimals.
        d.TypeText(IDC_NAME, "Term");
        ChooseDates(d, {"2012", "3", "5"}, {"2012", "11", "7"});
        ChooseTimes(d, {"7", "5", "9", "30"});
        d.Check(IDC_ALL_DAYS);
        d.Click(IDC_ADD);
        EXPECT_EQ(Listed(d, dlg),
                  (Rows{kOffice,
                        kHoliday,
                        {"Lab", "Mon,Wed,Fri", "", "", "22:00", "06:00"},
                        {"Term", "Mon,Tue,Wed,Thu,Fri,Sat,Sun", "2012/03/05", "2012/11/07", "07:05", "09:30"}}));
        d.Click(IDCANCEL);
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 4u);
    EXPECT_EQ(Varbinds(sets[0]), (std::vector<std::string>{Cell(21, 3) + " i 5"}));
    EXPECT_EQ(Varbinds(sets[1]), ColumnSet(3, {{2, "s Lab"},
                                               {3, "i 2"},
                                               {7, "i 22"},
                                               {8, "i 0"},
                                               {12, "i 6"},
                                               {13, "i 0"},
                                               {14, "i 1"},
                                               {15, "i 2"},
                                               {16, "i 1"},
                                               {17, "i 2"},
                                               {18, "i 1"},
                                               {19, "i 2"},
                                               {20, "i 2"},
                                               {21, "i 1"}}));
    EXPECT_EQ(Varbinds(sets[2]), (std::vector<std::string>{Cell(21, 4) + " i 5"}));
    EXPECT_EQ(Varbinds(sets[3]), ColumnSet(4, {{2, "s Term"}, {3, "i 1"},   {4, "i 2012"}, {5, "i 3"},  {6, "i 5"},
                                               {9, "i 2012"}, {10, "i 11"}, {11, "i 7"},   {7, "i 7"},  {8, "i 5"},
                                               {12, "i 9"},   {13, "i 30"}, {14, "i 1"},   {15, "i 1"}, {16, "i 1"},
                                               {17, "i 1"},   {18, "i 1"},  {19, "i 1"},   {20, "i 1"}, {21, "i 1"}}));
}

struct IndexCase {
    std::string name;
    std::vector<int> active;   // rows added besides the seeded ones
    std::vector<int> removed;  // seeded rows removed
    int notInService = 0;      // a row created and never completed
    int expected;
};

TEST_F(TimeProfileTest, NewProfileTakesTheLowestIndexNoListedRowUses) {
    const std::vector<IndexCase> cases = {
        {"gap at 3", {4}, {}, 0, 3},
        {"no rows", {}, {1, 2}, 0, 1},
        {"a row left not in service counts as free", {}, {}, 3, 3},
    };
    for (const IndexCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetProfiles();
        for (int index : c.active) AddProfile(index, "P" + std::to_string(index));
        for (int index : c.removed) DeleteProfile(index);
        if (c.notInService != 0) AddProfile(c.notInService, "", "2");
        Harness ui;
        CTimeProfileInfo dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            Listed(d, dlg);
            d.TypeText(IDC_NAME, "New");
            ChooseTimes(d, {"8", "0", "9", "0"});
            d.Click(IDC_ADD);
            const Rows rows = Listed(d, dlg);
            EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](const auto& row) { return row[0] == "New"; }));
            d.Click(IDCANCEL);
        });
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 2u);
        EXPECT_EQ(Varbinds(sets[0]), (std::vector<std::string>{Cell(21, c.expected) + " i 5"}));
        EXPECT_EQ(sets[1].varbinds.front().oid, Cell(2, c.expected));
        EXPECT_EQ(s_sim->GetObject(Cell(21, c.expected)).value_or(""), "i 1");
    }
}

TEST_F(TimeProfileTest, ARowWhoseColumnsWereRefusedIsCompletedByTheNextAdd) {
    Harness ui;
    CTimeProfileInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Listed(d, dlg);
        ASSERT_TRUE(s_sim->InjectError(Cell(2, 3), "wrongValue"));
        d.TypeText(IDC_NAME, "Lab");
        ChooseTimes(d, {"8", "0", "9", "0"});
        d.Click(IDC_ADD);
        // Created but never made active: not listed, and no re-read.
        EXPECT_EQ(s_sim->GetObject(Cell(21, 3)).value_or(""), "i 2");
        EXPECT_EQ(RequestsFrom("getnext", powersavingtest::kProfiles + "1"), 1u);
        d.Click(IDC_REFRESH);
        EXPECT_EQ(Listed(d, dlg), (Rows{kOffice, kHoliday}));

        // The same index again: the switch refuses the second creation, the columns make the
        // row active.
        s_sim->ClearFaults();
        d.Click(IDC_ADD);
        EXPECT_EQ(Listed(d, dlg), (Rows{kOffice, kHoliday, {"Lab", "", "", "", "08:00", "09:00"}}));
        d.Click(IDCANCEL);
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 4u);
    EXPECT_EQ(Varbinds(sets[2]), (std::vector<std::string>{Cell(21, 3) + " i 5"}));
    EXPECT_NE(sets[2].errorStatus, 0);
    EXPECT_EQ(sets[3].varbinds.back().oid, Cell(21, 3));
    EXPECT_EQ(s_sim->GetObject(Cell(21, 3)).value_or(""), "i 1");
}

struct RefusalCase {
    std::string name;
    std::string profileName;
    Times times;
    std::vector<std::string> from, to;  // empty: "Date" unchecked
    std::string message;
};

TEST_F(TimeProfileTest, AddRefusesWithAMessageAndSendsNothing) {
    const Times day = {"8", "0", "18", "0"};
    const std::vector<RefusalCase> cases = {
        {"empty name", "", day, {}, {}, "The Profile name can not be empty,please input it."},
        {"special character", "a#b", day, {}, {}, "Invalid Profile name."},
        {"listed name", "Office", day, {}, {}, "The Profile Name is exist."},
        {"same times",
         "Lab",
         {"8", "30", "8", "30"},
         {"2012", "1", "1"},
         {"2013", "1", "1"},
         "'Start Time' and 'End Time' can't be the same"},
        {"year", "Lab", day, {"2013", "1", "1"}, {"2012", "1", "1"}, "'To year' can't be less than 'From year'"},
        {"month", "Lab", day, {"2012", "3", "5"}, {"2012", "2", "20"}, "'To month' can't be less than 'From month'"},
        {"day", "Lab", day, {"2012", "3", "5"}, {"2012", "3", "4"}, "'To day' can't be less than 'From day'"},
        {"across midnight on one date",
         "Lab",
         {"22", "0", "6", "0"},
         {"2012", "3", "5"},
         {"2012", "3", "5"},
         "'Start Time' can't be greater than 'End Time'"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        s_sim->ClearRequests();
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        CTimeProfileInfo dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            Listed(d, dlg);
            d.TypeText(IDC_NAME, c.profileName);
            if (!c.from.empty()) ChooseDates(d, c.from, c.to);
            ChooseTimes(d, c.times);
            d.Check(IDC_MON);
            d.Click(IDC_ADD);
            d.Click(IDCANCEL);
        });
        const auto boxes = ui.ShownMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.message);
        EXPECT_TRUE(Sets().empty());
    }
}

TEST_F(TimeProfileTest, EightListedProfilesRefuseAnotherBeforeTheName) {
    for (int index = 3; index <= 8; ++index) AddProfile(index, "P" + std::to_string(index));
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    CTimeProfileInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_EQ(Listed(d, dlg).size(), 8u);
        d.Click(IDC_ADD);
        d.Click(IDCANCEL);
    });
    const auto boxes = ui.ShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The Max entry is 8.");
    EXPECT_TRUE(Sets().empty());
}

TEST_F(TimeProfileTest, ListKeepsEightRowsAndEndsAtARowMissingACell) {
    for (int index = 3; index <= 9; ++index) AddProfile(index, "P" + std::to_string(index));
    Harness ui;
    CTimeProfileInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        // Nine active rows: the eight the dialog keeps are listed, the ninth is not.
        Rows rows = Listed(d, dlg);
        ASSERT_EQ(rows.size(), 8u);
        EXPECT_EQ(rows[7][0], "P8");

        // Row 4 lacks its start month: the walk ends there, the rows before it stay.
        s_sim->Control("del " + Cell(5, 4) + "\n");
        d.Click(IDC_REFRESH);
        rows = Listed(d, dlg);
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[2][0], "P3");
        EXPECT_TRUE(d.IsEnabled(IDC_REFRESH));
        d.Click(IDCANCEL);
    });
}

TEST_F(TimeProfileTest, DayListFollowsTheChosenMonthAndYear) {
    Harness ui;
    CTimeProfileInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Listed(d, dlg);
        d.Check(IDC_DATE);
        d.ChooseComboItem(IDC_START_YEAR, "2012");
        d.ChooseComboItem(IDC_START_MONTH, "2");
        EXPECT_EQ(d.GetItems(IDC_START_DAY).size(), 29u);
        d.ChooseComboItem(IDC_START_YEAR, "2013");
        EXPECT_EQ(d.GetItems(IDC_START_DAY).size(), 28u);
        d.ChooseComboItem(IDC_END_YEAR, "2012");
        d.ChooseComboItem(IDC_END_MONTH, "4");
        EXPECT_EQ(d.GetItems(IDC_END_DAY).size(), 30u);
        EXPECT_EQ(d.GetItems(IDC_START_DAY).size(), 28u);
        EXPECT_EQ(d.GetText(IDC_END_DAY), "1");
        d.Click(IDCANCEL);
    });
}

TEST_F(TimeProfileTest, DeleteDestroysTheSelectedRow) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    CTimeProfileInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Listed(d, dlg);
        d.Click(IDC_DELETE);
        EXPECT_TRUE(Sets().empty());
        d.ClickListRow(IDC_LIST, 1);
        d.Click(IDC_DELETE);
        EXPECT_EQ(Listed(d, dlg), (Rows{kOffice}));
        d.Click(IDCANCEL);
    });
    const auto boxes = ui.ShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Please select the Time Range to be deleted!");
    EXPECT_EQ(boxes[0].Icon(), static_cast<UINT>(MB_ICONINFORMATION));
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Varbinds(sets[0]), (std::vector<std::string>{Cell(21, 2) + " i 6"}));
}

// The checks alone, in their order.
struct CheckCase {
    std::string name;
    TimeProfileAddInput input;
    std::string message;  // "" accepted
    bool accepted;
};

TEST(TimeProfileCheckTest, ChecksCountThenNameThenTimesInOrder) {
    auto input = [](std::string name, bool date, std::vector<std::string> texts,
                    std::vector<std::string> listed = {"Office", "Holiday"}) {
        TimeProfileAddInput in;
        in.name = std::move(name);
        in.listedNames = std::move(listed);
        in.date = date;
        std::string* fields[] = {&in.startYear, &in.startMonth, &in.startDay, &in.startHour, &in.startMinute,
                                 &in.endYear,   &in.endMonth,   &in.endDay,   &in.endHour,   &in.endMinute};
        for (size_t k = 0; k < texts.size() && k < 10; ++k) *fields[k] = texts[k];
        return in;
    };
    const std::vector<std::string> eight = {"a", "b", "c", "d", "e", "f", "g", "h"};
    const std::vector<std::string> sameTimes = {"2012", "1", "1", "8", "30", "2012", "1", "1", "8", "30"};
    const std::vector<CheckCase> cases = {
        {"eight listed, before the name", input("", false, sameTimes, eight), "The Max entry is 8.", false},
        {"seven listed",
         input("Lab", false, {"", "", "", "8", "0", "", "", "", "9", "0"}, {"a", "b", "c", "d", "e", "f", "g"}), "",
         true},
        {"name before times", input("", false, sameTimes), "The Profile name can not be empty,please input it.", false},
        {"special character", input("a.b", false, sameTimes), "Invalid Profile name.", false},
        {"listed name, case kept", input("Office", false, sameTimes), "The Profile Name is exist.", false},
        {"other letter case", input("office", false, {"", "", "", "8", "0", "", "", "", "9", "0"}), "", true},
        {"same times whatever the dates", input("Lab", true, sameTimes),
         "'Start Time' and 'End Time' can't be the same", false},
        {"across midnight without dates",
         input("Lab", false, {"2013", "1", "1", "22", "0", "2012", "1", "1", "6", "0"}), "", true},
        {"across midnight on one date", input("Lab", true, {"2012", "3", "5", "22", "0", "2012", "3", "5", "6", "0"}),
         "'Start Time' can't be greater than 'End Time'", false},
        {"year first", input("Lab", true, {"2013", "1", "1", "8", "0", "2012", "12", "31", "9", "0"}),
         "'To year' can't be less than 'From year'", false},
        {"month", input("Lab", true, {"2012", "3", "5", "8", "0", "2012", "2", "20", "9", "0"}),
         "'To month' can't be less than 'From month'", false},
        {"day", input("Lab", true, {"2012", "3", "5", "8", "0", "2012", "3", "4", "9", "0"}),
         "'To day' can't be less than 'From day'", false},
        {"later month, earlier day", input("Lab", true, {"2012", "2", "20", "8", "0", "2012", "3", "5", "9", "0"}), "",
         true},
        {"a list without a selection stops silently",
         input("Lab", true, {"2012", "", "5", "8", "0", "2012", "3", "5", "9", "0"}), "", false},
    };
    for (const CheckCase& c : cases) {
        const TimeProfileAddCheck check = CheckTimeProfileAdd(c.input);
        EXPECT_EQ(check.accepted, c.accepted) << c.name;
        EXPECT_EQ(check.message, c.message) << c.name;
    }
}

}  // namespace
