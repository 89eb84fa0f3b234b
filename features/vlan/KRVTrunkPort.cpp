#include "features/vlan/KRVTrunkPort.h"

#include <algorithm>
#include <cstdlib>

#include "core/DeviceProfile.h"
#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/TrunkDialogsIds.h"

using namespace trunk_member_ids;

namespace {
constexpr UINT kAppIcon = 447;
constexpr int kFirstX = 55;
constexpr int kBoxPitch = 17;
constexpr int kLabelTop = 125;
constexpr int kBoxTop = 140;
constexpr int kSecondRowOffset = 45;
constexpr int kMinMembers = 2;
constexpr int kMaxMembers = 8;

// On resizing, OK and Cancel follow the lower right corner, the member group grows both
// ways, the trunk group grows wider and the mode label and edit keep to its right end.
const LAYOUT_INFO kLayout[] = {
    {IDOK, 2, 100},           {IDCANCEL, 2, 100}, {IDC_MEMBER_GROUP, 5, 100}, {IDC_TRUNK_GROUP, 3, 100},
    {IDC_MODE_LABEL, 0, 100}, {IDC_MODE, 0, 100},
};

struct WindowSize {
    int ports, width, height;
};
constexpr WindowSize kWindowSizes[] = {
    {10, 520, 275}, {16, 447, 275}, {20, 550, 255}, {24, 550, 275}, {28, 580, 275}, {48, 520, 330}, {52, 560, 330},
};

struct BoxRows {
    int gap;     // extra horizontal room between two ports
    int perRow;  // ports in the first row; the rest form the second
};

BoxRows BoxRowsFor(int ports) {
    switch (ports) {
    case 10: return {25, ports};
    case 16: return {4, ports};
    case 20: return {6, ports};
    case 48: return {0, 24};
    case 52: return {0, 26};
    default: return {0, std::max(ports, 1)};
    }
}
}  // namespace

BEGIN_MESSAGE_MAP(CKRVTrunkPort, ClxDialog)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_PORT_CHECK_BASE, IDC_PORT_CHECK_BASE + kMaxPorts - 1, OnPortCheck)
END_MESSAGE_MAP()

CKRVTrunkPort::CKRVTrunkPort(CWnd* parent) : ClxDialog(IDD, parent) {}

CKRVTrunkPort::~CKRVTrunkPort() = default;

BOOL CKRVTrunkPort::OnInitDialog() {
    ClxDialog::OnInitDialog();
    SetIcon(::LoadIcon(nullptr, kAppIcon), TRUE);
    SetWindowText("Trunk member");
    m_nPortNum = std::max(g_nDevicePortNum, 0);
    m_PortChecked.assign(static_cast<size_t>(m_nPortNum), 0);
    SetControlLayout(kLayout, static_cast<int>(std::size(kLayout)));
    for (const WindowSize& size : kWindowSizes) {
        if (size.ports == m_nPortNum) MoveWindow(200, 200, size.width, size.height);
    }
    CreatePortCheckBoxes();

    // OK waits for every read: the checks then judge what the switch holds, not blanks.
    GetDlgItem(IDOK)->EnableWindow(FALSE);
    m_TrunkLogic.SetReadsEndedHandler([this] {
        if (GetSafeHwnd() != nullptr) GetDlgItem(IDOK)->EnableWindow(TRUE);
    });
    if (!m_TrunkLogic.Init()) {
        // Without the logic's data the checks cannot run: OK stays disabled.
        AfxMessageBox("TrunkValid Init Error !");
        return TRUE;
    }
    ShowTrunk();
    if (m_TrunkLogic.ReadsEnded()) GetDlgItem(IDOK)->EnableWindow(TRUE);
    return TRUE;
}

