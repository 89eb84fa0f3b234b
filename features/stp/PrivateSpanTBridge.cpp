#include "features/stp/PrivateSpanTBridge.h"

#include <cstdlib>

#include "features/stp/PrivateSpanTree.h"
#include "features/stp/StpDialogParts.h"
#include "features/stp/StpObjects.h"
#include "features/stp/StpRules.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/SpanTreeDialogsIds.h"

using namespace private_stp_bridge_ids;

namespace {
// Read in this order; the answer fills the dialog by position.
const std::vector<std::string> kReadOids = {
    stp::kPriority,     stp::kRootMaxAge, stp::kRootBridge,  stp::kRootPort,         stp::kMaxAge, stp::kHelloTime,
    stp::kForwardDelay, stp::kRootCost,   stp::kTxHoldCount, stp::kRootForwardDelay, stp::kState,  stp::kVersion};

constexpr int kPriorityStep = 4096;
constexpr int kPriorityItems = 16;
constexpr int kHundredths = 100;

std::string Seconds(const SnmpRow& row, std::size_t i) { return std::to_string(row.Number(i) / kHundredths); }
}  // namespace

BEGIN_MESSAGE_MAP(CPrivateSpanTBridge, CFeatureDialog)
    ON_BN_CLICKED(IDC_STATE, OnStateClicked)
    ON_CBN_SELCHANGE(IDC_VERSION, OnVersionChosen)
    ON_BN_CLICKED(IDC_PORT_SETTING, OnPortSetting)
    ON_BN_CLICKED(IDC_REFRESH, Read)
END_MESSAGE_MAP()

CPrivateSpanTBridge::CPrivateSpanTBridge(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CPrivateSpanTBridge::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    Item(IDC_VERSION).AddString("STP");
    Item(IDC_VERSION).AddString("RSTP");
    for (int i = 0; i < kPriorityItems; ++i) Item(IDC_PRIORITY).AddString(std::to_string(i * kPriorityStep));
    Item(IDC_PRIORITY).SetWindowText("0");
    Item(IDC_VERSION).SetCurSel(0);
    SetDlgItemText(IDC_MAX_AGE, "600");
    SetDlgItemText(IDC_FORWARD_DELAY, "400");
    SetDlgItemText(IDC_HELLO, "100");
    Read();
    SetWindowText(" STP Configuration ");
    return TRUE;
}

void CPrivateSpanTBridge::EnableSettings(bool enable, bool portSetting) {
    const BOOL on = enable ? TRUE : FALSE;
    Item(IDC_VERSION).EnableWindow(on);
    Item(IDC_PRIORITY).EnableWindow(on);
    Item(IDC_HELLO).EnableWindow(on);
    Item(IDC_FORWARD_DELAY).EnableWindow(on);
    Item(IDC_MAX_AGE).EnableWindow(on);
    Item(IDC_TX_HOLD).EnableWindow(on);
    if (portSetting) Item(IDC_PORT_SETTING).EnableWindow(on);
}

void CPrivateSpanTBridge::Read() {
    // An answer is used only whole: every one of the twelve objects.
    SnmpReadSpec spec = SnmpReadSpec::Get(kReadOids);
    m_read.Start(
        spec, [this](const SnmpRow& row) { OnRead(row); }, [](const SnmpReadResult&) {});
}

void CPrivateSpanTBridge::OnRead(const SnmpRow& row) {
    if (row.Size() < kReadOids.size() || !row.Has(0)) return;
    // Two characters a box from the first answer on: an edit of this platform cannot hold a
    // longer text than its limit, and the initial numbers have three digits.
    for (auto id : {IDC_TX_HOLD, IDC_MAX_AGE, IDC_FORWARD_DELAY, IDC_HELLO}) Item(id).SetLimitText(2);
    Item(IDC_PRIORITY).SetWindowText(std::to_string(row.Number(0)));
    SetDlgItemText(IDC_ROOT_MAX_AGE, Seconds(row, 1));
    SetDlgItemText(IDC_ROOT_BRIDGE, row.Bytes(2).size() == 8 ? stp::BridgeIdText(row.Bytes(2)) : row.Text(2));
    SetDlgItemText(IDC_ROOT_PORT, row.Text(3));
    SetDlgItemText(IDC_MAX_AGE, Seconds(row, 4));
    SetDlgItemText(IDC_HELLO, Seconds(row, 5));
    SetDlgItemText(IDC_FORWARD_DELAY, Seconds(row, 6));
    SetDlgItemText(IDC_ROOT_COST, row.Text(7));
    SetDlgItemText(IDC_TX_HOLD, row.Text(8));
    SetDlgItemText(IDC_ROOT_FORWARD_DELAY, Seconds(row, 9));
    const bool on = row.Text(10) == "1";
    Item(IDC_STATE).SetCheck(on ? BST_CHECKED : BST_UNCHECKED);
    m_strState = on ? "1" : "0";
    EnableSettings(on, true);
    const std::string& version = row.Text(11);
    if (version == "0" || version == "2") {
        Item(IDC_VERSION).SetCurSel(version == "0" ? 0 : 1);
        if (on) Item(IDC_HELLO).EnableWindow(TRUE);
    } else if (version == "3") {
        // A third version has no entry: no selection, and its hello time is not set here.
        Item(IDC_HELLO).EnableWindow(FALSE);
        Item(IDC_VERSION).SetCurSel(-1);
    }
}

