#include "platform/ui/Menu.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QVBoxLayout>
#include <QWidget>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/ui/Dialog.h"
#include "platform/ui/Internal.h"

struct HMENU__ {
    struct Item {
        UINT flags = 0;  // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_POPUP, MF_SEPARATOR
        UINT id = 0;
        std::string text;
        HMENU popup = nullptr;  // owned
    };
    std::vector<Item> items;
    HMENU parent = nullptr;          // the menu holding this one as a popup
    HWND window = nullptr;           // the window showing this menu (a bar or its window menu)
    CMenu* holder = nullptr;         // the object that destroys it, if any
    std::unique_ptr<CMenu> wrapper;  // FromHandle

    ~HMENU__() {
        if (wrapper) wrapper->m_hMenu = nullptr;
        for (Item& item : items) delete item.popup;
        if (holder) {
            holder->m_hMenu = nullptr;
            holder->m_owns = false;
        }
    }
    // The owner takes over: the object that held it no longer destroys it (but still hears
    // when it goes).
    void TakeOver() {
        if (holder) holder->m_owns = false;
    }
};

namespace {

template <class F>
void RunUi(F&& fn) {
    if (!ui::RunOnUiThread(fn)) fn();
}

// ---- resources ------------------------------------------------------------------------------
std::mutex g_resourceMutex;
std::map<UINT, std::vector<ui::menu::Entry>>& Templates() {
    static auto* map = new std::map<UINT, std::vector<ui::menu::Entry>>;
    return *map;
}
std::map<UINT, UINT>& DialogMenus() {
    static auto* map = new std::map<UINT, UINT>;
    return *map;
}

HMENU Build(const std::vector<ui::menu::Entry>& entries) {
    auto* menu = new HMENU__;
    for (const ui::menu::Entry& e : entries) {
        HMENU__::Item item;
        item.text = e.text;
        item.flags = e.flags;
        switch (e.kind) {
        case ui::menu::Entry::Kind::Item: item.id = e.id; break;
        case ui::menu::Entry::Kind::Separator: item.flags |= MF_SEPARATOR; break;
        case ui::menu::Entry::Kind::Popup:
            item.flags |= MF_POPUP;
            item.popup = Build(e.items);
            item.popup->parent = menu;
            break;
        }
        menu->items.push_back(std::move(item));
    }
    return menu;
}

// ---- per-window menus (user-interface thread) --------------------------------------------------
struct WindowMenus {
    HMENU bar = nullptr;
    HMENU system = nullptr;
    QPointer<QMenuBar> qtBar;
    bool contextMenu = false;
    bool watchingShow = false;
    bool rebuildPosted = false;
};
std::unordered_map<HWND, WindowMenus> g_windows;

void Rebuild(HWND hwnd);

WindowMenus* MenusOf(HWND hwnd, bool create) {
    auto it = g_windows.find(hwnd);
    if (it != g_windows.end()) return &it->second;
    if (!create) return nullptr;
    ui::detail::WindowRecord* rec = ui::detail::Find(hwnd);
    if (!rec) return nullptr;
    WindowMenus& wm = g_windows[hwnd];
    // The window's menus go with its frame.
    QObject::connect(rec->widget, &QObject::destroyed, [hwnd] {
        auto found = g_windows.find(hwnd);
        if (found == g_windows.end()) return;
        delete found->second.bar;
        delete found->second.system;
        g_windows.erase(found);
    });
    return &wm;
}

HWND WindowOf(HMENU menu) {
    while (menu && menu->parent) menu = menu->parent;
    return menu ? menu->window : nullptr;
}

// A change of a shown menu: the Qt menus are built anew once the current work is done.
void Changed(HMENU menu) {
    const HWND hwnd = WindowOf(menu);
    WindowMenus* wm = hwnd ? MenusOf(hwnd, false) : nullptr;
    if (!wm || wm->rebuildPosted) return;
    wm->rebuildPosted = true;
    ui::PostToUiThread([hwnd] {
        if (WindowMenus* w = MenusOf(hwnd, false)) {
            w->rebuildPosted = false;
            Rebuild(hwnd);
        }
    });
}

// Finds an item by position or by command (depth first through the popups).
bool Locate(HMENU menu, UINT item, UINT flags, HMENU* owner, std::size_t* index) {
    if (!menu) return false;
    if (flags & MF_BYPOSITION) {
        if (item >= menu->items.size()) return false;
        *owner = menu;
        *index = item;
        return true;
    }
    for (std::size_t i = 0; i < menu->items.size(); ++i) {
        const HMENU__::Item& it = menu->items[i];
        if (it.popup) {
            if (Locate(it.popup, item, flags, owner, index)) return true;
        } else if (!(it.flags & MF_SEPARATOR) && it.id == item) {
            *owner = menu;
            *index = i;
            return true;
        }
    }
    return false;
}

// Runs fn(owner, index) for the item on the user-interface thread; false when there is none.
template <class F>
bool WithItem(HMENU menu, UINT item, UINT flags, F&& fn) {
    bool found = false;
    RunUi([&] {
        HMENU owner = nullptr;
        std::size_t index = 0;
        if (!Locate(menu, item, flags, &owner, &index)) return;
        found = true;
        fn(owner, index);
    });
    return found;
}

HMENU__::Item MakeItem(UINT flags, UINT_PTR idNewItem, const std::string& text) {
    HMENU__::Item item;
    item.flags = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR);
    if (flags & MF_POPUP) {
        item.popup = reinterpret_cast<HMENU>(idNewItem);
    } else if (!(flags & MF_SEPARATOR)) {
        item.id = static_cast<UINT>(idNewItem);
    }
    if (!(flags & MF_SEPARATOR)) item.text = text;
    return item;
}

