#include "platform/ui/Gdi.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPixmap>
#include <QPointer>
#include <QPrinter>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <map>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <utility>

#include "platform/image/BmpReader.h"
#include "platform/ui/GdiInternal.h"
#include "platform/ui/Internal.h"

namespace {

// Runs fn on the user-interface thread when there is one, else here (drawing before the
// layer starts, as in unit tests of memory contexts).
template <class F>
void OnGdi(F&& fn) {
    if (!ui::RunOnUiThread(fn)) fn();
}

// ---- stock objects ----------------------------------------------------------------------------
HBRUSH__* StockBrush(QColor color, bool hollow = false) {
    auto* b = new HBRUSH__;
    b->stock = true;
    b->color = color;
    b->hollow = hollow;
    return b;
}
HPEN__* StockPen(QColor color, int style) {
    auto* p = new HPEN__;
    p->stock = true;
    p->color = color;
    p->style = style;
    return p;
}

// Stock objects live as long as the process (reachable from here, so not leaks).
struct Stock {
    HBITMAP__* bitmap;  // the 1 by 1 bitmap of a new memory context
    HBRUSH__* brushes[6];
    HPEN__* pens[3];
    HFONT__* font;
    HBRUSH__* sysBrushes[32] = {};
    Stock() {
        bitmap = new HBITMAP__;
        bitmap->stock = true;
        bitmap->image = QImage(1, 1, QImage::Format_RGB32);
        bitmap->image.fill(Qt::black);
        brushes[WHITE_BRUSH] = StockBrush(Qt::white);
        brushes[LTGRAY_BRUSH] = StockBrush(QColor(192, 192, 192));
        brushes[GRAY_BRUSH] = StockBrush(QColor(128, 128, 128));
        brushes[DKGRAY_BRUSH] = StockBrush(QColor(64, 64, 64));
        brushes[BLACK_BRUSH] = StockBrush(Qt::black);
        brushes[NULL_BRUSH] = StockBrush(Qt::black, true);
        pens[0] = StockPen(Qt::white, PS_SOLID);
        pens[1] = StockPen(Qt::black, PS_SOLID);
        pens[2] = StockPen(Qt::black, PS_NULL);
        font = new HFONT__;
        font->stock = true;
        font->font = QFont(QStringLiteral("DejaVu Sans"), 9);
    }
};
Stock& Stocks() {
    static Stock* stock = new Stock;
    return *stock;
}

// ---- handle -> object maps (FromHandle) -------------------------------------------------------
std::mutex g_objectMutex;
std::unordered_map<HGDIOBJ, CGdiObject*> g_permanent;
// Wrappers handed out for handles no object holds; kept until the process ends.
std::map<std::pair<int, HGDIOBJ>, std::unique_ptr<CGdiObject>>& Temporaries() {
    static auto* map = new std::map<std::pair<int, HGDIOBJ>, std::unique_ptr<CGdiObject>>;
    return *map;
}

void SetHandle(CGdiObject* obj, HGDIOBJ handle) {
    std::lock_guard lock(g_objectMutex);
    if (obj->m_hObject) {
        auto it = g_permanent.find(obj->m_hObject);
        if (it != g_permanent.end() && it->second == obj) g_permanent.erase(it);
    }
    obj->m_hObject = handle;
    if (handle) g_permanent[handle] = obj;
}

template <class T>
T* WrapperOf(HGDIOBJ handle, int kind) {
    if (!handle) return nullptr;
    std::lock_guard lock(g_objectMutex);
    if (auto it = g_permanent.find(handle); it != g_permanent.end()) {
        if (auto* obj = dynamic_cast<T*>(it->second)) return obj;
    }
    auto& slot = Temporaries()[{kind, handle}];
    if (!slot) {
        slot = std::make_unique<T>();
        slot->m_hObject = handle;  // not in the permanent map: never deleted through it
    }
    return static_cast<T*>(slot.get());
}

void DeleteHandle(HGDIOBJ handle) {
    GdiObject* obj = ObjectOf(handle);
    if (obj && !obj->stock) delete obj;
}

// ---- backing surfaces (user-interface thread) --------------------------------------------------
struct Surface {
    QImage image;
    QRegion invalid;  // still to be erased and painted
    bool erase = false;
};
std::unordered_map<HWND, Surface> g_surfaces;
// The region being painted, per window, while its WM_PAINT runs from a Qt paint event.
std::unordered_map<HWND, QRegion> g_painting;

// What a window's background is erased to when nothing handles WM_ERASEBKGND.
QColor DefaultBackground() { return ui::detail::ToQColor(GetSysColor(COLOR_BTNFACE)); }

Surface* SurfaceOf(HWND hwnd) {
    QWidget* widget = ui::WidgetOf(hwnd);
    if (!widget) {
        g_surfaces.erase(hwnd);
        return nullptr;
    }
    auto [it, inserted] = g_surfaces.try_emplace(hwnd);
    if (inserted) QObject::connect(widget, &QObject::destroyed, [hwnd] { g_surfaces.erase(hwnd); });
    Surface& s = it->second;
    const QSize size(std::max(1, widget->width()), std::max(1, widget->height()));
    if (s.image.size() != size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(DefaultBackground());
        QRegion fresh(QRect(QPoint(0, 0), size));
        if (!s.image.isNull()) {
            QPainter p(&image);
            p.drawImage(0, 0, s.image);
            fresh -= QRegion(s.image.rect());
        }
        s.image = std::move(image);
        if (!fresh.isEmpty()) {
            s.invalid += fresh;
            s.erase = true;
        }
    }
    return &s;
}

double Scale(const HDC__& dc, const QPaintDevice* device) {
    if (dc.mapMode != MM_TWIPS) return 1.0;
    const int dpi = device ? device->logicalDpiX() : 96;
    return dpi / 1440.0;
}

QPoint ToDevice(const HDC__& dc, const QPaintDevice* device, int x, int y) {
    const double s = Scale(dc, device);
    const double dx = (x - dc.windowOrg.x()) * s + dc.viewportOrg.x();
    const double dy = dc.mapMode == MM_TWIPS ? -(y - dc.windowOrg.y()) * s + dc.viewportOrg.y()
                                             : (y - dc.windowOrg.y()) + dc.viewportOrg.y();
    return QPoint(static_cast<int>(std::lround(dx)), static_cast<int>(std::lround(dy)));
}

// A logical rectangle (left, top, right, bottom) as a device rectangle.
QRect ToDevice(const HDC__& dc, const QPaintDevice* device, int left, int top, int right, int bottom) {
    const QPoint a = ToDevice(dc, device, left, top);
    const QPoint b = ToDevice(dc, device, right, bottom);
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
}

QImage* ImageOf(HDC__& dc) {
    switch (dc.kind) {
    case HDC__::Kind::Memory: return dc.bitmap ? &dc.bitmap->image : nullptr;
    case HDC__::Kind::Window: {
        Surface* s = SurfaceOf(dc.hwnd);
        return s ? &s->image : nullptr;
    }
    default: return nullptr;
    }
}

// Runs fn(painter, device) on the context's device, on the user-interface thread. A window
// context shows what was drawn; a dead window or a screen context draws nothing.
template <class F>
bool Draw(HDC hdc, F&& fn) {
    bool drawn = false;
    OnGdi([&] {
        if (!hdc) return;
        if (hdc->kind == HDC__::Kind::Printer) {
            if (!hdc->printPainter || !hdc->printPainter->isActive()) return;
            hdc->printPainter->save();
            fn(*hdc->printPainter, static_cast<QPaintDevice*>(hdc->printer.get()));
            hdc->printPainter->restore();
            drawn = true;
            return;
        }
        QImage* image = ImageOf(*hdc);
        if (!image) return;
        {
            QPainter p(image);
            if (hdc->paint) p.setClipRegion(hdc->clip);
            fn(p, static_cast<QPaintDevice*>(image));
        }
        drawn = true;
        if (hdc->kind == HDC__::Kind::Window && !g_painting.count(hdc->hwnd)) {
            if (QWidget* w = ui::WidgetOf(hdc->hwnd)) w->update();
        }
    });
    return drawn;
}

QBrush BrushOf(const HBRUSH__* b) {
    if (!b || b->hollow) return Qt::NoBrush;
    return QBrush(b->color);
}
QPen PenOf(const HPEN__* p) {
    if (!p || p->style == PS_NULL) return Qt::NoPen;
    QPen pen(p->color);
    pen.setWidth(std::max(1, p->width));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (p->style == PS_DASH) pen.setStyle(Qt::DashLine);
    if (p->style == PS_DOT) pen.setStyle(Qt::DotLine);
    return pen;
}
QFont FontOf(const HDC__& dc) { return dc.font ? dc.font->font : Stocks().font->font; }

// ---- pictures -------------------------------------------------------------------------------------
// The image of decoded pixels (0xFFRRGGBB, top row first).
QImage ImageOfPixels(int width, int height, const std::vector<std::uint32_t>& pixels) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), pixels.data() + static_cast<std::size_t>(y) * width,
                    width * sizeof(std::uint32_t));
    return image;
}

