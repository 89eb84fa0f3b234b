#pragma once
// The switch's spanning tree and loopback detection objects, named once for every dialog of
// the area.
#include <string>

namespace stp {

const std::string kPrivate = "1.3.6.1.4.1.32473.10.76.21.1.";

// Private bridge scalars (instance .0 included).
const std::string kState = kPrivate + "6.1.1.0";    // 1 on, 2 off
const std::string kVersion = kPrivate + "6.1.2.0";  // 0 STP, 2 RSTP
const std::string kPriority = kPrivate + "6.1.3.0";
const std::string kTxHoldCount = kPrivate + "6.1.4.0";
const std::string kRootBridge = kPrivate + "6.1.8.0";
const std::string kRootCost = kPrivate + "6.1.9.0";
const std::string kRootPort = kPrivate + "6.1.10.0";
const std::string kRootMaxAge = kPrivate + "6.1.11.0";
const std::string kRootForwardDelay = kPrivate + "6.1.14.0";
const std::string kMaxAge = kPrivate + "6.1.15.0";
const std::string kHelloTime = kPrivate + "6.1.16.0";
const std::string kForwardDelay = kPrivate + "6.1.17.0";

// The private port table, by column: + column + "." + port.
const std::string kPortTable = kPrivate + "6.2.1.";
const std::string kPortExternalCost = kPortTable + "5";  // 0 automatic

// The standard bridge MIB: the bridge scalars (+ arc + ".0") and the port table (+ column).
const std::string kDot1dStp = "1.3.6.1.2.1.17.2.";
const std::string kDot1dStpPortTable = "1.3.6.1.2.1.17.2.15.1.";
const std::string kDot1dStpPortEnable = kDot1dStpPortTable + "4";

// Loopback detection's state of a port (+ "." + port): 1 enabled.
const std::string kLbdPortState = kPrivate + "17.5.1.2";

inline std::string Instance(const std::string& column, int port) { return column + "." + std::to_string(port); }

}  // namespace stp
