// CReportCtrl: sorting by header clicks, cell colours, cell buttons that follow the view.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>

#include <initializer_list>
#include <utility>
#include <vector>

#include "core/controls/ReportCtrl.h"
#include "platform/ui/Template.h"
#include "tests/support/ui/UiHarness.h"

using ui::test::DialogDriver;
using ui::test::Harness;

namespace {

enum : int { IDD_REPORT = 9401, IDC_REPORT = 1401 };

// The template's list has a header that does not sort: the report list makes it clickable.
// clang-format off
UI_DIALOG_TEMPLATE(IDD_REPORT, "Report", DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
    Column({List(IDC_REPORT, LVS_REPORT | LVS_NOSORTHEADER | LVS_EDITLABELS).Size(420, 200),
            Row({Stretch(), Button(IDCANCEL, "Close")})}))
// clang-format on

class CReportDlg : public CDialog {
public:
    CReportDlg() : CDialog(IDD_REPORT) {}
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_REPORT, m_list); }
    LRESULT OnSorted(WPARAM col, LPARAM ascending) {
        m_sorts.emplace_back(static_cast<int>(col), static_cast<int>(ascending));
        return 0;
    }
    LRESULT OnButton(WPARAM row, LPARAM col) {
        m_clicks.emplace_back(static_cast<int>(row), static_cast<int>(col));
        return 0;
    }
    CReportCtrl m_list;
    std::vector<std::pair<int, int>> m_sorts;
    std::vector<std::pair<int, int>> m_clicks;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CReportDlg, CDialog)
    ON_MESSAGE(WM_REPORT_SORTED, OnSorted)
    ON_MESSAGE(WM_REPORT_BUTTON_CLICKED, OnButton)
END_MESSAGE_MAP()

using Rows = std::vector<std::vector<std::string>>;

std::vector<std::string> Column(const Rows& rows, size_t col) {
    std::vector<std::string> out;
    for (const auto& r : rows) out.push_back(r.at(col));
    return out;
}

void AddColumns(CReportCtrl& list, std::initializer_list<std::pair<const char*, int>> columns) {
    for (const auto& [heading, width] : columns) list.InsertColumn(list.GetColumnCount(), heading, 0, width);
}

void Fill(CReportCtrl& list, const Rows& rows) {
    for (const auto& r : rows) {
        const int at = list.InsertItem(list.GetItemCount(1), r[0]);
        for (size_t c = 1; c < r.size(); ++c) list.SetItemText(at, static_cast<int>(c), r[c]);
    }
}

// The cell buttons of the list (live windows), with their geometry in list coordinates.
std::vector<QPushButton*> Buttons(const CReportCtrl& list) {
    std::vector<QPushButton*> live;
    for (QPushButton* b : ui::WidgetOf(list.GetSafeHwnd())->findChildren<QPushButton*>()) {
        if (ui::HandleOf(b) != nullptr) live.push_back(b);
    }
    return live;
}

QPushButton* ButtonAt(const CReportCtrl& list, int row, int col) {
    CRect cell;
    const_cast<CReportCtrl&>(list).GetSubItemRect(row, col, LVIR_LABEL, cell);
    for (QPushButton* b : Buttons(list)) {
        const QRect g = b->geometry();
        if (g == QRect(cell.left, cell.top, cell.Width(), cell.Height())) return b;
    }
    return nullptr;
}

}  // namespace

TEST(CompareReportTextsTest, OrdersNumbersDatesAndTexts) {
    struct Case {
        const char* a;
        const char* b;
        int want;
    };
    const Case cases[] = {
        {"2", "10", -1},                                      // decimal, not text order
        {"-5", "3", -1},                                      // signed
        {"18446744073709551615", "4294967296", 1},            // 64-bit counters beyond 32 bits
        {"18446744073709551615", "18446744073709551614", 1},  // beyond a double's precision
        {"-18446744073709551615", "-2", -1},
        {"007", "7", 0},
        {"-0", "+0", 0},
        {"ff", "1a", 1},  // hexadecimal when neither is decimal
        {"0x10", "f", 1},
        {"12.5%", "3%", 1},  // percentages as numbers
        {"1.5", "10", -1},
        {"-2.5", "1e1", -1},
        {"2024-01-05", "2023-12-31", 1},  // dates
        {"12/31/2023", "01/05/2024", -1},
        {"2024/01/05 09:30:00", "2024/01/05 10:15", -1},
        {"9:15 PM", "10:30", 1},  // times
        {"abc", "abd", -1},       // texts, case-sensitive
        {"Bz", "az", -1},
        {"Port 2", "Port 10", 1},
        {"1,5", "1.4", -1},  // a comma is no decimal point
        {"", "", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareReportTexts(c.a, c.b), c.want) << c.a << " vs " << c.b;
        EXPECT_EQ(CompareReportTexts(c.b, c.a), -c.want) << c.b << " vs " << c.a;
    }
}

