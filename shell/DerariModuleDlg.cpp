// The main window and its commands: start-up from the device profile, the menu and the command
// table, activation by a second start, the mouse on the panel, and closing. The panel painting,
// the Tools commands and the status polling are in DerariModuleDlgPanel.cpp,
// DerariModuleDlgTools.cpp and DerariModuleDlgPolling.cpp.
#include "shell/DerariModuleDlg.h"

#include "core/ModuleStartupParams.h"
#include "core/controls/CommandTable.h"
#include "platform/ui/App.h"
#include "platform/ui/Menu.h"
#include "platform/win/DebugOutput.h"
#include "resources/menus/CommandIds.h"
#include "shell/AboutDlg.h"
#include "shell/PanelBitmaps.h"
#include "shell/panel/MyBitmapApp.h"

UINT ModuleActivateMessage = 0;

namespace {

constexpr UINT kMainDialogTemplate = 102;
constexpr UINT kProgramIcon = 447;
constexpr const char* kAboutMenuText = "&About DUZ-3300-28ZA1 Module...";  // string resource 101

// The commands this window runs itself; the feature areas register their dialogs'.
const CommandRegistrar kMainWindowCommands({
    MAIN_WINDOW_COMMAND(ID_SAVE_CONFIGURATION),
    MAIN_WINDOW_COMMAND(ID_REBOOT),
    MAIN_WINDOW_COMMAND(ID_TELNET),
    MAIN_WINDOW_COMMAND(ID_WEB),
    MAIN_WINDOW_COMMAND(ID_APP_ABOUT),
});

}  // namespace

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
    for (const UINT id : panel_bitmaps::kStoreBitmaps) g_pBitmapApp->AddBitmap(m_pDC, id);
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
    if (command == nullptr || command->make == nullptr) return;
    if (command->run != CommandRun::Wrapped && command->run != CommandRun::Beside) return;
    const std::unique_ptr<CDialog> dialog = command->make();
    if (command->run == CommandRun::Beside) dialog->DoModal();
    else RunWrapped(*dialog);
}

void CDerariModuleDlg::OnAbout() { RunWrapped<CAboutDlg>(); }

void CDerariModuleDlg::DisableUnbuiltCommands() {
    CMenu* menu = GetMenu();
    if (menu == nullptr) return;
    for (UINT id = ID_FIRST_MENU_COMMAND; id <= ID_LAST_MENU_COMMAND; ++id) {
        if (CommandTable::FindCommand(id) == nullptr) menu->EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
    }
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
