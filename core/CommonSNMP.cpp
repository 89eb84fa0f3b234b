#include "core/CommonSNMP.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "core/ModuleStartupParams.h"

std::atomic<int> g_nRequestCounter{0};

namespace {
constexpr DWORD kWorkerEndWaitMs = 3000;
constexpr DWORD kCloseGraceMs = 1000;
// How often a worker waiting for the session lock looks whether its request was withdrawn.
constexpr DWORD kLockPollMs = 20;

// The worker threads still running, of every session.
struct RunningWorkers {
    std::mutex mutex;
    int count = 0;
    win::Event none{true, true};

    void Started() {
        std::lock_guard lock(mutex);
        if (count++ == 0) none.Reset();
    }
    void Ended() {
        std::lock_guard lock(mutex);
        if (--count == 0) none.Set();
    }
};
// Longer than any request's time-out and the grace after it.
constexpr unsigned kExitWaitMs = 15000;

// Never destroyed: a detached worker may still end after static destruction has begun. The
// SNMP engine is started before the wait at exit is registered, so the wait comes before the
// engine's clean-up: a detached worker does not meet a torn-down library.
RunningWorkers& Workers() {
    static auto* workers = [] {
        auto* made = new RunningWorkers;
        SnmpInit(nullptr);
        std::atexit([] { CCommonSNMP::WaitForWorkers(kExitWaitMs); });
        return made;
    }();
    return *workers;
}

// The leading decimal number of a text, as the settings are read; 0 when there is none.
int LeadingNumber(const std::string& text) {
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}
}  // namespace

// A worker thread's handle: set when the thread has ended; detached when its session gave
// up waiting for it (under Shared::m_mutex), after which it touches nothing of the session
// but the shared state and drops its result.
struct CCommonSNMP::Worker {
    win::Event ended{true, false};
    bool detached = false;
};

CCommonSNMP::CCommonSNMP()
    : m_nVersion(LeadingNumber(ModuleStartupParams::SnmpVersion)),
      m_shared(std::make_shared<Shared>()),
      m_nTimeout(LeadingNumber(ModuleStartupParams::TimeoutMs)),
      m_szReadCommunity(ModuleStartupParams::ReadCommunity),
      m_szWriteCommunity(ModuleStartupParams::WriteCommunity),
      m_strSecurityLevel(ModuleStartupParams::SecurityLevel),
      m_strAuthProtocol(ModuleStartupParams::AuthProtocol),
      m_strPrivProtocol(ModuleStartupParams::PrivProtocol),
      m_szUserName(ModuleStartupParams::UserName),
      m_szAuthPassword(ModuleStartupParams::AuthPassword),
      m_szPrivPassword(ModuleStartupParams::PrivPassword) {
    m_shared->m_szAgent = ModuleStartupParams::AgentAddress();
    if (m_nVersion == 1) m_shared->m_pSnmp = std::make_shared<CSnmpV1>(0);
    else if (m_nVersion == 3) m_shared->m_pSnmp = std::make_shared<CSnmpV3>(0);
    if (m_shared->m_pSnmp) m_shared->m_pTable = std::make_shared<CSnmpTable>(m_shared->m_pSnmp.get());
}

CCommonSNMP::~CCommonSNMP() {
    Shared& s = *m_shared;
    ++s.m_nStopping;  // the session stays stopping: nothing arms it again
    s.m_bRunning = false;
    s.m_hLockEvent.Wait(static_cast<DWORD>(std::max(m_nTimeout, 0)) + kCloseGraceMs);
    s.m_hLockEvent.Reset();  // the session stays locked
    StopWorker();
}

void CCommonSNMP::Lock() { m_shared->m_hLockEvent.Wait(INFINITE); }
void CCommonSNMP::Unlock() { m_shared->m_hLockEvent.Set(); }

bool CCommonSNMP::Ready() const {
    return m_shared->m_pSnmp && m_shared->m_pTable && m_shared->m_pSnmp->getVarBindCount() > 0;
}

void CCommonSNMP::StopWorker() {
    Shared& s = *m_shared;
    std::shared_ptr<Worker> worker;
    int requestTimeoutMs = 0;
    {
        std::lock_guard lock(s.m_mutex);
        s.m_bRunning = false;
        worker = s.m_hWorker;
        requestTimeoutMs = std::max(s.m_nAsyncTimeout, 0);
    }
    if (!worker) return;
    // A request in flight ends by its time-out; the worker then drops its answer and ends.
    const DWORD waitMs = static_cast<DWORD>(requestTimeoutMs) + kWorkerEndWaitMs;
    const bool ended = worker->ended.Wait(waitMs) == WAIT_OBJECT_0;
    std::lock_guard lock(s.m_mutex);
    if (!ended) worker->detached = true;
    if (s.m_hWorker == worker) s.m_hWorker.reset();
}

