// CListCtrlEx: columns as wide as their headings, and the cell setter the table dialogs fill with.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QWidget>

#include "core/controls/ListCtrlEx.h"
#include "platform/ui/Template.h"
#include "tests/support/ui/UiHarness.h"

using ui::test::DialogDriver;
using ui::test::Harness;

namespace {

enum : int { IDD_TABLE = 9301, IDC_TABLE = 1301 };

// clang-format off
UI_DIALOG_TEMPLATE(IDD_TABLE, "Table", DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
    Column({List(IDC_TABLE, LVS_REPORT | LVS_SINGLESEL).Size(400, 150), Row({Stretch(), Button(IDCANCEL, "Close")})}))
// clang-format on

class CTableDlg : public CDialog {
public:
    CTableDlg() : CDialog(IDD_TABLE) {}
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_TABLE, m_list); }
    CListCtrlEx m_list;
};

}  // namespace

TEST(CListCtrlExTest, HeadingBlanksSetTheColumnWidthAndCellsFillRows) {
    Harness ui;
    CTableDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        CListCtrlEx& list = dlg.m_list;
        EXPECT_EQ(list.InsertHeaderColumn(0, " Index    "), 0);
        EXPECT_EQ(list.InsertHeaderColumn(1, "Index"), 1);
        const QFontMetrics metrics(ui::WidgetOf(list.GetSafeHwnd())->font());
        EXPECT_EQ(list.GetColumnWidth(0), metrics.horizontalAdvance(" Index    ") + 15);
        EXPECT_EQ(list.GetColumnWidth(1), metrics.horizontalAdvance("Index") + 15);
        EXPECT_GT(list.GetColumnWidth(0), list.GetColumnWidth(1));
        EXPECT_EQ(d.GetColumns(IDC_TABLE), (std::vector<std::string>{" Index    ", "Index"}));

        EXPECT_EQ(list.SetCell(0, 0, "1"), 0);
        EXPECT_EQ(list.SetCell(0, 1, "eth1"), TRUE);
        EXPECT_EQ(list.SetCell(1, 0, "2"), 1);
        EXPECT_EQ(list.SetCell(1, 1, "eth2"), TRUE);
        EXPECT_EQ(list.SetCell(5, 1, "none"), FALSE);
        EXPECT_EQ(d.GetRows(IDC_TABLE), (std::vector<std::vector<std::string>>{{"1", "eth1"}, {"2", "eth2"}}));
        d.Click(IDCANCEL);
    });
}
