#pragma once
// "Syslog Configuration": the switch's syslog state and the lowest severity it logs to its
// console, its log file and its log cache, read and written with SNMP version "1" only.
// Apply waits for a read that answered all four values, so an unread page never writes.
#include <atomic>

#include "views/direct/DirectSnmpDlg.h"

class CSyslogCfgDlg : public CDirectSnmpDlg {
public:
    CSyslogCfgDlg();

protected:
    BOOL OnInitDialog() override;
    // Apply: the four values in one SET; the page stays open.
    void OnOK() override;
    void OnScalarsShown() override;

private:
    void OnRefresh();
    void OnClose() { OnCancel(); }

    std::atomic<bool> m_read{false};  // a read has answered with all four values

    DECLARE_MESSAGE_MAP()
};
