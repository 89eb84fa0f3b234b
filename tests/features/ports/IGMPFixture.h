#pragma once
// The IGMP snooping and multicast filtering objects of the simulated switch.
#include <string>

#include "tests/features/ports/SwitchFixture.h"

namespace igmptest {

const std::string kPrivate = "1.3.6.1.4.1.32473.10.76.21.1.";
const std::string kGlobal = kPrivate + "10.1.";         // + scalar + ".0"
const std::string kVlanTable = kPrivate + "10.3.4.1.";  // + column + "." + vid
const std::string kGroupTable = kPrivate + "10.3.5.1.";
const std::string kFilterTable = kPrivate + "7.8.1.";
const std::string kVlanName = kPrivate + "7.6.1.1";
const std::string kVlanStatus = kPrivate + "7.6.1.5";
const std::string kTrunkMembers = kPrivate + "8.1.3.1.2";  // + .trunk

using Rows = std::vector<std::vector<std::string>>;

class IGMPTest : public portstest::SwitchTest {
protected:
    static void SetUpTestSuite() { StartModel("DUZ-3300-28ZA1", 28); }

    static std::string Global(int scalar) { return kGlobal + std::to_string(scalar) + ".0"; }
    static std::string VlanCell(int column, int vid) {
        return kVlanTable + std::to_string(column) + "." + std::to_string(vid);
    }
    // The IGMP VLAN rows as the model has them: all disabled, no router ports.
    static void ResetVlanRows(int routerBytes) {
        const std::string zeros = [&] {
            std::string z;
            for (int i = 0; i < routerBytes; ++i) z += i == 0 ? "00" : " 00";
            return "\"" + z + "\"";
        }();
        for (int vid : {1, 10, 20, 100}) {
            for (int column : {2, 4, 8}) Set(VlanCell(column, vid), "i", "2");
            ASSERT_TRUE(s_sim->Command("set " + VlanCell(6, vid) + " x " + zeros));
        }
    }
};

}  // namespace igmptest
