#include "features/security/8021XGlobalDlg.h"

#include <vector>

#include "core/SnmpRead.h"
#include "platform/win/Clock.h"
#include "resources/templates/SecurityDialogsIds.h"

using namespace dot1x_global_ids;

namespace {
const std::string kDot1x = "1.3.6.1.4.1.32473.10.76.21.1.23.1.";
constexpr int kEnabled = 0;
}  // namespace

const std::string C8021XGlobalDlg::kState = kDot1x + "1.0";
const std::string C8021XGlobalDlg::kProtocol = kDot1x + "3.0";
const std::string C8021XGlobalDlg::kForwardEapol = kDot1x + "4.0";

BEGIN_MESSAGE_MAP(C8021XGlobalDlg, CFeatureDialog)
    ON_BN_CLICKED(IDC_STATE_ENABLED, OnStateEnabled)
    ON_BN_CLICKED(IDC_STATE_DISABLED, OnStateDisabled)
    ON_BN_CLICKED(IDC_REFRESH, Refresh)
END_MESSAGE_MAP()

C8021XGlobalDlg::C8021XGlobalDlg(CWnd* parent) : CFeatureDialog(IDD, {}, parent) {}

void C8021XGlobalDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_PROTOCOL, m_protocolList);
    DDX_Radio(dx, IDC_STATE_ENABLED, m_nState);
    DDX_Radio(dx, IDC_EAPOL_ENABLED, m_nEapol);
}

void C8021XGlobalDlg::CloseSessions() {
    m_cCommonSNMP.Close();
    m_module.m_cCommonSNMP.Close();
}

BOOL C8021XGlobalDlg::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_strState.clear();
    m_strEapol.clear();
    m_strProtocol.clear();
    m_protocolList.AddString("RADIUS");
    m_protocolList.AddString("Local");
    m_protocolList.SetCurSel(0);
    Refresh();
    return TRUE;
}

void C8021XGlobalDlg::Refresh() {
    // A failed read counts as an empty text.
    auto read = [this](const std::string& oid) {
        std::string value;
        m_module.GetValue(oid, value);
        return value;
    };
    m_strState = read(kState);
    m_nState = m_strState == "1" ? kEnabled : 1;
    m_protocolList.EnableWindow(m_strState == "1" ? TRUE : FALSE);
    if (m_strState == "1") OnStateEnabled();
    if (m_strState == "2") OnStateDisabled();

    m_strEapol = read(kForwardEapol);
    m_nEapol = m_strEapol == "1" ? kEnabled : 1;

    m_strProtocol = read(kProtocol);
    m_protocolList.SetCurSel(m_strProtocol == "1" ? 0 : 1);
    UpdateData(FALSE);
}

void C8021XGlobalDlg::OnStateEnabled() {
    m_protocolList.EnableWindow(TRUE);
    Item(IDC_EAPOL_ENABLED).EnableWindow(FALSE);
    Item(IDC_EAPOL_DISABLED).EnableWindow(FALSE);
}

void C8021XGlobalDlg::OnStateDisabled() {
    Item(IDC_EAPOL_ENABLED).EnableWindow(TRUE);
    Item(IDC_EAPOL_DISABLED).EnableWindow(TRUE);
    m_protocolList.EnableWindow(FALSE);
}

void C8021XGlobalDlg::OnOK() {
    UpdateData(TRUE);
    const std::string state = m_nState == kEnabled ? "1" : "2";
    const std::string eapol = m_nEapol == kEnabled ? "1" : "2";
    const std::string protocol = m_protocolList.GetCurSel() == 0 ? "1" : "2";
    std::vector<SnmpSetVar> vars;
    auto add = [&vars](const std::string& oid, const std::string& value) {
        vars.push_back({.oid = oid, .type = SNMP_TYPE_INTEGER, .value = value});
    };
    if (state != m_strState) add(kState, state);
    // EAPOL forwarding matters only while 802.1X is off, the protocol only while it is on.
    if (eapol != m_strEapol && state == "2") add(kForwardEapol, eapol);
    if (protocol != m_strProtocol && state == "1") add(kProtocol, protocol);
    // The outcome shows in the re-read.
    if (!vars.empty()) SnmpSet(m_cCommonSNMP, vars);
    win::Sleep(kRereadDelayMs);
    Refresh();
}
