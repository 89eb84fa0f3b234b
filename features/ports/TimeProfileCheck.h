#pragma once
// The checks of a new time profile, in the order the user meets them: the number of
// profiles, the name, then the times. No state, no user interface.
#include <string>
#include <vector>

struct TimeProfileAddInput {
    std::string name;
    std::vector<std::string> listedNames;  // the names of the listed profiles
    bool date = false;                     // "Date" checked: the dates apply
    // The texts the lists show; "" for a list without a selection. The dates are read only
    // when `date` is set.
    std::string startYear, startMonth, startDay, startHour, startMinute;
    std::string endYear, endMonth, endDay, endHour, endMinute;
};

struct TimeProfileAddCheck {
    bool accepted = false;
    std::string message;  // the refusal to show; "" for a silent stop (a list without a selection)
};

// The most profiles the switch keeps.
constexpr size_t kMaxTimeProfiles = 8;

TimeProfileAddCheck CheckTimeProfileAdd(const TimeProfileAddInput& input);
