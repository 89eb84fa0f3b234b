// ClxDialog: a user resizes the dialog; the listed controls follow by their share.
#include <gtest/gtest.h>

#include <QWidget>

#include "core/controls/lxDialog.h"
#include "platform/ui/Template.h"
#include "tests/support/ui/UiHarness.h"

using ui::test::DialogDriver;
using ui::test::Harness;

namespace {

enum : int {
    IDD_RESIZABLE = 9101,
    IDC_GROUP = 1101,
    IDC_HALF_WIDE = 1102,
    IDC_DOWN = 1103,
    IDC_STILL = 1104,
    IDC_OVER = 1105,
    IDC_UNDER = 1106,
    IDC_TALL = 1107,
    IDC_DIAGONAL = 1108,
    IDC_MISSING = 1199,
};

// clang-format off
UI_DIALOG_TEMPLATE(IDD_RESIZABLE, "Resizable", DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
    Column({
        Group(IDC_GROUP, "Members", {Label(IDC_STILL, "Still"), Edit(IDC_HALF_WIDE)}),
        Row({Label(IDC_DOWN, "Down"), Label(IDC_OVER, "Over"), Label(IDC_UNDER, "Under"), Label(IDC_TALL, "Tall"),
             Label(IDC_DIAGONAL, "Diagonal")}),
        Row({Stretch(), Button(IDOK, "OK"), Button(IDCANCEL, "Cancel")}),
    }))
// clang-format on

const LAYOUT_INFO kLayout[] = {
    {IDOK, 2, 100},     {IDCANCEL, 2, 100},     {IDC_GROUP, 5, 100},   {IDC_HALF_WIDE, 3, 50},
    {IDC_DOWN, 1, 100}, {IDC_STILL, 0, 0},      {IDC_OVER, 0, 101},    {IDC_UNDER, 2, -1},
    {IDC_TALL, 4, 30},  {IDC_DIAGONAL, 9, 100}, {IDC_MISSING, 2, 100},
};

class CResizableDlg : public ClxDialog {
public:
    CResizableDlg() : ClxDialog(IDD_RESIZABLE) {}
    BOOL OnInitDialog() override {
        ClxDialog::OnInitDialog();
        m_refusedNull = SetControlLayout(nullptr, 3);
        m_refusedEmpty = SetControlLayout(kLayout, 0);
        m_installed = SetControlLayout(kLayout, static_cast<int>(std::size(kLayout)));
        return TRUE;
    }
    CRect GripRect() const {
        CRect r;
        m_wndSizeGrip.GetWindowRect(r);
        ScreenToClient(r);
        return r;
    }
    int m_refusedNull = -1, m_refusedEmpty = -1, m_installed = -1;
};

QWidget* FrameOf(const DialogDriver& d) { return ui::WidgetOf(d.Handle())->window(); }

CRect ClientRect(const CWnd& w) {
    CRect r;
    w.GetClientRect(r);
    return r;
}

// Resizes the window by (dx, dy) as a drag of its corner would, and waits for the client.
void ResizeBy(DialogDriver& d, int dx, int dy) {
    QWidget* frame = FrameOf(d);
    const QSize want = frame->size() + QSize(dx, dy);
    frame->resize(want);
    ui::test::WaitUntil([&] { return frame->size() == want || dx < 0 || dy < 0; });
    ui::test::Flush();  // the size change handed to the dialog
}

CRect Moved(CRect r, int dx, int dy, int dw, int dh) {
    return CRect(r.left + dx, r.top + dy, r.right + dx + dw, r.bottom + dy + dh);
}

}  // namespace

