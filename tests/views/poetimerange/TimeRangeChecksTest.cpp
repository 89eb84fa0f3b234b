// The editor's checks over plain values: the range name, the dates and times, and the choice
// of a free index.
#include <gtest/gtest.h>

#include "views/TimeBasedConfig.h"

namespace {

TEST(TimeRangeChecks, RangeName) {
    const std::vector<std::string> taken = {"office", "old", "holiday"};
    EXPECT_EQ(TimeBasedConfig::CheckRangeName("", taken), "The TimeRange name can not be empty,please input it.");
    const std::string refused = "~`!@#$%^&*{}[]|\\:;\"'<>,.?/";
    ASSERT_EQ(refused.size(), 26u);
    for (char c : refused) {
        EXPECT_EQ(TimeBasedConfig::CheckRangeName(std::string("ab") + c + "cd", taken), "Invalid TimeRange Name.") << c;
    }
    // A row the list did not show still holds its name.
    EXPECT_EQ(TimeBasedConfig::CheckRangeName("old", taken), "Invalid TimeRange Name.");
    EXPECT_EQ(TimeBasedConfig::CheckRangeName("Old", taken), "");
    EXPECT_EQ(TimeBasedConfig::CheckRangeName("lab 2-a_b", taken), "");
}

TEST(TimeRangeChecks, Times) {
    using Times = TimeBasedConfig::Times;
    auto times = [](bool date, int fy, int fm, int fd, int ty, int tm, int td, int sh, int sm, int eh, int em) {
        Times t;
        t.date = date;
        t.fromYear = fy, t.fromMonth = fm, t.fromDay = fd, t.toYear = ty, t.toMonth = tm, t.toDay = td;
        t.startHour = sh, t.startMinute = sm, t.endHour = eh, t.endMinute = em;
        return t;
    };
    struct Case {
        const char* name;
        Times times;
        std::string message;
    };
    const Case cases[] = {
        {"defaults", times(false, 2009, 1, 1, 2009, 1, 1, 0, 0, 0, 0), "'Start Time' and 'End Time' can't be the same"},
        {"22:00 to 6:00 without date", times(false, 2011, 1, 1, 2010, 1, 1, 22, 0, 6, 0),
         "'Start Time' can't be grater than 'End Time'"},
        {"22:00 to 6:00 over two days", times(true, 2010, 5, 20, 2010, 5, 21, 22, 0, 6, 0), ""},
        {"22:00 to 6:00 on one day", times(true, 2010, 5, 20, 2010, 5, 20, 22, 0, 6, 0),
         "'Start Time' can't be grater than 'End Time'"},
        {"to year", times(true, 2011, 1, 1, 2010, 12, 31, 8, 0, 9, 0), "'To year' can't be less than 'From year'"},
        {"to month", times(true, 2010, 6, 1, 2010, 5, 31, 8, 0, 9, 0), "'To month' can't be less than 'From month'"},
        {"to day", times(true, 2010, 5, 20, 2010, 5, 10, 8, 0, 9, 0), "'To day' can't be less than 'From day'"},
        {"February 31st", times(true, 2010, 2, 31, 2010, 3, 1, 8, 0, 9, 0), ""},
        {"8:00 to 18:00", times(false, 2009, 1, 1, 2009, 1, 1, 8, 0, 18, 0), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(TimeBasedConfig::CheckTimes(c.times), c.message) << c.name;
}

TEST(TimeRangeChecks, FreeIndex) {
    struct Case {
        const char* name;
        TimeRangeRows rows;
        int index;
    };
    auto active = [](std::vector<int> indexes) {
        TimeRangeRows rows;
        for (int i : indexes) {
            rows.names.push_back("r" + std::to_string(i));
            rows.rowStatus.push_back("1");
            rows.listedIndexes.push_back(i);
        }
        return rows;
    };
    const Case cases[] = {
        {"none", active({}), 1},
        {"1, 2, 4", active({1, 2, 4}), 3},
        {"1 to 3", active({1, 2, 3}), 4},
        {"2 and 3", active({2, 3}), 1},
        {"eight", active({1, 2, 3, 4, 5, 6, 7, 8}), 0},
        {"nine", active({1, 2, 3, 4, 5, 6, 7, 8, 9}), 0},
    };
    for (const Case& c : cases) {
        std::string refusal;
        EXPECT_EQ(TimeBasedConfig::FindFreeIndex(c.rows, refusal), c.index) << c.name;
        EXPECT_EQ(refusal, c.index == 0 ? "The max number of PoE Time Range is 8" : "") << c.name;
    }
}

}  // namespace
