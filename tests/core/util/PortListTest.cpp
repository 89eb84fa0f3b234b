// Port sets and port lists: the wire form (hex text and bytes), the lists shown to users,
// and the parser of typed lists.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "core/Utils.h"
#include "tests/core/util/UtilTestSupport.h"

namespace {

std::vector<int> PortArray(int n, std::initializer_list<int> ports, int value = 1) {
    std::vector<int> array(static_cast<size_t>(n), 0);
    for (int p : ports) array[static_cast<size_t>(p - 1)] = value;
    return array;
}

std::set<int> SetPorts(const std::vector<int>& array) {
    std::set<int> ports;
    for (size_t i = 0; i < array.size(); ++i) {
        if (array[i] != 0) ports.insert(static_cast<int>(i) + 1);
    }
    return ports;
}

struct WireCase {
    int portCount;
    std::initializer_list<int> ports;
    const char* digits;
    const char* padded;
    std::vector<unsigned char> bytes;
};

TEST(PortSetWireForm, ArrayToHexPaddedAndBytesByPortCount) {
    const WireCase cases[] = {
        {8, {1, 8}, "81", "81000000", {0x81, 0x00, 0x00, 0x00}},
        {10, {9, 10}, "00c", "00c00000", {0x00, 0xC0, 0x00, 0x00}},
        {28, {1, 2, 3, 28}, "e000001", "e0000010", {0xE0, 0x00, 0x00, 0x10}},
        {52, {52}, "0000000000001", "0000000000001000", {0, 0, 0, 0, 0, 0, 0x10, 0x00}},
        {52, {1, 17, 49}, "8000800000008", "8000800000008000", {0x80, 0x00, 0x80, 0x00, 0, 0, 0x80, 0x00}},
        {12, {1, 12}, "801", "801", {0x80, 0x10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.digits);
        PortCount count(c.portCount);
        const std::vector<int> array = PortArray(c.portCount, c.ports);
        std::string hex;
        CUtils::PortArrayToHexBitmap(array.data(), hex);
        EXPECT_EQ(hex, c.digits);
        EXPECT_EQ(CUtils::PadPortBitmapHex(hex), 1);
        EXPECT_EQ(hex, c.padded);

        const int capacity = static_cast<int>((hex.size() + 1) / 2);
        std::vector<unsigned char> bytes(static_cast<size_t>(capacity), 0xEE);
        EXPECT_EQ(CUtils::HexStringToBytes(hex, bytes.data(), capacity), 1);
        EXPECT_EQ(bytes, c.bytes);

        // and back: the device's bytes give the same ports
        int listed = -1;
        CUtils::PortBitmapToList(reinterpret_cast<const char*>(bytes.data()), capacity, &listed);
        EXPECT_EQ(listed, static_cast<int>(c.ports.size()));
    }
}

TEST(PortSetWireForm, FlagsToBitmapBytesOfTheModelsWidthOrAGivenOne) {
    struct Case {
        int portCount;
        std::initializer_list<int> ports;
        int hexDigits;
        std::vector<unsigned char> bytes;
    } cases[] = {
        {28, {1, 28}, 0, {0x80, 0x00, 0x00, 0x10}},
        {52, {52}, 0, {0, 0, 0, 0, 0, 0, 0x10, 0x00}},
        {24, {24}, 0, {0x00, 0x00, 0x01, 0x00}},
        {28, {1, 2}, 16, {0xC0, 0, 0, 0, 0, 0, 0, 0}},
        {52, {52}, 24, {0, 0, 0, 0, 0, 0, 0x10, 0, 0, 0, 0, 0}},
        {12, {1, 12}, 0, {0x80, 0x10}},  // a count without padding: its own digits
        {28, {1}, 4, {0x80, 0, 0, 0}},   // a width below the ports' own is not cut
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.portCount << " ports, " << c.hexDigits << " digits");
        PortCount count(c.portCount);
        const std::vector<int> array = PortArray(c.portCount, c.ports);
        const std::string bytes = CUtils::PortFlagsToBitmap(array.data(), c.hexDigits);
        EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.end()), c.bytes);
    }
}

TEST(PortSetWireForm, AnyNonZeroElementIsAMember) {
    // Per-port arrays also carry trunk numbers; a member must still give one bit, never a
    // digit out of range that would shift the rest of the text.
    PortCount count(8);
    const std::vector<int> array = PortArray(8, {1, 2, 8}, 3);
    std::string hex = "x";
    CUtils::PortArrayToHexBitmap(array.data(), hex);
    EXPECT_EQ(hex, "xc1");
}