TEST(ClxDialogTest, ResizingMovesAndGrowsTheListedControlsByTheirShare) {
    Harness ui;
    CResizableDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_EQ(dlg.m_refusedNull, 0);
        EXPECT_EQ(dlg.m_refusedEmpty, 0);
        EXPECT_EQ(dlg.m_installed, 1);
        EXPECT_TRUE(dlg.GetExStyle() & WS_EX_TOPMOST);
        EXPECT_TRUE(dlg.GetStyle() & WS_THICKFRAME);

        const std::vector<int> ids = {IDOK,      IDCANCEL, IDC_GROUP, IDC_HALF_WIDE, IDC_DOWN,
                                      IDC_STILL, IDC_OVER, IDC_UNDER, IDC_TALL,      IDC_DIAGONAL};
        std::map<int, CRect> before;
        for (int id : ids) before[id] = d.GetRect(id);

        ResizeBy(d, 10, 20);
        EXPECT_EQ(d.GetRect(IDOK), Moved(before[IDOK], 10, 20, 0, 0));
        EXPECT_EQ(d.GetRect(IDCANCEL), Moved(before[IDCANCEL], 10, 20, 0, 0));
        EXPECT_EQ(d.GetRect(IDC_GROUP), Moved(before[IDC_GROUP], 0, 0, 10, 20));
        EXPECT_EQ(d.GetRect(IDC_HALF_WIDE), Moved(before[IDC_HALF_WIDE], 0, 0, 5, 0));
        EXPECT_EQ(d.GetRect(IDC_DOWN), Moved(before[IDC_DOWN], 0, 20, 0, 0));
        EXPECT_EQ(d.GetRect(IDC_TALL), Moved(before[IDC_TALL], 0, 0, 0, 6));
        for (int id : {IDC_STILL, IDC_OVER, IDC_UNDER, IDC_DIAGONAL}) EXPECT_EQ(d.GetRect(id), before[id]) << id;

        // 3 more pixels: the 50 % control gets 1 (the remainder is lost, not carried).
        ResizeBy(d, 3, 0);
        EXPECT_EQ(d.GetRect(IDC_HALF_WIDE), Moved(before[IDC_HALF_WIDE], 0, 0, 6, 0));
        EXPECT_EQ(d.GetRect(IDOK), Moved(before[IDOK], 13, 20, 0, 0));

        const CRect client = ClientRect(dlg);
        const CRect grip = dlg.GripRect();
        EXPECT_FALSE(grip.IsRectEmpty());
        EXPECT_EQ(grip.right, client.right);
        EXPECT_EQ(grip.bottom, client.bottom);
        d.Click(IDCANCEL);
    });
}

TEST(ClxDialogTest, NeverShrinksBelowItsFirstSize) {
    Harness ui;
    CResizableDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        QWidget* frame = FrameOf(d);
        const QSize first = frame->size();
        const CRect ok = d.GetRect(IDOK);
        ResizeBy(d, 40, 30);
        ResizeBy(d, -100, -80);
        EXPECT_EQ(frame->size(), first);
        EXPECT_EQ(d.GetRect(IDOK), ok);
        const CRect client = ClientRect(dlg);
        EXPECT_EQ(dlg.GripRect().right, client.right);
        EXPECT_EQ(dlg.GripRect().bottom, client.bottom);
        d.Click(IDCANCEL);
    });
}

TEST(ClxDialogTest, MinimisingAndRestoringLeavesTheControlsInPlace) {
    Harness ui;
    CResizableDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ResizeBy(d, 20, 10);
        const CRect ok = d.GetRect(IDOK);
        const CRect group = d.GetRect(IDC_GROUP);
        QWidget* frame = FrameOf(d);
        frame->setWindowState(Qt::WindowMinimized);
        ui::test::Flush();
        frame->setWindowState(Qt::WindowNoState);
        ui::test::Flush();
        EXPECT_EQ(d.GetRect(IDOK), ok);
        EXPECT_EQ(d.GetRect(IDC_GROUP), group);
        // Later changes still count from the size before the minimise.
        ResizeBy(d, 7, 0);
        EXPECT_EQ(d.GetRect(IDOK), Moved(ok, 7, 0, 0, 0));
        d.Click(IDCANCEL);
    });
}
