#pragma once
// "The VLAN Settings of IGMP snooping ": every VLAN's snooping state, querier state, fast
// leave and static router ports; a change of one VLAN's settings, and its router ports
// chosen with one check box per port. Writes are allowed only while snooping is enabled
// globally (the state the global dialog read last).
#include <string>
#include <vector>

#include "core/controls/ListCtrlEx.h"
#include "core/controls/PortBoxes.h"
#include "core/controls/lxDialog.h"
#include "features/ports/IGMPSnoopingLogic.h"

class CIGMPSnoopingVLANSetting : public ClxDialog {
public:
    explicit CIGMPSnoopingVLANSetting(CWnd* parent = nullptr);

    // The global snooping state handed over before DoModal ("1" enabled).
    std::string m_strGlobalState;

    // The horizontal room of one router-port box for a port count.
    static int CellWidth(int ports);
    // The router-port set as the switch takes it: 8 bytes on 28 ports, 12 on 52, else the
    // usual port bitmap of the port count.
    static std::vector<unsigned char> RouterPortBytes(const std::vector<int>& ports);

protected:
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;

private:
    void CreateRouterPortBoxes();
    void OnRefresh();
    LRESULT OnVlanRow(WPARAM wParam, LPARAM lParam);
    void OnListClick(NMHDR* header, LRESULT* result);
    void OnStateChange();
    void OnApplyVlan();
    void OnPortBox(UINT id);
    void OnApplyRouterPorts();
    void OnViewEntries();
    void EnableVlanPortBoxes(const std::string& vlanId);
    void EnableSettingsLists(bool enable);
    CComboBox& Combo(int id);

    CListCtrlEx m_list;
    CIGMPSnoopingLogic m_logic;
    CPortBoxes m_routerPorts;
    int m_nPortNum = 0;
    // Element p-1 is 1 when port p is chosen as static router port.
    std::vector<int> m_portValue;

    DECLARE_MESSAGE_MAP()
};
