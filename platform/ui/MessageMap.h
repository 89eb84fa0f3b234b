#pragma once
// Message maps: each window class declares, once and in one place, which messages, commands
// and notifications its members handle. A map chains to its base class's map; dispatch walks
// from the most derived class to CWnd and takes the first entry that matches.
//
//   class CMyDlg : public CDialog {
//       DECLARE_MESSAGE_MAP()
//       void OnApply();
//       LRESULT OnRow(WPARAM, LPARAM);
//   };
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_BN_CLICKED(IDC_APPLY, OnApply)
//       ON_MESSAGE(WM_MY_ROW, OnRow)
//   END_MESSAGE_MAP()
//
// Handlers are named without the class (OnApply, not &CMyDlg::OnApply).
#include <functional>
#include <vector>

#include "platform/ui/Types.h"

namespace ui {

struct MessageEntry {
    enum class Kind { Message, Command, Notify, ReflectCommand, ReflectNotify };
    Kind kind = Kind::Message;
    UINT message = 0;                  // Kind::Message: the window message
    const UINT* messageVar = nullptr;  // a registered message: the variable that holds its number
    UINT code = 0;                     // command code or notification code
    UINT idFirst = 0, idLast = 0;      // control ids (Command, Notify)
    // Runs the handler; false means "not handled" (the _EX reflections and nothing else).
    std::function<bool(CWnd*, WPARAM, LPARAM, LRESULT*)> handler;

