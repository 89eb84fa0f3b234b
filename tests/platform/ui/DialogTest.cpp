// Dialogs: templates, data exchange, message maps, modal runs, timers, message boxes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "platform/ui/App.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Template.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"
#include "tests/support/ui/UiHarness.h"

using ui::test::DialogDriver;
using ui::test::Harness;

namespace {

enum : int {
    IDD_FORM = 9001,
    IDD_CHILD = 9002,
    IDD_GRANDCHILD = 9003,
    IDC_NAME = 1001,
    IDC_COUNT = 1002,
    IDC_ENABLE = 1003,
    IDC_MODE_A = 1004,
    IDC_MODE_B = 1005,
    IDC_MODE_C = 1006,
    IDC_SPEED = 1007,
    IDC_APPLY = 1008,
    IDC_OPEN_CHILD = 1009,
    IDC_GROUP = 1010,
    IDC_PORTS = 1011,
    IDC_OTHER_A = 1012,
    IDC_OTHER_B = 1013,
    IDC_CHILD_VALUE = 1020,
    IDC_OPEN_GRANDCHILD = 1021,
};
constexpr UINT WM_FORM_ROW = WM_APP + 7;

// clang-format off
UI_DIALOG_TEMPLATE(IDD_FORM, "Form", DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
    Column({
        Group(IDC_GROUP, "Settings", {
            Grid(2, {
                Label(IDC_STATIC, "Name:"), Edit(IDC_NAME),
                Label(IDC_STATIC, "Count:"), Edit(IDC_COUNT, ES_NUMBER),
                Label(IDC_STATIC, "Speed:"), Combo(IDC_SPEED),
            }),
            Check(IDC_ENABLE, "Enabled"),
            Row({Radio(IDC_MODE_A, "A", true), Radio(IDC_MODE_B, "B"), Radio(IDC_MODE_C, "C")}),
            Row({Radio(IDC_OTHER_A, "Other A", true), Radio(IDC_OTHER_B, "Other B")}),
        }),
        List(IDC_PORTS, LVS_REPORT | LVS_SINGLESEL).Size(300, 120),
        Row({Stretch(), DefButton(IDC_APPLY, "&Apply"), Button(IDC_OPEN_CHILD, "Child..."), Button(IDOK, "OK"),
             Button(IDCANCEL, "&Close")}),
    }))
// clang-format on

// clang-format off
UI_DIALOG_TEMPLATE(IDD_CHILD, "Child", DS_MODALFRAME | WS_CAPTION,
    Column({Edit(IDC_CHILD_VALUE), Row({Button(IDC_OPEN_GRANDCHILD, "More..."), DefButton(IDOK, "OK"),
                                        Button(IDCANCEL, "Cancel")})}))
// clang-format on

UI_DIALOG_TEMPLATE(IDD_GRANDCHILD, "Grandchild", DS_MODALFRAME | WS_CAPTION, Column({DefButton(IDOK, "OK")}))

class CGrandchildDlg : public CDialog {
public:
    CGrandchildDlg() : CDialog(IDD_GRANDCHILD) {}
};

class CChildDlg : public CDialog {
public:
    CChildDlg() : CDialog(IDD_CHILD) {}
    std::string m_value;
    bool m_parentEnabledDuringRun = true;
    HWND m_parent = nullptr;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_CHILD_VALUE, m_value);
        DDV_MaxChars(dx, m_value, 5);
    }
    void OnMore() {
        m_parentEnabledDuringRun = ::IsWindowEnabled(m_parent) != FALSE;
        CGrandchildDlg dlg;
        dlg.DoModal();
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CChildDlg, CDialog)
    ON_BN_CLICKED(IDC_OPEN_GRANDCHILD, OnMore)
END_MESSAGE_MAP()

