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

// The message boxes of the checks: a plain notice, or a question that goes on only with OK.
void Notice(const std::string& text) { AfxMessageBox(text, MB_OK); }
bool ConfirmedWithOk(const std::string& text) {
    return AfxMessageBox(text, MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) == IDOK;
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
    m_portRead.Close();
    m_tableRead.Close();
    m_cCommonSNMP.Close();
    m_cCommonSNMPTable.Close();
}

void CPortConfigLogic::Notify(UINT message) { ::SendMessage(m_hWnd.load(), message, 0, 0); }

int CPortConfigLogic::GetPortConfig() {
    m_nConfigRows = 0;
    std::vector<std::string> columns;
    for (const char* column : kPortColumns) columns.push_back(kPortTable + column);
    SnmpReadSpec spec = SnmpReadSpec::Walk(columns, kPortWalkTimeoutMs);
    spec.nextTimeoutMs = 0;  // the rows after the first: the session's own
    m_portRead.Start(
        spec, [this](const SnmpRow& row) { OnPortConfigRow(row); },
        [this](const SnmpReadResult& end) {
            // Every way a read can end gives the dialog its buttons back; only a
            // time-out asks for another read (a library error would repeat at once).
            Notify(end.TimedOut() ? WM_PORT_READ_TIMEOUT : WM_PORT_READ_DONE);
        });
    return 1;
}

void CPortConfigLogic::OnPortConfigRow(const SnmpRow& row) {
    PortConfigEntry e;
    e.port = row.Number(0);
    e.speed = row.Number(1);
    e.link = row.Number(2);
    e.mdix = row.Number(3);
    e.flowControl = row.Number(4);
    e.medium = row.Number(5);
    SetPortConfigEntry(m_nConfigRows, e);
    ++m_nConfigRows;
}

void CPortConfigLogic::SetPortConfigEntry(int entry, const PortConfigEntry& values) {
    if (entry < 0 || entry >= m_nPortNum || entry >= static_cast<int>(m_arrPortConfig.size())) return;
    m_arrPortConfig[static_cast<size_t>(entry)] = values;
}

int CPortConfigLogic::SetPortConfig(const PortConfigEntry& entry) {
    if (!ValidPort(entry.port)) return 0;
    const std::string instance = "." + std::to_string(entry.port);
    const SnmpAnswer answer =
        SnmpSet(m_cCommonSNMP, {SnmpSetVar::Integer(kPortTable + "2" + instance, entry.speed),
                                SnmpSetVar::Integer(kPortTable + "4" + instance, entry.mdix),
                                SnmpSetVar::Integer(kPortTable + "5" + instance, entry.flowControl)});
    return answer.Answered() ? 1 : 0;
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
    m_nDescriptionRows = 0;
    m_tableRead.Start(
        SnmpReadSpec::Walk({kDescriptionTable + "1", kDescriptionTable + "2"}),
        [this](const SnmpRow& row) { OnPortDescriptionRow(row); },
        [this](const SnmpReadResult&) {
            OutputDebugStringA("iStatus != CSnmp4w::EC_NO_ERROR");
            Notify(WM_PORT_READ_END);
        });
}

void CPortConfigLogic::OnPortDescriptionRow(const SnmpRow& row) {
    OutputDebugStringA("**********port member***************");
    ++m_nDescriptionRows;
    if (m_nDescriptionRows <= m_nPortNum) SetPortDescriptionEntry(m_nDescriptionRows - 1, row.Number(0), row.Text(1));
    OutputDebugStringA(row.Text(1).c_str());
}

void CPortConfigLogic::SetPortDescriptionEntry(int entry, int port, const std::string& description) {
    if (entry < 0 || entry >= static_cast<int>(m_arrPortDescription.size())) return;
    PortDescriptionEntry& e = m_arrPortDescription[static_cast<size_t>(entry)];
    e.port = port;
    e.description = description;
}

int CPortConfigLogic::SetPortDescriptions(int from, int to, const std::string& text) {
    if (from < 0) return 0;
    int status = -1;
    auto send = [&](int first, int last) {
        std::vector<SnmpSetVar> vars;
        for (int p = first; p <= last; ++p)
            vars.push_back(SnmpSetVar::Octets(kDescriptionTable + "2." + std::to_string(p), text));
        status = SnmpSet(m_cCommonSNMP, vars).status;
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
