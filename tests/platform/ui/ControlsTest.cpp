// Controls, handles, reflection and key translation.
#include <gtest/gtest.h>

#include <Qt>

#include "platform/ui/App.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/Template.h"
#include "tests/support/ui/UiHarness.h"

using ui::test::DialogDriver;
using ui::test::Harness;

namespace {

enum : int {
    IDD_CONTROLS = 9101,
    IDC_LIST = 1101,
    IDC_NUMBER = 1102,
    IDC_SHORT = 1103,
    IDC_SECRET = 1104,
    IDC_READONLY = 1105,
    IDC_ADDRESS = 1106,
    IDC_PROGRESS = 1107,
    IDC_LABEL = 1108,
    IDC_EDITABLE = 1109,
    IDC_LATE = 1110,
};

// clang-format off
UI_DIALOG_TEMPLATE(IDD_CONTROLS, "Controls", DS_MODALFRAME | WS_CAPTION,
    Column({
        List(IDC_LIST, LVS_REPORT).Size(320, 150),
        Row({Edit(IDC_NUMBER, ES_NUMBER), Edit(IDC_SHORT), Edit(IDC_SECRET, ES_PASSWORD),
             Edit(IDC_READONLY, ES_READONLY)}),
        Row({IpAddress(IDC_ADDRESS), Progress(IDC_PROGRESS), Label(IDC_LABEL, "Entries:"), Combo(IDC_EDITABLE, CBS_DROPDOWN)}),
        Row({Stretch(), Button(IDCANCEL, "&Close")}),
    }))
// clang-format on

// A list that colours its own cells and swallows the space bar, as report lists do.
class CColourList : public CListCtrl {
public:
    std::vector<std::string> log;

protected:
    void OnCustomDraw(NMHDR* hdr, LRESULT* result) {
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT || cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            *result = CDRF_NOTIFYSUBITEMDRAW;
            return;
        }
        cd->clrText = RGB(static_cast<int>(cd->nmcd.dwItemSpec), cd->iSubItem, 0);
        cd->clrTextBk = RGB(0, 0, 200);
        *result = CDRF_DODEFAULT;
    }
    BOOL OnColumnClick(NMHDR* hdr, LRESULT*) {
        log.push_back("list sorts " + std::to_string(reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem));
        return FALSE;  // the dialog hears of it too
    }
    void OnEndTrack(NMHDR*, LRESULT*) { log.push_back("end track"); }
    BOOL PreTranslateMessage(MSG* msg) override { return msg->message == WM_KEYDOWN && msg->wParam == VK_SPACE; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CColourList, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT_EX(LVN_COLUMNCLICK, OnColumnClick)
    ON_NOTIFY(HDN_ENDTRACK, 0, OnEndTrack)
END_MESSAGE_MAP()

class CControlsDlg : public CDialog {
public:
    CControlsDlg() : CDialog(IDD_CONTROLS) {}
    CColourList m_list;
    CEdit m_number, m_short;
    CProgressCtrl m_progress;
    CIPAddressCtrl m_address;
    std::vector<std::string> m_events;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, IDC_LIST, m_list);
        DDX_Control(dx, IDC_NUMBER, m_number);
        DDX_Control(dx, IDC_SHORT, m_short);
        DDX_Control(dx, IDC_PROGRESS, m_progress);
        DDX_Control(dx, IDC_ADDRESS, m_address);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
        m_list.InsertColumn(0, " Port", LVCFMT_CENTER, 100);
        m_list.InsertColumn(1, " Link Status ", LVCFMT_CENTER, 130);
        for (int i = 0; i < 30; ++i) {
            const int row = m_list.InsertItem(i, std::to_string(i + 1));
            m_list.SetItemText(row, 1, i % 2 ? "Down" : "Up");
            m_list.SetItemData(row, static_cast<DWORD_PTR>(100 + i));
        }
        m_short.LimitText(4);
        return TRUE;
    }
    void OnItemChanged(NMHDR* hdr, LRESULT*) {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
        if ((nm->uNewState ^ nm->uOldState) & LVIS_SELECTED) {
            m_events.push_back(std::string(nm->uNewState & LVIS_SELECTED ? "select " : "deselect ") +
                               std::to_string(nm->iItem));
        }
        if ((nm->uNewState ^ nm->uOldState) & LVIS_STATEIMAGEMASK) {
            m_events.push_back("check " + std::to_string(nm->iItem) + " " + std::to_string(nm->uNewState >> 12));
        }
    }
    void OnColumnClick(NMHDR* hdr, LRESULT*) {
        m_events.push_back("dialog sorts " + std::to_string(reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem));
    }
    void OnDoubleClick(NMHDR* hdr, LRESULT*) {
        m_events.push_back("open " + std::to_string(reinterpret_cast<NMITEMACTIVATE*>(hdr)->iItem));
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CControlsDlg, CDialog)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_LIST, OnItemChanged)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_LIST, OnColumnClick)
    ON_NOTIFY(NM_DBLCLK, IDC_LIST, OnDoubleClick)
