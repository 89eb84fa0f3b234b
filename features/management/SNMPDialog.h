#pragma once
// The base of the SNMP agent dialogs that show single values (trap switches, engine ID,
// global state): topmost, its own CSNMPConfig reporting to the window, and the closing of
// the table dialogs ("==================DestroyWindow===============", the window goes, then
// the sessions close).
#include "core/controls/FeatureDialog.h"
#include "features/management/SNMPConfig.h"

class CSNMPDialog : public CFeatureDialog {
protected:
    CSNMPDialog(UINT templateId, CWnd* parent) : CFeatureDialog(templateId, {.topmost = true}, parent) {}

    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;
    void CloseSessions() override { m_config.Close(); }

    CSNMPConfig m_config;
};
