#include "core/Utils.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string_view>
#include <vector>

#include "core/DeviceProfile.h"
#include "platform/ui/Prompt.h"
#include "platform/win/ProcessStart.h"

namespace {

constexpr const char* kInvalidPortList = "Invalid Portlist";
constexpr const char* kInvalidVlanList = "Invalid VLAN List";
constexpr const char* kTooManyVlans = "LBD VLAN mode maximum support 8 VLAN groups.";
constexpr const char* kBadMacFormat = "Please enter correct MAC format(ex:00-00-00-00-00-01)";
constexpr const char* kBroadcastMac = "Broadcast MAC is not allowed.";
constexpr const char* kMulticastMac = "Multicast MAC is not allowed.";

// Punctuation refused in names; the list check takes the same set without the comma.
constexpr std::string_view kSpecialChars = "~`!@#$%^&*{}[]|\\:;\"'<>,.?/";
constexpr std::string_view kListSpecialChars = "~`!@#$%^&*{}[]|\\:;\"'<>.?/";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Two characters read as a base-16 number: their valid leading part, or 0.
int HexPair(std::string_view pair) {
    int value = 0;
    for (size_t i = 0; i < pair.size() && i < 2; ++i) {
        const int d = HexDigit(pair[i]);
        if (d < 0) break;
        value = value * 16 + d;
    }
    return value;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// A number of a port or VLAN list: leading blanks skipped, digits up to the first other
// character, no digits read as 0. A run of digits too long for an int gives a value above
// INT_MAX, so every range check refuses it instead of seeing a wrapped number.
long long ReadListNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) value = static_cast<long long>(INT_MAX) + 1;
    }
    return value;
}

