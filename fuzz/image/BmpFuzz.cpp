// Bitmap files come from outside (named by the panel description): read any bytes as one, and
// as an in-memory device-independent bitmap where its header's own sizes fit, and check that
// what was accepted is consistent.
#include <cstddef>
#include <cstdint>

#include "platform/image/BmpReader.h"

namespace {

void Check(bool accepted, const BmpImage& image) {
    if (!accepted) {
        if (!image.pixels.empty() || image.width != 0) __builtin_trap();
        return;
    }
    const std::int64_t pixels = std::int64_t{image.width} * image.height;
    if (pixels <= 0 || pixels > kMaxBmpPixels || image.pixels.size() != static_cast<std::size_t>(pixels))
        __builtin_trap();
    for (std::uint32_t pixel : image.pixels)
        if ((pixel >> 24) != 0xFF) __builtin_trap();
    const bool indexed = image.bitCount <= 8;
    if (indexed != !image.colorTable.empty()) __builtin_trap();
    if (indexed && image.colorTable.size() != (std::size_t{1} << image.bitCount)) __builtin_trap();
}

// A run-length picture of a few bytes may rightly be large (its data may skip over it): such
// inputs only make the run slow, and the size limits are checked before any decoding.
bool LargeRunLength(const std::uint8_t* data, std::size_t size) {
    if (size < 34) return false;
    const auto u32 = [&](std::size_t at) {
        return std::uint32_t{data[at]} | std::uint32_t{data[at + 1]} << 8 | std::uint32_t{data[at + 2]} << 16 |
               std::uint32_t{data[at + 3]} << 24;
    };
    const std::int64_t pixels = std::int64_t{static_cast<std::int32_t>(u32(18))} * static_cast<std::int32_t>(u32(22));
    const std::uint32_t compression = u32(30);
    return (compression == 1 || compression == 2) && (pixels > (1 << 18) || pixels < -(1 << 18));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (LargeRunLength(data, size)) return 0;
    BmpImage file;
    Check(ReadBmp(data, size, file), file);

    // The bytes after the file header as a header block and pixel data that follow each other.
    constexpr std::size_t kFileHeader = 14;
    if (size < kFileHeader + 124) return 0;  // the extent reads as much as the header says, up to 124 bytes
    const std::uint8_t* info = data + kFileHeader;
    const auto extent = MemoryDibExtent(info);
    const std::size_t available = size - kFileHeader;
    if (!extent || extent->infoBytes > available || extent->bitsBytes > available - extent->infoBytes) return 0;
    BmpImage memory;
    Check(ReadDib(info, extent->infoBytes, info + extent->infoBytes, extent->bitsBytes, memory), memory);
    return 0;
}
