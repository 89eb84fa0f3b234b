#include "shell/AboutDlg.h"

#include "core/DeviceProfile.h"

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(g_strDeviceName + " Module");
    SetDlgItemText(1049, g_strDeviceName + " Management Module");
    return TRUE;
}
