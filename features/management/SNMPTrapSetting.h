#pragma once
// "SNMP Trap Configuration": which notifications the switch sends. The PoE switches show on
// models with PoE only, and only then are they read and written.
#include "features/management/SNMPDialog.h"

class CSNMPTrapSetting : public CSNMPDialog {
public:
    explicit CSNMPTrapSetting(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;

private:
    void OnApply();
    void OnCloseButton() { EndDialog(IDCANCEL); }
    LRESULT OnReport(WPARAM code, LPARAM record);

    bool m_bPoE = false;

    DECLARE_MESSAGE_MAP()
};
