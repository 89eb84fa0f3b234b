// Processes of the program: for the same device the second activates the first and ends
// without a window; for different devices both run; the secrets leave the command line.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <string>
#include <thread>
#include <vector>

#include "platform/win/InstanceLock.h"
#include "platform/win/Profile.h"
#include "platform/win/RegisteredMessage.h"
#include "tests/support/switchsim/SimulatedSwitch.h"
#include "tests/support/PollUntil.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

// One run of the program, ended (if still running) when the object goes.
class ModuleProcess {
public:
    // The program's debugger lines go to a file, read by Shown. `changes` are "NAME=VALUE" to
    // set and "NAME" to remove from the inherited environment.
    explicit ModuleProcess(const std::string& commandLine, const std::vector<std::string>& changes = {})
        : m_log(std::filesystem::temp_directory_path() /
                ("e2e-module-" + std::to_string(::getpid()) + "-" + std::to_string(++s_runs) + ".log")) {
        std::vector<std::string> args{SWITCH_MODULE_EXE, commandLine};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<std::string> env{"MODULE_DEBUG=1"};
        for (const std::string& change : changes)
            if (change.find('=') != std::string::npos) env.push_back(change);
        const auto changed = [&](std::string_view variable) {
            for (const std::string& change : changes)
                if (variable.starts_with(change.substr(0, change.find('=')) + "=")) return true;
            return variable.starts_with("MODULE_DEBUG=");
        };
        for (char** e = environ; *e; ++e)
            if (!changed(*e)) env.emplace_back(*e);
        std::vector<char*> envp;
        for (auto& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, m_log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        EXPECT_EQ(::posix_spawn(&m_pid, SWITCH_MODULE_EXE, &actions, nullptr, argv.data(), envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
    }
    // True once the main window has loaded its panel (it then holds the instance lock).
    bool WaitShown(std::chrono::milliseconds timeout = 20s) const {
        return testsupport::PollUntil([&] { return Shown().find("==========================") != std::string::npos; },
                                      timeout, 50ms);
    }
    pid_t Pid() const { return m_pid; }
    // The debugger lines so far.
    std::string Shown() const {
        std::ifstream in(m_log);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    ~ModuleProcess() {
        if (m_pid > 0 && !m_ended) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
        std::filesystem::remove(m_log);
    }
    ModuleProcess(const ModuleProcess&) = delete;
    ModuleProcess& operator=(const ModuleProcess&) = delete;

    // Waits at most `timeout` for the process to end; its exit status, or -1 while it runs.
    int WaitExit(std::chrono::milliseconds timeout) {
        int status = 0;
        m_ended = testsupport::PollUntil([&] { return ::waitpid(m_pid, &status, WNOHANG) == m_pid; }, timeout, 20ms);
        if (!m_ended) return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    static inline int s_runs = 0;
    std::filesystem::path m_log;
    pid_t m_pid = -1;
    bool m_ended = false;
};

// The device at `address`, its agent on the simulated switch's port.
std::string CommandLine(const switchsim::SimulatedSwitch& sim, const std::string& address = "127.0.0.1") {
    return "/N0/I" + address + "/Rnorfen/Wquastel/Vtrue/V1/P" + std::to_string(sim.Port());
}

std::string InstanceName(const std::string& address = "127.0.0.1") {
    char model[260] = {};
    GetPrivateProfileString("DeviceInfo", "DeviceName", "", model, sizeof model, SWITCH_MODULE_INI);
    return "Module:" + std::string(model) + address;
}

// Whether another process holds the device's instance lock (ask only once it is shown: the
// question takes the lock when it is free).
bool InstanceHeld(const std::string& name) {
    win::InstanceLock probe;
    return probe.Acquire(name) == win::InstanceLock::Result::HeldByOther;
}

class InstancesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(a.Start(&error)) << error;
    }
    switchsim::SimulatedSwitch a;
};

TEST_F(InstancesTest, SecondStartForTheSameDeviceActivatesTheFirst) {
    const std::string name = InstanceName();
    win::BroadcastRecorder broadcasts;
    ASSERT_TRUE(broadcasts.IsListening());
    ModuleProcess first(CommandLine(a));
    ASSERT_TRUE(first.WaitShown());
    EXPECT_TRUE(InstanceHeld(name));

    ModuleProcess second(CommandLine(a));
    EXPECT_EQ(second.WaitExit(20s), 0) << "the second start ends by itself";
    win::BroadcastRecorder::Message activation{};
    ASSERT_TRUE(broadcasts.WaitFor(RegisterWindowMessage(name.c_str()), 5s, &activation));
    EXPECT_EQ(activation.wParam, 0u);
    EXPECT_EQ(first.WaitExit(500ms), -1) << "the first one keeps running";
}

TEST_F(InstancesTest, DifferentDevicesRunSideBySide) {
    // The agent port is no part of the device: another address is another device.
    ModuleProcess first(CommandLine(a));
    ModuleProcess second(CommandLine(a, "127.0.0.2"));
    ASSERT_TRUE(first.WaitShown());
    ASSERT_TRUE(second.WaitShown());
    EXPECT_TRUE(InstanceHeld(InstanceName()));
    EXPECT_TRUE(InstanceHeld(InstanceName("127.0.0.2")));
    EXPECT_EQ(first.WaitExit(1s), -1);
    EXPECT_EQ(second.WaitExit(1s), -1);
}

// What another user's process list shows of a running module: no community and no pass phrase,
// while the program goes on using them.
TEST_F(InstancesTest, CommandLineShowsNoSecretOnceTheWindowIsUp) {
    ModuleProcess module(CommandLine(a) + "/A/B/C/L3/Uadmin/Aauthphrase1/Xprivphrase1/H3/D2");
    ASSERT_TRUE(module.WaitShown());
    std::ifstream in("/proc/" + std::to_string(module.Pid()) + "/cmdline");
    const std::string shown((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const char* secret : {"norfen", "quastel", "authphrase1", "privphrase1"})
        EXPECT_EQ(shown.find(secret), std::string::npos) << secret << " in " << shown;
    EXPECT_NE(shown.find("/I127.0.0.1/R******/W*******/Vtrue/V1/P"), std::string::npos) << shown;
    EXPECT_NE(shown.find("/Uadmin/A***********/X***********/H3/D2"), std::string::npos) << shown;
    // The polling still reads with the read community.
    EXPECT_TRUE(testsupport::PollUntil(
        [&] {
            for (const auto& request : a.Requests())
                if (request.community == "norfen") return true;
            return false;
        },
        10s, 50ms));
}

// Without XDG_RUNTIME_DIR, and with the fallback folder under the home folder made first by
// another user, the program says so and a second start for the same device still ends.
TEST_F(InstancesTest, SecondStartEndsEvenWithoutASafeRuntimeFolder) {
    ASSERT_EQ(::geteuid(), 0u) << "the test gives a folder to another user";
    char pattern[] = "/tmp/e2e-home-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string home = pattern;
    std::filesystem::create_directories(home + "/.local/state/switchmodule");
    ASSERT_EQ(::chown((home + "/.local/state/switchmodule").c_str(), 4242, 4242), 0);
    const std::vector<std::string> env{"HOME=" + home, "XDG_RUNTIME_DIR", "XDG_STATE_HOME"};

    ModuleProcess first(CommandLine(a), env);
    ASSERT_TRUE(first.WaitShown());
    EXPECT_NE(first.Shown().find("no private runtime folder"), std::string::npos) << first.Shown();
    ModuleProcess second(CommandLine(a), env);
    EXPECT_EQ(second.WaitExit(20s), 0) << "the second start ends by itself";
    EXPECT_EQ(first.WaitExit(500ms), -1) << "the first one keeps running";
    std::filesystem::remove_all(home);
}

}  // namespace
