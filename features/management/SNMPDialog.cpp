#include "features/management/SNMPDialog.h"

BOOL CSNMPDialog::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_config.SetOwner(GetSafeHwnd());
    return TRUE;
}

BOOL CSNMPDialog::DestroyWindow() {
    CSNMPConfig::WriteDestroyLine();
    return CFeatureDialog::DestroyWindow();
}
