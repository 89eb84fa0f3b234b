// CGradientProgressCtrl painted headless: the colour of every pixel column of the bar at
// chosen ranges, positions and colours.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "core/controls/GradientProgressCtrl.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Template.h"
#include "tests/support/ui/UiHarness.h"

using ui::test::DialogDriver;
using ui::test::Harness;

namespace {

enum : int { IDD_TRANSFER = 9701, IDC_PROGRESS = 1035 };
constexpr int kWidth = 510;  // 255 bands of 2 pixels for the default colours
constexpr int kHeight = 20;

// clang-format off
UI_DIALOG_TEMPLATE(IDD_TRANSFER, "Transfer", DS_MODALFRAME | WS_CAPTION,
    Column({Progress(IDC_PROGRESS).Size(kWidth, kHeight), Row({Stretch(), Button(IDCANCEL, "Close")})}))
// clang-format on

class CTransferDlg : public CDialog {
public:
    CTransferDlg() : CDialog(IDD_TRANSFER) {}
    CGradientProgressCtrl m_progress;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_PROGRESS, m_progress); }
};

// The colour of each pixel column of the bar at row y, as shown.
std::vector<COLORREF> Columns(CTransferDlg& dlg, int y = kHeight / 2) {
    DialogDriver bar(dlg.m_progress);
    std::vector<COLORREF> out;
    for (int x = 0; x < kWidth; ++x) out.push_back(bar.PixelAt(x, y));
    return out;
}

// The columns of the bar at the upper bound of 0 to 100, in these colours.
std::vector<COLORREF> FullBar(CTransferDlg& dlg, COLORREF start, COLORREF end) {
    dlg.m_progress.SetStartColor(start);
    dlg.m_progress.SetEndColor(end);
    dlg.m_progress.SetRange(0, 100);
    dlg.m_progress.SetPos(100);
    return Columns(dlg);
}

// The number of leading columns that are not the button face.
int FilledColumns(const std::vector<COLORREF>& columns) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    int filled = 0;
    while (filled < static_cast<int>(columns.size()) && columns[filled] != face) ++filled;
    for (size_t x = static_cast<size_t>(filled); x < columns.size(); ++x) {
        EXPECT_EQ(columns[x], face) << "column " << x << " after the filled part";
    }
    return filled;
}

class GradientProgressCtrlTest : public ::testing::Test {
protected:
    // Runs body with the dialog shown and the bar's size checked.
    void Run(const std::function<void(CTransferDlg&)>& body) {
        CTransferDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            CRect client;
            dlg.m_progress.GetClientRect(&client);
            ASSERT_EQ(client.Width(), kWidth);
            ASSERT_EQ(client.Height(), kHeight);
            body(dlg);
            d.Click(IDCANCEL);
        });
    }
    Harness ui;
};

TEST_F(GradientProgressCtrlTest, PositionUncoversOneFixedGradientUpToTheFullBar) {
    Run([](CTransferDlg& dlg) {
        dlg.m_progress.SetRange(0, 100);
        const std::vector<COLORREF> full = [&] {
            dlg.m_progress.SetPos(100);
            return Columns(dlg);
        }();
        // At the upper bound the whole width is gradient: red at the left, nearly blue at the right.
        EXPECT_EQ(FilledColumns(full), kWidth);
        EXPECT_EQ(full.front(), RGB(255, 0, 0));
        EXPECT_EQ(full.back(), RGB(1, 0, 254));
        EXPECT_EQ(Columns(dlg, 0), full);
        EXPECT_EQ(Columns(dlg, kHeight - 1), full);

        struct Case {
            int pos;
            int filled;  // up to the right edge of the band holding the fill limit
        };
        const Case cases[] = {{0, 0}, {1, 6}, {50, 256}, {99, 506}, {100, kWidth}};
        for (const Case& c : cases) {
            SCOPED_TRACE(c.pos);
            dlg.m_progress.SetPos(c.pos);
            const std::vector<COLORREF> columns = Columns(dlg);
            ASSERT_EQ(FilledColumns(columns), c.filled);
            // Whatever is filled shows the same colours as the full bar.
            for (int x = 0; x < c.filled; ++x) ASSERT_EQ(columns[x], full[x]) << "column " << x;
        }
    });
}

TEST_F(GradientProgressCtrlTest, TransferColoursGiveFiftyFiveBandsWithoutTheEndColour) {
    Run([](CTransferDlg& dlg) {
        std::set<int> blues;
        for (COLORREF c : FullBar(dlg, RGB(60, 60, 200), RGB(60, 60, 255))) {
            ASSERT_EQ(GetRValue(c), 60);
            ASSERT_EQ(GetGValue(c), 60);
            blues.insert(GetBValue(c));
        }
        ASSERT_EQ(blues.size(), 55u);
        EXPECT_EQ(*blues.begin(), 200);
        EXPECT_EQ(*blues.rbegin(), 254);
    });
}

// The bar shows the share of the range: with bounds 50 and 150, position 100 fills as much
// as position 50 of 0 to 100.
TEST_F(GradientProgressCtrlTest, ScalesByTheShareOfTheRange) {
    Run([](CTransferDlg& dlg) {
        dlg.m_progress.SetRange(0, 100);
        dlg.m_progress.SetPos(50);
        const std::vector<COLORREF> half = Columns(dlg);

        dlg.m_progress.SetRange(50, 150);
        EXPECT_EQ(FilledColumns(Columns(dlg)), 0);  // SetRange puts the position on the lower bound
        dlg.m_progress.SetPos(100);
        EXPECT_EQ(Columns(dlg), half);
        dlg.m_progress.SetPos(150);
        EXPECT_EQ(FilledColumns(Columns(dlg)), kWidth);
    });
}

TEST_F(GradientProgressCtrlTest, EqualColoursDrawOneBand) {
    Run([](CTransferDlg& dlg) {
        EXPECT_EQ(FullBar(dlg, RGB(10, 120, 30), RGB(10, 120, 30)), std::vector<COLORREF>(kWidth, RGB(10, 120, 30)));
        dlg.m_progress.SetPos(0);
        EXPECT_EQ(FilledColumns(Columns(dlg)), 0);
    });
}

}  // namespace
