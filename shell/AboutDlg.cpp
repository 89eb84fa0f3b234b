#include "shell/AboutDlg.h"

#include "core/DeviceProfile.h"

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(g_strDeviceName + " Module");
    SetDlgItemText(about_ids::IDC_MODEL_NAME, g_strDeviceName + " Management Module");
    return TRUE;
}
