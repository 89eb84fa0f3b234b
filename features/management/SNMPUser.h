#pragma once
// "SNMP User Table ": the agent's users, each with a version and a group and, for V3, its
// authentication and privacy protocols and pass phrases. The list never shows a pass phrase.
#include "features/management/SNMPTableDialog.h"

class CSNMPUser : public CSNMPTableDialog {
public:
    explicit CSNMPUser(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void StartRead() override { m_config.ReadUsers(); }
    void OnRow(WPARAM code, LPARAM record) override;

private:
    void OnApply();
    void OnDelete();
    void OnVersionChanged();
    void OnEncryptedClicked();
    void OnPrivProtocolChanged();
    void ResetInputs();

    DECLARE_MESSAGE_MAP()
};
