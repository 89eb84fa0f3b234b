#include "platform/win/Profile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::optional<std::string> ReadProfileValue(const std::string& fileName, const std::string& section,
                                            const std::string& key) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return win::FindProfileValue(content, section, key);
}

}  // namespace

namespace win {

std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section, std::string_view key) {
    // A file saved by an editor that marks UTF-8 would otherwise hide its first section.
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    if (content.starts_with(kUtf8Bom)) content.remove_prefix(kUtf8Bom.size());

    bool inSection = false;
    while (!content.empty()) {
        const std::size_t eol = content.find('\n');
        std::string_view line = TrimLeft(content.substr(0, eol));
        content.remove_prefix(eol == std::string_view::npos ? content.size() : eol + 1);

        if (line.starts_with('[')) {
            const std::size_t close = line.find(']');
            inSection = close != std::string_view::npos && line.substr(1, close - 1) == section;
            continue;
        }
        if (!inSection || line.starts_with(';')) continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || line.substr(0, eq) != key) continue;
        return std::string(Trim(line.substr(eq + 1)));
    }
    return std::nullopt;
}

}  // namespace win

DWORD GetPrivateProfileString(const std::string& section, const std::string& key, const std::string& defaultValue,
                              char* buffer, DWORD size, const std::string& fileName) {
    if (buffer == nullptr || size == 0) return 0;
    const std::string value = ReadProfileValue(fileName, section, key).value_or(defaultValue);
    const std::size_t n = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

UINT GetPrivateProfileInt(const std::string& section, const std::string& key, int defaultValue,
                          const std::string& fileName) {
    const std::optional<std::string> value = ReadProfileValue(fileName, section, key);
    if (!value || value->empty()) return static_cast<UINT>(defaultValue);

    std::string_view digits = *value;
    const bool negative = digits.starts_with('-');
    if (negative || digits.starts_with('+')) digits.remove_prefix(1);
    std::uint32_t result = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') break;
        result = result * 10u + static_cast<std::uint32_t>(c - '0');
    }
    return negative ? 0u - result : result;
}