TEST(PortSetWireForm, HexStringToBytesReadsPairsUpToCapacity) {
    struct Case {
        const char* hex;
        int capacity;
        std::vector<unsigned char> expected;  // the whole 4-byte buffer, 0xEE untouched
    } cases[] = {
        {"abc", 4, {0xAB, 0xC0, 0xEE, 0xEE}},  {"e0000010", 2, {0xE0, 0x00, 0xEE, 0xEE}},
        {"FFff", 4, {0xFF, 0xFF, 0xEE, 0xEE}}, {"1g", 4, {0x01, 0xEE, 0xEE, 0xEE}},  // valid leading part
        {"g1", 4, {0x00, 0xEE, 0xEE, 0xEE}},   {"", 4, {0xEE, 0xEE, 0xEE, 0xEE}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hex);
        std::vector<unsigned char> bytes(4, 0xEE);
        EXPECT_EQ(CUtils::HexStringToBytes(c.hex, bytes.data(), c.capacity), 1);
        EXPECT_EQ(bytes, c.expected);
    }
}

TEST(PortSetLists, PortBitmapToListReadsCeilNOver8Bytes) {
    struct Case {
        int portCount;
        std::vector<unsigned char> bytes;
        const char* list;
        int count;
    } cases[] = {
        {28, {0xE0, 0x00, 0x00, 0x10}, "1,2,3,28", 4},
        {28, {0x00, 0x00, 0x00, 0x1F}, "28,29,30,31,32", 5},  // bits past N from the device
        {28, {0x00, 0x00, 0x00, 0x00}, "", 0},
        {28, {0x80, 0x00, 0x00, 0x00, 0xFF}, "1", 1},  // a fifth byte is not read
        {10, {0x40, 0xC0}, "2,9,10", 3},
        {52, {0, 0, 0, 0, 0, 0, 0x10, 0x00}, "52", 1},
        {8, {0xFF}, "1,2,3,4,5,6,7,8", 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        PortCount count(c.portCount);
        int listed = -1;
        EXPECT_EQ(CUtils::PortBitmapToList(reinterpret_cast<const char*>(c.bytes.data()),
                                           static_cast<int>(c.bytes.size()), &listed),
                  c.list);
        EXPECT_EQ(listed, c.count);
    }
}

TEST(PortSetLists, ShortBitmapFromTheDeviceReadsMissingBytesAsZero) {
    // A device may answer with fewer bytes than the port count needs. Each value sits in a
    // heap block of exactly its size, so a read past it is caught by AddressSanitizer.
    PortCount count(52);
    for (int length : {0, 1, 3, 6}) {
        SCOPED_TRACE(length);
        std::unique_ptr<char[]> bytes(new char[static_cast<size_t>(length ? length : 1)]);
        for (int i = 0; i < length; ++i) bytes[static_cast<size_t>(i)] = static_cast<char>(0x01);
        int listed = -1;
        const std::string list = CUtils::PortBitmapToList(bytes.get(), length, &listed);
        EXPECT_EQ(listed, length);
        std::string expected;
        for (int i = 0; i < length; ++i) {
            if (i > 0) expected += ',';
            expected += std::to_string(8 * i + 8);
        }
        EXPECT_EQ(list, expected);
    }
    int listed = -1;
    EXPECT_EQ(CUtils::PortBitmapToList(nullptr, 8, &listed), "");
    EXPECT_EQ(listed, 0);
    EXPECT_EQ(CUtils::PortBitmapToList(std::string("\x80", 1), &listed), "1");
}

TEST(PortSetLists, BitmapToPortRangeListWritesRunsWithinTheRange) {
    struct Case {
        std::vector<unsigned char> bytes;
        int lowest, highest;
        const char* text;
        int result;
    } cases[] = {
        {{0xEB}, 1, 8, "1-3,5,7-8", 6},  // ports 1,2,3,5,7,8
        {{0x1F, 0x80}, 5, 8, "5-8", 4},  // ports 4..9, range 5..8
        {{0x03}, 1, 28, "7-8", 2},
        {{0xE0, 0x00, 0x00, 0x10}, 1, 28, "1-3,28", 4},
        {{0x00, 0x00, 0x00, 0x00}, 1, 28, "", 0},
        {{0xA8}, 1, 8, "1,3,5", 3},
        {{0x00, 0x00, 0x00, 0x1F}, 1, 28, "28", 1},  // bits past the range are not listed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string out = ">";
        EXPECT_EQ(CUtils::BitmapToPortRangeList(reinterpret_cast<const char*>(c.bytes.data()),
                                                static_cast<int>(c.bytes.size()), c.lowest, c.highest, out),
                  c.result);
        EXPECT_EQ(out, std::string(">") + c.text);
    }
    std::string out = "kept";
    EXPECT_EQ(CUtils::BitmapToPortRangeList(nullptr, 4, 1, 28, out), 0);
    EXPECT_EQ(out, "kept");
}

TEST(PortSetLists, HexBitmapToPortList) {
    struct Case {
        const char* hex;
        const char* list;
        int count;
    } cases[] = {
        {"a1", "1,3,8", 3}, {"F0", "1,2,3,4", 4}, {"0:1", "8", 1}, {"", "", 0}, {"e0000010", "1,2,3,28", 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hex);
        int listed = -1;
        EXPECT_EQ(CUtils::HexBitmapToPortList(c.hex, &listed), c.list);
        EXPECT_EQ(listed, c.count);
    }
}

TEST(PortSetLists, PortListToArrayStoresTheValueForListedPortsOnly) {
    PortCount count(28);
    std::vector<int> array(28, 0);
    CUtils::PortListToArray("1,3,28,29,0,1-5,4294967297,99999999999999999999", array.data(), 7);
    EXPECT_EQ(SetPorts(array), (std::set<int>{1, 3, 28}));
    EXPECT_EQ(array[0], 7);
    CUtils::PortListToArray("", array.data(), 9);
    EXPECT_EQ(array[0], 7);
}

TEST(PortListParser, TypedListsOn28Ports) {
    struct Case {
        const char* list;
        int result;
        std::set<int> ports;
    } cases[] = {
        {"1,3-5,28", 1, {1, 3, 4, 5, 28}},
        {"", 1, {}},
        {"2,2", 1, {2}},
        {"1, 2", 1, {1, 2}},
        {"1-2 ,4", 1, {1, 2, 4}},
        {"1,", 1, {1}},
        {"3a", 1, {3}},
        {"5-3", 0, {}},
        {"0", 0, {}},
        {"29", 0, {}},
        {"1,,3", 0, {1}},
        {",1", 0, {}},
        {"20-30", 0, {20, 21, 22, 23, 24, 25, 26, 27, 28}},
        {"-3", 0, {}},
        // too long for an int: refused, never wrapped onto a valid port
        {"4294967297", 0, {}},
        {"4294967296-4294967298", 0, {}},
        {"99999999999999999999999", 0, {}},
    };
    PortCount count(28);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        PromptRecorder prompts;
        std::vector<int> array(28, 0);
        EXPECT_EQ(CUtils::ParsePortList(c.list, array.data()), c.result);
        EXPECT_EQ(SetPorts(array), c.ports);
        if (c.result) {
            EXPECT_TRUE(prompts.Texts().empty());
        } else {
            EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"Invalid Portlist"});
        }
    }
}

