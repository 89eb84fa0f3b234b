// The engine: one lock around every net-snmp call, and one thread that waits on all the
// sockets at once and completes each request with its answer or at its deadline; a thread
// waiting for its own answer reads its session's socket itself meanwhile. It keeps one
// net-snmp session per library session and settings. SNMPv3 engine discovery is
// asynchronous too, so a silent agent never holds anyone but its own callers.
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/snmpusm.h>
#include <netinet/in.h>
#include <sys/eventfd.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <thread>

#include "platform/snmp/SnmpDetail.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"
#include "platform/win/RuntimeDir.h"

namespace snmpdetail {

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<unsigned> g_defaultTimeoutMs{5000};
class Engine;
std::atomic<Engine*> g_engine{nullptr};  // null before start-up and after shut-down

constexpr const char* kAppName = "switchmodule";

int LogToDebugOutput(int, int, void*, void* data) {
    const auto* message = static_cast<const snmp_log_message*>(data);
    if (message != nullptr && message->msg != nullptr) {
        std::string line = "snmp: ";
        line += message->msg;
        OutputDebugStringA(line.c_str());
    }
    return 0;
}

// Reads no configuration, loads no MIB, keeps no persistent state and logs only to the
// debug output: the library prints nothing and touches no system file.
void InitNetSnmp() {
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_LOAD_HOST_FILES, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_NO_TOKEN_WARNINGS, 1);
    const std::string dir = win::RuntimeSubdirectory("snmp");
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR,
                          dir.empty() ? "/nonexistent" : dir.c_str());
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_CONFIGURATION_DIR,
                          dir.empty() ? "/nonexistent" : dir.c_str());
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIBDIRS, "");
    netsnmp_set_mib_directory("");
    snmp_disable_log();
    snmp_register_callback(SNMP_CALLBACK_LIBRARY, SNMP_CALLBACK_LOGGING, LogToDebugOutput, nullptr);
    snmp_enable_calllog();
    init_snmp(kAppName);
}

// Writes why net-snmp refused something to the debug output.
void LogFailure(const char* what, void* sess) {
    std::string line = std::string("snmp: ") + what + ": ";
    if (sess != nullptr) {
        int libError = 0, sysError = 0;
        char* text = nullptr;
        snmp_sess_error(sess, &libError, &sysError, &text);
        line += text != nullptr ? text : "";
        free(text);
    } else {
        line += snmp_api_errstring(snmp_errno);
    }
    OutputDebugStringA(line.c_str());
}

// The shortest real wait a sped-up program clock leaves a request, so that an answer on its
// way still arrives.
constexpr std::chrono::milliseconds kShortestRealWait{250};

// A request's whole wait in real time: its time-out runs on the program's clock (which tests
// speed up), the datagrams in real time.
Clock::duration RealWait(unsigned timeoutMs) {
    const std::chrono::milliseconds programWait(timeoutMs);
    return std::max<Clock::duration>(win::ToRealTime(timeoutMs), std::min(programWait, kShortestRealWait));
}

// Lets a session's socket receive only from its agent: the system drops a datagram from any
// other address or port before anyone reads it.
bool ConnectToAgent(void* sess) {
    const netsnmp_transport* t = snmp_sess_transport(sess);
    if (t == nullptr || t->sock < 0 || t->remote == nullptr) return false;
    const auto* address = static_cast<const sockaddr*>(t->remote);
    const bool ip = (address->sa_family == AF_INET && t->remote_length == sizeof(sockaddr_in)) ||
                    (address->sa_family == AF_INET6 && t->remote_length == sizeof(sockaddr_in6));
    return ip && connect(t->sock, address, static_cast<socklen_t>(t->remote_length)) == 0;
}

std::string Fingerprint(const Request& r) {
    std::string f = std::to_string(r.version) + '\n' + r.agent + '\n';
    if (r.version == 3) {
        const V3Settings& v = r.v3;
        f += std::to_string(v.msgMaxSize) + '\n' + std::to_string(v.securityModel) + '\n' + v.user + '\n' +
             std::to_string(v.flags) + '\n' + std::to_string(v.authAlgorithm) + '\n' + v.authPassPhrase + '\n' +
             std::to_string(v.privAlgorithm) + '\n' + v.privPassPhrase;
    } else {
        f += r.community;
    }
    return f;
}

std::string NumberText(std::uint64_t value) { return std::to_string(value); }

// What is left to see of a range after net-snmp's decoding (an encrypted message is not
// looked at before): an INTEGER it could not bring into 32 bits.
bool InRange(const netsnmp_variable_list* v) {
    return v->type != ASN_INTEGER || (*v->val.integer >= INT32_MIN && *v->val.integer <= INT32_MAX);
}

