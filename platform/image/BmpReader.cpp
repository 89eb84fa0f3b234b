#include "platform/image/BmpReader.h"

#include <algorithm>
#include <bit>
#include <filesystem>
#include <fstream>

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t U16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
}

std::uint32_t Pack(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return 0xFF000000u | (r << 16) | (g << 8) | b; }
std::uint32_t Pack(const BmpColor& c) { return Pack(c.red, c.green, c.blue); }

// One colour channel given by a mask of contiguous bits, widened to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;  // the largest value of the masked bits

    static std::optional<Channel> From(std::uint32_t mask) {
        Channel c;
        c.mask = mask;
        if (mask == 0) return c;
        c.shift = std::countr_zero(mask);
        const std::uint32_t bits = mask >> c.shift;
        if ((bits & (bits + 1)) != 0) return std::nullopt;  // not contiguous
        c.max = bits;
        return c;
    }
    std::uint32_t Get(std::uint32_t pixel) const {
        if (max == 0) return 0;
        const std::uint64_t v = (pixel & mask) >> shift;
        return static_cast<std::uint32_t>((v * 255 + max / 2) / max);
    }
};

struct Header {
    std::size_t size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // rows, always positive
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t colorsUsed = 0;
    std::uint32_t sizeImage = 0;
    std::uint32_t masks[3] = {0, 0, 0};
    bool core = false;

    bool RunLength() const { return compression == kBiRle8 || compression == kBiRle4; }
    // Masks of a 40-byte header with bit fields follow the header; the colour table follows both.
    std::size_t TableOffset() const { return size + (compression == kBiBitfields && size == kInfoHeaderSize ? 12 : 0); }
    std::size_t TableEntrySize() const { return core ? 3 : 4; }
    std::uint32_t TableCount() const {
        if (bitCount > 8) return 0;
        return colorsUsed == 0 ? 1u << bitCount : colorsUsed;
    }
    std::uint64_t Stride() const {
        return (static_cast<std::uint64_t>(bitCount) * static_cast<std::uint64_t>(width) + 31) / 32 * 4;
    }
};

// Reads the header fields and checks everything that does not depend on the data that follows:
// the header kind, depth, compression and size. False for a header the decoder refuses.
bool ParseHeader(const std::uint8_t* h, std::size_t available, Header& hd) {
    if (available < 4) return false;
    hd.size = U32(h);
    if (hd.size > available) return false;
    std::int64_t height = 0;
    if (hd.size == kCoreHeaderSize) {
        hd.core = true;
        hd.width = U16(h + 4);
        height = U16(h + 6);
        if (U16(h + 8) != 1) return false;
        hd.bitCount = static_cast<int>(U16(h + 10));
    } else if (hd.size == kInfoHeaderSize || hd.size == 52 || hd.size == 56 || hd.size == 108 || hd.size == 124) {
        hd.width = static_cast<std::int32_t>(U32(h + 4));
        height = static_cast<std::int32_t>(U32(h + 8));
        if (U16(h + 12) != 1) return false;
        hd.bitCount = static_cast<int>(U16(h + 14));
        hd.compression = U32(h + 16);
        hd.sizeImage = U32(h + 20);
        hd.colorsUsed = U32(h + 32);
        if (hd.size > kInfoHeaderSize)
            for (int i = 0; i < 3; ++i) hd.masks[i] = U32(h + 40 + 4 * i);
    } else {
        return false;
    }
    hd.topDown = height < 0;
    hd.height = hd.topDown ? -height : height;

    const int bits = hd.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    if (hd.width <= 0 || hd.height <= 0 || hd.width > kMaxBmpSide || hd.height > kMaxBmpSide ||
        hd.width * hd.height > kMaxBmpPixels)
        return false;
    if (bits <= 8 && hd.TableCount() > (1u << bits)) return false;

    switch (hd.compression) {
    case kBiRgb:
        if (bits == 16) {
            hd.masks[0] = 0x7C00;
            hd.masks[1] = 0x03E0;
            hd.masks[2] = 0x001F;
        } else if (bits == 32) {
            hd.masks[0] = 0x00FF0000;
            hd.masks[1] = 0x0000FF00;
            hd.masks[2] = 0x000000FF;
        }
        return true;
    case kBiBitfields: return bits == 16 || bits == 32;
    // Run-length data has no top-down form.
    case kBiRle8: return bits == 8 && !hd.topDown;
    case kBiRle4: return bits == 4 && !hd.topDown;
    default: return false;  // embedded image formats and anything unknown
    }
}

