#include "views/DHCPBootpLogic.h"

#include <cctype>

#include "platform/ui/Wnd.h"

namespace {
const std::string kRelay = "1.3.6.1.4.1.32473.10.76.21.1.28.";
const std::string kRelayState = kRelay + "1.1.0";
const std::string kHopsLimit = kRelay + "1.2.0";
const std::string kTimeThreshold = kRelay + "1.3.0";
const std::string kOption82State = kRelay + "2.2.1.0";
const std::string kOption82Check = kRelay + "2.2.2.0";
const std::string kOption82Policy = kRelay + "2.2.3.0";
const std::string kRemoteIdType = kRelay + "2.2.4.0";
const std::string kRemoteId = kRelay + "2.2.5.0";
// The interface name "System" as a text index: its length, then each character's code.
const std::string kSystemIndex = ".6.83.121.115.116.101.109.";

const std::string kLocalRelayStateOid = "1.3.6.1.4.1.32473.10.76.21.1.29.1.0";
const std::string kLocalRelayTable = "1.3.6.1.4.1.32473.10.76.21.1.29.2.1.";  // + column
const std::string kVlanTable = "1.3.6.1.4.1.32473.10.76.21.1.7.6.1.";         // + column

// A typed number: its leading digits (none gives 0); more digits than any limit here reads
// as a value above every limit.
long long TypedNumber(const std::string& text) {
    long long value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) break;
        value = value * 10 + (c - '0');
        if (value > 1000000) return 1000001;
    }
    return value;
}
}  // namespace

const std::string CDHCPBootpLogic::kRelayServerTable = kRelay + "2.1.1.";

std::string BuildGlobalSettings(const BootpRelayGlobalForm& form, BootpRelayGlobalInfo& record) {
    BootpRelayGlobalInfo r;
    r.relayState = form.relayState == "Enabled" ? "1" : "2";
    const long long hops = TypedNumber(form.hops);
    if (hops < 1 || hops > 16) return kHopsMessage;
    r.hopsLimit = std::to_string(hops);
    const long long threshold = TypedNumber(form.threshold);
    if (threshold > 65535) return kThresholdMessage;
    r.timeThreshold = std::to_string(threshold);
    r.option82Check = form.option82Check == "Enabled" ? "1" : "2";
    r.option82Policy = std::to_string(form.policyIndex + 1);
    r.remoteIdType = form.remoteIdType == "Default" ? "1" : "2";
    r.remoteId = form.remoteId;
    record = r;
    return "";
}

CDHCPBootpLogic::~CDHCPBootpLogic() { CloseSessions(); }

void CDHCPBootpLogic::CloseSessions() { m_tableRead.Close(); }

void CDHCPBootpLogic::Notify(WPARAM code, LPARAM data) const {
    if (m_hWnd != nullptr) ::SendMessage(m_hWnd, WM_DHCP_BOOTP_NOTIFY, code, data);
}

void CDHCPBootpLogic::ReadGlobalSettings() {
    const SnmpAnswer a = SnmpGet(m_cCommonSNMP, {kRelayState, kHopsLimit, kTimeThreshold, kOption82State,
                                                 kOption82Check, kOption82Policy, kRemoteIdType, kRemoteId});
    BootpRelayGlobalInfo info;
    if (a.Answered()) {
        std::string* fields[] = {&info.relayState,    &info.hopsLimit,      &info.timeThreshold, &info.option82State,
                                 &info.option82Check, &info.option82Policy, &info.remoteIdType,  &info.remoteId};
        for (size_t i = 0; i < std::size(fields); ++i) *fields[i] = a.Text(i);
    }
    Notify(kBootpRecord, reinterpret_cast<LPARAM>(&info));
}

int CDHCPBootpLogic::WriteGlobalSettings(BootpRelayGlobalInfo info) {
    const SnmpAnswer a =
        SnmpSet(m_cCommonSNMPSet, {
                                      SnmpSetVar::Integer(kRelayState, TypedNumber(info.relayState)),
                                      SnmpSetVar::Integer(kHopsLimit, TypedNumber(info.hopsLimit)),
                                      SnmpSetVar::Integer(kTimeThreshold, TypedNumber(info.timeThreshold)),
                                      SnmpSetVar::Integer(kOption82Check, TypedNumber(info.option82Check)),
                                      SnmpSetVar::Integer(kOption82Policy, TypedNumber(info.option82Policy)),
                                      SnmpSetVar::Integer(kRemoteIdType, TypedNumber(info.remoteIdType)),
                                      SnmpSetVar::Octets(kRemoteId, info.remoteId),
                                  });
    return a.Ok() ? 1 : 0;
}

void CDHCPBootpLogic::ReadRelayServers() {
    m_tableRead.Start(
        SnmpReadSpec::Walk({kRelayServerTable + "2", kRelayServerTable + "3"}),
        [this](const SnmpRow& row) { OnRelayServerRow(row); },
        [this](const SnmpReadResult&) { Notify(kBootpServerEnd, 0); });
}

void CDHCPBootpLogic::OnRelayServerRow(const SnmpRow& row) {
    RelayServerEntry entry{"System", row.Text(0), row.Text(1)};
    Notify(kBootpRecord, reinterpret_cast<LPARAM>(&entry));
}

int CDHCPBootpLogic::SetRelayServerStatus(const std::string& address, const std::string& status) {
    return m_ModuleBase.SetRowStatus(kRelayServerTable + "3" + kSystemIndex + address, status);
}

void CDHCPBootpLogic::ReadLocalRelay() {
    std::string state;
    m_ModuleBase.GetValue(kLocalRelayStateOid, state);
    Notify(kLocalRelayStateRead, reinterpret_cast<LPARAM>(state.c_str()));
    m_tableRead.Start(
        SnmpReadSpec::Walk({kLocalRelayTable + "1", kVlanTable + "1", kLocalRelayTable + "2", kVlanTable + "5"}),
        [this](const SnmpRow& row) { OnLocalRelayRow(row); },
        [this](const SnmpReadResult&) { Notify(kLocalRelayEnd, 0); });
}

void CDHCPBootpLogic::OnLocalRelayRow(const SnmpRow& row) {
    LocalRelayVlanEntry entry{row.Text(0), row.Text(1), row.Text(2), row.Text(3)};
    Notify(kLocalRelayVlanRow, reinterpret_cast<LPARAM>(&entry));
}

int CDHCPBootpLogic::SetOne(const SnmpSetVar& var) { return SnmpSet(m_cCommonSNMPSet, {var}).Ok() ? 1 : 0; }

int CDHCPBootpLogic::SetLocalRelayState(const std::string& value) {
    return SetOne(SnmpSetVar::Integer(kLocalRelayStateOid, TypedNumber(value)));
}

int CDHCPBootpLogic::SetLocalRelayVlanState(const std::string& vlanId, const std::string& value) {
    if (vlanId.empty() || vlanId.find_first_not_of("0123456789") != std::string::npos) return 0;
    return SetOne(SnmpSetVar::Integer(kLocalRelayTable + "2." + vlanId, TypedNumber(value)));
}
