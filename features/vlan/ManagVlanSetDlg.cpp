#include "features/vlan/ManagVlanSetDlg.h"

#include <cstdlib>

#include "core/Utils.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/VlanDialogsIds.h"

using namespace vlanids;

namespace {
const std::string kPrivate = "1.3.6.1.4.1.32473.10.76.21.1.";
const std::string kState = kPrivate + "7.2.0";
const std::string kVid = kPrivate + "7.3.0";
const std::string kVlanName = kPrivate + "7.6.1.1";
const std::string kVlanEgress = kPrivate + "7.6.1.2";
const std::string kVlanStatus = kPrivate + "7.6.1.5";
constexpr UINT kAppIcon = 447;
}  // namespace

BEGIN_MESSAGE_MAP(CManagVlanSetDlg, CDialog)
    ON_BN_CLICKED(IDC_MANAGEMENT_ENABLE, OnEnable)
    ON_BN_CLICKED(IDC_MANAGEMENT_DISABLE, OnDisable)
    ON_CBN_SELCHANGE(IDC_MANAGEMENT_VID, OnVidChange)
    ON_BN_CLICKED(IDC_MANAGEMENT_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CManagVlanSetDlg::CManagVlanSetDlg(CWnd* parent) : CDialog(IDD_MANAGEMENT_VLAN, parent) {}

CComboBox& CManagVlanSetDlg::VidCombo() { return *static_cast<CComboBox*>(GetDlgItem(IDC_MANAGEMENT_VID)); }

BOOL CManagVlanSetDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcon(::LoadIcon(nullptr, kAppIcon), TRUE);
    m_nRadio = 0;
    CheckRadioButton(IDC_MANAGEMENT_ENABLE, IDC_MANAGEMENT_DISABLE, IDC_MANAGEMENT_ENABLE);
    Refresh();
    return TRUE;
}

BOOL CManagVlanSetDlg::DestroyWindow() {
    const BOOL result = CDialog::DestroyWindow();
    m_cCommonSNMPTable.Close();
    m_cCommonSNMP.Close();
    m_cCommonSNMPSet.Close();
    return result;
}

void CManagVlanSetDlg::OnRefresh() { Refresh(); }

void CManagVlanSetDlg::Refresh() {
    VidCombo().ResetContent();
    m_arrRowStatus.clear();
    m_cCommonSNMPTable.Start(
        SnmpReadSpec::Walk({kVlanName, kVlanStatus}), [this](const SnmpRow& row) { OnTableRow(row); },
        [this](const SnmpReadResult& result) { OnTableEnd(result); });
}

void CManagVlanSetDlg::OnTableRow(const SnmpRow& row) {
    VidCombo().AddString(row.IndexDigits());
    m_arrRowStatus.push_back(row.Text(1));
}

SnmpAnswer CManagVlanSetDlg::Get(const std::vector<std::string>& oids) {
    const bool outer = !m_bInRequest;
    m_bInRequest = true;
    SnmpAnswer answer = SnmpGet(m_cCommonSNMP, oids);
    if (outer) m_bInRequest = false;
    return answer;
}

void CManagVlanSetDlg::RunPendingEnd() {
    if (m_bInRequest || !m_bEndPending) return;
    m_bEndPending = false;
    OnTableEnd(m_pendingEnd);
}

void CManagVlanSetDlg::OnTableEnd(const SnmpReadResult& result) {
    if (m_bInRequest) {
        m_pendingEnd = result;
        m_bEndPending = true;
        return;
    }
    // After a failed read the rows received stay, and the state is not shown.
    if (!result.Complete()) return;
    for (int i = static_cast<int>(m_arrRowStatus.size()) - 1; i >= 0; --i) {
        if (m_arrRowStatus[static_cast<size_t>(i)] != "1") VidCombo().DeleteString(static_cast<UINT>(i));
    }
    Display();
}

void CManagVlanSetDlg::Display() {
    const SnmpAnswer answer = Get({kState, kVid});
    if (answer.Ok()) {
        m_strState = answer.Text(0);
        m_strVid = answer.Text(1);
    }
    if (m_strVid == "1") {
        m_strName = "default";
    } else if (!m_strVid.empty()) {
        // A GET of its own, so the state objects are not asked again.
        const SnmpAnswer name = Get({kVlanName + "." + m_strVid});
        if (name.Ok()) m_strName = name.Text(0);
    }
    m_nRadio = m_strState == "1" ? 0 : 1;
    VidCombo().SetCurSel(VidCombo().FindStringExact(-1, m_strVid));
    VidCombo().EnableWindow(m_strState == "1" ? TRUE : FALSE);
    SetDlgItemText(IDC_MANAGEMENT_NAME, m_strName);
    CheckRadioButton(IDC_MANAGEMENT_ENABLE, IDC_MANAGEMENT_DISABLE,
                     m_nRadio == 0 ? IDC_MANAGEMENT_ENABLE : IDC_MANAGEMENT_DISABLE);
    RunPendingEnd();
}

void CManagVlanSetDlg::OnEnable() { VidCombo().EnableWindow(TRUE); }
void CManagVlanSetDlg::OnDisable() { VidCombo().EnableWindow(FALSE); }

void CManagVlanSetDlg::OnVidChange() {
    const int selected = VidCombo().GetCurSel();
    if (selected < 0) return;
    const SnmpAnswer name = Get({kVlanName + "." + VidCombo().GetLBText(selected)});
    SetDlgItemText(IDC_MANAGEMENT_NAME, name.Ok() ? name.Text(0) : std::string());
    RunPendingEnd();
}

void CManagVlanSetDlg::OnOK() {
    // The end of a read that arrives meanwhile shows its state after this Apply.
    m_bInRequest = true;
    m_nRadio = IsDlgButtonChecked(IDC_MANAGEMENT_ENABLE) ? 0 : 1;
    m_strState = m_nRadio == 0 ? "1" : "2";
    const int selected = VidCombo().GetCurSel();
    // With nothing selected (after a failed read) the state is written alone.
    m_strVid = selected < 0 ? std::string() : VidCombo().GetLBText(selected);
    if (!m_strVid.empty() && m_strVid != "1") {
        const SnmpAnswer egress = Get({kVlanEgress + "." + m_strVid});
        int members = 0;
        if (egress.Ok()) CUtils::PortBitmapToList(egress.Bytes(0), &members);
        if (egress.Ok() && members == 0) {
            m_bInRequest = false;
            m_bEndPending = false;
            AfxMessageBox("Management VLAN could not be empty.");
            Refresh();
            return;
        }
    }
    std::vector<SnmpSetVar> vars = {SnmpSetVar::Integer(kState, std::atoll(m_strState.c_str()))};
    if (!m_strVid.empty()) vars.push_back(SnmpSetVar::Integer(kVid, std::atoll(m_strVid.c_str())));
    SnmpSet(m_cCommonSNMPSet, vars);
    m_bInRequest = false;
    Display();
}
