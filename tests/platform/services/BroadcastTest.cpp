#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <tuple>

#include "platform/win/RegisteredMessage.h"
#include "platform/win/RuntimeDir.h"
#include "tests/platform/services/Peer.h"

using namespace std::chrono_literals;

TEST(RegisterWindowMessage, SameTextSameNumberInEveryProcess) {
    const char* kPortClick = "{6FD9BA9B-9875-4c53-A57D-5E76258D10BE}";
    UINT portClick = RegisterWindowMessage(kPortClick);
    UINT activate = RegisterWindowMessage("Module:DUZ-3300-2810.0.0.1");
    EXPECT_GE(portClick, kFirstRegisteredMessage);
    EXPECT_GE(activate, kFirstRegisteredMessage);
    EXPECT_NE(portClick, activate);
    EXPECT_EQ(RegisterWindowMessage(kPortClick), portClick);

    // Texts are compared exactly; line breaks and backslashes inside them stay apart.
    std::vector<UINT> distinct{portClick,
                               activate,
                               RegisterWindowMessage("{6fd9ba9b-9875-4c53-a57d-5e76258d10be}"),
                               RegisterWindowMessage("a\nb"),
                               RegisterWindowMessage("a\\nb"),
                               RegisterWindowMessage("a\\"),
                               RegisterWindowMessage("a")};
    std::sort(distinct.begin(), distinct.end());
    EXPECT_EQ(std::adjacent_find(distinct.begin(), distinct.end()), distinct.end());

    EXPECT_EQ(RegisterWindowMessage(""), 0u);
    EXPECT_EQ(RegisterWindowMessage(nullptr), 0u);

    // Another process gets the same numbers, also for a text it registers first.
    EXPECT_EQ(Peer({"register", kPortClick}).ReadLine(), std::to_string(portClick));
    EXPECT_EQ(Peer({"register", "a\nb"}).ReadLine(), std::to_string(RegisterWindowMessage("a\nb")));
    std::string fresh = Peer({"register", "Module:NewIn Peer1.1.1.1"}).ReadLine();
    EXPECT_EQ(fresh, std::to_string(RegisterWindowMessage("Module:NewIn Peer1.1.1.1")));
}

// A process that died while writing the table leaves a line without its end: it keeps its
// number, and texts registered after it get the same numbers everywhere.
TEST(RegisterWindowMessage, TornTableLineKeepsLaterNumbersConsistent) {
    UINT before = RegisterWindowMessage("svc-before-torn");
    {
        std::ofstream table(win::RuntimeDirectory() + "/messages", std::ios::app);
        table << "svc-torn";
    }
    UINT after = RegisterWindowMessage("svc-after-torn");
    EXPECT_GT(after, before + 1);
    EXPECT_EQ(Peer({"register", "svc-after-torn"}).ReadLine(), std::to_string(after));
    EXPECT_EQ(Peer({"register", "svc-torn"}).ReadLine(), std::to_string(after - 1));
}

TEST(Broadcast, ReachesAnotherProcessAndThisOne) {
    UINT msg = RegisterWindowMessage("{6FD9BA9B-9875-4c53-A57D-5E76258D10BE}");
    Peer listener({"listen"});
    ASSERT_EQ(listener.ReadLine(), "ready");
    win::BroadcastRecorder inbox;
    ASSERT_TRUE(inbox.IsListening());

    EXPECT_EQ(win::BroadcastMessage(msg, 0, 17), 2);
    EXPECT_EQ(listener.ReadLine(), "got " + std::to_string(msg) + " 0 17");
    win::BroadcastRecorder::Message got{};
    ASSERT_TRUE(inbox.WaitFor(msg, 20s, &got));
    EXPECT_EQ(got, (win::BroadcastRecorder::Message{msg, 0, 17}));

    // The whole range of both parameters arrives unchanged.
    EXPECT_EQ(win::BroadcastMessage(msg, ~WPARAM{0}, LPARAM{-2}), 2);
    EXPECT_EQ(listener.ReadLine(), "got " + std::to_string(msg) + " " + std::to_string(~WPARAM{0}) + " -2");

    // A second process broadcasts: both listeners hear it.
    UINT activate = RegisterWindowMessage("Module:DUZ-3300-28P10.9.8.7");
    Peer sender({"broadcast", std::to_string(activate), "0", "0"});
    EXPECT_EQ(sender.ReadLine(), "2");
    EXPECT_EQ(listener.ReadLine(), "got " + std::to_string(activate) + " 0 0");
    ASSERT_TRUE(inbox.WaitFor(activate, 20s));
    ASSERT_TRUE(inbox.WaitFor(msg, 20s, &got));
    EXPECT_EQ(got, (win::BroadcastRecorder::Message{msg, ~WPARAM{0}, -2}));
    EXPECT_EQ(inbox.Received().size(), 3u);
}

