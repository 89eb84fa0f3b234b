#pragma once
// CRMON: the logic of the switch's RMON settings. It reads and writes the global state, reads
// the four private control tables (statistics, history control, alarms, events) together with
// the standard RFC 2819 objects the switch computes for the same entries, writes one entry at
// a time through its entry status, and deletes entries (status 4). It also reads the switch's
// community names and the alarms' rising event indexes for the event dialog's checks.
//
// A walk collects its records privately and hands the whole list over on the user-interface
// thread just before its end message, so a reader never sees a list that is still growing:
//   WM_RMON_READ_END (WM_APP+1001), wParam the table: kRmonStatistics ... kRmonEvent;
//   WM_RMON_EVENT_INDEXES (WM_APP+1004), wParam kRmonAlarmEventIndexes, after the rising
//   event indexes. (WM_APP+1002 told of a stale answer; the shared read path drops those
//   itself, so it is never sent.)
#include <cstdint>
#include <string>
#include <vector>

#include "core/ModuleBase.h"
#include "core/SnmpRead.h"

constexpr UINT WM_RMON_READ_END = WM_APP + 1001;
constexpr UINT WM_RMON_STALE_ANSWER = WM_APP + 1002;
constexpr UINT WM_RMON_EVENT_INDEXES = WM_APP + 1004;
enum : WPARAM {
    kRmonStatistics = 0,
    kRmonHistory = 1,
    kRmonAlarm = 2,
    kRmonEvent = 3,
    kRmonAlarmEventIndexes = 4,
};

// Records of one row each; equal when their row indexes are.
struct RMON_ethernet_statistics_configuration {
    int index = -1;
    int port = -1;
    std::string owner;
    int status = 4;
    bool operator==(const RMON_ethernet_statistics_configuration& o) const { return index == o.index; }
};

// Counter32 values, kept and shown unsigned.
struct RMON_ethernet_statistics_info {
    std::uint32_t dropEvents = 0;
    std::uint32_t packets = 0;
    std::uint32_t octets = 0;
    std::uint32_t broadcastPackets = 0;
    std::uint32_t multicastPackets = 0;
    RMON_ethernet_statistics_configuration config;
    int Index() const { return config.index; }
    bool operator==(const RMON_ethernet_statistics_info& o) const { return config == o.config; }
};

struct RMON_history_control_configuration {
    int index = 0;
    int port = 0;
    int bucketsRequested = 0;
    int bucketsGranted = 0;
    int interval = 0;
    std::string owner;
    int status = 4;
    int Index() const { return index; }
    bool operator==(const RMON_history_control_configuration& o) const { return index == o.index; }
};

struct RMON_alarm_configuration {
    int index = 0;
    int interval = 0;
    int sampleType = 0;
    int risingThreshold = 0;
    int fallingThreshold = 0;
    int risingEventIndex = 0;
    int fallingEventIndex = 0;
    std::string owner;
    std::string variable;
    int status = 0;
    int Index() const { return index; }
    bool operator==(const RMON_alarm_configuration& o) const { return index == o.index; }
};

struct RMON_event_configuration {
    int index = 0;
    int eventType = 0;
    std::string owner;
    std::string lastTimeSent = "0";  // a duration text
    std::string community;
    std::string description;
    int status = 0;
    int Index() const { return index; }
    bool operator==(const RMON_event_configuration& o) const { return index == o.index; }
};

class CRMON : public CModuleBase {
public:
    CRMON() = default;
    // Stops every walk, the base's too, before the lists go.
    ~CRMON() override;

    // 1 with flag 1 (enabled) or 0 when read, else 0 with flag untouched.
    int GetRmonState(int& flag);
    // flag 1 enables, 0 disables; 1 when the switch took it.
    int SetRmonState(int flag);

    // Start the walk of a table; always 1. The end comes as WM_RMON_READ_END.
    int ReadEtherStatsTable();
    int ReadHistoryControlTable();
    int ReadAlarmTable();
    int ReadEventTable();
    // True while a walk of one of the four tables runs.
    bool Reading() const;

    // Write one entry: the status probe (4 first when the index holds an entry that is not
    // valid), 2, the columns one SET each, 1. 1 when every SET was taken, 0 at the first
    // refusal (the SETs after it are not sent).
    int SetEtherStatsEntry(const RMON_ethernet_statistics_configuration* entry);
    int SetHistoryControlEntry(const RMON_history_control_configuration* entry);
    int SetAlarmEntry(const RMON_alarm_configuration* entry);
    // A log-only (or no) event is written without its community, which the record loses.
    int SetEventEntry(RMON_event_configuration* entry);

    // Status 4 at the index; 1 when taken.
    int DeleteEtherStatsEntry(int index);
    int DeleteHistoryControlEntry(int index);
    int DeleteAlarmEntry(int index);
    int DeleteEventEntry(int index);

    // The switch's community names; no message at the end.
    void ReadCommunityNames();
    // The rising event index of every alarm row, whatever its status; ends with
    // WM_RMON_EVENT_INDEXES.
    void ReadAlarmEventIndexes();
    // 1 when the text is one of the rising event indexes read.
    int IsEventUsedByAlarm(const std::string& index) const;

    // Stops the walks (a dialog's closing).
    void Close();

    // The row index of an instance suffix (".7" gives 7); -1 without a ".".
    static int ParseRowIndex(const std::string& suffix);

    std::vector<RMON_ethernet_statistics_info> m_listEtherStats;
    std::vector<RMON_history_control_configuration> m_listHistoryControl;
    std::vector<RMON_alarm_configuration> m_listAlarm;
    std::vector<RMON_event_configuration> m_listEvent;
    std::vector<std::string> m_arrCommunityName;
    std::vector<std::string> m_arrAlarmEventIndex;

private:
    struct Column {
        std::string oid;  // column OID, without the index
        int type;         // 1 INTEGER, 2 OCTET STRING, 3 OBJECT IDENTIFIER
        std::string value;
    };
    int WriteEntry(const std::string& statusColumn, int index, const std::vector<Column>& columns);
    int SetOne(const std::string& oid, int type, const std::string& value);
    void Notify(UINT message, WPARAM code) const;

    // Rows being read, handed over at each walk's end.
    std::vector<RMON_ethernet_statistics_info> m_walkEtherStats;
    std::vector<RMON_history_control_configuration> m_walkHistoryControl;
    std::vector<RMON_alarm_configuration> m_walkAlarm;
    std::vector<RMON_event_configuration> m_walkEvent;
    std::vector<std::string> m_walkCommunityName;
    std::vector<std::string> m_walkAlarmEventIndex;

    // Last, so they close before what their handlers write goes.
    CSnmpRead m_cCommonSNMPTableRead;  // statistics, history control and event walks
    CSnmpRead m_cCommonSNMPAlarm;      // alarm walk and rising event indexes
    CSnmpRead m_cCommonSNMPCommunity;  // community names
};
