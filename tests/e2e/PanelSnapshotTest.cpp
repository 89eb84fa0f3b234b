// The program itself against the simulated switch, without a display: it polls the switch,
// draws the port states on the front panel, saves the panel as PNG (MODULE_SNAPSHOT) and ends.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/win/Profile.h"
#include "shell/panel/ParseDevXML.h"
#include "tests/shell/polling/BitmapColour.h"
#include "tests/support/switchsim/SimulatedSwitch.h"
#include "tests/support/PollUntil.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

const std::filesystem::path kProgramDir = std::filesystem::path(SWITCH_MODULE_INI).parent_path();

std::string Profile(const char* key) {
    char value[260] = {};
    GetPrivateProfileString("DeviceInfo", key, "", value, sizeof value, SWITCH_MODULE_INI);
    return value;
}

// Runs the program to its end (at most `timeout`); its exit status and standard output.
int RunProgram(const std::string& commandLine, const std::vector<std::string>& extraEnv,
               const std::filesystem::path& out, std::chrono::seconds timeout) {
    std::string program = SWITCH_MODULE_EXE, argument = commandLine;
    char* argv[] = {program.data(), argument.data(), nullptr};
    // The extra variables first: they win over inherited ones of the same name.
    std::vector<std::string> env(extraEnv.begin(), extraEnv.end());
    char** inherited = environ;
    while (*inherited != nullptr) ++inherited;
    env.insert(env.end(), environ, inherited);
    std::vector<char*> envp(env.size() + 1, nullptr);
    std::transform(env.begin(), env.end(), envp.begin(), [](std::string& e) { return e.data(); });
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, SWITCH_MODULE_EXE, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    if (testsupport::PollUntil([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, timeout, 20ms))
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return -1;
}

TEST(PanelSnapshotTest, TheProgramShowsThePolledPortStates) {
    const std::string model = Profile("DeviceName");
    ASSERT_FALSE(model.empty()) << SWITCH_MODULE_INI;
    switchsim::SimulatedSwitch::Options options;
    options.model = model.ends_with(" C1") ? model.substr(0, model.size() - 3) : model;
    switchsim::SimulatedSwitch sim(options);
    std::string error;
    ASSERT_TRUE(sim.Start(&error)) << error;
    // Port 1 linked at its full speed, port 3 without link.
    ASSERT_TRUE(sim.SetObject("1.3.6.1.2.1.2.2.1.5.1", "u", "100000000"));
    for (const char* column : {"7.1", "8.1", "7.3"})
        ASSERT_TRUE(sim.SetObject(std::string("1.3.6.1.2.1.2.2.1.") + column, "i", "1"));
    ASSERT_TRUE(sim.SetObject("1.3.6.1.2.1.2.2.1.8.3", "i", "2"));
    ASSERT_TRUE(sim.SetObject("1.3.6.1.4.1.32473.10.76.21.1.22.8.0", "i", "1"));  // link mode on PoE models

    const auto dir = std::filesystem::temp_directory_path() / ("e2e-snapshot-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto png = dir / "panel.png";
    const auto out = dir / "out.txt";
    const int status = RunProgram("/N0/I127.0.0.1/Rnorfen/Wquastel/Vtrue/V1/P" + std::to_string(sim.Port()),
                                  {"MODULE_SNAPSHOT=" + png.string(), "QT_QPA_PLATFORM=offscreen",
                                   // The menus the user-interface layer builds are reported
                                   // as leaked at the program's exit (not the polling's).
                                   "ASAN_OPTIONS=detect_leaks=0"},
                                  out, 30s);
    EXPECT_EQ(status, 0);
    std::ifstream printed(out);
    std::string line;
    std::getline(printed, line);
    EXPECT_EQ(line, png.string()) << "the program prints where the panel went";

    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(png.string())));
    CDevModule root;
    CModuleList modules;
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(kProgramDir);
    CParseDevXML().LoadDeviceXML(Profile("XMLName"), &root, modules);
    std::filesystem::current_path(cwd);
    EXPECT_EQ(image.width(), root.GetRect().Width());
    EXPECT_EQ(image.height(), root.GetRect().Height());
    int x = 0, y = 0;
    ASSERT_TRUE(root.GetPortLedPosition(0, x, y));
    EXPECT_EQ(image.pixel(x, y), LampBitmapColour(162)) << "port 1 green";
    ASSERT_TRUE(root.GetPortLedPosition(2, x, y));
    EXPECT_EQ(image.pixel(x, y), LampBitmapColour(160)) << "port 3 off";

    // The panel came from a poll: reachability, then the link walk.
    bool alive = false, walked = false;
    for (const auto& r : sim.Requests()) {
        alive |= r.pdu == "get" && !r.varbinds.empty() && r.varbinds[0].oid == "1.3.6.1.4.1.32473.10.76.21.1.25.1.0";
        walked |= alive && r.pdu == "getnext" && r.varbinds.size() == 5 && r.varbinds[3].oid == "1.3.6.1.2.1.2.2.1.8.3";
    }
    EXPECT_TRUE(alive);
    EXPECT_TRUE(walked);
    std::filesystem::remove_all(dir);
}

}  // namespace
