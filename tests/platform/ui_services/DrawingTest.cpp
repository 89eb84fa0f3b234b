// Drawing: a window's backing surface as erasing, painting and drawing outside painting leave
// it; bitmaps from resources and files, device-independent bitmaps, memory contexts, cursors.
#include <gtest/gtest.h>

#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/Gdi.h"
#include "platform/ui/Template.h"
#include "tests/support/ui/UiHarness.h"

using ui::test::DialogDriver;
using ui::test::Harness;

namespace {

enum : int { IDD_SURFACE = 9301, IDC_FACE = 1301 };
enum : UINT { IDB_RED = 9310, IDB_PATTERN = 9311 };
constexpr COLORREF kBack = RGB(0, 0, 128);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// clang-format off
UI_DIALOG_TEMPLATE(IDD_SURFACE, "Surface", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    Column({Frame(IDC_FACE).Size(120, 40), Stretch()}))
// clang-format on

UI_BITMAP_RESOURCE(IDB_RED, ui::res::Solid(5, 4, RGB(255, 0, 0)))
// 3 by 2: red green blue / white black red, to see orientation and order.
UI_BITMAP_RESOURCE(IDB_PATTERN,
                   (ui::res::Picture{
                       3, 2, {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu, 0xFF000000u, 0xFFFF0000u}, {}, 0, 0}))

// A dialog that erases to a colour and paints what the test gives it.
class CSurfaceDlg : public CDialog {
public:
    CSurfaceDlg() : CDialog(IDD_SURFACE) {}
    std::function<void(CDC&)> paint;
    int erases = 0;
    int paints = 0;