ResponseVar ConvertVar(const netsnmp_variable_list* v) {
    ResponseVar out;
    out.name.assign(v->name, v->name + v->name_length);
    out.oidText = OidToText(out.name);
    out.hasValue = true;
    switch (v->type) {
    case ASN_INTEGER:
        out.type = SNMP_TYPE_INTEGER;
        out.text = std::to_string(*v->val.integer);
        break;
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
        out.type = v->type == ASN_COUNTER ? SNMP_TYPE_COUNTER32
                   : v->type == ASN_GAUGE ? SNMP_TYPE_UNSIGNED32
                                          : SNMP_TYPE_TIMETICKS;
        out.text = NumberText(static_cast<std::uint32_t>(*v->val.integer));
        break;
    case ASN_COUNTER64:
        out.type = SNMP_TYPE_COUNTER64;
        out.text = NumberText((static_cast<std::uint64_t>(v->val.counter64->high) << 32) |
                              static_cast<std::uint32_t>(v->val.counter64->low));
        break;
    case ASN_OCTET_STR:
    case ASN_OPAQUE:
        out.type = v->type == ASN_OCTET_STR ? SNMP_TYPE_OCTETS : SNMP_TYPE_OPAQUE;
        out.bytes.assign(reinterpret_cast<const char*>(v->val.string), v->val_len);
        out.text = out.bytes;
        return out;
    case ASN_IPADDRESS:
        out.type = SNMP_TYPE_IPADDRESS;
        out.bytes.assign(reinterpret_cast<const char*>(v->val.string), v->val_len);
        for (unsigned char byte : out.bytes) {
            if (!out.text.empty()) out.text += '.';
            out.text += std::to_string(byte);
        }
        return out;
    case ASN_OBJECT_ID:
        out.type = SNMP_TYPE_OID;
        out.text = OidToText(Oid(v->val.objid, v->val.objid + v->val_len / sizeof(oid)));
        break;
    default:
        out.type = v->type == SNMP_NOSUCHOBJECT     ? SNMP_TYPE_NO_SUCH_OBJECT
                   : v->type == SNMP_NOSUCHINSTANCE ? SNMP_TYPE_NO_SUCH_INSTANCE
                   : v->type == SNMP_ENDOFMIBVIEW   ? SNMP_TYPE_END_OF_MIB_VIEW
                                                    : SNMP_TYPE_NULL;
        out.hasValue = false;
        return out;
    }
    out.bytes = out.text;
    return out;
}

bool AddVar(netsnmp_pdu* pdu, const RequestVar& var) {
    std::vector<oid> name(var.name.begin(), var.name.end());
    switch (var.type) {
    case SNMP_TYPE_INTEGER: {
        long value = static_cast<long>(var.number);
        return snmp_pdu_add_variable(pdu, name.data(), name.size(), ASN_INTEGER, &value, sizeof value) != nullptr;
    }
    case SNMP_TYPE_UNSIGNED32: {
        u_long value = static_cast<u_long>(var.number);
        return snmp_pdu_add_variable(pdu, name.data(), name.size(), ASN_UNSIGNED, &value, sizeof value) != nullptr;
    }
    case SNMP_TYPE_OCTETS:
    case SNMP_TYPE_IPADDRESS:
        return snmp_pdu_add_variable(pdu, name.data(), name.size(),
                                     var.type == SNMP_TYPE_OCTETS ? ASN_OCTET_STR : ASN_IPADDRESS, var.bytes.data(),
                                     var.bytes.size()) != nullptr;
    case SNMP_TYPE_OID: {
        std::vector<oid> value(var.oidValue.begin(), var.oidValue.end());
        return snmp_pdu_add_variable(pdu, name.data(), name.size(), ASN_OBJECT_ID, value.data(),
                                     value.size() * sizeof(oid)) != nullptr;
    }
    default: return snmp_pdu_add_variable(pdu, name.data(), name.size(), ASN_NULL, nullptr, 0) != nullptr;
    }
}

// The discovery request of RFC 3414: no user, no authentication, no variable. Its report
// carries the agent's engine id. The empty user must be known to build it.
netsnmp_pdu* NewProbePdu() {
    if (usm_get_user(nullptr, 0, "") == nullptr) {
        auto* user = static_cast<struct usmUser*>(calloc(1, sizeof(struct usmUser)));
        user->name = strdup("");
        user->secName = strdup("");
        user->authProtocolLen = USM_AUTH_PROTO_MD5_LEN;
        user->authProtocol = snmp_duplicate_objid(usmNoAuthProtocol, user->authProtocolLen);
        user->privProtocolLen = USM_PRIV_PROTO_DES_LEN;
        user->privProtocol = snmp_duplicate_objid(usmNoPrivProtocol, user->privProtocolLen);
        usm_add_user(user);
    }
    netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_GET);
    pdu->version = SNMP_VERSION_3;
    pdu->securityName = strdup("");
    pdu->securityNameLen = 0;
    pdu->securityLevel = SNMP_SEC_LEVEL_NOAUTH;
    pdu->securityModel = SNMP_SEC_MODEL_USM;
    return pdu;
}

bool ReadsItself();
void StopCallbackThread();

int Command(int pduType) {
    switch (pduType) {
    case SNMP_PDU_GET: return SNMP_MSG_GET;
    case SNMP_PDU_GETNEXT: return SNMP_MSG_GETNEXT;
    case SNMP_PDU_SET: return SNMP_MSG_SET;
    default: return 0;
    }
}

// Every net-snmp call and all the state below run under one lock, m_lib, which is never
// held across a wait: a caller sends its request itself, and the engine thread waits on
// all sockets at once (without the lock), then reads the answers and completes requests.
class Engine {
public:
    Engine() {
        s_self = this;
        m_wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        m_thread = std::thread([this] { Run(); });
        // Until net-snmp (and the crypto library under it) is initialised, so that their
        // exit-time clean-up is registered before ours and runs after this thread ends.
        std::unique_lock lock(m_lib);
        m_started.wait(lock, [this] { return m_initialised; });
        g_engine.store(this);
    }

