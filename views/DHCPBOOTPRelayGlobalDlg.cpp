#include "views/DHCPBOOTPRelayGlobalDlg.h"

#include "platform/ui/Prompt.h"
#include "resources/templates/DhcpRelayDialogsIds.h"

using namespace dhcp_relay_global_ids;

namespace {
const char* StateText(const std::string& value) { return value == "1" ? "Enabled" : "Disabled"; }
}  // namespace

BEGIN_MESSAGE_MAP(CDHCPBOOTPRelayGlobalDlg, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_CBN_SELCHANGE(IDC_REMOTE_ID_TYPE, OnRemoteIdTypeChange)
    ON_MESSAGE(WM_DHCP_BOOTP_NOTIFY, OnBootpNotify)
END_MESSAGE_MAP()

CDHCPBOOTPRelayGlobalDlg::CDHCPBOOTPRelayGlobalDlg(CWnd* parent) : CFeatureDialog(IDD, {}, parent) {}

BOOL CDHCPBOOTPRelayGlobalDlg::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    for (auto id : {IDC_RELAY_STATE, IDC_OPTION82_STATE, IDC_OPTION82_CHECK}) {
        Item(id).AddString("Enabled");
        Item(id).AddString("Disabled");
    }
    for (const char* policy : {"Replace", "Drop", "Keep"}) Item(IDC_OPTION82_POLICY).AddString(policy);
    Item(IDC_REMOTE_ID_TYPE).AddString("Default");
    Item(IDC_REMOTE_ID_TYPE).AddString("User Define");
    for (auto id : {IDC_RELAY_STATE, IDC_OPTION82_STATE, IDC_OPTION82_CHECK, IDC_OPTION82_POLICY, IDC_REMOTE_ID_TYPE})
        Item(id).SetCurSel(0);
    Item(IDC_OPTION82_STATE).EnableWindow(FALSE);
    Item(IDC_REMOTE_ID).SetLimitText(32);
    m_logic.m_hWnd = GetSafeHwnd();
    OnRefresh();
    return TRUE;
}

void CDHCPBOOTPRelayGlobalDlg::OnRefresh() { m_logic.ReadGlobalSettings(); }

LRESULT CDHCPBOOTPRelayGlobalDlg::OnBootpNotify(WPARAM code, LPARAM data) {
    if (code == kBootpRecord && data != 0) Show(*reinterpret_cast<const BootpRelayGlobalInfo*>(data));
    return 0;
}

void CDHCPBOOTPRelayGlobalDlg::Show(const BootpRelayGlobalInfo& info) {
    Item(IDC_RELAY_STATE).SelectString(-1, StateText(info.relayState));
    SetDlgItemText(IDC_HOPS, info.hopsLimit);
    SetDlgItemText(IDC_TIME_THRESHOLD, info.timeThreshold);
    Item(IDC_OPTION82_STATE).SelectString(-1, StateText(info.option82State));
    Item(IDC_OPTION82_STATE).EnableWindow(FALSE);
    Item(IDC_OPTION82_CHECK).SelectString(-1, StateText(info.option82Check));
    const int policy = info.option82Policy == "1"   ? 0
                       : info.option82Policy == "2" ? 1
                       : info.option82Policy == "3" ? 2
                                                    : -1;
    Item(IDC_OPTION82_POLICY).SetCurSel(policy);
    Item(IDC_REMOTE_ID_TYPE).SelectString(-1, info.remoteIdType == "1" ? "Default" : "User Define");
    SetDlgItemText(IDC_REMOTE_ID, info.remoteId);
    OnRemoteIdTypeChange();
}

void CDHCPBOOTPRelayGlobalDlg::OnRemoteIdTypeChange() {
    CComboBox& type = Item(IDC_REMOTE_ID_TYPE);
    const int sel = type.GetCurSel();
    const bool userDefined = sel >= 0 && type.GetLBText(sel) == "User Define";
    Item(IDC_REMOTE_ID).EnableWindow(userDefined ? TRUE : FALSE);
}

void CDHCPBOOTPRelayGlobalDlg::OnApply() {
    auto selected = [this](ui::ControlId<CComboBox> id) {
        CComboBox& box = Item(id);
        const int sel = box.GetCurSel();
        return sel < 0 ? std::string() : box.GetLBText(sel);
    };
    BootpRelayGlobalForm form;
    // A text typed into the state box selects nothing: it counts as disabled.
    form.relayState =
        Item(IDC_RELAY_STATE).GetWindowText() == selected(IDC_RELAY_STATE) ? selected(IDC_RELAY_STATE) : "";
    form.hops = GetDlgItemText(IDC_HOPS);
    form.threshold = GetDlgItemText(IDC_TIME_THRESHOLD);
    form.option82Check = selected(IDC_OPTION82_CHECK);
    form.policyIndex = Item(IDC_OPTION82_POLICY).GetCurSel();
    form.remoteIdType = selected(IDC_REMOTE_ID_TYPE);
    form.remoteId = GetDlgItemText(IDC_REMOTE_ID);
    BootpRelayGlobalInfo record;
    const std::string message = BuildGlobalSettings(form, record);
    if (!message.empty()) {
        AfxMessageBox(message);
        return;
    }
    if (m_logic.WriteGlobalSettings(record) == 1) OnRefresh();
}
