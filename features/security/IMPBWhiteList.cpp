#include "features/security/IMPBWhiteList.h"

#include "platform/ui/Prompt.h"
#include "resources/templates/IMPBDialogsIds.h"

using namespace impb_white_list_ids;

BEGIN_MESSAGE_MAP(CIMPBWhiteList, CRowTableDialog)
    ON_BN_CLICKED(IDC_REFRESH, Refresh)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_MESSAGE(WM_IMPB_LIST_ROW, OnWhiteListRow)
END_MESSAGE_MAP()

CIMPBWhiteList::CIMPBWhiteList(CWnd* parent)
    : CRowTableDialog(IDD, {IDC_LIST, {IDC_REFRESH, IDC_DELETE}}, {.topmost = true}, parent) {}

BOOL CIMPBWhiteList::OnInitDialog() {
    CRowTableDialog::OnInitDialog();
    InitList({{"IP Address", 200}, {"Mac Address", 220}, {"Port", 160}}, LVCFMT_CENTER);
    m_logic.SetHwnd(GetSafeHwnd());
    Refresh();
    return TRUE;
}

void CIMPBWhiteList::Refresh() {
    BeginRead();
    m_logic.ReadWhiteList();
}

LRESULT CIMPBWhiteList::OnWhiteListRow(WPARAM kind, LPARAM data) {
    if (kind == kImpbEnd) {
        EndRead();
        Item(IDC_TOTAL).SetWindowText(std::to_string(RowCount()));
        return 0;
    }
    // Every row is listed, whatever its row status.
    if (const auto* entry = reinterpret_cast<const IMPBEntry*>(data)) AppendRow({entry->ip, entry->mac, entry->port});
    return 0;
}

void CIMPBWhiteList::OnDelete() {
    const int row = SelectedRow();
    if (row < 0) {
        AfxMessageBox("Please select the item would be delete!\n");
        return;
    }
    m_logic.SetWhiteListEntry({Cell(row, 0), Cell(row, 1), "1", Cell(row, 2), "3"}, 3);
    Refresh();
}
