#pragma once
// Drawing: device contexts, bitmaps, brushes, pens, fonts, palettes, icons and cursors.
//
// Every window that draws has one backing surface (an image the size of its client area).
// Erasing the background, painting (CPaintDC) and drawing outside painting (CClientDC,
// CWindowDC, CWnd::GetDC) all write into it, and the window shows it. A window DC taken with
// CWnd::GetDC is kept for the window's whole life (ReleaseDC may be skipped).
//
// Threads. Every operation of a device context runs on the user-interface thread: called from
// a worker it is carried out there while the worker waits (thread rule 3). Drawing on a window
// that no longer exists is dropped. Memory contexts and bitmaps used by several threads (the
// bitmap store) are therefore never drawn on by two threads at once.
//
// Coordinates are logical units: pixels (MM_TEXT) moved by the window origin, or twips
// (MM_TWIPS, 1/1440 inch, y grows upwards) where a printer context is set to it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Wnd.h"

// ---- handles --------------------------------------------------------------------------------
using HGDIOBJ = void*;  // any drawing object (bitmap, brush, pen, font, palette)
struct HBITMAP__;
using HBITMAP = HBITMAP__*;
struct HPEN__;
using HPEN = HPEN__*;
struct HFONT__;
using HFONT = HFONT__*;
struct HPALETTE__;
using HPALETTE = HPALETTE__*;
using HANDLE = void*;
using HINSTANCE = void*;

// ---- constants ----------------------------------------------------------------------------
constexpr UINT WM_ICONERASEBKGND = 0x0027;

// Raster operations (BitBlt, StretchDIBits, PatBlt)
constexpr DWORD SRCCOPY = 0x00CC0020, PATCOPY = 0x00F00021, BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062;
// Stretch modes
constexpr int BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4;
// Background modes
constexpr int TRANSPARENT = 1, OPAQUE = 2;
// Mapping modes
constexpr int MM_TEXT = 1, MM_TWIPS = 6;
// Device-independent bitmaps
constexpr UINT DIB_RGB_COLORS = 0;
constexpr DWORD BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;
// Stock objects
constexpr int WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3, BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5, HOLLOW_BRUSH = 5, WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8;
constexpr int ANSI_VAR_FONT = 12, SYSTEM_FONT = 13, DEFAULT_GUI_FONT = 17;
// Pen styles
constexpr int PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_NULL = 5;
// System colours
constexpr int COLOR_WINDOW = 5, COLOR_WINDOWTEXT = 8, COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15, COLOR_3DFACE = 15, COLOR_BTNSHADOW = 16, COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18, COLOR_BTNHIGHLIGHT = 20;
// System metrics
constexpr int SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CYCAPTION = 4, SM_CXBORDER = 5, SM_CYBORDER = 6;
constexpr int SM_CXICON = 11, SM_CYICON = 12, SM_CXCURSOR = 13, SM_CYCURSOR = 14, SM_CYMENU = 15;
constexpr int SM_CXFRAME = 32, SM_CYFRAME = 33, SM_CXSMICON = 49, SM_CYSMICON = 50;
// Device capabilities
constexpr int HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10, BITSPIXEL = 12, PLANES = 14;
constexpr int NUMCOLORS = 24, RASTERCAPS = 38, LOGPIXELSX = 88, LOGPIXELSY = 90, SIZEPALETTE = 104;
constexpr int PHYSICALWIDTH = 110, PHYSICALHEIGHT = 111, PHYSICALOFFSETX = 112, PHYSICALOFFSETY = 113;
constexpr int RC_PALETTE = 0x0100;
// Standard cursors (LoadCursor with no instance)
constexpr UINT IDC_ARROW = 32512, IDC_IBEAM = 32513, IDC_WAIT = 32514, IDC_HAND = 32649;
// LoadImage
constexpr UINT IMAGE_BITMAP = 0, IMAGE_ICON = 1;
constexpr UINT LR_DEFAULTCOLOR = 0x0, LR_LOADFROMFILE = 0x10, LR_DEFAULTSIZE = 0x40, LR_CREATEDIBSECTION = 0x2000;
// Print jobs
constexpr int SP_ERROR = -1;

// ---- records --------------------------------------------------------------------------------
struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr;
};

struct BITMAPINFOHEADER {
    DWORD biSize = 40;
    LONG biWidth = 0;
    LONG biHeight = 0;  // > 0: rows bottom-up; < 0: top-down
    WORD biPlanes = 1;
    WORD biBitCount = 0;
    DWORD biCompression = BI_RGB;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};
