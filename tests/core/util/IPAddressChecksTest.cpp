// The IPv4 host and IPv6 address checks: pattern acceptance and the rules after it.
#include <gtest/gtest.h>

#include <string>

#include "core/Utils.h"

namespace {

TEST(IPv4HostCheck, AcceptanceTable) {
    struct Case {
        const char* text;
        int result;
    } cases[] = {
        {"192.168.1.10", 1},  {"10.1.2.3", 1},        {"172.16.0.1", 1}, {"25.1.1.1", 1},       {"1.2.3.4", 1},
        {"223.255.254.1", 1}, {"010.001.002.003", 1},  // leading zeros up to three digits
        {"199.99.9.254", 1},  {"0.0.0.0", 0},         {"0.1.2.3", 0},    {"255.1.1.1", 0},      {"1.2.3.0", 0},
        {"1.2.3.255", 0},     {"127.0.0.1", 0},       {"10.0.0.0", 0},   {"10.255.255.255", 0}, {"172.16.255.255", 0},
        {"172.16.0.0", 0},    {"192.168.1.255", 0},   {"224.0.0.1", 0},  {"240.1.1.1", 0},      {"256.1.1.1", 0},
        {"1.2.3.256", 0},     {"1.2.3", 0},           {"1.2.3.4.5", 0},  {"1.2.3.4 ", 0},       {" 1.2.3.4", 0},
        {"1.2.3.4\n", 0},     {"1..3.4", 0},          {"1.2.3.0004", 0}, {"a.b.c.d", 0},        {"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CUtils::IsValidIPv4Host(c.text), c.result);
    }
    EXPECT_EQ(CUtils::IsValidIPv4Host(std::string("1.2.3.4\0x", 9)), 0);
}

TEST(IPv6Check, AcceptanceTable) {
    struct Case {
        const char* address;
        const char* zone;
        bool zoneTyped;
        bool zonesAllowed;
        int result;
    } cases[] = {
        {"2001:db8::1", "", false, true, 1},
        {"2001:0db8:0000:0000:0000:0000:0000:0001", "", false, true, 1},
        {"2001:db8:1:2:3:4:5:6", "", false, true, 1},
        {"2001:db8::", "", false, true, 1},
        {"2001:db8::1.2.3.4", "", false, true, 1},
        {"2001:db8:1:2:3:4:1.2.3.4", "", false, true, 1},
        {"1000::2", "", false, true, 1},
        {"1000::1", "", false, true, 0},  // only 0 and 1 digits, ending in 1: taken for loopback
        {"::", "", false, true, 0},
        {"::1", "", false, true, 0},
        {"::ffff:1.2.3.4", "", false, true, 0},  // first group below 1000
        {"ff02::1", "", false, true, 0},
        {"100::1", "", false, true, 0},
        {":1::2", "", false, true, 0},
        {"1::2:", "", false, true, 0},
        {"2001:DB8::1", "", false, true, 0},  // lower case only; callers lower the text
        {"2001:db8::1::2", "", false, true, 0},
        {"2001:db8:1:2:3:4:5:6:7", "", false, true, 0},
        {"2001:db8::12345", "", false, true, 0},
        {"2001:db8::g", "", false, true, 0},
        {"", "", false, true, 0},
        {"fe80::1", "", false, true, 0},
        {"fe80::1", "eth0", true, true, 1},
        {"febf::1", "eth0", true, true, 1},
        {"fe80::1", "", true, true, -2},
        {"fe80::1", "abcdefghijklmnopqrst", true, true, 1},
        {"fe80::1", "abcdefghijklmnopqrstu", true, true, -1},
        {"fe80::1", "", false, false, 1},
        {"fec0::1", "", false, true, 1},
        {"2001:db8::1", "", true, true, 1},  // a zone on a global address is ignored
        // blanks around the address are refused, not carried into the expanded form
        {" 2001:db8::1", "", false, true, 0},
        {"2001:db8::1 ", "", false, true, 0},
        {"\t2001:db8::1", "", false, true, 0},
        {"2001:db8::1\r\n", "", false, false, 0},
        {"2001:db8:: 1", "", false, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.address) + "%" + c.zone);
        EXPECT_EQ(CUtils::IsValidIPv6(c.address, c.zone, c.zoneTyped, c.zonesAllowed), c.result);
    }
}

TEST(IPv6Check, LongestTextsOfTheAddressEditTerminate) {
    // Texts built to make a backtracking matcher retry: long digit runs, many colons,
    // a long zone. Each must come back with the plain result.
    const std::string almost = "1111:2222:3333:4444:5555:6666:7777:888g";
    EXPECT_EQ(CUtils::IsValidIPv6(almost, "", false, true), 0);
    EXPECT_EQ(CUtils::IsValidIPv6(std::string(64, ':'), "", false, true), 0);
    EXPECT_EQ(CUtils::IsValidIPv6(std::string(64, '1'), "", false, true), 0);
    EXPECT_EQ(CUtils::IsValidIPv6("1:1:1:1:1:1:1.1.1.1.1.1.1.1.1.1", "", false, true), 0);
    EXPECT_EQ(CUtils::IsValidIPv6("2001:db8::1%" + std::string(4000, 'x'), "", false, true), 1);
    EXPECT_EQ(CUtils::IsValidIPv4Host(std::string(4000, '1')), 0);
    EXPECT_EQ(CUtils::IsValidIPv4Host("1.1.1." + std::string(4000, '1')), 0);
}

}  // namespace
