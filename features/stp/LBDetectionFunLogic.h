#pragma once
// The logic of loopback detection: the global settings, every port's detection state and
// loop status, the VLANs a loop disabled on each port, and the writes of the global settings
// and of a range of ports. Notifications go to the window given with SetHwnd as
// WM_LBD_NOTIFY (wParam below), by SendMessage on the user-interface thread.
#include <string>
#include <vector>

#include "core/ModuleBase.h"

constexpr UINT WM_LBD_NOTIFY = WM_USER + 10;
constexpr WPARAM kLbdGlobalRead = 0;  // lParam: the logic's LBDGlobalSettings
constexpr WPARAM kLbdPortRow = 1;     // lParam: an LBDPortEntry
constexpr WPARAM kLbdPortsWritten = 3;
constexpr WPARAM kLbdReadEnd = 5;  // the global read and the port walk have both ended
constexpr WPARAM kLbdVlanLoopEnd = 6;

struct LBDGlobalSettings {
    int enabled = 0;  // 1 when the state read is "1"
    std::string interval;
    std::string recoverTime;
    std::string mode;  // "1" port-based, "2" VLAN-based
    std::string vlanList;
};

struct LBDPortEntry {
    std::string port;
    std::string state;       // "Enabled" / "Disabled"
    std::string loopStatus;  // "Normal" / "Disabled"
};

class CLBDetectionFunLogic : public CModuleBase {
public:
    CLBDetectionFunLogic();
    // Closes the reads before the loop texts go.
    ~CLBDetectionFunLogic() override;

    void GetGlobalSettings();
    void GetPortStates();
    void GetVlanLoopStates();
    // The checks, then one SET: the state alone, or with mode, interval, recover time and
    // VLAN list when enabling. 1 when a request went out, 0 when an input was refused.
    int SetGlobalSettings(const std::string& state, const std::string& mode, const std::string& interval,
                          const std::string& recoverTime, const std::string& vlanList);
    // One SET a port, first to last; then kLbdPortsWritten.
    void SetPortStates(int first, int last, const std::string& state);
    // The VLANs a loop disabled on a port ("10,20,"), "" for none or a port outside the texts.
    std::string LoopVlans(int port) const;

    LBDGlobalSettings m_GlobalSettings;

private:
    void Notify(WPARAM code, LPARAM data = 0);
    void ReadPartEnded();

    std::vector<std::string> m_strLoopVlans;  // element p-1: port p, ports 1..min(N, 100)
    std::string m_strCurrentVlan;
    int m_nReadParts = 0;  // of the global read and the port walk, those still running

    CCommonSNMP m_cCommonSNMPWrite;
    // Last: closed before the records their handlers write.
    CSnmpRead m_globalRead;
    CSnmpRead m_portRead;
    CSnmpRead m_vlanLoopRead;
};
