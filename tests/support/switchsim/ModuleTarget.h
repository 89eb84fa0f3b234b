#pragma once
// A suite's simulated switch, and the module's start-up settings pointed at it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/ModuleStartupParams.h"
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
    ModuleStartupParams::DeviceIP = sim.Target();
    ModuleStartupParams::TimeoutMs = timeoutMs;
}

// Each test starts from a running switch with no faults and an empty request log.
inline void ResetForTest(const SimulatedSwitch* sim) {
    ASSERT_TRUE(sim && sim->Running());
    sim->ClearFaults();
    sim->ClearRequests();
}

}  // namespace switchsim
