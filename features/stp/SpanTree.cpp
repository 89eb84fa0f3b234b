#include "features/stp/SpanTree.h"

#include <array>
#include <cstdio>

#include "features/stp/SpanTreePortParam.h"
#include "features/stp/StpDialogParts.h"
#include "features/stp/StpObjects.h"
#include "features/stp/StpRules.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/SpanTreeDialogsIds.h"

using namespace span_tree_ids;

namespace {
// Headers and column arcs of the standard port table, in list order (stp::SpanTreeColumn).
struct Column {
    const char* header;
    const char* arc;
};
const std::array<Column, stp::kSpanTreeColumns> kColumns = {{
    {"Port", "1"},
    {"Priority", "2"},
    {"Cost ", "5"},
    {"Enable", "4"},
    {"Status  ", "3"},
    {" ==Designated Root== ", "6"},
    {"Designated Cost", "7"},
    {" ==Designated Bridge== ", "8"},
    {"Designated Port", "9"},
    {"Forwardings", "10"},
}};
// A shorter answer ends the walk.
constexpr std::size_t kMinVarbinds = 6;

std::string CellText(int column, const SnmpRow& row, std::size_t i) {
    switch (column) {
    case stp::kColEnable: return stp::EnableText(row.Text(i));
    case stp::kColStatus: return stp::PortStateText(row.Text(i));
    case stp::kColDesignatedRoot:
    case stp::kColDesignatedBridge:
    case stp::kColDesignatedPort: return stp::BridgeIdText(row.Bytes(i));
    default: return row.Text(i);
    }
}
}  // namespace

BEGIN_MESSAGE_MAP(CSpanTree, CFeatureDialog)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_PORT_CONFIG, OnPortConfig)
    ON_NOTIFY(NM_DBLCLK, IDC_PORT_LIST, OnListDoubleClick)
END_MESSAGE_MAP()

CSpanTree::CSpanTree(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CSpanTree::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_PORT_LIST, this);
    for (std::size_t i = 0; i < kColumns.size(); ++i)
        m_list.InsertHeaderColumn(static_cast<int>(i), kColumns[i].header);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    SetWindowText("Spanning Tree Table");
    return TRUE;
}

// The first read starts once the dialog is shown, as a click on Refresh.
void CSpanTree::OnShowWindow(BOOL show, UINT status) {
    CFeatureDialog::OnShowWindow(show, status);
    stp::PostRefreshClick(*this, IDC_REFRESH);
}

int CSpanTree::SelectedRow() const { return stp::FirstSelectedRow(m_list); }

void CSpanTree::EnableButtons(bool enable) {
    Item(IDC_PORT_CONFIG).EnableWindow(enable ? TRUE : FALSE);
    Item(IDC_REFRESH).EnableWindow(enable ? TRUE : FALSE);
}

void CSpanTree::OnRefresh() { Refresh(); }

void CSpanTree::Refresh() {
    m_list.DeleteAllItems();
    SetDlgItemText(IDC_ENTRIES, "0");
    EnableButtons(false);
    std::vector<std::string> columns;
    for (const Column& c : kColumns) columns.push_back(stp::kDot1dStpPortTable + c.arc);
    SnmpReadSpec spec = SnmpReadSpec::Walk(columns);
    spec.minVarbinds = kMinVarbinds;
    // Every way the walk ends keeps the rows read so far and gives the buttons back.
    m_walk.Start(
        spec, [this](const SnmpRow& row) { AddRow(row); }, [this](const SnmpReadResult&) { EnableButtons(true); });
}

void CSpanTree::AddRow(const SnmpRow& row) {
    char line[64];
    std::snprintf(line, sizeof line, "nCount = %d", static_cast<int>(row.Size()));
    OutputDebugStringA(line);
    const int item = m_list.GetItemCount();
    for (std::size_t i = 0; i < row.Size() && i < kColumns.size(); ++i) {
        const int column = static_cast<int>(i);
        m_list.SetCell(item, column, CellText(column, row, i));
    }
    SetDlgItemText(IDC_ENTRIES, std::to_string(item + 1));
}

void CSpanTree::OnPortConfig() {
    CSpanTreePortParam dlg(*this);
    if (dlg.DoModal() == IDOK) Refresh();
}

void CSpanTree::OnListDoubleClick(NMHDR*, LRESULT* result) {
    *result = 0;
    if (SelectedRow() >= 0) OnPortConfig();
}

void CSpanTree::CloseSessions() {
    stp::CloseInOrder({{"m_cCommonSNMP", [this] { m_walk.Close(); }}});
}
