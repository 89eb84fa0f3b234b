#include "views/direct/EngineInfo.h"

#include "platform/ui/Gdi.h"

BEGIN_MESSAGE_MAP(CEngineInfo, CDialog)
    ON_BN_CLICKED(241, OnRefresh)
END_MESSAGE_MAP()

CEngineInfo::CEngineInfo()
    : CDirectSnmpDlg(471, {{"1.3.6.1.6.3.10.2.1.1.0", 249, ScalarField::Hex},
                           {"1.3.6.1.6.3.10.2.1.2.0", 250},
                           {"1.3.6.1.6.3.10.2.1.3.0", 251},
                           {"1.3.6.1.6.3.10.2.1.4.0", 252}}) {}

BOOL CEngineInfo::OnInitDialog() {
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(::LoadIcon(nullptr, 447), TRUE);
    TakeSettings();
    Read();
    return TRUE;
}

void CEngineInfo::OnRefresh() { Read(); }

// The boxes keep what they show until new values arrive.
void CEngineInfo::Read() {
    if (m_settings.version == 1) ReadScalarsMember();
    else if (m_settings.version == 3) ReadScalarsV3();
}
