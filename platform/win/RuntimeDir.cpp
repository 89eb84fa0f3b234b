#include "platform/win/RuntimeDir.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace win {
namespace {

// Socket paths are limited to 107 bytes; a socket name inside <dir>/bcast needs about 35.
constexpr std::size_t kMaxDirLength = 70;

// Whether `st` is a directory of this user that no one else may write to.
bool OwnAndClosed(const struct stat& st) {
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 022) == 0;
}

// Makes `path` a private directory of this user, or confirms that it already is one.
bool EnsurePrivateDirectory(const std::string& path) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return false;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return false;
    if ((st.st_mode & 077) != 0 && ::chmod(path.c_str(), 0700) != 0) return false;
    return true;
}

std::string HomeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home == '/') return home;
    if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_dir && *pw->pw_dir == '/') return pw->pw_dir;
    return {};
}

// <state>/switchmodule/run, where <state> is $XDG_STATE_HOME or ~/.local/state: a folder
// only this user can have made. Every folder from the home folder down must be this user's
// and closed to others, or another user could swap a folder on the way; empty otherwise.
std::string HomeRuntimeDirectory() {
    const std::string home = HomeDirectory();
    if (home.empty()) return {};
    struct stat st {};
    if (::stat(home.c_str(), &st) != 0 || !OwnAndClosed(st)) return {};
    std::vector<std::string> steps;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/') {
        steps.push_back(state);
    } else {
        steps.push_back(home + "/.local");
        steps.push_back(home + "/.local/state");
    }
    steps.push_back(steps.back() + "/switchmodule");
    steps.push_back(steps.back() + "/run");
    if (steps.back().size() > kMaxDirLength) return {};
    for (const std::string& step : steps) {
        if (::mkdir(step.c_str(), 0700) != 0 && errno != EEXIST) return {};
        if (::lstat(step.c_str(), &st) != 0 || !OwnAndClosed(st)) return {};
    }
    return EnsurePrivateDirectory(steps.back()) ? steps.back() : std::string();
}

}  // namespace

std::string RuntimeDirectory() {
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    if (xdg && *xdg == '/') {
        const std::string dir = std::string(xdg) + "/switchmodule";
        if (dir.size() <= kMaxDirLength) return EnsurePrivateDirectory(dir) ? dir : std::string();
    }
    return HomeRuntimeDirectory();
}

std::string RuntimeSubdirectory(const std::string& name) {
    std::string base = RuntimeDirectory();
    if (base.empty()) return {};
    std::string dir = base + "/" + name;
    return EnsurePrivateDirectory(dir) ? dir : std::string();
}

}  // namespace win
