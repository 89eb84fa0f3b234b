// MAC and IPv6 texts, address conversions, VLAN lists, names, dates and durations.
#include <gtest/gtest.h>

#include <vector>

#include "core/Utils.h"
#include "tests/core/util/UtilTestSupport.h"

namespace {

const char kMacFormat[] = "Please enter correct MAC format(ex:00-00-00-00-00-01)";

TEST(MacAddress, ValidateMacInput) {
    struct Case {
        const char* mac;
        bool multicastAllowed;
        int result;
        const char* message;  // null: none shown
    } cases[] = {
        {"00-11-22-33-44-55", false, 1, nullptr},
        {"0a-Bc-dE-f0-12-34", false, 1, nullptr},
        {"00:11:22:33:44:55", false, 0, kMacFormat},
        {"00-11-22-33-44-5", false, 0, kMacFormat},
        {"00-11-22-33-44-5G", false, 0, kMacFormat},
        {"00-11-22-33-44-555", false, 0, kMacFormat},
        {"00-11-22-33-44--5", false, 0, kMacFormat},
        {"", false, 0, kMacFormat},
        {"00-00-00-00-00-00", true, 0, kMacFormat},
        {"FF-FF-FF-FF-FF-FF", true, 0, "Broadcast MAC is not allowed."},
        {"ff-ff-ff-ff-ff-ff", false, 0, "Broadcast MAC is not allowed."},
        {"01-00-5E-00-00-01", false, 0, "Multicast MAC is not allowed."},
        {"01-00-5E-00-00-01", true, 1, nullptr},
        {"03-00-00-00-00-00", false, 0, "Multicast MAC is not allowed."},
        {"02-00-00-00-00-00", false, 1, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mac);
        PromptRecorder prompts;
        EXPECT_EQ(CUtils::ValidateMacInput(c.mac, c.multicastAllowed), c.result);
        if (c.message == nullptr) {
            EXPECT_TRUE(prompts.Texts().empty());
        } else {
            EXPECT_EQ(prompts.Texts(), std::vector<std::string>{c.message});
        }
    }
}

TEST(MacAddress, MacToOidSuffix) {
    EXPECT_EQ(CUtils::MacToOidSuffix("00-11-22-33-44-55"), ".0.17.34.51.68.85");
    EXPECT_EQ(CUtils::MacToOidSuffix("ff-ff-ff-ff-ff-ff"), ".255.255.255.255.255.255");
    EXPECT_EQ(CUtils::MacToOidSuffix("20010db8000000000000000000000001"), ".32.1.13.184.0.0.0.0.0.0.0.0.0.0.0.1");
    EXPECT_EQ(CUtils::MacToOidSuffix(""), "");
}

TEST(IPv6Text, ExpandIPv6) {
    struct Case {
        const char* text;
        const char* full;
    } cases[] = {
        {"2001:DB8::1", "2001:0db8:0000:0000:0000:0000:0000:0001"},
        {"::", "0000:0000:0000:0000:0000:0000:0000:0000"},
        {"::1", "0000:0000:0000:0000:0000:0000:0000:0001"},
        {"1::", "0001:0000:0000:0000:0000:0000:0000:0000"},
        {"fe80::1:2", "fe80:0000:0000:0000:0000:0000:0001:0002"},
        {"1:2:3:4:5:6:7::", "0001:0002:0003:0004:0005:0006:0007:0000"},
        {"::2:3:4:5:6:7:8", "0000:0002:0003:0004:0005:0006:0007:0008"},
        {"1:2:3:4:5:6:7:8", "0001:0002:0003:0004:0005:0006:0007:0008"},
        {"::ffff:1.2.3.4", "0000:0000:0000:0000:0000:0000:ffff:1.2.3.4"},  // a dotted tail stays
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CUtils::ExpandIPv6(c.text), c.full);
    }
}

