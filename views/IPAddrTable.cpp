#include "views/IPAddrTable.h"

#include "resources/templates/PublicMibViewsIds.h"

using namespace ip_table_ids;

CIPAddrTable::CIPAddrTable()
    : CPublicMibTable(
          {IDD,
           IDC_LIST,
           IDC_REFRESH,
           IDC_COUNTER,
           true,
           "IP Table : ",
           true,
           2,
           {{" IP                ", "1.3.6.1.2.1.4.20.1.1"}, {" Netmask               ", "1.3.6.1.2.1.4.20.1.3"}}}) {}
