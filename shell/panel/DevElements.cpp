#include "shell/panel/DevElements.h"

#include <iterator>
#include <mutex>

#include "core/ModuleStartupParams.h"
#include "platform/ui/Gdi.h"
#include "platform/win/ProcessStart.h"
#include "platform/win/RegisteredMessage.h"

namespace {

std::mutex g_runnerMutex;
std::function<void()> g_settingsDialogRunner;

// The pointing hand over ports and consoles: outline X, fill '.', the rest clear.
ui::res::Picture HandCursor() {
    static const char* const rows[] = {
        "       XXX",          "      X...X",         "      X...X",         "      X...X",
        "      X...X",         "      X...XXX",       "      X...X..XXX",    "      X...X..X..XX",
        "  XXX X...X..X..X.X", "  X..XX...........X", "  X...X...........X", "   X..............X",
        "   X..............X", "    X.............X", "    X............X",  "     X...........X",
        "     X..........X",   "      X.........X",   "      XXXXXXXXXXX",
    };
    ui::res::Picture picture;
    picture.width = picture.height = 32;
    picture.pixels.assign(32 * 32, 0x00000000u);
    for (std::size_t y = 0; y < std::size(rows); ++y)
        for (std::size_t x = 0; rows[y][x] != '\0'; ++x)
            if (rows[y][x] != ' ') picture.pixels[y * 32 + x] = rows[y][x] == 'X' ? 0xFF000000u : 0xFFFFFFFFu;
    picture.hotX = 7;
    picture.hotY = 1;
    return picture;
}

// One of an element's picture names by index; an index outside the table stores nothing.
template <std::size_t N>
void SetNameAt(std::array<std::string, N>& names, int index, const std::string& fileName) {
    if (index >= 0 && static_cast<std::size_t>(index) < N)
        names[static_cast<std::size_t>(index)] = CVirtualDev::FitBmpName(fileName);
}

template <std::size_t N>
const std::string& NameAt(const std::array<std::string, N>& names, int index) {
    static const std::string none;
    return index >= 0 && static_cast<std::size_t>(index) < N ? names[static_cast<std::size_t>(index)] : none;
}

}  // namespace

UI_CURSOR_RESOURCE(kHandCursor, HandCursor())

UINT PortClickMessage() {
    static const UINT message = RegisterWindowMessage(kPortClickMessageText);
    return message;
}

bool CDevModule::GetPortLedPosition(int position, int& x, int& y) const {
    const CVirtualDev* port = FindChildByClass("CPort", position);
    const CVirtualDev* led = port ? port->GetChild(0) : nullptr;
    if (led == nullptr) return false;
    const CRect rect = led->GetRect();
    x = rect.left;
    y = rect.top;
    return true;
}

void CDevModule::OnMouseMove(int& x, int& y) {
    for (auto& child : m_children) child->OnMouseMove(x, y);
}

void CDevModule::OnLButtonDown(int& x, int& y) {
    for (auto& child : m_children) child->OnLButtonDown(x, y);
}

void CModule::ResetPorts() {
    for (auto& child : m_children) {
        const std::string name = GetClassName(child.get());
        if (name == "CPort") static_cast<CPort*>(child.get())->SetPortStatus(PORT_ENABLE);
        else if (name == "CModule") static_cast<CModule*>(child.get())->ResetPorts();
    }
}

void CPort::SetSettingsDialogRunner(std::function<void()> runner) {
    std::lock_guard lock(g_runnerMutex);
    g_settingsDialogRunner = std::move(runner);
}

void CPort::OnMouseMove(int& x, int& y) {
    if (HitTest(x, y)) ShowCursor(kHandCursor);
}

BOOL CPort::Refresh() {
    const int status = GetStatus();
    if (status >= PORT_LINK100 && status <= PORT_EMPTY && !LoadImage(m_strPortBmp[static_cast<std::size_t>(status)]))
        return FALSE;
    SetState(status);
    return TRUE;
}

void CPort::OnLButtonDown(int& x, int& y) {
    if (!HitTest(x, y)) return;
    if (const UINT message = PortClickMessage(); message != 0)
        win::BroadcastMessage(message, 0, static_cast<LPARAM>(m_nPortValue));
    std::function<void()> runner;
    {
        std::lock_guard lock(g_runnerMutex);
        runner = g_settingsDialogRunner;
    }
    if (runner) runner();
}

void CPort::SetPortBitmap(int index, const std::string& fileName) { SetNameAt(m_strPortBmp, index, fileName); }

const std::string& CPort::GetPortBitmap(int index) const { return NameAt(m_strPortBmp, index); }

void CPort::SetPortStatus(int state) {
    if (state == GetStatus()) return;
    SetStatus(state);
    for (CObserver* observer : m_observers) {
        const auto* lamp = dynamic_cast<const CLamp*>(observer);
        const bool linkLamp = lamp != nullptr && (lamp->GetType() == LAMP_LINK || lamp->GetType() == LAMP_S100M);
        int lampState = LAMP_OFF;
        if (linkLamp && state == PORT_LINK100) lampState = LAMP_ON;
        if (linkLamp && state == PORT_LINK10) lampState = LAMP_1G;
        SetState(lampState);
        observer->Update();
    }
    Refresh();
}

void CCom::OnMouseMove(int& x, int& y) {
    if (HitTest(x, y)) ShowCursor(kHandCursor);
}

BOOL CCom::Refresh() {
    NotifyObservers(GetStatus());
    return TRUE;
}

void CCom::OnLButtonDown(int& x, int& y) {
    if (HitTest(x, y)) win::StartTelnet(ModuleStartupParams::DeviceIP);  // a failed start is ignored
}

BOOL CPower::Refresh() {
    NotifyObservers(GetStatus());
    return TRUE;
}

void CLamp::Update() {
    if (m_pSubject == nullptr) return;
    const int state = m_pSubject->GetState();
    SetStatus(state == LAMP_ON || state == LAMP_1G ? state : LAMP_OFF);
    Draw();
}

BOOL CLed::Refresh() {
    if (m_nLedState < 0 || m_nLedState >= static_cast<int>(m_strLedBmp.size())) return TRUE;
    return LoadImage(m_strLedBmp[static_cast<std::size_t>(m_nLedState)]);
}

void CLed::SetLedBitmap(int index, const std::string& fileName) { SetNameAt(m_strLedBmp, index, fileName); }

const std::string& CLed::GetLedBitmap(int index) const { return NameAt(m_strLedBmp, index); }
