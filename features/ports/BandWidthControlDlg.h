#pragma once
// "BandWidth Control": every port's transmit and receive rate limit, and a limit of one
// direction or both written to a range of ports outside any aggregated link.
// Opened from the menu: CBandWidthControlDlg dlg; dlg.DoModal();
#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"
#include "core/controls/PortRangeCombos.h"
#include "features/ports/BandWidthControlFunLogic.h"

class CBandWidthControlDlg : public CFeatureDialog {
public:
    explicit CBandWidthControlDlg(CWnd* parent = nullptr);

    // True while the table walk or the trunk walk has not ended.
    bool ReadsRunning() const { return m_logic.ReadsRunning(); }

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.Close(); }

private:
    void OnRefresh();
    void OnApply();
    void OnFromChange() { m_ports.OnFromChange(); }
    void OnToChange() { m_ports.OnToChange(); }
    void OnNoLimitChange();
    void ResetInputs();
    LRESULT OnBandwidth(WPARAM wParam, LPARAM lParam);

    CListCtrlEx m_list;
    CPortRangeCombos m_ports;
    CBandWidthControlFunLogic m_logic;

    DECLARE_MESSAGE_MAP()
};
