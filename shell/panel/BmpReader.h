#pragma once
// The bitmap-file reader under CDIBitmap, on its own so that it has no drawing dependency.
//
// Reads the Windows bitmap format with a core (12-byte), info (40-byte) or later (52, 56, 108,
// 124-byte) header; 1, 4 and 8 bits per pixel with a colour table, 16 and 32 bits uncompressed
// or with bit-field masks, 24 bits uncompressed; rows bottom-up or top-down. Compressed
// (run-length) files, truncated files, sizes that do not fit the file and pictures larger than
// kMaxBmpSide a side or kMaxBmpPixels in all are refused.
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr std::int64_t kMaxBmpPixels = std::int64_t{1} << 24;
constexpr int kMaxBmpSide = 32768;

struct BmpColor {
    std::uint8_t blue = 0, green = 0, red = 0, reserved = 0;
};

struct BmpImage {
    int width = 0;
    int height = 0;
    int bitCount = 0;                    // as in the file
    std::vector<std::uint32_t> pixels;   // 0xFFRRGGBB, top row first
    std::vector<BmpColor> colorTable;    // 2 to the depth entries for 8 or fewer bits, else none
};

// True with the picture in `image`; false (image untouched) for a file it refuses.
bool ReadBmp(const std::uint8_t* data, std::size_t size, BmpImage& image);
