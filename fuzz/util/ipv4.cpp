// IPv4 host texts: the check, and the conversions a valid address goes through.
#include <arpa/inet.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/Utils.h"
#include "fuzz/util/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int valid = CUtils::IsValidIPv4Host(text);
    FUZZ_CHECK(valid == 0 || valid == 1);
    const std::string hex = CUtils::AddressTextToHex(text);
    const std::string dotted = CUtils::HexToDottedIPv4(hex);
    if (valid) {
        // the dotted form without leading zeros is what the system's own parser reads
        in_addr address{};
        FUZZ_CHECK(hex.size() == 8);
        FUZZ_CHECK(inet_pton(AF_INET, dotted.c_str(), &address) == 1);
        FUZZ_CHECK(CUtils::AddressBytesToText(reinterpret_cast<const unsigned char*>(&address), 1) == hex);
    }
    return 0;
}