// Uncompressed rows, each padded to 32 bits; `size` holds them all (checked before allocating).
bool DecodeRows(const Header& hd, const std::vector<BmpColor>& table, const Channel (&channels)[3],
                const std::uint8_t* bits, std::size_t size, std::vector<std::uint32_t>& pixels) {
    const std::int64_t width = hd.width, height = hd.height;
    const std::uint64_t stride = hd.Stride();
    for (std::int64_t y = 0; y < height; ++y) {
        const std::uint8_t* row = bits + static_cast<std::size_t>(stride) * static_cast<std::size_t>(y);
        std::uint32_t* out = pixels.data() + static_cast<std::size_t>((hd.topDown ? y : height - 1 - y) * width);
        for (std::int64_t x = 0; x < width; ++x) {
            std::uint32_t value;
            if (hd.bitCount <= 8) {
                const std::int64_t bit = x * hd.bitCount;
                const std::uint32_t byte = row[bit / 8];
                const std::uint32_t index = (byte >> (8 - hd.bitCount - bit % 8)) & ((1u << hd.bitCount) - 1);
                value = Pack(table[index]);
            } else if (hd.bitCount == 24) {
                const std::uint8_t* p = row + x * 3;
                value = Pack(p[2], p[1], p[0]);
            } else {
                const std::uint32_t raw = hd.bitCount == 16 ? U16(row + x * 2) : U32(row + x * 4);
                value = Pack(channels[0].Get(raw), channels[1].Get(raw), channels[2].Get(raw));
            }
            out[x] = value;
        }
    }
    return true;
}

// Run-length data (RLE8, RLE4): pairs of a count and a value, or a 0 and an escape: 0 end of
// line, 1 end of picture, 2 a move right and up by the next two bytes, 3 and more that many
// pixels as they stand (padded to 16 bits). Rows run from the bottom. Pixels past a row's end
// are dropped; the data ending before the picture does is a truncated file.
bool DecodeRunLength(const Header& hd, const std::vector<BmpColor>& table, const std::uint8_t* data, std::size_t size,
                     std::vector<std::uint32_t>& pixels) {
    const bool four = hd.compression == kBiRle4;
    const std::int64_t width = hd.width, height = hd.height;
    std::fill(pixels.begin(), pixels.end(), Pack(table[0]));
    std::int64_t x = 0, y = 0;  // y counts rows from the bottom
    // Writes `count` pixels from x on, index i of the run given by indexAt(i); moves x past all.
    const auto run = [&](std::int64_t count, auto indexAt) {
        if (y < height && x < width) {
            std::uint32_t* out = pixels.data() + static_cast<std::size_t>((height - 1 - y) * width);
            const std::int64_t shown = std::min(count, width - x);
            for (std::int64_t i = 0; i < shown; ++i) out[x + i] = Pack(table[indexAt(i)]);
        }
        x += count;
    };
    std::size_t at = 0;
    while (y < height) {
        if (size - at < 2) return false;
        const std::uint32_t count = data[at], value = data[at + 1];
        at += 2;
        if (count > 0) {
            const std::uint32_t high = value >> 4, low = value & 0xF;
            run(count, [&](std::int64_t i) { return four ? (i % 2 ? low : high) : value; });
            continue;
        }
        switch (value) {
        case 0:  // end of line
            x = 0;
            ++y;
            break;
        case 1: return true;  // end of picture
        case 2:               // move
            if (size - at < 2) return false;
            x += data[at];
            y += data[at + 1];
            at += 2;
            break;
        default: {  // `value` pixels as they stand
            const std::size_t bytes = four ? (value + 1) / 2 : value;
            if (size - at < bytes) return false;
            const std::uint8_t* literal = data + at;
            run(value, [&](std::int64_t i) -> std::uint32_t {
                return four ? (literal[i / 2] >> (i % 2 ? 0 : 4)) & 0xF : literal[i];
            });
            at += std::min(bytes + bytes % 2, size - at);
        }
        }
    }
    return true;  // every row reached: what follows cannot show
}

}  // namespace

