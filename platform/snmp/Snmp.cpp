// The library's objects: sessions, responses, walks and the asynchronous wrappers.
#include "platform/snmp/Snmp.h"

#include <atomic>
#include <cstring>

#include "platform/snmp/SnmpDetail.h"

using snmpdetail::Access;
using snmpdetail::Exchange;
using snmpdetail::SessionState;

namespace snmpdetail {

namespace {
std::atomic<std::uint64_t> g_nextSessionId{1};
std::atomic<int> g_nextRequestId{1};
}  // namespace

SessionState::SessionState(int version_, int pduType_)
    : id(g_nextSessionId.fetch_add(1)), version(version_), pduType(pduType_) {}

SessionState::~SessionState() { CloseSession(id); }

CSnmp* Access::NewResponse(int requestId, int errorStatus, int errorIndex, std::vector<ResponseVar> vars) {
    CSnmp* response = new CSnmp();
    response->m_requestId = requestId;
    response->m_errorStatus = errorStatus;
    response->m_errorIndex = errorIndex;
    response->m_vars = std::move(vars);
    return response;
}

int Exchange::Prepare(const std::shared_ptr<SessionState>& state, const char* agent, unsigned long timeoutMs,
                      bool walk) {
    if (!state || agent == nullptr) return EC_NOT_READY;
    auto request = std::make_unique<Request>();
    {
        std::lock_guard lock(state->mutex);
        if (state->vars.empty()) return EC_NOT_READY;
        request->version = state->version;
        request->community = state->community;
        request->v3 = state->v3;
        request->pduType = state->pduType;
        request->vars = state->vars;
        m_generation = state->generation;
        m_requestId = g_nextRequestId.fetch_add(1);
        state->lastRequestId = m_requestId;
    }
    request->sessionId = state->id;
    request->requestId = m_requestId;
    request->agent = agent;
    request->timeoutMs = timeoutMs != 0 ? static_cast<unsigned>(timeoutMs) : DefaultTimeoutMs();
    m_walk = walk && request->pduType == SNMP_PDU_GETNEXT;
    m_sent = request->vars;
    m_state = state;
    m_request = std::move(request);
    return EC_NO_ERROR;
}

long Exchange::Send(std::function<void(int, CSnmp*)> done, bool awaited) {
    m_request->done = std::move(done);
    m_request->awaited = awaited;
    return Submit(std::move(m_request));
}

int Exchange::Finish(int status, CSnmp*& response) const {
    if (status == EC_NO_ERROR && m_walk) {
        const auto& vars = Access::Vars(*response);
        bool inside = Access::ErrorStatus(*response) == 0 && vars.size() == m_sent.size();
        for (std::size_t i = 0; inside && i < vars.size(); ++i) {
            const RequestVar& sent = m_sent[i];
            const ResponseVar& got = vars[i];
            inside = got.type < SNMP_TYPE_NO_SUCH_OBJECT && IsBelow(got.name, sent.column) &&
                     std::lexicographical_compare(sent.name.begin(), sent.name.end(), got.name.begin(), got.name.end());
        }
        if (!inside) {
            status = EC_END_OF_TABLE;
        } else {
            std::lock_guard lock(m_state->mutex);
            if (m_state->generation == m_generation && m_state->vars.size() == vars.size()) {
                for (std::size_t i = 0; i < vars.size(); ++i) m_state->vars[i].name = vars[i].name;
            }
        }
    }
    if (status != EC_NO_ERROR) {
        delete response;
        response = nullptr;
    }
    return status;
}

}  // namespace snmpdetail

namespace {

// Sends a session's request and waits for its outcome.
int SendAndWait(const std::shared_ptr<SessionState>& state, const char* agent, CSnmp*& response,
                unsigned long timeoutMs, bool walk) {
    response = nullptr;
    Exchange exchange;
    if (int status = exchange.Prepare(state, agent, timeoutMs, walk); status != EC_NO_ERROR) return status;
    struct Outcome {
        win::Event done{true, false};
        int status = EC_TIMEOUT;
        CSnmp* response = nullptr;
    };
    auto outcome = std::make_shared<Outcome>();
    const long key = exchange.Send(
        [outcome](int status, CSnmp* answer) {
            outcome->status = status;
            outcome->response = answer;
            outcome->done.Set();
        },
        true);
    snmpdetail::AwaitCompletion(key, outcome->done);  // every request completes by its time-out
    response = outcome->response;
    return exchange.Finish(outcome->status, response);
}

const snmpdetail::ResponseVar* VarAt(const CSnmp& snmp, int index) {
    const auto& vars = Access::Vars(snmp);
    if (index < 0 || static_cast<std::size_t>(index) >= vars.size()) return nullptr;
    return &vars[static_cast<std::size_t>(index)];
}

}  // namespace

