#pragma once
// The logic of static MAC entries and address learning: the walk of the static MAC table,
// adding and removing a row through its status, and the learning state with its uplink ports.
#include <string>

#include "core/ModuleBase.h"
#include "core/SnmpRead.h"
#include "platform/win/WinTypes.h"

// Sent to m_hWndOwner: wParam kStaticMacRow with lParam a StaticMacEntry (valid during the
// call) for each active row; wParam kStaticMacEnd with lParam "Finished" however the walk ends.
constexpr UINT WM_STATIC_MAC = WM_USER + 88;
constexpr WPARAM kStaticMacRow = 0;
constexpr WPARAM kStaticMacEnd = 1;

struct StaticMacEntry {
    std::string strVid;
    std::string strMac;  // "00-11-22-33-44-55"
    std::string strPort;
};

class CStaticMACLogic : public CModuleBase {
public:
    enum Action { kAdd = 1, kDelete = 3 };

    ~CStaticMACLogic() override;

    void GetStaticMacTable();
    // The entry's row created (kAdd) or destroyed (kDelete): 1 when the switch answered; any
    // other action does nothing and gives 1.
    int SetStaticMac(StaticMacEntry entry, int action);
    // The learning state into m_strAutoLearn ("" when the read fails) and the uplink ports as
    // a range list into m_strUplinkPorts (kept when that read fails).
    void GetAutoLearning();
    // The state, then with state "1" the uplink ports. Gives 1.
    int SetAutoLearning(const std::string& state, const std::string& uplinkPorts);
    // "1" when asymmetric VLAN is enabled; "" when the read fails.
    void GetAsymmetricVlan(std::string& state);
    // True while the table walk or the base's walk (VLANs, trunk members) has not ended.
    bool ReadsRunning() const { return m_tableMacRead.Running() || m_tableRead.Running(); }
    void Close();

    std::string m_strAutoLearn;
    std::string m_strUplinkPorts;
    std::atomic<HWND> m_hWndOwner{nullptr};

    CCommonSNMP m_cCommonSNMPSetLearn;

private:
    void Notify(WPARAM kind, LPARAM data);
    void OnStaticMacRow(const SnmpRow& row);

    CSnmpRead m_tableMacRead;  // last: closed before what its handlers use
};
