#include "views/direct/DirectTableDlg.h"

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

void CDirectTableDlg::StartWalkV1() {
    if (RequestId() != 0) return;  // a walk is under way
    if (m_view.sessionPerRead) UpdateData(TRUE);
    m_list.DeleteAllItems();
    OnListCleared();
    if (m_view.counterId) SetDlgItemText(m_view.counterId, "0");
    if (m_view.sessionPerRead) {
        if (ModuleStartupParams::SnmpVersion != "1") return;
        TakeSettings();
        m_readSession.reset();  // the previous read's session goes first
        m_readSession = std::make_unique<CSnmpV1>(SNMP_PDU_GETNEXT);
    }
    CSnmpV1& session = WalkSession();
    session.setType(SNMP_PDU_GETNEXT);
    session.setCommunity(m_settings.readCommunity.c_str());
    session.clearVarBindList();
    for (const std::string& oid : m_view.columns) session.addValue(oid.c_str(), SNMP_TYPE_NULL, nullptr);
    ArmNextRow();
}

CSnmpV1& CDirectTableDlg::WalkSession() { return m_view.sessionPerRead ? *m_readSession : m_session; }

bool CDirectTableDlg::ArmNextRow() {
    // A kept session uses the library's time-out; a session per read the start-up one.
    return StartAsync(WalkSession(), &CDirectTableDlg::OnWalkRowV1, true, true,
                      m_view.sessionPerRead ? m_settings.timeoutMs : 0);
}

int CDirectTableDlg::OnWalkRowV1(CSnmp* response, int requestId, void* dialog, int status) {
    auto* self = static_cast<CDirectTableDlg*>(dialog);
    // RequestId stays set while the row goes in, so a Refresh meanwhile does nothing.
    if (!self->TakeWalkAnswer(requestId)) {  // closed, or no longer the walk's request
        delete response;
        return 0;
    }
    if (status != EC_NO_ERROR || response == nullptr) {
        delete response;
        if (!self->OnTableRead(false)) self->EndWalk();
        return 0;
    }
    const bool perRead = self->m_view.sessionPerRead;
    if (perRead) self->UpdateData(TRUE);
    const bool whole = self->AddResponseRow(*response);
    delete response;
    if (whole && self->m_view.counterId)
        self->SetDlgItemText(self->m_view.counterId, std::to_string(self->m_list.GetItemCount()));
    if (whole && perRead) self->UpdateData(FALSE);
    if (whole && self->ArmNextRow()) return 0;
    if (!self->OnTableRead(false)) self->EndWalk();
    return 0;
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
    if (!IsClosed()) OnTableRead(true);
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
        if (status != EC_NO_ERROR || !response || IsClosed()) return;
        const auto row = ReadDirectRow(*response, columns);
        if (!row || !fn(*row)) return;
    }
}

bool CDirectTableDlg::AddResponseRow(const CSnmp& response) {
    const auto row = ReadDirectRow(response, m_view.columns);
    if (!row) return false;
    AddRow(*row);
    return true;
}

void CDirectTableDlg::AddRow(const DirectRow& row) {
    const int item = m_list.GetItemCount();
    const std::vector<std::string> cells = FormatRow(row);
    for (std::size_t col = 0; col < cells.size(); ++col) AddListRow(item, static_cast<int>(col), cells[col]);
    OnRowListed(row);
}

void CDirectTableDlg::AddListRow(int row, int col, const std::string& text) { m_list.SetCell(row, col, text); }
