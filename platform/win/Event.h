#pragma once
// Events and the waits built on them.
//
// A wait on the user-interface thread must keep serving the blocking calls that worker
// threads make to it (a worker in the middle of SendMessage must complete, or both threads
// stall). The user-interface layer installs a WaitPump for that; every wait in this file
// runs the pump while it waits when called on the pump's thread.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/win/WinTypes.h"

namespace win {

// Installed by the user-interface layer. All members are called on the pumping thread,
// except Wake, which any thread may call.
class WaitPump {
public:
    virtual ~WaitPump() = default;
    // True when the calling thread is the one whose waits must pump.
    virtual bool IsPumpThread() const = 0;
    // Serve pending blocking calls; return after at most maxWait, or at once when Wake is called.
    virtual void Pump(std::chrono::milliseconds maxWait) = 0;
    // Makes a Pump in progress return.
    virtual void Wake() = 0;
};

// Installs (or removes, with nullptr) the process-wide pump. The pump must outlive every wait.
void SetWaitPump(WaitPump* pump);
WaitPump* GetWaitPump();

// A Windows-style event: manual reset (stays set until Reset) or auto reset (one waiter
// consumes the signal).
class Event {
public:
    explicit Event(bool manualReset = true, bool initiallySet = false);
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;
    // Waits until the event is set, at most timeoutMs (INFINITE: no limit).
    // Returns WAIT_OBJECT_0 or WAIT_TIMEOUT.
    DWORD Wait(DWORD timeoutMs = INFINITE);

private:
    bool TryConsume();  // under m_mutex

    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_set;
    const bool m_manualReset;
};

}  // namespace win