// Puts the item at `index` of `menu` (the end when index is past it); takes over a popup.
bool Place(HMENU menu, std::size_t index, HMENU__::Item item) {
    if (item.popup) {
        if (item.popup == menu || item.popup->parent || item.popup->window) return false;
        item.popup->TakeOver();
        item.popup->parent = menu;
    }
    index = std::min(index, menu->items.size());
    menu->items.insert(menu->items.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
    Changed(menu);
    return true;
}

bool HandlesCommand(const CWnd* wnd, UINT id) {
    for (const ui::MessageMap* m = wnd->GetMessageMap(); m; m = m->base) {
        for (const ui::MessageEntry& e : m->entries) {
            if (e.kind == ui::MessageEntry::Kind::Command && e.code == BN_CLICKED && id >= e.idFirst &&
                id <= e.idLast) {
                return true;
            }
        }
    }
    return false;
}

bool ShownEnabled(HWND hwnd, const HMENU__::Item& item, bool system) {
    if (item.flags & (MF_GRAYED | MF_DISABLED)) return false;
    if (item.popup || system) return true;
    CWnd* wnd = CWnd::FromHandle(hwnd);
    return wnd && HandlesCommand(wnd, item.id);
}

HMENU DefaultSystemMenu(DWORD style) {
    auto* menu = new HMENU__;
    const auto add = [&](const char* text, UINT id, bool enabled) {
        HMENU__::Item item;
        item.text = text;
        item.id = id;
        item.flags = enabled ? 0 : MF_GRAYED;
        menu->items.push_back(item);
    };
    add("&Restore", SC_RESTORE, false);
    add("&Move", SC_MOVE, true);
    add("&Size", SC_SIZE, (style & WS_THICKFRAME) != 0);
    add("Mi&nimize", SC_MINIMIZE, (style & WS_MINIMIZEBOX) != 0);
    add("Ma&ximize", SC_MAXIMIZE, (style & WS_MAXIMIZEBOX) != 0);
    HMENU__::Item separator;
    separator.flags = MF_SEPARATOR;
    menu->items.push_back(separator);
    add("&Close", SC_CLOSE, true);
    return menu;
}

// ---- the Qt side -------------------------------------------------------------------------------
// Fills a QMenu or a QMenuBar with the menu's items.
template <class M>
void Fill(M* qm, HMENU menu, HWND hwnd, bool system) {
    for (const HMENU__::Item& item : menu->items) {
        if (item.flags & MF_SEPARATOR) {
            qm->addSeparator();
        } else if (item.popup) {
            QMenu* sub = qm->addMenu(QString::fromStdString(item.text));
            sub->setEnabled(ShownEnabled(hwnd, item, system));
            Fill(sub, item.popup, hwnd, system);
        } else {
            QAction* a = qm->addAction(QString::fromStdString(item.text));
            a->setEnabled(ShownEnabled(hwnd, item, system));
            if (item.flags & MF_CHECKED) {
                a->setCheckable(true);
                a->setChecked(true);
            }
            const UINT id = item.id;
            const UINT message = system ? WM_SYSCOMMAND : WM_COMMAND;
            QObject::connect(a, &QAction::triggered, [hwnd, id, message] { ::PostMessage(hwnd, message, id, 0); });
        }
    }
}

// The context menu: the bar's popups, then the window menu.
void FillContext(QMenu* qm, HWND hwnd, const WindowMenus& wm) {
    if (wm.bar) Fill(qm, wm.bar, hwnd, false);
    if (wm.system) {
        if (wm.bar && !wm.bar->items.empty()) qm->addSeparator();
        Fill(qm, wm.system, hwnd, true);
    }
}

void InstallContextMenu(HWND hwnd, WindowMenus& wm) {
    if (wm.contextMenu) return;
    QWidget* client = ui::WidgetOf(hwnd);
    if (!client) return;
    wm.contextMenu = true;
    client->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(client, &QWidget::customContextMenuRequested, client, [hwnd, client](const QPoint& at) {
        WindowMenus* w = MenusOf(hwnd, false);
        if (!w) return;
        QMenu menu;
        FillContext(&menu, hwnd, *w);
        menu.exec(client->mapToGlobal(at));
    });
}

// Shows the bar above the client area; the frame grows so that the client keeps its size.
void ShowBar(HWND hwnd, WindowMenus& wm) {
    ui::detail::WindowRecord* rec = ui::detail::Find(hwnd);
    if (!rec || !rec->topLevel) return;
    QWidget* frame = rec->widget;
    auto* layout = qobject_cast<QVBoxLayout*>(frame->layout());
    if (!layout) return;
    if (!wm.bar) {
        if (wm.qtBar) {
            const int h = wm.qtBar->height();
            layout->setMenuBar(nullptr);
            delete wm.qtBar.data();
            const bool fixed = frame->minimumSize() == frame->maximumSize();
            if (fixed) frame->setFixedSize(frame->width(), frame->height() - h);
            else frame->resize(frame->width(), frame->height() - h);
        }
        return;
    }
    if (wm.qtBar) {
        wm.qtBar->clear();
        Fill(wm.qtBar.data(), wm.bar, hwnd, false);
        return;
    }
    const QSize client = rec->client->size();
    auto* bar = new QMenuBar(frame);
    bar->setNativeMenuBar(false);  // in the window, where the client area's size accounts for it
    wm.qtBar = bar;
    Fill(bar, wm.bar, hwnd, false);
    layout->setMenuBar(bar);
    const int h = bar->sizeHint().height();
    const bool fixed = frame->minimumSize() == frame->maximumSize();
    if (fixed) frame->setFixedSize(client.width(), client.height() + h);
    else frame->resize(client.width(), client.height() + h);
    layout->activate();
}

void Rebuild(HWND hwnd) {
    WindowMenus* wm = MenusOf(hwnd, false);
    ui::detail::WindowRecord* rec = ui::detail::Find(hwnd);
    if (!wm || !rec) return;
    // The bar is shown once the window is; before that only the model changes.
    if (rec->widget->isVisible() || wm->qtBar) ShowBar(hwnd, *wm);
}

// Shows the bar when the window first appears.
class ShowWatcher final : public QObject {
public:
    explicit ShowWatcher(HWND hwnd, QObject* parent) : QObject(parent), m_hwnd(hwnd) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) {
            if (WindowMenus* wm = MenusOf(m_hwnd, false); wm && wm->bar && !wm->qtBar) ShowBar(m_hwnd, *wm);
        }
        return false;
    }

