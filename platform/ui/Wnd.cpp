#include "platform/ui/Wnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>

#include "platform/ui/Dialog.h"
#include "platform/ui/Internal.h"
#include "platform/win/Clock.h"
#include "platform/win/Event.h"

const CWnd wndTop;
const CWnd wndTopMost;
const CWnd wndNoTopMost;
const HWND HWND_TOP = nullptr;
const HWND HWND_TOPMOST = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1));
const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-2));
const HWND HWND_BROADCAST = reinterpret_cast<HWND>(static_cast<std::intptr_t>(0xFFFF));

namespace ui::detail {
namespace {

// ---- the dispatcher of cross-thread calls ------------------------------------------------
class Dispatcher final : public QObject, public win::WaitPump {
public:
    Dispatcher() : m_thread(std::this_thread::get_id()) {}

    bool IsPumpThread() const override { return std::this_thread::get_id() == m_thread; }

    void Pump(std::chrono::milliseconds maxWait) override {
        {
            std::unique_lock lock(m_mutex);
            m_callCv.wait_for(lock, maxWait, [this] { return !m_calls.empty() || m_wake; });
            m_wake = false;
        }
        Drain();
    }

    void Wake() override {
        {
            std::lock_guard lock(m_mutex);
            m_wake = true;
        }
        m_callCv.notify_all();
    }

    // A blocking call from a worker: queued, served by the event loop or a pumping wait.
    void Call(const std::function<void()>& fn) {
        Pending call{&fn};
        bool post;
        {
            std::lock_guard lock(m_mutex);
            post = m_calls.empty();
            m_calls.push_back(&call);
        }
        m_callCv.notify_all();
        if (post) QCoreApplication::postEvent(this, new QEvent(kDrainEvent));
        std::unique_lock lock(m_mutex);
        m_doneCv.wait(lock, [&] { return call.done; });
    }

    // A call that does not wait. Queued under our own lock (not only in Qt's event queue), so
    // that what the worker wrote before posting is seen by the call on every tool's terms.
    // One event per call keeps the calls in order with the other events of the queue.
    void Post(std::function<void()> fn) {
        {
            std::lock_guard lock(m_mutex);
            m_posts.push_back(std::move(fn));
        }
        QCoreApplication::postEvent(this, new QEvent(kPostEvent));
    }

    bool IsThread() const { return IsPumpThread(); }

    // Timers: one QTimer per (window, id), on this thread.
    void SetTimer(HWND hwnd, UINT_PTR id, UINT elapse) {
        auto& timer = m_timers[{hwnd, id}];
        if (!timer) {
            timer = std::make_unique<QTimer>();
            QObject::connect(timer.get(), &QTimer::timeout, [this, hwnd, id] {
                if (!IsLive(hwnd)) {
                    KillTimer(hwnd, id);
                    return;
                }
                Dispatch(hwnd, WM_TIMER, id, 0);
            });
        }
        timer->start(static_cast<int>(win::ToRealTime(elapse == 0 ? 1 : elapse).count()));
    }
    bool KillTimer(HWND hwnd, UINT_PTR id) {
        auto it = m_timers.find({hwnd, id});
        if (it == m_timers.end()) return false;
        it->second->stop();
        // The timer may be the one firing: delete it once its signal has returned.
        it->second.release()->deleteLater();
        m_timers.erase(it);
        return true;
    }
    void KillTimers(HWND hwnd) {
        for (auto it = m_timers.begin(); it != m_timers.end();) {
            if (it->first.first == hwnd) {
                it->second->stop();
                it->second.release()->deleteLater();
                it = m_timers.erase(it);
            } else {
                ++it;
            }
        }
    }

protected:
    bool event(QEvent* e) override {
        if (e->type() == kDrainEvent) {
            Drain();
            return true;
        }
        if (e->type() == kPostEvent) {
            RunOnePost();
            return true;
        }
        return QObject::event(e);
    }

private:
    static constexpr QEvent::Type kDrainEvent = static_cast<QEvent::Type>(QEvent::User + 101);
    static constexpr QEvent::Type kPostEvent = static_cast<QEvent::Type>(QEvent::User + 102);
    struct Pending {
        const std::function<void()>* fn;
        bool done = false;
    };

    void Drain() {
        for (;;) {
            Pending* call;
            {
                std::lock_guard lock(m_mutex);
                if (m_calls.empty()) return;
                call = m_calls.front();
                m_calls.pop_front();
            }
            (*call->fn)();
            {
                std::lock_guard lock(m_mutex);
                call->done = true;
            }
            m_doneCv.notify_all();
        }
    }

    // Runs the oldest posted call, outside the lock.
    void RunOnePost() {
        std::function<void()> fn;
        {
            std::lock_guard lock(m_mutex);
            if (m_posts.empty()) return;
            fn = std::move(m_posts.front());
            m_posts.pop_front();
        }
        fn();
    }