QImage ImageOfPicture(const ui::res::Picture& pic) {
    if (!pic.file.empty()) {
        BmpImage bmp;
        return ReadBmpFile(pic.file, bmp) ? ImageOfPixels(bmp.width, bmp.height, bmp.pixels) : QImage();
    }
    if (pic.width <= 0 || pic.height <= 0 || pic.pixels.size() < static_cast<std::size_t>(pic.width) * pic.height) {
        return {};
    }
    QImage image(pic.width, pic.height, QImage::Format_ARGB32);
    for (int y = 0; y < pic.height; ++y) {
        for (int x = 0; x < pic.width; ++x)
            image.setPixel(x, y, pic.pixels[static_cast<std::size_t>(y) * pic.width + x]);
    }
    return image;
}

std::mutex g_resourceMutex;
std::map<std::pair<ui::res::Kind, UINT>, ui::res::Picture>& Resources() {
    static auto* map = new std::map<std::pair<ui::res::Kind, UINT>, ui::res::Picture>;
    return *map;
}

// The image of a device-independent bitmap in memory, which holds as many bytes as its header
// says; null when the decoder refuses it.
QImage DibToImage(const BITMAPINFO* info, const void* bitsPtr) {
    if (!info || !bitsPtr) return {};
    const auto* header = reinterpret_cast<const std::uint8_t*>(info);
    const std::optional<DibExtent> extent = MemoryDibExtent(header);
    BmpImage bmp;
    if (!extent ||
        !ReadDib(header, extent->infoBytes, static_cast<const std::uint8_t*>(bitsPtr), extent->bitsBytes, bmp))
        return {};
    return ImageOfPixels(bmp.width, bmp.height, bmp.pixels);
}

// ---- cursors ------------------------------------------------------------------------------------
// Cursor handles: standard cursors and resource cursors as tagged numbers.
constexpr std::uintptr_t kStandardCursorTag = 0x20000000u;
constexpr std::uintptr_t kResourceCursorTag = 0x30000000u;
std::atomic<HCURSOR> g_cursor{nullptr};
QPointer<QWidget> g_cursorWidget;

QCursor QtCursorOf(HCURSOR cursor) {
    const auto v = reinterpret_cast<std::uintptr_t>(cursor);
    const UINT id = static_cast<UINT>(v & 0xFFFFFFu);
    if ((v & 0xF0000000u) == kResourceCursorTag) {
        std::lock_guard lock(g_resourceMutex);
        auto it = Resources().find({ui::res::Kind::Cursor, id});
        if (it != Resources().end()) {
            const QImage image = ImageOfPicture(it->second);
            if (!image.isNull()) return QCursor(QPixmap::fromImage(image), it->second.hotX, it->second.hotY);
        }
        return QCursor(Qt::PointingHandCursor);
    }
    switch (id) {
    case IDC_HAND: return QCursor(Qt::PointingHandCursor);
    case IDC_WAIT: return QCursor(Qt::WaitCursor);
    case IDC_IBEAM: return QCursor(Qt::IBeamCursor);
    default: return QCursor(Qt::ArrowCursor);
    }
}

// A window context object kept for the window's life (CWnd::GetDC).
class KeptWindowDC : public CDC {
public:
    explicit KeptWindowDC(HWND hwnd) { AttachWindow(hwnd, false); }
};
std::mutex g_keptMutex;
std::unordered_map<HWND, std::unique_ptr<KeptWindowDC>>& KeptDCs() {
    static auto* map = new std::unordered_map<HWND, std::unique_ptr<KeptWindowDC>>;
    return *map;
}

// ---- painting a window through its surface ------------------------------------------------------
class EraseDC : public CDC {
public:
    EraseDC(HWND hwnd, const QRegion& region) {
        AttachWindow(hwnd, true);
        m_hDC->clip = region;
    }
};

