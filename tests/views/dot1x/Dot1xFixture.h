#pragma once
// The 802.1X dialogs' tests: their OIDs and a fixture on the simulated switch.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/views/SwitchWriteTest.h"

namespace dot1xtest {

const std::string kPrivate = "1.3.6.1.4.1.32473.10.76.21.1.";
const std::string kState = kPrivate + "11.2.1.0";
const std::string kRadiusAddress = kPrivate + "11.1.1.0";
const std::string kRadiusKey = kPrivate + "11.1.2.0";
const std::string kTimer = kPrivate + "11.2.";  // + 2..8 + ".0"
const std::string kControl = kPrivate + "11.2.9.1.2";
const std::string kStatus = kPrivate + "11.2.9.1.3";
const std::string kTrunkMembers = kPrivate + "8.1.3.1.2";  // + .trunk

// Closing a dialog during a read takes no longer than this, well below the answer's delay.
constexpr auto kCloseBound = std::chrono::milliseconds(800);

class Dot1xTest : public viewstest::SwitchWriteTest {
protected:
    using SwitchWriteTest::SwitchWriteTest;

    // Every port's access control on the switch: `inside` for from..to, `outside` elsewhere.
    void SetControls(int ports, int from, int to, int inside, int outside) const {
        for (int p = 1; p <= ports; ++p)
            Set(kControl + "." + std::to_string(p), "i", std::to_string(p >= from && p <= to ? inside : outside));
    }
    // Trunk 1 without members (bitmap of `bytes` zero bytes).
    void ClearTrunk(int bytes) const {
        std::string zero;
        for (int i = 0; i < bytes; ++i) zero += i ? " 00" : "00";
        Set(kTrunkMembers + ".1", "x", zero);
    }
};

}  // namespace dot1xtest