    const std::thread::id m_thread;
    std::mutex m_mutex;
    std::condition_variable m_callCv;
    std::condition_variable m_doneCv;
    std::deque<Pending*> m_calls;
    std::deque<std::function<void()>> m_posts;
    bool m_wake = false;
    std::map<std::pair<HWND, UINT_PTR>, std::unique_ptr<QTimer>> m_timers;
};

std::atomic<Dispatcher*> g_dispatcher{nullptr};

// ---- the registry ----------------------------------------------------------------------
std::mutex g_registryMutex;
std::unordered_map<HWND, std::unique_ptr<WindowRecord>> g_windows;
std::uintptr_t g_nextHandle = 0x10000;
PaintHook g_paintHook = nullptr;

const char* const kHandleProperty = "ui_hwnd";

// Window messages carried by Qt events.
class EventBridge final : public QObject {
public:
    bool eventFilter(QObject* obj, QEvent* e) override;
};
EventBridge* Bridges() {
    static EventBridge* bridge = new EventBridge;
    return bridge;
}

class KeyFilter final : public QObject {
public:
    bool eventFilter(QObject* obj, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(e);
        auto* widget = qobject_cast<QWidget*>(obj);
        if (!widget) return false;
        // A key the focus widget left unused travels on to its parents: it was offered already.
        QWidget* focus = QApplication::focusWidget();
        if (focus && focus != widget && widget->isAncestorOf(focus)) return false;
        UINT vk = 0;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: vk = VK_RETURN; break;
        case Qt::Key_Escape: vk = VK_ESCAPE; break;
        case Qt::Key_Space: vk = VK_SPACE; break;
        case Qt::Key_Tab: vk = VK_TAB; break;
        case Qt::Key_Backspace: vk = VK_BACK; break;
        case Qt::Key_Delete: vk = VK_DELETE; break;
        case Qt::Key_Left: vk = VK_LEFT; break;
        case Qt::Key_Right: vk = VK_RIGHT; break;
        case Qt::Key_Up: vk = VK_UP; break;
        case Qt::Key_Down: vk = VK_DOWN; break;
        case Qt::Key_Home: vk = VK_HOME; break;
        case Qt::Key_End: vk = VK_END; break;
        case Qt::Key_PageUp: vk = VK_PRIOR; break;
        case Qt::Key_PageDown: vk = VK_NEXT; break;
        default:
            if (key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F12) vk = VK_F1 + (key->key() - Qt::Key_F1);
            else if (key->key() >= 0x20 && key->key() <= 0x5A) vk = static_cast<UINT>(key->key());
        }
        if (vk == 0) return false;
        return TranslateKey(widget, vk);
    }
};

WindowRecord* NearestRecord(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (WindowRecord* rec = FindByWidget(w)) return rec;
    }
    return nullptr;
}

}  // namespace

void StartDispatcher() {
    if (g_dispatcher.load()) return;
    auto* d = new Dispatcher;  // lives as long as the process: workers may still call in
    g_dispatcher.store(d);
    win::SetWaitPump(d);
    qApp->installEventFilter(new KeyFilter);
}

HWND Register(QWidget* widget, QWidget* client, CWnd* wnd, HWND parent, int id, DWORD style, Kind kind) {
    auto rec = std::make_unique<WindowRecord>();
    HWND hwnd;
    {
        std::lock_guard lock(g_registryMutex);
        hwnd = reinterpret_cast<HWND>(g_nextHandle++);
    }
    rec->hwnd = hwnd;
    rec->widget = widget;
    rec->client = client ? client : widget;
    rec->parent = parent;
    rec->id = id;
    rec->style = style;
    rec->kind = kind;
    rec->topLevel = widget->isWindow();
    if (wnd) {
        rec->wnd = wnd;
    } else {
        rec->standIn = MakeStandIn(kind);
        rec->wnd = rec->standIn.get();
    }
    rec->wnd->m_hWnd.store(hwnd);
    // Setting a property sends an event through the bridge: not under the lock.
    const QVariant handle = QVariant::fromValue<qulonglong>(reinterpret_cast<std::uintptr_t>(hwnd));
    widget->setProperty(kHandleProperty, handle);
    if (rec->client != widget) rec->client->setProperty(kHandleProperty, handle);
    const bool topLevel = rec->topLevel;
    {
        std::lock_guard lock(g_registryMutex);
        g_windows.emplace(hwnd, std::move(rec));
    }
    if (topLevel) TopLevelRegistered(hwnd);
    return hwnd;
}

WindowRecord* Find(HWND hwnd) {
    if (!hwnd) return nullptr;
    std::lock_guard lock(g_registryMutex);
    auto it = g_windows.find(hwnd);
    return it == g_windows.end() ? nullptr : it->second.get();
}

WindowRecord* FindByWidget(const QWidget* widget) {
    if (!widget) return nullptr;
    const QVariant v = widget->property(kHandleProperty);
    if (!v.isValid()) return nullptr;
    return Find(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(v.toULongLong())));
}

bool IsLive(HWND hwnd) {
    if (!hwnd) return false;
    std::lock_guard lock(g_registryMutex);
    return g_windows.count(hwnd) != 0;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<std::pair<std::uintptr_t, HWND>> found;
    {
        std::lock_guard lock(g_registryMutex);
        for (const auto& [h, rec] : g_windows) {
            if (rec->parent == parent) found.emplace_back(reinterpret_cast<std::uintptr_t>(h), h);
        }
    }
    std::sort(found.begin(), found.end());  // creation order
    std::vector<HWND> out;
    for (const auto& f : found) out.push_back(f.second);
    return out;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> out;
    std::lock_guard lock(g_registryMutex);
    for (const auto& [h, rec] : g_windows) {
        if (rec->topLevel) out.push_back(h);
    }
    return out;
}

void Attach(WindowRecord& rec, CWnd* obj) {
    if (obj) {
        if (rec.wnd != rec.standIn.get() && rec.wnd) rec.wnd->m_hWnd.store(nullptr);
        rec.wnd = obj;
    } else {
        if (!rec.standIn) rec.standIn = MakeStandIn(rec.kind);
        rec.wnd = rec.standIn.get();
    }
    rec.wnd->m_hWnd.store(rec.hwnd);
}

namespace {
// parentGoes: the parent's widget is being deleted, and with it this child's widget.
void DestroyTree(HWND hwnd, bool parentGoes) {
    WindowRecord* rec = Find(hwnd);
    if (!rec || rec->destroying) return;
    rec->destroying = true;
    Dispatch(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : ChildrenOf(hwnd)) DestroyTree(child, true);
    if (Dispatcher* d = g_dispatcher.load()) d->KillTimers(hwnd);
    QWidget* widget = rec->widget;
    CWnd* wnd = rec->wnd;
    std::unique_ptr<WindowRecord> owned;
    {
        std::lock_guard lock(g_registryMutex);
        auto it = g_windows.find(hwnd);
        owned = std::move(it->second);
        g_windows.erase(it);
    }
    wnd->m_hWnd.store(nullptr);
    if (widget && (!parentGoes || owned->topLevel)) {
        // Deleted once the events in progress (perhaps its own signal) are done; its child
        // widgets go with it.
        widget->hide();
        widget->deleteLater();
    }
    if (auto* dialog = dynamic_cast<CDialog*>(wnd)) DialogWindowGone(*dialog);
    if (wnd != owned->standIn.get()) wnd->PostNcDestroy();
}
}  // namespace

