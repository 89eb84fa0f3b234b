#pragma once
// The per-device instance lock: one live process of the user holds a given name.
//
// The lock is an advisory lock on a file in the runtime directory (RuntimeDir.h). The system
// releases it when the holding process ends, however it ends, so a lock left by a process that
// died is free for the next one. Release removes the file; a file left by a process that was
// killed is removed by the next Acquire, which finds its lock free. Where no runtime directory
// can be had, the lock is a name in the machine's abstract socket space instead (said so on the
// debug output), so that a second window for the same device is still refused.
#include <string>

namespace win {

class InstanceLock {
public:
    enum class Result {
        Acquired,     // this object now holds the name
        HeldByOther,  // another live holder has it (another process, or another object here)
        Failed,       // neither the lock file nor the fallback could be used
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
    Result AcquireFile(const std::string& path);

    int m_fd = -1;
    std::string m_path;  // the lock file; empty for the fallback
};

}  // namespace win