bool CCommonSNMP::LockForArming() {
    Shared& s = *m_shared;
    for (;;) {
        if (s.m_nStopping > 0) return false;
        if (s.m_hLockEvent.Wait(kLockPollMs) == WAIT_OBJECT_0) return true;
    }
}

bool CCommonSNMP::Open(int pduType) {
    Shared& s = *m_shared;
    if (!s.m_pSnmp || !s.m_pTable) return false;
    // The worker is stopped before the lock is taken: a callback re-arming meanwhile is
    // refused at once instead of waiting for the lock this call would hold.
    ++s.m_nStopping;
    StopWorker();
    Lock();
    --s.m_nStopping;
    s.m_pSnmp->setType(pduType);
    s.m_pSnmp->clearVarBindList();
    if (m_nVersion == 1 && (pduType == 0 || pduType == 1)) {
        s.m_pSnmp->setCommunity(m_szReadCommunity.c_str());
    } else if (m_nVersion == 1 && pduType == 3) {
        s.m_pSnmp->setCommunity(m_szWriteCommunity.c_str());
    } else if (m_nVersion == 3) {
        SetV3Security();
    } else {
        Unlock();
        return false;
    }
    m_bClosed = false;
    Unlock();
    return true;
}

void CCommonSNMP::SetV3Security() {
    auto* v3 = static_cast<CSnmpV3*>(m_shared->m_pSnmp.get());
    v3->setMsgMaxSize(1024);
    v3->setMsgSecurityModel(3);
    v3->setUserName(m_szUserName.c_str());
    auto authentication = [&] {
        if (m_strAuthProtocol == "2" || m_strAuthProtocol == "3") {
            v3->setAuthArith(m_strAuthProtocol == "2" ? 0 : 1);
            v3->setAuthPwd(m_szAuthPassword.data(), static_cast<int>(m_szAuthPassword.size()));
        } else {
            v3->setMsgFlags(0);
        }
    };
    if (m_strSecurityLevel == "2") {
        v3->setMsgFlags(1);
        authentication();
    } else if (m_strSecurityLevel == "3") {
        v3->setMsgFlags(3);
        authentication();
        if (m_strPrivProtocol == "2") {
            v3->setPriArith(0);
            v3->setPriPwd(m_szPrivPassword.data(), static_cast<int>(m_szPrivPassword.size()));
        } else {
            v3->setMsgFlags(1);
        }
    } else {
        v3->setMsgFlags(0);
    }
}

int CCommonSNMP::AddVarBind(const std::string& oid, int valueType, const char* value) {
    Lock();
    const int result = m_shared->m_pSnmp ? m_shared->m_pSnmp->addValue(oid.c_str(), valueType, value) : -1;
    Unlock();
    return result;
}

int CCommonSNMP::AddVarBind(const std::string& oid, int valueType, const void* data, int length) {
    Lock();
    const int result = m_shared->m_pSnmp ? m_shared->m_pSnmp->addBinaryValue(oid.c_str(), valueType, data, length) : -1;
    Unlock();
    return result;
}

int CCommonSNMP::Send(CSnmp*& response, int timeoutMs) { return Transact(response, timeoutMs, false); }

int CCommonSNMP::GetNext(CSnmp*& response, int timeoutMs) { return Transact(response, timeoutMs, true); }

int CCommonSNMP::Transact(CSnmp*& response, int timeoutMs, bool throughTable) {
    response = nullptr;
    Lock();
    if (!Ready()) {
        Unlock();
        return -1;
    }
    const char* agent = m_shared->m_szAgent.c_str();
    const auto timeout = static_cast<unsigned long>(timeoutMs > 0 ? timeoutMs : m_nTimeout);
    const int status = throughTable ? m_shared->m_pTable->getNext(agent, response, timeout)
                                    : m_shared->m_pSnmp->send(agent, response, timeout);
    Unlock();
    return status;
}

int CCommonSNMP::GetIndex(int index, CSnmp* response, std::string& suffix) {
    Lock();
    if (!Ready()) {
        Unlock();
        return -1;
    }
    const int status = m_shared->m_pTable->getIndex(index, response, suffix);
    Unlock();
    return status;
}

int CCommonSNMP::StartAsync(AsyncCallback callback, void* userData, HWND, int timeoutMs) {
    return StartAsync(callback, userData, timeoutMs);
}

int CCommonSNMP::StartAsync(AsyncCallback callback, void* userData, int timeoutMs) {
    return Arm(callback, userData, timeoutMs, false, nullptr);
}

int CCommonSNMP::StartAsyncAnswer(AsyncCallback callback, void* userData, int timeoutMs,
                                  const std::vector<std::string>* nextOids) {
    return Arm(callback, userData, timeoutMs, true, nextOids);
}