void DestroyTree(HWND hwnd) { DestroyTree(hwnd, false); }

void NotifyParent(HWND control, WORD code) {
    WindowRecord* rec = Find(control);
    if (!rec || !rec->parent) return;
    Dispatch(rec->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(rec->id), code), reinterpret_cast<LPARAM>(control));
}

LRESULT NotifyParent(HWND control, UINT code, NMHDR* hdr) {
    WindowRecord* rec = Find(control);
    if (!rec || !rec->parent) return 0;
    hdr->hwndFrom = control;
    hdr->idFrom = static_cast<UINT_PTR>(rec->id);
    hdr->code = code;
    return Dispatch(rec->parent, WM_NOTIFY, static_cast<WPARAM>(rec->id), reinterpret_cast<LPARAM>(hdr));
}

LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* rec = Find(hwnd);
    if (!rec) return 0;
    return rec->wnd->WindowProc(message, wParam, lParam);
}

TopLevel CreateTopLevel(const std::string& caption, DWORD style, bool dialog) {
    auto* frame = new QWidget(nullptr, dialog ? Qt::Dialog : Qt::Window);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* client = new QWidget(frame);
    client->setMouseTracking(true);  // moves without a button reach the window, as WM_MOUSEMOVE
    layout->addWidget(client);
    frame->setWindowTitle(QString::fromStdString(caption));
    if (style & WS_EX_TOPMOST) frame->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    Bridge(frame);
    Bridge(client);
    return {frame, client};
}

void Bridge(QWidget* widget) { widget->installEventFilter(Bridges()); }

void SetPaintHook(PaintHook hook) { g_paintHook = hook; }

std::vector<HWND>& ModalStack() {
    static std::vector<HWND> stack;
    return stack;
}

bool TranslateKey(QWidget* target, UINT vk) {
    WindowRecord* rec = NearestRecord(target);
    if (!rec) return false;
    // PreTranslateMessage: the window the key is for, then each parent up to the top level.
    MSG msg{rec->hwnd, WM_KEYDOWN, vk, 0};
    HWND top = nullptr;
    for (HWND h = rec->hwnd; h;) {
        WindowRecord* r = Find(h);
        if (!r) return true;  // destroyed by a handler: the key is spent
        if (r->wnd->PreTranslateMessage(&msg)) return true;
        if (r->topLevel) {
            top = h;
            break;
        }
        h = r->parent;
    }
    if (vk != VK_RETURN && vk != VK_ESCAPE) return false;
    // Dialog keys: Enter presses the focused push button or the default button, Esc cancels.
    WindowRecord* dlg = Find(top);
    if (!dlg || dlg->kind != Kind::Dialog) return false;
    if (vk == VK_ESCAPE) {
        Dispatch(top, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return true;
    }
    if (rec->kind == Kind::Edit && (rec->style & ES_WANTRETURN)) return false;
    if (auto* button = qobject_cast<QAbstractButton*>(target); button && rec->kind == Kind::Button) {
        if (button->isEnabled()) button->click();
        return true;
    }
    const auto* dialog = dynamic_cast<const CDialog*>(dlg->wnd);
    const int defId = dialog ? static_cast<int>(LOWORD(dialog->GetDefID())) : 0;
    const int id = defId ? defId : IDOK;
    HWND defButton = ::GetDlgItem(top, id);
    if (defButton && !::IsWindowEnabled(defButton)) return true;
    Dispatch(top, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(defButton));
    return true;
}

namespace {

LPARAM PointParam(const QPoint& p) { return MAKELPARAM(static_cast<WORD>(p.x()), static_cast<WORD>(p.y())); }

WPARAM MouseFlags(const QMouseEvent* e) {
    WPARAM f = 0;
    if (e->buttons() & Qt::LeftButton) f |= MK_LBUTTON;
    if (e->buttons() & Qt::RightButton) f |= MK_RBUTTON;
    if (e->modifiers() & Qt::ShiftModifier) f |= MK_SHIFT;
    if (e->modifiers() & Qt::ControlModifier) f |= MK_CONTROL;
    return f;
}

bool EventBridge::eventFilter(QObject* obj, QEvent* e) {
    auto* widget = static_cast<QWidget*>(obj);
    WindowRecord* rec = FindByWidget(widget);
    if (!rec || rec->destroying) return false;
    const HWND hwnd = rec->hwnd;
    const bool isClient = widget == rec->client;
    switch (e->type()) {
    case QEvent::Close:
        if (rec->topLevel && widget == rec->widget) {
            e->ignore();
            Dispatch(hwnd, WM_CLOSE, 0, 0);
            return true;
        }
        return false;
    case QEvent::Resize:
        if (rec->topLevel && widget == rec->widget && !isClient && rec->wnd->HandlesMessage(WM_SIZING)) {
            // Qt resizes first and tells after: offer the new rectangle as WM_SIZING and
            // take back what the handler changed.
            static bool inSizing = false;
            if (!inSizing) {
                const QRect g = widget->frameGeometry();
                const QSize s = static_cast<QResizeEvent*>(e)->size();
                const QSize extra = g.size() - widget->size();
                RECT r{g.x(), g.y(), g.x() + s.width() + extra.width(), g.y() + s.height() + extra.height()};
                const RECT proposed = r;
                Dispatch(hwnd, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&r));
                if (r.right != proposed.right || r.bottom != proposed.bottom) {
                    inSizing = true;
                    widget->resize(r.right - r.left - extra.width(), r.bottom - r.top - extra.height());
                    inSizing = false;
                }
            }
        }
        if (isClient) {
            const QSize s = static_cast<QResizeEvent*>(e)->size();
            const bool minimized = rec->widget->isMinimized();
            Dispatch(hwnd, WM_SIZE, minimized ? SIZE_MINIMIZED : SIZE_RESTORED,
                     MAKELPARAM(static_cast<WORD>(s.width()), static_cast<WORD>(s.height())));
        }
        return false;
    case QEvent::WindowStateChange:
        if (rec->topLevel && widget == rec->widget) {
            const bool wasMinimized = static_cast<QWindowStateChangeEvent*>(e)->oldState() & Qt::WindowMinimized;
            if (rec->widget->isMinimized() && !wasMinimized) {
                Dispatch(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
            } else if (!rec->widget->isMinimized() && wasMinimized) {
                const QSize c = rec->client->size();
                Dispatch(hwnd, WM_SIZE, SIZE_RESTORED,
                         MAKELPARAM(static_cast<WORD>(c.width()), static_cast<WORD>(c.height())));
            }
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        if (!isClient || rec->kind == Kind::List) return false;
        if (e->type() == QEvent::MouseMove) NoteMouseWidget(widget);
        auto* m = static_cast<QMouseEvent*>(e);
        UINT msg = WM_MOUSEMOVE;
        const bool right = m->button() == Qt::RightButton;
        if (e->type() == QEvent::MouseButtonPress) msg = right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
        if (e->type() == QEvent::MouseButtonRelease) msg = right ? WM_RBUTTONUP : WM_LBUTTONUP;
        if (e->type() == QEvent::MouseButtonDblClick) msg = WM_LBUTTONDBLCLK;
        if (!rec->wnd->HandlesMessage(msg)) return false;
        Dispatch(hwnd, msg, MouseFlags(m), PointParam(m->position().toPoint()));
        return false;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        if (rec->topLevel) return false;
        const bool in = e->type() == QEvent::FocusIn;
        QWidget* other = QApplication::focusWidget();
        const WindowRecord* otherRec = in ? nullptr : NearestRecord(other);
        Dispatch(hwnd, in ? WM_SETFOCUS : WM_KILLFOCUS,
                 reinterpret_cast<WPARAM>(otherRec && otherRec != rec ? otherRec->hwnd : nullptr), 0);
        if (rec->kind == Kind::Edit || rec->kind == Kind::IpAddress)
            NotifyParent(hwnd, in ? EN_SETFOCUS : EN_KILLFOCUS);
        if (rec->kind == Kind::Combo) NotifyParent(hwnd, in ? CBN_SETFOCUS : CBN_KILLFOCUS);
        if (rec->kind == Kind::List && !in) {
            NMHDR hdr;
            NotifyParent(hwnd, NM_KILLFOCUS, &hdr);
        }
        return false;
    }
    case QEvent::Paint:
        // The drawing layer decides which windows it paints (WM_PAINT, WM_ERASEBKGND or drawn on).
        if (isClient && g_paintHook) return g_paintHook(hwnd, widget);
        if (isClient && rec->wnd->HandlesMessage(WM_PAINT)) Dispatch(hwnd, WM_PAINT, 0, 0);
        return false;
    case QEvent::Show:
    case QEvent::Hide:
        if (rec->topLevel && widget == rec->widget && !static_cast<QWidget*>(obj)->isMinimized()) {
            Dispatch(hwnd, WM_SHOWWINDOW, e->type() == QEvent::Show, 0);
        }
        return false;
    default: return false;
    }
}

}  // namespace
}  // namespace ui::detail

