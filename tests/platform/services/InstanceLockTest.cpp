#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/win/DebugOutput.h"
#include "platform/win/InstanceLock.h"
#include "platform/win/RegisteredMessage.h"
#include "platform/win/RuntimeDir.h"
#include "tests/platform/services/Peer.h"
#include "tests/platform/services/TestRuntime.h"
#include "tests/support/ScopedEnv.h"

using win::InstanceLock;
using Result = InstanceLock::Result;

TEST(InstanceLock, OneHolderPerNameUntilReleased) {
    InstanceLock first, second, other;
    EXPECT_EQ(first.Acquire("Module:DUZ-3300-28P10.0.0.1"), Result::Acquired);
    EXPECT_EQ(second.Acquire("Module:DUZ-3300-28P10.0.0.1"), Result::HeldByOther);
    EXPECT_FALSE(second.IsHeld());
    // Another address or model runs side by side, even where the names differ only in
    // characters that cannot stand in a file name.
    EXPECT_EQ(other.Acquire("Module:DUZ-3300-28P10.0.0.2"), Result::Acquired);
    InstanceLock slash, underscore;
    EXPECT_EQ(slash.Acquire("Module:A/B10.0.0.1"), Result::Acquired);
    EXPECT_EQ(underscore.Acquire("Module:A_B10.0.0.1"), Result::Acquired);

    first.Release();
    EXPECT_EQ(second.Acquire("Module:DUZ-3300-28P10.0.0.1"), Result::Acquired);
    InstanceLock moved = std::move(second);
    EXPECT_TRUE(moved.IsHeld());
    EXPECT_EQ(first.Acquire("Module:DUZ-3300-28P10.0.0.1"), Result::HeldByOther);
}

TEST(InstanceLock, LongNamesStayApart) {
    std::string base(400, 'x');
    InstanceLock a, b;
    EXPECT_EQ(a.Acquire("Module:" + base + "1"), Result::Acquired);
    EXPECT_EQ(b.Acquire("Module:" + base + "2"), Result::Acquired);
}

TEST(InstanceLock, RefusedWhileAnotherProcessHoldsItAndTakenOverWhenItDies) {
    const std::string name = "Module:Peer192.168.0.1";
    Peer holder({"lock", name});
    ASSERT_TRUE(holder.Started());
    ASSERT_EQ(holder.ReadLine(), "acquired");

    InstanceLock mine;
    EXPECT_EQ(mine.Acquire(name), Result::HeldByOther);

    holder.Kill();  // dies holding the lock: the file stays behind
    EXPECT_EQ(mine.Acquire(name), Result::Acquired);

    Peer late({"lock", name});
    EXPECT_EQ(late.ReadLine(), "busy");
}

TEST(InstanceLock, ExactlyOneOfManySimultaneousStartsAcquires) {
    const std::string name = "Module:Race10.1.1.1";
    std::vector<std::unique_ptr<Peer>> peers;
    for (int i = 0; i < 6; ++i) peers.push_back(std::make_unique<Peer>(std::vector<std::string>{"lock", name}));
    int acquired = 0, busy = 0;
    for (auto& p : peers) {
        std::string line = p->ReadLine();
        acquired += line == "acquired";
        busy += line == "busy";
    }
    EXPECT_EQ(acquired, 1);
    EXPECT_EQ(busy, 5);
}

