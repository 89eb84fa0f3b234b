// Request handling of the simulated switch: reads, atomic writes with the row rules, faults,
// the request log and the timed behaviours. Single-threaded: everything runs on the agent loop.
#pragma once

#include "tools/switchsim/Model.h"

#include <net-snmp/net-snmp-includes.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace switchsim {

using Clock = std::chrono::steady_clock;

struct User {
    std::string name;
    std::string auth;  // "", "md5" or "sha"
    std::string authPass;
    std::string priv;  // "" or "des"
    std::string privPass;
};

struct Config {
    std::string model;
    int port = 0;
    int controlPort = 0;
    std::string logPath = "requests.log";
    std::string readCommunity = "norfen";
    std::string writeCommunity = "quastel";
    std::vector<User> users;
    std::string engineId = "switchsim";
    int saveMs = 2000;
    int rebootMs = 5000;
    int scanStepMs = 1500;  // an address scan finds one host per step
    // A firmware or configuration transfer: busy (4), then running (3), then its result.
    int transferWaitMs = 1000;
    int transferTimeMs = 8000;
    int transferResult = 1;
};

struct Faults {
    int delayMs = 0;
    bool silentAll = false;
    std::vector<Oid> silentPrefixes;
    std::vector<std::pair<Oid, int>> errors;  // prefix, error status
    std::map<Oid, Value> served;              // answered instead of the model's value
    std::vector<Oid> loops;                   // GETNEXT under these prefixes does not advance
    int dropAnswers = 0;                      // the answers of the next requests are lost
    int copies = 1;                           // every answer leaves this many times

    void Clear() { *this = Faults(); }
};

class Agent {
public:
    Config config;
    Model model;
    Faults faults;

    // Called by a SET of the OID once the whole PDU has been applied.
    using Behaviour = std::function<void(Agent&, const Value&)>;
    std::map<Oid, Behaviour> behaviours;
    // Called by a SET of any instance of the column (an OID without the instance), with the
    // written cell, once the whole PDU has been applied.
    using ColumnBehaviour = std::function<void(Agent&, const Oid& cell, const Value&)>;
    std::map<Oid, ColumnBehaviour> columnBehaviours;
    // Rules over several objects, checked after a SET's writes and before its behaviours:
    // a non-zero error status refuses the whole SET (its writes are undone).
    using Consistency = std::function<int(const Agent&)>;
    std::vector<Consistency> consistencyChecks;
    // The latest timed play of an object (behaviours): a later play replaces an earlier one.
    std::map<Oid, unsigned long> plays;

    Agent();
    ~Agent();

    bool OpenLog(std::string& error);
    void Bind(netsnmp_session* session) { session_ = session; }

    // The net-snmp session callback: answers (or drops) one request.
    void HandleRequest(netsnmp_pdu* request);

    // Runs the timers and sends delayed answers that are due; returns the time of the next one.
    Clock::time_point RunDue(Clock::time_point now);

    void After(int ms, std::function<void(Agent&)> action);
    void SilenceFor(int ms) { silentUntil_ = Clock::now() + std::chrono::milliseconds(ms); }
    void ResetUpTime() { upSince_ = Clock::now(); }
    // Answers held back by a delay and not yet sent.
    size_t PendingAnswers() const { return delayed_.size(); }

    // The value a read sees: a served fault value, the live sysUpTime, or the model's object.
    std::optional<Value> Read(const Oid& name) const;

private:
    struct Answer {
        int errorStatus = 0;
        int errorIndex = 0;
        std::vector<std::pair<Oid, Value>> varbinds;  // empty with an error: echo the request
    };

    bool Silenced(const Oid& name) const;
    int InjectedError(const Oid& name) const;
    std::optional<std::pair<Oid, Value>> Next(const Oid& from) const;
    // Applies the silence and error faults to one varbind (and the object a GETNEXT would
    // answer): true when the request ends there.
    bool Faulted(const Oid& name, const Oid* answered, int index, Answer& answer, bool& silent) const;
    // One GETNEXT step from `from`: appends the answer and sets `reached`; false when the
    // request ends (a fault, or the v1 end of the MIB).
    bool Step(const netsnmp_pdu* request, const Oid& from, int index, Answer& answer, bool& silent, Oid& reached) const;
    void Get(netsnmp_pdu* request, Answer& answer, bool& silent) const;
    void GetNext(netsnmp_pdu* request, Answer& answer, bool& silent) const;
    void GetBulk(netsnmp_pdu* request, Answer& answer, bool& silent) const;
    void Set(netsnmp_pdu* request, bool writable, Answer& answer, bool& silent);
    int Write(const Oid& name, const Value& value, const std::vector<Oid>& creating,
              std::vector<std::pair<Oid, std::optional<Value>>>& undo);
    int WriteStatus(RowKind kind, const Oid& cell, size_t columnLength, long value,
                    std::vector<std::pair<Oid, std::optional<Value>>>& undo);
    // True when the request arrived before from the same address and port under the same
    // request id: a client sending it again.
    bool Resent(const netsnmp_pdu* request);
    void Send(netsnmp_pdu* response);
    void Log(const netsnmp_pdu* request, bool answered, bool resent, int errorStatus, int errorIndex);

    netsnmp_session* session_ = nullptr;
    std::FILE* log_ = nullptr;
    unsigned long logCount_ = 0;
    const Clock::time_point started_ = Clock::now();
    Clock::time_point upSince_ = started_;
    std::set<std::pair<std::string, long>> seen_;  // (source, request id) of recent requests
    std::deque<std::pair<std::string, long>> seenOrder_;
    Clock::time_point silentUntil_{};
    std::multimap<Clock::time_point, std::function<void(Agent&)>> timers_;
    std::deque<std::pair<Clock::time_point, netsnmp_pdu*>> delayed_;
};

// Error status codes as SNMPv2 defines them, by name ("notWritable") or number.
std::optional<int> ParseErrorStatus(const std::string& text);

// The behaviours keyed by object (save configuration, reboot, ...).
void RegisterBehaviours(Agent& agent);

}  // namespace switchsim