    DECLARE_MESSAGE_MAP()
    BOOL OnEraseBkgnd(CDC* dc) override {
        ++erases;
        CRect r;
        GetClientRect(&r);
        dc->FillSolidRect(&r, kBack);
        return TRUE;
    }
    void OnPaint() override {
        ++paints;
        CPaintDC dc(this);
        if (paint) paint(dc);
    }
};
BEGIN_MESSAGE_MAP(CSurfaceDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

// A control that paints its own face through an off-screen context, as the gradient bar does:
// a memory context with its window origin at the clip box, copied in one block.
class CFace : public CWnd {
public:
    DECLARE_MESSAGE_MAP()
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnPaint() override {
        CPaintDC dc(this);
        CRect clip;
        dc.GetClipBox(&clip);
        CDC mem;
        mem.CreateCompatibleDC(&dc);
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(&dc, clip.Width(), clip.Height());
        CBitmap* old = mem.SelectObject(&bmp);
        mem.SetWindowOrg(clip.left, clip.top);
        CRect left(0, 0, 60, 40), right(60, 0, 120, 40);
        mem.FillSolidRect(&left, kGreen);
        mem.FillSolidRect(&right, kWhite);
        dc.BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), &mem, clip.left, clip.top, SRCCOPY);
        mem.SelectObject(old);
    }
};
BEGIN_MESSAGE_MAP(CFace, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

// Draws bitmap resource `id` at (x, y) through a memory context, restoring what it held.
void DrawResource(CDC& dc, UINT id, int x, int y) {
    CBitmap bmp;
    ASSERT_TRUE(bmp.LoadBitmap(id));
    BITMAP info;
    bmp.GetBitmap(&info);
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap* old = mem.SelectObject(&bmp);
    dc.BitBlt(x, y, info.bmWidth, info.bmHeight, &mem, 0, 0, SRCCOPY);
    EXPECT_EQ(mem.SelectObject(old), &bmp);
}

struct Shown {
    Harness ui;
    CSurfaceDlg dlg;
    Shown() {
        EXPECT_TRUE(dlg.Create(IDD_SURFACE));
        dlg.ShowWindow(SW_SHOW);
    }
    ~Shown() { dlg.DestroyWindow(); }
    DialogDriver Driver() { return DialogDriver(dlg); }
};

TEST(Drawing, BitmapsLandAtExactPositionsOnTheErasedBackground) {
    Shown s;
    s.dlg.paint = [](CDC& dc) {
        DrawResource(dc, IDB_RED, 10, 20);
        DrawResource(dc, IDB_PATTERN, 30, 5);
    };
    s.dlg.Invalidate();
    DialogDriver d = s.Driver();
    // Red 5 by 4 at (10, 20): corners inside, one past each edge is background.
    EXPECT_EQ(d.PixelAt(10, 20), kRed);
    EXPECT_EQ(d.PixelAt(14, 23), kRed);
    EXPECT_EQ(d.PixelAt(9, 20), kBack);
    EXPECT_EQ(d.PixelAt(15, 20), kBack);
    EXPECT_EQ(d.PixelAt(10, 24), kBack);
    EXPECT_EQ(d.PixelAt(10, 19), kBack);
    // The pattern keeps its orientation.
    EXPECT_EQ(d.PixelAt(30, 5), kRed);
    EXPECT_EQ(d.PixelAt(31, 5), kGreen);
    EXPECT_EQ(d.PixelAt(32, 5), kBlue);
    EXPECT_EQ(d.PixelAt(30, 6), kWhite);
    EXPECT_EQ(d.PixelAt(31, 6), RGB(0, 0, 0));
    EXPECT_EQ(d.PixelAt(33, 6), kBack);
    EXPECT_GE(s.dlg.erases, 1);
    EXPECT_GE(s.dlg.paints, 1);
}

TEST(Drawing, DrawingOutsidePaintingStaysUntilTheWindowIsInvalidated) {
    Shown s;
    DialogDriver d = s.Driver();
    EXPECT_EQ(d.PixelAt(50, 50), kBack);
    CDC* kept = s.dlg.GetDC();
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(s.dlg.GetDC(), kept);  // one context for the window's life
    DrawResource(*kept, IDB_RED, 50, 50);
    kept->FillSolidRect(70, 50, 0, 5, kGreen);  // an empty rectangle fills nothing
    const int erases = s.dlg.erases;
    EXPECT_EQ(d.PixelAt(50, 50), kRed);
    EXPECT_EQ(d.PixelAt(69, 50), kBack);
    EXPECT_EQ(d.PixelAt(70, 50), kBack);
    // Showing the surface again repaints nothing: the drawing stays.
    s.dlg.UpdateWindow();
    EXPECT_EQ(d.PixelAt(52, 52), kRed);
    EXPECT_EQ(s.dlg.erases, erases);
    // Invalidating without erasing paints but keeps it; with erasing it goes.
    s.dlg.Invalidate(FALSE);
    EXPECT_EQ(d.PixelAt(52, 52), kRed);
    s.dlg.Invalidate();
    EXPECT_EQ(d.PixelAt(52, 52), kBack);
    EXPECT_EQ(s.dlg.erases, erases + 1);
    EXPECT_EQ(s.dlg.ReleaseDC(kept), 1);
}

TEST(Drawing, PaintingIsClippedToTheInvalidatedPart) {
    Shown s;
    DialogDriver d = s.Driver();
    EXPECT_EQ(d.PixelAt(5, 5), kBack);
    s.dlg.paint = [](CDC& dc) {
        CRect all(0, 0, 100, 60);
        dc.FillSolidRect(&all, kGreen);
    };
    const RECT part{0, 0, 10, 10};
    s.dlg.InvalidateRect(&part, FALSE);
    EXPECT_EQ(d.PixelAt(5, 5), kGreen);
    EXPECT_EQ(d.PixelAt(15, 5), kBack);
}

TEST(Drawing, AControlPaintsItsFaceThroughAnOffscreenContext) {
    Shown s;
    CFace face;
    ASSERT_TRUE(face.SubclassDlgItem(IDC_FACE, &s.dlg));
    face.Invalidate();
    DialogDriver faceDriver(face);
    EXPECT_EQ(faceDriver.PixelAt(0, 0), kGreen);
    EXPECT_EQ(faceDriver.PixelAt(59, 39), kGreen);
    EXPECT_EQ(faceDriver.PixelAt(60, 0), kWhite);
    EXPECT_EQ(faceDriver.PixelAt(119, 39), kWhite);
    face.UnsubclassWindow();
}

// A 2 by 2 picture (top row red, green; bottom row blue, white) in each depth.
struct DibCase {
    const char* name;
    int bpp;
    bool topDown;
};

std::vector<unsigned char> DibHeader(int bpp, bool topDown, std::vector<RGBQUAD> table) {
    std::vector<unsigned char> block(sizeof(BITMAPINFOHEADER) +
                                     std::max<std::size_t>(1, table.size()) * sizeof(RGBQUAD));
    BITMAPINFOHEADER h;
    h.biWidth = 2;
    h.biHeight = topDown ? -2 : 2;
    h.biBitCount = static_cast<WORD>(bpp);
    h.biClrUsed = static_cast<DWORD>(table.size());  // the block holds only these entries
    std::memcpy(block.data(), &h, sizeof h);
    if (!table.empty()) std::memcpy(block.data() + sizeof h, table.data(), table.size() * sizeof(RGBQUAD));
    return block;
}

// Rows of 4 bytes each (every row of a 2-pixel picture fits in one 32-bit unit, or two at 32 bpp).
std::vector<unsigned char> DibRows(int bpp, bool topDown) {
    // Indexes into the table: 0 red, 1 green, 2 blue, 3 white.
    std::vector<std::vector<unsigned char>> top, bottom;
    switch (bpp) {
    case 4:
        top = {{0x01, 0, 0, 0}};
        bottom = {{0x23, 0, 0, 0}};
        break;
    case 8:
        top = {{0, 1, 0, 0}};
        bottom = {{2, 3, 0, 0}};
        break;
    case 16:
        top = {{0x00, 0x7C, 0xE0, 0x03}};
        bottom = {{0x1F, 0x00, 0xFF, 0x7F}};
        break;
    case 24:
        top = {{0, 0, 255, 0, 255, 0, 0, 0}};
        bottom = {{255, 0, 0, 255, 255, 255, 0, 0}};
        break;
    default:
        top = {{0, 0, 255, 0, 0, 255, 0, 0}};
        bottom = {{255, 0, 0, 0, 255, 255, 255, 0}};
        break;
    }
    std::vector<unsigned char> rows;
    const auto& first = topDown ? top[0] : bottom[0];
    const auto& second = topDown ? bottom[0] : top[0];
    rows.insert(rows.end(), first.begin(), first.end());
    rows.insert(rows.end(), second.begin(), second.end());
    return rows;
}

TEST(Drawing, DeviceIndependentBitmapsOfEveryDepthStretchPixelForPixel) {
    Harness ui;
    const RGBQUAD red{0, 0, 255, 0}, green{0, 255, 0, 0}, blue{255, 0, 0, 0}, white{255, 255, 255, 0};
    const DibCase cases[] = {{"4 bpp", 4, false},   {"8 bpp", 8, false},           {"16 bpp", 16, false},
                             {"24 bpp", 24, false}, {"24 bpp top-down", 24, true}, {"32 bpp", 32, false}};
    for (const DibCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<unsigned char> header = DibHeader(
            c.bpp, c.topDown, c.bpp <= 8 ? std::vector<RGBQUAD>{red, green, blue, white} : std::vector<RGBQUAD>{});
        const std::vector<unsigned char> rows = DibRows(c.bpp, c.topDown);
        CDC mem;
        mem.CreateCompatibleDC(nullptr);
        CBitmap target;
        target.CreateCompatibleBitmap(&mem, 6, 6);
        CBitmap* old = mem.SelectObject(&target);
        mem.SetStretchBltMode(COLORONCOLOR);
        // Doubled into (1, 1)..(5, 5).
        EXPECT_EQ(StretchDIBits(&mem, 1, 1, 4, 4, 0, 0, 2, 2, rows.data(),
                                reinterpret_cast<const BITMAPINFO*>(header.data()), DIB_RGB_COLORS, SRCCOPY),
                  2);
        EXPECT_EQ(mem.GetPixel(1, 1), kRed);
        EXPECT_EQ(mem.GetPixel(2, 2), kRed);
        EXPECT_EQ(mem.GetPixel(3, 1), kGreen);
        EXPECT_EQ(mem.GetPixel(4, 2), kGreen);
        EXPECT_EQ(mem.GetPixel(1, 4), kBlue);
        EXPECT_EQ(mem.GetPixel(4, 4), kWhite);
        EXPECT_EQ(mem.GetPixel(5, 5), RGB(0, 0, 0));  // outside: untouched
        EXPECT_EQ(mem.GetPixel(0, 0), RGB(0, 0, 0));
        mem.SelectObject(old);
    }
}

TEST(Drawing, AOneBitBitmapTakesItsTwoColoursFromTheTable) {
    Harness ui;
    const std::vector<unsigned char> header = DibHeader(1, false, {{0, 0, 255, 0}, {255, 255, 255, 0}});
    // Bottom row first: bottom "1 0" (white red), top "0 1" (red white).
    const unsigned char rows[] = {0x80, 0, 0, 0, 0x40, 0, 0, 0};
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap target;
    target.CreateCompatibleBitmap(&mem, 2, 2);
    CBitmap* old = mem.SelectObject(&target);
    EXPECT_EQ(StretchDIBits(&mem, 0, 0, 2, 2, 0, 0, 2, 2, rows, reinterpret_cast<const BITMAPINFO*>(header.data()),
                            DIB_RGB_COLORS, SRCCOPY),
              2);
    EXPECT_EQ(mem.GetPixel(0, 0), kRed);
    EXPECT_EQ(mem.GetPixel(1, 0), kWhite);
    EXPECT_EQ(mem.GetPixel(0, 1), kWhite);
    EXPECT_EQ(mem.GetPixel(1, 1), kRed);
    mem.SelectObject(old);
}

TEST(Drawing, RunLengthCodedBitmapsDrawLikeTheirRows) {
    Harness ui;
    const RGBQUAD red{0, 0, 255, 0}, green{0, 255, 0, 0}, blue{255, 0, 0, 0}, white{255, 255, 255, 0};
    struct Case {
        const char* name;
        int bpp;
        DWORD compression;
        std::vector<unsigned char> data;
    };
    // The rows of DibRows: top red green, bottom blue white.
    const Case cases[] = {{"RLE8", 8, BI_RLE8, {1, 2, 1, 3, 0, 0, 1, 0, 1, 1, 0, 1}},
                          {"RLE4", 4, BI_RLE4, {2, 0x23, 0, 0, 2, 0x01, 0, 1}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<unsigned char> header = DibHeader(c.bpp, false, {red, green, blue, white});
        auto* h = reinterpret_cast<BITMAPINFOHEADER*>(header.data());
        h->biCompression = c.compression;
        h->biSizeImage = static_cast<DWORD>(c.data.size());
        CDC mem;
        mem.CreateCompatibleDC(nullptr);
        CBitmap target;
        target.CreateCompatibleBitmap(&mem, 2, 2);
        CBitmap* old = mem.SelectObject(&target);
        EXPECT_EQ(StretchDIBits(&mem, 0, 0, 2, 2, 0, 0, 2, 2, c.data.data(),
                                reinterpret_cast<const BITMAPINFO*>(header.data()), DIB_RGB_COLORS, SRCCOPY),
                  2);
        EXPECT_EQ(mem.GetPixel(0, 0), kRed);
        EXPECT_EQ(mem.GetPixel(1, 0), kGreen);
        EXPECT_EQ(mem.GetPixel(0, 1), kBlue);
        EXPECT_EQ(mem.GetPixel(1, 1), kWhite);
        mem.SelectObject(old);
    }
}

TEST(Drawing, UnreadableDeviceIndependentBitmapsDrawNothing) {
    Harness ui;
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap target;
    target.CreateCompatibleBitmap(&mem, 2, 2);
    CBitmap* old = mem.SelectObject(&target);
    const unsigned char rows[16] = {};
    std::vector<unsigned char> header = DibHeader(24, false, {});
    reinterpret_cast<BITMAPINFOHEADER*>(header.data())->biCompression = 1;  // run-length coded
    EXPECT_EQ(StretchDIBits(&mem, 0, 0, 2, 2, 0, 0, 2, 2, rows, reinterpret_cast<const BITMAPINFO*>(header.data()),
                            DIB_RGB_COLORS, SRCCOPY),
              0);
    header = DibHeader(7, false, {});
    EXPECT_EQ(StretchDIBits(&mem, 0, 0, 2, 2, 0, 0, 2, 2, rows, reinterpret_cast<const BITMAPINFO*>(header.data()),
                            DIB_RGB_COLORS, SRCCOPY),
              0);
    EXPECT_EQ(StretchDIBits(&mem, 0, 0, 2, 2, 0, 0, 2, 2, rows, nullptr, DIB_RGB_COLORS, SRCCOPY), 0);
    mem.SelectObject(old);
}

// A 24-bit BMP file of 2 by 1 pixels: blue, then green.
void WriteBmp(const std::string& path) {
    const unsigned char file[] = {
        'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                                                 // file header
        40,  0,   0,  0, 2, 0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0,                              // info header
        8,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0,  // one row
    };
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file), sizeof file);
}

