#include "core/SnmpRead.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "platform/snmp/Snmp.h"
#include "platform/ui/Wnd.h"
#include "platform/win/Event.h"

namespace {
// SNMPv1's error status past the last object of a GETNEXT: the end of the walk.
constexpr int kNoSuchName = 2;

// Sessions being closed in the background, so the program can wait for them at its end.
// The event is set while none is left; waiting on it keeps serving the workers' calls to the
// user-interface thread, which a closing session may still be waiting for.
struct ClosingSessions {
    std::mutex mutex;
    win::Event noneClosing{true, true};
    int count = 0;
};

// Never destroyed: a closing thread may still be finishing while the program exits.
ClosingSessions& Closing() {
    static ClosingSessions* const closing = new ClosingSessions;
    return *closing;
}

// Longer than a closing session's time-out and grace.
constexpr unsigned kExitWaitMs = 15000;

// A program that returns from main while a session is still closing would otherwise tear the
// SNMP engine and the crypto library down under that session's worker. The engine is started
// before the wait is registered, so the wait runs before the engine's clean-up at exit.
void WaitForClosingAtExit() {
    static const bool registered = [] {
        SnmpInit(nullptr);
        std::atexit([] { CSnmpRead::WaitForClosedSessions(kExitWaitMs); });
        return true;
    }();
    (void)registered;
}

const std::string& None() {
    static const std::string kNone;
    return kNone;
}

// Sub-identifiers of a dotted OID ("1.3.6" or ".1.3.6"); empty when it is not one.
std::vector<unsigned long> Parse(const std::string& oid) {
    std::vector<unsigned long> parts;
    const char* p = oid.c_str();
    if (*p == '.') ++p;
    while (*p != '\0') {
        if (!std::isdigit(static_cast<unsigned char>(*p))) return {};
        char* end = nullptr;
        parts.push_back(std::strtoul(p, &end, 10));
        p = end;
        if (*p == '.') ++p;
        else if (*p != '\0') return {};
    }
    return parts;
}

// The instance suffix of oid below column (".1.2"); "" when it is not below.
std::string SuffixBelow(const std::string& oid, const std::string& column) {
    const auto o = Parse(oid);
    const auto c = Parse(column);
    if (c.empty() || o.size() <= c.size() || !std::equal(c.begin(), c.end(), o.begin())) return {};
    std::string suffix;
    for (std::size_t i = c.size(); i < o.size(); ++i) suffix += "." + std::to_string(o[i]);
    return suffix;
}

bool Past(const std::string& answered, const std::string& asked) {
    const auto a = Parse(answered);
    const auto q = Parse(asked);
    return std::lexicographical_compare(q.begin(), q.end(), a.begin(), a.end());
}

void AddSetVars(CCommonSNMP& session, const std::vector<SnmpSetVar>& vars) {
    for (const SnmpSetVar& v : vars) {
        session.AddVarBind(v.oid, v.type, v.value.data(), static_cast<int>(v.value.size()));
    }
}
}  // namespace

// ---- rows and values

std::uint32_t LeadingUnsigned32(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    std::uint32_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + static_cast<std::uint32_t>(text[i] - '0');
    }
    return value;
}

const std::string& SnmpRow::Text(std::size_t i) const { return i < vars.size() ? vars[i].text : None(); }
const std::string& SnmpRow::Bytes(std::size_t i) const { return i < vars.size() ? vars[i].bytes : None(); }

