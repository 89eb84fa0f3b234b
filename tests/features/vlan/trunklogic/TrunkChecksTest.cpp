// The admission checks of a trunk member set over small settings, without a switch: one table
// of cases, each with the exact refusal, and the list helpers they stand on.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "features/vlan/TrunkChecks.h"

namespace {

// Settings under which every selection passes: nothing read but every port learning.
TrunkSettings Passing(int ports) {
    TrunkSettings s(ports);
    for (int p = 1; p <= ports; ++p) s.learnPorts += (p > 1 ? "," : "") + std::to_string(p);
    return s;
}

TrunkSelection Choose(int ports, std::vector<int> chosen, std::string trunkMembers = "") {
    TrunkSelection sel;
    sel.ports.assign(static_cast<size_t>(ports), 0);
    for (int p : chosen) sel.ports[static_cast<size_t>(p - 1)] = 1;
    sel.trunkMembers = std::move(trunkMembers);
    return sel;
}

// Per-port values from port 1 on.
void Ports(std::vector<int>& values, std::vector<int> from1) {
    for (size_t i = 0; i < from1.size(); ++i) values[i] = from1[i];
}

const char* const kOtherTrunk = "Cannot add the port as it is a member of another aggregated link !";
const char* const kHalfDuplex = "Cannot add a port in half-duplex mode to an aggregated link.";
const char* const kSpeed = "Cannot add ports of different speed to an aggregated link.";
const char* const kDhcp = "Cannot add ports with different DHCP Server Screening Port Settings to an aggregated link.";
const char* const kDot1xAuto = "Cannot add the 802.1X-enabled port to an aggregated link.";
const char* const kDot1xUnauthorized = "Setting the Channel Mode Fail.";
const char* const kVlan = "Cannot add ports with different VLAN configurations to an aggregated link !";
const char* const kLearn = "Cannot add a Auto-learn disabled port to an aggregated link.";
const char* const kPriority = "Cannot add ports with different 802.1p default priorities to an aggregated link.";
const char* const kPvid = "Cannot add ports with different PVIDs to an aggregated link.";
const char* const kSecurity = "Cannot add a port-security anabled port to an aggregated link.";
const char* const kLbd = "Cannot add a LBD-enabled port to an aggregated link.";
const char* const kMirrorSource = "Cannot add ports of Port Mirror enable ports to an aggregated link.";
const char* const kMirrorTarget = "Cannot add a mirror port to an aggregated link.";
const char* const kArp = "Cannot add ports of ARP Spoofing Prevent enable ports to an aggregated link.";
const char* const kRate = "Cannot add ports with different rate control configurations to an aggregated link.";
const char* const kRstp = "Cannot add a port with different RSTP port setting to an aggregated link. ";
const char* const kVoice = "Cannot add a port in Voice Vlan Auto mode to an aggregated link.";
const char* const kFdb = "Cannot add ports with different FDB-destination-hit configurations to an aggregated link.";
const char* const kAcl = "Cannot add an ACL enabled port to an aggregated link.";
const char* const kCameraState = "Cannot add a port in  Auto Surveillance VLAN Auto mode to an aggregated link";
const char* const kCameraMode = "Cannot add a port in Auto Surveillance Vlan Auto dynamic mode to an aggregated link";

struct CheckCase {
    const char* name;
    std::vector<int> chosen;
    std::function<void(TrunkSettings&)> setUp;
    const char* refusal;  // null: every check passes
    std::string trunkMembers = "";
    int ports = 8;
};

TEST(TrunkChecksTest, EachCaseGivesItsFirstRefusalOrPasses) {
    const CheckCase cases[] = {
        // 1: another trunk's ports, and the ports of the trunk being edited.
        {"ports of trunk 2 while editing trunk 1",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.inTrunk, {1, 1});
         },
         kOtherTrunk,
         "5,6"},
        {"ports of trunk 2 while editing trunk 2",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.inTrunk, {1, 1});
         },
         nullptr,
         "1,2"},
        {"one port of the edited trunk, one of another",
         {1, 3},
         [](TrunkSettings& s) {
             Ports(s.inTrunk, {1, 0, 1});
         },
         kOtherTrunk,
         "1,2"},
        // 2: speed and duplex.
        {"speeds 0,2,2",
         {1, 2, 3},
         [](TrunkSettings& s) {
             Ports(s.speed, {0, 2, 2});
         },
         nullptr},
        {"speeds 2,0",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.speed, {2, 0});
         },
         kSpeed},
        {"speeds 3,3",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.speed, {3, 3});
         },
         kHalfDuplex},
        {"speeds 0,5",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.speed, {0, 5});
         },
         kHalfDuplex},
        {"speeds 1,3",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.speed, {1, 3});
         },
         kSpeed},
        // 3: DHCP server screening, all or none.
        {"DHCP set {1} with {1,2}", {1, 2}, [](TrunkSettings& s) { Ports(s.dhcpScreening, {1}); }, kDhcp},
        {"DHCP set {1,2} with {1,2}",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.dhcpScreening, {1, 1});
         },
         nullptr},
        {"DHCP set {3} with {1,2}",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.dhcpScreening, {0, 0, 1});
         },
         nullptr},
        // 4: 802.1X, judged on the chosen ports only.
        {"802.1X on, controls 1 then 2",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.dot1xPortControl, {1, 2});
         },
         kDot1xUnauthorized},
        {"802.1X on, controls 2 then 1",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.dot1xPortControl, {2, 1});
         },
         kDot1xAuto},
        {"802.1X off, controls 1 and 2",
         {1, 2},
         [](TrunkSettings& s) {
             s.dot1xEnable = 2;
             Ports(s.dot1xPortControl, {1, 2});
         },
         nullptr},
        {"802.1X on, an unchosen port in auto",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.dot1xPortControl, {3, 3, 2});
         },
         nullptr},
        // 5: VLAN membership, egress then untagged records.
        {"a VLAN holding port 1 only", {1, 2}, [](TrunkSettings& s) { s.egressRecords = TrunkRecord("1"); }, kVlan},
        {"a VLAN holding both, one neither",
         {1, 2},
         [](TrunkSettings& s) { s.egressRecords = TrunkRecord("1,2,5") + TrunkRecord("6,7"); },
         nullptr},
        {"untagged in port 2 only",
         {1, 2},
         [](TrunkSettings& s) {
             s.egressRecords = TrunkRecord("1,2");
             s.untaggedRecords = TrunkRecord("2,3");
         },
         kVlan},
        // 6: MAC auto-learning.
        {"empty learning list", {1, 2}, [](TrunkSettings& s) { s.learnPorts = ""; }, kLearn},
        {"a port not learning", {1, 2}, [](TrunkSettings& s) { s.learnPorts = "1,3"; }, kLearn},
        // 7: priority, PVID, port security, loopback detection.
        {"priorities 0,5,5",
         {1, 2, 3},
         [](TrunkSettings& s) {
             Ports(s.priority, {0, 5, 5});
         },
         nullptr},
        {"priorities 5,0",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.priority, {5, 0});
         },
         kPriority},
        {"PVIDs 1,10",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.pvid, {1, 10});
         },
         kPvid},
        {"port security on",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.portSecurity, {2, 1});
         },
         kSecurity},
        {"loopback detection on",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.lbd, {1, 2});
         },
         kLbd},
        // 8 and 9: mirroring.
        {"a mirror source of one port", {1, 2}, [](TrunkSettings& s) { s.mirrorPortsB = "2"; }, kMirrorSource},
        {"mirror sources holding both",
         {1, 2},
         [](TrunkSettings& s) {
             s.mirrorPortsA = "1,2";
             s.mirrorPortsB = "4";
         },
         nullptr},
        {"mirror target chosen",
         {2, 3},
         [](TrunkSettings& s) {
             s.mirrorEnable = 1;
             s.mirrorTarget = 3;
         },
         kMirrorTarget},
        {"mirror target chosen, mirroring off",
         {2, 3},
         [](TrunkSettings& s) {
             s.mirrorEnable = 2;
             s.mirrorTarget = 3;
         },
         nullptr},
        {"mirror target beyond the ports",
         {2, 3},
         [](TrunkSettings& s) {
             s.mirrorEnable = 1;
             s.mirrorTarget = 99;
         },
         nullptr},
        // 10: ARP spoofing prevention, each gateway's set.
        {"the first of two ARP records split",
         {1, 2},
         [](TrunkSettings& s) { s.arpRecords = TrunkRecord("1") + TrunkRecord("1,2,3"); },
         kArp},
        {"two ARP records, all or none each",
         {1, 2},
         [](TrunkSettings& s) { s.arpRecords = TrunkRecord("5") + TrunkRecord("1,2,3"); },
         nullptr},
        // 11: rate limits.
        {"rates (0,0) and (0,1000)",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.bandwidthRx, {0, 1000});
         },
         kRate},
        {"rates (64,0) and (64,0)",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.bandwidthTx, {64, 64});
         },
         nullptr},
        // 12: spanning tree.
        {"spanning tree off, different values",
         {1, 2},
         [](TrunkSettings& s) {
             s.rstpEnable = 2;
             s.rstp[1][6] = 1;
         },
         nullptr},
        {"spanning tree on, one value differs", {1, 2}, [](TrunkSettings& s) { s.rstp[1][6] = 1; }, kRstp},
        {"port 55 differs on a 60-port count", {54, 55}, [](TrunkSettings& s) { s.rstp[54][0] = 2; }, kRstp, "", 60},
        // 13 and 14: voice VLAN, static forwarding destinations.
        {"voice VLAN auto",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.voiceVlanMode, {2, 1});
         },
         kVoice},
        {"a forwarding entry to port 4", {3, 4}, [](TrunkSettings& s) { s.fdbDestination[3] = 1; }, kFdb},
        {"a forwarding entry to an unchosen port", {1, 2}, [](TrunkSettings& s) { s.fdbDestination[3] = 1; }, nullptr},
        {"the 30th forwarding entry on 28 ports",
         {5, 6},
         [](TrunkSettings& s) { s.fdbDestination[4] = 1; },
         kFdb,
         "",
         28},
        // 15: ACL.
        {"an ACL of port 2 only", {1, 2}, [](TrunkSettings& s) { s.aclRecords = TrunkRecord("2"); }, kAcl},
        // 16: surveillance VLAN.
        {"surveillance on, port 1 mode 2, port 2 state 1",
         {1, 2},
         [](TrunkSettings& s) {
             s.cameraVlanEnable = 1;
             Ports(s.cameraVlanMode, {2, 3});
             Ports(s.cameraVlanState, {2, 1});
         },
         kCameraMode},
        {"surveillance on, port 1 state 1",
         {1, 2},
         [](TrunkSettings& s) {
             s.cameraVlanEnable = 1;
             Ports(s.cameraVlanState, {1});
         },
         kCameraState},
        {"surveillance off",
         {1, 2},
         [](TrunkSettings& s) {
             s.cameraVlanEnable = 2;
             Ports(s.cameraVlanState, {1, 1});
         },
         nullptr},
        // Order: the first failing check speaks.
        {"checks 3 and 10 both fail",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.dhcpScreening, {1});
             s.arpRecords = TrunkRecord("2");
         },
         kDhcp},
        {"checks 7 and 16 both fail",
         {1, 2},
         [](TrunkSettings& s) {
             Ports(s.lbd, {0, 1});
             s.cameraVlanEnable = 1;
             Ports(s.cameraVlanState, {1});
         },
         kLbd},
        {"nothing chosen", {}, [](TrunkSettings& s) { s.learnPorts = "1"; }, nullptr},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        TrunkSettings s = Passing(c.ports);
        c.setUp(s);
        const TrunkVerdict verdict = JudgeTrunkSelection(s, Choose(c.ports, c.chosen, c.trunkMembers));
        if (c.refusal == nullptr) {
            EXPECT_FALSE(verdict.has_value()) << *verdict;
        } else {
            EXPECT_EQ(verdict.value_or("(passed)"), c.refusal);
        }
    }
}

