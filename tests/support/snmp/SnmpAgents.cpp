#include "tests/support/snmp/SnmpAgents.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

extern char** environ;

namespace testsupport {

namespace {

constexpr const char* kSnmpd = "/usr/sbin/snmpd";

// A loopback UDP socket bound to a free port.
int BindLoopback(int& port) {
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        if (fd >= 0) close(fd);
        return -1;
    }
    port = ntohs(addr.sin_port);
    return fd;
}

void WriteConfig(const std::string& path, const std::string& dir) {
    std::ofstream conf(path);
    conf << "[snmp] persistentDir " << dir << "/state\n"
         << "rocommunity " << kReadCommunity << " 127.0.0.1\n"
         << "rwcommunity " << kWriteCommunity << " 127.0.0.1\n";
    for (const SnmpdUser& u : {kNoAuthUser, kMd5User, kShaUser, kMd5DesUser, kShaDesUser}) {
        conf << "createUser " << u.name;
        if (u.level >= 2) conf << (u.authProtocol == 0 ? " MD5 " : " SHA ") << '"' << u.authPassPhrase << '"';
        if (u.level == 3) conf << " DES \"" << u.privPassPhrase << '"';
        conf << "\nrwuser " << u.name << (u.level == 1 ? " noauth" : u.level == 2 ? " auth" : " priv") << "\n";
    }
}

}  // namespace

Snmpd::Snmpd() {
    char pattern[] = "/tmp/snmpd-test-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        m_error = "no temporary directory";
        return;
    }
    m_dir = pattern;
    std::filesystem::create_directory(m_dir + "/state");
    const std::string conf = m_dir + "/snmpd.conf";
    WriteConfig(conf, m_dir);

    for (int attempt = 0; attempt < 5 && m_pid <= 0; ++attempt) {
        const int probe = BindLoopback(m_port);
        if (probe < 0) {
            m_error = "no free port";
            return;
        }
        close(probe);  // snmpd binds it next; a rare race is retried
        const std::string listen = "udp:127.0.0.1:" + std::to_string(m_port);
        const std::string log = m_dir + "/snmpd.log";
        std::vector<std::string> args = {kSnmpd, "-f", "-Lo", "-C", "-m", "", "-I", "-smux", "-c", conf, listen};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        pid_t pid = -1;
        const int rc = posix_spawn(&pid, kSnmpd, &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) {
            m_error = "cannot start snmpd";
            return;
        }
        m_pid = pid;
        if (!WaitUntilAnswering()) {
            if (m_pid > 0) {
                kill(m_pid, SIGKILL);
                waitpid(m_pid, nullptr, 0);
            }
            m_pid = -1;
            m_error = "snmpd did not answer";
        }
    }
    if (m_pid > 0) m_error.clear();
}

Snmpd::~Snmpd() {
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
    if (!m_dir.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
}

Snmpd& SharedSnmpd() {
    static Snmpd agent;
    return agent;
}

std::string Snmpd::Address() const { return "127.0.0.1:" + std::to_string(m_port); }

// Sends a hand-made SNMPv1 GET of sysDescr.0 until an answer comes (at most 10 s).
bool Snmpd::WaitUntilAnswering() {
    static const unsigned char kGet[] = {0x30, 0x26, 0x02, 0x01, 0x00, 0x04, 0x06, 'n',  'o',  'r',
                                         'f',  'e',  'n',  0xa0, 0x19, 0x02, 0x01, 0x01, 0x02, 0x01,
                                         0x00, 0x02, 0x01, 0x00, 0x30, 0x0e, 0x30, 0x0c, 0x06, 0x08,
                                         0x2b, 0x06, 0x01, 0x02, 0x01, 0x01, 0x01, 0x00, 0x05, 0x00};
    int ownPort = 0;
    const int fd = BindLoopback(ownPort);
    if (fd < 0) return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(static_cast<uint16_t>(m_port));
    bool answered = false;
    for (int i = 0; i < 100 && !answered; ++i) {
        if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {  // it exited (port taken?)
            m_pid = -1;
            break;
        }
        sendto(fd, kGet, sizeof kGet, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 100) > 0) {
            unsigned char buffer[1500];
            answered = recv(fd, buffer, sizeof buffer, 0) > 0;
        }
    }
    close(fd);
    return answered;
}

SilentAgent::SilentAgent() { m_socket = BindLoopback(m_port); }

SilentAgent::~SilentAgent() {
    if (m_socket >= 0) close(m_socket);
}

std::string SilentAgent::Address() const { return "127.0.0.1:" + std::to_string(m_port); }

bool SilentAgent::WaitForRequest(int timeoutMs) const {
    pollfd p{m_socket, POLLIN, 0};
    if (m_socket < 0 || poll(&p, 1, timeoutMs) <= 0) return false;
    unsigned char buffer[1500];
    return recv(m_socket, buffer, sizeof buffer, 0) > 0;
}

}  // namespace testsupport
