#include "views/PublicMibTable.h"

#include "platform/ui/Gdi.h"
#include "platform/win/DebugOutput.h"

BEGIN_MESSAGE_MAP(CPublicMibTable, CFeatureDialog)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CPublicMibTable::CPublicMibTable(View view)
    : CFeatureDialog(view.templateId, {.topmost = true, .titlePrefix = view.titleWithAddress ? view.title : nullptr}),
      m_view(std::move(view)) {}

std::string CPublicMibTable::FormatCell(int, const std::string& value) const { return value; }

void CPublicMibTable::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, m_view.listId, m_list); }

BOOL CPublicMibTable::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    for (std::size_t i = 0; i < m_view.columns.size(); ++i) {
        m_list.InsertHeaderColumn(static_cast<int>(i), m_view.columns[i].header);
    }
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    if (!m_view.titleWithAddress && m_view.title) SetWindowText(m_view.title);
    if (m_view.walkOnShow) {
        m_list.DeleteAllItems();
        if (m_view.counterId) SetDlgItemText(m_view.counterId, "0");
    } else {
        Refresh();
    }
    return TRUE;
}

void CPublicMibTable::OnShowWindow(BOOL show, UINT status) {
    CFeatureDialog::OnShowWindow(show, status);
    if (!m_view.walkOnShow) return;
    PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(m_view.refreshId), BN_CLICKED),
                reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, m_view.refreshId)));
}

BOOL CPublicMibTable::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == m_view.refreshId && HIWORD(wParam) == BN_CLICKED) {
        Refresh();
        return TRUE;
    }
    return CFeatureDialog::OnCommand(wParam, lParam);
}

void CPublicMibTable::Refresh() {
    m_list.DeleteAllItems();
    if (m_view.counterId) SetDlgItemText(m_view.counterId, "0");
    Item(m_view.refreshId).EnableWindow(FALSE);
    SnmpReadSpec spec;
    for (const Column& c : m_view.columns) spec.oids.emplace_back(c.oid);
    spec.minVarbinds = m_view.minVarbinds;
    m_walk.Start(
        spec, [this](const SnmpRow& row) { AddRow(row); }, [this](const SnmpReadResult&) { OnWalkEnd(); });
}

void CPublicMibTable::AddRow(const SnmpRow& row) {
    const int item = m_list.GetItemCount();
    for (std::size_t i = 0; i < row.Size(); ++i) {
        const int col = static_cast<int>(i);
        m_list.SetCell(item, col, row.Has(i) ? FormatCell(col, row.Text(i)) : std::string());
    }
    if (m_view.counterId) SetDlgItemText(m_view.counterId, std::to_string(item + 1));
}

void CPublicMibTable::OnWalkEnd() { Item(m_view.refreshId).EnableWindow(TRUE); }

// The window has gone: a row still on its way finds the walk closed.
void CPublicMibTable::CloseSessions() {
    OutputDebugStringA("==================DestroyWindow===============");
    m_walk.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
}