bool PaintWindow(HWND hwnd, QWidget* widget) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd) return false;
    const bool paints = wnd->HandlesMessage(WM_PAINT);
    const bool erases = wnd->HandlesMessage(WM_ERASEBKGND);
    if (!paints && !erases && !g_surfaces.count(hwnd)) return false;
    Surface* s = SurfaceOf(hwnd);
    if (!s) return false;
    if (!s->invalid.isEmpty()) {
        const QRegion region = s->invalid;
        const bool erase = s->erase;
        s->invalid = QRegion();
        s->erase = false;
        g_painting[hwnd] = region;
        if (erase) {
            EraseDC dc(hwnd, region);
            if (!ui::detail::Dispatch(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(static_cast<CDC*>(&dc)), 0)) {
                Draw(dc.m_hDC, [&](QPainter& p, QPaintDevice*) {
                    for (const QRect& r : region) p.fillRect(r, DefaultBackground());
                });
            }
        }
        if (paints) ui::detail::Dispatch(hwnd, WM_PAINT, 0, 0);
        g_painting.erase(hwnd);
    }
    // A handler may have destroyed the window.
    auto it = g_surfaces.find(hwnd);
    if (it == g_surfaces.end() || ui::WidgetOf(hwnd) != widget) return true;
    QPainter p(widget);
    p.drawImage(0, 0, it->second.image);
    return true;
}

}  // namespace

// ---- layer hooks -----------------------------------------------------------------------------------
namespace ui::detail {

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

void InstallDrawing() { SetPaintHook(PaintWindow); }

void MarkInvalid(HWND hwnd, const RECT* rect, bool erase) {
    QWidget* widget = WidgetOf(hwnd);
    if (!widget) return;
    auto it = g_surfaces.find(hwnd);
    if (it != g_surfaces.end()) {
        const QRect r = rect ? QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top)
                             : QRect(QPoint(0, 0), widget->size());
        it->second.invalid += r;
        it->second.erase = it->second.erase || erase;
    }
    // Without a surface the whole window is painted when it gets one.
}

void NoteMouseWidget(QWidget* widget) { g_cursorWidget = widget; }

bool SurfacePixel(HWND hwnd, int x, int y, COLORREF* color) {
    bool ok = false;
    RunOnUiThread([&] {
        QWidget* widget = WidgetOf(hwnd);
        if (!widget) return;
        if (widget->isVisible()) {
            // A window paints once the platform has exposed it.
            const QWindow* window = widget->window()->windowHandle();
            for (int i = 0; i < 100 && window && !window->isExposed(); ++i) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            }
            widget->repaint();
        }
        auto it = g_surfaces.find(hwnd);
        if (it == g_surfaces.end() || !it->second.image.rect().contains(x, y)) return;
        const QRgb px = it->second.image.pixel(x, y);
        *color = RGB(qRed(px), qGreen(px), qBlue(px));
        ok = true;
    });
    return ok;
}

}  // namespace ui::detail

// ---- HDC__ ------------------------------------------------------------------------------------------
HDC__::HDC__() = default;
HDC__::~HDC__() {
    if (printPainter && printPainter->isActive()) printPainter->end();
}

// ---- CGdiObject and kin ---------------------------------------------------------------------------
// Wrappers from FromHandle live until the process ends, so only owners get here.
CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) return FALSE;
    HGDIOBJ h = m_hObject;
    SetHandle(this, nullptr);
    OnGdi([h] { DeleteHandle(h); });
    return TRUE;
}

BOOL CGdiObject::Attach(HGDIOBJ handle) {
    if (!handle) return FALSE;
    SetHandle(this, handle);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    SetHandle(this, nullptr);
    return h;
}

namespace {
template <class H>
void Replace(CGdiObject* obj, H* handle) {
    obj->DeleteObject();
    SetHandle(obj, handle);
}
}  // namespace

BOOL CBitmap::LoadBitmap(UINT resourceId) {
    auto* h = static_cast<HBITMAP>(::LoadImage(nullptr, std::to_string(resourceId).c_str(), IMAGE_BITMAP, 0, 0, 0));
    if (!h) return FALSE;
    Replace(this, h);
    return TRUE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height) {
    if (width <= 0 || height <= 0) return FALSE;
    auto* h = new HBITMAP__;
    h->image = QImage(width, height, QImage::Format_RGB32);
    if (h->image.isNull()) {
        delete h;
        return FALSE;
    }
    h->image.fill(Qt::black);
    Replace(this, h);
    return TRUE;
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT, UINT bitsPerPixel, const void* bits) {
    if (!CreateCompatibleBitmap(nullptr, width, height)) return FALSE;
    if (bits && bitsPerPixel == 32) {
        auto* h = static_cast<HBITMAP>(m_hObject);
        const auto* src = static_cast<const std::uint32_t*>(bits);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) h->image.setPixel(x, y, 0xFF000000u | src[y * width + x]);
        }
    }
    return TRUE;
}

int CBitmap::GetBitmap(BITMAP* info) const { return ::GetObject(m_hObject, sizeof(BITMAP), info); }
CBitmap::operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
CBitmap* CBitmap::FromHandle(HBITMAP handle) { return WrapperOf<CBitmap>(handle, 1); }

CBrush::CBrush(COLORREF color) { CreateSolidBrush(color); }
BOOL CBrush::CreateSolidBrush(COLORREF color) {
    auto* h = new HBRUSH__;
    h->color = ui::detail::ToQColor(color);
    Replace(this, h);
    return TRUE;
}
BOOL CBrush::CreateStockObject(int index) {
    if (index < 0 || index > NULL_BRUSH) return FALSE;
    Replace(this, static_cast<HGDIOBJ>(Stocks().brushes[index]));
    return TRUE;
}
CBrush::operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
CBrush* CBrush::FromHandle(HBRUSH handle) { return WrapperOf<CBrush>(handle, 2); }

CPen::CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    auto* h = new HPEN__;
    h->style = style;
    h->width = width;
    h->color = ui::detail::ToQColor(color);
    Replace(this, h);
    return TRUE;
}
CPen::operator HPEN() const { return static_cast<HPEN>(m_hObject); }

BOOL CFont::CreatePointFont(int tenthsOfPoint, const std::string& face, CDC*) {
    auto* h = new HFONT__;
    h->font = QFont(QString::fromStdString(face));
    h->font.setPointSizeF(tenthsOfPoint / 10.0);
    Replace(this, h);
    return TRUE;
}
BOOL CFont::CreateFont(int height, const std::string& face, bool bold) {
    auto* h = new HFONT__;
    h->font = QFont(QString::fromStdString(face));
    h->font.setPixelSize(std::max(1, std::abs(height)));
    h->font.setBold(bold);
    Replace(this, h);
    return TRUE;
}
CFont::operator HFONT() const { return static_cast<HFONT>(m_hObject); }

