#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/win/ProcessStart.h"
#include "tests/platform/services/TestRuntime.h"
#include "tests/support/PollUntil.h"
#include "tests/support/ScopedEnv.h"

using namespace std::chrono_literals;
using Argv = std::vector<std::string>;

namespace {

void WriteFile(const std::string& path, const std::string& text, bool executable = false) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << text;
    if (executable) ::chmod(path.c_str(), 0755);
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool WaitForFile(const std::string& path) {
    return testsupport::PollUntil([&] { return std::filesystem::exists(path); }, 20s);
}

// Whether a child of this process has ended without being waited for.
bool HasZombieChild() {
    for (const auto& e : std::filesystem::directory_iterator("/proc")) {
        std::ifstream in(e.path() / "stat");
        std::string stat;
        if (!std::getline(in, stat)) continue;
        std::size_t close = stat.rfind(')');
        if (close == std::string::npos) continue;
        char state = 0;
        long ppid = 0;
        std::istringstream(stat.substr(close + 1)) >> state >> ppid;
        if (ppid == ::getpid() && state == 'Z') return true;
    }
    return false;
}

}  // namespace

TEST(ProgramStart, TelnetRunsInTheTerminalWithTheAddressAsOneArgument) {
    win::ProgramStartRecorder recorder;
    {
        testsupport::ScopedEnv terminal("TERMINAL", "/opt/term");
        EXPECT_EQ(win::StartTelnet("10.0.0.1; rm -rf ~ `id` $(id) \"x\" 'y'"), 0);
        EXPECT_EQ(win::StartTelnet(""), 0);
    }
    {
        testsupport::ScopedEnv terminal("TERMINAL", "");
        EXPECT_EQ(win::StartTelnet("192.168.1.2"), 0);
    }
    EXPECT_EQ(win::StartProgram({"/usr/bin/browser", "1.2.3.4"}), 0);

    std::vector<Argv> expected{
        {"/opt/term", "-e", "telnet", "10.0.0.1; rm -rf ~ `id` $(id) \"x\" 'y'"},
        {"/opt/term", "-e", "telnet"},
        {"x-terminal-emulator", "-e", "telnet", "192.168.1.2"},
        {"/usr/bin/browser", "1.2.3.4"},
    };
    EXPECT_EQ(recorder.Starts(), expected);
}

TEST(ProgramStart, RecorderAnswersTheGivenResultAndRestoresTheRealStart) {
    {
        win::ProgramStartRecorder failing(ENOENT);
        EXPECT_EQ(win::StartTelnet("1.1.1.1"), ENOENT);
        EXPECT_EQ(failing.Starts().size(), 1u);
    }
    // Real starts again: a program that does not exist is reported with the system's error.
    EXPECT_EQ(win::StartProgram({"/nonexistent/svc-no-such-program"}), ENOENT);
    EXPECT_EQ(win::StartProgram({"svc-no-such-program-in-path"}), ENOENT);
    EXPECT_NE(win::StartProgram({}), 0);
}

// A real start through a stand-in terminal that writes down the arguments it received: shell
// characters in the address reach it unchanged and run nothing.
TEST(ProgramStart, RealStartUsesNoShell) {
    TempDir dir;
    const std::string dump = dir.Path() + "/args";
    const std::string marker = dir.Path() + "/pwned";
    const std::string address = "1.2.3.4;touch " + marker + " && touch " + marker + " $(touch " + marker + ")";
    testsupport::ScopedEnv terminal("TERMINAL", SVC_PEER_PATH);
    testsupport::ScopedEnv dumpTo("SVC_PEER_DUMP", dump.c_str());

    int leaked[2];
    ASSERT_EQ(::pipe(leaked), 0);  // not close-on-exec, as a library's files may be

    ASSERT_EQ(win::StartTelnet(address), 0);
    ASSERT_TRUE(WaitForFile(dump));
    // Only the standard streams are passed on.
    EXPECT_EQ(ReadLines(dump), (Argv{"3", "-e", "telnet", address}));
    EXPECT_FALSE(std::filesystem::exists(marker));
    ::close(leaked[0]);
    ::close(leaked[1]);

    // Nobody waits for the program, yet it leaves no zombie behind when it ends.
    EXPECT_TRUE(testsupport::PollUntil([] { return !HasZombieChild(); }, 10s));
}

class BrowserLookup : public ::testing::Test {
protected:
    void SetUp() override {
        config = root.Path() + "/config";
        data = root.Path() + "/data";
        bin = root.Path() + "/bin";
        browser = bin + "/webbrowser";
        WriteFile(browser, "", true);
        std::filesystem::create_directories(config);
        std::filesystem::create_directories(data + "/applications");
    }
    void App(const std::string& id, const std::string& exec) {
        WriteFile(data + "/applications/" + id, "[Desktop Entry]\nType=Application\nName=B\nExec=" + exec + "\n");
    }
    void List(const std::string& path, const std::string& handlers) {
        WriteFile(path,
                  "[Added Associations]\nx-scheme-handler/http=other.desktop\n\n"
                  "[Default Applications]\ntext/html=other.desktop\nx-scheme-handler/http = " +
                      handlers + "\n");
    }
    std::string Lookup() {
        testsupport::ScopedEnv a("XDG_CONFIG_HOME", config.c_str());
        testsupport::ScopedEnv b("XDG_CONFIG_DIRS", (root.Path() + "/etc-xdg").c_str());
        testsupport::ScopedEnv c("XDG_DATA_HOME", data.c_str());
        testsupport::ScopedEnv d("XDG_DATA_DIRS", (root.Path() + "/share").c_str());
        testsupport::ScopedEnv e("XDG_CURRENT_DESKTOP", "Test:Other");
        testsupport::ScopedEnv f("PATH", bin.c_str());
        return win::DefaultBrowserPath();
    }

    TempDir root;
    std::string config, data, bin, browser;
};

TEST_F(BrowserLookup, ProgramOfTheDefaultApplication) {
    EXPECT_EQ(Lookup(), "") << "no mimeapps.list at all";

    App("web.desktop", browser + " %u");
    App("other.desktop", "/bin/sh");
    List(config + "/mimeapps.list", "web.desktop;");
    EXPECT_EQ(Lookup(), browser);
}

TEST_F(BrowserLookup, PrecedenceAndInstalledApplications) {
    App("web.desktop", "webbrowser --new-window %U");  // a bare name is looked up in PATH
    App("other.desktop", "/bin/sh");
    // The desktop's own list comes before the common one; the data folder's list is last.
    List(data + "/applications/mimeapps.list", "other.desktop");
    EXPECT_EQ(Lookup(), "/bin/sh");
    List(config + "/mimeapps.list", "other.desktop");
    List(config + "/test-mimeapps.list", "missing.desktop;web.desktop");
    EXPECT_EQ(Lookup(), browser) << "an application that is not installed is passed over";
}

TEST_F(BrowserLookup, ExecQuotingAndMissingPrograms) {
    const std::string spaced = bin + "/My Browser";
    WriteFile(spaced, "", true);
    struct Case {
        std::string exec, expected;
    } cases[] = {
        {"\"" + spaced + "\" --private %u", spaced},
        {"\"" + bin + "/My\\sBrowser\" %u", spaced},  // \s is a blank in desktop-file strings
        {"not-installed %u", ""},
        {"relative/path %u", ""},
        {"", ""},
    };
    List(config + "/mimeapps.list", "web.desktop");
    for (const Case& c : cases) {
        App("web.desktop", c.exec);
        EXPECT_EQ(Lookup(), c.expected) << c.exec;
    }
}
