#pragma once
// IP-MAC-port binding on the switch: per-port binding settings, the binding table that the
// switch's address scan fills, the white list of hosts bound by hand and the black list of
// blocked hosts. Each binding dialog holds one; rows reach the owner window (SetHwnd) with
// SendMessage on the user-interface thread: wParam kImpbRow with the record (valid during
// the call) per row, then wParam kImpbEnd with lParam 0 however the read ended.
#include <string>

#include "core/ModuleBase.h"
#include "core/SnmpRead.h"

class CEditEXIPV6;

constexpr UINT WM_IMPB_LIST_ROW = WM_USER + 1101;  // binding table, white list, black list
constexpr UINT WM_IMPB_PORT_ROW = WM_USER + 1102;  // port settings
constexpr WPARAM kImpbRow = 0;
constexpr WPARAM kImpbEnd = 1;

// A row of the binding table, the white list or the black list.
struct IMPBEntry {
    std::string ip;   // dotted IPv4; IPv6 as the table gives it
    std::string mac;  // "00-11-22-33-44-55"
    std::string vid;  // "" for the white list
    std::string port;
    std::string state;  // binding ("1" bound), row status, or the black list's delete column
};

// A row of the port settings, or new settings (port then empty).
struct IMPBPortEntry {
    std::string port;
    std::string adminState;    // "1" enabled, "0" disabled
    std::string inspection;    // "1" ARP and IP, "0" ARP only
    std::string dhcpSnooping;  // "1" enabled, "0" disabled
};

struct IMPBScanRequest {
    std::string from;
    std::string to;
    std::string start;  // written to the scan start
};

// The instance suffixes of the three tables (each with its leading "."), from record texts.
// Binding table: MAC, port, then ".4.a.b.c.d" or ".16" and the 16 bytes of the full IPv6 text.
std::string ImpbBindingIndex(const IMPBEntry& entry);
// White list: ".4.a.b.c.d" or ".16" and the 16 bytes of the IPv6 address, then the MAC.
std::string ImpbWhiteListIndex(const IMPBEntry& entry);
// Black list: MAC, VID, port.
std::string ImpbBlackListIndex(const IMPBEntry& entry);

class CIMPFunclogic : public CModuleBase {
public:
    static const std::string kImpb;  // the feature's subtree, + ".1.1.2.5" and so on

    ~CIMPFunclogic() override;

    void ReadPortSettings();
    void ReadBindingTable();
    // Sets m_nWhiteListCount to 0 first.
    void ReadWhiteList();
    void ReadBlackList();

    // The range from the two edits (m_pScanFromEdit, m_pScanToEdit), then the start value.
    int StartScan(const IMPBScanRequest& request);
    int BindEntry(const IMPBEntry& entry);
    // Operation 1 adds the entry (createAndWait, port, activate; "Success!" only when all
    // three were accepted, else a failure message), 3 deletes it; any other does nothing.
    int SetWhiteListEntry(const IMPBEntry& entry, int operation);
    int DeleteBlackListEntry(const IMPBEntry& entry);
    // One request per port from fromPort to toPort; none when fromPort is above toPort.
    int SetPortSettings(const std::string& fromPort, const std::string& toPort, const IMPBPortEntry& settings);
    // Reads the trunks anew and waits for the walk; enabling (adminState "1") a range that
    // holds a trunk member is refused (0). Disabling is never refused.
    int CheckTrunkPorts(const std::string& fromPort, const std::string& toPort, const std::string& adminState);
    void Close();

    // The scan dialog's range edits, not owned.
    CEditEXIPV6* m_pScanFromEdit = nullptr;
    CEditEXIPV6* m_pScanToEdit = nullptr;
    // The white-list rows a dialog counted since the last white-list read started.
    int m_nWhiteListCount = 0;

    // The wait between two writes of one operation, on the program clock.
    static constexpr DWORD kWritePauseMs = 50;
    static constexpr int kBindingReadTimeoutMs = 6000;

private:
    void NotifyList(WPARAM kind, const IMPBEntry* entry);

    CCommonSNMP m_cCommonSNMPWrite;
    // The three list reads share one read: starting one withdraws the one running.
    CSnmpRead m_listRead;
    CSnmpRead m_portRead;  // last: close before anything their handlers touch
};
