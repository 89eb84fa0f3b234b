#pragma once
// The program's clock: sleeps, period waits, timers and the SNMP library's time-outs go
// through here, so that tests can run time-driven paths (polling periods, transfer progress,
// blink timers, a silent device) faster than real time. A device still answers in real time:
// the SNMP library never waits less than a datagram's round trip may need.
#include <chrono>

#include "platform/win/Event.h"
#include "platform/win/WinTypes.h"

namespace win {

// How many times faster than real time the clock runs; 1 unless a test changes it.
// A speed of at most 0 is ignored.
void SetClockSpeed(double speed);
double GetClockSpeed();

// A duration of the program's clock as real time: at least 1 ms for any non-zero duration.
std::chrono::milliseconds ToRealTime(DWORD programMs);

// Milliseconds of the program's clock since the process started (runs `speed` times faster).
DWORD GetTickCount();

// Sleeps for ms of the program's clock. On the user-interface thread the wait keeps serving
// the blocking calls of workers (as every wait of Event does).
void Sleep(DWORD ms);

// One period of a periodic loop: waits up to ms of the program's clock for `stop`.
// Returns true when `stop` was set (the loop should end).
bool WaitPeriod(Event& stop, DWORD ms);

}  // namespace win
