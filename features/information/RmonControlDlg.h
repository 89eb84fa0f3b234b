#pragma once
// "RMON Control": the six RMON control objects of the device, four of them written by Apply
// (version "1" only). Apply waits for a read that answered all six, and takes the four edits
// as numbers: a text that is not one is refused with the framework's message and nothing is
// sent.
#include "views/direct/DirectSnmpDlg.h"

class CRmonControlDlg : public CDirectSnmpDlg {
public:
    CRmonControlDlg();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnScalarsShown() override;

private:
    void OnRefresh();
    void OnClose() { OnCancel(); }

    int m_quotaBucket = 0;         // edit 1310
    int m_controlQuotaBucket = 0;  // edit 1312
    int m_maxGlobalBuckets = 0;    // edit 1313
    int m_maxEntries = 0;          // edit 1314

    DECLARE_MESSAGE_MAP()
};
