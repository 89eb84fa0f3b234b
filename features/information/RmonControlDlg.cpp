#include "features/information/RmonControlDlg.h"

#include "resources/templates/Rmon1DialogsIds.h"

using namespace rmon_control_ids;

namespace {
const std::string kControl = "1.3.6.1.4.1.32473.10.94.89.89.49.";
const std::string kQuotaBucket = kControl + "2.0";
const std::string kControlQuotaBucket = kControl + "6.0";
const std::string kMaxGlobalBuckets = kControl + "7.0";
const std::string kMaxEntries = kControl + "8.0";
const std::string kMibVersion = kControl + "1.0";
const std::string kGlobalBuckets = kControl + "3.0";
}  // namespace

BEGIN_MESSAGE_MAP(CRmonControlDlg, CDirectSnmpDlg)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY, OnOK)
    ON_BN_CLICKED(IDC_CLOSE, OnClose)
END_MESSAGE_MAP()

// The answer's values by position: version, quota bucket, global buckets, control quota
// bucket, maximal global buckets, maximal entries.
CRmonControlDlg::CRmonControlDlg()
    : CDirectSnmpDlg(IDD,
                     {{kMibVersion.c_str(), IDC_MIB_VERSION},
                      {kQuotaBucket.c_str(), IDC_QUOTA_BUCKET},
                      {kGlobalBuckets.c_str(), IDC_GLOBAL_BUCKETS},
                      {kControlQuotaBucket.c_str(), IDC_CONTROL_QUOTA_BUCKET},
                      {kMaxGlobalBuckets.c_str(), IDC_MAX_GLOBAL_BUCKETS},
                      {kMaxEntries.c_str(), IDC_MAX_ENTRIES}},
                     6) {}

BOOL CRmonControlDlg::OnInitDialog() {
    CDirectSnmpDlg::OnInitDialog();
    Item(IDC_QUOTA_BUCKET).LimitText(32);
    Item(IDC_CONTROL_QUOTA_BUCKET).LimitText(32);
    Item(IDC_MAX_GLOBAL_BUCKETS).LimitText(60);
    Item(IDC_MAX_ENTRIES).LimitText(60);
    Item(IDC_APPLY).EnableWindow(FALSE);
    SetWindowText("RMON Control");
    ReadScalarsV1();
    return TRUE;
}

// The numbers are taken, never shown: the edits show what the device answered.
void CRmonControlDlg::DoDataExchange(CDataExchange* dx) {
    if (!dx->m_bSaveAndValidate) return;
    DDX_Text(dx, IDC_QUOTA_BUCKET, m_quotaBucket);
    DDX_Text(dx, IDC_CONTROL_QUOTA_BUCKET, m_controlQuotaBucket);
    DDX_Text(dx, IDC_MAX_GLOBAL_BUCKETS, m_maxGlobalBuckets);
    DDX_Text(dx, IDC_MAX_ENTRIES, m_maxEntries);
}

void CRmonControlDlg::OnScalarsShown() { Item(IDC_APPLY).EnableWindow(TRUE); }

void CRmonControlDlg::OnRefresh() {
    CWaitCursor wait;
    ReadScalarsV1();
}

// Writes and stays open.
void CRmonControlDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    WriteScalarsV1(DirectSnmpSettings::FromStartup(),
                   {{kQuotaBucket, SNMP_TYPE_INTEGER, std::to_string(m_quotaBucket)},
                    {kControlQuotaBucket, SNMP_TYPE_INTEGER, std::to_string(m_controlQuotaBucket)},
                    {kMaxGlobalBuckets, SNMP_TYPE_INTEGER, std::to_string(m_maxGlobalBuckets)},
                    {kMaxEntries, SNMP_TYPE_INTEGER, std::to_string(m_maxEntries)}});
}
