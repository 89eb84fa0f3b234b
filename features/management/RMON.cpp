#include "features/management/RMON.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>

#include "core/Utils.h"
#include "platform/ui/Wnd.h"
#include "platform/win/DebugOutput.h"

namespace {
const std::string P = "1.3.6.1.4.1.32473.10.76.21.1";
const std::string kState = P + ".47.1.0";
const std::string kStats = P + ".47.2.1.1.";
const std::string kHistory = P + ".47.3.1.1.";
const std::string kAlarm = P + ".47.4.1.1.";
const std::string kEvent = P + ".47.5.1.1.";
const std::string kEtherStats = "1.3.6.1.2.1.16.1.1.1.";
const std::string kBucketsGranted = "1.3.6.1.2.1.16.2.1.1.4";
const std::string kEventLastTimeSent = "1.3.6.1.2.1.16.9.1.1.5";
const std::string kCommunityName = "1.3.6.1.4.1.32473.10.76.21.1.25.5.1.1.1";
const std::string kIfIndex = "1.3.6.1.2.1.2.2.1.1";
constexpr int kEventFirstTimeoutMs = 6000;
constexpr int kIntegerType = 1;
constexpr int kOctetsType = 2;
constexpr int kOidType = 3;

std::vector<std::string> Columns(const std::string& entry, int first, int last) {
    std::vector<std::string> columns;
    for (int c = first; c <= last; ++c) columns.push_back(entry + std::to_string(c));
    return columns;
}

int Int(const SnmpValue& v) { return std::atoi(v.text.c_str()); }
// "port" of a data source: the number after its last ".".
int PortOf(const std::string& source) {
    const size_t dot = source.rfind('.');
    return std::atoi(source.c_str() + (dot == std::string::npos ? 0 : dot + 1));
}

// Each table's field of a column position (position 0, the index, is handled by Store).
void SetField(RMON_ethernet_statistics_info& r, size_t position, const SnmpValue& v) {
    switch (position) {
    case 1: r.config.port = PortOf(v.text); break;
    case 2: r.config.owner = v.text; break;
    case 3: r.config.status = Int(v); break;
    case 4: r.dropEvents = LeadingUnsigned32(v.text); break;
    case 5: r.octets = LeadingUnsigned32(v.text); break;
    case 6: r.packets = LeadingUnsigned32(v.text); break;
    case 7: r.broadcastPackets = LeadingUnsigned32(v.text); break;
    case 8: r.multicastPackets = LeadingUnsigned32(v.text); break;
    default: break;
    }
}
void SetField(RMON_history_control_configuration& r, size_t position, const SnmpValue& v) {
    switch (position) {
    case 1: r.port = PortOf(v.text); break;
    case 2: r.bucketsRequested = Int(v); break;
    case 3: r.interval = Int(v); break;
    case 4: r.owner = v.text; break;
    case 5: r.status = Int(v); break;
    case 6: r.bucketsGranted = Int(v); break;
    default: break;
    }
}
void SetField(RMON_alarm_configuration& r, size_t position, const SnmpValue& v) {
    switch (position) {
    case 1: r.interval = Int(v); break;
    case 2: r.variable = v.text; break;
    case 3: r.sampleType = Int(v); break;
    case 4: r.risingThreshold = Int(v); break;
    case 5: r.fallingThreshold = Int(v); break;
    case 6: r.risingEventIndex = Int(v); break;
    case 7: r.fallingEventIndex = Int(v); break;
    case 8: r.owner = v.text; break;
    case 9: r.status = Int(v); break;
    default: break;
    }
}
void SetField(RMON_event_configuration& r, size_t position, const SnmpValue& v) {
    switch (position) {
    case 1: r.description = v.text; break;
    case 2: r.eventType = Int(v); break;
    case 3: r.community = v.text; break;
    case 4: r.owner = v.text; break;
    case 5: r.status = Int(v); break;
    // Hundredths of a second, shown as a duration.
    case 6: r.lastTimeSent = CUtils::SecondsToDurationText(LeadingUnsigned32(v.text) / 100); break;
    default: break;
    }
}

void SetIndex(RMON_ethernet_statistics_info& r, int index) { r.config.index = index; }
template <class Record>
void SetIndex(Record& r, int index) {
    r.index = index;
}

// Stores one variable of a walk's answer in the record of its row index.
template <class Record>
void Store(std::vector<Record>& list, size_t position, const SnmpValue& v) {
    const int index = CRMON::ParseRowIndex(v.index);
    auto it = std::find_if(list.begin(), list.end(), [index](const Record& r) { return r.Index() == index; });
    if (position == 0) {
        if (it != list.end()) return;
        Record r;
        SetIndex(r, std::atoi(v.text.c_str()));
        list.push_back(r);
        return;
    }
    if (it == list.end()) {
        Record r;
        SetIndex(r, index);
        list.push_back(r);
        it = list.end() - 1;
    }
    SetField(*it, position, v);
}

// Starts a table walk whose rows go to `collecting`; at the end the list is handed over to
// `published` and the owner is told. The value at `secret` (a community) is not written to
// the debugger output.
template <class Record>
void StartWalk(CSnmpRead& read, const SnmpReadSpec& spec, std::vector<Record>& collecting,
               std::vector<Record>& published, const std::function<void()>& notify, size_t secret = SIZE_MAX) {
    collecting.clear();
    read.Start(
        spec,
        [&collecting, secret](const SnmpRow& row) {
            for (size_t i = 0; i < row.Size(); ++i) {
                Store(collecting, i, row.vars[i]);
                if (i != secret) OutputDebugStringA(row.vars[i].text.c_str());
            }
        },
        [&collecting, &published, notify](const SnmpReadResult&) {
            OutputDebugStringA("iStatus != CSnmp4w::EC_NO_ERROR");
            published = std::move(collecting);
            collecting.clear();
            notify();
        });
}

// A column walk into a list of texts, handed over at its end.
void StartTextWalk(CSnmpRead& read, const std::string& column, std::vector<std::string>& collecting,
                   std::vector<std::string>& published, const std::function<void()>& notify) {
    collecting.clear();
    read.Start(
        SnmpReadSpec::Walk({column}), [&collecting](const SnmpRow& row) { collecting.push_back(row.Text(0)); },
        [&collecting, &published, notify](const SnmpReadResult&) {
            OutputDebugStringA("iStatus != CSnmp4w::EC_NO_ERROR");
            published = std::move(collecting);
            collecting.clear();
            if (notify) notify();
        });
}
}  // namespace

