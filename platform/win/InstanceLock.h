#pragma once
// The per-device instance lock: one live process of the user holds a given name.
//
// The lock is an advisory lock on a file in the runtime directory (RuntimeDir.h). The system
// releases it when the holding process ends, however it ends, so a lock left by a process that
// died is free for the next one. The file itself stays; only the lock on it counts.
#include <string>

namespace win {

class InstanceLock {
public:
    enum class Result {
        Acquired,     // this object now holds the name
        HeldByOther,  // another live holder has it (another process, or another object here)
        Failed,       // the runtime directory or the lock file could not be used
    };

    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock of `name`, or learns that someone holds it, in one atomic step: of two
    // processes that try at once, exactly one acquires. Releases what this object held before.
    Result Acquire(const std::string& name);
    void Release();
    bool IsHeld() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

}  // namespace win
