// Times the two address checks on the inputs that make their backtracking matcher work
// hardest: hand-made near misses, then a mutation search for slower texts, all no longer
// than the longest text an address edit passes (39 address characters, "%" and a 20-
// character zone: 60 characters), then the same shapes far longer.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/Utils.h"

namespace {

using Check = std::function<int(const std::string&)>;

// Mean time of one call in microseconds, from the best of five batches.
double MicrosPerCall(const Check& check, const std::string& text, int calls) {
    double best = 1e30;
    for (int batch = 0; batch < 5; ++batch) {
        const auto start = std::chrono::steady_clock::now();
        int sink = 0;
        for (int i = 0; i < calls; ++i) sink += check(text);
        const auto end = std::chrono::steady_clock::now();
        if (sink == -12345) std::puts("");
        best = std::min(best, std::chrono::duration<double, std::micro>(end - start).count() / calls);
    }
    return best;
}

struct Worst {
    std::string text;
    double micros = 0;
};

Worst Search(const Check& check, const std::vector<std::string>& seeds, const std::string& alphabet, size_t maxLength,
             int rounds) {
    std::mt19937 random(12345);
    Worst worst;
    for (const auto& seed : seeds) {
        const double t = MicrosPerCall(check, seed, 200);
        if (t > worst.micros) worst = {seed, t};
    }
    for (int round = 0; round < rounds; ++round) {
        std::string text = worst.text;
        const int edits = 1 + static_cast<int>(random() % 3);
        for (int e = 0; e < edits; ++e) {
            const char c = alphabet[random() % alphabet.size()];
            const size_t at = text.empty() ? 0 : random() % (text.size() + 1);
            switch (random() % 3) {
            case 0:
                if (text.size() < maxLength) text.insert(at, 1, c);
                break;
            case 1:
                if (at < text.size()) text[at] = c;
                break;
            default:
                if (at < text.size()) text.erase(at, 1);
                break;
            }
        }
        const double t = MicrosPerCall(check, text, 50);
        if (t > worst.micros * 1.02) worst = {text, MicrosPerCall(check, text, 200)};
    }
    return worst;
}

std::string Printable(const std::string& text) {
    std::string out;
    for (char c : text.substr(0, 60)) out += c == '\n' ? std::string("\\n") : std::string(1, c);
    return text.size() > 60 ? out + "..." : out;
}

void Report(const char* name, const Check& check, const std::vector<std::string>& inputs) {
    for (const auto& text : inputs) {
        std::printf("%-18s %8.2f us  len %4zu  result %2d  \"%s\"\n", name, MicrosPerCall(check, text, 500),
                    text.size(), check(text), Printable(text).c_str());
    }
}

}  // namespace

int main() {
    const Check v6 = [](const std::string& t) { return CUtils::IsValidIPv6(t, "", false, true); };
    const Check v4 = [](const std::string& t) { return CUtils::IsValidIPv4Host(t); };

    const std::vector<std::string> v6Inputs = {
        "2001:db8::1",
        "2001:0db8:0000:0000:0000:0000:0000:0001",
        "1111:1111:1111:1111:1111:1111:1111:111g",
        "1:1:1:1:1:1:1:1:1:1:1:1:1:1:1:1:1:1:1:1:1",
        "1:1:1:1:1:1:1.1.1.1.1.1.1.1.1.1.1.1.1.1",
        "1::1:1:1:1:1:1:1:1.1.1.1.1.1.1.1.1.1.1.1",
        "::1:1:1:1:1:1:1:1:1:1:1:1:1:1:1:1:1:1:1",
        "1:1:1:1::1:1:1:1:1:1:1:1:1:1:1:1:1:1:1",
        "111.111.111.111.111.111.111.111.111.111.",
        "1111:1111:1111:1111:1111:1111:1111:1111%" + std::string(9, 'x') + "\n" + std::string(9, 'x'),
        std::string(60, ':'),
        std::string(60, '1'),
    };
    const std::vector<std::string> v4Inputs = {
        "192.168.1.10",
        "111.111.111.111x",
        "1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1",
        "199.199.199.199.199.199.199.199.199.199.199.199.199.199.1999",
        "255.255.255.2555",
        std::string(60, '1'),
        std::string(60, '.'),
    };

    std::puts("== hand-made inputs (up to 60 characters)");
    Report("IsValidIPv6", v6, v6Inputs);
    Report("IsValidIPv4Host", v4, v4Inputs);

    std::puts("== mutation search for the slowest text of at most 60 characters");
    const Worst worst6 = Search(v6, v6Inputs, "0123456789abcdef:.% ", 60, 4000);
    const Worst worst4 = Search(v4, v4Inputs, "0123456789. ", 60, 4000);
    Report("IsValidIPv6", v6, {worst6.text});
    Report("IsValidIPv4Host", v4, {worst4.text});

    std::puts("== the same shapes, longer (beyond what an edit passes)");
    std::string longV6;
    for (int i = 0; i < 500; ++i) longV6 += "1:";
    std::string longV4;
    for (int i = 0; i < 500; ++i) longV4 += "199.";
    Report("IsValidIPv6", v6, {longV6, "2001:db8::1%" + std::string(2000, 'x') + "\n" + std::string(2000, 'x')});
    Report("IsValidIPv4Host", v4, {longV4});
    return 0;
}
