// The BMP decoder's run-length coded pictures (RLE8, RLE4) against their uncompressed twins,
// the escapes a writer may use, hostile run-length data, and in-memory bitmaps.
// (Every other depth and the broken-file table run through CDIBitmap: tests/shell/panel.)
#include <gtest/gtest.h>

#include "platform/image/BmpReader.h"
#include "tests/support/image/BmpBuilder.h"

using namespace bmptest;

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;

bool Read(const std::vector<std::uint8_t>& bytes, BmpImage& image) {
    return ReadBmp(bytes.data(), bytes.size(), image);
}

// An 8-bit or 4-bit file whose run-length data is given byte by byte. Table: 0 white, 1 red,
// 2 green, 3 blue.
std::vector<std::uint8_t> RunLengthFile(int width, int height, int bits, const std::vector<std::uint8_t>& data) {
    BmpSpec spec{.width = width,
                 .height = height,
                 .bits = bits,
                 .compression = bits == 8 ? 1u : 2u,
                 .table = {{255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}},
                 .colorsUsed = 4,
                 .values = std::vector<std::uint32_t>(static_cast<std::size_t>(width * height), 0)};
    std::vector<std::uint8_t> file = Build(spec);
    const std::size_t offset = file.size() - RunLength(width, height, bits, spec.values).size();
    file.resize(offset);
    file.insert(file.end(), data.begin(), data.end());
    Put32(file, 2, static_cast<std::uint32_t>(file.size()));
    Put32(file, 34, static_cast<std::uint32_t>(data.size()));
    return file;
}

}  // namespace

TEST(BmpReaderTest, RunLengthPicturesEqualTheirUncompressedTwins) {
    std::vector<Rgb> table(256);
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 7)};
    struct Case {
        const char* name;
        int width, height, bits;
        std::vector<std::uint32_t> values;  // top row first
    };
    const std::vector<Case> cases = {
        // Runs, stretches as they stand of odd and even length (padding), single pixels at a row's end.
        {"RLE8 mixed", 9, 3, 8, {7,   7,   7,   7,   1,   2, 3, 9, 9,  //
                                 200, 201, 202, 203, 204, 5, 5, 5, 6,  //
                                 0,   0,   0,   0,   0,   0, 0, 0, 255}},
        {"RLE8 one column", 1, 4, 8, {10, 20, 20, 30}},
        {"RLE8 long run", 300, 1, 8, std::vector<std::uint32_t>(300, 77)},
        {"RLE4 mixed", 11, 3, 4, {1, 1, 1, 2, 3, 4,  5,  15, 15, 0,  9,   //
                                  3, 4, 5, 6, 7, 8,  9,  10, 11, 12, 13,  //
                                  0, 0, 0, 0, 0, 14, 14, 14, 14, 14, 14}},
        {"RLE4 odd stretch", 5, 2, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BmpSpec plain{.width = c.width,
                      .height = c.height,
                      .bits = c.bits,
                      .table = std::vector<Rgb>(table.begin(), table.begin() + (1 << c.bits)),
                      .values = c.values};
        BmpSpec coded = plain;
        coded.compression = c.bits == 8 ? 1 : 2;
        const std::vector<std::uint8_t> codedFile = Build(coded);
        ASSERT_LT(codedFile.size(), Build(plain).size() + 64);  // really run-length coded, not padded rows
        BmpImage expected, actual;
        ASSERT_TRUE(Read(Build(plain), expected));
        ASSERT_TRUE(Read(codedFile, actual));
        EXPECT_EQ(actual.width, expected.width);
        EXPECT_EQ(actual.height, expected.height);
        EXPECT_EQ(actual.bitCount, c.bits);
        EXPECT_EQ(actual.pixels, expected.pixels);
        ASSERT_EQ(actual.colorTable.size(), expected.colorTable.size());
    }
}