// The receiver that the user-interface layer installs and a recorder both get every message;
// after the receiver is removed no call of it is made.
TEST(Broadcast, ReceiverAndRecorderTogether) {
    UINT msg = RegisterWindowMessage("svc-test-receiver");
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<LPARAM> received;
    ASSERT_TRUE(win::SetBroadcastReceiver([&](UINT m, WPARAM, LPARAM l) {
        std::lock_guard lock(mutex);
        if (m == msg) received.push_back(l);
        arrived.notify_all();
    }));
    {
        win::BroadcastRecorder recorder;
        for (LPARAM port = 1; port <= 5; ++port) EXPECT_EQ(win::BroadcastMessage(msg, 0, port), 1);
        for (int i = 0; i < 5; ++i) ASSERT_TRUE(recorder.WaitFor(msg, 20s));
    }
    EXPECT_EQ(win::BroadcastMessage(msg, 0, 6), 1) << "the receiver alone keeps the listener";
    {
        std::unique_lock lock(mutex);
        arrived.wait_for(lock, 20s, [&] { return received.size() == 6; });
    }
    ASSERT_TRUE(win::SetBroadcastReceiver(nullptr));
    EXPECT_EQ(win::BroadcastMessage(msg, 0, 7), 0);
    std::lock_guard lock(mutex);
    EXPECT_EQ(received, (std::vector<LPARAM>{1, 2, 3, 4, 5, 6}));
}

int SocketCount() {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(win::RuntimeSubdirectory("bcast")))
        n += e.path().extension() == ".sock";
    return n;
}

TEST(Broadcast, ListenersThatEndedAreNoLongerCounted) {
    UINT msg = RegisterWindowMessage("svc-test-cleanup");
    Peer clean({"listen"});
    Peer killed({"listen"});
    ASSERT_EQ(clean.ReadLine(), "ready");
    ASSERT_EQ(killed.ReadLine(), "ready");
    EXPECT_EQ(win::BroadcastMessage(msg, 1, 1), 2);
    EXPECT_EQ(clean.ReadLine(), "got " + std::to_string(msg) + " 1 1");

    clean.CloseInput();  // stops listening and removes its socket
    EXPECT_EQ(clean.ReadLine(), "<eof>");
    clean.Wait();
    killed.Kill();  // leaves its socket file behind
    EXPECT_EQ(SocketCount(), 1);
    EXPECT_EQ(win::BroadcastMessage(msg, 1, 2), 0);
    EXPECT_EQ(SocketCount(), 0);  // the dead one was cleared away

    // Stopping and restarting the listener in this process.
    {
        win::BroadcastRecorder inbox;
        EXPECT_EQ(win::BroadcastMessage(msg, 3, 4), 1);
        ASSERT_TRUE(inbox.WaitFor(msg, 20s));
    }
    EXPECT_EQ(SocketCount(), 0);
    EXPECT_EQ(win::BroadcastMessage(msg, 5, 6), 0);
}

// Foreign datagrams on a listener's socket (wrong size or marker) are dropped, and the
// listener goes on receiving.
TEST(Broadcast, ListenerIgnoresMalformedDatagrams) {
    UINT msg = RegisterWindowMessage("svc-test-malformed");
    win::BroadcastRecorder inbox;
    std::string path;
    for (const auto& e : std::filesystem::directory_iterator(win::RuntimeSubdirectory("bcast"))) path = e.path();
    ASSERT_FALSE(path.empty());
    int sock = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
    char junk[40] = "not a broadcast";
    for (std::size_t size : {std::size_t{0}, std::size_t{3}, std::size_t{24}, std::size_t{40}})
        ::sendto(sock, junk, size, 0, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::close(sock);

    EXPECT_EQ(win::BroadcastMessage(msg, 7, 8), 1);
    ASSERT_TRUE(inbox.WaitFor(msg, 20s));
    EXPECT_EQ(inbox.Received(), (std::vector<win::BroadcastRecorder::Message>{{msg, 7, 8}}));
}
