#pragma once
// "802.1X Global Settings ": the switch's 802.1X state, its authentication protocol (RADIUS
// or local) and whether EAPOL PDUs are forwarded while 802.1X is off. Apply writes only what
// changed against the last read and stays open. C8021XGlobalDlg dlg; dlg.DoModal();
#include <string>

#include "core/CommonSNMP.h"
#include "core/ModuleBase.h"
#include "core/controls/FeatureDialog.h"
#include "platform/ui/Controls.h"

class C8021XGlobalDlg : public CFeatureDialog {
public:
    static const std::string kState;
    static const std::string kProtocol;
    static const std::string kForwardEapol;
    // The pause between a write and the re-read, on the program clock.
    static constexpr DWORD kRereadDelayMs = 20;

    explicit C8021XGlobalDlg(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void CloseSessions() override;

private:
    void Refresh();
    void OnStateEnabled();
    void OnStateDisabled();

    CComboBox m_protocolList;
    int m_nState = -1;  // radio index: 0 Enabled, 1 Disabled
    int m_nEapol = -1;
    CCommonSNMP m_cCommonSNMP;  // the write
    CModuleBase m_module;       // the reads
    // The values last read ("" when a read failed).
    std::string m_strState;
    std::string m_strEapol;
    std::string m_strProtocol;

    DECLARE_MESSAGE_MAP()
};
