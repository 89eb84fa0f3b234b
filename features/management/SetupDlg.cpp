#include "features/management/SetupDlg.h"

#include <climits>
#include <cstdlib>

#include "core/ModuleStartupParams.h"
#include "resources/templates/ServiceDialogsIds.h"

using namespace device_setup_ids;

BEGIN_MESSAGE_MAP(SetupDlg, CFeatureDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
END_MESSAGE_MAP()

SetupDlg::SetupDlg(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL SetupDlg::OnInitDialog() {
    m_strAddress = ModuleStartupParams::DeviceIP;
    m_nTimeout = std::atoi(ModuleStartupParams::TimeoutMs.c_str());
    CFeatureDialog::OnInitDialog();
    return TRUE;
}

void SetupDlg::DoDataExchange(CDataExchange* dx) {
    CFeatureDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_DEVICE_IP, m_strAddress);
    // A time-out of 0 would leave every later session without a wait for its answers.
    DDX_Text(dx, IDC_TIMEOUT, m_nTimeout);
    DDV_MinMaxInt(dx, m_nTimeout, 1, INT_MAX);
}

bool SetupDlg::Store() {
    if (!UpdateData(TRUE)) return false;
    ModuleStartupParams::DeviceIP = m_strAddress;
    ModuleStartupParams::TimeoutMs = std::to_string(m_nTimeout);
    return true;
}

void SetupDlg::OnOK() {
    if (Store()) EndDialog(IDOK);
}
