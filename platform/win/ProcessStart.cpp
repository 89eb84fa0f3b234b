#include "platform/win/ProcessStart.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <utility>

extern char** environ;

namespace win {
namespace {

std::mutex g_starterMutex;
ProgramStarter g_starter;

int SpawnDetached(const std::vector<std::string>& argv) {
    if (argv.empty() || argv[0].empty()) return EINVAL;
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    // Only the standard streams go to the program; it starts in a session of its own, with no
    // blocked signals and default handling of those this process may ignore.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int sig : {SIGPIPE, SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGCHLD}) sigaddset(&defaults, sig);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);

    pid_t pid = 0;
    int rc = posix_spawnp(&pid, argv[0].c_str(), &actions, &attr, args.data(), environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    if (rc == 0) {
        // Nobody waits for the program; this reaps it when it ends so that it leaves no zombie.
        std::thread([pid] {
            while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    }
    return rc;
}

// ---- the XDG default-application lookup ---------------------------------------------------

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : fallback;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find(separator, pos);
        if (end == std::string::npos) end = text.size();
        if (end > pos) parts.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return parts;
}

std::string Trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

// The value of `key` in group `group` of a desktop-entry style file; false when absent.
bool ReadKey(const std::string& path, const std::string& group, const std::string& key, std::string& value) {
    std::ifstream in(path);
    std::string line;
    bool inGroup = false;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            inGroup = line == "[" + group + "]";
            continue;
        }
        std::size_t eq = line.find('=');
        if (inGroup && eq != std::string::npos && Trim(line.substr(0, eq)) == key) {
            value = Trim(line.substr(eq + 1));
            return true;
        }
    }
    return false;
}

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// The program of an Exec value: its first argument after the string escapes (\s, \\ ...) and
// the argument quoting ("...", with \" \` \$ \\ inside) are undone.
std::string ExecProgram(const std::string& exec) {
    std::string unescaped;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] == '\\' && i + 1 < exec.size()) {
            char c = exec[++i];
            if (c == 's') unescaped += ' ';
            else if (c == 't') unescaped += '\t';
            else if (c == 'n') unescaped += '\n';
            else if (c == 'r') unescaped += '\r';
            else if (c == '\\') unescaped += '\\';
            else unescaped += std::string{'\\', c};
        } else {
            unescaped += exec[i];
        }
    }
    std::string program;
    std::size_t i = unescaped.find_first_not_of(" \t");
    if (i == std::string::npos) return {};
    if (unescaped[i] == '"') {
        for (++i; i < unescaped.size() && unescaped[i] != '"'; ++i) {
            if (unescaped[i] == '\\' && i + 1 < unescaped.size()) ++i;
            program += unescaped[i];
        }
    } else {
        for (; i < unescaped.size() && unescaped[i] != ' ' && unescaped[i] != '\t'; ++i) program += unescaped[i];
    }
    return program;
}

std::string ResolveProgram(const std::string& program) {
    if (program.empty()) return {};
    if (program.find('/') != std::string::npos)
        return program[0] == '/' && IsExecutableFile(program) ? program : std::string();
    for (const std::string& dir : Split(EnvOr("PATH", "/usr/local/bin:/usr/bin:/bin"), ':')) {
        std::string candidate = dir + "/" + program;
        if (dir[0] == '/' && IsExecutableFile(candidate)) return candidate;
    }
    return {};
}

}  // namespace

int StartProgram(const std::vector<std::string>& argv) {
    ProgramStarter starter;
    {
        std::lock_guard lock(g_starterMutex);
        starter = g_starter;
    }
    return starter ? starter(argv) : SpawnDetached(argv);
}

ProgramStarter SetProgramStarter(ProgramStarter starter) {
    std::lock_guard lock(g_starterMutex);
    return std::exchange(g_starter, std::move(starter));
}

std::vector<std::string> TelnetCommand(const std::string& address) {
    std::vector<std::string> argv{EnvOr("TERMINAL", "x-terminal-emulator"), "-e", "telnet"};
    if (!address.empty()) argv.push_back(address);
    return argv;
}

int StartTelnet(const std::string& address) { return StartProgram(TelnetCommand(address)); }

std::string DefaultBrowserPath() {
    const std::string home = EnvOr("HOME", "");
    std::vector<std::string> configDirs{EnvOr("XDG_CONFIG_HOME", home + "/.config")};
    for (const std::string& d : Split(EnvOr("XDG_CONFIG_DIRS", "/etc/xdg"), ':')) configDirs.push_back(d);
    std::vector<std::string> appDirs{EnvOr("XDG_DATA_HOME", home + "/.local/share") + "/applications"};
    for (const std::string& d : Split(EnvOr("XDG_DATA_DIRS", "/usr/local/share:/usr/share"), ':'))
        appDirs.push_back(d + "/applications");
    std::vector<std::string> desktops = Split(EnvOr("XDG_CURRENT_DESKTOP", ""), ':');
    for (std::string& d : desktops)
        for (char& c : d) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));

    // The mimeapps.list files in the order of precedence: configuration folders before the
    // (older) application folders, each desktop's own list before the common one.
    std::vector<std::string> lists;
    for (const auto* dirs : {&configDirs, &appDirs}) {
        for (const std::string& dir : *dirs) {
            for (const std::string& desktop : desktops) lists.push_back(dir + "/" + desktop + "-mimeapps.list");
            lists.push_back(dir + "/mimeapps.list");
        }
    }

    for (const std::string& list : lists) {
        std::string handlers;
        if (!ReadKey(list, "Default Applications", "x-scheme-handler/http", handlers)) continue;
        for (const std::string& id : Split(handlers, ';')) {
            for (const std::string& dir : appDirs) {
                std::string exec;
                if (!ReadKey(dir + "/" + id, "Desktop Entry", "Exec", exec)) continue;
                // The first installed application decides, whether or not its program is there.
                return ResolveProgram(ExecProgram(exec));
            }
        }
    }
    return {};
}

ProgramStartRecorder::ProgramStartRecorder(int result) {
    m_previous = SetProgramStarter([this, result](const std::vector<std::string>& argv) {
        std::lock_guard lock(m_mutex);
        m_starts.push_back(argv);
        return result;
    });
}

ProgramStartRecorder::~ProgramStartRecorder() { SetProgramStarter(std::move(m_previous)); }

std::vector<std::vector<std::string>> ProgramStartRecorder::Starts() const {
    std::lock_guard lock(m_mutex);
    return m_starts;
}

}  // namespace win
