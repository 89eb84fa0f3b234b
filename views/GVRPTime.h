#pragma once
// "GVRP Global Settings": the switch's GVRP state with the Join, Leave and LeaveAll timers,
// read and written. CGVRPTime dlg; dlg.DoModal();
#include <string>

#include "core/controls/FeatureDialog.h"
#include "views/GVRPFunLogic.h"

class CGVRPTime : public CFeatureDialog {
public:
    explicit CGVRPTime(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.Close(); }

private:
    void OnRefresh();
    void OnApply();
    void OnEnabled() { EnableTimers(true); }
    void OnDisabled() { EnableTimers(false); }
    void OnClose() { OnCancel(); }
    void EnableTimers(bool enable);
    void EnableButtons(bool enable);
    LRESULT OnGvrp(WPARAM code, LPARAM data);

    std::string m_strState;  // P.30.1.0 as read last
    CGVRPFunLogic m_logic;

    DECLARE_MESSAGE_MAP()
};