// A decimal number with an optional sign, as a year or an address part is read; clamped to int.
int ReadInt(const std::string& text) {
    long long value = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

struct ListItem {
    long long start;
    long long end;
    bool range;
};

ListItem ReadListItem(std::string_view item) {
    const size_t dash = item.find('-');
    if (dash == std::string_view::npos) {
        const long long n = ReadListNumber(item);
        return {n, n, false};
    }
    return {ReadListNumber(item.substr(0, dash)), ReadListNumber(item.substr(dash + 1)), true};
}

// Calls take(item) for each item up to a ","; a list ending with "," ends there. Stops
// and returns false as soon as take refuses an item.
template <class Take>
bool ForEachListItem(std::string_view list, Take take) {
    size_t from = 0;
    for (;;) {
        const size_t comma = list.find(',', from);
        if (!take(list.substr(from, comma == std::string_view::npos ? std::string_view::npos : comma - from))) {
            return false;
        }
        if (comma == std::string_view::npos || comma + 1 == list.size()) return true;
        from = comma + 1;
    }
}

bool HasAnyOf(const std::string& text, std::string_view chars) {
    return text.find_first_of(chars.data(), 0, chars.size()) != std::string::npos;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Join(const std::vector<std::string>& parts, size_t from, size_t to) {
    std::string out;
    for (size_t i = from; i < to; ++i) {
        if (i > from) out += ':';
        out += parts[i];
    }
    return out;
}

std::vector<std::string> SplitGroups(const std::string& text) {
    std::vector<std::string> groups;
    size_t from = 0;
    for (;;) {
        const size_t colon = text.find(':', from);
        groups.push_back(text.substr(from, colon == std::string::npos ? std::string::npos : colon - from));
        if (colon == std::string::npos) return groups;
        from = colon + 1;
    }
}

int DaysOfMonth(int month, int year) {
    switch (month) {
    case 2: return CUtils::IsLeapYear(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11: return 30;
    default: return 31;
    }
}

}  // namespace

// ---- port sets and port lists

void CUtils::PortArrayToHexBitmap(const int* ports, std::string& hex) {
    const int n = g_nDevicePortNum;
    if (ports == nullptr || n <= 0) return;
    static const char kDigits[] = "0123456789abcdef";
    for (int i = 0; i < n; i += 4) {
        int digit = 0;
        for (int k = 0; k < 4; ++k) {
            if (i + k < n && ports[i + k] != 0) digit |= 8 >> k;
        }
        hex += kDigits[digit];
    }
}

int CUtils::PadPortBitmapHex(std::string& hex) {
    switch (g_nDevicePortNum) {
    case 8: hex += "000000"; break;
    case 10: hex += "00000"; break;
    case 16: hex += "0000"; break;
    case 20: hex += "000"; break;
    case 24: hex += "00"; break;
    case 28: hex += "0"; break;
    case 48: hex += "0000"; break;
    case 52: hex += "000"; break;
    default: break;
    }
    return 1;
}

std::string CUtils::PortFlagsToBitmap(const int* ports, int hexDigits) {
    std::string hex;
    PortArrayToHexBitmap(ports, hex);
    if (hexDigits > 0) {
        if (static_cast<int>(hex.size()) < hexDigits) hex.append(static_cast<size_t>(hexDigits) - hex.size(), '0');
    } else {
        PadPortBitmapHex(hex);
    }
    std::string bytes((hex.size() + 1) / 2, '\0');
    HexStringToBytes(hex, reinterpret_cast<unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
    return bytes;
}

int CUtils::HexStringToBytes(std::string hex, unsigned char* out, int capacity) {
    if (hex.size() % 2 != 0) hex += '0';
    for (size_t i = 0, stored = 0; i + 1 < hex.size() && out != nullptr; i += 2) {
        if (static_cast<int>(stored) < capacity)
            out[stored++] = static_cast<unsigned char>(HexPair(std::string_view(hex).substr(i, 2)));
    }
    return 1;
}

std::string CUtils::PortBitmapToList(const char* bytes, int length, int* count) {
    std::string list;
    int listed = 0;
    const int wanted = (g_nDevicePortNum + 7) / 8;
    for (int j = 0; j < wanted; ++j) {
        const unsigned char b = (bytes != nullptr && j < length) ? static_cast<unsigned char>(bytes[j]) : 0;
        for (int bit = 0; bit < 8; ++bit) {
            if (b & (0x80 >> bit)) {
                if (listed++ > 0) list += ',';
                list += std::to_string(8 * j + bit + 1);
            }
        }
    }
    if (count != nullptr) *count = listed;
    return list;
}

int CUtils::BitmapToPortRangeList(const char* bytes, int length, int lowest, int highest, std::string& out) {
    if (bytes == nullptr) return 0;
    int considered = 0;
    int previous = 0;
    bool runOpen = false;
    for (int j = 0; j < length; ++j) {
        const unsigned char b = static_cast<unsigned char>(bytes[j]);
        for (int bit = 0; bit < 8; ++bit) {
            const int port = 8 * j + bit + 1;
            if (!(b & (0x80 >> bit)) || port < lowest || port > highest) continue;
            if (considered == 0) {
                out += std::to_string(port);
            } else if (port == previous + 1) {
                runOpen = true;
            } else {
                if (runOpen) out.append("-").append(std::to_string(previous));
                out.append(",").append(std::to_string(port));
                runOpen = false;
            }
            previous = port;
            ++considered;
        }
    }
    if (runOpen) out.append("-").append(std::to_string(previous));
    return considered;
}

std::string CUtils::HexBitmapToPortList(std::string hex, int* count) {
    std::string list;
    int listed = 0;
    int q = 0;
    for (char c : hex) {
        const int d = HexDigit(c);
        if (d < 0) continue;
        for (int k = 0; k < 4; ++k) {
            if (d & (8 >> k)) {
                if (listed++ > 0) list += ',';
                list += std::to_string(4 * q + k + 1);
            }
        }
        ++q;
    }
    if (count != nullptr) *count = listed;
    return list;
}

void CUtils::PortListToArray(std::string list, int* ports, int value) {
    if (ports == nullptr) return;
    const int n = g_nDevicePortNum;
    ForEachListItem(list, [&](std::string_view piece) {
        const long long p = ReadListNumber(piece);
        if (p >= 1 && p <= n) ports[p - 1] = value;
        return true;
    });
}

int CUtils::ParsePortList(std::string list, int* ports) {
    if (ports == nullptr) return 0;
    if (list.empty()) return 1;
    const int n = g_nDevicePortNum;
    const bool accepted = ForEachListItem(list, [&](std::string_view piece) {
        const ListItem item = ReadListItem(piece);
        if (item.end < item.start) return false;
        for (long long p = item.start; p <= item.end; ++p) {
            if (p < 1 || p > n) return false;
            ports[p - 1] = 1;
        }
        return true;
    });
    if (!accepted) {
        AfxMessageBox(kInvalidPortList);
        return 0;
    }
    return 1;
}

int CUtils::HasNoSpecialCharsOrLetters(std::string text) {
    if (HasAnyOf(text, kListSpecialChars)) return 0;
    for (char c : text) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return 0;
    }
    return 1;
}

// ---- addresses, MACs and text

int CUtils::ValidateMacInput(std::string mac, bool allowMulticast) {
    auto refuse = [](const char* message) {
        AfxMessageBox(message);
        return 0;
    };
    if (mac.size() != 17) return refuse(kBadMacFormat);
    for (size_t pos : {2u, 5u, 8u, 11u, 14u}) {
        if (mac[pos] != '-') return refuse(kBadMacFormat);
    }
    std::string digits;
    for (char c : mac) {
        if (c != '-') digits += c;
    }
    if (digits == "000000000000" || digits.size() < 12) return refuse(kBadMacFormat);
    for (char c : digits) {
        if (HexDigit(c) < 0) return refuse(kBadMacFormat);
    }
    if (Lower(digits) == "ffffffffffff") return refuse(kBroadcastMac);
    if (!allowMulticast && (HexPair(std::string_view(digits).substr(0, 2)) & 1)) return refuse(kMulticastMac);
    return 1;
}

std::string CUtils::MacToOidSuffix(std::string mac) {
    std::string digits;
    for (char c : mac) {
        if (c != '-') digits += c;
    }
    std::string suffix;
    for (size_t i = 0; i < digits.size(); i += 2) {
        suffix.append(".").append(std::to_string(HexPair(std::string_view(digits).substr(i, 2))));
    }
    return suffix;
}

std::string CUtils::MacBytesToText(const std::string& bytes) {
    unsigned char b[6] = {};
    for (size_t i = 0; i < 6 && i < bytes.size(); ++i) b[i] = static_cast<unsigned char>(bytes[i]);
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3], b[4], b[5]);
    return text;
}