int CCommonSNMP::Arm(AsyncCallback callback, void* userData, int timeoutMs, bool rawAnswer,
                     const std::vector<std::string>* nextOids) {
    Shared& s = *m_shared;
    if (!LockForArming()) {
        s.m_hDoneEvent.Set();
        return -1;
    }
    if (nextOids != nullptr && s.m_pSnmp) {
        s.m_pSnmp->clearVarBindList();
        for (const std::string& oid : *nextOids) s.m_pSnmp->addValue(oid.c_str(), SNMP_TYPE_NULL, nullptr);
    }
    if (m_bClosed || !Ready() || callback == nullptr) {
        s.m_hDoneEvent.Set();
        Unlock();
        return -1;
    }
    const int id = ++g_nRequestCounter;
    {
        std::lock_guard lock(m_idsMutex);
        m_arrRequestIds.push_back(id);
    }
    {
        std::lock_guard lock(s.m_mutex);
        // A stop that began after the lock was taken withdraws this arming at once.
        if (s.m_nStopping > 0) {
            s.m_hDoneEvent.Set();
            Unlock();
            return -1;
        }
        s.m_pfnCallback = callback;
        s.m_pUserData = userData;
        s.m_nAsyncTimeout = timeoutMs > 0 ? timeoutMs : m_nTimeout;
        s.m_nRequestId = id;
        s.m_bRawAnswer = rawAnswer;
        s.m_bRunning = true;
        s.m_hDoneEvent.Reset();
        if (!s.m_hWorker) {  // a worker still in its loop picks the request up itself
            s.m_hWorker = std::make_shared<Worker>();
            Workers().Started();
            std::thread([shared = m_shared, worker = s.m_hWorker]() mutable {
                WorkerLoop(std::move(shared), std::move(worker));
                Workers().Ended();  // after the loop has let go of the session's state
            }).detach();
        }
    }
    Unlock();
    return -1;
}

void CCommonSNMP::WorkerLoop(std::shared_ptr<Shared> shared, std::shared_ptr<Worker> worker) {
    Shared& s = *shared;
    for (;;) {
        {
            // Ending and forgetting the handle is one step against StartAsync's look at it.
            std::lock_guard lock(s.m_mutex);
            if (worker->detached) break;
            if (!s.m_bRunning) {
                if (s.m_hWorker == worker) s.m_hWorker.reset();
                s.m_hDoneEvent.Set();
                break;
            }
        }
        bool locked = false;
        while (!(locked = s.m_hLockEvent.Wait(kLockPollMs) == WAIT_OBJECT_0) && s.m_bRunning) {
        }
        if (!locked) continue;
        int timeoutMs = 0;
        bool ready = false;
        bool rawAnswer = false;
        {
            std::lock_guard lock(s.m_mutex);
            timeoutMs = s.m_nAsyncTimeout;
            rawAnswer = s.m_bRawAnswer;
            ready = !worker->detached && s.m_bRunning;
        }
        if (ready && s.m_pSnmp->getVarBindCount() == 0) {
            s.m_bRunning = false;
            ready = false;
        }
        if (!ready) {
            s.m_hLockEvent.Set();
            continue;
        }
        CSnmp* response = nullptr;
        const auto timeout = static_cast<unsigned long>(timeoutMs);
        const int status = rawAnswer ? s.m_pSnmp->send(s.m_szAgent.c_str(), response, timeout)
                                     : s.m_pTable->getNext(s.m_szAgent.c_str(), response, timeout);
        s.m_hLockEvent.Set();

        AsyncCallback callback = nullptr;
        int requestId = 0;
        void* userData = nullptr;
        {
            std::lock_guard lock(s.m_mutex);
            // A request withdrawn (Open, Close, destruction) while it was out is dropped.
            if (!worker->detached && s.m_bRunning.exchange(false)) {
                callback = s.m_pfnCallback;
                requestId = s.m_nRequestId;
                userData = s.m_pUserData;
            }
        }
        if (callback != nullptr) callback(response, requestId, userData, status);
        else delete response;
    }
    worker->ended.Set();
}

int CCommonSNMP::FindRequestID(int requestId) {
    std::lock_guard lock(m_idsMutex);
    auto it = std::find(m_arrRequestIds.begin(), m_arrRequestIds.end(), requestId);
    if (it == m_arrRequestIds.end()) return 0;
    m_arrRequestIds.erase(it);
    return 1;
}

bool CCommonSNMP::WaitForWorkers(unsigned ms) { return Workers().none.Wait(ms) == WAIT_OBJECT_0; }

void CCommonSNMP::SetDone() { m_shared->m_hDoneEvent.Set(); }

void CCommonSNMP::Close() {
    m_bClosed = true;
    m_shared->m_bRunning = false;
    m_shared->m_hDoneEvent.Wait(static_cast<DWORD>(std::max(m_nTimeout, 0)) + kCloseGraceMs);
    std::lock_guard lock(m_idsMutex);
    m_arrRequestIds.clear();
}
