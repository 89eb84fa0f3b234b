// The main window's status polling: the steps the polling thread runs each cycle
// (reachability, fan, LED mode and power, the link or PoE walk) and the refresh of the port
// states the painting shows.
#include "shell/DerariModuleDlg.h"

#include <algorithm>
#include <cstdlib>

#include "core/DeviceProfile.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"
#include "shell/PanelBitmaps.h"
#include "shell/panel/DevElements.h"

using namespace panel_bitmaps;

std::atomic<int> g_nSkipCount{0};

namespace {

// Status polling: the objects read (P = 1.3.6.1.4.1.32473.10.76.21.1) and their time-outs.
constexpr const char* kAliveOid = "1.3.6.1.4.1.32473.10.76.21.1.25.1.0";
constexpr const char* kFanOid = "1.3.6.1.4.1.32473.10.76.21.1.1.15.1.0";
constexpr const char* kLedModeOid = "1.3.6.1.4.1.32473.10.76.21.1.22.8.0";
constexpr const char* kPowerOid = "1.3.6.1.4.1.32473.10.76.21.1.22.6.0";
constexpr const char* kLinkColumns[] = {"1.3.6.1.2.1.2.2.1.3", "1.3.6.1.2.1.2.2.1.5", "1.3.6.1.2.1.2.2.1.7",
                                        "1.3.6.1.2.1.2.2.1.8", "1.3.6.1.4.1.32473.10.76.21.1.1.13.1.7"};
constexpr const char* kPoEStatusColumn = "1.3.6.1.4.1.32473.10.76.21.1.22.1.1.13";
constexpr const char* kIgnoredArc = "1.3.6.1.4.1.32473.7777.1.";
constexpr int kAliveTimeoutMs = 1000;
constexpr int kFanTimeoutMs = 500;
constexpr int kLedModeTimeoutMs = 5000;
constexpr int kWalkTimeoutMs = 5000;
constexpr DWORD kWalkStartDelayMs = 500;
constexpr int kMaxSkippedCycles = 3;
constexpr double kPowerMaxWatts = 15.4;
// The polling thread ends within this when the device answers; otherwise it ends when its
// request times out.
constexpr DWORD kPollEndWaitMs = 1000;

// The leading decimal number of a text; 0 when there is none.
int ToInt(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 10)); }

}  // namespace

std::string CDerariModuleDlg::FanStatus() {
    std::lock_guard lock(m_stateMutex);
    return m_strFanStatus;
}

void CDerariModuleDlg::StartPolling() {
    m_pPollThread = std::make_unique<CPanelDeviceThread>();
    m_pPollThread->SetOwner(this);
    m_pPollThread->ResumeThread();
}

void CDerariModuleDlg::StopPolling() {
    if (!m_pPollThread) return;
    m_pPollThread->Stop();
    // The thread cannot be killed, and it uses this window: it is waited for. Every request it
    // makes has a time-out, so it ends once the one out now is answered or times out.
    if (m_eventPollEnd.Wait(kPollEndWaitMs) != WAIT_OBJECT_0) {
        OutputDebugStringA("polling thread still in a request: waiting for its time-out");
        m_eventPollEnd.Wait(INFINITE);
    }
    m_pPollThread->Join();
    m_pPollThread.reset();
}

bool CDerariModuleDlg::PollWait(DWORD ms) {
    if (m_pPollThread) return m_pPollThread->WaitOrStop(ms);
    win::Sleep(ms);
    return false;
}

bool CDerariModuleDlg::SplitFirst(std::string& text, const std::string& separator, std::string& head,
                                  std::string& rest) {
    const std::size_t at = text.find(separator);
    if (at == std::string::npos) return false;
    head = text.substr(0, at);
    text.erase(0, at + separator.size());
    rest = text;
    return true;
}

void CDerariModuleDlg::SetPortElementState(int position, int state) {
    // A description may lack ports (or twins) the port count names: those are skipped.
    if (auto* port = static_cast<CPort*>(Root().FindChildByClass("CPort", position))) port->SetPortStatus(state);
}

void CDerariModuleDlg::SetPortState(int port, int state) {
    SetPortElementState(port - 1, state);
    m_PortState[static_cast<std::size_t>(port)] = static_cast<BYTE>(state);
}

void CDerariModuleDlg::ResetPortStateTable() {
    for (int port = 1; port <= kMaxDevicePorts; ++port) m_PortState[static_cast<std::size_t>(port)] = PORT_ENABLE;
}

void CDerariModuleDlg::ResetAllPorts() {
    for (int i = 0; i < m_nDevicePortNum; ++i) {
        m_PortState[static_cast<std::size_t>(i + 1)] = PORT_ENABLE;
        // Drawn at a position of its own: m_nLedX and m_nLedY belong to the painting, which
        // may be between placing an LED and drawing it.
        int x = 0;
        int y = 0;
        if (Root().GetPortLedPosition(i, x, y)) DrawBitmap(kLedOff[Parity(i + 1)], x, y);
        SetPortElementState(i, PORT_DISABLED);
    }
}

