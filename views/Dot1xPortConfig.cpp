#include "views/Dot1xPortConfig.h"

#include <algorithm>

#include "core/DeviceProfile.h"
#include "platform/ui/Prompt.h"
#include "platform/ui/WindowExtras.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/Dot1xViewDialogsIds.h"

using namespace dot1x_port_config_ids;

namespace {
const std::string kControlColumn = "1.3.6.1.4.1.32473.10.76.21.1.11.2.9.1.2";
const std::string kStatusColumn = "1.3.6.1.4.1.32473.10.76.21.1.11.2.9.1.3";

const char* const kHeaders[] = {"Index",
                                "AuthControlledPortStatus",
                                "AuthControlledPortControl",
                                "QuietPeriod",
                                "TxPeriod",
                                "SuppTimeout",
                                "ServerTimeout",
                                "MaxReq",
                                "ReAuthPeriod",
                                "ReAuthEnabled"};
const char* const kControls[] = {"Force Unauthorized", "Auto", "Force Authorized"};
}  // namespace

BEGIN_MESSAGE_MAP(Dot1xPortConfig, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_CBN_SELCHANGE(IDC_FROM_PORT, OnFromPortChange)
    ON_CBN_SELCHANGE(IDC_TO_PORT, OnToPortChange)
END_MESSAGE_MAP()

Dot1xPortConfig::Dot1xPortConfig(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL Dot1xPortConfig::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    SetWindowText("802.1X Port Configuration");
    const int ports = std::max(g_nDevicePortNum, 0);
    PortContrl.assign(static_cast<std::size_t>(ports), 0);
    CListCtrl& list = Item(IDC_PORT_LIST);
    int column = 0;
    for (const char* header : kHeaders)
        list.InsertColumn(column++, header, LVCFMT_LEFT, ui::TextWidth(list.GetSafeHwnd(), header) + 15);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_ports.Attach(this, IDC_FROM_PORT, IDC_TO_PORT, "'To Port' can not be smaller than 'From Port'");
    m_ports.Fill(ports, CPortRangeCombos::ToOnLast);
    CComboBox& control = Item(IDC_CONTROL);
    for (const char* text : kControls) control.AddString(text);
    control.SetCurSel(1);
    ReadTrunkInfo();
    OnRefresh();
    return TRUE;
}

void Dot1xPortConfig::CloseSessions() {
    OutputDebugStringA("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_TrunkData.Close();
    OutputDebugStringA("==================m_cCommonSNMPTableTrunkInfo.Close===============");
    m_cCommonSNMPTable.Close();
    OutputDebugStringA("==================m_cCommonSNMPTable.Close===============");
}

void Dot1xPortConfig::EnableButtons() {
    Item(IDC_APPLY).EnableWindow(m_bPortWalkDone && m_bTrunkWalkDone ? TRUE : FALSE);
    Item(IDC_REFRESH).EnableWindow(m_bPortWalkDone ? TRUE : FALSE);
}

void Dot1xPortConfig::ReadTrunkInfo() {
    m_bTrunkWalkDone = false;
    m_TrunkData.Start([this] {
        m_bTrunkWalkDone = true;
        EnableButtons();
    });
}

void Dot1xPortConfig::ReadPortTable() {
    std::fill(PortContrl.begin(), PortContrl.end(), 0);
    Item(IDC_PORT_LIST).DeleteAllItems();
    m_bPortWalkDone = false;
    EnableButtons();
    // A walk cut short keeps the rows read so far.
    m_cCommonSNMPTable.Start(
        SnmpReadSpec::Walk({kStatusColumn, kControlColumn}), [this](const SnmpRow& row) { return OnPortTableRow(row); },
        [this](const SnmpReadResult&) {
            m_bPortWalkDone = true;
            EnableButtons();
        });
}

bool Dot1xPortConfig::OnPortTableRow(const SnmpRow& row) {
    CListCtrl& list = Item(IDC_PORT_LIST);
    const int r = list.GetItemCount();
    // A table longer than the port count: the rows past it have no place.
    if (r >= static_cast<int>(PortContrl.size())) return false;
    const std::string& status = row.Text(0);
    list.InsertItem(r, std::to_string(r + 1));
    list.SetItemText(r, 1, status == "1" ? "Authorized" : status == "2" ? "Unauthorized" : "other");
    const std::string& control = row.Text(1);
    std::string controlText = "other";
    if (control == "1" || control == "2" || control == "3") {
        const int value = control[0] - '0';
        PortContrl[static_cast<std::size_t>(r)] = value;
        controlText = kControls[value - 1];
    }
    list.SetItemText(r, 2, controlText);
    for (std::size_t i = 0; i < kTimerTexts; ++i) list.SetItemText(r, static_cast<int>(3 + i), m_timerTexts[i]);
    return r + 1 < static_cast<int>(PortContrl.size());
}

std::string Dot1xPortConfig::CheckRange(const std::vector<int>& trunks, const std::vector<int>& controls, int from,
                                        int to, int value) {
    const int ports = static_cast<int>(controls.size());
    for (int p = from; p <= to; ++p) {
        if (p >= 1 && p <= static_cast<int>(trunks.size()) && trunks[static_cast<std::size_t>(p - 1)] != 0)
            return "Cannot add an aggregated link to the 802.1X-enabled port";
    }
    int forceUnauthorized = 0;
    int automatic = 0;
    for (int p = 1; p <= ports; ++p) {
        if (p >= from && p <= to) continue;
        const int c = controls[static_cast<std::size_t>(p - 1)];
        if (c == 1) ++forceUnauthorized;
        if (c == 2) ++automatic;
    }
    const int range = to - from + 1;
    if (value == 1 && forceUnauthorized + range == ports)
        return "Could not set all port  Force Unauthorized to the port access control.";
    if (value == 2 && automatic + range == ports) return "Could not set all port AUTO  to the port access control.";
    if ((value == 1 || value == 2) && forceUnauthorized + automatic + range == ports)
        return "Could not set all port AUTO or Force Unauthorized to the port access control.";
    return "";
}

void Dot1xPortConfig::OnApply() {
    const int from = m_ports.FromPort();
    const int to = m_ports.ToPort();
    if (from < 1 || to < from || to > static_cast<int>(PortContrl.size())) return;
    const int value = Item(IDC_CONTROL).GetCurSel() + 1;
    if (value < 1 || value > 3) return;
    const std::string refusal = CheckRange(m_TrunkData.Ports(), PortContrl, from, to, value);
    if (!refusal.empty()) {
        AfxMessageBox(refusal);
        return;
    }
    WritePorts(from, to, value);
    OnRefresh();
}

void Dot1xPortConfig::WritePorts(int from, int to, int value) {
    // One PDU for the whole range: each send carries every port added so far.
    if (!m_cCommonSNMP.Open(SNMP_PDU_SET)) return;
    const std::string text = std::to_string(value);
    for (int p = from; p <= to; ++p) {
        m_cCommonSNMP.AddVarBind(kControlColumn + "." + std::to_string(p), SNMP_TYPE_INTEGER, text.c_str());
        if ((p - from + 1) % kPortsPerSend == 0) {
            SnmpSendPrepared(m_cCommonSNMP);
            win::Sleep(kSendPauseMs);
        }
    }
    if ((to - from + 1) % kPortsPerSend != 0) SnmpSendPrepared(m_cCommonSNMP);
}
