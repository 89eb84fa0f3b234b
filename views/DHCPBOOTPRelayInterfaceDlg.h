#pragma once
// "DHCP/BOOTP Relay Interface Settings": the relay servers of the interface "System" (at most
// four), one added by its address and the selected one deleted.
// CDHCPBOOTPRelayInterfaceDlg dlg; dlg.DoModal();
#include <string>
#include <vector>

#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"
#include "views/DHCPBootpLogic.h"

class CDHCPBOOTPRelayInterfaceDlg : public CFeatureDialog {
public:
    explicit CDHCPBOOTPRelayInterfaceDlg(CWnd* parent = nullptr);

    static constexpr int kMaxServers = 4;
    static constexpr DWORD kActivateDelayMs = 50;  // between createAndWait and active

    // True while the server walk runs.
    bool Walking() const { return m_logic.Walking(); }

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override { m_logic.CloseSessions(); }

private:
    void OnRefresh();
    void OnAddServer();
    void OnDeleteServer();
    LRESULT OnBootpNotify(WPARAM code, LPARAM data);

    CListCtrlEx m_list;
    std::vector<std::string> m_arrServerIP;  // the addresses of the rows listed, in list order
    CDHCPBootpLogic m_logic;

    DECLARE_MESSAGE_MAP()
};
