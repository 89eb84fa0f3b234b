// The simulated switch's device state: objects by OID, their marks, and the model-file reader.
#pragma once

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/types.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace switchsim {

using Oid = std::vector<oid>;

// One value as it travels on the wire. `type` is the ASN.1 tag (ASN_INTEGER, ASN_OCTET_STR...).
struct Value {
    u_char type = 0;
    std::int64_t number = 0;  // INTEGER, Counter32, Gauge32, TimeTicks, Counter64
    std::string bytes;        // OCTET STRING, IpAddress (4 bytes)
    Oid oidValue;             // OBJECT IDENTIFIER

    bool operator==(const Value&) const = default;
};

std::optional<Oid> ParseOid(const std::string& text);
std::string FormatOid(const oid* name, size_t length);
inline std::string FormatOid(const Oid& o) { return FormatOid(o.data(), o.size()); }
bool HasPrefix(const Oid& o, const Oid& prefix);

// Type letters as net-snmp's command-line tools take them: i u c t a o s x, plus C (Counter64)
// and n (NULL). The result is empty with `error` set when the text does not fit the type.
std::optional<Value> ParseValue(char typeLetter, const std::string& text, std::string& error);
// The letter of a value's type ("s" for every OCTET STRING), "null" or the tag in hex.
std::string TypeName(u_char type);
// The value as text: decimal numbers, dotted OIDs and addresses, hex bytes for strings.
std::string FormatValue(const Value& v);

// Splits a line into words; a word in double quotes may hold blanks and the escapes \" \\ \n \t
// and \xHH. A "#" at the start of a word outside quotes ends the line.
bool SplitWords(const std::string& line, std::vector<std::string>& words, std::string& error);

enum class RowKind { None, RowStatus, EntryStatus };

class Model {
public:
    std::map<Oid, Value> objects;

    // Marks by prefix: everything at or under a read-only prefix refuses writes, a no-access
    // prefix is invisible to reads and refuses writes.
    std::vector<Oid> readOnly;
    std::vector<Oid> noAccess;
    // Columns (OIDs without the instance) whose instances follow the row rules.
    std::vector<Oid> rowStatusColumns;
    std::vector<Oid> entryStatusColumns;
    // Values a row created through its status column gets in the columns it was not given:
    // column (an OID without the instance) and value, from `rowdefault COLUMN TYPE VALUE`.
    std::vector<std::pair<Oid, Value>> rowDefaults;
    // Columns a row created through its status column takes from its own index, from
    // `rowindex STATUSCOLUMN ARC:KIND...`: the index is read part by part, `s` a length and
    // that many bytes (an OCTET STRING), `i` one number (an INTEGER), `a` four numbers (an
    // IpAddress), `m` six numbers (a MAC address, an OCTET STRING), `t` a length (4 or 16)
    // and that many numbers as the address's text (an OCTET STRING), `-` one number skipped.
    struct IndexPart {
        oid column;  // the column's last arc
        char kind;   // 's', 'i', 'a', 'm', 't' or '-'
    };
    std::vector<std::pair<Oid, std::vector<IndexPart>>> rowIndexes;
    // Values a write under a prefix must keep to, from `values PREFIX LIST` (INTEGER values
    // such as "1-3" or "1,2"; others are wrongValue) and `size PREFIX MIN-MAX` (OCTET STRING
    // lengths; others are wrongLength).
    struct Range {
        std::int64_t low;
        std::int64_t high;
    };
    std::vector<std::pair<Oid, std::vector<Range>>> allowedValues;
    std::vector<std::pair<Oid, Range>> allowedSizes;

    // Reads a model file (and the files it includes, relative to it). Later lines replace
    // earlier objects of the same OID.
    bool Load(const std::string& path, std::string& error);
    // Applies one model line; `where` names the place for error messages.
    bool ApplyLine(const std::string& line, const std::string& baseDir, std::string& error, int depth = 0);

    bool IsReadOnly(const Oid& o) const;
    bool IsNoAccess(const Oid& o) const;
    // The status column that `o` is an instance of, with the instance suffix.
    RowKind StatusColumnOf(const Oid& o, Oid* column = nullptr) const;
    // For an instance of any column of a table whose entry has a status column: that status
    // cell's OID (entry.statusArc.instance). Empty when `o` is in no such table.
    std::optional<Oid> StatusCellFor(const Oid& o, RowKind* kind = nullptr) const;
    // The type of another instance of the same column, if there is one.
    std::optional<u_char> ColumnType(const Oid& cell, size_t columnLength) const;
    // Gives a row just created through `statusCell` every column of its table that has a row
    // default and that the row does not hold yet.
    void FillCreatedRow(const Oid& statusCell, size_t columnLength,
                        std::vector<std::pair<Oid, std::optional<Value>>>* undo);
    // 0 when `o` may hold `v` by the value and size rules, else the error status.
    int CheckAllowed(const Oid& o, const Value& v) const;
    // Removes every cell of the row that `statusCell` belongs to.
    void RemoveRow(const Oid& statusCell, size_t columnLength, std::vector<std::pair<Oid, std::optional<Value>>>* undo);
};

}  // namespace switchsim
