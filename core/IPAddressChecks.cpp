// The IPv4 host and IPv6 address checks: a whole-text pattern match, then rules of their own.
#include <cstdint>

#include "core/Pattern.h"
#include "core/Utils.h"

namespace {

const char kIPv4Pattern[] = R"(((25[0-5]|2[0-4]\d|[01]?\d\d?)\.){3}(25[0-5]|2[0-4]\d|[01]?\d\d?)$)";

const char kIPv6Pattern[] =
    R"(^\s*((([0-9a-f]{1,4}:){7}(([0-9a-f]{1,4})|:))|(([0-9a-f]{1,4}:){6}(:|((25[0-5]|2[0-4]\d|[01]?\d{1,2})(\.(25[0-5]|2[0-4]\d|[01]?\d{1,2})){3})|(:[0-9a-f]{1,4})))|(([0-9a-f]{1,4}:){5}((:((25[0-5]|2[0-4]\d|[01]?\d{1,2})(\.(25[0-5]|2[0-4]\d|[01]?\d{1,2})){3})?)|((:[0-9a-f]{1,4}){1,2})))|(([0-9a-f]{1,4}:){4}(:[0-9a-f]{1,4}){0,1}((:((25[0-5]|2[0-4]\d|[01]?\d{1,2})(\.(25[0-5]|2[0-4]\d|[01]?\d{1,2})){3})?)|((:[0-9a-f]{1,4}){1,2})))|(([0-9a-f]{1,4}:){3}(:[0-9a-f]{1,4}){0,2}((:((25[0-5]|2[0-4]\d|[01]?\d{1,2})(\.(25[0-5]|2[0-4]\d|[01]?\d{1,2})){3})?)|((:[0-9a-f]{1,4}){1,2})))|(([0-9a-f]{1,4}:){2}(:[0-9a-f]{1,4}){0,3}((:((25[0-5]|2[0-4]\d|[01]?\d{1,2})(\.(25[0-5]|2[0-4]\d|[01]?\d{1,2})){3})?)|((:[0-9a-f]{1,4}){1,2})))|(([0-9a-f]{1,4}:)(:[0-9a-f]{1,4}){0,4}((:((25[0-5]|2[0-4]\d|[01]?\d{1,2})(\.(25[0-5]|2[0-4]\d|[01]?\d{1,2})){3})?)|((:[0-9a-f]{1,4}){1,2})))|(:(:[0-9a-f]{1,4}){0,5}((:((25[0-5]|2[0-4]\d|[01]?\d{1,2})(\.(25[0-5]|2[0-4]\d|[01]?\d{1,2})){3})?)|((:[0-9a-f]{1,4}){1,2})))|(((25[0-5]|2[0-4]\d|[01]?\d{1,2})(\.(25[0-5]|2[0-4]\d|[01]?\d{1,2})){3})))(%.+)?\s*$)";

bool Matches(const CPatternT& pattern, const std::string& text) {
    return pattern.Match(text.data(), static_cast<int>(text.size())).IsMatched() == 1;
}

bool IsSpaceChar(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

int CUtils::IsValidIPv4Host(std::string text) {
    static const CPatternT pattern(kIPv4Pattern, 0);
    if (!Matches(pattern, text)) return 0;
    if (text == "0.0.0.0") return 0;
    const std::string first = text.substr(0, text.find('.'));
    const std::string last = text.substr(text.rfind('.') + 1);
    if (first == "0" || first == "255" || last == "0" || last == "255") return 0;

    uint32_t v = 0;
    size_t from = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t dot = text.find('.', from);
        v = (v << 8) | static_cast<uint32_t>(std::stoi(text.substr(from, dot - from)));
        from = dot + 1;
    }
    if (v < 0x80000000u) {
        const uint32_t net = v & 0x7F000000u;
        const uint32_t host = v & 0x00FFFFFFu;
        return (net != 0 && net != 0x7F000000u && host != 0 && host != 0x00FFFFFFu) ? 1 : 0;
    }
    if ((v >> 30) == 0x2u) {
        const uint32_t host = v & 0x0000FFFFu;
        return (host != 0 && host != 0x0000FFFFu) ? 1 : 0;
    }
    if ((v >> 29) == 0x6u) {
        const uint32_t host = v & 0x000000FFu;
        return (host != 0 && host != 0xFFu) ? 1 : 0;
    }
    return 0;
}

int CUtils::IsValidIPv6(std::string address, std::string zone, bool zoneTyped, bool zonesAllowed) {
    static const CPatternT pattern(kIPv6Pattern, 0);
    // Blanks around the address would pass the pattern and then corrupt the expanded form,
    // its bytes and the table index built from it: refuse them.
    if (!address.empty() && (IsSpaceChar(address.front()) || IsSpaceChar(address.back()))) return 0;
    if (!Matches(pattern, address)) return 0;
    if (address.front() == ':' && !StartsWith(address, "::")) return 0;
    if (address.back() == ':' && !EndsWith(address, "::")) return 0;

    const std::string full = ExpandIPv6(address);
    if (full.find_first_of("23456789abcdef") == std::string::npos) {
        if (full.find('1') == std::string::npos || full.back() == '1') return 0;
    }
    if (StartsWith(full, "ff") || StartsWith(full, "0")) return 0;
    if (!zonesAllowed) return 1;
    const bool linkLocal =
        StartsWith(full, "fe8") || StartsWith(full, "fe9") || StartsWith(full, "fea") || StartsWith(full, "feb");
    if (!zoneTyped) return linkLocal ? 0 : 1;
    if (linkLocal) {
        if (zone.empty()) return -2;
        if (zone.size() > 20) return -1;
    }
    return 1;
}
