#include "features/stp/LBDetectionFunLogic.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "core/DeviceProfile.h"
#include "core/Utils.h"
#include "features/stp/StpObjects.h"
#include "platform/ui/Prompt.h"
#include "platform/ui/Wnd.h"
#include "platform/win/Clock.h"

namespace {
const std::string kLbd = stp::kPrivate + "17.";
constexpr std::size_t kMaxLoopPorts = 100;
constexpr int kPortWriteTimeoutMs = 2000;
constexpr DWORD kAfterWritePauseMs = 50;
constexpr int kHighestVlan = 4094;

bool InRange(const std::string& text, long long low, long long high) {
    const long long v = std::atoll(text.c_str());
    return v >= low && v <= high;
}
}  // namespace

CLBDetectionFunLogic::CLBDetectionFunLogic()
    : m_strLoopVlans(std::min(static_cast<std::size_t>(std::max(g_nDevicePortNum, 0)), kMaxLoopPorts)) {}

CLBDetectionFunLogic::~CLBDetectionFunLogic() {
    m_globalRead.Close();
    m_portRead.Close();
    m_vlanLoopRead.Close();
    m_cCommonSNMPWrite.Close();
}

void CLBDetectionFunLogic::Notify(WPARAM code, LPARAM data) { ::SendMessage(m_hWnd.load(), WM_LBD_NOTIFY, code, data); }

std::string CLBDetectionFunLogic::LoopVlans(int port) const {
    if (port < 1 || port > static_cast<int>(m_strLoopVlans.size())) return "";
    return m_strLoopVlans[static_cast<std::size_t>(port - 1)];
}

// The dialog's enable rule needs both the global answer (or its failure) and the port walk's
// end, in whichever order they come.
void CLBDetectionFunLogic::ReadPartEnded() {
    if (m_nReadParts > 0 && --m_nReadParts == 0) Notify(kLbdReadEnd);
}

void CLBDetectionFunLogic::GetGlobalSettings() {
    ++m_nReadParts;
    m_globalRead.Start(
        SnmpReadSpec::Get({kLbd + "1.0", kLbd + "3.0", kLbd + "4.0", kLbd + "2.0", kLbd + "7.0"}),
        [this](const SnmpRow& row) {
            m_GlobalSettings.enabled = row.Text(0) == "1" ? 1 : 0;
            m_GlobalSettings.interval = row.Text(1);
            m_GlobalSettings.recoverTime = row.Text(2);
            m_GlobalSettings.mode = row.Text(3);
            m_GlobalSettings.vlanList = row.Text(4);
            Notify(kLbdGlobalRead, reinterpret_cast<LPARAM>(&m_GlobalSettings));
        },
        [this](const SnmpReadResult&) { ReadPartEnded(); });
}

void CLBDetectionFunLogic::GetPortStates() {
    ++m_nReadParts;
    m_portRead.Start(
        SnmpReadSpec::Walk({kLbd + "5.1.1", kLbd + "5.1.2", kLbd + "5.1.3"}),
        [this](const SnmpRow& row) {
            LBDPortEntry e{row.Text(0), row.Text(1) == "1" ? "Enabled" : "Disabled",
                           row.Text(2) == "1" ? "Normal" : "Disabled"};
            Notify(kLbdPortRow, reinterpret_cast<LPARAM>(&e));
        },
        [this](const SnmpReadResult&) { ReadPartEnded(); });
}

void CLBDetectionFunLogic::GetVlanLoopStates() {
    std::fill(m_strLoopVlans.begin(), m_strLoopVlans.end(), std::string());
    m_vlanLoopRead.Start(
        SnmpReadSpec::Walk({kLbd + "6.1.1", kLbd + "6.1.2"}),
        [this](const SnmpRow& row) {
            m_strCurrentVlan = row.Text(0);
            int count = 0;
            std::istringstream ports(CUtils::PortBitmapToList(row.Bytes(1), &count));
            std::string item;
            while (std::getline(ports, item, ',')) {
                const int p = std::atoi(item.c_str());
                // Ports beyond the texts are not this device's.
                if (p >= 1 && p <= static_cast<int>(m_strLoopVlans.size())) {
                    m_strLoopVlans[static_cast<std::size_t>(p - 1)] += m_strCurrentVlan + ",";
                }
            }
        },
        [this](const SnmpReadResult&) { Notify(kLbdVlanLoopEnd); });
}

int CLBDetectionFunLogic::SetGlobalSettings(const std::string& state, const std::string& mode,
                                            const std::string& interval, const std::string& recoverTime,
                                            const std::string& vlanList) {
    if (!InRange(interval, 1, 32767)) {
        AfxMessageBox("The value range is 1 - 32767.");
        return 0;
    }
    if (!(InRange(recoverTime, 0, 0) || InRange(recoverTime, 60, 1000000))) {
        AfxMessageBox("The value range is 60 - 1000000 or 0.");
        return 0;
    }
    std::vector<SnmpSetVar> vars = {SnmpSetVar::Integer(kLbd + "1.0", std::atoi(state.c_str()))};
    if (state == "1") {
        if (CUtils::ParseVlanList(vlanList, kHighestVlan) == 0) return 0;
        vars.push_back(SnmpSetVar::Integer(kLbd + "2.0", std::atoi(mode.c_str())));
        vars.push_back(SnmpSetVar::Integer(kLbd + "3.0", std::atoll(interval.c_str())));
        vars.push_back(SnmpSetVar::Integer(kLbd + "4.0", std::atoll(recoverTime.c_str())));
        vars.push_back(SnmpSetVar::Octets(kLbd + "7.0", vlanList));
    }
    if (SnmpSet(m_cCommonSNMPWrite, vars).Answered()) win::Sleep(kAfterWritePauseMs);
    return 1;
}

void CLBDetectionFunLogic::SetPortStates(int first, int last, const std::string& state) {
    for (int p = first; p <= last; ++p) {
        SnmpSet(m_cCommonSNMPWrite,
                {SnmpSetVar::Integer(stp::Instance(stp::kLbdPortState, p), std::atoi(state.c_str()))},
                kPortWriteTimeoutMs);
    }
    Notify(kLbdPortsWritten);
}