    ~Engine() {
        g_engine.store(nullptr);
        {
            std::lock_guard lock(m_lib);
            m_stop = true;
        }
        Wake();
        m_thread.join();
        close(m_wakeFd);
        // Its last callbacks have been posted. It ends now, before the crypto library's
        // exit-time clean-up, which would otherwise leave its per-thread state behind.
        StopCallbackThread();
    }

    long Submit(std::unique_ptr<Request> request) {
        std::unique_lock lock(m_lib);
        if (m_stop) {
            lock.unlock();
            request->done(EC_SEND_FAILED, nullptr);
            return 0;
        }
        long key = 0;
        // The engine thread must look again when its sockets change, when the request is due
        // before it next wakes, or when the send already produced an outcome.
        const bool wake = Accept(std::move(request), key) || !m_outcomes.empty();
        DeliverCompleted(lock);
        if (wake) Wake();
        return key;
    }

    // The waiting thread takes its session's socket off the engine thread and reads its
    // answer itself, as a single-threaded client would: no hand-over per request. It waits
    // only on its own socket and deadline, never holding the lock across the wait, so other
    // sessions are not held up; the engine thread still serves everything else.
    void Await(long key, win::Event& done) {
        std::unique_lock lock(m_lib);
        while (!m_stop) {
            auto it = m_out.find(key);
            if (it == m_out.end() || it->second.channel->sess == nullptr) break;  // over, or still discovering
            Outstanding& out = it->second;
            // One thread reads a socket: a second waiter on the session waits for its done.
            if (!Claim(out)) break;
            void* sess = out.channel->sess;
            fd_set fds;
            FD_ZERO(&fds);
            int nfds = 0;
            const auto wait = std::min(AddSockets(sess, fds, nfds), Until(NextDue(out), Clock::now()));
            timeval tv = ToTimeval(wait);
            lock.unlock();
            // Only this thread reads the socket now; the request ends elsewhere only at its
            // deadline or at shut-down, when this wait ends too.
            const int ready = select(nfds, &fds, nullptr, nullptr, &tv);
            lock.lock();
            it = m_out.find(key);
            if (it == m_out.end()) break;
            // No one else has read the socket meanwhile: the engine thread leaves claimed ones.
            if (ready > 0) snmp_sess_read(sess, &fds);
            snmp_sess_timeout(sess);
            CompleteRequestOutcomes();
            if (it = m_out.find(key); it != m_out.end()) RunTimer(key, it->second, Clock::now());
            DeliverCompleted(lock);
            lock.lock();
        }
        lock.unlock();
        done.Wait(INFINITE);
    }

    // Takes no library lock: it runs when a session's last owner lets go, whatever it holds.
    void Close(std::uint64_t sessionId) {
        {
            std::lock_guard lock(m_closeMutex);
            m_closing.push_back(sessionId);
        }
        Wake();
    }

private:
    // One net-snmp session: a library session with one set of settings.
    struct Channel {
        std::uint64_t sessionId = 0;
        std::string fingerprint;
        void* sess = nullptr;       // open when ready
        void* probe = nullptr;      // SNMPv3 engine discovery under way
        std::vector<long> waiting;  // keys of requests held until discovery ends
        int inFlight = 0;
        bool claimed = false;    // a request's waiting thread reads the socket (see Await)
        bool unwatched = false;  // left out of the engine thread's present wait
        bool retired = false;    // superseded or closed by its session: close once idle
    };
    struct Outstanding {
        std::unique_ptr<Request> request;
        Channel* channel = nullptr;
        Clock::time_point deadline;
        Clock::time_point nextResend = Clock::time_point::max();  // max: no send left
        Clock::duration resendEvery{};
        int resendsLeft = 0;
        long wireId = 0;  // the request id on the wire, which every send of it carries
        bool claimed = false;
    };
    struct Completed {
        std::unique_ptr<Request> request;
        int status;
        CSnmp* response;
    };
    // An outcome collected in a net-snmp callback, handled after the library returns.
    struct Outcome {
        long key;
        int op;
        int status;
        CSnmp* response;
        std::string engineId;
    };

    void Wake() {
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = write(m_wakeFd, &one, sizeof one);
    }

