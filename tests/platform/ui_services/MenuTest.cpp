// Menus: a dialog's menu bar from its menu resource, changes by command and by position, items
// without a handler shown disabled, the window menu with an added item, the main menu resource.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMenuBar>
#include <QWidget>
#include <vector>

#include "platform/ui/Menu.h"
#include "platform/ui/Template.h"
#include "tests/support/ui/UiHarness.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using namespace std::chrono_literals;

namespace {

enum : int { IDD_MENUED = 9501, IDD_PLAIN = 9502 };
enum : UINT { IDM_MENU = 9501, ID_OPEN = 40001, ID_SAVE = 40002, ID_DEEP = 40003, ID_GONE = 40004, ID_LAST = 40005 };
constexpr UINT IDM_ABOUT = 0x0010;

// clang-format off
UI_DIALOG_TEMPLATE(IDD_MENUED, "Menued", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    Column({Frame(IDC_STATIC).Size(200, 80)}))
// clang-format on
UI_DIALOG_TEMPLATE(IDD_PLAIN, "Plain", DS_MODALFRAME | WS_POPUP | WS_CAPTION, Column({Frame(IDC_STATIC).Size(50, 20)}))

// clang-format off
UI_MENU_TEMPLATE(IDM_MENU,
    Popup("File   ", {
        Item("&Open", ID_OPEN),
        Item("Save ", ID_SAVE),
        Separator(),
        Popup("More", {
            Item("Deep", ID_DEEP),
            Item("Gone", ID_GONE),
        }),
    }),
    Popup("Second", {Item("Last", ID_LAST)}),
    Popup("Third", {Item("Unhandled", 40099)}))
// clang-format on
UI_DIALOG_MENU(IDD_MENUED, IDM_MENU)

class CMenuedDlg : public CDialog {
public:
    CMenuedDlg() : CDialog(IDD_MENUED) {}
    std::vector<UINT> commands;
    std::vector<UINT> sysCommands;

    DECLARE_MESSAGE_MAP()
    void OnOpen() { commands.push_back(ID_OPEN); }
    void OnSave() { commands.push_back(ID_SAVE); }
    void OnDeep() { commands.push_back(ID_DEEP); }
    void OnGone() { commands.push_back(ID_GONE); }
    void OnLast() { commands.push_back(ID_LAST); }
    void OnSysCommand(UINT id, LPARAM lParam) override {
        sysCommands.push_back(id);
        CDialog::OnSysCommand(id, lParam);
    }
};
BEGIN_MESSAGE_MAP(CMenuedDlg, CDialog)
    ON_COMMAND(ID_OPEN, OnOpen)
    ON_COMMAND(ID_SAVE, OnSave)
    ON_COMMAND(ID_DEEP, OnDeep)
    ON_COMMAND(ID_GONE, OnGone)
    ON_COMMAND(ID_LAST, OnLast)
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

std::vector<std::string> Texts(const std::vector<ui::MenuItemInfo>& items) {
    std::vector<std::string> out;
    for (const auto& i : items) out.push_back(i.separator ? "-" : i.text);
    return out;
}

struct Open {
    Harness ui;
    CMenuedDlg dlg;
    Open() {
        EXPECT_TRUE(dlg.Create(IDD_MENUED));
        dlg.ShowWindow(SW_SHOW);
        ui::test::Pump(20ms);
    }
    ~Open() { dlg.DestroyWindow(); }
};

TEST(Menus, TheTemplatesMenuIsTheBarWithItsTextsAndHandledItemsEnabled) {
    Open o;
    DialogDriver d(o.dlg);
    const auto bar = d.Menu();
    EXPECT_EQ(Texts(bar), (std::vector<std::string>{"File   ", "Second", "Third"}));
    EXPECT_EQ(Texts(bar[0].items), (std::vector<std::string>{"&Open", "Save ", "-", "More"}));
    EXPECT_TRUE(bar[0].items[0].enabled);
    EXPECT_FALSE(bar[2].items[0].enabled);  // no handler: shown disabled
    EXPECT_EQ(bar[2].items[0].id, 40099u);

    CMenu* menu = o.dlg.GetMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetMenuItemCount(), 3);
    std::string text;
    menu->GetMenuString(ID_DEEP, text, MF_BYCOMMAND);
    EXPECT_EQ(text, "Deep");
    EXPECT_EQ(menu->GetSubMenu(0)->GetMenuItemID(1), static_cast<UINT>(ID_SAVE));
    EXPECT_EQ(menu->GetSubMenu(0)->GetMenuItemID(3), kMenuError);  // a popup
    EXPECT_EQ(menu->GetSubMenu(0)->GetMenuItemID(2), 0u);          // a separator
    EXPECT_EQ(menu->GetSubMenu(5), nullptr);

