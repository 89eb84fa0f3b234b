#pragma once
// "Device Parameter Configuration": the device address and the request time-out this
// process uses from now on. Sessions and dialogs made afterwards take the new values; those
// made before keep their copies. Nothing is sent to the device.
#include <string>

#include "core/controls/FeatureDialog.h"

class SetupDlg : public CFeatureDialog {
public:
    explicit SetupDlg(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // Stores, then ends the dialog; a refused time-out keeps it open.
    void OnOK() override;

private:
    void OnApply() { Store(); }
    // Stores the address and the time-out; false (nothing stored) when the time-out box does
    // not hold a number of at least 1 (the exchange has said so).
    bool Store();

    std::string m_strAddress;
    int m_nTimeout = 0;

    DECLARE_MESSAGE_MAP()
};