void CPrivateSpanTBridge::OnStateClicked() { EnableSettings(Item(IDC_STATE).GetCheck() == BST_CHECKED, false); }

void CPrivateSpanTBridge::OnVersionChosen() { Item(IDC_HELLO).EnableWindow(TRUE); }

void CPrivateSpanTBridge::OnPortSetting() {
    CPrivateSpanTree dlg;
    dlg.DoModal();
}

std::string CPrivateSpanTBridge::CheckSettings(int txHoldCount, int maxAge, int forwardDelay, int hello) {
    if (txHoldCount < 1 || txHoldCount > 10) return "Invalid Transmit Hold Count(1-10).";
    return stp::BridgeTimesMessage(stp::kSecondsLimits, maxAge, forwardDelay, hello);
}

// Apply: the dialog stays open.
void CPrivateSpanTBridge::OnOK() { Apply(); }

void CPrivateSpanTBridge::Apply() {
    const int hello = std::atoi(GetDlgItemText(IDC_HELLO).c_str());
    const int delay = std::atoi(GetDlgItemText(IDC_FORWARD_DELAY).c_str());
    const int maxAge = std::atoi(GetDlgItemText(IDC_MAX_AGE).c_str());
    const std::string txHoldText = GetDlgItemText(IDC_TX_HOLD);
    const int txHold = std::atoi(txHoldText.c_str());
    const int priority = std::atoi(Item(IDC_PRIORITY).GetWindowText().c_str());
    const std::string message = CheckSettings(txHold, maxAge, delay, hello);
    if (!message.empty()) {
        AfxMessageBox(message);
        return;
    }
    if (Item(IDC_STATE).GetCheck() != BST_CHECKED) {
        // Disabled now: checking the box again switches the spanning tree on first.
        m_strState = "0";
        stp::SwitchOff(m_cCommonSNMPSet0, stp::kState);
        return;
    }
    if (m_strState == "0") {
        Item(IDC_PORT_SETTING).EnableWindow(TRUE);
        stp::SwitchOn(m_cCommonSNMPSet, stp::kState);
        m_strState = "1";
        stp::PauseAfterSets();
    }
    // Times the switch accepts whatever the new ones are, then the new ones one by one.
    stp::PrepareBridgeTimes(m_cCommonSNMPSet0, stp::kHelloTime, stp::kForwardDelay);
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(stp::kTxHoldCount, txHold)});
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(stp::kMaxAge, maxAge * kHundredths)});
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(stp::kForwardDelay, delay * kHundredths)});
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(stp::kHelloTime, hello * kHundredths)});
    std::vector<SnmpSetVar> last = {SnmpSetVar::Integer(stp::kPriority, priority)};
    const int version = Item(IDC_VERSION).GetCurSel();
    if (version >= 0) last.push_back(SnmpSetVar::Integer(stp::kVersion, version == 0 ? 0 : 2));
    SnmpSet(m_cCommonSNMPSet, last);
    stp::PauseAfterSets();
    Read();
}

void CPrivateSpanTBridge::CloseSessions() {
    stp::CloseInOrder({{"m_cCommonSNMP", [this] { m_read.Close(); }},
                       {"m_cCommonSNMPSet", [this] { m_cCommonSNMPSet.Close(); }},
                       {"m_cCommonSNMPSet0", [this] { m_cCommonSNMPSet0.Close(); }}});
}
