#pragma once
// The colour of a lamp or LED bitmap of the program (0xFFRRGGBB), as its generated file holds
// it: what a drawn lamp or LED puts on the panel.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/win/WinTypes.h"
#include "shell/panel/DIBitmap.h"

inline std::uint32_t LampBitmapColour(UINT id) {
    CDIBitmap dib;
    const std::string path = std::string(RESOURCES_DIR) + "/panelgen/bitmaps/" + std::to_string(id) + ".bmp";
    EXPECT_TRUE(dib.LoadFromFile(path.c_str())) << path;
    return dib.GetPixel(0, 0) | 0xFF000000u;
}
