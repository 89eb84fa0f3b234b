// Typed VLAN lists with the loopback-detection bound and with other bounds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/Utils.h"
#include "fuzz/util/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilencePrompts();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int highest = data[0] & 1 ? 4094 : (static_cast<int>(data[1]) << 8 | data[0]) - 100;
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    const int result = CUtils::ParseVlanList(text, highest);
    FUZZ_CHECK(result == 0 || result == 1);
    FUZZ_CHECK(CUtils::ParseVlanList(text, 4094) == result || highest != 4094);
    CUtils::HasNoSpecialChars(text);
    return 0;
}
