#include "features/vlan/KRVPVIDConfig.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "core/DeviceProfile.h"
#include "resources/templates/VlanDialogsIds.h"

using namespace vlanids;

namespace {
const std::string kPvidColumn = "1.3.6.1.4.1.32473.10.76.21.1.7.7.1.1";
constexpr UINT kAppIcon = 447;
constexpr int kFirstX = 25;
constexpr int kPitch = 40;
constexpr int kLabelTop = 65;
constexpr int kEditTop = 85;
constexpr int kRowStep = 45;

const LAYOUT_INFO kLayout[] = {
    {IDOK, 2, 100},
    {IDCANCEL, 2, 100},
    {IDC_PVID_REFRESH, 2, 100},
    {IDC_PVID_GROUP, 5, 100},
};

struct PortLayout {
    int perRow;
    int gap;
    int width;
    int height;
};

PortLayout LayoutFor(int ports) {
    switch (ports) {
    case 10: return {10, 0, 460, 255};
    case 16: return {8, 10, 450, 245};
    case 20: return {10, 0, 480, 245};
    case 24: return {12, 0, 545, 255};
    case 28: return {14, 0, 625, 255};
    case 48: return {12, 0, 545, 345};
    case 52: return {13, 0, 585, 345};
    default: break;
    }
    // Other counts: rows of up to 14, the window grown to hold them.
    const int perRow = std::clamp(ports, 1, 14);
    const int rows = (ports + perRow - 1) / perRow;
    return {perRow, 0, kFirstX * 2 + perRow * kPitch + 60, 165 + rows * kRowStep};
}
}  // namespace

BEGIN_MESSAGE_MAP(CKRVPVIDConfig, ClxDialog)
    ON_BN_CLICKED(IDC_PVID_REFRESH, OnRefresh)
    ON_CONTROL_RANGE(EN_CHANGE, IDC_PVID_EDIT_BASE + 1, IDC_PVID_EDIT_BASE + kMaxDevicePorts, OnPvidChange)
END_MESSAGE_MAP()

CKRVPVIDConfig::CKRVPVIDConfig(CWnd* parent) : ClxDialog(IDD_PVID, parent) {}

CKRVPVIDConfig::~CKRVPVIDConfig() = default;

bool CKRVPVIDConfig::ReadsRunning() const { return m_cCommonSNMPPvid.Running() || m_logic.m_bTrunkRead != 1; }

BOOL CKRVPVIDConfig::OnInitDialog() {
    ClxDialog::OnInitDialog();
    SetIcon(::LoadIcon(nullptr, kAppIcon), TRUE);
    m_nPortNum = std::clamp(g_nDevicePortNum, 0, kMaxDevicePorts);
    m_arrPvid.assign(static_cast<size_t>(m_nPortNum), 1);
    SetControlLayout(kLayout, static_cast<int>(std::size(kLayout)));
    CreatePortControls();
    Refresh();
    return TRUE;
}

void CKRVPVIDConfig::CreatePortControls() {
    const PortLayout layout = LayoutFor(m_nPortNum);
    MoveWindow(200, 200, layout.width, layout.height);
    for (int port = 1; port <= m_nPortNum; ++port) {
        const int column = (port - 1) % layout.perRow;
        const int row = (port - 1) / layout.perRow;
        const int x = kFirstX + column * (kPitch + layout.gap);
        auto label = std::make_unique<CStatic>();
        label->Create(std::to_string(port), SS_CENTER | SS_SUNKEN | WS_CHILD | WS_VISIBLE,
                      CRect(x, kLabelTop + row * kRowStep, x + kPitch, kLabelTop + row * kRowStep + 15), this,
                      static_cast<UINT>(IDC_PORT_LABEL_BASE + port));
        m_portControls.push_back(std::move(label));
        auto edit = std::make_unique<CEdit>();
        edit->Create(ES_NUMBER | ES_CENTER | WS_BORDER | WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                     CRect(x, kEditTop + row * kRowStep, x + kPitch, kEditTop + row * kRowStep + 20), this,
                     static_cast<UINT>(IDC_PVID_EDIT_BASE + port));
        m_portControls.push_back(std::move(edit));
    }
}

void CKRVPVIDConfig::Refresh() {
    // Apply waits for a complete read: the edits then show what every port holds.
    GetDlgItem(IDOK)->EnableWindow(FALSE);
    m_cCommonSNMPPvid.Start(
        SnmpReadSpec::Walk({kPvidColumn}), [this](const SnmpRow& row) { OnPvidRow(row); },
        [this](const SnmpReadResult& result) { OnPvidReadEnd(result); });
    m_logic.GetTrunkPorts();
}

void CKRVPVIDConfig::OnRefresh() { Refresh(); }

void CKRVPVIDConfig::OnPvidRow(const SnmpRow& row) {
    // The port is the row's index; an index of no port of this model is left out.
    const int port = std::atoi(row.IndexDigits().c_str());
    if (port < 1 || port > m_nPortNum) return;
    m_arrPvid[static_cast<size_t>(port - 1)] = row.Number(0);
}

void CKRVPVIDConfig::OnPvidReadEnd(const SnmpReadResult& result) {
    if (!result.Complete()) return;
    for (int port = 1; port <= m_nPortNum; ++port) {
        SetDlgItemText(IDC_PVID_EDIT_BASE + port, std::to_string(m_arrPvid[static_cast<size_t>(port - 1)]));
    }
    GetDlgItem(IDOK)->EnableWindow(TRUE);
}

void CKRVPVIDConfig::OnPvidChange(UINT id) {
    const int port = static_cast<int>(id) - IDC_PVID_EDIT_BASE;
    if (port < 1 || port > m_nPortNum) return;
    m_arrPvid[static_cast<size_t>(port - 1)] = std::atoi(GetDlgItemText(static_cast<int>(id)).c_str());
}

void CKRVPVIDConfig::OnOK() {
    if (!GetDlgItem(IDOK)->IsWindowEnabled()) return;
    if (!m_logic.CheckTrunkPvid(m_arrPvid.data(), m_logic.m_TrunkPorts.data())) return;
    if (!m_logic.CheckPvid(m_arrPvid.data(), m_pVlanHead)) return;
    // A write the switch did not take leaves the dialog open; Apply starts again at port 1.
    if (m_logic.SetPvid(m_arrPvid.data())) EndDialog(IDOK);
}

BOOL CKRVPVIDConfig::DestroyWindow() {
    // The window goes first: a late row then finds no edit to fill.
    const BOOL result = ClxDialog::DestroyWindow();
    m_cCommonSNMPPvid.Close();
    m_logic.Close();
    return result;
}
