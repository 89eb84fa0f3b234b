#pragma once
// "Smart Binding Settings": every port's binding settings in a list, and new settings for a
// range of ports. Enabling binding on every port at once is refused while no white-list entry
// is known, since the switch would then drop the administrator's own traffic.
// CSmartBindingSettings dlg; dlg.DoModal();
#include "core/controls/PortRangeCombos.h"
#include "core/controls/RowTableDialog.h"
#include "features/security/IMPFunclogic.h"

class CSmartBindingSettings : public CRowTableDialog {
public:
    explicit CSmartBindingSettings(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.Close(); }

private:
    void Refresh();
    LRESULT OnPortRow(WPARAM kind, LPARAM data);
    LRESULT OnWhiteListRow(WPARAM kind, LPARAM data);
    void OnApply();
    void OnFromPortChange() { m_ports.OnFromChange(); }
    void OnToPortChange() { m_ports.OnToChange(); }
    void OnInspectionChange();

    CPortRangeCombos m_ports;
    CIMPFunclogic m_logic;

    DECLARE_MESSAGE_MAP()
};
