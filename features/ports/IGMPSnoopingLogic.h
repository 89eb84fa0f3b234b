#pragma once
// The logic of IGMP snooping, shared by its three dialogs (each owns an instance): the
// global parameters, the per-VLAN settings and static router ports, and the learned
// multicast groups. Rows of the two walks reach the owner window with SendMessage.
#include <array>
#include <atomic>
#include <string>

#include "core/ModuleBase.h"
#include "core/SnmpRead.h"
#include "platform/win/WinTypes.h"

// Global values read (wParam 2), one IGMP VLAN row (0, lParam IGMPVlanEntry*), the VLAN
// walk's end (3).
constexpr UINT WM_IGMP_VLAN_ROW = WM_USER + 102;
// One multicast group (0, lParam IGMPMulticastEntry*), the group walk's end (3).
constexpr UINT WM_IGMP_GROUP_ROW = WM_USER + 115;
constexpr WPARAM kIgmpRow = 0;
constexpr WPARAM kIgmpGlobalRead = 2;
constexpr WPARAM kIgmpWalkEnd = 3;

// The eight global scalars as texts, in the switch's order.
struct IGMPGlobalSettings {
    enum Field {
        State,
        RouterTimeout,
        HostTimeout,
        Robustness,
        LastMemberInterval,
        QueryInterval,
        MaxResponse,
        ReportAll,
        FieldCount
    };
    std::array<std::string, FieldCount> values;
};

struct IGMPVlanEntry {
    std::string vlanId, vlanName, state, querierState, fastLeave;
    std::string routerPorts;  // a plain port list
};

struct IGMPMulticastEntry {
    std::string vlanId, groupAddress, groupMac, portMembers;
};

class CIGMPSnoopingLogic : public CModuleBase {
public:
    CIGMPSnoopingLogic();
    ~CIGMPSnoopingLogic() override;

    // Time-out of the global read; a test may lower it.
    static inline int s_nGlobalReadTimeoutMs = 4000;

    // One GET of the eight scalars; on an answer the stored record is replaced and the owner
    // told (wParam 2).
    void GetGlobalSettings();
    // Writes what differs from `previous`: 1 when done or nothing to send, 0 on failure.
    int SetGlobalSettings(IGMPGlobalSettings previous, IGMPGlobalSettings settings);
    void GetVlanSettings();
    int SetVlanSettings(const std::string& vlanId, const std::string& previousState, const std::string& state,
                        const std::string& querierState, const std::string& fastLeave);
    int SetRouterPorts(const std::string& vlanId, const unsigned char* bytes, int length);
    // The VLAN's member ports as a plain port list; "" when none or unreadable.
    std::string GetVlanPorts(const std::string& vlanId);
    void GetMulticastEntries();
    // Closes the sessions and reads of this class (not the base's).
    void Close();

    CCommonSNMP m_cCommonSNMPGet;
    CCommonSNMP m_cCommonSNMPWrite;
    std::atomic<HWND> m_hOwner{nullptr};
    // The values of the last successful global read; read by the dialogs on their thread.
    IGMPGlobalSettings m_GlobalSettings;

private:
    // One row of each walk, handed to the owner (wParam 0).
    void OnVlanSettingsRow(const SnmpRow& row);
    void GetMulticastEntryinfoProc(const SnmpRow& row);
    // Sends the prepared request on the write session: 1 when answered with error status 0.
    int SendWrite();

    CSnmpRead m_vlanRead;
    CSnmpRead m_groupRead;
};
