#include "features/management/RmonStatus.h"

#include "resources/templates/ManagementDialogsIds.h"

using namespace rmon_status_ids;

BEGIN_MESSAGE_MAP(CRmonStatus, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, Refresh)
    ON_BN_CLICKED(IDC_APPLY, Apply)
    ON_BN_CLICKED(IDC_CLOSE, OnCloseButton)
END_MESSAGE_MAP()

CRmonStatus::CRmonStatus(CWnd* parent) : CFeatureDialog(IDD, {}, parent) {}

BOOL CRmonStatus::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    Refresh();
    return TRUE;
}

void CRmonStatus::EnableButtons(bool enable) {
    for (auto id : {IDC_CLOSE, IDC_APPLY, IDC_REFRESH}) Item(id).EnableWindow(enable ? TRUE : FALSE);
}

void CRmonStatus::Refresh() {
    EnableButtons(false);
    int enabled = 0;
    if (m_rmon.GetRmonState(enabled)) {
        Item(IDC_ENABLE).SetCheck(enabled ? BST_CHECKED : BST_UNCHECKED);
        Item(IDC_DISABLE).SetCheck(enabled ? BST_UNCHECKED : BST_CHECKED);
    }
    EnableButtons(true);
}

void CRmonStatus::Apply() {
    const int enable = Item(IDC_ENABLE).GetCheck() == BST_CHECKED ? 1 : 0;
    EnableButtons(false);
    m_rmon.SetRmonState(enable);
    Refresh();
}
