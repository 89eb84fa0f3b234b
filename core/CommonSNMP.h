#pragma once
// One SNMP session to the device named by the start-up settings: it prepares one request
// at a time and sends it synchronously, or asynchronously on a worker thread of its own,
// one request per arming, reporting each result to a callback that may re-arm it.
//
// No thread is ever killed: where a worker does not end in time it is detached, its result
// is dropped, and the state it can touch (shared below) stays alive until it ends.
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/snmp/Snmp.h"
#include "platform/win/Event.h"
#include "platform/win/WinTypes.h"

// The id of the latest arming of any session; ids are 1, 2, 3, ... in arming order.
extern std::atomic<int> g_nRequestCounter;

class CCommonSNMP {
public:
    // Status 0: the response is present and the callback deletes it; -1 time-out or
    // failure; -2 end of the table. Runs on the session's worker thread without its lock.
    using AsyncCallback = int (*)(CSnmp* response, int requestId, void* userData, int status);

    CCommonSNMP();
    CCommonSNMP(const CCommonSNMP&) = delete;
    CCommonSNMP& operator=(const CCommonSNMP&) = delete;
    virtual ~CCommonSNMP();

    // PDU type 0 GET, 1 GETNEXT, 3 SET. Stops an earlier asynchronous request, empties the
    // variables and applies the security of the start-up settings.
    bool Open(int pduType);
    int AddVarBind(const std::string& oid, int valueType, const char* value);
    int AddVarBind(const std::string& oid, int valueType, const void* data, int length);
    // 0 with the response (the caller deletes it), -1 when not ready, else the library's
    // status. A time-out of 0 is the session's.
    int Send(CSnmp*& response, int timeoutMs);
    // As Send, through the table object: a GETNEXT continues the walk.
    int GetNext(CSnmp*& response, int timeoutMs);
    // The instance suffix of a response variable below its requested column (".3").
    int GetIndex(int index, CSnmp* response, std::string& suffix);
    int StartAsync(AsyncCallback callback, void* userData, int timeoutMs);
    int StartAsync(AsyncCallback callback, void* userData, HWND window, int timeoutMs);
    // For the shared read path (core/SnmpRead.h) only: arms the prepared request to go out
    // as it is. The callback gets status 0 with every answer, whatever its error status, and
    // a GETNEXT does not advance: the caller classifies the answer and arms the next row
    // itself, giving its variables in `nextOids` (NULL values replacing the prepared ones).
    int StartAsyncAnswer(AsyncCallback callback, void* userData, int timeoutMs,
                         const std::vector<std::string>* nextOids = nullptr);
    int FindRequestID(int requestId);
    // Waits up to ms until no worker thread of any session runs, a detached one included;
    // true when none runs. After it no callback of a closed or destroyed session can come
    // (program end, tests).
    static bool WaitForWorkers(unsigned ms);
    void SetDone();
    void Close();

private:
    struct Worker;
    // What the worker thread shares with its session.
    struct Shared {
        std::mutex m_mutex;  // guards the armed request and the worker handle
        std::shared_ptr<CSnmpV1> m_pSnmp;
        std::shared_ptr<CSnmpTable> m_pTable;
        std::string m_szAgent;
        win::Event m_hDoneEvent{true, true};
        // The session lock. Auto-reset, so taking it is one atomic step.
        win::Event m_hLockEvent{false, true};
        std::shared_ptr<Worker> m_hWorker;
        std::atomic<bool> m_bRunning{false};
        AsyncCallback m_pfnCallback = nullptr;
        void* m_pUserData = nullptr;
        int m_nAsyncTimeout = 0;
        int m_nRequestId = 0;
        bool m_bRawAnswer = false;  // the armed request goes out as it is (StartAsyncAnswer)
        // Set while Open or destruction stops the worker: an arming meanwhile is refused
        // without waiting for the session lock, so a callback re-arming cannot hold them.
        std::atomic<int> m_nStopping{0};
    };

    static void WorkerLoop(std::shared_ptr<Shared> shared, std::shared_ptr<Worker> worker);
    bool Ready() const;  // under the lock: library objects and at least one variable
    void Lock();
    void Unlock();
    void SetV3Security();
    int Transact(CSnmp*& response, int timeoutMs, bool throughTable);
    // Withdraws the armed request and waits for the worker: for the request in flight (its
    // time-out) and then up to 3000 ms, detaching it if it has not ended by then.
    void StopWorker();
    // Takes the session lock for an arming; false (lock not taken) while the worker is being
    // stopped.
    bool LockForArming();
    int Arm(AsyncCallback callback, void* userData, int timeoutMs, bool rawAnswer,
            const std::vector<std::string>* nextOids);

    int m_nVersion;
    std::shared_ptr<Shared> m_shared;
    int m_nTimeout;
    std::mutex m_idsMutex;
    std::vector<int> m_arrRequestIds;
    std::atomic<bool> m_bClosed{false};
    std::string m_szReadCommunity;
    std::string m_szWriteCommunity;
    std::string m_strSecurityLevel;
    std::string m_strAuthProtocol;
    std::string m_strPrivProtocol;
    std::string m_szUserName;
    std::string m_szAuthPassword;
    std::string m_szPrivPassword;
};
