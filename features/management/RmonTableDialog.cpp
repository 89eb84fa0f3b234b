#include "features/management/RmonTableDialog.h"

#include <cstdlib>

#include "platform/ui/WindowExtras.h"

namespace {
constexpr int kMaxOwner = 32;
constexpr int kMargin = 20;
constexpr int kSharedParts = 4;
}  // namespace

BEGIN_MESSAGE_MAP(CRmonTableDialog, CFeatureDialog)
    ON_MESSAGE(WM_RMON_READ_END, OnReadEnd)
    ON_MESSAGE(WM_RMON_STALE_ANSWER, OnReadEnd)
    ON_MESSAGE(WM_RMON_EVENT_INDEXES, OnEventIndexes)
    ON_MESSAGE(WM_REPORT_BUTTON_CLICKED, OnCellButton)
    ON_BN_CLICKED(kRmonClose, OnCloseButton)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CRmonTableDialog::CRmonTableDialog(UINT templateId, RmonTableLayout layout, CWnd* parent)
    : CFeatureDialog(templateId, {}, parent), m_layout(std::move(layout)) {}

BOOL CRmonTableDialog::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    SetWindowText(m_layout.title);
    if (auto* owner = dynamic_cast<CEdit*>(GetDlgItem(m_layout.ownerEdit))) owner->LimitText(kMaxOwner);
    m_list.SubclassDlgItem(m_layout.list, this);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    int index = 0;
    for (const RmonColumn& column : m_layout.columns) m_list.InsertColumn(index++, column.heading);
    ResetInputs();
    // Sized before the first read ends, so the button column can take its buttons.
    PostMessage(WM_SIZE, 0, 0);
    RefreshTable();
    return TRUE;
}

void CRmonTableDialog::EnableInputs(bool enable) {
    m_bBusy = !enable;
    for (int id : m_layout.inputs) {
        if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable ? TRUE : FALSE);
    }
}

void CRmonTableDialog::RefreshTable() {
    EnableInputs(false);
    if (!m_rmon.SetHwnd(GetSafeHwnd())) {
        EnableInputs(true);
        return;
    }
    StartRead();
}

LRESULT CRmonTableDialog::OnReadEnd(WPARAM code, LPARAM) {
    OnTableRead(code);
    return 0;
}

LRESULT CRmonTableDialog::OnEventIndexes(WPARAM, LPARAM) {
    OnEventIndexesRead();
    return 0;
}

void CRmonTableDialog::FillList() {
    const int buttonColumn = static_cast<int>(m_layout.columns.size()) - 1;
    for (int row = 0; row < m_list.GetItemCount(1); ++row) m_list.RemoveItemButton(row, buttonColumn, 0);
    m_list.DeleteItems(1);
    ListRows();
    EnableInputs(true);
    PostMessage(WM_SIZE, 0, 0);
}

void CRmonTableDialog::AddListedRow(const std::vector<std::string>& cells) {
    const int row = m_list.InsertItem(m_list.GetItemCount(1), cells.empty() ? "" : cells[0]);
    for (size_t column = 1; column < cells.size(); ++column)
        m_list.SetItemText(row, static_cast<int>(column), cells[column]);
    m_list.SetItemButton(row, static_cast<int>(m_layout.columns.size()) - 1, CCellButton(0, "Delete"));
}

LRESULT CRmonTableDialog::OnCellButton(WPARAM row, LPARAM) {
    // A click while a read or write runs (the inputs disabled) is ignored: the read would be
    // restarted under its rows.
    if (m_bBusy) return 0;
    DeleteRow(static_cast<int>(row));
    RefreshTable();
    return 0;
}

void CRmonTableDialog::DeleteRow(int row) {
    if (row < 0 || row >= m_list.GetItemCount(1)) return;
    const std::string indexText = m_list.GetItemText(row, 0);
    if (!MayDelete(indexText)) return;
    const int index = std::atoi(indexText.c_str());
    m_list.RemoveItemButton(row, static_cast<int>(m_layout.columns.size()) - 1, 0);
    DeleteEntry(index);
}

void CRmonTableDialog::OnSize(UINT type, int cx, int cy) {
    CFeatureDialog::OnSize(type, cx, cy);
    if (m_list.GetSafeHwnd() == nullptr) return;
    AdjustColumns();
    m_list.RefreshButtons();
}

void CRmonTableDialog::AdjustColumns() {
    CRect rect;
    m_list.GetWindowRect(&rect);
    const HWND list = m_list.GetSafeHwnd();
    int fitted = 0;
    for (const RmonColumn& column : m_layout.columns) {
        if (column.fitText) fitted += ui::TextWidth(list, column.fitText) + column.pad;
    }
    const int shared = (rect.Width() - fitted - kMargin) / kSharedParts;
    int index = 0;
    for (const RmonColumn& column : m_layout.columns) {
        const int width = column.width     ? column.width
                          : column.fitText ? ui::TextWidth(list, column.fitText) + column.pad + column.extra
                                           : shared;
        m_list.SetColumnWidth(index++, width);
    }
}

int CRmonTableDialog::Number(int id) { return std::atoi(GetDlgItemText(id).c_str()); }
