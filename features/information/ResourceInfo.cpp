#include "features/information/ResourceInfo.h"

#include "resources/templates/InfoTableDialogsIds.h"

using namespace resource_info_ids;

namespace {
constexpr UINT_PTR kTimerId = 1050;
constexpr UINT kPeriodMs = 5000;
const std::vector<std::string> kUtilisation = {"1.3.6.1.4.1.32473.10.94.89.89.1.7.0",
                                               "1.3.6.1.4.1.32473.10.94.89.89.1.8.0",
                                               "1.3.6.1.4.1.32473.10.94.89.89.1.9.0"};
}  // namespace

BEGIN_MESSAGE_MAP(CResourceInfo, CDirectSnmpDlg)
    ON_BN_CLICKED(IDC_REFRESH, Read)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CResourceInfo::CResourceInfo() : CDirectSnmpDlg(IDD) {}

void CResourceInfo::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_CPU_LIST, m_cpuList);
    DDX_Control(dx, IDC_MIB_TREE_LIST, m_treeList);
}

BOOL CResourceInfo::OnInitDialog() {
    CDirectSnmpDlg::OnInitDialog();
    int column = 0;
    for (const char* heading : {" 1 Sec Utilization(%) ", " 1 Min Utilization(%) ", " 5 Min Utilization(%) "})
        m_cpuList.InsertHeaderColumn(column++, heading);
    column = 0;
    for (const char* heading : {" Son               ", "     SonObjectId         ", "   GrandFather           "})
        m_treeList.InsertHeaderColumn(column++, heading);
    m_cpuList.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_treeList.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    TakeSettings();
    Read();
    SetTimer(kTimerId, kPeriodMs);
    return TRUE;
}

// The timer goes before the read still out is dropped.
BOOL CResourceInfo::DestroyWindow() {
    if (GetSafeHwnd()) KillTimer(kTimerId);
    return CDirectSnmpDlg::DestroyWindow();
}

void CResourceInfo::OnCancel() {
    KillTimer(kTimerId);
    CDirectSnmpDlg::OnCancel();
}

void CResourceInfo::OnTimer(UINT_PTR id) {
    if (id == kTimerId) Read();
    CDirectSnmpDlg::OnTimer(id);
}

void CResourceInfo::Read() {
    if (m_settings.version == 3) {
        CWaitCursor wait;
        m_cpuList.DeleteAllItems();
        ShowRow(ReadScalarsSync(m_settings, kUtilisation));
        return;
    }
    if (m_settings.version != 1 || m_utilisation.Running()) return;
    m_cpuList.DeleteAllItems();
    SnmpReadSpec spec = SnmpReadSpec::Get(kUtilisation, LibraryTimeoutMs());
    spec.minVarbinds = 1;  // a short answer shows what it holds
    m_utilisation.Start(
        spec, [this](const SnmpRow& row) { ShowRow(LeadingValues(row)); }, nullptr);
}

bool CResourceInfo::Reading() const { return m_utilisation.Running() || CDirectSnmpDlg::Reading(); }

void CResourceInfo::CloseSessions() {
    m_utilisation.Close();
    CDirectSnmpDlg::CloseSessions();
}

void CResourceInfo::ShowRow(const std::vector<DirectValue>& values) {
    const int row = m_cpuList.GetItemCount();
    for (std::size_t i = 0; i < values.size() && i < 3; ++i)
        m_cpuList.SetCell(row, static_cast<int>(i), values[i].text);
}
