#include "platform/win/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "platform/win/RuntimeDir.h"

namespace win {
namespace {

// A file name for any lock name: the name's safe characters (for people looking at the
// folder) and a hash of the whole name (so that names differing only in unsafe characters,
// or beyond the kept prefix, stay apart).
std::string LockFileName(const std::string& name) {
    std::string readable;
    for (char c : name) {
        if (readable.size() == 64) break;
        bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                    c == '-' || c == '_';
        readable += safe ? c : '_';
    }
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : name) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return "lock-" + readable + "-" + hex;
}

}  // namespace

InstanceLock::~InstanceLock() { Release(); }

InstanceLock::InstanceLock(InstanceLock&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        Release();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

InstanceLock::Result InstanceLock::Acquire(const std::string& name) {
    Release();
    std::string dir = RuntimeDirectory();
    if (dir.empty()) return Result::Failed;
    std::string path = dir + "/" + LockFileName(name);
    // Close-on-exec: a program this process starts must not keep the lock after it ends.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return Result::Failed;
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy ? Result::HeldByOther : Result::Failed;
    }
    m_fd = fd;
    return Result::Acquired;
}

void InstanceLock::Release() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

}  // namespace win
