#pragma once
// "Telnet Configuration": the switch's telnet password and idle time-out, and its telnet
// sessions, one of which can be set connected or unconnected. The settings are read and
// written with SNMP version 1 only; the session table and its writes also with version 3.
#include <functional>
#include <string>

#include "views/direct/DirectTableDlg.h"

class CTelnetCfgDlg : public CDirectTableDlg {
public:
    explicit CTelnetCfgDlg(CWnd* parent = nullptr);

    // A session row's cell: the value, or for the status column "Connected" ("1") or
    // "Unconnected".
    static std::string SessionCellText(int column, const std::string& value);

protected:
    BOOL OnInitDialog() override;
    std::vector<std::string> FormatRow(const DirectRow& row) const override;
    void CloseSessions() override;

private:
    void OnRefresh();
    void ReadTelnetSettings();
    void ReadSessionStatus(const std::string& id);
    void ShowSessionStatus(const std::string& value);
    void OnSessionItemChanged(NMHDR*, LRESULT* result);
    void OnSessionClick(NMHDR*, LRESULT* result);
    void OnApplyTimeout();
    void OnApplySession();
    // A SET of one INTEGER with the write community; once it is answered the dialog reads
    // again with readAgain.
    void WriteV1(const std::string& oid, const std::string& value, std::function<void()> readAgain);
    void WriteDoneCallback();

    CSnmpRead m_settingsRead;  // the password and time-out
    CSnmpRead m_statusRead;    // a session's status

    DECLARE_MESSAGE_MAP()
};