// ---- threads -------------------------------------------------------------------------------
namespace ui {

bool IsUiThread() {
    auto* d = detail::g_dispatcher.load();
    return d && d->IsThread();
}

bool RunOnUiThread(const std::function<void()>& fn) {
    auto* d = detail::g_dispatcher.load();
    if (!d) return false;
    if (d->IsThread()) {
        fn();
    } else {
        d->Call(fn);
    }
    return true;
}

void PostToUiThread(std::function<void()> fn) {
    if (auto* d = detail::g_dispatcher.load()) d->Post(std::move(fn));
}

QWidget* WidgetOf(HWND hwnd) {
    detail::WindowRecord* rec = detail::Find(hwnd);
    return rec ? rec->client : nullptr;
}

HWND HandleOf(const QWidget* widget) {
    detail::WindowRecord* rec = detail::FindByWidget(widget);
    return rec ? rec->hwnd : nullptr;
}

void PostToTopLevelWindows(UINT message, WPARAM wParam, LPARAM lParam) {
    PostToUiThread([=] {
        for (HWND h : detail::TopLevelWindows()) ::PostMessage(h, message, wParam, lParam);
    });
}

namespace map {
CWnd* WndOf(HWND h) { return CWnd::FromHandle(h); }
UINT CtlColorKindOf(HWND control) {
    detail::WindowRecord* rec = detail::Find(control);
    if (!rec) return CTLCOLOR_DLG;
    switch (rec->kind) {
    case detail::Kind::Edit:
    case detail::Kind::IpAddress: return CTLCOLOR_EDIT;
    case detail::Kind::Button: return CTLCOLOR_BTN;
    case detail::Kind::Static:
    case detail::Kind::Group: return CTLCOLOR_STATIC;
    case detail::Kind::Combo:
    case detail::Kind::List: return CTLCOLOR_LISTBOX;
    default: return CTLCOLOR_DLG;
    }
}
}  // namespace map
}  // namespace ui

using ui::detail::Find;
using ui::detail::WindowRecord;
using ui::detail::WithRecord;

// ---- CWnd ----------------------------------------------------------------------------------
CWnd::CWnd() = default;

CWnd::~CWnd() {
    // A window whose object goes first goes with it (a run-time control deleted by its owner).
    const HWND h = m_hWnd.load();
    if (h) {
        ui::RunOnUiThread([h, this] {
            WindowRecord* rec = Find(h);
            if (!rec || rec->wnd != this) return;
            ui::detail::DestroyTree(h);
        });
    }
}

const ui::MessageMap* CWnd::GetThisMessageMap() {
    static const ui::MessageMap map{nullptr, {}};
    return &map;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    WindowRecord* rec = Find(hwnd);
    return rec ? rec->wnd : nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    WindowRecord* rec = Find(hwnd);
    return rec && rec->wnd != rec->standIn.get() ? rec->wnd : nullptr;
}