BOOL CPalette::CreatePalette(const LOGPALETTE* palette) {
    if (!palette) return FALSE;
    auto* h = new HPALETTE__;
    h->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
    Replace(this, h);
    return TRUE;
}
int CPalette::GetEntryCount() const {
    auto* h = static_cast<HPALETTE>(m_hObject);
    return h ? static_cast<int>(h->entries.size()) : 0;
}
CPalette::operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }

// ---- CDC ---------------------------------------------------------------------------------------------
CDC::~CDC() { DeleteDC(); }

BOOL CDC::Attach(HDC hdc) {
    if (!hdc) return FALSE;
    m_hDC = m_hAttribDC = hdc;
    m_bPrinting = hdc->kind == HDC__::Kind::Printer ? TRUE : FALSE;
    return TRUE;
}

HDC CDC::Detach() {
    HDC h = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::DeleteDC() {
    HDC h = Detach();
    return h ? ::DeleteDC(h) : FALSE;
}

BOOL CDC::CreateCompatibleDC(CDC*) {
    DeleteDC();
    auto* h = new HDC__;
    h->kind = HDC__::Kind::Memory;
    h->bitmap = Stocks().bitmap;
    m_hDC = m_hAttribDC = h;
    return TRUE;
}

CWnd* CDC::GetWindow() const {
    CWnd* wnd = nullptr;
    OnGdi([&] {
        if (m_hDC && m_hDC->kind == HDC__::Kind::Window) wnd = CWnd::FromHandle(m_hDC->hwnd);
    });
    return wnd;
}

void CDC::AttachWindow(HWND hwnd, bool paint) {
    auto* h = new HDC__;
    h->kind = hwnd ? HDC__::Kind::Window : HDC__::Kind::Screen;
    h->hwnd = hwnd;
    h->paint = paint;
    m_hDC = m_hAttribDC = h;
}

namespace {
// Selects a handle into its slot and gives back the previous one.
template <class H>
H* Swap(HDC hdc, H* HDC__::*slot, H* handle, H* fallback) {
    H* previous = nullptr;
    OnGdi([&] {
        if (!hdc || !handle) return;
        previous = hdc->*slot ? hdc->*slot : fallback;
        hdc->*slot = handle;
    });
    return previous;
}
}  // namespace

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    if (!bitmap || !m_hDC || m_hDC->kind != HDC__::Kind::Memory) return nullptr;
    return CBitmap::FromHandle(Swap<HBITMAP__>(m_hDC, &HDC__::bitmap, *bitmap, Stocks().bitmap));
}
CBrush* CDC::SelectObject(CBrush* brush) {
    if (!brush) return nullptr;
    return CBrush::FromHandle(Swap<HBRUSH__>(m_hDC, &HDC__::brush, *brush, Stocks().brushes[WHITE_BRUSH]));
}
CPen* CDC::SelectObject(CPen* pen) {
    if (!pen) return nullptr;
    return WrapperOf<CPen>(Swap<HPEN__>(m_hDC, &HDC__::pen, *pen, Stocks().pens[1]), 3);
}
CFont* CDC::SelectObject(CFont* font) {
    if (!font) return nullptr;
    return WrapperOf<CFont>(Swap<HFONT__>(m_hDC, &HDC__::font, *font, Stocks().font), 4);
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object) {
    if (auto* b = dynamic_cast<HBITMAP>(ObjectOf(object))) {
        return m_hDC && m_hDC->kind == HDC__::Kind::Memory ? Swap<HBITMAP__>(m_hDC, &HDC__::bitmap, b, Stocks().bitmap)
                                                           : nullptr;
    }
    if (auto* b = dynamic_cast<HBRUSH>(ObjectOf(object)))
        return Swap<HBRUSH__>(m_hDC, &HDC__::brush, b, Stocks().brushes[WHITE_BRUSH]);
    if (auto* p = dynamic_cast<HPEN>(ObjectOf(object))) return Swap<HPEN__>(m_hDC, &HDC__::pen, p, Stocks().pens[1]);
    if (auto* f = dynamic_cast<HFONT>(ObjectOf(object))) return Swap<HFONT__>(m_hDC, &HDC__::font, f, Stocks().font);
    return nullptr;
}

CGdiObject* CDC::SelectStockObject(int index) {
    HGDIOBJ stock = ::GetStockObject(index);
    HGDIOBJ previous = SelectObject(stock);
    if (dynamic_cast<HBRUSH>(ObjectOf(previous))) return WrapperOf<CBrush>(previous, 2);
    if (dynamic_cast<HPEN>(ObjectOf(previous))) return WrapperOf<CPen>(previous, 3);
    if (dynamic_cast<HFONT>(ObjectOf(previous))) return WrapperOf<CFont>(previous, 4);
    return nullptr;
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL) {
    if (!palette) return nullptr;
    HPALETTE previous = Swap<HPALETTE__>(m_hDC, &HDC__::palette, *palette, nullptr);
    return previous ? WrapperOf<CPalette>(previous, 5) : nullptr;
}

UINT CDC::RealizePalette() { return 0; }  // true-colour surfaces: no colour changes

namespace {
template <class T, class F>
T Attribute(HDC hdc, T fallback, F&& fn) {
    T result = fallback;
    OnGdi([&] {
        if (hdc) result = fn(*hdc);
    });
    return result;
}
}  // namespace

COLORREF CDC::SetTextColor(COLORREF color) {
    return Attribute(m_hDC, COLORREF{0}, [&](HDC__& dc) { return std::exchange(dc.textColor, color); });
}
COLORREF CDC::GetTextColor() const {
    return Attribute(m_hDC, COLORREF{0}, [](HDC__& dc) { return dc.textColor; });
}
COLORREF CDC::SetBkColor(COLORREF color) {
    return Attribute(m_hDC, COLORREF{0}, [&](HDC__& dc) { return std::exchange(dc.bkColor, color); });
}
COLORREF CDC::GetBkColor() const {
    return Attribute(m_hDC, COLORREF{0}, [](HDC__& dc) { return dc.bkColor; });
}
int CDC::SetBkMode(int mode) {
    return Attribute(m_hDC, 0, [&](HDC__& dc) { return std::exchange(dc.bkMode, mode); });
}
int CDC::SetStretchBltMode(int mode) {
    return Attribute(m_hDC, 0, [&](HDC__& dc) { return std::exchange(dc.stretchMode, mode); });
}
int CDC::SetMapMode(int mode) {
    if (mode != MM_TEXT && mode != MM_TWIPS) return 0;
    return Attribute(m_hDC, 0, [&](HDC__& dc) { return std::exchange(dc.mapMode, mode); });
}
int CDC::GetMapMode() const {
    return Attribute(m_hDC, 0, [](HDC__& dc) { return dc.mapMode; });
}
CPoint CDC::SetWindowOrg(int x, int y) {
    return Attribute(m_hDC, CPoint(), [&](HDC__& dc) {
        const QPoint old = std::exchange(dc.windowOrg, QPoint(x, y));
        return CPoint(old.x(), old.y());
    });
}
CPoint CDC::GetWindowOrg() const {
    return Attribute(m_hDC, CPoint(), [](HDC__& dc) { return CPoint(dc.windowOrg.x(), dc.windowOrg.y()); });
}
CPoint CDC::SetViewportOrg(int x, int y) {
    return Attribute(m_hDC, CPoint(), [&](HDC__& dc) {
        const QPoint old = std::exchange(dc.viewportOrg, QPoint(x, y));
        return CPoint(old.x(), old.y());
    });
}

