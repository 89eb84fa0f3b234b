#include "features/vlan/8021qVlanSet.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

#include "core/CodeConvert.h"
#include "core/Utils.h"
#include "features/vlan/KRVPVIDConfig.h"
#include "features/vlan/KRVVlanAdd.h"
#include "platform/ui/Prompt.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/VlanDialogsIds.h"
#include "core/DeviceProfile.h"
#include "core/ModuleStartupParams.h"

using namespace vlanids;

namespace {
const std::string kPrivate = "1.3.6.1.4.1.32473.10.76.21.1.";
const std::string kAsymmetric = kPrivate + "7.5.0";
const std::string kVlanTable = kPrivate + "7.6.1.";
const std::string kPvidColumn = kPrivate + "7.7.1.1";
const std::string kIpInterfaceVlan = kPrivate + "41.1.1.1.2";
const std::string kVoiceState = kPrivate + "21.1.2.0";
const std::string kVoiceVid = kPrivate + "21.1.3.0";
const std::string kSurveillanceState = kPrivate + "26.1.1.0";
const std::string kSurveillanceVid = kPrivate + "26.1.2.0";
constexpr UINT kAppIcon = 447;
constexpr int kMaxVlans = 256;

// The port numbers of a list within 1..ports, in their order.
std::vector<int> PortsOf(const std::string& list, int ports) {
    std::vector<int> numbers;
    std::stringstream in(list);
    for (std::string item; std::getline(in, item, ',');) {
        const int port = std::atoi(item.c_str());
        if (port >= 1 && port <= ports) numbers.push_back(port);
    }
    return numbers;
}

std::string Cut(std::string text, std::size_t max) {
    if (text.size() > max) text.resize(max);
    return text;
}

// One SET of one INTEGER: true when the switch answered (whatever its error status).
bool SendInteger(CCommonSNMP& session, const std::string& oid, const std::string& value) {
    return SnmpSet(session, {SnmpSetVar::Integer(oid, std::atoll(value.c_str()))}).Answered();
}
}  // namespace

BEGIN_MESSAGE_MAP(C8021qVlanSet, CDialog)
    ON_BN_CLICKED(IDC_ADD, OnAdd)
    ON_BN_CLICKED(IDC_EDIT, OnEdit)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_ASYMMETRIC_APPLY, OnAsymmetricApply)
    ON_BN_CLICKED(IDC_PVID, OnPvid)
    ON_NOTIFY(NM_DBLCLK, IDC_VLAN_LIST, OnListDoubleClick)
END_MESSAGE_MAP()

C8021qVlanSet::C8021qVlanSet(CWnd* parent) : CDialog(IDD_VLAN_SET, parent) {}

C8021qVlanSet::~C8021qVlanSet() = default;

std::string C8021qVlanSet::GetTaggedPorts(const std::string& egress, const std::string& untagged, int portCount) {
    std::vector<int> untaggedFlags(static_cast<size_t>(std::max(portCount, 0)), 0);
    for (int port : PortsOf(untagged, portCount)) untaggedFlags[static_cast<size_t>(port - 1)] = 1;
    std::string tagged;
    for (int port : PortsOf(egress, portCount)) {
        if (untaggedFlags[static_cast<size_t>(port - 1)]) continue;
        if (!tagged.empty()) tagged += ',';
        tagged += std::to_string(port);
    }
    return tagged;
}

