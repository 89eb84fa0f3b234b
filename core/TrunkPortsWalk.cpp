#include "core/TrunkPortsWalk.h"

#include <algorithm>
#include <cstdlib>

#include "core/DeviceProfile.h"
#include "core/Utils.h"

namespace {
const char* const kTrunkMemberColumn = "1.3.6.1.4.1.32473.10.76.21.1.8.1.3.1.2";
}

CTrunkPortsWalk::CTrunkPortsWalk() : m_ports(static_cast<size_t>(std::max(g_nDevicePortNum, 0)), 0) {}

void CTrunkPortsWalk::Start(std::function<void()> onEnd) {
    m_onEnd = std::move(onEnd);
    // Sized for any port count a bitmap can name, so a wide answer cannot write past it.
    m_walkPorts.assign(
        std::max<size_t>(static_cast<size_t>(std::max(kMaxDevicePorts, g_nDevicePortNum)), m_ports.size()), 0);
    m_read.Start(
        SnmpReadSpec::Walk({kTrunkMemberColumn}),
        [this](const SnmpRow& row) {
            int count = 0;
            const std::string list = CUtils::PortBitmapToList(row.Bytes(0), &count);
            if (count > 0) CUtils::PortListToArray(list, m_walkPorts.data(), std::atoi(row.IndexDigits().c_str()));
        },
        [this](const SnmpReadResult&) {
            std::copy_n(m_walkPorts.begin(), m_ports.size(), m_ports.begin());
            if (m_onEnd) m_onEnd();
        });
}

int CTrunkPortsWalk::Trunk(int port) const {
    if (port < 1 || port > PortCount()) return 0;
    return m_ports[static_cast<size_t>(port - 1)];
}
