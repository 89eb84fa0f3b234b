// Drawing from a worker thread: onto the window context kept for the window's life, with a
// memory context shared with the painting, as the polling thread draws the panel's LEDs.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "platform/ui/Gdi.h"
#include "platform/ui/Template.h"
#include "tests/support/ui/UiHarness.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using namespace std::chrono_literals;

namespace {

enum : int { IDD_LEDS = 9401 };
enum : UINT { IDB_LED = 9410 };
constexpr COLORREF kBack = RGB(0, 64, 0);
constexpr COLORREF kLed = RGB(255, 128, 0);

UI_DIALOG_TEMPLATE(IDD_LEDS, "Leds", DS_MODALFRAME | WS_POPUP | WS_CAPTION, Column({Frame(IDC_STATIC).Size(160, 60)}))
UI_BITMAP_RESOURCE(IDB_LED, ui::res::Solid(5, 4, RGB(255, 128, 0)))

// A panel that erases to green and paints one LED from a shared memory context.
class CLedDlg : public CDialog {
public:
    CLedDlg() : CDialog(IDD_LEDS) {}
    CDC m_mem;
    CBitmap m_led;

    // Copies the LED at (x, y), restoring what the memory context held.
    void DrawLed(CDC& dc, int x, int y) {
        CBitmap* old = m_mem.SelectObject(&m_led);
        dc.BitBlt(x, y, 5, 4, &m_mem, 0, 0, SRCCOPY);
        m_mem.SelectObject(old);
    }

    DECLARE_MESSAGE_MAP()
    BOOL OnEraseBkgnd(CDC* dc) override {
        CRect r;
        GetClientRect(&r);
        dc->FillSolidRect(&r, kBack);
        return TRUE;
    }
    void OnPaint() override {
        CPaintDC dc(this);
        DrawLed(dc, 0, 0);
    }
};
BEGIN_MESSAGE_MAP(CLedDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(DrawingThreads, AWorkerDrawsOnTheKeptWindowContextWhileTheWindowPaints) {
    Harness ui;
    CLedDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_LEDS));
    dlg.ShowWindow(SW_SHOW);
    DialogDriver d(dlg);
    EXPECT_EQ(d.PixelAt(20, 30), kBack);
    ASSERT_TRUE(dlg.m_led.LoadBitmap(IDB_LED));
    CDC* kept = dlg.GetDC();
    ASSERT_NE(kept, nullptr);
    dlg.m_mem.CreateCompatibleDC(kept);

    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int round = 0; round < 10; ++round) {
            for (int i = 0; i < 20; ++i) dlg.DrawLed(*dlg.GetDC(), 10 + i * 6, 30);
        }
        done = true;
    });
    // The user-interface thread keeps painting (without erasing) meanwhile.
    while (!done) {
        dlg.Invalidate(FALSE);
        ui::test::Pump(1ms);
    }
    worker.join();
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(d.PixelAt(10 + i * 6, 30), kLed) << "LED " << i;
        EXPECT_EQ(d.PixelAt(10 + i * 6 + 5, 30), kBack) << "after LED " << i;
    }
    EXPECT_EQ(d.PixelAt(0, 0), kLed);  // the painting's own LED
    dlg.DestroyWindow();
}

TEST(DrawingThreads, AWorkersDrawingOnAWindowThatGoesIsDropped) {
    Harness ui;
    auto dlg = std::make_unique<CLedDlg>();
    ASSERT_TRUE(dlg->Create(IDD_LEDS));
    dlg->ShowWindow(SW_SHOW);
    ASSERT_TRUE(dlg->m_led.LoadBitmap(IDB_LED));
    CDC* kept = dlg->GetDC();
    dlg->m_mem.CreateCompatibleDC(kept);
    std::atomic<int> drawn{0};
    std::atomic<bool> gone{false};
    std::atomic<int> afterGone{0};
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        for (int i = 0; i < 400; ++i) {
            const bool wasGone = gone;
            CBitmap* old = dlg->m_mem.SelectObject(&dlg->m_led);
            const BOOL ok = kept->BitBlt(i % 100, 10, 5, 4, &dlg->m_mem, 0, 0, SRCCOPY);
            dlg->m_mem.SelectObject(old);
            if (ok) ++drawn;
            if (ok && wasGone) ++afterGone;
        }
        finished = true;
    });
    while (drawn < 50) ui::test::Pump(1ms);
    dlg->DestroyWindow();
    gone = true;
    // The worker's calls are served while it finishes.
    while (!finished) ui::test::Pump(1ms);
    worker.join();
    EXPECT_EQ(afterGone, 0);
    EXPECT_LT(drawn, 400);
}

}  // namespace