    UINT Message() const { return messageVar ? *messageVar : message; }
};

struct MessageMap {
    const MessageMap* base = nullptr;
    std::vector<MessageEntry> entries;
};

namespace map {

template <class T>
T* As(CWnd* w) {
    return static_cast<T*>(w);
}

inline MessageEntry Msg(UINT message, std::function<bool(CWnd*, WPARAM, LPARAM, LRESULT*)> h) {
    MessageEntry e;
    e.message = message;
    e.handler = std::move(h);
    return e;
}

template <class T>
MessageEntry Message(UINT message, LRESULT (T::*fn)(WPARAM, LPARAM)) {
    return Msg(message, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT* r) {
        *r = (As<T>(w)->*fn)(wp, lp);
        return true;
    });
}
template <class T>
MessageEntry Registered(const UINT* var, LRESULT (T::*fn)(WPARAM, LPARAM)) {
    MessageEntry e = Message<T>(0, fn);
    e.messageVar = var;
    return e;
}

inline MessageEntry Routed(MessageEntry::Kind kind, UINT message, UINT code, UINT first, UINT last,
                           std::function<bool(CWnd*, WPARAM, LPARAM, LRESULT*)> h) {
    MessageEntry e;
    e.kind = kind;
    e.message = message;
    e.code = code;
    e.idFirst = first;
    e.idLast = last;
    e.handler = std::move(h);
    return e;
}

template <class T>
MessageEntry Command(WORD code, UINT first, UINT last, void (T::*fn)()) {
    return Routed(MessageEntry::Kind::Command, WM_COMMAND, code, first, last, [fn](CWnd* w, WPARAM, LPARAM, LRESULT*) {
        (As<T>(w)->*fn)();
        return true;
    });
}
template <class T>
MessageEntry CommandRange(WORD code, UINT first, UINT last, void (T::*fn)(UINT)) {
    return Routed(MessageEntry::Kind::Command, WM_COMMAND, code, first, last,
                  [fn](CWnd* w, WPARAM wp, LPARAM, LRESULT*) {
                      (As<T>(w)->*fn)(LOWORD(wp));
                      return true;
                  });
}
template <class T>
MessageEntry Notify(UINT code, UINT first, UINT last, void (T::*fn)(NMHDR*, LRESULT*)) {
    return Routed(MessageEntry::Kind::Notify, WM_NOTIFY, code, first, last,
                  [fn](CWnd* w, WPARAM, LPARAM lp, LRESULT* r) {
                      (As<T>(w)->*fn)(reinterpret_cast<NMHDR*>(lp), r);
                      return true;
                  });
}
template <class T>
MessageEntry NotifyRange(UINT code, UINT first, UINT last, void (T::*fn)(UINT, NMHDR*, LRESULT*)) {
    return Routed(MessageEntry::Kind::Notify, WM_NOTIFY, code, first, last,
                  [fn](CWnd* w, WPARAM, LPARAM lp, LRESULT* r) {
                      auto* h = reinterpret_cast<NMHDR*>(lp);
                      (As<T>(w)->*fn)(static_cast<UINT>(h->idFrom), h, r);
                      return true;
                  });
}
template <class T>
MessageEntry ReflectNotify(UINT code, void (T::*fn)(NMHDR*, LRESULT*)) {
    return Routed(MessageEntry::Kind::ReflectNotify, WM_NOTIFY, code, 0, 0,
                  [fn](CWnd* w, WPARAM, LPARAM lp, LRESULT* r) {
                      (As<T>(w)->*fn)(reinterpret_cast<NMHDR*>(lp), r);
                      return true;
                  });
}
template <class T>
MessageEntry ReflectNotifyEx(UINT code, BOOL (T::*fn)(NMHDR*, LRESULT*)) {
    return Routed(MessageEntry::Kind::ReflectNotify, WM_NOTIFY, code, 0, 0,
                  [fn](CWnd* w, WPARAM, LPARAM lp, LRESULT* r) {
                      return (As<T>(w)->*fn)(reinterpret_cast<NMHDR*>(lp), r) != FALSE;
                  });
}
template <class T>
MessageEntry ReflectCommand(WORD code, void (T::*fn)()) {
    return Routed(MessageEntry::Kind::ReflectCommand, WM_COMMAND, code, 0, 0, [fn](CWnd* w, WPARAM, LPARAM, LRESULT*) {
        (As<T>(w)->*fn)();
        return true;
    });
}
template <class T>
MessageEntry ReflectCommandEx(WORD code, BOOL (T::*fn)()) {
    return Routed(MessageEntry::Kind::ReflectCommand, WM_COMMAND, code, 0, 0,
                  [fn](CWnd* w, WPARAM, LPARAM, LRESULT*) { return (As<T>(w)->*fn)() != FALSE; });
}

inline CPoint PointOf(LPARAM lp) {
    return CPoint(static_cast<short>(LOWORD(static_cast<DWORD_PTR>(lp))),
                  static_cast<short>(HIWORD(static_cast<DWORD_PTR>(lp))));
}
CWnd* WndOf(HWND h);  // CWnd::FromHandle without the include cycle

// The window messages with their framework handler signatures.
template <class T>
MessageEntry Timer(void (T::*fn)(UINT_PTR)) {
    return Msg(WM_TIMER, [fn](CWnd* w, WPARAM wp, LPARAM, LRESULT*) {
        (As<T>(w)->*fn)(wp);
        return true;
    });
}
template <class T>
MessageEntry Size(void (T::*fn)(UINT, int, int)) {
    return Msg(WM_SIZE, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT*) {
        (As<T>(w)->*fn)(static_cast<UINT>(wp), LOWORD(static_cast<DWORD_PTR>(lp)), HIWORD(static_cast<DWORD_PTR>(lp)));
        return true;
    });
}
template <class T>
MessageEntry Sizing(void (T::*fn)(UINT, LPRECT)) {
    return Msg(WM_SIZING, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT* r) {
        (As<T>(w)->*fn)(static_cast<UINT>(wp), reinterpret_cast<LPRECT>(lp));
        *r = TRUE;
        return true;
    });
}
template <class T>
MessageEntry Void(UINT message, void (T::*fn)()) {
    return Msg(message, [fn](CWnd* w, WPARAM, LPARAM, LRESULT*) {
        (As<T>(w)->*fn)();
        return true;
    });
}
template <class T>
MessageEntry EraseBkgnd(BOOL (T::*fn)(CDC*)) {
    return Msg(WM_ERASEBKGND, [fn](CWnd* w, WPARAM wp, LPARAM, LRESULT* r) {
        *r = (As<T>(w)->*fn)(reinterpret_cast<CDC*>(wp));
        return true;
    });
}
template <class T>
MessageEntry ShowWindow(void (T::*fn)(BOOL, UINT)) {
    return Msg(WM_SHOWWINDOW, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT*) {
        (As<T>(w)->*fn)(static_cast<BOOL>(wp), static_cast<UINT>(lp));
        return true;
    });
}
template <class T>
MessageEntry Mouse(UINT message, void (T::*fn)(UINT, CPoint)) {
    return Msg(message, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT*) {
        (As<T>(w)->*fn)(static_cast<UINT>(wp), PointOf(lp));
        return true;
    });
}
template <class T>
MessageEntry MouseWheel(BOOL (T::*fn)(UINT, short, CPoint)) {
    return Msg(WM_MOUSEWHEEL, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT* r) {
        *r = (As<T>(w)->*fn)(LOWORD(wp), static_cast<short>(HIWORD(wp)), PointOf(lp));
        return true;
    });
}
template <class T>
MessageEntry Scroll(UINT message, void (T::*fn)(UINT, UINT, CWnd*)) {
    return Msg(message, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT*) {
        (As<T>(w)->*fn)(LOWORD(wp), HIWORD(wp), WndOf(reinterpret_cast<HWND>(lp)));
        return true;
    });
}
template <class T>
MessageEntry Focus(UINT message, void (T::*fn)(CWnd*)) {
    return Msg(message, [fn](CWnd* w, WPARAM wp, LPARAM, LRESULT*) {
        (As<T>(w)->*fn)(WndOf(reinterpret_cast<HWND>(wp)));
        return true;
    });
}
template <class T>
MessageEntry SetCursor(BOOL (T::*fn)(CWnd*, UINT, UINT)) {
    return Msg(WM_SETCURSOR, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT* r) {
        *r = (As<T>(w)->*fn)(WndOf(reinterpret_cast<HWND>(wp)), LOWORD(static_cast<DWORD_PTR>(lp)),
                             HIWORD(static_cast<DWORD_PTR>(lp)));
        return true;
    });
}
// WM_CTLCOLOR: wParam the device context (CDC*), lParam the control, HIWORD of nothing: the
// control kind is asked of the control (CTLCOLOR_* below).
constexpr UINT CTLCOLOR_MSGBOX = 0, CTLCOLOR_EDIT = 1, CTLCOLOR_LISTBOX = 2, CTLCOLOR_BTN = 3, CTLCOLOR_DLG = 4,
               CTLCOLOR_SCROLLBAR = 5, CTLCOLOR_STATIC = 6;
