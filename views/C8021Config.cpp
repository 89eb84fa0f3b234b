#include "views/C8021Config.h"

#include <cctype>

#include "platform/ui/Prompt.h"
#include "platform/ui/Wnd.h"
#include "platform/win/DebugOutput.h"
#include "resources/templates/Dot1xViewDialogsIds.h"
#include "views/Dot1xPortConfig.h"

using namespace dot1x_config_ids;

namespace {
const std::string kGlobal = "1.3.6.1.4.1.32473.10.76.21.1.11.";
const std::string kState = kGlobal + "2.1.0";
const std::string kRadiusAddress = kGlobal + "1.1.0";
const std::string kRadiusKey = kGlobal + "1.2.0";

// The timers in the order of their checks and of the read (positions 3 to 8).
struct Timer {
    ui::ControlId<CEdit> id;
    const char* oid;  // below kGlobal
    std::uint64_t min;
    std::uint64_t max;
    const char* message;
};
const Timer kTimers[C8021Config::kTimerCount] = {
    {IDC_QUIET_PERIOD, "2.2.0", 0, 65535, "Invalid QuietPeriod (0-65535)"},
    {IDC_TX_PERIOD, "2.3.0", 1, 65535, "Invalid TxPeriod (1-65535)"},
    {IDC_SUPP_TIMEOUT, "2.4.0", 1, 65535, "Invalid SuppTimeout (1-65535)"},
    {IDC_SERVER_TIMEOUT, "2.5.0", 1, 65535, "Invalid ServerTimeout (1-65535)"},
    {IDC_MAX_REQ, "2.6.0", 1, 10, "Invalid MaxReq (1-10)"},
    {IDC_REAUTH_PERIOD, "2.7.0", 1, 4294967295ULL, "Invalid ReAuthPeriod (1-4294967295)"},
};
constexpr int kReAuthPeriod = 5;  // the Unsigned32 one
const std::string kReAuthEnabled = kGlobal + "2.8.0";

const char kInvalidAddress[] = "Invalid RADIUS Server IP Address.";
}  // namespace

BEGIN_MESSAGE_MAP(C8021Config, CFeatureDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_PORT_SET, OnPortSet)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_ENABLE, OnEnable8021X)
    ON_EN_CHANGE(IDC_KEY, OnKeyChange)
    ON_EN_CHANGE(IDC_CONFIRM_KEY, OnConfirmKeyChange)
END_MESSAGE_MAP()

C8021Config::C8021Config(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL C8021Config::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    SetWindowText("802.1X Config Information");
    CComboBox& reAuth = Item(IDC_REAUTH_ENABLED);
    reAuth.AddString("Enable");
    reAuth.AddString("Disabled");
    EnableInputs(false);
    Item(IDC_PORT_SET).EnableWindow(FALSE);
    ReadSettings();
    return TRUE;
}

void C8021Config::CloseSessions() {
    OutputDebugStringA("==================DestroyWindow===============");
    m_read.Close();
    m_cCommonSNMP.Close();
    OutputDebugStringA("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugStringA("==================m_cCommonSNMPSet.Close===============");
    m_cCommonSNMParg.Close();
    OutputDebugStringA("==================m_cCommonSNMParg.Close===============");
}

void C8021Config::EnableInputs(bool enable) {
    const BOOL on = enable ? TRUE : FALSE;
    Item(IDC_KEY).EnableWindow(on);
    Item(IDC_CONFIRM_KEY).EnableWindow(on);
    Item(IDC_RADIUS_IP).EnableWindow(on);
    for (const Timer& t : kTimers) Item(t.id).EnableWindow(on);
    Item(IDC_REAUTH_ENABLED).EnableWindow(on);
}

void C8021Config::EnableButtons(bool enable) {
    Item(IDC_APPLY).EnableWindow(enable ? TRUE : FALSE);
    Item(IDC_REFRESH).EnableWindow(enable ? TRUE : FALSE);
}

void C8021Config::ReadSettings() {
    EnableButtons(false);
    std::vector<std::string> objects = {kState, kRadiusAddress, kRadiusKey};
    for (const Timer& t : kTimers) objects.push_back(kGlobal + t.oid);
    objects.push_back(kReAuthEnabled);
    // A read that fails leaves the controls as they are; every end gives the buttons back.
    m_read.Start(
        SnmpReadSpec::Get(objects), [this](const SnmpRow& row) { OnSettingsRead(row); },
        [this](const SnmpReadResult&) { EnableButtons(true); });
}

void C8021Config::OnSettingsRead(const SnmpRow& row) {
    const bool enabled = row.Text(0) == "1";
    Item(IDC_ENABLE).SetCheck(enabled ? BST_CHECKED : BST_UNCHECKED);
    EnableInputs(enabled);
    Item(IDC_PORT_SET).EnableWindow(enabled ? TRUE : FALSE);
    Item(IDC_RADIUS_IP).SetWindowText(row.Text(1));
    Item(IDC_KEY).SetWindowText(row.Text(2));
    Item(IDC_CONFIRM_KEY).SetWindowText(row.Text(2));
    for (int i = 0; i < kTimerCount; ++i) Item(kTimers[i].id).SetWindowText(row.Text(3 + static_cast<std::size_t>(i)));
    Item(IDC_REAUTH_ENABLED).SetCurSel(row.Text(9) == "1" ? 0 : 1);
}

bool C8021Config::ParseWholeNumber(const std::string& text, std::uint64_t min, std::uint64_t max,
                                   std::uint64_t& value) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    const std::size_t last = text.find_last_not_of(" \t");
    std::uint64_t number = 0;
    for (std::size_t i = first; i <= last; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isdigit(c)) return false;
        number = number * 10 + static_cast<std::uint64_t>(c - '0');
        if (number > max) return false;  // also keeps a long text from overflowing
    }
    if (number < min) return false;
    value = number;
    return true;
}

