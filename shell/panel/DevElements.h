#pragma once
// The front-panel element classes, one per kind of entry of the panel description.
#include <array>
#include <functional>
#include <string>

#include "platform/win/WinTypes.h"
#include "shell/panel/VirtualDev.h"

// State of a port (PortState): the description keywords in order.
enum PortStateCode { PORT_LINK100 = 0, PORT_LINK10 = 1, PORT_DISABLED = 2, PORT_ENABLE = 3, PORT_EMPTY = 4 };
// State of a lamp (LampState).
enum LampStateCode { LAMP_ON = 0, LAMP_1G = 1, LAMP_OFF = 2 };
// Kind of a lamp (LampType).
enum LampTypeCode { LAMP_LINK = 0, LAMP_S100M = 1, LAMP_POWER = 2, LAMP_CONSOLE = 3 };

// The registered message broadcast when a port is clicked: wParam and lParam both carry the
// port's number, so the management program can tell which port was chosen.
constexpr const char* kPortClickMessageText = "{6FD9BA9B-9875-4c53-A57D-5E76258D10BE}";
UINT PortClickMessage();

// The root: hands mouse input to each direct child in order and draws nothing itself.
class CDevModule : public CVirtualDev, public CSubject {
public:
    // Where the LED of the port element at `position` (0-based, fibre twins after the ports)
    // is drawn: the top-left corner of the port's first child. False, with x and y left alone,
    // when the description has no such port or the port has no child.
    bool GetPortLedPosition(int position, int& x, int& y) const;

    void OnMouseMove(int& x, int& y) override;
    BOOL Refresh() override { return TRUE; }
    void Draw() override {}
    void OnLButtonDown(int& x, int& y) override;

private:
    const char* RuntimeClassName() const override { return "CDevModule"; }
};

class CPanel : public CVirtualDev, public CSubject {
    const char* RuntimeClassName() const override { return "CPanel"; }
};

class CModule : public CVirtualDev, public CSubject {
public:
    // Every direct port child to PORTENABLE, and the same in every direct module child.
    void ResetPorts();

private:
    const char* RuntimeClassName() const override { return "CModule"; }
};

class CSlot : public CVirtualDev {
    const char* RuntimeClassName() const override { return "CSlot"; }
};

class CPort : public CVirtualDev, public CSubject {
public:
    void OnMouseMove(int& x, int& y) override;
    BOOL Refresh() override;
    void OnLButtonDown(int& x, int& y) override;

    // Index 0 to 4 (PortState); another index stores nothing.
    void SetPortBitmap(int index, const std::string& fileName);
    const std::string& GetPortBitmap(int index) const;
    // The new state, the lamps' states that follow from it, then the state's picture.
    void SetPortStatus(int state);
    void SetPortValue(int value) { m_nPortValue = value; }
    int GetPortValue() const { return m_nPortValue; }

    // Runs the port settings dialog modally after a click; the main window installs it.
    static void SetSettingsDialogRunner(std::function<void()> runner);

private:
    const char* RuntimeClassName() const override { return "CPort"; }

    std::array<std::string, 5> m_strPortBmp;
    int m_nPortValue = 0;
};

// Console, master, redundant power and fan entries: a click starts telnet to the device.
class CCom : public CVirtualDev, public CSubject {
public:
    void OnMouseMove(int& x, int& y) override;
    BOOL Refresh() override;
    void OnLButtonDown(int& x, int& y) override;

private:
    const char* RuntimeClassName() const override { return "CCom"; }
};

class CPower : public CVirtualDev, public CSubject {
public:
    BOOL Refresh() override;

private:
    const char* RuntimeClassName() const override { return "CPower"; }
};

class CLamp : public CVirtualDev, public CObserver {
public:
    CLamp() { m_strName = "Lamp"; }
    void SetType(int value) override { m_nLampType = value; }
    int GetType() const { return m_nLampType; }
    BOOL Refresh() override { return TRUE; }
    void Draw() override {}
    void Update() override;

private:
    const char* RuntimeClassName() const override { return "CLamp"; }

    int m_nLampType = LAMP_LINK;
};

class CLed : public CVirtualDev, public CObserver {
public:
    CLed() { m_strName = "Led"; }
    BOOL Refresh() override;
    void Update() override { Draw(); }

    // Index 0 to 9; another index stores nothing.
    void SetLedBitmap(int index, const std::string& fileName);
    const std::string& GetLedBitmap(int index) const;
    int GetLedState() const { return m_nLedState; }

private:
    const char* RuntimeClassName() const override { return "CLed"; }

    int m_nLedState = 0;
    std::array<std::string, 10> m_strLedBmp;
};
