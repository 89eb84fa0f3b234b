#include "views/direct/EngineInfo.h"

#include "resources/templates/AgentTableViewsIds.h"

using namespace agent_table_ids;

BEGIN_MESSAGE_MAP(CEngineInfo, CDirectSnmpDlg)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CEngineInfo::CEngineInfo()
    : CDirectSnmpDlg(IDD_ENGINE, {{"1.3.6.1.6.3.10.2.1.1.0", IDC_ENGINE_ID, ScalarField::Hex},
                                  {"1.3.6.1.6.3.10.2.1.2.0", IDC_ENGINE_BOOTS},
                                  {"1.3.6.1.6.3.10.2.1.3.0", IDC_ENGINE_TIME},
                                  {"1.3.6.1.6.3.10.2.1.4.0", IDC_ENGINE_MAX_MESSAGE}}) {}

BOOL CEngineInfo::OnInitDialog() {
    CDirectSnmpDlg::OnInitDialog();
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
