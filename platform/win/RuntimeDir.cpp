#include "platform/win/RuntimeDir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace win {
namespace {

// Socket paths are limited to 107 bytes; a socket name inside <dir>/bcast needs about 35.
constexpr std::size_t kMaxDirLength = 70;

// Makes `path` a private directory of this user, or confirms that it already is one.
bool EnsurePrivateDirectory(const std::string& path) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return false;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return false;
    if ((st.st_mode & 077) != 0 && ::chmod(path.c_str(), 0700) != 0) return false;
    return true;
}

}  // namespace

std::string RuntimeDirectory() {
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    std::string dir;
    if (xdg && *xdg == '/') dir = std::string(xdg) + "/switchmodule";
    if (dir.empty() || dir.size() > kMaxDirLength) dir = "/tmp/switchmodule-" + std::to_string(::geteuid());
    return EnsurePrivateDirectory(dir) ? dir : std::string();
}

std::string RuntimeSubdirectory(const std::string& name) {
    std::string base = RuntimeDirectory();
    if (base.empty()) return {};
    std::string dir = base + "/" + name;
    return EnsurePrivateDirectory(dir) ? dir : std::string();
}

}  // namespace win