bool CWnd::HandlesMessage(UINT message) const {
    for (const ui::MessageMap* m = GetMessageMap(); m; m = m->base) {
        for (const auto& e : m->entries) {
            if (e.kind == ui::MessageEntry::Kind::Message && e.Message() == message) return true;
        }
    }
    return false;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessage(m_hWnd.load(), message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessage(m_hWnd.load(), message, wParam, lParam);
}
BOOL CWnd::SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendNotifyMessage(m_hWnd.load(), message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE: DestroyWindow(); return 0;
    case WM_SETTEXT: SetWindowText(lParam ? reinterpret_cast<const char*>(lParam) : ""); return TRUE;
    case WM_SETREDRAW: OnUi([&](QWidget* w) { w->setUpdatesEnabled(wParam != 0); }); return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE: SendMessage(WM_CLOSE); break;
        case SC_MINIMIZE: ShowWindow(SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(SW_MAXIMIZE); break;
        case SC_RESTORE: ShowWindow(SW_RESTORE); break;
        default: break;
        }
        return 0;
    default: return 0;
    }
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) return OnCommand(wParam, lParam);
    if (message == WM_NOTIFY) return OnNotify(wParam, lParam, result);
    for (const ui::MessageMap* m = GetMessageMap(); m; m = m->base) {
        for (const auto& e : m->entries) {
            if (e.kind == ui::MessageEntry::Kind::Message && e.Message() == message) {
                return e.handler(this, wParam, lParam, result) ? TRUE : FALSE;
            }
        }
    }
    if (message == WM_CLOSE) {  // OnClose overridden without a map entry still runs
        OnClose();
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const HWND control = reinterpret_cast<HWND>(lParam);
    if (control) {
        if (CWnd* child = FromHandle(control)) {
            LRESULT r = 0;
            if (child->OnChildNotify(WM_COMMAND, wParam, lParam, &r)) return TRUE;
        }
    }
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    for (const ui::MessageMap* m = GetMessageMap(); m; m = m->base) {
        for (const auto& e : m->entries) {
            if (e.kind == ui::MessageEntry::Kind::Command && e.code == code && id >= e.idFirst && id <= e.idLast) {
                LRESULT r = 0;
                return e.handler(this, wParam, lParam, &r) ? TRUE : FALSE;
            }
        }
    }
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (!hdr) return FALSE;
    if (CWnd* child = FromHandle(hdr->hwndFrom); child && child != this) {
        if (child->OnChildNotify(WM_NOTIFY, 0, lParam, result)) return TRUE;
    }
    for (const ui::MessageMap* m = GetMessageMap(); m; m = m->base) {
        for (const auto& e : m->entries) {
            if (e.kind == ui::MessageEntry::Kind::Notify && e.code == hdr->code && hdr->idFrom >= e.idFirst &&
                hdr->idFrom <= e.idLast) {
                return e.handler(this, 0, lParam, result) ? TRUE : FALSE;
            }
        }
    }
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const bool command = message == WM_COMMAND;
    const UINT code = command ? HIWORD(wParam) : reinterpret_cast<NMHDR*>(lParam)->code;
    const auto kind = command ? ui::MessageEntry::Kind::ReflectCommand : ui::MessageEntry::Kind::ReflectNotify;
    for (const ui::MessageMap* m = GetMessageMap(); m; m = m->base) {
        for (const auto& e : m->entries) {
            if (e.kind == kind && e.code == code) return e.handler(this, wParam, lParam, result) ? TRUE : FALSE;
        }
    }
    return FALSE;
}

void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}
void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::OnClose() { DefWindowProc(WM_CLOSE, 0, 0); }
void CWnd::OnSysCommand(UINT id, LPARAM lParam) { DefWindowProc(WM_SYSCOMMAND, id, lParam); }

BOOL CWnd::Create(const char* className, const std::string& text, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id) {
    return ui::detail::CreateChild(this, ui::detail::KindOfClass(className, style), text, style, rect, parent, id) !=
           nullptr;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (!parent) return FALSE;
    return SubclassWindow(::GetDlgItem(parent->m_hWnd.load(), static_cast<int>(id)));
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    BOOL ok = FALSE;
    ui::RunOnUiThread([&] {
        WindowRecord* rec = Find(hwnd);
        if (!rec || (rec->wnd != rec->standIn.get() && rec->wnd != this)) return;
        ui::detail::Attach(*rec, this);
        PreSubclassWindow();
        ok = TRUE;
    });
    return ok;
}

HWND CWnd::UnsubclassWindow() {
    HWND h = m_hWnd.load();
    ui::RunOnUiThread([&] {
        WindowRecord* rec = Find(h);
        if (rec && rec->wnd == this) ui::detail::Attach(*rec, nullptr);
        m_hWnd.store(nullptr);
    });
    return h;
}

BOOL CWnd::DestroyWindow() {
    const HWND h = m_hWnd.load();
    if (!h) return FALSE;
    BOOL ok = FALSE;
    ui::RunOnUiThread([&] {
        if (!Find(h)) return;
        ui::detail::DestroyTree(h);
        ok = TRUE;
    });
    return ok;
}

int CWnd::GetDlgCtrlID() const {
    return WithRecord(m_hWnd.load(), 0, [](WindowRecord& rec) { return rec.id; });
}

int CWnd::SetDlgCtrlID(int id) {
    return WithRecord(m_hWnd.load(), 0, [id](WindowRecord& rec) { return std::exchange(rec.id, id); });
}

CWnd* CWnd::GetDlgItem(int id) const {
    CWnd* found = nullptr;
    ui::RunOnUiThread([&] { found = FromHandle(::GetDlgItem(m_hWnd.load(), id)); });
    return found;
}

CWnd* CWnd::GetParent() const {
    return WithRecord(m_hWnd.load(), static_cast<CWnd*>(nullptr),
                      [](WindowRecord& rec) { return FromHandle(rec.parent); });
}

CWnd* CWnd::GetTopLevelParent() const {
    CWnd* top = nullptr;
    ui::RunOnUiThread([&] {
        WindowRecord* rec = Find(m_hWnd.load());
        while (rec && !rec->topLevel && rec->parent) rec = Find(rec->parent);
        top = rec ? rec->wnd : nullptr;
    });
    return top;
}

BOOL CWnd::IsChild(const CWnd* wnd) const {
    if (!wnd) return FALSE;
    BOOL result = FALSE;
    ui::RunOnUiThread([&] {
        const HWND me = m_hWnd.load();
        for (WindowRecord* rec = Find(wnd->m_hWnd.load()); rec && rec->parent; rec = Find(rec->parent)) {
            if (rec->parent == me) {
                result = TRUE;
                return;
            }
        }
    });
    return result;
}

