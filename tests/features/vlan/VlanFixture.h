#pragma once
// The simulated switch the VLAN dialogs talk to, the start-up settings pointing at it, and
// readers of what the switch received.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "resources/templates/VlanDialogsIds.h"
#include "core/DeviceProfile.h"
#include "core/ModuleStartupParams.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/switchsim/SimulatedSwitch.h"
#include "tests/support/ui/UiHarness.h"

namespace vlantest {

using namespace vlanids;

const std::string kPrivate = "1.3.6.1.4.1.32473.10.76.21.1.";
const std::string kVlanTable = kPrivate + "7.6.1.";  // + column.vid
const std::string kAsymmetric = kPrivate + "7.5.0";
const std::string kPvid = kPrivate + "7.7.1.1";  // + .port
const std::string kVoiceState = kPrivate + "21.1.2.0";
const std::string kVoiceVid = kPrivate + "21.1.3.0";
const std::string kSurveillanceState = kPrivate + "26.1.1.0";
const std::string kSurveillanceVid = kPrivate + "26.1.2.0";
const std::string kIpInterface = kPrivate + "41.1.1.1.2";  // + .index
const std::string kTrunkMembers = kPrivate + "8.1.3.1.2";  // + .trunk

using Rows = std::vector<std::vector<std::string>>;

class VlanTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28)); }
    void TearDown() override {
        ModuleStartupParams::ResetToDefaults();
        g_nDevicePortNum = 28;
    }

    // A fresh switch of the model; sessions made from now on talk to it.
    bool StartSwitch(const std::string& model, int ports) {
        switchsim::SimulatedSwitch::Options options;
        options.model = model;
        sim = switchsim::StartSuiteSwitch(options);
        if (!sim) return false;
        switchsim::PointModuleAt(*sim, "1000");
        ModuleStartupParams::VlanEditEnabled = true;
        g_nDevicePortNum = ports;
        return true;
    }

    // A refusal: its one message, and nothing written.
    void ExpectRefused(const ui::test::Harness& ui, const std::string& text) const {
        const auto shown = ui.ShownMessageBoxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, text);
        EXPECT_TRUE(Requests("set").empty());
    }

    void Set(const std::string& oid, const std::string& type, const std::string& value) const {
        ASSERT_TRUE(sim->SetObject(oid, type, value)) << oid;
    }
    void Command(const std::string& command) const { ASSERT_TRUE(sim->Command(command)) << command; }

    std::vector<switchsim::LoggedRequest> Requests(const std::string& pdu) const {
        std::vector<switchsim::LoggedRequest> out;
        for (const auto& r : sim->Requests()) {
            if (r.pdu == pdu) out.push_back(r);
        }
        return out;
    }

    // The GETNEXT requests whose first variable is `oid` (the start or a step of a walk).
    size_t GetNextsFrom(const std::string& oid) const {
        size_t n = 0;
        for (const auto& r : Requests("getnext")) {
            if (!r.varbinds.empty() && r.varbinds[0].oid == oid) ++n;
        }
        return n;
    }

    std::unique_ptr<switchsim::SimulatedSwitch> sim;
};

}  // namespace vlantest
