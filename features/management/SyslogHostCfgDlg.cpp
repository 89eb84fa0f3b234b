#include "features/management/SyslogHostCfgDlg.h"

#include <cstdlib>

#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/ManagementDialogsIds.h"

using namespace syslog_ids;

namespace {
const std::string kSyslog = "1.3.6.1.4.1.32473.10.76.21.1.16.2.";
const std::string kState = kSyslog + "1.0";
const std::string kTimeStamp = kSyslog + "2.0";
const std::string kSeverity = kSyslog + "3.0";
const std::string kFacility = kSyslog + "4.0";
const std::string kHost = kSyslog + "5.1.";
// The end of the settings read, which starts the host walk.
constexpr UINT WM_SYSLOG_SETTINGS_READ = WM_APP + 1000;
constexpr size_t kPortDigits = 5;
constexpr int kFirstFacility = 128;
constexpr int kFacilityStep = 8;
const char* const kSeverities[] = {"4", "6", "7"};

bool IsLinkLocal(const std::string& address) {
    for (const char* prefix : {"fe8", "fe9", "fea", "feb"}) {
        if (address.rfind(prefix, 0) == 0) return true;
    }
    return false;
}

// The index of an address as listed: type.length.bytes.
std::string HostIndexOf(const std::string& address) {
    if (address.find(':') == std::string::npos) return ".1.4." + address;
    std::string digits;
    for (char c : CUtils::ExpandIPv6(address)) {
        if (c != ':') digits += c;
    }
    return ".2.16" + CUtils::MacToOidSuffix(digits);
}
}  // namespace

BEGIN_MESSAGE_MAP(CSyslogHostCfgDlg, CFeatureDialog)
    ON_BN_CLICKED(IDC_ENABLE, OnEnableClicked)
    ON_BN_CLICKED(IDC_STATE_APPLY, SetSyslogState)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_EN_CHANGE(IDC_PORT, OnPortChange)
    ON_MESSAGE(WM_SYSLOG_SETTINGS_READ, OnSettingsRead)
END_MESSAGE_MAP()

CSyslogHostCfgDlg::CSyslogHostCfgDlg(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CSyslogHostCfgDlg::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    m_address.SubclassDlgItem(IDC_ADDRESS, this);
    for (int i = 0; i < 8; ++i) Item(IDC_FACILITY).AddString("Local" + std::to_string(i));
    for (const char* s : {"Warning", "Informational", "All"}) Item(IDC_SEVERITY).AddString(s);
    Item(IDC_TIME_STAMP).AddString("Enabled");
    Item(IDC_TIME_STAMP).AddString("Disabled");
    Item(IDC_TIME_STAMP).SetCurSel(0);
    m_address.EnableWindow(FALSE);
    for (int id : {IDC_PORT.id, IDC_FACILITY.id, IDC_SEVERITY.id}) GetDlgItem(id)->EnableWindow(FALSE);
    ReadSettings();
    return TRUE;
}

void CSyslogHostCfgDlg::CloseSessions() {
    m_settingsRead.Close();
    m_hostRead.Close();
    m_cCommonSNMPSet.Close();
}

void CSyslogHostCfgDlg::EnableHostInputs(bool enable) {
    m_address.EnableWindow(enable ? TRUE : FALSE);
    for (int id : {IDC_PORT.id, IDC_FACILITY.id, IDC_SEVERITY.id, IDC_TIME_STAMP.id}) {
        GetDlgItem(id)->EnableWindow(enable ? TRUE : FALSE);
    }
}

void CSyslogHostCfgDlg::OnEnableClicked() { EnableHostInputs(Item(IDC_ENABLE).GetCheck() == BST_CHECKED); }

void CSyslogHostCfgDlg::OnPortChange() {
    CEdit& port = Item(IDC_PORT);
    const std::string text = port.GetWindowText();
    if (text.size() <= kPortDigits) return;
    int start = 0;
    int end = 0;
    port.GetSel(start, end);
    port.SetWindowText(text.substr(0, kPortDigits));
    port.SetSel(start % 256, start % 256);
}

void CSyslogHostCfgDlg::ReadSettings() {
    m_address.SetWindowText("0.0.0.0");
    Item(IDC_PORT).SetWindowText("514");
    // The walk of an earlier read stops before the new read begins.
    m_hostRead.Close();
    m_settingsRead.Start(
        SnmpReadSpec::Get({kFacility, kSeverity, kTimeStamp, kState}),
        [this](const SnmpRow& row) { OnSettingsRow(row); },
        [this](const SnmpReadResult&) { SendMessage(WM_SYSLOG_SETTINGS_READ, 1, 0); });
}

