#include "features/ports/BandWidthControlDlg.h"

#include "core/DeviceProfile.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/BandwidthDialogsIds.h"

using namespace bandwidth_ids;

namespace {
constexpr int kNoLimitEnabled = 0;
constexpr int kNoLimitDisabled = 1;
const char* const kToBelowFrom = " \"To port\"cannot be smaller than \"From Port\" ";

std::string RateText(const std::string& rate) { return rate == "0" ? "No Limit" : rate; }
}  // namespace

BEGIN_MESSAGE_MAP(CBandWidthControlDlg, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_CBN_SELCHANGE(IDC_FROM_PORT, OnFromChange)
    ON_CBN_SELCHANGE(IDC_TO_PORT, OnToChange)
    ON_CBN_SELCHANGE(IDC_NO_LIMIT, OnNoLimitChange)
    ON_MESSAGE(WM_BANDWIDTH, OnBandwidth)
END_MESSAGE_MAP()

CBandWidthControlDlg::CBandWidthControlDlg(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CBandWidthControlDlg::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_LIST, this);
    int column = 0;
    for (const char* heading : {"Port", "Tx Rate (Kbits/sec)", "Rx Rate (Kbits/sec)"})
        m_list.InsertColumn(column++, heading, LVCFMT_LEFT, 150);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_ports.Attach(this, IDC_FROM_PORT, IDC_TO_PORT, kToBelowFrom);
    m_ports.Fill(std::max(g_nDevicePortNum, 0), CPortRangeCombos::ToOnLast);
    for (const char* item : {"Rx", "Tx", "Both"}) Item(IDC_TYPE).AddString(item);
    for (const char* item : {"Enabled", "Disabled"}) Item(IDC_NO_LIMIT).AddString(item);
    Item(IDC_HIDDEN).ShowWindow(SW_HIDE);
    ResetInputs();
    OnRefresh();
    // Once a dialog: a port that joins or leaves a link meanwhile is judged by the state at open.
    m_logic.GetTrunkPorts();
    return TRUE;
}

void CBandWidthControlDlg::ResetInputs() {
    m_ports.Fill(std::max(g_nDevicePortNum, 0), CPortRangeCombos::ToOnLast);
    Item(IDC_RATE).SetWindowText("");
    Item(IDC_NO_LIMIT).SetCurSel(kNoLimitDisabled);
    Item(IDC_TYPE).SetCurSel(CBandWidthControlFunLogic::kRx);
}

void CBandWidthControlDlg::OnRefresh() {
    // Apply waits with Refresh for the end of the read, so a write never meets a half-read
    // list or a read still running.
    Item(IDC_REFRESH).EnableWindow(FALSE);
    Item(IDC_APPLY).EnableWindow(FALSE);
    m_list.DeleteAllItems();
    if (m_logic.SetHwnd(GetSafeHwnd()) == 0) return;
    m_logic.GetBandwidth();
}

LRESULT CBandWidthControlDlg::OnBandwidth(WPARAM wParam, LPARAM lParam) {
    switch (wParam) {
    case kBandwidthRow: {
        if (lParam == 0) return 0;
        const auto& row = *reinterpret_cast<const BandwidthRow*>(lParam);
        const int item = m_list.InsertItem(m_list.GetItemCount(), row.port);
        m_list.SetItemText(item, 1, RateText(row.txRate));
        m_list.SetItemText(item, 2, RateText(row.rxRate));
        return 0;
    }
    case kBandwidthWritten: OnRefresh(); return 0;
    case kBandwidthReadEnd:
        Item(IDC_APPLY).EnableWindow(TRUE);
        Item(IDC_REFRESH).EnableWindow(TRUE);
        if (Item(IDC_NO_LIMIT).GetCurSel() == kNoLimitDisabled) Item(IDC_RATE).EnableWindow(TRUE);
        return 0;
    default: return 0;
    }
}

void CBandWidthControlDlg::OnNoLimitChange() {
    const int choice = Item(IDC_NO_LIMIT).GetCurSel();
    if (choice == kNoLimitEnabled) Item(IDC_RATE).EnableWindow(FALSE);
    if (choice == kNoLimitDisabled) Item(IDC_RATE).EnableWindow(TRUE);
}

void CBandWidthControlDlg::OnApply() {
    Item(IDC_APPLY).EnableWindow(FALSE);
    const int from = m_ports.FromPort();
    const int to = m_ports.ToPort();
    const int direction = Item(IDC_TYPE).GetCurSel();
    std::string rate = "0";
    if (Item(IDC_NO_LIMIT).GetCurSel() != kNoLimitEnabled) {
        rate = Item(IDC_RATE).GetWindowText();
        if (CBandWidthControlFunLogic::IsValidRate(rate) == 0) {
            AfxMessageBox("Invalid Rate.");
            Item(IDC_APPLY).EnableWindow(TRUE);
            return;
        }
    }
    std::string trunked;
    if (m_logic.CheckTrunkPorts(from, to, trunked) == 0) {
        AfxMessageBox("You can't set the rate of Ports:" + trunked + ".because they are in aggregated link.");
        Item(IDC_APPLY).EnableWindow(TRUE);
        return;
    }
    m_logic.SetBandwidth(from, to, rate, direction);
    ResetInputs();
}
