#pragma once
// "Telnet Configuration": the switch's telnet password and idle time-out, and its telnet
// sessions, one of which can be set connected or unconnected. The settings are read and
// written with SNMP version 1 only; the session table and its writes also with version 3.
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
    bool TakeWalkAnswer(int requestId) override;

private:
    void OnRefresh();
    void ReadTelnetSettings();
    void ReadSessionStatus(const std::string& id);
    void ShowSessionStatus(const std::string& value);
    void OnSessionItemChanged(NMHDR*, LRESULT* result);
    void OnSessionClick(NMHDR*, LRESULT* result);
    void OnApplyTimeout();
    void OnApplySession();
    // A SET of one INTEGER on the settings session; true when it started.
    bool WriteV1(const std::string& oid, const std::string& value);
    static int SettingsCallback(CSnmp* response, int requestId, void* dialog, int status);
    static int StatusCallback(CSnmp* response, int requestId, void* dialog, int status);
    static int WriteDoneCallback(CSnmp* response, int requestId, void* dialog, int status);

    // The session of the settings and status reads and the version-1 writes; the member
    // session of the base carries the table walk.
    CSnmpV1 m_settingsSession{SNMP_PDU_GET};

    DECLARE_MESSAGE_MAP()
};