    static int OnNetSnmpEvent(int op, netsnmp_session*, int, netsnmp_pdu* pdu, void* magic) {
        Engine* self = s_self;
        const long key = reinterpret_cast<long>(magic);
        // An answer to no request (a session's own callback), or one a request has had already.
        if (key == 0 || (self->m_out.count(key) == 0 && self->m_probes.count(key) == 0)) return 1;
        Outcome outcome{key, op, EC_TIMEOUT, nullptr, {}};
        if (op == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE && pdu != nullptr) {
            // Not an answer to this request: it goes on waiting for the real one.
            if (!self->SameCommunity(key, pdu)) return 0;
            if (pdu->command == SNMP_MSG_REPORT) {
                outcome.status = EC_SECURITY;
                outcome.engineId.assign(reinterpret_cast<const char*>(pdu->securityEngineID), pdu->securityEngineIDLen);
            } else {
                std::vector<ResponseVar> vars;
                int bad = self->m_badVariable;
                for (const netsnmp_variable_list* v = pdu->variables; v != nullptr; v = v->next_variable) {
                    vars.push_back(ConvertVar(v));
                    if (bad == 0 && !InRange(v)) bad = static_cast<int>(vars.size());
                }
                outcome.status = EC_NO_ERROR;
                // A value beyond its type's range is a bad answer: it ends the read as an
                // error status does, and nothing of it is shown.
                if (bad != 0) outcome.response = Access::NewResponse(0, SNMP_ERR_GENERR, bad, {});
                else
                    outcome.response = Access::NewResponse(0, static_cast<int>(pdu->errstat),
                                                           static_cast<int>(pdu->errindex), std::move(vars));
            }
        } else if (op == NETSNMP_CALLBACK_OP_SEC_ERROR) {
            outcome.status = EC_SECURITY;
        } else if (op == NETSNMP_CALLBACK_OP_SEND_FAILED) {
            outcome.status = EC_SEND_FAILED;
        } else if (op != NETSNMP_CALLBACK_OP_TIMED_OUT || self->m_probes.count(key) == 0) {
            // A connection event, or one send of a request timing out: a request ends at its
            // own deadline, on the program's clock.
            return 1;
        }
        self->m_outcomes.push_back(std::move(outcome));
        return 1;
    }

    // A community-based answer comes with the request's community.
    bool SameCommunity(long key, const netsnmp_pdu* pdu) const {
        auto it = m_out.find(key);
        if (it == m_out.end() || pdu->version == SNMP_VERSION_3) return true;
        const std::string& community = it->second.request->community;
        return pdu->community_len == community.size() &&
               (community.empty() || std::memcmp(pdu->community, community.data(), community.size()) == 0);
    }

    void Run() {
        std::unique_lock lock(m_lib);
        InitNetSnmp();
        m_initialised = true;
        m_started.notify_all();
        while (!m_stop) {
            std::vector<std::uint64_t> closing;
            {
                std::lock_guard closeLock(m_closeMutex);
                closing.swap(m_closing);
            }
            for (std::uint64_t id : closing) {
                for (auto& channel : m_channels)
                    if (channel->sessionId == id) channel->retired = true;
            }
            HandleOutcomes();
            DeliverCompleted(lock);  // answers first: their callers wait
            lock.lock();
            RunTimers();
            CloseIdleChannels();
            Poll(lock);  // delivers what completed meanwhile once the next wait is prepared
        }
        for (auto& [key, out] : m_out) m_completed.push_back({std::move(out.request), EC_SEND_FAILED, nullptr});
        m_out.clear();
        for (auto& channel : m_channels) CloseNetSnmp(*channel);
        m_channels.clear();
        snmp_shutdown(kAppName);
        DeliverCompleted(lock);
    }

    // Returns true when it opened a socket; key names the request.
    bool Accept(std::unique_ptr<Request> request, long& key) {
        key = m_nextKey++;
        const std::string fingerprint = Fingerprint(*request);
        Channel* channel = nullptr;
        for (auto& c : m_channels) {
            if (c->sessionId != request->sessionId || c->retired) continue;
            if (c->fingerprint == fingerprint) channel = c.get();
            else c->retired = true;  // the session's settings changed
        }
        if (channel == nullptr) {
            m_channels.push_back(std::make_unique<Channel>());
            channel = m_channels.back().get();
            channel->sessionId = request->sessionId;
            channel->fingerprint = fingerprint;
        }
        Outstanding& out = m_out[key];
        const auto wait = RealWait(request->timeoutMs);
        out.deadline = Clock::now() + wait;
        if (request->pduType != SNMP_PDU_SET) {
            out.resendEvery = wait / kSendsPerRead;
            out.resendsLeft = kSendsPerRead - 1;
        }
        const bool awaited = request->awaited && ReadsItself();
        out.request = std::move(request);
        out.channel = channel;
        ++channel->inFlight;
        if (channel->sess != nullptr) {
            const bool claimed = awaited && Claim(out);
            // Nobody else may read a socket the engine thread does not wait on, and the
            // engine thread keeps the time of a request no thread waits for.
            const bool engineDue = !claimed && (channel->unwatched || out.deadline < m_plannedWake);
            SendRequest(key);
            auto sent = m_out.find(key);
            return engineDue || (sent != m_out.end() && !claimed && sent->second.nextResend < m_plannedWake);
        }
        channel->waiting.push_back(key);
        if (channel->probe == nullptr) OpenChannel(*channel, *out.request);
        return true;
    }

