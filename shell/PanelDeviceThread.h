#pragma once
// The polling thread: keeps the front panel up to date by calling the main window's polling
// operations every few seconds, until the window stops it.
//
// Every wait of the loop runs on the program's clock and ends early when the thread is asked
// to stop, so a stop takes effect within the request that is out at that moment.
#include <atomic>
#include <thread>

#include "platform/win/Event.h"
#include "platform/win/WinTypes.h"

class CDerariModuleDlg;

class CPanelDeviceThread {
public:
    CPanelDeviceThread() = default;
    // Stops and joins a thread still running: nothing the loop uses may go before it.
    ~CPanelDeviceThread();
    CPanelDeviceThread(const CPanelDeviceThread&) = delete;
    CPanelDeviceThread& operator=(const CPanelDeviceThread&) = delete;

    // Called once on the user-interface thread, before ResumeThread; it also takes the
    // settings the loop follows (period by SNMP version, PoE model, fan), which are fixed
    // from then on.
    void SetOwner(CDerariModuleDlg* owner);
    BOOL InitInstance() { return TRUE; }
    // The polling loop: -1 at once without an owner, else 0 once stopped.
    int Run();
    int ExitInstance() { return 0; }

    // Starts the thread (it is created suspended).
    void ResumeThread();
    // Sets m_bStop and wakes the loop's waits.
    void Stop();
    // Waits up to the program-clock time given for the stop (true when asked to stop).
    bool WaitOrStop(DWORD ms);
    // Joins the thread once its loop has ended (after the owner's poll-end event).
    void Join();

    std::atomic<int> m_bStop{0};

private:
    CDerariModuleDlg* m_pOwner = nullptr;
    DWORD m_nPeriodMs = 1000;
    bool m_bPoEModel = false;
    bool m_bHasFan = false;
    win::Event m_stopEvent{true, false};
    std::thread m_thread;
};
