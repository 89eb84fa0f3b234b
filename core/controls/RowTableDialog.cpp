#include "core/controls/RowTableDialog.h"

CRowTableDialog::CRowTableDialog(UINT templateId, Buttons buttons, Look look, CWnd* parent)
    : CFeatureDialog(templateId, look, parent), m_buttons(std::move(buttons)) {}

void CRowTableDialog::InitList(std::initializer_list<std::pair<const char*, int>> columns, int format) {
    m_list.SubclassDlgItem(m_buttons.list, this);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    int index = 0;
    for (const auto& [heading, width] : columns) m_list.InsertColumn(index++, heading, format, width);
}

void CRowTableDialog::EnableButtons(bool enable) {
    for (int id : m_buttons.busy) {
        if (CWnd* button = GetDlgItem(id)) button->EnableWindow(enable ? TRUE : FALSE);
    }
}

void CRowTableDialog::BeginRead() {
    EnableButtons(false);
    m_list.DeleteAllItems();
}

void CRowTableDialog::EndRead() { EnableButtons(true); }

void CRowTableDialog::AppendRow(const std::vector<std::string>& cells) {
    const int row = m_list.GetItemCount();
    for (size_t column = 0; column < cells.size(); ++column)
        m_list.SetCell(row, static_cast<int>(column), cells[column]);
}

int CRowTableDialog::SelectedRow() const {
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    return pos ? m_list.GetNextSelectedItem(pos) : -1;
}

bool CRowTableDialog::Listed(std::initializer_list<std::pair<int, std::string>> cells) const {
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        bool same = true;
        for (const auto& [column, text] : cells) same = same && m_list.GetItemText(row, column) == text;
        if (same) return true;
    }
    return false;
}
