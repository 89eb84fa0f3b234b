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
// One BER element: its tag and its contents.
struct Element {
    unsigned char tag = 0;
    const unsigned char* data = nullptr;
    std::size_t length = 0;
};

// Reads the element at the front of [at, end) and moves at past it.
bool ReadElement(const unsigned char*& at, const unsigned char* end, Element& out) {
    if (end - at < 2) return false;
    out.tag = at[0];
    std::size_t length = at[1];
    at += 2;
    if (length & 0x80) {
        const std::size_t octets = length & 0x7F;
        if (octets == 0 || octets > 4 || static_cast<std::size_t>(end - at) < octets) return false;
        length = 0;
        for (std::size_t i = 0; i < octets; ++i) length = (length << 8) | *at++;
    }
    if (static_cast<std::size_t>(end - at) < length) return false;
    out.data = at;
    out.length = length;
    at += length;
    return true;
}

// Whether a BER number (two's complement) fits `bits` bits, signed or not.
bool NumberFits(const Element& e, int bits, bool isSigned) {
    const unsigned char* p = e.data;
    std::size_t n = e.length;
    if (n == 0) return false;
    // Leading octets that only repeat the sign add nothing.
    while (n > 1 && ((p[0] == 0x00 && !(p[1] & 0x80)) || (p[0] == 0xFF && (p[1] & 0x80)))) {
        ++p;
        --n;
    }
    const std::size_t octets = static_cast<std::size_t>(bits) / 8;
    if (isSigned) return n <= octets;
    if (p[0] & 0x80) return false;  // negative
    return n <= octets || (n == octets + 1 && p[0] == 0x00);
}

// The response or report PDU of a message: the first one found down its sequences.
bool FindPdu(const unsigned char* at, const unsigned char* end, Element& pdu, int depth = 0) {
    Element e;
    while (at < end && ReadElement(at, end, e)) {
        if (e.tag == 0xA2 || e.tag == 0xA8) {
            pdu = e;
            return true;
        }
        if (e.tag == 0x30 && depth < 3 && FindPdu(e.data, e.data + e.length, pdu, depth + 1)) return true;
    }
    return false;
}
}  // namespace

int FirstValueOutOfRange(const unsigned char* datagram, std::size_t length) {
    Element pdu;
    if (datagram == nullptr || !FindPdu(datagram, datagram + length, pdu)) return 0;
    const unsigned char* at = pdu.data;
    const unsigned char* end = pdu.data + pdu.length;
    Element field, list;
    // The request id, the error status and the error index, then the variables.
    for (int i = 0; i < 3; ++i)
        if (!ReadElement(at, end, field)) return 0;
    if (!ReadElement(at, end, list) || list.tag != 0x30) return 0;
    at = list.data;
    end = list.data + list.length;
    Element varbind, name, value;
    for (int index = 1; at < end && ReadElement(at, end, varbind); ++index) {
        const unsigned char* v = varbind.data;
        const unsigned char* vend = varbind.data + varbind.length;
        if (!ReadElement(v, vend, name) || !ReadElement(v, vend, value)) return 0;
        bool fits = true;
        switch (value.tag) {
        case 0x02: fits = NumberFits(value, 32, true); break;   // INTEGER
        case 0x41:                                              // Counter32
        case 0x42:                                              // Gauge32, Unsigned32
        case 0x43:                                              // TimeTicks
        case 0x47: fits = NumberFits(value, 32, false); break;  // UInteger32
        case 0x46: fits = NumberFits(value, 64, false); break;  // Counter64
        default: break;
        }
        if (!fits) return index;
    }
    return 0;
}

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
