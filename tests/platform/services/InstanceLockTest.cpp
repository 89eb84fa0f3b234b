#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <memory>

#include "platform/win/InstanceLock.h"
#include "platform/win/RuntimeDir.h"
#include "tests/platform/services/Peer.h"
#include "tests/platform/services/TestRuntime.h"

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
    EXPECT_EQ(lock.Acquire("Module:x1.2.3.4"), Result::Failed);

    // An own folder left open to others is closed again.
    ::unlink((base.Path() + "/switchmodule").c_str());
    ASSERT_EQ(::mkdir((base.Path() + "/switchmodule").c_str(), 0755), 0);
    EXPECT_EQ(win::RuntimeDirectory(), base.Path() + "/switchmodule");
    struct stat st {};
    ASSERT_EQ(::stat((base.Path() + "/switchmodule").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
}

TEST(RuntimeDirectory, FallsBackToAPrivateTmpFolderWithoutXdgRuntimeDir) {
    std::string saved = std::getenv("XDG_RUNTIME_DIR");
    ::unsetenv("XDG_RUNTIME_DIR");
    std::string dir = win::RuntimeDirectory();
    ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);

    EXPECT_EQ(dir, "/tmp/switchmodule-" + std::to_string(::geteuid()));
    struct stat st {};
    ASSERT_EQ(::lstat(dir.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}
