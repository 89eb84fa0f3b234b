#pragma once
// A suite's simulated switch, and the module's start-up settings pointed at it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/DeviceProfile.h"

#include "core/ModuleStartupParams.h"
#include "platform/win/Clock.h"
#include "tests/support/SessionTarget.h"
#include "tests/support/switchsim/SimulatedSwitch.h"

namespace switchsim {

// Started once for a suite (SetUpTestSuite); null, with the test failed, when it did not start.
inline std::unique_ptr<SimulatedSwitch> StartSuiteSwitch(SimulatedSwitch::Options options = {}) {
    auto sim = std::make_unique<SimulatedSwitch>(std::move(options));
    std::string error;
    if (!sim->Start(&error)) {
        ADD_FAILURE() << "the simulated switch did not start: " << error;
        return nullptr;
    }
    return sim;
}

// Sessions made from now on talk to this switch, with the module's defaults otherwise.
inline void PointModuleAt(const SimulatedSwitch& sim, const char* timeoutMs = "3000") {
    ModuleStartupParams::ResetToDefaults();
    testsupport::PointSessionsAt(sim.Target());
    ModuleStartupParams::TimeoutMs = timeoutMs;
}

// Each test starts from a running switch with no faults and an empty request log.
inline void ResetForTest(const SimulatedSwitch* sim) {
    ASSERT_TRUE(sim && sim->Running());
    sim->ClearFaults();
    sim->ClearRequests();
}

// The fixture of a test area on the simulated switch: each test meets a switch of the area's
// model started for it (the model's objects, no faults, an empty request log; the switch
// has no reset of its objects, and a start takes a few milliseconds), the module pointed at it
// with the communities "norfen"/"quastel", the request time-out and the device port count,
// and readers of the request log. An area's fixture names its model and adds its OIDs:
//
//     class PortsTest : public switchsim::ModuleTargetTest {};                    // 28 ports
//     class BigTest : public switchsim::ModuleTargetTest {
//         BigTest() : ModuleTargetTest({.model = "DUZ-3300-52", .ports = 52}) {}
//     };
struct ModuleTarget {
    std::string model = "DUZ-3300-28ZA1";
    int ports = 28;                  // g_nDevicePortNum
    const char* timeoutMs = "1000";  // ModuleStartupParams::TimeoutMs
};

class ModuleTargetTest : public ::testing::Test {
protected:
    explicit ModuleTargetTest(ModuleTarget target = {}) : m_target(std::move(target)) {}
    void SetUp() override { ASSERT_TRUE(StartSwitch(m_target.model, m_target.ports)); }
    void TearDown() override {
        win::SetClockSpeed(1);  // a test may have run the program clock fast
        ModuleStartupParams::ResetToDefaults();
        g_nDevicePortNum = 28;
    }

    // A fresh switch of the model, with more configuration lines when given; sessions made
    // from now on talk to it.
    bool StartSwitch(const std::string& model, int ports, std::vector<std::string> config = {}) {
        SimulatedSwitch::Options options;
        options.model = model;
        options.config = std::move(config);
        sim = StartSuiteSwitch(options);
        if (!sim) return false;
        PointModuleAt(*sim, m_target.timeoutMs);
        ModuleStartupParams::ReadCommunity = "norfen";
        ModuleStartupParams::WriteCommunity = "quastel";
        g_nDevicePortNum = ports;
        return true;
    }

    void Set(const std::string& oid, const std::string& type, const std::string& value) const {
        ASSERT_TRUE(sim->SetObject(oid, type, value)) << oid;
    }

    // The logged requests of one PDU type ("get", "getnext", "set"), in arrival order.
    std::vector<LoggedRequest> Requests(const std::string& pdu) const {
        std::vector<LoggedRequest> out;
        for (const auto& r : sim->Requests()) {
            if (r.pdu == pdu) out.push_back(r);
        }
        return out;
    }
    std::vector<LoggedRequest> Sets() const { return Requests("set"); }

    // The GETNEXT requests whose first variable is `oid` (the start or a step of a walk).
    std::size_t GetNextsFrom(const std::string& oid) const {
        std::size_t n = 0;
        for (const auto& r : Requests("getnext")) {
            if (!r.varbinds.empty() && r.varbinds[0].oid == oid) ++n;
        }
        return n;
    }

    static std::vector<std::string> Oids(const LoggedRequest& r) {
        std::vector<std::string> oids;
        for (const auto& v : r.varbinds) oids.push_back(v.oid);
        return oids;
    }

    std::unique_ptr<SimulatedSwitch> sim;

private:
    ModuleTarget m_target;
};

}  // namespace switchsim
