#include "views/direct/SyslogCfgDlg.h"

#include <algorithm>

#include "core/ModuleStartupParams.h"
#include "resources/templates/InfoPagesDialogsIds.h"
#include "views/direct/InfoTables.h"

using namespace syslog_config_ids;

namespace {
const std::string kState = "1.3.6.1.4.1.32473.10.94.89.89.82.2.1.0";
const std::string kConsole = "1.3.6.1.4.1.32473.10.94.89.89.82.2.2.0";
const std::string kFile = "1.3.6.1.4.1.32473.10.94.89.89.82.2.3.0";
const std::string kCache = "1.3.6.1.4.1.32473.10.94.89.89.82.2.4.0";
}  // namespace

BEGIN_MESSAGE_MAP(CSyslogCfgDlg, CDirectSnmpDlg)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY, OnOK)
    ON_BN_CLICKED(IDC_CLOSE, OnClose)
END_MESSAGE_MAP()

// A severity selects the entry at its position; a value outside 0 to 8 selects "Emergency".
CSyslogCfgDlg::CSyslogCfgDlg()
    : CDirectSnmpDlg(IDD,
                     {{kState.c_str(), IDC_ENABLE, ScalarField::Check},
                      {kConsole.c_str(), IDC_CONSOLE, ScalarField::Select},
                      {kFile.c_str(), IDC_FILE, ScalarField::Select},
                      {kCache.c_str(), IDC_CACHE, ScalarField::Select}},
                     4) {}

BOOL CSyslogCfgDlg::OnInitDialog() {
    CDirectSnmpDlg::OnInitDialog();
    for (const auto list : {IDC_CONSOLE, IDC_FILE, IDC_CACHE}) {
        for (int severity = 0; severity <= 8; ++severity)
            Item(list).AddString(SyslogSeverityText(std::to_string(severity)));
    }
    Item(IDC_APPLY).EnableWindow(FALSE);
    ReadScalarsV1();
    return TRUE;
}

void CSyslogCfgDlg::OnScalarsShown() {
    m_read = true;
    Item(IDC_APPLY).EnableWindow(TRUE);
}

void CSyslogCfgDlg::OnRefresh() {
    CWaitCursor wait;
    ReadScalarsV1();
}

void CSyslogCfgDlg::OnOK() {
    if (!m_read || ModuleStartupParams::SnmpVersion != "1") return;
    auto severity = [this](ui::ControlId<CComboBox> list) {
        return std::to_string(std::max(Item(list).GetCurSel(), 0));
    };
    WriteScalarsV1(DirectSnmpSettings::FromStartup(),
                   {{kState, SNMP_TYPE_INTEGER, IsDlgButtonChecked(IDC_ENABLE) == BST_CHECKED ? "1" : "2"},
                    {kConsole, SNMP_TYPE_INTEGER, severity(IDC_CONSOLE)},
                    {kFile, SNMP_TYPE_INTEGER, severity(IDC_FILE)},
                    {kCache, SNMP_TYPE_INTEGER, severity(IDC_CACHE)}});
}
