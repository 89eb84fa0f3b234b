#include "features/ports/PortConfigLogic.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "core/DeviceProfile.h"
#include "platform/ui/Prompt.h"
#include "platform/ui/Wnd.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"

namespace {
const std::string kPortTable = "1.3.6.1.4.1.32473.10.76.21.1.1.13.1.";
const std::string kDescriptionTable = "1.3.6.1.4.1.32473.10.76.21.1.1.16.1.";
// Read in this order: port, speed, link, MDI/MDIX, flow control, medium.
const char* const kPortColumns[] = {"1", "2", "3", "4", "5", "7"};
constexpr int kPortWalkTimeoutMs = 8000;
constexpr int kPortsPerRequest = 15;
constexpr DWORD kBatchPauseMs = 100;

// A response variable's value as text ("" when it has none).
std::string ValueText(const CSnmp& response, int index) {
    int type = 0;
    const char* value = nullptr;
    if (response.getValue(index, type, value) != CSnmp::EC_NO_ERROR || value == nullptr) return {};
    return value;
}

int ValueNumber(const CSnmp& response, int index) { return std::atoi(ValueText(response, index).c_str()); }

// The message boxes of the checks: a plain notice, or a question that goes on only with OK.
void Notice(const std::string& text) { AfxMessageBox(text, MB_OK); }
bool ConfirmedWithOk(const std::string& text) {
    return AfxMessageBox(text, MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) == IDOK;
}

// An answer to a walk that was stopped or restarted is released and nothing else: the
// running read goes on. True when it was one.
bool DropStale(CCommonSNMP& session, CSnmp* response, int requestId) {
    if (session.FindRequestID(requestId) != 0) return false;
    delete response;
    return true;
}

std::string WithPort(const char* format, int port) {
    char text[128];
    std::snprintf(text, sizeof text, format, port);
    return text;
}
}  // namespace

CPortConfigLogic::CPortConfigLogic() { Init(); }

CPortConfigLogic::~CPortConfigLogic() {
    // The records below belong to this class and go before the base's sessions do.
    CloseSessions();
}

void CPortConfigLogic::Init() {
    m_nPortNum = std::clamp(g_nDevicePortNum, 0, kMaxDevicePorts);
    m_arrPortConfig.assign(static_cast<size_t>(m_nPortNum), PortConfigEntry{});
    m_arrPortDescription.assign(static_cast<size_t>(m_nPortNum), PortDescriptionEntry{});
}

void CPortConfigLogic::CloseSessions() {
    m_cCommonSNMP.Close();
    m_cCommonSNMPTable.Close();
}

void CPortConfigLogic::Notify(UINT message) { ::SendMessage(m_hWnd.load(), message, 0, 0); }

int CPortConfigLogic::GetPortConfig() {
    m_cCommonSNMP.Open(SNMP_PDU_GETNEXT);
    m_nConfigRows = 0;
    for (const char* column : kPortColumns) m_cCommonSNMP.AddVarBind(kPortTable + column, SNMP_TYPE_NULL, nullptr);
    m_cCommonSNMP.StartAsync(OnPortConfigRow, this, kPortWalkTimeoutMs);
    return 1;
}

int CPortConfigLogic::OnPortConfigRow(CSnmp* response, int requestId, void* userData, int status) {
    auto* self = static_cast<CPortConfigLogic*>(userData);
    CCommonSNMP& session = self->m_cCommonSNMP;
    if (DropStale(session, response, requestId)) return 0;
    if (status != 0) {
        // Every way a read can end gives the dialog its buttons back; only a time-out asks
        // for another read (a library error would repeat at once).
        self->Notify(status == CSnmp::EC_TIMEOUT ? WM_PORT_READ_TIMEOUT : WM_PORT_READ_DONE);
        session.SetDone();
        return 0;
    }
    if (self->m_nConfigRows < self->m_nPortNum) {
        PortConfigEntry& e = self->m_arrPortConfig[static_cast<size_t>(self->m_nConfigRows)];
        e.port = ValueNumber(*response, 0);
        e.speed = ValueNumber(*response, 1);
        e.link = ValueNumber(*response, 2);
        e.mdix = ValueNumber(*response, 3);
        e.flowControl = ValueNumber(*response, 4);
        e.medium = ValueNumber(*response, 5);
    }
    ++self->m_nConfigRows;
    delete response;
    // Last: once re-armed (or refused by a closing owner) the object may go.
    session.StartAsync(OnPortConfigRow, self, 0);
    return 0;
}

int CPortConfigLogic::SetPortConfig(const PortConfigEntry& entry) {
    if (!ValidPort(entry.port)) return 0;
    const std::string instance = "." + std::to_string(entry.port);
    const std::string speed = std::to_string(entry.speed);
    const std::string mdix = std::to_string(entry.mdix);
    const std::string flowControl = std::to_string(entry.flowControl);
    m_cCommonSNMP.Open(SNMP_PDU_SET);
    m_cCommonSNMP.AddVarBind(kPortTable + "2" + instance, SNMP_TYPE_INTEGER, speed.c_str());
    m_cCommonSNMP.AddVarBind(kPortTable + "4" + instance, SNMP_TYPE_INTEGER, mdix.c_str());
    m_cCommonSNMP.AddVarBind(kPortTable + "5" + instance, SNMP_TYPE_INTEGER, flowControl.c_str());
    CSnmp* raw = nullptr;
    const int status = m_cCommonSNMP.Send(raw, 0);
    delete raw;
    return status == 0 ? 1 : 0;
}

