// switchsim: the simulated switch. A real SNMP agent (v1, v2c, v3 USM) on UDP 127.0.0.1 that
// serves a device state from a model file. See README.md for its files and its control channel.
#include "tools/switchsim/Agent.h"
#include "tools/switchsim/Control.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

namespace {

volatile sig_atomic_t g_stop = 0;

void OnSignal(int) { g_stop = 1; }

int Fail(const std::string& message) {
    std::fprintf(stderr, "switchsim: %s\n", message.c_str());
    return 2;
}

int Usage() {
    std::fprintf(
        stderr,
        "usage: switchsim [-c CONFIG] [-e LINE]... [--model FILE] [--port N] [--control-port N] [--log FILE]\n");
    return 2;
}

int OnPacket(int operation, netsnmp_session* session, int, netsnmp_pdu* pdu, void* magic) {
    // The library also hands over a request whose digest was wrong (marked in s_snmp_errno);
    // it answers that one itself with a report, the agent must not.
    if (session->s_snmp_errno == SNMPERR_USM_AUTHENTICATIONFAILURE) return 1;
    if (operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE) static_cast<switchsim::Agent*>(magic)->HandleRequest(pdu);
    return 1;
}

int BoundPort(int fd) {
    sockaddr_in a{};
    socklen_t length = sizeof a;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length) != 0) return -1;
    return ntohs(a.sin_port);
}

int OpenControl(int port) {
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// One datagram holds one or more command lines; the reply holds one line per command.
void ServeControl(int fd, switchsim::Agent& agent) {
    char buffer[65536];
    sockaddr_in from{};
    socklen_t length = sizeof from;
    ssize_t n = recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
    if (n <= 0) return;
    std::string text(buffer, static_cast<size_t>(n)), reply;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        reply += switchsim::ApplyCommand(agent, line, false) + "\n";
    }
    if (reply.empty()) reply = "ok\n";
    sendto(fd, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from), length);
}

void InitNetSnmp(const std::string& stateDir, const std::string& engineId) {
    // Read no configuration, load no MIB, keep state (none is saved) in our own directory.
    setenv("MIBS", "", 1);
    setenv("MIBDIRS", "", 1);
    setenv("SNMPCONFPATH", stateDir.c_str(), 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, stateDir.c_str());
    netsnmp_register_loghandler(NETSNMP_LOGHANDLER_NONE, LOG_DEBUG);
    // Not named after the program: net-snmp would write <dir>/<name>.conf.
    // The engine ID is fixed before start-up, which enters it in the engine-time cache that
    // the USM consults for incoming requests.
    setup_engineID(nullptr, engineId.c_str());
    init_snmp("simagent");
}

void AddUser(const switchsim::User& u) {
    std::string line = u.name;
    if (!u.auth.empty()) line += (u.auth == "md5" ? " MD5 " : " SHA ") + u.authPass;
    if (!u.priv.empty()) line += " DES " + u.privPass;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    usm_parse_create_usmUser("createUser", buffer.data());
}

}  // namespace