UINT CtlColorKindOf(HWND control);
template <class T>
MessageEntry CtlColor(HBRUSH (T::*fn)(CDC*, CWnd*, UINT)) {
    return Msg(WM_CTLCOLOR, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT* r) {
        const HWND ctl = reinterpret_cast<HWND>(lp);
        *r = reinterpret_cast<LRESULT>((As<T>(w)->*fn)(reinterpret_cast<CDC*>(wp), WndOf(ctl), CtlColorKindOf(ctl)));
        return true;
    });
}
template <class T>
MessageEntry CopyData(BOOL (T::*fn)(CWnd*, COPYDATASTRUCT*)) {
    return Msg(WM_COPYDATA, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT* r) {
        *r = (As<T>(w)->*fn)(WndOf(reinterpret_cast<HWND>(wp)), reinterpret_cast<COPYDATASTRUCT*>(lp));
        return true;
    });
}
template <class T>
MessageEntry SysCommand(void (T::*fn)(UINT, LPARAM)) {
    return Msg(WM_SYSCOMMAND, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT*) {
        (As<T>(w)->*fn)(static_cast<UINT>(wp), lp);
        return true;
    });
}
template <class T>
MessageEntry QueryDragIcon(HCURSOR (T::*fn)()) {
    return Msg(WM_QUERYDRAGICON, [fn](CWnd* w, WPARAM, LPARAM, LRESULT* r) {
        *r = reinterpret_cast<LRESULT>((As<T>(w)->*fn)());
        return true;
    });
}
template <class T>
MessageEntry KeyDown(void (T::*fn)(UINT, UINT, UINT)) {
    return Msg(WM_KEYDOWN, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT*) {
        (As<T>(w)->*fn)(static_cast<UINT>(wp), LOWORD(static_cast<DWORD_PTR>(lp)), HIWORD(static_cast<DWORD_PTR>(lp)));
        return true;
    });
}
template <class T>
MessageEntry QueryNewPalette(BOOL (T::*fn)()) {
    return Msg(WM_QUERYNEWPALETTE, [fn](CWnd* w, WPARAM, LPARAM, LRESULT* r) {
        *r = (As<T>(w)->*fn)();
        return true;
    });
}
template <class T>
MessageEntry PaletteChanged(void (T::*fn)(CWnd*)) {
    return Focus<T>(WM_PALETTECHANGED, fn);
}

}  // namespace map
}  // namespace ui