    // Opens a v1 session at once; a v3 session first discovers the agent's engine id.
    void OpenChannel(Channel& channel, const Request& request) {
        netsnmp_session s;
        snmp_sess_init(&s);
        s.peername = const_cast<char*>(request.agent.c_str());
        s.retries = 0;
        s.timeout = static_cast<long>(request.timeoutMs) * 1000;
        s.callback = OnNetSnmpEvent;
        if (request.version == 1) {
            s.version = SNMP_VERSION_1;
            s.community = reinterpret_cast<u_char*>(const_cast<char*>(request.community.c_str()));
            s.community_len = request.community.size();
            channel.sess = Open(s);
            FlushWaiting(channel, channel.sess != nullptr ? EC_NO_ERROR : EC_SEND_FAILED);
            return;
        }
        s.version = SNMP_VERSION_3;
        s.flags |= SNMP_FLAGS_DONT_PROBE;
        s.securityModel = SNMP_SEC_MODEL_USM;
        s.securityLevel = SNMP_SEC_LEVEL_NOAUTH;
        channel.probe = Open(s);
        // net-snmp clears the flag on open and would then probe synchronously on send.
        if (channel.probe != nullptr) snmp_sess_session(channel.probe)->flags |= SNMP_FLAGS_DONT_PROBE;
        netsnmp_pdu* pdu = channel.probe != nullptr ? NewProbePdu() : nullptr;
        const long key = m_nextKey++;
        if (pdu == nullptr || !snmp_sess_async_send(channel.probe, pdu, OnNetSnmpEvent, reinterpret_cast<void*>(key))) {
            LogFailure("engine discovery", channel.probe);
            if (pdu != nullptr) snmp_free_pdu(pdu);
            FlushWaiting(channel, EC_SEND_FAILED);
            return;
        }
        m_probes[key] = &channel;
    }

    // The agent's engine id is known: purge the cached user so that changed pass phrases
    // take effect, and open the session with keys localized for that engine.
    int OpenV3(Channel& channel, const Request& request, const std::string& engineId) {
        const V3Settings& v3 = request.v3;
        if (v3.securityModel != SNMP_SEC_MODEL_USM || v3.user.empty()) return EC_SECURITY;
        netsnmp_session s;
        snmp_sess_init(&s);
        s.peername = const_cast<char*>(request.agent.c_str());
        s.version = SNMP_VERSION_3;
        s.retries = 0;
        s.timeout = static_cast<long>(request.timeoutMs) * 1000;
        s.callback = OnNetSnmpEvent;
        s.flags |= SNMP_FLAGS_DONT_PROBE;
        s.securityModel = SNMP_SEC_MODEL_USM;
        s.securityName = const_cast<char*>(v3.user.c_str());
        s.securityNameLen = v3.user.size();
        std::string id = engineId;
        s.securityEngineID = reinterpret_cast<u_char*>(id.data());
        s.securityEngineIDLen = id.size();
        s.contextEngineID = reinterpret_cast<u_char*>(id.data());
        s.contextEngineIDLen = id.size();
        const bool auth = (v3.flags & 1) != 0;
        const bool priv = auth && (v3.flags & 2) != 0;
        s.securityLevel = priv ? SNMP_SEC_LEVEL_AUTHPRIV : auth ? SNMP_SEC_LEVEL_AUTHNOPRIV : SNMP_SEC_LEVEL_NOAUTH;
        // A master key from a pass phrase, hashed as the authentication protocol says.
        auto masterKey = [&s](const std::string& passPhrase, u_char* key, size_t* length) {
            return generate_Ku(s.securityAuthProto, s.securityAuthProtoLen,
                               reinterpret_cast<const u_char*>(passPhrase.data()), passPhrase.size(), key,
                               length) == SNMPERR_SUCCESS;
        };
        if (auth) {
            if (v3.authAlgorithm != 0 && v3.authAlgorithm != 1) return EC_SECURITY;
            s.securityAuthProto = v3.authAlgorithm == 0 ? usmHMACMD5AuthProtocol : usmHMACSHA1AuthProtocol;
            s.securityAuthProtoLen = USM_AUTH_PROTO_MD5_LEN;
            s.securityAuthKeyLen = USM_AUTH_KU_LEN;
            if (!masterKey(v3.authPassPhrase, s.securityAuthKey, &s.securityAuthKeyLen)) return EC_SECURITY;
        }
        if (priv) {
            if (v3.privAlgorithm != 0) return EC_SECURITY;
            s.securityPrivProto = usmDESPrivProtocol;
            s.securityPrivProtoLen = USM_PRIV_PROTO_DES_LEN;
            s.securityPrivKeyLen = USM_PRIV_KU_LEN;
            if (!masterKey(v3.privPassPhrase, s.securityPrivKey, &s.securityPrivKeyLen)) return EC_SECURITY;
        }
        const auto* idBytes = reinterpret_cast<const u_char*>(engineId.data());
        while (struct usmUser* cached = usm_get_user(idBytes, engineId.size(), v3.user.c_str())) {
            usm_remove_user(cached);
            usm_free_user(cached);
        }
        channel.sess = Open(s);
        if (channel.sess == nullptr) return EC_SEND_FAILED;
        netsnmp_session* opened = snmp_sess_session(channel.sess);
        // net-snmp sets the size its transport allows on open; the session's own comes after.
        if (v3.msgMaxSize > 0) opened->rcvMsgMaxSize = static_cast<size_t>(v3.msgMaxSize);
        usm_create_user_from_session(opened);
        return EC_NO_ERROR;
    }

    // Opens a net-snmp session whose socket takes answers from its agent only, and whose
    // datagrams have their numbers checked before net-snmp reads them.
    void* Open(netsnmp_session& settings) {
        void* sess = snmp_sess_open(&settings);
        if (sess == nullptr) {
            LogFailure("open", nullptr);
            return nullptr;
        }
        netsnmp_transport* transport = snmp_sess_transport(sess);
        if (!ConnectToAgent(sess) || transport->f_recv == nullptr) {
            OutputDebugStringA("snmp: open: the socket cannot be bound to the agent's address");
            snmp_sess_close(sess);
            return nullptr;
        }
        m_receivers[transport] = transport->f_recv;
        transport->f_recv = ReceiveChecked;
        return sess;
    }