BOOL C8021qVlanSet::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetIcon(::LoadIcon(nullptr, kAppIcon), TRUE);
    m_list.SubclassDlgItem(IDC_VLAN_LIST, this);
    m_list.InsertColumn(0, "VLAN ID", LVCFMT_LEFT, 80);
    m_list.InsertColumn(1, "VLAN Name", LVCFMT_CENTER, 120);
    m_list.InsertColumn(2, "No.of Ports", LVCFMT_LEFT, 100);
    m_list.InsertColumn(3, "Tagged Port Member", LVCFMT_LEFT, 220);
    m_list.InsertColumn(4, "Untag Port Member", LVCFMT_LEFT, 220);
    SetWindowText("802.1Q VLAN Configuration");
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_nPortNum = std::clamp(g_nDevicePortNum, 0, kMaxDevicePorts);
    m_arrPvid.assign(static_cast<size_t>(m_nPortNum), 0);
    CheckDlgButton(IDC_ASYMMETRIC, BST_UNCHECKED);
    if (!ModuleStartupParams::VlanEditEnabled) {
        for (int id : {IDC_ADD, IDC_EDIT, IDC_DELETE, IDC_PVID}) GetDlgItem(id)->EnableWindow(FALSE);
    }
    Refresh();
    return TRUE;
}

BOOL C8021qVlanSet::DestroyWindow() {
    OutputDebugStringA("==================DestroyWindow===============");
    // The window goes first: a walk delivering now finds no controls to fill.
    const BOOL result = CDialog::DestroyWindow();
    m_cCommonSNMP.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPTable.Close();
    OutputDebugStringA("==================m_cCommonSNMPTable.Close===============");
    m_cCommonSNMPVoiceVlan.Close();
    OutputDebugStringA("==================m_cCommonSNMPVoiceVlan.Close===============");
    m_cCommonSNMPTableVlan.Close();
    OutputDebugStringA("==================m_cCommonSNMPTableVlan.Close===============");
    m_cCommonSNMPTableVlanDelete.Close();
    OutputDebugStringA("==================m_cCommonSNMPTableVlanDelete.Close===============");
    m_cCommonSNMPIpInterface.Close();
    return result;
}

bool C8021qVlanSet::ReadsRunning() const {
    return m_cCommonSNMPVoiceVlan.Running() || m_cCommonSNMPTable.Running() || m_cCommonSNMPTableVlan.Running() ||
           m_cCommonSNMPIpInterface.Running();
}

void C8021qVlanSet::Refresh() {
    m_cCommonSNMPVoiceVlan.Start(
        SnmpReadSpec::Get({kVoiceState, kVoiceVid, kSurveillanceState, kSurveillanceVid}),
        [this](const SnmpRow& row) { OnVoiceRead(row); }, nullptr);

    // No row of the walk being replaced may land in the list from here on.
    m_cCommonSNMPTableVlan.Close();
    m_vlanList.Free();

    ReadAsymmetric();

    std::fill(m_arrPvid.begin(), m_arrPvid.end(), 1);
    m_cCommonSNMPTable.Start(
        SnmpReadSpec::Walk({kPvidColumn}), [this](const SnmpRow& row) { OnPvidRow(row); }, nullptr);

    m_arrIpInterface.clear();
    m_cCommonSNMPIpInterface.Start(
        SnmpReadSpec::Walk({kIpInterfaceVlan}), [this](const SnmpRow& row) { OnIpInterfaceRow(row); }, nullptr);

    m_list.DeleteAllItems();
    EnableWalkButtons(false);
    m_cCommonSNMPTableVlan.Start(
        SnmpReadSpec::Walk({kVlanTable + "1", kVlanTable + "2", kVlanTable + "4", kVlanTable + "5"}),
        [this](const SnmpRow& row) { OnVlanRow(row); }, [this](const SnmpReadResult&) { OnVlanReadEnd(); });
}

void C8021qVlanSet::ReadAsymmetric() {
    const SnmpAnswer answer = SnmpGet(m_cCommonSNMP, {kAsymmetric});
    if (!answer.Ok() || !answer.Has(0)) return;
    m_strAsymmetric = answer.Text(0);
    CheckDlgButton(IDC_ASYMMETRIC, m_strAsymmetric == "1" ? BST_CHECKED : BST_UNCHECKED);
}

