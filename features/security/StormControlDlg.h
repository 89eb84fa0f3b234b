#pragma once
// "Storm Control": the switch's storm control state, the kind of traffic it limits and the
// threshold N x 64 Kbps. Reads the settings on opening and after every write; Apply writes
// only what the user changed. CStormControlDlg dlg; dlg.DoModal();
#include "core/controls/FeatureDialog.h"
#include "features/security/StormControlLogic.h"
#include "platform/ui/Controls.h"

class CStormControlDlg : public CFeatureDialog {
public:
    explicit CStormControlDlg(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.Close(); }

private:
    void Refresh();
    void OnApply();
    void OnEnableClicked();
    void OnNChanged();
    LRESULT OnStormControl(WPARAM kind, LPARAM data);
    void ShowRecord(const StormControlRecord& record);
    void EnableSettings();

    CStormControlLogic m_logic;
    StormControlRecord m_lastRead;  // empty until a read succeeds

    DECLARE_MESSAGE_MAP()
};
