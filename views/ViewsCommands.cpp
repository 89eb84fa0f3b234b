// The menu commands of the Public MIB views (core/controls/CommandTable.h).
#include "core/controls/CommandTable.h"
#include "resources/menus/CommandIds.h"
#include "views/IPAddrTable.h"
#include "views/IntfList.h"
#include "views/SnmpDevIden.h"
#include "views/SwitchDatabase.h"
#include "views/TcpPortInfo.h"
#include "views/UdpPortInfo.h"

namespace {
const CommandRegistrar kViewsCommands({
    WRAPPED_COMMAND(ID_SYSTEM_INFORMATION, CSnmpDevIden),
    WRAPPED_COMMAND(ID_INTERFACE_TABLE, CIntfList),
    WRAPPED_COMMAND(ID_IP_TABLE, CIPAddrTable),
    WRAPPED_COMMAND(ID_FORWARDING_TABLE, CSwitchDatabase),
    WRAPPED_COMMAND(ID_TCP_SERVICE, CTcpPortInfo),
    WRAPPED_COMMAND(ID_UDP_SERVICE, CUdpPortInfo),
});
}  // namespace
