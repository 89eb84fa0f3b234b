#include "features/stp/PrivateSpanTree.h"

#include <cstdio>

#include "core/DeviceProfile.h"
#include "features/stp/PrivateSpanTPort.h"
#include "features/stp/StpDialogParts.h"
#include "features/stp/StpObjects.h"
#include "features/stp/StpRules.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/SpanTreeDialogsIds.h"

using namespace private_stp_table_ids;

namespace {
// The walk's columns in list order, the automatic cost last (it joins the cost cell).
const char* const kColumnArcs[] = {"1", "4", "2", "5", "16", "14", "17", "18", "3", "6"};
constexpr std::size_t kAutomaticCost = 9;
// A shorter answer ends the walk.
constexpr std::size_t kMinVarbinds = 6;

struct Heading {
    const char* text;
    int format;
    int width;  // 0: the heading's width plus 15 pixels
};
const Heading kHeadings[CPrivateSpanTree::kColumns] = {
    {"Port", LVCFMT_LEFT, 0},
    {"State", LVCFMT_CENTER, 100},
    {"Priority", LVCFMT_LEFT, 0},
    {"External Cost ", LVCFMT_CENTER, 120},
    {"Edge", LVCFMT_LEFT, 0},
    {"P2P", LVCFMT_CENTER, 80},
    {"Restricted Role", LVCFMT_CENTER, 120},
    {"Restricted TCN", LVCFMT_CENTER, 120},
    {"Port Status", LVCFMT_CENTER, 100},
};

std::string CellText(int column, const std::string& value) {
    switch (column) {
    case CPrivateSpanTree::kState: return stp::PrivateStateText(value);
    case CPrivateSpanTree::kEdge: return stp::CodedText(stp::kEdgeItems, value);
    case CPrivateSpanTree::kP2p: return stp::CodedText(stp::kP2pItems, value);
    case CPrivateSpanTree::kRestrictedRole:
    case CPrivateSpanTree::kRestrictedTcn: return stp::CodedText(stp::kTrueFalseItems, value);
    case CPrivateSpanTree::kPortStatus: return stp::CodedText(stp::kPrivatePortStatuses, value);
    default: return value;
    }
}
}  // namespace

BEGIN_MESSAGE_MAP(CPrivateSpanTree, CFeatureDialog)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_PORT_CONFIG, OnPortConfig)
    ON_NOTIFY(NM_DBLCLK, IDC_PORT_LIST, OnListDoubleClick)
END_MESSAGE_MAP()

CPrivateSpanTree::CPrivateSpanTree(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CPrivateSpanTree::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    KeepClearOfLoopbackDetection();
    m_list.SubclassDlgItem(IDC_PORT_LIST, this);
    for (int i = 0; i < kColumns; ++i) {
        const Heading& h = kHeadings[i];
        if (h.width == 0) m_list.InsertHeaderColumn(i, h.text, h.format);
        else m_list.InsertColumn(i, h.text, h.format, h.width);
    }
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    SetWindowText("Spanning Tree Table");
    return TRUE;
}

void CPrivateSpanTree::KeepClearOfLoopbackDetection() {
    for (int p = 1; p <= g_nDevicePortNum; ++p) {
        const SnmpAnswer state = SnmpGet(m_cCommonSNMP, {stp::Instance(stp::kLbdPortState, p)});
        if (!state.Answered()) return;
        if (state.Text(0) != "1") continue;
        const SnmpAnswer off =
            SnmpSet(m_cCommonSNMP, {SnmpSetVar::Integer(stp::Instance(stp::kDot1dStpPortEnable, p), 2)});
        if (!off.Answered()) return;
    }
}

// The first read starts once the dialog is shown, as a click on Refresh.
void CPrivateSpanTree::OnShowWindow(BOOL show, UINT status) {
    CFeatureDialog::OnShowWindow(show, status);
    stp::PostRefreshClick(*this, IDC_REFRESH);
}

int CPrivateSpanTree::SelectedRow() const { return stp::FirstSelectedRow(m_list); }

void CPrivateSpanTree::EnableButtons(bool enable) {
    Item(IDC_PORT_CONFIG).EnableWindow(enable ? TRUE : FALSE);
    Item(IDC_REFRESH).EnableWindow(enable ? TRUE : FALSE);
}

void CPrivateSpanTree::OnRefresh() { Refresh(); }

void CPrivateSpanTree::Refresh() {
    m_list.DeleteAllItems();
    SetDlgItemText(IDC_ENTRIES, "0");
    EnableButtons(false);
    std::vector<std::string> columns;
    for (const char* arc : kColumnArcs) columns.push_back(stp::kPortTable + arc);
    SnmpReadSpec spec = SnmpReadSpec::Walk(columns);
    spec.minVarbinds = kMinVarbinds;
    m_walk.Start(
        spec, [this](const SnmpRow& row) { AddRow(row); }, [this](const SnmpReadResult&) { EnableButtons(true); });
}

void CPrivateSpanTree::AddRow(const SnmpRow& row) {
    char line[64];
    std::snprintf(line, sizeof line, "nCount = %d", static_cast<int>(row.Size()));
    OutputDebugStringA(line);
    const int item = m_list.GetItemCount();
    for (std::size_t i = 0; i < row.Size() && i < static_cast<std::size_t>(kColumns); ++i) {
        const int column = static_cast<int>(i);
        m_list.SetCell(item, column, CellText(column, row.Text(i)));
    }
    // The switch chooses the cost while the external cost is 0.
    if (row.Size() > kAutomaticCost && m_list.GetItemText(item, kExternalCost) == "0") {
        const std::string& automatic = row.Text(kAutomaticCost);
        m_list.SetItemText(item, kExternalCost, automatic != "0" ? "AUTO/" + automatic : "0");
    }
    SetDlgItemText(IDC_ENTRIES, std::to_string(item + 1));
}

void CPrivateSpanTree::OnPortConfig() {
    // An empty table has no port to configure.
    if (RowCount() == 0) return;
    CPrivateSpanTPort dlg(*this);
    if (dlg.DoModal() == IDOK) Refresh();
}

void CPrivateSpanTree::OnListDoubleClick(NMHDR*, LRESULT* result) {
    *result = 0;
    if (SelectedRow() >= 0) OnPortConfig();
}

void CPrivateSpanTree::CloseSessions() {
    stp::CloseInOrder({{"m_cCommonSNMP", [this] {
                            m_walk.Close();
                            m_cCommonSNMP.Close();
                        }}});
}
