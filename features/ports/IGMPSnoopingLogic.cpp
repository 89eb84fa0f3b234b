#include "features/ports/IGMPSnoopingLogic.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "core/Utils.h"
#include "platform/ui/Wnd.h"

namespace {
const std::string kIgmp = "1.3.6.1.4.1.32473.10.76.21.1.10.";
const std::string kGlobal = kIgmp + "1.";         // + scalar + ".0"
const std::string kVlanTable = kIgmp + "3.4.1.";  // + column + "." + vid
const std::string kGroupTable = kIgmp + "3.5.1.";
const std::string kVlanName = "1.3.6.1.4.1.32473.10.76.21.1.7.6.1.1";
const std::string kVlanMembers = "1.3.6.1.4.1.32473.10.76.21.1.7.6.1.2.";

// "%d.%d.%d.%d" of a group address, "%02X-...-%02X" of its MAC; "" when too short.
std::string GroupAddressText(const std::string& bytes) {
    if (bytes.size() < 4) return {};
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", b[0], b[1], b[2], b[3]);
    return text;
}

std::string GroupMacText(const std::string& bytes) {
    if (bytes.size() < 6) return {};
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3], b[4], b[5]);
    return text;
}
}  // namespace

CIGMPSnoopingLogic::CIGMPSnoopingLogic() = default;

CIGMPSnoopingLogic::~CIGMPSnoopingLogic() {
    // The walks end before the members their callbacks use go.
    Close();
}

void CIGMPSnoopingLogic::Close() {
    m_cCommonSNMPGet.Close();
    m_cCommonSNMPWrite.Close();
    m_vlanRead.Close();
    m_groupRead.Close();
}

void CIGMPSnoopingLogic::GetGlobalSettings() {
    std::vector<std::string> scalars;
    for (int i = 1; i <= IGMPGlobalSettings::FieldCount; ++i) scalars.push_back(kGlobal + std::to_string(i) + ".0");
    const SnmpAnswer answer = SnmpGet(m_cCommonSNMPGet, scalars, s_nGlobalReadTimeoutMs);
    if (!answer.Ok()) return;
    const size_t count = std::min(answer.Size(), static_cast<size_t>(IGMPGlobalSettings::FieldCount));
    for (size_t i = 0; i < count; ++i) m_GlobalSettings.values[i] = answer.Bytes(i);
    ::SendMessage(m_hOwner.load(), WM_IGMP_VLAN_ROW, kIgmpGlobalRead, 0);
}

int CIGMPSnoopingLogic::SendWrite() {
    CSnmp* raw = nullptr;
    if (m_cCommonSNMPWrite.Send(raw, 0) != 0) return 0;
    const std::unique_ptr<CSnmp> response(raw);
    int errorStatus = 0;
    int errorIndex = 0;
    response->getErrorStatus(errorStatus, errorIndex);
    return errorStatus == 0 ? 1 : 0;
}

int CIGMPSnoopingLogic::SetGlobalSettings(IGMPGlobalSettings previous, IGMPGlobalSettings settings) {
    using F = IGMPGlobalSettings;
    const std::string& state = settings.values[F::State];
    m_cCommonSNMPWrite.Open(SNMP_PDU_SET);
    if (state == previous.values[F::State] && state == "2") return 1;
    if (state != previous.values[F::State]) {
        m_cCommonSNMPWrite.AddVarBind(kGlobal + "1.0", SNMP_TYPE_INTEGER, state.c_str());
        SendWrite();
    }
    // Disabling writes the state only.
    if (state == "2") return 1;
    if (state != "1") return 0;
    // The request stays prepared after a send: after a state change it begins with the state.
    for (int i = F::RouterTimeout; i < F::FieldCount; ++i) {
        const std::string& value = settings.values[static_cast<size_t>(i)];
        if (value != previous.values[static_cast<size_t>(i)]) {
            m_cCommonSNMPWrite.AddVarBind(kGlobal + std::to_string(i + 1) + ".0", SNMP_TYPE_INTEGER, value.c_str());
        }
    }
    return SendWrite();
}