void C8021qVlanSet::OnVoiceRead(const SnmpRow& row) {
    m_nVoiceState = row.Text(0) == "1" ? 1 : 2;
    m_nVoiceVid = std::atoi(row.Text(1).c_str());
    m_nSurveillanceState = row.Text(2) == "1" ? 1 : 2;
    m_nSurveillanceVid = std::atoi(row.Text(3).c_str());
}

void C8021qVlanSet::OnPvidRow(const SnmpRow& row) {
    // The port is the row's index; rows of no port of this model are left out.
    const int port = std::atoi(row.IndexDigits().c_str());
    if (port < 1 || port > m_nPortNum) return;
    m_arrPvid[static_cast<size_t>(port - 1)] = std::atoi(row.Text(0).c_str());
}

void C8021qVlanSet::OnIpInterfaceRow(const SnmpRow& row) { m_arrIpInterface.push_back(row.Text(0)); }

void C8021qVlanSet::OnVlanRow(const SnmpRow& row) {
    if (row.Text(3) != "1") return;
    auto entry = std::make_unique<VlanEntry>();
    const std::string vid = row.IndexDigits();
    entry->nVid = std::atoi(vid.c_str());
    std::string name;
    CCodeConvert().Utf8ToAnsi(row.Text(0).c_str(), name);
    entry->strName = Cut(name, VlanEntry::kMaxName);
    entry->strEgressPorts = Cut(CUtils::PortBitmapToList(row.Bytes(1), &entry->nEgressCount), VlanEntry::kMaxList);
    entry->strUntaggedPorts = Cut(CUtils::PortBitmapToList(row.Bytes(2), &entry->nUntaggedCount), VlanEntry::kMaxList);

    const int item = m_list.InsertItem(m_list.GetItemCount(), vid);
    m_list.SetItemText(item, 1, entry->strName);
    m_list.SetItemText(item, 2, std::to_string(entry->nEgressCount));
    m_list.SetItemText(item, 3, GetTaggedPorts(entry->strEgressPorts, entry->strUntaggedPorts, m_nPortNum));
    m_list.SetItemText(item, 4, entry->strUntaggedPorts);
    m_vlanList.Append(std::move(entry));
}

void C8021qVlanSet::OnVlanReadEnd() { EnableWalkButtons(true); }

void C8021qVlanSet::EnableWalkButtons(bool enable) {
    for (int id : {IDC_ASYMMETRIC_APPLY, IDC_REFRESH, IDOK}) GetDlgItem(id)->EnableWindow(enable ? TRUE : FALSE);
    const bool editing = enable && ModuleStartupParams::VlanEditEnabled;
    for (int id : {IDC_ADD, IDC_EDIT, IDC_DELETE}) GetDlgItem(id)->EnableWindow(editing ? TRUE : FALSE);
}

int C8021qVlanSet::AsymmetricMode() { return IsDlgButtonChecked(IDC_ASYMMETRIC) ? 1 : 2; }

int C8021qVlanSet::SelectedRow(const std::string& message) {
    if (m_list.GetItemCount() == 0) {
        AfxMessageBox(message);
        return -1;
    }
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    if (pos == nullptr) {
        AfxMessageBox(message, MB_ICONINFORMATION);
        return -1;
    }
    return m_list.GetNextSelectedItem(pos);
}

void C8021qVlanSet::RunVlanAdd(bool addMode, int vid) {
    CKRVVlanAdd dlg;
    dlg.m_bAddMode = addMode;
    dlg.m_nPortNum = m_nPortNum;
    dlg.m_pVlanHead = m_vlanList.Head();
    dlg.m_nAsymmetric = AsymmetricMode();
    dlg.m_nVid = vid;
    if (dlg.DoModal() == IDOK) Refresh();
}

void C8021qVlanSet::OnAdd() {
    if (m_list.GetItemCount() >= kMaxVlans) {
        AfxMessageBox(" Number of VLAN group is over limit");
        return;
    }
    RunVlanAdd(true, 0);
}

