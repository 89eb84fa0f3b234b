#pragma once
// The switch of the time profile and power saving tests, its objects, and the time profile
// rows a test starts from.
#include <string>
#include <vector>

#include "tests/features/ports/SwitchFixture.h"

namespace powersavingtest {

const std::string kProfiles = "1.3.6.1.4.1.32473.10.76.21.1.32.1.1.";  // + column + "." + index
const std::string kPowerSaving = "1.3.6.1.4.1.32473.10.76.21.1.31.";

using Rows = std::vector<std::vector<std::string>>;

class PowerSavingTest : public portstest::SwitchTest {
protected:
    static void SetUpTestSuite() { StartModel("DUZ-3300-28", 28); }

    void SetUp() override {
        SwitchTest::SetUp();
        ResetProfiles();
    }

    // The model's two profiles as it seeds them, and no others (the suite's switch keeps
    // what earlier tests wrote).
    static void ResetProfiles() {
        for (int index = 1; index <= 12; ++index) DeleteProfile(index);
        WriteProfile(1, {"1",  "Office", "2", "2011", "1", "1", "8", "0", "2011", "1", "1",
                         "18", "0",      "1", "1",    "1", "1", "1", "2", "2",    "1"});
        WriteProfile(2, {"2",  "Holiday", "1", "2024", "12", "24", "0", "0", "2025", "1", "2",
                         "23", "59",      "1", "1",    "1",  "1",  "1", "1", "1",    "1"});
        s_sim->ClearRequests();
    }

    static std::string Cell(int column, int index) {
        return kProfiles + std::to_string(column) + "." + std::to_string(index);
    }

    static void DeleteProfile(int index) {
        std::string commands;
        for (int column = 1; column <= 21; ++column) commands += "del " + Cell(column, index) + "\n";
        s_sim->Control(commands);
    }

    // A whole row: 09:00 to 17:00 on Monday, without dates.
    static void AddProfile(int index, const std::string& name, const std::string& status = "1") {
        const std::vector<std::string> values = {std::to_string(index),
                                                 name,
                                                 "2",
                                                 "2011",
                                                 "1",
                                                 "1",
                                                 "9",
                                                 "0",
                                                 "2011",
                                                 "1",
                                                 "1",
                                                 "17",
                                                 "0",
                                                 "1",
                                                 "2",
                                                 "2",
                                                 "2",
                                                 "2",
                                                 "2",
                                                 "2",
                                                 status};
        WriteProfile(index, values);
    }

    static void WriteProfile(int index, const std::vector<std::string>& values) {
        for (int column = 1; column <= 21; ++column) {
            Set(Cell(column, index), column == 2 ? "s" : "i", values[static_cast<size_t>(column - 1)]);
        }
    }

    static std::vector<switchsim::LoggedRequest> Sets() { return Requests("set"); }
};

}  // namespace powersavingtest
