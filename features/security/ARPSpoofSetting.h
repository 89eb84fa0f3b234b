#pragma once
// "ARP Spoofing Prevention Setting": the active gateway bindings of the switch, the entry of a
// new one (CAddARPEntry) and the deletion of the selected one. CARPSpoofSetting dlg; dlg.DoModal();
#include "core/controls/RowTableDialog.h"
#include "features/security/ARPSpoofLogic.h"

class CARPSpoofSetting : public CRowTableDialog {
public:
    explicit CARPSpoofSetting(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.Close(); }

private:
    void Refresh();
    void OnRow(const ARPSpoofEntry& entry);
    void OnAdd();
    void OnDelete();

    CARPSpoofLogic m_logic;

    DECLARE_MESSAGE_MAP()
};