    // net-snmp cuts a number to 32 bits as it decodes it, so a value beyond its type's range
    // could pass for another: each datagram is looked at first, and the answer it carries
    // marked bad (see OnNetSnmpEvent). net-snmp decodes a datagram as soon as it has it.
    static int ReceiveChecked(netsnmp_transport* transport, void* buffer, int size, void** opaque, int* length) {
        Engine* self = s_self;
        const int received = self->m_receivers.at(transport)(transport, buffer, size, opaque, length);
        self->m_badVariable = received > 0 ? FirstValueOutOfRange(static_cast<const unsigned char*>(buffer),
                                                                  static_cast<std::size_t>(received))
                                           : 0;
        return received;
    }

    void CloseNetSnmpSession(void* sess) {
        m_receivers.erase(snmp_sess_transport(sess));
        snmp_sess_close(sess);
    }

    // Sends the requests held for a channel, or fails them all.
    void FlushWaiting(Channel& channel, int status) {
        std::vector<long> waiting;
        waiting.swap(channel.waiting);
        for (long key : waiting) {
            if (status == EC_NO_ERROR) SendRequest(key);
            else Complete(key, status, nullptr);
        }
    }

    // Sends a request, or sends it again under the same request id: the agent can tell a
    // resend, and an answer to any of its sends completes it (a later one is dropped).
    void SendRequest(long key) {
        auto it = m_out.find(key);
        if (it == m_out.end()) return;
        Outstanding& out = it->second;
        const Request& request = *out.request;
        const bool resend = out.wireId != 0;
        netsnmp_pdu* pdu = Command(request.pduType) != 0 ? snmp_pdu_create(Command(request.pduType)) : nullptr;
        bool built = pdu != nullptr;
        for (const RequestVar& var : request.vars) built = built && AddVar(pdu, var);
        if (!built) {
            if (pdu != nullptr) snmp_free_pdu(pdu);
            Complete(key, EC_BAD_VALUE, nullptr);
            return;
        }
        if (resend) pdu->reqid = out.wireId;
        else out.wireId = pdu->reqid;
        const auto now = Clock::now();
        if (!resend && out.resendsLeft > 0) out.nextResend = now + out.resendEvery;
        netsnmp_session* s = snmp_sess_session(out.channel->sess);
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(out.deadline - now);
        s->timeout = std::max<long>(1000, static_cast<long>(left.count()));
        s->retries = 0;
        if (!snmp_sess_async_send(out.channel->sess, pdu, OnNetSnmpEvent, reinterpret_cast<void*>(key))) {
            LogFailure("send", out.channel->sess);
            snmp_free_pdu(pdu);  // net-snmp keeps it only when the send succeeds
            // A failed resend leaves the sends before it waiting.
            if (!resend) Complete(key, EC_SEND_FAILED, nullptr);
        }
    }

    // When the engine must next look at a request: its next send, or its deadline.
    static Clock::time_point NextDue(const Outstanding& out) { return std::min(out.deadline, out.nextResend); }

    // Ends a request at its deadline, or sends it again when that is due.
    void RunTimer(long key, Outstanding& out, Clock::time_point now) {
        if (out.deadline <= now) {
            Complete(key, EC_TIMEOUT, nullptr);
        } else if (out.nextResend <= now) {
            out.nextResend = --out.resendsLeft > 0 ? out.nextResend + out.resendEvery : Clock::time_point::max();
            SendRequest(key);
        }
    }

    void Complete(long key, int status, CSnmp* response) {
        auto it = m_out.find(key);
        if (it == m_out.end()) {
            delete response;  // completed already, at its deadline
            return;
        }
        std::unique_ptr<Request> request = std::move(it->second.request);
        Channel* channel = it->second.channel;
        const bool claimed = it->second.claimed;
        m_out.erase(it);
        if (response != nullptr) Access::SetRequestId(*response, request->requestId);
        --channel->inFlight;
        if (claimed) {
            channel->claimed = false;
            // The others' answers are the engine thread's again.
            if (channel->inFlight > 0 && channel->unwatched) Wake();
        }
        channel->waiting.erase(std::remove(channel->waiting.begin(), channel->waiting.end(), key),
                               channel->waiting.end());
        m_completed.push_back({std::move(request), status, response});
    }

    // Hands completed requests their outcome after letting go of the lock, so that a
    // woken caller does not at once wait for it. Returns with the lock released.
    void DeliverCompleted(std::unique_lock<std::mutex>& lock) {
        std::vector<Completed> completed;
        completed.swap(m_completed);
        lock.unlock();
        for (Completed& c : completed) c.request->done(c.status, c.response);
    }

    // The timers of the requests no thread waits for (a waiting thread runs its own).
    void RunTimers() {
        const auto now = Clock::now();
        std::vector<long> due;
        for (const auto& [key, out] : m_out)
            if (NextDue(out) <= now && (!out.claimed || out.deadline <= now)) due.push_back(key);
        for (long key : due) {
            if (auto it = m_out.find(key); it != m_out.end()) RunTimer(key, it->second, now);
        }
    }

