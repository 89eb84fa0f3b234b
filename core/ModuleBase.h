#pragma once
// The base of the feature logic classes: three sessions to the switch, the window that
// receives the logic's notifications, the per-port trunk numbers and a copy of the VLAN
// table, and the operations many features share.
//
// The two walks (trunk members, VLAN table) share one read (m_tableRead, core/SnmpRead.h):
// starting one withdraws the other. They collect their rows privately and publish them when
// the walk ends, so a reader never sees an array while it grows, whether it waits for the end
// notification or only pauses.
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "platform/win/Event.h"
#include "platform/win/WinTypes.h"

// One variable of a multi-variable SET. The value belongs to the caller and is read during
// the call only.
struct VARBIND_INFO {
    std::string oid;              // full OID with its instance
    const char* value = nullptr;  // decimal text (INTEGER, Unsigned32), bytes (OCTET STRING) or
                                  // dotted text (OBJECT IDENTIFIER)
    int type = 0;                 // 1 INTEGER, 2 OCTET STRING, 3 OBJECT IDENTIFIER, 10 Unsigned32
    int length = 0;               // number of value bytes
};

// Sent to the owner window when the VLAN table walk has reached the end of the table.
constexpr UINT WM_VLAN_TABLE_READ = WM_USER + 107;
constexpr WPARAM kVlanTableEnd = 2;

class CModuleBase {
public:
    CModuleBase();
    CModuleBase(const CModuleBase&) = delete;
    CModuleBase& operator=(const CModuleBase&) = delete;
    // Stops a running walk and waits for it before anything its callbacks write is freed.
    virtual ~CModuleBase();

    virtual int Execute(const std::string& text, int arg1, int arg2, int arg3, int arg4);

    // 0 for no window (nothing stored), else 1.
    int SetHwnd(HWND hwnd);
    // A GET of one object: 1 with the first variable's value (the bytes of an OCTET STRING,
    // the text of anything else), 0 with value untouched on failure or error status.
    int GetValue(const std::string& oid, std::string& value);
    // One SET carrying every variable in array order: 1 when answered with error status 0.
    int SetValues(const VARBIND_INFO* list, int count);
    // "1", "4", "5" or "6" only; 1 when the switch answered at all, whatever its error status
    // (the re-read that follows shows what the switch holds).
    int SetRowStatus(const std::string& oid, const std::string& value);
    // Starts the trunk-member walk; returns at once.
    void ReadTrunkPorts();
    // Waits until the trunk walk started last has published its rows (at once when none
    // runs), at most timeoutMs of the program clock; on the user-interface thread the wait
    // keeps serving the workers' blocking calls, so the walk can deliver. True when it ended.
    // A check that judges the trunk table (CheckTrunkMembers) waits here first, since with
    // no rows delivered yet it accepts everything.
    bool WaitTrunkPorts(DWORD timeoutMs = kTrunkWaitMs);
    static constexpr DWORD kTrunkWaitMs = 30000;
    // 1 when every trunk's members carry equal values (or no trunk has been read), else 0.
    int CheckTrunkMembers(const int* values);
    // Starts the VLAN table walk; returns at once. The end is notified to the owner window.
    void ReadVlanTable();
    // The MAC address of interface 1 with its last byte lowered by one; "" on failure.
    void GetSystemMac(std::string& mac);
    // Sends a port list (already accepted by CUtils::ParsePortList) as a port bitmap.
    void SetPortBitmap(const std::string& portList, const std::string& oid);

    // The data the walks write, declared before the sessions so that the sessions (and with
    // them the walks) are gone before it is destroyed.
    std::atomic<HWND> m_hWnd{nullptr};
    // Element p-1: the trunk number of port p, 0 when it is in no aggregated link.
    std::vector<int> m_TrunkPorts;
    std::vector<std::string> m_arrVlanId;
    std::vector<std::string> m_arrVlanName;
    std::vector<std::string> m_arrVlanStatus;  // row status texts, "1" active
    // 1 once the last trunk walk delivered at least one row, else 0.
    std::atomic<int> m_bTrunkRead{0};

    CCommonSNMP m_cCommonSNMP;       // GetValue, SetValues
    CCommonSNMP m_cCommonSNMPSet;    // SetRowStatus
    CCommonSNMP m_cCommonSNMPTable;  // synchronous table requests of the features

private:
    // The per-row steps of the two walks.
    void OnTrunkPortsRow(const SnmpRow& row);
    void OnVlanTableRow(const SnmpRow& row);

    // Rows of the walk in progress, touched only by its callbacks until it is published.
    std::vector<int> m_walkTrunkPorts;
    int m_walkTrunkRows = 0;
    std::vector<std::string> m_walkVlanId;
    std::vector<std::string> m_walkVlanName;
    std::vector<std::string> m_walkVlanStatus;
    // Set while no trunk walk is running.
    win::Event m_trunkWalkIdle{true, true};

protected:
    // The walks of the base, and of a feature that walks one table at a time with them.
    // Last, so it closes before anything its handlers write goes.
    CSnmpRead m_tableRead;
};
