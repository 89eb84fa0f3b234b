#pragma once
// Internals shared by the sources of the user-interface layer (not for the system's code).
#include <QWidget>
#include <QImage>
#include <QLineEdit>
#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/Wnd.h"

namespace ui::detail {

enum class Kind { Window, Dialog, Static, Group, Button, Edit, Combo, List, Header, Progress, IpAddress };

// Where a template's text control (a static text, a single-line edit) may grow so that a text
// the program sets is shown whole: the free room of its row (the stretch after it) or of its
// parent; the controls between it and that stretch are pushed along (FitText).
struct TextRoom {
    int baseWidth = 0;            // the width the layout (or the program, by MoveWindow) gave it
    int room = 0;                 // pixels it may grow by
    std::vector<HWND> followers;  // the controls after it in its row, up to the stretch
    int grown = 0;                // pixels grown now
};

struct WindowRecord {
    HWND hwnd = nullptr;
    QWidget* widget = nullptr;      // outermost widget (the frame of a top-level window)
    QWidget* client = nullptr;      // the client area: children live here, client coordinates
    CWnd* wnd = nullptr;            // the attached object
    std::unique_ptr<CWnd> standIn;  // the layer's own object when none is attached
    HWND parent = nullptr;
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    Kind kind = Kind::Window;
    HICON icons[2] = {nullptr, nullptr};
    std::optional<TextRoom> textRoom;
    bool topLevel = false;
    bool destroying = false;
};

// The registry of live windows (user-interface thread, except IsLive).
HWND Register(QWidget* widget, QWidget* client, CWnd* wnd, HWND parent, int id, DWORD style, Kind kind);
WindowRecord* Find(HWND hwnd);
WindowRecord* FindByWidget(const QWidget* widget);
bool IsLive(HWND hwnd);  // any thread
// Runs fn(record) on the user-interface thread when the window lives; else gives fallback.
template <class R, class F>
R WithRecord(HWND hwnd, R fallback, F&& fn) {
    R result = fallback;
    RunOnUiThread([&] {
        if (WindowRecord* rec = Find(hwnd)) result = fn(*rec);
    });
    return result;
}
std::vector<HWND> ChildrenOf(HWND parent);
std::vector<HWND> TopLevelWindows();
// Attaches obj to the window (replacing the stand-in) or, with null, puts the stand-in back.
void Attach(WindowRecord& rec, CWnd* obj);
// Destroys the window and its children: WM_DESTROY, timers killed, handles forgotten.
void DestroyTree(HWND hwnd);

// Sends WM_COMMAND (code, control id) from a control to its parent. User-interface thread.
void NotifyParent(HWND control, WORD code);
// Sends WM_NOTIFY with the record (hdr filled in here) to the control's parent; returns the result.
LRESULT NotifyParent(HWND control, UINT code, NMHDR* hdr);
// Direct dispatch of a message to a window on the user-interface thread; 0 for a dead handle.
LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Text and check state of any window, by kind (user-interface thread).
void SetText(WindowRecord& rec, const std::string& text);
std::string GetText(const WindowRecord& rec);
void SetCheck(WindowRecord& rec, int check);
void SetTextOfWidget(QWidget* widget, const std::string& text);  // edits
int GetCheck(const WindowRecord& rec);
// Sizes a text control to its text: a static text or read-only field with a TextRoom grows
// (and shrinks back) within it; a static text tall enough for two lines wraps its words.
void FitText(WindowRecord& rec);
// The width a static text or line edit needs to show the text whole on one line; the width a
// line edit needs for a text of that width.
int WidthToShow(QWidget* widget, const QString& text);
int LineEditWidthFor(QLineEdit* edit, int textWidth);
// The program placed the control itself: its new width is the base to grow from.
void PlacedByProgram(WindowRecord& rec);

// Creates the Qt widget of a control kind with the control's style, and connects its signals
// to the window's notifications (once the handle is known: WireControl).
Kind KindOfClass(const char* className, DWORD style);
QWidget* CreateControlWidget(Kind kind, const std::string& text, DWORD style, QWidget* parent);
void WireControl(HWND hwnd);
// Makes the widget follow a change of the window's style bits.
void ApplyStyle(WindowRecord& rec, DWORD before);
// The list view widget (ListCtrl.cpp); registers its header as a child window once the list
// has a handle.
QWidget* CreateListWidget(DWORD style, QWidget* parent);
void ListRegistered(HWND list);
void ListStyleChanged(WindowRecord& rec);
std::unique_ptr<CWnd> MakeStandIn(Kind kind);
// Creates a run-time child control of parent at rect; returns its handle or null.
HWND CreateChild(CWnd* obj, Kind kind, const std::string& text, DWORD style, const RECT& rect, CWnd* parent, UINT id);

// Creates a top-level window: a frame widget holding the client widget. The frame is where a
// menu bar will go; the client area is what client coordinates measure.
struct TopLevel {
    QWidget* frame;
    QWidget* client;
};
TopLevel CreateTopLevel(const std::string& caption, DWORD style, bool dialog);
// Installs the event bridge (Qt events -> window messages) on a widget of a window.
void Bridge(QWidget* widget);

// The paint seam for the drawing layer: when set, a window whose map handles WM_PAINT is
// painted through it; it returns true when it painted.
using PaintHook = bool (*)(HWND hwnd, QWidget* widget);
void SetPaintHook(PaintHook hook);

// The drawing layer (Gdi.cpp): installs the paint hook; a window's area to erase and paint
// next; the widget the pointer last moved in (where SetCursor applies).
void InstallDrawing();
void MarkInvalid(HWND hwnd, const RECT* rect, bool erase);
// The picture of an icon or bitmap resource (null when there is none).
QImage ResourceImage(bool icon, UINT id);
void NoteMouseWidget(QWidget* widget);
// The menu layer (Menu.cpp): a top-level window was registered (its template's menu attaches);
// a registered-message broadcast (HWND_BROADCAST) goes out.
void TopLevelRegistered(HWND hwnd);
BOOL Broadcast(UINT message, WPARAM wParam, LPARAM lParam);

// The modal dialogs in their loops, innermost last (user-interface thread).
std::vector<HWND>& ModalStack();

// Dialog key handling (Enter, Esc) and the PreTranslateMessage walk for a key press.
bool TranslateKey(QWidget* target, UINT vk);

}  // namespace ui::detail

namespace ui::detail {
// Starts the dispatcher of cross-thread calls on the calling (user-interface) thread and
// installs it as the wait pump of platform/win. Needs the Qt application object.
void StartDispatcher();
}  // namespace ui::detail

namespace ui::tpl {
struct DialogTemplate;
}
namespace ui::detail {
// Builds the template's controls into the dialog's client area, registered as children of
// `dialog`, lays them out, then fixes their positions. Returns the default button's id (0: none).
UINT BuildTemplate(const ui::tpl::DialogTemplate& t, QWidget* frame, QWidget* client, HWND dialog);
}  // namespace ui::detail
