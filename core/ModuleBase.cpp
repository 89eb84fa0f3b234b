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

// A response variable's value: the bytes of an OCTET STRING, the text of anything else.
std::string ValueOf(const CSnmp& response, int index) {
    int type = 0;
    const unsigned char* data = nullptr;
    int length = 0;
    if (response.getBinaryValue(index, type, data, length) != CSnmp::EC_NO_ERROR || data == nullptr) return {};
    return std::string(reinterpret_cast<const char*>(data), static_cast<size_t>(std::max(length, 0)));
}

// An answer whose request is no longer outstanding (the walk was stopped or restarted) is
// released; true when it was one.
bool DropStale(CCommonSNMP& session, CSnmp* response, int requestId, int status) {
    if (session.FindRequestID(requestId) != 0) return false;
    if (status == 0) session.SetDone();
    delete response;
    return true;
}

// The row index below the column: the instance suffix without its leading ".".
std::string RowIndex(CCommonSNMP& session, CSnmp* response) {
    std::string suffix;
    if (session.GetIndex(0, response, suffix) != 0 || suffix.empty()) return {};
    return suffix.substr(1);
}
}  // namespace

CModuleBase::CModuleBase() : m_TrunkPorts(static_cast<size_t>(std::max(g_nDevicePortNum, 0)), 0) {}

CModuleBase::~CModuleBase() {
    // A closed session refuses the callback's re-arming, so the walk ends with the answer in
    // flight; the sessions' destructors then wait for the worker before the data goes.
    m_cCommonSNMPTable.Close();
}

int CModuleBase::Execute(const std::string&, int, int, int, int) { return 0; }

int CModuleBase::SetHwnd(HWND hwnd) {
    if (hwnd == nullptr) return 0;
    m_hWnd = hwnd;
    return 1;
}

int CModuleBase::GetValue(const std::string& oid, std::string& value) {
    m_cCommonSNMP.Open(SNMP_PDU_GET);
    m_cCommonSNMP.AddVarBind(oid, SNMP_TYPE_NULL, nullptr);
    CSnmp* raw = nullptr;
    if (m_cCommonSNMP.Send(raw, 0) != 0) return 0;
    const std::unique_ptr<CSnmp> response(raw);
    int errorStatus = 0;
    int errorIndex = 0;
    response->getErrorStatus(errorStatus, errorIndex);
    if (errorStatus != 0) return 0;
    value = ValueOf(*response, 0);
    return 1;
}

int CModuleBase::SetValues(const VARBIND_INFO* list, int count) {
    m_cCommonSNMP.Open(SNMP_PDU_SET);
    for (int i = 0; list != nullptr && i < count; ++i) {
        m_cCommonSNMP.AddVarBind(list[i].oid, list[i].type, list[i].value, list[i].length);
    }
    CSnmp* raw = nullptr;
    if (m_cCommonSNMP.Send(raw, static_cast<int>(std::atol(ModuleStartupParams::TimeoutMs.c_str()))) != 0) return 0;
    const std::unique_ptr<CSnmp> response(raw);
    int errorStatus = 0;
    int errorIndex = 0;
    response->getErrorStatus(errorStatus, errorIndex);
    return errorStatus == 0 ? 1 : 0;
}

int CModuleBase::SetRowStatus(const std::string& oid, const std::string& value) {
    if (value != "1" && value != "4" && value != "5" && value != "6") {
        AfxMessageBox("error status value!");
        return 0;
    }
    m_cCommonSNMPSet.Open(SNMP_PDU_SET);
    m_cCommonSNMPSet.AddVarBind(oid, SNMP_TYPE_INTEGER, value.c_str());
    CSnmp* raw = nullptr;
    if (m_cCommonSNMPSet.Send(raw, 0) != 0) return 0;
    delete raw;
    return 1;
}

void CModuleBase::Publish(const std::function<void()>& fn) {
    if (!ui::RunOnUiThread(fn)) fn();
}

