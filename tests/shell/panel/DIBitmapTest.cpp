// The device-independent bitmap over LoadImage and the one BMP decoder: every depth into
// 0xFFRRGGBB pixels, top row first; broken files refused with the previous picture kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "shell/panel/DIBitmap.h"
#include "tests/support/image/BmpBuilder.h"

using namespace bmptest;

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF,
                        kBlack = 0xFF000000;

// Rows of the expected picture, top first.
void ExpectPixels(const CDIBitmap& dib, int width, const std::vector<std::uint32_t>& expected) {
    ASSERT_NE(dib.GetBits(), nullptr);
    ASSERT_EQ(dib.GetWidth(), width);
    ASSERT_EQ(dib.GetHeight(), static_cast<int>(expected.size()) / width);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(dib.GetPixel(static_cast<int>(i) % width, static_cast<int>(i) / width), expected[i]) << "pixel " << i;
}

// Loads the bytes as a bitmap file, the way the panel does.
BOOL Load(CDIBitmap& dib, const std::vector<std::uint8_t>& bytes) {
    const std::string path = ::testing::TempDir() + "dib_load.bmp";
    WriteFile(path, bytes);
    const BOOL loaded = dib.LoadFromFile(path.c_str());
    std::filesystem::remove(path);
    return loaded;
}

}  // namespace

TEST(DIBitmapTest, ReadsEachDepthTopRowFirst) {
    struct Case {
        const char* name;
        BmpSpec spec;
        int heldBits;
        std::vector<std::uint32_t> expected;
    };
    const std::vector<Rgb> four = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    std::vector<Rgb> sixteen(16, Rgb{0, 0, 0});
    sixteen[9] = {255, 0, 0};
    sixteen[15] = {0, 0, 255};
    std::vector<Rgb> full(256, Rgb{0, 0, 0});
    full[200] = {0, 255, 0};
    full[1] = {255, 255, 255};
    const std::vector<Case> cases = {
        // 9 pixels a row: rows of 1 and 4 bits cross byte boundaries and need padding.
        {"1 bit",
         {.width = 9,
          .height = 2,
          .bits = 1,
          .table = {{0, 0, 0}, {255, 255, 255}},
          .values = {1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 1, 1, 1, 1, 1, 0}},
         1,
         {kWhite, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kWhite, kBlack, kWhite, kWhite, kWhite,
          kWhite, kWhite, kWhite, kWhite, kBlack}},
        {"4 bit",
         {.width = 3, .height = 2, .bits = 4, .table = sixteen, .values = {9, 15, 0, 15, 9, 9}},
         4,
         {kRed, kBlue, kBlack, kBlue, kRed, kRed}},
        {"8 bit",
         {.width = 2, .height = 2, .bits = 8, .table = full, .values = {200, 1, 1, 200}},
         8,
         {kGreen, kWhite, kWhite, kGreen}},
        {"8 bit, short table",
         {.width = 2, .height = 1, .bits = 8, .table = four, .colorsUsed = 4, .values = {3, 2}},
         8,
         {kWhite, kBlue}},
        {"16 bit 5-5-5",
         {.width = 3, .height = 1, .bits = 16, .values = {0x7C00, 0x03E0, 0x001F}},
         24,
         {kRed, kGreen, kBlue}},
        {"16 bit 5-6-5 fields",
         {.width = 2,
          .height = 1,
          .bits = 16,
          .compression = 3,
          .masks = {0xF800, 0x07E0, 0x001F},
          .values = {0x07E0, 0xFFFF}},
         24,
         {kGreen, kWhite}},
        {"24 bit",
         {.width = 3, .height = 2, .bits = 24, .values = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0, 0xFFFFFF}},
         24,
         {kRed, kGreen, kBlue, 0xFF123456, kBlack, kWhite}},
        {"24 bit top-down",
         {.width = 2, .height = 2, .bits = 24, .topDown = true, .values = {0xFF0000, 0, 0, 0x0000FF}},
         24,
         {kRed, kBlack, kBlack, kBlue}},
        {"32 bit", {.width = 2, .height = 1, .bits = 32, .values = {0x00123456, 0xAA0000FF}}, 24, {0xFF123456, kBlue}},
        {"32 bit fields",
         {.width = 1,
          .height = 1,
          .bits = 32,
          .compression = 3,
          .masks = {0x000000FF, 0x0000FF00, 0x00FF0000},
          .values = {0x00563412}},
         24,
         {0xFF123456}},
        {"core header",
         {.width = 2, .height = 1, .bits = 1, .core = true, .table = {{0, 0, 255}, {255, 0, 0}}, .values = {1, 0}},
         1,
         {kRed, kBlue}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDIBitmap dib;
        ASSERT_TRUE(Load(dib, Build(c.spec)));
        EXPECT_EQ(dib.GetBitCount(), c.heldBits);
        ExpectPixels(dib, c.spec.width, c.expected);
        // A colour table and palette only for 8 or fewer bits, with 2 to the depth entries.
        if (c.heldBits <= 8) {
            ASSERT_NE(dib.GetColorTable(), nullptr);
            ASSERT_NE(dib.GetPalette(), nullptr);
            EXPECT_EQ(dib.GetPalette()->GetEntryCount(), 1 << c.heldBits);
            EXPECT_EQ(dib.GetColorCount(), 1 << c.heldBits);
        } else {
            EXPECT_EQ(dib.GetColorTable(), nullptr);
            EXPECT_EQ(dib.GetPalette(), nullptr);
        }
    }
}

