#pragma once
// CGVRPFunLogic: GVRP on the switch. The global state with the Join, Leave and LeaveAll
// timers, the per-port settings GVRP works with (PVID, GVRP, ingress checking, acceptable
// frames), the trunk members (a range that splits a trunk is refused) and the VLAN ids.
// Rows and completions go to the window given with SetHwnd as WM_GVRP messages; the reads
// hand them over on the user-interface thread, and SetPortSettings sends its completion
// from inside the call.
#include <string>

#include "core/CommonSNMP.h"
#include "core/ModuleBase.h"
#include "core/SnmpRead.h"
#include "core/TrunkPortsWalk.h"
#include "platform/win/WinTypes.h"

// wParam: kGvrpRow (lParam a GVRPPortEntry or GVRPGlobalEntry, valid during the call),
// kGvrpWritten ("AddFinished") or kGvrpReadEnd ("Finished").
constexpr UINT WM_GVRP = WM_USER + 10;
constexpr WPARAM kGvrpRow = 0;
constexpr WPARAM kGvrpWritten = 4;
constexpr WPARAM kGvrpReadEnd = 5;

// One row of the port table as shown.
struct GVRPPortEntry {
    std::string port;
    std::string pvid;
    std::string gvrpState;        // "Enabled" / "Disabled"
    std::string ingressChecking;  // "Enabled" / "Disabled"
    std::string frameType;        // "AllFrames" / "TaggedOnly"
};

// The global settings: state 1 enabled, 0 disabled; the timers in ms as read.
struct GVRPGlobalEntry {
    int state = 0;
    std::string joinTime;
    std::string leaveTime;
    std::string leaveAllTime;
};

class CGVRPFunLogic : public CModuleBase {
public:
    static const std::string kGlobalState;  // P.30.1.0: 1 enabled, 2 disabled

    CGVRPFunLogic() = default;
    ~CGVRPFunLogic() override;

    // The port table walk: a row message a row, then kGvrpReadEnd however it ends.
    void GetPortSettings();
    // The VLAN ids; kGvrpReadEnd at the end.
    void GetVlanList();
    // The trunk members, each walk starting from none; kGvrpReadEnd at the end.
    void GetTrunkPorts();
    // The four global scalars: a GVRPGlobalEntry row message when they were read; a read
    // that failed or got no answer sends kGvrpReadEnd instead.
    void GetGlobalSettings();

    // One SET a port of from..to (PVID, GVRP, ingress checking, frame type, the texts as
    // given), then kGvrpWritten; 1. The first request not answered with success stops the
    // loop and returns 0 with no message (ports before it stay written).
    int SetPortSettings(int fromPort, int toPort, const std::string& pvid, const std::string& gvrpState,
                        const std::string& ingressChecking, const std::string& frameType);
    // Writes the global state ("1"/"2") and, unless the new state is "2", the timers after
    // their checks (a refusal shows its message and sends nothing). The state goes out only
    // when it changes from or to "2"; old and new "2" sends nothing.
    void SetGlobalSettings(const std::string& oldState, const std::string& newState, const std::string& joinTime,
                           const std::string& leaveTime, const std::string& leaveAllTime);
    // The message that refuses these timer texts, "" when they are accepted.
    static std::string GarpTimerFault(const std::string& joinTime, const std::string& leaveTime,
                                      const std::string& leaveAllTime);

    // 1 for a text of digits only whose value lies in 1..4094.
    static int IsValidPvid(const std::string& pvid);
    // 1 when no trunk has members both inside and outside from..to; else the message and 0.
    int CheckTrunkGroup(int fromPort, int toPort);
    // 1 when the VLAN id was listed by the last VLAN walk.
    int IsVlanListed(const std::string& vid) const;
    int TrunkOf(int port) const { return m_trunkWalk.Trunk(port); }

    // Ends every read of the logic (the base's sessions are the base's).
    void Close();

private:
    void Notify(WPARAM code, LPARAM data);
    void OnPortSettingsRow(const SnmpRow& row);
    void OnVlanListRow(const SnmpRow& row);
    void OnGlobalSettings(const SnmpRow& row);

    std::string m_strVlanList;  // "1,10,20,": the ids of the last finished VLAN walk
    std::string m_walkVlanList;
    CCommonSNMP m_setSession;
    CTrunkPortsWalk m_trunkWalk;
    CSnmpRead m_portRead;  // the reads last: closed before what their handlers write
    CSnmpRead m_vlanRead;
    CSnmpRead m_globalRead;
};
