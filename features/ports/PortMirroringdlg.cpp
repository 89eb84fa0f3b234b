#include "features/ports/PortMirroringdlg.h"

#include <algorithm>
#include <cstdlib>

#include "core/DeviceProfile.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/MirrorDialogsIds.h"

using namespace port_mirroring_ids;

namespace {
constexpr UINT kAppIcon = 447;
constexpr int kBoxRowSpacing = 10;
constexpr int kLabelRowSpacing = 18;
constexpr int kTxUnderLabelsSpacing = 12;
constexpr int kLastPort = kMaxMirrorPorts;
constexpr int kModeBase[] = {IDC_TX_BASE, IDC_RX_BASE, IDC_BOTH_BASE, IDC_NONE_BASE};

CRect ClientRect(CWnd* parent, int id) {
    CRect rect;
    if (CWnd* item = parent->GetDlgItem(id)) {
        item->GetWindowRect(rect);
        parent->ScreenToClient(rect);
    }
    return rect;
}
}  // namespace

BEGIN_MESSAGE_MAP(CPortMirroringdlg, ClxDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_CLOSE, OnClose)
    ON_BN_CLICKED(IDC_ENABLED, OnEnabled)
    ON_BN_CLICKED(IDC_DISABLED, OnDisabled)
    ON_CBN_SELCHANGE(IDC_TARGET_PORT, OnTargetChange)
    ON_BN_CLICKED(IDC_TX_ALL, OnAllTx)
    ON_BN_CLICKED(IDC_RX_ALL, OnAllRx)
    ON_BN_CLICKED(IDC_BOTH_ALL, OnAllBoth)
    ON_BN_CLICKED(IDC_NONE_ALL, OnAllNone)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_TX_BASE + 1, IDC_TX_BASE + kLastPort, OnTxBox)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_RX_BASE + 1, IDC_RX_BASE + kLastPort, OnRxBox)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_BOTH_BASE + 1, IDC_BOTH_BASE + kLastPort, OnBothBox)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_NONE_BASE + 1, IDC_NONE_BASE + kLastPort, OnNoneBox)
    ON_MESSAGE(WM_MIRROR_SETTINGS, OnSettings)
END_MESSAGE_MAP()

CPortMirroringdlg::CPortMirroringdlg(CWnd* parent) : ClxDialog(IDD, parent) {}

CPortMirroringdlg::~CPortMirroringdlg() = default;

BOOL CPortMirroringdlg::OnInitDialog() {
    ClxDialog::OnInitDialog();
    SetIcon(::LoadIcon(nullptr, kAppIcon), TRUE);
    m_nPortNum = m_logic.PortCount();
    auto& target = *static_cast<CComboBox*>(GetDlgItem(IDC_TARGET_PORT));
    for (int port = 1; port <= m_nPortNum; ++port) target.AddString(std::to_string(port));
    target.SetCurSel(0);
    CreatePortRows();

    // The command buttons end where the rows of boxes end.
    CRect rows;
    m_pRows[kNone]->GetRect(rows);
    const int shift = rows.right - ClientRect(this, IDC_CLOSE).right;
    for (int id : {IDC_CLOSE.id, IDC_APPLY.id, IDC_REFRESH.id}) {
        const CRect rect = ClientRect(this, id);
        GetDlgItem(id)->MoveWindow(rect.left + shift, rect.top, rect.Width(), rect.Height());
    }
    OnRefresh();
    return TRUE;
}

BOOL CPortMirroringdlg::DestroyWindow() {
    // The window goes first: an answer arriving meanwhile finds no window.
    const BOOL result = ClxDialog::DestroyWindow();
    m_logic.Close();
    return result;
}

void CPortMirroringdlg::CreatePortRows() {
    const int right = ClientRect(this, IDC_PORT_GROUP).right;
    const int rowHeight = ClientRect(this, IDC_RX_ALL).Height();
    auto boxRow = [&](Mode mode, int anchor) {
        const CRect reference = ClientRect(this, anchor);
        auto row = std::make_unique<CBtnEXT>(m_nPortNum, reference.Height(), kBoxRowSpacing);
        row->SetParent(this);
        row->CalcGap(reference.right, right);
        row->Create(BS_AUTOCHECKBOX, kModeBase[mode] + 1, reference, 0);
        m_pRows[mode] = std::move(row);
    };
    boxRow(kRx, IDC_RX_ALL);
    boxRow(kBoth, IDC_BOTH_ALL);
    boxRow(kNone, IDC_NONE_ALL);

    const CRect selectAll = ClientRect(this, IDC_SELECT_ALL_LABEL);
    m_pLabels = std::make_unique<CBtnEXT>(m_nPortNum, rowHeight, kLabelRowSpacing);
    m_pLabels->SetParent(this);
    m_pLabels->CalcGap(selectAll.right, right);
    m_pLabels->Create(CBtnEXT::kLabelStyle, IDC_PORT_LABEL_BASE + 1, selectAll, 0);

    if (m_nPortNum == kMaxMirrorPorts) {
        // The TX boxes sit directly under the first line of port numbers.
        const CRect firstLabel = ClientRect(this, IDC_PORT_LABEL_BASE + 1);
        auto row = std::make_unique<CBtnEXT>(m_nPortNum, firstLabel.Height(), kTxUnderLabelsSpacing);
        row->SetParent(this);
        row->CalcGap(firstLabel.left, right);
        row->Create(BS_AUTOCHECKBOX, IDC_TX_BASE + 1, firstLabel, 1);
        m_pRows[kTx] = std::move(row);
    } else {
        boxRow(kTx, IDC_TX_ALL);
    }
}