void CDerariModuleDlg::CheckDeviceAlive() {
    if (SnmpGet(m_cCommonSNMP, {kAliveOid}, kAliveTimeoutMs).Answered()) {
        m_bDeviceAlive = 1;  // any answer counts
        return;
    }
    m_bDeviceAlive = 0;
    for (const auto& [x, y] : kModeLampPlaces) DrawBitmap(kModeLampOff, x, y);
    ResetAllPorts();
}

void CDerariModuleDlg::GetGetFanStatus() {
    OutputDebugStringA("======GetGetFanStatus======");
    const SnmpAnswer answer = SnmpGet(m_cCommonSNMPFan, {kFanOid}, kFanTimeoutMs);
    if (answer.Answered()) {
        const std::string fan = answer.Text(0) == "1" ? "1" : "2";
        std::lock_guard lock(m_stateMutex);
        m_strFanStatus = fan;
    }
}

int CDerariModuleDlg::Get10PPOEOrLinkStatus() {
    OutputDebugStringA("------------Get10PPOEOrLinkStatus");
    if (m_bWalkBusy != 0 && g_nSkipCount < kMaxSkippedCycles) {
        ++g_nSkipCount;
        return -1;
    }
    g_nSkipCount = 0;
    m_bWalkBusy = 1;
    // An answer with an error status carries no values: mode and lamp keep theirs.
    const SnmpAnswer answer = SnmpGet(m_cCommonSNMPPoe, {kLedModeOid, kPowerOid}, kLedModeTimeoutMs);
    if (answer.Ok()) {
        const bool linkMode = answer.Text(0) == "1";
        if (!linkMode) ResetAllPorts();
        m_nLedMode = linkMode ? 1 : 0;
        const bool powMax = std::strtod(answer.Text(1).c_str(), nullptr) <= kPowerMaxWatts;
        m_BIsPowMax = powMax ? 1 : 0;
        OutputDebugStringA(powMax ? "pThis->m_BIsPowMax = TRUE" : "pThis->m_BIsPowMax = FALSE");
    }
    if (PollWait(kWalkStartDelayMs)) return 0;
    if (m_nLedMode != 0) GetPortLinkStatus();
    else GetPOEPortStatus();
    return 0;
}

unsigned CDerariModuleDlg::BeginStatusWalk(std::initializer_list<std::string*> lists) {
    std::lock_guard lock(m_walkMutex);
    for (std::string* list : lists) list->clear();
    return ++m_nStatusWalk;
}

void CDerariModuleDlg::GetPortLinkStatus() {
    const unsigned walk =
        BeginStatusWalk({&m_strLinkAdmin, &m_strLinkOper, &m_strLinkIndex, &m_strLinkSpeed, &m_strLinkMedia});
    m_cCommonSNMPDevStat.Start(
        SnmpReadSpec::Walk({std::begin(kLinkColumns), std::end(kLinkColumns)}, kWalkTimeoutMs),
        [this, walk](const SnmpRow& row) { return OnLinkStatusRow(walk, row); },
        [this, walk](const SnmpReadResult& end) { OnLinkStatusEnd(walk, end); });
}

void CDerariModuleDlg::GetPOEPortStatus() {
    OutputDebugStringA("--1----GetPOEPortStatus---------");
    const unsigned walk = BeginStatusWalk({&m_strPoEIndex, &m_strPoEStatus});
    m_cCommonSNMPPoeStat.Start(
        SnmpReadSpec::Walk({kPoEStatusColumn}, kWalkTimeoutMs),
        [this, walk](const SnmpRow& row) { return OnPoEStatusRow(walk, row); },
        [this, walk](const SnmpReadResult& end) { OnPoEStatusEnd(walk, end); });
}

// The walks are started by the polling thread; their rows and ends come on the user-interface
// thread. A walk's rows go into the lists only while they are its own.
bool CDerariModuleDlg::OnLinkStatusRow(unsigned walk, const SnmpRow& row) {
    std::array<std::string, 5> cells;  // index, speed, admin, oper, medium
    for (std::size_t i = 0; i < std::min(row.Size(), cells.size()); ++i) {
        if (row.vars[i].oid.find(kIgnoredArc) != std::string::npos) continue;
        cells[i] = i == 0 ? row.IndexDigits() : row.Text(i);
    }
    if (ToInt(cells[0]) >= m_nDevicePortNum + 1) return false;  // past the ports
    std::lock_guard lock(m_walkMutex);
    if (walk == m_nStatusWalk) {
        m_strLinkAdmin += cells[2] + ",";
        m_strLinkOper += cells[3] + ",";
        m_strLinkIndex += cells[0] + ",";
        m_strLinkSpeed += cells[1] + ",";
        m_strLinkMedia += cells[4] + ",";
    }
    return true;
}

