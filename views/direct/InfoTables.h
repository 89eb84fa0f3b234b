#pragma once
// The switch's read-only information tables: its software packages, the 802.1X authenticator
// statistics and diagnostics of every port, and its syslog records, cached records and
// applications. Each is its table's data (template, headers, columns) and a formatter.
// Refresh during a version-1 walk leaves the list and the walk alone: the walk goes on to the
// end of the table and the list never shows its tail as the whole.
#include <string>

#include "views/direct/DirectTableDlg.h"

// The text of a syslog severity, "0" "Emergency" to "8" "NotActive"; "Emergency" for any other.
std::string SyslogSeverityText(const std::string& value);

// "SwPackage Information": each package's name and version; a session for each read
// (version "1" only) and an entry counter.
class CSwPackageInfoDlg : public CDirectTableDlg {
public:
    CSwPackageInfoDlg();

protected:
    BOOL OnInitDialog() override;
    std::vector<std::string> FormatRow(const DirectRow& row) const override;
};

// The value texts of a row, one column each.
class CValueTextTable : public CDirectTableDlg {
protected:
    using CDirectTableDlg::CDirectTableDlg;
    std::vector<std::string> FormatRow(const DirectRow& row) const override;
};

// "802.1x Statistic Information": the EAPOL frame counters of each port (kept session).
class C8021Status : public CValueTextTable {
public:
    C8021Status();
};

// "802.1x Diagnose Information": the authenticator state-machine counters of each port.
class C8021Diagnosis : public CValueTextTable {
public:
    C8021Diagnosis();
};

// The syslog records of one table, the severity as its text; a session for each read
// (version "1" only) and an entry counter.
class CSyslogRecordTable : public CDirectTableDlg {
protected:
    using CDirectTableDlg::CDirectTableDlg;
    std::vector<std::string> FormatRow(const DirectRow& row) const override;
};

// "Syslog Information": the switch's log.
class CSyslogInfoDlg : public CSyslogRecordTable {
public:
    CSyslogInfoDlg();
};

// "Syslog Information in Cache": the log records held in the switch's cache.
class CHisSyslogInfoDlg : public CSyslogRecordTable {
public:
    CHisSyslogInfoDlg();
};

// "Syslog Application Information": the applications that log, by their index.
class CSyslogAppInfoDlg : public CDirectTableDlg {
public:
    CSyslogAppInfoDlg();

protected:
    std::vector<std::string> FormatRow(const DirectRow& row) const override;
};