    void CloseIdleChannels() {
        for (auto it = m_channels.begin(); it != m_channels.end();) {
            Channel& channel = **it;
            if (channel.retired && channel.inFlight == 0) {
                CloseNetSnmp(channel);
                it = m_channels.erase(it);
            } else {
                ++it;
            }
        }
    }

    void CloseNetSnmp(Channel& channel) {
        if (channel.probe != nullptr) {
            for (auto it = m_probes.begin(); it != m_probes.end();) {
                it = it->second == &channel ? m_probes.erase(it) : std::next(it);
            }
            CloseNetSnmpSession(channel.probe);
        }
        if (channel.sess != nullptr) CloseNetSnmpSession(channel.sess);
        channel.probe = channel.sess = nullptr;
    }

    // Makes the request's waiting thread the reader of its socket, unless another one is.
    static bool Claim(Outstanding& out) {
        if (!out.claimed && !out.channel->claimed) out.claimed = out.channel->claimed = true;
        return out.claimed;
    }

    // The sessions the engine thread waits on: those with requests in flight whose socket no
    // waiting thread reads (it reads every answer that comes meanwhile). An answer to no
    // request is only dropped when read, so it can wait.
    std::vector<void*> OpenSessions() {
        std::vector<void*> sessions;
        for (const auto& channel : m_channels) {
            channel->unwatched = channel->claimed || channel->inFlight == 0;
            if (channel->sess != nullptr && !channel->unwatched) sessions.push_back(channel->sess);
            if (channel->probe != nullptr) sessions.push_back(channel->probe);
        }
        return sessions;
    }

    // Waits (without the lock) for answers, net-snmp's timers, the next deadline and new
    // work, then lets net-snmp read what came. Only this thread closes sessions, so the
    // list stays valid across the wait.
    void Poll(std::unique_lock<std::mutex>& lock) {
        const std::vector<void*> sessions = OpenSessions();
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(m_wakeFd, &fds);
        int nfds = m_wakeFd + 1;
        auto wait = kIdleWait;
        for (void* sess : sessions) wait = std::min(wait, AddSockets(sess, fds, nfds));
        const auto now = Clock::now();
        for (const auto& [key, out] : m_out)
            wait = std::min(wait, Until(out.claimed ? out.deadline : NextDue(out), now));
        m_plannedWake = now + wait;
        timeval tv = ToTimeval(wait);
        DeliverCompleted(lock);
        const int ready = select(nfds, &fds, nullptr, nullptr, &tv);
        lock.lock();
        if (ready > 0 && FD_ISSET(m_wakeFd, &fds)) {
            std::uint64_t count = 0;
            [[maybe_unused]] ssize_t n = read(m_wakeFd, &count, sizeof count);
        }
        for (void* sess : sessions) {
            // Claimed during the wait: its waiting thread reads the answer, and this thread
            // leaves the socket out from the next wait on.
            if (!Claimed(sess)) ReadSession(sess, ready > 0 ? &fds : nullptr);
        }
    }

    // Adds a session's sockets to a wait; returns how long its timers allow it to last.
    static std::chrono::microseconds AddSockets(void* sess, fd_set& fds, int& nfds) {
        timeval tv{};
        int block = 1;
        snmp_sess_select_info(sess, &nfds, &fds, &tv, &block);
        return block != 0 ? kIdleWait : std::chrono::microseconds(tv.tv_sec * 1000000L + tv.tv_usec);
    }

