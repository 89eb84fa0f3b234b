#include "platform/win/InstanceLock.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/win/DebugOutput.h"
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

// Takes the lock on the open file without waiting; false with errno when it is taken.
bool TryLock(int fd) {
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

// Whether the open file is still the one at `path`: a holder that ends removes its file, and
// whoever opened it just before must not keep a lock on a file no one else can find.
bool StillAt(int fd, const std::string& path) {
    struct stat opened {
    }, current{};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &current) == 0 && opened.st_dev == current.st_dev &&
           opened.st_ino == current.st_ino;
}

// Removes the lock files in `dir` whose lock no one holds: left by processes that were killed.
void RemoveDeadLockFiles(const std::string& dir) {
    DIR* folder = ::opendir(dir.c_str());
    if (!folder) return;
    while (dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name.rfind("lock-", 0) != 0) continue;
        const std::string path = dir + "/" + name;
        const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) continue;
        if (TryLock(fd) && StillAt(fd, path)) ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(folder);
}

// The lock where no private runtime folder can be had: a name in the abstract socket space of
// the machine, which one socket at a time can hold and which goes with its process. Anyone can
// take a name there, so a holder counts as another instance only when it is this user's.
InstanceLock::Result AcquireAbstract(const std::string& name, int& fd) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string key = "switchmodule-" + std::to_string(::geteuid()) + "-" + LockFileName(name);
    const std::size_t length = std::min(key.size(), sizeof addr.sun_path - 1);
    std::memcpy(addr.sun_path + 1, key.data(), length);  // sun_path[0] stays 0: abstract
    const socklen_t size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (sock < 0) return InstanceLock::Result::Failed;
    if (::bind(sock, reinterpret_cast<sockaddr*>(&addr), size) == 0 && ::listen(sock, 8) == 0) {
        fd = sock;
        return InstanceLock::Result::Acquired;
    }
    const bool taken = errno == EADDRINUSE;
    ::close(sock);
    if (!taken) return InstanceLock::Result::Failed;
    const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (probe < 0) return InstanceLock::Result::Failed;
    ucred holder{};
    socklen_t credSize = sizeof holder;
    const bool ours = ::connect(probe, reinterpret_cast<sockaddr*>(&addr), size) == 0 &&
                      ::getsockopt(probe, SOL_SOCKET, SO_PEERCRED, &holder, &credSize) == 0 &&
                      holder.uid == ::geteuid();
    ::close(probe);
    return ours ? InstanceLock::Result::HeldByOther : InstanceLock::Result::Failed;
}

}  // namespace

InstanceLock::~InstanceLock() { Release(); }

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_path(std::move(other.m_path)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        Release();
        m_fd = std::exchange(other.m_fd, -1);
        m_path = std::move(other.m_path);
    }
    return *this;
}

InstanceLock::Result InstanceLock::Acquire(const std::string& name) {
    Release();
    const std::string dir = RuntimeDirectory();
    if (dir.empty()) {
        OutputDebugStringA(
            "no private runtime folder for the instance lock: one window per device is kept "
            "through a lock of the machine instead");
        return AcquireAbstract(name, m_fd);
    }
    // Starts and clean-ups take turns on the folder, so a clean-up that holds a dead file's
    // lock for a moment is never taken for a running instance.
    const int turn = ::open((dir + "/locks").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (turn < 0) return Result::Failed;
    while (::flock(turn, LOCK_EX) != 0 && errno == EINTR) {
    }
    RemoveDeadLockFiles(dir);
    const Result result = AcquireFile(dir + "/" + LockFileName(name));
    ::close(turn);
    return result;
}

InstanceLock::Result InstanceLock::AcquireFile(const std::string& path) {
    for (;;) {
        // Close-on-exec: a program this process starts must not keep the lock after it ends.
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) return Result::Failed;
        if (!TryLock(fd)) {
            const bool busy = errno == EWOULDBLOCK;
            ::close(fd);
            return busy ? Result::HeldByOther : Result::Failed;
        }
        if (StillAt(fd, path)) {
            m_fd = fd;
            m_path = path;
            return Result::Acquired;
        }
        ::close(fd);  // its holder ended and removed it: take the new file
    }
}

void InstanceLock::Release() {
    if (m_fd < 0) return;
    if (!m_path.empty()) ::unlink(m_path.c_str());  // still locked: no one takes it meanwhile
    ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}

}  // namespace win