void CIGMPSnoopingLogic::GetVlanSettings() {
    m_vlanRead.Start(
        SnmpReadSpec::Walk(
            {kVlanTable + "1", kVlanName, kVlanTable + "2", kVlanTable + "4", kVlanTable + "8", kVlanTable + "6"}),
        [this](const SnmpRow& row) { OnVlanSettingsRow(row); },
        [this](const SnmpReadResult&) { ::SendMessage(m_hOwner.load(), WM_IGMP_VLAN_ROW, kIgmpWalkEnd, 0); });
}

void CIGMPSnoopingLogic::OnVlanSettingsRow(const SnmpRow& row) {
    IGMPVlanEntry entry;
    entry.vlanId = row.Text(0);
    entry.vlanName = row.Bytes(1);
    entry.state = row.Text(2);
    entry.querierState = row.Text(3);
    entry.fastLeave = row.Text(4);
    entry.routerPorts = CUtils::PortBitmapToList(row.Bytes(5), nullptr);
    ::SendMessage(m_hOwner.load(), WM_IGMP_VLAN_ROW, kIgmpRow, reinterpret_cast<LPARAM>(&entry));
}

int CIGMPSnoopingLogic::SetVlanSettings(const std::string& vlanId, const std::string& previousState,
                                        const std::string& state, const std::string& querierState,
                                        const std::string& fastLeave) {
    auto column = [&](const char* n) { return kVlanTable + n + "." + vlanId; };
    m_cCommonSNMPWrite.Open(SNMP_PDU_SET);
    if (previousState == "2") {
        if (state == "2") return 1;
        // The state goes alone first; the request stays prepared, so the next one repeats it.
        m_cCommonSNMPWrite.AddVarBind(column("2"), SNMP_TYPE_INTEGER, state.c_str());
        SendWrite();
        m_cCommonSNMPWrite.AddVarBind(column("4"), SNMP_TYPE_INTEGER, querierState.c_str());
        m_cCommonSNMPWrite.AddVarBind(column("8"), SNMP_TYPE_INTEGER, fastLeave.c_str());
    } else if (previousState == "1") {
        m_cCommonSNMPWrite.AddVarBind(column("4"), SNMP_TYPE_INTEGER, querierState.c_str());
        m_cCommonSNMPWrite.AddVarBind(column("8"), SNMP_TYPE_INTEGER, fastLeave.c_str());
        if (state == "2") m_cCommonSNMPWrite.AddVarBind(column("2"), SNMP_TYPE_INTEGER, "2");
    }
    return SendWrite();
}

int CIGMPSnoopingLogic::SetRouterPorts(const std::string& vlanId, const unsigned char* bytes, int length) {
    m_cCommonSNMPGet.Open(SNMP_PDU_SET);
    m_cCommonSNMPGet.AddVarBind(kVlanTable + "6." + vlanId, SNMP_TYPE_OCTETS, bytes, length);
    CSnmp* raw = nullptr;
    const int status = m_cCommonSNMPGet.Send(raw, 0);
    delete raw;
    return status == 0 ? 1 : 0;
}

std::string CIGMPSnoopingLogic::GetVlanPorts(const std::string& vlanId) {
    std::string members;
    if (!GetValue(kVlanMembers + vlanId, members)) return {};
    return CUtils::PortBitmapToList(members, nullptr);
}

void CIGMPSnoopingLogic::GetMulticastEntries() {
    m_groupRead.Start(
        SnmpReadSpec::Walk({kGroupTable + "1", kGroupTable + "2", kGroupTable + "3", kGroupTable + "4"}),
        [this](const SnmpRow& row) { GetMulticastEntryinfoProc(row); },
        [this](const SnmpReadResult&) { ::SendMessage(m_hOwner.load(), WM_IGMP_GROUP_ROW, kIgmpWalkEnd, 0); });
}

void CIGMPSnoopingLogic::GetMulticastEntryinfoProc(const SnmpRow& row) {
    IGMPMulticastEntry entry;
    entry.vlanId = row.Text(0);
    // A value shorter than its address is never read past its end: its cell stays empty.
    entry.groupAddress = GroupAddressText(row.Bytes(1));
    entry.groupMac = GroupMacText(row.Bytes(2));
    entry.portMembers = CUtils::PortBitmapToList(row.Bytes(3), nullptr);
    ::SendMessage(m_hOwner.load(), WM_IGMP_GROUP_ROW, kIgmpRow, reinterpret_cast<LPARAM>(&entry));
}
