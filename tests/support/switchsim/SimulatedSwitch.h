// Test fixture for the simulated switch: starts tools/switchsim on a free UDP port of
// 127.0.0.1 with a model, changes its objects and faults through its control port, reads its
// request log, and stops it. Also runs net-snmp's command-line tools against it.
#pragma once

#include <mutex>
#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace switchsim {

struct LoggedVarbind {
    std::string oid;
    std::string type;   // "i", "s", "null", ... as the agent logs it
    std::string value;  // decimal, dotted or text; empty for NULL
    std::string hex;    // the bytes of an OCTET STRING, upper-case hex without blanks
};

struct LoggedRequest {
    long seq = 0;
    long arrivalUs = 0;     // microseconds since the agent started
    std::string version;    // "1", "2c" or "3"
    std::string community;  // v1 and v2c
    std::string user;       // v3
    std::string level;      // v3: noAuthNoPriv, authNoPriv, authPriv
    std::string pdu;        // get, getnext, getbulk, set
    long requestId = 0;
    bool resent = false;  // a client's resend of an earlier request (same id)
    int sends = 1;        // Requests(): how many times the request arrived
    long nonRepeaters = -1;
    long maxRepetitions = -1;
    std::vector<LoggedVarbind> varbinds;
    int errorStatus = 0;
    int errorIndex = 0;
    bool answered = false;  // Requests(): whether any of its sends was answered
};

// Parses one log line; empty when it is not a request line.
std::optional<LoggedRequest> ParseRequestLine(const std::string& line);
// Folds each resend into the request it repeats (the latest earlier one with its id).
std::vector<LoggedRequest> DistinctRequests(const std::vector<LoggedRequest>& arrivals);

class SimulatedSwitch {
public:
    struct Options {
        std::string model = "DUZ-3300-28ZA1";  // a model name under resources/models, or a file path
        std::vector<std::string> config;       // configuration lines (see tools/switchsim/README.md)
    };

    SimulatedSwitch();
    explicit SimulatedSwitch(Options options);
    ~SimulatedSwitch();
    SimulatedSwitch(const SimulatedSwitch&) = delete;
    SimulatedSwitch& operator=(const SimulatedSwitch&) = delete;

    // Starts the agent and waits until it listens; false (with a reason) when it did not start.
    bool Start(std::string* error = nullptr);
    void Stop();
    bool Running() const;

    int Port() const;
    std::string Address() const { return "127.0.0.1"; }
    std::string Target() const { return "127.0.0.1:" + std::to_string(Port()); }
    std::string WorkDir() const;
    static std::string ModelPath(const std::string& model);

    // One or more control commands (one a line); the agent's reply lines, or "" without reply.
    std::string Control(const std::string& commands) const;
    // One command; true when the agent answered "ok".
    bool Command(const std::string& command) const;

    bool SetObject(const std::string& oid, const std::string& type, const std::string& value) const;
    // "TYPE VALUE" as the agent stores it (OCTET STRING values as hex bytes), empty if absent.
    std::optional<std::string> GetObject(const std::string& oid) const;
    bool Delay(int milliseconds) const { return Command("delay " + std::to_string(milliseconds)); }
    bool Silence(const std::string& prefixOrAll = "all") const { return Command("silence " + prefixOrAll); }
    bool InjectError(const std::string& oid, const std::string& status) const {
        return Command("error " + oid + " " + status);
    }
    bool Serve(const std::string& oid, const std::string& type, const std::string& value) const;
    bool Loop(const std::string& prefix) const { return Command("loop " + prefix); }
    bool ClearFaults() const { return Command("clear"); }
    // How many answers `Delay` holds back and has not sent yet; -1 when the switch does not reply.
    int PendingAnswers() const;
    // Waits until every answer held back by `Delay` has been sent; false after the time-out.
    bool WaitForAnswersSent(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

    // The requests logged since the last clear, each once: a resend counts in its request's
    // `sends` and `answered`, not as a request of its own.
    std::vector<LoggedRequest> Requests() const;
    // Every arrival logged, resends included.
    std::vector<LoggedRequest> Arrivals() const;
    void ClearRequests() const;

private:
    void StopLocked();

    Options options_;
    mutable std::mutex mutex_;
    pid_t pid_ = -1;
    int port_ = 0;
    int controlPort_ = 0;
    std::string workDir_;
};

// A command-line tool run: exit code, standard output and standard error.
struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program (found on PATH) without a shell, with MIBS and MIBDIRS empty and net-snmp's
// persistent directory and configuration path inside `stateDir`.
ToolResult RunTool(const std::vector<std::string>& argv, const std::string& stateDir);

}  // namespace switchsim