void CWnd::SetWindowText(const std::string& text) { ::SetWindowText(m_hWnd.load(), text); }
std::string CWnd::GetWindowText() const { return ::GetWindowText(m_hWnd.load()); }

void CWnd::SetDlgItemText(int id, const std::string& text) { ::SetWindowText(::GetDlgItem(m_hWnd.load(), id), text); }
std::string CWnd::GetDlgItemText(int id) const { return ::GetWindowText(::GetDlgItem(m_hWnd.load(), id)); }
int CWnd::GetDlgItemText(int id, std::string& text) const {
    text = GetDlgItemText(id);
    return static_cast<int>(text.size());
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
    SetDlgItemText(id, isSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value));
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
    const std::string text = GetDlgItemText(id);
    if (translated) *translated = FALSE;
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (isSigned && i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return 0;
    unsigned long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + static_cast<unsigned>(text[i] - '0');
        if (v > 0xFFFFFFFFull) return 0;
    }
    while (i < text.size() && text[i] == ' ') ++i;
    if (i != text.size()) return 0;
    if (isSigned && v > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return 0;
    if (translated) *translated = TRUE;
    return negative ? static_cast<UINT>(-static_cast<long long>(v)) : static_cast<UINT>(v);
}

void CWnd::CheckDlgButton(int id, UINT check) {
    WithRecord(::GetDlgItem(m_hWnd.load(), id), 0, [check](WindowRecord& rec) {
        ui::detail::SetCheck(rec, static_cast<int>(check));
        return 0;
    });
}
UINT CWnd::IsDlgButtonChecked(int id) const {
    return WithRecord(::GetDlgItem(m_hWnd.load(), id), 0u,
                      [](WindowRecord& rec) { return static_cast<UINT>(ui::detail::GetCheck(rec)); });
}
void CWnd::CheckRadioButton(int first, int last, int check) {
    for (int id = first; id <= last; ++id) CheckDlgButton(id, id == check ? BST_CHECKED : BST_UNCHECKED);
}
int CWnd::GetCheckedRadioButton(int first, int last) const {
    for (int id = first; id <= last; ++id) {
        if (IsDlgButtonChecked(id) == BST_CHECKED) return id;
    }
    return 0;
}

BOOL CWnd::ShowWindow(int cmdShow) { return ::ShowWindow(m_hWnd.load(), cmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd.load()); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd.load(), enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd.load()); }

BOOL CWnd::IsIconic() const {
    return WithRecord(m_hWnd.load(), FALSE, [](WindowRecord& rec) { return rec.widget->isMinimized() ? TRUE : FALSE; });
}
BOOL CWnd::IsZoomed() const {
    return WithRecord(m_hWnd.load(), FALSE, [](WindowRecord& rec) { return rec.widget->isMaximized() ? TRUE : FALSE; });
}

DWORD CWnd::GetStyle() const {
    return WithRecord(m_hWnd.load(), DWORD{0}, [](WindowRecord& rec) {
        DWORD s = rec.style & ~(WS_VISIBLE | WS_DISABLED | WS_MINIMIZE);
        if (rec.widget->isVisible()) s |= WS_VISIBLE;
        if (!rec.widget->isEnabled()) s |= WS_DISABLED;
        if (rec.widget->isMinimized()) s |= WS_MINIMIZE;
        return s;
    });
}
DWORD CWnd::GetExStyle() const {
    return WithRecord(m_hWnd.load(), DWORD{0}, [](WindowRecord& rec) { return rec.exStyle; });
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT) {
    return WithRecord(m_hWnd.load(), FALSE, [&](WindowRecord& rec) {
        const DWORD before = rec.style;
        rec.style = (rec.style & ~remove) | add;
        ui::detail::ApplyStyle(rec, before);
        return TRUE;
    });
}

namespace {
// Topmost is a window flag in Qt; changing it on a shown window hides it, so show it again.
void SetTopmost(WindowRecord& rec, bool top) {
    rec.exStyle = top ? (rec.exStyle | WS_EX_TOPMOST) : (rec.exStyle & ~WS_EX_TOPMOST);
    if (!rec.topLevel) return;
    const bool visible = rec.widget->isVisible();
    rec.widget->setWindowFlag(Qt::WindowStaysOnTopHint, top);
    if (visible) rec.widget->show();
}
}  // namespace

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT) {
    return WithRecord(m_hWnd.load(), FALSE, [&](WindowRecord& rec) {
        rec.exStyle = (rec.exStyle & ~remove) | add;
        SetTopmost(rec, (rec.exStyle & WS_EX_TOPMOST) != 0);
        return TRUE;
    });
}

CWnd* CWnd::SetFocus() {
    CWnd* previous = nullptr;
    ui::RunOnUiThread([&] {
        previous = GetFocus();
        if (WindowRecord* rec = Find(m_hWnd.load())) {
            rec->widget->window()->activateWindow();
            rec->widget->setFocus(Qt::OtherFocusReason);
        }
    });
    return previous;
}

CWnd* CWnd::GetFocus() {
    CWnd* focus = nullptr;
    ui::RunOnUiThread([&] {
        for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
            if (WindowRecord* rec = ui::detail::FindByWidget(w)) {
                focus = rec->wnd;
                return;
            }
        }
    });
    return focus;
}

BOOL CWnd::SetForegroundWindow() {
    return OnUi(FALSE, [](QWidget* w) {
        w->window()->raise();
        w->window()->activateWindow();
        return TRUE;
    });
}
void CWnd::BringWindowToTop() {
    OnUi([](QWidget* w) { w->window()->raise(); });
}
CWnd* CWnd::SetActiveWindow() {
    SetForegroundWindow();
    return nullptr;
}

