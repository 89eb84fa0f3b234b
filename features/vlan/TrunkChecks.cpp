#include "features/vlan/TrunkChecks.h"

#include <cstdlib>

namespace {

const std::string kRecordPrefix = "1:";
const std::string kRecordSeparator = "%0A0A";

TrunkVerdict Refuse(const char* text) { return std::string(text); }

int At(const std::vector<int>& values, int port) {
    return port >= 1 && port <= static_cast<int>(values.size()) ? values[static_cast<size_t>(port - 1)] : 0;
}

// Same as the first, with a zero skip: the first chosen port with a value other than 0 sets
// the reference; every chosen port after it must carry the reference (0 differs).
bool SameAsFirstSkippingZero(const std::vector<int>& values, const TrunkSelection& sel, int portCount) {
    bool haveReference = false;
    int reference = 0;
    for (int port = 1; port <= portCount; ++port) {
        if (!sel.Selected(port)) continue;
        const int value = At(values, port);
        if (!haveReference) {
            if (value == 0) continue;
            haveReference = true;
            reference = value;
        } else if (value != reference) {
            return false;
        }
    }
    return true;
}

// Same as the first: the first chosen port sets the reference whatever its value.
template <class Value>
bool SameAsFirst(const TrunkSelection& sel, int portCount, const Value& valueOf) {
    bool haveReference = false;
    decltype(valueOf(1)) reference{};
    for (int port = 1; port <= portCount; ++port) {
        if (!sel.Selected(port)) continue;
        if (!haveReference) {
            haveReference = true;
            reference = valueOf(port);
        } else if (valueOf(port) != reference) {
            return false;
        }
    }
    return true;
}

bool AnyChosenWith(const std::vector<int>& values, int forbidden, const TrunkSelection& sel, int portCount) {
    for (int port = 1; port <= portCount; ++port) {
        if (sel.Selected(port) && At(values, port) == forbidden) return true;
    }
    return false;
}

bool EveryRecordAllOrNone(const std::string& records, const TrunkSelection& sel, int portCount) {
    for (const std::string& list : SplitTrunkRecords(records)) {
        if (!IsAllOrNoneInList(list, sel, portCount)) return false;
    }
    return true;
}

}  // namespace

TrunkSettings::TrunkSettings(int ports)
    : portCount(ports > 0 ? ports : 0),
      inTrunk(static_cast<size_t>(portCount)),
      pvid(inTrunk.size()),
      speed(inTrunk.size()),
      priority(inTrunk.size()),
      portSecurity(inTrunk.size()),
      lbd(inTrunk.size()),
      bandwidthTx(inTrunk.size()),
      bandwidthRx(inTrunk.size()),
      dot1xPortControl(inTrunk.size()),
      voiceVlanMode(inTrunk.size()),
      dhcpScreening(inTrunk.size()),
      cameraVlanState(inTrunk.size()),
      cameraVlanMode(inTrunk.size()),
      fdbDestination(inTrunk.size()),
      rstp(inTrunk.size(), RstpRecord{}) {}

std::string TrunkRecord(const std::string& portList) { return kRecordPrefix + portList + kRecordSeparator; }

std::vector<std::string> SplitTrunkRecords(const std::string& records) {
    std::vector<std::string> lists;
    std::string rest = records;
    while (!rest.empty()) {
        const size_t end = rest.find(kRecordSeparator);
        const std::string record = rest.substr(0, end);
        rest = end == std::string::npos ? std::string() : rest.substr(end + kRecordSeparator.size());
        const size_t colon = record.find(':');
        lists.push_back(colon == std::string::npos ? std::string() : record.substr(colon + 1));
    }
    return lists;
}

std::vector<int> TrunkPortFlags(const std::string& list, int portCount) {
    std::vector<int> flags(static_cast<size_t>(portCount > 0 ? portCount : 0), 0);
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = list.find(',', start);
        const std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const long port = std::strtol(item.c_str(), nullptr, 10);
        if (port >= 1 && port <= portCount) flags[static_cast<size_t>(port - 1)] = 1;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return flags;
}

bool IsAllOrNoneInList(const std::string& list, const TrunkSelection& sel, int portCount) {
    if (list.empty()) return true;
    const std::vector<int> flags = TrunkPortFlags(list, portCount);
    bool anyIn = false;
    bool anyOut = false;
    for (int port = 1; port <= portCount; ++port) {
        if (!sel.Selected(port)) continue;
        (flags[static_cast<size_t>(port - 1)] != 0 ? anyIn : anyOut) = true;
    }
    return !(anyIn && anyOut);
}

