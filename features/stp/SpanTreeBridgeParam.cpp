#include "features/stp/SpanTreeBridgeParam.h"

#include <cstdlib>

#include "features/stp/SpanTree.h"
#include "features/stp/StpDialogParts.h"
#include "features/stp/StpObjects.h"
#include "features/stp/StpRules.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/SpanTreeDialogsIds.h"

using namespace span_tree_bridge_ids;

namespace {
std::string Bridge(const char* arc) { return stp::kDot1dStp + arc + ".0"; }

const std::string kPriority = Bridge("2");
const std::string kMaxAge = Bridge("12");
const std::string kHello = Bridge("13");
const std::string kForwardDelay = Bridge("14");

// Read in this order; the answer fills the dialog by position.
const std::vector<std::string> kReadOids = {kPriority,    Bridge("3"), Bridge("4"),   Bridge("5"), Bridge("7"),
                                            kMaxAge,      kHello,      kForwardDelay, Bridge("9"), Bridge("10"),
                                            Bridge("11"), stp::kState, stp::kVersion};
// Positions 0 to 10 are needed; 11 and 12 are used when present.
constexpr std::size_t kMinVarbinds = 11;

constexpr int kPriorityStep = 4096;
constexpr int kPriorityItems = 16;
}  // namespace

BEGIN_MESSAGE_MAP(CSpanTreeBridgeParam, CFeatureDialog)
    ON_BN_CLICKED(IDC_ENABLE_RSTP, OnEnableRstp)
    ON_BN_CLICKED(IDC_PORT_SETTING, OnPortSetting)
    ON_BN_CLICKED(IDC_REFRESH, ReadBridge)
END_MESSAGE_MAP()

CSpanTreeBridgeParam::CSpanTreeBridgeParam(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CSpanTreeBridgeParam::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    Item(IDC_VERSION).AddString("RSTP");
    Item(IDC_VERSION).AddString("STP Compatible");
    for (int i = 0; i < kPriorityItems; ++i) Item(IDC_PRIORITY).AddString(std::to_string(i * kPriorityStep));
    Item(IDC_PRIORITY).SetWindowText("0");
    Item(IDC_VERSION).SetCurSel(0);
    SetDlgItemText(IDC_MAX_AGE, "600");
    SetDlgItemText(IDC_FORWARD_DELAY, "400");
    SetDlgItemText(IDC_HELLO, "100");
    SetDlgItemText(IDC_PRIORITY_NUMBER, "0");
    // The answer is handed over once this handler has returned, so it finds the controls
    // disabled here and enables them when the spanning tree is on.
    ReadBridge();
    SetWindowText(" STP Configuration ");
    EnableSettings(false, true);
    return TRUE;
}

void CSpanTreeBridgeParam::EnableSettings(bool enable, bool portSetting) {
    const BOOL on = enable ? TRUE : FALSE;
    Item(IDC_VERSION).EnableWindow(on);
    Item(IDC_PRIORITY).EnableWindow(on);
    Item(IDC_MAX_AGE).EnableWindow(on);
    Item(IDC_FORWARD_DELAY).EnableWindow(on);
    Item(IDC_HELLO).EnableWindow(on);
    if (portSetting) Item(IDC_PORT_SETTING).EnableWindow(on);
}

void CSpanTreeBridgeParam::ReadBridge() {
    SnmpReadSpec spec = SnmpReadSpec::Get(kReadOids);
    spec.minVarbinds = kMinVarbinds;
    // A failed or short answer changes nothing.
    m_read.Start(
        spec, [this](const SnmpRow& row) { OnBridgeRead(row); }, [](const SnmpReadResult&) {});
}

