// MAC texts: the check and the OID index form.
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
    if (size < 1) return 0;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const int valid = CUtils::ValidateMacInput(text, data[0] & 1);
    const std::string suffix = CUtils::MacToOidSuffix(text);
    if (valid) {
        // six arcs of 0..255
        int arcs = 0;
        size_t from = 0;
        while (from < suffix.size()) {
            FUZZ_CHECK(suffix[from] == '.');
            const size_t next = suffix.find('.', from + 1);
            const int value = std::stoi(suffix.substr(from + 1, next - from - 1));
            FUZZ_CHECK(value >= 0 && value <= 255);
            ++arcs;
            from = next == std::string::npos ? suffix.size() : next;
        }
        FUZZ_CHECK(arcs == 6);
    }
    return 0;
}