    // The wait until a deadline (just past it), at most kIdleWait.
    static std::chrono::microseconds Until(Clock::time_point deadline, Clock::time_point now) {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - now);
        return std::clamp(left + std::chrono::microseconds(1), std::chrono::microseconds(0), kIdleWait);
    }

    static timeval ToTimeval(std::chrono::microseconds wait) {
        wait = std::max(wait, std::chrono::microseconds(0));
        return {static_cast<time_t>(wait.count() / 1000000), static_cast<suseconds_t>(wait.count() % 1000000)};
    }

    bool Claimed(void* sess) const {
        for (const auto& channel : m_channels)
            if (channel->sess == sess) return channel->claimed;
        return false;
    }

    // Reads what came for a session among the ready sockets and runs its timers. A waiting
    // thread may have read a socket since the wait said it was ready (its claim began and
    // ended meanwhile), so each one is looked at again under the lock: net-snmp must not be
    // asked to read an empty socket.
    static void ReadSession(void* sess, const fd_set* ready) {
        if (ready != nullptr) {
            fd_set own;
            FD_ZERO(&own);
            int nfds = 0;
            AddSockets(sess, own, nfds);
            bool any = false;
            for (int fd = 0; fd < nfds; ++fd) {
                if (FD_ISSET(fd, &own) && !FD_ISSET(fd, ready)) FD_CLR(fd, &own);
                any = any || FD_ISSET(fd, &own);
            }
            timeval now{};
            if (any && select(nfds, &own, nullptr, nullptr, &now) > 0) snmp_sess_read(sess, &own);
        }
        snmp_sess_timeout(sess);
    }

    // Completes the requests whose outcomes came; engine discoveries stay for the engine
    // thread, which alone closes sessions.
    void CompleteRequestOutcomes() {
        std::vector<Outcome> kept;
        for (Outcome& outcome : m_outcomes) {
            if (m_probes.count(outcome.key) != 0) kept.push_back(std::move(outcome));
            else Complete(outcome.key, outcome.status, outcome.response);
        }
        m_outcomes.swap(kept);
        if (!m_outcomes.empty()) Wake();
    }

    void HandleOutcomes() {
        std::vector<Outcome> outcomes;
        outcomes.swap(m_outcomes);
        for (Outcome& outcome : outcomes) {
            auto probe = m_probes.find(outcome.key);
            if (probe == m_probes.end()) {
                Complete(outcome.key, outcome.status, outcome.response);
                continue;
            }
            // The unknown-engine report first fails net-snmp's security check; the report
            // itself follows.
            if (outcome.op == NETSNMP_CALLBACK_OP_SEC_ERROR) continue;
            Channel& channel = *probe->second;
            m_probes.erase(probe);
            CloseNetSnmpSession(channel.probe);
            channel.probe = nullptr;
            int status =
                outcome.engineId.empty() ? (outcome.status == EC_SECURITY ? EC_SECURITY : outcome.status) : EC_NO_ERROR;
            delete outcome.response;
            if (status == EC_NO_ERROR && !channel.waiting.empty())
                status = OpenV3(channel, *m_out[channel.waiting.front()].request, outcome.engineId);
            FlushWaiting(channel, status);
        }
    }

    // The longest wait without a request due: a request sent meanwhile with a later
    // deadline need not wake the engine thread.
    static constexpr std::chrono::microseconds kIdleWait{std::chrono::seconds(1)};
    // A read goes out again at a third and at two thirds of its wait, so a lost datagram costs
    // part of the wait, not the read, and the whole wait stays the time-out. A SET goes out
    // once: sent twice it could act twice.
    static constexpr int kSendsPerRead = 3;
    static inline Engine* s_self = nullptr;  // for net-snmp's callbacks

    std::mutex m_closeMutex;
    std::vector<std::uint64_t> m_closing;
    int m_wakeFd = -1;

    std::mutex m_lib;  // guards every net-snmp call and everything below
    std::condition_variable m_started;
    bool m_initialised = false;
    bool m_stop = false;
    Clock::time_point m_plannedWake;
    std::vector<std::unique_ptr<Channel>> m_channels;
    std::map<long, Outstanding> m_out;
    std::vector<Completed> m_completed;  // delivered when the lock is let go
    std::map<long, Channel*> m_probes;
    std::vector<Outcome> m_outcomes;
    long m_nextKey = 1;
    // net-snmp's own receive function of each open session's transport.
    std::map<const netsnmp_transport*, int (*)(netsnmp_transport*, void*, int, void**, int*)> m_receivers;
    int m_badVariable = 0;  // of the datagram net-snmp reads now: see ReceiveChecked

    std::thread m_thread;
};

// A waiting thread may read its own answer, except the user-interface thread, whose waits
// must keep pumping.
bool ReadsItself() {
    win::WaitPump* pump = win::GetWaitPump();
    return pump == nullptr || !pump->IsPumpThread();
}

Engine& TheEngine() {
    static Engine engine;
    return engine;
}

// Runs asynchronous callbacks in order, off the engine thread.
class CallbackThread {
public:
    CallbackThread() : m_thread([this] { Run(); }) {}
    ~CallbackThread() { Stop(); }
    // Runs the jobs posted so far, then ends the thread; a job posted later runs at once.
    void Stop() {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_cv.notify_all();
        if (m_thread.joinable()) m_thread.join();
    }
    void Post(std::function<void()> job) {
        {
            std::lock_guard lock(m_mutex);
            if (!m_stop) {
                m_jobs.push_back(std::move(job));
                m_cv.notify_all();
                return;
            }
        }
        job();
    }

private:
    void Run() {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(m_mutex);
                m_cv.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
                if (m_jobs.empty()) return;
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            job();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<std::function<void()>> m_jobs;
    bool m_stop = false;
    std::thread m_thread;
};

CallbackThread& TheCallbackThread() {
    static CallbackThread thread;
    return thread;
}

void StopCallbackThread() { TheCallbackThread().Stop(); }

}  // namespace

void EnsureStarted() {
    TheCallbackThread();  // constructed first, so it is destroyed after the engine
    TheEngine();
}

long Submit(std::unique_ptr<Request> request) {
    EnsureStarted();
    return TheEngine().Submit(std::move(request));
}

void AwaitCompletion(long key, win::Event& done) {
    if (Engine* engine = g_engine.load(); engine != nullptr && key != 0 && ReadsItself()) engine->Await(key, done);
    else done.Wait(INFINITE);
}

void CloseSession(std::uint64_t sessionId) {
    if (Engine* engine = g_engine.load()) engine->Close(sessionId);
}

void PostCallback(std::function<void()> job) { TheCallbackThread().Post(std::move(job)); }

unsigned DefaultTimeoutMs() { return g_defaultTimeoutMs.load(); }

}  // namespace snmpdetail

int SnmpInit(void*) {
    snmpdetail::EnsureStarted();
    return 0;
}

void SetSnmpTimeout(int timeoutMs) {
    if (timeoutMs > 0) snmpdetail::g_defaultTimeoutMs.store(static_cast<unsigned>(timeoutMs));
}

int GetSnmpTimeout() { return static_cast<int>(snmpdetail::g_defaultTimeoutMs.load()); }
