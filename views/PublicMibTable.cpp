#include "views/PublicMibTable.h"

#include "core/ModuleStartupParams.h"
#include "platform/ui/Gdi.h"
#include "platform/win/DebugOutput.h"

BEGIN_MESSAGE_MAP(CPublicMibTable, CDialog)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CPublicMibTable::CPublicMibTable(View view)
    : CDialog(view.templateId),
      m_walk([this](const WalkRow& row) { AddRow(row); }, [this] { OnWalkEnd(); }),
      m_view(std::move(view)) {}

std::string CPublicMibTable::FormatCell(int, const std::string& value) const { return value; }

void CPublicMibTable::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, m_view.listId, m_list); }

BOOL CPublicMibTable::OnInitDialog() {
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(::LoadIcon(nullptr, 447), TRUE);
    for (std::size_t i = 0; i < m_view.columns.size(); ++i) {
        m_list.InsertHeaderColumn(static_cast<int>(i), m_view.columns[i].header);
    }
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    if (m_view.titleWithAddress) SetWindowText(std::string(m_view.title) + ModuleStartupParams::DeviceIP);
    else if (m_view.title) SetWindowText(m_view.title);
    if (m_view.walkOnShow) {
        m_list.DeleteAllItems();
        if (m_view.counterId) SetDlgItemText(m_view.counterId, "0");
    } else {
        Refresh();
    }
    return TRUE;
}

void CPublicMibTable::OnShowWindow(BOOL show, UINT status) {
    CDialog::OnShowWindow(show, status);
    if (!m_view.walkOnShow) return;
    PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(m_view.refreshId), BN_CLICKED),
                reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, m_view.refreshId)));
}

BOOL CPublicMibTable::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == m_view.refreshId && HIWORD(wParam) == BN_CLICKED) {
        Refresh();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CPublicMibTable::Refresh() {
    m_list.DeleteAllItems();
    if (m_view.counterId) SetDlgItemText(m_view.counterId, "0");
    GetDlgItem(m_view.refreshId)->EnableWindow(FALSE);
    WalkSpec spec;
    spec.pduType = SNMP_PDU_GETNEXT;
    for (const Column& c : m_view.columns) spec.oids.emplace_back(c.oid);
    spec.minVarbinds = m_view.minVarbinds;
    m_walk.Start(spec);
}

void CPublicMibTable::AddRow(const WalkRow& row) {
    const int item = m_list.GetItemCount();
    for (std::size_t i = 0; i < row.values.size(); ++i) {
        const int col = static_cast<int>(i);
        m_list.SetCell(item, col, row.values[i] ? FormatCell(col, *row.values[i]) : std::string());
    }
    if (m_view.counterId) SetDlgItemText(m_view.counterId, std::to_string(item + 1));
}

void CPublicMibTable::OnWalkEnd() { GetDlgItem(m_view.refreshId)->EnableWindow(TRUE); }

BOOL CPublicMibTable::DestroyWindow() {
    OutputDebugStringA("==================DestroyWindow===============");
    m_walk.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    return CDialog::DestroyWindow();
}
