#pragma once
// "Loopback Detection Settings": loopback detection on or off, its mode, VLAN list, interval
// and recover time; every port's detection state and loop status; detection switched on or
// off for a range of ports, refused on ports running spanning tree or in an aggregated link.
#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"
#include "core/controls/PortRangeCombos.h"
#include "features/stp/LBDetectionFunLogic.h"

class CLoopbackDetection : public CFeatureDialog {
public:
    explicit CLoopbackDetection(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR id) override;

private:
    void OnRefresh();
    LRESULT OnLbdNotify(WPARAM code, LPARAM data);
    void OnGlobalRead(const LBDGlobalSettings& s);
    void OnEnabledClicked();
    void OnDisabledClicked();
    void OnModeChange();
    void OnFromPortChange();
    void OnToPortChange();
    void OnApplyGlobal();
    void OnApplyPorts();
    // 0 with its message when port p runs spanning tree while spanning tree is on.
    int CheckStpConflict(int port);
    void EnableGlobalButtons(bool enable);

    int m_bLbdEnabled = 0;
    CListCtrlEx m_list;
    CPortRangeCombos m_ports;
    CLBDetectionFunLogic m_logic;

    DECLARE_MESSAGE_MAP()
};
