#pragma once
// The GVRP and auto surveillance VLAN dialogs' tests: their OIDs, the switch they run
// against and what it received, one request a line.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/SnmpRead.h"
#include "tests/features/ports/L2Fixture.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/ui/UiHarness.h"

namespace gvrptest {

const std::string kPrivate = "1.3.6.1.4.1.32473.10.76.21.1.";
const std::string kGvrpState = kPrivate + "30.1.0";
const std::string kJoin = kPrivate + "30.2.0";
const std::string kLeave = kPrivate + "30.3.0";
const std::string kLeaveAll = kPrivate + "30.4.0";
const std::string kGvrpPorts = kPrivate + "30.5.1.";   // + column.port
const std::string kOuiTable = kPrivate + "26.2.1.1.";  // + column.arcs
const std::string kCameraPorts = kPrivate + "26.1.5.1.";

inline std::string GvrpPort(int column, int port) {
    return kGvrpPorts + std::to_string(column) + "." + std::to_string(port);
}

// A request's variables as "OID TYPE VALUE", one request a line; the texts of message boxes.
using l2test::Line;
using l2test::Lines;
using l2test::Texts;
using l2test::TrunkOid;

class GvrpTest : public switchsim::ModuleTargetTest {
protected:
    using ModuleTargetTest::ModuleTargetTest;
    void TearDown() override {
        // Sessions closed during a request end in the background; none may outlive a test.
        EXPECT_TRUE(CSnmpRead::WaitForClosedSessions(10000));
        ModuleTargetTest::TearDown();
    }
};

}  // namespace gvrptest
