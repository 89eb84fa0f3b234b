#include "features/management/LLDPGroup.h"

#include <cstdio>
#include <cstdlib>

#include "core/controls/InputCheck.h"
#include "platform/win/Clock.h"
#include "resources/templates/ManagementDialogsIds.h"

using namespace lldp_global_ids;

const std::string CLLDPGroup::kHold = "1.3.6.1.4.1.32473.10.76.21.1.24.2.0";
const std::string CLLDPGroup::kInterval = "1.3.6.1.4.1.32473.10.76.21.1.24.3.0";
const std::string CLLDPGroup::kReinit = "1.3.6.1.4.1.32473.10.76.21.1.24.4.0";
const std::string CLLDPGroup::kTxDelay = "1.3.6.1.4.1.32473.10.76.21.1.24.5.0";

namespace {
const std::string kState = "1.3.6.1.4.1.32473.10.76.21.1.24.1.0";
const std::string kLocal = "1.0.8802.1.1.2.1.3.";
constexpr int kTries = 3;
constexpr DWORD kAnsweredPauseMs = 2000;
constexpr DWORD kFailedPauseMs = 1000;
constexpr long kMaxProduct = 65535;
const char* const kSubtypes[] = {"chassisComponent", "interfaceAlias", "portComponent", "macAddress",
                                 "networkAddress",   "interfaceName",  "local"};
}  // namespace

std::vector<LldpTimerSend> PlanLldpTimerWrites(long heldInterval, long heldDelay, long hold, long interval, long reinit,
                                               long delay) {
    std::vector<LldpTimerSend> sends;
    LldpTimerSend main;
    auto add = [&](const std::string& oid, long value) { main.vars.emplace_back(oid, value); };
    auto sendMain = [&] { sends.push_back(main); };
    auto sendHold = [&] { sends.push_back({true, {{CLLDPGroup::kHold, hold}}}); };
    // The interval goes before the multiplier when the held interval would not take it.
    auto intervalAndHold = [&] {
        if (heldInterval * hold > kMaxProduct) {
            add(CLLDPGroup::kInterval, interval);
            sendMain();
            sendHold();
        } else {
            sendHold();
            add(CLLDPGroup::kInterval, interval);
            sendMain();
        }
    };
    // A held TX delay too long for the new interval is shortened first.
    if (heldDelay * 4 > interval) {
        add(CLLDPGroup::kTxDelay, delay);
        sendMain();
        add(CLLDPGroup::kReinit, reinit);
        intervalAndHold();
    } else {
        intervalAndHold();
        add(CLLDPGroup::kReinit, reinit);
        add(CLLDPGroup::kTxDelay, delay);
    }
    sendMain();  // the final send, with its tries
    return sends;
}

BEGIN_MESSAGE_MAP(CLLDPGroup, CFeatureDialog)
    ON_BN_CLICKED(IDC_STATE_APPLY, OnBUTTONLldpEnableApply)
    ON_BN_CLICKED(IDC_TIMERS_APPLY, OnApplyTimers)
END_MESSAGE_MAP()

