#pragma once
// Direct access to the device through the SNMP client library, for dialogs that drive it
// themselves rather than through CCommonSNMP: the start-up values they use, the SNMPv3
// security set-up, a response read as one table row, and the value texts of table indexes.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/TextIndex.h"  // IndexText, IndexOid, TextIndexSuffix
#include "platform/snmp/Snmp.h"

struct SnmpRow;

// The start-up values a dialog reads and writes with.
struct DirectSnmpSettings {
    std::string agent;
    std::string readCommunity;
    std::string writeCommunity;
    int version = 0;                 // decimal value of the version text
    unsigned long timeoutMs = 2000;  // until taken from the start-up settings
    std::string securityLevel = "1";
    std::string authProtocol = "1";
    std::string privProtocol = "1";
    std::string userName;
    std::string authPassword;
    std::string privPassword;

    // The values of ModuleStartupParams as they are now.
    static DirectSnmpSettings FromStartup();
};

// Sets the user-based security of a session from the start-up values. The last flag
// setting wins: level "3" with an unknown authentication protocol ends with flags 0 even
// though the privacy pass phrase is set.
void ApplyV3Security(CSnmpV3& session, const DirectSnmpSettings& settings);

struct DirectValue {
    std::string text;   // CSnmp::getValue
    std::string bytes;  // CSnmp::getBinaryValue (octet strings may hold zero bytes)
};

// One table row: the instance the variables share and their values in column order.
struct DirectRow {
    std::vector<unsigned long> index;
    std::vector<DirectValue> values;
};

// Reads a response to a request for `columns` as one row. A response that is not one whole
// row gives nothing, and the read ends there with the rows shown so far: fewer variables
// than columns, a variable without a value, a variable outside its column, or variables of
// different instances (a column with fewer rows has already moved on to a later row). So a
// short column ends the table; its neighbour's values never appear under its header.
std::optional<DirectRow> ReadDirectRow(const CSnmp& response, const std::vector<std::string>& columns);
// The same for a row of a read of `columns` columns (core/SnmpRead.h), whose variables carry
// their instance below their column.
std::optional<DirectRow> DirectRowOf(const SnmpRow& row, std::size_t columns);

std::string StorageTypeText(const std::string& value);
std::string RowStatusText(const std::string& value);
// Bytes as upper-case hexadecimal pairs without separators.
std::string HexText(const std::string& bytes);