TEST(TrunkChecksTest, IsAllOrNoneInList) {
    const struct {
        const char* list;
        std::vector<int> chosen;
        bool expected;
    } cases[] = {
        {"", {1, 2}, true},      {"1,2", {1, 2}, true}, {"1,2", {3, 4}, true},   {"1,2", {2, 3}, false},
        {"3", {1, 2, 3}, false}, {"1,2", {}, true},     {"0,99,1", {1}, true},   {"0,99,1", {1, 8}, false},
        {"1,x,2", {1, 2}, true}, {"8", {8}, true},      {"2,1,2", {1, 2}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        EXPECT_EQ(IsAllOrNoneInList(c.list, Choose(8, c.chosen), 8), c.expected);
    }
}

TEST(TrunkChecksTest, RecordsSplitIntoTheirPortLists) {
    const struct {
        const char* records;
        std::vector<std::string> lists;
    } cases[] = {
        {"1:1,2%0A0A1:5%0A0A", {"1,2", "5"}}, {"", {}}, {"1:3", {"3"}}, {"1:1%0A0A", {"1"}}, {"7:4,5%0A0A", {"4,5"}},
        {"1:%0A0A1:2%0A0A", {"", "2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.records);
        EXPECT_EQ(SplitTrunkRecords(c.records), c.lists);
    }
    EXPECT_EQ(TrunkRecord("1,3,5"), "1:1,3,5%0A0A");
}

}  // namespace