CRMON::~CRMON() {
    Close();
    m_tableRead.Close();
}

void CRMON::Close() {
    m_cCommonSNMPTableRead.Close();
    m_cCommonSNMPAlarm.Close();
    m_cCommonSNMPCommunity.Close();
}

int CRMON::ParseRowIndex(const std::string& suffix) {
    const size_t dot = suffix.find('.');
    return dot == std::string::npos ? -1 : std::atoi(suffix.c_str() + dot + 1);
}

void CRMON::Notify(UINT message, WPARAM code) const {
    if (HWND owner = m_hWnd.load()) SendMessage(owner, message, code, 0);
}

// ---- global state

int CRMON::GetRmonState(int& flag) {
    std::string value;
    if (!GetValue(kState, value)) return 0;
    flag = std::atoi(value.c_str()) == 1 ? 1 : 0;
    return 1;
}

int CRMON::SetRmonState(int flag) { return SetOne(kState, kIntegerType, flag == 1 ? "1" : "2"); }

// ---- reads

int CRMON::ReadEtherStatsTable() {
    std::vector<std::string> columns = Columns(kStats, 1, 4);
    for (const std::string& c : Columns(kEtherStats, 3, 7)) columns.push_back(c);
    StartWalk(m_cCommonSNMPTableRead, SnmpReadSpec::Walk(columns), m_walkEtherStats, m_listEtherStats,
              [this] { Notify(WM_RMON_READ_END, kRmonStatistics); });
    return 1;
}

int CRMON::ReadHistoryControlTable() {
    std::vector<std::string> columns = Columns(kHistory, 1, 6);
    columns.push_back(kBucketsGranted);
    StartWalk(m_cCommonSNMPTableRead, SnmpReadSpec::Walk(columns), m_walkHistoryControl, m_listHistoryControl,
              [this] { Notify(WM_RMON_READ_END, kRmonHistory); });
    return 1;
}

int CRMON::ReadAlarmTable() {
    StartWalk(m_cCommonSNMPAlarm, SnmpReadSpec::Walk(Columns(kAlarm, 1, 10)), m_walkAlarm, m_listAlarm,
              [this] { Notify(WM_RMON_READ_END, kRmonAlarm); });
    return 1;
}

int CRMON::ReadEventTable() {
    std::vector<std::string> columns = Columns(kEvent, 1, 6);
    columns.push_back(kEventLastTimeSent);
    SnmpReadSpec spec = SnmpReadSpec::Walk(columns, kEventFirstTimeoutMs);
    spec.nextTimeoutMs = 0;
    // The community (position 3) is a secret: its value is not written out.
    StartWalk(
        m_cCommonSNMPTableRead, spec, m_walkEvent, m_listEvent, [this] { Notify(WM_RMON_READ_END, kRmonEvent); }, 3);
    return 1;
}

bool CRMON::Reading() const { return m_cCommonSNMPTableRead.Running() || m_cCommonSNMPAlarm.Running(); }

