// Typed port lists and the port-set conversions, for port counts 1 to 100.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/DeviceProfile.h"
#include "core/Utils.h"
#include "fuzz/util/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilencePrompts();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    static const int kCounts[] = {8, 10, 16, 20, 24, 28, 48, 52};
    g_nDevicePortNum = data[0] < 128 ? kCounts[data[0] % 8] : 1 + data[0] % kMaxDevicePorts;
    const int n = g_nDevicePortNum;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    // Arrays of exactly n elements: any write past them is an AddressSanitizer finding.
    std::vector<int> ports(static_cast<size_t>(n), 0);
    const int accepted = CUtils::ParsePortList(text, ports.data());
    FUZZ_CHECK(accepted == 0 || accepted == 1);
    std::vector<int> listed(static_cast<size_t>(n), 0);
    CUtils::PortListToArray(text, listed.data(), 1);
    CUtils::HasNoSpecialCharsOrLetters(text);

    // The wire round trip gives back the same set.
    std::string hex;
    CUtils::PortArrayToHexBitmap(ports.data(), hex);
    FUZZ_CHECK(hex.size() == static_cast<size_t>((n + 3) / 4));
    CUtils::PadPortBitmapHex(hex);
    const int capacity = static_cast<int>((hex.size() + 1) / 2);
    std::vector<unsigned char> bytes(static_cast<size_t>(capacity));
    CUtils::HexStringToBytes(hex, bytes.data(), capacity);
    int count = 0;
    const std::string list = CUtils::PortBitmapToList(reinterpret_cast<const char*>(bytes.data()), capacity, &count);
    std::vector<int> back(static_cast<size_t>(n), 0);
    CUtils::PortListToArray(list, back.data(), 1);
    FUZZ_CHECK(back == ports);
    int hexCount = 0;
    FUZZ_CHECK(CUtils::HexBitmapToPortList(hex, &hexCount) == list && hexCount == count);
    std::string ranges;
    FUZZ_CHECK(CUtils::BitmapToPortRangeList(reinterpret_cast<const char*>(bytes.data()), capacity, 1, n, ranges) ==
               count);

    // The raw input read as a bitmap from the device, of any length.
    count = 0;
    CUtils::PortBitmapToList(reinterpret_cast<const char*>(data + 1), static_cast<int>(size - 1), &count);
    std::string anyRanges;
    CUtils::BitmapToPortRangeList(reinterpret_cast<const char*>(data + 1), static_cast<int>(size - 1), 1, n, anyRanges);
    CUtils::HexBitmapToPortList(text, &count);
    std::vector<unsigned char> raw(8);
    CUtils::HexStringToBytes(text, raw.data(), static_cast<int>(raw.size()));
    return 0;
}
