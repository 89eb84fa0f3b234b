#pragma once
// "IP Table : <address>": ipAdEntAddr and ipAdEntNetMask (Public MIB 32808).
#include "views/PublicMibTable.h"

class CIPAddrTable : public CPublicMibTable {
public:
    CIPAddrTable();
};