class CFormDlg : public CDialog {
public:
    CFormDlg() : CDialog(IDD_FORM) {}
    std::string m_name = "port";
    int m_count = 5;
    int m_enable = 1;
    int m_mode = 1;
    int m_speed = 2;
    CListCtrl m_list;
    std::vector<std::string> m_events;
    INT_PTR m_childResult = 0;
    std::string m_childValue;
    bool m_ownerDisabledDuringChild = false;
    int m_timerTicks = 0;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        auto* speed = static_cast<CComboBox*>(GetDlgItem(IDC_SPEED));
        for (const char* s : {"10M", "100M", "1000M", "Auto"}) speed->AddString(s);
        speed->SetCurSel(m_speed);
        m_list.InsertColumn(0, "Port", LVCFMT_LEFT, 60);
        m_list.InsertColumn(1, "State", LVCFMT_CENTER, 80);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, IDC_PORTS, m_list);
        DDX_Text(dx, IDC_NAME, m_name);
        DDX_Text(dx, IDC_COUNT, m_count);
        DDV_MinMaxInt(dx, m_count, 1, 16);
        DDX_Check(dx, IDC_ENABLE, m_enable);
        DDX_Radio(dx, IDC_MODE_A, m_mode);
        DDX_CBIndex(dx, IDC_SPEED, m_speed);
    }
    void OnApply() {
        if (UpdateData(TRUE)) m_events.push_back("apply " + m_name);
    }
    void OnOpenChild() {
        CChildDlg child;
        child.m_value = "ab";
        child.m_parent = m_hWnd;
        m_childResult = child.DoModal();
        m_childValue = child.m_value;
        m_ownerDisabledDuringChild = !child.m_parentEnabledDuringRun;
    }
    void OnNameChange() { m_events.push_back("name changed"); }
    void OnSpeedChange() {
        m_events.push_back("speed " + std::to_string(static_cast<CComboBox*>(GetDlgItem(IDC_SPEED))->GetCurSel()));
    }
    void OnListClick(NMHDR* hdr, LRESULT*) {
        m_events.push_back("click row " + std::to_string(reinterpret_cast<NMITEMACTIVATE*>(hdr)->iItem));
    }
    LRESULT OnRow(WPARAM code, LPARAM text) {
        m_events.push_back("row " + std::to_string(code) + " " + reinterpret_cast<const char*>(text));
        return 42;
    }
    void OnTimer(UINT_PTR id) override {
        if (id == 7) ++m_timerTicks;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CFormDlg, CDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_OPEN_CHILD, OnOpenChild)
    ON_EN_CHANGE(IDC_NAME, OnNameChange)
    ON_CBN_SELCHANGE(IDC_SPEED, OnSpeedChange)
    ON_NOTIFY(NM_CLICK, IDC_PORTS, OnListClick)
    ON_MESSAGE(WM_FORM_ROW, OnRow)
    ON_WM_TIMER()
END_MESSAGE_MAP()

}  // namespace

