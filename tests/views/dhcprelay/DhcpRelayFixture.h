#pragma once
// The DHCP/BOOTP relay and DHCP server screening dialogs' tests: their OIDs and the fixture
// of the switch dialogs (the security dialogs' switch, 28 ports).
#include <chrono>
#include <string>

#include "tests/features/security/SecurityFixture.h"

namespace dhcprelaytest {

using securitytest::kPrivate;
const std::string kRelay = kPrivate + "28.";
const std::string kSystemIndex = ".6.83.121.115.116.101.109.";
const std::string kServerTable = kRelay + "2.1.1.";  // + column + kSystemIndex + address
const std::string kLocalRelayState = kPrivate + "29.1.0";
const std::string kLocalRelayTable = kPrivate + "29.2.1.";  // + column.vid
const std::string kVlanStatus = kPrivate + "7.6.1.5.";      // + vid
const std::string kScreening = kPrivate + "14.7.1.0";

inline std::string ServerCell(int column, const std::string& address) {
    return kServerTable + std::to_string(column) + kSystemIndex + address;
}

class DhcpRelayTest : public securitytest::SecurityTest {
protected:
    // The GETNEXT requests that start or continue a walk of this column.
    std::size_t WalkSteps(const std::string& column) const {
        std::size_t n = 0;
        for (const auto& r : Requests("getnext")) {
            if (!r.varbinds.empty() && r.varbinds[0].oid.rfind(column, 0) == 0) ++n;
        }
        return n;
    }
};

}  // namespace dhcprelaytest
