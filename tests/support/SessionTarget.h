#pragma once
// Points the module's SNMP sessions at a test agent.
#include <string>

#include "core/ModuleStartupParams.h"

namespace testsupport {

// Sessions made from now on send to `target`, "address:port" as the test agents give it (or
// a bare address for the standard port): the address becomes the device's, the port the
// agent port of the command line's item 7.
inline void PointSessionsAt(const std::string& target) {
    const std::size_t colon = target.rfind(':');
    ModuleStartupParams::DeviceIP = target.substr(0, colon);
    ModuleStartupParams::AgentPort = colon == std::string::npos ? "" : target.substr(colon + 1);
}

}  // namespace testsupport