TEST(Dialog, DataExchangeRoundTripsEveryKind) {
    Harness ui;
    CFormDlg dlg;
    const INT_PTR result = ui.RunModal(dlg, [&](DialogDriver& d) {
        // Loaded from the members by OnInitDialog.
        EXPECT_EQ(d.GetText(IDC_NAME), "port");
        EXPECT_EQ(d.GetText(IDC_COUNT), "5");
        EXPECT_TRUE(d.IsChecked(IDC_ENABLE));
        EXPECT_TRUE(d.IsChecked(IDC_MODE_B));
        EXPECT_FALSE(d.IsChecked(IDC_MODE_A));
        EXPECT_EQ(d.GetSelection(IDC_SPEED), 2);
        EXPECT_EQ(d.GetItems(IDC_SPEED), (std::vector<std::string>{"10M", "100M", "1000M", "Auto"}));

        d.TypeText(IDC_NAME, "uplink");
        d.TypeText(IDC_COUNT, "12");
        d.Check(IDC_ENABLE, false);
        d.Click(IDC_MODE_C);
        d.ChooseComboItem(IDC_SPEED, "Auto");
        d.Click(IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_name, "uplink");
    EXPECT_EQ(dlg.m_count, 12);
    EXPECT_EQ(dlg.m_enable, 0);
    EXPECT_EQ(dlg.m_mode, 2);
    EXPECT_EQ(dlg.m_speed, 3);
    EXPECT_FALSE(IsWindow(dlg.GetSafeHwnd()));
    EXPECT_EQ(dlg.m_list.GetSafeHwnd(), nullptr);  // bound controls go with the dialog
}

TEST(Dialog, RangeCheckRefusesWithMessageAndKeepsDialogOpen) {
    Harness ui;
    CFormDlg dlg;
    ui.ScriptMessageBoxes({IDOK, IDOK});
    const INT_PTR result = ui.RunModal(dlg, [&](DialogDriver& d) {
        d.TypeText(IDC_COUNT, "17");
        d.Click(IDOK);
        EXPECT_TRUE(d.IsOpen());
        d.TypeText(IDC_COUNT, "");
        d.Click(IDOK);
        EXPECT_TRUE(d.IsOpen());
        d.TypeText(IDC_COUNT, "16");
        d.Click(IDOK);
        EXPECT_FALSE(d.IsOpen());
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_count, 16);
    const auto boxes = ui.ShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Please enter an integer between 1 and 16.");
    EXPECT_EQ(boxes[0].Icon(), MB_ICONEXCLAMATION);
    EXPECT_EQ(boxes[1].text, "Please enter an integer.");
}

TEST(Dialog, MessageMapDispatchesCommandsNotificationsAndUserMessages) {
    Harness ui;
    CFormDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        dlg.m_list.InsertItem(0, "1");
        dlg.m_list.InsertItem(1, "2");
        dlg.m_events.clear();
        d.TypeText(IDC_NAME, "ab");  // two keys, two changes
        d.ChooseComboItem(IDC_SPEED, 1);
        d.ClickListRow(IDC_PORTS, 1);
        d.Click(IDC_APPLY);
        EXPECT_EQ(dlg.SendMessage(WM_FORM_ROW, 3, reinterpret_cast<LPARAM>("Finished")), 42);
        d.PressEsc();
    });
    EXPECT_EQ(dlg.m_events, (std::vector<std::string>{"name changed", "name changed", "speed 1", "click row 1",
                                                      "apply ab", "row 3 Finished"}));
}

TEST(Dialog, EnterPressesTheDefaultButtonEscCancels) {
    Harness ui;
    CFormDlg dlg;
    const INT_PTR result = ui.RunModal(dlg, [&](DialogDriver& d) {
        d.TypeText(IDC_NAME, "x");
        d.PressEnter();
        EXPECT_EQ(dlg.m_events.back(), "apply x");
        d.PressEsc();
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST(Dialog, ClosingTheWindowCancels) {
    Harness ui;
    CFormDlg dlg;
    EXPECT_EQ(ui.RunModal(dlg, [](DialogDriver& d) { d.Close(); }), IDCANCEL);
}

TEST(Dialog, ModalInsideModalDisablesOwnersAndReturnsInOrder) {
    Harness ui;
    ui.OnModal<CChildDlg>([&](DialogDriver& d, CChildDlg&) {
        EXPECT_EQ(d.GetText(IDC_CHILD_VALUE), "ab");
        d.Click(IDC_OPEN_GRANDCHILD);
        d.TypeText(IDC_CHILD_VALUE, "abcdefgh");  // limited to 5 by DDV_MaxChars
        d.PressEnter();
    });
    ui.OnModal<CGrandchildDlg>([&](DialogDriver& d) { d.Click(IDOK); });
    CFormDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        d.Click(IDC_OPEN_CHILD);
        EXPECT_TRUE(IsWindowEnabled(dlg.GetSafeHwnd())) << "the owner is enabled again";
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(dlg.m_childResult, IDOK);
    EXPECT_EQ(dlg.m_childValue, "abcde");
    EXPECT_EQ(ui.ModalRuns<CChildDlg>(), 1);
    EXPECT_EQ(ui.ModalRuns<CGrandchildDlg>(), 1);
}

TEST(Dialog, OwnerIsDisabledWhileTheChildRuns) {
    Harness ui;
    bool ownerEnabled = true;
    CFormDlg dlg;
    ui.OnModal<CChildDlg>([&](DialogDriver& d) {
        ownerEnabled = IsWindowEnabled(dlg.GetSafeHwnd()) != FALSE;
        d.Click(IDCANCEL);
    });
    ui.RunModal(dlg, [&](DialogDriver& d) {
        d.Click(IDC_OPEN_CHILD);
        d.Click(IDCANCEL);
    });
    EXPECT_FALSE(ownerEnabled);
    EXPECT_EQ(dlg.m_childResult, IDCANCEL);
}

TEST(Dialog, DoModalRunsARealLoopUntilEndDialog) {
    ui::EnsureApplication();
    CFormDlg dlg;
    // No harness hook: the loop itself must deliver the posted end.
    auto previous = ui::SetModalHook(nullptr);
    QTimer::singleShot(0, [&] {
        dlg.SetTimer(7, 1);
        QTimer::singleShot(50, [&] { dlg.EndDialog(77); });
    });
    EXPECT_EQ(dlg.DoModal(), 77);
    ui::SetModalHook(previous);
    EXPECT_GT(dlg.m_timerTicks, 0);
}

TEST(Dialog, DestroyingTheWindowEndsTheModalRun) {
    ui::EnsureApplication();
    CFormDlg dlg;
    auto previous = ui::SetModalHook(nullptr);
    QTimer::singleShot(0, [&] { dlg.DestroyWindow(); });
    EXPECT_EQ(dlg.DoModal(), -1);
    ui::SetModalHook(previous);
    EXPECT_FALSE(IsWindow(dlg.GetSafeHwnd()));
}

TEST(Dialog, UnknownTemplateFailsTheRun) {
    Harness ui;
    CDialog dlg(4242);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(ui.CapturedDebugLines(), (std::vector<std::string>{"dialog template 4242 not found"}));
}

TEST(Dialog, TimersTickKillAndFollowTheClock) {
    Harness ui;
    CFormDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        win::SetClockSpeed(100);  // 1000 ms of program time is 10 ms
        EXPECT_EQ(dlg.SetTimer(7, 1000), 7u);
        ui::test::WaitUntil([&] { return dlg.m_timerTicks >= 3; }, std::chrono::milliseconds(2000));
        EXPECT_TRUE(dlg.KillTimer(7));
        const int ticks = dlg.m_timerTicks;
        ui::test::Pump(std::chrono::milliseconds(50));
        EXPECT_EQ(dlg.m_timerTicks, ticks);
        EXPECT_FALSE(dlg.KillTimer(7));
        win::SetClockSpeed(1);
        dlg.SetTimer(7, 10);  // still running when the dialog goes
        d.Click(IDCANCEL);
    });
    ui::test::Pump(std::chrono::milliseconds(30));  // a timer of a dead window does nothing
}

TEST(Dialog, TemplateLaysOutControlsInsideTheirGroupAndFixesThem) {
    Harness ui;
    CFormDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        const CRect group = d.GetRect(IDC_GROUP);
        for (int id : {IDC_NAME, IDC_COUNT, IDC_ENABLE, IDC_MODE_A, IDC_SPEED}) {
            const CRect r = d.GetRect(id);
            EXPECT_TRUE(group.PtInRect(r.TopLeft()) && r.right <= group.right && r.bottom <= group.bottom) << id;
        }
        EXPECT_EQ(d.GetRect(IDC_PORTS).Width(), 300);
        EXPECT_LT(d.GetRect(IDC_NAME).top, d.GetRect(IDC_COUNT).top);
        // Fixed: a control moved by the program stays where it was put.
        dlg.GetDlgItem(IDC_APPLY)->MoveWindow(3, 4, 50, 20);
        ui::test::Pump(std::chrono::milliseconds(5));
        EXPECT_EQ(d.GetRect(IDC_APPLY), CRect(3, 4, 53, 24));
        // The window rectangle holds the client area.
        CRect window, client;
        dlg.GetWindowRect(&window);
        dlg.GetClientRect(&client);
        EXPECT_GE(window.Width(), client.Width());
        EXPECT_TRUE(d.GrabPng(::testing::TempDir() + "form.png"));
        d.Click(IDCANCEL);
    });
}

