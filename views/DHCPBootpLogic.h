#pragma once
// CDHCPBootpLogic: the switch's DHCP/BOOTP relay for its three dialogs: the relay's global
// settings with the relay agent information option (option 82), the relay servers of the
// interface "System", and the local relay, globally and per VLAN. What it reads goes to the
// owner window (m_hWnd) with SendMessage(WM_DHCP_BOOTP_NOTIFY, code, record); a record lives
// only during that call. Each relay dialog owns one by value and uses one of the reads that
// send code 0.
//
// Also here, as plain functions: the checks of the global settings' Apply.
#include <string>

#include "core/CommonSNMP.h"
#include "core/ModuleBase.h"
#include "core/SnmpRead.h"
#include "platform/win/WinTypes.h"

constexpr UINT WM_DHCP_BOOTP_NOTIFY = WM_USER + 111;
// wParam codes; lParam as noted.
constexpr WPARAM kBootpRecord = 0;          // a BootpRelayGlobalInfo, or a RelayServerEntry per row
constexpr WPARAM kBootpServerEnd = 1;       // 0: the server walk has ended, however it ended
constexpr WPARAM kLocalRelayVlanRow = 2;    // a LocalRelayVlanEntry per row
constexpr WPARAM kLocalRelayStateRead = 3;  // the global local relay state's text (const char*)
constexpr WPARAM kLocalRelayEnd = 10;       // 0: the local relay walk has ended or could not start

// Every field is the value's text; "1" enabled, "2" disabled where a state.
struct BootpRelayGlobalInfo {
    std::string relayState;
    std::string hopsLimit;      // 1..16
    std::string timeThreshold;  // 0..65535
    std::string option82State;  // read, never written
    std::string option82Check;
    std::string option82Policy;  // "1" replace, "2" drop, "3" keep
    std::string remoteIdType;    // "1" default, "2" user defined
    std::string remoteId;
};

struct RelayServerEntry {
    std::string interfaceName;  // always "System"
    std::string serverAddress;
    std::string rowStatus;
};

struct LocalRelayVlanEntry {
    std::string vlanId;
    std::string vlanName;
    std::string state;          // "1" enabled, anything else disabled
    std::string vlanRowStatus;  // the VLAN table's row status, "1" active
};

// What the global settings dialog shows, as texts.
struct BootpRelayGlobalForm {
    std::string relayState;  // the state box's text ("Enabled"; anything else is disabled)
    std::string hops;
    std::string threshold;
    std::string option82Check;  // "Enabled" or anything else
    int policyIndex = -1;       // the selected policy's position, -1 none
    std::string remoteIdType;   // "Default" or anything else
    std::string remoteId;
};
constexpr const char* kHopsMessage = "BOOTP Relay Hops Count Limit rang is 1-16";
constexpr const char* kThresholdMessage = "BOOTP Relay Time Threshold is 0-65535 ";
// The record Apply writes, or the message of the first value refused ("" when none was).
std::string BuildGlobalSettings(const BootpRelayGlobalForm& form, BootpRelayGlobalInfo& record);

class CDHCPBootpLogic {
public:
    static const std::string kRelayServerTable;  // + column + index

    CDHCPBootpLogic() = default;
    CDHCPBootpLogic(const CDHCPBootpLogic&) = delete;
    CDHCPBootpLogic& operator=(const CDHCPBootpLogic&) = delete;
    virtual ~CDHCPBootpLogic();

    // One GET of the eight global objects; code 0 with the record, empty after a failure.
    void ReadGlobalSettings();
    // One SET of everything but the option 82 state; 1 when the switch took it, else 0.
    int WriteGlobalSettings(BootpRelayGlobalInfo info);
    // The relay server walk: code 0 per row, then code 1.
    void ReadRelayServers();
    // The row status of the server row of "System" and this dotted address; 1 or 0 as
    // CModuleBase::SetRowStatus.
    int SetRelayServerStatus(const std::string& address, const std::string& status);
    // The global state (code 3), then the per-VLAN walk: code 2 per row, then code 10.
    void ReadLocalRelay();
    int SetLocalRelayState(const std::string& value);
    int SetLocalRelayVlanState(const std::string& vlanId, const std::string& value);
    // Ends the walk's delivery at once; called once the owner window has gone.
    void CloseSessions();
    // True while a walk runs (until its end has been handed over).
    bool Walking() const { return m_tableRead.Running(); }

    HWND m_hWnd = nullptr;

private:
    void Notify(WPARAM code, LPARAM data) const;
    void OnRelayServerRow(const SnmpRow& row);
    void OnLocalRelayRow(const SnmpRow& row);
    int SetOne(const SnmpSetVar& var);

    CCommonSNMP m_cCommonSNMP;     // the GET of the global settings
    CCommonSNMP m_cCommonSNMPSet;  // the logic's own SETs
    CModuleBase m_ModuleBase;      // GetValue and SetRowStatus
    CSnmpRead m_tableRead;         // the two walks; last, so it closes first
};
