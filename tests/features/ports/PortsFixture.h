#pragma once
// The port dialogs' tests: the OIDs they check and their fixture on the simulated switch.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/ui/UiHarness.h"

namespace portstest {

const std::string kPrivate = "1.3.6.1.4.1.32473.10.76.21.1.";
const std::string kPortTable = kPrivate + "1.13.1.";       // + column
const std::string kDescription = kPrivate + "1.16.1.2";    // + .port
const std::string kTrunkMembers = kPrivate + "8.1.3.1.2";  // + .trunk
const std::string kJumbo = kPrivate + "1.12.0";

using Rows = std::vector<std::vector<std::string>>;

// The port dialogs' switch: a DUZ-3300-28ZA1 with 28 ports (tests/support/switchsim).
class PortsTest : public switchsim::ModuleTargetTest {};

}  // namespace portstest