void CDerariModuleDlg::OnLinkStatusEnd(unsigned walk, const SnmpReadResult& end) {
    const int status = end.SessionStatus();
    if (status != 0) {
        ResetPortStateTable();
        if (end.TimedOut()) {
            OutputDebugStringA("-----------------TIMEOUT-------------------TIMEOUT");
            ResetPanelElements();
            Invalidate();
        }
    }
    if (status == 0 || status == EC_END_OF_TABLE) {  // past the ports, or the end of the table
        std::unique_lock lock(m_walkMutex);
        if (walk != m_nStatusWalk) return;
        std::string admin = m_strLinkAdmin, oper = m_strLinkOper, index = m_strLinkIndex, speed = m_strLinkSpeed,
                    media = m_strLinkMedia;
        lock.unlock();
        RefreshPortLinkStatus(admin, oper, index, speed, media);
        Invalidate();
    }
    m_bWalkBusy = 0;
}

bool CDerariModuleDlg::OnPoEStatusRow(unsigned walk, const SnmpRow& row) {
    // The suffix is "." + a one-digit group + "." + the port number.
    const std::string& suffix = row.Index();
    const std::string index = suffix.size() > 3 ? suffix.substr(3) : std::string();
    const std::string& value = row.Text(0);
    OutputDebugStringA("----------POE--------");
    OutputDebugStringA(value.c_str());
    if (ToInt(index) >= m_nDevicePortNum + 1) return false;
    std::lock_guard lock(m_walkMutex);
    if (walk == m_nStatusWalk) {
        m_strPoEIndex += index + ",";
        m_strPoEStatus += value + ",";
    }
    return true;
}

void CDerariModuleDlg::OnPoEStatusEnd(unsigned walk, const SnmpReadResult& end) {
    const int status = end.SessionStatus();
    if (status != 0) ResetPortStateTable();  // a time-out leaves the elements as they are
    if (status == 0 || status == EC_END_OF_TABLE) {
        std::unique_lock lock(m_walkMutex);
        if (walk != m_nStatusWalk) return;
        std::string index = m_strPoEIndex, value = m_strPoEStatus;
        lock.unlock();
        RefreshPOEPortStatus(index, value);
        Invalidate();
    }
    m_bWalkBusy = 0;
}

void CDerariModuleDlg::RefreshPortLinkStatus(std::string admin, std::string oper, std::string index, std::string speed,
                                             std::string media) {
    // Ports above the threshold are the gigabit ones.
    const int threshold = m_nDevicePortNum == 10 ? m_nDevicePortNum - 2 : m_nDevicePortNum - 4;
    while (!index.empty()) {
        std::string a, o, i, s, m, rest;
        if (!SplitFirst(index, ",", i, rest)) break;
        SplitFirst(admin, ",", a, rest);
        SplitFirst(oper, ",", o, rest);
        SplitFirst(speed, ",", s, rest);
        SplitFirst(media, ",", m, rest);
        const int port = ToInt(i);
        int state = PORT_ENABLE;
        if (a != "1") {
            state = PORT_DISABLED;
        } else if (o == "1") {
            const char* full = g_bIsAllGiga || port > threshold ? "1000000000" : "100000000";
            state = s == full ? PORT_LINK10 : PORT_LINK100;
        }
        if (port < 1 || port > m_nDevicePortNum) continue;
        SetPortState(port, state);
        m_pPortMedia[static_cast<std::size_t>(port - 1)] = ToInt(m);
    }
    StartBlinkTimer();
    ++m_nRefreshCount;
}

void CDerariModuleDlg::RefreshPOEPortStatus(std::string index, std::string status) {
    OutputDebugStringA("==2.=====RefreshPOEPortStatus============");
    OutputDebugStringA(index.c_str());
    OutputDebugStringA(status.c_str());
    ResetPortStateTable();
    while (!index.empty()) {
        std::string i, s, rest;
        if (!SplitFirst(index, ",", i, rest)) break;
        SplitFirst(status, ",", s, rest);
        const int code = s == "POWER ON" ? 1 : (s == "POWER OFF" || s == "Time-based OFF") ? 2 : 0;
        const int port = ToInt(i);
        if (port < 1 || port > m_nDevicePortNum) continue;
        if (port == 1) {
            // The ports without PoE and the combo twins show off.
            for (int position = g_nPoEPortNum; position < m_nDevicePortNum + m_nComboPortNum; ++position)
                SetPortElementState(position, PORT_DISABLED);
        }
        SetPortState(port, code);
        m_pPortMedia[static_cast<std::size_t>(port - 1)] = 2;
    }
    StartBlinkTimer();
    ++m_nRefreshCount;
}
