#include "features/management/RMONHistoryControl.h"

#include <algorithm>

#include "core/DeviceProfile.h"
#include "core/controls/InputCheck.h"
#include "resources/templates/ManagementDialogsIds.h"

using namespace rmon_history_ids;

namespace {
constexpr int kMaxIndex = 65535;
constexpr int kMaxBuckets = 50;
constexpr int kMaxInterval = 3600;
}  // namespace

BEGIN_MESSAGE_MAP(CRMONHistoryControl, CRmonTableDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CRMONHistoryControl::CRMONHistoryControl(CWnd* parent)
    : CRmonTableDialog(IDD,
                       {"RMON History Control Configuration",
                        IDC_LIST,
                        IDC_OWNER,
                        {{"Index"},
                         {"Port"},
                         {"Buckets Requested", "Buckets Requested ", 10},
                         {"Buckets Granted", "Buckets Granted ", 10},
                         {"Interval", "Interval ", 10},
                         {"Owner"},
                         {""}},
                        {IDC_INDEX, IDC_PORT, IDC_BUCKETS, IDC_INTERVAL, IDC_OWNER, IDC_REFRESH, IDC_CLOSE, IDC_APPLY}},
                       parent) {}

void CRMONHistoryControl::ResetInputs() {
    for (auto id : {IDC_PORT, IDC_OWNER, IDC_INDEX}) Item(id).SetWindowText("");
    Item(IDC_INTERVAL).SetWindowText("1800");
    Item(IDC_BUCKETS).SetWindowText("50");
}

void CRMONHistoryControl::ListRows() {
    m_validIndexes.clear();
    for (const RMON_history_control_configuration& e : m_rmon.m_listHistoryControl) {
        if (e.status != 1) continue;
        AddListedRow({std::to_string(e.index), std::to_string(e.port), std::to_string(e.bucketsRequested),
                      std::to_string(e.bucketsGranted), std::to_string(e.interval), e.owner});
        m_validIndexes.push_back(e.index);
    }
}

void CRMONHistoryControl::OnApply() {
    RMON_history_control_configuration entry;
    entry.index = Number(IDC_INDEX);
    entry.port = Number(IDC_PORT);
    entry.bucketsRequested = Number(IDC_BUCKETS);
    entry.interval = Number(IDC_INTERVAL);
    const InputCheck checks[] = {
        {[&] { return entry.index < 1 || entry.index > kMaxIndex; }, "Index must be between 1 and 65535!"},
        {[&] { return std::find(m_validIndexes.begin(), m_validIndexes.end(), entry.index) != m_validIndexes.end(); },
         "Index had already exits!"},
        {[&] { return entry.port < 1 || entry.port > g_nDevicePortNum; },
         "Port number must be between 1 and " + std::to_string(g_nDevicePortNum) + "!"},
        {[&] { return entry.bucketsRequested < 1 || entry.bucketsRequested > kMaxBuckets; },
         "Buckets requested must be between 1 and 50!"},
        {[&] { return entry.interval < 1 || entry.interval > kMaxInterval; }, "Interval must be between 1 and 3600!"},
    };
    if (!PassChecks(checks)) return;
    entry.owner = Item(IDC_OWNER).GetWindowText();
    EnableInputs(false);
    m_rmon.SetHistoryControlEntry(&entry);
    EnableInputs(true);
    ResetInputs();
    RefreshTable();
}