CLLDPGroup::CLLDPGroup(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

BOOL CLLDPGroup::OnInitDialog() {
    CFeatureDialog::OnInitDialog();
    OnGetSystemInfo();
    return TRUE;
}

void CLLDPGroup::CloseSessions() {
    m_cCommonSNMP.Close();
    m_cCommonSNMPSet.Close();
}

void CLLDPGroup::EnableTimerInputs(bool enable) {
    for (auto id : {IDC_HOLD, IDC_INTERVAL, IDC_REINIT, IDC_TX_DELAY}) Item(id).EnableWindow(enable ? TRUE : FALSE);
    Item(IDC_TIMERS_APPLY).EnableWindow(enable ? TRUE : FALSE);
}

void CLLDPGroup::OnGetSystemInfo() {
    m_cCommonSNMP.Start(
        SnmpReadSpec::Get({kState, kHold, kInterval, kReinit, kTxDelay, kLocal + "1.0", kLocal + "2.0", kLocal + "3.0",
                           kLocal + "4.0"}),
        [this](const SnmpRow& row) { OnSystemInfo(row); },
        [this](const SnmpReadResult& end) {
            if (!end.Complete()) Item(IDC_STATE_APPLY).EnableWindow(TRUE);
        });
}

void CLLDPGroup::OnSystemInfo(const SnmpRow& row) {
    const bool on = row.Text(0) == "1";
    Item(IDC_ENABLE).SetCheck(on ? BST_CHECKED : BST_UNCHECKED);
    EnableTimerInputs(on);
    Item(IDC_HOLD).SetWindowText(row.Text(1));
    Item(IDC_INTERVAL).SetWindowText(row.Text(2));
    m_strHeldInterval = row.Text(2);
    Item(IDC_REINIT).SetWindowText(row.Text(3));
    Item(IDC_TX_DELAY).SetWindowText(row.Text(4));
    m_strHeldDelay = row.Text(4);
    const int subtype = row.Number(5);
    Item(IDC_CHASSIS_SUBTYPE).SetWindowText(subtype >= 1 && subtype <= 7 ? kSubtypes[subtype - 1] : row.Text(5));
    // Only the bytes present, at most six.
    std::string chassis;
    const std::string& bytes = row.Bytes(6);
    for (size_t i = 0; i < bytes.size() && i < 6; ++i) {
        char pair[4];
        std::snprintf(pair, sizeof pair, i ? "-%02X" : "%02X", static_cast<unsigned char>(bytes[i]));
        chassis += pair;
    }
    Item(IDC_CHASSIS_ID).SetWindowText(chassis);
    Item(IDC_SYSTEM_NAME).SetWindowText(row.Text(7));
    Item(IDC_SYSTEM_DESCRIPTION).SetWindowText(row.Text(8));
}

void CLLDPGroup::SendWithTries(const std::vector<SnmpSetVar>& vars) {
    for (int attempt = 0; attempt < kTries; ++attempt) {
        if (SnmpSet(m_cCommonSNMPSet, vars).Answered()) {
            win::Sleep(kAnsweredPauseMs);
            return;
        }
        win::Sleep(kFailedPauseMs);
    }
}

void CLLDPGroup::OnBUTTONLldpEnableApply() {
    CWaitCursor wait;
    Item(IDC_STATE_APPLY).EnableWindow(FALSE);
    SendWithTries({SnmpSetVar::Integer(kState, Item(IDC_ENABLE).GetCheck() == BST_CHECKED ? 1 : 2)});
    OnGetSystemInfo();
    Item(IDC_STATE_APPLY).EnableWindow(TRUE);
}

void CLLDPGroup::OnApplyTimers() {
    auto number = [this](ui::ControlId<CEdit> id) { return std::atol(Item(id).GetWindowText().c_str()); };
    const long hold = number(IDC_HOLD);
    const long interval = number(IDC_INTERVAL);
    const long reinit = number(IDC_REINIT);
    const long delay = number(IDC_TX_DELAY);
    const InputCheck checks[] = {
        {[&] { return hold < 2 || hold > 10; }, "The Message TX Hold Multipier should be 2-10"},
        {[&] { return interval < 5 || interval > 32768; }, "The Message TX Interval should be 5-32768"},
        {[&] { return interval * hold > kMaxProduct; }, "(Message TX Interval * Message TX Hold Multiplier) > 65535. "},
        {[&] { return delay < 1 || delay > 8192; }, "The LLDP TX Delay should be 1-8192"},
        {[&] { return delay * 4 > interval; }, "LLDP TX Delay should be <= 0.25 * (Message TX Interval)"},
        {[&] { return reinit < 1 || reinit > 10; }, "The LLDP Reinit Delay should be 1-10"},
    };
    if (!PassChecks(checks)) return;
    const auto sends = PlanLldpTimerWrites(std::atol(m_strHeldInterval.c_str()), std::atol(m_strHeldDelay.c_str()),
                                           hold, interval, reinit, delay);
    CCommonSNMP holdSession;  // this Apply's own
    auto vars = [](const LldpTimerSend& send) {
        std::vector<SnmpSetVar> out;
        for (const auto& [oid, value] : send.vars) out.push_back(SnmpSetVar::Integer(oid, value));
        return out;
    };
    for (size_t i = 0; i + 1 < sends.size(); ++i)
        SnmpSet(sends[i].holdSession ? holdSession : m_cCommonSNMPSet, vars(sends[i]));
    Item(IDC_TIMERS_APPLY).EnableWindow(FALSE);
    SendWithTries(vars(sends.back()));
    holdSession.Close();
    OnGetSystemInfo();
    Item(IDC_TIMERS_APPLY).EnableWindow(TRUE);
}