TEST(Drawing, BitmapFilesLoadAndMissingOnesGiveNothing) {
    Shown s;
    const std::string path = ::testing::TempDir() + "draw_two.bmp";
    WriteBmp(path);
    auto bitmap = static_cast<HBITMAP>(
        LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info;
    ASSERT_EQ(GetObject(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(info.bmHeight, 1);
    DialogDriver d = s.Driver();
    EXPECT_EQ(d.PixelAt(20, 30), kBack);  // shown and painted: what is drawn now stays
    CClientDC dc(&s.dlg);
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    HGDIOBJ old = mem.SelectObject(HGDIOBJ(bitmap));
    dc.StretchBlt(20, 30, 4, 2, &mem, 0, 0, 2, 1, SRCCOPY);
    mem.SelectObject(old);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(d.PixelAt(20, 30), kBlue);
    EXPECT_EQ(d.PixelAt(21, 31), kBlue);
    EXPECT_EQ(d.PixelAt(22, 30), kGreen);
    EXPECT_EQ(d.PixelAt(23, 31), kGreen);
    EXPECT_EQ(d.PixelAt(24, 30), kBack);
    std::remove(path.c_str());

    EXPECT_EQ(LoadImage(nullptr, (path + ".missing").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(LoadImage(nullptr, "", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    CBitmap none;
    EXPECT_FALSE(none.LoadBitmap(1));  // no such resource
}

TEST(Drawing, TextShowsInTheTextColourWithinItsExtent) {
    Shown s;
    DialogDriver d = s.Driver();
    EXPECT_EQ(d.PixelAt(10, 10), kBack);
    CClientDC dc(&s.dlg);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kWhite);
    const CSize extent = dc.GetTextExtent("HHHH");
    ASSERT_GT(extent.cx, 0);
    ASSERT_GT(extent.cy, 0);
    ASSERT_TRUE(dc.TextOut(10, 10, "HHHH"));
    int white = 0;
    for (int y = 10; y < 10 + extent.cy; ++y) {
        for (int x = 10; x < 10 + extent.cx; ++x) white += d.PixelAt(x, y) == kWhite;
    }
    EXPECT_GT(white, 8);
    // Nothing outside the extent.
    for (int x = 0; x < 100; ++x) EXPECT_EQ(d.PixelAt(x, 10 + extent.cy + 1), kBack);
}

TEST(Drawing, AContextOfAWindowThatIsGoneDrawsNothing) {
    Harness ui;
    auto dlg = std::make_unique<CSurfaceDlg>();
    ASSERT_TRUE(dlg->Create(IDD_SURFACE));
    CDC* kept = dlg->GetDC();
    CClientDC client(dlg.get());
    dlg->DestroyWindow();
    dlg.reset();
    ui::test::Pump(std::chrono::milliseconds(20));
    CRect r(0, 0, 10, 10);
    EXPECT_FALSE(kept->Rectangle(&r));
    EXPECT_FALSE(client.TextOut(0, 0, "gone"));
    CBitmap bmp;
    ASSERT_TRUE(bmp.LoadBitmap(IDB_RED));
    CDC mem;
    mem.CreateCompatibleDC(kept);
    CBitmap* old = mem.SelectObject(&bmp);
    EXPECT_FALSE(kept->BitBlt(0, 0, 5, 4, &mem, 0, 0, SRCCOPY));
    mem.SelectObject(old);
}

// Sets the hand cursor while the pointer moves over the left half, the arrow elsewhere.
class CPointerDlg : public CSurfaceDlg {
public:
    DECLARE_MESSAGE_MAP()
    void OnMouseMove(UINT, CPoint p) override { SetCursor(LoadCursor(nullptr, p.x < 50 ? IDC_HAND : IDC_ARROW)); }
};
BEGIN_MESSAGE_MAP(CPointerDlg, CSurfaceDlg)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

TEST(Drawing, TheCursorSetWhileThePointerMovesIsTheWindowsCursor) {
    Harness ui;
    CPointerDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_SURFACE));
    dlg.ShowWindow(SW_SHOW);
    DialogDriver d(dlg);
    d.MoveMouseTo(10, 10);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
    EXPECT_EQ(ui::WidgetOf(dlg.GetSafeHwnd())->cursor().shape(), Qt::PointingHandCursor);
    d.MoveMouseTo(80, 10);
    EXPECT_EQ(ui::WidgetOf(dlg.GetSafeHwnd())->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(LoadCursor(nullptr, 12345), nullptr);
    dlg.DestroyWindow();
}

}  // namespace
