#include "features/security/ARPSpoofSetting.h"

#include "features/security/AddARPEntry.h"
#include "platform/ui/Prompt.h"
#include "platform/win/Clock.h"
#include "resources/templates/ARPSpoofDialogsIds.h"

using namespace arp_spoof_ids;

BEGIN_MESSAGE_MAP(CARPSpoofSetting, CRowTableDialog)
    ON_BN_CLICKED(IDC_REFRESH, Refresh)
    ON_BN_CLICKED(IDC_ADD, OnAdd)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_CLOSE, OnCancel)
END_MESSAGE_MAP()

CARPSpoofSetting::CARPSpoofSetting(CWnd* parent)
    : CRowTableDialog(IDD, {IDC_GATEWAY_LIST, {IDC_ADD, IDC_DELETE, IDC_REFRESH}}, {.topmost = true}, parent) {}

BOOL CARPSpoofSetting::OnInitDialog() {
    CRowTableDialog::OnInitDialog();
    InitList({{"Index", 50}, {"Router/Gateway IP Address", 190}, {"Router/Gateway MAC Address", 195}, {"Ports", 150}},
             LVCFMT_CENTER);
    Refresh();
    return TRUE;
}

void CARPSpoofSetting::Refresh() {
    // Disabled before the walk starts, so an end delivered at once finds them to enable.
    BeginRead();
    Item(IDC_TOTAL).SetWindowText("0");
    m_logic.ReadGateways([this](const ARPSpoofEntry& entry) { OnRow(entry); }, [this] { EndRead(); });
}

void CARPSpoofSetting::OnRow(const ARPSpoofEntry& entry) {
    // Only active rows are listed and counted; Index is the running number in the list.
    if (entry.rowStatus != "1") return;
    const std::string number = std::to_string(RowCount() + 1);
    Item(IDC_TOTAL).SetWindowText(number);
    AppendRow({number, entry.ip, entry.mac, entry.ports});
}

void CARPSpoofSetting::OnAdd() {
    if (RowCount() >= CARPSpoofLogic::kMaxEntries) {
        AfxMessageBox("The Maximum of Entry is 64, can not add any more");
        return;
    }
    CAddARPEntry entry;
    entry.DoModal();
    Refresh();
}

void CARPSpoofSetting::OnDelete() {
    const int row = SelectedRow();
    if (row < 0) {
        AfxMessageBox("Please select the entry you would be delete!");
        return;
    }
    if (m_logic.DeleteGateway(Cell(row, 1)) == 0) return;
    win::Sleep(CARPSpoofLogic::kWritePauseMs);
    Refresh();
}
