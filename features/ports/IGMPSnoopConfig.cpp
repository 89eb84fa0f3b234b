#include "features/ports/IGMPSnoopConfig.h"

#include <cstdlib>

#include "features/ports/IGMPSnoopingVLANSetting.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/IGMPDialogsIds.h"

using namespace igmpids;

namespace {
using F = IGMPGlobalSettings;

// The six number fields and the record fields they show.
struct NumberField {
    int id;
    F::Field field;
};
const NumberField kNumberFields[] = {
    {IDC_IGMP_HOST_TIMEOUT, F::HostTimeout},
    {IDC_IGMP_ROUTER_TIMEOUT, F::RouterTimeout},
    {IDC_IGMP_ROBUSTNESS, F::Robustness},
    {IDC_IGMP_QUERY_INTERVAL, F::QueryInterval},
    {IDC_IGMP_LAST_MEMBER_INTERVAL, F::LastMemberInterval},
    {IDC_IGMP_MAX_RESPONSE, F::MaxResponse},
};

// In the order they are checked.
struct Range {
    F::Field field;
    long low, high;
    const char* message;
};
const Range kRanges[] = {
    {F::HostTimeout, 130, 153025, "Invalid Host Timeout (130-153025 sec)."},
    {F::RouterTimeout, 60, 600, "Invalid Router Timeout (60-600 sec)."},
    {F::Robustness, 2, 255, "Invalid Robustness Variable (2-255)."},
    {F::LastMemberInterval, 1, 25, "Invalid Last Member Query Interval (1-25 sec)."},
    {F::QueryInterval, 60, 600, "Invalid Query Interval (60-600 sec)."},
    {F::MaxResponse, 10, 25, "Invalid Max. Response Time (10-25 sec)."},
};

// The leading digits as a number (0 without any); a huge number stays out of every range.
long LeadingNumber(const std::string& text) {
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value > 100000000 ? value : value * 10 + (c - '0');
    }
    return value;
}
}  // namespace

BEGIN_MESSAGE_MAP(CIGMPSnoopConfig, CFeatureDialog)
    ON_BN_CLICKED(IDC_IGMP_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_IGMP_APPLY, OnApply)
    ON_BN_CLICKED(IDC_IGMP_ENABLE, OnEnableClick)
    ON_BN_CLICKED(IDC_IGMP_VLAN_INFO, OnVlanInfo)
    ON_MESSAGE(WM_IGMP_VLAN_ROW, OnGlobalSettings)
END_MESSAGE_MAP()

CIGMPSnoopConfig::CIGMPSnoopConfig(CWnd* parent) : CFeatureDialog(IDD_IGMP_SNOOP_CONFIG, {.topmost = true}, parent) {}

std::string CIGMPSnoopConfig::CheckRanges(const IGMPGlobalSettings& settings) {
    for (const Range& r : kRanges) {
        const long value = LeadingNumber(settings.values[r.field]);
        if (value < r.low || value > r.high) return r.message;
    }
    return {};
}

BOOL CIGMPSnoopConfig::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_logic.m_hOwner = GetSafeHwnd();
    OnRefresh();
    return TRUE;
}

void CIGMPSnoopConfig::CloseSessions() { m_logic.Close(); }

void CIGMPSnoopConfig::OnRefresh() {
    GetDlgItem(IDC_IGMP_REFRESH)->EnableWindow(FALSE);
    m_logic.GetGlobalSettings();
    // The read is synchronous: answered or not, the button comes back once it is over.
    GetDlgItem(IDC_IGMP_REFRESH)->EnableWindow(TRUE);
}

LRESULT CIGMPSnoopConfig::OnGlobalSettings(WPARAM wParam, LPARAM) {
    if (wParam != kIgmpGlobalRead) return 0;
    const IGMPGlobalSettings& s = m_logic.m_GlobalSettings;
    const bool enabled = s.values[F::State] == "1";
    Item(IDC_IGMP_ENABLE).SetCheck(enabled ? 1 : 0);
    Item(IDC_IGMP_REPORT_ALL).SetCheck(s.values[F::ReportAll] == "1" ? 1 : 0);
    EnableFields(enabled);
    for (const NumberField& f : kNumberFields) SetDlgItemText(f.id, s.values[f.field]);
    GetDlgItem(IDC_IGMP_REFRESH)->EnableWindow(TRUE);
    return 0;
}

void CIGMPSnoopConfig::EnableFields(bool enable) {
    for (const NumberField& f : kNumberFields) GetDlgItem(f.id)->EnableWindow(enable ? TRUE : FALSE);
    GetDlgItem(IDC_IGMP_REPORT_ALL)->EnableWindow(enable ? TRUE : FALSE);
}

void CIGMPSnoopConfig::OnEnableClick() { EnableFields(Item(IDC_IGMP_ENABLE).GetCheck() == 1); }

void CIGMPSnoopConfig::OnApply() {
    IGMPGlobalSettings settings;
    settings.values[F::State] = Item(IDC_IGMP_ENABLE).GetCheck() == 1 ? "1" : "2";
    settings.values[F::ReportAll] = Item(IDC_IGMP_REPORT_ALL).GetCheck() == 1 ? "1" : "2";
    for (const NumberField& f : kNumberFields) settings.values[f.field] = GetDlgItemText(f.id);
    const std::string refused = CheckRanges(settings);
    if (!refused.empty()) {
        AfxMessageBox(refused, MB_OK);
        return;
    }
    if (settings.values[F::State] == "2" &&
        AfxMessageBox("All router ports will be deleted.", MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        OnRefresh();
        return;
    }
    m_logic.SetGlobalSettings(m_logic.m_GlobalSettings, settings);
    OnRefresh();
}

void CIGMPSnoopConfig::OnVlanInfo() {
    CIGMPSnoopingVLANSetting dlg;
    // The state last read from the switch, not the box's.
    dlg.m_strGlobalState = m_logic.m_GlobalSettings.values[F::State];
    dlg.DoModal();
}
