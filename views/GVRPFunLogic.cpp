#include "views/GVRPFunLogic.h"

#include <algorithm>
#include <vector>

#include "core/DeviceProfile.h"
#include "platform/ui/Prompt.h"
#include "platform/ui/Wnd.h"
#include "platform/win/Clock.h"

namespace {
const std::string kGvrp = "1.3.6.1.4.1.32473.10.76.21.1.30.";
const std::string kJoinTime = kGvrp + "2.0";
const std::string kLeaveTime = kGvrp + "3.0";
const std::string kLeaveAllTime = kGvrp + "4.0";
const std::string kPortTable = kGvrp + "5.1.";
const std::string kVlanNameColumn = "1.3.6.1.4.1.32473.10.76.21.1.7.6.1.1";
const char kFinished[] = "Finished";
const char kAddFinished[] = "AddFinished";
constexpr long kLowestTime = 100;
constexpr long kHighestTime = 100000;

// The decimal value of a text of digits, held just above any limit checked here so that no
// length can wrap; a text with anything but digits reads as far as its digits go.
long DecimalValue(const std::string& text) {
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min(value * 10 + (c - '0'), 10 * kHighestTime);
    }
    return value;
}

const char* EnabledText(const std::string& value) { return value == "1" ? "Enabled" : "Disabled"; }
}  // namespace

const std::string CGVRPFunLogic::kGlobalState = kGvrp + "1.0";

CGVRPFunLogic::~CGVRPFunLogic() { Close(); }

void CGVRPFunLogic::Close() {
    m_portRead.Close();
    m_vlanRead.Close();
    m_globalRead.Close();
    m_trunkWalk.Close();
    m_setSession.Close();
}

void CGVRPFunLogic::Notify(WPARAM code, LPARAM data) { ::SendMessage(m_hWnd.load(), WM_GVRP, code, data); }

void CGVRPFunLogic::GetPortSettings() {
    std::vector<std::string> columns;
    for (int column = 1; column <= 5; ++column) columns.push_back(kPortTable + std::to_string(column));
    m_portRead.Start(
        SnmpReadSpec::Walk(columns), [this](const SnmpRow& row) { OnPortSettingsRow(row); },
        [this](const SnmpReadResult&) { Notify(kGvrpReadEnd, reinterpret_cast<LPARAM>(kFinished)); });
}

void CGVRPFunLogic::OnPortSettingsRow(const SnmpRow& row) {
    GVRPPortEntry entry;
    entry.port = row.Text(0);
    entry.pvid = row.Text(1);
    entry.gvrpState = EnabledText(row.Text(2));
    entry.ingressChecking = EnabledText(row.Text(3));
    entry.frameType = row.Text(4) == "1" ? "AllFrames" : "TaggedOnly";
    Notify(kGvrpRow, reinterpret_cast<LPARAM>(&entry));
}

void CGVRPFunLogic::GetVlanList() {
    m_walkVlanList.clear();
    m_vlanRead.Start(
        SnmpReadSpec::Walk({kVlanNameColumn}), [this](const SnmpRow& row) { OnVlanListRow(row); },
        [this](const SnmpReadResult&) {
            // Published whole, so a VLAN removed on the switch leaves the list.
            m_strVlanList = m_walkVlanList;
            Notify(kGvrpReadEnd, reinterpret_cast<LPARAM>(kFinished));
        });
}

void CGVRPFunLogic::OnVlanListRow(const SnmpRow& row) { m_walkVlanList += row.IndexDigits() + ","; }

void CGVRPFunLogic::GetTrunkPorts() {
    m_trunkWalk.Start([this] { Notify(kGvrpReadEnd, reinterpret_cast<LPARAM>(kFinished)); });
}

void CGVRPFunLogic::GetGlobalSettings() {
    auto answered = std::make_shared<bool>(false);
    m_globalRead.Start(
        SnmpReadSpec::Get({kGlobalState, kJoinTime, kLeaveTime, kLeaveAllTime}),
        [this, answered](const SnmpRow& row) {
            *answered = true;
            OnGlobalSettings(row);
        },
        [this, answered](const SnmpReadResult&) {
            // The dialog waits with its buttons for the settings; a read that brought none
            // says so, or they would stay disabled.
            if (!*answered) Notify(kGvrpReadEnd, reinterpret_cast<LPARAM>(kFinished));
        });
}

