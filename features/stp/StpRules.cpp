#include "features/stp/StpRules.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace stp {

namespace {
const std::array<const char*, 6> kStateTexts = {"Disabled", "Blocked", "Monitored", "Learn", "Forward", "Token"};

std::string Hex(const std::string& bytes, const char* separator) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char two[3];
        std::snprintf(two, sizeof two, "%02X", static_cast<unsigned char>(bytes[i]));
        if (i > 0) out += separator;
        out += two;
    }
    return out;
}
}  // namespace

std::string EnableText(const std::string& value) { return value == "1" ? kEnabledText : "N"; }

std::string PortStateText(const std::string& value) {
    for (std::size_t i = 0; i < kStateTexts.size(); ++i) {
        if (value == std::to_string(i + 1)) return kStateTexts[i];
    }
    return value;
}

std::string BridgeIdText(const std::string& bytes) {
    if (bytes.size() == 8) return Hex(bytes, ":");
    if (bytes.size() == 2) return Hex(bytes, " ");
    return bytes;
}

const CodedList kMigrateItems = {{1, "Enabled"}, {2, "Disabled"}};
const CodedList kP2pItems = {{0, "Force True"}, {1, "Force False"}, {2, "Auto"}};
const CodedList kEdgeItems = {{1, "True"}, {0, "False"}, {2, "Auto"}};
const CodedList kTrueFalseItems = {{1, "True"}, {2, "False"}};
const CodedList kPrivatePortStatuses = {{1, "Disabled"}, {2, "Discarding"}, {4, "Learning"}, {5, "Forwarding"}};

std::string CodedText(const CodedList& list, const std::string& value) {
    for (const Coded& c : list) {
        if (value == std::to_string(c.code)) return c.text;
    }
    return value;
}

std::string PrivateStateText(const std::string& value) { return value == "1" ? "Enabled" : "Disabled"; }

long long ParseCost(const std::string& text) {
    if (text.empty()) return -1;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0') return -1;
    return value;
}

std::string PathCostMessage(long long cost) {
    constexpr long long kMaxCost = 200000000;
    return cost < 0 || cost > kMaxCost ? "Invalid Path Cost(1-200000000)" : "";
}

const BridgeTimeLimits kHundredthsLimits = {
    1,
    600,
    4000,
    400,
    3000,
    100,
    1000,
    "Invalid Age Time value, the valid Age Time range is  (600-4000) ms !",
    "Invalid Forward Delay value, the valid Forward Delay range is (400-3000) ms !",
    "Invalid Hello Time value, the valid Hello Time range is (100-1000) ms !",
};

const BridgeTimeLimits kSecondsLimits = {
    100,
    6,
    40,
    4,
    30,
    1,
    10,
    "Invalid Age Time value, the valid Age Time range is  (6-40)s !",
    "Invalid Forward Delay value, the valid Forward Delay range is (4-30)s !",
    "Invalid Hello Time value, the valid Hello Time range is (1-10)s !",
};

std::string BridgeTimesMessage(const BridgeTimeLimits& l, int maxAge, int forwardDelay, int hello) {
    if (maxAge < l.maxAgeMin || maxAge > l.maxAgeMax) return l.maxAgeMessage;
    if (forwardDelay < l.delayMin || forwardDelay > l.delayMax) return l.delayMessage;
    if (hello < l.helloMin || hello > l.helloMax) return l.helloMessage;
    // Max Age >= 2 * (Hello Time + 1 s) and 2 * (Forward Delay - 1 s) >= Max Age, where one
    // second is 100 hundredths. The products stay small: every value passed its range.
    const long long second = 100 / l.unit;
    if (maxAge < 2 * (hello + second)) {
        return "To set the parameters Hello Time and Max Age the following relation is to be satisfied: \nMax Age >= "
               "(2*(Hello Time + 1.0))";
    }
    if (2 * (forwardDelay - second) < maxAge) {
        return "To set the parameters Forward Delay and Max Age, the following relation is to be satisfied: "
               "\n2*(Forward Delay - 1) >= Max Age";
    }
    return "";
}

}  // namespace stp
