#include "shell/panel/BmpReader.h"

#include <bit>
#include <optional>

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t U16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

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
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative: rows top-down
    int bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t colorsUsed = 0;
    std::uint32_t masks[3] = {0, 0, 0};
    bool core = false;
};

std::uint32_t Pack(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

}  // namespace

bool ReadBmp(const std::uint8_t* data, std::size_t size, BmpImage& image) {
    if (data == nullptr || size < kFileHeaderSize + kCoreHeaderSize) return false;
    if (data[0] != 'B' || data[1] != 'M') return false;
    const std::size_t pixelOffset = U32(data + 10);
    const std::size_t headerSize = U32(data + kFileHeaderSize);
    const std::uint8_t* h = data + kFileHeaderSize;
    if (headerSize > size - kFileHeaderSize) return false;

    Header hd;
    if (headerSize == kCoreHeaderSize) {
        hd.core = true;
        hd.width = U16(h + 4);
        hd.height = U16(h + 6);
        if (U16(h + 8) != 1) return false;
        hd.bitCount = static_cast<int>(U16(h + 10));
    } else if (headerSize == kInfoHeaderSize || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
               headerSize == 124) {
        hd.width = static_cast<std::int32_t>(U32(h + 4));
        hd.height = static_cast<std::int32_t>(U32(h + 8));
        if (U16(h + 12) != 1) return false;
        hd.bitCount = static_cast<int>(U16(h + 14));
        hd.compression = U32(h + 16);
        hd.colorsUsed = U32(h + 32);
        if (headerSize > kInfoHeaderSize)
            for (int i = 0; i < 3; ++i) hd.masks[i] = U32(h + 40 + 4 * i);
    } else {
        return false;
    }

    const int bits = hd.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    const bool topDown = hd.height < 0;
    const std::int64_t width = hd.width;
    const std::int64_t height = topDown ? -hd.height : hd.height;
    if (width <= 0 || height <= 0 || width > kMaxBmpSide || height > kMaxBmpSide || width * height > kMaxBmpPixels)
        return false;

    // Masks of a 40-byte header with bit fields follow the header; the colour table follows both.
    std::size_t tableOffset = kFileHeaderSize + headerSize;
    if (hd.compression == kBiBitfields) {
        if (bits != 16 && bits != 32) return false;
        if (headerSize == kInfoHeaderSize) {
            if (size - tableOffset < 12) return false;
            for (int i = 0; i < 3; ++i) hd.masks[i] = U32(data + tableOffset + 4 * i);
            tableOffset += 12;
        }
    } else if (hd.compression == kBiRgb) {
        if (bits == 16) {
            hd.masks[0] = 0x7C00;
            hd.masks[1] = 0x03E0;
            hd.masks[2] = 0x001F;
        } else if (bits == 32) {
            hd.masks[0] = 0x00FF0000;
            hd.masks[1] = 0x0000FF00;
            hd.masks[2] = 0x000000FF;
        }
    } else {
        return false;  // run-length and embedded image formats
    }

    std::vector<BmpColor> table;
    if (bits <= 8) {
        const std::uint32_t full = 1u << bits;
        const std::uint32_t count = hd.colorsUsed == 0 ? full : hd.colorsUsed;
        if (count > full) return false;
        const std::size_t entrySize = hd.core ? 3 : 4;
        if (tableOffset > size || (size - tableOffset) / entrySize < count) return false;
        table.assign(full, BmpColor{});  // entries the file leaves out are black
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* e = data + tableOffset + i * entrySize;
            table[i] = BmpColor{e[0], e[1], e[2], 0};
        }
    }

    Channel channels[3];
    if (bits == 16 || bits == 32) {
        for (int i = 0; i < 3; ++i) {
            const auto c = Channel::From(hd.masks[i]);
            if (!c) return false;
            channels[i] = *c;
        }
    }

    const std::uint64_t stride = (static_cast<std::uint64_t>(bits) * static_cast<std::uint64_t>(width) + 31) / 32 * 4;
    if (pixelOffset > size || (size - pixelOffset) / stride < static_cast<std::uint64_t>(height)) return false;

    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
    for (std::int64_t y = 0; y < height; ++y) {
        const std::uint8_t* row = data + pixelOffset + static_cast<std::size_t>(stride) * static_cast<std::size_t>(y);
        std::uint32_t* out = pixels.data() + static_cast<std::size_t>((topDown ? y : height - 1 - y) * width);
        for (std::int64_t x = 0; x < width; ++x) {
            std::uint32_t value;
            if (bits <= 8) {
                const std::int64_t bit = x * bits;
                const std::uint32_t byte = row[bit / 8];
                const std::uint32_t index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                const BmpColor& c = table[index];
                value = Pack(c.red, c.green, c.blue);
            } else if (bits == 24) {
                const std::uint8_t* p = row + x * 3;
                value = Pack(p[2], p[1], p[0]);
            } else {
                const std::uint32_t raw = bits == 16 ? U16(row + x * 2) : U32(row + x * 4);
                value = Pack(channels[0].Get(raw), channels[1].Get(raw), channels[2].Get(raw));
            }
            out[x] = value;
        }
    }

    image.pixels = std::move(pixels);
    image.colorTable = std::move(table);
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.bitCount = bits;
    return true;
}
