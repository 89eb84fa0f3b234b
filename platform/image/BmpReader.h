#pragma once
// The one decoder of the Windows bitmap format: bitmap files (ReadBmp, ReadBmpFile) and
// device-independent bitmaps held in memory (ReadDib), for the panel pictures, LoadImage and
// StretchDIBits alike.
//
// Reads a core (12-byte), info (40-byte) or later (52, 56, 108, 124-byte) header; 1, 4 and
// 8 bits per pixel with a colour table, 8 bits run-length coded (RLE8) and 4 bits run-length
// coded (RLE4), 16 and 32 bits uncompressed or with bit-field masks, 24 bits uncompressed;
// rows bottom-up or top-down (run-length coded pictures bottom-up only). Pixels a run-length
// picture skips (end of line, delta) take colour-table entry 0.
//
// Input is treated as hostile: truncated files and runs, sizes that do not fit the data,
// colour counts above the depth and pictures larger than kMaxBmpSide a side or kMaxBmpPixels
// in all are refused, never read past.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

constexpr std::int64_t kMaxBmpPixels = std::int64_t{1} << 24;
constexpr int kMaxBmpSide = 32768;
// No real bitmap file is larger; it only keeps a hostile file from being read whole.
constexpr std::uint64_t kMaxBmpFileSize = std::uint64_t{256} << 20;

struct BmpColor {
    std::uint8_t blue = 0, green = 0, red = 0, reserved = 0;
};

struct BmpImage {
    int width = 0;
    int height = 0;
    int bitCount = 0;                   // as in the file
    std::vector<std::uint32_t> pixels;  // 0xFFRRGGBB, top row first
    std::vector<BmpColor> colorTable;   // 2 to the depth entries for 8 or fewer bits, else none
};

// A bitmap file's bytes. True with the picture in `image`; false (image untouched) when refused.
bool ReadBmp(const std::uint8_t* data, std::size_t size, BmpImage& image);

// A bitmap file on disk (regular files of at most kMaxBmpFileSize bytes only: a name of a pipe
// or a device must not hang or flood the reader). False, image untouched, when refused.
bool ReadBmpFile(const std::string& path, BmpImage& image);

// A device-independent bitmap apart from any file: `info` is the header with its masks and
// colour table (infoSize bytes), `bits` the pixel data (bitsSize bytes).
bool ReadDib(const std::uint8_t* info, std::size_t infoSize, const std::uint8_t* bits, std::size_t bitsSize,
             BmpImage& image);

// What a device-independent bitmap in memory occupies by its own header: the header block
// (header, masks, colour table) and the pixel data (the rows, or the header's image size for
// run-length data). Only the header's size field and then that many bytes are read. Nothing
// for a header the decoder would refuse anyway.
struct DibExtent {
    std::size_t infoBytes = 0;
    std::size_t bitsBytes = 0;
};
std::optional<DibExtent> MemoryDibExtent(const std::uint8_t* info);
