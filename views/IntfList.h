#pragma once
// "Interface Table": ifIndex, ifOperStatus and ifSpeed of every interface (Public MIB 32809).
#include "views/PublicMibTable.h"

class CIntfList : public CPublicMibTable {
public:
    CIntfList();
    // The cell text of the interface view: link states by name, speeds in whole megabits.
    static std::string FormatValue(int col, const std::string& value);

protected:
    std::string FormatCell(int col, const std::string& value) const override { return FormatValue(col, value); }
};
