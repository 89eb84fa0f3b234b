#include "views/UdpPortInfo.h"

#include "resources/templates/PublicMibViewsIds.h"

using namespace udp_service_ids;

CUdpPortInfo::CUdpPortInfo()
    : CPublicMibTable({IDD,
                       IDC_LIST,
                       IDC_REFRESH,
                       {0},
                       false,
                       nullptr,
                       false,
                       0,
                       {{"  Local Port ", "1.3.6.1.2.1.7.5.1.2"}, {"  Local IP      ", "1.3.6.1.2.1.7.5.1.1"}}}) {}
