#include "features/management/SNMPGlobal.h"

#include "resources/templates/ManagementDialogsIds.h"

using namespace snmp_global_ids;

BEGIN_MESSAGE_MAP(CSNMPGlobal, CSNMPDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_CANCEL, OnCancelButton)
    ON_WM_COPYDATA()
END_MESSAGE_MAP()

CSNMPGlobal::CSNMPGlobal(CWnd* parent) : CSNMPDialog(IDD, parent) {}

BOOL CSNMPGlobal::OnInitDialog() {
    CSNMPDialog::OnInitDialog();
    m_config.GetSnmpState();
    return TRUE;
}

BOOL CSNMPGlobal::OnCopyData(CWnd*, COPYDATASTRUCT* data) {
    if (data) Item(IDC_ENABLE).SetCheck(data->dwData == 1 ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CSNMPGlobal::OnApply() {
    CWaitCursor wait;
    // Read back only what the switch took; a refusal shows nothing.
    if (m_config.SetSnmpState(Item(IDC_ENABLE).GetCheck() == BST_CHECKED ? "1" : "2")) m_config.GetSnmpState();
}
