#pragma once
// Windows: the CWnd class the system's windows and controls derive from, handles, sending
// and posting messages across threads, timers.
//
// Handles. An HWND is an opaque number given out once per window and never reused; the
// layer maps it to the window while the window lives. Any call with the handle of a window
// that no longer exists does nothing and returns 0 (or false, or an empty text).
//
// Threads. Every window lives on the user-interface thread. CWnd's operations may be called
// from any thread: from a worker they are carried out on the user-interface thread while the
// worker waits. SendMessage from a worker blocks until the window's handler has run;
// SendMessage on the user-interface thread is a direct call. Waits on the user-interface
// thread (win::Event::Wait) keep serving the workers' blocking calls.
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "platform/ui/MessageMap.h"
#include "platform/ui/Types.h"

class QWidget;
class CMenu;

namespace ui::detail {
void DestroyTree(HWND hwnd);
}

namespace ui {
bool IsUiThread();
// Runs fn on the user-interface thread and waits for it: directly when called there.
// Returns false, without running fn, when no user-interface thread is running.
bool RunOnUiThread(const std::function<void()>& fn);
// Runs fn on the user-interface thread later, without waiting.
void PostToUiThread(std::function<void()> fn);
// The Qt widget behind a window (its client area for top-level windows); null when the
// handle is dead. User-interface thread only. For the drawing, menu and test layers.
QWidget* WidgetOf(HWND hwnd);
// The handle of a Qt widget that is a window of this layer, or null.
HWND HandleOf(const QWidget* widget);
// Posts the message to every top-level window (the registered-message broadcast).
void PostToTopLevelWindows(UINT message, WPARAM wParam, LPARAM lParam);
}  // namespace ui

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The window's handle; null before creation and after destruction.
    std::atomic<HWND> m_hWnd{nullptr};
    HWND GetSafeHwnd() const { return m_hWnd.load(); }
    operator HWND() const { return m_hWnd.load(); }
    // The object attached to a handle, or a temporary stand-in kept by the layer (as for
    // controls of a template no member is bound to). User-interface thread only.
    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd);

    // ---- messages ----
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Called when an object takes over a window (creation, SubclassDlgItem, DDX_Control).
    virtual void PreSubclassWindow();
    // Called after the window is gone.
    virtual void PostNcDestroy();
    virtual const ui::MessageMap* GetMessageMap() const { return GetThisMessageMap(); }
    static const ui::MessageMap* GetThisMessageMap();
    // True when the class's map (or a base's) holds an entry for this window message.
    bool HandlesMessage(UINT message) const;

    // ---- creation, attachment, destruction ----
    // A plain child window (a container or a surface to draw on).
    virtual BOOL Create(const char* className, const std::string& text, DWORD style, const RECT& rect, CWnd* parent,
                        UINT id);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    BOOL SubclassWindow(HWND hwnd);
    HWND UnsubclassWindow();
    BOOL Attach(HWND hwnd) { return SubclassWindow(hwnd); }
    HWND Detach() { return UnsubclassWindow(); }
    virtual BOOL DestroyWindow();

    // ---- identity and relations ----
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    CWnd* GetDlgItem(int id) const;
    CWnd* GetParent() const;
    CWnd* GetTopLevelParent() const;
    BOOL IsChild(const CWnd* wnd) const;

    // ---- text ----
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    void GetWindowText(std::string& text) const { text = GetWindowText(); }
    int GetWindowTextLength() const { return static_cast<int>(GetWindowText().size()); }
    void SetDlgItemText(int id, const std::string& text);
    std::string GetDlgItemText(int id) const;
    int GetDlgItemText(int id, std::string& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;

    // ---- buttons by id ----
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int first, int last, int check);
    int GetCheckedRadioButton(int first, int last) const;

    // ---- state ----
    BOOL ShowWindow(int cmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    CWnd* SetFocus();
    static CWnd* GetFocus();
    BOOL SetForegroundWindow();
    void BringWindowToTop();
    CWnd* SetActiveWindow();

    // ---- geometry: client coordinates are the parent's (a child) or the screen's ----
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(const RECT* rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void CenterWindow(CWnd* alternateOwner = nullptr);

    // ---- painting ----
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE);
    void UpdateWindow();
    BOOL RedrawWindow(const RECT* rect = nullptr, void* region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL redraw = TRUE);

    // ---- timers (any thread); the elapse runs on the program's clock (win::Clock) ----
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, void* unused = nullptr);
    BOOL KillTimer(UINT_PTR id);

    // ---- drawing and menus (Gdi.h, Menu.h) ----
    // The window's own context, kept for the window's life (any thread; ReleaseDC keeps it).
    CDC* GetDC();
    int ReleaseDC(CDC* dc);
    // The window's menu bar, null when it has none; the object belongs to the menu.
    CMenu* GetMenu() const;
    // Gives the window the menu (the window owns it from now on; null removes it).
    BOOL SetMenu(CMenu* menu);
    // The window menu (a context menu here), null for a window without WS_SYSMENU.
    CMenu* GetSystemMenu(BOOL revert) const;
    void DrawMenuBar();

    // ---- icon and wait cursor ----
    HICON SetIcon(HICON icon, BOOL big);
    HICON GetIcon(BOOL big) const;
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // ---- data exchange (dialogs and any window with controls) ----
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