std::string CUtils::ExpandIPv6(std::string text) {
    const size_t doubleColon = text.find("::");
    if (doubleColon != std::string::npos) {
        const int colons = static_cast<int>(std::count(text.begin(), text.end(), ':'));
        std::string filler;
        for (int i = 0; i < 8 - colons; ++i) filler += ":0000";
        filler += ':';
        text.replace(doubleColon, 2, filler);
        if (text.front() == ':') text.insert(0, "0000");
        if (text.back() == ':') text += "0000";
    }
    std::vector<std::string> groups = SplitGroups(text);
    for (auto& group : groups) group = PadGroup4(group);
    return Lower(Join(groups, 0, groups.size()));
}

std::string CUtils::PadGroup4(std::string text) {
    if (text.size() < 4) text.insert(0, 4 - text.size(), '0');
    return text;
}

std::string CUtils::TrimLeadingZeros(std::string group) {
    if (group == "0") return group;
    group.erase(0, group.find_first_not_of('0') == std::string::npos ? group.size() : group.find_first_not_of('0'));
    return group;
}

std::string CUtils::CompressIPv6(std::string text) {
    std::vector<std::string> groups = SplitGroups(ExpandIPv6(text));
    for (auto& group : groups) {
        group = TrimLeadingZeros(group);
        if (group.empty()) group.push_back('0');
    }
    // The longest run of zero groups becomes "::" (the first of equal runs); a single zero
    // group at the very end stays "0".
    size_t bestFrom = 0;
    size_t bestLength = 0;
    for (size_t i = 0; i < groups.size();) {
        if (groups[i] != "0") {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < groups.size() && groups[j] == "0") ++j;
        const bool lastOnly = (j - i == 1) && j == groups.size();
        if (!lastOnly && j - i > bestLength) {
            bestFrom = i;
            bestLength = j - i;
        }
        i = j;
    }
    if (bestLength == 0) return Lower(Join(groups, 0, groups.size()));
    return Lower(Join(groups, 0, bestFrom) + "::" + Join(groups, bestFrom + bestLength, groups.size()));
}

std::string CUtils::AddressBytesToText(const unsigned char* bytes, int addressType) {
    if (bytes == nullptr) return {};
    char text[48];
    if (addressType == 2) {
        int at = 0;
        for (int i = 0; i < 16; i += 2) {
            at += std::snprintf(text + at, sizeof text - static_cast<size_t>(at), i ? ":%02X%02X" : "%02X%02X",
                                bytes[i], bytes[i + 1]);
        }
        return Lower(text);
    }
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X", bytes[0], bytes[1], bytes[2], bytes[3]);
    return text;
}

