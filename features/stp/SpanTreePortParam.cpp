#include "features/stp/SpanTreePortParam.h"

#include <algorithm>
#include <cstdlib>

#include "core/DeviceProfile.h"
#include "core/SnmpRead.h"
#include "features/stp/SpanTree.h"
#include "features/stp/StpDialogParts.h"
#include "features/stp/StpObjects.h"
#include "features/stp/StpRules.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/SpanTreeDialogsIds.h"

using namespace span_tree_port_ids;

namespace {
constexpr int kPriorityStep = 16;
constexpr int kPriorityItems = 16;

std::string Column(const char* arc) { return stp::kDot1dStpPortTable + arc; }
}  // namespace

BEGIN_MESSAGE_MAP(CSpanTreePortParam, CFeatureDialog)
    ON_BN_CLICKED(IDC_PREV, OnPrev)
    ON_BN_CLICKED(IDC_NEXT, OnNext)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
END_MESSAGE_MAP()

CSpanTreePortParam::CSpanTreePortParam(const CSpanTree& table, CWnd* parent)
    : CFeatureDialog(IDD, {.topmost = true}, parent), m_table(table) {}

BOOL CSpanTreePortParam::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    for (int i = 0; i < kPriorityItems; ++i) Item(IDC_PRIORITY).AddString(std::to_string(i * kPriorityStep));
    Item(IDC_PRIORITY).SetWindowText("0");
    m_nRow = std::max(m_table.SelectedRow(), 0);
    m_trunks.Start();
    ShowPort();
    SetWindowText(" Port STP Configuration");
    return TRUE;
}

int CSpanTreePortParam::Port() const {
    const int port = std::atoi(m_strPort.c_str());
    return port >= 1 && port <= g_nDevicePortNum ? port : 0;
}

void CSpanTreePortParam::ShowPort() {
    const int rows = m_table.RowCount();
    if (rows == 0) {
        // An empty table names no port: nothing is shown, read or written.
        Item(IDC_PREV).EnableWindow(FALSE);
        Item(IDC_NEXT).EnableWindow(FALSE);
        m_nRow = 0;
        m_strPort.clear();
        SetDlgItemText(IDC_PORT, "");
        return;
    }
    stp::StepTo(m_nRow, rows, Item(IDC_PREV), Item(IDC_NEXT));
    m_strPort = m_table.Cell(m_nRow, stp::kColPort);
    SetDlgItemText(IDC_PORT, m_strPort);
    SetDlgItemText(IDC_STATUS, m_table.Cell(m_nRow, stp::kColStatus));
    SetDlgItemText(IDC_DESIG_ROOT, m_table.Cell(m_nRow, stp::kColDesignatedRoot));
    SetDlgItemText(IDC_DESIG_COST, m_table.Cell(m_nRow, stp::kColDesignatedCost));
    SetDlgItemText(IDC_DESIG_BRIDGE, m_table.Cell(m_nRow, stp::kColDesignatedBridge));
    SetDlgItemText(IDC_DESIG_PORT, m_table.Cell(m_nRow, stp::kColDesignatedPort));
    SetDlgItemText(IDC_FORWARD, m_table.Cell(m_nRow, stp::kColForwardings));

    const int port = Port();
    if (port == 0) return;
    // The cost in use comes from the standard table; the private external cost tells
    // whether the switch chooses it.
    const SnmpAnswer a =
        SnmpGet(m_cCommonSNMP, {stp::Instance(Column("2"), port), stp::Instance(Column("5"), port),
                                stp::Instance(Column("4"), port), stp::Instance(stp::kPortExternalCost, port)});
    if (!a.Answered() || a.Size() < 3) return;
    Item(IDC_PRIORITY).SetWindowText(a.Text(0));
    SetDlgItemText(IDC_PRIORITY_NUMBER, std::to_string(a.Number(0)));
    m_strLoadedCost = std::to_string(a.Number(1));
    SetDlgItemText(IDC_COST, m_strLoadedCost);
    Item(IDC_ENABLE).SetCheck(a.Text(2) == "1" ? BST_CHECKED : BST_UNCHECKED);
    m_nExternalCost = a.Has(3) ? a.Number(3) : -1;
}

void CSpanTreePortParam::OnPrev() {
    --m_nRow;
    ShowPort();
}

void CSpanTreePortParam::OnNext() {
    ++m_nRow;
    ShowPort();
}

void CSpanTreePortParam::OnRefresh() {
    m_trunks.Start();
    ShowPort();
}

void CSpanTreePortParam::Apply() {
    const int port = Port();
    if (port == 0) return;
    const std::string costText = GetDlgItemText(IDC_COST);
    const long long cost = stp::ParseCost(costText);
    const int priority = std::atoi(Item(IDC_PRIORITY).GetWindowText().c_str());
    const bool enable = Item(IDC_ENABLE).GetCheck() == BST_CHECKED;
    const bool member = m_trunks.Trunk(port) != 0;
    const bool unchanged = priority == std::atoi(m_table.Cell(m_nRow, stp::kColPriority).c_str()) &&
                           cost == std::atoll(m_table.Cell(m_nRow, stp::kColCost).c_str()) &&
                           stp::EnableText(enable ? "1" : "2") == m_table.Cell(m_nRow, stp::kColEnable);
    std::string message = stp::PathCostMessage(cost);
    if (message.empty() && member && !unchanged) message = stp::kAggregatedLinkMessage;
    if (!message.empty()) {
        AfxMessageBox(message);
        return;
    }
    if (member) return;  // the link's settings already: nothing to send
    // An automatic cost stays automatic unless the user typed another.
    const long long written = m_nExternalCost == 0 && costText == m_strLoadedCost ? 0 : cost;
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(stp::Instance(Column("2"), port), priority),
                               SnmpSetVar::Integer(stp::Instance(stp::kPortExternalCost, port), written),
                               SnmpSetVar::Integer(stp::Instance(Column("4"), port), enable ? 1 : 2)});
}

void CSpanTreePortParam::OnApply() { Apply(); }

// OK ends the dialog whatever Apply did; the table then reads again.
void CSpanTreePortParam::OnOK() {
    Apply();
    EndDialog(IDOK);
}

void CSpanTreePortParam::CloseSessions() {
    stp::CloseInOrder({{"m_cCommonSNMP", [this] { m_cCommonSNMP.Close(); }},
                       {"m_cCommonSNMPSet", [this] { m_cCommonSNMPSet.Close(); }},
                       {"m_cCommonSNMPTable", [this] { m_trunks.Close(); }}});
}
