#pragma once
// "PVID Configuration": the VLAN that untagged frames arriving on each port join, one edit a
// port. Opened by the VLAN list's PVID button, which lends it the VLAN list and re-reads its
// own list however this dialog ends. Apply writes every port and ends with IDOK; it is
// enabled only while the edits show a complete read of the switch's PVIDs.
#include <memory>
#include <vector>

#include "core/SnmpRead.h"
#include "core/controls/lxDialog.h"
#include "features/vlan/PvidLogic.h"
#include "features/vlan/VlanEntry.h"

class CKRVPVIDConfig : public ClxDialog {
public:
    explicit CKRVPVIDConfig(CWnd* parent = nullptr);
    ~CKRVPVIDConfig() override;

    const VlanEntry* m_pVlanHead = nullptr;  // borrowed, set before DoModal

    // True until the PVID read has ended and the trunk walk has delivered its rows.
    bool ReadsRunning() const;

protected:
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;
    void OnOK() override;

private:
    void CreatePortControls();
    void Refresh();
    void OnRefresh();
    void OnPvidRow(const SnmpRow& row);
    void OnPvidReadEnd(const SnmpReadResult& result);
    void OnPvidChange(UINT id);

    int m_nPortNum = 0;
    std::vector<int> m_arrPvid;
    std::vector<std::unique_ptr<CWnd>> m_portControls;
    CSnmpRead m_cCommonSNMPPvid;
    CPvidLogic m_logic;

    DECLARE_MESSAGE_MAP()
};
