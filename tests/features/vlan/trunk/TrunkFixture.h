#pragma once
// The trunk dialogs' tests run on the VLAN dialogs' switch fixture; these are the objects
// they read and write.
#include <string>

#include "resources/templates/TrunkDialogsIds.h"
#include "tests/features/vlan/VlanFixture.h"

namespace trunktest {

using vlantest::kPrivate;
using vlantest::Rows;
const std::string kTrunkState = kPrivate + "8.1.2.0";
const std::string kTrunkMembers = kPrivate + "8.1.3.1.2";  // + .trunk
const std::string kTrunkMode = kPrivate + "8.1.3.1.3";     // + .trunk

class TrunkTest : public vlantest::VlanTest {
protected:
    // The GETNEXT requests of the trunk walk: its start and every step.
    size_t TrunkWalkRequests() const {
        size_t n = 0;
        for (const auto& r : Requests("getnext")) {
            if (!r.varbinds.empty() && r.varbinds[0].oid.rfind(kTrunkMembers, 0) == 0) ++n;
        }
        return n;
    }
};

}  // namespace trunktest
