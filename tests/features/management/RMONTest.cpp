// The RMON logic against the simulated switch: its writes from the request log, one request
// a PDU, and the records its walks hand over.
#include <algorithm>

#include "core/ModuleStartupParams.h"
#include "features/management/RMON.h"
#include "platform/win/DebugOutput.h"
#include "tests/features/management/ManagementFixture.h"

using ui::test::Harness;
using ui::test::WaitUntil;

namespace mgmttest {
namespace {

std::string Hex(const std::string& text) {
    std::string hex;
    char pair[3];
    for (unsigned char c : text) {
        std::snprintf(pair, sizeof pair, "%02X", c);
        hex += pair;
    }
    return hex;
}

class RmonTest : public SnmpAgentTest {
protected:
    // Every request as "get OID" or "set OID=type:value ...", one line a PDU.
    std::vector<std::string> Pdus() const {
        std::vector<std::string> out;
        for (const auto& r : sim->Requests()) {
            std::string line = r.pdu;
            for (const auto& v : r.varbinds) {
                line += " " + v.oid;
                if (r.pdu == "set") line += "=" + v.type + ":" + (v.type == "s" ? v.hex : v.value);
            }
            out.push_back(line);
        }
        return out;
    }
    static std::string Get(const std::string& oid) { return "get " + oid; }
    static std::string SetI(const std::string& oid, const std::string& v) { return "set " + oid + "=i:" + v; }
    static std::string SetO(const std::string& oid, const std::string& v) { return "set " + oid + "=o:" + v; }
    static std::string SetS(const std::string& oid, const std::string& v) { return "set " + oid + "=s:" + Hex(v); }
};

TEST_F(RmonTest, AWriteProbesThenCreatesThenWritesEachColumnThenValidates) {
    struct Case {
        std::string name;
        std::function<void()> setup;
        std::function<int(CRMON&)> write;
        int result;
        std::vector<std::string> pdus;
    };
    const std::string h5 = ".5";
    const std::vector<Case> cases = {
        {"a missing statistics entry, SNMPv1",
         [] {},
         [](CRMON& r) {
             RMON_ethernet_statistics_configuration e;
             e.index = 40;
             e.port = 12;
             e.owner = "me";
             return r.SetEtherStatsEntry(&e);
         },
         1,
         {Get(kStats + "4.40"), SetI(kStats + "4.40", "2"), SetO(kStats + "2.40", "1.3.6.1.2.1.2.2.1.1.12"),
          SetS(kStats + "3.40", "me"), SetI(kStats + "4.40", "1")}},
        {"a missing statistics entry, SNMPv3",
         [] { UseSimV3(); },
         [](CRMON& r) {
             RMON_ethernet_statistics_configuration e;
             e.index = 40;
             e.port = 12;
             return r.SetEtherStatsEntry(&e);
         },
         1,
         {Get(kStats + "4.40"), SetI(kStats + "4.40", "2"), SetO(kStats + "2.40", "1.3.6.1.2.1.2.2.1.1.12"),
          SetS(kStats + "3.40", ""), SetI(kStats + "4.40", "1")}},
        {"a valid history entry is written over",
         [] {},
         [](CRMON& r) {
             RMON_history_control_configuration e;
             e.index = 1;
             e.port = 3;
             e.bucketsRequested = 20;
             e.interval = 60;
             e.owner = "me";
             return r.SetHistoryControlEntry(&e);
         },
         1,
         {Get(kHistory + "6.1"), SetI(kHistory + "6.1", "2"), SetO(kHistory + "2.1", "1.3.6.1.2.1.2.2.1.1.3"),
          SetI(kHistory + "3.1", "20"), SetI(kHistory + "4.1", "60"), SetS(kHistory + "5.1", "me"),
          SetI(kHistory + "6.1", "1")}},
        {"an entry under creation is removed first",
         [this] { Set(kHistory + "6.5", "i", "3"); },
         [](CRMON& r) {
             RMON_history_control_configuration e;
             e.index = 5;
             e.port = 1;
             e.bucketsRequested = 50;
             e.interval = 1800;
             return r.SetHistoryControlEntry(&e);
         },
         1,
         {Get(kHistory + "6.5"), SetI(kHistory + "6.5", "4"), SetI(kHistory + "6.5", "2"),
          SetO(kHistory + "2.5", "1.3.6.1.2.1.2.2.1.1.1"), SetI(kHistory + "3.5", "50"), SetI(kHistory + "4.5", "1800"),
          SetS(kHistory + "5.5", ""), SetI(kHistory + "6.5", "1")}},
        {"an alarm",
         [] {},
         [](CRMON& r) {
             RMON_alarm_configuration e;
             e.index = 3;
             e.interval = 30;
             e.variable = "1.3.6.1.2.1.2.2.1.10.5";
             e.sampleType = 2;
             e.risingThreshold = 900;
             e.fallingThreshold = 90;
             e.risingEventIndex = 1;
             e.fallingEventIndex = 2;
             return r.SetAlarmEntry(&e);
         },
         1,
         {Get(kAlarm + "10.3"), SetI(kAlarm + "10.3", "2"), SetO(kAlarm + "3.3", "1.3.6.1.2.1.2.2.1.10.5"),
          SetI(kAlarm + "2.3", "30"), SetI(kAlarm + "4.3", "2"), SetI(kAlarm + "5.3", "900"),
          SetI(kAlarm + "6.3", "90"), SetI(kAlarm + "7.3", "1"), SetI(kAlarm + "8.3", "2"), SetS(kAlarm + "9.3", ""),
          SetI(kAlarm + "10.3", "1")}},
        {"a trap event with its community",
         [] {},
         [](CRMON& r) {
             RMON_event_configuration e;
             e.index = 4;
             e.eventType = 3;
             e.description = "d";
             e.community = "c4";
             return r.SetEventEntry(&e);
         },
         1,
         {Get(kEvent + "6.4"), SetI(kEvent + "6.4", "2"), SetS(kEvent + "2.4", "d"), SetI(kEvent + "3.4", "3"),
          SetS(kEvent + "4.4", "c4"), SetS(kEvent + "5.4", ""), SetI(kEvent + "6.4", "1")}},
        {"a trap event without a community",
         [] {},
         [](CRMON& r) {
             RMON_event_configuration e;
             e.index = 4;
             e.eventType = 3;
             e.description = "d";
             return r.SetEventEntry(&e);
         },
         1,
         {Get(kEvent + "6.4"), SetI(kEvent + "6.4", "2"), SetS(kEvent + "2.4", "d"), SetI(kEvent + "3.4", "3"),
          SetS(kEvent + "5.4", ""), SetI(kEvent + "6.4", "1")}},
        {"a refused column ends the write",
         [this] { ASSERT_TRUE(sim->InjectError(kHistory + "4", "wrongValue")); },
         [](CRMON& r) {
             RMON_history_control_configuration e;
             e.index = 6;
             e.port = 2;
             e.bucketsRequested = 10;
             e.interval = 10;
             return r.SetHistoryControlEntry(&e);
         },
         0,
         {Get(kHistory + "6.6"), SetI(kHistory + "6.6", "2"), SetO(kHistory + "2.6", "1.3.6.1.2.1.2.2.1.1.2"),
          SetI(kHistory + "3.6", "10"), SetI(kHistory + "4.6", "10")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        c.setup();
        CRMON rmon;
        EXPECT_EQ(c.write(rmon), c.result);
        EXPECT_EQ(Pdus(), c.pdus);
        // Every SET before a refusal was taken.
        const auto sets = Sets();
        for (size_t i = 0; i + (c.result ? 0 : 1) < sets.size(); ++i) EXPECT_EQ(sets[i].errorStatus, 0) << i;
    }
}

TEST_F(RmonTest, ALogEventLosesItsCommunity) {
    CRMON rmon;
    RMON_event_configuration e;
    e.index = 4;
    e.eventType = 2;
    e.description = "d";
    e.community = "c4";
    EXPECT_EQ(rmon.SetEventEntry(&e), 1);
    EXPECT_EQ(e.community, "");
    for (const auto& r : Sets()) EXPECT_NE(r.varbinds[0].oid, kEvent + "4.4");
}

TEST_F(RmonTest, DeleteAndGlobalState) {
    CRMON rmon;
    int flag = -1;
    EXPECT_EQ(rmon.GetRmonState(flag), 1);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(rmon.SetRmonState(0), 1);
    EXPECT_EQ(rmon.GetRmonState(flag), 1);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(rmon.DeleteHistoryControlEntry(1), 1);
    EXPECT_FALSE(sim->GetObject(kHistory + "6.1").has_value());
    EXPECT_FALSE(sim->GetObject("1.3.6.1.2.1.16.2.1.1.4.1").has_value());
    ModuleStartupParams::TimeoutMs = "200";
    ASSERT_TRUE(sim->Silence());
    flag = 7;
    EXPECT_EQ(rmon.GetRmonState(flag), 0);
    EXPECT_EQ(flag, 7);
}

// Runs a read to its end message.
template <class Start>
void ReadToEnd(CRmonOwner& owner, CRMON& rmon, Start start) {
    owner.m_messages.clear();
    start(rmon);
    ASSERT_TRUE(WaitUntil([&] { return !owner.m_messages.empty(); }));
}

TEST_F(RmonTest, ReadsHandOverEveryTableByItsColumnPositions) {
    Set("1.3.6.1.2.1.16.1.1.1.4.2", "c", "3000000000");
    Set(kEvent + "4.2", "s", "evtsecret9");
    Harness ui;
    win::StartDebugCapture();
    CRmonOwner owner;
    ASSERT_TRUE(owner.Open());
    CRMON rmon;
    rmon.SetHwnd(owner.GetSafeHwnd());
    // The list is handed over whole when the end message comes.
    size_t listedAtEnd = 0;
    owner.m_onMessage = [&](UINT, WPARAM) { listedAtEnd = rmon.m_listEtherStats.size(); };
    ReadToEnd(owner, rmon, [](CRMON& r) { r.ReadEtherStatsTable(); });
    EXPECT_EQ(owner.m_messages, (std::vector<std::pair<UINT, WPARAM>>{{WM_RMON_READ_END, kRmonStatistics}}));
    EXPECT_EQ(listedAtEnd, 28u);
    ASSERT_EQ(rmon.m_listEtherStats.size(), 28u);
    const auto& two = rmon.m_listEtherStats[1];
    EXPECT_EQ(two.config.index, 2);
    EXPECT_EQ(two.config.port, 2);
    EXPECT_EQ(two.config.owner, "monitor");
    EXPECT_EQ(two.config.status, 1);
    EXPECT_EQ(two.octets, 3000000000u);
    EXPECT_EQ(rmon.m_listEtherStats[11].config.port, 12);
    owner.m_onMessage = nullptr;

    ReadToEnd(owner, rmon, [](CRMON& r) { r.ReadHistoryControlTable(); });
    ASSERT_EQ(rmon.m_listHistoryControl.size(), 1u);
    const auto& h = rmon.m_listHistoryControl[0];
    EXPECT_EQ(std::vector<int>({h.index, h.port, h.bucketsRequested, h.bucketsGranted, h.interval, h.status}),
              std::vector<int>({1, 1, 50, 50, 1800, 1}));
    EXPECT_EQ(h.owner, "monitor");

    ReadToEnd(owner, rmon, [](CRMON& r) { r.ReadAlarmTable(); });
    EXPECT_EQ(owner.m_messages[0].second, kRmonAlarm);
    ASSERT_EQ(rmon.m_listAlarm.size(), 1u);
    const auto& a = rmon.m_listAlarm[0];
    EXPECT_EQ(std::vector<int>({a.index, a.interval, a.sampleType, a.risingThreshold, a.fallingThreshold,
                                a.risingEventIndex, a.fallingEventIndex, a.status}),
              std::vector<int>({1, 300, 2, 1000, 100, 1, 2, 1}));
    EXPECT_EQ(a.variable, "1.3.6.1.2.1.2.2.1.10.1");

    ReadToEnd(owner, rmon, [](CRMON& r) { r.ReadEventTable(); });
    EXPECT_EQ(owner.m_messages[0].second, kRmonEvent);
    ASSERT_EQ(rmon.m_listEvent.size(), 2u);
    EXPECT_EQ(rmon.m_listEvent[0].description, "log");
    EXPECT_EQ(rmon.m_listEvent[0].eventType, 2);
    EXPECT_EQ(rmon.m_listEvent[0].lastTimeSent, "5 secs");
    EXPECT_EQ(rmon.m_listEvent[1].community, "evtsecret9");
    EXPECT_EQ(rmon.m_listEvent[1].lastTimeSent, "0");

    const auto lines = win::CapturedDebugLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "iStatus != CSnmp4w::EC_NO_ERROR"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "monitor"), lines.end());
    for (const std::string& line : lines) EXPECT_EQ(line.find("evtsecret9"), std::string::npos) << line;
    owner.DestroyWindow();
}

TEST_F(RmonTest, AnEmptyTableEndsAtOnceAndTheAuxiliaryColumnsAreRead) {
    ASSERT_TRUE(sim->Command("del " + kEvent.substr(0, kEvent.size() - 1)));
    ASSERT_TRUE(sim->Command("del 1.3.6.1.2.1.16.9"));
    Harness ui;
    CRmonOwner owner;
    ASSERT_TRUE(owner.Open());
    CRMON rmon;
    rmon.SetHwnd(owner.GetSafeHwnd());
    ReadToEnd(owner, rmon, [](CRMON& r) { r.ReadEventTable(); });
    EXPECT_EQ(owner.m_messages, (std::vector<std::pair<UINT, WPARAM>>{{WM_RMON_READ_END, kRmonEvent}}));
    EXPECT_TRUE(rmon.m_listEvent.empty());

    ReadToEnd(owner, rmon, [](CRMON& r) { r.ReadAlarmEventIndexes(); });
    EXPECT_EQ(owner.m_messages,
              (std::vector<std::pair<UINT, WPARAM>>{{WM_RMON_EVENT_INDEXES, kRmonAlarmEventIndexes}}));
    EXPECT_EQ(rmon.m_arrAlarmEventIndex, (std::vector<std::string>{"1"}));
    EXPECT_EQ(rmon.IsEventUsedByAlarm("1"), 1);
    EXPECT_EQ(rmon.IsEventUsedByAlarm("2"), 0);

    rmon.ReadCommunityNames();
    ASSERT_TRUE(WaitUntil([&] { return !rmon.m_arrCommunityName.empty(); }));
    EXPECT_EQ(rmon.m_arrCommunityName, (std::vector<std::string>{"public"}));
    owner.DestroyWindow();
}

TEST_F(RmonTest, DestroyingTheLogicDuringAWalkStopsItAtOnce) {
    Harness ui;
    CRmonOwner owner;
    ASSERT_TRUE(owner.Open());
    ASSERT_TRUE(sim->Delay(300));
    auto rmon = std::make_unique<CRMON>();
    rmon->SetHwnd(owner.GetSafeHwnd());
    rmon->ReadEtherStatsTable();
    EXPECT_TRUE(rmon->Reading());
    ASSERT_TRUE(WaitUntil([&] { return !Requests("getnext").empty(); }));
    const auto started = std::chrono::steady_clock::now();
    rmon.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    // The held answer has left, the walk's session is released and no request is out:
    // nothing more can come.
    switchsim::Settle(*sim);
    EXPECT_TRUE(switchsim::NoRequestOut());
    EXPECT_TRUE(owner.m_messages.empty());
    owner.DestroyWindow();
}

}  // namespace
}  // namespace mgmttest
