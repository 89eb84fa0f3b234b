#include "features/ports/TimeProfileCheck.h"

#include <algorithm>
#include <cstdlib>

#include "core/Utils.h"

namespace {
TimeProfileAddCheck Refuse(std::string message) { return {false, std::move(message)}; }

int Number(const std::string& text) { return std::atoi(text.c_str()); }
}  // namespace

TimeProfileAddCheck CheckTimeProfileAdd(const TimeProfileAddInput& in) {
    if (in.listedNames.size() >= kMaxTimeProfiles) return Refuse("The Max entry is 8.");
    if (in.name.empty()) return Refuse("The Profile name can not be empty,please input it.");
    if (CUtils::HasNoSpecialChars(in.name) == 0) return Refuse("Invalid Profile name.");
    if (std::find(in.listedNames.begin(), in.listedNames.end(), in.name) != in.listedNames.end()) {
        return Refuse("The Profile Name is exist.");
    }

    // Without a date range every date reads as the same value, so no date comparison refuses.
    const std::string none = "2";
    const std::string& startYear = in.date ? in.startYear : none;
    const std::string& startMonth = in.date ? in.startMonth : none;
    const std::string& startDay = in.date ? in.startDay : none;
    const std::string& endYear = in.date ? in.endYear : none;
    const std::string& endMonth = in.date ? in.endMonth : none;
    const std::string& endDay = in.date ? in.endDay : none;
    for (const std::string* text : {&startYear, &startMonth, &startDay, &endYear, &endMonth, &endDay, &in.startHour,
                                    &in.endHour, &in.startMinute, &in.endMinute}) {
        if (text->empty()) return Refuse("");
    }

    const int startTime = Number(in.startHour) * 100 + Number(in.startMinute);
    const int endTime = Number(in.endHour) * 100 + Number(in.endMinute);
    if (startTime == endTime) return Refuse("'Start Time' and 'End Time' can't be the same");
    const int startDate = Number(startYear) * 10000 + Number(startMonth) * 100 + Number(startDay);
    const int endDate = Number(endYear) * 10000 + Number(endMonth) * 100 + Number(endDay);
    if (startDate > endDate) {
        if (Number(startYear) > Number(endYear)) return Refuse("'To year' can't be less than 'From year'");
        if (Number(startMonth) > Number(endMonth)) return Refuse("'To month' can't be less than 'From month'");
        return Refuse("'To day' can't be less than 'From day'");
    }
    // Without a date range a window across midnight is accepted.
    if (in.date && startDate == endDate && startTime > endTime) {
        return Refuse("'Start Time' can't be greater than 'End Time'");
    }
    return {true, {}};
}
