#include "features/security/TrafficSegDlg.h"

#include <algorithm>
#include <cstdlib>

#include "core/DeviceProfile.h"
#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "platform/win/Clock.h"
#include "resources/templates/SecurityDialogsIds.h"

using namespace traffic_seg_ids;

BEGIN_MESSAGE_MAP(CTrafficSegDlg, CFeatureDialog)
    ON_CBN_SELCHANGE(IDC_FROM_PORT, OnFromChange)
    ON_BN_CLICKED(IDC_SELECT_ALL, OnSelectAll)
    ON_BN_CLICKED(IDC_CLEAR, OnClear)
    ON_BN_CLICKED(IDC_APPLY_STATE, OnApplyState)
    ON_BN_CLICKED(IDC_APPLY_PORTS, OnApplyPorts)
    ON_BN_CLICKED(IDC_REFRESH, Refresh)
END_MESSAGE_MAP()

CTrafficSegDlg::CTrafficSegDlg(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

void CTrafficSegDlg::CloseSessions() {
    m_tableWalk.Close();
    m_logic.Close();
}

BOOL CTrafficSegDlg::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    CListCtrl& list = Item(IDC_FORWARD_LIST);
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    list.InsertColumn(0, "Port", LVCFMT_LEFT, 150);
    list.InsertColumn(1, "Forwarding Port", LVCFMT_LEFT, 300);
    m_nPorts = std::clamp(g_nDevicePortNum, 0, kMaxPorts);
    CComboBox& from = Item(IDC_FROM_PORT);
    from.AddString("ALL");
    for (int p = 1; p <= m_nPorts; ++p) from.AddString(std::to_string(p));
    from.SetCurSel(0);
    CreatePortBoxes();
    Refresh();
    return TRUE;
}

void CTrafficSegDlg::CreatePortBoxes() {
    if (m_nPorts == 0) return;
    // Up to 28 ports in one row; more in two equal rows (24 each for 48 ports, 26 for 52).
    const int firstRow = m_nPorts <= 28 ? m_nPorts : m_nPorts / 2;
    const int perRow = m_nPorts - firstRow > firstRow ? m_nPorts - firstRow : firstRow;
    CRect frame;
    Item(IDC_PORT_FRAME).GetWindowRect(frame);
    ScreenToClient(frame);
    const int gap = std::max((frame.Width() - perRow * 21) / perRow, 2);
    m_boxes.Create(this, m_nPorts, IDC_PORT_BOX_BASE, IDC_PORT_LABEL_BASE, [&](int port) {
        const bool second = port > firstRow;
        const int k = second ? port - firstRow - 1 : port - 1;
        const int x = frame.left + 5 + k * (gap + 20);
        const int y = frame.top + (second ? 56 : 6);
        return CPortBoxes::Cell{CRect(x, y, x + 16, y + 17), CRect(x, y + 18, x + 16, y + 35)};
    });
}

void CTrafficSegDlg::Refresh() {
    Item(IDC_FROM_PORT).SetCurSel(0);
    for (int p = 1; p <= m_nPorts; ++p) m_boxes.Enable(p, true);
    m_boxes.UncheckAll();
    for (auto id : {IDC_APPLY_STATE, IDC_APPLY_PORTS, IDC_REFRESH}) Item(id).EnableWindow(FALSE);
    m_forwardPorts.clear();
    Item(IDC_FORWARD_LIST).DeleteAllItems();
    m_tableWalk.Start(
        SnmpReadSpec::Walk({CTrafficSeg::kForwardTable + "1", CTrafficSeg::kForwardTable + "2"}),
        [this](const SnmpRow& row) { OnRow(row); }, [this](const SnmpReadResult&) { OnWalkEnd(); });
    m_logic.ReadTrunkPorts();
}

void CTrafficSegDlg::OnRow(const SnmpRow& row) {
    const std::string& bitmap = row.Bytes(1);
    // The bitmap is read over its own length: a short value shows no port beyond it.
    std::string ranges;
    CUtils::BitmapToPortRangeList(bitmap.data(), static_cast<int>(bitmap.size()), 1, m_nPorts, ranges);
    CListCtrl& list = Item(IDC_FORWARD_LIST);
    const int at = list.GetItemCount();
    list.InsertItem(at, row.Text(0));
    list.SetItemText(at, 1, ranges);
    int count = 0;
    m_forwardPorts[std::atoi(row.Text(0).c_str())] = CUtils::PortBitmapToList(bitmap, &count);
}

