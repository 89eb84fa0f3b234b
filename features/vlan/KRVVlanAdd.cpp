#include "features/vlan/KRVVlanAdd.h"

#include <algorithm>
#include <cstdlib>

#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/VlanDialogsIds.h"

using namespace vlanids;

namespace {
constexpr UINT kAppIcon = 447;
constexpr int kColumnWidth = 17;
constexpr int kLabelHeight = 15;
constexpr int kBoxHeight = 20;
constexpr int kBlockOffset = 35;  // the second block of 48 and 52 ports lies this much lower
constexpr int kRowPitch = 26;     // from one membership row to the next (one block)
constexpr std::size_t kMaxVidChars = 4;
constexpr std::size_t kMaxNameChars = 20;

const LAYOUT_INFO kLayout[] = {
    {IDOK, 2, 100},
    {IDCANCEL, 2, 100},
    {IDC_NAME_GROUP, 3, 100},
    {IDC_MEMBER_GROUP, 5, 100},
    {IDC_FORBIDDEN_CAPTION, 1, 50},
    {IDC_UNTAGGED_CAPTION, 1, 50},
    {IDC_NOT_MEMBER_CAPTION, 1, 70},
};

struct PortLayout {
    int gap;    // between two columns
    int width;  // window size, 0 when the template's size stays
    int height;
};

PortLayout LayoutFor(int ports) {
    switch (ports) {
    case 8: return {38, 500, 320};
    case 10: return {29, 0, 0};
    case 16: return {11, 0, 0};
    case 20: return {5, 550, 350};
    case 24: return {2, 0, 0};
    case 28: return {0, 570, 360};
    case 48: return {0, 530, 400};
    case 52: return {0, 550, 440};
    default: return {0, 0, 0};
    }
}

// A bitmap as the debugger lines show it: two lower-case digits a byte.
std::string HexText(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char b : bytes) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 0x0F];
    }
    return hex;
}

CRect ItemRect(const CWnd& dialog, int id) {
    CRect r;
    if (CWnd* item = dialog.GetDlgItem(id)) {
        item->GetWindowRect(r);
        dialog.ScreenToClient(r);
    }
    return r;
}
}  // namespace

BEGIN_MESSAGE_MAP(CKRVVlanAdd, ClxDialog)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_TAGGED_BASE + 1, IDC_TAGGED_BASE + kMaxVlanPorts, OnTagged)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_UNTAGGED_BASE + 1, IDC_UNTAGGED_BASE + kMaxVlanPorts, OnUntagged)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_NOT_MEMBER_BASE + 1, IDC_NOT_MEMBER_BASE + kMaxVlanPorts, OnNotMember)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_FORBIDDEN_BASE + 1, IDC_FORBIDDEN_BASE + kMaxVlanPorts, OnForbidden)
    ON_EN_CHANGE(IDC_VID, OnVidChange)
    ON_EN_CHANGE(IDC_VLAN_NAME, OnNameChange)
END_MESSAGE_MAP()

CKRVVlanAdd::CKRVVlanAdd(CWnd* parent) : ClxDialog(IDD_VLAN_ADD, parent) {}

CKRVVlanAdd::~CKRVVlanAdd() = default;

