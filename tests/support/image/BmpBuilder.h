#pragma once
// Writes small bitmap files byte by byte for the decoder's tests: any depth, header kind and
// row order, uncompressed or run-length coded (compression 1 RLE8, 2 RLE4), with fields that
// tests may then break.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace bmptest {

struct Rgb {
    std::uint8_t r, g, b;
};

inline void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

struct BmpSpec {
    int width = 0;
    int height = 0;  // rows given top row first in `values`
    int bits = 24;
    bool topDown = false;              // store rows top-down (negative height)
    bool core = false;                 // 12-byte header
    std::uint32_t compression = 0;     // 1 and 2: the rows are run-length coded by RunLength()
    std::vector<std::uint32_t> masks;  // BI_BITFIELDS masks, written after a 40-byte header
    std::vector<Rgb> table;            // colour table (1, 4, 8 bits)
    std::uint32_t colorsUsed = 0;
    // Pixel values, top row first: table indices, or raw pixel values for 16 and 32 bits,
    // or 0xRRGGBB for 24 bits.
    std::vector<std::uint32_t> values;
};

// Run-length codes rows of table indices (top row first) as a writer would, bottom row first:
// repeats as counted runs, other stretches of three or more pixels as they stand (padded to
// 16 bits), an end of line after each row and the end of the picture after the last.
inline std::vector<std::uint8_t> RunLength(int width, int height, int bits, const std::vector<std::uint32_t>& values) {
    std::vector<std::uint8_t> out;
    const auto at = [&](int x, int y) {
        return static_cast<std::uint8_t>(values[static_cast<std::size_t>(y * width + x)]);
    };
    for (int y = height - 1; y >= 0; --y) {
        int x = 0;
        while (x < width) {
            int same = 1;
            while (x + same < width && same < 255 && at(x + same, y) == at(x, y)) ++same;
            if (same >= 2 || width - x < 3) {
                const int count = same >= 2 ? same : 1;
                out.push_back(static_cast<std::uint8_t>(count));
                out.push_back(bits == 8 ? at(x, y) : static_cast<std::uint8_t>(at(x, y) << 4 | at(x, y)));
                x += count;
                continue;
            }
            int literal = 1;  // up to the next repeat
            while (x + literal < width && literal < 255 &&
                   !(x + literal + 1 < width && at(x + literal, y) == at(x + literal + 1, y)))
                ++literal;
            if (literal < 3) literal = std::min(3, width - x);
            out.push_back(0);
            out.push_back(static_cast<std::uint8_t>(literal));
            std::size_t bytes = 0;
            for (int i = 0; i < literal; ++i) {
                if (bits == 8) {
                    out.push_back(at(x + i, y));
                    ++bytes;
                } else if (i % 2 == 0) {
                    out.push_back(static_cast<std::uint8_t>(at(x + i, y) << 4));
                    ++bytes;
                } else {
                    out.back() |= at(x + i, y);
                }
            }
            if (bytes % 2) out.push_back(0);
            x += literal;
        }
        out.push_back(0);
        out.push_back(y == 0 ? 1 : 0);
    }
    return out;
}

inline std::vector<std::uint8_t> Build(const BmpSpec& s) {
    const std::size_t headerSize = s.core ? 12 : 40;
    const std::size_t maskBytes = s.masks.size() * 4;
    const std::size_t entry = s.core ? 3 : 4;
    const std::size_t tableBytes = s.table.size() * entry;
    const std::size_t offset = 14 + headerSize + maskBytes + tableBytes;
    const std::size_t stride = (static_cast<std::size_t>(s.bits) * static_cast<std::size_t>(s.width) + 31) / 32 * 4;
    const bool runLength = s.compression == 1 || s.compression == 2;
    const std::vector<std::uint8_t> coded =
        runLength ? RunLength(s.width, s.height, s.bits, s.values) : std::vector<std::uint8_t>{};
    std::vector<std::uint8_t> out(offset + (runLength ? coded.size() : stride * static_cast<std::size_t>(s.height)), 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(out.size()));
    Put32(out, 10, static_cast<std::uint32_t>(offset));
    Put32(out, 14, static_cast<std::uint32_t>(headerSize));
    if (s.core) {
        Put16(out, 18, static_cast<std::uint32_t>(s.width));
        Put16(out, 20, static_cast<std::uint32_t>(s.height));
        Put16(out, 22, 1);
        Put16(out, 24, static_cast<std::uint32_t>(s.bits));
    } else {
        Put32(out, 18, static_cast<std::uint32_t>(s.width));
        Put32(out, 22, static_cast<std::uint32_t>(s.topDown ? -s.height : s.height));
        Put16(out, 26, 1);
        Put16(out, 28, static_cast<std::uint32_t>(s.bits));
        Put32(out, 30, s.compression);
        if (runLength) Put32(out, 34, static_cast<std::uint32_t>(coded.size()));
        Put32(out, 46, s.colorsUsed);
    }
    std::size_t at = 14 + headerSize;
    for (std::uint32_t m : s.masks) {
        Put32(out, at, m);
        at += 4;
    }
    for (const Rgb& c : s.table) {
        out[at] = c.b;
        out[at + 1] = c.g;
        out[at + 2] = c.r;
        at += entry;
    }
    if (runLength) {
        std::copy(coded.begin(), coded.end(), out.begin() + static_cast<std::ptrdiff_t>(offset));
        return out;
    }
    for (int y = 0; y < s.height; ++y) {
        const int fileRow = s.topDown ? y : s.height - 1 - y;
        const std::size_t row = offset + stride * static_cast<std::size_t>(fileRow);
        for (int x = 0; x < s.width; ++x) {
            const std::uint32_t v = s.values[static_cast<std::size_t>(y * s.width + x)];
            if (s.bits <= 8) {
                const std::size_t bit = static_cast<std::size_t>(x * s.bits);
                out[row + bit / 8] |= static_cast<std::uint8_t>(v << (8 - s.bits - static_cast<int>(bit % 8)));
            } else if (s.bits == 16) {
                Put16(out, row + static_cast<std::size_t>(x) * 2, v);
            } else if (s.bits == 24) {
                out[row + static_cast<std::size_t>(x) * 3] = static_cast<std::uint8_t>(v);
                out[row + static_cast<std::size_t>(x) * 3 + 1] = static_cast<std::uint8_t>(v >> 8);
                out[row + static_cast<std::size_t>(x) * 3 + 2] = static_cast<std::uint8_t>(v >> 16);
            } else {
                Put32(out, row + static_cast<std::size_t>(x) * 4, v);
            }
        }
    }
    return out;
}

// A one-colour 24-bit picture.
inline std::vector<std::uint8_t> Solid(int width, int height, std::uint32_t rgb) {
    BmpSpec s;
    s.width = width;
    s.height = height;
    s.values.assign(static_cast<std::size_t>(width * height), rgb);
    return Build(s);
}

inline void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace bmptest
