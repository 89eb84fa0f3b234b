#include "core/ModuleBase.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "core/DeviceProfile.h"
#include "core/ModuleStartupParams.h"
#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "platform/ui/Wnd.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"

namespace {
const char* const kTrunkMemberColumn = "1.3.6.1.4.1.32473.10.76.21.1.8.1.3.1.2";
const char* const kVlanNameColumn = "1.3.6.1.4.1.32473.10.76.21.1.7.6.1.1";
const char* const kVlanStatusColumn = "1.3.6.1.4.1.32473.10.76.21.1.7.6.1.5";
const char* const kIfPhysAddress = "1.3.6.1.2.1.2.2.1.6";
constexpr int kVlanWalkTimeoutMs = 6000;

// Per-port scratch arrays are sized for any port count, so a port count read later than
// the object's construction cannot write past them.
int ScratchPorts() { return std::max(kMaxDevicePorts, g_nDevicePortNum); }

}  // namespace

CModuleBase::CModuleBase() : m_TrunkPorts(static_cast<size_t>(std::max(g_nDevicePortNum, 0)), 0) {}

CModuleBase::~CModuleBase() { m_tableRead.Close(); }

int CModuleBase::Execute(const std::string&, int, int, int, int) { return 0; }

int CModuleBase::SetHwnd(HWND hwnd) {
    if (hwnd == nullptr) return 0;
    m_hWnd = hwnd;
    return 1;
}

int CModuleBase::GetValue(const std::string& oid, std::string& value) {
    const SnmpAnswer answer = SnmpGet(m_cCommonSNMP, {oid});
    if (!answer.Ok()) return 0;
    value = answer.Bytes(0);
    return 1;
}

int CModuleBase::SetValues(const VARBIND_INFO* list, int count) {
    std::vector<SnmpSetVar> vars;
    for (int i = 0; list != nullptr && i < count; ++i) {
        const VARBIND_INFO& v = list[i];
        // A number travels as its whole decimal text; only an OCTET STRING is counted in bytes.
        const bool number = v.type == SNMP_TYPE_INTEGER || v.type == SNMP_TYPE_UNSIGNED32;
        std::string value;
        if (v.value != nullptr)
            value = number ? std::string(v.value) : std::string(v.value, static_cast<size_t>(std::max(v.length, 0)));
        vars.push_back({v.oid, v.type, value});
    }
    return SnmpSet(m_cCommonSNMP, vars, static_cast<int>(std::atol(ModuleStartupParams::TimeoutMs.c_str()))).Ok() ? 1
                                                                                                                  : 0;
}

int CModuleBase::SetRowStatus(const std::string& oid, const std::string& value) {
    if (value != "1" && value != "4" && value != "5" && value != "6") {
        AfxMessageBox("error status value!");
        return 0;
    }
    // The answer's error status is not examined: the re-read that follows shows a refusal.
    return SnmpSet(m_cCommonSNMPSet, {{oid, SNMP_TYPE_INTEGER, value}}).Answered() ? 1 : 0;
}

void CModuleBase::ReadTrunkPorts() {
    m_bTrunkRead = 0;
    m_trunkWalkIdle.Reset();
    m_walkTrunkPorts.assign(std::max(static_cast<size_t>(ScratchPorts()), m_TrunkPorts.size()), 0);
    m_walkTrunkRows = 0;
    m_tableRead.Start(
        SnmpReadSpec::Walk({kTrunkMemberColumn}), [this](const SnmpRow& row) { OnTrunkPortsRow(row); },
        [this](const SnmpReadResult&) {
            // The rows read so far replace the old trunk numbers, also after a failure.
            std::copy_n(m_walkTrunkPorts.begin(), m_TrunkPorts.size(), m_TrunkPorts.begin());
            m_bTrunkRead = m_walkTrunkRows > 0 ? 1 : 0;
            m_trunkWalkIdle.Set();
        });
}

bool CModuleBase::WaitTrunkPorts(DWORD timeoutMs) {
    return m_trunkWalkIdle.Wait(static_cast<DWORD>(win::ToRealTime(timeoutMs).count())) == WAIT_OBJECT_0;
}

void CModuleBase::OnTrunkPortsRow(const SnmpRow& row) {
    int count = 0;
    const std::string list = CUtils::PortBitmapToList(row.Bytes(0), &count);
    if (count > 0) CUtils::PortListToArray(list, m_walkTrunkPorts.data(), std::atoi(row.IndexDigits().c_str()));
    ++m_walkTrunkRows;
}

int CModuleBase::CheckTrunkMembers(const int* values) {
    if (m_bTrunkRead != 1 || values == nullptr) return 1;
    const int ports = static_cast<int>(m_TrunkPorts.size());
    char line[64];
    for (int i = 0; i < ports; ++i) {
        std::snprintf(line, sizeof line, "m_TrunkPorts[%d] = %d", i, m_TrunkPorts[i]);
        OutputDebugStringA(line);
    }
    for (int i = 0; i < ports; ++i) {
        const int trunk = m_TrunkPorts[i];
        if (values[i] == 0 || trunk == 0) continue;
        for (int j = 0; j < ports; ++j) {
            if (m_TrunkPorts[j] == trunk && values[j] != values[i]) return 0;
        }
    }
    return 1;
}

void CModuleBase::ReadVlanTable() {
    m_arrVlanId.clear();
    m_arrVlanName.clear();
    m_arrVlanStatus.clear();
    m_walkVlanId.clear();
    m_walkVlanName.clear();
    m_walkVlanStatus.clear();
    // Starting this walk withdraws a trunk walk, which then never ends: nobody waits for it.
    m_trunkWalkIdle.Set();
    m_tableRead.Start(
        SnmpReadSpec::Walk({kVlanNameColumn, kVlanStatusColumn}, kVlanWalkTimeoutMs),
        [this](const SnmpRow& row) { OnVlanTableRow(row); },
        [this](const SnmpReadResult& end) {
            m_arrVlanId = m_walkVlanId;
            m_arrVlanName = m_walkVlanName;
            m_arrVlanStatus = m_walkVlanStatus;
            if (end.SessionStatus() == EC_END_OF_TABLE) {
                SendMessage(m_hWnd.load(), WM_VLAN_TABLE_READ, kVlanTableEnd, 0);
            }
        });
}

void CModuleBase::OnVlanTableRow(const SnmpRow& row) {
    m_walkVlanName.push_back(row.Bytes(0));
    m_walkVlanId.push_back(row.IndexDigits());
    m_walkVlanStatus.push_back(row.Bytes(1));
}

void CModuleBase::GetSystemMac(std::string& mac) {
    mac.clear();
    std::string value;
    if (GetValue(std::string(kIfPhysAddress) + ".1", value) == 0 || value.size() < 6) return;
    const auto byte = [&](int i) { return static_cast<unsigned char>(value[static_cast<size_t>(i)]); };
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", byte(0), byte(1), byte(2), byte(3), byte(4),
                  static_cast<unsigned char>(byte(5) - 1));
    mac = text;
}

void CModuleBase::SetPortBitmap(const std::string& portList, const std::string& oid) {
    if (portList.empty()) {
        AfxMessageBox("Please input port value.");
        return;
    }
    std::vector<int> ports(static_cast<size_t>(ScratchPorts()), 0);
    CUtils::ParsePortList(portList, ports.data());
    const std::string bytes = CUtils::PortFlagsToBitmap(ports.data());
    if (oid.empty()) return;
    CCommonSNMP session;  // one for this call alone
    SnmpSet(session, {SnmpSetVar::Octets(oid, bytes)});
}