namespace {
// The rectangle of a window in its parent's client coordinates (screen for a top level).
QRect OuterRect(const WindowRecord& rec) {
    if (rec.topLevel) return rec.widget->frameGeometry();
    const QWidget* parentClient = ui::WidgetOf(rec.parent);
    const QPoint topLeft = parentClient ? rec.widget->mapTo(parentClient->window(), QPoint(0, 0)) : rec.widget->pos();
    const QPoint origin = parentClient ? parentClient->mapTo(parentClient->window(), QPoint(0, 0)) : QPoint(0, 0);
    return QRect(topLeft - origin, rec.widget->size());
}
RECT ToRect(const QRect& r) { return RECT{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
}  // namespace

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    ui::RunOnUiThread([&] {
        WindowRecord* rec = Find(m_hWnd.load());
        if (!rec) return;
        if (rec->topLevel) {
            // A window rectangle includes the frame; Qt places the frame at pos().
            const QSize frameExtra = rec->widget->frameGeometry().size() - rec->widget->size();
            rec->widget->move(x, y);
            rec->widget->resize(std::max(0, width - frameExtra.width()), std::max(0, height - frameExtra.height()));
        } else {
            rec->widget->setGeometry(x, y, width, height);
            ui::detail::PlacedByProgram(*rec);
        }
        if (repaint) rec->widget->update();
    });
}

void CWnd::MoveWindow(const RECT* rect, BOOL repaint) {
    if (rect) MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return OnUi(FALSE, [&](QWidget*) {
        WindowRecord* rec = Find(m_hWnd.load());
        if (insertAfter == &wndTopMost || insertAfter == &wndNoTopMost) {
            SetTopmost(*rec, insertAfter == &wndTopMost);
        } else if (insertAfter == &wndTop && !(flags & SWP_NOZORDER)) {
            rec->widget->raise();
        }
        const QRect r = OuterRect(*rec);
        if (!(flags & SWP_NOMOVE) || !(flags & SWP_NOSIZE)) {
            MoveWindow((flags & SWP_NOMOVE) ? r.x() : x, (flags & SWP_NOMOVE) ? r.y() : y,
                       (flags & SWP_NOSIZE) ? r.width() : cx, (flags & SWP_NOSIZE) ? r.height() : cy, TRUE);
        }
        if (flags & SWP_SHOWWINDOW) ShowWindow(SW_SHOW);
        if (flags & SWP_HIDEWINDOW) ShowWindow(SW_HIDE);
        return TRUE;
    });
}

void CWnd::GetWindowRect(LPRECT rect) const {
    *rect = RECT{};
    OnUi([&](QWidget*) {
        WindowRecord* rec = Find(m_hWnd.load());
        if (rec->topLevel) {
            *rect = ToRect(rec->widget->frameGeometry());
        } else {
            *rect = ToRect(QRect(rec->widget->mapToGlobal(QPoint(0, 0)), rec->widget->size()));
        }
    });
}

void CWnd::GetClientRect(LPRECT rect) const {
    *rect = RECT{};
    OnUi([&](QWidget* client) { *rect = RECT{0, 0, client->width(), client->height()}; });
}

namespace {
// Maps points between a window's client coordinates and the screen's, in place.
void MapPoints(const CWnd& wnd, bool toScreen, POINT* points, int count) {
    ui::RunOnUiThread([&] {
        QWidget* client = ui::WidgetOf(wnd.m_hWnd.load());
        if (!client) return;
        for (int i = 0; i < count; ++i) {
            const QPoint in(points[i].x, points[i].y);
            const QPoint p = toScreen ? client->mapToGlobal(in) : client->mapFromGlobal(in);
            points[i] = POINT{p.x(), p.y()};
        }
    });
}
void MapRect(const CWnd& wnd, bool toScreen, RECT* rect) {
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    MapPoints(wnd, toScreen, corners, 2);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}
}  // namespace

void CWnd::ClientToScreen(LPPOINT point) const { MapPoints(*this, true, point, 1); }
void CWnd::ClientToScreen(LPRECT rect) const { MapRect(*this, true, rect); }
void CWnd::ScreenToClient(LPPOINT point) const { MapPoints(*this, false, point, 1); }
void CWnd::ScreenToClient(LPRECT rect) const { MapRect(*this, false, rect); }

void CWnd::CenterWindow(CWnd*) {
    OnUi([](QWidget* w) {
        QWidget* top = w->window();
        if (QScreen* screen = top->screen()) {
            const QRect area = screen->availableGeometry();
            top->move(area.center() - QPoint(top->width() / 2, top->height() / 2));
        }
    });
}

void CWnd::Invalidate(BOOL erase) {
    OnUi([&](QWidget* w) {
        ui::detail::MarkInvalid(m_hWnd.load(), nullptr, erase != FALSE);
        w->update();
    });
}
void CWnd::InvalidateRect(const RECT* rect, BOOL erase) { ::InvalidateRect(m_hWnd.load(), rect, erase); }
void CWnd::UpdateWindow() {
    OnUi([](QWidget* w) { w->repaint(); });
}
BOOL CWnd::RedrawWindow(const RECT* rect, void*, UINT flags) {
    return OnUi(FALSE, [&](QWidget* w) {
        if (flags & RDW_INVALIDATE) {
            ui::detail::MarkInvalid(m_hWnd.load(), rect, (flags & RDW_ERASE) != 0);
            if (rect) w->update(QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top));
            else w->update();
        }
        if (flags & RDW_UPDATENOW) w->repaint();
        return TRUE;
    });
}
void CWnd::SetRedraw(BOOL redraw) { SendMessage(WM_SETREDRAW, redraw, 0); }

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, void*) { return ::SetTimer(m_hWnd.load(), id, elapseMs); }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd.load(), id); }

HICON CWnd::SetIcon(HICON icon, BOOL big) {
    return WithRecord(m_hWnd.load(), HICON{nullptr}, [&](WindowRecord& rec) {
        const HICON old = std::exchange(rec.icons[big ? 1 : 0], icon);
        if (rec.topLevel) {
            // The title bar shows the small icon, the task switcher the large one: Qt picks
            // the size it needs from both.
            QIcon shown;
            for (HICON each : rec.icons) {
                const QImage image =
                    ui::detail::ResourceImage(true, static_cast<UINT>(reinterpret_cast<std::uintptr_t>(each)));
                if (each && !image.isNull()) shown.addPixmap(QPixmap::fromImage(image));
            }
            rec.widget->setWindowIcon(shown);
        }
        return old;
    });
}
HICON CWnd::GetIcon(BOOL big) const {
    return WithRecord(m_hWnd.load(), HICON{nullptr}, [&](WindowRecord& rec) { return rec.icons[big ? 1 : 0]; });
}