namespace {
// The device rectangle a context draws into, in device pixels.
QRect DeviceRect(HDC__& dc) {
    switch (dc.kind) {
    case HDC__::Kind::Memory: return dc.bitmap ? dc.bitmap->image.rect() : QRect();
    case HDC__::Kind::Window: {
        QWidget* w = ui::WidgetOf(dc.hwnd);
        if (!w) return {};
        return dc.paint ? dc.clip.boundingRect() : QRect(QPoint(0, 0), w->size());
    }
    case HDC__::Kind::Printer:
        return dc.printer
                   ? QRect(QPoint(0, 0), dc.printer->pageLayout().paintRectPixels(dc.printer->resolution()).size())
                   : QRect();
    default: return {};
    }
}
QPaintDevice* DeviceOf(HDC__& dc) {
    if (dc.kind == HDC__::Kind::Printer) return dc.printer.get();
    return ImageOf(dc);
}
// Device to logical, for the clip box and text extents.
double LogicalPerDevice(HDC__& dc) { return 1.0 / Scale(dc, DeviceOf(dc)); }
}  // namespace

int CDC::GetClipBox(LPRECT rect) const {
    *rect = RECT{};
    OnGdi([&] {
        if (!m_hDC) return;
        const QRect r = DeviceRect(*m_hDC);
        const double k = LogicalPerDevice(*m_hDC);
        const bool twips = m_hDC->mapMode == MM_TWIPS;
        const auto lx = [&](int x) {
            return static_cast<LONG>(std::lround((x - m_hDC->viewportOrg.x()) * k)) + m_hDC->windowOrg.x();
        };
        const auto ly = [&](int y) {
            const double d = (y - m_hDC->viewportOrg.y()) * k;
            return static_cast<LONG>(std::lround(twips ? -d : d)) + m_hDC->windowOrg.y();
        };
        *rect = RECT{lx(r.left()), ly(r.top()), lx(r.right() + 1), ly(r.bottom() + 1)};
    });
    return rect->right > rect->left ? 2 /* SIMPLEREGION */ : 1 /* NULLREGION */;
}

int CDC::GetDeviceCaps(int index) const {
    return Attribute(m_hDC, 0, [index](HDC__& dc) {
        if (dc.kind == HDC__::Kind::Printer && dc.printer) {
            QPrinter& p = *dc.printer;
            const int res = p.resolution();
            const QRect paint = p.pageLayout().paintRectPixels(res);
            const QRect full = p.pageLayout().fullRectPixels(res);
            switch (index) {
            case HORZRES: return paint.width();
            case VERTRES: return paint.height();
            case LOGPIXELSX:
            case LOGPIXELSY: return res;
            case PHYSICALWIDTH: return full.width();
            case PHYSICALHEIGHT: return full.height();
            case PHYSICALOFFSETX: return paint.x();
            case PHYSICALOFFSETY: return paint.y();
            case HORZSIZE: return static_cast<int>(paint.width() * 25.4 / res);
            case VERTSIZE: return static_cast<int>(paint.height() * 25.4 / res);
            case BITSPIXEL: return 24;
            case PLANES: return 1;
            case NUMCOLORS: return -1;
            default: return 0;
            }
        }
        switch (index) {
        case HORZRES: return dc.kind == HDC__::Kind::Memory ? DeviceRect(dc).width() : GetSystemMetrics(SM_CXSCREEN);
        case VERTRES: return dc.kind == HDC__::Kind::Memory ? DeviceRect(dc).height() : GetSystemMetrics(SM_CYSCREEN);
        case LOGPIXELSX:
        case LOGPIXELSY: return 96;
        case HORZSIZE: return GetSystemMetrics(SM_CXSCREEN) * 254 / 960;
        case VERTSIZE: return GetSystemMetrics(SM_CYSCREEN) * 254 / 960;
        case BITSPIXEL: return 32;
        case PLANES: return 1;
        case NUMCOLORS: return -1;
        default: return 0;  // RASTERCAPS: no palette device; SIZEPALETTE 0
        }
    });
}

namespace {
// Copies a device rectangle of the source context's image; null when the source cannot be read.
QImage SourceImage(HDC src, int x, int y, int w, int h) {
    if (!src) return {};
    QImage* image = ImageOf(*src);
    if (!image) return {};
    const QRect r = ToDevice(*src, image, x, y, x + w, y + h);
    return image->copy(r);
}
bool Blit(HDC dst, int x, int y, int w, int h, HDC src, int xs, int ys, int ws, int hs, DWORD rop) {
    bool ok = false;
    OnGdi([&] {
        if (!dst || w == 0 || h == 0) return;
        if (rop == BLACKNESS || rop == WHITENESS) {
            ok = Draw(dst, [&](QPainter& p, QPaintDevice* d) {
                p.fillRect(ToDevice(*dst, d, x, y, x + w, y + h), rop == BLACKNESS ? Qt::black : Qt::white);
            });
            return;
        }
        if (rop != SRCCOPY) return;
        const QImage part = SourceImage(src, xs, ys, ws, hs);
        if (part.isNull()) return;
        ok = Draw(dst, [&](QPainter& p, QPaintDevice* d) {
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.setRenderHint(QPainter::SmoothPixmapTransform, false);
            p.drawImage(ToDevice(*dst, d, x, y, x + w, y + h), part);
        });
    });
    return ok;
}
}  // namespace

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop) {
    return Blit(m_hDC, x, y, width, height, src ? src->m_hDC : nullptr, xSrc, ySrc, width, height, rop) ? TRUE : FALSE;
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                     DWORD rop) {
    return Blit(m_hDC, x, y, width, height, src ? src->m_hDC : nullptr, xSrc, ySrc, srcWidth, srcHeight, rop) ? TRUE
                                                                                                              : FALSE;
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
    if (rop == BLACKNESS || rop == WHITENESS) return Blit(m_hDC, x, y, width, height, nullptr, 0, 0, 0, 0, rop);
    if (rop != PATCOPY) return FALSE;
    HDC hdc = m_hDC;
    return Draw(hdc, [&](QPainter& p, QPaintDevice* d) {
        p.fillRect(ToDevice(*hdc, d, x, y, x + width, y + height),
                   BrushOf(hdc->brush ? hdc->brush : Stocks().brushes[WHITE_BRUSH]));
    });
}

