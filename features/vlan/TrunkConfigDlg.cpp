#include "features/vlan/TrunkConfigDlg.h"

#include <cstdlib>

#include "core/Utils.h"
#include "features/vlan/KRVTrunkPort.h"
#include "platform/ui/Prompt.h"
#include "platform/win/Clock.h"
#include "resources/templates/TrunkDialogsIds.h"

using namespace trunk_config_ids;

namespace {
const std::string kPrivate = "1.3.6.1.4.1.32473.10.76.21.1.";
const std::string kTrunkState = kPrivate + "8.1.2.0";
const std::string kTrunkMembers = kPrivate + "8.1.3.1.2";
const std::string kTrunkMode = kPrivate + "8.1.3.1.3";
constexpr DWORD kStateRefreshPauseMs = 10;
constexpr DWORD kModeRefreshPauseMs = 50;
constexpr DWORD kListExtendedStyle = LVS_EX_FULLROWSELECT | LVS_EX_FLATSB;
}  // namespace

BEGIN_MESSAGE_MAP(CTrunkConfigDlg, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY_STATE, OnApplyState)
    ON_BN_CLICKED(IDC_APPLY_MODE, OnApplyMode)
    ON_BN_CLICKED(IDC_PORT_MEMBER, OnPortMember)
    ON_NOTIFY(NM_CLICK, IDC_TRUNK_LIST, OnListClick)
    ON_NOTIFY(LVN_KEYDOWN, IDC_TRUNK_LIST, OnListKeyDown)
END_MESSAGE_MAP()

CTrunkConfigDlg::CTrunkConfigDlg(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

CTrunkConfigDlg::~CTrunkConfigDlg() = default;

std::string CTrunkConfigDlg::ModeText(const std::string& code) {
    if (code == "1") return "LACP";
    if (code == "2") return "Static";
    return "Disable";
}

BOOL CTrunkConfigDlg::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_TRUNK_LIST, this);
    m_list.InsertHeaderColumn(0, "TrunkID    ");
    m_list.InsertHeaderColumn(1, "PortChannelMode    ");
    m_list.InsertHeaderColumn(2, "PortMember                            ");
    m_list.SetExtendedStyle(kListExtendedStyle);
    for (const char* mode : {"LACP", "Static", "Disable"}) Item(IDC_MODE).AddString(mode);
    Item(IDC_PORT_MEMBER).EnableWindow(FALSE);
    OnRefresh();
    return TRUE;
}

void CTrunkConfigDlg::CloseSessions() {
    m_cCommonSNMPTrunkTable.Close();
    m_cCommonSNMPTrunk.Close();
}

void CTrunkConfigDlg::OnRefresh() {
    ReadTrunkState();
    ReadTrunkTable();
}

void CTrunkConfigDlg::ReadTrunkState() {
    // An unanswered read leaves the box and the member button as they are.
    const SnmpAnswer answer = SnmpGet(m_cCommonSNMPTrunk, {kTrunkState});
    if (!answer.Answered()) return;
    const bool enabled = answer.Text(0) == "1";
    Item(IDC_ENABLE_TRUNK).SetCheck(enabled ? BST_CHECKED : BST_UNCHECKED);
    Item(IDC_PORT_MEMBER).EnableWindow(enabled ? TRUE : FALSE);
}

void CTrunkConfigDlg::ReadTrunkTable() {
    m_list.DeleteAllItems();
    Item(IDC_REFRESH).EnableWindow(FALSE);
    // Every way the walk ends gives the button back, with the rows received so far.
    m_cCommonSNMPTrunkTable.Start(
        SnmpReadSpec::Walk({kTrunkMembers, kTrunkMode}), [this](const SnmpRow& row) { OnTrunkRow(row); },
        [this](const SnmpReadResult&) { Item(IDC_REFRESH).EnableWindow(TRUE); });
}

void CTrunkConfigDlg::OnTrunkRow(const SnmpRow& row) {
    int count = 0;
    const std::string members = CUtils::PortBitmapToList(row.Bytes(0), &count);
    const int item = m_list.SetCell(m_list.GetItemCount(), 0, row.IndexDigits());
    if (item < 0) return;
    m_list.SetCell(item, 1, ModeText(row.Text(1)));
    m_list.SetCell(item, 2, members);
}

