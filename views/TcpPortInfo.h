#pragma once
// "TCP Service": the TCP connection table with state names (Public MIB 32811).
#include "views/PublicMibTable.h"

class CTcpPortInfo : public CPublicMibTable {
public:
    CTcpPortInfo();
    // tcpConnState by name; any text but "2" to "12" is "closed".
    static std::string StateName(const std::string& value);

protected:
    std::string FormatCell(int col, const std::string& value) const override {
        return col == 4 ? StateName(value) : value;
    }
};