int CPortConfigLogic::CheckTrunkField(int row, int port, int requested, int PortConfigEntry::*field) {
    if (!ValidRow(row) || !ValidPort(port)) return 0;
    const int trunk = m_TrunkPorts[static_cast<size_t>(port - 1)];
    if (trunk == 0) return 1;
    const int current = m_arrPortConfig[static_cast<size_t>(row)].*field;
    for (int p = 1; p <= m_nPortNum; ++p) {
        if (p != port && m_TrunkPorts[static_cast<size_t>(p - 1)] == trunk && requested != current) return 0;
    }
    return 1;
}

int CPortConfigLogic::CheckTrunkSpeed(int row, int port, int speed) {
    return CheckTrunkField(row, port, speed, &PortConfigEntry::speed);
}

int CPortConfigLogic::CheckTrunkFlowControl(int row, int port, int flowControl) {
    return CheckTrunkField(row, port, flowControl, &PortConfigEntry::flowControl);
}

int CPortConfigLogic::CheckTrunkMdix(int row, int port, int mdix) {
    return CheckTrunkField(row, port, mdix, &PortConfigEntry::mdix);
}

int CPortConfigLogic::CheckMdix(int row, int port, int mdix) {
    if (!ValidRow(row) || !ValidPort(port)) return 0;
    if (m_arrPortConfig[static_cast<size_t>(row)].medium == 2 || mdix == 1) return 1;
    Notice(WithPort("Fiber Port  %d can not support MDI/MDIX mode.", port));
    return 0;
}

int CPortConfigLogic::CheckSpeed(int row, int port, int speed) {
    if (!ValidRow(row) || !ValidPort(port)) return 0;
    if (m_arrPortConfig[static_cast<size_t>(row)].medium == 4 && speed != 1 && speed != 6 && speed != 7) {
        Notice(WithPort("Fiber Port %d with 1000Base-x SFP Module can not support this speed.", port));
        return 0;
    }
    if (speed != 6 && speed != 7 &&
        !ConfirmedWithOk("The speed is set to force mode. \n* The speed mode must be the same as the counterpart. ")) {
        return 0;
    }
    if (m_TrunkPorts[static_cast<size_t>(port - 1)] != 0 && (speed == 3 || speed == 5)) {
        Notice(WithPort("Trunk member port  %d can not support in half-duplex mode.", port));
        return 0;
    }
    return 1;
}

int CPortConfigLogic::CheckNotAllDisabled(int row, int speed) {
    if (speed != 7 || !ValidRow(row)) return 1;
    const auto down = std::count_if(m_arrPortConfig.begin(), m_arrPortConfig.end(),
                                    [](const PortConfigEntry& e) { return e.link == 1; });
    if (down == m_nPortNum - 1 && m_arrPortConfig[static_cast<size_t>(row)].link != 1) {
        Notice("Sorry, you can not disable all ports.");
        return 0;
    }
    return 1;
}

int CPortConfigLogic::ConfirmFlowControl(int flowControl) {
    if (flowControl != 1) return 1;
    return ConfirmedWithOk(
               "QoS works best when Flow Control is disabled. \n* When Flow Control is enabled.QoS may not perform "
               "accurate bandwidth allocation. \n* Do you still want to enable Flow Control?. ")
               ? 1
               : 0;
}

void CPortConfigLogic::GetPortDescriptions() {
    m_cCommonSNMPTable.Open(SNMP_PDU_GETNEXT);
    m_nDescriptionRows = 0;
    m_cCommonSNMPTable.AddVarBind(kDescriptionTable + "1", SNMP_TYPE_NULL, nullptr);
    m_cCommonSNMPTable.AddVarBind(kDescriptionTable + "2", SNMP_TYPE_NULL, nullptr);
    m_cCommonSNMPTable.StartAsync(OnPortDescriptionRow, this, 0);
}

int CPortConfigLogic::OnPortDescriptionRow(CSnmp* response, int requestId, void* userData, int status) {
    auto* self = static_cast<CPortConfigLogic*>(userData);
    CCommonSNMP& session = self->m_cCommonSNMPTable;
    if (DropStale(session, response, requestId)) return 0;
    if (status != 0) {
        OutputDebugStringA("iStatus != CSnmp4w::EC_NO_ERROR");
        session.SetDone();
        self->Notify(WM_PORT_READ_END);
        return 0;
    }
    OutputDebugStringA("**********port member***************");
    const int port = ValueNumber(*response, 0);
    std::string text = ValueText(*response, 1);
    ++self->m_nDescriptionRows;
    if (self->m_nDescriptionRows <= self->m_nPortNum) {
        PortDescriptionEntry& e = self->m_arrPortDescription[static_cast<size_t>(self->m_nDescriptionRows - 1)];
        e.port = port;
        e.description = text;
    }
    OutputDebugStringA(text.c_str());
    delete response;
    session.StartAsync(OnPortDescriptionRow, self, 0);
    return 0;
}

int CPortConfigLogic::SetPortDescriptions(int from, int to, const std::string& text) {
    if (from < 0) return 0;
    int status = -1;
    auto send = [&](int first, int last) {
        m_cCommonSNMP.Open(SNMP_PDU_SET);
        for (int p = first; p <= last; ++p) {
            m_cCommonSNMP.AddVarBind(kDescriptionTable + "2." + std::to_string(p), SNMP_TYPE_OCTETS, text.data(),
                                     static_cast<int>(text.size()));
        }
        CSnmp* raw = nullptr;
        status = m_cCommonSNMP.Send(raw, 0);
        delete raw;
    };
    const int d = to - from;
    if (d <= kPortsPerRequest) {
        send(from, to);
    } else {
        const int full = d / kPortsPerRequest;
        for (int i = 0; i < full; ++i) {
            const int first = from + i * kPortsPerRequest;
            send(first, first + kPortsPerRequest - 1);
            win::Sleep(kBatchPauseMs);
        }
        send(from + full * kPortsPerRequest, to);
    }
    return status == 0 ? 1 : 0;
}