#define DECLARE_MESSAGE_MAP()                                                              \
public:                                                                                    \
    static const ::ui::MessageMap* GetThisMessageMap();                                    \
    const ::ui::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); } \
                                                                                           \
protected:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)              \
    const ::ui::MessageMap* theClass::GetThisMessageMap() { \
        using ThisClass [[maybe_unused]] = theClass;        \
        static const ::ui::MessageMap map {                 \
            baseClass::GetThisMessageMap(), {
#define END_MESSAGE_MAP() \
    }                     \
    }                     \
    ;                     \
    return &map;          \
    }

// Commands and control notifications sent to the parent
#define ON_COMMAND(id, fn) ::ui::map::Command<ThisClass>(BN_CLICKED, (id), (id), &ThisClass::fn),
#define ON_COMMAND_RANGE(first, last, fn) \
    ::ui::map::CommandRange<ThisClass>(BN_CLICKED, (first), (last), &ThisClass::fn),
#define ON_CONTROL(code, id, fn) ::ui::map::Command<ThisClass>((code), (id), (id), &ThisClass::fn),
#define ON_CONTROL_RANGE(code, first, last, fn) \
    ::ui::map::CommandRange<ThisClass>((code), (first), (last), &ThisClass::fn),
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)
#define ON_NOTIFY(code, id, fn) ::ui::map::Notify<ThisClass>((code), (id), (id), &ThisClass::fn),
#define ON_NOTIFY_RANGE(code, first, last, fn) \
    ::ui::map::NotifyRange<ThisClass>((code), (first), (last), &ThisClass::fn),
