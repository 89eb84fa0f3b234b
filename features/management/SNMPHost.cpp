#include "features/management/SNMPHost.h"

#include "core/Utils.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/ManagementDialogsIds.h"

using namespace snmp_host_ids;

namespace {
constexpr int kMaxHosts = 10;
constexpr int kMaxName = 32;
constexpr DWORD kReadPauseMs = 50;

bool IsLinkLocal(const std::string& address) {
    for (const char* prefix : {"fe8", "fe9", "fea", "feb"}) {
        if (address.rfind(prefix, 0) == 0) return true;
    }
    return false;
}

// A listed address without its interface name.
std::string WithoutInterface(const std::string& listed) { return listed.substr(0, listed.find('%')); }

// The host index of a listed address: .4.a.b.c.d.1, or .16 and the 16 bytes and .2.
std::string ListedHostIndex(const std::string& address) {
    if (address.find(':') == std::string::npos) return ".4." + address + ".1";
    std::string digits;
    for (char c : CUtils::ExpandIPv6(address)) {
        if (c != ':') digits += c;
    }
    return ".16" + CUtils::MacToOidSuffix(digits) + ".2";
}
}  // namespace

BEGIN_MESSAGE_MAP(CSNMPHost, CSNMPTableDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_CANCEL, OnCancelButton)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_CLOSE, OnCloseButton)
END_MESSAGE_MAP()

CSNMPHost::CSNMPHost(CWnd* parent)
    : CSNMPTableDialog(IDD, {IDC_LIST, {IDC_APPLY, IDC_CANCEL, IDC_DELETE, IDC_REFRESH}}, parent) {}

BOOL CSNMPHost::OnInitDialog() {
    CSNMPTableDialog::OnInitDialog();
    OutputDebugStringA(".............initdialog begin..............");
    m_address.SubclassDlgItem(IDC_ADDRESS, this);
    InitList({{"Host IP Address", 150}, {"SNMP Version", 130}, {"Community Name/SNMPv3 User Name ", 250}});
    for (const char* v : {"V1", "V2c", "V3-NoAuthNoPriv", "V3-AuthNoPriv", "V3-AuthPriv"})
        Item(IDC_VERSION).AddString(v);
    Item(IDC_VERSION).SetCurSel(0);
    Item(IDC_NAME).LimitText(kMaxName);
    OutputDebugStringA("....................refresh begin ...........................");
    Refresh();
    return TRUE;
}

void CSNMPHost::StartRead() {
    win::Sleep(kReadPauseMs);
    m_config.ReadHosts();
}

void CSNMPHost::OnRow(WPARAM code, LPARAM record) {
    if (code != kSnmpRow) return;
    const auto& e = *reinterpret_cast<const SnmpHostEntry*>(record);
    if (e.rowStatus != "1") return;
    std::string address = e.address;
    if (address.find(':') != std::string::npos && IsLinkLocal(address)) address += "%" + e.interfaceName;
    AppendRow({address, e.version, e.name});
}

void CSNMPHost::OnApply() {
    CWaitCursor wait;
    // The field classifies its text again, so an Apply while it has the focus (or after an
    // Apply that emptied it) checks the address it shows, never an earlier one.
    m_address.OnKillFocus(nullptr);
    const bool valid = m_address.m_nValid == 1;
    const std::string address =
        valid && m_address.m_strIPType == "2" ? CUtils::CompressIPv6(m_address.m_strAddress) : m_address.m_strAddress;
    const std::string name = TrimBlanks(Item(IDC_NAME).GetWindowText());
    auto listed = [&] {
        for (int row = 0; row < RowCount(); ++row) {
            if (WithoutInterface(Cell(row, 0)) == address) return true;
        }
        return false;
    };
    const InputCheck checks[] = {
        {[&] { return !valid && (m_address.m_nValid == -1 || m_address.m_nValid == -2); }, "",
         [&] { m_address.ShowError(); }},
        {[&] { return !valid; }, "Invalid Host IP."},
        {[&] { return IsLinkLocal(address) && !CSNMPConfig::IsValidName(m_address.m_strInterface); },
         "Invalid Interface Name. "},
        {listed, "This IP Address has used,please enter other IP Address"},
        {[&] { return name.empty(); }, "The Community String or SNMPv3 User Name can not be empty."},
        {[&] { return !CSNMPConfig::IsValidName(name); }, "Invalid Community String/SNMPv3 User Name. "},
        {[&] { return RowCount() >= kMaxHosts; }, "Maximum number of Host Entry is 10."},
    };
    if (!PassChecks(checks)) return;
    const std::string version = std::to_string(Item(IDC_VERSION).GetCurSel() + 1);
    CreateRow(kHostStatus + CSNMPConfig::MakeHostIndex(m_address), [&] {
        m_config.m_pHostAddress = &m_address;
        m_config.SetHost(name, version);
    });
    ClearInputs();
    Refresh();
}

void CSNMPHost::ClearInputs() {
    m_address.SetWindowText("");
    Item(IDC_NAME).SetWindowText("");
    Item(IDC_VERSION).SetCurSel(0);
}

void CSNMPHost::OnCancelButton() {
    ClearInputs();
    Refresh();
}

void CSNMPHost::OnDelete() {
    DeleteSelected("Please Selecte the Item you would delete",
                   [this](int row) { return kHostStatus + ListedHostIndex(WithoutInterface(Cell(row, 0))); });
}