TEST(Dialog, RadioGroupsAreIndependent) {
    Harness ui;
    CFormDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        d.Click(IDC_OTHER_B);
        d.Click(IDC_MODE_A);
        EXPECT_TRUE(d.IsChecked(IDC_OTHER_B));
        EXPECT_TRUE(d.IsChecked(IDC_MODE_A));
        EXPECT_FALSE(d.IsChecked(IDC_MODE_B));
        d.Click(IDC_MODE_A);  // clicking the checked one keeps it checked
        EXPECT_TRUE(d.IsChecked(IDC_MODE_A));
        EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_MODE_A, IDC_MODE_C), IDC_MODE_A);
        d.Click(IDCANCEL);
    });
}

TEST(MessageBoxes, ScriptedAnswersAndEveryBoxIsRecorded) {
    Harness ui;
    ui.ScriptMessageBoxes({IDCANCEL, IDYES, IDRETRY});
    EXPECT_EQ(AfxMessageBox("Do you want to save the configuration?", MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2),
              IDCANCEL);
    EXPECT_EQ(MessageBox(nullptr, "Sure?", "Caption", MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON3), IDYES);
    EXPECT_EQ(AfxMessageBox("Again?", MB_RETRYCANCEL | MB_ICONERROR), IDRETRY);
    const auto boxes = ui.ShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Do you want to save the configuration?");
    EXPECT_EQ(boxes[0].Buttons(), MB_OKCANCEL);
    EXPECT_EQ(boxes[0].Icon(), MB_ICONQUESTION);
    EXPECT_EQ(boxes[0].DefaultButton(), 2);
    EXPECT_EQ(boxes[0].caption, "");
    EXPECT_EQ(boxes[1].caption, "Caption");
    EXPECT_EQ(boxes[1].DefaultButton(), 3);
    EXPECT_EQ(boxes[2].Icon(), MB_ICONERROR);
}

