#include "views/direct/DirectTableDlg.h"

#include <memory>

#include "core/ModuleStartupParams.h"
#include "platform/ui/Gdi.h"

BEGIN_MESSAGE_MAP(CDirectTableDlg, CDirectSnmpDlg)
END_MESSAGE_MAP()

CDirectTableDlg::CDirectTableDlg(View view, std::vector<ScalarField> scalars, std::size_t minScalars)
    : CDirectSnmpDlg(view.templateId, std::move(scalars), minScalars), m_view(std::move(view)) {}

BOOL CDirectTableDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CDirectSnmpDlg::OnCommand(wParam, lParam)) return TRUE;
    if (LOWORD(wParam) != m_view.refreshId || HIWORD(wParam) != BN_CLICKED) return FALSE;
    OnRefresh();
    return TRUE;
}

void CDirectTableDlg::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, m_view.listId, m_list); }

BOOL CDirectTableDlg::OnInitDialog() {
    CDirectSnmpDlg::OnInitDialog();
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    for (std::size_t i = 0; i < m_view.headers.size(); ++i)
        m_list.InsertHeaderColumn(static_cast<int>(i), m_view.headers[i]);
    TakeSettings();
    ReadTableDirect();
    return TRUE;
}

void CDirectTableDlg::OnRefresh() { ReadTableDirect(); }

void CDirectTableDlg::ReadTableDirect() {
    if (m_view.sessionPerRead) StartWalkV1();
    else if (m_settings.version == 1) StartWalkV1();
    else if (m_settings.version == 3) ReadTableV3();
}

bool CDirectTableDlg::Reading() const { return m_tableReading || CDirectSnmpDlg::Reading(); }

void CDirectTableDlg::StopTableRead() {
    m_walk.Close();
    m_afterWalk.Close();
    EndTableRead();
}

void CDirectTableDlg::CloseSessions() {
    StopTableRead();
    CDirectSnmpDlg::CloseSessions();
}

void CDirectTableDlg::RestartWalkV1() {
    StopTableRead();
    StartWalkV1();
}

void CDirectTableDlg::StartWalkV1() {
    if (m_tableReading) return;  // a walk is under way
    if (m_view.sessionPerRead) UpdateData(TRUE);
    m_list.DeleteAllItems();
    OnListCleared();
    if (m_view.counterId) SetDlgItemText(m_view.counterId, "0");
    if (m_view.sessionPerRead) {
        if (ModuleStartupParams::SnmpVersion != "1") return;
        TakeSettings();
        m_walk.Close();  // the read's session takes the start-up values as they are now
    }
    m_tableReading = true;
    // A kept session uses the library's time-out; a session per read the start-up one.
    const int timeoutMs = m_view.sessionPerRead ? static_cast<int>(m_settings.timeoutMs) : LibraryTimeoutMs();
    m_walk.Start(
        SnmpReadSpec::Walk(m_view.columns, timeoutMs), [this](const SnmpRow& row) { return OnWalkRowV1(&row); },
        [this](const SnmpReadResult&) { OnWalkRowV1(nullptr); });
}

bool CDirectTableDlg::OnWalkRowV1(const SnmpRow* row) {
    if (row == nullptr) {
        if (!OnTableRead(false)) EndTableRead();
        return false;
    }
    const std::optional<DirectRow> direct = DirectRowOf(*row, m_view.columns.size());
    if (!direct) return false;
    const bool perRead = m_view.sessionPerRead;
    if (perRead) UpdateData(TRUE);
    AddRow(*direct);
    if (m_view.counterId) SetDlgItemText(m_view.counterId, std::to_string(m_list.GetItemCount()));
    if (perRead) UpdateData(FALSE);
    return true;
}

void CDirectTableDlg::ReadTableV3() {
    if (m_readingV3) return;
    m_readingV3 = true;
    CWaitCursor wait;
    m_list.DeleteAllItems();
    OnListCleared();
    WalkV3(m_view.columns, [this](const DirectRow& row) {
        AddRow(row);
        return true;
    });
    if (GetSafeHwnd()) OnTableRead(true);
    m_readingV3 = false;
}

void CDirectTableDlg::WalkV3(const std::vector<std::string>& columns, const std::function<bool(const DirectRow&)>& fn) {
    CSnmpV3 session(SNMP_PDU_GETNEXT);
    CSnmpTable table(&session);
    ApplyV3Security(session, m_settings);
    for (const std::string& oid : columns) session.addValue(oid.c_str(), SNMP_TYPE_NULL, nullptr);
    for (;;) {
        CSnmp* raw = nullptr;
        const int status = table.getNext(m_settings.agent.c_str(), raw, m_settings.timeoutMs);
        const std::unique_ptr<CSnmp> response(raw);
        if (status != EC_NO_ERROR || !response || !GetSafeHwnd()) return;
        const auto row = ReadDirectRow(*response, columns);
        if (!row || !fn(*row)) return;
    }
}

void CDirectTableDlg::AddRow(const DirectRow& row) {
    const int item = m_list.GetItemCount();
    const std::vector<std::string> cells = FormatRow(row);
    for (std::size_t col = 0; col < cells.size(); ++col) AddListRow(item, static_cast<int>(col), cells[col]);
    OnRowListed(row);
}

void CDirectTableDlg::AddListRow(int row, int col, const std::string& text) { m_list.SetCell(row, col, text); }
