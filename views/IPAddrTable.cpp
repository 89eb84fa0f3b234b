#include "views/IPAddrTable.h"

CIPAddrTable::CIPAddrTable()
    : CPublicMibTable({208, 208, 103, 209, true, "IP Table : ", true, 2,
                       {{" IP                ", "1.3.6.1.2.1.4.20.1.1"},
                        {" Netmask               ", "1.3.6.1.2.1.4.20.1.3"}}}) {}
