// The main window's panel painting: the model's lamps and the port LEDs in their blink phase,
// drawn from the bitmap store on every tick of the panel timer.
#include "shell/DerariModuleDlg.h"

#include "core/DeviceProfile.h"
#include "shell/PanelBitmaps.h"
#include "shell/panel/MyBitmapApp.h"

using namespace panel_bitmaps;

BYTE g_nBlinkPhase = 0;

namespace {

std::function<void(CDerariModuleDlg&)>& FirstPanelHook() {
    static std::function<void(CDerariModuleDlg&)> hook;
    return hook;
}

}  // namespace

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
            for (const auto& [x, y] : kModeLampPlaces) DrawBitmap(kModeLampOff, x, y);
        }
    }
}

void CDerariModuleDlg::DrawPortLeds() {
    const bool linkMode = m_nLedMode != 0;
    for (int port = 1; port <= m_nDevicePortNum; ++port) {
        const std::size_t parity = Parity(port);
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

void CDerariModuleDlg::StartBlinkTimer() { SetTimer(IDT_PORT_BLINK, kBlinkPeriodMs); }
