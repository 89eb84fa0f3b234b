#include "shell/DerariModuleDlg.h"

#include <cstdio>

#include "core/Utils.h"
#include "features/ports/JumboFrameconfigdlg.h"
#include "features/ports/PortDescription.h"
#include "features/ports/PortSetInfo.h"
#include "features/management/ResetDevice.h"
#include "platform/ui/App.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Prompt.h"
#include "platform/win/DebugOutput.h"
#include "platform/win/ProcessStart.h"
#include "shell/AboutDlg.h"
#include "shell/ModuleStartupParams.h"
#include "shell/panel/MyBitmapApp.h"
#include "views/IPAddrTable.h"
#include "views/IntfList.h"
#include "views/SnmpDevIden.h"
#include "views/SwitchDatabase.h"
#include "views/TcpPortInfo.h"
#include "views/UdpPortInfo.h"

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

bool IsPoEModel(const std::string& name) { return name.find_first_of("Pp") != std::string::npos; }

}  // namespace

BEGIN_MESSAGE_MAP(CDerariModuleDlg, CBitmapDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_QUERYDRAGICON()
    ON_WM_CLOSE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_COMMAND(32774, OnPortConfiguration)
    ON_COMMAND(32871, OnPortDescription)
    ON_COMMAND(32817, OnJumboFrame)
    ON_COMMAND(32805, OnSystemInformation)
    ON_COMMAND(32809, OnInterfaceTable)
    ON_COMMAND(32808, OnIpTable)
    ON_COMMAND(32810, OnForwardingTable)
    ON_COMMAND(32811, OnTcpService)
    ON_COMMAND(32812, OnUdpService)
    ON_COMMAND(32815, OnSaveConfiguration)
    ON_COMMAND(32797, OnReboot)
    ON_COMMAND(32788, OnTelnet)
    ON_COMMAND(32789, OnWeb)
    ON_COMMAND(57664, OnAbout)
    ON_MESSAGE(WM_DRAW_PORT_LED, OnDrawPortLed)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CDerariModuleDlg::CDerariModuleDlg(CWnd* parent, std::string iniPath)
    : CBitmapDialog(kMainDialogTemplate, parent), m_strIniPath(std::move(iniPath)) {
    m_hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(kProgramIcon) : nullptr;
    delete g_pBitmapApp;
    g_pBitmapApp = new CMyBitmapApp;
}

CDerariModuleDlg::~CDerariModuleDlg() {
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
        CPortSetInfo dlg;
        dlg.DoModal();
    });
    m_pDC = GetDC();
    for (const UINT id : kStoreBitmaps) g_pBitmapApp->AddBitmap(m_pDC, id);
    SetWindowText(g_strDeviceName + ": " + ModuleStartupParams::DeviceIP);
    if (CMenu* menu = GetMenu(); menu != nullptr && menu->GetSubMenu(3) != nullptr)
        menu->GetSubMenu(3)->ModifyMenu(0, MF_BYPOSITION | MF_STRING, 57664, "About " + g_strDeviceName);
    for (int port = 1; port <= kMaxDevicePorts; ++port) m_PortState[static_cast<std::size_t>(port)] = 3;
    m_bPanelReady = true;
    StartPolling();
    PruneMenu();
    return TRUE;
}

void CDerariModuleDlg::PruneMenu() {
    CMenu* menu = GetMenu();
    CMenu* deviceManager = menu ? menu->GetSubMenu(0) : nullptr;
    if (deviceManager == nullptr) return;
    if (g_strDeviceName.find("VAD") != std::string::npos) deviceManager->DeleteMenu(32817, MF_BYCOMMAND);
    if (!IsPoEModel(g_strDeviceName)) {
        deviceManager->DeleteMenu(32852, MF_BYCOMMAND);
        deviceManager->DeleteMenu(32860, MF_BYCOMMAND);
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

void CDerariModuleDlg::OnPortConfiguration() { RunWrapped<CPortSetInfo>(); }
void CDerariModuleDlg::OnPortDescription() { RunWrapped<CPortDescription>(); }
void CDerariModuleDlg::OnJumboFrame() { RunWrapped<CJumboFrameconfigdlg>(); }
void CDerariModuleDlg::OnSystemInformation() { RunWrapped<CSnmpDevIden>(); }
void CDerariModuleDlg::OnInterfaceTable() { RunWrapped<CIntfList>(); }
void CDerariModuleDlg::OnIpTable() { RunWrapped<CIPAddrTable>(); }
void CDerariModuleDlg::OnForwardingTable() { RunWrapped<CSwitchDatabase>(); }
void CDerariModuleDlg::OnTcpService() { RunWrapped<CTcpPortInfo>(); }
void CDerariModuleDlg::OnUdpService() { RunWrapped<CUdpPortInfo>(); }
void CDerariModuleDlg::OnAbout() { RunWrapped<CAboutDlg>(); }

void CDerariModuleDlg::OnSaveConfiguration() {
    if (AfxMessageBox("Do you want to save the configuration?", kConfirm) != IDOK) return;
    m_cCommonSNMPset.Open(3);
    m_cCommonSNMPset.AddVarBind(kSaveConfigOid, 1, "1");
    CSnmp* response = nullptr;
    bool saved = false;
    if (m_cCommonSNMPset.Send(response, kSaveTimeoutMs) == 0 && response != nullptr) {
        // An answer that carries an error status is a refusal, not a save.
        int status = -1;
        int index = 0;
        saved = response->getErrorStatus(status, index) == 0 && status == 0;
        delete response;
    }
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
    OutputDebugStringA("==================DestroyWindow===============");
    const std::pair<CCommonSNMP*, const char*> sessions[] = {
        {&m_cCommonSNMP, "m_cCommonSNMP"},           {&m_cCommonSNMPset, "m_cCommonSNMPset"},
        {&m_cCommonSNMPFan, "m_cCommonSNMPFan"},     {&m_cCommonSNMPPoe, "m_cCommonSNMPPoe"},
        {&m_cCommonSNMPDevStat, "m_cCommonSNMPDevStat"}, {&m_cCommonSNMPPoeStat, "m_cCommonSNMPPoeStat"},
    };
    for (const auto& [session, name] : sessions) {
        session->Close();
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
