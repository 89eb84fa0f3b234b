#include "tools/switchsim/Model.h"

#include <net-snmp/net-snmp-includes.h>

#include <arpa/inet.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>

namespace switchsim {

std::optional<Oid> ParseOid(const std::string& text) {
    Oid result;
    size_t i = 0;
    if (!text.empty() && text[0] == '.') i = 1;
    while (i < text.size()) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        unsigned long long arc = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            arc = arc * 10 + static_cast<unsigned>(text[i] - '0');
            if (arc > 0xFFFFFFFFull) return std::nullopt;
            ++i;
        }
        result.push_back(static_cast<oid>(arc));
        if (i < text.size()) {
            if (text[i] != '.' || i + 1 == text.size()) return std::nullopt;
            ++i;
        }
    }
    if (result.size() < 2 || result.size() > MAX_OID_LEN) return std::nullopt;
    return result;
}

std::string FormatOid(const oid* name, size_t length) {
    std::string s;
    s.reserve(length * 4);
    for (size_t i = 0; i < length; ++i) {
        if (i) s += '.';
        s += std::to_string(name[i]);
    }
    return s;
}

bool HasPrefix(const Oid& o, const Oid& prefix) {
    return o.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), o.begin());
}

namespace {

bool ParseInteger(const std::string& text, long long low, long long high, long long& out) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno || *end != '\0' || v < low || v > high) return false;
    out = v;
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<Value> ParseValue(char typeLetter, const std::string& text, std::string& error) {
    Value v;
    long long n = 0;
    switch (typeLetter) {
    case 'i':
        if (!ParseInteger(text, INT32_MIN, INT32_MAX, n)) break;
        v.type = ASN_INTEGER;
        v.number = n;
        return v;
    case 'u':
    case 'c':
    case 't':
        if (!ParseInteger(text, 0, UINT32_MAX, n)) break;
        v.type = typeLetter == 'u' ? ASN_GAUGE : typeLetter == 'c' ? ASN_COUNTER : ASN_TIMETICKS;
        v.number = n;
        return v;
    case 'C':
        if (!ParseInteger(text, 0, LLONG_MAX, n)) break;
        v.type = ASN_COUNTER64;
        v.number = n;
        return v;
    case 'a': {
        in_addr a{};
        if (inet_pton(AF_INET, text.c_str(), &a) != 1) break;
        v.type = ASN_IPADDRESS;
        v.bytes.assign(reinterpret_cast<const char*>(&a), 4);
        return v;
    }
    case 'o': {
        auto o = ParseOid(text);
        if (!o) break;
        v.type = ASN_OBJECT_ID;
        v.oidValue = *o;
        return v;
    }
    case 's':
        v.type = ASN_OCTET_STR;
        v.bytes = text;
        return v;
    case 'x': {
        std::string digits;
        for (char c : text) {
            if (c == ' ' || c == ':' || c == '-') continue;
            if (HexDigit(c) < 0) {
                error = "bad hex digit in '" + text + "'";
                return std::nullopt;
            }
            digits += c;
        }
        if (digits.size() % 2) break;
        v.type = ASN_OCTET_STR;
        for (size_t i = 0; i < digits.size(); i += 2)
            v.bytes += static_cast<char>(HexDigit(digits[i]) * 16 + HexDigit(digits[i + 1]));
        return v;
    }
    case 'n': v.type = ASN_NULL; return v;
    default: error = std::string("unknown type '") + typeLetter + "'"; return std::nullopt;
    }
    error = std::string("bad value '") + text + "' for type " + typeLetter;
    return std::nullopt;
}

std::string TypeName(u_char type) {
    switch (type) {
    case ASN_INTEGER: return "i";
    case ASN_GAUGE: return "u";
    case ASN_COUNTER: return "c";
    case ASN_TIMETICKS: return "t";
    case ASN_COUNTER64: return "C";
    case ASN_IPADDRESS: return "a";
    case ASN_OBJECT_ID: return "o";
    case ASN_OCTET_STR: return "s";
    case ASN_NULL: return "null";
    case SNMP_NOSUCHOBJECT: return "noSuchObject";
    case SNMP_NOSUCHINSTANCE: return "noSuchInstance";
    case SNMP_ENDOFMIBVIEW: return "endOfMibView";
    default: {
        static const char* digits = "0123456789abcdef";
        return std::string("0x") + digits[type >> 4] + digits[type & 15];
    }
    }
}