void CGVRPFunLogic::OnGlobalSettings(const SnmpRow& row) {
    GVRPGlobalEntry entry;
    entry.state = row.Text(0) == "2" ? 0 : 1;
    entry.joinTime = row.Text(1);
    entry.leaveTime = row.Text(2);
    entry.leaveAllTime = row.Text(3);
    Notify(kGvrpRow, reinterpret_cast<LPARAM>(&entry));
}

int CGVRPFunLogic::SetPortSettings(int fromPort, int toPort, const std::string& pvid, const std::string& gvrpState,
                                   const std::string& ingressChecking, const std::string& frameType) {
    for (int port = fromPort; port <= toPort; ++port) {
        const std::string instance = "." + std::to_string(port);
        const SnmpAnswer answer =
            SnmpSet(m_setSession, {
                                      {kPortTable + "2" + instance, SNMP_TYPE_INTEGER, pvid},
                                      {kPortTable + "3" + instance, SNMP_TYPE_INTEGER, gvrpState},
                                      {kPortTable + "4" + instance, SNMP_TYPE_INTEGER, ingressChecking},
                                      {kPortTable + "5" + instance, SNMP_TYPE_INTEGER, frameType},
                                  });
        if (!answer.Ok()) return 0;
    }
    Notify(kGvrpWritten, reinterpret_cast<LPARAM>(kAddFinished));
    return 1;
}

std::string CGVRPFunLogic::GarpTimerFault(const std::string& joinTime, const std::string& leaveTime,
                                          const std::string& leaveAllTime) {
    const long join = DecimalValue(joinTime);
    const long leave = DecimalValue(leaveTime);
    const long leaveAll = DecimalValue(leaveAllTime);
    auto outside = [](long value) { return value < kLowestTime || value > kHighestTime; };
    if (outside(join)) return "Join Time(100-100000).";
    if (outside(leave)) return "Leave Time(100-100000).";
    if (outside(leaveAll)) return "Leave_All Time(100-100000).";
    if (leave <= 2 * join) return "Leave Time should be greater than 2*Join Time.";
    if (leaveAll <= leave) return "Leave_All Time should be greater than Leave Time. ";
    return "";
}

void CGVRPFunLogic::SetGlobalSettings(const std::string& oldState, const std::string& newState,
                                      const std::string& joinTime, const std::string& leaveTime,
                                      const std::string& leaveAllTime) {
    std::vector<SnmpSetVar> vars;
    if (newState == "2") {
        if (oldState == "2") return;
        vars.push_back(SnmpSetVar{kGlobalState, SNMP_TYPE_INTEGER, newState});
    } else {
        if (oldState == "2") vars.push_back(SnmpSetVar{kGlobalState, SNMP_TYPE_INTEGER, newState});
        const std::string fault = GarpTimerFault(joinTime, leaveTime, leaveAllTime);
        if (!fault.empty()) {
            AfxMessageBox(fault);
            return;
        }
        vars.push_back(SnmpSetVar{kJoinTime, SNMP_TYPE_INTEGER, joinTime});
        vars.push_back(SnmpSetVar{kLeaveTime, SNMP_TYPE_INTEGER, leaveTime});
        vars.push_back(SnmpSetVar{kLeaveAllTime, SNMP_TYPE_INTEGER, leaveAllTime});
    }
    // The re-read that follows shows what the switch holds.
    if (SnmpSet(m_setSession, vars).Answered()) win::Sleep(50);
}

int CGVRPFunLogic::IsValidPvid(const std::string& pvid) {
    if (pvid.empty() || pvid.find_first_not_of("0123456789") != std::string::npos) return 0;
    const long value = DecimalValue(pvid);
    return value >= 1 && value <= 4094 ? 1 : 0;
}

int CGVRPFunLogic::CheckTrunkGroup(int fromPort, int toPort) {
    const int ports = m_trunkWalk.PortCount();
    for (int p = std::max(fromPort, 1); p <= std::min(toPort, ports); ++p) {
        const int trunk = m_trunkWalk.Trunk(p);
        if (trunk == 0) continue;
        for (int q = 1; q <= ports; ++q) {
            if ((q < fromPort || q > toPort) && m_trunkWalk.Trunk(q) == trunk) {
                AfxMessageBox("Some ports in the same LA Group are not be included.");
                return 0;
            }
        }
    }
    return 1;
}

int CGVRPFunLogic::IsVlanListed(const std::string& vid) const {
    return ("," + m_strVlanList).find("," + vid + ",") != std::string::npos ? 1 : 0;
}