void CDC::FillRect(const RECT* rect, CBrush* brush) {
    if (!rect || !brush) return;
    HDC hdc = m_hDC;
    HBRUSH b = *brush;
    Draw(hdc, [&](QPainter& p, QPaintDevice* d) {
        p.fillRect(ToDevice(*hdc, d, rect->left, rect->top, rect->right, rect->bottom), BrushOf(b));
    });
}

void CDC::FillSolidRect(const RECT* rect, COLORREF color) {
    if (rect) FillSolidRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, color);
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF color) {
    HDC hdc = m_hDC;
    Draw(hdc, [&](QPainter& p, QPaintDevice* d) {
        p.fillRect(ToDevice(*hdc, d, x, y, x + width, y + height), ui::detail::ToQColor(color));
    });
    // As the platform does, the fill colour becomes the background colour.
    SetBkColor(color);
}

void CDC::FrameRect(const RECT* rect, CBrush* brush) {
    if (!rect || !brush) return;
    HDC hdc = m_hDC;
    HBRUSH b = *brush;
    Draw(hdc, [&](QPainter& p, QPaintDevice* d) {
        const QRect r = ToDevice(*hdc, d, rect->left, rect->top, rect->right, rect->bottom);
        const QBrush qb = BrushOf(b);
        p.fillRect(QRect(r.left(), r.top(), r.width(), 1), qb);
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), qb);
        p.fillRect(QRect(r.left(), r.top(), 1, r.height()), qb);
        p.fillRect(QRect(r.right(), r.top(), 1, r.height()), qb);
    });
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
    HDC hdc = m_hDC;
    return Draw(hdc, [&](QPainter& p, QPaintDevice* d) {
        const QRect r = ToDevice(*hdc, d, left, top, right, bottom);
        p.fillRect(r, BrushOf(hdc->brush ? hdc->brush : Stocks().brushes[WHITE_BRUSH]));
        const QPen pen = PenOf(hdc->pen ? hdc->pen : Stocks().pens[1]);
        if (pen.style() != Qt::NoPen) {
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
    });
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom) {
    HDC hdc = m_hDC;
    return Draw(hdc, [&](QPainter& p, QPaintDevice* d) {
        p.setBrush(BrushOf(hdc->brush ? hdc->brush : Stocks().brushes[WHITE_BRUSH]));
        p.setPen(PenOf(hdc->pen ? hdc->pen : Stocks().pens[1]));
        p.drawEllipse(ToDevice(*hdc, d, left, top, right, bottom));
    });
}

CPoint CDC::MoveTo(int x, int y) {
    return Attribute(m_hDC, CPoint(), [&](HDC__& dc) {
        const QPoint old = std::exchange(dc.position, QPoint(x, y));
        return CPoint(old.x(), old.y());
    });
}

BOOL CDC::LineTo(int x, int y) {
    HDC hdc = m_hDC;
    const BOOL ok = Draw(hdc, [&](QPainter& p, QPaintDevice* d) {
        p.setPen(PenOf(hdc->pen ? hdc->pen : Stocks().pens[1]));
        // The end point itself is not drawn.
        const QPoint a = ToDevice(*hdc, d, hdc->position.x(), hdc->position.y());
        const QPoint b = ToDevice(*hdc, d, x, y);
        if (a == b) return;
        const QPoint step((b.x() > a.x()) - (b.x() < a.x()), (b.y() > a.y()) - (b.y() < a.y()));
        p.drawLine(a, b - (a.x() == b.x() || a.y() == b.y() ? step : QPoint()));
    });
    MoveTo(x, y);
    return ok;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
    HDC hdc = m_hDC;
    Draw(hdc, [&](QPainter& p, QPaintDevice* d) {
        p.fillRect(QRect(ToDevice(*hdc, d, x, y), QSize(1, 1)), ui::detail::ToQColor(color));
    });
    return color;
}

COLORREF CDC::GetPixel(int x, int y) const {
    COLORREF c = 0xFFFFFFFFu;  // CLR_INVALID
    OnGdi([&] {
        if (!m_hDC) return;
        QImage* image = ImageOf(*m_hDC);
        if (!image) return;
        const QPoint pt = ToDevice(*m_hDC, image, x, y);
        if (!image->rect().contains(pt)) return;
        const QRgb px = image->pixel(pt);
        c = RGB(qRed(px), qGreen(px), qBlue(px));
    });
    return c;
}

BOOL CDC::TextOut(int x, int y, const std::string& text) {
    HDC hdc = m_hDC;
    return Draw(hdc, [&](QPainter& p, QPaintDevice* d) {
        const QString s = QString::fromStdString(text);
        QFont font = FontOf(*hdc);
        // Crisp text on surfaces, as the platform draws it: exact colours, no blending.
        if (hdc->kind != HDC__::Kind::Printer) font.setStyleStrategy(QFont::NoAntialias);
        const QFontMetrics fm(font, d);
        const QPoint at = ToDevice(*hdc, d, x, y);
        if (hdc->bkMode == OPAQUE) {
            p.fillRect(QRect(at, QSize(fm.horizontalAdvance(s), fm.height())), ui::detail::ToQColor(hdc->bkColor));
        }
        p.setFont(font);
        p.setPen(ui::detail::ToQColor(hdc->textColor));
        p.drawText(QPoint(at.x(), at.y() + fm.ascent()), s);
    });
}

CSize CDC::GetTextExtent(const std::string& text) const {
    return Attribute(m_hDC, CSize(), [&](HDC__& dc) {
        QPaintDevice* d = DeviceOf(dc);
        const QFontMetrics fm = d ? QFontMetrics(FontOf(dc), d) : QFontMetrics(FontOf(dc));
        const double k = LogicalPerDevice(dc);
        return CSize(static_cast<int>(std::lround(fm.horizontalAdvance(QString::fromStdString(text)) * k)),
                     static_cast<int>(std::lround(fm.height() * k)));
    });
}

