#pragma once
// The spanning tree dialogs' tests: the OIDs they check and their fixture on the simulated
// switch (28 ports; trunk 1 holds ports 21 and 22).
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/switchsim/Settle.h"
#include "tests/support/ui/UiHarness.h"

namespace stptest {

using namespace std::chrono_literals;

const std::string kPrivate = "1.3.6.1.4.1.32473.10.76.21.1.";
const std::string kState = kPrivate + "6.1.1.0";
const std::string kVersion = kPrivate + "6.1.2.0";
const std::string kPrivatePort = kPrivate + "6.2.1.";  // + column.port
const std::string kTrunkMembers = kPrivate + "8.1.3.1.2";
const std::string kLbdPort = kPrivate + "17.5.1.2.";  // + port
const std::string kBridge = "1.3.6.1.2.1.17.2.";      // + arc.0
const std::string kStdPort = kBridge + "15.1.";       // + column.port

inline std::string At(const std::string& column, int port) { return column + "." + std::to_string(port); }

// A SET's variables as "oid=value", for comparing whole requests.
inline std::vector<std::string> Assignments(const switchsim::LoggedRequest& r) {
    std::vector<std::string> out;
    for (const auto& v : r.varbinds) out.push_back(v.oid + "=" + v.value);
    return out;
}

class StpTest : public switchsim::ModuleTargetTest {
protected:
    // The DestroyWindow lines of the debugger output, in order.
    static std::vector<std::string> ClosingLines(const ui::test::Harness& ui) {
        std::vector<std::string> out;
        for (const auto& line : ui.CapturedDebugLines()) {
            if (line.rfind("==================", 0) == 0) out.push_back(line);
        }
        return out;
    }
};

}  // namespace stptest
