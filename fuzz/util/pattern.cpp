// The pattern engine: any pattern text with any flags, matched against any text.
// Input: one flag byte, the pattern, a 0xFF byte, the text.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/Pattern.h"
#include "fuzz/util/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int flags = data[0] & 0x3F;
    const char* rest = reinterpret_cast<const char*>(data + 1);
    const size_t restSize = size - 1;
    const void* split = std::memchr(rest, 0xFF, restSize);
    const size_t patternSize = split ? static_cast<size_t>(static_cast<const char*>(split) - rest) : restSize;
    const char* text = split ? rest + patternSize + 1 : rest + restSize;
    const int textSize = static_cast<int>(restSize - patternSize - (split ? 1 : 0));

    CPatternT pattern;
    pattern.Compile(rest, static_cast<int>(patternSize), flags);
    CMatchState state;
    const CMatchRecord record = pattern.Match(text, textSize, &state);
    if (record.IsMatched()) {
        const int highest = record[1];
        FUZZ_CHECK(record.GetSize() == 2 + 2 * (highest + 1));
        FUZZ_CHECK(record[2] == 0 && record[3] == textSize);
        for (int i = 2; i < record.GetSize(); i += 2) {
            FUZZ_CHECK(record[i] <= record[i + 1]);
            FUZZ_CHECK(record[i] >= -1 && record[i + 1] <= textSize);
        }
    }
    FUZZ_CHECK(state.m_nDepth == 0);
    return 0;
}
