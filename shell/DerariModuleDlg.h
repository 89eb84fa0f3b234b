#pragma once
// The main window: reads the device profile, shows the front panel, carries the menu from
// which every feature dialog is opened, and runs the Tools commands.
//
// Threads: the window lives on the user-interface thread. The state the polling thread writes
// and the painting reads (pause flag, LED mode, lamps, port states and media) is atomic; the
// fan text is guarded by m_stateMutex, the walk lists by m_walkMutex (the polling thread
// empties them when it starts a walk; the walks' rows fill them on the user-interface thread).
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "core/CommonSNMP.h"
#include "core/DeviceProfile.h"
#include "core/SnmpRead.h"
#include "platform/ui/Gdi.h"
#include "shell/BitmapDialog.h"
#include "shell/PanelDeviceThread.h"

// The message the dialog sends itself to draw one LED bitmap (lParam: the bitmap id) at the
// current LED position.
constexpr UINT WM_DRAW_PORT_LED = 0x806;
// The system menu's About item.
constexpr UINT IDM_ABOUTBOX = 0x0010;
// The panel timer: each tick paints the LEDs in the current blink phase, then toggles it.
constexpr UINT_PTR IDT_PORT_BLINK = 2052;
constexpr UINT kBlinkPeriodMs = 200;

// Registered at start-up from the instance name; a second start for the same device
// broadcasts it.
extern UINT ModuleActivateMessage;
// Toggled by each tick of the panel timer: green LEDs show in phase 0, amber ones in phase 1.
extern BYTE g_nBlinkPhase;
// Cycles skipped in a row because a status walk was still out.
extern std::atomic<int> g_nSkipCount;

// A PoE model: its name holds "P" or "p".
bool IsPoEModel(const std::string& name);

class CDerariModuleDlg : public CBitmapDialog {
public:
    // iniPath: the device profile, User.ini beside the executable unless given.
    explicit CDerariModuleDlg(CWnd* parent = nullptr, std::string iniPath = UserIniPath());
    ~CDerariModuleDlg() override;

    BOOL DestroyWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The lists collected by the status walks.
    std::string m_strLinkAdmin, m_strLinkOper, m_strLinkIndex, m_strLinkSpeed, m_strLinkMedia;
    std::string m_strPoEStatus, m_strPoEIndex;
    std::string m_strDeviceName;
    std::atomic<BYTE> m_bPause{0};  // 1 while a feature dialog runs from the menu
    HICON m_hIcon = nullptr;
    CDC* m_pDC = nullptr;  // the window's own context, kept for the window's life
    int m_nDevicePortNum = 0;
    int m_nComboPortNum = 0;
    std::unique_ptr<std::atomic<int>[]> m_pPortMedia;  // m_nDevicePortNum entries
    std::atomic<int> m_nLedX{0}, m_nLedY{0};
    std::atomic<int> m_nLedMode{1};    // 1: port LEDs show link and speed; 0: PoE
    std::atomic<int> m_BIsPowMax{0};   // the power-maximum lamp is lit
    std::string m_strFanStatus = "1";  // "1" fan working, "2" fan fault (m_stateMutex)
    std::atomic<BYTE> m_bDeviceAlive{0};
    std::array<std::atomic<BYTE>, kMaxDevicePorts + 1> m_PortState{};  // by port number 1..100
    CCommonSNMP m_cCommonSNMP;                                         // reachability poll
    CCommonSNMP m_cCommonSNMPset;                                      // save configuration
    CCommonSNMP m_cCommonSNMPFan;                                      // fan poll
    CCommonSNMP m_cCommonSNMPPoe;                                      // LED mode and power poll
    CSnmpRead m_cCommonSNMPDevStat;                                    // link walk
    CSnmpRead m_cCommonSNMPPoeStat;                                    // PoE walk
    std::atomic<BYTE> m_bWalkBusy{0};
    std::mutex m_stateMutex;
    std::mutex m_walkMutex;
    unsigned m_nStatusWalk = 0;  // the walk the lists belong to (m_walkMutex)
    std::unique_ptr<CPanelDeviceThread> m_pPollThread;
    // Status refreshes applied so far (link or PoE walk results).
    std::atomic<int> m_nRefreshCount{0};

