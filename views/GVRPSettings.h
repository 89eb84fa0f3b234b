#pragma once
// "GVRP Settings": every port's PVID, GVRP state, ingress checking and acceptable frame type,
// and those four written to a range of ports that splits no trunk. The three per-port choices
// are usable only while GVRP is enabled on the switch. CGVRPSettings dlg; dlg.DoModal();
#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"
#include "core/controls/PortRangeCombos.h"
#include "views/GVRPFunLogic.h"

class CGVRPSettings : public CFeatureDialog {
public:
    explicit CGVRPSettings(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.Close(); }

private:
    void OnRefresh();
    void OnApply();
    void OnFromChange() { m_ports.OnFromChange(); }
    void OnToChange() { m_ports.OnToChange(); }
    LRESULT OnGvrp(WPARAM code, LPARAM data);
    void FillChoice(ui::ControlId<CComboBox> id, std::initializer_list<const char*> items, const char* chosen);

    CListCtrlEx m_list;
    CPortRangeCombos m_ports;
    int m_nFinishedWalks = 0;  // of the three reads of one refresh
    CGVRPFunLogic m_logic;

    DECLARE_MESSAGE_MAP()
};
