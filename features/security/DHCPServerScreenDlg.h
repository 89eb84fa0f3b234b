#pragma once
// "DHCP Server Screening Settings  ": the ports on which DHCP server messages are accepted
// (a port list) and up to five trusted DHCP server addresses. CDHCPServerScreenDlg dlg; dlg.DoModal();
#include <string>

#include "core/controls/EditEXIPV6.h"
#include "core/controls/FeatureDialog.h"
#include "features/security/DHCPServerLogic.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

class CDHCPServerScreenDlg : public CFeatureDialog {
public:
    explicit CDHCPServerScreenDlg(CWnd* parent = nullptr);

    static constexpr int kMaxServers = 5;

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.Close(); }

private:
    void Refresh();
    void EnableServerButtons(bool enable);
    LRESULT OnServerRow(WPARAM kind, LPARAM data);
    void OnApplyTrustedPorts();
    void OnAddServer();
    void OnDeleteServer();

    CEditEXIPV6 m_address;
    CDHCPServerLogic m_logic;
    std::string m_strTrustedPorts;  // as last read

    DECLARE_MESSAGE_MAP()
};