TEST(IPv6Text, CompressIPv6) {
    struct Case {
        const char* text;
        const char* compressed;
    } cases[] = {
        {"2001:0db8:0000:0000:0000:0000:0000:0001", "2001:db8::1"},
        {"0000:0000:0000:0000:0000:0000:0000:0001", "::1"},
        {"fe80:0000:0000:0000:0000:0000:0000:0000", "fe80::"},
        {"0000:0000:0000:0000:0000:0000:0000:0000", "::"},
        {"1:0:3:4:5:6:7:8", "1::3:4:5:6:7:8"},
        {"1:2:3:4:5:6:7:0", "1:2:3:4:5:6:7:0"},
        {"1:2:3:4:5:6:0:0", "1:2:3:4:5:6::"},
        {"2001:DB8:0:0:8:800:200C:417A", "2001:db8::8:800:200c:417a"},
        {"1:2:3:4:5:6:7:8", "1:2:3:4:5:6:7:8"},
        // two runs: the longer one becomes "::", the first of equal ones
        {"1:0:0:4:0:0:0:8", "1:0:0:4::8"},
        {"1:0:0:4:5:0:0:8", "1::4:5:0:0:8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CUtils::CompressIPv6(c.text), c.compressed);
        EXPECT_EQ(CUtils::ExpandIPv6(CUtils::CompressIPv6(c.text)), CUtils::ExpandIPv6(c.text));
    }
}

TEST(IPv6Text, GroupHelpers) {
    EXPECT_EQ(CUtils::TrimLeadingZeros("0db8"), "db8");
    EXPECT_EQ(CUtils::TrimLeadingZeros("0"), "0");
    EXPECT_EQ(CUtils::TrimLeadingZeros("0000"), "");
    EXPECT_EQ(CUtils::TrimLeadingZeros("1000"), "1000");
    EXPECT_EQ(CUtils::PadGroup4("1"), "0001");
    EXPECT_EQ(CUtils::PadGroup4(""), "0000");
    EXPECT_EQ(CUtils::PadGroup4("abcd"), "abcd");
    EXPECT_EQ(CUtils::PadGroup4("12345"), "12345");
}

TEST(AddressConversion, BytesHexAndDottedForms) {
    const unsigned char v6[16] = {0x20, 0x01, 0x0D, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0, 0xFE, 0xDC, 0x00, 0x01};
    EXPECT_EQ(CUtils::AddressBytesToText(v6, 2), "2001:0db8:0000:0000:0000:0000:fedc:0001");
    const unsigned char v4[4] = {0xC0, 0xA8, 0x00, 0xFE};
    EXPECT_EQ(CUtils::AddressBytesToText(v4, 1), "C0A800FE");
    EXPECT_EQ(CUtils::AddressBytesToText(nullptr, 2), "");

    EXPECT_EQ(CUtils::HexToDottedIPv4("C0A80001"), "192.168.0.1");
    EXPECT_EQ(CUtils::HexToDottedIPv4("c0a800fe"), "192.168.0.254");
    EXPECT_EQ(CUtils::HexToDottedIPv4("20010db8000000000000000000000001"), "32.1.13.184.0.0.0.0.0.0.0.0.0.0.0.1");
    EXPECT_EQ(CUtils::HexToDottedIPv4(""), "");

    EXPECT_EQ(CUtils::AddressTextToHex("192.168.0.1"), "C0A80001");
    EXPECT_EQ(CUtils::AddressTextToHex("10.0.0.255"), "0A0000FF");
    EXPECT_EQ(CUtils::AddressTextToHex("2001:0db8:0000:0000:0000:0000:0000:0001"), "20010db8000000000000000000000001");
    // the round trip the IP address edit uses
    EXPECT_EQ(CUtils::HexToDottedIPv4(CUtils::AddressTextToHex("172.16.5.9")), "172.16.5.9");
}

TEST(VlanList, ParseVlanListWithHighestId4094) {
    const char* const kInvalid = "Invalid VLAN List";
    const char* const kTooMany = "LBD VLAN mode maximum support 8 VLAN groups.";
    struct Case {
        const char* list;
        int result;
        const char* message;
    } cases[] = {
        {"1,10-12,4094", 1, nullptr},
        {"4094", 1, nullptr},
        {"4087-4094", 1, nullptr},
        {"1-8,8,3", 1, nullptr},
        {"", 1, nullptr},
        {"1,", 1, nullptr},
        {"0", 0, kInvalid},
        {"4095", 0, kInvalid},
        {"12-10", 0, kInvalid},
        {"1,0-3,5", 0, kInvalid},
        {"5-4095,7", 0, kInvalid},
        {"1,,2", 0, kInvalid},
        {"1-9", 0, kTooMany},
        {"1-4094", 0, kTooMany},
        {"1-9,5000", 0, kInvalid},  // every item is checked before the count
        {"1;2", 0, nullptr},
        {"1a", 0, nullptr},
        // too long for an int: refused, never wrapped onto a valid id
        {"4294967297", 0, kInvalid},
        {"1-4294967297", 0, kInvalid},
        {"99999999999999999999", 0, kInvalid},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        PromptRecorder prompts;
        EXPECT_EQ(CUtils::ParseVlanList(c.list, 4094), c.result);
        if (c.message == nullptr) {
            EXPECT_TRUE(prompts.Texts().empty());
        } else {
            EXPECT_EQ(prompts.Texts(), std::vector<std::string>{c.message});
        }
    }
}

TEST(NameText, HasNoSpecialChars) {
    struct Case {
        const char* text;
        int result;
    } cases[] = {
        {"VLAN_10", 1}, {"Office 2", 1}, {"", 1},    {"a-b", 1},  {"a,b", 0}, {"x.y", 0}, {"a/b", 0},
        {"a\\b", 0},    {"<x>", 0},      {"a'b", 0}, {"a\"b", 0}, {"50%", 0}, {"a|b", 0}, {"a~", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CUtils::HasNoSpecialChars(c.text), c.result);
    }
}

TEST(Calendar, DaysInMonthAndLeapYears) {
    struct Case {
        const char* year;
        const char* month;
        const char* days;
    } cases[] = {
        {"2024", "2", "29"}, {"2023", "2", "28"},  {"2000", "2", "29"},  {"1900", "2", "28"}, {"2024", "4", "30"},
        {"2024", "1", "31"}, {"2024", "12", "31"}, {"2024", "11", "30"}, {"2024", "13", ""},  {"2024", "02", ""},
        {"2024", "", ""},    {"", "2", "29"},  // no year reads as 0, a leap year
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.year) + "/" + c.month);
        EXPECT_EQ(CUtils::DaysInMonth(c.year, c.month), c.days);
    }
    EXPECT_TRUE(CUtils::IsLeapYear(0));
    EXPECT_TRUE(CUtils::IsLeapYear(2400));
    EXPECT_FALSE(CUtils::IsLeapYear(2100));
    EXPECT_FALSE(CUtils::IsLeapYear(2023));
}

TEST(Duration, SecondsToDurationText) {
    struct Case {
        uint32_t seconds;
        const char* text;
    } cases[] = {
        {0, "0"},
        {45, "45 secs"},
        {59, "59 secs"},
        {60, "1 mins,0 secs"},
        {3661, "1 hours,1 mins,1 secs"},
        {3725, "1 hours,2 mins,5 secs"},
        {86400, "1 days,0 hours,0 mins,0 secs"},
        {31 * 86400, "1 month,0 days,0 hours,0 mins,0 secs"},
        {31536000, "11 month,30 days,0 hours,0 mins,0 secs"},
        {31622400, "1 year,0 month,0 days,0 hours,0 mins,0 secs"},
        {100 * 86400 + 5, "3 month,9 days,0 hours,0 mins,5 secs"},
        {4294967295u, "136 year,1 month,6 days,6 hours,28 mins,15 secs"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(CUtils::SecondsToDurationText(c.seconds), c.text);
    }
}

}  // namespace
