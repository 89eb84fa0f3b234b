#include "features/vlan/CameraVlanSetting.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "core/DeviceProfile.h"
#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/SurveillanceVlanDialogsIds.h"

using namespace camera_vlan_ids;

namespace {
const std::string kPrivate = "1.3.6.1.4.1.32473.10.76.21.1.";
const std::string kState = kPrivate + "26.1.1.0";
const std::string kVid = kPrivate + "26.1.2.0";
const std::string kPriority = kPrivate + "26.1.3.0";
const std::string kPorts = kPrivate + "26.1.4.0";
const std::string kOuiEntry = kPrivate + "26.2.1.1.";  // + column + instance
const std::string kAsymmetric = kPrivate + "7.5.0";
const std::string kVoiceState = kPrivate + "21.1.2.0";
const std::string kVoiceVid = kPrivate + "21.1.3.0";
const std::string kVoiceOuiEntry = kPrivate + "21.2.1.1.";
const std::string kVlanNames = kPrivate + "7.6.1.1";

constexpr int kColumnMac = 3;
constexpr DWORD kSettleMs = 50;

const char* const kComponentTypes[] = {
    "Video Management Server", "VMS client/Remote viewer",      "Video Encoder",
    "Network Storage",         "Other IP Surveillance Devices", "Derari Surveillance Device"};
constexpr int kUserComponentTypes = 5;  // codes 0-4 are offered; 5 marks the built-in entries

std::string ComponentText(const std::string& code) {
    for (int i = 0; i < static_cast<int>(std::size(kComponentTypes)); ++i) {
        if (code == std::to_string(i)) return kComponentTypes[i];
    }
    return code;
}

std::string MacColumnText(const std::string& bytes) {
    const std::string text = CUtils::MacBytesToText(bytes);
    if (text == "06-3C-91-00-00-00") return "06-3C-91-0X-XX-XX";
    if (text == "06-5A-2E-00-00-00") return "06-5A-2E-XX-XX-XX";
    return text;
}

// The first three bytes as six hexadecimal digits in capitals.
std::string OuiPrefix(const std::string& bytes) {
    std::string text = CUtils::MacBytesToText(bytes).substr(0, 8);  // "06-3C-91"
    text.erase(std::remove(text.begin(), text.end(), '-'), text.end());
    return text;
}
}  // namespace

BEGIN_MESSAGE_MAP(CCameraVlanSetting, CFeatureDialog)
    ON_BN_CLICKED(IDC_ENABLE, OnEnableClicked)
    ON_CBN_SELCHANGE(IDC_MODE, OnModeChange)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_ADD, OnAdd)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_CLOSE, OnClose)
END_MESSAGE_MAP()

