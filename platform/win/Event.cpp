#include "platform/win/Event.h"

#include <algorithm>
#include <atomic>

namespace win {

namespace {
std::atomic<WaitPump*> g_waitPump{nullptr};
// While pumping, the event is re-checked at least this often, so a wake that races
// with the start of a Pump call costs at most this much.
constexpr std::chrono::milliseconds kPumpSlice{20};
}  // namespace

void SetWaitPump(WaitPump* pump) { g_waitPump.store(pump); }
WaitPump* GetWaitPump() { return g_waitPump.load(); }

Event::Event(bool manualReset, bool initiallySet) : m_set(initiallySet), m_manualReset(manualReset) {}

void Event::Set() {
    {
        // Notify under the lock: a waiter that returns may destroy the event at once.
        std::lock_guard lock(m_mutex);
        m_set = true;
        m_cv.notify_all();
    }
    if (WaitPump* pump = g_waitPump.load()) pump->Wake();
}

void Event::Reset() {
    std::lock_guard lock(m_mutex);
    m_set = false;
}

bool Event::IsSet() const {
    std::lock_guard lock(m_mutex);
    return m_set;
}

bool Event::TryConsume() {
    if (!m_set) return false;
    if (!m_manualReset) m_set = false;
    return true;
}

DWORD Event::Wait(DWORD timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const bool unlimited = timeoutMs == INFINITE;
    const auto deadline = Clock::now() + std::chrono::milliseconds(unlimited ? 0 : timeoutMs);

    WaitPump* pump = g_waitPump.load();
    if (pump && pump->IsPumpThread()) {
        for (;;) {
            {
                std::lock_guard lock(m_mutex);
                if (TryConsume()) return WAIT_OBJECT_0;
            }
            auto slice = kPumpSlice;
            if (!unlimited) {
                // Rounded up, so the wait never ends before its deadline.
                const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
                if (left.count() <= 0) return WAIT_TIMEOUT;
                slice = std::min(slice, left);
            }
            pump->Pump(slice);
        }
    }

    std::unique_lock lock(m_mutex);
    if (unlimited) {
        m_cv.wait(lock, [this] { return m_set; });
    } else if (!m_cv.wait_until(lock, deadline, [this] { return m_set; })) {
        return WAIT_TIMEOUT;
    }
    TryConsume();
    return WAIT_OBJECT_0;
}

}  // namespace win
