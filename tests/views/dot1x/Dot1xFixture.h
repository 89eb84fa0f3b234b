#pragma once
// The 802.1X dialogs' tests: their OIDs and a fixture on the simulated switch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ModuleStartupParams.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/ui/UiHarness.h"

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

class Dot1xTest : public switchsim::ModuleTargetTest {
protected:
    using ModuleTargetTest::ModuleTargetTest;

    // A request's varbinds as "OID TYPE VALUE" (OCTET STRINGs as hex bytes), "OID" for NULL.
    static std::vector<std::string> Assignments(const switchsim::LoggedRequest& r) {
        std::vector<std::string> out;
        for (const auto& v : r.varbinds) {
            if (v.type == "null") out.push_back(v.oid);
            else out.push_back(v.oid + " " + v.type + " " + (v.type == "s" || v.type == "x" ? v.hex : v.value));
        }
        return out;
    }

    // After an Apply: with a message expected, that message was the one box shown and nothing
    // was written (true); without, no box was shown (false, the caller checks the writes).
    bool ExpectRefused(const ui::test::Harness& ui, const std::string& message) const {
        const auto shown = ui.ShownMessageBoxes();
        if (message.empty()) {
            EXPECT_TRUE(shown.empty());
            return false;
        }
        EXPECT_EQ(shown.size(), 1u);
        if (!shown.empty()) {
            EXPECT_EQ(shown[0].text, message);
        }
        EXPECT_TRUE(Sets().empty());
        return true;
    }

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
    // Answers leave `ms` late, with sessions that wait for them.
    void SlowSwitch(int ms) const {
        ModuleStartupParams::TimeoutMs = "20000";
        ASSERT_TRUE(sim->Delay(ms));
    }
};

}  // namespace dot1xtest