void CPortMirroringdlg::OnRefresh() {
    EnableAllBoxes(TRUE);
    if (m_logic.SetHwnd(GetSafeHwnd()) == 0) return;
    m_logic.GetTrunkPorts();
    m_logic.GetSettings();
}

LRESULT CPortMirroringdlg::OnSettings(WPARAM wParam, LPARAM lParam) {
    if (wParam != 0 || lParam == 0) return 0;
    const auto& settings = *reinterpret_cast<const MirrorSettings*>(lParam);
    auto& target = *static_cast<CComboBox*>(GetDlgItem(IDC_TARGET_PORT));
    CheckDlgButton(IDC_ENABLED, settings.state == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_DISABLED, settings.state == 1 ? BST_UNCHECKED : BST_CHECKED);
    target.EnableWindow(settings.state == 1 ? TRUE : FALSE);
    if (settings.state != 1) EnableAllBoxes(FALSE);

    // A target outside 1..N has no item and no boxes: nothing is chosen, and Apply keeps it.
    const int item = target.FindStringExact(-1, settings.target);
    target.SetCurSel(item);
    m_strOutsideTarget = item < 0 ? settings.target : std::string();
    if (item >= 0) EnablePort(item + 1, FALSE);

    for (int port = 1; port <= m_nPortNum; ++port) {
        const MirrorPort& p = settings.ports[static_cast<size_t>(port - 1)];
        SetMode(port, p.rx && p.tx ? kBoth : p.rx ? kRx : p.tx ? kTx : kNone);
    }
    return 0;
}

void CPortMirroringdlg::SetMode(int port, Mode mode) {
    if (port < 1 || port > m_nPortNum) return;
    for (int m = 0; m < kModes; ++m) m_pRows[m]->SetCheck(m == mode ? BST_CHECKED : BST_UNCHECKED, port - 1);
}

void CPortMirroringdlg::EnablePort(int port, BOOL enable) {
    if (port < 1 || port > m_nPortNum) return;
    for (const auto& row : m_pRows) row->EnableButton(enable, port - 1);
}

void CPortMirroringdlg::EnableAllBoxes(BOOL enable) {
    for (int port = 1; port <= m_nPortNum; ++port) EnablePort(port, enable);
}

void CPortMirroringdlg::OnModeBox(Mode mode, int port) { SetMode(port, mode); }

std::string CPortMirroringdlg::TargetText() const {
    const auto& target = *static_cast<const CComboBox*>(GetDlgItem(IDC_TARGET_PORT));
    const int item = target.GetCurSel();
    return item < 0 ? m_strOutsideTarget : target.GetLBText(item);
}

int CPortMirroringdlg::TargetPort() const { return std::atoi(TargetText().c_str()); }

void CPortMirroringdlg::SelectAll(Mode mode) {
    const int target = TargetPort();
    for (int port = 1; port <= m_nPortNum; ++port) {
        if (mode != kNone && port == target) continue;
        SetMode(port, mode);
    }
}

void CPortMirroringdlg::OnTargetChange() {
    m_strOutsideTarget.clear();
    EnableAllBoxes(TRUE);
    if (TargetText().empty()) return;
    const int target = TargetPort();
    EnablePort(target, FALSE);
    SetMode(target, kNone);
}

void CPortMirroringdlg::OnEnabled() {
    GetDlgItem(IDC_TARGET_PORT)->EnableWindow(TRUE);
    const int target = TargetPort();
    for (int port = 1; port <= m_nPortNum; ++port) EnablePort(port, port == target ? FALSE : TRUE);
}

void CPortMirroringdlg::OnDisabled() {
    GetDlgItem(IDC_TARGET_PORT)->EnableWindow(FALSE);
    EnableAllBoxes(FALSE);
}

void CPortMirroringdlg::OnApply() {
    if (IsDlgButtonChecked(IDC_ENABLED) != BST_CHECKED) {
        m_logic.SetSettings(m_logic.m_strPrevState, "2", "");
        OnRefresh();
        return;
    }
    const std::string target = TargetText();
    // A port outside 1..N is in no link.
    if (m_logic.TrunkOf(TargetPort()) != 0) {
        AfxMessageBox("Target Port is Trunking Port!");
        return;
    }
    bool anySource = false;
    for (int port = 1; port <= m_nPortNum; ++port) {
        MirrorPort& p = m_logic.m_ports[static_cast<size_t>(port - 1)];
        const int i = port - 1;
        const bool both = m_pRows[kBoth]->GetCheck(i) == 1;
        p.tx = both || m_pRows[kTx]->GetCheck(i) == 1 ? 1 : 0;
        p.rx = both || (p.tx == 0 && m_pRows[kRx]->GetCheck(i) == 1) ? 1 : 0;
        p.trunk = m_logic.TrunkOf(port);
        p.checked = p.trunk == 0 ? 1 : 0;
        anySource = anySource || p.tx != 0 || p.rx != 0;
    }
    if (!anySource) {
        AfxMessageBox("Must at least select one source port.");
        OnRefresh();
        return;
    }
    if (m_logic.CheckTrunkModes() == 0) {
        AfxMessageBox("Must select whole ports of the aggregated link with the same Sniffer Mode to source port.");
        OnRefresh();
        return;
    }
    m_logic.SetSettings(m_logic.m_strPrevState, "1", target);
    OnRefresh();
}
