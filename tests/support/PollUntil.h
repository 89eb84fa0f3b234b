#pragma once
// A wait for something another process or thread brings about (a program's output, its exit,
// a switch's state) where no user-interface thread is to be served meanwhile: the condition is
// looked at every `step` until it holds or the time is up. Tests with a dialog open use
// ui::test::WaitUntil instead, which keeps the events flowing.
#include <chrono>
#include <thread>

namespace testsupport {

// True as soon as pred() holds; false once `timeout` has passed without it.
template <class Pred>
bool PollUntil(Pred&& pred, std::chrono::milliseconds timeout,
               std::chrono::milliseconds step = std::chrono::milliseconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (pred()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(step);
    }
}

}  // namespace testsupport
