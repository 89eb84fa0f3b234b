#include "features/management/RMONEthernetStatistics.h"

#include <algorithm>

#include "core/DeviceProfile.h"
#include "core/controls/InputCheck.h"
#include "resources/templates/ManagementDialogsIds.h"

using namespace rmon_statistics_ids;

namespace {
constexpr int kMaxIndex = 65535;

bool Contains(const std::vector<int>& values, int value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}
}  // namespace

BEGIN_MESSAGE_MAP(CRMONEthernetStatistics, CRmonTableDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CRMONEthernetStatistics::CRMONEthernetStatistics(CWnd* parent)
    : CRmonTableDialog(IDD,
                       {"RMON Ethernet Statistics Configuration",
                        IDC_LIST,
                        IDC_OWNER,
                        {{"Index"},
                         {"Port"},
                         {"Drop Event", "Drop Event ", 10},
                         {"Octets ", "Octets    ", 20},
                         {"Packets ", "Packets ", 15},
                         {"Broadcast \n Packets", "Broadcast \n Packets ", 10},
                         {"Multicast \n Packets", "Multicast \n Packets ", 10},
                         {"Owner"},
                         {""}},
                        {IDC_PORT, IDC_OWNER, IDC_INDEX, IDC_REFRESH, IDC_CLOSE, IDC_APPLY}},
                       parent) {}

void CRMONEthernetStatistics::ListRows() {
    m_validIndexes.clear();
    m_validPorts.clear();
    m_staleIndexes.clear();
    m_stalePorts.clear();
    for (const RMON_ethernet_statistics_info& e : m_rmon.m_listEtherStats) {
        const RMON_ethernet_statistics_configuration& c = e.config;
        if (c.status != 1) {
            m_staleIndexes.push_back(c.index);
            m_stalePorts.push_back(c.port);
            continue;
        }
        AddListedRow({std::to_string(c.index), std::to_string(c.port), std::to_string(e.dropEvents),
                      std::to_string(e.octets), std::to_string(e.packets), std::to_string(e.broadcastPackets),
                      std::to_string(e.multicastPackets), c.owner});
        m_validIndexes.push_back(c.index);
        m_validPorts.push_back(c.port);
    }
}

bool CRMONEthernetStatistics::IsPortInUse(int port) const { return Contains(m_validPorts, port); }

void CRMONEthernetStatistics::InvalidateStaleEntries(int port) {
    for (size_t i = 0; i < m_stalePorts.size(); ++i) {
        if (m_stalePorts[i] == port && !m_rmon.DeleteEtherStatsEntry(m_staleIndexes[i])) return;
    }
}

void CRMONEthernetStatistics::ClearInputs() {
    for (auto id : {IDC_PORT, IDC_OWNER, IDC_INDEX}) Item(id).SetWindowText("");
}

void CRMONEthernetStatistics::OnApply() {
    const int index = Number(IDC_INDEX);
    const int port = Number(IDC_PORT);
    const InputCheck checks[] = {
        {[&] { return index < 1 || index > kMaxIndex; }, "Index must be between 1 and 65535!"},
        {[&] { return Contains(m_validIndexes, index); }, "Index had already exits!"},
        {[&] { return port < 1 || port > g_nDevicePortNum; },
         "Port number must be between 1 and " + std::to_string(g_nDevicePortNum) + "!"},
        {[&] { return IsPortInUse(port); }, "Setting error. Port number had already exits!"},
    };
    if (!PassChecks(checks)) return;
    InvalidateStaleEntries(port);
    RMON_ethernet_statistics_configuration entry;
    entry.index = index;
    entry.port = port;
    entry.owner = Item(IDC_OWNER).GetWindowText();
    EnableInputs(false);
    m_rmon.SetEtherStatsEntry(&entry);
    EnableInputs(true);
    ClearInputs();
    RefreshTable();
}