    // The bar sits above the client area, which keeps its size.
    QWidget* client = ui::WidgetOf(o.dlg.GetSafeHwnd());
    auto* qtBar = client->window()->findChild<QMenuBar*>();
    ASSERT_NE(qtBar, nullptr);
    EXPECT_EQ(qtBar->actions().size(), 3);
    EXPECT_GE(client->y(), qtBar->height());
    EXPECT_EQ(client->size(), QSize(client->window()->width(), client->window()->height() - client->y()));
}

TEST(Menus, ChoosingAnItemSendsItsCommandThroughTheMessageMap) {
    Open o;
    DialogDriver d(o.dlg);
    d.ChooseMenu({"File   ", "&Open"});
    d.ChooseMenu({"File   ", "More", "Deep"});
    ui::test::WaitUntil([&] { return o.dlg.commands.size() == 2; });
    EXPECT_EQ(o.dlg.commands, (std::vector<UINT>{ID_OPEN, ID_DEEP}));
    EXPECT_EQ(ui::ChooseMenuItem(o.dlg.GetSafeHwnd(), {"Third", "Unhandled"}), ui::MenuChoice::Disabled);
    EXPECT_EQ(ui::ChooseMenuItem(o.dlg.GetSafeHwnd(), {"File   ", "Nothing"}), ui::MenuChoice::NotFound);
}

TEST(Menus, ItemsChangeByCommandAndByPosition) {
    Open o;
    DialogDriver d(o.dlg);
    CMenu* menu = o.dlg.GetMenu();
    // By command: found inside nested popups.
    EXPECT_TRUE(menu->DeleteMenu(ID_GONE, MF_BYCOMMAND));
    EXPECT_FALSE(menu->DeleteMenu(ID_GONE, MF_BYCOMMAND));
    EXPECT_TRUE(menu->ModifyMenu(ID_SAVE, MF_BYCOMMAND | MF_STRING, ID_SAVE, "Save As"));
    // By position: the first popup's item 0 replaced, a popup deleted with its items.
    EXPECT_TRUE(menu->GetSubMenu(0)->ModifyMenu(0, MF_BYPOSITION | MF_STRING, ID_LAST, "Open Last"));
    EXPECT_TRUE(menu->DeleteMenu(1, MF_BYPOSITION));  // "Second"
    EXPECT_TRUE(menu->GetSubMenu(0)->AppendMenu(MF_STRING, ID_OPEN, "Open again"));
    EXPECT_TRUE(menu->GetSubMenu(0)->AppendMenu(MF_SEPARATOR));
    EXPECT_FALSE(menu->ModifyMenu(9, MF_BYPOSITION, 1, "x"));

    const auto bar = d.Menu();
    EXPECT_EQ(Texts(bar), (std::vector<std::string>{"File   ", "Third"}));
    EXPECT_EQ(Texts(bar[0].items), (std::vector<std::string>{"Open Last", "Save As", "-", "More", "Open again", "-"}));
    EXPECT_EQ(Texts(bar[0].items[3].items), (std::vector<std::string>{"Deep"}));
    EXPECT_EQ(bar[0].items[0].id, static_cast<UINT>(ID_LAST));
    // The Qt bar follows the model.
    d.ChooseMenu({"File   ", "Open Last"});
    d.ChooseMenu({"File   ", "Save As"});
    ui::test::WaitUntil([&] { return o.dlg.commands.size() == 2; });
    EXPECT_EQ(o.dlg.commands, (std::vector<UINT>{ID_LAST, ID_SAVE}));
}

