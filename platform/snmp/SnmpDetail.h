#pragma once
// Inside the SNMP client library: value encoding, the state a session shares with its
// requests in flight, and the engine that makes every net-snmp call.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/snmp/Snmp.h"
#include "platform/win/Event.h"

namespace snmpdetail {

using Oid = std::vector<std::uint32_t>;

// Dotted numeric text, with or without a leading dot; 1 to 128 sub-identifiers of at most
// 32 bits. False on anything else.
bool ParseOid(std::string_view text, Oid& out);
std::string OidToText(const Oid& oid);
// True when oid lies strictly below prefix.
bool IsBelow(const Oid& oid, const Oid& prefix);

// One variable of a prepared request, its value already checked and encoded.
struct RequestVar {
    Oid column;  // the OID as added: the column a walk stays in
    Oid name;    // the OID to send (advances during a walk)
    int type = SNMP_TYPE_NULL;
    std::int64_t number = 0;  // INTEGER, Unsigned32
    std::string bytes;        // OCTET STRING, IpAddress (4 bytes)
    Oid oidValue;             // OBJECT IDENTIFIER
};

// The 1-based index of the first variable of an SNMP message (a datagram as received) whose
// number lies outside its type's range: INTEGER beyond 32 bits signed, Counter32, Gauge32,
// TimeTicks and Unsigned32 beyond 32 bits unsigned, Counter64 beyond 64 bits unsigned.
// 0 when every number fits, and when the variables cannot be seen (an encrypted SNMPv3
// message, or no message at all).
int FirstValueOutOfRange(const unsigned char* datagram, std::size_t length);

// Builds a request variable from a value text (INTEGER and Unsigned32 decimal, OID and
// IpAddress dotted, OCTET STRING as given). EC_NO_ERROR or EC_BAD_VALUE.
int MakeRequestVar(const char* oid, int type, std::string_view value, RequestVar& out);

struct ResponseVar {
    Oid name;
    std::string oidText;
    int type = SNMP_TYPE_NULL;
    bool hasValue = false;
    std::string text;   // getValue's text
    std::string bytes;  // getBinaryValue's bytes
};

struct V3Settings {
    int msgMaxSize = 0;
    int securityModel = 3;
    std::string user;
    int flags = 0;
    int authAlgorithm = 0;
    std::string authPassPhrase;
    int privAlgorithm = 0;
    std::string privPassPhrase;
};

// A session's prepared request, shared with its requests in flight: an asynchronous walk
// advances the variables when its answer comes, even after the session object is gone.
struct SessionState {
    SessionState(int version, int pduType);
    ~SessionState();  // lets the engine close the session's sockets

    const std::uint64_t id;
    const int version;
    mutable std::mutex mutex;
    int pduType;
    std::string community;
    V3Settings v3;
    std::vector<RequestVar> vars;
    std::uint64_t generation = 0;  // changes whenever the variables are replaced
    int lastRequestId = 0;
};

// What the engine sends: a snapshot of a session's request.
struct Request {
    std::uint64_t sessionId = 0;
    int version = 1;
    std::string agent;
    std::string community;
    V3Settings v3;
    int pduType = SNMP_PDU_GET;
    std::vector<RequestVar> vars;
    unsigned timeoutMs = 0;
    int requestId = 0;
    bool awaited = false;  // the submitting thread calls AwaitCompletion next
    // Called once, without the library lock, on the engine thread (or on a thread that
    // submitted or waits for a request), with the status and the response (owned by the
    // callee, nullptr unless the status is EC_NO_ERROR). Must not block.
    std::function<void(int status, CSnmp* response)> done;
};

// Sends a request (starting the library on first use); its outcome comes through done.
// Returns the request's key for AwaitCompletion.
long Submit(std::unique_ptr<Request> request);
// Returns once done has been set by the request's done. Meanwhile the calling thread reads
// the answer off the request's own session itself, saving the hand-over from the engine
// thread; on the user-interface thread it only waits (the wait keeps pumping).
void AwaitCompletion(long key, win::Event& done);
// Closes the engine's sockets of a session once its requests in flight have ended.
void CloseSession(std::uint64_t sessionId);
// Runs a job on the callback thread, in order of posting.
void PostCallback(std::function<void()> job);
// The library's default time-out in milliseconds.
unsigned DefaultTimeoutMs();
void EnsureStarted();

// One request of a session from snapshot to result: the walk rules of CSnmpTable live here.
class Exchange {
public:
    // Snapshots the session's request; EC_NOT_READY without variables.
    int Prepare(const std::shared_ptr<SessionState>& state, const char* agent, unsigned long timeoutMs, bool walk);
    // Sends the snapshot; done gets the raw outcome (see Request::done). Returns the key
    // for AwaitCompletion, which the caller must call next when awaited.
    long Send(std::function<void(int, CSnmp*)> done, bool awaited = false);
    // Applies the walk rules to a raw outcome and, for a walk, advances the session.
    // Returns the final status; the response is deleted and nulled unless it is EC_NO_ERROR.
    int Finish(int status, CSnmp*& response) const;
    int RequestId() const { return m_requestId; }

private:
    std::shared_ptr<SessionState> m_state;
    std::unique_ptr<Request> m_request;
    std::vector<RequestVar> m_sent;
    std::uint64_t m_generation = 0;
    bool m_walk = false;
    int m_requestId = 0;
};

// The library's access to CSnmp's private parts.
struct Access {
    static CSnmp* NewResponse(int requestId, int errorStatus, int errorIndex, std::vector<ResponseVar> vars);
    static const std::shared_ptr<SessionState>& State(const CSnmp& snmp) { return snmp.m_session; }
    static const std::vector<ResponseVar>& Vars(const CSnmp& snmp) { return snmp.m_vars; }
    static int ErrorStatus(const CSnmp& snmp) { return snmp.m_errorStatus; }
    static void SetRequestId(CSnmp& snmp, int requestId) { snmp.m_requestId = requestId; }
};

// Per asynchronous wrapper: whether its callbacks may still run, and which one runs now.
struct AsyncOwner {
    std::mutex mutex;
    bool alive = true;
    bool busy = false;
    std::thread::id busyThread;
    win::Event idle{true, true};
};

}  // namespace snmpdetail