struct RGBQUAD {
    BYTE rgbBlue = 0, rgbGreen = 0, rgbRed = 0, rgbReserved = 0;
};
// The header followed by the colour table (biClrUsed entries, or 2^biBitCount when 0, for 8 or
// fewer bits per pixel), as one block.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

struct PALETTEENTRY {
    BYTE peRed = 0, peGreen = 0, peBlue = 0, peFlags = 0;
};
struct LOGPALETTE {
    WORD palVersion = 0x300;
    WORD palNumEntries = 0;
    PALETTEENTRY palPalEntry[1];
};

struct DOCINFO {
    int cbSize = sizeof(DOCINFO);
    const char* lpszDocName = nullptr;
    const char* lpszOutput = nullptr;
    const char* lpszDatatype = nullptr;
    DWORD fwType = 0;
};

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE;
    RECT rcPaint;
};

// ---- GDI objects ------------------------------------------------------------------------------
class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    // Deletes the object (a stock object is never deleted). Do not delete what a context holds.
    BOOL DeleteObject();
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // Takes over / lets go of a handle without deleting anything.
    BOOL Attach(HGDIOBJ handle);
    HGDIOBJ Detach();

    HGDIOBJ m_hObject = nullptr;
};

class CBitmap : public CGdiObject {
public:
    // The bitmap resource of that id (UI_BITMAP_RESOURCE); FALSE when there is none.
    BOOL LoadBitmap(UINT resourceId);
    // A bitmap of the size, as the context's pixels (black).
    BOOL CreateCompatibleBitmap(class CDC* dc, int width, int height);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    int GetBitmap(BITMAP* info) const;
    operator HBITMAP() const;
    static CBitmap* FromHandle(HBITMAP handle);
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color);
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateStockObject(int index);
    operator HBRUSH() const;
    static CBrush* FromHandle(HBRUSH handle);
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color);
    BOOL CreatePen(int style, int width, COLORREF color);
    operator HPEN() const;
};

class CFont : public CGdiObject {
public:
    // Height in logical units (negative: character height), the face name.
    BOOL CreatePointFont(int tenthsOfPoint, const std::string& face, class CDC* dc = nullptr);
    BOOL CreateFont(int height, const std::string& face, bool bold = false);
    operator HFONT() const;
};

// Palettes change nothing here: every surface holds true colour.
class CPalette : public CGdiObject {
public:
    BOOL CreatePalette(const LOGPALETTE* palette);
    int GetEntryCount() const;
    operator HPALETTE() const;
};

// ---- device contexts ----------------------------------------------------------------------------
class CDC {
public:
    CDC() = default;
    virtual ~CDC();  // deletes the context it holds (Detach first to keep it)
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    BOOL Attach(HDC hdc);
    HDC Detach();
    BOOL DeleteDC();
    BOOL IsPrinting() const { return m_bPrinting; }
    // A memory context (a 1 by 1 bitmap selected until another is).
    BOOL CreateCompatibleDC(CDC* dc);
    // The window of a window or paint context, else null.
    CWnd* GetWindow() const;

    // ---- objects ----
    CBitmap* SelectObject(CBitmap* bitmap);
    CBrush* SelectObject(CBrush* brush);
    CPen* SelectObject(CPen* pen);
    CFont* SelectObject(CFont* font);
    HGDIOBJ SelectObject(HGDIOBJ object);
    CGdiObject* SelectStockObject(int index);
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette();

    // ---- attributes ----
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int SetStretchBltMode(int mode);
    int SetMapMode(int mode);
    int GetMapMode() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const;
    CPoint SetViewportOrg(int x, int y);
    int GetClipBox(LPRECT rect) const;
    int GetDeviceCaps(int index) const;

    // ---- drawing ----
    BOOL BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                    DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    void FillRect(const RECT* rect, CBrush* brush);
    void FillSolidRect(const RECT* rect, COLORREF color);
    void FillSolidRect(int x, int y, int width, int height, COLORREF color);
    void FrameRect(const RECT* rect, CBrush* brush);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const RECT* rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL Ellipse(int left, int top, int right, int bottom);
    CPoint MoveTo(int x, int y);
    BOOL LineTo(int x, int y);
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF GetPixel(int x, int y) const;
    BOOL TextOut(int x, int y, const std::string& text);
    CSize GetTextExtent(const std::string& text) const;
    BOOL DrawIcon(int x, int y, HICON icon);

    // ---- print jobs (a printer context, Print.h) ----
    int StartDoc(DOCINFO* info);
    int StartDoc(const std::string& docName);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();

protected:
    // The window contexts made by the derived classes.
    void AttachWindow(HWND hwnd, bool paint);
};

// The context of a window's client area (drawing outside painting).
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
};

// The whole window; here the client area, as nothing outside it is drawn by the system.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* wnd);
};

