#include "features/vlan/PvidLogic.h"

#include <algorithm>

#include "core/DeviceProfile.h"
#include "core/SnmpRead.h"
#include "platform/ui/Prompt.h"
#include "platform/win/Clock.h"

namespace {
const std::string kPvidColumn = "1.3.6.1.4.1.32473.10.76.21.1.7.7.1.1.";
constexpr int kPortsBeforePause = 40;
constexpr DWORD kPauseMs = 50;
}  // namespace

CPvidLogic::CPvidLogic() : m_nPortNum(std::clamp(g_nDevicePortNum, 0, kMaxDevicePorts)) {}

void CPvidLogic::GetTrunkPorts() { ReadTrunkPorts(); }

const VlanEntry* CPvidLogic::FindVlan(const VlanEntry* head, int vid) { return FindVlanEntry(head, vid); }

int CPvidLogic::CheckTrunkPvid(const int* pvids, const int* trunkIds) const {
    for (int p = 0; p < m_nPortNum; ++p) {
        if (pvids[p] == 1 || trunkIds[p] == 0) continue;
        for (int q = 0; q < m_nPortNum; ++q) {
            if (q != p && trunkIds[q] == trunkIds[p] && pvids[q] != pvids[p]) {
                AfxMessageBox("You should let all Trunk member in the same PVID !");
                return 0;
            }
        }
        AfxMessageBox("Setting PVID on a Trunk is not supported. Please use Web interface for the settings.");
        return 0;
    }
    return 1;
}

int CPvidLogic::CheckPvid(const int* pvids, const VlanEntry* head) const {
    for (int p = 0; p < m_nPortNum; ++p) {
        const VlanEntry* vlan = FindVlan(head, pvids[p]);
        if (vlan == nullptr) {
            AfxMessageBox("Invalid PVID");
            return 0;
        }
        if (vlan->nEgressCount == 0) {
            AfxMessageBox("Invalid PVID,VlAN is empty");
            return 0;
        }
    }
    return 1;
}

int CPvidLogic::SetPvid(const int* pvids) {
    for (int port = 1; port <= m_nPortNum; ++port) {
        // The switch takes at most 40 writes in a row before it needs a moment.
        if (port == kPortsBeforePause + 1) win::Sleep(kPauseMs);
        const unsigned long pvid = static_cast<unsigned long>(std::max(pvids[port - 1], 0));
        if (!SnmpSet(m_cCommonSNMP, {SnmpSetVar::Unsigned(kPvidColumn + std::to_string(port), pvid)}).Ok()) return 0;
    }
    return 1;
}

void CPvidLogic::Close() {
    m_cCommonSNMP.Close();
    m_cCommonSNMPTable.Close();
}
