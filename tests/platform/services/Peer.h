#pragma once
// Runs svc_peer as a real second process, talking to it through its standard streams.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

extern char** environ;

class Peer {
public:
    explicit Peer(std::vector<std::string> args) {
        args.insert(args.begin(), SVC_PEER_PATH);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        int in[2], out[2];
        if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_adddup2(&fa, in[0], 0);
        posix_spawn_file_actions_adddup2(&fa, out[1], 1);
        if (posix_spawn(&m_pid, SVC_PEER_PATH, &fa, nullptr, argv.data(), environ) != 0) m_pid = -1;
        posix_spawn_file_actions_destroy(&fa);
        ::close(in[0]);
        ::close(out[1]);
        m_in = in[1];
        m_out = out[0];
    }
    ~Peer() {
        CloseInput();
        Wait();
        if (m_out >= 0) ::close(m_out);
    }
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    bool Started() const { return m_pid > 0; }

    // The next line the peer printed, or "<timeout>" / "<eof>".
    std::string ReadLine(std::chrono::milliseconds limit = std::chrono::seconds(20)) {
        auto deadline = std::chrono::steady_clock::now() + limit;
        for (;;) {
            auto nl = m_buffer.find('\n');
            if (nl != std::string::npos) {
                std::string line = m_buffer.substr(0, nl);
                m_buffer.erase(0, nl + 1);
                return line;
            }
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return "<timeout>";
            pollfd p{m_out, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
            char buf[256];
            ssize_t n = ::read(m_out, buf, sizeof buf);
            if (n <= 0) return "<eof>";
            m_buffer.append(buf, static_cast<std::size_t>(n));
        }
    }

    // Ends the peer's wait for input: it then finishes normally.
    void CloseInput() {
        if (m_in >= 0) ::close(m_in);
        m_in = -1;
    }
    void Kill() {
        if (m_pid > 0) ::kill(m_pid, SIGKILL);
        Wait();
    }
    int Wait() {
        int status = -1;
        if (m_pid > 0) ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return status;
    }

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    std::string m_buffer;
};
