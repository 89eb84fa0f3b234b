#include "features/stp/PrivateSpanTPort.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/DeviceProfile.h"
#include "core/SnmpRead.h"
#include "features/stp/PrivateSpanTree.h"
#include "features/stp/StpDialogParts.h"
#include "features/stp/StpObjects.h"
#include "features/stp/StpRules.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/SpanTreeDialogsIds.h"

using namespace private_stp_port_ids;

namespace {
std::string Column(const char* arc) { return stp::kPortTable + arc; }

void Fill(CComboBox& box, const stp::CodedList& items) {
    for (const stp::Coded& c : items) box.AddString(c.text);
}

// Selects the first item whose text begins with the cell's text; an empty or unknown cell
// leaves the box without a selection.
void SelectByCell(CComboBox& box, const stp::CodedList& items, const std::string& cell) {
    if (cell.empty()) return;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (std::string(items[i].text).rfind(cell, 0) == 0) {
            box.SetCurSel(static_cast<int>(i));
            return;
        }
    }
}
}  // namespace

BEGIN_MESSAGE_MAP(CPrivateSpanTPort, CFeatureDialog)
    ON_BN_CLICKED(IDC_PREV, OnPrev)
    ON_BN_CLICKED(IDC_NEXT, OnNext)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CPrivateSpanTPort::CPrivateSpanTPort(const CPrivateSpanTree& table, CWnd* parent)
    : CFeatureDialog(IDD, {.topmost = true}, parent), m_table(table) {}

BOOL CPrivateSpanTPort::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    Item(IDC_PRIORITY).SetWindowText("0");
    Fill(Item(IDC_MIGRATE), stp::kMigrateItems);
    Fill(Item(IDC_P2P), stp::kP2pItems);
    Fill(Item(IDC_EDGE), stp::kEdgeItems);
    Fill(Item(IDC_RESTRICTED_ROLE), stp::kTrueFalseItems);
    Fill(Item(IDC_RESTRICTED_TCN), stp::kTrueFalseItems);
    m_nRow = std::max(m_table.SelectedRow(), 0);
    m_trunks.Start();
    LoadRow();
    SetWindowText(" Port STP Configuration");
    return TRUE;
}

int CPrivateSpanTPort::Port() const {
    const int port = std::atoi(m_strPort.c_str());
    return port >= 1 && port <= g_nDevicePortNum ? port : 0;
}

void CPrivateSpanTPort::LoadRow() {
    stp::StepTo(m_nRow, m_table.RowCount(), Item(IDC_PREV), Item(IDC_NEXT));
    // Nothing of the previous port stays: a box the row does not fill has no selection.
    for (auto id : {IDC_MIGRATE, IDC_P2P, IDC_EDGE, IDC_RESTRICTED_ROLE, IDC_RESTRICTED_TCN}) Item(id).SetCurSel(-1);
    m_strLbdState.clear();
    m_strPort = m_table.Cell(m_nRow, CPrivateSpanTree::kPort);
    SetDlgItemText(IDC_PORT, m_strPort);
    Item(IDC_PRIORITY).SetWindowText(m_table.Cell(m_nRow, CPrivateSpanTree::kPriority));
    // "AUTO/x": the switch chooses the cost; 0 keeps it so.
    const std::string cost = m_table.Cell(m_nRow, CPrivateSpanTree::kExternalCost);
    const std::size_t slash = cost.find('/');
    const bool automatic = cost.rfind("AUTO/", 0) == 0;
    SetDlgItemText(
        IDC_COST,
        std::to_string(automatic ? 0
                                 : std::atoll(slash == std::string::npos ? cost.c_str() : cost.c_str() + slash + 1)));
    SelectByCell(Item(IDC_EDGE), stp::kEdgeItems, m_table.Cell(m_nRow, CPrivateSpanTree::kEdge));
    SelectByCell(Item(IDC_P2P), stp::kP2pItems, m_table.Cell(m_nRow, CPrivateSpanTree::kP2p));
    SelectByCell(Item(IDC_RESTRICTED_ROLE), stp::kTrueFalseItems,
                 m_table.Cell(m_nRow, CPrivateSpanTree::kRestrictedRole));
    SelectByCell(Item(IDC_RESTRICTED_TCN), stp::kTrueFalseItems,
                 m_table.Cell(m_nRow, CPrivateSpanTree::kRestrictedTcn));

    const int port = Port();
    if (port == 0) return;
    const SnmpAnswer a = SnmpGet(m_cCommonSNMP, {stp::Instance(Column("12"), port), stp::Instance(Column("4"), port),
                                                 stp::Instance(stp::kLbdPortState, port)});
    if (!a.Ok() || a.Size() < 3) return;
    Item(IDC_MIGRATE).SetCurSel(a.Text(0) == "1" ? 0 : 1);
    Item(IDC_ENABLE).SetCheck(a.Text(1) == "1" ? BST_CHECKED : BST_UNCHECKED);
    m_strLbdState = a.Text(2);
}