    // ---- polling (the polling thread and the walk workers) ----
    void CheckDeviceAlive();
    void GetGetFanStatus();
    // -1 when the cycle was skipped because a walk is still out, else 0.
    int Get10PPOEOrLinkStatus();
    void GetPortLinkStatus();
    void GetPOEPortStatus();
    // The walks' per-row steps and ends, on the user-interface thread. A row handler gives
    // false past the device's ports (the walk stops there); walk is the walk it belongs to.
    bool OnLinkStatusRow(unsigned walk, const SnmpRow& row);
    void OnLinkStatusEnd(unsigned walk, const SnmpReadResult& end);
    bool OnPoEStatusRow(unsigned walk, const SnmpRow& row);
    void OnPoEStatusEnd(unsigned walk, const SnmpReadResult& end);
    // Empties the lists for a new walk and gives its number.
    unsigned BeginStatusWalk(std::initializer_list<std::string*> lists);
    void RefreshPortLinkStatus(std::string admin, std::string oper, std::string index, std::string speed,
                               std::string media);
    void RefreshPOEPortStatus(std::string index, std::string status);
    void ResetAllPorts();
    static bool SplitFirst(std::string& text, const std::string& separator, std::string& head, std::string& rest);
    // Set by the polling thread when its loop ends.
    void SignalPollEnd() { m_eventPollEnd.Set(); }
    // The fan text ("1" working, "2" fault).
    std::string FanStatus();

    // Called once on the user-interface thread when the first status refresh has been drawn
    // (the offscreen snapshot of the program uses it).
    static void SetFirstPanelHook(std::function<void(CDerariModuleDlg&)> hook);

    // True once the profile was read and the panel loaded (false after "Read User.ini Error !").
    bool IsPanelReady() const { return m_bPanelReady; }

    // The command wrapper: hides and minimises the main window and pauses polling while the
    // dialog runs modally.
    void RunWrapped(CDialog& dialog);
    template <class Dialog>
    void RunWrapped() {
        Dialog dialog;
        RunWrapped(dialog);
    }

protected:
    BOOL OnInitDialog() override;
    void OnSysCommand(UINT id, LPARAM lParam) override;
    HCURSOR OnQueryDragIcon() override { return m_hIcon; }
    void OnClose() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnPaint() override;
    LRESULT OnDrawPortLed(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR id) override;

    // A menu command of the command table (core/controls/CommandTable.h): its dialog, run
    // through the wrapper.
    void OnTableCommand(UINT id);
    void OnSaveConfiguration();
    void OnReboot();
    void OnTelnet();
    void OnWeb();
    void OnAbout();

    DECLARE_MESSAGE_MAP()

private:
    // Grays the menu commands that neither the command table nor this window runs.
    void DisableUnbuiltCommands();
    void PruneMenu();
    void DrawModelLamps();
    void DrawPortLeds();
    void DrawBitmap(UINT id, int x, int y);
    // Starts the polling thread; stops and joins it (on close, idempotent).
    void StartPolling();
    void StopPolling();
    // Waits up to ms of the program's clock, ending early when polling is being stopped;
    // true when it was.
    bool PollWait(DWORD ms);
    // Sets one port's state: the panel element (when the description has it) and the table.
    void SetPortState(int port, int state);
    void SetPortElementState(int position, int state);
    void ResetPortStateTable();
    // Starts the panel timer (a running one restarts).
    void StartBlinkTimer();

    std::string m_strIniPath;
    bool m_bPanelReady = false;
    bool m_bFirstPanelShown = false;  // user-interface thread only
};
