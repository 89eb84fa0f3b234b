// The utilities keep no state: several threads may check, convert and match at once, on
// one compiled pattern and through the address checks' process-wide patterns.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "core/CodeConvert.h"
#include "core/Pattern.h"
#include "core/Utils.h"

TEST(UtilConcurrency, ChecksConversionsAndMatchesFromSeveralThreads) {
    const CPatternT shared("(a|ab)(c|bcd)(d*)");
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            CCodeConvert convert;
            for (int i = 0; i < 200; ++i) {
                if (CUtils::IsValidIPv6("2001:db8::1", "", false, true) != 1) ++wrong;
                if (CUtils::IsValidIPv4Host("10.1.2.3") != 1) ++wrong;
                if (CUtils::CompressIPv6("2001:0db8:0000:0000:0000:0000:0000:0001") != "2001:db8::1") ++wrong;
                if (shared.Match("abcd").IsMatched() != 1 || shared.Match("abd").IsMatched() != 0) ++wrong;
                char utf8[128];
                convert.AnsiToUtf8("abc", utf8, sizeof utf8);
                std::string back;
                if (convert.Utf8ToAnsi(utf8, back) != 1 || back != "abc") ++wrong;
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(wrong.load(), 0);
}
