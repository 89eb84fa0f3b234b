#pragma once
// "Static MAC Configuration": the switch's static MAC entries (MAC address, VLAN, port), added
// and deleted one at a time, and MAC address learning with its uplink ports.
// Opened from the menu: CStaticMACDlg dlg; dlg.DoModal();
#include <string>

#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"
#include "features/ports/StaticMACLogic.h"

class CStaticMACDlg : public CFeatureDialog {
public:
    explicit CStaticMACDlg(CWnd* parent = nullptr);

    // True while a read started by the last refresh has not ended.
    bool ReadsRunning() const { return m_logic.ReadsRunning(); }

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.Close(); }

private:
    void OnRefresh();
    void OnAdd();
    void OnDelete();
    void OnApply();
    void OnLearnEnabled();
    void OnLearnDisabled();
    LRESULT OnStaticMac(WPARAM wParam, LPARAM lParam);
    void ResetAddInputs();
    void EnableButtons(BOOL enable);

    CListCtrlEx m_list;
    CStaticMACLogic m_logic;

    DECLARE_MESSAGE_MAP()
};
