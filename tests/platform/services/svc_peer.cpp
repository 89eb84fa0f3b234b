// A second module process for the service tests. Modes:
//   lock NAME          take the instance lock; print "acquired", "busy" or "failed"; hold it
//                      until standard input closes
//   register TEXT      print the registered message number of TEXT
//   listen             print "ready", then "got MSG WPARAM LPARAM" per broadcast received,
//                      until standard input closes
//   broadcast M W L    broadcast; print the number of processes reached
// With SVC_PEER_DUMP=FILE in the environment it writes its arguments to FILE, one a line,
// and ends: it then stands in for a terminal or browser whose arguments a test checks. Its
// first line is then the number of files it found open.
#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <mutex>
#include <string>

#include "platform/win/InstanceLock.h"
#include "platform/win/RegisteredMessage.h"

namespace {
std::mutex g_out;

void Say(const std::string& line) {
    std::lock_guard lock(g_out);
    std::cout << line << std::endl;
}

void WaitForEndOfInput() {
    std::string ignored;
    while (std::getline(std::cin, ignored)) {
    }
}
}  // namespace

int main(int argc, char** argv) {
    if (const char* dump = std::getenv("SVC_PEER_DUMP")) {
        std::string tmp = std::string(dump) + ".part";
        {
            std::ofstream out(tmp);
            int open = -2;  // not counting the listing's own handle and the file being written
            for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) ++open, (void)fd;
            out << open << '\n';
            for (int i = 1; i < argc; ++i) out << argv[i] << '\n';
        }
        return std::rename(tmp.c_str(), dump) == 0 ? 0 : 1;
    }
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "lock" && argc == 3) {
        win::InstanceLock lock;
        auto result = lock.Acquire(argv[2]);
        Say(result == win::InstanceLock::Result::Acquired      ? "acquired"
            : result == win::InstanceLock::Result::HeldByOther ? "busy"
                                                               : "failed");
        WaitForEndOfInput();
        return 0;
    }
    if (mode == "register" && argc == 3) {
        Say(std::to_string(RegisterWindowMessage(argv[2])));
        return 0;
    }
    if (mode == "listen") {
        bool ok = win::SetBroadcastReceiver([](UINT msg, WPARAM w, LPARAM l) {
            Say("got " + std::to_string(msg) + " " + std::to_string(w) + " " + std::to_string(l));
        });
        Say(ok ? "ready" : "failed");
        WaitForEndOfInput();
        win::SetBroadcastReceiver(nullptr);
        return 0;
    }
    if (mode == "broadcast" && argc == 5) {
        int reached =
            win::BroadcastMessage(static_cast<UINT>(std::stoul(argv[2])), static_cast<WPARAM>(std::stoull(argv[3])),
                                  static_cast<LPARAM>(std::stoll(argv[4])));
        Say(std::to_string(reached));
        return 0;
    }
    std::cerr << "svc_peer: unknown mode\n";
    return 2;
}
