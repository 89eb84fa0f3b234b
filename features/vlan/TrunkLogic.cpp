#include "features/vlan/TrunkLogic.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <vector>

#include "core/DeviceProfile.h"
#include "core/Utils.h"
#include "platform/ui/Prompt.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"

namespace {

const std::string P = "1.3.6.1.4.1.32473.10.76.21.1.";

const std::string kVlanEgress = P + "7.6.1.2";
const std::string kVlanUntagged = P + "7.6.1.4";
const std::string kAclPorts = P + "15.2.1.1.10";
const std::string kMirrorRx = P + "18.3.0";
const std::string kMirrorTx = P + "18.4.0";
const std::string kLearnPorts = P + "9.2.0";
const std::string kArpPorts = P + "14.3.1.1.3";
const std::string kCameraState = P + "26.1.5.1.2";
const std::string kCameraMode = P + "26.1.5.1.3";
const std::string kMirrorState = P + "18.1.0";
const std::string kMirrorTarget = P + "18.2.0";
const std::string kStaticFdbPort = P + "9.3.1.3";
const std::string kDot1xState = P + "11.2.1.0";
const std::string kRstpState = P + "6.1.1.0";
const std::string kCameraVlanState = P + "26.1.1.0";
const std::string kDhcpScreening = P + "14.7.1.0";
const std::string kTrunkMembersColumn = P + "8.1.3.1.2.";
const std::string kTrunkModeColumn = P + "8.1.3.1.3.";

// The spanning-tree walk: the seven port values in record order, then the 802.1X port control
// and the voice VLAN port mode.
const std::vector<std::string> kRstpColumns = {
    P + "6.2.1.4",  P + "6.2.1.2",  P + "6.2.1.5",    P + "6.2.1.16",   P + "6.2.1.18",
    P + "6.2.1.17", P + "6.2.1.14", P + "23.2.1.1.9", P + "21.1.6.1.2",
};
// The per-port settings walk: speed, 802.1p priority, PVID, port security, loopback detection,
// transmit and receive rate limits.
const std::vector<std::string> kPortSettingColumns = {
    P + "1.13.1.2", P + "12.3.1.1.2", P + "7.7.1.1",    P + "14.2.1.1.2",
    P + "17.5.1.2", P + "13.1.2.1.2", P + "13.1.2.1.3",
};

// The other reads get a head start before the per-port settings walk.
constexpr DWORD kPortSettingsPauseMs = 500;

void Debug(const std::string& text) { OutputDebugStringA(text.c_str()); }

int StateOf(const SnmpRow& row, size_t k) { return row.Text(k) == "1" ? 1 : 2; }

bool IsDecimal(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

CTrunkLogic::CTrunkLogic() = default;

CTrunkLogic::~CTrunkLogic() {
    // The reads first, so that no handler meets the data going away.
    m_rstpRead.Close();
    m_cameraRead.Close();
    m_arpRead.Close();
    m_portSettingsRead.Close();
    m_fdbRead.Close();
    m_vlanRead.Close();
    m_mirrorTargetRead.Close();
    m_aclRead.Close();
    m_mirrorSourceRead.Close();
    m_stateRead.Close();
    if (m_trunkWalk) m_trunkWalk->Close();
}

int CTrunkLogic::Init() {
    m_nPortNum = std::clamp(g_nDevicePortNum, 0, kMaxDevicePorts);
    try {
        std::lock_guard lock(m_mutex);
        m_data = TrunkSettings(m_nPortNum);
        m_trunkWalk.emplace();
    } catch (const std::bad_alloc&) {
        return 0;
    }
    ReadAll();
    return 1;
}

void CTrunkLogic::SetReadsEndedHandler(std::function<void()> handler) {
    std::lock_guard lock(m_mutex);
    m_onReadsEnded = std::move(handler);
}

bool CTrunkLogic::ReadsEnded() const {
    std::lock_guard lock(m_mutex);
    return m_readsEnded;
}

TrunkSettings CTrunkLogic::Snapshot() const {
    std::lock_guard lock(m_mutex);
    return m_data;
}

void CTrunkLogic::ReadAll() {
    {
        std::lock_guard lock(m_mutex);
        m_data = TrunkSettings(m_nPortNum);
        m_ended.reset();
        m_readsEnded = false;
        m_started = true;
    }
    ReadPortSettings();
    ReadMirrorTarget();
    ReadStaticFdbPorts();
    Get8021EnableState();
    ReadDhcpScreeningPorts();
}

void CTrunkLogic::ReadEnded(Read which) {
    std::function<void()> handler;
    {
        std::lock_guard lock(m_mutex);
        if (!m_started) return;
        m_ended.set(which);
        if (m_readsEnded || !m_ended.all()) return;
        m_readsEnded = true;
        handler = m_onReadsEnded;
    }
    if (handler) handler();
}

void CTrunkLogic::StartRead(CSnmpRead& read, Read which, const SnmpReadSpec& spec,
                            std::function<void(const SnmpRow&)> store) {
    read.Start(
        spec,
        [this, store = std::move(store)](const SnmpRow& row) {
            std::lock_guard lock(m_mutex);
            store(row);
        },
        [this, which](const SnmpReadResult&) { ReadEnded(which); });
}

int CTrunkLogic::PortOf(const SnmpRow& row, size_t k, int portCount) {
    if (k >= row.Size() || !row.vars[k].present) return 0;
    const std::string& index = row.vars[k].index;
    // A single arc below the column: ".<port>".
    if (index.size() < 2 || index[0] != '.' || !IsDecimal(index.substr(1)) || index.size() > 4) return 0;
    const int port = std::stoi(index.substr(1));
    return port >= 1 && port <= portCount ? port : 0;
}

void CTrunkLogic::StorePerPort(std::vector<int>& values, const SnmpRow& row, size_t k, int portCount) {
    const int port = PortOf(row, k, portCount);
    if (port != 0 && static_cast<size_t>(port) <= values.size()) values[static_cast<size_t>(port - 1)] = row.Number(k);
}

std::string CTrunkLogic::ListOf(const std::string& bitmap) const {
    int count = 0;
    std::string list = CUtils::PortBitmapToList(bitmap, &count);
    return count > 0 ? list : std::string();
}

void CTrunkLogic::ReadPortSettings() {
    ReadTrunkMembers();
    ReadVlanPorts();
    ReadAclPorts();
    ReadMirrorSources();
    ReadArpPorts();
    ReadSurveillancePorts();
    ReadRstpPorts();
    win::Sleep(kPortSettingsPauseMs);
    StartRead(
        m_portSettingsRead, kReadPortSettings, SnmpReadSpec::Walk(kPortSettingColumns), [this](const SnmpRow& row) {
            std::vector<int>* targets[] = {&m_data.speed, &m_data.priority,    &m_data.pvid,       &m_data.portSecurity,
                                           &m_data.lbd,   &m_data.bandwidthTx, &m_data.bandwidthRx};
            for (size_t k = 0; k < std::size(targets); ++k) StorePerPort(*targets[k], row, k, m_nPortNum);
        });
}

void CTrunkLogic::ReadTrunkMembers() {
    m_trunkWalk->Start([this] {
        {
            std::lock_guard lock(m_mutex);
            const std::vector<int>& trunks = m_trunkWalk->Ports();
            for (size_t i = 0; i < m_data.inTrunk.size(); ++i) m_data.inTrunk[i] = i < trunks.size() && trunks[i] != 0;
        }
        ReadEnded(kReadTrunkMembers);
    });
}

void CTrunkLogic::ReadVlanPorts() {
    StartRead(m_vlanRead, kReadVlanPorts, SnmpReadSpec::Walk({kVlanEgress, kVlanUntagged}), [this](const SnmpRow& row) {
        const std::string egress = ListOf(row.Bytes(0));
        const std::string untagged = ListOf(row.Bytes(1));
        if (!egress.empty()) m_data.egressRecords += TrunkRecord(egress);
        if (!untagged.empty()) m_data.untaggedRecords += TrunkRecord(untagged);
    });
}

void CTrunkLogic::ReadAclPorts() {
    StartRead(m_aclRead, kReadAclPorts, SnmpReadSpec::Walk({kAclPorts}), [this](const SnmpRow& row) {
        const std::string ports = ListOf(row.Bytes(0));
        if (!ports.empty()) m_data.aclRecords += TrunkRecord(ports);
    });
}

void CTrunkLogic::ReadMirrorSources() {
    StartRead(m_mirrorSourceRead, kReadMirrorSources, SnmpReadSpec::Get({kMirrorRx, kMirrorTx, kLearnPorts}),
              [this](const SnmpRow& row) {
                  m_data.mirrorPortsA = ListOf(row.Bytes(0));
                  m_data.mirrorPortsB = ListOf(row.Bytes(1));
                  m_data.learnPorts = ListOf(row.Bytes(2));
              });
}

void CTrunkLogic::ReadArpPorts() {
    // One record per gateway, so that each gateway's port set is judged.
    StartRead(m_arpRead, kReadArpPorts, SnmpReadSpec::Walk({kArpPorts}), [this](const SnmpRow& row) {
        const std::string ports = ListOf(row.Bytes(0));
        if (!ports.empty()) m_data.arpRecords += TrunkRecord(ports);
    });
}

void CTrunkLogic::ReadSurveillancePorts() {
    StartRead(m_cameraRead, kReadSurveillancePorts, SnmpReadSpec::Walk({kCameraState, kCameraMode}),
              [this](const SnmpRow& row) {
                  StorePerPort(m_data.cameraVlanState, row, 0, m_nPortNum);
                  StorePerPort(m_data.cameraVlanMode, row, 1, m_nPortNum);
              });
}

void CTrunkLogic::ReadRstpPorts() {
    StartRead(m_rstpRead, kReadRstpPorts, SnmpReadSpec::Walk(kRstpColumns), [this](const SnmpRow& row) {
        for (size_t k = 0; k < TrunkSettings::kRstpValues; ++k) {
            const int port = PortOf(row, k, m_nPortNum);
            if (port != 0) m_data.rstp[static_cast<size_t>(port - 1)][k] = row.Number(k);
        }
        StorePerPort(m_data.dot1xPortControl, row, TrunkSettings::kRstpValues, m_nPortNum);
        StorePerPort(m_data.voiceVlanMode, row, TrunkSettings::kRstpValues + 1, m_nPortNum);
    });
}

void CTrunkLogic::ReadMirrorTarget() {
    m_mirrorTargetRead.Start(
        SnmpReadSpec::Get({kMirrorState, kMirrorTarget}),
        [this](const SnmpRow& row) {
            std::lock_guard lock(m_mutex);
            m_data.mirrorEnable = row.Number(0);
            m_data.mirrorTarget = row.Number(1);
        },
        [this](const SnmpReadResult& end) {
            if (!end.Complete()) Debug(" end table of point.");
            ReadEnded(kReadMirrorTarget);
        });
}

void CTrunkLogic::ReadStaticFdbPorts() {
    // Every static entry marks its destination port, however many entries there are.
    StartRead(m_fdbRead, kReadStaticFdbPorts, SnmpReadSpec::Walk({kStaticFdbPort}), [this](const SnmpRow& row) {
        const int port = row.Number(0);
        if (port >= 1 && port <= m_nPortNum) m_data.fdbDestination[static_cast<size_t>(port - 1)] = 1;
    });
}

void CTrunkLogic::Get8021EnableState() {
    Debug("\n******Get8021EnableStateGet8021EnableState*******\n");
    // Start withdraws a GET still outstanding; its end is then this one's.
    StartRead(m_stateRead, kReadGlobalStates, SnmpReadSpec::Get({kDot1xState, kRstpState, kCameraVlanState}),
              [this](const SnmpRow& row) {
                  m_data.dot1xEnable = StateOf(row, 0);
                  m_data.rstpEnable = StateOf(row, 1);
                  m_data.cameraVlanEnable = StateOf(row, 2);
              });
}

void CTrunkLogic::ReadDhcpScreeningPorts() {
    const SnmpAnswer answer = SnmpGet(m_cCommonSNMPDhcp, {kDhcpScreening});
    if (answer.Answered()) {
        const std::vector<int> flags = TrunkPortFlags(ListOf(answer.Bytes(0)), m_nPortNum);
        std::lock_guard lock(m_mutex);
        m_data.dhcpScreening = flags;
    }
    ReadEnded(kReadDhcpScreeningPorts);
}

TrunkSelection CTrunkLogic::Selection() const {
    TrunkSelection selection;
    selection.ports.assign(static_cast<size_t>(m_nPortNum), 0);
    if (m_pSelectPorts != nullptr) std::copy_n(m_pSelectPorts, m_nPortNum, selection.ports.begin());
    selection.trunkMembers = m_strTrunkMembers;
    return selection;
}

int CTrunkLogic::IsAllOrNoneInList(const std::string& list) const {
    return ::IsAllOrNoneInList(list, Selection(), m_nPortNum) ? 1 : 0;
}

int CTrunkLogic::CheckTrunkSelection() {
    const TrunkSettings settings = Snapshot();
    const TrunkSelection selection = Selection();
    for (int i = 0; i < kTrunkCheckCount; ++i) {
        if (i == kRstpCheckIndex) {
            // The global states are read anew for the next run; this one judges what is here.
            Get8021EnableState();
            Debug("AAAAAAAAAAAAAAAAAAAAAAA");
            char line[64];
            std::snprintf(line, sizeof line, "m_iRstpEnable =  %d ", settings.rstpEnable);
            Debug(line);
        }
        const TrunkVerdict refusal = kTrunkChecks[static_cast<size_t>(i)].judge(settings, selection);
        if (!refusal) continue;
        if (i == kRstpCheckIndex) Debug("!!!!!!!!!!!!!!!!!!!!!");
        AfxMessageBox(*refusal, MB_OK);
        return 0;
    }
    return 1;
}

int CTrunkLogic::SetTrunk(const std::string& mode, const std::string& members, const std::string& trunk) {
    const size_t n = members.size() / 2;
    // The trunk number becomes an instance of the OID: digits only.
    if (n < 1 || !IsDecimal(trunk)) {
        AfxMessageBox("Parameter Error !", MB_OK);
        return 0;
    }
    std::string bytes;
    try {
        bytes.assign(n, '\0');
    } catch (const std::bad_alloc&) {
        return 0;
    }
    CUtils::HexStringToBytes(members, reinterpret_cast<unsigned char*>(bytes.data()), static_cast<int>(n));
    // One PDU, members first; an unanswered or refused SET is not reported.
    SnmpSet(m_cCommonSNMPSet, {SnmpSetVar::Octets(kTrunkMembersColumn + trunk, bytes),
                               SnmpSetVar{kTrunkModeColumn + trunk, SNMP_TYPE_INTEGER, mode}});
    return 1;
}

void CTrunkLogic::Close() {
    auto closed = [](const char* member) {
        Debug(std::string("==================") + member + ".Close===============");
    };
    m_stateRead.Close();
    closed("m_cCommonSNMP");
    m_cCommonSNMPSet.Close();
    closed("m_cCommonSNMPSet");
    m_mirrorSourceRead.Close();
    closed("m_cCommonSNMPMirror");
    m_aclRead.Close();
    closed("m_cCommonSNMPTableACL");
    m_mirrorTargetRead.Close();
    closed("m_cCommonSNMPPoint");
    m_vlanRead.Close();
    closed("m_cCommonSNMPTableVlan");
    if (m_trunkWalk) m_trunkWalk->Close();
    closed("m_cCommonSNMPTableTrunk");
    m_fdbRead.Close();
    closed("m_cCommonSNMPTableStaticPor");
    m_cCommonSNMPDhcp.Close();
    m_arpRead.Close();
    m_cameraRead.Close();
    m_rstpRead.Close();
    m_portSettingsRead.Close();
    closed("m_cCommonSNMPTableGetVlanTrunk");
}
