#pragma once
// "DHCP Local Relay Settings": the DHCP/BOOTP local relay switched on or off globally and per
// VLAN, with the VLANs listed with their state. The dialog stays disabled while the VLANs
// are read. CDHCPLocalRelayDlg dlg; dlg.DoModal();
#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"
#include "views/DHCPBootpLogic.h"

class CDHCPLocalRelayDlg : public CFeatureDialog {
public:
    explicit CDHCPLocalRelayDlg(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.CloseSessions(); }

private:
    void OnRefresh();
    void OnApplyGlobal();
    void OnApplyVlan();
    void OnVidChange();
    LRESULT OnBootpNotify(WPARAM code, LPARAM data);
    void AddVlanRow(const LocalRelayVlanEntry& entry);

    CListCtrlEx m_list;
    CDHCPBootpLogic m_logic;

    DECLARE_MESSAGE_MAP()
};
