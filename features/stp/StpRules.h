#pragma once
// What the spanning tree dialogs share: the cell texts of the standard port table (the table
// shows them and the port settings compare with them), bridge identifiers as text, and the
// checks of the bridge times.
#include <string>
#include <vector>

namespace stp {

// The columns of the standard port table's list, in list order (also the walk's order).
enum SpanTreeColumn {
    kColPort,
    kColPriority,
    kColCost,
    kColEnable,
    kColStatus,
    kColDesignatedRoot,
    kColDesignatedCost,
    kColDesignatedBridge,
    kColDesignatedPort,
    kColForwardings,
    kSpanTreeColumns
};

// dot1dStpPortEnable: "1" "Y", anything else "N".
std::string EnableText(const std::string& value);
constexpr const char* kEnabledText = "Y";
// dot1dStpPortState 1..6 by name; any other value as received.
std::string PortStateText(const std::string& value);
// A bridge identifier or designated port from its bytes: 8 bytes as "80:00:00:1B:2C:3D:4E:5F",
// 2 bytes as "80 05", any other length the bytes as text.
std::string BridgeIdText(const std::string& bytes);

// The private port table's coded columns: each code with its text, in the order of the port
// settings' list boxes.
struct Coded {
    int code;
    const char* text;
};
using CodedList = std::vector<Coded>;
extern const CodedList kMigrateItems;         // 1 "Enabled", 2 "Disabled"
extern const CodedList kP2pItems;             // 0 "Force True", 1 "Force False", 2 "Auto"
extern const CodedList kEdgeItems;            // 1 "True", 0 "False", 2 "Auto"
extern const CodedList kTrueFalseItems;       // 1 "True", 2 "False": restricted role and TCN
extern const CodedList kPrivatePortStatuses;  // 1 "Disabled", 2 "Discarding", 4, 5
// The text of a received value; the value itself when the list has no such code.
std::string CodedText(const CodedList& list, const std::string& value);
// The private port state: "1" "Enabled", anything else "Disabled".
std::string PrivateStateText(const std::string& value);

// A typed path cost: its number, or -1 for a text that is none.
long long ParseCost(const std::string& text);
// "Invalid Path Cost(1-200000000)" for a cost outside 0..200000000 (0: automatic), else "".
std::string PathCostMessage(long long cost);
constexpr const char* kAggregatedLinkMessage =
    "Cannot add ports with different STP configurations to an aggregated link.";

// The limits of the bridge times in one unit: hundredths of a second (unit 1) or whole
// seconds (unit 100, the relations scale by it), with the range messages.
struct BridgeTimeLimits {
    int unit;
    int maxAgeMin, maxAgeMax;
    int delayMin, delayMax;
    int helloMin, helloMax;
    const char* maxAgeMessage;
    const char* delayMessage;
    const char* helloMessage;
};
extern const BridgeTimeLimits kHundredthsLimits;  // 600-4000, 400-3000, 100-1000
extern const BridgeTimeLimits kSecondsLimits;     // 6-40, 4-30, 1-10

// The first failing check of the three ranges (max age, forward delay, hello time) and then
// the two relations, as the message to show; "" when the times go together.
std::string BridgeTimesMessage(const BridgeTimeLimits& limits, int maxAge, int forwardDelay, int hello);

}  // namespace stp
