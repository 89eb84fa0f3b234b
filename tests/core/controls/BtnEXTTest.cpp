// CBtnEXT: rows of port check boxes and number labels laid out in a dialog at run time.
#include <gtest/gtest.h>

#include <memory>

#include "core/controls/BtnEXT.h"
#include "platform/ui/Template.h"
#include "tests/support/ui/UiHarness.h"

using ui::test::DialogDriver;
using ui::test::Harness;

namespace {

enum : int { IDD_PORTS = 9201, IDC_REFERENCE = 1201, kFirstLabel = 7501, kFirstBox = 6001 };

// clang-format off
UI_DIALOG_TEMPLATE(IDD_PORTS, "Ports", DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
    Column({Label(IDC_REFERENCE, "Mirrored:").Size(90, 20), Frame(1202).Size(900, 120), Row({Stretch(), Button(IDCANCEL, "Close")})}))
// clang-format on

constexpr int kSize = 13;
constexpr int kSpacing = 4;

// Lays out a label row to the right of the reference and a check-box row under it.
class CPortsDlg : public CDialog {
public:
    explicit CPortsDlg(int ports) : CDialog(IDD_PORTS), m_ports(ports) {}
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        GetDlgItem(IDC_REFERENCE)->GetWindowRect(m_reference);
        ScreenToClient(m_reference);
        m_labels = std::make_unique<CBtnEXT>(m_ports, kSize, kSpacing);
        m_labels->SetParent(this);
        m_labels->CalcGap(100, 600);
        m_labels->Create(SS_CENTER | SS_SUNKEN, kFirstLabel, m_reference, 0);
        m_boxes = std::make_unique<CBtnEXT>(m_ports, kSize, kSpacing);
        m_boxes->SetParent(this);
        m_boxes->CalcGap(100, 600);
        m_boxes->Create(BS_AUTOCHECKBOX, kFirstBox, m_reference, 1);
        return TRUE;
    }
    int m_ports;
    CRect m_reference;
    std::unique_ptr<CBtnEXT> m_labels;
    std::unique_ptr<CBtnEXT> m_boxes;
};

struct Layout {
    int ports;
    int perLine;
    int gap;
};

class CBtnEXTRowsTest : public ::testing::TestWithParam<Layout> {};

}  // namespace

TEST_P(CBtnEXTRowsTest, PlacesEveryControlWithItsIdAndRectangle) {
    const Layout want = GetParam();
    Harness ui;
    CPortsDlg dlg(want.ports);
    ui.RunModal(dlg, [&](DialogDriver& d) {
        const CRect ref = dlg.m_reference;
        EXPECT_EQ(dlg.m_boxes->GetGap(), want.gap);
        const int step = want.gap + kSize;
        for (int i = 0; i < want.ports; ++i) {
            const bool firstLine = i < want.perLine;
            const int column = firstLine ? i : i - want.perLine;
            const int lineOffset = firstLine ? 0 : kSize + kSpacing + 2;
            const int labelLeft = ref.right + step * column, labelTop = ref.top + lineOffset;
            EXPECT_EQ(d.GetRect(kFirstLabel + i), CRect(labelLeft, labelTop, labelLeft + kSize, labelTop + kSize)) << i;
            EXPECT_EQ(d.GetText(kFirstLabel + i), std::to_string(i + 1));
            const int boxLeft = ref.left + step * column, boxTop = ref.bottom + lineOffset;
            EXPECT_EQ(d.GetRect(kFirstBox + i), CRect(boxLeft, boxTop, boxLeft + kSize, boxTop + kSize)) << i;
            EXPECT_EQ(d.GetText(kFirstBox + i), "");
            EXPECT_TRUE(d.IsVisible(kFirstBox + i));
        }
        // The row's rectangle spans both lines of a folded row.
        CRect rows;
        dlg.m_boxes->GetRect(rows);
        const CRect last = d.GetRect(kFirstBox + want.ports - 1);
        EXPECT_EQ(rows, CRect(ref.left, ref.bottom, last.right, last.bottom));
        EXPECT_EQ(rows.Height(), want.ports > 28 ? 2 * kSize + kSpacing + 2 : kSize);
        d.Click(IDCANCEL);
    });
}

// 28 ports of 13 pixels between x 100 and 600: (500 - 364) / 27 = 5; 52 ports fold into two
// lines of 26: (500 - 338) / 25 = 6.
INSTANTIATE_TEST_SUITE_P(PortCounts, CBtnEXTRowsTest, ::testing::Values(Layout{28, 28, 5}, Layout{52, 26, 6}));

TEST(CBtnEXTTest, CheckBoxesFollowTheUserAndTheProgram) {
    Harness ui;
    CPortsDlg dlg(28);
    ui.RunModal(dlg, [&](DialogDriver& d) {
        d.Check(kFirstBox + 2);
        EXPECT_EQ(dlg.m_boxes->GetCheck(2), 1);
        EXPECT_EQ(dlg.m_boxes->GetCheck(3), 0);
        dlg.m_boxes->SetCheck(1, 5);
        EXPECT_TRUE(d.IsChecked(kFirstBox + 5));
        dlg.m_boxes->SetCheck(0, 2);
        EXPECT_FALSE(d.IsChecked(kFirstBox + 2));
        dlg.m_boxes->EnableButton(FALSE, 7);
        EXPECT_FALSE(d.IsEnabled(kFirstBox + 7));
        dlg.m_boxes->EnableButton(TRUE, 7);
        EXPECT_TRUE(d.IsEnabled(kFirstBox + 7));
        // An index outside the row, or a row of labels, changes nothing.
        dlg.m_boxes->SetCheck(1, 28);
        dlg.m_boxes->SetCheck(1, -1);
        EXPECT_EQ(dlg.m_boxes->GetCheck(28), 0);
        dlg.m_labels->SetCheck(1, 0);
        EXPECT_EQ(dlg.m_labels->GetCheck(0), 0);
        d.Click(IDCANCEL);
    });
}

TEST(CBtnEXTTest, FewerThanTwoControlsNeedNoGap) {
    for (int ports : {0, 1}) {
        Harness ui;
        CPortsDlg dlg(ports);
        ui.RunModal(dlg, [&](DialogDriver& d) {
            EXPECT_EQ(dlg.m_boxes->GetGap(), 0);
            CRect rows;
            dlg.m_boxes->GetRect(rows);
            if (ports == 1) {
                EXPECT_EQ(d.GetRect(kFirstBox), rows);
                EXPECT_EQ(d.GetText(kFirstLabel), "1");
            } else {
                EXPECT_TRUE(rows.IsRectEmpty());
                EXPECT_FALSE(d.Exists(kFirstBox));
            }
            d.Click(IDCANCEL);
        });
    }
}