// ---- CSnmp

CSnmp::CSnmp(int version, int pduType) : m_session(std::make_shared<SessionState>(version, pduType)) {}
CSnmp::CSnmp() = default;
CSnmp::~CSnmp() = default;

int CSnmp::addValue(const char* oid, int type, const char* value) {
    const std::string_view text = value != nullptr ? std::string_view(value) : std::string_view();
    if (!m_session) return EC_NOT_READY;
    snmpdetail::RequestVar var;
    if (int status = snmpdetail::MakeRequestVar(oid, type, text, var); status != EC_NO_ERROR) return status;
    std::lock_guard lock(m_session->mutex);
    m_session->vars.push_back(std::move(var));
    ++m_session->generation;
    return EC_NO_ERROR;
}

int CSnmp::addBinaryValue(const char* oid, int type, const void* data, int length) {
    if (!m_session) return EC_NOT_READY;
    if (length < 0 || (data == nullptr && length > 0)) return EC_BAD_VALUE;
    const char* bytes = static_cast<const char*>(data);
    if (type == SNMP_TYPE_OCTETS) {
        snmpdetail::RequestVar var;
        if (int status = snmpdetail::MakeRequestVar(oid, type, {}, var); status != EC_NO_ERROR) return status;
        var.bytes.assign(bytes, static_cast<std::size_t>(length));
        std::lock_guard lock(m_session->mutex);
        m_session->vars.push_back(std::move(var));
        ++m_session->generation;
        return EC_NO_ERROR;
    }
    if (type == SNMP_TYPE_IPADDRESS && length == 4) {
        snmpdetail::RequestVar var;
        if (int status = snmpdetail::MakeRequestVar(oid, type, "0.0.0.0", var); status != EC_NO_ERROR) return status;
        var.bytes.assign(bytes, 4);
        std::lock_guard lock(m_session->mutex);
        m_session->vars.push_back(std::move(var));
        ++m_session->generation;
        return EC_NO_ERROR;
    }
    return addValue(oid, type, bytes);  // the bytes are the value's text
}

void CSnmp::clearVarBindList() {
    if (!m_session) return;
    std::lock_guard lock(m_session->mutex);
    m_session->vars.clear();
    ++m_session->generation;
}

int CSnmp::getVarBindCount() const {
    if (!m_session) return static_cast<int>(m_vars.size());
    std::lock_guard lock(m_session->mutex);
    return static_cast<int>(m_session->vars.size());
}

int CSnmp::getRequestId() const {
    if (!m_session) return m_requestId;
    std::lock_guard lock(m_session->mutex);
    return m_session->lastRequestId;
}

int CSnmp::getErrorStatus(int& status, int& index) const {
    status = m_errorStatus;
    index = m_errorIndex;
    return EC_NO_ERROR;
}

int CSnmp::getOid(int index, const char*& oid) const {
    const auto* var = VarAt(*this, index);
    if (var == nullptr) return EC_BAD_VALUE;
    oid = var->oidText.c_str();
    return EC_NO_ERROR;
}

int CSnmp::getValue(int index, int& type, const char*& value) const {
    const auto* var = VarAt(*this, index);
    if (var == nullptr) return EC_BAD_VALUE;
    type = var->type;
    value = var->hasValue ? var->text.c_str() : nullptr;
    return EC_NO_ERROR;
}

int CSnmp::getBinaryValue(int index, int& type, const unsigned char*& data, int& length) const {
    const auto* var = VarAt(*this, index);
    if (var == nullptr) return EC_BAD_VALUE;
    type = var->type;
    data = var->hasValue ? reinterpret_cast<const unsigned char*>(var->bytes.data()) : nullptr;
    length = var->hasValue ? static_cast<int>(var->bytes.size()) : 0;
    return EC_NO_ERROR;
}

// ---- CSnmpV1, CSnmpV3

CSnmpV1::CSnmpV1(int pduType) : CSnmp(1, pduType) {}
CSnmpV1::CSnmpV1(int version, int pduType) : CSnmp(version, pduType) {}

void CSnmpV1::setType(int pduType) {
    std::lock_guard lock(m_session->mutex);
    m_session->pduType = pduType;
}

void CSnmpV1::setCommunity(const char* community) {
    std::lock_guard lock(m_session->mutex);
    m_session->community = community != nullptr ? community : "";
}

int CSnmpV1::send(const char* agent, CSnmp*& response, unsigned long timeoutMs) {
    return SendAndWait(m_session, agent, response, timeoutMs, false);
}

CSnmpV3::CSnmpV3(int pduType) : CSnmpV1(3, pduType) {}

#define V3_SETTER(body)                             \
    do {                                            \
        std::lock_guard lock(m_session->mutex);     \
        snmpdetail::V3Settings& v3 = m_session->v3; \
        body;                                       \
    } while (0)

