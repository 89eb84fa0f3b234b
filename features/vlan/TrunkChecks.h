#pragma once
// The admission checks of a trunk member set, as pure functions of what was read from the
// switch (TrunkSettings), the chosen ports and the member list of the trunk being edited.
// Each check gives nullopt to pass or its fixed refusal text. CTrunkLogic (TrunkLogic.h)
// fills the settings and shows the refusal.
#include <array>
#include <optional>
#include <string>
#include <vector>

// Everything that can forbid putting ports into one trunk. Per-port vectors hold portCount
// elements, element i for port i + 1; a value not read yet is 0.
struct TrunkSettings {
    static constexpr int kRstpValues = 7;
    using RstpRecord = std::array<int, kRstpValues>;

    explicit TrunkSettings(int ports = 0);

    int portCount = 0;
    std::vector<int> inTrunk;           // 1 when the port is a member of any trunk
    std::vector<int> pvid;              // PVID
    std::vector<int> speed;             // speed and duplex code (3 and 5 half duplex)
    std::vector<int> priority;          // 802.1p default priority
    std::vector<int> portSecurity;      // 1 enabled
    std::vector<int> lbd;               // loopback detection, 1 enabled
    std::vector<int> bandwidthTx;       // Kbit/s, 0 no limit
    std::vector<int> bandwidthRx;       // Kbit/s, 0 no limit
    std::vector<int> dot1xPortControl;  // 1 force unauthorized, 2 auto, 3 force authorized
    std::vector<int> voiceVlanMode;     // 1 auto
    std::vector<int> dhcpScreening;     // 1 when in the DHCP server screening set
    std::vector<int> cameraVlanState;   // surveillance VLAN port state, 1 auto
    std::vector<int> cameraVlanMode;    // surveillance VLAN port mode, 2 auto dynamic
    std::vector<int> fdbDestination;    // 1 when a static forwarding entry points to the port
    // Spanning-tree port values in the order .4, .2, .5, .16, .18, .17, .14.
    std::vector<RstpRecord> rstp;

    // Global states: 1 enabled, 2 disabled. Until read, 802.1X and spanning tree count as
    // enabled and the surveillance VLAN as disabled.
    int dot1xEnable = 1;
    int rstpEnable = 1;
    int cameraVlanEnable = 0;
    int mirrorEnable = 0;  // 1 enabled
    int mirrorTarget = 0;  // port number

    // Record texts ("1:<port list>%0A0A" per table row with ports).
    std::string egressRecords;
    std::string untaggedRecords;
    std::string aclRecords;
    std::string arpRecords;
    // Port lists ("1,3,5").
    std::string mirrorPortsA;
    std::string mirrorPortsB;
    std::string learnPorts;
};

// The ports chosen for a trunk and the member list of the trunk being edited.
struct TrunkSelection {
    std::vector<int> ports;    // element i not 0 when port i + 1 is chosen
    std::string trunkMembers;  // port list of the trunk being edited, as the trunk list shows it

    bool Selected(int port) const {
        return port >= 1 && port <= static_cast<int>(ports.size()) && ports[static_cast<size_t>(port - 1)] != 0;
    }
};

using TrunkVerdict = std::optional<std::string>;  // nullopt: pass; else the refusal text

// One record of a record text: "1:1,2%0A0A".
std::string TrunkRecord(const std::string& portList);
// The port list of every record, in order: the text before each "%0A0A", after its first ":".
std::vector<std::string> SplitTrunkRecords(const std::string& records);
// Flags of the ports 1..portCount named in a "," separated list; other items are ignored.
std::vector<int> TrunkPortFlags(const std::string& list, int portCount);
// True when the chosen ports are all in the list or all outside it (an empty list: true).
bool IsAllOrNoneInList(const std::string& list, const TrunkSelection& selection, int portCount);

TrunkVerdict CheckOtherTrunk(const TrunkSettings& s, const TrunkSelection& sel);
TrunkVerdict CheckSpeedDuplex(const TrunkSettings& s, const TrunkSelection& sel);
TrunkVerdict CheckDhcpScreening(const TrunkSettings& s, const TrunkSelection& sel);
TrunkVerdict Check8021X(const TrunkSettings& s, const TrunkSelection& sel);
TrunkVerdict CheckVlanMembership(const TrunkSettings& s, const TrunkSelection& sel);
TrunkVerdict CheckAutoLearning(const TrunkSettings& s, const TrunkSelection& sel);
TrunkVerdict CheckPortSettings(const TrunkSettings& s, const TrunkSelection& sel);
TrunkVerdict CheckMirrorSource(const TrunkSettings& s, const TrunkSelection& sel);
TrunkVerdict CheckMirrorTarget(const TrunkSettings& s, const TrunkSelection& sel);
TrunkVerdict CheckArpSpoofing(const TrunkSettings& s, const TrunkSelection& sel);
TrunkVerdict CheckRateControl(const TrunkSettings& s, const TrunkSelection& sel);
TrunkVerdict CheckRstp(const TrunkSettings& s, const TrunkSelection& sel);
TrunkVerdict CheckVoiceVlan(const TrunkSettings& s, const TrunkSelection& sel);
TrunkVerdict CheckFdbDestination(const TrunkSettings& s, const TrunkSelection& sel);
TrunkVerdict CheckAcl(const TrunkSettings& s, const TrunkSelection& sel);
TrunkVerdict CheckSurveillanceVlan(const TrunkSettings& s, const TrunkSelection& sel);

// The sixteen checks in the order they run.
struct TrunkCheck {
    const char* name;
    TrunkVerdict (*judge)(const TrunkSettings&, const TrunkSelection&);
};
constexpr int kTrunkCheckCount = 16;
constexpr int kRstpCheckIndex = 11;  // CheckRstp: the caller re-reads the global states first
extern const std::array<TrunkCheck, kTrunkCheckCount> kTrunkChecks;

// The first refusal of the checks in order, or nullopt when all pass.
TrunkVerdict JudgeTrunkSelection(const TrunkSettings& s, const TrunkSelection& sel);
