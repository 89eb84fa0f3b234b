#pragma once
// The PoE dialogs' switch (DUZ-3300-28P) and their objects.
#include <string>

#include "tests/features/ports/SwitchFixture.h"

namespace poetest {

const std::string kPoE = "1.3.6.1.4.1.32473.10.76.21.1.22.";
const std::string kPortTable = kPoE + "1.1.";  // + column + ".1." + port
const std::string kProfiles = "1.3.6.1.4.1.32473.10.76.21.1.32.1.1.";

using Rows = std::vector<std::vector<std::string>>;

class PoETest : public portstest::SwitchTest {
protected:
    static void SetUpTestSuite() { StartModel("DUZ-3300-28P", 28); }

    static std::string PortCell(int column, int port) {
        return kPortTable + std::to_string(column) + ".1." + std::to_string(port);
    }
};

}  // namespace poetest
