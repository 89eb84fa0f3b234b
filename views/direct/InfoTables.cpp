#include "views/direct/InfoTables.h"

#include "resources/templates/InfoPagesDialogsIds.h"

namespace {
const std::string kPackage = "1.3.6.1.4.1.32473.10.94.89.89.67.1.1.";
const std::string kSyslog = "1.3.6.1.4.1.32473.10.94.89.89.82.";

// Columns 1 to `count` of a table entry.
std::vector<std::string> Columns(const std::string& entry, int count) {
    std::vector<std::string> columns;
    for (int k = 1; k <= count; ++k) columns.push_back(entry + "." + std::to_string(k));
    return columns;
}

// The syslog tables: a session for each read and the entry counter.
CDirectTableDlg::View SyslogView(UINT templateId, std::vector<std::string> headers, std::vector<std::string> columns) {
    using namespace syslog_table_ids;
    return {templateId, IDC_LIST, std::move(headers), std::move(columns), true, IDC_ENTRIES, IDC_REFRESH};
}

// Column k shows variable k.
const std::vector<std::string> kLogHeaders = {" Index ",
                                              " LogTime                   ",
                                              " LogApplication    ",
                                              " LogSeverity    ",
                                              " LogMessage               ",
                                              " LogText1                                 ",
                                              " LogText2                                  ",
                                              " LogText3                                 ",
                                              " LogText4                                   "};
const std::vector<std::string> kCacheHeaders = {" Index ",
                                                " CacheLogTime              ",
                                                " CacheLogApplication    ",
                                                " CacheLogSeverity    ",
                                                " CacheLogMessage               ",
                                                " CacheLogText1                                 ",
                                                " CacheLogText2                                  ",
                                                " CacheLogText3                                 ",
                                                " CacheLogText4                                   "};
}  // namespace

std::string SyslogSeverityText(const std::string& value) {
    static const char* const kTexts[] = {"Emergency", "Alert", "Critical", "Error",    "Warning",
                                         "Notice",    "Info",  "Debug",    "NotActive"};
    if (value.size() == 1 && value[0] >= '0' && value[0] <= '8') return kTexts[value[0] - '0'];
    return kTexts[0];
}

CSwPackageInfoDlg::CSwPackageInfoDlg()
    : CDirectTableDlg({sw_package_ids::IDD,
                       sw_package_ids::IDC_LIST,
                       {" SwPackageVersionName      ", " SwPackageVersionVesrion   "},
                       {kPackage + "1", kPackage + "2"},
                       true,
                       sw_package_ids::IDC_ENTRIES,
                       sw_package_ids::IDC_REFRESH}) {}

BOOL CSwPackageInfoDlg::OnInitDialog() {
    CDirectTableDlg::OnInitDialog();
    SetWindowText("SwPackage Information");
    return TRUE;
}

std::vector<std::string> CSwPackageInfoDlg::FormatRow(const DirectRow& row) const {
    return {row.values[0].text, row.values[1].text};
}

std::vector<std::string> CValueTextTable::FormatRow(const DirectRow& row) const {
    std::vector<std::string> cells;
    for (const DirectValue& value : row.values) cells.push_back(value.text);
    return cells;
}

C8021Status::C8021Status()
    : CValueTextTable(
          {dot1x_table_ids::IDD_STATUS,
           dot1x_table_ids::IDC_STATUS_LIST,
           {"EapolFramesRx", "EapolFramesTx", "EapolStartFramesRx", "EapolLogoffFramesRx", "EapolRespIdFramesRx",
            "EapolRespFramesRx", "EapolReqIdFramesTx", "EapolReqFramesTx", "InvalidEapolFramesRx",
            "EapLengthErrorFramesRx", "LastEapolFrameVersion", "LastEapolFrameSource"},
           Columns("1.0.8802.1.1.1.1.2.2.1", 12),
           false,
           0,
           dot1x_table_ids::IDC_REFRESH}) {}

C8021Diagnosis::C8021Diagnosis()
    : CValueTextTable(
          {dot1x_table_ids::IDD_DIAGNOSIS,
           dot1x_table_ids::IDC_DIAGNOSIS_LIST,
           {"EntersConnecting", "EapLogoffsWhileConnecting", "EntersAuthenticating", "AuthSuccessWhileAuthenticating",
            "AuthTimeoutsWhileAuthenticating", "AuthFailWhileAuthenticating", "AuthReauthsWhileAuthenticating",
            "AuthEapStartsWhileAuthenticating", "AuthEapLogoffWhileAuthenticating", "AuthReauthsWhileAuthenticated",
            "AuthEapStartsWhileAuthenticated", "AuthEapLogoffWhileAuthenticated", "BackendResponses",
            "BackendAccessChallenges", "BackendOtherRequestsToSupplicant", "BackendNonNakResponsesFromSupplicant",
            "BackendAuthSuccesses", "BackendAuthFails"},
           Columns("1.0.8802.1.1.1.1.2.3.1", 18),
           false,
           0,
           dot1x_table_ids::IDC_REFRESH}) {}

std::vector<std::string> CSyslogRecordTable::FormatRow(const DirectRow& row) const {
    std::vector<std::string> cells;
    for (const DirectValue& value : row.values) cells.push_back(value.text);
    cells[3] = SyslogSeverityText(cells[3]);
    return cells;
}

CSyslogInfoDlg::CSyslogInfoDlg()
    : CSyslogRecordTable(SyslogView(syslog_table_ids::IDD_LOG, kLogHeaders, Columns(kSyslog + "2.8.1", 9))) {}

CHisSyslogInfoDlg::CHisSyslogInfoDlg()
    : CSyslogRecordTable(SyslogView(syslog_table_ids::IDD_CACHE, kCacheHeaders, Columns(kSyslog + "2.9.1", 9))) {}

CSyslogAppInfoDlg::CSyslogAppInfoDlg()
    : CDirectTableDlg(SyslogView(syslog_table_ids::IDD_APPLICATION,
                                 {" Application Index ", " Application Description                   ",
                                  " Application Abbreviation    ", " Application Severity    "},
                                 {kSyslog + "1.3.1.1.2", kSyslog + "1.3.1.1.3", kSyslog + "1.3.1.1.4"})) {}

// The index is the instance suffix the row's variables share.
std::vector<std::string> CSyslogAppInfoDlg::FormatRow(const DirectRow& row) const {
    std::string index;
    for (unsigned long part : row.index) index += (index.empty() ? "" : ".") + std::to_string(part);
    return {index, row.values[0].text, row.values[1].text, SyslogSeverityText(row.values[2].text)};
}