QImage ui::detail::ResourceImage(bool icon, UINT id) {
    std::lock_guard lock(g_resourceMutex);
    auto it = Resources().find({icon ? ui::res::Kind::Icon : ui::res::Kind::Bitmap, id});
    return it == Resources().end() ? QImage() : ImageOfPicture(it->second);
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) {
    const QImage image = ui::detail::ResourceImage(true, static_cast<UINT>(reinterpret_cast<std::uintptr_t>(icon)));
    if (image.isNull()) return FALSE;
    HDC hdc = m_hDC;
    return Draw(hdc, [&](QPainter& p, QPaintDevice* d) { p.drawImage(ToDevice(*hdc, d, x, y), image); });
}

// ---- print jobs ----------------------------------------------------------------------------------------
int CDC::StartDoc(DOCINFO* info) {
    int result = SP_ERROR;
    OnGdi([&] {
        HDC h = m_hDC;
        if (!h || h->kind != HDC__::Kind::Printer || !h->printer || h->printPainter) return;
        if (info && info->lpszDocName) h->printer->setDocName(QString::fromUtf8(info->lpszDocName));
        if (info && info->lpszOutput) h->printer->setOutputFileName(QString::fromUtf8(info->lpszOutput));
        auto painter = std::make_unique<QPainter>();
        if (!painter->begin(h->printer.get())) return;
        h->printPainter = std::move(painter);
        h->pagesEnded = 0;
        h->pageOpen = false;
        result = 1;
    });
    return result;
}

int CDC::StartDoc(const std::string& docName) {
    DOCINFO info;
    info.lpszDocName = docName.c_str();
    return StartDoc(&info);
}

int CDC::StartPage() {
    int result = SP_ERROR;
    OnGdi([&] {
        HDC h = m_hDC;
        if (!h || !h->printPainter || !h->printPainter->isActive() || h->pageOpen) return;
        if (h->pagesEnded > 0 && !h->printer->newPage()) return;
        h->pageOpen = true;
        result = 1;
    });
    return result;
}

int CDC::EndPage() {
    int result = SP_ERROR;
    OnGdi([&] {
        HDC h = m_hDC;
        if (!h || !h->printPainter || !h->pageOpen) return;
        h->pageOpen = false;
        ++h->pagesEnded;
        result = 1;
    });
    return result;
}

int CDC::EndDoc() {
    int result = SP_ERROR;
    OnGdi([&] {
        HDC h = m_hDC;
        if (!h || !h->printPainter) return;
        const bool ok = h->printPainter->end();
        h->printPainter.reset();
        result = ok ? 1 : SP_ERROR;
    });
    return result;
}

int CDC::AbortDoc() {
    int result = SP_ERROR;
    OnGdi([&] {
        HDC h = m_hDC;
        if (!h || !h->printPainter) return;
        h->printPainter->end();
        h->printPainter.reset();
        // An aborted job leaves no output.
        const QString file = h->printer->outputFileName();
        if (!file.isEmpty()) std::remove(file.toLocal8Bit().constData());
        result = 1;
    });
    return result;
}

// ---- window contexts ----------------------------------------------------------------------------------
CClientDC::CClientDC(CWnd* wnd) { AttachWindow(wnd ? wnd->GetSafeHwnd() : nullptr, false); }
CWindowDC::CWindowDC(CWnd* wnd) { AttachWindow(wnd ? wnd->GetSafeHwnd() : nullptr, false); }

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr) {
    AttachWindow(m_hWnd, true);
    m_ps.hdc = m_hDC;
    OnGdi([&] {
        QRegion region;
        if (auto it = g_painting.find(m_hWnd); it != g_painting.end()) {
            region = it->second;
        } else if (Surface* s = SurfaceOf(m_hWnd)) {
            // Outside a paint event: what is invalid now is painted here and validated.
            region = s->invalid;
            m_ps.fErase = s->erase ? TRUE : FALSE;
            s->invalid = QRegion();
            s->erase = false;
        }
        m_hDC->clip = region;
        const QRect r = region.boundingRect();
        m_ps.rcPaint = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    });
}

CPaintDC::~CPaintDC() = default;

// ---- CWnd's contexts ------------------------------------------------------------------------------------
CDC* CWnd::GetDC() {
    const HWND h = GetSafeHwnd();
    if (!::IsWindow(h)) return nullptr;
    std::lock_guard lock(g_keptMutex);
    auto& slot = KeptDCs()[h];
    if (!slot) slot = std::make_unique<KeptWindowDC>(h);
    return slot.get();
}

int CWnd::ReleaseDC(CDC* dc) { return dc ? 1 : 0; }  // the window keeps its context

// ---- free functions ------------------------------------------------------------------------------------
int StretchDIBits(CDC* dc, int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth, int srcHeight,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
    return dc ? StretchDIBits(dc->m_hDC, x, y, width, height, xSrc, ySrc, srcWidth, srcHeight, bits, info, usage, rop)
              : 0;
}

int StretchDIBits(HDC hdc, int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth, int srcHeight,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
    if (!hdc || usage != DIB_RGB_COLORS || rop != SRCCOPY) return 0;
    const QImage image = DibToImage(info, bits);
    if (image.isNull()) return 0;
    const QRect source(xSrc, ySrc, srcWidth, srcHeight);
    const bool ok = Draw(hdc, [&](QPainter& p, QPaintDevice* d) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.setRenderHint(QPainter::SmoothPixmapTransform, hdc->stretchMode == HALFTONE);
        p.drawImage(ToDevice(*hdc, d, x, y, x + width, y + height), image, source);
    });
    return ok ? std::abs(srcHeight) : 0;
}

HANDLE LoadImage(HINSTANCE, const char* name, UINT type, int, int, UINT flags) {
    if (!name || !*name || type != IMAGE_BITMAP) return nullptr;
    auto h = std::make_unique<HBITMAP__>();
    if (flags & LR_LOADFROMFILE) {
        // A file of 8 or fewer bits per pixel keeps its depth and colour table, as a section
        // bitmap does (GetObject, GetDIBits); deeper ones are held as 32 bits.
        BmpImage bmp;
        if (!ReadBmpFile(name, bmp)) return nullptr;
        h->image = ImageOfPixels(bmp.width, bmp.height, bmp.pixels);
        if (bmp.bitCount <= 8) h->bitCount = bmp.bitCount;
        for (const BmpColor& c : bmp.colorTable) h->colorTable.push_back(RGBQUAD{c.blue, c.green, c.red, 0});
    } else {
        char* end = nullptr;
        const unsigned long id = std::strtoul(name, &end, 10);
        if (*end) return nullptr;
        std::lock_guard lock(g_resourceMutex);
        auto it = Resources().find({ui::res::Kind::Bitmap, static_cast<UINT>(id)});
        if (it == Resources().end()) return nullptr;
        const QImage image = ImageOfPicture(it->second);
        if (image.isNull()) return nullptr;
        h->image = image.convertToFormat(QImage::Format_RGB32);
    }
    return static_cast<GdiObject*>(h.release());
}

int GetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage) {
    if (!bitmap || !info || usage != DIB_RGB_COLORS) return 0;
    BITMAPINFOHEADER& header = info->bmiHeader;
    const QImage& image = bitmap->image;
    const int height = image.height();
    if (!bits) {
        if (header.biBitCount == 0) {
            header = BITMAPINFOHEADER{};
            header.biWidth = image.width();
            header.biHeight = height;
            header.biBitCount = static_cast<WORD>(bitmap->bitCount);
            return height;
        }
        const std::size_t entries = header.biBitCount <= 8 ? std::size_t{1} << header.biBitCount : 0;
        if (entries == 0 || bitmap->colorTable.size() != entries) return 0;
        std::memcpy(info->bmiColors, bitmap->colorTable.data(), entries * sizeof(RGBQUAD));
        return height;
    }
    if (header.biBitCount != 32 || header.biCompression != BI_RGB || header.biWidth != image.width() ||
        std::abs(header.biHeight) != height || start >= static_cast<UINT>(height))
        return 0;
    const int count = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(height) - start));
    auto* out = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < count; ++i) {
        const int line = static_cast<int>(start) + i;
        const int y = header.biHeight < 0 ? line : height - 1 - line;
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint32_t* dest = out + static_cast<std::size_t>(i) * static_cast<std::size_t>(image.width());
        for (int x = 0; x < image.width(); ++x) dest[x] = row[x] & 0x00FFFFFFu;
    }
    return count;
}

BOOL DeleteObject(HGDIOBJ object) {
    if (!object || ObjectOf(object)->stock) return FALSE;
    {
        std::lock_guard lock(g_objectMutex);
        if (auto it = g_permanent.find(object); it != g_permanent.end()) {
            it->second->m_hObject = nullptr;
            g_permanent.erase(it);
        }
    }
    OnGdi([object] { DeleteHandle(object); });
    return TRUE;
}

int GetObject(HGDIOBJ object, int size, void* out) {
    auto* b = dynamic_cast<HBITMAP>(ObjectOf(object));
    if (!b || !out || size < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP info;
    info.bmWidth = b->image.width();
    info.bmHeight = b->image.height();
    info.bmPlanes = 1;
    info.bmBitsPixel = static_cast<WORD>(b->bitCount);
    if (b->bitCount == 32) {
        info.bmWidthBytes = static_cast<LONG>(b->image.bytesPerLine());
        info.bmBits = b->image.bits();
    } else {  // the pixels are held as 32 bits, not in the file's rows
        info.bmWidthBytes = (b->image.width() * b->bitCount + 31) / 32 * 4;
    }
    *static_cast<BITMAP*>(out) = info;
    return sizeof(BITMAP);
}

BOOL DeleteDC(HDC hdc) {
    if (!hdc) return FALSE;
    OnGdi([hdc] { delete hdc; });
    return TRUE;
}

HGDIOBJ GetStockObject(int index) {
    Stock& s = Stocks();
    if (index >= WHITE_BRUSH && index <= NULL_BRUSH) return s.brushes[index];
    if (index >= WHITE_PEN && index <= NULL_PEN) return s.pens[index - WHITE_PEN];
    if (index == ANSI_VAR_FONT || index == SYSTEM_FONT || index == DEFAULT_GUI_FONT) return s.font;
    return nullptr;
}

COLORREF GetSysColor(int index) {
    switch (index) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT: return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    case COLOR_BTNSHADOW: return RGB(160, 160, 160);
    case COLOR_GRAYTEXT: return RGB(109, 109, 109);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    default: return RGB(0, 0, 0);
    }
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= 32) return nullptr;
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    HBRUSH__*& slot = Stocks().sysBrushes[index];
    if (!slot) slot = StockBrush(ui::detail::ToQColor(GetSysColor(index)));
    return slot;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
        QSize size(1024, 768);
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            if (QScreen* screen = QGuiApplication::primaryScreen()) size = screen->size();
        }
        return index == SM_CXSCREEN ? size.width() : size.height();
    }
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYCAPTION: return 23;
    case SM_CYMENU: return 20;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    default: return 0;
    }
}

HCURSOR LoadCursor(HINSTANCE instance, UINT id) {
    const std::uintptr_t tag = instance ? kResourceCursorTag : kStandardCursorTag;
    if (instance) {
        std::lock_guard lock(g_resourceMutex);
        if (!Resources().count({ui::res::Kind::Cursor, id})) return nullptr;
    } else if (id != IDC_ARROW && id != IDC_HAND && id != IDC_WAIT && id != IDC_IBEAM) {
        return nullptr;
    }
    return reinterpret_cast<HCURSOR>(tag | id);
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR previous = g_cursor.exchange(cursor);
    ui::RunOnUiThread([cursor] {
        if (QWidget* w = g_cursorWidget.data()) {
            if (cursor) w->setCursor(QtCursorOf(cursor));
            else w->setCursor(Qt::BlankCursor);
        }
    });
    return previous;
}

HCURSOR GetCursor() { return g_cursor.load(); }

HICON LoadIcon(HINSTANCE, UINT id) {
    std::lock_guard lock(g_resourceMutex);
    if (!Resources().count({ui::res::Kind::Icon, id})) return nullptr;
    return reinterpret_cast<HICON>(static_cast<std::uintptr_t>(id));
}

// ---- resources -------------------------------------------------------------------------------------------
namespace ui::res {

Picture Solid(int width, int height, COLORREF color) {
    Picture p;
    p.width = width;
    p.height = height;
    p.pixels.assign(static_cast<std::size_t>(std::max(0, width)) * std::max(0, height),
                    0xFF000000u | (static_cast<std::uint32_t>(GetRValue(color)) << 16) |
                        (static_cast<std::uint32_t>(GetGValue(color)) << 8) | GetBValue(color));
    return p;
}

Picture File(const std::string& path) {
    Picture p;
    p.file = path;
    return p;
}

Registration::Registration(Kind kind, UINT id, Picture picture) {
    std::lock_guard lock(g_resourceMutex);
    Resources()[{kind, id}] = std::move(picture);
}

const Picture* Find(Kind kind, UINT id) {
    std::lock_guard lock(g_resourceMutex);
    auto it = Resources().find({kind, id});
    return it == Resources().end() ? nullptr : &it->second;
}

}  // namespace ui::res
