// Text code conversion between the system code page and UTF-8, byte-exact.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/CodeConvert.h"
#include "platform/win/CodePage.h"

namespace {

// Runs each test with a known system code page.
class CodeConvertTest : public ::testing::Test {
protected:
    void SetUp() override { win::SetSystemCodePage("CP1252"); }
    void TearDown() override { win::SetSystemCodePage(""); }

    std::vector<unsigned char> ToUtf8(const std::string& text, int size = 128) {
        std::vector<char> buffer(static_cast<size_t>(size), '\x55');
        EXPECT_EQ(convert.AnsiToUtf8(text, buffer.data(), size), 1);
        const size_t length = std::string(buffer.data()).size();
        EXPECT_LT(length, static_cast<size_t>(size));
        return std::vector<unsigned char>(buffer.begin(), buffer.begin() + static_cast<long>(length) + 1);
    }

    CCodeConvert convert;
};

TEST_F(CodeConvertTest, AnsiToUtf8ByteExact) {
    struct Case {
        std::string ansi;
        std::vector<unsigned char> utf8;  // with the terminating NUL
    } cases[] = {
        {"abc", {0x61, 0x62, 0x63, 0x00}},
        {"", {0x00}},
        {"caf\xE9", {0x63, 0x61, 0x66, 0xC3, 0xA9, 0x00}},
        {"\x80", {0xE2, 0x82, 0xAC, 0x00}},  // euro sign
        {"\xFF\xA0", {0xC3, 0xBF, 0xC2, 0xA0, 0x00}},
        {std::string("a\0b", 3), {0x61, 0x00}},  // an embedded NUL ends the text
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ansi);
        EXPECT_EQ(ToUtf8(c.ansi), c.utf8);
    }
}

TEST_F(CodeConvertTest, AnsiToUtf8CutsAtAWholeCharacter) {
    // 127 characters whose last needs two bytes: 126 bytes fit a buffer of 128
    EXPECT_EQ(ToUtf8(std::string(126, 'a') + "\xE9").size(), 127u);
    EXPECT_EQ(ToUtf8(std::string(125, 'a') + "\xE9").size(), 128u);
    EXPECT_EQ(ToUtf8("\x80\x80", 4), (std::vector<unsigned char>{0xE2, 0x82, 0xAC, 0x00}));
    EXPECT_EQ(ToUtf8("\x80", 3), (std::vector<unsigned char>{0x00}));
    EXPECT_EQ(ToUtf8("abc", 1), (std::vector<unsigned char>{0x00}));
}

TEST_F(CodeConvertTest, TextsLongerThanTheUnitBufferAreCutAndTerminated) {
    for (size_t length : {255u, 256u, 300u, 5000u}) {
        SCOPED_TRACE(length);
        const std::vector<unsigned char> bytes = ToUtf8(std::string(length, 'x'), 8192);
        EXPECT_EQ(bytes.size(), std::min<size_t>(length, 255) + 1);
        EXPECT_EQ(bytes.back(), 0);
    }
    std::string longUtf8;
    for (int i = 0; i < 300; ++i) longUtf8 += "\xC3\xA9";
    std::string ansi;
    EXPECT_EQ(convert.Utf8ToAnsi(longUtf8.c_str(), ansi), 1);
    EXPECT_EQ(ansi, std::string(255, '\xE9'));
}