TEST(MessageBoxes, TheQtBoxShowsTextButtonsAndDefault) {
    ui::EnsureApplication();
    struct Case {
        UINT type;
        std::vector<std::string> buttons;
        std::string defaultButton;
        int answer;  // what pressing Enter (the default button) answers
    };
    const Case cases[] = {
        {MB_OK, {"OK"}, "OK", IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, {"OK", "Cancel"}, "Cancel", IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, {"Yes", "No"}, "Yes", IDYES},
        {MB_YESNOCANCEL | MB_DEFBUTTON2, {"Yes", "No", "Cancel"}, "No", IDNO},
        {MB_RETRYCANCEL | MB_ICONERROR, {"Retry", "Cancel"}, "Retry", IDRETRY},
    };
    for (const Case& c : cases) {
        std::vector<std::string> seen;
        std::string seenDefault, seenText, seenTitle;
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (!box || !box->isVisible()) continue;
                seenText = box->text().toStdString();
                seenTitle = box->windowTitle().toStdString();
                for (QAbstractButton* b : box->buttons()) seen.push_back(b->text().remove('&').toStdString());
                if (box->defaultButton()) seenDefault = box->defaultButton()->text().remove('&').toStdString();
                box->defaultButton()->click();
            }
        });
        EXPECT_EQ(ui::ShowQtMessageBox({nullptr, "           Success!           ", "Title", c.type}), c.answer);
        std::sort(seen.begin(), seen.end());
        std::vector<std::string> expected = c.buttons;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(seen, expected) << c.type;
        EXPECT_EQ(seenDefault, c.defaultButton) << c.type;
        EXPECT_EQ(seenText, "           Success!           ");
        EXPECT_EQ(seenTitle, "Title");
    }
}

