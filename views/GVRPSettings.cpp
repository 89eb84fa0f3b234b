#include "views/GVRPSettings.h"

#include <algorithm>
#include <cstdlib>

#include "core/DeviceProfile.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/GvrpDialogsIds.h"

using namespace gvrp_settings_ids;

namespace {
constexpr int kReadsOfARefresh = 3;  // ports, VLANs, trunks

// A port typed or chosen in a range box; 0 when it is no number.
int PortValue(const std::string& text) { return std::atoi(text.c_str()); }
}  // namespace

BEGIN_MESSAGE_MAP(CGVRPSettings, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_CBN_SELCHANGE(IDC_FROM_PORT, OnFromChange)
    ON_CBN_SELCHANGE(IDC_TO_PORT, OnToChange)
    ON_MESSAGE(WM_GVRP, OnGvrp)
END_MESSAGE_MAP()

CGVRPSettings::CGVRPSettings(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CGVRPSettings::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_LIST, this);
    const std::pair<const char*, int> columns[] = {
        {"Port", 50}, {"PVID", 80}, {"GVRP", 110}, {"Ingress Checking", 130}, {"Acceptable Frame Type", 140}};
    int column = 0;
    for (const auto& [heading, width] : columns) m_list.InsertColumn(column++, heading, LVCFMT_LEFT, width);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_ports.Attach(this, IDC_FROM_PORT, IDC_TO_PORT, "'To Port' can not be smaller than 'From Port'");
    m_ports.Fill(std::max(g_nDevicePortNum, 0), CPortRangeCombos::ToOnLast);
    FillChoice(IDC_GVRP, {"Disabled", "Enabled"}, "Disabled");
    FillChoice(IDC_INGRESS, {"Disabled", "Enabled"}, "Enabled");
    FillChoice(IDC_FRAME_TYPE, {"Admit All", "Tagged Only"}, "Admit All");
    OnRefresh();
    return TRUE;
}

void CGVRPSettings::FillChoice(ui::ControlId<CComboBox> id, std::initializer_list<const char*> items,
                               const char* chosen) {
    CComboBox& combo = Item(id);
    for (const char* item : items) combo.AddString(item);
    combo.SetCurSel(combo.FindStringExact(-1, chosen));
}

void CGVRPSettings::OnRefresh() {
    m_list.DeleteAllItems();
    // Both wait for all three reads: a range is judged against the whole trunk table, and a
    // second refresh never meets the ends of the first.
    Item(IDC_REFRESH).EnableWindow(FALSE);
    Item(IDC_APPLY).EnableWindow(FALSE);
    std::string state;
    const bool enabled = m_logic.GetValue(CGVRPFunLogic::kGlobalState, state) != 0 && state == "1";
    for (auto id : {IDC_GVRP, IDC_INGRESS, IDC_FRAME_TYPE}) Item(id).EnableWindow(enabled ? TRUE : FALSE);
    if (m_logic.SetHwnd(GetSafeHwnd()) == 0) return;
    // Starting the three withdraws any of them still running, whose end then never comes.
    m_nFinishedWalks = 0;
    m_logic.GetPortSettings();
    m_logic.GetVlanList();
    m_logic.GetTrunkPorts();
}

LRESULT CGVRPSettings::OnGvrp(WPARAM code, LPARAM data) {
    if (code == kGvrpRow) {
        if (data == 0) return 0;
        const auto& entry = *reinterpret_cast<const GVRPPortEntry*>(data);
        const int row = m_list.InsertItem(m_list.GetItemCount(), entry.port);
        m_list.SetItemText(row, 1, entry.pvid);
        m_list.SetItemText(row, 2, entry.gvrpState);
        m_list.SetItemText(row, 3, entry.ingressChecking);
        m_list.SetItemText(row, 4, entry.frameType);
        return 0;
    }
    if (code == kGvrpReadEnd) ++m_nFinishedWalks;
    if (code == kGvrpWritten) {
        Item(IDC_APPLY).EnableWindow(TRUE);
        OnRefresh();
    }
    if (m_nFinishedWalks == kReadsOfARefresh) {
        Item(IDC_REFRESH).EnableWindow(TRUE);
        Item(IDC_APPLY).EnableWindow(TRUE);
        m_nFinishedWalks = 0;
    }
    return 0;
}

void CGVRPSettings::OnApply() {
    const std::string pvid = Item(IDC_PVID).GetWindowText();
    const int from = PortValue(Item(IDC_FROM_PORT).GetWindowText());
    const int to = PortValue(Item(IDC_TO_PORT).GetWindowText());
    if (CGVRPFunLogic::IsValidPvid(pvid) == 0) {
        AfxMessageBox("PVID Range is 1-4094");
        return;
    }
    if (m_logic.CheckTrunkGroup(from, to) == 0) return;
    auto choice = [this](ui::ControlId<CComboBox> id, const char* first) {
        return Item(id).GetWindowText() == first ? "1" : "2";
    };
    const char* gvrp = choice(IDC_GVRP, "Enabled");
    const char* ingress = choice(IDC_INGRESS, "Enabled");
    const char* frames = choice(IDC_FRAME_TYPE, "Admit All");
    Item(IDC_APPLY).EnableWindow(FALSE);
    if (m_logic.SetPortSettings(from, to, pvid, gvrp, ingress, frames) == 0) Item(IDC_APPLY).EnableWindow(TRUE);
}