TEST(CReportCtrlTest, HeaderClicksSortEachColumnAndToggleTheDirection) {
    Harness ui;
    CReportDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        CReportCtrl& list = dlg.m_list;
        EXPECT_FALSE(list.GetStyle() & LVS_NOSORTHEADER);
        EXPECT_EQ(list.GetExtendedStyle(), LVS_EX_SUBITEMIMAGES);
        list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        EXPECT_EQ(list.GetExtendedStyle(), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES);
        AddColumns(list, {{"Index", 120}, {"Octets", 120}, {"Owner", 120}});
        const Rows rows = {
            {"3", "4294967296", "beta"},
            {"10", "-5", "Alpha"},
            {"1", "18446744073709551615", "alpha"},
            {"7", "0", "gamma"},
            {"2", "18446744073709551614", "delta"},
            {"9", "10", "Beta"},
            {"4", "9", "epsilon"},
            {"8", "-18446744073709551616", "zeta"},
            {"6", "255", "eta"},
            {"5", "100", "theta"},
        };
        Fill(list, rows);
        list.SetItemData(1, 4242);                                                         // the row "10"
        list.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);  // the row "7"

        d.ClickListHeader(IDC_REPORT, 0);
        EXPECT_EQ(Column(d.GetRows(IDC_REPORT), 0),
                  (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
        EXPECT_EQ(list.GetSortColumn(), 0);
        // The rest of each row, its selection and its records went with it.
        EXPECT_EQ(d.GetRows(IDC_REPORT)[9], (std::vector<std::string>{"10", "-5", "Alpha"}));
        EXPECT_EQ(d.GetSelectedRows(IDC_REPORT), (std::vector<int>{6}));
        EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 6);
        EXPECT_EQ(list.GetItemData(9), 4242u);
        EXPECT_EQ(list.GetItemData(0), 0u);

        d.ClickListHeader(IDC_REPORT, 0);
        EXPECT_EQ(Column(d.GetRows(IDC_REPORT), 0),
                  (std::vector<std::string>{"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"}));

        d.ClickListHeader(IDC_REPORT, 1);
        EXPECT_EQ(Column(d.GetRows(IDC_REPORT), 1),
                  (std::vector<std::string>{"-18446744073709551616", "-5", "0", "9", "10", "100", "255", "4294967296",
                                            "18446744073709551614", "18446744073709551615"}));
        d.ClickListHeader(IDC_REPORT, 2);
        EXPECT_EQ(Column(d.GetRows(IDC_REPORT), 2),
                  (std::vector<std::string>{"Alpha", "Beta", "alpha", "beta", "delta", "epsilon", "eta", "gamma",
                                            "theta", "zeta"}));
        EXPECT_EQ(dlg.m_sorts, (std::vector<std::pair<int, int>>{{0, 1}, {0, 0}, {1, 1}, {2, 1}}));

        // A changed cell forgets the sort: the same heading sorts ascending again.
        list.SetItemText(0, 2, "omega");
        d.ClickListHeader(IDC_REPORT, 2);
        EXPECT_EQ(dlg.m_sorts.back(), std::make_pair(2, 1));
        list.InsertItem(10, "11");
        d.ClickListHeader(IDC_REPORT, 2);
        EXPECT_EQ(dlg.m_sorts.back(), std::make_pair(2, 1));

        // Out of range, nothing happens.
        list.SortItems(3, TRUE);
        EXPECT_EQ(dlg.m_sorts.size(), 6u);
        d.Click(IDCANCEL);
    });
}

TEST(CReportCtrlTest, CellsAreDrawnWithTheirRowsColours) {
    Harness ui;
    CReportDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        CReportCtrl& list = dlg.m_list;
        list.InsertColumn(0, "Index", 0, 80);
        list.InsertItem(0, "1");
        list.InsertColumn(1, "State", 0, 80);  // a later column adds its colours to every row
        auto* info = reinterpret_cast<CRowInfo*>(list.CListCtrl::GetItemData(0));
        ASSERT_NE(info, nullptr);
        ASSERT_EQ(info->m_arrTextColor.size(), 2u);
        ASSERT_EQ(info->m_arrBkColor.size(), 2u);
        info->m_arrTextColor[1] = RGB(200, 0, 0);
        info->m_arrBkColor[1] = RGB(0, 0, 90);
        COLORREF text = 0, background = 0;
        list.GetCellColors(0, 1, text, background);
        EXPECT_EQ(text, RGB(200, 0, 0));
        EXPECT_EQ(background, RGB(0, 0, 90));
        list.GetCellColors(0, 0, text, background);
        EXPECT_EQ(text, info->m_arrTextColor[0]);
        EXPECT_NE(text, background);
        EXPECT_EQ(list.DeleteItems(1), 1);
        EXPECT_EQ(list.GetItemCount(1), 0);
        d.Click(IDCANCEL);
    });
}

