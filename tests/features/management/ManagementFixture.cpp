#include "tests/features/management/ManagementFixture.h"

#include <QPushButton>

#include "platform/ui/ListCtrl.h"
#include "platform/ui/Template.h"

namespace mgmttest {

namespace {
enum : int { IDD_REPORT_OWNER = 9650 };
}  // namespace

UI_DIALOG_TEMPLATE(IDD_REPORT_OWNER, "Reports", DS_MODALFRAME | WS_CAPTION, Column({Row({Button(IDCANCEL, "Close")})}))

BEGIN_MESSAGE_MAP(CReportOwner, CDialog)
    ON_MESSAGE(WM_SNMP_CONFIG_REPORT, OnReport)
    ON_WM_COPYDATA()
END_MESSAGE_MAP()

CReportOwner::CReportOwner() : CDialog(IDD_REPORT_OWNER) {}

bool CReportOwner::Open() { return Create(IDD_REPORT_OWNER) != FALSE; }

LRESULT CReportOwner::OnReport(WPARAM code, LPARAM record) {
    Report r{code, {}};
    if (record != 0 && code == kSnmpUserRow) {
        const auto& e = *reinterpret_cast<const SnmpUserEntry*>(record);
        r.texts = {e.userName,     e.groupName,    e.version,      e.authProtocol,
                   e.authPassword, e.privProtocol, e.privPassword, e.rowStatus};
    } else if (record != 0 && code == kSnmpCommunityRow) {
        const auto& e = *reinterpret_cast<const SnmpCommunityEntry*>(record);
        r.texts = {e.communityName, e.userName, e.rowStatus};
    } else if (record != 0 && code == kSnmpRow && m_rows == Rows::Group) {
        const auto& e = *reinterpret_cast<const SnmpGroupEntry*>(record);
        r.texts = {e.groupName, e.readView, e.writeView, e.notifyView, e.securityModel, e.securityLevel, e.rowStatus};
    } else if (record != 0 && code == kSnmpRow && m_rows == Rows::View) {
        const auto& e = *reinterpret_cast<const SnmpViewEntry*>(record);
        r.texts = {e.viewName, e.subtree, e.mask, e.viewType, e.rowStatus};
    } else if (record != 0 && code == kSnmpRow && m_rows == Rows::Host) {
        const auto& e = *reinterpret_cast<const SnmpHostEntry*>(record);
        r.texts = {e.address, e.addressType, e.version, e.name, e.interfaceName, e.rowStatus};
    } else if (record != 0 && code == kSnmpRow && m_rows == Rows::Traps) {
        const auto& e = *reinterpret_cast<const SnmpTrapSettings*>(record);
        r.texts = {e.authentication, e.bootup,   e.linkChange, e.rstpChange, e.firmwareUpgrade,
                   e.loopback,       e.poePower, e.poeError,   e.poeBudget};
    }
    m_reports.push_back(std::move(r));
    return 0;
}

BOOL CReportOwner::OnCopyData(CWnd*, COPYDATASTRUCT* data) {
    m_copies.emplace_back(data->dwData, data->lpData ? std::string(static_cast<const char*>(data->lpData)) : "");
    return TRUE;
}

BEGIN_MESSAGE_MAP(CRmonOwner, CDialog)
    ON_MESSAGE(WM_RMON_READ_END, OnReadEnd)
    ON_MESSAGE(WM_RMON_STALE_ANSWER, OnStale)
    ON_MESSAGE(WM_RMON_EVENT_INDEXES, OnEventIndexes)
END_MESSAGE_MAP()

CRmonOwner::CRmonOwner() : CDialog(IDD_REPORT_OWNER) {}

bool CRmonOwner::Open() { return Create(IDD_REPORT_OWNER) != FALSE; }

void CRmonOwner::Keep(UINT message, WPARAM code) {
    m_messages.emplace_back(message, code);
    if (m_onMessage) m_onMessage(message, code);
}
LRESULT CRmonOwner::OnReadEnd(WPARAM code, LPARAM) {
    Keep(WM_RMON_READ_END, code);
    return 0;
}
LRESULT CRmonOwner::OnStale(WPARAM code, LPARAM) {
    Keep(WM_RMON_STALE_ANSWER, code);
    return 0;
}
LRESULT CRmonOwner::OnEventIndexes(WPARAM code, LPARAM) {
    Keep(WM_RMON_EVENT_INDEXES, code);
    return 0;
}

QPushButton* CellButton(CWnd& dialog, int list, int row, int column) {
    auto* report = dynamic_cast<CListCtrl*>(dialog.GetDlgItem(list));
    if (!report) return nullptr;
    CRect cell;
    report->GetSubItemRect(row, column, LVIR_LABEL, cell);
    for (QPushButton* b : ui::WidgetOf(report->GetSafeHwnd())->findChildren<QPushButton*>()) {
        if (b->isVisible() && b->geometry() == QRect(cell.left, cell.top, cell.Width(), cell.Height())) return b;
    }
    return nullptr;
}

std::vector<std::vector<std::string>> SnmpAgentTest::SetPdus() const {
    std::vector<std::vector<std::string>> pdus;
    for (const auto& r : Sets()) {
        std::vector<std::string> vbs;
        for (const auto& v : r.varbinds) vbs.push_back(Vb(v.oid, v.type, v.type == "s" ? v.hex : v.value));
        pdus.push_back(vbs);
    }
    return pdus;
}

}  // namespace mgmttest
