// Bitmap files come from outside (named by the panel description): read any bytes as one and
// check that what was accepted is consistent.
#include <cstddef>
#include <cstdint>

#include "shell/panel/BmpReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BmpImage image;
    if (!ReadBmp(data, size, image)) {
        if (!image.pixels.empty() || image.width != 0) __builtin_trap();
        return 0;
    }
    const std::int64_t pixels = std::int64_t{image.width} * image.height;
    if (pixels <= 0 || pixels > kMaxBmpPixels || image.pixels.size() != static_cast<std::size_t>(pixels)) __builtin_trap();
    for (std::uint32_t pixel : image.pixels)
        if ((pixel >> 24) != 0xFF) __builtin_trap();
    const bool indexed = image.bitCount <= 8;
    if (indexed != !image.colorTable.empty()) __builtin_trap();
    if (indexed && image.colorTable.size() != (std::size_t{1} << image.bitCount)) __builtin_trap();
    return 0;
}