TrunkVerdict CheckOtherTrunk(const TrunkSettings& s, const TrunkSelection& sel) {
    const std::vector<int> ownMembers = TrunkPortFlags(sel.trunkMembers, s.portCount);
    for (int port = 1; port <= s.portCount; ++port) {
        if (sel.Selected(port) && At(s.inTrunk, port) == 1 && At(ownMembers, port) == 0)
            return Refuse("Cannot add the port as it is a member of another aggregated link !");
    }
    return std::nullopt;
}

TrunkVerdict CheckSpeedDuplex(const TrunkSettings& s, const TrunkSelection& sel) {
    int reference = 0;
    for (int port = 1; port <= s.portCount; ++port) {
        if (!sel.Selected(port)) continue;
        const int code = At(s.speed, port);
        if (reference == 0) {
            if (code == 0) continue;
            if (code == 3 || code == 5) return Refuse("Cannot add a port in half-duplex mode to an aggregated link.");
            reference = code;
        } else if (code != reference) {
            return Refuse("Cannot add ports of different speed to an aggregated link.");
        }
    }
    return std::nullopt;
}

TrunkVerdict CheckDhcpScreening(const TrunkSettings& s, const TrunkSelection& sel) {
    const bool same = SameAsFirst(sel, s.portCount, [&](int port) { return At(s.dhcpScreening, port) == 1; });
    if (!same)
        return Refuse("Cannot add ports with different DHCP Server Screening Port Settings to an aggregated link.");
    return std::nullopt;
}

TrunkVerdict Check8021X(const TrunkSettings& s, const TrunkSelection& sel) {
    if (s.dot1xEnable != 1) return std::nullopt;
    for (int port = 1; port <= s.portCount; ++port) {
        if (!sel.Selected(port)) continue;
        const int control = At(s.dot1xPortControl, port);
        if (control == 2) return Refuse("Cannot add the 802.1X-enabled port to an aggregated link.");
        if (control == 1) return Refuse("Setting the Channel Mode Fail.");
    }
    return std::nullopt;
}

TrunkVerdict CheckVlanMembership(const TrunkSettings& s, const TrunkSelection& sel) {
    if (!EveryRecordAllOrNone(s.egressRecords, sel, s.portCount) ||
        !EveryRecordAllOrNone(s.untaggedRecords, sel, s.portCount))
        return Refuse("Cannot add ports with different VLAN configurations to an aggregated link !");
    return std::nullopt;
}

TrunkVerdict CheckAutoLearning(const TrunkSettings& s, const TrunkSelection& sel) {
    const char* text = "Cannot add a Auto-learn disabled port to an aggregated link.";
    if (s.learnPorts.empty()) return Refuse(text);
    const std::vector<int> learning = TrunkPortFlags(s.learnPorts, s.portCount);
    for (int port = 1; port <= s.portCount; ++port) {
        if (sel.Selected(port) && At(learning, port) == 0) return Refuse(text);
    }
    return std::nullopt;
}

TrunkVerdict CheckPortSettings(const TrunkSettings& s, const TrunkSelection& sel) {
    if (!SameAsFirstSkippingZero(s.priority, sel, s.portCount))
        return Refuse("Cannot add ports with different 802.1p default priorities to an aggregated link.");
    if (!SameAsFirstSkippingZero(s.pvid, sel, s.portCount))
        return Refuse("Cannot add ports with different PVIDs to an aggregated link.");
    if (AnyChosenWith(s.portSecurity, 1, sel, s.portCount))
        return Refuse("Cannot add a port-security anabled port to an aggregated link.");
    if (AnyChosenWith(s.lbd, 1, sel, s.portCount))
        return Refuse("Cannot add a LBD-enabled port to an aggregated link.");
    return std::nullopt;
}

TrunkVerdict CheckMirrorSource(const TrunkSettings& s, const TrunkSelection& sel) {
    if (s.mirrorPortsA.empty() && s.mirrorPortsB.empty()) return std::nullopt;
    if (!IsAllOrNoneInList(s.mirrorPortsA, sel, s.portCount) || !IsAllOrNoneInList(s.mirrorPortsB, sel, s.portCount))
        return Refuse("Cannot add ports of Port Mirror enable ports to an aggregated link.");
    return std::nullopt;
}