void CRMON::ReadCommunityNames() {
    StartTextWalk(m_cCommonSNMPCommunity, kCommunityName, m_walkCommunityName, m_arrCommunityName, {});
}

void CRMON::ReadAlarmEventIndexes() {
    StartTextWalk(m_cCommonSNMPAlarm, kAlarm + "7", m_walkAlarmEventIndex, m_arrAlarmEventIndex,
                  [this] { Notify(WM_RMON_EVENT_INDEXES, kRmonAlarmEventIndexes); });
}

int CRMON::IsEventUsedByAlarm(const std::string& index) const {
    return std::find(m_arrAlarmEventIndex.begin(), m_arrAlarmEventIndex.end(), index) != m_arrAlarmEventIndex.end() ? 1
                                                                                                                    : 0;
}

// ---- writes

int CRMON::SetOne(const std::string& oid, int type, const std::string& value) {
    VARBIND_INFO v;
    v.oid = oid;
    v.value = value.c_str();
    v.type = type;
    v.length = static_cast<int>(value.size());
    return SetValues(&v, 1);
}

int CRMON::WriteEntry(const std::string& statusColumn, int index, const std::vector<Column>& columns) {
    const std::string suffix = "." + std::to_string(index);
    const std::string status = statusColumn + suffix;
    // The probe: an entry at the index that is not valid is removed first. A missing one
    // answers no value (noSuchName in SNMPv1, noSuchInstance later), an empty text.
    const SnmpAnswer probe = SnmpGet(m_cCommonSNMPTable, {status});
    const std::string held = probe.Answered() && probe.Has(0) ? probe.Text(0) : "";
    if (!held.empty() && held != "1" && !SetOne(status, kIntegerType, "4")) return 0;
    if (!SetOne(status, kIntegerType, "2")) return 0;
    for (const Column& c : columns) {
        if (!SetOne(c.oid + suffix, c.type, c.value)) return 0;
    }
    return SetOne(status, kIntegerType, "1");
}

int CRMON::SetEtherStatsEntry(const RMON_ethernet_statistics_configuration* e) {
    if (!e) return 0;
    return WriteEntry(
        kStats + "4", e->index,
        {{kStats + "2", kOidType, kIfIndex + "." + std::to_string(e->port)}, {kStats + "3", kOctetsType, e->owner}});
}

int CRMON::SetHistoryControlEntry(const RMON_history_control_configuration* e) {
    if (!e) return 0;
    return WriteEntry(kHistory + "6", e->index,
                      {{kHistory + "2", kOidType, kIfIndex + "." + std::to_string(e->port)},
                       {kHistory + "3", kIntegerType, std::to_string(e->bucketsRequested)},
                       {kHistory + "4", kIntegerType, std::to_string(e->interval)},
                       {kHistory + "5", kOctetsType, e->owner}});
}

int CRMON::SetAlarmEntry(const RMON_alarm_configuration* e) {
    if (!e) return 0;
    return WriteEntry(kAlarm + "10", e->index,
                      {{kAlarm + "3", kOidType, e->variable},
                       {kAlarm + "2", kIntegerType, std::to_string(e->interval)},
                       {kAlarm + "4", kIntegerType, std::to_string(e->sampleType)},
                       {kAlarm + "5", kIntegerType, std::to_string(e->risingThreshold)},
                       {kAlarm + "6", kIntegerType, std::to_string(e->fallingThreshold)},
                       {kAlarm + "7", kIntegerType, std::to_string(e->risingEventIndex)},
                       {kAlarm + "8", kIntegerType, std::to_string(e->fallingEventIndex)},
                       {kAlarm + "9", kOctetsType, e->owner}});
}

int CRMON::SetEventEntry(RMON_event_configuration* e) {
    if (!e) return 0;
    // Only a trap carries a community.
    if (e->eventType == 1 || e->eventType == 2) e->community.clear();
    std::vector<Column> columns = {{kEvent + "2", kOctetsType, e->description},
                                   {kEvent + "3", kIntegerType, std::to_string(e->eventType)}};
    if (!e->community.empty()) columns.push_back({kEvent + "4", kOctetsType, e->community});
    columns.push_back({kEvent + "5", kOctetsType, e->owner});
    return WriteEntry(kEvent + "6", e->index, columns);
}

int CRMON::DeleteEtherStatsEntry(int index) { return SetOne(kStats + "4." + std::to_string(index), kIntegerType, "4"); }
int CRMON::DeleteHistoryControlEntry(int index) {
    return SetOne(kHistory + "6." + std::to_string(index), kIntegerType, "4");
}
int CRMON::DeleteAlarmEntry(int index) { return SetOne(kAlarm + "10." + std::to_string(index), kIntegerType, "4"); }
int CRMON::DeleteEventEntry(int index) { return SetOne(kEvent + "6." + std::to_string(index), kIntegerType, "4"); }