TEST(Menus, DisabledItemsAndRemovedPopups) {
    Open o;
    DialogDriver d(o.dlg);
    CMenu* menu = o.dlg.GetMenu();
    EXPECT_EQ(menu->EnableMenuItem(ID_OPEN, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(menu->GetMenuState(ID_OPEN, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
    EXPECT_FALSE(d.Menu()[0].items[0].enabled);
    EXPECT_EQ(ui::ChooseMenuItem(o.dlg.GetSafeHwnd(), {"File   ", "&Open"}), ui::MenuChoice::Disabled);
    EXPECT_EQ(menu->EnableMenuItem(ID_OPEN, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    d.ChooseMenu({"File   ", "&Open"});
    ui::test::WaitUntil([&] { return o.dlg.commands.size() == 1; });

    // A removed popup lives on with the caller, who may put it elsewhere.
    CMenu* more = menu->GetSubMenu(0)->GetSubMenu(3);
    ASSERT_NE(more, nullptr);
    const HMENU moreHandle = more->GetSafeHmenu();
    EXPECT_TRUE(menu->GetSubMenu(0)->RemoveMenu(3, MF_BYPOSITION));
    CMenu keeper;
    keeper.Attach(moreHandle);
    EXPECT_EQ(keeper.GetMenuItemCount(), 2);
    EXPECT_TRUE(menu->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(keeper.Detach()), "Moved"));
    EXPECT_EQ(Texts(d.Menu()), (std::vector<std::string>{"File   ", "Second", "Third", "Moved"}));
    d.ChooseMenu({"Moved", "Gone"});
    ui::test::WaitUntil([&] { return o.dlg.commands.size() == 2; });
    EXPECT_EQ(o.dlg.commands.back(), static_cast<UINT>(ID_GONE));
}

TEST(Menus, TheWindowMenuTakesAnAddedItemThatArrivesAsASystemCommand) {
    Open o;
    DialogDriver d(o.dlg);
    CMenu* sys = o.dlg.GetSystemMenu(FALSE);
    ASSERT_NE(sys, nullptr);
    EXPECT_EQ(o.dlg.GetSystemMenu(FALSE), sys);
    const int before = sys->GetMenuItemCount();
    sys->AppendMenu(MF_SEPARATOR);
    sys->AppendMenu(MF_STRING, IDM_ABOUT, "&About DUZ-3300-28ZA1 Module...");
    const auto items = d.Menu(true);
    ASSERT_EQ(static_cast<int>(items.size()), before + 2);
    EXPECT_TRUE(items[static_cast<std::size_t>(before)].separator);
    EXPECT_EQ(items.back().text, "&About DUZ-3300-28ZA1 Module...");
    EXPECT_TRUE(items.back().enabled);
    d.ChooseSystemMenu("&About DUZ-3300-28ZA1 Module...");
    ui::test::WaitUntil([&] { return !o.dlg.sysCommands.empty(); });
    EXPECT_EQ(o.dlg.sysCommands, (std::vector<UINT>{IDM_ABOUT}));
    // The default processing of the window menu's own commands.
    d.ChooseSystemMenu("&Close");
    ui::test::WaitUntil([&] { return !IsWindowVisible(o.dlg.GetSafeHwnd()); });

    CDialog plain(IDD_PLAIN);
    ASSERT_TRUE(plain.Create(IDD_PLAIN));
    EXPECT_EQ(plain.GetSystemMenu(FALSE), nullptr);  // no WS_SYSMENU
    EXPECT_EQ(plain.GetMenu(), nullptr);
    plain.DestroyWindow();
}

TEST(Menus, AMenuMadeAtRunTimeBecomesTheBar) {
    Harness ui;
    CDialog plain(IDD_PLAIN);
    ASSERT_TRUE(plain.Create(IDD_PLAIN));
    plain.ShowWindow(SW_SHOW);
    ui::test::Pump(20ms);
    QWidget* client = ui::WidgetOf(plain.GetSafeHwnd());
    const QSize clientBefore = client->size();
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, ID_OPEN, "Open");
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.GetSafeHmenu()), "File");
    ASSERT_TRUE(plain.SetMenu(&bar));
    EXPECT_EQ(Texts(ui::ReadMenu(plain.GetSafeHwnd())), (std::vector<std::string>{"File"}));
    EXPECT_FALSE(ui::ReadMenu(plain.GetSafeHwnd())[0].items[0].enabled);  // CDialog does not handle it
    ui::test::Pump(20ms);
    EXPECT_EQ(client->size(), clientBefore);
    plain.DestroyWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The window owned the menus: the objects here let go of them with it.
    EXPECT_EQ(bar.GetSafeHmenu(), nullptr);
    EXPECT_EQ(popup.GetSafeHmenu(), nullptr);
}

TEST(Menus, TheMainMenuResourceHoldsThePopupsAndTextsAsGiven) {
    Harness ui;
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(131));
    ASSERT_EQ(menu.GetMenuItemCount(), 4);
    std::string text;
    const std::vector<std::string> tops = {"Device Manager   ", "Public MIB   ", "Tools   ", "About   "};
    for (int i = 0; i < 4; ++i) {
        menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
        EXPECT_EQ(text, tops[static_cast<std::size_t>(i)]);
    }
    CMenu* device = menu.GetSubMenu(0);
    device->GetMenuString(8, text, MF_BYPOSITION);
    EXPECT_EQ(text, "PoE");
    const struct {
        UINT id;
        const char* text;
    } items[] = {{32774, "Port Configuration"},
                 {32828, "Auto Surveillance VLAN Setting "},
                 {32873, "&Loopback Detection "},
                 {32826, "&LLDP Remote Port Information"},
                 {32889, "802.1X  Settings "},
                 {32866, "Black List "},
                 {32852, "PoE Port Settings "},
                 {32812, "UDP Service"},
                 {32789, "Web"},
                 {57664, "About DUZ-3300-48"}};
    for (const auto& item : items) {
        menu.GetMenuString(item.id, text, MF_BYCOMMAND);
        EXPECT_EQ(text, item.text) << item.id;
    }
    // The pruning the main dialog does: by command from the first popup, then the PoE popup.
    EXPECT_TRUE(device->DeleteMenu(32852, MF_BYCOMMAND));
    EXPECT_TRUE(device->DeleteMenu(32860, MF_BYCOMMAND));
    EXPECT_TRUE(device->DeleteMenu(8, MF_BYPOSITION));
    EXPECT_EQ(device->GetMenuItemCount(), 8);
    menu.GetMenuString(2, text, MF_BYPOSITION);
    EXPECT_EQ(text, "Tools   ");
}

}  // namespace