namespace {
enum : int { IDD_WINDOW = 9010, IDC_REFRESH = 1030 };
// clang-format off
UI_DIALOG_TEMPLATE(IDD_WINDOW, "Window", DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
    Column({Label(IDC_STATIC, "A window that watches its own size"), Row({Button(IDC_REFRESH, "&Refresh"), Button(IDCANCEL, "Close")})}))
// clang-format on

// Records its size messages, keeps a minimum size, and starts a refresh once shown (a
// click posted to itself, as the table views do).
class CWindowDlg : public CDialog {
public:
    CWindowDlg() : CDialog(IDD_WINDOW) {}
    std::vector<std::string> m_sizes;
    int m_refreshes = 0;
    int m_shows = 0;
    int m_minWidth = 0;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        ModifyStyle(0, WS_THICKFRAME);
        CRect r;
        GetWindowRect(&r);
        m_minWidth = r.Width();
        return TRUE;
    }
    void OnSize(UINT type, int cx, int cy) override {
        m_sizes.push_back(std::to_string(type) + ":" + std::to_string(cx) + "x" + std::to_string(cy));
    }
    void OnSizing(UINT, LPRECT rect) override {
        if (rect->right - rect->left < m_minWidth) rect->right = rect->left + m_minWidth;
    }
    void OnShowWindow(BOOL show, UINT) override {
        if (!show) return;
        ++m_shows;
        PostMessage(WM_COMMAND, MAKEWPARAM(IDC_REFRESH, BN_CLICKED),
                    reinterpret_cast<LPARAM>(GetDlgItem(IDC_REFRESH)->GetSafeHwnd()));
    }
    void OnRefresh() { ++m_refreshes; }
    void OnLButtonDown(UINT, CPoint p) override {
        m_mouse.push_back("down " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    void OnMouseMove(UINT flags, CPoint p) override {
        m_mouse.push_back("move " + std::to_string(p.x) + "," + std::to_string(p.y) +
                          (flags & MK_LBUTTON ? " pressed" : ""));
    }

public:
    std::vector<std::string> m_mouse;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CWindowDlg, CDialog)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_SIZE()
    ON_WM_SIZING()
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
END_MESSAGE_MAP()
}  // namespace

TEST(Window, ShowingPostsTheFirstRefreshAndSizesAreReported) {
    Harness ui;
    CWindowDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_EQ(dlg.m_shows, 1);
        EXPECT_EQ(dlg.m_refreshes, 0);  // posted: runs once events flow
        ui::test::WaitUntil([&] { return dlg.m_refreshes == 1; });

        CRect window, client;
        dlg.GetWindowRect(&window);
        dlg.GetClientRect(&client);
        dlg.m_sizes.clear();
        dlg.MoveWindow(window.left, window.top, window.Width() + 40, window.Height() + 10);
        EXPECT_EQ(dlg.m_sizes, (std::vector<std::string>{"0:" + std::to_string(client.Width() + 40) + "x" +
                                                         std::to_string(client.Height() + 10)}));
        // Smaller than the minimum: the sizing handler puts the width back.
        dlg.MoveWindow(window.left, window.top, window.Width() - 30, window.Height());
        CRect now;
        dlg.GetWindowRect(&now);
        EXPECT_EQ(now.Width(), window.Width());

        dlg.m_sizes.clear();
        dlg.ShowWindow(SW_MINIMIZE);
        ui::test::WaitUntil([&] { return dlg.IsIconic() != FALSE; });
        dlg.ShowWindow(SW_RESTORE);
        ui::test::WaitUntil([&] { return dlg.IsIconic() == FALSE; });
        ASSERT_GE(dlg.m_sizes.size(), 2u);
        EXPECT_EQ(dlg.m_sizes.front(), "1:0x0");
        EXPECT_EQ(dlg.m_sizes.back().substr(0, 2), "0:");

        d.MoveMouseTo(12, 7);
        d.ClickAt(30, 4);
        EXPECT_EQ(dlg.m_mouse, (std::vector<std::string>{"move 12,7", "down 30,4"}));

        dlg.ShowWindow(SW_HIDE);
        EXPECT_FALSE(dlg.IsWindowVisible());
        dlg.ShowWindow(SW_SHOWNORMAL);
        EXPECT_TRUE(dlg.IsWindowVisible());

        dlg.SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        EXPECT_TRUE(dlg.GetExStyle() & WS_EX_TOPMOST);
        HICON icon = AfxGetApp() ? AfxGetApp()->LoadIcon(447) : reinterpret_cast<HICON>(447);
        dlg.SetIcon(icon, TRUE);
        EXPECT_EQ(dlg.GetIcon(TRUE), icon);
        EXPECT_EQ(dlg.GetIcon(FALSE), nullptr);
        {
            CWaitCursor wait;
            EXPECT_NE(QApplication::overrideCursor(), nullptr);
        }
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        d.Click(IDCANCEL);
    });
}