bool ReadDib(const std::uint8_t* info, std::size_t infoSize, const std::uint8_t* bits, std::size_t bitsSize,
             BmpImage& image) {
    if (info == nullptr || bits == nullptr) return false;
    Header hd;
    if (!ParseHeader(info, infoSize, hd)) return false;

    std::size_t tableOffset = hd.size;
    if (hd.compression == kBiBitfields && hd.size == kInfoHeaderSize) {
        if (infoSize - tableOffset < 12) return false;
        for (int i = 0; i < 3; ++i) hd.masks[i] = U32(info + tableOffset + 4 * i);
    }
    tableOffset = hd.TableOffset();

    std::vector<BmpColor> table;
    if (hd.bitCount <= 8) {
        const std::uint32_t count = hd.TableCount();
        const std::size_t entrySize = hd.TableEntrySize();
        if ((infoSize - tableOffset) / entrySize < count) return false;
        table.assign(std::size_t{1} << hd.bitCount, BmpColor{});  // entries the header leaves out are black
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* e = info + tableOffset + i * entrySize;
            table[i] = BmpColor{e[0], e[1], e[2], 0};
        }
    }

    Channel channels[3];
    if (hd.bitCount == 16 || hd.bitCount == 32) {
        for (int i = 0; i < 3; ++i) {
            const auto c = Channel::From(hd.masks[i]);
            if (!c) return false;
            channels[i] = *c;
        }
    }

    // Checked before the pixels are allocated, so that a small file cannot claim a large picture.
    if (!hd.RunLength() && bitsSize / hd.Stride() < static_cast<std::uint64_t>(hd.height)) return false;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(hd.width * hd.height));
    const bool decoded = hd.RunLength() ? DecodeRunLength(hd, table, bits, bitsSize, pixels)
                                        : DecodeRows(hd, table, channels, bits, bitsSize, pixels);
    if (!decoded) return false;

    image.pixels = std::move(pixels);
    image.colorTable = std::move(table);
    image.width = static_cast<int>(hd.width);
    image.height = static_cast<int>(hd.height);
    image.bitCount = hd.bitCount;
    return true;
}

bool ReadBmp(const std::uint8_t* data, std::size_t size, BmpImage& image) {
    if (data == nullptr || size < kFileHeaderSize + kCoreHeaderSize) return false;
    if (data[0] != 'B' || data[1] != 'M') return false;
    const std::size_t pixelOffset = U32(data + 10);
    if (pixelOffset > size) return false;
    return ReadDib(data + kFileHeaderSize, size - kFileHeaderSize, data + pixelOffset, size - pixelOffset, image);
}

bool ReadBmpFile(const std::string& path, BmpImage& image) {
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) return false;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return false;
    const std::streamoff size = file.tellg();
    if (size <= 0 || static_cast<std::uint64_t>(size) > kMaxBmpFileSize) return false;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(data.data()), size)) return false;
    return ReadBmp(data.data(), data.size(), image);
}

std::optional<DibExtent> MemoryDibExtent(const std::uint8_t* info) {
    if (info == nullptr) return std::nullopt;
    Header hd;
    const std::size_t headerSize = U32(info);
    if (headerSize > 124 || !ParseHeader(info, headerSize, hd)) return std::nullopt;
    DibExtent extent;
    extent.infoBytes = hd.TableOffset() + std::size_t{hd.TableCount()} * hd.TableEntrySize();
    if (hd.RunLength()) {
        if (hd.sizeImage == 0) return std::nullopt;
        extent.bitsBytes = hd.sizeImage;
    } else {
        extent.bitsBytes = static_cast<std::size_t>(hd.Stride() * static_cast<std::uint64_t>(hd.height));
    }
    return extent;
}