END_MESSAGE_MAP()

}  // namespace

TEST(ListCtrl, RowsCellsDataSelectionAndSearch) {
    Harness ui;
    CControlsDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        CListCtrl& list = dlg.m_list;
        EXPECT_EQ(d.GetColumns(IDC_LIST), (std::vector<std::string>{" Port", " Link Status "}));
        EXPECT_EQ(list.GetColumnWidth(1), 130);
        ASSERT_EQ(list.GetItemCount(), 30);
        EXPECT_EQ(d.GetRows(IDC_LIST)[3], (std::vector<std::string>{"4", "Down"}));
        EXPECT_EQ(list.GetItemData(3), 103u);
        EXPECT_FALSE(list.SetItemText(30, 0, "x"));  // no such row
        EXPECT_FALSE(list.SetItemText(0, 2, "x"));   // no such column
        EXPECT_EQ(list.GetItemText(99, 0), "");

        // Insertion in the middle moves the rows after it.
        list.InsertItem(1, "new");
        EXPECT_EQ(list.GetItemText(2, 0), "2");
        EXPECT_TRUE(list.DeleteItem(1));

        dlg.m_events.clear();
        d.ClickListRow(IDC_LIST, 4);
        d.ClickListRow(IDC_LIST, 6, 1);
        EXPECT_EQ(dlg.m_events, (std::vector<std::string>{"select 4", "deselect 4", "select 6"}));
        EXPECT_EQ(d.GetSelectedRows(IDC_LIST), (std::vector<int>{6}));
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 6);
        EXPECT_EQ(list.GetNextItem(6, LVNI_SELECTED), -1);
        EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 6);
        POSITION pos = list.GetFirstSelectedItemPosition();
        EXPECT_EQ(list.GetNextSelectedItem(pos), 6);
        EXPECT_EQ(pos, nullptr);

        // The program selects too, and the view follows.
        list.SetItemState(8, LVIS_SELECTED, LVIS_SELECTED);
        EXPECT_EQ(list.GetSelectedCount(), 2u);  // not single-selection
        dlg.m_events.clear();
        d.DoubleClickListRow(IDC_LIST, 2);
        EXPECT_EQ(dlg.m_events.back(), "open 2");
        d.Click(IDCANCEL);
    });
}

TEST(ListCtrl, CheckBoxesCustomDrawHeaderAndGeometry) {
    Harness ui;
    CControlsDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        CListCtrl& list = dlg.m_list;
        dlg.m_events.clear();
        d.CheckListRow(IDC_LIST, 2);
        EXPECT_TRUE(list.GetCheck(2));
        list.SetCheck(2, FALSE);
        EXPECT_FALSE(list.GetCheck(2));
        EXPECT_EQ(dlg.m_events, (std::vector<std::string>{"check 2 2", "check 2 1"}));

        COLORREF text, back;
        list.GetCellColors(5, 1, text, back);
        EXPECT_EQ(text, RGB(5, 1, 0));
        EXPECT_EQ(back, RGB(0, 0, 200));

        // The reflected _EX handler sees the click first and passes it on.
        d.ClickListHeader(IDC_LIST, 1);
        EXPECT_EQ(dlg.m_list.log.back(), "list sorts 1");
        EXPECT_EQ(dlg.m_events.back(), "dialog sorts 1");

        // Geometry: the first rows are visible, a cell lies inside the list.
        EXPECT_EQ(list.GetTopIndex(), 0);
        const int perPage = list.GetCountPerPage();
        EXPECT_GT(perPage, 0);
        EXPECT_LT(perPage, 30);
        CRect cell, client;
        ASSERT_TRUE(list.GetSubItemRect(1, 1, LVIR_LABEL, cell));
        list.GetClientRect(&client);
        EXPECT_EQ(cell.Width(), 130);
        EXPECT_GE(cell.left, 100);
        EXPECT_TRUE(client.PtInRect(cell.TopLeft()));
        EXPECT_TRUE(list.EnsureVisible(29, FALSE));
        EXPECT_GT(list.GetTopIndex(), 0);

        // Dragging a divider resizes the column and tells the list at the end of the drag.
        d.DragListDivider(IDC_LIST, 0, 20);
        EXPECT_EQ(list.GetColumnWidth(0), 120);
        EXPECT_EQ(dlg.m_list.log.back(), "end track");

        // The space bar is swallowed by the list's PreTranslateMessage: no check toggles.
        d.ClickListRow(IDC_LIST, 29);
        d.PressKey(IDC_LIST, Qt::Key_Space);
        EXPECT_FALSE(list.GetCheck(29));
        d.Click(IDCANCEL);
    });
}

