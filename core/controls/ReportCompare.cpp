// The text comparison of the report list's sort. Parsed by hand, so that neither the
// process locale nor the width of the C library's long changes the order.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/controls/ReportCtrl.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

int Sign(long long v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

// ---- decimal integers of any length: [+-]digits -------------------------------------
bool IsDecimalInteger(std::string_view s) {
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) s.remove_prefix(1);
    if (s.empty()) return false;
    for (char c : s) {
        if (!IsDigit(c)) return false;
    }
    return true;
}

int CompareDecimalIntegers(std::string_view a, std::string_view b) {
    auto split = [](std::string_view s, bool& negative) {
        negative = s[0] == '-';
        if (s[0] == '+' || s[0] == '-') s.remove_prefix(1);
        const size_t first = s.find_first_not_of('0');
        s = first == std::string_view::npos ? std::string_view() : s.substr(first);
        if (s.empty()) negative = false;  // -0 is 0
        return s;
    };
    bool negA = false, negB = false;
    const std::string_view magA = split(a, negA);
    const std::string_view magB = split(b, negB);
    if (negA != negB) return negA ? -1 : 1;
    int magnitude = 0;
    if (magA.size() != magB.size()) magnitude = magA.size() < magB.size() ? -1 : 1;
    else magnitude = Sign(magA.compare(magB));
    return negA ? -magnitude : magnitude;
}

// ---- hexadecimal: [0x]hexdigits, read as an unsigned 32-bit value (saturating) ----------
std::optional<uint32_t> ParseHex(std::string_view s) {
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s.remove_prefix(2);
    if (s.empty()) return std::nullopt;
    uint64_t v = 0;
    for (char c : s) {
        const int d = HexDigit(c);
        if (d < 0) return std::nullopt;
        v = v * 16 + static_cast<unsigned>(d);
        if (v > 0xFFFFFFFFu) v = 0xFFFFFFFFu;
    }
    return static_cast<uint32_t>(v);
}

// ---- decimal numbers: [+-]digits[.digits][e[+-]digits], optionally one "%" -------------
std::optional<double> ParseDecimal(std::string_view s) {
    if (!s.empty() && s.back() == '%') s.remove_suffix(1);
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    size_t i = (!s.empty() && s[0] == '-') ? 1 : 0;
    size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j >= s.size() || !IsDigit(s[j])) return std::nullopt;
        while (j < s.size() && IsDigit(s[j])) ++j;
        i = j;
    }
    if (i != s.size()) return std::nullopt;
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (end != s.data() + s.size()) return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Too large a magnitude orders as infinity, too small as zero.
        const size_t e = s.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < s.size() && s[e + 1] == '-';
        v = tiny ? 0.0 : (s[0] == '-' ? -HUGE_VAL : HUGE_VAL);
    }
    return v;
}

// ---- dates and times ----------------------------------------------------------------
// Accepted: YYYY-MM-DD, YYYY/MM/DD or MM/DD/YYYY, each optionally followed by a time; or a
// time alone: HH:MM[:SS] with an optional AM or PM. The value is seconds since 0000-03-01
// (a time alone counts from day 0).
class DateReader {
public:
    explicit DateReader(std::string_view s) : m_s(s) {}

    std::optional<long long> Read() {
        SkipBlanks();
        long long days = 0;
        const size_t start = m_i;
        const bool hasDate = ReadDate(days);
        if (!hasDate) m_i = start;
        SkipBlanks();
        long long seconds = 0;
        const bool hasTime = m_i < m_s.size() && ReadTime(seconds);
        SkipBlanks();
        if (m_i != m_s.size() || (!hasDate && !hasTime)) return std::nullopt;
        return days * 86400 + seconds;
    }

private:
    void SkipBlanks() {
        while (m_i < m_s.size() && m_s[m_i] == ' ') ++m_i;
    }
    // A run of 1 to maxDigits digits.
    bool Number(int maxDigits, int& out, int* count = nullptr) {
        int n = 0;
        out = 0;
        while (m_i < m_s.size() && IsDigit(m_s[m_i]) && n < maxDigits) out = out * 10 + (m_s[m_i++] - '0'), ++n;
        if (count) *count = n;
        return n > 0 && !(m_i < m_s.size() && IsDigit(m_s[m_i]));
    }
    bool Take(char c) {
        if (m_i < m_s.size() && m_s[m_i] == c) return ++m_i, true;
        return false;
    }
    static bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
    static int DaysIn(int y, int m) {
        static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        return m == 2 && IsLeap(y) ? 29 : days[m - 1];
    }
    // Days from the civil date (proleptic Gregorian).
    static long long DayNumber(int y, int m, int d) {
        y -= m <= 2;
        const long long era = y / 400;
        const long long yoe = y - era * 400;
        const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
        const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + doe;
    }
    bool ReadDate(long long& days) {
        int a = 0, b = 0, c = 0, na = 0, nc = 0;
        if (!Number(4, a, &na)) return false;
        char sep = 0;
        if (Take('-')) sep = '-';
        else if (Take('/')) sep = '/';
        else return false;
        if (!Number(2, b) || !Take(sep) || !Number(4, c, &nc)) return false;
        int y, m, d;
        if (na == 4) y = a, m = b, d = c;                     // year first
        else if (sep == '/' && nc == 4) m = a, d = b, y = c;  // month/day/year
        else return false;
        if (m < 1 || m > 12 || d < 1 || d > DaysIn(y, m)) return false;
        days = DayNumber(y, m, d);
        return true;
    }
    bool ReadTime(long long& seconds) {
        int h = 0, mi = 0, s = 0;
        if (!Number(2, h) || !Take(':') || !Number(2, mi)) return false;
        if (Take(':') && !Number(2, s)) return false;
        SkipBlanks();
        const std::string_view rest = m_s.substr(m_i);
        const bool am = rest.rfind("AM", 0) == 0 || rest.rfind("am", 0) == 0;
        const bool pm = rest.rfind("PM", 0) == 0 || rest.rfind("pm", 0) == 0;
        if (am || pm) {
            if (h < 1 || h > 12) return false;
            h = (h % 12) + (pm ? 12 : 0);
            m_i += 2;
        }
        if (h > 23 || mi > 59 || s > 59) return false;
        seconds = h * 3600LL + mi * 60LL + s;
        return true;
    }

    std::string_view m_s;
    size_t m_i = 0;
};

template <class T>
int Order(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

int CompareReportTexts(const std::string& a, const std::string& b) {
    const bool decimalA = IsDecimalInteger(a);
    const bool decimalB = IsDecimalInteger(b);
    if (decimalA && decimalB) return CompareDecimalIntegers(a, b);
    if (!decimalA && !decimalB) {
        const auto hexA = ParseHex(a);
        const auto hexB = ParseHex(b);
        if (hexA && hexB) return Order(*hexA, *hexB);
    }
    const auto numA = ParseDecimal(a);
    const auto numB = ParseDecimal(b);
    if (numA && numB) return Order(*numA, *numB);
    const auto dateA = DateReader(a).Read();
    const auto dateB = DateReader(b).Read();
    if (dateA && dateB) return Order(*dateA, *dateB);
    return Sign(a.compare(b));
}