// The runtime directory is shared by every process of the user: a folder of that name that
// is not a private directory of ours must not be used.
TEST(RuntimeDirectory, RefusesAFolderThatIsNotOurs) {
    TempDir base;
    std::string saved = std::getenv("XDG_RUNTIME_DIR");
    ::setenv("XDG_RUNTIME_DIR", base.Path().c_str(), 1);

    ASSERT_EQ(::symlink("/tmp", (base.Path() + "/switchmodule").c_str()), 0);
    EXPECT_EQ(win::RuntimeDirectory(), "");
    InstanceLock lock;
    EXPECT_EQ(lock.Acquire("Module:x1.2.3.4"), Result::Acquired) << "through the machine's socket names";
    EXPECT_EQ(Peer({"lock", "Module:x1.2.3.4"}).ReadLine(), "busy");
    lock.Release();

    // An own folder left open to others is closed again.
    ::unlink((base.Path() + "/switchmodule").c_str());
    ASSERT_EQ(::mkdir((base.Path() + "/switchmodule").c_str(), 0755), 0);
    EXPECT_EQ(win::RuntimeDirectory(), base.Path() + "/switchmodule");
    struct stat st {};
    ASSERT_EQ(::stat((base.Path() + "/switchmodule").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
}

// Without XDG_RUNTIME_DIR: a home folder of this process's own and no runtime folder.
struct NoRuntimeDir {
    TempDir home;
    testsupport::ScopedEnv homeVar{"HOME", home.Path().c_str()};
    testsupport::ScopedEnv runtime{"XDG_RUNTIME_DIR", nullptr};
    testsupport::ScopedEnv state{"XDG_STATE_HOME", nullptr};
};

TEST(RuntimeDirectory, FallsBackToAPrivateFolderUnderHomeWithoutXdgRuntimeDir) {
    NoRuntimeDir env;
    const std::string dir = win::RuntimeDirectory();
    EXPECT_EQ(dir, env.home.Path() + "/.local/state/switchmodule/run");
    struct stat st {};
    ASSERT_EQ(::lstat(dir.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(st.st_uid, ::geteuid());
    const testsupport::ScopedEnv state("XDG_STATE_HOME", (env.home.Path() + "/state").c_str());
    EXPECT_EQ(win::RuntimeDirectory(), env.home.Path() + "/state/switchmodule/run");
}

// A fallback folder another user made first, or could swap, is not used; the lock then moves to
// the machine's abstract socket names, says so, and a second start is still refused.
TEST(RuntimeDirectory, WithoutASafeFolderASecondStartIsStillRefused) {
    ASSERT_EQ(::geteuid(), 0u) << "the tests give folders to another user";
    constexpr uid_t kStranger = 4242;
    const struct {
        const char* what;
        std::function<void(const std::string& home)> prepare;
    } cases[] = {
        {"the run folder is another user's",
         [](const std::string& home) {
             std::filesystem::create_directories(home + "/.local/state/switchmodule/run");
             ASSERT_EQ(::chown((home + "/.local/state/switchmodule/run").c_str(), kStranger, kStranger), 0);
         }},
        {"the state folder is another user's",
         [](const std::string& home) {
             std::filesystem::create_directories(home + "/.local/state");
             ASSERT_EQ(::chown((home + "/.local/state").c_str(), kStranger, kStranger), 0);
         }},
        {"the program's folder is open to others",
         [](const std::string& home) {
             std::filesystem::create_directories(home + "/.local/state/switchmodule");
             ASSERT_EQ(::chmod((home + "/.local/state/switchmodule").c_str(), 0777), 0);
         }},
        {"the run folder is a link",
         [](const std::string& home) {
             std::filesystem::create_directories(home + "/.local/state/switchmodule");
             ASSERT_EQ(::symlink("/tmp", (home + "/.local/state/switchmodule/run").c_str()), 0);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        NoRuntimeDir env;
        c.prepare(env.home.Path());
        EXPECT_EQ(win::RuntimeDirectory(), "");
        const std::string name = "Module:Fallback10.9.8.7 " + env.home.Path();
        win::StartDebugCapture();
        InstanceLock mine;
        EXPECT_EQ(mine.Acquire(name), Result::Acquired);
        const auto lines = win::CapturedDebugLines();
        win::StopDebugCapture();
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
            return l.find("no private runtime folder") != std::string::npos;
        }));
        EXPECT_EQ(Peer({"lock", name}).ReadLine(), "busy");
        EXPECT_EQ(Peer({"lock", name + "other"}).ReadLine(), "acquired");
        mine.Release();
        EXPECT_EQ(Peer({"lock", name}).ReadLine(), "acquired");
    }
}

// The files in the runtime folder whose names start with `prefix` and end with `suffix`.
static int FilesIn(const std::string& dir, const std::string& prefix, const std::string& suffix = "") {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        count += name.starts_with(prefix) && name.ends_with(suffix);
    }
    return count;
}

// A clean exit takes its lock file and socket with it; what killed processes left is removed by
// the next start that can tell they are dead, and what live ones hold stays.
TEST(InstanceLock, FilesGoWithCleanExitsAndDeadOnesWithTheNextStart) {
    const std::string dir = win::RuntimeDirectory();
    ASSERT_FALSE(dir.empty());
    const std::string sockets = win::RuntimeSubdirectory("bcast");
    InstanceLock own;
    ASSERT_EQ(own.Acquire("Module:Clean1.1.1.1"), Result::Acquired);
    const int lockFiles = FilesIn(dir, "lock-");
    own.Release();
    EXPECT_EQ(FilesIn(dir, "lock-"), lockFiles - 1);

    Peer killed({"lock", "Module:Killed1.1.1.2"}), alive({"lock", "Module:Alive1.1.1.3"});
    ASSERT_EQ(killed.ReadLine(), "acquired");
    ASSERT_EQ(alive.ReadLine(), "acquired");
    Peer killedListener({"listen"}), cleanListener({"listen"});
    ASSERT_EQ(killedListener.ReadLine(), "ready");
    ASSERT_EQ(cleanListener.ReadLine(), "ready");
    const int socketsBefore = FilesIn(sockets, "", ".sock");
    killed.Kill();
    killedListener.Kill();
    cleanListener.CloseInput();
    cleanListener.Wait();
    EXPECT_EQ(FilesIn(sockets, "", ".sock"), socketsBefore - 1) << "the clean exit removed its socket";

    const int before = FilesIn(dir, "lock-");
    ASSERT_EQ(own.Acquire("Module:Start1.1.1.4"), Result::Acquired);
    EXPECT_EQ(FilesIn(dir, "lock-"), before) << "one dead file removed, one new";
    EXPECT_EQ(Peer({"lock", "Module:Alive1.1.1.3"}).ReadLine(), "busy");
    {
        win::BroadcastRecorder listening;  // starts listening: the killed listener's socket goes
        ASSERT_TRUE(listening.IsListening());
        EXPECT_EQ(FilesIn(sockets, "", ".sock"), socketsBefore - 1);
    }
}