TEST(Edits, FiltersLimitsAndReadOnlyAreThoseOfTheStyle) {
    Harness ui;
    CControlsDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        d.TypeText(IDC_NUMBER, "1a2-3");
        EXPECT_EQ(d.GetText(IDC_NUMBER), "123");
        d.TypeText(IDC_SHORT, "abcdef");
        EXPECT_EQ(d.GetText(IDC_SHORT), "abcd");
        d.TypeText(IDC_SECRET, "pw");
        EXPECT_EQ(d.GetText(IDC_SECRET), "pw");
        dlg.SetDlgItemText(IDC_READONLY, "fixed");
        d.TypeText(IDC_READONLY, "typed");
        EXPECT_EQ(d.GetText(IDC_READONLY), "fixed");
        d.TypeText(IDC_ADDRESS, "192.168.1.300");
        BYTE a, b, c, e;
        EXPECT_EQ(dlg.m_address.GetAddress(a, b, c, e), 4);
        EXPECT_EQ(std::vector<int>({a, b, c, e}), std::vector<int>({192, 168, 1, 255}));
        dlg.m_address.ClearAddress();
        EXPECT_TRUE(dlg.m_address.IsBlank());
        EXPECT_EQ(dlg.GetDlgItemInt(IDC_NUMBER), 123u);
        BOOL ok = TRUE;
        dlg.SetDlgItemText(IDC_SHORT, "12x");
        dlg.GetDlgItemInt(IDC_SHORT, &ok);
        EXPECT_FALSE(ok);

        dlg.m_progress.SetRange(0, 100);
        dlg.m_progress.SetPos(99);
        EXPECT_EQ(dlg.m_progress.GetPos(), 99);
        EXPECT_EQ(dlg.m_progress.SetPos(150), 99);
        EXPECT_EQ(dlg.m_progress.GetPos(), 100);

        auto* combo = static_cast<CComboBox*>(dlg.GetDlgItem(IDC_EDITABLE));
        combo->AddString("Monday");
        combo->AddString("monthly");
        combo->AddString("None");
        EXPECT_EQ(combo->GetCurSel(), -1);  // adding selects nothing
        EXPECT_EQ(combo->SetItemData(2, 77), 0);
        EXPECT_EQ(combo->GetItemData(2), 77u);
        EXPECT_EQ(combo->SetItemData(3, 1), CB_ERR);
        EXPECT_EQ(combo->FindString(-1, "MON"), 0);
        EXPECT_EQ(combo->FindString(0, "mon"), 1);
        EXPECT_EQ(combo->FindStringExact(-1, "none"), 2);
        EXPECT_EQ(combo->FindString(-1, "x"), CB_ERR);
        d.TypeText(IDC_EDITABLE, "custom");
        EXPECT_EQ(combo->GetWindowText(), "custom");
        d.Click(IDCANCEL);
    });
}

TEST(Handles, ADeadHandleIsHarmlessAndNeverReused) {
    Harness ui;
    CControlsDlg dlg;
    HWND list = nullptr, dialog = nullptr;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        dialog = dlg.GetSafeHwnd();
        list = ::GetDlgItem(dialog, IDC_LIST);
        EXPECT_EQ(dlg.m_list.GetSafeHwnd(), list);
        EXPECT_EQ(CWnd::FromHandle(list), &dlg.m_list);
        EXPECT_EQ(dlg.GetDlgItem(IDC_LIST), &dlg.m_list);
        EXPECT_EQ(dlg.m_list.GetParent(), &dlg);
        EXPECT_TRUE(dlg.IsChild(&dlg.m_list));
        d.Click(IDCANCEL);
    });
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(SendMessage(list, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessage(dialog, WM_USER, 0, 0));
    EXPECT_FALSE(SetWindowText(list, "x"));
    EXPECT_EQ(GetWindowText(dialog), "");
    EXPECT_EQ(dlg.m_list.InsertItem(0, "late"), -1);
    EXPECT_EQ(dlg.m_list.GetItemCount(), 0);
    EXPECT_EQ(CWnd::FromHandle(list), nullptr);

    CControlsDlg again;
    ui.RunModal(again, [&](DialogDriver& d) {
        EXPECT_NE(again.GetSafeHwnd(), dialog);
        EXPECT_NE(again.m_list.GetSafeHwnd(), list);
        d.Click(IDCANCEL);
    });
}

TEST(Handles, ControlsMadeAtRunTimeLiveAndDieWithTheirObjects) {
    Harness ui;
    CControlsDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        auto box = std::make_unique<CButton>();
        ASSERT_TRUE(box->Create("", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 20, 23, 33), &dlg, IDC_LATE));
        EXPECT_EQ(d.GetRect(IDC_LATE), CRect(10, 20, 23, 33));
        d.Click(IDC_LATE);
        EXPECT_EQ(box->GetCheck(), BST_CHECKED);
        CStatic label;
        ASSERT_TRUE(label.Create("7", WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(30, 20, 43, 33), &dlg));
        EXPECT_EQ(label.GetWindowText(), "7");
        const HWND h = box->GetSafeHwnd();
        box.reset();
        EXPECT_FALSE(IsWindow(h));
        EXPECT_FALSE(d.Exists(IDC_LATE));
        d.Click(IDCANCEL);
    });
}
