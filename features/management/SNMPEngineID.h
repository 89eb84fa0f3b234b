#pragma once
// "SNMP Engine ID": the agent's engine ID as hexadecimal text, set or put back to the
// model's default.
#include "features/management/SNMPDialog.h"

class CSNMPEngineID : public CSNMPDialog {
public:
    explicit CSNMPEngineID(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCopyData(CWnd* from, COPYDATASTRUCT* data) override;

private:
    void OnApply();
    void OnDefault();
    void OnCloseButton() { EndDialog(IDCANCEL); }

    DECLARE_MESSAGE_MAP()
};