private:
    HWND m_hwnd;
};

bool AttachBar(HWND hwnd, HMENU menu) {
    ui::detail::WindowRecord* rec = ui::detail::Find(hwnd);
    if (!rec || !rec->topLevel) return false;
    if (menu && (menu->parent || (menu->window && menu->window != hwnd))) return false;
    WindowMenus* wm = MenusOf(hwnd, true);
    if (wm->bar == menu) return true;
    if (wm->bar) {
        // The platform leaves a replaced menu to its caller; here the window owned it.
        delete wm->bar;
    }
    wm->bar = menu;
    if (menu) {
        menu->TakeOver();
        menu->window = hwnd;
        if (!wm->watchingShow) {
            wm->watchingShow = true;
            rec->widget->installEventFilter(new ShowWatcher(hwnd, rec->widget));
        }
        InstallContextMenu(hwnd, *wm);
    }
    Rebuild(hwnd);
    return true;
}

std::vector<ui::MenuItemInfo> Describe(HMENU menu, HWND hwnd, bool system) {
    std::vector<ui::MenuItemInfo> out;
    for (const HMENU__::Item& item : menu->items) {
        ui::MenuItemInfo info;
        info.text = item.text;
        info.id = item.id;
        info.separator = (item.flags & MF_SEPARATOR) != 0;
        info.popup = item.popup != nullptr;
        info.grayed = (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
        info.checked = (item.flags & MF_CHECKED) != 0;
        info.enabled = !info.separator && ShownEnabled(hwnd, item, system);
        if (item.popup) info.items = Describe(item.popup, hwnd, system);
        out.push_back(std::move(info));
    }
    return out;
}

}  // namespace

