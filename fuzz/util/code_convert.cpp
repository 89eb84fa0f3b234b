// Text code conversion: any bytes as code-page text or as UTF-8, any buffer size.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/CodeConvert.h"
#include "fuzz/util/FuzzSupport.h"
#include "platform/win/CodePage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    static const char* const kCodePages[] = {"CP1252", "UTF-8", "GB18030", "ISO-8859-1"};
    win::SetSystemCodePage(kCodePages[data[0] % 4]);
    const int outSize = 1 + data[1];
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    CCodeConvert convert;

    // Buffers of exactly their stated size: a write or read past them is a finding.
    std::vector<char> out(static_cast<size_t>(outSize));
    FUZZ_CHECK(convert.AnsiToUtf8(text, out.data(), outSize) == 1);
    FUZZ_CHECK(std::memchr(out.data(), 0, out.size()) != nullptr);

    const std::string terminated = text;  // c_str() ends at the first NUL
    std::string ansi;
    convert.Utf8ToAnsi(terminated.c_str(), ansi);

    std::vector<char16_t> units(static_cast<size_t>(1 + data[1] % 64));
    const int n = convert.Utf8ToUtf16(terminated.c_str(), units.data(), static_cast<int>(units.size()));
    FUZZ_CHECK(n >= 0 && n < static_cast<int>(units.size()) && units[static_cast<size_t>(n)] == 0);
    char* end = convert.Utf16ToUtf8(units.data(), out.data(), outSize);
    FUZZ_CHECK(end >= out.data() && end < out.data() + outSize && *end == '\0');
    return 0;
}