CCameraVlanSetting::CCameraVlanSetting(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

bool CCameraVlanSetting::ReadsRunning() const {
    return m_cCommonSNMPTableVlan.Running() || m_cCommonSNMPGet.Running() || m_cCommonSNMPTable.Running() ||
           m_cCommonSNMPVoiceOui.Running() || m_module.TrunkWalkRunning();
}

BOOL CCameraVlanSetting::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    CComboBox& priority = Item(IDC_PRIORITY);
    for (int p = 0; p <= 7; ++p) priority.AddString(std::to_string(p));
    // A selection from the start: Apply never sends a priority the list does not hold.
    priority.SetCurSel(0);
    CComboBox& component = Item(IDC_COMPONENT);
    for (int code = 0; code < kUserComponentTypes; ++code) component.AddString(kComponentTypes[code]);
    component.SetCurSel(0);
    CListCtrl& list = Item(IDC_LIST);
    const std::pair<const char*, int> columns[] = {
        {"ID", 50}, {"Component Type", 200}, {"Description", 200}, {"MAC Address", 200}};
    int column = 0;
    for (const auto& [heading, width] : columns) list.InsertColumn(column++, heading, LVCFMT_CENTER, width);
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    Item(IDC_MODE).AddString("MAC");
    Item(IDC_MODE).AddString("OUI");
    Item(IDC_MODE).SetCurSel(0);
    Item(IDC_MAC).LimitText(17);
    Item(IDC_DESCRIPTION).LimitText(20);
    try {
        m_ports.assign(
            std::max<size_t>(static_cast<size_t>(std::max(g_nDevicePortNum, 0)), m_module.m_TrunkPorts.size()), 0);
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    m_strState = "2";
    Refresh();
    return TRUE;
}

BOOL CCameraVlanSetting::DestroyWindow() {
    OutputDebugStringA("==================DestroyWindow===============");
    return CFeatureDialog::DestroyWindow();
}

void CCameraVlanSetting::CloseSessions() {
    m_cCommonSNMP.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugStringA("==================m_cCommonSNMPSet.Close===============");
    m_cCommonSNMPGet.Close();
    OutputDebugStringA("==================m_cCommonSNMPGet.Close===============");
    m_cCommonSNMPTable.Close();
    OutputDebugStringA("==================m_cCommonSNMPTable.Close===============");
    m_cCommonSNMPTableVlan.Close();
    OutputDebugStringA("==================m_cCommonSNMPTable.Close===============");
    m_cCommonSNMPVoiceOui.Close();
}

void CCameraVlanSetting::OnRefresh() { Refresh(); }

void CCameraVlanSetting::OnClose() { OnCancel(); }

void CCameraVlanSetting::Refresh() {
    m_bEntryWalkDone = false;
    m_bSurveillanceShown = false;
    m_module.ReadTrunkPorts();

    m_arrVlanId.clear();
    m_cCommonSNMPTableVlan.Start(
        SnmpReadSpec::Walk({kVlanNames}), [this](const SnmpRow& row) { OnVlanRow(row); },
        [this](const SnmpReadResult& result) { OnVlanWalkEnd(result); });

    const SnmpAnswer other = SnmpGet(m_cCommonSNMP, {kAsymmetric, kVoiceState, kVoiceVid});
    if (other.Ok()) {
        m_read.asymmetric = other.Text(0) == "1" ? 1 : 2;
        m_read.voiceState = other.Text(1) == "1" ? 1 : 2;
        m_read.voiceVid = std::atoi(other.Text(2).c_str());
    }

    Item(IDC_LIST).DeleteAllItems();
    EnableWalkButtons(FALSE);
    m_cCommonSNMPTable.Start(
        SnmpReadSpec::Walk({kOuiEntry + "4", kOuiEntry + "2", kOuiEntry + "1", kOuiEntry + "5"}),
        [this](const SnmpRow& row) { OnEntryRow(row); }, [this](const SnmpReadResult&) { OnEntryWalkEnd(); });

    m_arrVoicePrefix.clear();
    m_arrVoiceType.clear();
    m_cCommonSNMPVoiceOui.Start(
        SnmpReadSpec::Walk({kVoiceOuiEntry + "1", kVoiceOuiEntry + "4"}),
        [this](const SnmpRow& row) { OnVoiceOuiRow(row); }, [](const SnmpReadResult&) {});
}

void CCameraVlanSetting::OnVlanRow(const SnmpRow& row) { m_arrVlanId.push_back(row.IndexDigits()); }

void CCameraVlanSetting::OnVlanWalkEnd(const SnmpReadResult& result) {
    // Only the end of the table: after a time-out the settings keep their display.
    if (result.end == SnmpReadEnd::Complete) ReadSurveillance();
}

void CCameraVlanSetting::ReadSurveillance() {
    m_cCommonSNMPGet.Start(
        SnmpReadSpec::Get({kState, kVid, kPriority, kPorts}), [this](const SnmpRow& row) { OnSurveillanceRead(row); },
        [](const SnmpReadResult&) {});
}

void CCameraVlanSetting::OnSurveillanceRead(const SnmpRow& row) {
    m_strState = row.Text(0);
    const bool on = m_strState == "1";
    CheckDlgButton(IDC_ENABLE, on ? BST_CHECKED : BST_UNCHECKED);
    EnableSettings(on, false);
    Item(IDC_VID).SetWindowText(row.Text(1));
    // A priority the list does not hold keeps the selection it has.
    const int priority = std::atoi(row.Text(2).c_str());
    if (row.Has(2) && priority >= 0 && priority <= 7) Item(IDC_PRIORITY).SetCurSel(priority);
    // The switch may hold fewer bytes than the widest bitmap: only those it sent are read.
    const std::string& bitmap = row.Bytes(3);
    const std::string ports = CameraVlanPortList(bitmap.data(), static_cast<int>(bitmap.size()), g_nDevicePortNum);
    Item(IDC_PORTS).SetWindowText(ports);
    m_bSurveillanceShown = true;
    ApplyEntryEnabling();
}

void CCameraVlanSetting::OnEntryRow(const SnmpRow& row) {
    CListCtrl& list = Item(IDC_LIST);
    const int count = list.GetItemCount();
    char id[16];
    std::snprintf(id, sizeof id, "%d", count + 1);
    const int item = list.InsertItem(count, id);
    list.SetItemText(item, 1, ComponentText(row.Text(0)));
    std::string description;
    m_codeConvert.Utf8ToAnsi(row.Bytes(1).c_str(), description);
    list.SetItemText(item, 2, description);
    list.SetItemText(item, kColumnMac, MacColumnText(row.Bytes(2)));
}

void CCameraVlanSetting::OnEntryWalkEnd() {
    EnableWalkButtons(TRUE);
    m_bEntryWalkDone = true;
    ApplyEntryEnabling();
}

void CCameraVlanSetting::OnVoiceOuiRow(const SnmpRow& row) {
    m_arrVoicePrefix.push_back(OuiPrefix(row.Bytes(0)));
    m_arrVoiceType.push_back(row.Text(1));
}

void CCameraVlanSetting::ApplyEntryEnabling() {
    if (!m_bEntryWalkDone || !m_bSurveillanceShown) return;
    const BOOL on = m_strState == "1" ? TRUE : FALSE;
    Item(IDC_ADD).EnableWindow(on);
    Item(IDC_DELETE).EnableWindow(on);
}

void CCameraVlanSetting::EnableSettings(bool enable, bool withDelete) {
    const BOOL on = enable ? TRUE : FALSE;
    Item(IDC_PRIORITY).EnableWindow(on);
    Item(IDC_COMPONENT).EnableWindow(on);
    Item(IDC_DESCRIPTION).EnableWindow(on);
    Item(IDC_MAC).EnableWindow(on);
    Item(IDC_PORTS).EnableWindow(on);
    Item(IDC_VID).EnableWindow(on);
    Item(IDC_MODE).EnableWindow(on);
    if (withDelete) Item(IDC_DELETE).EnableWindow(on);
}

void CCameraVlanSetting::EnableWalkButtons(BOOL enable) {
    Item(IDC_ADD).EnableWindow(enable);
    Item(IDC_DELETE).EnableWindow(enable);
    Item(IDC_REFRESH).EnableWindow(enable);
}

void CCameraVlanSetting::OnEnableClicked() {
    const bool on = IsDlgButtonChecked(IDC_ENABLE) == BST_CHECKED;
    EnableSettings(on, false);
    Item(IDC_ADD).EnableWindow(on ? TRUE : FALSE);
}

void CCameraVlanSetting::OnModeChange() {
    Item(IDC_MAC).SetWindowText("");
    Item(IDC_MAC).LimitText(Item(IDC_MODE).GetCurSel() == 1 ? 8 : 17);
}

void CCameraVlanSetting::Refuse(const CameraVlanRefusal& refusal) {
    AfxMessageBox(refusal.text);
    if (refusal.reread) Refresh();
}

void CCameraVlanSetting::OnApply() {
    const std::string state = IsDlgButtonChecked(IDC_ENABLE) == BST_CHECKED ? "1" : "2";
    const int priority = std::max(Item(IDC_PRIORITY).GetCurSel(), 0);
    const std::string vidText = Item(IDC_VID).GetWindowText();
    const std::string portList = Item(IDC_PORTS).GetWindowText();
    const int vid = std::atoi(vidText.c_str());

    const CameraVlanRefusal refusal = CheckCameraVlanApply({vid, portList}, m_read);
    if (refusal.Refused()) return Refuse(refusal);
    std::fill(m_ports.begin(), m_ports.end(), 0);
    if (CUtils::ParsePortList(portList, m_ports.data()) == 0) return Refresh();
    // The aggregated links are judged on the walk this dialog's last refresh started.
    m_module.WaitTrunkPorts();
    if (m_module.CheckTrunkMembers(m_ports.data()) == 0) {
        return Refuse(
            {"If Link Aggregation member port is selected, it must have the same port list as Auto "
             "Surveillance VLAN Tagged Uplink/Downlink Port.",
             true});
    }
    const std::string bitmap = CUtils::PortFlagsToBitmap(m_ports.data());

    std::vector<SnmpSetVar> vars;
    if (state == "1") {
        if (std::find(m_arrVlanId.begin(), m_arrVlanId.end(), std::to_string(vid)) != m_arrVlanId.end()) {
            char question[200];
            std::snprintf(question, sizeof question,
                          "The VLAN ID %d already exists, still apply? \nIf yes, the original setting of VLAN %d "
                          "members will be removed.",
                          vid, vid);
            if (AfxMessageBox(question, MB_OKCANCEL | MB_ICONQUESTION) == IDCANCEL) return Refresh();
        }
        if (m_strState == "2" && g_strDeviceName.find_first_of("pP") != std::string::npos) {
            AfxMessageBox(
                "Switch will automatically turn on PoE function to all the member ports of surveillance VLAN, "
                "\nplease ensure all the member ports of surveillance VLAN connected to PoE power devices.");
        }
        vars.push_back(SnmpSetVar::Integer(kVid, vid));
        vars.push_back(SnmpSetVar::Integer(kPriority, priority));
        vars.push_back(SnmpSetVar::Octets(kPorts, bitmap));
    }
    vars.push_back(SnmpSetVar::Integer(kState, std::atoi(state.c_str())));
    if (SnmpSet(m_cCommonSNMPSet, vars).Ok()) {
        win::Sleep(kSettleMs);
        Refresh();
    }
}

void CCameraVlanSetting::OnAdd() {
    const int component = Item(IDC_COMPONENT).GetCurSel();
    const std::string description = Item(IDC_DESCRIPTION).GetWindowText();
    std::string address = Item(IDC_MAC).GetWindowText();
    const bool oui = Item(IDC_MODE).GetCurSel() == 1;
    if (oui) address += "-00-00-00";

    const std::string badDescription = CheckCameraOuiDescription(description);
    if (!badDescription.empty()) {
        AfxMessageBox(badDescription);
        return;
    }
    if (CUtils::ValidateMacInput(address, false) == 0) return;
    CameraOuiKnown known{m_arrVoicePrefix, m_arrVoiceType, {}};
    CListCtrl& list = Item(IDC_LIST);
    for (int row = 0; row < list.GetItemCount(); ++row) known.listed.push_back(list.GetItemText(row, kColumnMac));
    const std::string refusal = CheckCameraOuiEntry(address, known);
    if (!refusal.empty()) {
        AfxMessageBox(refusal);
        return;
    }

    const std::string instance = CUtils::MacToOidSuffix(address);
    SnmpSet(m_cCommonSNMP, {SnmpSetVar::Integer(kOuiEntry + "5" + instance, 4)});
    win::Sleep(kSettleMs);
    char utf8[128] = {};
    m_codeConvert.AnsiToUtf8(description, utf8, sizeof utf8);
    std::vector<SnmpSetVar> vars = {SnmpSetVar::Octets(kOuiEntry + "2" + instance, utf8),
                                    SnmpSetVar::Integer(kOuiEntry + "4" + instance, std::max(component, 0))};
    if (oui) vars.push_back(SnmpSetVar::Octets(kOuiEntry + "3" + instance, std::string("\xFF\xFF\xFF\0\0\0", 6)));
    if (SnmpSet(m_cCommonSNMP, vars).Ok()) {
        win::Sleep(kSettleMs);
        Refresh();
    }
    Item(IDC_DESCRIPTION).SetWindowText("");
    Item(IDC_MAC).SetWindowText("");
}

void CCameraVlanSetting::OnDelete() {
    CListCtrl& list = Item(IDC_LIST);
    POSITION pos = list.GetFirstSelectedItemPosition();
    if (pos == nullptr) {
        AfxMessageBox("Please Selecte the OUI Entry you would to delete");
        return;
    }
    const std::string mac = list.GetItemText(list.GetNextSelectedItem(pos), kColumnMac);
    if (IsBuiltInCameraOuiText(mac)) {
        AfxMessageBox("The default Surveillance OUI can not be deleted.");
        return;
    }
    if (SnmpSet(m_cCommonSNMP, {SnmpSetVar::Integer(kOuiEntry + "5" + CUtils::MacToOidSuffix(mac), 6)}).Ok()) {
        win::Sleep(kSettleMs);
        Refresh();
    }
}