void CTrunkConfigDlg::OnApplyState() {
    const int state = Item(IDC_ENABLE_TRUNK).GetCheck() == BST_CHECKED ? 1 : 2;
    // A SET that went unanswered shows nothing and reads nothing again.
    if (!SnmpSet(m_cCommonSNMPTrunk, {SnmpSetVar::Integer(kTrunkState, state)}).Answered()) return;
    win::Sleep(kStateRefreshPauseMs);
    OnRefresh();
}

void CTrunkConfigDlg::OnListClick(NMHDR*, LRESULT* result) {
    *result = 0;
    m_strPortMember.clear();
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    if (pos == nullptr) return;
    ShowRow(m_list.GetNextSelectedItem(pos));
}

void CTrunkConfigDlg::OnListKeyDown(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(header);
    if (key->wVKey != VK_DOWN && key->wVKey != VK_UP) return;
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    if (pos == nullptr) return;
    const int row = m_list.GetNextSelectedItem(pos) + (key->wVKey == VK_DOWN ? 1 : -1);
    if (row < 0 || row >= m_list.GetItemCount()) return;
    ShowRow(row);
}

void CTrunkConfigDlg::ShowRow(int row) {
    SetDlgItemText(IDC_TRUNK_ID, m_list.GetItemText(row, 0));
    CComboBox& mode = Item(IDC_MODE);
    mode.SetCurSel(mode.FindStringExact(-1, m_list.GetItemText(row, 1)));
    m_strPortMember = m_list.GetItemText(row, 2);
}

int CTrunkConfigDlg::FindRow(const std::string& trunk) const {
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        if (m_list.GetItemText(row, 0) == trunk) return row;
    }
    return -1;
}

std::string CTrunkConfigDlg::ComboText() {
    CComboBox& mode = Item(IDC_MODE);
    const int selected = mode.GetCurSel();
    return selected < 0 ? std::string() : mode.GetLBText(selected);
}

void CTrunkConfigDlg::OnApplyMode() {
    if (Item(IDC_ENABLE_TRUNK).GetCheck() != BST_CHECKED) {
        AfxMessageBox("Link Aggregation State is disable.");
        return;
    }
    const std::string trunk = GetDlgItemText(IDC_TRUNK_ID);
    if (trunk.empty()) return;
    // The trunk's own row, wherever it stands: the table may be sparse or still being listed.
    const int row = FindRow(trunk);
    if (row < 0) return;
    if (ComboText() == m_list.GetItemText(row, 1)) return;
    if (m_list.GetItemText(row, 2).empty()) {
        AfxMessageBox("The minimum port numbers for an aggregated link is 2.");
        return;
    }
    SetTrunkMode(std::atoi(trunk.c_str()));
}

void CTrunkConfigDlg::SetTrunkMode(int trunk) {
    const int selected = Item(IDC_MODE).GetCurSel();
    const int mode = selected == 0 ? 1 : selected == 1 ? 2 : 3;
    const std::string oid = kTrunkMode + "." + std::to_string(trunk);
    if (!SnmpSet(m_cCommonSNMPTrunk, {SnmpSetVar::Integer(oid, mode)}).Answered()) return;
    win::Sleep(kModeRefreshPauseMs);
    OnRefresh();
}

void CTrunkConfigDlg::OnPortMember() {
    if (ComboText() == "Disable") {
        AfxMessageBox("Please select the Channel Mode (LACP or Static) first.");
        return;
    }
    const std::string trunk = GetDlgItemText(IDC_TRUNK_ID);
    if (trunk.empty()) {
        AfxMessageBox("Please select the Trunk !");
        return;
    }
    const int row = FindRow(trunk);
    if (row >= 0) m_strPortMember = m_list.GetItemText(row, 2);
    CKRVTrunkPort dlg(this);
    dlg.m_strPortMember = m_strPortMember;
    dlg.m_strTrunkId = trunk;
    dlg.m_strMode = ComboText();
    if (dlg.DoModal() == IDOK) OnRefresh();
}
