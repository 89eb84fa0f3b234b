#include "views/UdpPortInfo.h"

CUdpPortInfo::CUdpPortInfo()
    : CPublicMibTable({482, 209, 241, 0, false, nullptr, false, 0,
                       {{"  Local Port ", "1.3.6.1.2.1.7.5.1.2"},
                        {"  Local IP      ", "1.3.6.1.2.1.7.5.1.1"}}}) {}
