#include "features/ports/StaticMACDlg.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/DeviceProfile.h"
#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "platform/win/Clock.h"
#include "resources/templates/StaticMacDialogsIds.h"

using namespace static_mac_ids;

namespace {
constexpr int kMaxEntries = 256;
constexpr DWORD kVlanWaitMs = 500;
constexpr int kColumnPort = 1;
constexpr int kColumnMac = 2;
constexpr int kColumnVid = 3;
const char* const kNeedUplink = "Please choose at least one uplink port when disabling auto learning.";

bool SameText(std::string a, std::string b) {
    auto lower = [](std::string& s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    };
    lower(a);
    lower(b);
    return a == b;
}
}  // namespace

BEGIN_MESSAGE_MAP(CStaticMACDlg, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_ADD, OnAdd)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_LEARN_ENABLED, OnLearnEnabled)
    ON_BN_CLICKED(IDC_LEARN_DISABLED, OnLearnDisabled)
    ON_MESSAGE(WM_STATIC_MAC, OnStaticMac)
END_MESSAGE_MAP()

CStaticMACDlg::CStaticMACDlg(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CStaticMACDlg::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_LIST, this);
    const std::pair<const char*, int> columns[] = {{"ID", 80}, {"Port", 100}, {"MAC Address", 200}, {"VID", 140}};
    int column = 0;
    for (const auto& [heading, width] : columns) m_list.InsertColumn(column++, heading, LVCFMT_CENTER, width);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int port = 1; port <= g_nDevicePortNum; ++port) Item(IDC_PORT).AddString(std::to_string(port));
    Item(IDC_PORT).SetCurSel(0);
    Item(IDC_MAC).LimitText(17);
    m_logic.m_hWndOwner = GetSafeHwnd();
    OnRefresh();
    return TRUE;
}

void CStaticMACDlg::EnableButtons(BOOL enable) {
    Item(IDC_ADD).EnableWindow(enable);
    Item(IDC_DELETE).EnableWindow(enable);
    Item(IDC_REFRESH).EnableWindow(enable);
}

void CStaticMACDlg::OnRefresh() {
    EnableButtons(FALSE);
    // The VLAN ids are those the VLAN walk has delivered within the pause.
    m_logic.ReadVlanTable();
    win::Sleep(kVlanWaitMs);
    CComboBox& vids = Item(IDC_VID);
    vids.ResetContent();
    for (size_t i = 0; i < m_logic.m_arrVlanId.size() && i < m_logic.m_arrVlanStatus.size(); ++i) {
        if (m_logic.m_arrVlanStatus[i] == "1") vids.AddString(m_logic.m_arrVlanId[i]);
    }
    vids.SetCurSel(0);

    m_logic.GetAutoLearning();
    const bool learning = m_logic.m_strAutoLearn == "1";
    CheckDlgButton(IDC_LEARN_ENABLED, learning ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_LEARN_DISABLED, learning ? BST_UNCHECKED : BST_CHECKED);
    Item(IDC_UPLINK).SetWindowText(m_logic.m_strUplinkPorts);
    Item(IDC_UPLINK).EnableWindow(learning ? TRUE : FALSE);

    m_list.DeleteAllItems();
    m_logic.GetStaticMacTable();
    m_logic.ReadTrunkPorts();
}

LRESULT CStaticMACDlg::OnStaticMac(WPARAM wParam, LPARAM lParam) {
    if (wParam == kStaticMacEnd) {
        EnableButtons(TRUE);
        return 0;
    }
    if (wParam != kStaticMacRow || lParam == 0) return 0;
    const auto& entry = *reinterpret_cast<const StaticMacEntry*>(lParam);
    const int count = m_list.GetItemCount();
    const int row = m_list.InsertItem(count, std::to_string(count + 1));
    m_list.SetItemText(row, kColumnPort, entry.strPort);
    m_list.SetItemText(row, kColumnMac, entry.strMac);
    m_list.SetItemText(row, kColumnVid, entry.strVid);
    return 0;
}

void CStaticMACDlg::OnLearnEnabled() { Item(IDC_UPLINK).EnableWindow(TRUE); }

void CStaticMACDlg::OnLearnDisabled() { Item(IDC_UPLINK).EnableWindow(FALSE); }