void CKRVTrunkPort::CreatePortCheckBoxes() {
    const int ports = std::min(m_nPortNum, kMaxPorts);
    const BoxRows rows = BoxRowsFor(m_nPortNum);
    for (int port = 1; port <= ports; ++port) {
        const bool second = (port - 1) / rows.perRow == 1;
        const int v = second ? kSecondRowOffset : 0;
        const int k = second ? port - 1 - rows.perRow : port - 1;
        const int x = kFirstX + k * (kBoxPitch + rows.gap);
        const UINT labelId = static_cast<UINT>(IDC_PORT_LABEL_BASE + port - 1);
        if (GetDlgItem(static_cast<int>(labelId)) == nullptr) {
            auto label = std::make_unique<CStatic>();
            label->Create(std::to_string(port), SS_CENTER | SS_SUNKEN | WS_CHILD,
                          CRect(x, kLabelTop + v, x + kBoxPitch, kLabelTop + 15 + v), this, labelId);
            label->ShowWindow(SW_SHOW);
            m_PortLabel.push_back(std::move(label));
        }
        const UINT boxId = static_cast<UINT>(IDC_PORT_CHECK_BASE + port - 1);
        if (GetDlgItem(static_cast<int>(boxId)) == nullptr) {
            auto box = std::make_unique<CButton>();
            box->Create("", BS_AUTOCHECKBOX | WS_CHILD | WS_TABSTOP, CRect(x, kBoxTop + v, x + 20, kBoxTop + 20 + v),
                        this, boxId);
            box->ShowWindow(SW_SHOW);
            m_PortCheck.push_back(std::move(box));
        }
    }
}

void CKRVTrunkPort::ShowTrunk() {
    SetDlgItemText(IDC_TRUNK_ID, m_strTrunkId);
    SetDlgItemText(IDC_MODE, m_strMode);
    ParseMemberList(m_strPortMember);
    const int ports = std::min(m_nPortNum, kMaxPorts);
    for (int port = 1; port <= ports; ++port) {
        CheckDlgButton(IDC_PORT_CHECK_BASE + port - 1,
                       m_PortChecked[static_cast<size_t>(port - 1)] ? BST_CHECKED : BST_UNCHECKED);
    }
}

void CKRVTrunkPort::ParseMemberList(const std::string& list) {
    std::fill(m_PortChecked.begin(), m_PortChecked.end(), 0);
    CUtils::PortListToArray(list, m_PortChecked.data(), 1);
}

void CKRVTrunkPort::OnPortCheck(UINT id) {
    const int port = static_cast<int>(id) - IDC_PORT_CHECK_BASE + 1;
    if (port < 1 || port > m_nPortNum) return;
    m_PortChecked[static_cast<size_t>(port - 1)] = IsDlgButtonChecked(static_cast<int>(id)) ? 1 : 0;
}

void CKRVTrunkPort::OnOK() {
    if (!GetDlgItem(IDOK)->IsWindowEnabled()) return;
    const std::string mode = GetDlgItemText(IDC_MODE) == "LACP" ? "1" : "2";
    const std::string trunk = GetDlgItemText(IDC_TRUNK_ID);
    const int chosen = static_cast<int>(std::count(m_PortChecked.begin(), m_PortChecked.end(), 1));
    if (chosen < kMinMembers) {
        AfxMessageBox("The mininum port members for an aggregated link is 2 !");
        return;
    }
    if (chosen > kMaxMembers) {
        AfxMessageBox("The maxinum port member for an aggregated link is exceeded !");
        return;
    }
    m_TrunkLogic.m_strTrunkMembers = m_strPortMember;
    m_TrunkLogic.m_pSelectPorts = m_PortChecked.data();
    const bool passed = m_TrunkLogic.CheckTrunkSelection();
    m_TrunkLogic.m_pSelectPorts = nullptr;
    if (!passed) {
        OutputDebugStringA("ture or faulse");
        return;
    }
    // Four ports a hexadecimal digit, port 1 first, padded to the bitmap's width.
    std::string members;
    CUtils::PortArrayToHexBitmap(m_PortChecked.data(), members);
    CUtils::PadPortBitmapHex(members);
    // The list re-reads what the switch holds, so a write that went wrong shows there.
    m_TrunkLogic.SetTrunk(mode, members, trunk);
    EndDialog(IDOK);
}

BOOL CKRVTrunkPort::DestroyWindow() {
    OutputDebugStringA("==================DestroyWindow===============");
    // The window goes first: a read ending now finds no OK button to enable.
    const BOOL result = ClxDialog::DestroyWindow();
    m_TrunkLogic.Close();
    return result;
}
