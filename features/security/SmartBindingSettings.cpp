#include "features/security/SmartBindingSettings.h"

#include "core/DeviceProfile.h"
#include "platform/ui/Prompt.h"
#include "platform/win/Clock.h"
#include "resources/templates/IMPBDialogsIds.h"

using namespace impb_settings_ids;

namespace {
const char* EnabledText(const std::string& value) { return value == "1" ? "Enabled" : "Disabled"; }
}  // namespace

BEGIN_MESSAGE_MAP(CSmartBindingSettings, CRowTableDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_REFRESH, Refresh)
    ON_CBN_SELCHANGE(IDC_FROM_PORT, OnFromPortChange)
    ON_CBN_SELCHANGE(IDC_TO_PORT, OnToPortChange)
    ON_CBN_SELCHANGE(IDC_INSPECTION, OnInspectionChange)
    ON_MESSAGE(WM_IMPB_PORT_ROW, OnPortRow)
    ON_MESSAGE(WM_IMPB_LIST_ROW, OnWhiteListRow)
END_MESSAGE_MAP()

CSmartBindingSettings::CSmartBindingSettings(CWnd* parent)
    : CRowTableDialog(IDD, {IDC_LIST, {IDC_REFRESH, IDC_APPLY}}, {}, parent) {}

BOOL CSmartBindingSettings::OnInitDialog() {
    CRowTableDialog::OnInitDialog();
    m_ports.Attach(this, IDC_FROM_PORT, IDC_TO_PORT, "'To Port' can not be smaller than 'From Port'");
    m_ports.Fill(g_nDevicePortNum, CPortRangeCombos::ToOnLast);
    for (const auto& [id, items] :
         {std::pair{IDC_ADMIN_STATE, std::vector<const char*>{"Disabled", "Enabled"}},
          std::pair{IDC_INSPECTION, std::vector<const char*>{"ARP Inspection", "ARP+IP Inspection"}},
          std::pair{IDC_DHCP_SNOOPING, std::vector<const char*>{"Disabled", "Enabled"}}}) {
        CComboBox& combo = Item(id);
        for (const char* item : items) combo.AddString(item);
        combo.SetCurSel(0);
    }
    InitList({{"Port", 80}, {"Admin State", 120}, {"Also inspect IP packets", 180}, {"DHCP Snooping", 120}},
             LVCFMT_CENTER);
    m_logic.SetHwnd(GetSafeHwnd());
    Refresh();
    return TRUE;
}

void CSmartBindingSettings::Refresh() {
    BeginRead();
    m_logic.ReadPortSettings();
}

LRESULT CSmartBindingSettings::OnPortRow(WPARAM kind, LPARAM data) {
    if (kind == kImpbEnd) {
        // The white list's rows are counted for the all-ports guard of Apply, which is
        // enabled once they are all in.
        m_logic.ReadWhiteList();
        return 0;
    }
    if (const auto* entry = reinterpret_cast<const IMPBPortEntry*>(data)) {
        AppendRow({entry->port, EnabledText(entry->adminState), EnabledText(entry->inspection),
                   EnabledText(entry->dhcpSnooping)});
    }
    return 0;
}

LRESULT CSmartBindingSettings::OnWhiteListRow(WPARAM kind, LPARAM) {
    if (kind == kImpbRow) ++m_logic.m_nWhiteListCount;
    else EndRead();
    return 0;
}

void CSmartBindingSettings::OnInspectionChange() {
    if (Item(IDC_INSPECTION).GetCurSel() == 1)
        AfxMessageBox("Warning! All enable address binding ports switch will change to strict mode.");
}

void CSmartBindingSettings::OnApply() {
    const std::string from = std::to_string(m_ports.FromPort());
    const std::string to = std::to_string(m_ports.ToPort());
    IMPBPortEntry settings;
    settings.adminState = Item(IDC_ADMIN_STATE).GetCurSel() == 0 ? "0" : "1";
    settings.inspection = Item(IDC_INSPECTION).GetCurSel() == 1 ? "1" : "0";
    // A text typed into the box counts as enabled.
    settings.dhcpSnooping = Item(IDC_DHCP_SNOOPING).GetCurSel() == 0 ? "0" : "1";
    if (m_logic.CheckTrunkPorts(from, to, settings.adminState) == 0) {
        AfxMessageBox("Cannot add a port-security enabled port to an aggregated link.");
        return;
    }
    // Binding on every port with no host bound by hand would cut the administrator off.
    if (m_ports.FromPort() == 1 && m_ports.ToPort() == g_nDevicePortNum && settings.adminState == "1" &&
        m_logic.m_nWhiteListCount == 0) {
        AfxMessageBox("This operation will cause device to out of control.");
        Item(IDC_ADMIN_STATE).SetCurSel(0);
        return;
    }
    m_logic.SetPortSettings(from, to, settings);
    win::Sleep(CIMPFunclogic::kWritePauseMs);
    Refresh();
}
