#pragma once
// "LLDP MED Settings": whether each port sends the LLDP-MED Power PSE TLV, and the setting
// written for a From..To range of ports (ports 1 to 8). While LLDP is disabled on the switch
// the setting controls stay disabled; the list is read in any case.
#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"
#include "core/controls/PortRangeCombos.h"

class CLLDPMED : public CFeatureDialog {
public:
    static constexpr int kRangePorts = 8;
    static constexpr DWORD kSettleMs = 1000;  // between the writes and the walk that shows them

    explicit CLLDPMED(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;

private:
    void OnRefresh() { GetLLDPEnable(); }
    void GetLLDPEnable();
    void ReadMedTable();
    void WalkCallback(const SnmpRow& row);
    void OnSetLLDPMedinfo();
    void OnSelchangeFromPort() { m_ports.OnFromChange(); }
    void OnSelchangeToPort() { m_ports.OnToChange(); }

    CCommonSNMP m_cCommonSNMPEnable;  // the LLDP state
    CCommonSNMP m_cCommonSNMPSet;     // the writes
    CPortRangeCombos m_ports;
    CSnmpRead m_cCommonSNMP;  // the walk; last, so it closes first

    DECLARE_MESSAGE_MAP()
};