BOOL CKRVVlanAdd::OnInitDialog() {
    ClxDialog::OnInitDialog();
    SetIcon(::LoadIcon(nullptr, kAppIcon), TRUE);
    m_nPortNum = std::clamp(m_nPortNum, 0, kMaxVlanPorts);
    if (m_bAddMode) {
        SetWindowText("Add VLAN");
    } else {
        SetWindowText("Edit VLAN");
        GetDlgItem(IDC_VID)->EnableWindow(FALSE);
        if (m_nVid == 1) GetDlgItem(IDC_VLAN_NAME)->EnableWindow(FALSE);
    }
    static_cast<CEdit*>(GetDlgItem(IDC_VLAN_NAME))->LimitText(static_cast<int>(kMaxNameChars));

    const size_t ports = static_cast<size_t>(m_nPortNum);
    m_arrEgress.assign(ports, 0);
    m_arrUntagged.assign(ports, 0);
    m_arrNotMember.assign(ports, 1);
    m_arrForbidden.assign(ports, 0);
    m_logic.Init();

    SetControlLayout(kLayout, static_cast<int>(std::size(kLayout)));
    CreatePortControls();

    if (!m_bAddMode) {
        if (const VlanEntry* entry = CVlanAddLogic::FindVlan(m_pVlanHead, m_nVid)) {
            m_strName = entry->strName;
            m_logic.FillPortFlags(*entry, m_arrEgress.data(), m_arrUntagged.data(), m_arrNotMember.data(),
                                  m_arrForbidden.data());
        }
        SetDlgItemText(IDC_VID, std::to_string(m_nVid));
        SetDlgItemText(IDC_VLAN_NAME, m_strName);
    }
    ShowFlags();
    m_strUntaggedPorts = CVlanAddLogic::GetAllUntaggedPorts(m_pVlanHead);
    return TRUE;
}

void CKRVVlanAdd::CreatePortControls() {
    const PortLayout layout = LayoutFor(m_nPortNum);
    if (layout.width > 0) MoveWindow(200, 200, layout.width, layout.height);
    const bool twoBlocks = m_nPortNum > 28;
    const int perBlock = twoBlocks ? (m_nPortNum + 1) / 2 : m_nPortNum;
    const int rowPitch = twoBlocks ? kRowPitch + kBlockOffset : kRowPitch;

    // The captions stand one under the other in the member group; each port is a column to
    // their right, its number above the Tagged row.
    const CRect group = ItemRect(*this, IDC_MEMBER_GROUP);
    const CRect caption = ItemRect(*this, IDC_TAGGED_CAPTION);
    const int firstRowTop = group.top + 20 + kLabelHeight + 4;
    const int captionIds[] = {IDC_TAGGED_CAPTION, IDC_UNTAGGED_CAPTION, IDC_NOT_MEMBER_CAPTION, IDC_FORBIDDEN_CAPTION};
    for (int row = 0; row < 4; ++row) {
        GetDlgItem(captionIds[row])
            ->MoveWindow(caption.left, firstRowTop + row * rowPitch, caption.Width(), caption.Height());
    }
    const int left = caption.left + std::max(caption.Width(), 70) + 6;
    const int rowBases[] = {IDC_TAGGED_BASE, IDC_UNTAGGED_BASE, IDC_NOT_MEMBER_BASE, IDC_FORBIDDEN_BASE};
    for (int port = 1; port <= m_nPortNum; ++port) {
        const int block = (port - 1) / perBlock;
        const int x = left + ((port - 1) % perBlock) * (kColumnWidth + layout.gap);
        const int y = firstRowTop + block * kBlockOffset;
        auto label = std::make_unique<CStatic>();
        label->Create(std::to_string(port), SS_CENTER | SS_SUNKEN | WS_CHILD | WS_VISIBLE,
                      CRect(x, y - kLabelHeight - 2, x + kColumnWidth, y - 2), this,
                      static_cast<UINT>(IDC_PORT_LABEL_BASE + port));
        m_portControls.push_back(std::move(label));
        for (int row = 0; row < 4; ++row) {
            const bool hidden = rowBases[row] == IDC_FORBIDDEN_BASE;
            const int top = y + row * rowPitch;
            auto box = std::make_unique<CButton>();
            box->Create("", BS_AUTOCHECKBOX | WS_CHILD | WS_TABSTOP | (hidden ? 0 : WS_VISIBLE),
                        CRect(x, top, x + kColumnWidth, top + kBoxHeight), this,
                        static_cast<UINT>(rowBases[row] + port));
            m_portControls.push_back(std::move(box));
        }
    }
}

