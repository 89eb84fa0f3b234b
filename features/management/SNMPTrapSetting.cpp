#include "features/management/SNMPTrapSetting.h"

#include "core/DeviceProfile.h"
#include "resources/templates/ManagementDialogsIds.h"

using namespace snmp_trap_ids;

namespace {
struct TrapBox {
    ui::ControlId<CButton> id;
    std::string SnmpTrapSettings::*field;
    bool poe;
};
const TrapBox kBoxes[] = {
    {IDC_AUTHENTICATION, &SnmpTrapSettings::authentication, false},
    {IDC_BOOTUP, &SnmpTrapSettings::bootup, false},
    {IDC_LINK, &SnmpTrapSettings::linkChange, false},
    {IDC_RSTP, &SnmpTrapSettings::rstpChange, false},
    {IDC_FIRMWARE, &SnmpTrapSettings::firmwareUpgrade, false},
    {IDC_LOOPBACK, &SnmpTrapSettings::loopback, false},
    {IDC_POE_POWER, &SnmpTrapSettings::poePower, true},
    {IDC_POE_ERROR, &SnmpTrapSettings::poeError, true},
    {IDC_POE_BUDGET, &SnmpTrapSettings::poeBudget, true},
};
}  // namespace

BEGIN_MESSAGE_MAP(CSNMPTrapSetting, CSNMPDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_CLOSE, OnCloseButton)
    ON_MESSAGE(WM_SNMP_CONFIG_REPORT, OnReport)
END_MESSAGE_MAP()

CSNMPTrapSetting::CSNMPTrapSetting(CWnd* parent) : CSNMPDialog(IDD, parent) {}

BOOL CSNMPTrapSetting::OnInitDialog() {
    CSNMPDialog::OnInitDialog();
    m_bPoE = g_strDeviceName.find_first_of("pP") != std::string::npos;
    for (const TrapBox& box : kBoxes) {
        if (box.poe && !m_bPoE) Item(box.id).ShowWindow(SW_HIDE);
    }
    m_config.GetTrapSettings(m_bPoE);
    return TRUE;
}

LRESULT CSNMPTrapSetting::OnReport(WPARAM code, LPARAM record) {
    if (code != kSnmpRow || record == 0) return 0;
    const auto& settings = *reinterpret_cast<const SnmpTrapSettings*>(record);
    for (const TrapBox& box : kBoxes) {
        if (!box.poe || m_bPoE) Item(box.id).SetCheck(settings.*box.field == "1" ? BST_CHECKED : BST_UNCHECKED);
    }
    return 0;
}

void CSNMPTrapSetting::OnApply() {
    CWaitCursor wait;
    SnmpTrapSettings settings;
    for (const TrapBox& box : kBoxes) {
        if (!box.poe || m_bPoE) settings.*box.field = Item(box.id).GetCheck() == BST_CHECKED ? "1" : "2";
    }
    // A write the switch refused leaves the boxes showing what it holds.
    if (m_config.SetTrapSettings(settings, m_bPoE) != 0) m_config.GetTrapSettings(m_bPoE);
}