namespace {
enum : int { IDD_BASE = 9020, IDC_FIRST = 1040, IDC_SECOND = 1041 };
// clang-format off
UI_DIALOG_TEMPLATE(IDD_BASE, "Maps", DS_MODALFRAME | WS_CAPTION,
    Row({Button(IDC_FIRST, "First"), Button(IDC_SECOND, "Second"), Button(IDCANCEL, "Close")}))
// clang-format on

UINT g_portClickMessage = 0;

// A base dialog with its own map; the derived class overrides one entry and adds others.
class CBaseMapDlg : public CDialog {
public:
    CBaseMapDlg() : CDialog(IDD_BASE) {}
    std::vector<std::string> m_log;

protected:
    void OnFirst() { m_log.push_back("base first"); }
    void OnSecond() { m_log.push_back("base second"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBaseMapDlg, CDialog)
    ON_BN_CLICKED(IDC_FIRST, OnFirst)
    ON_BN_CLICKED(IDC_SECOND, OnSecond)
END_MESSAGE_MAP()

class CDerivedMapDlg : public CBaseMapDlg {
protected:
    void OnSecondHere() { m_log.push_back("derived second"); }
    LRESULT OnPortClick(WPARAM port, LPARAM) {
        m_log.push_back("port " + std::to_string(port));
        return 1;
    }
    BOOL OnCopyData(CWnd*, COPYDATASTRUCT* data) override {
        m_log.push_back("copy " + std::string(static_cast<const char*>(data->lpData), data->cbData));
        return TRUE;
    }
    void OnRange(UINT id) { m_log.push_back("range " + std::to_string(id)); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDerivedMapDlg, CBaseMapDlg)
    ON_BN_CLICKED(IDC_SECOND, OnSecondHere)
    ON_REGISTERED_MESSAGE(g_portClickMessage, OnPortClick)
    ON_WM_COPYDATA()
    ON_CONTROL_RANGE(BN_DOUBLECLICKED, IDC_FIRST, IDC_SECOND, OnRange)
END_MESSAGE_MAP()
}  // namespace

TEST(MessageMap, DerivedEntriesComeFirstAndBaseEntriesStillServe) {
    Harness ui;
    g_portClickMessage = 0xC123;  // a registered number, known only at run time
    CDerivedMapDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        d.Click(IDC_FIRST);
        d.Click(IDC_SECOND);
        EXPECT_EQ(dlg.SendMessage(0xC123, 5, 0), 1);
        const char text[] = "hello";
        COPYDATASTRUCT data{0, 5, const_cast<char*>(text)};
        EXPECT_EQ(dlg.SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), TRUE);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SECOND, BN_DOUBLECLICKED), 0);
        EXPECT_EQ(dlg.SendMessage(WM_USER + 999, 0, 0), 0);  // nobody handles it
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(dlg.m_log,
              (std::vector<std::string>{"base first", "derived second", "port 5", "copy hello", "range 1041"}));
}
