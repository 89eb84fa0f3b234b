#pragma once
// For tests that check that something does not happen (no row after a close, no request after
// a read has ended): instead of a pause, wait until nothing more can come of what was asked.
#include <gtest/gtest.h>

#include <chrono>

#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "tests/support/switchsim/SimulatedSwitch.h"
#include "tests/support/ui/UiHarness.h"

namespace switchsim {

// The switch has sent every answer it held back, the sessions that closed or withdrawn reads
// left busy are released, and the user-interface thread has handled what the workers handed
// it. Reads still running go on: wait for their end first. False (the test failed) on time-out.
inline bool Settle(const SimulatedSwitch& sim, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    if (!sim.WaitForAnswersSent(timeout)) {
        ADD_FAILURE() << "the simulated switch still holds answers back";
        return false;
    }
    if (!CSnmpRead::WaitForClosedSessions(static_cast<unsigned>(timeout.count()))) {
        ADD_FAILURE() << "a closed read's session is still busy";
        return false;
    }
    ui::test::Flush();
    return true;
}

// No session has a request out any more: a read or write started before this has been answered
// (or has timed out) and is in the request log, and what its worker handed the user-interface
// thread has been handled. The events flow meanwhile, for the workers' calls to them.
inline bool NoRequestOut(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    if (!ui::test::WaitUntil([] { return CCommonSNMP::WaitForWorkers(0); }, timeout)) return false;
    ui::test::Flush();
    return true;
}

}  // namespace switchsim
