#pragma once
// Menus: a window's menu bar, its window (system) menu, and the menu resources they are loaded
// from (resources/menus, see resources/README.md).
//
// A menu is a model that the layer shows with Qt: the menu bar above the window's client area,
// and the same popups, followed by the window menu, as the client area's context menu. Choosing
// an item sends WM_COMMAND with its id to the window (WM_SYSCOMMAND from the window menu),
// through the message map. As the framework the system was written for does, an item whose
// command the window's message map does not handle is shown disabled.
//
// Every operation may be called from any thread; it is carried out on the user-interface thread.
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/ui/Wnd.h"

struct HMENU__;
using HMENU = HMENU__*;

constexpr UINT MF_STRING = 0x0, MF_BYCOMMAND = 0x0, MF_ENABLED = 0x0, MF_UNCHECKED = 0x0;
constexpr UINT MF_GRAYED = 0x1, MF_DISABLED = 0x2, MF_CHECKED = 0x8, MF_POPUP = 0x10;
constexpr UINT MF_BYPOSITION = 0x400, MF_SEPARATOR = 0x800;
constexpr UINT kMenuError = 0xFFFFFFFFu;  // GetMenuItemID of a popup or a bad position; failed state calls

class CMenu {
public:
    CMenu();
    // Destroys a menu that this object created, loaded or attached and still holds.
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }
    // The object of a menu handle; it belongs to the menu and goes when the menu goes.
    static CMenu* FromHandle(HMENU menu);

    // The menu resource of that id (UI_MENU_TEMPLATE); FALSE when there is none.
    BOOL LoadMenu(UINT resourceId);
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();
    BOOL Attach(HMENU menu);
    HMENU Detach();

    // Items by position (MF_BYPOSITION) or by command id (MF_BYCOMMAND, searched in the popups
    // too, depth first).
    int GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const;  // kMenuError for a popup; 0 for a separator
    CMenu* GetSubMenu(int position) const;
    int GetMenuString(UINT item, std::string& text, UINT flags) const;
    UINT GetMenuState(UINT item, UINT flags) const;
    // MF_POPUP: idNewItem is the popup's HMENU, which this menu then owns.
    BOOL AppendMenu(UINT flags, UINT_PTR idNewItem = 0, const std::string& text = {});
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idNewItem = 0, const std::string& text = {});
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idNewItem = 0, const std::string& text = {});
    // Deletes the item; a popup item's menu is destroyed with it.
    BOOL DeleteMenu(UINT position, UINT flags);
    // Removes the item; a popup item's menu is kept (the caller owns it now).
    BOOL RemoveMenu(UINT position, UINT flags);
    // Returns the previous state (MF_ENABLED, MF_GRAYED, MF_DISABLED) or kMenuError.
    UINT EnableMenuItem(UINT item, UINT enable);
    UINT CheckMenuItem(UINT item, UINT check);

private:
    friend struct HMENU__;
    bool m_owns = false;
};

// ---- the menu resource form (resources/menus) ------------------------------------------------
namespace ui::menu {

struct Entry {
    enum class Kind { Item, Separator, Popup };
    Kind kind = Kind::Item;
    std::string text;
    UINT id = 0;
    UINT flags = 0;  // MF_GRAYED, MF_CHECKED
    std::vector<Entry> items;
};
Entry Item(const std::string& text, UINT id, UINT flags = 0);
Entry Separator();
Entry Popup(const std::string& text, std::initializer_list<Entry> items);

struct Registration {
    Registration(UINT id, std::vector<Entry> items);
};
// A dialog made from template `dialogId` gets menu `menuId` as its menu bar.
struct DialogMenu {
    DialogMenu(UINT dialogId, UINT menuId);
};
const std::vector<Entry>* FindMenu(UINT id);

}  // namespace ui::menu

#define UI_MENU_CAT2(a, b) a##b
#define UI_MENU_CAT(a, b) UI_MENU_CAT2(a, b)
// Declares menu resource `id`: its popups and items, in order. Item, Separator and Popup are in scope.
#define UI_MENU_TEMPLATE(id, ...)                                                             \
    namespace {                                                                               \
    const ::ui::menu::Registration UI_MENU_CAT(g_menu_, __LINE__)(static_cast<UINT>(id), [] { \
        using namespace ::ui::menu;                                                           \
        return std::vector<::ui::menu::Entry>{__VA_ARGS__};                                   \
    }());                                                                                     \
    }
// Dialog template `dialogId` carries menu `menuId`.
#define UI_DIALOG_MENU(dialogId, menuId)                                                      \
    namespace {                                                                               \
    const ::ui::menu::DialogMenu UI_MENU_CAT(g_dialog_menu_, __LINE__)((dialogId), (menuId)); \
    }

// ---- the model as shown, for tests ---------------------------------------------------------------
namespace ui {

struct MenuItemInfo {
    std::string text;
    UINT id = 0;
    bool separator = false;
    bool popup = false;
    bool grayed = false;  // MF_GRAYED or MF_DISABLED
    bool checked = false;
    bool enabled = true;  // as shown: not grayed, and (for a command) handled by the window
    std::vector<MenuItemInfo> items;
};
// The window's menu bar (or its window menu), as shown. Empty when it has none.
std::vector<MenuItemInfo> ReadMenu(HWND hwnd, bool systemMenu = false);

enum class MenuChoice { Done, NotFound, Disabled };
// Chooses the item at the path of texts, through the shown Qt menu bar (the window menu: the
// context menu), as a user would.
MenuChoice ChooseMenuItem(HWND hwnd, const std::vector<std::string>& path, bool systemMenu = false);

}  // namespace ui