TEST(DIBitmapTest, PaletteFollowsTheColourTable) {
    std::vector<Rgb> sixteen(16, Rgb{0, 0, 0});
    sixteen[5] = {10, 20, 30};
    CDIBitmap dib;
    ASSERT_TRUE(Load(dib, Build({.width = 1, .height = 1, .bits = 4, .table = sixteen, .values = {5}})));
    const PALETTEENTRY e = dib.GetPalette()->Entries()[5];
    EXPECT_EQ(e.peRed, 10);
    EXPECT_EQ(e.peGreen, 20);
    EXPECT_EQ(e.peBlue, 30);
    EXPECT_EQ(e.peFlags, 0);
}

TEST(DIBitmapTest, RefusesBrokenFilesAndKeepsThePicture) {
    const std::vector<std::uint8_t> good = Solid(4, 3, 0x00FF00);
    const auto broken = [&](const std::function<void(std::vector<std::uint8_t>&)>& change) {
        std::vector<std::uint8_t> b = good;
        change(b);
        return b;
    };
    BmpSpec eight{.width = 2,
                  .height = 1,
                  .bits = 8,
                  .table = std::vector<Rgb>(4, Rgb{1, 2, 3}),
                  .colorsUsed = 4,
                  .values = {0, 1}};
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    const std::vector<Case> cases = {
        {"empty", {}},
        {"not a bitmap", broken([](auto& b) { b[0] = 'P'; })},
        {"only the file header", std::vector<std::uint8_t>(good.begin(), good.begin() + 14)},
        {"truncated pixels", std::vector<std::uint8_t>(good.begin(), good.end() - 1)},
        {"truncated header", std::vector<std::uint8_t>(good.begin(), good.begin() + 40)},
        {"unknown header size", broken([](auto& b) { Put32(b, 14, 41); })},
        {"header past the end", broken([](auto& b) { Put32(b, 14, 124); })},
        {"two planes", broken([](auto& b) { Put16(b, 26, 2); })},
        {"7 bits", broken([](auto& b) { Put16(b, 28, 7); })},
        {"zero width", broken([](auto& b) { Put32(b, 18, 0); })},
        {"negative width", broken([](auto& b) { Put32(b, 18, static_cast<std::uint32_t>(-4)); })},
        {"zero height", broken([](auto& b) { Put32(b, 22, 0); })},
        {"lowest height", broken([](auto& b) { Put32(b, 22, 0x80000000u); })},
        {"huge width", broken([](auto& b) { Put32(b, 18, 0x7FFFFFFF); })},
        {"huge picture", broken([](auto& b) {
             Put32(b, 18, 30000);
             Put32(b, 22, 30000);
         })},
        {"pixels offset past the end", broken([](auto& b) { Put32(b, 10, 0xFFFFFFF0u); })},
        {"run-length on 24 bits", broken([](auto& b) { Put32(b, 30, 1); })},
        {"bit fields on 24 bits", broken([](auto& b) { Put32(b, 30, 3); })},
        {"colour count above the depth",
         [&] {
             auto s = eight;
             s.colorsUsed = 257;
             return Build(s);
         }()},
        {"colour table past the end",
         [&] {
             auto b = Build(eight);
             Put32(b, 46, 200);
             return b;
         }()},
        {"scattered mask", Build({.width = 1,
                                  .height = 1,
                                  .bits = 16,
                                  .compression = 3,
                                  .masks = {0xF00F, 0x07E0, 0x001F},
                                  .values = {0}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDIBitmap dib;
        ASSERT_TRUE(Load(dib, Solid(2, 2, 0x0000FF)));
        EXPECT_FALSE(Load(dib, c.bytes));
        ExpectPixels(dib, 2, {kBlue, kBlue, kBlue, kBlue});
    }
}

TEST(DIBitmapTest, LoadFromFileKeepsThePictureOnEveryFailure) {
    const std::string dir = ::testing::TempDir();
    const std::string good = dir + "dib_good.bmp";
    const std::string cut = dir + "dib_cut.bmp";
    WriteFile(good, Solid(3, 2, 0xFF0000));
    auto bytes = Solid(3, 2, 0x00FF00);
    bytes.resize(bytes.size() - 4);
    WriteFile(cut, bytes);

    CDIBitmap dib;
    ASSERT_TRUE(dib.LoadFromFile(good.c_str()));
    for (const char* name :
         {static_cast<const char*>(nullptr), "", "/nonexistent/none.bmp", cut.c_str(), dir.c_str()}) {
        SCOPED_TRACE(name ? name : "(null)");
        EXPECT_FALSE(dib.LoadFromFile(name));
        ExpectPixels(dib, 3, {kRed, kRed, kRed, kRed, kRed, kRed});
    }
    dib.Clear();
    EXPECT_EQ(dib.GetBits(), nullptr);
    EXPECT_EQ(dib.GetWidth(), 0);
    std::filesystem::remove(good);
    std::filesystem::remove(cut);
}

TEST(DIBitmapTest, RunLengthFilesShowAsTheirUncompressedTwins) {
    std::vector<Rgb> table(256, Rgb{0, 0, 0});
    table[1] = {255, 0, 0};
    table[2] = {0, 0, 255};
    for (int bits : {8, 4}) {
        SCOPED_TRACE(bits);
        BmpSpec spec{.width = 5,
                     .height = 2,
                     .bits = bits,
                     .table = std::vector<Rgb>(table.begin(), table.begin() + (1 << bits)),
                     .values = {1, 1, 1, 2, 1, 2, 2, 2, 2, 2}};
        CDIBitmap plain, coded;
        ASSERT_TRUE(Load(plain, Build(spec)));
        spec.compression = bits == 8 ? 1 : 2;
        ASSERT_TRUE(Load(coded, Build(spec)));
        EXPECT_EQ(coded.GetBitCount(), bits);
        ExpectPixels(coded, 5, {kRed, kRed, kRed, kBlue, kRed, kBlue, kBlue, kBlue, kBlue, kBlue});
        ASSERT_NE(coded.GetPalette(), nullptr);
        EXPECT_EQ(coded.GetPalette()->Entries()[2].peBlue, 255);
        for (int i = 0; i < 1 << bits; ++i) EXPECT_EQ(coded.GetColorTable()[i].rgbRed, plain.GetColorTable()[i].rgbRed);
    }
}

TEST(DIBitmapTest, FromBitmapCopiesABitmapOrEmptiesTheDIB) {
    const std::string path = ::testing::TempDir() + "dib_from.bmp";
    std::vector<Rgb> sixteen(16, Rgb{0, 0, 0});
    sixteen[3] = {0, 255, 0};
    WriteFile(path, Build({.width = 2, .height = 1, .bits = 4, .table = sixteen, .values = {3, 0}}));
    auto bitmap = static_cast<HBITMAP>(LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(bitmap, nullptr);
    CClientDC screen(nullptr);
    CDIBitmap dib;
    ASSERT_TRUE(dib.FromBitmap(&screen, bitmap));
    EXPECT_EQ(dib.GetBitCount(), 4);
    ExpectPixels(dib, 2, {kGreen, kBlack});
    ASSERT_NE(dib.GetPalette(), nullptr);
    EXPECT_EQ(dib.GetPalette()->GetEntryCount(), 16);
    DeleteObject(bitmap);

    // A bitmap made in memory has 32 bits a pixel and is held as 24, without a palette.
    const std::uint32_t rows[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0, 0x123456};
    CBitmap drawn;
    ASSERT_TRUE(drawn.CreateBitmap(3, 2, 1, 32, rows));
    CDIBitmap deep;
    ASSERT_TRUE(deep.FromBitmap(&screen, drawn));
    EXPECT_EQ(deep.GetBitCount(), 24);
    ExpectPixels(deep, 3, {kRed, kGreen, kBlue, kWhite, kBlack, 0xFF123456});
    EXPECT_EQ(deep.GetPalette(), nullptr);

    // A failed copy empties the DIB and leaves the palette as it was.
    const CBmpPalette* palette = dib.GetPalette();
    EXPECT_FALSE(dib.FromBitmap(&screen, nullptr));
    EXPECT_EQ(dib.GetBits(), nullptr);
    EXPECT_EQ(dib.GetWidth(), 0);
    EXPECT_EQ(dib.GetPalette(), palette);
    std::filesystem::remove(path);
}