// Painting in WM_PAINT: clipped to the part of the window that needs painting, which it validates.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd = nullptr;
};

// ---- free functions -----------------------------------------------------------------------------
// Stretches a device-independent bitmap (header with masks and colour table, pixel data) into
// the context; both blocks hold as many bytes as the header says. What it reads is what bitmap
// files may hold (platform/image/BmpReader.h): 1, 4, 8 bits with a colour table, 8 and 4 bits
// run-length coded (BI_RLE8, BI_RLE4: biSizeImage bytes), 16 and 32 bits with or without bit
// fields, 24 bits; rows bottom-up when biHeight > 0. Source coordinates count from the
// picture's top-left corner. Returns the number of rows drawn (0 on failure). Stretching is
// pixel-exact (COLORONCOLOR: no smoothing).
int StretchDIBits(CDC* dc, int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth, int srcHeight,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
int StretchDIBits(HDC hdc, int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth, int srcHeight,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
// Loads a bitmap file (IMAGE_BITMAP with LR_LOADFROMFILE, read by the one BMP decoder) or a
// bitmap resource by id (name is then the decimal id). Null when it cannot be read. Delete it
// with DeleteObject. A file of 8 or fewer bits per pixel keeps its depth and colour table.
HANDLE LoadImage(HINSTANCE instance, const char* name, UINT type, int cx, int cy, UINT flags);
// A bitmap as a device-independent bitmap (DIB_RGB_COLORS only; every surface here is true
// colour, so the context is not needed). With bits null: biBitCount 0 fills the header (size,
// the bitmap's bits per pixel); biBitCount 1, 4 or 8 fills the colour table after the header
// from a bitmap of that depth (LoadImage). Else copies `lines` rows from row `start` into bits,
// 32 bits per pixel (0x00RRGGBB), which the header must ask for (biBitCount 32, BI_RGB, the
// bitmap's width and height; top row first when biHeight < 0, else bottom row first).
// Returns the number of rows (copied), 0 on failure.
int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage);
BOOL DeleteObject(HGDIOBJ object);
int GetObject(HGDIOBJ object, int size, void* out);  // BITMAP of a bitmap
BOOL DeleteDC(HDC hdc);
HGDIOBJ GetStockObject(int index);
COLORREF GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);
int GetSystemMetrics(int index);
// Cursors: the standard ones (IDC_ARROW, IDC_HAND, IDC_WAIT) with no instance, or the
// program's cursor resources by id (UI_CURSOR_RESOURCE).
HCURSOR LoadCursor(HINSTANCE instance, UINT id);
// Sets the cursor over the window the pointer is moving in; returns the previous one.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
HICON LoadIcon(HINSTANCE instance, UINT id);

// ---- resources: bitmaps, icons, cursors by id -----------------------------------------------------
namespace ui::res {

// A picture: pixels 0xAARRGGBB, row after row from the top; or a bitmap file to read.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::string file;        // when set: read from this BMP file
    int hotX = 0, hotY = 0;  // cursors
};
// A solid picture of one colour.
Picture Solid(int width, int height, COLORREF color);
Picture File(const std::string& path);

enum class Kind { Bitmap, Icon, Cursor };
// Registers a resource (at static initialisation, through the macros below); a second
// registration of the same kind and id replaces the first.
struct Registration {
    Registration(Kind kind, UINT id, Picture picture);
};
const Picture* Find(Kind kind, UINT id);

}  // namespace ui::res

#define UI_RES_CAT2(a, b) a##b
#define UI_RES_CAT(a, b) UI_RES_CAT2(a, b)
#define UI_BITMAP_RESOURCE(id, picture)                                                                      \
    namespace {                                                                                              \
    const ::ui::res::Registration UI_RES_CAT(g_bitmap_, __LINE__)(::ui::res::Kind::Bitmap, (id), (picture)); \
    }
#define UI_ICON_RESOURCE(id, picture)                                                                    \
    namespace {                                                                                          \
    const ::ui::res::Registration UI_RES_CAT(g_icon_, __LINE__)(::ui::res::Kind::Icon, (id), (picture)); \
    }
#define UI_CURSOR_RESOURCE(id, picture)                                                                      \
    namespace {                                                                                              \
    const ::ui::res::Registration UI_RES_CAT(g_cursor_, __LINE__)(::ui::res::Kind::Cursor, (id), (picture)); \
    }

namespace ui::detail {
// The backing surface's pixel at a point of the window's client area, after any pending
// painting; false when the window does not exist or the point is outside. For tests.
bool SurfacePixel(HWND hwnd, int x, int y, COLORREF* color);
}  // namespace ui::detail