// ---- the layer's hook ---------------------------------------------------------------------------
namespace ui::detail {

void TopLevelRegistered(HWND hwnd) {
    WindowRecord* rec = Find(hwnd);
    auto* dialog = rec ? dynamic_cast<CDialog*>(rec->wnd) : nullptr;
    if (!dialog) return;
    UINT menuId = 0;
    {
        std::lock_guard lock(g_resourceMutex);
        auto it = DialogMenus().find(dialog->m_nIDTemplate);
        if (it == DialogMenus().end()) return;
        menuId = it->second;
    }
    const std::vector<ui::menu::Entry>* entries = ui::menu::FindMenu(menuId);
    if (entries) AttachBar(hwnd, Build(*entries));
}

}  // namespace ui::detail

// ---- CMenu ------------------------------------------------------------------------------------------
CMenu::CMenu() = default;

CMenu::~CMenu() {
    if (m_owns) {
        DestroyMenu();
    } else if (m_hMenu) {
        RunUi([&] {
            if (m_hMenu && m_hMenu->holder == this) m_hMenu->holder = nullptr;
        });
    }
}

CMenu* CMenu::FromHandle(HMENU menu) {
    if (!menu) return nullptr;
    CMenu* result = nullptr;
    RunUi([&] {
        if (!menu->wrapper) {
            menu->wrapper = std::make_unique<CMenu>();
            menu->wrapper->m_hMenu = menu;
        }
        result = menu->wrapper.get();
    });
    return result;
}

BOOL CMenu::LoadMenu(UINT resourceId) {
    const std::vector<ui::menu::Entry>* entries = ui::menu::FindMenu(resourceId);
    if (!entries) return FALSE;
    HMENU menu = nullptr;
    RunUi([&] { menu = Build(*entries); });
    return Attach(menu);
}

BOOL CMenu::CreateMenu() {
    HMENU menu = nullptr;
    RunUi([&] { menu = new HMENU__; });
    return Attach(menu);
}

BOOL CMenu::CreatePopupMenu() { return CreateMenu(); }

BOOL CMenu::DestroyMenu() {
    HMENU menu = m_hMenu;
    if (!menu) return FALSE;
    BOOL ok = FALSE;
    bool keep = false;
    RunUi([&] {
        if (menu->parent || menu->window) {
            // A menu a window or another menu shows is theirs: only this object lets go.
            keep = menu->wrapper.get() == this;
            if (menu->holder == this) menu->holder = nullptr;
            return;
        }
        keep = menu->wrapper.get() == this;  // the menu's own object goes with it
        delete menu;
        ok = TRUE;
    });
    if (!keep) {
        m_hMenu = nullptr;
        m_owns = false;
    }
    return ok;
}

BOOL CMenu::Attach(HMENU menu) {
    if (!menu) return FALSE;
    if (m_owns) DestroyMenu();
    RunUi([&] {
        if (!menu->parent && !menu->window) menu->holder = this;
    });
    m_hMenu = menu;
    m_owns = true;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU menu = m_hMenu;
    RunUi([&] {
        if (menu && menu->holder == this) menu->holder = nullptr;
    });
    m_hMenu = nullptr;
    m_owns = false;
    return menu;
}

int CMenu::GetMenuItemCount() const {
    int n = -1;
    RunUi([&] {
        if (m_hMenu) n = static_cast<int>(m_hMenu->items.size());
    });
    return n;
}

UINT CMenu::GetMenuItemID(int position) const {
    UINT id = kMenuError;
    RunUi([&] {
        if (!m_hMenu || position < 0 || static_cast<std::size_t>(position) >= m_hMenu->items.size()) return;
        const HMENU__::Item& item = m_hMenu->items[static_cast<std::size_t>(position)];
        id = item.popup ? kMenuError : (item.flags & MF_SEPARATOR) ? 0 : item.id;
    });
    return id;
}

