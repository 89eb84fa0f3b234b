#include "shell/PanelDeviceThread.h"

#include "core/DeviceProfile.h"
#include "core/ModuleStartupParams.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"
#include "shell/DerariModuleDlg.h"

namespace {
constexpr DWORD kStartDelayMs = 500;
constexpr int kCyclePeriods = 10;
constexpr int kSkippedCyclePeriods = 2;
}  // namespace

CPanelDeviceThread::~CPanelDeviceThread() {
    Stop();
    Join();
}

void CPanelDeviceThread::SetOwner(CDerariModuleDlg* owner) {
    m_pOwner = owner;
    m_nPeriodMs = ModuleStartupParams::SnmpVersion == "1" ? 500 : 1000;
    m_bPoEModel = owner != nullptr && IsPoEModel(owner->m_strDeviceName);
    m_bHasFan = g_bIsHasFan;
}

void CPanelDeviceThread::ResumeThread() {
    if (!m_thread.joinable()) m_thread = std::thread([this] { Run(); });
}

void CPanelDeviceThread::Stop() {
    m_bStop = 1;
    m_stopEvent.Set();
}

bool CPanelDeviceThread::WaitOrStop(DWORD ms) { return win::WaitPeriod(m_stopEvent, ms) || m_bStop != 0; }

void CPanelDeviceThread::Join() {
    if (m_thread.joinable()) m_thread.join();
}

int CPanelDeviceThread::Run() {
    if (m_pOwner == nullptr) return -1;
    CDerariModuleDlg& owner = *m_pOwner;
    int last = 0;
    // Between requests the stop is looked at too: a closing window waits for one request at most.
    auto stopping = [this] { return m_bStop != 0; };
    while (!stopping()) {
        if (WaitOrStop(kStartDelayMs)) break;
        if (owner.m_bPause == 0) {
            if (m_bHasFan) {
                owner.CheckDeviceAlive();
                if (stopping()) break;
                owner.GetGetFanStatus();
                if (stopping()) break;
            }
            owner.CheckDeviceAlive();
            if (stopping()) break;
            if (m_bPoEModel) {
                OutputDebugStringA("-----------------m_pOwner->Get10PPOEOrLinkStatus");
                last = owner.Get10PPOEOrLinkStatus();
            } else {
                owner.GetPortLinkStatus();
            }
        }
        if (last == -1) OutputDebugStringA("-1-1-1-1-1-1-1-1-1-1-1-");
        const int periods = last == -1 ? kSkippedCyclePeriods : kCyclePeriods;
        for (int i = 0; i < periods && !stopping(); ++i) WaitOrStop(m_nPeriodMs);
    }
    owner.SignalPollEnd();
    return 0;
}