TEST(CReportCtrlTest, CellButtonsFollowScrollingAndColumnDragsAndSendTheirCell) {
    Harness ui;
    CReportDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        CReportCtrl& list = dlg.m_list;
        AddColumns(list, {{"Index", 80}, {"Owner", 120}, {"", 4}, {"", 90}});
        Rows rows;
        for (int i = 1; i <= 40; ++i) rows.push_back({std::to_string(i), "monitor"});
        Fill(list, rows);
        for (int r = 0; r < 40; ++r) EXPECT_EQ(list.SetItemButton(r, 3, CCellButton(0, "Delete")), 1) << r;
        // Refused: a cell that has one, a narrow column, no such row or column, another kind.
        EXPECT_EQ(list.SetItemButton(0, 3, CCellButton(0, "Delete")), 0);
        EXPECT_EQ(list.SetItemButton(0, 2, CCellButton(0, "Delete")), 0);
        EXPECT_EQ(list.SetItemButton(40, 3, CCellButton(0, "Delete")), 0);
        EXPECT_EQ(list.SetItemButton(0, 4, CCellButton(0, "Delete")), 0);
        EXPECT_EQ(list.SetItemButton(0, 1, CCellButton(1, "Delete")), 0);
        list.RefreshButtons();

        const int perPage = list.GetCountPerPage();
        ASSERT_LT(perPage, 30);
        auto shownAt = [&](int row) {
            QPushButton* b = ButtonAt(list, row, 3);
            return b != nullptr && b->isVisible();
        };
        EXPECT_TRUE(shownAt(0));
        EXPECT_TRUE(shownAt(perPage - 1));
        EXPECT_FALSE(ButtonAt(list, 39, 3) && ButtonAt(list, 39, 3)->isVisible());

        // The user drags the scroll bar to the end: the last row's button is at its cell, the
        // first ones hidden.
        auto* view = qobject_cast<QTreeView*>(ui::WidgetOf(list.GetSafeHwnd()));
        view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        ui::test::WaitUntil([&] { return list.GetTopIndex() > 0; });
        EXPECT_TRUE(shownAt(39));
        int hiddenRows = 0;
        for (QPushButton* b : Buttons(list)) hiddenRows += b->isVisible() ? 0 : 1;
        EXPECT_GE(hiddenRows, 40 - perPage - 1);
        QTest::mouseClick(ButtonAt(list, 39, 3), Qt::LeftButton);
        EXPECT_EQ(dlg.m_clicks, (std::vector<std::pair<int, int>>{{39, 3}}));

        view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
        ui::test::WaitUntil([&] { return list.GetTopIndex() == 0; });
        EXPECT_TRUE(shownAt(0));
        EXPECT_FALSE(ButtonAt(list, 39, 3) && ButtonAt(list, 39, 3)->isVisible());

        // Widening a column moves the buttons right of it with their cells.
        d.DragListDivider(IDC_REPORT, 1, 40);
        EXPECT_EQ(list.GetColumnWidth(1), 160);
        EXPECT_TRUE(shownAt(2));
        QTest::mouseClick(ButtonAt(list, 2, 3), Qt::LeftButton);
        EXPECT_EQ(dlg.m_clicks.back(), std::make_pair(2, 3));

        // Removed buttons are gone; the cell takes a new one.
        EXPECT_EQ(list.RemoveItemButton(2, 3, 0), 1);
        EXPECT_EQ(ButtonAt(list, 2, 3), nullptr);
        EXPECT_EQ(list.SetItemButton(2, 3, CCellButton(0, "Delete")), 1);
        d.Click(IDCANCEL);
    });
}

TEST(CReportCtrlTest, SpaceBarAndDividerDoubleClickDoNothing) {
    Harness ui;
    CReportDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        CReportCtrl& list = dlg.m_list;
        AddColumns(list, {{"Index", 40}, {"Description", 30}, {"", 80}});
        Fill(list, {{"1", "a long description of the first row"}, {"2", "b"}, {"3", "c"}});
        list.SetItemButton(1, 2, CCellButton(0, "Delete"));
        list.RefreshButtons();

        d.ClickListRow(IDC_REPORT, 0);
        list.SetItemState(0, 0, LVIS_SELECTED);
        list.SetItemState(2, LVIS_FOCUSED, LVIS_FOCUSED);
        d.PressKey(IDC_REPORT, Qt::Key_Space);
        EXPECT_TRUE(d.GetSelectedRows(IDC_REPORT).empty());

        QPushButton* button = ButtonAt(list, 1, 2);
        ASSERT_NE(button, nullptr);
        button->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(button, Qt::Key_Space);
        EXPECT_TRUE(dlg.m_clicks.empty());

        auto* view = qobject_cast<QTreeView*>(ui::WidgetOf(list.GetSafeHwnd()));
        QHeaderView* header = view->header();
        const QPoint divider(header->sectionViewportPosition(1) + header->sectionSize(1) - 1, header->height() / 2);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, divider);
        EXPECT_EQ(list.GetColumnWidth(1), 30);
        d.Click(IDCANCEL);
    });
}