std::string FormatValue(const Value& v) {
    switch (v.type) {
    case ASN_IPADDRESS: {
        std::string s;
        for (size_t i = 0; i < v.bytes.size(); ++i) {
            if (i) s += '.';
            s += std::to_string(static_cast<unsigned char>(v.bytes[i]));
        }
        return s;
    }
    case ASN_OBJECT_ID: return FormatOid(v.oidValue);
    case ASN_OCTET_STR: {
        static const char* digits = "0123456789ABCDEF";
        std::string s;
        for (unsigned char c : v.bytes) {
            if (!s.empty()) s += ' ';
            s += digits[c >> 4];
            s += digits[c & 15];
        }
        return s;
    }
    case ASN_NULL:
    case SNMP_NOSUCHOBJECT:
    case SNMP_NOSUCHINSTANCE:
    case SNMP_ENDOFMIBVIEW: return "";
    default: return std::to_string(v.number);
    }
}

bool SplitWords(const std::string& line, std::vector<std::string>& words, std::string& error) {
    words.clear();
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c == '#') break;
        std::string word;
        if (c != '"') {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '\n')
                word += line[i++];
            words.push_back(word);
            continue;
        }
        ++i;
        bool closed = false;
        while (i < line.size()) {
            c = line[i++];
            if (c == '"') {
                closed = true;
                break;
            }
            if (c != '\\') {
                word += c;
                continue;
            }
            if (i >= line.size()) break;
            c = line[i++];
            if (c == 'n') word += '\n';
            else if (c == 't') word += '\t';
            else if (c == 'x' && i + 1 < line.size() && HexDigit(line[i]) >= 0 && HexDigit(line[i + 1]) >= 0) {
                word += static_cast<char>(HexDigit(line[i]) * 16 + HexDigit(line[i + 1]));
                i += 2;
            } else word += c;
        }
        if (!closed) {
            error = "unterminated quoted text";
            return false;
        }
        words.push_back(word);
    }
    return true;
}

bool Model::Load(const std::string& path, std::string& error) {
    return ApplyLine("include \"" + path + "\"", "", error);
}