TEST(PortListParser, BoundIsTheCurrentPortCountAndArrayIsRequired) {
    PromptRecorder prompts;
    {
        PortCount count(8);
        std::vector<int> array(8, 0);
        EXPECT_EQ(CUtils::ParsePortList("1-8", array.data()), 1);
        EXPECT_EQ(CUtils::ParsePortList("9", array.data()), 0);
    }
    {
        PortCount count(52);
        std::vector<int> array(52, 0);
        EXPECT_EQ(CUtils::ParsePortList("49-52", array.data()), 1);
        EXPECT_EQ(SetPorts(array), (std::set<int>{49, 50, 51, 52}));
    }
    EXPECT_EQ(prompts.Texts().size(), 1u);
    EXPECT_EQ(CUtils::ParsePortList("1", nullptr), 0);
    EXPECT_EQ(prompts.Texts().size(), 1u);
}

TEST(PortListParser, HasNoSpecialCharsOrLetters) {
    struct Case {
        const char* text;
        int result;
    } cases[] = {
        {"1,3-5", 1}, {" 7 ", 1},  {"", 1},  {"1;3", 0}, {"1.3", 0}, {"a", 0},    {"Z", 0},
        {"1/2", 0},   {"1\\2", 0}, {"~", 0}, {"\"", 0},  {"'", 0},   {"1\t2", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CUtils::HasNoSpecialCharsOrLetters(c.text), c.result);
    }
}

}  // namespace
