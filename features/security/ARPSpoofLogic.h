#pragma once
// ARP spoofing prevention on the switch: the gateway table, which binds a gateway's IPv4
// address to its MAC address and to the ports on which the binding is enforced. Rows are
// indexed by the gateway's address (column.a.b.c.d). The trunk walk of the base serves the
// entry dialog's trunk rule.
#include <functional>
#include <string>

#include "core/ModuleBase.h"
#include "core/SnmpRead.h"

// One row of the gateway table as the list shows it.
struct ARPSpoofEntry {
    std::string ip;         // dotted
    std::string mac;        // "00-11-22-33-44-55"
    std::string ports;      // range list of ports 1..port count ("1-28")
    std::string rowStatus;  // "1" active
};

class CARPSpoofLogic : public CModuleBase {
public:
    static const std::string kGatewayTable;  // + column + .a.b.c.d
    static constexpr int kMaxEntries = 64;
    // The wait after the create and the port writes, on the program clock.
    static constexpr DWORD kWritePauseMs = 50;

    ~CARPSpoofLogic() override;

    // Walks the table; each row and then the end, however the walk ended, reach the handlers
    // on the user-interface thread. A walk still running is withdrawn.
    void ReadGateways(std::function<void(const ARPSpoofEntry&)> onRow, std::function<void()> onEnd);
    // Destroys the gateway's row: 1 when the switch answered.
    int DeleteGateway(const std::string& ip);
    // Creates the row (createAndGo on the "VAD-3300-08P B1", else createAndWait), writes the
    // MAC, then the MAC with the port bitmap, and activates it.
    void CreateGateway(const std::string& ip, const std::string& macBytes, const std::string& portBitmap);
    // Ends the walks and closes the sessions, the write session first.
    void Close();

    // The six bytes of a MAC text "00-11-22-33-44-55" already accepted.
    static std::string MacBytes(const std::string& mac);

private:
    CSnmpRead m_gatewayRead;  // last: closes before anything its handlers touch
};
