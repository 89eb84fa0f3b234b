#pragma once
// A suite's simulated switch of one model, the module pointed at it, and readers of what it
// received. A suite names its model: static void SetUpTestSuite() { StartModel("...", 28); }
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win/Clock.h"
#include "core/DeviceProfile.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/ui/UiHarness.h"

namespace portstest {

class SwitchTest : public ::testing::Test {
protected:
    static void StartModel(const std::string& model, int ports) {
        switchsim::SimulatedSwitch::Options options;
        options.model = model;
        s_sim = switchsim::StartSuiteSwitch(options);
        s_ports = ports;
    }
    static void TearDownTestSuite() { s_sim.reset(); }

    void SetUp() override {
        switchsim::ResetForTest(s_sim.get());
        switchsim::PointModuleAt(*s_sim, "1000");
        g_nDevicePortNum = s_ports;
    }
    void TearDown() override {
        win::SetClockSpeed(1);
        ModuleStartupParams::ResetToDefaults();
        g_nDevicePortNum = 28;
    }

    static void Set(const std::string& oid, const std::string& type, const std::string& value) {
        ASSERT_TRUE(s_sim->SetObject(oid, type, value)) << oid;
    }

    static std::vector<switchsim::LoggedRequest> Requests(const std::string& pdu) {
        std::vector<switchsim::LoggedRequest> out;
        for (const auto& r : s_sim->Requests()) {
            if (r.pdu == pdu) out.push_back(r);
        }
        return out;
    }

    // The requests whose first variable is `oid` (a walk's start and steps, or a GET).
    static size_t RequestsFrom(const std::string& pdu, const std::string& oid) {
        size_t n = 0;
        for (const auto& r : Requests(pdu)) {
            if (!r.varbinds.empty() && r.varbinds[0].oid == oid) ++n;
        }
        return n;
    }

    // A varbind as "OID TYPE VALUE" (OCTET STRINGs as hex bytes, no value for NULL), to compare
    // whole requests.
    static std::vector<std::string> Varbinds(const switchsim::LoggedRequest& r, bool hex = false) {
        std::vector<std::string> out;
        for (const auto& v : r.varbinds) {
            const std::string value = hex && v.type == "s" ? v.hex : v.value;
            out.push_back(v.oid + " " + v.type + (v.type == "null" ? "" : " " + value));
        }
        return out;
    }

    static inline std::unique_ptr<switchsim::SimulatedSwitch> s_sim;
    static inline int s_ports = 28;
};

}  // namespace portstest
