#pragma once
// "UDP Service": the UDP listener table (Public MIB 32812).
#include "views/PublicMibTable.h"

class CUdpPortInfo : public CPublicMibTable {
public:
    CUdpPortInfo();
};
