#pragma once
// The panel bitmap files (resources/panelgen/bitmaps/<id>.bmp) built into the program; the
// table is written by this folder's CMakeLists.txt.
#include <cstddef>

#include "platform/win/WinTypes.h"

struct EmbeddedBitmap {
    UINT id;
    const unsigned char* data;
    std::size_t size;
};

extern const EmbeddedBitmap kPanelBitmaps[];
extern const std::size_t kPanelBitmapCount;