void CSyslogHostCfgDlg::OnSettingsRow(const SnmpRow& row) {
    const int facility = row.Number(0);
    const bool known = facility >= kFirstFacility && facility <= kFirstFacility + 7 * kFacilityStep &&
                       (facility - kFirstFacility) % kFacilityStep == 0;
    Item(IDC_FACILITY).SetCurSel(known ? (facility - kFirstFacility) / kFacilityStep : 0);
    for (int i = 0; i < 3; ++i) {
        if (row.Text(1) == kSeverities[i]) Item(IDC_SEVERITY).SetCurSel(i);
    }
    Item(IDC_TIME_STAMP).SetCurSel(row.Text(2) == "1" ? 0 : 1);
    const bool on = row.Text(3) == "1";
    Item(IDC_ENABLE).SetCheck(on ? BST_CHECKED : BST_UNCHECKED);
    EnableHostInputs(on);
}

LRESULT CSyslogHostCfgDlg::OnSettingsRead(WPARAM, LPARAM) {
    Item(IDC_APPLY).EnableWindow(Item(IDC_ENABLE).GetCheck() == BST_CHECKED ? TRUE : FALSE);
    ReadHostTable();
    return 0;
}

void CSyslogHostCfgDlg::ReadHostTable() {
    m_hostRead.Start(
        SnmpReadSpec::Walk({kHost + "5", kHost + "1", kHost + "4", kHost + "2", kHost + "3"}),
        [this](const SnmpRow& row) { OnHostRow(row); }, [](const SnmpReadResult&) {});
}

void CSyslogHostCfgDlg::OnHostRow(const SnmpRow& row) {
    const bool active = row.Text(0) == "1";
    const std::string& type = row.Text(1);
    const std::string& bytes = row.Bytes(3);
    const auto* raw = reinterpret_cast<const unsigned char*>(bytes.data());
    // An address shorter than its type's length is not read past its end.
    if (type == "1" && bytes.size() >= 4) {
        m_strLastHost = CUtils::HexToDottedIPv4(CUtils::AddressBytesToText(raw, 1));
        m_address.SetWindowText(m_strLastHost);
    } else if (type == "2" && bytes.size() >= 16) {
        m_strLastHost = CUtils::CompressIPv6(CUtils::AddressBytesToText(raw, 2));
        m_address.SetWindowText(IsLinkLocal(m_strLastHost) ? m_strLastHost + "%" + row.Text(2) : m_strLastHost);
    }
    if (!active) m_address.SetWindowText("0.0.0.0");
    Item(IDC_PORT).SetWindowText(active ? row.Text(4) : "0");
}

void CSyslogHostCfgDlg::SetSyslogState() {
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(kState, Item(IDC_ENABLE).GetCheck() == BST_CHECKED ? 1 : 2)});
    ReadSettings();
}

void CSyslogHostCfgDlg::OnApply() {
    ApplyHost();
    ReadSettings();
}

int CSyslogHostCfgDlg::ApplyHost() {
    const int severity = Item(IDC_SEVERITY).GetCurSel();
    const int facility = Item(IDC_FACILITY).GetCurSel();
    if (severity < 0 || facility < 0) return 0;
    m_address.OnKillFocus(nullptr);
    if (m_address.m_nValid != 1) {
        m_address.ShowError();
        if (m_address.m_nValid == 0) AfxMessageBox("Invalid Syslog Sever IP address.");
        return 0;
    }
    const bool linkLocal = IsLinkLocal(m_address.m_strAddress);
    if (linkLocal && !CUtils::HasNoSpecialChars(m_address.m_strInterface)) {
        AfxMessageBox("Invalid Interface Name. ");
        return 0;
    }
    const int port = std::atoi(Item(IDC_PORT).GetWindowText().c_str());
    if (port < 1 || port > 65535) {
        AfxMessageBox("Invalid UDP port range (1-65535)");
        return 0;
    }
    const std::string bytes = m_address.GetAddressIndex();
    const std::string index = "." + m_address.m_strIPType + "." + std::to_string(m_address.m_nAddrLen) + "." + bytes;
    // Without a row read there is nothing to destroy.
    if (!m_strLastHost.empty())
        SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(kHost + "5" + HostIndexOf(m_strLastHost), 6)});
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(kHost + "5" + index, 5)});
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(kHost + "3" + index, port)});
    if (linkLocal) SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Octets(kHost + "4" + index, m_address.m_strInterface)});
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(kHost + "5" + index, 1)});
    const SnmpAnswer settings =
        SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(kSeverity, std::atoi(kSeverities[severity])),
                                   SnmpSetVar::Integer(kFacility, kFirstFacility + kFacilityStep * facility),
                                   SnmpSetVar::Integer(kTimeStamp, Item(IDC_TIME_STAMP).GetCurSel() == 0 ? 1 : 2)});
    return settings.Ok() ? 1 : 0;
}