int SnmpRow::Number(std::size_t i) const {
    const long value = std::strtol(Text(i).c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

std::uint32_t SnmpRow::Unsigned(std::size_t i) const { return LeadingUnsigned32(Text(i)); }

const std::string& SnmpRow::Index() const { return vars.empty() ? None() : vars[0].index; }

std::string SnmpRow::IndexDigits() const {
    const std::string& index = Index();
    return index.empty() ? index : index.substr(1);
}

std::vector<SnmpValue> SnmpValuesOf(const CSnmp& response, const std::vector<std::string>* columns) {
    std::vector<SnmpValue> values;
    for (int i = 0; i < response.getVarBindCount(); ++i) {
        SnmpValue v;
        const char* oid = nullptr;
        if (response.getOid(i, oid) == CSnmp::EC_NO_ERROR && oid != nullptr) v.oid = oid;
        const char* text = nullptr;
        response.getValue(i, v.type, text);
        v.present = text != nullptr;
        if (text != nullptr) v.text = text;
        const unsigned char* data = nullptr;
        int length = 0;
        response.getBinaryValue(i, v.type, data, length);
        if (data != nullptr && length > 0)
            v.bytes.assign(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
        const auto n = static_cast<std::size_t>(i);
        if (columns != nullptr && n < columns->size()) v.index = SuffixBelow(v.oid, (*columns)[n]);
        values.push_back(std::move(v));
    }
    return values;
}

// ---- ends

const char* SnmpReadEndName(SnmpReadEnd end) {
    switch (end) {
    case SnmpReadEnd::Complete: return "complete";
    case SnmpReadEnd::Stopped: return "stopped";
    case SnmpReadEnd::Timeout: return "time-out";
    case SnmpReadEnd::ErrorStatus: return "error status";
    case SnmpReadEnd::LibraryError: return "library error";
    case SnmpReadEnd::ShortAnswer: return "short answer";
    }
    return "?";
}

int SnmpReadResult::SessionStatus() const {
    switch (end) {
    case SnmpReadEnd::Stopped: return 0;
    case SnmpReadEnd::Complete: return pduType == SNMP_PDU_GETNEXT ? EC_END_OF_TABLE : 0;
    case SnmpReadEnd::ErrorStatus:
    case SnmpReadEnd::ShortAnswer: return EC_END_OF_TABLE;
    case SnmpReadEnd::Timeout:
    case SnmpReadEnd::LibraryError: return status;
    }
    return status;
}

namespace {
SnmpReadSpec MakeSpec(int pduType, std::vector<std::string> oids, int timeoutMs) {
    SnmpReadSpec spec;
    spec.pduType = pduType;
    spec.oids = std::move(oids);
    spec.timeoutMs = timeoutMs;
    return spec;
}
}  // namespace

SnmpReadSpec SnmpReadSpec::Walk(std::vector<std::string> columns, int timeoutMs) {
    return MakeSpec(SNMP_PDU_GETNEXT, std::move(columns), timeoutMs);
}

SnmpReadSpec SnmpReadSpec::Get(std::vector<std::string> objects, int timeoutMs) {
    return MakeSpec(SNMP_PDU_GET, std::move(objects), timeoutMs);
}

SnmpReadSpec SnmpReadSpec::Set(std::vector<SnmpSetVar> values, int timeoutMs) {
    std::vector<std::string> oids;
    for (const SnmpSetVar& v : values) oids.push_back(v.oid);
    SnmpReadSpec spec = MakeSpec(SNMP_PDU_SET, std::move(oids), timeoutMs);
    spec.values = std::move(values);
    return spec;
}

// ---- the asynchronous read

struct CSnmpRead::State {
    // Set in Start before the first arming; the worker reads them only while the read is armed.
    SnmpReadSpec spec;
    std::vector<std::string> asked;  // the OIDs of the request out: the last row's
    RowHandler onRow;
    EndHandler onEnd;
    std::size_t rows = 0;
    unsigned generation = 0;
    std::atomic<bool> running{false};
    // Makes a callback's look at `closed` and its re-arming one step against Close.
    std::mutex armMutex;
    bool closed = false;  // under armMutex
    // Last, so it goes first: its destructor waits for the worker that calls back into us.
    CCommonSNMP session;

    bool Closed() {
        std::lock_guard lock(armMutex);
        return closed;
    }
    // Runs fn where the handlers live, unless the read was closed meanwhile. The worker waits
    // for it: the user-interface thread serves such calls even while it waits itself.
    void Deliver(const std::function<void()>& fn) {
        auto guarded = [this, &fn] {
            if (!Closed()) fn();
        };
        if (!ui::RunOnUiThread(guarded)) guarded();
    }
    void End(SnmpReadResult result) {
        result.rows = rows;
        result.pduType = spec.pduType;
        session.SetDone();
        Deliver([this, &result] {
            if (onEnd) onEnd(result);
        });
        // Only now: a Start or Close from the end handler finds the read running and retires
        // it instead of waiting for this worker, which waits for the handler.
        running = false;
    }
};

CSnmpRead::~CSnmpRead() { Close(); }

bool CSnmpRead::Running() const { return m_state && m_state->running; }

void CSnmpRead::Start(const SnmpReadSpec& spec, RowHandler onRow, EndHandler onEnd) {
    // A read still out is retired with its session: Start never waits for its request.
    if (m_state && m_state->running) Close();
    if (!m_state) m_state = std::make_shared<State>();
    State& s = *m_state;
    // No worker runs here: a quick preparation. A session that cannot open (no library
    // objects, an SNMP version it does not speak) would never call back: the read ends here.
    const bool opened = s.session.Open(spec.pduType);
    s.spec = spec;
    if (s.spec.minVarbinds == 0) s.spec.minVarbinds = spec.oids.size();
    s.onRow = std::move(onRow);
    s.onEnd = std::move(onEnd);
    s.rows = 0;
    ++s.generation;
    const bool set = spec.pduType == SNMP_PDU_SET;
    if (set) {
        AddSetVars(s.session, spec.values);
    } else {
        for (const std::string& oid : spec.oids) s.session.AddVarBind(oid, SNMP_TYPE_NULL, nullptr);
    }
    s.running = true;
    // A SET whose variables do not match its OIDs (a spec not made by Set) would write
    // something other than what it names.
    if (spec.oids.empty() || !opened || (set && spec.values.size() != spec.oids.size())) {
        SnmpReadResult result;
        result.end = SnmpReadEnd::LibraryError;
        result.status = EC_NOT_READY;
        s.End(result);
        return;
    }
    s.asked = spec.oids;
    s.session.StartAsyncAnswer(&CSnmpRead::OnAnswer, &s, spec.timeoutMs);
}

int CSnmpRead::OnAnswer(CSnmp* response, int requestId, void* userData, int status) {
    State& s = *static_cast<State*>(userData);
    std::unique_ptr<CSnmp> owned(status == EC_NO_ERROR ? response : nullptr);
    if (!s.session.FindRequestID(requestId)) return 0;  // withdrawn meanwhile
    SnmpReadResult result;
    if (status != EC_NO_ERROR || !owned) {
        result.end = status == EC_TIMEOUT        ? SnmpReadEnd::Timeout
                     : status == EC_END_OF_TABLE ? SnmpReadEnd::Complete
                                                 : SnmpReadEnd::LibraryError;
        result.status = status == EC_END_OF_TABLE ? 0 : status;
        s.End(result);
        return 0;
    }
    const bool walk = s.spec.pduType == SNMP_PDU_GETNEXT;
    owned->getErrorStatus(result.errorStatus, result.errorIndex);
    if (result.errorStatus != 0) {
        if (walk && result.errorStatus == kNoSuchName) {
            result = {};
        } else {
            result.end = SnmpReadEnd::ErrorStatus;
        }
        s.End(result);
        return 0;
    }
    if (static_cast<std::size_t>(owned->getVarBindCount()) < s.spec.minVarbinds) {
        result.end = SnmpReadEnd::ShortAnswer;
        s.End(result);
        return 0;
    }
    SnmpRow row;
    row.vars = SnmpValuesOf(*owned, walk ? &s.spec.oids : nullptr);
    owned.reset();
    std::vector<std::string> next;
    if (walk) {
        // The walk ends where a column ends: a variable outside its column, an exception
        // value, or an answer not past the request (a looping agent cannot hold the read).
        for (std::size_t i = 0; i < row.vars.size() && i < s.asked.size(); ++i) {
            const SnmpValue& v = row.vars[i];
            if (v.type >= SNMP_TYPE_NO_SUCH_OBJECT || v.index.empty() || !Past(v.oid, s.asked[i])) {
                s.End(result);
                return 0;
            }
            next.push_back(v.oid);
        }
    }
    row.number = ++s.rows;
    bool goOn = true;
    s.Deliver([&s, &row, &goOn] {
        if (s.onRow) goOn = s.onRow(row);
    });
    if (walk && goOn) {
        std::lock_guard lock(s.armMutex);
        if (!s.closed) {
            s.asked = std::move(next);  // the next request starts from this row
            const int timeoutMs = s.spec.nextTimeoutMs >= 0 ? s.spec.nextTimeoutMs : s.spec.timeoutMs;
            s.session.StartAsyncAnswer(&CSnmpRead::OnAnswer, &s, timeoutMs, &s.asked);
            return 0;
        }
    }
    if (!walk || !goOn) result.end = walk ? SnmpReadEnd::Stopped : SnmpReadEnd::Complete;
    s.End(result);
    return 0;
}

void CSnmpRead::Close() {
    if (!m_state) return;
    std::shared_ptr<State> state = std::move(m_state);
    {
        std::lock_guard lock(state->armMutex);
        state->closed = true;
    }
    if (!state->running) {
        state->session.Close();
        return;
    }
    Retire(std::move(state));
}

// A request is out: closing waits for its answer or time-out, so another thread waits; it
// keeps the session (and what the worker calls back into) alive until then.
void CSnmpRead::Retire(std::shared_ptr<State> state) {
    WaitForClosingAtExit();
    ClosingSessions& closing = Closing();
    {
        std::lock_guard lock(closing.mutex);
        if (closing.count++ == 0) closing.noneClosing.Reset();
    }
    std::thread([&closing, state = std::move(state)]() mutable {
        state->session.Close();
        state.reset();
        std::lock_guard lock(closing.mutex);
        if (--closing.count == 0) closing.noneClosing.Set();
    }).detach();
}

bool CSnmpRead::WaitForClosedSessions(unsigned ms) { return Closing().noneClosing.Wait(ms) == WAIT_OBJECT_0; }

// ---- synchronous requests

SnmpSetVar SnmpSetVar::Integer(std::string oid, long long value) {
    return {std::move(oid), SNMP_TYPE_INTEGER, std::to_string(value)};
}

SnmpSetVar SnmpSetVar::Unsigned(std::string oid, unsigned long value) {
    return {std::move(oid), SNMP_TYPE_UNSIGNED32, std::to_string(value)};
}

SnmpSetVar SnmpSetVar::Octets(std::string oid, std::string bytes) {
    return {std::move(oid), SNMP_TYPE_OCTETS, std::move(bytes)};
}

SnmpAnswer SnmpSendPrepared(CCommonSNMP& session, int timeoutMs) {
    SnmpAnswer answer;
    CSnmp* raw = nullptr;
    answer.status = session.Send(raw, timeoutMs);
    const std::unique_ptr<CSnmp> response(raw);
    if (answer.status != EC_NO_ERROR || !response) {
        if (answer.status == EC_NO_ERROR) answer.status = EC_NOT_READY;
        return answer;
    }
    response->getErrorStatus(answer.errorStatus, answer.errorIndex);
    answer.vars = SnmpValuesOf(*response);
    return answer;
}

SnmpAnswer SnmpGet(CCommonSNMP& session, const std::vector<std::string>& oids, int timeoutMs) {
    if (!session.Open(SNMP_PDU_GET)) return {};
    for (const std::string& oid : oids) session.AddVarBind(oid, SNMP_TYPE_NULL, nullptr);
    return SnmpSendPrepared(session, timeoutMs);
}

SnmpAnswer SnmpSet(CCommonSNMP& session, const std::vector<SnmpSetVar>& vars, int timeoutMs) {
    if (!session.Open(SNMP_PDU_SET)) return {};
    AddSetVars(session, vars);
    return SnmpSendPrepared(session, timeoutMs);
}