void CStaticMACDlg::ResetAddInputs() {
    Item(IDC_PORT).SetCurSel(0);
    Item(IDC_VID).SetCurSel(0);
    Item(IDC_MAC).SetWindowText("");
}

void CStaticMACDlg::OnAdd() {
    if (m_list.GetItemCount() == kMaxEntries) {
        AfxMessageBox("Only support 256  Static Mac entries.");
        ResetAddInputs();
        return;
    }
    const std::string mac = Item(IDC_MAC).GetWindowText();
    const std::string vid = Item(IDC_VID).GetWindowText();
    const std::string port = Item(IDC_PORT).GetWindowText();
    std::string asymmetric;
    m_logic.GetAsymmetricVlan(asymmetric);
    if (asymmetric == "1" && vid != "1") {
        AfxMessageBox("The VLAN ID must equal to 1 when asymmetric VLAN enable.");
        ResetAddInputs();
        return;
    }
    if (CUtils::ValidateMacInput(mac, false) == 0) {
        ResetAddInputs();
        return;
    }
    std::string systemMac;
    m_logic.GetSystemMac(systemMac);
    if (SameText(mac, systemMac)) {
        AfxMessageBox("Could not be device MAC.");
        return;
    }
    const int portNumber = std::atoi(port.c_str());
    if (m_logic.m_bTrunkRead == 1 && portNumber >= 1 && portNumber <= static_cast<int>(m_logic.m_TrunkPorts.size()) &&
        m_logic.m_TrunkPorts[static_cast<size_t>(portNumber - 1)] != 0) {
        AfxMessageBox("Cannot add  ports with different FDB-destination-hit configurations to an aggregated link.");
        ResetAddInputs();
        return;
    }
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        if (SameText(m_list.GetItemText(row, kColumnMac), mac) && m_list.GetItemText(row, kColumnVid) == vid) {
            AfxMessageBox("The entry is already in the Static MAC Address List.");
            ResetAddInputs();
            return;
        }
    }
    m_logic.SetStaticMac({vid, mac, port}, CStaticMACLogic::kAdd);
    ResetAddInputs();
    OnRefresh();
}

void CStaticMACDlg::OnDelete() {
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    if (pos == nullptr) {
        AfxMessageBox("Please select the entry to delete.");
        return;
    }
    if (IsDlgButtonChecked(IDC_LEARN_DISABLED) == BST_CHECKED && Item(IDC_UPLINK).GetWindowText().empty()) {
        AfxMessageBox(kNeedUplink);
        return;
    }
    const int row = m_list.GetNextSelectedItem(pos);
    m_logic.SetStaticMac({m_list.GetItemText(row, kColumnVid), m_list.GetItemText(row, kColumnMac),
                          m_list.GetItemText(row, kColumnPort)},
                         CStaticMACLogic::kDelete);
    OnRefresh();
}

void CStaticMACDlg::OnApply() {
    const bool enabled = IsDlgButtonChecked(IDC_LEARN_ENABLED) == BST_CHECKED;
    const std::string state = enabled ? "1" : "2";
    const std::string uplink = Item(IDC_UPLINK).GetWindowText();
    if (CUtils::HasNoSpecialCharsOrLetters(uplink) == 0) {
        AfxMessageBox("Invalid Portlist.");
        OnRefresh();
        return;
    }
    std::vector<int> uplinks(static_cast<size_t>(std::max(kMaxDevicePorts, g_nDevicePortNum)), 0);
    if (CUtils::ParsePortList(uplink, uplinks.data()) == 0) {
        OnRefresh();
        return;
    }
    for (size_t i = 0; i < m_logic.m_TrunkPorts.size(); ++i) {
        if (m_logic.m_TrunkPorts[i] != 0 && uplinks[i] == 0) {
            AfxMessageBox("Cannot add a Auto-learn disabled port to an aggregated link.");
            OnRefresh();
            return;
        }
    }
    if (enabled && m_list.GetItemCount() == 0 && uplink.empty()) {
        AfxMessageBox(kNeedUplink);
        OnRefresh();
        return;
    }
    m_logic.SetAutoLearning(state, uplink);
    OnRefresh();
}