bool Model::ApplyLine(const std::string& line, const std::string& baseDir, std::string& error, int depth) {
    std::vector<std::string> w;
    if (!SplitWords(line, w, error)) return false;
    if (w.empty()) return true;
    const std::string& key = w[0];
    if (key == "include") {
        if (w.size() != 2) {
            error = "include takes one file name";
            return false;
        }
        if (depth > 16) {
            error = "includes nested too deeply at " + w[1];
            return false;
        }
        std::string path = w[1];
        if (path.empty() || path[0] != '/') path = baseDir.empty() ? path : baseDir + "/" + path;
        std::ifstream in(path);
        if (!in) {
            error = "cannot read " + path;
            return false;
        }
        const size_t slash = path.find_last_of('/');
        const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
        std::string text;
        for (int number = 1; std::getline(in, text); ++number) {
            if (!ApplyLine(text, dir, error, depth + 1)) {
                if (error.find(" line ") == std::string::npos)
                    error = path + " line " + std::to_string(number) + ": " + error;
                return false;
            }
        }
        return true;
    }
    if (key == "rowdefault") {
        auto column = w.size() == 4 && w[2].size() == 1 ? ParseOid(w[1]) : std::nullopt;
        if (!column || column->size() < 2) {
            error = "rowdefault takes COLUMN TYPE VALUE";
            return false;
        }
        auto v = ParseValue(w[2][0], w[3], error);
        if (!v) return false;
        std::erase_if(rowDefaults, [&](const auto& d) { return d.first == *column; });
        rowDefaults.emplace_back(*column, *v);
        return true;
    }
    if (key == "rowindex") {
        auto column = w.size() >= 3 ? ParseOid(w[1]) : std::nullopt;
        std::vector<IndexPart> parts;
        for (size_t i = 2; column && i < w.size(); ++i) {
            const std::string& part = w[i];
            const size_t colon = part.find(':');
            const bool known = colon != std::string::npos && colon + 2 == part.size() &&
                               std::string_view("siamt-").find(part.back()) != std::string_view::npos;
            if (!known || colon == 0 || part.find_first_not_of("0123456789") != colon) {
                column.reset();
                break;
            }
            parts.push_back({static_cast<oid>(std::stoul(part.substr(0, colon))), part.back()});
        }
        if (!column || column->size() < 2) {
            error = "rowindex takes STATUSCOLUMN ARC:KIND... (KIND s, i, a, m, t or -)";
            return false;
        }
        std::erase_if(rowIndexes, [&](const auto& r) { return r.first == *column; });
        rowIndexes.emplace_back(*column, std::move(parts));
        return true;
    }
    if (key == "values" || key == "size") {
        auto prefix = w.size() == 3 ? ParseOid(w[1]) : std::nullopt;
        std::vector<Range> ranges;
        std::stringstream list(w.size() == 3 ? w[2] : "");
        for (std::string item; prefix && std::getline(list, item, ',');) {
            const size_t dash = item.find('-', 1);
            try {
                size_t used = 0;
                const std::int64_t low = std::stoll(item.substr(0, dash), &used);
                const std::int64_t high = dash == std::string::npos ? low : std::stoll(item.substr(dash + 1));
                if (used != (dash == std::string::npos ? item.size() : dash) || high < low) prefix.reset();
                else ranges.push_back({low, high});
            } catch (const std::exception&) {
                prefix.reset();
            }
        }
        if (!prefix || ranges.empty() || (key == "size" && ranges.size() != 1)) {
            error = key == "size" ? "size takes PREFIX MIN-MAX" : "values takes PREFIX LIST (such as 1-3 or 1,2)";
            return false;
        }
        if (key == "size") allowedSizes.emplace_back(*prefix, ranges[0]);
        else allowedValues.emplace_back(*prefix, std::move(ranges));
        return true;
    }
    std::vector<Oid>* marks = key == "readonly"      ? &readOnly
                              : key == "noaccess"    ? &noAccess
                              : key == "rowstatus"   ? &rowStatusColumns
                              : key == "entrystatus" ? &entryStatusColumns
                                                     : nullptr;
    if (marks) {
        auto o = w.size() == 2 ? ParseOid(w[1]) : std::nullopt;
        if (!o) {
            error = key + " takes one OID";
            return false;
        }
        marks->push_back(*o);
        return true;
    }
    auto o = ParseOid(key);
    if (!o) {
        error = "not an OID or a known word: " + key;
        return false;
    }
    if (w.size() < 2 || w[1].size() != 1 || w.size() > 3 || (w.size() == 2 && w[1] != "n")) {
        error = "expected: OID TYPE VALUE";
        return false;
    }
    auto v = ParseValue(w[1][0], w.size() == 3 ? w[2] : "", error);
    if (!v) return false;
    // Model files are mostly in OID order: insert at the end when that is the place.
    if (objects.empty() || objects.rbegin()->first < *o)
        objects.emplace_hint(objects.end(), std::move(*o), std::move(*v));
    else objects[*o] = std::move(*v);
    return true;
}

namespace {
bool UnderAny(const Oid& o, const std::vector<Oid>& prefixes) {
    for (const Oid& p : prefixes)
        if (HasPrefix(o, p)) return true;
    return false;
}
}  // namespace

bool Model::IsReadOnly(const Oid& o) const { return UnderAny(o, readOnly); }
bool Model::IsNoAccess(const Oid& o) const { return UnderAny(o, noAccess); }

RowKind Model::StatusColumnOf(const Oid& o, Oid* column) const {
    for (int k = 0; k < 2; ++k) {
        for (const Oid& c : k == 0 ? rowStatusColumns : entryStatusColumns) {
            if (o.size() > c.size() && HasPrefix(o, c)) {
                if (column) *column = c;
                return k == 0 ? RowKind::RowStatus : RowKind::EntryStatus;
            }
        }
    }
    return RowKind::None;
}

std::optional<Oid> Model::StatusCellFor(const Oid& o, RowKind* kind) const {
    for (int k = 0; k < 2; ++k) {
        for (const Oid& c : k == 0 ? rowStatusColumns : entryStatusColumns) {
            const size_t entryLength = c.size() - 1;
            if (o.size() <= entryLength + 1 || !std::equal(c.begin(), c.end() - 1, o.begin())) continue;
            Oid cell(c);
            cell.insert(cell.end(), o.begin() + static_cast<long>(entryLength) + 1, o.end());
            if (kind) *kind = k == 0 ? RowKind::RowStatus : RowKind::EntryStatus;
            return cell;
        }
    }
    return std::nullopt;
}

std::optional<u_char> Model::ColumnType(const Oid& cell, size_t columnLength) const {
    Oid column(cell.begin(), cell.begin() + static_cast<long>(columnLength));
    auto it = objects.lower_bound(column);
    if (it != objects.end() && HasPrefix(it->first, column)) return it->second.type;
    return std::nullopt;
}