void CTrafficSegDlg::OnWalkEnd() {
    // The state is read before Apply 1003, which uses the same session, can be pressed.
    m_logic.GetState();
    const bool enabled = m_logic.m_strState == "1";
    Item(IDC_ENABLE).SetCheck(enabled ? BST_CHECKED : BST_UNCHECKED);
    for (auto id : {IDC_APPLY_STATE, IDC_REFRESH}) Item(id).EnableWindow(TRUE);
    EnableForwarding(enabled);
}

void CTrafficSegDlg::EnableForwarding(bool enable) {
    Item(IDC_APPLY_PORTS).EnableWindow(enable ? TRUE : FALSE);
    Item(IDC_FROM_PORT).EnableWindow(enable ? TRUE : FALSE);
    for (int p = 1; p <= m_nPorts; ++p) m_boxes.Enable(p, enable);
}

int CTrafficSegDlg::FromPort() const {
    auto& from = const_cast<CTrafficSegDlg*>(this)->Item(IDC_FROM_PORT);
    const int selection = from.GetCurSel();
    return selection <= 0 ? 0 : selection;
}

void CTrafficSegDlg::OnFromChange() {
    const int from = FromPort();
    for (int p = 1; p <= m_nPorts; ++p) m_boxes.Enable(p, p != from);
    m_boxes.UncheckAll();
    if (from == 0) return;
    // A port without a row has an empty set.
    const auto it = m_forwardPorts.find(from);
    if (it == m_forwardPorts.end()) return;
    std::vector<int> flags(static_cast<size_t>(std::max(kMaxDevicePorts, m_nPorts)), 0);
    CUtils::PortListToArray(it->second, flags.data(), 1);
    for (int p = 1; p <= m_nPorts; ++p) m_boxes.SetCheck(p, flags[static_cast<size_t>(p - 1)] != 0 ? 1 : 0);
}

void CTrafficSegDlg::OnSelectAll() {
    for (int p = 1; p <= m_nPorts; ++p) m_boxes.SetCheck(p, 1);
}

void CTrafficSegDlg::OnClear() {
    const int from = FromPort();
    for (int p = 1; p <= m_nPorts; ++p) {
        if (p != from) m_boxes.SetCheck(p, 0);
    }
}

void CTrafficSegDlg::OnApplyState() {
    m_logic.SetState(Item(IDC_ENABLE).GetCheck() == BST_CHECKED ? "1" : "2");
    Refresh();
}

std::vector<int> CTrafficSegDlg::CheckedPorts() const {
    std::vector<int> flags(static_cast<size_t>(std::max(kMaxDevicePorts, m_nPorts)), 0);
    for (int p = 1; p <= m_nPorts; ++p) flags[static_cast<size_t>(p - 1)] = m_boxes.GetCheck(p) == 1 ? 1 : 0;
    return flags;
}

bool CTrafficSegDlg::WritePort(int port, const std::vector<int>& flags) {
    if (m_logic.CheckTrunkMembers(flags.data()) == 0) {
        AfxMessageBox("The link aggregation member port can not be configured.");
        return false;
    }
    m_logic.SetForwardPorts(std::to_string(port), CUtils::PortFlagsToBitmap(flags.data()));
    win::Sleep(kWritePauseMs);
    return true;
}

void CTrafficSegDlg::OnApplyPorts() {
    // The trunk rule judges the whole trunk table: a walk still running is waited for.
    m_logic.WaitTrunkPorts();
    const int from = FromPort();
    if (from != 0) {
        if (WritePort(from, CheckedPorts())) Refresh();
        return;
    }
    for (int port = 1; port <= m_nPorts; ++port) {
        std::vector<int> flags = CheckedPorts();
        flags[static_cast<size_t>(port - 1)] = 1;
        // A refusal stops at once: the ports before stay written, nothing is read again.
        if (!WritePort(port, flags)) return;
    }
    Refresh();
}
