#include "views/DHCPServerConfig.h"

#include <algorithm>
#include <cstdlib>

#include "core/DeviceProfile.h"
#include "core/SnmpRead.h"
#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "platform/win/Clock.h"
#include "resources/templates/DhcpRelayDialogsIds.h"

using namespace dhcp_server_config_ids;

const std::string CDHCPServerConfig::kScreeningPorts = "1.3.6.1.4.1.32473.10.76.21.1.14.7.1.0";

ScreeningStates ScreeningStatesWithRange(ScreeningStates states, int from, int to, int state) {
    const int last = std::min(to, static_cast<int>(states.size()));
    for (int p = std::max(from, 1); p <= last; ++p) states[static_cast<size_t>(p - 1)] = state;
    return states;
}

std::string ScreeningTrunkRefusal(const ScreeningStates& states, const std::vector<int>& trunks) {
    const size_t ports = std::min(states.size(), trunks.size());
    for (size_t i = 0; i < ports; ++i) {
        if (trunks[i] == 0) continue;
        for (size_t j = i + 1; j < ports; ++j) {
            if (trunks[j] == trunks[i] && states[j] != states[i]) return kScreeningTrunkMessage;
        }
    }
    return "";
}

std::string ScreeningBitmap(const ScreeningStates& states) {
    // Flags for every port a bitmap text may name, so the helper never reads past them.
    std::vector<int> flags(static_cast<size_t>(std::max<int>(kMaxDevicePorts, g_nDevicePortNum) + 4), 0);
    for (size_t p = 0; p < states.size() && p < flags.size(); ++p) flags[p] = states[p] == 1 ? 1 : 0;
    return CUtils::PortFlagsToBitmap(flags.data());
}

BEGIN_MESSAGE_MAP(CDHCPServerConfig, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_CLOSE, OnCancel)
    ON_CBN_SELCHANGE(IDC_FROM_PORT, OnFromPortChange)
    ON_CBN_SELCHANGE(IDC_TO_PORT, OnToPortChange)
END_MESSAGE_MAP()

CDHCPServerConfig::CDHCPServerConfig(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CDHCPServerConfig::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_PORT_LIST, this);
    m_list.InsertColumn(0, "Port", LVCFMT_CENTER, 100);
    m_list.InsertColumn(1, "State", LVCFMT_CENTER, 400);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_nPorts = std::max(g_nDevicePortNum, 0);
    m_PortStates.assign(static_cast<size_t>(m_nPorts), 2);
    m_ports.Attach(this, IDC_FROM_PORT, IDC_TO_PORT, "'To Port' can not be smaller than 'From Port'");
    m_ports.Fill(m_nPorts, CPortRangeCombos::ToOnLast);
    Item(IDC_STATE).AddString("Disabled");
    Item(IDC_STATE).AddString("Enabled");
    Item(IDC_STATE).SetCurSel(0);
    OnRefresh();
    return TRUE;
}

void CDHCPServerConfig::CloseSessions() {
    m_trunks.Close();
    m_cCommonSNMP.Close();
}

void CDHCPServerConfig::OnRefresh() {
    // Each walk starts from no trunks: a link dissolved since the last one refuses nothing.
    m_trunkWalkIdle.Reset();
    m_trunks.Start([this] { m_trunkWalkIdle.Set(); });
    ReadScreeningPorts();
}

void CDHCPServerConfig::ReadScreeningPorts() {
    m_list.DeleteAllItems();
    Item(IDC_APPLY).EnableWindow(FALSE);
    Item(IDC_REFRESH).EnableWindow(FALSE);
    const SnmpAnswer a = SnmpGet(m_cCommonSNMP, {kScreeningPorts});
    // Apply writes every port's state: only states read from the switch may be written back.
    m_bStatesRead = a.Ok() && a.Has(0);
    if (m_bStatesRead) {
        // Bits past the port count (the last byte's spare bits) name no port and are ignored.
        std::vector<int> enabled(static_cast<size_t>(std::max(kMaxDevicePorts, g_nDevicePortNum)), 0);
        int count = 0;
        const std::string list = CUtils::PortBitmapToList(a.Bytes(0), &count);
        if (count > 0) CUtils::PortListToArray(list, enabled.data(), 1);
        for (int p = 0; p < m_nPorts; ++p)
            m_PortStates[static_cast<size_t>(p)] = enabled[static_cast<size_t>(p)] == 1 ? 1 : 2;
        for (int p = 1; p <= m_nPorts; ++p) {
            m_list.InsertItem(p - 1, std::to_string(p));
            m_list.SetItemText(p - 1, 1, m_PortStates[static_cast<size_t>(p - 1)] == 1 ? "Enabled" : "Disabled");
        }
    }
    Item(IDC_APPLY).EnableWindow(m_bStatesRead ? TRUE : FALSE);
    Item(IDC_REFRESH).EnableWindow(TRUE);
}

void CDHCPServerConfig::OnApply() {
    if (!m_bStatesRead) return;
    const int from = std::atoi(GetDlgItemText(IDC_FROM_PORT).c_str());
    const int to = std::atoi(GetDlgItemText(IDC_TO_PORT).c_str());
    const int state = GetDlgItemText(IDC_STATE) == "Enabled" ? 1 : 2;
    const ScreeningStates states = ScreeningStatesWithRange(m_PortStates, from, to, state);
    // The check judges the trunks of the walk started last.
    m_trunkWalkIdle.Wait(static_cast<DWORD>(win::ToRealTime(kTrunkWaitMs).count()));
    const std::string refusal = ScreeningTrunkRefusal(states, m_trunks.Ports());
    if (!refusal.empty()) {
        AfxMessageBox(refusal);
        return;
    }
    m_PortStates = states;
    if (SnmpSet(m_cCommonSNMP, {SnmpSetVar::Octets(kScreeningPorts, ScreeningBitmap(m_PortStates))}).Ok()) OnRefresh();
}
