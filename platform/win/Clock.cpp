#include "platform/win/Clock.h"

#include <atomic>
#include <mutex>

namespace win {

namespace {
using Steady = std::chrono::steady_clock;

// The program time is base + (now - since) * speed; changing the speed starts a new segment
// so that the program time never jumps.
struct ClockState {
    std::mutex mutex;
    Steady::time_point since = Steady::now();
    double baseMs = 0;
    double speed = 1;
};

ClockState& State() {
    static ClockState state;
    return state;
}

double ProgramMsLocked(const ClockState& s, Steady::time_point now) {
    return s.baseMs + std::chrono::duration<double, std::milli>(now - s.since).count() * s.speed;
}
}  // namespace

void SetClockSpeed(double speed) {
    if (speed <= 0) return;
    ClockState& s = State();
    std::lock_guard lock(s.mutex);
    const auto now = Steady::now();
    s.baseMs = ProgramMsLocked(s, now);
    s.since = now;
    s.speed = speed;
}

double GetClockSpeed() {
    ClockState& s = State();
    std::lock_guard lock(s.mutex);
    return s.speed;
}

std::chrono::milliseconds ToRealTime(DWORD programMs) {
    if (programMs == 0) return std::chrono::milliseconds(0);
    const double real = programMs / GetClockSpeed();
    return std::chrono::milliseconds(real < 1 ? 1 : static_cast<long long>(real));
}

DWORD GetTickCount() {
    ClockState& s = State();
    std::lock_guard lock(s.mutex);
    return static_cast<DWORD>(static_cast<unsigned long long>(ProgramMsLocked(s, Steady::now())));
}

void Sleep(DWORD ms) {
    // A wait may end up to a millisecond early (whole milliseconds): sleep on until the
    // program time has passed.
    Event never(true, false);
    const unsigned long long until = static_cast<unsigned long long>(GetTickCount()) + ms;
    for (DWORD now = GetTickCount(); now < until; now = GetTickCount()) {
        WaitPeriod(never, static_cast<DWORD>(until - now));
    }
}

bool WaitPeriod(Event& stop, DWORD ms) {
    const DWORD real = ms == INFINITE ? INFINITE : static_cast<DWORD>(ToRealTime(ms).count());
    return stop.Wait(real) == WAIT_OBJECT_0;
}

}  // namespace win
