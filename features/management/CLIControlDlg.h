#pragma once
// "CLI Configuration": the switch's command-line session time-outs and history settings,
// read and written directly with SNMP version 1 (with another version the dialog stays empty
// and writes nothing). Apply writes the six writable settings in one SET.
#include "views/direct/DirectSnmpDlg.h"

class CCLIControlDlg : public CDirectSnmpDlg {
public:
    explicit CCLIControlDlg(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // Apply is offered once a read has shown all nine values.
    void OnScalarsShown() override;

private:
    void OnRefresh();
    void OnApply();

    // The Unsigned32 settings as exchanged: CLI time-out, history size, SSH time-out,
    // telnet time-out.
    unsigned long m_values[4] = {};

    DECLARE_MESSAGE_MAP()
};
