#pragma once
// "Auto Camera Vlan Port Settings": per port, whether the switch detects cameras for the auto
// surveillance VLAN and how the port belongs to that VLAN; detection switched on or off for a
// range of ports, never on for a trunk member. The opener gives the surveillance VLAN's id
// and state before DoModal; only the state "1" allows Apply.
#include <string>

#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/TrunkPortsWalk.h"
#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"
#include "core/controls/PortRangeCombos.h"

class CCameraVlanPortSetting : public CFeatureDialog {
public:
    explicit CCameraVlanPortSetting(CWnd* parent = nullptr);

    std::string m_SurveillanceVlanID;     // shown in "Vlan ID"
    std::string m_SurveillanceVlanState;  // "1" enabled

protected:
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;
    void CloseSessions() override;

private:
    void OnRefresh();
    void OnApply();
    void OnFromChange() { m_ports.OnFromChange(); }
    void OnToChange() { m_ports.OnToChange(); }
    void ReadPorts();
    void OnPortRow(const SnmpRow& row);
    // One read of a refresh ended; the buttons come back with the last.
    void OnReadEnd();
    bool ApplyAllowed() const { return m_SurveillanceVlanState == "1"; }

    int m_nPendingReads = 0;
    CListCtrlEx m_list;
    CPortRangeCombos m_ports;
    CCommonSNMP m_cCommonSNMPSet;  // the SETs of Apply
    CTrunkPortsWalk m_trunkWalk;
    CSnmpRead m_portRead;  // last: closed before what its handlers use

    DECLARE_MESSAGE_MAP()
};
