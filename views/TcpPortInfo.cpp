#include "views/TcpPortInfo.h"

#include "resources/templates/PublicMibViewsIds.h"

using namespace tcp_service_ids;

CTcpPortInfo::CTcpPortInfo()
    : CPublicMibTable({IDD,
                       IDC_LIST,
                       IDC_REFRESH,
                       {0},
                       false,
                       nullptr,
                       false,
                       0,
                       {{"Local Port ", "1.3.6.1.2.1.6.13.1.3"},
                        {" Local IP        ", "1.3.6.1.2.1.6.13.1.2"},
                        {" Remote IP       ", "1.3.6.1.2.1.6.13.1.4"},
                        {"Remote Port", "1.3.6.1.2.1.6.13.1.5"},
                        {" Status ", "1.3.6.1.2.1.6.13.1.1"}}}) {}

std::string CTcpPortInfo::StateName(const std::string& value) {
    static const char* const kNames[] = {"listen",    "synSent", "synReceived", "established", "finWait1", "finWait2",
                                         "closeWait", "lastAck", "closing",     "timeWait",    "deleteTCB"};
    for (int state = 2; state <= 12; ++state) {
        if (value == std::to_string(state)) return kNames[state - 2];
    }
    return "closed";
}
