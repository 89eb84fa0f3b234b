#include "features/security/AddARPEntry.h"

#include <algorithm>

#include "core/DeviceProfile.h"
#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/ARPSpoofDialogsIds.h"

using namespace arp_entry_ids;

namespace {
constexpr UINT kAppIcon = 447;
constexpr int kMacChars = 17;
constexpr int kLastBoxId = IDC_PORT_BOX_BASE + kMaxPorts;
}  // namespace

BEGIN_MESSAGE_MAP(CAddARPEntry, ClxDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_CANCEL, OnCancel)
    ON_BN_CLICKED(IDC_ALL_PORTS, OnAllPorts)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_PORT_BOX_BASE + 1, kLastBoxId, OnPortBox)
END_MESSAGE_MAP()

CAddARPEntry::CAddARPEntry(CWnd* parent) : ClxDialog(IDD, parent) {}

BOOL CAddARPEntry::OnInitDialog() {
    ClxDialog::OnInitDialog();
    SetIcon(::LoadIcon(nullptr, kAppIcon), TRUE);
    m_nPorts = std::clamp(g_nDevicePortNum, 0, kMaxPorts);
    // As long as the per-port helpers read, whatever the port count.
    m_portSelect.assign(static_cast<size_t>(std::max(kMaxDevicePorts, m_nPorts)), 0);
    auto* mac = static_cast<CEdit*>(GetDlgItem(IDC_MAC));
    mac->LimitText(kMacChars);
    mac->SetWindowText("");
    CreatePortBoxes();
    FitToPortBoxes();
    // The trunk rule of Apply waits for this walk's end.
    m_logic.ReadTrunkPorts();
    return TRUE;
}

BOOL CAddARPEntry::DestroyWindow() {
    const BOOL result = ClxDialog::DestroyWindow();
    m_logic.Close();
    return result;
}

CRect CAddARPEntry::ItemRect(int id) const {
    CRect rect;
    if (CWnd* item = GetDlgItem(id)) {
        item->GetWindowRect(rect);
        ScreenToClient(rect);
    }
    return rect;
}

void CAddARPEntry::CreatePortBoxes() {
    if (m_nPorts == 0) return;
    // One row; 48 and 52 ports in two rows of 24 or 26, the second 40 lower.
    const int perRow = m_nPorts >= 48 ? m_nPorts / 2 : m_nPorts;
    const int gap = m_nPorts == 8 ? 35 : m_nPorts == 10 ? 25 : m_nPorts == 16 ? 4 : 0;
    const CRect ports = ItemRect(IDC_PORTS_LABEL);
    m_boxes.Create(this, m_nPorts, IDC_PORT_BOX_BASE, IDC_PORT_LABEL_BASE, [&](int port) {
        const int row = (port - 1) / perRow;
        const int k = (port - 1) % perRow;
        const int x = ports.left + 5 + k * (20 + gap);
        const int y = ports.bottom + 6 + row * 40;
        return CPortBoxes::Cell{CRect(x, y, x + 16, y + 17), CRect(x, y + 18, x + 16, y + 35)};
    });
}

void CAddARPEntry::FitToPortBoxes() {
    if (m_nPorts == 0) return;
    CWnd* lastBox = GetDlgItem(IDC_PORT_BOX_BASE + m_nPorts);
    if (lastBox == nullptr) return;
    const CRect box = ItemRect(IDC_PORT_BOX_BASE + m_nPorts);
    const CRect cancel = ItemRect(IDC_CANCEL);
    const CRect apply = ItemRect(IDC_APPLY);
    const int shift = box.right - cancel.right;
    const int top = box.bottom + 5;
    GetDlgItem(IDC_CANCEL)->MoveWindow(cancel.left + shift, top, cancel.Width(), cancel.Height());
    GetDlgItem(IDC_APPLY)->MoveWindow(apply.left + shift, top, apply.Width(), apply.Height());
    const CRect frame = ItemRect(IDC_GROUP);
    const int margin = frame.left;
    const int right = std::max(box.right, apply.right + shift) + margin;
    const int bottom = top + std::max(cancel.Height(), apply.Height()) + 10;
    GetDlgItem(IDC_GROUP)->MoveWindow(frame.left, frame.top, right - frame.left, bottom - frame.top);
    CRect window;
    GetWindowRect(window);
    CRect client;
    GetClientRect(client);
    SetWindowPos(nullptr, 0, 0, window.Width() - client.Width() + right + margin,
                 window.Height() - client.Height() + bottom + margin, SWP_NOMOVE | SWP_NOZORDER);
}

void CAddARPEntry::OnPortBox(UINT id) {
    const int port = static_cast<int>(id) - IDC_PORT_BOX_BASE;
    if (port < 1 || port > m_nPorts) return;
    m_portSelect[static_cast<size_t>(port - 1)] = m_boxes.GetCheck(port) == 1 ? 1 : 0;
}

void CAddARPEntry::OnAllPorts() {
    const int all = static_cast<CButton*>(GetDlgItem(IDC_ALL_PORTS))->GetCheck() == BST_CHECKED ? 1 : 0;
    for (int p = 1; p <= m_nPorts; ++p) {
        m_boxes.SetCheck(p, all);
        m_portSelect[static_cast<size_t>(p - 1)] = m_boxes.GetCheck(p) == 1 ? 1 : 0;
    }
}

std::string CAddARPEntry::AddressText() const {
    BYTE f[4] = {};
    static_cast<CIPAddressCtrl*>(GetDlgItem(IDC_IP))->GetAddress(f[0], f[1], f[2], f[3]);
    return std::to_string(f[0]) + "." + std::to_string(f[1]) + "." + std::to_string(f[2]) + "." + std::to_string(f[3]);
}

void CAddARPEntry::OnApply() {
    const std::string ip = AddressText();
    const std::string mac = GetDlgItem(IDC_MAC)->GetWindowText();
    const std::string bitmap = CUtils::PortFlagsToBitmap(m_portSelect.data());
    // Every refused address gets this text, multicast or not.
    if (CUtils::IsValidIPv4Host(ip) == 0) {
        AfxMessageBox("Multicast IP is not allowed");
        return;
    }
    // The format and broadcast checks show their own messages; a group address has its own.
    if (CUtils::ValidateMacInput(mac, true) == 0) return;
    const std::string macBytes = CARPSpoofLogic::MacBytes(mac);
    if ((static_cast<unsigned char>(macBytes[0]) & 1) != 0) {
        AfxMessageBox("Multicast MAC address is not allowed.");
        return;
    }
    if (bitmap.find_first_not_of('\0') == std::string::npos) {
        AfxMessageBox("Invalid Port Number");
        return;
    }
    // The rule judges the whole trunk table: a walk still running is waited for.
    m_logic.WaitTrunkPorts();
    if (m_logic.CheckTrunkMembers(m_portSelect.data()) == 0) {
        AfxMessageBox("ARP Spoofing Prevention enabled port must match to the aggregated link port.");
        return;
    }
    if (AfxMessageBox("Make sure the host IP and MAC exists or you will lose the connection.",
                      MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDOK)
        return;
    m_logic.CreateGateway(ip, macBytes, bitmap);
    GetDlgItem(IDC_MAC)->SetWindowText("");
    EndDialog(IDOK);
}
