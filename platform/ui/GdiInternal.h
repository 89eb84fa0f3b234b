#pragma once
// Internals of the drawing layer shared by Gdi.cpp and Print.cpp (not for the system's code).
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRegion>
#include <memory>
#include <vector>

#include "platform/ui/Gdi.h"

class QPrinter;

// The base of every drawing object; an HGDIOBJ points to one.
struct GdiObject {
    virtual ~GdiObject() = default;
    bool stock = false;  // never deleted
};
struct HBITMAP__ : GdiObject {
    QImage image;                     // Format_RGB32
    int bitCount = 32;                // 1, 4 or 8 for a bitmap file of that depth, with its
    std::vector<RGBQUAD> colorTable;  // colour table of 2 to the depth entries
};
struct HBRUSH__ : GdiObject {
    QColor color;
    bool hollow = false;
};
struct HPEN__ : GdiObject {
    int style = PS_SOLID;
    int width = 1;
    QColor color;
};
struct HFONT__ : GdiObject {
    QFont font;
};
struct HPALETTE__ : GdiObject {
    std::vector<PALETTEENTRY> entries;
};

struct HDC__ {
    enum class Kind { Memory, Window, Screen, Printer };
    Kind kind = Kind::Memory;
    HWND hwnd = nullptr;  // Window
    bool paint = false;   // a paint context: clipped to `clip`
    QRegion clip;
    HBITMAP bitmap = nullptr;  // Memory: the selected bitmap
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HFONT font = nullptr;
    HPALETTE palette = nullptr;
    COLORREF textColor = 0;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    int stretchMode = BLACKONWHITE;
    int mapMode = MM_TEXT;
    QPoint windowOrg;
    QPoint viewportOrg;
    QPoint position;  // MoveTo
    // Printer
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<QPainter> printPainter;
    int pagesEnded = 0;
    bool pageOpen = false;

    HDC__();
    ~HDC__();
};

inline GdiObject* ObjectOf(HGDIOBJ handle) { return static_cast<GdiObject*>(handle); }

namespace ui::detail {
// A new printer context over the printer (Print.cpp makes the printer).
HDC MakePrinterDC(std::unique_ptr<QPrinter> printer);
QColor ToQColor(COLORREF c);
}  // namespace ui::detail