std::string CUtils::HexToDottedIPv4(std::string hex) {
    std::string dotted;
    for (size_t i = 0; i < hex.size(); i += 2) {
        dotted += std::to_string(HexPair(std::string_view(hex).substr(i, 2))) + ".";
    }
    if (!dotted.empty()) dotted.pop_back();
    return dotted;
}

std::string CUtils::AddressTextToHex(std::string text) {
    std::string hex;
    if (text.find('.') != std::string::npos) {
        std::vector<std::string> parts;
        size_t from = 0;
        for (;;) {
            const size_t dot = text.find('.', from);
            parts.push_back(text.substr(from, dot == std::string::npos ? std::string::npos : dot - from));
            if (dot == std::string::npos) break;
            from = dot + 1;
        }
        char byte[16];
        for (size_t k = 0; k < 3 && k + 1 < parts.size(); ++k) {
            std::snprintf(byte, sizeof byte, "%02X", static_cast<unsigned>(ReadInt(parts[k])));
            hex += byte;
        }
        std::snprintf(byte, sizeof byte, "%02X", static_cast<unsigned>(ReadInt(parts.back())));
        hex += byte;
        return hex;
    }
    for (char c : text) {
        if (c != ':') hex += c;
    }
    return hex;
}

int CUtils::ParseVlanList(std::string list, int highestId) {
    if (!HasNoSpecialCharsOrLetters(list)) return 0;
    if (list.empty()) return 1;
    // Once more than eight distinct ids are named the count no longer matters, so a long
    // range is never walked to its end.
    std::set<long long> ids;
    const bool accepted = ForEachListItem(list, [&](std::string_view piece) {
        const ListItem item = ReadListItem(piece);
        if (item.start < 1 || item.end > highestId || item.end < item.start) return false;
        for (long long id = item.start; id <= item.end && ids.size() <= 8; ++id) ids.insert(id);
        return true;
    });
    if (!accepted) {
        AfxMessageBox(kInvalidVlanList);
        return 0;
    }
    if (ids.size() > 8) {
        AfxMessageBox(kTooManyVlans);
        return 0;
    }
    return 1;
}

int CUtils::HasNoSpecialChars(std::string text) { return HasAnyOf(text, kSpecialChars) ? 0 : 1; }

bool CUtils::IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

std::string CUtils::DaysInMonth(std::string year, std::string month) {
    for (const char* m : {"1", "3", "5", "7", "8", "10", "12"}) {
        if (month == m) return "31";
    }
    for (const char* m : {"4", "6", "9", "11"}) {
        if (month == m) return "30";
    }
    if (month == "2") return IsLeapYear(ReadInt(year)) ? "29" : "28";
    return {};
}

std::string CUtils::SecondsToDurationText(uint32_t seconds) {
    if (seconds == 0) return "0";
    constexpr uint32_t kDay = 86400;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    uint32_t s = seconds;
    while (s > 59) {
        const uint32_t yearLength = IsLeapYear(year) ? 366 * kDay : 365 * kDay;
        if (s >= yearLength) {
            ++year;
            s -= yearLength;
        } else if (s >= kDay) {
            uint32_t d = s / kDay;
            s %= kDay;
            for (int m = 1; m <= 12 && d >= static_cast<uint32_t>(DaysOfMonth(m, year)); ++m) {
                d -= static_cast<uint32_t>(DaysOfMonth(m, year));
                ++month;
            }
            day += static_cast<int>(d);
        } else if (s >= 3600) {
            hour = static_cast<int>(s / 3600);
            s %= 3600;
        } else {
            minute = static_cast<int>(s / 60);
            s %= 60;
        }
    }
    char text[128];
    std::snprintf(text, sizeof text, "%d year,%d month,%d days,%d hours,%d mins,%d secs", year, month, day, hour,
                  minute, static_cast<int>(s));
    std::string out = text;
    while (!out.empty() && out[0] == '0') {
        const size_t comma = out.find(',');
        if (comma == std::string::npos) break;
        out.erase(0, comma + 1);
    }
    return out;
}

std::string CUtils::GetDefaultBrowserPath() {
    constexpr std::size_t kMaxPath = 199;
    std::string path = win::DefaultBrowserPath();
    if (path.empty() || path.front() != '/' || path.size() > kMaxPath) return {};
    return path;
}