TEST(BmpReaderTest, RunLengthEscapesMoveSkipAndClip) {
    struct Case {
        const char* name;
        int width, height, bits;
        std::vector<std::uint8_t> data;
        std::vector<std::uint32_t> expected;  // top row first
    };
    const std::vector<Case> cases = {
        // Bottom row: 1 red, move 2 right and 1 up, 1 blue; the skipped pixels take entry 0.
        {"delta skips to entry 0",
         4,
         2,
         8,
         {1, 1, 0, 2, 2, 1, 1, 3, 0, 1},
         {kWhite, kWhite, kWhite, kBlue, kRed, kWhite, kWhite, kWhite}},
        // A run longer than the row is cut at its end; the next row starts after the end of line.
        {"run past the row end", 2, 2, 8, {5, 1, 0, 0, 2, 2, 0, 1}, {kGreen, kGreen, kRed, kRed}},
        {"stretch past the row end", 2, 1, 8, {0, 3, 2, 3, 1, 0, 0, 1}, {kGreen, kBlue}},
        // Writers may leave out the end of the picture after the last row's end of line.
        {"no end of picture", 1, 2, 8, {1, 1, 0, 0, 1, 2, 0, 0}, {kGreen, kRed}},
        {"end of picture early", 2, 2, 8, {2, 3, 0, 1}, {kWhite, kWhite, kBlue, kBlue}},
        // RLE4: a run alternates its two nibbles; a stretch of 3 takes 2 bytes, padded to 4.
        {"RLE4 alternating run and stretch",
         5,
         2,
         4,
         {5, 0x12, 0, 0, 0, 3, 0x31, 0x20, 2, 0x33, 0, 1},
         {kBlue, kRed, kGreen, kBlue, kBlue, kRed, kGreen, kRed, kGreen, kRed}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BmpImage image;
        ASSERT_TRUE(Read(RunLengthFile(c.width, c.height, c.bits, c.data), image));
        EXPECT_EQ(image.pixels, c.expected);
    }
}

TEST(BmpReaderTest, RefusesHostileRunLengthData) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
    };
    const auto changed = [](std::vector<std::uint8_t> file, std::size_t at, std::uint32_t value) {
        Put32(file, at, value);
        return file;
    };
    const std::vector<std::uint8_t> good = RunLengthFile(2, 2, 8, {2, 1, 0, 0, 2, 2, 0, 1});
    const std::vector<Case> cases = {
        {"no data", RunLengthFile(2, 2, 8, {})},
        {"ends before the last row", RunLengthFile(2, 2, 8, {2, 1, 0, 0})},
        {"half a pair", RunLengthFile(2, 2, 8, {2, 1, 0, 0, 2})},
        {"stretch cut short", RunLengthFile(4, 1, 8, {0, 4, 1, 2, 3})},
        {"RLE4 stretch cut short", RunLengthFile(8, 1, 4, {0, 8, 0x12, 0x12, 0x12})},
        {"move cut short", RunLengthFile(2, 2, 8, {0, 2, 1})},
        {"top-down rows", changed(good, 22, static_cast<std::uint32_t>(-2))},
        {"RLE8 on 4 bits", changed(RunLengthFile(2, 2, 4, {2, 0x11, 0, 0, 2, 0x22, 0, 1}), 30, 1)},
        {"RLE4 on 8 bits", changed(good, 30, 2)},
        {"huge picture of a few bytes", changed(changed(good, 18, 32768), 22, 32768)},
        {"colour count above the depth", changed(RunLengthFile(2, 1, 4, {2, 0x11, 0, 1}), 46, 17)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BmpImage image;
        image.width = 5;
        EXPECT_FALSE(Read(c.file, image));
        EXPECT_EQ(image.width, 5);  // untouched
        EXPECT_TRUE(image.pixels.empty());
    }
    // Runs far past a row and moves far beyond the picture only drop pixels.
    BmpImage image;
    std::vector<std::uint8_t> wild;
    for (int i = 0; i < 100; ++i) wild.insert(wild.end(), {255, 1});
    wild.insert(wild.end(), {0, 2, 255, 0, 3, 2, 0, 0, 0, 2, 0, 255});
    ASSERT_TRUE(Read(RunLengthFile(3, 2, 8, wild), image));
    EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{kWhite, kWhite, kWhite, kRed, kRed, kRed}));
}

TEST(BmpReaderTest, InMemoryBitmapsAreReadAsFarAsTheirHeaderSays) {
    // A run-length picture's data is as long as its image size; rows are as many as its height.
    const std::vector<std::uint8_t> file = RunLengthFile(2, 2, 8, {2, 1, 0, 0, 2, 3, 0, 1});
    const std::uint8_t* info = file.data() + 14;
    auto extent = MemoryDibExtent(info);
    ASSERT_TRUE(extent.has_value());
    EXPECT_EQ(extent->infoBytes, 40u + 4 * 4);
    EXPECT_EQ(extent->bitsBytes, 8u);
    BmpImage image;
    ASSERT_TRUE(ReadDib(info, extent->infoBytes, info + extent->infoBytes, extent->bitsBytes, image));
    EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{kBlue, kBlue, kRed, kRed}));
    EXPECT_FALSE(ReadDib(info, extent->infoBytes - 1, info + extent->infoBytes, extent->bitsBytes, image));

    std::vector<std::uint8_t> noSize(file);
    Put32(noSize, 34, 0);
    EXPECT_FALSE(MemoryDibExtent(noSize.data() + 14).has_value());

    const std::vector<std::uint8_t> plain = Build({.width = 3, .height = 2, .bits = 24, .values = {0, 0, 0, 0, 0, 0}});
    extent = MemoryDibExtent(plain.data() + 14);
    ASSERT_TRUE(extent.has_value());
    EXPECT_EQ(extent->infoBytes, 40u);
    EXPECT_EQ(extent->bitsBytes, 2u * 12);
    std::vector<std::uint8_t> odd(plain);
    Put32(odd, 14, 64);  // no such header
    EXPECT_FALSE(MemoryDibExtent(odd.data() + 14).has_value());
}