CMenu* CMenu::GetSubMenu(int position) const {
    HMENU popup = nullptr;
    RunUi([&] {
        if (!m_hMenu || position < 0 || static_cast<std::size_t>(position) >= m_hMenu->items.size()) return;
        popup = m_hMenu->items[static_cast<std::size_t>(position)].popup;
    });
    return FromHandle(popup);
}

int CMenu::GetMenuString(UINT item, std::string& text, UINT flags) const {
    text.clear();
    WithItem(m_hMenu, item, flags, [&](HMENU owner, std::size_t index) { text = owner->items[index].text; });
    return static_cast<int>(text.size());
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const {
    UINT state = kMenuError;
    WithItem(m_hMenu, item, flags, [&](HMENU owner, std::size_t index) {
        const HMENU__::Item& it = owner->items[index];
        state = it.flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_POPUP);
        if (it.popup) state |= static_cast<UINT>(it.popup->items.size()) << 8;
    });
    return state;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idNewItem, const std::string& text) {
    BOOL ok = FALSE;
    RunUi([&] {
        if (m_hMenu) ok = Place(m_hMenu, m_hMenu->items.size(), MakeItem(flags, idNewItem, text)) ? TRUE : FALSE;
    });
    return ok;
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idNewItem, const std::string& text) {
    BOOL ok = FALSE;
    RunUi([&] {
        if (!m_hMenu) return;
        HMENU owner = m_hMenu;
        std::size_t index = m_hMenu->items.size();  // by position past the end: appended
        if (!(flags & MF_BYPOSITION) && !Locate(m_hMenu, position, flags, &owner, &index)) return;
        if (flags & MF_BYPOSITION) index = position;
        ok = Place(owner, index, MakeItem(flags, idNewItem, text)) ? TRUE : FALSE;
    });
    return ok;
}

BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR idNewItem, const std::string& text) {
    BOOL ok = FALSE;
    WithItem(m_hMenu, position, flags, [&](HMENU owner, std::size_t index) {
        HMENU__::Item replacement = MakeItem(flags, idNewItem, text);
        if (replacement.popup && (replacement.popup == owner || replacement.popup->parent || replacement.popup->window))
            return;
        HMENU__::Item& item = owner->items[index];
        if (item.popup && item.popup != replacement.popup) delete item.popup;  // a replaced popup goes
        if (replacement.popup) {
            replacement.popup->TakeOver();
            replacement.popup->parent = owner;
        }
        item = std::move(replacement);
        Changed(owner);
        ok = TRUE;
    });
    return ok;
}

namespace {
BOOL Take(HMENU menu, UINT position, UINT flags, bool destroy) {
    return WithItem(menu, position, flags,
                    [&](HMENU owner, std::size_t index) {
                        HMENU popup = owner->items[index].popup;
                        owner->items.erase(owner->items.begin() + static_cast<std::ptrdiff_t>(index));
                        if (popup) {
                            if (destroy) {
                                delete popup;
                            } else {
                                popup->parent = nullptr;
                            }
                        }
                        Changed(owner);
                    })
               ? TRUE
               : FALSE;
}
}  // namespace

BOOL CMenu::DeleteMenu(UINT position, UINT flags) { return Take(m_hMenu, position, flags, true); }
BOOL CMenu::RemoveMenu(UINT position, UINT flags) { return Take(m_hMenu, position, flags, false); }

namespace {
// Sets the item's bits of `mask` to those of `flags`; returns the bits before, or kMenuError.
UINT SetState(HMENU menu, UINT item, UINT flags, UINT mask) {
    UINT previous = kMenuError;
    WithItem(menu, item, flags, [&](HMENU owner, std::size_t index) {
        UINT& f = owner->items[index].flags;
        previous = f & mask;
        f = (f & ~mask) | (flags & mask);
        Changed(owner);
    });
    return previous;
}
}  // namespace

UINT CMenu::EnableMenuItem(UINT item, UINT enable) { return SetState(m_hMenu, item, enable, MF_GRAYED | MF_DISABLED); }
UINT CMenu::CheckMenuItem(UINT item, UINT check) { return SetState(m_hMenu, item, check, MF_CHECKED); }

// ---- CWnd's menus ------------------------------------------------------------------------------------
CMenu* CWnd::GetMenu() const {
    HMENU bar = nullptr;
    RunUi([&] {
        if (WindowMenus* wm = MenusOf(m_hWnd.load(), false)) bar = wm->bar;
    });
    return CMenu::FromHandle(bar);
}

