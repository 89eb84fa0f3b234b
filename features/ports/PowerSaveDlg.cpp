#include "features/ports/PowerSaveDlg.h"

#include <vector>

#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "platform/win/Clock.h"
#include "resources/templates/PowerSavingDialogsIds.h"

using namespace power_saving_ids;

namespace {
// The "Type" items and the function each stands for, in the order of the records.
const char* const kTypeItems[] = {"LED Shut-off", "Port Shut-off", "System Hibernation"};
const int kTypes[] = {CPowSavSettings::kLedShutoff, CPowSavSettings::kPortShutoff, CPowSavSettings::kHibernation};
constexpr int kHibernationItem = 2;
const char kNone[] = "None";

const char* TypeText(int type) {
    switch (type) {
    case CPowSavSettings::kLedShutoff: return "LED_Shutoff";
    case CPowSavSettings::kPortShutoff: return "Port_Shutoff";
    case CPowSavSettings::kHibernation: return "System_Hibernation";
    default: return "";
    }
}

// "None" for no profile, else the first name after it that begins with the profile's name
// (without regard to case); no match leaves the list without a selection.
void SelectProfile(CComboBox& list, const std::string& name) {
    if (name.empty()) {
        list.SetCurSel(0);
        return;
    }
    const int found = list.FindString(0, name);
    list.SetCurSel(found > 0 ? found : -1);
}

std::string Shown(const CComboBox& list) {
    const int selection = list.GetCurSel();
    return selection < 0 ? std::string() : list.GetLBText(selection);
}
}  // namespace

BEGIN_MESSAGE_MAP(CPowerSaveDlg, CFeatureDialog)
    ON_BN_CLICKED(IDC_APPLY_DETECTION, OnApplyDetection)
    ON_BN_CLICKED(IDC_APPLY, OnApplyPowerSaving)
    ON_BN_CLICKED(IDC_REFRESH, Refresh)
    ON_CBN_SELCHANGE(IDC_TYPE, OnTypeChange)
    ON_CBN_SELCHANGE(IDC_STATE, OnStateChange)
    ON_MESSAGE(WM_POWERSAVING_ROW, OnPowerSavingRow)
END_MESSAGE_MAP()

CPowerSaveDlg::CPowerSaveDlg(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CPowerSaveDlg::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_logic.SetOwner(GetSafeHwnd());
    m_summary.SubclassDlgItem(IDC_SUMMARY, this);
    m_summary.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    const std::pair<const char*, int> columns[] = {
        {"Type", 140}, {"State", 80}, {"Time Profile 1 ", 120}, {"Time Profile 2", 120}, {"Port ", 120}};
    int column = 0;
    for (const auto& [heading, width] : columns) m_summary.InsertColumn(column++, heading, LVCFMT_LEFT, width);
    for (const char* item : kTypeItems) Item(IDC_TYPE).AddString(item);
    for (const char* item : {"Enabled", "Disabled"}) Item(IDC_STATE).AddString(item);
    Refresh();
    return TRUE;
}

void CPowerSaveDlg::EnableEditing(bool enabled, bool hibernation) {
    Item(IDC_PROFILE1).EnableWindow(enabled ? TRUE : FALSE);
    Item(IDC_PROFILE2).EnableWindow(enabled ? TRUE : FALSE);
    Item(IDC_PORT).EnableWindow(enabled && !hibernation ? TRUE : FALSE);
}

void CPowerSaveDlg::Refresh() {
    CComboBox& profile1 = Item(IDC_PROFILE1);
    CComboBox& profile2 = Item(IDC_PROFILE2);
    profile1.ResetContent();
    profile2.ResetContent();
    m_summary.DeleteAllItems();
    m_logic.GetPowerSaving();

    // The names the walk has delivered within the pause; later ones show at the next refresh.
    m_logic.GetProfileNames();
    win::Sleep(kNamesWaitMs);
    for (CComboBox* list : {&profile1, &profile2}) {
        list->AddString(kNone);
        for (const std::string& name : m_logic.ProfileNames()) list->AddString(name);
        list->SetCurSel(0);
    }

    // The editing area shows a function's values once the user chooses one.
    Item(IDC_TYPE).SetCurSel(0);
    Item(IDC_STATE).SetCurSel(1);
    Item(IDC_PORT).SetWindowText("");
    EnableEditing(false, false);
}

LRESULT CPowerSaveDlg::OnPowerSavingRow(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) return 0;
    if (wParam == 0) {
        const auto& detection = *reinterpret_cast<const PowerSavingDetection*>(lParam);
        Item(IDC_DETECTION).SetCheck(detection.linkStatus == "1" ? BST_CHECKED : BST_UNCHECKED);
        return 0;
    }
    if (wParam != 1) return 0;
    const auto* modes = reinterpret_cast<const PowerSavingMode*>(lParam);
    m_summary.DeleteAllItems();
    for (int row = 0; row < Item(IDC_TYPE).GetCount(); ++row) {
        const PowerSavingMode& mode = modes[row];
        const int item = m_summary.InsertItem(row, TypeText(mode.type));
        m_summary.SetItemText(item, 1, mode.state == "1" ? "Enabled" : "Disabled");
        m_summary.SetItemText(item, 2, mode.profile1);
        m_summary.SetItemText(item, 3, mode.profile2);
        m_summary.SetItemText(item, 4, mode.portList.empty() ? kNone : mode.portList);
    }
    return 0;
}

void CPowerSaveDlg::OnTypeChange() {
    const int selection = Item(IDC_TYPE).GetCurSel();
    if (selection < 0 || selection >= static_cast<int>(m_logic.Modes().size())) return;
    const PowerSavingMode& mode = m_logic.Modes()[static_cast<size_t>(selection)];
    SelectProfile(Item(IDC_PROFILE1), mode.profile1);
    SelectProfile(Item(IDC_PROFILE2), mode.profile2);
    Item(IDC_PORT).SetWindowText(mode.portList);
    const bool enabled = mode.state == "1";
    Item(IDC_STATE).SetCurSel(enabled ? 0 : 1);
    EnableEditing(enabled, selection == kHibernationItem);
}

void CPowerSaveDlg::OnStateChange() {
    EnableEditing(Item(IDC_STATE).GetCurSel() == 0, Item(IDC_TYPE).GetCurSel() == kHibernationItem);
}

void CPowerSaveDlg::OnApplyDetection() {
    PowerSavingDetection detection;
    detection.linkStatus = Item(IDC_DETECTION).GetCheck() == BST_CHECKED ? "1" : "2";
    if (m_logic.SetDetection(detection) == 1) Refresh();
}

void CPowerSaveDlg::OnApplyPowerSaving() {
    const int selection = Item(IDC_TYPE).GetCurSel();
    if (selection < 0 || selection >= static_cast<int>(std::size(kTypes))) return;
    PowerSavingMode mode;
    mode.type = kTypes[selection];
    mode.state = Shown(Item(IDC_STATE)) == "Enabled" ? "1" : "2";
    if (mode.type != CPowSavSettings::kHibernation) {
        mode.portList = Item(IDC_PORT).GetWindowText();
        if (CUtils::HasNoSpecialCharsOrLetters(mode.portList) == 0) {
            AfxMessageBox("Invalid Portlist");
            return;
        }
    }
    mode.profile1 = Shown(Item(IDC_PROFILE1));
    mode.profile2 = Shown(Item(IDC_PROFILE2));
    // A failed write shows in the settings read again.
    m_logic.SetPowerSaving(mode);
    Refresh();
}