TEST_F(CodeConvertTest, Utf8ToAnsi) {
    struct Case {
        const char* utf8;
        int result;
        std::string ansi;
    } cases[] = {
        {"abc", 1, "abc"},
        {"caf\xC3\xA9", 1, "caf\xE9"},
        {"\xE2\x82\xAC", 1, "\x80"},
        {"\xE4\xB8\xAD", 1, "?"},  // not in the code page: its default character
        {"a\xE2\x82", 1, "a"},     // a sequence cut by the end
        {"\x80x", 1, "?x"},        // a stray continuation byte stands for U+0080
        {"", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        std::string out = "old";
        EXPECT_EQ(convert.Utf8ToAnsi(c.utf8, out), c.result);
        EXPECT_EQ(out, c.ansi);
    }
    std::string out = "old";
    EXPECT_EQ(convert.Utf8ToAnsi(nullptr, out), 0);
    EXPECT_EQ(out, "");
}

TEST_F(CodeConvertTest, EncodeAndDecodeEveryLength) {
    struct Case {
        unsigned long codePoint;
        std::vector<unsigned char> bytes;
    } cases[] = {
        {0x41, {0x41}},
        {0x7F, {0x7F}},
        {0x80, {0xC2, 0x80}},
        {0xE9, {0xC3, 0xA9}},
        {0x7FF, {0xDF, 0xBF}},
        {0x20AC, {0xE2, 0x82, 0xAC}},
        {0xFFFF, {0xEF, 0xBF, 0xBF}},
        {0x1F600, {0xF0, 0x9F, 0x98, 0x80}},
        {0x1FFFFF, {0xF7, 0xBF, 0xBF, 0xBF}},
        {0x3FFFFFF, {0xFB, 0xBF, 0xBF, 0xBF, 0xBF}},
        {0x7FFFFFFF, {0xFD, 0xBF, 0xBF, 0xBF, 0xBF, 0xBF}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.codePoint);
        char out[8] = {};
        char* end = convert.Utf8Encode(c.codePoint, out);
        ASSERT_NE(end, nullptr);
        EXPECT_EQ(std::vector<unsigned char>(out, end), c.bytes);
        unsigned long decoded = 0;
        EXPECT_EQ(convert.Utf8Decode(out, &decoded), static_cast<int>(c.bytes.size()));
        EXPECT_EQ(decoded, c.codePoint);
    }
    EXPECT_EQ(convert.Utf8Encode(0x41, nullptr), nullptr);
    unsigned long decoded = 0;
    EXPECT_EQ(convert.Utf8Decode(nullptr, &decoded), 0);
    EXPECT_EQ(convert.Utf8Decode("a", nullptr), 0);
    EXPECT_EQ(convert.Utf8Decode("\xBF", &decoded), 1);  // a stray continuation byte
    EXPECT_EQ(decoded, 0xBFu);
    EXPECT_EQ(convert.Utf8Decode("\xE2\x28\xA1", &decoded), 3);  // following bytes are not checked
    EXPECT_EQ(decoded, 0x2A21u);
}

TEST_F(CodeConvertTest, DecodingNeverReadsPastTheTerminator) {
    // Each lead byte sits at the end of a heap block of exactly its size with its NUL, so a
    // read past the terminator is caught by AddressSanitizer.
    for (unsigned char lead : {0xC3, 0xE2, 0xF0, 0xF8, 0xFC}) {
        SCOPED_TRACE(static_cast<int>(lead));
        std::unique_ptr<char[]> text(new char[3]{'a', static_cast<char>(lead), '\0'});
        unsigned long decoded = 0;
        EXPECT_EQ(convert.Utf8Decode(text.get() + 1, &decoded), 0);
        char16_t units[8] = {1, 1, 1};
        EXPECT_EQ(convert.Utf8ToUtf16(text.get(), units, 8), 1);
        EXPECT_EQ(units[0], u'a');
        EXPECT_EQ(units[1], 0);
    }
}

TEST_F(CodeConvertTest, Utf16AndUtf8Buffers) {
    // a character outside the basic plane keeps the low 16 bits of its code point
    char16_t units[8] = {};
    EXPECT_EQ(convert.Utf8ToUtf16("\xF0\x9F\x98\x80z", units, 8), 2);
    EXPECT_EQ(units[0], 0xF600);
    EXPECT_EQ(units[1], u'z');
    // the unit buffer holds size - 1 units and a terminator
    EXPECT_EQ(convert.Utf8ToUtf16("abcdef", units, 4), 3);
    EXPECT_EQ(std::u16string(units), u"abc");
    EXPECT_EQ(convert.Utf8ToUtf16(nullptr, units, 4), 0);

    const char16_t wide[] = {u'A', 0x20AC, u'B', 0};
    char out[8];
    EXPECT_EQ(convert.Utf16ToUtf8(wide, out, 4), out + 1);  // the euro sign needs 3 more bytes
    EXPECT_STREQ(out, "A");
    EXPECT_EQ(convert.Utf16ToUtf8(wide, out, 6), out + 5);
    EXPECT_STREQ(out,
                 "A\xE2\x82\xAC"
                 "B");
    EXPECT_EQ(convert.Utf16ToUtf8(nullptr, out, 6), out);
    EXPECT_EQ(convert.Utf16ToUtf8(wide, nullptr, 6), nullptr);
}

TEST(CodePage, OverrideAndRestore) {
    const std::string fromLocale = win::SystemCodePage();
    EXPECT_FALSE(fromLocale.empty());
    win::SetSystemCodePage("ISO-8859-15");
    EXPECT_EQ(win::SystemCodePage(), "ISO-8859-15");
    EXPECT_EQ(win::AnsiToUtf16("\xA4"), u"\u20AC");
    EXPECT_EQ(win::Utf16ToAnsi(u"\u20AC\u4E2D"), "\xA4?");
    win::SetSystemCodePage("");
    EXPECT_EQ(win::SystemCodePage(), fromLocale);
    // an unknown code page still carries ASCII through
    win::SetSystemCodePage("NO-SUCH-CODE-PAGE");
    EXPECT_EQ(win::AnsiToUtf16("abc"), u"abc");
    win::SetSystemCodePage("");
}

}  // namespace