bool C8021Config::ParseAddress(const std::string& text, std::array<int, 4>& fields) {
    std::size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t end = i < 3 ? text.find('.', pos) : text.size();
        if (end == std::string::npos) return false;
        const std::string part = text.substr(pos, end - pos);
        std::uint64_t value = 0;
        if (part.empty() || part.size() > 3 || part.find_first_not_of("0123456789") != std::string::npos ||
            !ParseWholeNumber(part, 0, 255, value))
            return false;
        fields[static_cast<std::size_t>(i)] = static_cast<int>(value);
        pos = end + 1;
    }
    return true;
}

std::string C8021Config::CheckInputs(const Inputs& in, Values& values) {
    std::array<int, 4> f{};
    // A server at a network or broadcast address, or at none, is refused.
    if (!ParseAddress(in.address, f) || (f[0] == 0 && f[1] == 0 && f[2] == 0 && f[3] == 0) || f[0] == 0 ||
        f[0] == 255 || f[3] == 0 || f[3] == 255)
        return kInvalidAddress;
    if (in.key.empty()) return "Invalid Key.";
    if (in.key != in.confirm) return "Please confirm the key again !";
    for (int i = 0; i < kTimerCount; ++i) {
        const Timer& t = kTimers[i];
        if (!ParseWholeNumber(in.timers[static_cast<std::size_t>(i)], t.min, t.max,
                              values.timers[static_cast<std::size_t>(i)]))
            return t.message;
    }
    values.address =
        std::to_string(f[0]) + "." + std::to_string(f[1]) + "." + std::to_string(f[2]) + "." + std::to_string(f[3]);
    return "";
}

C8021Config::Inputs C8021Config::TakeInputs() {
    Inputs in;
    in.enabled = Item(IDC_ENABLE).GetCheck() == BST_CHECKED;
    in.address = Item(IDC_RADIUS_IP).GetWindowText();
    in.key = Item(IDC_KEY).GetWindowText();
    in.confirm = Item(IDC_CONFIRM_KEY).GetWindowText();
    for (int i = 0; i < kTimerCount; ++i) in.timers[static_cast<std::size_t>(i)] = Item(kTimers[i].id).GetWindowText();
    in.reAuthEnable = Item(IDC_REAUTH_ENABLED).GetCurSel() == 0;
    return in;
}

void C8021Config::OnApply() {
    CWaitCursor wait;
    const Inputs in = TakeInputs();
    if (!in.enabled) {
        // Only the state is written; the other fields are neither checked nor sent.
        if (SnmpSet(m_cCommonSNMP, {SnmpSetVar::Integer(kState, 2)}).Answered()) ReadSettings();
        return;
    }
    Values values;
    const std::string refusal = CheckInputs(in, values);
    if (!refusal.empty()) {
        AfxMessageBox(refusal);
        return;
    }
    if (SnmpSet(m_cCommonSNMP,
                {{kRadiusAddress, SNMP_TYPE_IPADDRESS, values.address}, SnmpSetVar::Octets(kRadiusKey, in.key)})
            .Answered())
        EnableAuthState();
    // The timers are written whatever became of the RADIUS write.
    std::vector<SnmpSetVar> timers;
    for (int i = 0; i < kTimerCount; ++i) {
        const std::string oid = kGlobal + kTimers[i].oid;
        const std::uint64_t value = values.timers[static_cast<std::size_t>(i)];
        timers.push_back(i == kReAuthPeriod ? SnmpSetVar::Unsigned(oid, static_cast<unsigned long>(value))
                                            : SnmpSetVar::Integer(oid, static_cast<long long>(value)));
    }
    timers.push_back(SnmpSetVar::Integer(kReAuthEnabled, in.reAuthEnable ? 1 : 2));
    if (SnmpSet(m_cCommonSNMParg, timers).Answered()) ReadSettings();
}

void C8021Config::EnableAuthState() {
    if (SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(kState, 1)}).Answered()) ReadSettings();
}

void C8021Config::OnEnable8021X() { EnableInputs(Item(IDC_ENABLE).GetCheck() == BST_CHECKED); }

void C8021Config::OnKeyChange() { LimitKey(IDC_KEY); }
void C8021Config::OnConfirmKeyChange() { LimitKey(IDC_CONFIRM_KEY); }

void C8021Config::LimitKey(ui::ControlId<CEdit> id) {
    CEdit& edit = Item(id);
    const std::string text = edit.GetWindowText();
    if (text.size() <= kKeyChars) return;
    int start = 0;
    int end = 0;
    edit.GetSel(start, end);
    edit.SetWindowText(text.substr(0, kKeyChars));
    edit.SetSel(start, start);
}

void C8021Config::OnPortSet() {
    Dot1xPortConfig ports;
    std::array<std::string, Dot1xPortConfig::kTimerTexts> texts;
    for (int i = 0; i < kTimerCount; ++i) texts[static_cast<std::size_t>(i)] = Item(kTimers[i].id).GetWindowText();
    texts[kTimerCount] = Item(IDC_REAUTH_ENABLED).GetWindowText();
    ports.SetTimerTexts(texts);
    ports.DoModal();
}