int Model::CheckAllowed(const Oid& o, const Value& v) const {
    if (v.type == ASN_INTEGER) {
        for (const auto& [prefix, ranges] : allowedValues) {
            if (!HasPrefix(o, prefix)) continue;
            const bool inside = std::any_of(ranges.begin(), ranges.end(),
                                            [&](const Range& r) { return v.number >= r.low && v.number <= r.high; });
            if (!inside) return SNMP_ERR_WRONGVALUE;
        }
    }
    if (v.type == ASN_OCTET_STR) {
        const auto length = static_cast<std::int64_t>(v.bytes.size());
        for (const auto& [prefix, range] : allowedSizes) {
            if (HasPrefix(o, prefix) && (length < range.low || length > range.high)) return SNMP_ERR_WRONGLENGTH;
        }
    }
    return SNMP_ERR_NOERROR;
}

void Model::FillCreatedRow(const Oid& statusCell, size_t columnLength,
                           std::vector<std::pair<Oid, std::optional<Value>>>* undo) {
    const Oid entry(statusCell.begin(), statusCell.begin() + static_cast<long>(columnLength) - 1);
    const Oid instance(statusCell.begin() + static_cast<long>(columnLength), statusCell.end());
    auto put = [&](oid column, const Value& value) {
        Oid cell = entry;
        cell.push_back(column);
        cell.insert(cell.end(), instance.begin(), instance.end());
        if (cell == statusCell || objects.count(cell)) return;
        if (undo) undo->emplace_back(cell, std::nullopt);
        objects[cell] = value;
    };
    // The key columns from the index; an index too short for a part ends the filling there.
    const Oid statusColumn(statusCell.begin(), statusCell.begin() + static_cast<long>(columnLength));
    for (const auto& [column, parts] : rowIndexes) {
        if (column != statusColumn) continue;
        size_t pos = 0;
        for (const IndexPart& part : parts) {
            if (pos >= instance.size()) break;
            Value value;
            if (part.kind == 's') {
                const size_t length = instance[pos++];
                if (length > instance.size() - pos) break;
                value.type = ASN_OCTET_STR;
                for (size_t i = 0; i < length; ++i) value.bytes += static_cast<char>(instance[pos++] & 0xFF);
            } else if (part.kind == 'a' || part.kind == 'm') {
                const size_t length = part.kind == 'a' ? 4 : 6;
                if (instance.size() - pos < length) break;
                value.type = part.kind == 'a' ? ASN_IPADDRESS : ASN_OCTET_STR;
                for (size_t i = 0; i < length; ++i) value.bytes += static_cast<char>(instance[pos++] & 0xFF);
            } else if (part.kind == 't') {
                const size_t length = instance[pos++];
                if ((length != 4 && length != 16) || length > instance.size() - pos) break;
                unsigned char address[16] = {};
                for (size_t i = 0; i < length; ++i) address[i] = static_cast<unsigned char>(instance[pos++] & 0xFF);
                char text[INET6_ADDRSTRLEN] = {};
                inet_ntop(length == 4 ? AF_INET : AF_INET6, address, text, sizeof text);
                value.type = ASN_OCTET_STR;
                value.bytes = text;
            } else {
                value.type = ASN_INTEGER;
                value.number = static_cast<std::int64_t>(instance[pos++]);
                if (part.kind == '-') continue;
            }
            put(part.column, value);
        }
    }
    for (const auto& [column, value] : rowDefaults) {
        if (column.size() != entry.size() + 1 || !HasPrefix(column, entry)) continue;
        put(column.back(), value);
    }
}

void Model::RemoveRow(const Oid& statusCell, size_t columnLength,
                      std::vector<std::pair<Oid, std::optional<Value>>>* undo) {
    const Oid entry(statusCell.begin(), statusCell.begin() + static_cast<long>(columnLength) - 1);
    const Oid instance(statusCell.begin() + static_cast<long>(columnLength), statusCell.end());
    for (auto it = objects.lower_bound(entry); it != objects.end() && HasPrefix(it->first, entry);) {
        const Oid& name = it->first;
        if (name.size() == entry.size() + 1 + instance.size() &&
            std::equal(instance.begin(), instance.end(), name.begin() + static_cast<long>(entry.size()) + 1)) {
            if (undo) undo->emplace_back(name, it->second);
            it = objects.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace switchsim
