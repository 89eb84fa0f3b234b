#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win/Profile.h"
#include "tests/shell/settings/TempIni.h"

namespace {

struct StringCase {
    const char* name;
    std::string content;
    std::string section;
    std::string key;
    std::string expected;  // the default is "dflt"
};

const StringCase kStringCases[] = {
    {"plain key", "[S]\nK=value\n", "S", "K", "value"},
    {"key with trailing blank is its own key", "[S]\nK=no\nK =yes\n", "S", "K ", "yes"},
    {"key without the blank is not found", "[S]\nK=no\n", "S", "K ", "dflt"},
    {"key with the blank does not answer the plain key", "[S]\nK =no\n", "S", "K", "dflt"},
    {"case counts in keys", "[S]\nkey=no\n", "S", "KEY", "dflt"},
    {"case counts in sections", "[s]\nK=no\n", "S", "K", "dflt"},
    {"key of another section", "[A]\nK=no\n[S]\nX=1\n", "S", "K", "dflt"},
    {"section reopened later", "[S]\nA=1\n[T]\nK=no\n[S]\nK=yes\n", "S", "K", "yes"},
    {"key before any section", "K=no\n[S]\n", "S", "K", "dflt"},
    {"value blanks trimmed, inner kept", "[S]\nK= \t two words \t\n", "S", "K", "two words"},
    {"CRLF lines", "[S]\r\nK=value\r\nL=x\r\n", "S", "K", "value"},
    {"indented key and section", "  [S]\n\tK=value\n", "S", "K", "value"},
    {"comment line", "[S]\n;K=no\nK=yes\n", "S", "K", "yes"},
    {"first of two keys", "[S]\nK=first\nK=second\n", "S", "K", "first"},
    {"present but empty value", "[S]\nK=\n", "S", "K", ""},
    {"value holding '='", "[S]\nK=a=b\n", "S", "K", "a=b"},
    {"UTF-8 mark before the first section", "\xEF\xBB\xBF[S]\nK=value\n", "S", "K", "value"},
    {"no newline at the end", "[S]\nK=value", "S", "K", "value"},
    {"unclosed section header", "[S\nK=no\n", "S", "K", "dflt"},
};

TEST(Profile, StringLookupFollowsTheFileAsWritten) {
    TempIni dir;
    for (const StringCase& c : kStringCases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir.Write(c.content);
        char buffer[64];
        const DWORD n = GetPrivateProfileString(c.section, c.key, "dflt", buffer, sizeof buffer, file);
        EXPECT_EQ(std::string(buffer), c.expected);
        EXPECT_EQ(n, c.expected.size());
    }
}

TEST(Profile, StringsAreCutToTheBuffer) {
    TempIni dir;
    const std::string file = dir.Write("[S]\nK=" + std::string(300, 'x') + "\n");
    char buffer[260];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(GetPrivateProfileString("S", "K", "", buffer, sizeof buffer, file), 259u);
    EXPECT_EQ(std::string(buffer), std::string(259, 'x'));

    char small[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(GetPrivateProfileString("S", "absent", "default", small, sizeof small, file), 3u);
    EXPECT_STREQ(small, "def");

    EXPECT_EQ(GetPrivateProfileString("S", "K", "", small, 0, file), 0u);
    EXPECT_EQ(small[0], 'd');  // a zero-size buffer is not written
}

TEST(Profile, MissingFileGivesTheDefaults) {
    TempIni dir;
    char buffer[16];
    EXPECT_EQ(GetPrivateProfileString("S", "K", "dflt", buffer, sizeof buffer, dir.Missing()), 4u);
    EXPECT_STREQ(buffer, "dflt");
    EXPECT_EQ(static_cast<int>(GetPrivateProfileInt("S", "K", 28, dir.Missing())), 28);
}

TEST(Profile, IntegersParseLikeThePlatformReader) {
    struct IntCase {
        std::string line;  // appended to "[S]\n"
        int expected;      // the default is 28
    };
    const IntCase cases[] = {
        {"K=42", 42},        {"K=  -7  ", -7},
        {"K=+5", 5},         {"K=12abc", 12},
        {"K=abc", 0},        {"K=-", 0},
        {"K= ", 28},         {"K=", 28},
        {"L=9", 28},         {"K=0x10", 0},
        {"K=007", 7},        {"K=1 2", 1},
        {"K=4294967297", 1}, {"K=-2147483648", -2147483647 - 1},
    };
    TempIni dir;
    for (const IntCase& c : cases) {
        SCOPED_TRACE(c.line);
        const std::string file = dir.Write("[S]\n" + c.line + "\n");
        EXPECT_EQ(static_cast<int>(GetPrivateProfileInt("S", "K", 28, file)), c.expected);
    }
}

}  // namespace
