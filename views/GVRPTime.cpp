#include "views/GVRPTime.h"

#include "resources/templates/GvrpDialogsIds.h"

using namespace gvrp_time_ids;

BEGIN_MESSAGE_MAP(CGVRPTime, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_CLOSE, OnClose)
    ON_BN_CLICKED(IDC_ENABLED, OnEnabled)
    ON_BN_CLICKED(IDC_DISABLED, OnDisabled)
    ON_MESSAGE(WM_GVRP, OnGvrp)
END_MESSAGE_MAP()

CGVRPTime::CGVRPTime(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CGVRPTime::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    OnRefresh();
    return TRUE;
}

void CGVRPTime::EnableTimers(bool enable) {
    for (auto id : {IDC_JOIN, IDC_LEAVE, IDC_LEAVE_ALL}) Item(id).EnableWindow(enable ? TRUE : FALSE);
}

void CGVRPTime::EnableButtons(bool enable) {
    for (auto id : {IDC_APPLY, IDC_REFRESH, IDC_CLOSE}) Item(id).EnableWindow(enable ? TRUE : FALSE);
}

void CGVRPTime::OnRefresh() {
    m_strState.clear();
    m_logic.GetValue(CGVRPFunLogic::kGlobalState, m_strState);
    const bool enabled = m_strState == "1";
    Item(IDC_ENABLED).SetCheck(enabled ? BST_CHECKED : BST_UNCHECKED);
    Item(IDC_DISABLED).SetCheck(enabled ? BST_UNCHECKED : BST_CHECKED);
    EnableTimers(enabled);
    if (m_logic.SetHwnd(GetSafeHwnd()) == 0) return;
    EnableButtons(false);
    m_logic.GetGlobalSettings();
}

LRESULT CGVRPTime::OnGvrp(WPARAM code, LPARAM data) {
    if (code == kGvrpReadEnd) {
        // The settings could not be read: the buttons come back for another try.
        EnableButtons(true);
        return 0;
    }
    if (code != kGvrpRow || data == 0) return 0;
    const auto& entry = *reinterpret_cast<const GVRPGlobalEntry*>(data);
    if (entry.state == 0) EnableTimers(false);
    Item(IDC_JOIN).SetWindowText(entry.joinTime);
    Item(IDC_LEAVE).SetWindowText(entry.leaveTime);
    Item(IDC_LEAVE_ALL).SetWindowText(entry.leaveAllTime);
    EnableButtons(true);
    return 0;
}

void CGVRPTime::OnApply() {
    const std::string newState = Item(IDC_ENABLED).GetCheck() == BST_CHECKED ? "1" : "2";
    m_logic.SetGlobalSettings(m_strState, newState, Item(IDC_JOIN).GetWindowText(), Item(IDC_LEAVE).GetWindowText(),
                              Item(IDC_LEAVE_ALL).GetWindowText());
    OnRefresh();
}