BOOL CWnd::SetMenu(CMenu* menu) {
    BOOL ok = FALSE;
    RunUi([&] { ok = AttachBar(m_hWnd.load(), menu ? menu->m_hMenu : nullptr) ? TRUE : FALSE; });
    return ok;
}

CMenu* CWnd::GetSystemMenu(BOOL revert) const {
    HMENU system = nullptr;
    RunUi([&] {
        const HWND h = m_hWnd.load();
        ui::detail::WindowRecord* rec = ui::detail::Find(h);
        if (!rec || !rec->topLevel || !(rec->style & WS_SYSMENU)) return;
        WindowMenus* wm = MenusOf(h, true);
        if (revert) {
            delete wm->system;
            wm->system = nullptr;
            return;
        }
        if (!wm->system) {
            wm->system = DefaultSystemMenu(rec->style);
            wm->system->window = h;
        }
        InstallContextMenu(h, *wm);
        system = wm->system;
    });
    return CMenu::FromHandle(system);
}

void CWnd::DrawMenuBar() {
    RunUi([&] { Rebuild(m_hWnd.load()); });
}

// ---- the resource form ------------------------------------------------------------------------------
namespace ui::menu {

Entry Item(const std::string& text, UINT id, UINT flags) {
    Entry e;
    e.text = text;
    e.id = id;
    e.flags = flags;
    return e;
}

Entry Separator() {
    Entry e;
    e.kind = Entry::Kind::Separator;
    return e;
}

Entry Popup(const std::string& text, std::initializer_list<Entry> items) {
    Entry e;
    e.kind = Entry::Kind::Popup;
    e.text = text;
    e.items = items;
    return e;
}

Registration::Registration(UINT id, std::vector<Entry> items) {
    std::lock_guard lock(g_resourceMutex);
    Templates()[id] = std::move(items);
}

DialogMenu::DialogMenu(UINT dialogId, UINT menuId) {
    std::lock_guard lock(g_resourceMutex);
    DialogMenus()[dialogId] = menuId;
}

const std::vector<Entry>* FindMenu(UINT id) {
    std::lock_guard lock(g_resourceMutex);
    auto it = Templates().find(id);
    return it == Templates().end() ? nullptr : &it->second;
}

}  // namespace ui::menu

// ---- for tests ------------------------------------------------------------------------------------------
namespace ui {

std::vector<MenuItemInfo> ReadMenu(HWND hwnd, bool systemMenu) {
    std::vector<MenuItemInfo> out;
    RunOnUiThread([&] {
        WindowMenus* wm = MenusOf(hwnd, false);
        HMENU menu = wm ? (systemMenu ? wm->system : wm->bar) : nullptr;
        if (menu) out = Describe(menu, hwnd, systemMenu);
    });
    return out;
}

namespace {
QAction* FindAction(const QList<QAction*>& actions, const std::vector<std::string>& path, std::size_t at) {
    for (QAction* a : actions) {
        if (a->isSeparator() || a->text().toStdString() != path[at]) continue;
        if (at + 1 == path.size()) return a;
        if (QMenu* sub = a->menu()) return FindAction(sub->actions(), path, at + 1);
        return nullptr;
    }
    return nullptr;
}
}  // namespace

MenuChoice ChooseMenuItem(HWND hwnd, const std::vector<std::string>& path, bool systemMenu) {
    MenuChoice result = MenuChoice::NotFound;
    RunOnUiThread([&] {
        WindowMenus* wm = MenusOf(hwnd, false);
        if (!wm || path.empty()) return;
        if (!systemMenu && wm->bar) Rebuild(hwnd);
        // The window menu is reached through the context menu, built as it is shown.
        QMenu context;
        QList<QAction*> actions;
        if (systemMenu) {
            if (!wm->system) return;
            Fill(&context, wm->system, hwnd, true);
            actions = context.actions();
        } else {
            if (!wm->qtBar) return;
            actions = wm->qtBar->actions();
        }
        QAction* action = FindAction(actions, path, 0);
        if (!action) return;
        if (!action->isEnabled()) {
            result = MenuChoice::Disabled;
            return;
        }
        // Every menu on the way must be enabled too.
        for (std::size_t n = 1; n < path.size(); ++n) {
            QAction* step = FindAction(
                actions, std::vector<std::string>(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(n)), 0);
            if (step && (!step->isEnabled() || (step->menu() && !step->menu()->isEnabled()))) {
                result = MenuChoice::Disabled;
                return;
            }
        }
        action->trigger();
        result = MenuChoice::Done;
    });
    return result;
}

}  // namespace ui
