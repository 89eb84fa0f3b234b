#pragma once
// "Authentication RADIUS Server": the switch's RADIUS servers for 802.1X. Lists the active
// ones, writes the server at an index whole (an existing row there is destroyed first) and
// deletes the selected one. Enter and Esc do nothing. C8021XAuRadiusServerDLG dlg; dlg.DoModal();
#include <string>

#include "core/controls/EditEXIPV6.h"
#include "core/controls/FeatureDialog.h"
#include "features/security/8021XSettingLogic.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

class C8021XAuRadiusServerDLG : public CFeatureDialog {
public:
    explicit C8021XAuRadiusServerDLG(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void CloseSessions() override { m_logic.Close(); }

private:
    void ResetInputs();
    void Read();
    void EnableButtons(bool enable);
    LRESULT OnReadEnd(WPARAM, LPARAM);
    void OnApply();
    // The checks of Apply after the exchange; false after a refusal.
    bool CheckInputs();
    // The writes of Apply at this instance (".2"); false at the first one not accepted.
    bool WriteServer(const std::string& instance);
    void OnDelete();
    void OnRefresh();
    void OnCloseButton();

    C8021XSettingLogic m_logic;
    CEditEXIPV6 m_address;
    int m_nAuthPort = 1812;
    int m_nAcctPort = 1813;
    int m_nTimeout = 5;
    int m_nRetransmit = 2;
    std::string m_strKey;
    std::string m_strConfirmKey;

    DECLARE_MESSAGE_MAP()
};
