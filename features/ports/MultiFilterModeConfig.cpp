#include "features/ports/MultiFilterModeConfig.h"

#include "platform/win/DebugOutput.h"
#include "resources/templates/IGMPDialogsIds.h"

using namespace igmpids;

namespace {
const std::string kFilterTable = "1.3.6.1.4.1.32473.10.76.21.1.7.8.1.";
const std::string kVlanName = "1.3.6.1.4.1.32473.10.76.21.1.7.6.1.1";
const char* const kModes[] = {"Forward Unregistered Groups", "Filtering Unregistered Groups"};
}  // namespace

BEGIN_MESSAGE_MAP(CMultiFilterModeConfig, CFeatureDialog)
    ON_BN_CLICKED(IDC_FILTER_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_FILTER_APPLY, OnApply)
    ON_BN_CLICKED(IDC_FILTER_ALL, OnAllClick)
END_MESSAGE_MAP()

CMultiFilterModeConfig::CMultiFilterModeConfig(CWnd* parent)
    : CFeatureDialog(IDD_MULTI_FILTER_MODE, {.topmost = true}, parent) {}

BOOL CMultiFilterModeConfig::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_FILTER_LIST, this);
    m_list.InsertColumn(0, "VLAN ID", LVCFMT_CENTER, 100);
    m_list.InsertColumn(1, "VLAN Name", LVCFMT_CENTER, 150);
    m_list.InsertColumn(2, "Multicast Filtering Mode", LVCFMT_CENTER, 320);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    for (const char* mode : kModes) Item(IDC_FILTER_MODE).AddString(mode);
    Item(IDC_FILTER_MODE).SetCurSel(0);
    OnRefresh();
    return TRUE;
}

BOOL CMultiFilterModeConfig::DestroyWindow() {
    OutputDebugStringA("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_tableRead.Close();
    OutputDebugStringA("==================m_cCommonSNMPTable.Close===============");
    return CDialog::DestroyWindow();
}

void CMultiFilterModeConfig::EnableButtons(bool enable) {
    for (int id : {IDC_FILTER_APPLY, IDC_FILTER_REFRESH}) {
        if (CWnd* button = GetDlgItem(id)) button->EnableWindow(enable ? TRUE : FALSE);
    }
}

void CMultiFilterModeConfig::OnRefresh() {
    m_list.DeleteAllItems();
    Item(IDC_FILTER_VLAN_ID).ResetContent();
    EnableButtons(false);
    m_tableRead.Start(
        SnmpReadSpec::Walk({kFilterTable + "1", kVlanName, kFilterTable + "2"}),
        [this](const SnmpRow& row) { OnFilterRow(row); }, [this](const SnmpReadResult&) { EnableButtons(true); });
}

void CMultiFilterModeConfig::OnFilterRow(const SnmpRow& row) {
    const std::string& vlanId = row.Text(0);
    const int item = m_list.InsertItem(m_list.GetItemCount(), vlanId);
    m_list.SetItemText(item, 1, row.Text(1));
    m_list.SetItemText(item, 2, kModes[row.Text(2) == "0" ? 0 : 1]);
    Item(IDC_FILTER_VLAN_ID).AddString(vlanId);
    Item(IDC_FILTER_VLAN_ID).SetCurSel(0);
}

void CMultiFilterModeConfig::OnAllClick() {
    const bool all = Item(IDC_FILTER_ALL).GetCheck() == 1;
    GetDlgItem(IDC_FILTER_VLAN_ID)->EnableWindow(all ? FALSE : TRUE);
}

void CMultiFilterModeConfig::OnApply() {
    m_cCommonSNMP.Open(SNMP_PDU_SET);
    const std::string mode = Item(IDC_FILTER_MODE).GetCurSel() == 0 ? "0" : "1";
    int variables = 0;
    auto add = [&](const std::string& vlanId) {
        // No VLAN names no object: "." alone would go out as an OID.
        if (vlanId.empty()) return;
        m_cCommonSNMP.AddVarBind(kFilterTable + "2." + vlanId, SNMP_TYPE_INTEGER, mode.c_str());
        ++variables;
    };
    if (Item(IDC_FILTER_ALL).GetCheck() == 1) {
        for (int row = 0; row < m_list.GetItemCount(); ++row) add(m_list.GetItemText(row, 0));
    } else {
        add(GetDlgItemText(IDC_FILTER_VLAN_ID));
    }
    if (variables == 0) return;
    CSnmp* response = nullptr;
    if (m_cCommonSNMP.GetNext(response, 0) != 0) return;
    delete response;
    OnRefresh();
}