int main(int argc, char** argv) {
    switchsim::Agent agent;
    switchsim::RegisterBehaviours(agent);
    agent.config.users = {
        {"simnone", "", "", "", ""},
        {"simmd5", "md5", "simmd5pass", "", ""},
        {"simsha", "sha", "simshapass", "", ""},
        {"simmd5des", "md5", "simmd5pass", "des", "simdespass"},
        {"simshades", "sha", "simshapass", "des", "simdespass"},
    };

    std::vector<std::string> lines;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return Usage();
        const std::string value = argv[++i];
        if (arg == "-c") {
            std::ifstream in(value);
            if (!in) return Fail("cannot read " + value);
            for (std::string line; std::getline(in, line);) lines.push_back(line);
        } else if (arg == "-e") {
            lines.push_back(value);
        } else if (arg == "--model" || arg == "--port" || arg == "--control-port" || arg == "--log") {
            lines.push_back(arg.substr(2) + " \"" + value + "\"");
        } else {
            return Usage();
        }
    }
    // Settings first, then faults and object changes, which need the model loaded.
    std::vector<std::string> later;
    for (const std::string& line : lines) {
        std::string reply = switchsim::ApplyCommand(agent, line, true);
        if (reply.rfind("error", 0) == 0 && reply.find("only at start") == std::string::npos)
            return Fail(reply.substr(6) + " in: " + line);
    }
    if (agent.config.model.empty()) return Fail("no model file given");
    std::string error;
    if (!agent.model.Load(agent.config.model, error)) return Fail(error);
    for (const std::string& line : lines) {
        std::vector<std::string> w;
        if (!switchsim::SplitWords(line, w, error) || w.empty()) continue;
        if (w[0] == "set" || w[0] == "del") {
            std::string reply = switchsim::ApplyCommand(agent, line, true);
            if (reply.rfind("error", 0) == 0) return Fail(reply.substr(6) + " in: " + line);
        }
    }
    if (!agent.OpenLog(error)) return Fail(error);

    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd)) return Fail("no working directory");
    const std::string stateDir = std::string(cwd) + "/.snmp-state";
    mkdir(stateDir.c_str(), 0700);
    InitNetSnmp(stateDir, agent.config.engineId);
    for (const auto& u : agent.config.users) AddUser(u);

    netsnmp_transport* transport =
        netsnmp_transport_open_server("simagent", ("udp:127.0.0.1:" + std::to_string(agent.config.port)).c_str());
    if (!transport) return Fail("cannot listen on UDP 127.0.0.1:" + std::to_string(agent.config.port));
    netsnmp_session settings;
    snmp_sess_init(&settings);
    settings.version = SNMP_DEFAULT_VERSION;
    settings.isAuthoritative = SNMP_SESS_AUTHORITATIVE;
    settings.callback = OnPacket;
    settings.callback_magic = &agent;
    netsnmp_session* session = snmp_add(&settings, transport, nullptr, nullptr);
    if (!session) return Fail("cannot open the SNMP session");
    agent.Bind(session);

    const int controlFd = OpenControl(agent.config.controlPort);
    if (controlFd < 0) return Fail("cannot open the control port " + std::to_string(agent.config.controlPort));

    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: the wait in select ends at once
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);

    std::printf("%d\n%d\n", BoundPort(transport->sock), BoundPort(controlFd));
    std::fflush(stdout);

    while (!g_stop) {
        auto next = agent.RunDue(switchsim::Clock::now());
        fd_set fds;
        FD_ZERO(&fds);
        int maxFd = 0, block = 1;
        timeval timeout{};
        snmp_select_info(&maxFd, &fds, &timeout, &block);
        FD_SET(controlFd, &fds);
        maxFd = std::max(maxFd, controlFd + 1);
        // Wake at least every 100 ms: a stop signal that a sanitizer runtime holds back until
        // the next call is still seen promptly.
        timeval* wait = &timeout;
        if (block || timeout.tv_sec > 0 || timeout.tv_usec > 100000) timeout = {0, 100000};
        timeval ours{};
        if (next != switchsim::Clock::time_point::max()) {
            auto us = std::chrono::duration_cast<std::chrono::microseconds>(next - switchsim::Clock::now()).count();
            if (us < 0) us = 0;
            ours.tv_sec = us / 1000000;
            ours.tv_usec = us % 1000000;
            if (ours.tv_sec < wait->tv_sec || (ours.tv_sec == wait->tv_sec && ours.tv_usec < wait->tv_usec))
                wait = &ours;
        }
        int ready = select(maxFd, &fds, nullptr, nullptr, wait);
        if (ready < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (ready == 0) {
            snmp_timeout();
            continue;
        }
        agent.RunDue(switchsim::Clock::now());
        if (FD_ISSET(controlFd, &fds)) {
            FD_CLR(controlFd, &fds);
            ServeControl(controlFd, agent);
        }
        snmp_read(&fds);
    }
    close(controlFd);
    snmp_close(session);
    snmp_shutdown("simagent");
    return 0;
}
