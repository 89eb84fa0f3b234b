#include "features/security/IMPFunclogic.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/DeviceProfile.h"
#include "core/Utils.h"
#include "core/controls/EditEXIPV6.h"
#include "platform/ui/Prompt.h"
#include "platform/ui/Wnd.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"

const std::string CIMPFunclogic::kImpb = "1.3.6.1.4.1.32473.10.76.21.1.14.10";

namespace {
const std::string kPortTable = CIMPFunclogic::kImpb + ".1.1.";
const std::string kBindingTable = CIMPFunclogic::kImpb + ".2.1.";
const std::string kWhiteList = CIMPFunclogic::kImpb + ".3.1.";
const std::string kBlackList = CIMPFunclogic::kImpb + ".4.1.";

std::string WithoutColons(std::string text) {
    std::erase(text, ':');
    return text;
}

// The address of a binding row: its family from the address's instance suffix, which is
// the MAC, the port, the address length and the address.
std::string BindingAddress(const SnmpValue& address, const std::string& mac, const std::string& port) {
    std::string rest = address.index;
    const std::string prefix = CUtils::MacToOidSuffix(mac) + "." + port + ".";
    if (const size_t at = rest.find(prefix); at != std::string::npos) rest.erase(at, prefix.size());
    if (rest.empty()) return address.text;
    // A buffer as long as the longest address, so a short value is not read past.
    unsigned char bytes[16] = {};
    std::memcpy(bytes, address.bytes.data(), std::min(address.bytes.size(), sizeof bytes));
    if (rest[0] == '4') return CUtils::HexToDottedIPv4(CUtils::AddressBytesToText(bytes, 1));
    return CUtils::AddressBytesToText(bytes, 2);
}

}  // namespace

std::string ImpbBindingIndex(const IMPBEntry& entry) {
    std::string index = CUtils::MacToOidSuffix(entry.mac) + "." + entry.port;
    if (entry.ip.find(':') == std::string::npos) return index + ".4." + entry.ip;
    return index + ".16" + CUtils::MacToOidSuffix(WithoutColons(entry.ip));
}

std::string ImpbWhiteListIndex(const IMPBEntry& entry) {
    const std::string address = entry.ip.find(':') == std::string::npos
                                    ? ".4." + entry.ip
                                    : ".16" + CUtils::MacToOidSuffix(WithoutColons(CUtils::ExpandIPv6(entry.ip)));
    return address + CUtils::MacToOidSuffix(entry.mac);
}

std::string ImpbBlackListIndex(const IMPBEntry& entry) {
    return CUtils::MacToOidSuffix(entry.mac) + "." + entry.vid + "." + entry.port;
}

CIMPFunclogic::~CIMPFunclogic() { Close(); }

void CIMPFunclogic::Close() {
    m_portRead.Close();
    m_listRead.Close();
    m_cCommonSNMPWrite.Close();
    m_tableRead.Close();
}

void CIMPFunclogic::NotifyList(WPARAM kind, const IMPBEntry* entry) {
    ::SendMessage(m_hWnd.load(), WM_IMPB_LIST_ROW, kind, reinterpret_cast<LPARAM>(entry));
}

void CIMPFunclogic::ReadPortSettings() {
    m_portRead.Start(
        SnmpReadSpec::Walk({kPortTable + "1", kPortTable + "2", kPortTable + "3", kPortTable + "4"}),
        [this](const SnmpRow& row) {
            const IMPBPortEntry entry{row.Text(0), row.Text(1), row.Text(2), row.Text(3)};
            ::SendMessage(m_hWnd.load(), WM_IMPB_PORT_ROW, kImpbRow, reinterpret_cast<LPARAM>(&entry));
        },
        [this](const SnmpReadResult&) { ::SendMessage(m_hWnd.load(), WM_IMPB_PORT_ROW, kImpbEnd, 0); });
}

void CIMPFunclogic::ReadBindingTable() {
    m_listRead.Start(
        SnmpReadSpec::Walk(
            {kBindingTable + "1", kBindingTable + "4", kBindingTable + "2", kBindingTable + "3", kBindingTable + "5"},
            kBindingReadTimeoutMs),
        [this](const SnmpRow& row) {
            IMPBEntry entry;
            entry.mac = CUtils::MacBytesToText(row.Bytes(0));
            entry.vid = row.Text(1);
            entry.port = row.Text(2);
            entry.ip = BindingAddress(row.vars[3], entry.mac, entry.port);
            entry.state = row.Text(4);
            NotifyList(kImpbRow, &entry);
        },
        [this](const SnmpReadResult&) { NotifyList(kImpbEnd, nullptr); });
}

void CIMPFunclogic::ReadWhiteList() {
    m_nWhiteListCount = 0;
    m_listRead.Start(
        SnmpReadSpec::Walk({kWhiteList + "1", kWhiteList + "2", kWhiteList + "3", kWhiteList + "4"}),
        [this](const SnmpRow& row) {
            const IMPBEntry entry{row.Text(0), CUtils::MacBytesToText(row.Bytes(1)), "", row.Text(2), row.Text(3)};
            NotifyList(kImpbRow, &entry);
        },
        [this](const SnmpReadResult&) { NotifyList(kImpbEnd, nullptr); });
}