TrunkVerdict CheckMirrorTarget(const TrunkSettings& s, const TrunkSelection& sel) {
    if (s.mirrorEnable == 1 && s.mirrorTarget >= 1 && s.mirrorTarget <= s.portCount && sel.Selected(s.mirrorTarget))
        return Refuse("Cannot add a mirror port to an aggregated link.");
    return std::nullopt;
}

TrunkVerdict CheckArpSpoofing(const TrunkSettings& s, const TrunkSelection& sel) {
    if (!EveryRecordAllOrNone(s.arpRecords, sel, s.portCount))
        return Refuse("Cannot add ports of ARP Spoofing Prevent enable ports to an aggregated link.");
    return std::nullopt;
}

TrunkVerdict CheckRateControl(const TrunkSettings& s, const TrunkSelection& sel) {
    const bool same = SameAsFirst(sel, s.portCount, [&](int port) {
        return std::array<int, 2>{At(s.bandwidthTx, port), At(s.bandwidthRx, port)};
    });
    if (!same) return Refuse("Cannot add ports with different rate control configurations to an aggregated link.");
    return std::nullopt;
}

TrunkVerdict CheckRstp(const TrunkSettings& s, const TrunkSelection& sel) {
    if (s.rstpEnable != 1) return std::nullopt;
    const bool same = SameAsFirst(sel, s.portCount, [&](int port) {
        return port >= 1 && port <= static_cast<int>(s.rstp.size()) ? s.rstp[static_cast<size_t>(port - 1)]
                                                                    : TrunkSettings::RstpRecord{};
    });
    if (!same) return Refuse("Cannot add a port with different RSTP port setting to an aggregated link. ");
    return std::nullopt;
}

TrunkVerdict CheckVoiceVlan(const TrunkSettings& s, const TrunkSelection& sel) {
    if (AnyChosenWith(s.voiceVlanMode, 1, sel, s.portCount))
        return Refuse("Cannot add a port in Voice Vlan Auto mode to an aggregated link.");
    return std::nullopt;
}

TrunkVerdict CheckFdbDestination(const TrunkSettings& s, const TrunkSelection& sel) {
    if (AnyChosenWith(s.fdbDestination, 1, sel, s.portCount))
        return Refuse("Cannot add ports with different FDB-destination-hit configurations to an aggregated link.");
    return std::nullopt;
}

TrunkVerdict CheckAcl(const TrunkSettings& s, const TrunkSelection& sel) {
    if (!EveryRecordAllOrNone(s.aclRecords, sel, s.portCount))
        return Refuse("Cannot add an ACL enabled port to an aggregated link.");
    return std::nullopt;
}

TrunkVerdict CheckSurveillanceVlan(const TrunkSettings& s, const TrunkSelection& sel) {
    if (s.cameraVlanEnable != 1) return std::nullopt;
    for (int port = 1; port <= s.portCount; ++port) {
        if (!sel.Selected(port)) continue;
        if (At(s.cameraVlanState, port) == 1)
            return Refuse("Cannot add a port in  Auto Surveillance VLAN Auto mode to an aggregated link");
        if (At(s.cameraVlanMode, port) == 2)
            return Refuse("Cannot add a port in Auto Surveillance Vlan Auto dynamic mode to an aggregated link");
    }
    return std::nullopt;
}

const std::array<TrunkCheck, kTrunkCheckCount> kTrunkChecks = {{
    {"CheckOtherTrunk", &CheckOtherTrunk},
    {"CheckSpeedDuplex", &CheckSpeedDuplex},
    {"CheckDhcpScreening", &CheckDhcpScreening},
    {"Check8021X", &Check8021X},
    {"CheckVlanMembership", &CheckVlanMembership},
    {"CheckAutoLearning", &CheckAutoLearning},
    {"CheckPortSettings", &CheckPortSettings},
    {"CheckMirrorSource", &CheckMirrorSource},
    {"CheckMirrorTarget", &CheckMirrorTarget},
    {"CheckArpSpoofing", &CheckArpSpoofing},
    {"CheckRateControl", &CheckRateControl},
    {"CheckRstp", &CheckRstp},
    {"CheckVoiceVlan", &CheckVoiceVlan},
    {"CheckFdbDestination", &CheckFdbDestination},
    {"CheckAcl", &CheckAcl},
    {"CheckSurveillanceVlan", &CheckSurveillanceVlan},
}};

TrunkVerdict JudgeTrunkSelection(const TrunkSettings& s, const TrunkSelection& sel) {
    for (const TrunkCheck& check : kTrunkChecks) {
        if (TrunkVerdict refusal = check.judge(s, sel)) return refusal;
    }
    return std::nullopt;
}
