// OID texts and request values: checked and encoded on the caller's thread, before
// anything reaches the engine.
#include <charconv>
#include <cstdint>
#include <limits>

#include "platform/snmp/SnmpDetail.h"

namespace snmpdetail {

namespace {
constexpr std::size_t kMaxSubIds = 128;

// The whole text as a decimal number within [min, max].
bool ParseDecimal(std::string_view text, std::int64_t min, std::int64_t max, std::int64_t& out) {
    if (text.empty()) return false;
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < min || value > max) return false;
    out = value;
    return true;
}

bool ParseIpV4(std::string_view text, std::string& bytes) {
    Oid parts;
    if (text.empty() || text.front() == '.' || !ParseOid(text, parts) || parts.size() != 4) return false;
    bytes.clear();
    for (std::uint32_t part : parts) {
        if (part > 255) return false;
        bytes.push_back(static_cast<char>(part));
    }
    return true;
}
}  // namespace

bool ParseOid(std::string_view text, Oid& out) {
    if (!text.empty() && text.front() == '.') text.remove_prefix(1);
    out.clear();
    while (!text.empty()) {
        const std::size_t dot = text.find('.');
        const std::string_view part = text.substr(0, dot);
        std::int64_t value = 0;
        if (part.empty() || part.front() == '-' ||
            !ParseDecimal(part, 0, std::numeric_limits<std::uint32_t>::max(), value) || out.size() == kMaxSubIds)
            return false;
        out.push_back(static_cast<std::uint32_t>(value));
        if (dot == std::string_view::npos) return true;
        text.remove_prefix(dot + 1);
        if (text.empty()) return false;  // a trailing dot
    }
    return false;
}

std::string OidToText(const Oid& oid) {
    std::string text;
    for (std::uint32_t sub : oid) {
        if (!text.empty()) text += '.';
        text += std::to_string(sub);
    }
    return text;
}

bool IsBelow(const Oid& oid, const Oid& prefix) {
    return oid.size() > prefix.size() && std::equal(prefix.begin(), prefix.end(), oid.begin());
}

int MakeRequestVar(const char* oid, int type, std::string_view value, RequestVar& out) {
    out = RequestVar{};
    if (oid == nullptr || !ParseOid(oid, out.name)) return EC_BAD_VALUE;
    out.column = out.name;
    out.type = type;
    switch (type) {
    case SNMP_TYPE_NULL: return EC_NO_ERROR;
    case SNMP_TYPE_INTEGER:
        return ParseDecimal(value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(),
                            out.number)
                   ? EC_NO_ERROR
                   : EC_BAD_VALUE;
    case SNMP_TYPE_UNSIGNED32:
        return !value.empty() && value.front() != '-' &&
                       ParseDecimal(value, 0, std::numeric_limits<std::uint32_t>::max(), out.number)
                   ? EC_NO_ERROR
                   : EC_BAD_VALUE;
    case SNMP_TYPE_OCTETS: out.bytes.assign(value); return EC_NO_ERROR;
    case SNMP_TYPE_OID: return ParseOid(value, out.oidValue) && out.oidValue.size() >= 2 ? EC_NO_ERROR : EC_BAD_VALUE;
    case SNMP_TYPE_IPADDRESS: return ParseIpV4(value, out.bytes) ? EC_NO_ERROR : EC_BAD_VALUE;
    default: return EC_BAD_VALUE;
    }
}

}  // namespace snmpdetail
