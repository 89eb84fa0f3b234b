#include "features/ports/PortMirroringLogic.h"

#include <algorithm>

#include "core/DeviceProfile.h"
#include "core/Utils.h"
#include "platform/ui/Wnd.h"
#include "resources/templates/MirrorDialogsIds.h"

namespace {
const std::string kMirror = "1.3.6.1.4.1.32473.10.76.21.1.18.";
const std::string kState = kMirror + "1.0";
const std::string kTarget = kMirror + "2.0";
const std::string kRxPorts = kMirror + "3.0";
const std::string kTxPorts = kMirror + "4.0";

// Sets the flag of every listed port up to the port count.
void MarkPorts(const std::string& bitmap, std::vector<MirrorPort>& ports, unsigned char MirrorPort::*flag) {
    int count = 0;
    const std::string list = CUtils::PortBitmapToList(bitmap, &count);
    if (count == 0 || ports.empty()) return;
    std::vector<int> listed(std::max<size_t>(ports.size(), static_cast<size_t>(g_nDevicePortNum)), 0);
    CUtils::PortListToArray(list, listed.data(), 1);
    for (size_t i = 0; i < ports.size(); ++i) {
        if (listed[i] == 1) ports[i].*flag = 1;
    }
}
}  // namespace

CPortMirroringLogic::CPortMirroringLogic()
    : m_ports(static_cast<size_t>(std::clamp(g_nDevicePortNum, 0, port_mirroring_ids::kMaxMirrorPorts))) {}

CPortMirroringLogic::~CPortMirroringLogic() { Close(); }

void CPortMirroringLogic::Close() {
    m_settingsRead.Close();
    m_trunkWalk.Close();
}

void CPortMirroringLogic::GetSettings() {
    m_settingsRead.Start(
        SnmpReadSpec::Get({kState, kTarget, kRxPorts, kTxPorts}), [this](const SnmpRow& row) { OnSettings(row); },
        nullptr);
}

void CPortMirroringLogic::GetTrunkPorts() { m_trunkWalk.Start(); }

void CPortMirroringLogic::OnSettings(const SnmpRow& row) {
    MirrorSettings settings;
    settings.ports.resize(m_ports.size());
    m_strPrevState = row.Text(0);
    settings.state = m_strPrevState == "1" ? 1 : 0;
    settings.target = row.Text(1) == "0" ? "1" : row.Text(1);
    MarkPorts(row.Bytes(2), settings.ports, &MirrorPort::rx);
    MarkPorts(row.Bytes(3), settings.ports, &MirrorPort::tx);
    ::SendMessage(m_hWnd.load(), WM_MIRROR_SETTINGS, 0, reinterpret_cast<LPARAM>(&settings));
}

int CPortMirroringLogic::CheckTrunkModes() {
    for (size_t i = 0; i < m_ports.size(); ++i) {
        if (m_ports[i].checked != 0) continue;
        for (size_t j = i + 1; j < m_ports.size(); ++j) {
            if (m_ports[j].trunk != m_ports[i].trunk) continue;
            if (m_ports[j].tx != m_ports[i].tx || m_ports[j].rx != m_ports[i].rx) return 0;
            m_ports[j].checked = 1;
        }
    }
    return 1;
}

std::string CPortMirroringLogic::SourceBitmap(bool tx) const {
    std::vector<int> flags(std::max<size_t>(m_ports.size(), static_cast<size_t>(g_nDevicePortNum)), 0);
    for (size_t i = 0; i < m_ports.size(); ++i) flags[i] = tx ? m_ports[i].tx : m_ports[i].rx;
    return CUtils::PortFlagsToBitmap(flags.data());
}

void CPortMirroringLogic::SetSettings(const std::string& previousState, const std::string& newState,
                                      const std::string& target) {
    // The answers are not examined: the re-read that follows shows what the switch holds.
    if (newState == "1") {
        if (previousState == "1") {
            const std::vector<int> none(std::max<size_t>(m_ports.size(), static_cast<size_t>(g_nDevicePortNum)), 0);
            const std::string empty = CUtils::PortFlagsToBitmap(none.data());
            SnmpSet(m_cCommonSNMP, {SnmpSetVar::Octets(kTxPorts, empty), SnmpSetVar::Octets(kRxPorts, empty)});
        }
        SnmpSet(m_cCommonSNMP, {{kTarget, SNMP_TYPE_INTEGER, target}});
        SnmpSet(m_cCommonSNMP,
                {SnmpSetVar::Octets(kTxPorts, SourceBitmap(true)), SnmpSetVar::Octets(kRxPorts, SourceBitmap(false))});
    }
    SnmpSet(m_cCommonSNMP, {{kState, SNMP_TYPE_INTEGER, newState}});
}
