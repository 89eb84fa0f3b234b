#pragma once
// "DHCP BOOTP Relay Global Settings": the BOOTP relay's state, hops count limit and time
// threshold, and the relay agent information option 82 (its state shown only, its check,
// policy and remote ID). CDHCPBOOTPRelayGlobalDlg dlg; dlg.DoModal();
#include "core/controls/FeatureDialog.h"
#include "views/DHCPBootpLogic.h"

class CDHCPBOOTPRelayGlobalDlg : public CFeatureDialog {
public:
    explicit CDHCPBOOTPRelayGlobalDlg(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.CloseSessions(); }

private:
    void OnRefresh();
    void OnApply();
    void OnRemoteIdTypeChange();
    LRESULT OnBootpNotify(WPARAM code, LPARAM data);
    void Show(const BootpRelayGlobalInfo& info);

    CDHCPBootpLogic m_logic;

    DECLARE_MESSAGE_MAP()
};
