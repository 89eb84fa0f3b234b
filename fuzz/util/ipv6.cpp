// IPv6 texts with zones: the check, and for a valid address its full, compressed and byte
// forms against the system's own parser.
#include <arpa/inet.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/Utils.h"
#include "fuzz/util/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string zone;
    const size_t percent = text.find('%');
    const bool zoneTyped = percent != std::string::npos;
    if (zoneTyped) {
        zone = text.substr(percent + 1);
        text.resize(percent);
    }
    const int result = CUtils::IsValidIPv6(text, zone, zoneTyped, data[0] & 1);
    FUZZ_CHECK(result >= -2 && result <= 1);
    const std::string full = CUtils::ExpandIPv6(text);
    CUtils::CompressIPv6(text);
    // The dotted-tail forms are not turned into bytes by these conversions.
    if (result == 1 && text.find('.') == std::string::npos) {
        in6_addr address{};
        FUZZ_CHECK(inet_pton(AF_INET6, text.c_str(), &address) == 1);
        FUZZ_CHECK(full.size() == 39);
        unsigned char bytes[16];
        CUtils::HexStringToBytes(CUtils::AddressTextToHex(full), bytes, 16);
        FUZZ_CHECK(std::memcmp(bytes, &address, 16) == 0);
        FUZZ_CHECK(CUtils::AddressBytesToText(bytes, 2) == full);
        const std::string compressed = CUtils::CompressIPv6(text);
        FUZZ_CHECK(CUtils::ExpandIPv6(compressed) == full);
        in6_addr again{};
        FUZZ_CHECK(inet_pton(AF_INET6, compressed.c_str(), &again) == 1);
        FUZZ_CHECK(std::memcmp(&again, &address, 16) == 0);
    }
    return 0;
}
