#pragma once
// DHCP server screening on the switch: the screening bitmap (a set bit screens the port; the
// dialogs show and take its complement, the trusted ports) and the table of trusted DHCP
// servers (walked row by row to the owner window, added and deleted through its row status).
#include <string>

#include "core/ModuleBase.h"
#include "core/SnmpRead.h"

class CEditEXIPV6;

// Sent to the owner window: wParam kDhcpServerRow with lParam a DHCPServerEntry (valid during
// the call) per row; wParam kDhcpServerEnd with the text "Finished" when the walk has ended,
// however it ended.
constexpr UINT WM_DHCP_SERVER = WM_USER + 101;
constexpr WPARAM kDhcpServerRow = 0;
constexpr WPARAM kDhcpServerEnd = 1;

struct DHCPServerEntry {
    std::string index;
    std::string type;     // "1" IPv4, "2" IPv6
    std::string address;  // dotted or compressed; "" for another type
    std::string rowStatus;
};

class CDHCPServerLogic : public CModuleBase {
public:
    static const std::string kScreeningPorts;
    static const std::string kServerTable;  // + column + .index

    ~CDHCPServerLogic() override;

    // The trusted ports as a range list ("1-4,6"); unchanged when the read fails.
    void GetScreeningPorts(std::string& trustedPorts);
    // Writes the complement of the listed ports; 1 written, 0 refused (with its message) or
    // failed. The trunk check waits for a trunk walk still running.
    int SetScreeningPorts(const std::string& trustedPorts);
    void ReadServerTable();
    // Operation 1 adds the server of m_pAddressEdit at the index, 3 deletes the index; 1 done.
    int SetServerEntry(const std::string& index, const std::string& address, int operation);
    void Close();

    HWND m_hOwnerWnd = nullptr;
    CEditEXIPV6* m_pAddressEdit = nullptr;  // not owned

private:
    int AddServer(const std::string& index);
    void Notify(WPARAM kind, LPARAM data);

    CCommonSNMP m_cCommonSNMPWrite;
    CSnmpRead m_serverRead;  // last: closes before anything its handlers touch
};