void CSnmpV3::setMsgMaxSize(int size) { V3_SETTER(v3.msgMaxSize = size); }
void CSnmpV3::setMsgSecurityModel(int model) { V3_SETTER(v3.securityModel = model); }
void CSnmpV3::setUserName(const char* name) { V3_SETTER(v3.user = name != nullptr ? name : ""); }
void CSnmpV3::setMsgFlags(char flags) { V3_SETTER(v3.flags = static_cast<unsigned char>(flags)); }
void CSnmpV3::setAuthArith(int algorithm) { V3_SETTER(v3.authAlgorithm = algorithm); }
void CSnmpV3::setPriArith(int algorithm) { V3_SETTER(v3.privAlgorithm = algorithm); }
void CSnmpV3::setAuthPwd(const void* passPhrase, int length) {
    V3_SETTER(v3.authPassPhrase.assign(static_cast<const char*>(passPhrase),
                                       passPhrase != nullptr && length > 0 ? static_cast<std::size_t>(length) : 0));
}
void CSnmpV3::setPriPwd(const void* passPhrase, int length) {
    V3_SETTER(v3.privPassPhrase.assign(static_cast<const char*>(passPhrase),
                                       passPhrase != nullptr && length > 0 ? static_cast<std::size_t>(length) : 0));
}

#undef V3_SETTER

// ---- CSnmpTable

CSnmpTable::CSnmpTable(CSnmp* session) : m_session(session) {}

int CSnmpTable::getNext(const char* agent, CSnmp*& response, unsigned long timeoutMs) {
    response = nullptr;
    if (m_session == nullptr) return EC_NOT_READY;
    return SendAndWait(Access::State(*m_session), agent, response, timeoutMs, true);
}

int CSnmpTable::getIndex(int index, CSnmp* response, std::string& suffix) {
    if (m_session == nullptr || response == nullptr) return EC_NOT_READY;
    const auto* var = VarAt(*response, index);
    const auto& state = Access::State(*m_session);
    if (var == nullptr || !state) return EC_BAD_VALUE;
    std::lock_guard lock(state->mutex);
    if (static_cast<std::size_t>(index) >= state->vars.size()) return EC_BAD_VALUE;
    const snmpdetail::Oid& column = state->vars[static_cast<std::size_t>(index)].column;
    if (!snmpdetail::IsBelow(var->name, column)) return EC_BAD_VALUE;
    suffix.clear();
    for (std::size_t i = column.size(); i < var->name.size(); ++i) {
        suffix += '.';
        suffix += std::to_string(var->name[i]);
    }
    return EC_NO_ERROR;
}

// ---- CSnmp4w, CSnmpTable4w

CSnmp4w::CSnmp4w() : m_owner(std::make_shared<snmpdetail::AsyncOwner>()) {}

CSnmp4w::~CSnmp4w() {
    bool wait = false;
    {
        std::lock_guard lock(m_owner->mutex);
        m_owner->alive = false;
        wait = m_owner->busy && m_owner->busyThread != std::this_thread::get_id();
    }
    if (wait) m_owner->idle.Wait(INFINITE);
}

void CSnmp4w::setSnmp(CSnmp* session) { m_session = session; }

int CSnmp4w::sendAsync(const char* agent, Snmp4wCallback callback, void* userData, HWND, unsigned long timeoutMs) {
    return start(agent, callback, userData, timeoutMs, false);
}

int CSnmpTable4w::getNextAsync(const char* agent, Snmp4wCallback callback, void* userData, HWND,
                               unsigned long timeoutMs) {
    return start(agent, callback, userData, timeoutMs, true);
}

int CSnmp4w::start(const char* agent, Snmp4wCallback callback, void* userData, unsigned long timeoutMs, bool walk) {
    if (m_session == nullptr || callback == nullptr) return EC_NOT_READY;
    auto exchange = std::make_shared<Exchange>();
    if (int status = exchange->Prepare(Access::State(*m_session), agent, timeoutMs, walk); status != EC_NO_ERROR)
        return status;
    std::shared_ptr<snmpdetail::AsyncOwner> owner = m_owner;
    exchange->Send([exchange, owner, callback, userData](int status, CSnmp* response) {
        snmpdetail::PostCallback([exchange, owner, callback, userData, status, response]() mutable {
            {
                std::lock_guard lock(owner->mutex);
                if (!owner->alive) {
                    delete response;
                    return;
                }
                owner->busy = true;
                owner->busyThread = std::this_thread::get_id();
                owner->idle.Reset();
            }
            const int final = exchange->Finish(status, response);
            callback(response, exchange->RequestId(), userData, final);
            std::lock_guard lock(owner->mutex);
            owner->busy = false;
            owner->idle.Set();
        });
    });
    return EC_NO_ERROR;
}
