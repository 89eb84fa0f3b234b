#include "shell/DerariModuleDlg.h"

#include <cstdio>
#include <cstdlib>

#include "core/ModuleStartupParams.h"
#include "core/Utils.h"
#include "core/controls/CommandTable.h"
#include "features/management/ResetDevice.h"
#include "platform/ui/App.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Prompt.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"
#include "platform/win/ProcessStart.h"
#include "resources/menus/CommandIds.h"
#include "shell/AboutDlg.h"
#include "shell/panel/MyBitmapApp.h"

UINT ModuleActivateMessage = 0;
BYTE g_nBlinkPhase = 0;

namespace {

constexpr UINT kMainDialogTemplate = 102;
constexpr UINT kProgramIcon = 447;
constexpr const char* kAboutMenuText = "&About DUZ-3300-28ZA1 Module...";  // string resource 101
constexpr const char* kSaveConfigOid = "1.3.6.1.4.1.32473.10.76.21.1.1.10.0";
constexpr int kSaveTimeoutMs = 4000;

// Loaded into the bitmap store in this order.
constexpr UINT kStoreBitmaps[] = {160, 159, 161, 162, 158, 32883, 163, 164, 190, 191, 192, 221, 32878, 32879};

// Port LED bitmaps by look, for odd and even port numbers.
constexpr UINT kLedOff[2] = {160, 159};
constexpr UINT kLedGreen[2] = {162, 161};
constexpr UINT kLedAmber[2] = {164, 163};
constexpr UINT kPowerLamp = 158, kPowerLampC1 = 32883, kRedLamp = 190, kModeLampOn = 191, kModeLampOff = 192;

constexpr UINT kConfirm = MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2;

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
// The mode lamps drawn off while the device does not answer.
constexpr std::pair<int, int> kModeLampPlaces[] = {{20, 59}, {20, 45}, {43, 46}, {43, 59}};

// The leading decimal number of a text; 0 when there is none.
int ToInt(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 10)); }

// The commands this window runs itself; the feature areas register their dialogs'.
const CommandRegistrar kMainWindowCommands({
    MAIN_WINDOW_COMMAND(ID_SAVE_CONFIGURATION),
    MAIN_WINDOW_COMMAND(ID_REBOOT),
    MAIN_WINDOW_COMMAND(ID_TELNET),
    MAIN_WINDOW_COMMAND(ID_WEB),
    MAIN_WINDOW_COMMAND(ID_APP_ABOUT),
});

std::function<void(CDerariModuleDlg&)>& FirstPanelHook() {
    static std::function<void(CDerariModuleDlg&)> hook;
    return hook;
}

}  // namespace

std::atomic<int> g_nSkipCount{0};

bool IsPoEModel(const std::string& name) { return name.find_first_of("Pp") != std::string::npos; }