void CWnd::BeginWaitCursor() {
    ui::RunOnUiThread([&] {
        ++m_waitCursor;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    });
}
void CWnd::EndWaitCursor() {
    ui::RunOnUiThread([&] {
        if (m_waitCursor == 0) return;
        --m_waitCursor;
        QApplication::restoreOverrideCursor();
    });
}
void CWnd::RestoreWaitCursor() {
    ui::RunOnUiThread([&] {
        if (m_waitCursor > 0) QApplication::changeOverrideCursor(Qt::WaitCursor);
    });
}

CWaitCursor::CWaitCursor() {
    ui::RunOnUiThread([] { QApplication::setOverrideCursor(Qt::WaitCursor); });
}
CWaitCursor::~CWaitCursor() {
    ui::RunOnUiThread([] { QApplication::restoreOverrideCursor(); });
}
void CWaitCursor::Restore() {
    ui::RunOnUiThread([] { QApplication::changeOverrideCursor(Qt::WaitCursor); });
}

// ---- free functions on handles ----------------------------------------------------------------
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!ui::detail::IsLive(hwnd)) return 0;
    LRESULT result = 0;
    ui::RunOnUiThread([&] { result = ui::detail::Dispatch(hwnd, message, wParam, lParam); });
    return result;
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd == HWND_BROADCAST) return ui::detail::Broadcast(message, wParam, lParam);
    if (!ui::detail::IsLive(hwnd)) return FALSE;
    ui::PostToUiThread([=] { ui::detail::Dispatch(hwnd, message, wParam, lParam); });
    return TRUE;
}

BOOL SendNotifyMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd == HWND_BROADCAST) return ui::detail::Broadcast(message, wParam, lParam);
    if (!ui::detail::IsLive(hwnd)) return FALSE;
    if (ui::IsUiThread()) {
        ui::detail::Dispatch(hwnd, message, wParam, lParam);
        return TRUE;
    }
    return PostMessage(hwnd, message, wParam, lParam);
}

BOOL IsWindow(HWND hwnd) { return ui::detail::IsLive(hwnd) ? TRUE : FALSE; }

BOOL IsWindowVisible(HWND hwnd) {
    return WithRecord(hwnd, FALSE, [](WindowRecord& rec) { return rec.widget->isVisible() ? TRUE : FALSE; });
}

BOOL IsWindowEnabled(HWND hwnd) {
    return WithRecord(hwnd, FALSE, [](WindowRecord& rec) { return rec.widget->isEnabled() ? TRUE : FALSE; });
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    return WithRecord(hwnd, FALSE, [&](WindowRecord& rec) {
        const BOOL wasDisabled = rec.widget->isEnabled() ? FALSE : TRUE;
        rec.widget->setEnabled(enable != FALSE);
        if (wasDisabled == (enable != FALSE)) ui::detail::Dispatch(hwnd, WM_ENABLE, enable, 0);
        return wasDisabled;
    });
}

BOOL ShowWindow(HWND hwnd, int cmdShow) {
    return WithRecord(hwnd, FALSE, [&](WindowRecord& rec) {
        QWidget* w = rec.widget;
        const BOOL wasVisible = w->isVisible() ? TRUE : FALSE;
        switch (cmdShow) {
        case SW_HIDE: w->hide(); break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
            if (rec.topLevel) w->showMinimized();
            break;
        case SW_MAXIMIZE:
            if (rec.topLevel) w->showMaximized();
            else w->show();
            break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
            if (rec.topLevel) w->showNormal();
            else w->show();
            break;
        default: w->show(); break;
        }
        return wasVisible;
    });
}

BOOL DestroyWindow(HWND hwnd) {
    return WithRecord(hwnd, FALSE, [](WindowRecord& rec) { return rec.wnd->DestroyWindow(); });
}

HWND GetDlgItem(HWND dialog, int id) {
    HWND found = nullptr;
    ui::RunOnUiThread([&] {
        if (!Find(dialog)) return;
        // Direct children first, then deeper (controls inside a child window).
        std::vector<HWND> level = ui::detail::ChildrenOf(dialog);
        while (!level.empty() && !found) {
            std::vector<HWND> next;
            for (HWND h : level) {
                WindowRecord* rec = Find(h);
                if (!rec || rec->topLevel) continue;  // owned windows are not items
                if (rec->id == id) {
                    found = h;
                    return;
                }
                for (HWND c : ui::detail::ChildrenOf(h)) next.push_back(c);
            }
            level = std::move(next);
        }
    });
    return found;
}

HWND GetParent(HWND hwnd) {
    return WithRecord(hwnd, HWND{nullptr}, [](WindowRecord& rec) { return rec.parent; });
}

BOOL SetWindowText(HWND hwnd, const std::string& text) {
    return WithRecord(hwnd, FALSE, [&](WindowRecord& rec) {
        ui::detail::SetText(rec, text);
        return TRUE;
    });
}

std::string GetWindowText(HWND hwnd) {
    return WithRecord(hwnd, std::string(), [](WindowRecord& rec) { return ui::detail::GetText(rec); });
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    BOOL ok = FALSE;
    ui::RunOnUiThread([&] {
        QWidget* w = ui::WidgetOf(hwnd);
        if (!w) return;
        ui::detail::MarkInvalid(hwnd, rect, erase != FALSE);
        if (rect) w->update(QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top));
        else w->update();
        ok = TRUE;
    });
    return ok;
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, void*) {
    UINT_PTR result = 0;
    ui::RunOnUiThread([&] {
        if (!Find(hwnd)) return;
        ui::detail::g_dispatcher.load()->SetTimer(hwnd, id, elapseMs);
        result = id;
    });
    return result;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    BOOL ok = FALSE;
    ui::RunOnUiThread([&] { ok = ui::detail::g_dispatcher.load()->KillTimer(hwnd, id) ? TRUE : FALSE; });
    return ok;
}
