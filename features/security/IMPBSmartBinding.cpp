#include "features/security/IMPBSmartBinding.h"

#include <cstdlib>

#include "core/DeviceProfile.h"
#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "platform/win/Clock.h"
#include "resources/templates/IMPBDialogsIds.h"

using namespace impb_binding_ids;

namespace {
constexpr int kMacChars = 17;
}  // namespace

BEGIN_MESSAGE_MAP(CIMPBSmartBinding, CRowTableDialog)
    ON_BN_CLICKED(IDC_REFRESH, Refresh)
    ON_BN_CLICKED(IDC_ADD, OnManualAdd)
    ON_BN_CLICKED(IDC_SCAN, OnScan)
    ON_BN_CLICKED(IDC_BIND, OnBind)
    ON_MESSAGE(WM_IMPB_LIST_ROW, OnBindingRow)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CIMPBSmartBinding::CIMPBSmartBinding(CWnd* parent)
    : CRowTableDialog(IDD, {IDC_LIST, {IDC_REFRESH, IDC_SCAN}}, {.topmost = true}, parent) {}

BOOL CIMPBSmartBinding::OnInitDialog() {
    CRowTableDialog::OnInitDialog();
    for (auto [edit, id] :
         {std::pair{&m_address, IDC_ADDRESS}, {&m_scanFrom, IDC_SCAN_FROM}, {&m_scanTo, IDC_SCAN_TO}}) {
        edit->SubclassDlgItem(id, this);
        edit->m_bAllowInterface = 0;  // an address with a zone is invalid here
    }
    InitList({{"VID", 100}, {"IP Address", 160}, {"Mac Address", 170}, {"Port", 110}, {"Binding", 100}}, LVCFMT_CENTER);
    Item(IDC_MAC).LimitText(kMacChars);
    m_logic.SetHwnd(GetSafeHwnd());
    Refresh();
    return TRUE;
}

void CIMPBSmartBinding::Refresh() {
    // A read still running (a tick may come before its time-out) is withdrawn.
    BeginRead();
    m_logic.ReadBindingTable();
}

LRESULT CIMPBSmartBinding::OnBindingRow(WPARAM kind, LPARAM data) {
    if (kind == kImpbEnd) {
        EndRead();
        return 0;
    }
    if (const auto* entry = reinterpret_cast<const IMPBEntry*>(data))
        AppendRow({entry->vid, entry->ip, entry->mac, entry->port, entry->state == "1" ? "Bound" : "Not Bound"});
    return 0;
}

void CIMPBSmartBinding::ClearAddress(CEditEXIPV6& edit) {
    edit.SetWindowText("");
    edit.OnKillFocus(nullptr);
}

void CIMPBSmartBinding::OnManualAdd() {
    if (m_address.m_nValid != 1) {
        AfxMessageBox("Invalid IP Address.");
        return;
    }
    const std::string mac = Item(IDC_MAC).GetWindowText();
    if (CUtils::ValidateMacInput(mac, false) == 0) return;
    const std::string port = Item(IDC_PORT).GetWindowText();
    const int number = std::atoi(port.c_str());
    if (number <= 0 || number > g_nDevicePortNum) {
        AfxMessageBox("Invalid port number.");
        return;
    }
    m_logic.SetWhiteListEntry({m_address.GetWindowText(), mac, "1", port, "1"}, 1);
    Item(IDC_MAC).SetWindowText("");
    Item(IDC_PORT).SetWindowText("");
    ClearAddress(m_address);
}

void CIMPBSmartBinding::OnScan() {
    if (m_scanFrom.m_nValid != 1) {
        AfxMessageBox("Invalid From IP Address.");
        return;
    }
    if (m_scanTo.m_nValid != 1) {
        AfxMessageBox("Invalid To IP Address.");
        return;
    }
    if (m_scanFrom.m_strIPType != m_scanTo.m_strIPType) {
        AfxMessageBox("Invalid IP address !");
        return;
    }
    m_logic.m_pScanFromEdit = &m_scanFrom;
    m_logic.m_pScanToEdit = &m_scanTo;
    m_logic.StartScan({m_scanFrom.GetWindowText(), m_scanTo.GetWindowText(), "1"});
    ClearAddress(m_scanFrom);
    ClearAddress(m_scanTo);
    Item(IDC_SCAN).EnableWindow(FALSE);
    SetTimer(kScanTimer, kScanTickMs);
}

void CIMPBSmartBinding::OnTimer(UINT_PTR id) {
    if (id != kScanTimer) return;
    const int rows = RowCount();
    if (rows == m_nLastRowCount) {
        KillTimer(kScanTimer);
        Item(IDC_SCAN).EnableWindow(TRUE);
        m_nLastRowCount = -1;
        return;
    }
    m_nLastRowCount = rows;
    Refresh();
}

void CIMPBSmartBinding::OnBind() {
    const int row = SelectedRow();
    if (row < 0) {
        AfxMessageBox("Please select the item would be Binding!\n");
        return;
    }
    if (Cell(row, 4) == "Bound") {
        AfxMessageBox("The entry is bound.");
        return;
    }
    m_logic.BindEntry({Cell(row, 1), Cell(row, 2), "1", Cell(row, 3), "1"});
    win::Sleep(CIMPFunclogic::kWritePauseMs);
    Refresh();
}