void CIMPFunclogic::ReadBlackList() {
    m_listRead.Start(
        SnmpReadSpec::Walk({kBlackList + "1", kBlackList + "2", kBlackList + "3", kBlackList + "4", kBlackList + "5"}),
        [this](const SnmpRow& row) {
            IMPBEntry entry{row.Text(3), CUtils::MacBytesToText(row.Bytes(0)), row.Text(1), row.Text(2), row.Text(4)};
            if (entry.ip.find('.') == std::string::npos) entry.ip = CUtils::CompressIPv6(entry.ip);
            NotifyList(kImpbRow, &entry);
        },
        [this](const SnmpReadResult&) { NotifyList(kImpbEnd, nullptr); });
}

int CIMPFunclogic::StartScan(const IMPBScanRequest& request) {
    if (m_pScanFromEdit == nullptr || m_pScanToEdit == nullptr) return 1;
    if (m_cCommonSNMPWrite.Open(SNMP_PDU_SET)) {
        m_pScanFromEdit->AddAddressVarBind(m_cCommonSNMPWrite, kImpb + ".5.0");
        m_pScanToEdit->AddAddressVarBind(m_cCommonSNMPWrite, kImpb + ".6.0");
        SnmpSendPrepared(m_cCommonSNMPWrite);
    }
    win::Sleep(kWritePauseMs);
    SnmpSet(m_cCommonSNMPWrite, {{kImpb + ".7.0", SNMP_TYPE_INTEGER, request.start}});
    return 1;
}

int CIMPFunclogic::BindEntry(const IMPBEntry& entry) {
    OutputDebugStringA(CUtils::MacToOidSuffix(entry.mac).c_str());
    SnmpSet(m_cCommonSNMPWrite, {{kBindingTable + "5" + ImpbBindingIndex(entry), SNMP_TYPE_INTEGER, entry.state}});
    return 1;
}

int CIMPFunclogic::SetWhiteListEntry(const IMPBEntry& entry, int operation) {
    const std::string index = ImpbWhiteListIndex(entry);
    const std::string status = kWhiteList + "4" + index;
    OutputDebugStringA(CUtils::MacToOidSuffix(entry.mac).c_str());
    OutputDebugStringA(status.c_str());
    if (operation == 3) {
        SetRowStatus(status, "6");
    } else if (operation == 1) {
        // Each step goes out only when the one before was accepted: a refused createAndWait
        // means the row is there already, and its port must not be overwritten.
        bool accepted = SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(status, 5)}).Ok();
        accepted =
            accepted && SnmpSet(m_cCommonSNMPWrite, {{kWhiteList + "3" + index, SNMP_TYPE_INTEGER, entry.port}}).Ok();
        if (accepted) {
            win::Sleep(kWritePauseMs);
            accepted = SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Integer(status, 1)}).Ok();
        }
        if (accepted) AfxMessageBox("Success!");
        else AfxMessageBox("The entry could not be added.", MB_ICONERROR);
    }
    return 1;
}

int CIMPFunclogic::DeleteBlackListEntry(const IMPBEntry& entry) {
    SnmpSet(m_cCommonSNMPWrite, {SnmpSetVar::Integer(kBlackList + "5" + ImpbBlackListIndex(entry), 1)});
    return 1;
}

int CIMPFunclogic::SetPortSettings(const std::string& fromPort, const std::string& toPort,
                                   const IMPBPortEntry& settings) {
    const int from = std::max(std::atoi(fromPort.c_str()), 1);
    const int to = std::min(std::atoi(toPort.c_str()), g_nDevicePortNum);
    for (int p = from; p <= to; ++p) {
        const std::string port = "." + std::to_string(p);
        SnmpSet(m_cCommonSNMPWrite, {{kPortTable + "2" + port, SNMP_TYPE_INTEGER, settings.adminState},
                                     {kPortTable + "3" + port, SNMP_TYPE_INTEGER, settings.inspection},
                                     {kPortTable + "4" + port, SNMP_TYPE_INTEGER, settings.dhcpSnooping}});
    }
    return 1;
}

int CIMPFunclogic::CheckTrunkPorts(const std::string& fromPort, const std::string& toPort,
                                   const std::string& adminState) {
    ReadTrunkPorts();
    WaitTrunkPorts();
    if (adminState != "1") return 1;
    const int from = std::max(std::atoi(fromPort.c_str()), 1);
    const int to = std::min(std::atoi(toPort.c_str()), static_cast<int>(m_TrunkPorts.size()));
    for (int p = from; p <= to; ++p) {
        if (m_TrunkPorts[static_cast<size_t>(p - 1)] != 0) return 0;
    }
    return 1;
}