void CPrivateSpanTPort::OnPrev() {
    --m_nRow;
    LoadRow();
}

void CPrivateSpanTPort::OnNext() {
    ++m_nRow;
    LoadRow();
}

void CPrivateSpanTPort::OnRefresh() { LoadRow(); }

void CPrivateSpanTPort::Apply() {
    const int port = Port();
    if (port == 0) return;
    const long long cost = stp::ParseCost(GetDlgItemText(IDC_COST));
    std::string message = stp::PathCostMessage(cost);
    const bool enable = Item(IDC_ENABLE).GetCheck() == BST_CHECKED;
    if (message.empty() && m_trunks.Trunk(port) != 0) message = stp::kAggregatedLinkMessage;
    if (message.empty() && enable && m_strLbdState == "1") {
        message = "STP port " + m_strPort + " can not both support Spanning Tree and LBD-enabled mode";
    }
    if (!message.empty()) {
        AfxMessageBox(message);
        return;
    }
    const std::string instance = "." + std::to_string(port);
    std::vector<SnmpSetVar> vars = {
        SnmpSetVar::Integer(Column("4") + instance, enable ? 1 : 2),
        SnmpSetVar::Integer(Column("2") + instance, std::atoi(Item(IDC_PRIORITY).GetWindowText().c_str())),
        SnmpSetVar::Integer(Column("5") + instance, cost),
    };
    // A box without a selection leaves its variable out.
    auto add = [&](const char* arc, CComboBox& box, const stp::CodedList& items) {
        const int i = box.GetCurSel();
        if (i >= 0 && i < static_cast<int>(items.size())) {
            vars.push_back(SnmpSetVar::Integer(Column(arc) + instance, items[static_cast<std::size_t>(i)].code));
        }
    };
    add("18", Item(IDC_RESTRICTED_TCN), stp::kTrueFalseItems);
    add("12", Item(IDC_MIGRATE), stp::kMigrateItems);
    add("14", Item(IDC_P2P), stp::kP2pItems);
    add("17", Item(IDC_RESTRICTED_ROLE), stp::kTrueFalseItems);
    add("16", Item(IDC_EDGE), stp::kEdgeItems);
    SnmpSet(m_cCommonSNMPSet, vars);
}

// OK applies and ends the dialog whatever Apply did; the table then reads again.
void CPrivateSpanTPort::OnOK() {
    Apply();
    EndDialog(IDOK);
}

void CPrivateSpanTPort::CloseSessions() {
    stp::CloseInOrder({{"m_cCommonSNMP", [this] { m_cCommonSNMP.Close(); }},
                       {"m_cCommonSNMPSet", [this] { m_cCommonSNMPSet.Close(); }},
                       {"m_cCommonSNMPTable", [this] { m_trunks.Close(); }}});
}
