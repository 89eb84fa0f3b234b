#include "features/ports/MultiFilterModeConfig.h"

#include "platform/win/DebugOutput.h"
#include "resources/templates/IGMPDialogsIds.h"

using namespace igmpids;

namespace {
const std::string kFilterTable = "1.3.6.1.4.1.32473.10.76.21.1.7.8.1.";
const std::string kVlanName = "1.3.6.1.4.1.32473.10.76.21.1.7.6.1.1";
const char* const kModes[] = {"Forward Unregistered Groups", "Filtering Unregistered Groups"};

std::string ValueText(const CSnmp& response, int index) {
    int type = 0;
    const char* value = nullptr;
    if (response.getValue(index, type, value) != CSnmp::EC_NO_ERROR || value == nullptr) return {};
    return value;
}
}  // namespace

BEGIN_MESSAGE_MAP(CMultiFilterModeConfig, CFeatureDialog)
    ON_BN_CLICKED(IDC_FILTER_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_FILTER_APPLY, OnApply)
    ON_BN_CLICKED(IDC_FILTER_ALL, OnAllClick)
END_MESSAGE_MAP()

CMultiFilterModeConfig::CMultiFilterModeConfig(CWnd* parent)
    : CFeatureDialog(IDD_MULTI_FILTER_MODE, {.topmost = true}, parent) {}

CComboBox& CMultiFilterModeConfig::Combo(int id) { return *static_cast<CComboBox*>(GetDlgItem(id)); }

BOOL CMultiFilterModeConfig::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_FILTER_LIST, this);
    m_list.InsertColumn(0, "VLAN ID", LVCFMT_CENTER, 100);
    m_list.InsertColumn(1, "VLAN Name", LVCFMT_CENTER, 150);
    m_list.InsertColumn(2, "Multicast Filtering Mode", LVCFMT_CENTER, 320);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    for (const char* mode : kModes) Combo(IDC_FILTER_MODE).AddString(mode);
    Combo(IDC_FILTER_MODE).SetCurSel(0);
    OnRefresh();
    return TRUE;
}

BOOL CMultiFilterModeConfig::DestroyWindow() {
    OutputDebugStringA("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPTable.Close();
    OutputDebugStringA("==================m_cCommonSNMPTable.Close===============");
    return CDialog::DestroyWindow();
}

void CMultiFilterModeConfig::EnableButtons(bool enable) {
    // Also called from the walk's worker: a window already gone has no buttons.
    for (int id : {IDC_FILTER_APPLY, IDC_FILTER_REFRESH}) {
        if (CWnd* button = GetDlgItem(id)) button->EnableWindow(enable ? TRUE : FALSE);
    }
}

void CMultiFilterModeConfig::OnRefresh() {
    m_list.DeleteAllItems();
    Combo(IDC_FILTER_VLAN_ID).ResetContent();
    EnableButtons(false);
    m_cCommonSNMPTable.Open(SNMP_PDU_GETNEXT);
    m_cCommonSNMPTable.AddVarBind(kFilterTable + "1", SNMP_TYPE_NULL, nullptr);
    m_cCommonSNMPTable.AddVarBind(kVlanName, SNMP_TYPE_NULL, nullptr);
    m_cCommonSNMPTable.AddVarBind(kFilterTable + "2", SNMP_TYPE_NULL, nullptr);
    m_cCommonSNMPTable.StartAsync(OnFilterRow, this, 0);
}

int CMultiFilterModeConfig::OnFilterRow(CSnmp* response, int requestId, void* userData, int status) {
    auto* self = static_cast<CMultiFilterModeConfig*>(userData);
    CCommonSNMP& session = self->m_cCommonSNMPTable;
    if (session.FindRequestID(requestId) == 0) {
        if (status == 0) delete response;
        return 0;
    }
    if (status != 0) {
        session.SetDone();
        self->EnableButtons(true);
        return 0;
    }
    const std::string vlanId = ValueText(*response, 0);
    CListCtrlEx& list = self->m_list;
    const int row = list.InsertItem(list.GetItemCount(), vlanId);
    list.SetItemText(row, 1, ValueText(*response, 1));
    list.SetItemText(row, 2, kModes[ValueText(*response, 2) == "0" ? 0 : 1]);
    if (auto* vlanIds = static_cast<CComboBox*>(self->GetDlgItem(IDC_FILTER_VLAN_ID))) {
        vlanIds->AddString(vlanId);
        vlanIds->SetCurSel(0);
    }
    delete response;
    session.StartAsync(OnFilterRow, self, 0);
    return 0;
}

void CMultiFilterModeConfig::OnAllClick() {
    const bool all = static_cast<CButton*>(GetDlgItem(IDC_FILTER_ALL))->GetCheck() == 1;
    GetDlgItem(IDC_FILTER_VLAN_ID)->EnableWindow(all ? FALSE : TRUE);
}

void CMultiFilterModeConfig::OnApply() {
    m_cCommonSNMP.Open(SNMP_PDU_SET);
    const std::string mode = Combo(IDC_FILTER_MODE).GetCurSel() == 0 ? "0" : "1";
    int variables = 0;
    auto add = [&](const std::string& vlanId) {
        // No VLAN names no object: "." alone would go out as an OID.
        if (vlanId.empty()) return;
        m_cCommonSNMP.AddVarBind(kFilterTable + "2." + vlanId, SNMP_TYPE_INTEGER, mode.c_str());
        ++variables;
    };
    if (static_cast<CButton*>(GetDlgItem(IDC_FILTER_ALL))->GetCheck() == 1) {
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
