#include "views/CameraVlanPortSetting.h"

#include <algorithm>
#include <vector>

#include "core/DeviceProfile.h"
#include "platform/ui/Prompt.h"
#include "platform/ui/Wnd.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/GvrpDialogsIds.h"

using namespace camera_port_ids;

namespace {
const std::string kPortTable = "1.3.6.1.4.1.32473.10.76.21.1.26.1.5.1.";
const std::string kDetectionColumn = kPortTable + "2";
// Ports written in one request.
constexpr int kPortsARequest = 30;
constexpr DWORD kPauseMs = 100;

std::string DetectionText(const std::string& value) { return value == "2" ? "Disabled" : "Enabled"; }

std::string StatusText(const std::string& value) {
    if (value == "1") return "Static";
    if (value == "2") return "Dynamic";
    if (value == "3") return "None";
    return value;
}
}  // namespace

BEGIN_MESSAGE_MAP(CCameraVlanPortSetting, CFeatureDialog)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_CBN_SELCHANGE(IDC_FROM_PORT, OnFromChange)
    ON_CBN_SELCHANGE(IDC_TO_PORT, OnToChange)
END_MESSAGE_MAP()

CCameraVlanPortSetting::CCameraVlanPortSetting(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CCameraVlanPortSetting::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_LIST, this);
    const std::pair<const char*, int> columns[] = {{"Port", 100}, {"Auto Detection", 200}, {"Status", 200}};
    int column = 0;
    for (const auto& [heading, width] : columns) m_list.InsertColumn(column++, heading, LVCFMT_CENTER, width);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_ports.Attach(this, IDC_FROM_PORT, IDC_TO_PORT, "'To Port' can not be smaller than 'From Port'");
    m_ports.Fill(std::max(g_nDevicePortNum, 0), CPortRangeCombos::ToOnLast);
    CComboBox& detection = Item(IDC_AUTO_DETECTION);
    for (const char* item : {"Enable", "Disable"}) detection.AddString(item);
    detection.SetCurSel(1);
    Item(IDC_VLAN_ID).SetWindowText(m_SurveillanceVlanID);
    Item(IDC_APPLY).EnableWindow(ApplyAllowed() ? TRUE : FALSE);
    OnRefresh();
    return TRUE;
}

BOOL CCameraVlanPortSetting::DestroyWindow() {
    OutputDebugStringA("==================DestroyWindow===============");
    return CFeatureDialog::DestroyWindow();
}

void CCameraVlanPortSetting::CloseSessions() {
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugStringA("==================m_cCommonSNMPSet.Close===============");
    m_portRead.Close();
    OutputDebugStringA("==================m_cCommonSNMPTable.Close===============");
    m_trunkWalk.Close();
    OutputDebugStringA("==================m_cCommonSNMPTableGetTrunk.Close===============");
}

void CCameraVlanPortSetting::OnRefresh() {
    // Apply waits for the trunk walk too: a range is judged against the whole trunk table.
    // Each trunk walk starts from no members, so a trunk dissolved on the switch is gone.
    m_nPendingReads = 2;
    m_trunkWalk.Start([this] { OnReadEnd(); });
    ReadPorts();
}

void CCameraVlanPortSetting::OnReadEnd() {
    if (--m_nPendingReads > 0) return;
    Item(IDC_APPLY).EnableWindow(ApplyAllowed() ? TRUE : FALSE);
    Item(IDC_REFRESH).EnableWindow(TRUE);
}

void CCameraVlanPortSetting::ReadPorts() {
    m_list.DeleteAllItems();
    Item(IDC_APPLY).EnableWindow(FALSE);
    Item(IDC_REFRESH).EnableWindow(FALSE);
    m_portRead.Start(
        SnmpReadSpec::Walk({kPortTable + "1", kDetectionColumn, kPortTable + "3"}),
        [this](const SnmpRow& row) { OnPortRow(row); }, [this](const SnmpReadResult&) { OnReadEnd(); });
}

void CCameraVlanPortSetting::OnPortRow(const SnmpRow& row) {
    const int n = m_list.GetItemCount();
    m_list.InsertItem(n, row.Text(0));
    m_list.SetItemText(n, 1, DetectionText(row.Text(1)));
    m_list.SetItemText(n, 2, StatusText(row.Text(2)));
}

void CCameraVlanPortSetting::OnApply() {
    CWaitCursor wait;
    const int from = m_ports.FromPort();
    const int to = m_ports.ToPort();
    const std::string value = Item(IDC_AUTO_DETECTION).GetWindowText() == "Enable" ? "1" : "2";
    // The whole range is judged before anything goes out, however many requests it takes.
    if (value == "1") {
        for (int port = from; port <= to; ++port) {
            if (m_trunkWalk.Trunk(port) == 0) continue;
            AfxMessageBox("LA member port can not support in auto Surveillance vlan mode.");
            return;
        }
    }
    // At most 30 ports a request, each batch a request of its own; a refused batch is not shown
    // (the read that follows shows what the switch holds).
    std::vector<SnmpSetVar> batch;
    for (int port = from; port <= to; ++port) {
        batch.push_back({kDetectionColumn + "." + std::to_string(port), SNMP_TYPE_INTEGER, value});
        if (static_cast<int>(batch.size()) == kPortsARequest || port == to) {
            SnmpSet(m_cCommonSNMPSet, batch);
            batch.clear();
            win::Sleep(kPauseMs);
        }
    }
    m_nPendingReads = 1;
    ReadPorts();
}