// Notifications reflected to the control that sent them
#define ON_NOTIFY_REFLECT(code, fn) ::ui::map::ReflectNotify<ThisClass>((code), &ThisClass::fn),
#define ON_NOTIFY_REFLECT_EX(code, fn) ::ui::map::ReflectNotifyEx<ThisClass>((code), &ThisClass::fn),
#define ON_CONTROL_REFLECT(code, fn) ::ui::map::ReflectCommand<ThisClass>((code), &ThisClass::fn),
#define ON_CONTROL_REFLECT_EX(code, fn) ::ui::map::ReflectCommandEx<ThisClass>((code), &ThisClass::fn),
// User and registered messages
#define ON_MESSAGE(msg, fn) ::ui::map::Message<ThisClass>((msg), &ThisClass::fn),
#define ON_REGISTERED_MESSAGE(var, fn) ::ui::map::Registered<ThisClass>(&(var), &ThisClass::fn),
// Window messages, with the framework's handler names
#define ON_WM_TIMER() ::ui::map::Timer<ThisClass>(&ThisClass::OnTimer),
#define ON_WM_SIZE() ::ui::map::Size<ThisClass>(&ThisClass::OnSize),
#define ON_WM_SIZING() ::ui::map::Sizing<ThisClass>(&ThisClass::OnSizing),
#define ON_WM_CLOSE() ::ui::map::Void<ThisClass>(WM_CLOSE, &ThisClass::OnClose),
#define ON_WM_DESTROY() ::ui::map::Void<ThisClass>(WM_DESTROY, &ThisClass::OnDestroy),
#define ON_WM_PAINT() ::ui::map::Void<ThisClass>(WM_PAINT, &ThisClass::OnPaint),
#define ON_WM_ERASEBKGND() ::ui::map::EraseBkgnd<ThisClass>(&ThisClass::OnEraseBkgnd),
#define ON_WM_SHOWWINDOW() ::ui::map::ShowWindow<ThisClass>(&ThisClass::OnShowWindow),
#define ON_WM_LBUTTONDOWN() ::ui::map::Mouse<ThisClass>(WM_LBUTTONDOWN, &ThisClass::OnLButtonDown),
#define ON_WM_LBUTTONUP() ::ui::map::Mouse<ThisClass>(WM_LBUTTONUP, &ThisClass::OnLButtonUp),
#define ON_WM_LBUTTONDBLCLK() ::ui::map::Mouse<ThisClass>(WM_LBUTTONDBLCLK, &ThisClass::OnLButtonDblClk),
#define ON_WM_RBUTTONDOWN() ::ui::map::Mouse<ThisClass>(WM_RBUTTONDOWN, &ThisClass::OnRButtonDown),
#define ON_WM_MOUSEMOVE() ::ui::map::Mouse<ThisClass>(WM_MOUSEMOVE, &ThisClass::OnMouseMove),
#define ON_WM_MOUSEWHEEL() ::ui::map::MouseWheel<ThisClass>(&ThisClass::OnMouseWheel),
#define ON_WM_HSCROLL() ::ui::map::Scroll<ThisClass>(WM_HSCROLL, &ThisClass::OnHScroll),
#define ON_WM_VSCROLL() ::ui::map::Scroll<ThisClass>(WM_VSCROLL, &ThisClass::OnVScroll),
#define ON_WM_KILLFOCUS() ::ui::map::Focus<ThisClass>(WM_KILLFOCUS, &ThisClass::OnKillFocus),
#define ON_WM_SETFOCUS() ::ui::map::Focus<ThisClass>(WM_SETFOCUS, &ThisClass::OnSetFocus),
#define ON_WM_SETCURSOR() ::ui::map::SetCursor<ThisClass>(&ThisClass::OnSetCursor),
#define ON_WM_CTLCOLOR() ::ui::map::CtlColor<ThisClass>(&ThisClass::OnCtlColor),
#define ON_WM_COPYDATA() ::ui::map::CopyData<ThisClass>(&ThisClass::OnCopyData),
#define ON_WM_SYSCOMMAND() ::ui::map::SysCommand<ThisClass>(&ThisClass::OnSysCommand),
#define ON_WM_QUERYDRAGICON() ::ui::map::QueryDragIcon<ThisClass>(&ThisClass::OnQueryDragIcon),
#define ON_WM_KEYDOWN() ::ui::map::KeyDown<ThisClass>(&ThisClass::OnKeyDown),
#define ON_WM_QUERYNEWPALETTE() ::ui::map::QueryNewPalette<ThisClass>(&ThisClass::OnQueryNewPalette),
#define ON_WM_PALETTECHANGED() ::ui::map::PaletteChanged<ThisClass>(&ThisClass::OnPaletteChanged),