BEGIN_MESSAGE_MAP(CDerariModuleDlg, CBitmapDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_QUERYDRAGICON()
    ON_WM_CLOSE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_COMMAND(ID_SAVE_CONFIGURATION, OnSaveConfiguration)
    ON_COMMAND(ID_REBOOT, OnReboot)
    ON_COMMAND(ID_TELNET, OnTelnet)
    ON_COMMAND(ID_WEB, OnWeb)
    ON_COMMAND(ID_APP_ABOUT, OnAbout)
    ON_COMMAND_RANGE(ID_FIRST_MENU_COMMAND, ID_LAST_MENU_COMMAND, OnTableCommand)
    ON_MESSAGE(WM_DRAW_PORT_LED, OnDrawPortLed)
    ON_WM_TIMER()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CDerariModuleDlg::CDerariModuleDlg(CWnd* parent, std::string iniPath)
    : CBitmapDialog(kMainDialogTemplate, parent), m_strIniPath(std::move(iniPath)) {
    m_hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(kProgramIcon) : nullptr;
    delete g_pBitmapApp;
    g_pBitmapApp = new CMyBitmapApp;
}

CDerariModuleDlg::~CDerariModuleDlg() {
    StopPolling();  // the thread uses the port tables and the bitmap store
    m_pPortMedia.reset();
    delete g_pBitmapApp;
    g_pBitmapApp = nullptr;
}

BOOL CDerariModuleDlg::OnInitDialog() {
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CBitmapDialog::OnInitDialog();

    if (CMenu* systemMenu = GetSystemMenu(FALSE)) {
        systemMenu->AppendMenu(MF_SEPARATOR);
        systemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, kAboutMenuText);
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    DisableUnbuiltCommands();
    m_nLedMode = 1;
    m_BIsPowMax = 0;
    {
        std::lock_guard lock(m_stateMutex);
        m_strFanStatus = "1";
    }

    std::string xmlName;
    if (!ReadDeviceProfile(m_strIniPath, xmlName, m_nComboPortNum)) {
        m_strDeviceName = g_strDeviceName;
        return TRUE;  // the bare window: no panel, title, menu pruning or polling
    }
    m_strDeviceName = g_strDeviceName;
    m_nDevicePortNum = g_nDevicePortNum;

    m_pPortMedia = std::make_unique<std::atomic<int>[]>(static_cast<std::size_t>(m_nDevicePortNum));
    LoadPanel(xmlName);
    // A port click runs the port settings without hiding this window or pausing the polling.
    CPort::SetSettingsDialogRunner([] {
        if (const DialogCommand* portSettings = CommandTable::FindCommand(ID_PORT_CONFIGURATION))
            portSettings->make()->DoModal();
    });
    m_pDC = GetDC();
    for (const UINT id : kStoreBitmaps) g_pBitmapApp->AddBitmap(m_pDC, id);
    SetWindowText(g_strDeviceName + ": " + ModuleStartupParams::DeviceIP);
    if (CMenu* menu = GetMenu(); menu != nullptr && menu->GetSubMenu(3) != nullptr)
        menu->GetSubMenu(3)->ModifyMenu(0, MF_BYPOSITION | MF_STRING, ID_APP_ABOUT, "About " + g_strDeviceName);
    ResetPortStateTable();
    m_bPanelReady = true;
    StartPolling();
    PruneMenu();
    return TRUE;
}

void CDerariModuleDlg::PruneMenu() {
    CMenu* menu = GetMenu();
    CMenu* deviceManager = menu ? menu->GetSubMenu(0) : nullptr;
    if (deviceManager == nullptr) return;
    if (g_strDeviceName.find("VAD") != std::string::npos) deviceManager->DeleteMenu(ID_JUMBO_FRAME, MF_BYCOMMAND);
    if (!IsPoEModel(g_strDeviceName)) {
        deviceManager->DeleteMenu(ID_POE_PORT, MF_BYCOMMAND);
        deviceManager->DeleteMenu(ID_POE_GLOBAL, MF_BYCOMMAND);
        deviceManager->DeleteMenu(8, MF_BYPOSITION);  // the "PoE" popup
    }
    DrawMenuBar();
}

LRESULT CDerariModuleDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (ModuleActivateMessage != 0 && message == ModuleActivateMessage) {
        // A second start for this device: come to the front.
        ShowWindow(SW_SHOWNORMAL);
        SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetWindowPos(&wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow();
    }
    return CBitmapDialog::DefWindowProc(message, wParam, lParam);
}

void CDerariModuleDlg::OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    CBitmapDialog::OnSysCommand(id, lParam);
}

void CDerariModuleDlg::RunWrapped(CDialog& dialog) {
    ShowWindow(SW_HIDE);
    m_bPause = 1;
    ShowWindow(SW_MINIMIZE);
    dialog.DoModal();
    m_bPause = 0;
    ShowWindow(SW_SHOWNORMAL);
}

void CDerariModuleDlg::OnTableCommand(UINT id) {
    const DialogCommand* command = CommandTable::FindCommand(id);
    if (command == nullptr || command->run != CommandRun::Wrapped || command->make == nullptr) return;
    const std::unique_ptr<CDialog> dialog = command->make();
    RunWrapped(*dialog);
}

void CDerariModuleDlg::OnAbout() { RunWrapped<CAboutDlg>(); }

void CDerariModuleDlg::DisableUnbuiltCommands() {
    CMenu* menu = GetMenu();
    if (menu == nullptr) return;
    for (UINT id = ID_FIRST_MENU_COMMAND; id <= ID_LAST_MENU_COMMAND; ++id) {
        if (CommandTable::FindCommand(id) == nullptr) menu->EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
    }
}

void CDerariModuleDlg::OnSaveConfiguration() {
    if (AfxMessageBox("Do you want to save the configuration?", kConfirm) != IDOK) return;
    // An answer that carries an error status is a refusal, not a save.
    const bool saved = SnmpSet(m_cCommonSNMPset, {SnmpSetVar::Integer(kSaveConfigOid, 1)}, kSaveTimeoutMs).Ok();
    AfxMessageBox(saved ? "           Success!           " : "           Failed!            ");
}

void CDerariModuleDlg::OnReboot() {
    if (AfxMessageBox("Do you want to reboot the device?", kConfirm) != IDOK) return;
    CResetDevice reset;
    if (reset.CanReboot() == 1)
        reset.RebootDevice();
    else
        AfxMessageBox("FW upgrade/backup or config backup/restore is already progressing. ");
}

void CDerariModuleDlg::OnTelnet() {
    if (const int error = win::StartTelnet(ModuleStartupParams::DeviceIP); error != 0) {
        std::printf("error code:%d \n", error);
        std::fflush(stdout);
    }
}

