#pragma once
// "802.1X User": the switch's local 802.1X accounts. Lists the active ones, adds a user
// (created, given its password, activated) and deletes the selected one. Enter and Esc do
// nothing; Close or the close box end it. C8021XUserDLG dlg; dlg.DoModal();
#include <string>

#include "core/CommonSNMP.h"
#include "core/controls/FeatureDialog.h"
#include "features/security/8021XSettingLogic.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListCtrl.h"

class C8021XUserDLG : public CFeatureDialog {
public:
    explicit C8021XUserDLG(CWnd* parent = nullptr);

    // The row index of a user name: its length and bytes (".4.97.98.49.50").
    static std::string UserIndex(const std::string& name);

protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void CloseSessions() override;

private:
    void Read();
    void EnableControls(bool enable);
    void EmptyInputs();
    LRESULT OnReadEnd(WPARAM, LPARAM);
    void OnAdd();
    // The three writes of an add; false after the first that failed.
    bool WriteUser(const std::string& index, const std::string& password);
    void OnDelete();
    void OnRefresh();
    void OnCloseButton();

    C8021XSettingLogic m_logic;
    CCommonSNMP m_passwordSession;

    DECLARE_MESSAGE_MAP()
};