void CModuleBase::ReadTrunkPorts() {
    // Open stops an earlier walk first, so its callbacks are over before the rows restart.
    m_cCommonSNMPTable.Open(SNMP_PDU_GETNEXT);
    m_bTrunkRead = 0;
    m_walkTrunkPorts.assign(std::max(static_cast<size_t>(ScratchPorts()), m_TrunkPorts.size()), 0);
    m_walkTrunkRows = 0;
    m_cCommonSNMPTable.AddVarBind(kTrunkMemberColumn, SNMP_TYPE_NULL, nullptr);
    m_cCommonSNMPTable.StartAsync(OnTrunkPortsRow, this, 0);
}

int CModuleBase::OnTrunkPortsRow(CSnmp* response, int requestId, void* userData, int status) {
    auto* self = static_cast<CModuleBase*>(userData);
    CCommonSNMP& session = self->m_cCommonSNMPTable;
    if (DropStale(session, response, requestId, status)) return 0;
    if (status != 0) {
        // The rows read so far replace the old trunk numbers, also after a failure.
        Publish([self] {
            std::copy_n(self->m_walkTrunkPorts.begin(), self->m_TrunkPorts.size(), self->m_TrunkPorts.begin());
            self->m_bTrunkRead = self->m_walkTrunkRows > 0 ? 1 : 0;
        });
        session.SetDone();
        return 0;
    }
    int count = 0;
    const std::string list = CUtils::PortBitmapToList(ValueOf(*response, 0), &count);
    if (count > 0) {
        const int trunk = std::atoi(RowIndex(session, response).c_str());
        CUtils::PortListToArray(list, self->m_walkTrunkPorts.data(), trunk);
    }
    ++self->m_walkTrunkRows;
    delete response;
    // Last: once re-armed (or refused by a closing owner) the object may go.
    session.StartAsync(OnTrunkPortsRow, self, 0);
    return 0;
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
    m_cCommonSNMPTable.Open(SNMP_PDU_GETNEXT);
    m_arrVlanId.clear();
    m_arrVlanName.clear();
    m_arrVlanStatus.clear();
    m_walkVlanId.clear();
    m_walkVlanName.clear();
    m_walkVlanStatus.clear();
    m_cCommonSNMPTable.AddVarBind(kVlanNameColumn, SNMP_TYPE_NULL, nullptr);
    m_cCommonSNMPTable.AddVarBind(kVlanStatusColumn, SNMP_TYPE_NULL, nullptr);
    m_cCommonSNMPTable.StartAsync(OnVlanTableRow, this, kVlanWalkTimeoutMs);
}

int CModuleBase::OnVlanTableRow(CSnmp* response, int requestId, void* userData, int status) {
    auto* self = static_cast<CModuleBase*>(userData);
    CCommonSNMP& session = self->m_cCommonSNMPTable;
    if (DropStale(session, response, requestId, status)) return 0;
    if (status != 0) {
        Publish([self] {
            self->m_arrVlanId = self->m_walkVlanId;
            self->m_arrVlanName = self->m_walkVlanName;
            self->m_arrVlanStatus = self->m_walkVlanStatus;
        });
        if (status == CSnmp::EC_END_OF_TABLE) SendMessage(self->m_hWnd.load(), WM_VLAN_TABLE_READ, kVlanTableEnd, 0);
        session.SetDone();
        return 0;
    }
    self->m_walkVlanName.push_back(ValueOf(*response, 0));
    self->m_walkVlanId.push_back(RowIndex(session, response));
    self->m_walkVlanStatus.push_back(ValueOf(*response, 1));
    delete response;
    session.StartAsync(OnVlanTableRow, self, kVlanWalkTimeoutMs);
    return 0;
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
    std::string hex;
    CUtils::PortArrayToHexBitmap(ports.data(), hex);
    CUtils::PadPortBitmapHex(hex);
    std::vector<unsigned char> bytes((hex.size() + 1) / 2);
    CUtils::HexStringToBytes(hex, bytes.data(), static_cast<int>(bytes.size()));
    if (oid.empty()) return;
    CCommonSNMP session;
    session.Open(SNMP_PDU_SET);
    session.AddVarBind(oid, SNMP_TYPE_OCTETS, bytes.data(), static_cast<int>(bytes.size()));
    CSnmp* response = nullptr;
    session.Send(response, 0);
    delete response;
}