void CDerariModuleDlg::OnWeb() {
    if (AfxMessageBox("Do you want to access this device with browser?", kConfirm) != IDOK) return;
    const std::string browser = CUtils::GetDefaultBrowserPath();
    if (browser.empty()) {
        AfxMessageBox("Failed to get IE path !");
        return;
    }
    std::vector<std::string> argv{browser};
    if (!ModuleStartupParams::DeviceIP.empty()) argv.push_back(ModuleStartupParams::DeviceIP);
    win::StartProgram(argv);  // a failed start shows nothing
}

void CDerariModuleDlg::OnLButtonDown(UINT flags, CPoint point) {
    int x = point.x;
    int y = point.y;
    Root().OnLButtonDown(x, y);
    CBitmapDialog::OnLButtonDown(flags, point);
}

void CDerariModuleDlg::OnLButtonUp(UINT flags, CPoint point) { CBitmapDialog::OnLButtonUp(flags, point); }

void CDerariModuleDlg::OnMouseMove(UINT flags, CPoint point) {
    int x = point.x;
    int y = point.y;
    Root().OnMouseMove(x, y);
    CBitmapDialog::OnMouseMove(flags, point);
}

void CDerariModuleDlg::OnClose() {
    StopPolling();
    CBitmapDialog::OnClose();
}

BOOL CDerariModuleDlg::DestroyWindow() {
    StopPolling();  // before the sessions it uses are closed
    OutputDebugStringA("==================DestroyWindow===============");
    const std::pair<std::function<void()>, const char*> sessions[] = {
        {[this] { m_cCommonSNMP.Close(); }, "m_cCommonSNMP"},
        {[this] { m_cCommonSNMPset.Close(); }, "m_cCommonSNMPset"},
        {[this] { m_cCommonSNMPFan.Close(); }, "m_cCommonSNMPFan"},
        {[this] { m_cCommonSNMPPoe.Close(); }, "m_cCommonSNMPPoe"},
        {[this] { m_cCommonSNMPDevStat.Close(); }, "m_cCommonSNMPDevStat"},
        {[this] { m_cCommonSNMPPoeStat.Close(); }, "m_cCommonSNMPPoeStat"},
    };
    for (const auto& [close, name] : sessions) {
        close();
        OutputDebugStringA(("==================" + std::string(name) + ".Close===============").c_str());
    }
    return CBitmapDialog::DestroyWindow();
}

// ---- painting ---------------------------------------------------------------------------

void CDerariModuleDlg::OnPaint() {
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        CRect client;
        GetClientRect(&client);
        const int x = (client.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
    } else {
        CPaintDC dc(this);  // validates the update region
    }
    // Without a profile there is no panel, no store context and no port table to draw from.
    if (!m_bPanelReady || m_pDC == nullptr || g_pBitmapApp == nullptr) return;
    DrawModelLamps();
    DrawPortLeds();
}

void CDerariModuleDlg::DrawBitmap(UINT id, int x, int y) { g_pBitmapApp->DrawBitmap(m_pDC, id, x, y, 0, 0); }

void CDerariModuleDlg::DrawModelLamps() {
    const std::string& model = g_strDeviceName;
    std::string fan;
    {
        std::lock_guard lock(m_stateMutex);
        fan = m_strFanStatus;
    }
    const bool fanFault = fan == "2";
    const bool powMax = m_BIsPowMax != 0;
    const bool linkMode = m_nLedMode != 0;
    if (model == "DUZ-3300-20" || model == "DUZ-3300-28") {
        DrawBitmap(kPowerLamp, 13, 30);
    } else if (model == "DUZ-3300-52") {
        DrawBitmap(kPowerLamp, 13, 31);
        if (fanFault) DrawBitmap(kRedLamp, 38, 33);
    } else if (model == "DUZ-3300-28P") {
        DrawBitmap(kPowerLamp, 11, 28);
        if (powMax) DrawBitmap(kRedLamp, 12, 42);
        if (fanFault) DrawBitmap(kRedLamp, 13, 62);
        DrawBitmap(linkMode ? kModeLampOn : kModeLampOff, 30, 52);
        DrawBitmap(linkMode ? kModeLampOff : kModeLampOn, 30, 62);
    } else if (model == "DUZ-3300-28P C1") {
        DrawBitmap(kPowerLampC1, 19, 25);
        if (m_bDeviceAlive == 1) {
            if (powMax) DrawBitmap(kRedLamp, 20, 59);
            if (fanFault) DrawBitmap(kRedLamp, 20, 45);
            if (linkMode) {
                DrawBitmap(kModeLampOn, 43, 46);
                DrawBitmap(kModeLampOff, 43, 59);
            } else {
                DrawBitmap(kModeLampOn, 42, 59);
                DrawBitmap(kModeLampOff, 42, 46);
            }
        } else {
            for (const auto& [x, y] : {std::pair{20, 59}, {20, 45}, {43, 46}, {43, 59}}) DrawBitmap(kModeLampOff, x, y);
        }
    }
}