void CSpanTreeBridgeParam::OnBridgeRead(const SnmpRow& row) {
    if (!row.Has(0)) return;
    Item(IDC_PRIORITY).SetWindowText(std::to_string(row.Number(0)));
    SetDlgItemText(IDC_PRIORITY_NUMBER, std::to_string(row.Number(0)));
    SetDlgItemText(IDC_TOPO_CHANGE_TIME, row.Text(1));
    SetDlgItemText(IDC_TOPO_CHANGED, row.Text(2));
    SetDlgItemText(IDC_DESIGNATED_ROOT, row.Bytes(3).size() == 8 ? stp::BridgeIdText(row.Bytes(3)) : row.Text(3));
    SetDlgItemText(IDC_ROOT_PORT, row.Text(4));
    SetDlgItemText(IDC_MAX_AGE, std::to_string(row.Number(5)));
    SetDlgItemText(IDC_HELLO, std::to_string(row.Number(6)));
    SetDlgItemText(IDC_FORWARD_DELAY, std::to_string(row.Number(7)));
    SetDlgItemText(IDC_FORWARD_DELAY_IN_USE, row.Text(8));
    SetDlgItemText(IDC_HELLO_IN_USE, row.Text(9));
    SetDlgItemText(IDC_HOLD_TIME, row.Text(10));
    if (row.Size() > 11) {
        const bool on = row.Text(11) == "1";
        Item(IDC_ENABLE_RSTP).SetCheck(on ? BST_CHECKED : BST_UNCHECKED);
        m_strState = on ? "1" : "0";
        EnableSettings(on, true);
    }
    if (row.Size() > 12) {
        const std::string& version = row.Text(12);
        if (version == "2") Item(IDC_VERSION).SetCurSel(0);
        else if (version == "0") Item(IDC_VERSION).SetCurSel(1);
    }
}

void CSpanTreeBridgeParam::OnEnableRstp() { EnableSettings(Item(IDC_ENABLE_RSTP).GetCheck() == BST_CHECKED, false); }

void CSpanTreeBridgeParam::OnPortSetting() {
    CSpanTree dlg;
    dlg.DoModal();
}

// Apply: the dialog stays open.
void CSpanTreeBridgeParam::OnOK() { Apply(); }

void CSpanTreeBridgeParam::Apply() {
    const std::string helloText = GetDlgItemText(IDC_HELLO);
    const std::string delayText = GetDlgItemText(IDC_FORWARD_DELAY);
    const std::string maxAgeText = GetDlgItemText(IDC_MAX_AGE);
    const int hello = std::atoi(helloText.c_str());
    const int delay = std::atoi(delayText.c_str());
    const int maxAge = std::atoi(maxAgeText.c_str());
    const int priority = std::atoi(Item(IDC_PRIORITY).GetWindowText().c_str());
    const std::string message = stp::BridgeTimesMessage(stp::kHundredthsLimits, maxAge, delay, hello);
    if (!message.empty()) {
        AfxMessageBox(message);
        return;
    }
    if (Item(IDC_ENABLE_RSTP).GetCheck() != BST_CHECKED) {
        Item(IDC_PORT_SETTING).EnableWindow(FALSE);
        // The spanning tree is off now: switching it on again sends the switch-on first.
        m_strState = "0";
        stp::SwitchOff(m_cCommonSNMPSet0, stp::kState);
        return;
    }
    if (m_strState == "0") {
        stp::SwitchOn(m_cCommonSNMPSet, stp::kState);
        Item(IDC_PORT_SETTING).EnableWindow(TRUE);
        m_strState = "1";
    }
    // Times the switch accepts whatever the new ones are, then the new ones one by one.
    stp::PrepareBridgeTimes(m_cCommonSNMPSet0, kHello, kForwardDelay);
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(kMaxAge, maxAge)});
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(kForwardDelay, delay)});
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(kHello, hello), SnmpSetVar::Integer(kPriority, priority),
                               SnmpSetVar::Integer(stp::kVersion, Item(IDC_VERSION).GetCurSel() == 1 ? 0 : 2)});
    stp::PauseAfterSets();
    ReadBridge();
}

void CSpanTreeBridgeParam::CloseSessions() {
    stp::CloseInOrder({{"m_cCommonSNMP", [this] { m_read.Close(); }},
                       {"m_cCommonSNMPSet", [this] { m_cCommonSNMPSet.Close(); }},
                       {"m_cCommonSNMPSet0", [this] { m_cCommonSNMPSet0.Close(); }}});
}