protected:
    virtual void DoDataExchange(class CDataExchange* dx);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A notification of this control, offered to it before its parent (reflection).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Framework handlers the map macros name; the base versions do the default processing.
    virtual void OnTimer(UINT_PTR) {}
    virtual void OnSize(UINT, int, int) {}
    virtual void OnSizing(UINT, LPRECT) {}
    virtual void OnClose();
    virtual void OnDestroy() {}
    virtual void OnPaint() {}
    virtual BOOL OnEraseBkgnd(CDC*) { return FALSE; }
    virtual void OnShowWindow(BOOL, UINT) {}
    virtual void OnLButtonDown(UINT, CPoint) {}
    virtual void OnLButtonUp(UINT, CPoint) {}
    virtual void OnLButtonDblClk(UINT, CPoint) {}
    virtual void OnRButtonDown(UINT, CPoint) {}
    virtual void OnMouseMove(UINT, CPoint) {}
    virtual BOOL OnMouseWheel(UINT, short, CPoint) { return FALSE; }
    virtual void OnHScroll(UINT, UINT, CWnd*) {}
    virtual void OnVScroll(UINT, UINT, CWnd*) {}
    virtual void OnKillFocus(CWnd*) {}
    virtual void OnSetFocus(CWnd*) {}
    virtual BOOL OnSetCursor(CWnd*, UINT, UINT) { return FALSE; }
    virtual HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { return nullptr; }
    virtual BOOL OnCopyData(CWnd*, COPYDATASTRUCT*) { return FALSE; }
    virtual void OnSysCommand(UINT id, LPARAM lParam);  // the default: close, minimise, restore
    virtual HCURSOR OnQueryDragIcon() { return nullptr; }
    virtual void OnKeyDown(UINT, UINT, UINT) {}
    virtual BOOL OnQueryNewPalette() { return FALSE; }
    virtual void OnPaletteChanged(CWnd*) {}

    // Runs fn with this window's widget on the user-interface thread (waiting for it when
    // called from a worker); returns fallback when the window does not exist.
    template <class R, class F>
    R OnUi(R fallback, F&& fn) const;
    template <class F>
    void OnUi(F&& fn) const;

private:
    friend void ui::detail::DestroyTree(HWND);

    int m_waitCursor = 0;
};

// Free forms of the window calls, on handles (any thread; a dead handle does nothing).
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL SendNotifyMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsWindow(HWND hwnd);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsWindowEnabled(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL ShowWindow(HWND hwnd, int cmdShow);
BOOL DestroyWindow(HWND hwnd);
HWND GetDlgItem(HWND dialog, int id);
HWND GetParent(HWND hwnd);
BOOL SetWindowText(HWND hwnd, const std::string& text);
std::string GetWindowText(HWND hwnd);
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, void* unused = nullptr);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// The wait cursor for the life of the object.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
};

// ---- implementation of the marshalling helpers ----
template <class R, class F>
R CWnd::OnUi(R fallback, F&& fn) const {
    R result = fallback;
    const CWnd* self = this;
    ui::RunOnUiThread([&] {
        if (QWidget* w = ui::WidgetOf(self->m_hWnd.load())) result = fn(w);
    });
    return result;
}

template <class F>
void CWnd::OnUi(F&& fn) const {
    const CWnd* self = this;
    ui::RunOnUiThread([&] {
        if (QWidget* w = ui::WidgetOf(self->m_hWnd.load())) fn(w);
    });
}
