#include "features/management/SNMPTableDialog.h"

#include "platform/ui/Prompt.h"

std::string TrimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

BEGIN_MESSAGE_MAP(CSNMPTableDialog, CRowTableDialog)
    ON_MESSAGE(WM_SNMP_CONFIG_REPORT, OnReport)
END_MESSAGE_MAP()

CSNMPTableDialog::CSNMPTableDialog(UINT templateId, Buttons buttons, CWnd* parent)
    : CRowTableDialog(templateId, std::move(buttons), {.topmost = true}, parent) {}

BOOL CSNMPTableDialog::OnInitDialog() {
    CRowTableDialog::OnInitDialog();
    m_config.SetOwner(GetSafeHwnd());
    return TRUE;
}

BOOL CSNMPTableDialog::DestroyWindow() {
    m_bClosing = true;
    CSNMPConfig::WriteDestroyLine();
    return CRowTableDialog::DestroyWindow();
}

void CSNMPTableDialog::Refresh() {
    BeginRead();
    StartRead();
}

LRESULT CSNMPTableDialog::OnReport(WPARAM code, LPARAM record) {
    if (m_bClosing) return 0;
    if (code == kSnmpReadEnd) EndRead();
    else if (record != 0) OnRow(code, record);
    return 0;
}

void CSNMPTableDialog::CreateRow(const std::string& statusCell, const std::function<void()>& write) {
    m_config.SetRowStatus(statusCell, "5");
    write();
    m_config.SetRowStatus(statusCell, "1");
}

void CSNMPTableDialog::DeleteSelected(const std::string& noSelection,
                                      const std::function<std::string(int row)>& statusCell) {
    const int row = SelectedRow();
    if (row < 0) {
        AfxMessageBox(noSelection);
        return;
    }
    m_config.SetRowStatus(statusCell(row), "6");
    Refresh();
}

std::string CSNMPTableDialog::ComboText(ui::ControlId<CComboBox> id) {
    CComboBox& box = Item(id);
    return box.GetCurSel() < 0 ? std::string() : box.GetLBText(box.GetCurSel());
}