int CKRVVlanAdd::BoxId(Row row, int port) const {
    switch (row) {
    case Row::Tagged: return IDC_TAGGED_BASE + port;
    case Row::Untagged: return IDC_UNTAGGED_BASE + port;
    case Row::NotMember: return IDC_NOT_MEMBER_BASE + port;
    case Row::Forbidden: break;
    }
    return IDC_FORBIDDEN_BASE + port;
}

void CKRVVlanAdd::ShowFlags() {
    for (int port = 1; port <= m_nPortNum; ++port) {
        const size_t i = static_cast<size_t>(port - 1);
        CheckDlgButton(BoxId(Row::Untagged, port), m_arrUntagged[i] ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(BoxId(Row::Tagged, port), m_arrEgress[i] && !m_arrUntagged[i] ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(BoxId(Row::NotMember, port), m_arrNotMember[i] ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(BoxId(Row::Forbidden, port), m_arrForbidden[i] ? BST_CHECKED : BST_UNCHECKED);
    }
}

int CKRVVlanAdd::ClickedPort(UINT id, int base) {
    if (!IsDlgButtonChecked(static_cast<int>(id))) {
        CheckDlgButton(static_cast<int>(id), BST_CHECKED);
        return 0;
    }
    const int port = static_cast<int>(id) - base;
    return port >= 1 && port <= m_nPortNum ? port : 0;
}

void CKRVVlanAdd::SetMembership(int port, Row row) {
    const size_t i = static_cast<size_t>(port - 1);
    m_arrEgress[i] = row == Row::Tagged || row == Row::Untagged ? 1 : 0;
    m_arrUntagged[i] = row == Row::Untagged ? 1 : 0;
    m_arrNotMember[i] = row == Row::NotMember ? 1 : 0;
    m_arrForbidden[i] = row == Row::Forbidden ? 1 : 0;
    for (Row other : {Row::Tagged, Row::Untagged, Row::NotMember, Row::Forbidden}) {
        if (other != row) CheckDlgButton(BoxId(other, port), BST_UNCHECKED);
    }
}

void CKRVVlanAdd::OnTagged(UINT id) {
    const int port = ClickedPort(id, IDC_TAGGED_BASE);
    if (port == 0) return;
    // A port leaving this VLAN's untagged set may be made untagged again in symmetric mode.
    if (!m_bAddMode && m_arrUntagged[static_cast<size_t>(port - 1)]) {
        CVlanAddLogic::RemovePortFromList(port, m_strUntaggedPorts);
    }
    SetMembership(port, Row::Tagged);
}

void CKRVVlanAdd::OnUntagged(UINT id) {
    const int port = ClickedPort(id, IDC_UNTAGGED_BASE);
    if (port == 0) return;
    // In symmetric mode a port sends untagged in one VLAN only.
    if (m_nAsymmetric == 2 && CVlanAddLogic::IsPortNotInList(port, m_strUntaggedPorts) == 0) {
        CheckDlgButton(static_cast<int>(id), BST_UNCHECKED);
        return;
    }
    SetMembership(port, Row::Untagged);
}

void CKRVVlanAdd::OnNotMember(UINT id) {
    const int port = ClickedPort(id, IDC_NOT_MEMBER_BASE);
    if (port == 0) return;
    if (!m_bAddMode && m_arrUntagged[static_cast<size_t>(port - 1)]) {
        CVlanAddLogic::RemovePortFromList(port, m_strUntaggedPorts);
    }
    SetMembership(port, Row::NotMember);
}

void CKRVVlanAdd::OnForbidden(UINT id) {
    const int port = ClickedPort(id, IDC_FORBIDDEN_BASE);
    if (port != 0) SetMembership(port, Row::Forbidden);
}

void CKRVVlanAdd::CutText(int id, std::size_t maxChars) {
    const std::string text = GetDlgItemText(id);
    if (text.size() <= maxChars) return;
    auto* edit = static_cast<CEdit*>(GetDlgItem(id));
    int start = 0;
    int end = 0;
    edit->GetSel(start, end);
    SetDlgItemText(id, text.substr(0, maxChars));
    const int caret = std::min(start, static_cast<int>(maxChars));
    edit->SetSel(caret, caret);
}

void CKRVVlanAdd::OnVidChange() { CutText(IDC_VID, kMaxVidChars); }
void CKRVVlanAdd::OnNameChange() { CutText(IDC_VLAN_NAME, kMaxNameChars); }

void CKRVVlanAdd::OnOK() {
    const std::string vidText = GetDlgItemText(IDC_VID);
    const int vid = std::atoi(vidText.c_str());
    if (m_bAddMode && !CVlanAddLogic::CheckVlanId(m_pVlanHead, vid)) return;
    m_strName = GetDlgItemText(IDC_VLAN_NAME).substr(0, VlanEntry::kMaxName);
    if (m_strName.empty()) {
        AfxMessageBox("Vlan name is not allow empty.");
        return;
    }
    if (!CUtils::HasNoSpecialChars(m_strName)) {
        AfxMessageBox("Invalid Vlan name.");
        return;
    }
    if (!m_logic.CheckTrunkPorts(m_arrEgress.data()) || !m_logic.CheckTrunkPorts(m_arrUntagged.data()) ||
        !m_logic.CheckTrunkPorts(m_arrForbidden.data())) {
        return;
    }
    if (!m_bAddMode && std::none_of(m_arrEgress.begin(), m_arrEgress.end(), [](int f) { return f != 0; })) {
        bool othersHaveMembers = false;
        for (const VlanEntry* e = m_pVlanHead; e != nullptr; e = e->pNext.get()) {
            if (e->nVid != vid && e->nEgressCount != 0) othersHaveMembers = true;
        }
        if (!othersHaveMembers) {
            AfxMessageBox("You have to include at least one member in the vlan");
            return;
        }
    }
    WriteVlan(vidText);
    EndDialog(IDOK);
}

void CKRVVlanAdd::WriteVlan(const std::string& vid) {
    m_logic.SetVlanRowStatus(vid, m_bAddMode);
    // For any VLAN but 1 every port is first made a member, so the untagged set can be written
    // whatever the members were; the egress write then reduces the set to the chosen ports.
    bool allPortsWritten = false;
    bool untaggedAllowed = true;
    if (vid != "1") {
        const std::vector<int> all(static_cast<size_t>(m_nPortNum), 1);
        allPortsWritten = m_logic.SetPortList(m_logic.BitmapOf(all.data()), vid, CVlanAddLogic::kEgress) == 0;
        untaggedAllowed = allPortsWritten;
    }
    bool membersWritten = true;
    if (untaggedAllowed) {
        const std::string untagged = m_logic.BitmapOf(m_arrUntagged.data());
        membersWritten = m_logic.SetPortList(untagged, vid, CVlanAddLogic::kUntagged) == 0;
        OutputDebugStringA((" ======szUntagged========== " + HexText(untagged)).c_str());
    }
    if (!untaggedAllowed || membersWritten) {
        const std::string egress = m_logic.BitmapOf(m_arrEgress.data());
        membersWritten = m_logic.SetPortList(egress, vid, CVlanAddLogic::kEgress) == 0;
        OutputDebugStringA((" ======szPortList========== " + HexText(egress)).c_str());
    }
    // Activating now would leave every port a member of the VLAN: the row stays as it is.
    if (allPortsWritten && !membersWritten) return;
    m_logic.SetPortList(m_logic.BitmapOf(m_arrForbidden.data()), vid, CVlanAddLogic::kForbidden);
    m_logic.SetVlanName(vid, m_strName);
}

BOOL CKRVVlanAdd::DestroyWindow() {
    OutputDebugStringA("==================DestroyWindow===============");
    const BOOL result = ClxDialog::DestroyWindow();
    m_logic.Close();
    return result;
}