void CDerariModuleDlg::DrawPortLeds() {
    const bool linkMode = m_nLedMode != 0;
    for (int port = 1; port <= m_nDevicePortNum; ++port) {
        const std::size_t parity = port % 2 == 1 ? 0 : 1;
        int x = 0;
        int y = 0;
        // A port the description lacks, or one without an LED child, is drawn at the
        // position the previous port left.
        if (Root().GetPortLedPosition(port - 1, x, y)) {
            m_nLedX = x;
            m_nLedY = y;
        }
        if (linkMode && m_nLedX != 0) DrawBitmap(kLedOff[parity], m_nLedX, m_nLedY);
        const int media = m_pPortMedia[static_cast<std::size_t>(port - 1)];
        if (media == 3 || media == 4) {
            if (Root().GetPortLedPosition(port - 1 + m_nComboPortNum, x, y)) {
                m_nLedX = x;
                m_nLedY = y;
            }
            DrawBitmap(kLedOff[parity], m_nLedX, m_nLedY);
        }
        switch (m_PortState[static_cast<std::size_t>(port)]) {
        case 2: DrawBitmap(kLedOff[parity], m_nLedX, m_nLedY); break;
        case 1:
            if (g_nBlinkPhase == 0) SendMessage(WM_DRAW_PORT_LED, 0, static_cast<LPARAM>(kLedGreen[parity]));
            break;
        case 0:
            if (g_nBlinkPhase == 1) SendMessage(WM_DRAW_PORT_LED, 0, static_cast<LPARAM>(kLedAmber[parity]));
            break;
        default: break;
        }
    }
}

LRESULT CDerariModuleDlg::OnDrawPortLed(WPARAM, LPARAM lParam) {
    if (m_pDC != nullptr && g_pBitmapApp != nullptr) DrawBitmap(static_cast<UINT>(lParam), m_nLedX, m_nLedY);
    return 0;
}

void CDerariModuleDlg::OnTimer(UINT_PTR id) {
    if (id == IDT_PORT_BLINK) {
        const BYTE phase = g_nBlinkPhase;
        SendMessage(WM_PAINT);
        g_nBlinkPhase = phase == 0 ? 1 : 0;
        // The first refresh is on the panel once its linked LEDs were drawn (phase 0).
        if (!m_bFirstPanelShown && phase == 0 && m_nRefreshCount > 0) {
            m_bFirstPanelShown = true;
            if (FirstPanelHook()) FirstPanelHook()(*this);
        }
    }
    CBitmapDialog::OnTimer(id);
}

void CDerariModuleDlg::SetFirstPanelHook(std::function<void(CDerariModuleDlg&)> hook) {
    FirstPanelHook() = std::move(hook);
}

std::string CDerariModuleDlg::FanStatus() {
    std::lock_guard lock(m_stateMutex);
    return m_strFanStatus;
}

// ---- status polling ---------------------------------------------------------------------

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

void CDerariModuleDlg::StartBlinkTimer() { SetTimer(IDT_PORT_BLINK, kBlinkPeriodMs); }

void CDerariModuleDlg::ResetAllPorts() {
    for (int i = 0; i < m_nDevicePortNum; ++i) {
        m_PortState[static_cast<std::size_t>(i + 1)] = PORT_ENABLE;
        // Drawn at a position of its own: m_nLedX and m_nLedY belong to the painting, which
        // may be between placing an LED and drawing it.
        int x = 0;
        int y = 0;
        if (Root().GetPortLedPosition(i, x, y)) DrawBitmap(kLedOff[(i + 1) % 2 == 1 ? 0 : 1], x, y);
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
    m_cCommonSNMPDevStat.Start(SnmpReadSpec::Walk({std::begin(kLinkColumns), std::end(kLinkColumns)}, kWalkTimeoutMs),
                               [this, walk](const SnmpRow& row) { return OnLinkStatusRow(walk, row); },
                               [this, walk](const SnmpReadResult& end) { OnLinkStatusEnd(walk, end); });
}

void CDerariModuleDlg::GetPOEPortStatus() {
    OutputDebugStringA("--1----GetPOEPortStatus---------");
    const unsigned walk = BeginStatusWalk({&m_strPoEIndex, &m_strPoEStatus});
    m_cCommonSNMPPoeStat.Start(SnmpReadSpec::Walk({kPoEStatusColumn}, kWalkTimeoutMs),
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
