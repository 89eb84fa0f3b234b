#pragma once
// "SNMP Global State Settings": the switch's SNMP agent on or off.
#include "features/management/SNMPDialog.h"

class CSNMPGlobal : public CSNMPDialog {
public:
    explicit CSNMPGlobal(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCopyData(CWnd* from, COPYDATASTRUCT* data) override;

private:
    void OnApply();
    void OnCancelButton() { EndDialog(IDCANCEL); }

    DECLARE_MESSAGE_MAP()
};
