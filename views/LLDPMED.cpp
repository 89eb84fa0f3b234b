#include "views/LLDPMED.h"

#include <cstdio>

#include "platform/ui/Prompt.h"
#include "platform/ui/Wnd.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/PoeTimeRangeDialogsIds.h"

using namespace lldp_med_ids;

namespace {
const std::string kLldpState = "1.3.6.1.4.1.32473.10.76.21.1.24.1.0";
const std::string kPseTlv = "1.3.6.1.4.1.32473.10.76.21.1.24.7.1.2";
}  // namespace

BEGIN_MESSAGE_MAP(CLLDPMED, CFeatureDialog)
    ON_BN_CLICKED(IDC_APPLY, OnSetLLDPMedinfo)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_CBN_SELCHANGE(IDC_FROM_PORT, OnSelchangeFromPort)
    ON_CBN_SELCHANGE(IDC_TO_PORT, OnSelchangeToPort)
END_MESSAGE_MAP()

CLLDPMED::CLLDPMED(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CLLDPMED::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_ports.Attach(this, IDC_FROM_PORT, IDC_TO_PORT, "'To Port' can not be smaller than 'From Port'");
    m_ports.Fill(kRangePorts, CPortRangeCombos::ToOnFirst, "   %d ");
    CComboBox& tlv = Item(IDC_TLV);
    tlv.AddString("Enable");
    tlv.AddString("Disable");
    tlv.SetCurSel(1);
    CListCtrl& list = Item(IDC_PORT_LIST);
    list.InsertColumn(0, "   Port ", LVCFMT_CENTER, 80);
    list.InsertColumn(1, "Power PSE TLV", LVCFMT_CENTER, 300);
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    GetLLDPEnable();
    return TRUE;
}

void CLLDPMED::CloseSessions() {
    OutputDebugStringA("==================DestroyWindow===============");
    m_cCommonSNMPEnable.Close();
    OutputDebugStringA("==================m_cCommonSNMPEnable.Close===============");
    m_cCommonSNMP.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugStringA("==================m_cCommonSNMPSet.Close===============");
}

void CLLDPMED::GetLLDPEnable() {
    OutputDebugStringA("--------GetLLDPEnable----GetLLDPEnable--------");
    const SnmpAnswer answer = SnmpGet(m_cCommonSNMPEnable, {kLldpState});
    if (!answer.Answered()) return;
    const bool disabled = answer.Text(0) == "2";
    if (disabled) AfxMessageBox("The LLDP is disable ,so can not set LLDP MED !");
    const BOOL enable = disabled ? FALSE : TRUE;
    Item(IDC_FROM_PORT).EnableWindow(enable);
    Item(IDC_TO_PORT).EnableWindow(enable);
    Item(IDC_TLV).EnableWindow(enable);
    Item(IDC_PORT_LIST).EnableWindow(enable);
    Item(IDC_APPLY).EnableWindow(enable);
    Item(IDC_REFRESH).EnableWindow(enable);
    ReadMedTable();
}

void CLLDPMED::ReadMedTable() {
    Item(IDC_PORT_LIST).DeleteAllItems();
    Item(IDC_REFRESH).EnableWindow(FALSE);
    m_cCommonSNMP.Start(
        SnmpReadSpec::Walk({kPseTlv}), [this](const SnmpRow& row) { WalkCallback(row); },
        [this](const SnmpReadResult&) { Item(IDC_REFRESH).EnableWindow(TRUE); });
}

void CLLDPMED::WalkCallback(const SnmpRow& row) {
    CListCtrl& list = Item(IDC_PORT_LIST);
    const int n = list.GetItemCount();
    char port[32];
    std::snprintf(port, sizeof port, "    %d", n + 1);
    list.InsertItem(n, port);
    list.SetItemText(n, 1, row.Text(0) == "2" ? "Disable" : "Enable");
}

void CLLDPMED::OnSetLLDPMedinfo() {
    CWaitCursor wait;
    OutputDebugStringA("--1------OnSetLLDPMedinfo---OnSetLLDPMedinfo-------");
    const int first = m_ports.FromPort();
    const int last = m_ports.ToPort();
    const int value = Item(IDC_TLV).GetCurSel() == 0 ? 1 : 2;
    // One request per port; the walk after the pause shows what the switch holds.
    for (int port = first; port >= 1 && port <= last; ++port)
        SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(kPseTlv + "." + std::to_string(port), value)});
    win::Sleep(kSettleMs);
    ReadMedTable();
}