void C8021qVlanSet::OnEdit() {
    const int row = SelectedRow("Please select the VLAN !");
    if (row < 0) return;
    const int vid = std::atoi(Cut(m_list.GetItemText(row, 0), 49).c_str());
    if (vid <= 0) {
        AfxMessageBox("Invalid VLAN ID!");
        return;
    }
    RunVlanAdd(false, vid);
}

void C8021qVlanSet::OnListDoubleClick(NMHDR*, LRESULT* result) {
    *result = 0;
    if (ModuleStartupParams::VlanEditEnabled) OnEdit();
}

void C8021qVlanSet::OnRefresh() { Refresh(); }

void C8021qVlanSet::OnPvid() {
    CKRVPVIDConfig dlg;
    dlg.m_pVlanHead = m_vlanList.Head();
    dlg.DoModal();
    Refresh();
}

int C8021qVlanSet::CheckDeletable(const std::string& vid) {
    const int number = std::atoi(vid.c_str());
    if (vid == "1") {
        AfxMessageBox("Can't delete the default VLAN!");
        return 0;
    }
    if (IsDlgButtonChecked(IDC_ASYMMETRIC) &&
        std::find(m_arrPvid.begin(), m_arrPvid.end(), number) != m_arrPvid.end()) {
        AfxMessageBox("The VID is one of The PVID, so it cannot be deleted.");
        return 0;
    }
    if (m_nVoiceState == 1 && number == m_nVoiceVid) {
        AfxMessageBox("The VLAN ID is Voice VLAN ID.");
        return 0;
    }
    if (m_nSurveillanceState == 1 && number == m_nSurveillanceVid) {
        AfxMessageBox("The VLAN ID is Surveillance VLAN ID.");
        return 0;
    }
    if (std::find(m_arrIpInterface.begin(), m_arrIpInterface.end(), vid) != m_arrIpInterface.end()) {
        AfxMessageBox("The VLAN ID is IP Interface VLAN.");
        return 0;
    }
    return 1;
}

void C8021qVlanSet::OnDelete() {
    const int row = SelectedRow("Please select the VLAN want to be deleted!");
    if (row < 0) return;
    const std::string vid = m_list.GetItemText(row, 0);
    if (!CheckDeletable(vid)) return;
    char question[256];
    std::snprintf(question, sizeof question,
                  "The VLAN %s settings in IGMP Snooping and MAC Address Table maybe be affected, continue?",
                  vid.c_str());
    if (AfxMessageBox(question, MB_OKCANCEL) != IDOK) {
        Refresh();
        return;
    }
    // A SET that went unanswered leaves the list as it is.
    if (SendInteger(m_cCommonSNMPTableVlanDelete, kVlanTable + "5." + vid, "6")) Refresh();
}

void C8021qVlanSet::OnAsymmetricApply() {
    const std::string value = IsDlgButtonChecked(IDC_ASYMMETRIC) ? "1" : "2";
    if (value != m_strAsymmetric && m_arrIpInterface.size() >= 2) {
        AfxMessageBox("Multiple Interfaces are set, the VLAN mode can not be changed.");
        return;
    }
    if (m_nVoiceState == 1) {
        AfxMessageBox(
            "Voice Vlan is enable,the vlan mode can't change to Asymmetric mode!\n"
            "If you could disable it, please set it through the web!");
        ReadAsymmetric();
        return;
    }
    if (m_nSurveillanceState == 1) {
        AfxMessageBox("Auto Surveillance VLAN is enable,the vlan mode can't change to Asymmetric mode!");
        ReadAsymmetric();
        return;
    }
    if (AfxMessageBox(
            "The setting of VLAN, IGMP Snooping, Management VLAN and MAC Address Table will be reset to default.",
            MB_OKCANCEL) != IDOK) {
        return;
    }
    SendInteger(m_cCommonSNMP, kAsymmetric, value);
    Refresh();
}
