#pragma once
// The engine values of the agent in four read-only boxes; every Refresh reads them anew.
#include "views/direct/DirectSnmpDlg.h"

class CEngineInfo : public CDirectSnmpDlg {
public:
    CEngineInfo();

protected:
    BOOL OnInitDialog() override;
    void OnRefresh();

private:
    void Read();

    DECLARE_MESSAGE_MAP()
};
