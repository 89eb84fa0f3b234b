#pragma once
// "Jumbo Frame Configuration": switches the switch's jumbo-frame support on or off.
// Opened from the menu: CJumboFrameconfigdlg dlg; dlg.DoModal();
#include "core/CommonSNMP.h"
#include "core/controls/FeatureDialog.h"
#include "platform/ui/Controls.h"

class CJumboFrameconfigdlg : public CFeatureDialog {
public:
    explicit CJumboFrameconfigdlg(CWnd* parent = nullptr);

    // Checks the box when the switch reads "1"; a failed read leaves it as it is.
    void ReadJumbo();
    // Writes the box's state; true when the switch accepted it.
    bool ApplyJumbo();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

private:
    CButton m_checkJumbo;
    CCommonSNMP m_cCommonSNMP;
};
