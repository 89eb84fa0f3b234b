#pragma once
// "RMON Global Settings ": RMON on or off. Neither choice is shown before a read succeeds.
#include "core/controls/FeatureDialog.h"
#include "features/management/RMON.h"

class CRmonStatus : public CFeatureDialog {
public:
    explicit CRmonStatus(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_rmon.Close(); }

private:
    void Refresh();
    void Apply();
    void EnableButtons(bool enable);
    void OnCloseButton() { SendMessage(WM_CLOSE); }

    CRMON m_rmon;

    DECLARE_MESSAGE_MAP()
};
