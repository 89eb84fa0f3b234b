// The trunk admission logic against the simulated switch: what the reads collect and when
// they report their end, the judgement with its one message box, the trunk write, and closing.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/SnmpRead.h"
#include "features/vlan/TrunkLogic.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/ui/UiHarness.h"

namespace {

using ui::test::WaitUntil;

const std::string P = "1.3.6.1.4.1.32473.10.76.21.1.";

class TrunkLogicTest : public switchsim::ModuleTargetTest {
protected:
    TrunkLogicTest() = default;
    explicit TrunkLogicTest(switchsim::ModuleTarget target) : ModuleTargetTest(std::move(target)) {}
    void TearDown() override {
        EXPECT_TRUE(CSnmpRead::WaitForClosedSessions(5000));
        ModuleTargetTest::TearDown();
    }

    // Starts the reads and waits for their end; the end handler must run exactly once.
    void ReadAllOf(CTrunkLogic& logic) {
        int ends = 0;
        logic.SetReadsEndedHandler([&] {
            EXPECT_TRUE(ui::IsUiThread());
            ++ends;
        });
        ASSERT_EQ(logic.Init(), 1);
        ASSERT_TRUE(WaitUntil([&] { return logic.ReadsEnded(); }));
        EXPECT_EQ(ends, 1);
        logic.SetReadsEndedHandler({});
    }

    void SetPort(const std::string& column, int port, int value, const char* type = "i") const {
        Set(P + column + "." + std::to_string(port), type, std::to_string(value));
    }

    std::vector<switchsim::LoggedRequest> GetsOf(const std::string& firstOid) const {
        std::vector<switchsim::LoggedRequest> out;
        for (const auto& r : Requests("get")) {
            if (!r.varbinds.empty() && r.varbinds[0].oid == firstOid) out.push_back(r);
        }
        return out;
    }

    ui::test::Harness ui;
};

TEST_F(TrunkLogicTest, ReadsFillEveryPortsSettingsAndReportTheirEndOnce) {
    // Port 3 and port 5 carry values of their own in every per-port column.
    const struct {
        const char* column;
        int port3, port5;
        const char* type;
    } perPort[] = {
        {"1.13.1.2", 2, 4, "i"},        {"12.3.1.1.2", 5, 6, "i"},  {"7.7.1.1", 30, 40, "u"},
        {"14.2.1.1.2", 1, 2, "i"},      {"17.5.1.2", 1, 2, "i"},    {"13.1.2.1.2", 1000, 64, "i"},
        {"13.1.2.1.3", 2000, 128, "i"}, {"23.2.1.1.9", 2, 1, "i"},  {"21.1.6.1.2", 1, 2, "i"},
        {"26.1.5.1.2", 1, 2, "i"},      {"26.1.5.1.3", 2, 3, "i"},  {"6.2.1.4", 2, 1, "i"},
        {"6.2.1.2", 16, 32, "i"},       {"6.2.1.5", 200, 300, "i"}, {"6.2.1.16", 1, 2, "i"},
        {"6.2.1.18", 1, 2, "i"},        {"6.2.1.17", 1, 2, "i"},    {"6.2.1.14", 1, 2, "i"},
    };
    for (const auto& c : perPort) {
        SetPort(c.column, 3, c.port3, c.type);
        SetPort(c.column, 5, c.port5, c.type);
    }
    Set(P + "11.2.1.0", "i", "2");
    Set(P + "6.1.1.0", "i", "1");
    Set(P + "26.1.1.0", "i", "1");
    Set(P + "18.1.0", "i", "1");
    Set(P + "18.2.0", "i", "7");
    Set(P + "18.3.0", "x", "20 00 00 00");               // port 3
    Set(P + "18.4.0", "x", "08 00 00 00");               // port 5
    Set(P + "9.2.0", "x", "F0 00 00 00");                // ports 1-4
    Set(P + "14.7.1.0", "x", "40 00 00 00");             // port 2
    Set(P + "8.1.3.1.2.2", "x", "00 00 00 30");          // ports 27 and 28 in trunk 2
    Set(P + "9.3.1.3.1.0.17.34.51.68.119.9", "i", "9");  // a second static entry, to port 9

    CTrunkLogic logic;
    ReadAllOf(logic);
    const TrunkSettings s = logic.Snapshot();
    ASSERT_EQ(s.portCount, 28);
    const struct {
        const char* name;
        const std::vector<int>& values;
        int port3, port5, port1;
    } expected[] = {
        {"speed", s.speed, 2, 4, 6},
        {"priority", s.priority, 5, 6, 0},
        {"pvid", s.pvid, 30, 40, 10},
        {"portSecurity", s.portSecurity, 1, 2, 2},
        {"lbd", s.lbd, 1, 2, 2},
        {"bandwidthTx", s.bandwidthTx, 1000, 64, 0},
        {"bandwidthRx", s.bandwidthRx, 2000, 128, 0},
        {"dot1xPortControl", s.dot1xPortControl, 2, 1, 3},
        {"voiceVlanMode", s.voiceVlanMode, 1, 2, 2},
        {"cameraVlanState", s.cameraVlanState, 1, 2, 2},
        {"cameraVlanMode", s.cameraVlanMode, 2, 3, 3},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(e.values[2], e.port3);
        EXPECT_EQ(e.values[4], e.port5);
        EXPECT_EQ(e.values[0], e.port1);
    }
    EXPECT_EQ(s.rstp[2], (TrunkSettings::RstpRecord{2, 16, 200, 1, 1, 1, 1}));
    EXPECT_EQ(s.rstp[4], (TrunkSettings::RstpRecord{1, 32, 300, 2, 2, 2, 2}));
    EXPECT_EQ(s.rstp[0], (TrunkSettings::RstpRecord{1, 128, 0, 2, 2, 2, 2}));

    std::vector<int> inTrunk(28, 0);
    inTrunk[20] = inTrunk[21] = inTrunk[26] = inTrunk[27] = 1;  // trunk 1 of the model, trunk 2 set here
    EXPECT_EQ(s.inTrunk, inTrunk);
    std::vector<int> fdb(28, 0);
    fdb[2] = fdb[8] = 1;
    EXPECT_EQ(s.fdbDestination, fdb);
    std::vector<int> dhcp(28, 0);
    dhcp[1] = 1;
    EXPECT_EQ(s.dhcpScreening, dhcp);
    EXPECT_EQ(s.dot1xEnable, 2);
    EXPECT_EQ(s.rstpEnable, 1);
    EXPECT_EQ(s.cameraVlanEnable, 1);
    EXPECT_EQ(s.mirrorEnable, 1);
    EXPECT_EQ(s.mirrorTarget, 7);
    EXPECT_EQ(s.mirrorPortsA, "3");
    EXPECT_EQ(s.mirrorPortsB, "5");
    EXPECT_EQ(s.learnPorts, "1,2,3,4");
    // The model's VLANs 1, 10, 20 and 100; VLAN 100 has no untagged port.
    EXPECT_EQ(s.egressRecords,
              "1:1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28%0A0A"
              "1:1,2,3,4,5,6,7,8,25%0A0A1:9,10,11,12,25%0A0A1:25,26%0A0A");
    EXPECT_EQ(s.untaggedRecords,
              "1:13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28%0A0A1:1,2,3,4,5,6,7,8%0A0A1:9,10,11,12%0A0A");
    // The model's gateway 10.0.0.254 has no port: only the one of 192.168.1.254.
    EXPECT_EQ(s.arpRecords, "1:1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28%0A0A");
    EXPECT_EQ(s.aclRecords, "");
}

TEST_F(TrunkLogicTest, APortWithoutRowsLeavesTheNextPortsValuesInPlace) {
    for (const char* column : {"1.13.1.2", "12.3.1.1.2", "7.7.1.1", "14.2.1.1.2", "17.5.1.2", "13.1.2.1.2",
                               "13.1.2.1.3", "6.2.1.4", "6.2.1.2", "6.2.1.5", "6.2.1.16", "6.2.1.18", "6.2.1.17",
                               "6.2.1.14", "23.2.1.1.9", "21.1.6.1.2", "26.1.5.1.2", "26.1.5.1.3"}) {
        ASSERT_TRUE(sim->Command("del " + P + column + ".2"));
    }
    SetPort("1.13.1.2", 3, 4);
    SetPort("13.1.2.1.2", 3, 512);
    SetPort("6.2.1.2", 3, 64);
    SetPort("23.2.1.1.9", 3, 1);
    SetPort("26.1.5.1.3", 3, 2);

    CTrunkLogic logic;
    ReadAllOf(logic);
    const TrunkSettings s = logic.Snapshot();
    EXPECT_EQ(s.speed[1], 0);
    EXPECT_EQ(s.speed[2], 4);
    EXPECT_EQ(s.bandwidthTx[2], 512);
    EXPECT_EQ(s.rstp[1], TrunkSettings::RstpRecord{});
    EXPECT_EQ(s.rstp[2][1], 64);
    EXPECT_EQ(s.dot1xPortControl[1], 0);
    EXPECT_EQ(s.dot1xPortControl[2], 1);
    EXPECT_EQ(s.cameraVlanMode[2], 2);
    EXPECT_EQ(s.speed[3], 6);  // port 4 untouched
}

TEST_F(TrunkLogicTest, EmptyPortSetsAddNoRecordAndEveryGatewayKeepsItsOwn) {
    // A VLAN without untagged ports, one without any port, ACL rows with and without ports, and
    // a second gateway with a port set of its own.
    Set(P + "7.6.1.2.30", "x", "00 00 00 00");
    Set(P + "7.6.1.4.30", "x", "00 00 00 00");
    Set(P + "15.2.1.1.10.1", "x", "00 00 00 00");
    Set(P + "15.2.1.1.10.2", "x", "C0 00 00 00");
    Set(P + "14.3.1.1.3.10.0.0.254", "x", "80 00 00 00");
    Set(P + "9.2.0", "x", "00 00 00 00");

    CTrunkLogic logic;
    ReadAllOf(logic);
    const TrunkSettings s = logic.Snapshot();
    EXPECT_EQ(s.egressRecords.find("1:%0A0A"), std::string::npos);
    EXPECT_EQ(SplitTrunkRecords(s.egressRecords).size(), 4u);
    EXPECT_EQ(SplitTrunkRecords(s.untaggedRecords).size(), 3u);
    EXPECT_EQ(s.aclRecords, "1:1,2%0A0A");
    EXPECT_EQ(s.arpRecords,
              "1:1%0A0A1:1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28%0A0A");
    EXPECT_EQ(s.learnPorts, "");

    // Without a learning port every selection is refused, even one that passes the rest.
    std::vector<int> chosen(28, 0);
    chosen[0] = chosen[1] = 1;
    logic.m_pSelectPorts = chosen.data();
    ui.ScriptMessageBoxes({IDOK});
    EXPECT_EQ(logic.CheckTrunkSelection(), 0);
    ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Cannot add a Auto-learn disabled port to an aggregated link.");
}

TEST_F(TrunkLogicTest, EveryStaticEntryMarksItsPortBeyondThePortCount) {
    // 29 entries to port 3 and a 30th to port 5 before the model's own entry, on 28 ports.
    for (int k = 1; k <= 30; ++k)
        Set(P + "9.3.1.3.1.0.17.34.51.68." + std::to_string(k) + ".9", "i", k < 30 ? "3" : "5");
    CTrunkLogic logic;
    ReadAllOf(logic);
    std::vector<int> marked(28, 0);
    marked[2] = marked[4] = 1;
    EXPECT_EQ(logic.Snapshot().fdbDestination, marked);
}

TEST_F(TrunkLogicTest, RequestsAsTheSwitchSeesThem) {
    CTrunkLogic logic;
    ASSERT_EQ(logic.Init(), 1);
    // The DHCP screening set is read before Init returns.
    ASSERT_EQ(GetsOf(P + "14.7.1.0").size(), 1u);
    EXPECT_TRUE(GetsOf(P + "14.7.1.0")[0].answered);
    ASSERT_TRUE(WaitUntil([&] { return logic.ReadsEnded(); }));
    // The spanning-tree walk asks its nine columns in order.
    const std::vector<std::string> rstpColumns = {
        P + "6.2.1.4",  P + "6.2.1.2",  P + "6.2.1.5",    P + "6.2.1.16",   P + "6.2.1.18",
        P + "6.2.1.17", P + "6.2.1.14", P + "23.2.1.1.9", P + "21.1.6.1.2",
    };
    size_t starts = 0;
    for (const auto& r : Requests("getnext")) starts += Oids(r) == rstpColumns;
    EXPECT_EQ(starts, 1u);
    // The three GETs of several objects, and the DHCP screening GET, each once.
    const std::vector<std::vector<std::string>> gets = {
        {P + "18.3.0", P + "18.4.0", P + "9.2.0"},
        {P + "18.1.0", P + "18.2.0"},
        {P + "11.2.1.0", P + "6.1.1.0", P + "26.1.1.0"},
        {P + "14.7.1.0"},
    };
    for (const auto& oids : gets) {
        const auto found = GetsOf(oids[0]);
        ASSERT_EQ(found.size(), 1u) << oids[0];
        EXPECT_EQ(Oids(found[0]), oids);
    }
    EXPECT_TRUE(Sets().empty());
}

TEST_F(TrunkLogicTest, ASilentReadEndsByItsTimeOutAndKeepsItsInitialData) {
    // The fixture's time-out of a second: long enough for the reads that are answered.
    ASSERT_TRUE(sim->Silence(P + "18"));
    Set(P + "11.2.1.0", "i", "2");
    CTrunkLogic logic;
    ReadAllOf(logic);
    const TrunkSettings s = logic.Snapshot();
    EXPECT_EQ(s.mirrorEnable, 0);
    EXPECT_EQ(s.mirrorTarget, 0);
    EXPECT_EQ(s.mirrorPortsA, "");
    EXPECT_EQ(s.learnPorts, "");  // asked in the same GET as the mirror sources
    EXPECT_EQ(s.dot1xEnable, 2);  // the other reads went on
    const auto lines = ui.CapturedDebugLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), " end table of point."), lines.end());
}

TEST_F(TrunkLogicTest, AllReadsSilentStillEndAndJudgeWithInitialStates) {
    ModuleStartupParams::TimeoutMs = "300";
    ASSERT_TRUE(sim->Silence("all"));
    CTrunkLogic logic;
    ReadAllOf(logic);
    const TrunkSettings s = logic.Snapshot();
    EXPECT_EQ(s.dot1xEnable, 1);
    EXPECT_EQ(s.rstpEnable, 1);
    EXPECT_EQ(s.cameraVlanEnable, 0);
    EXPECT_EQ(s.dhcpScreening, std::vector<int>(28, 0));
}

TEST_F(TrunkLogicTest, CheckTrunkSelectionShowsTheFirstRefusalOnly) {
    CTrunkLogic logic;
    ReadAllOf(logic);
    std::vector<int> chosen(28, 0);
    logic.m_pSelectPorts = chosen.data();
    logic.m_strTrunkMembers = "";

    const struct {
        std::vector<int> ports;
        const char* refusal;  // null: passes
    } cases[] = {
        {{1, 2}, nullptr},
        // Port 3 is the model's static forwarding destination.
        {{2, 3}, "Cannot add ports with different FDB-destination-hit configurations to an aggregated link."},
        // VLAN 10 holds port 8 and not port 9 (their PVIDs differ too, a later check).
        {{8, 9}, "Cannot add ports with different VLAN configurations to an aggregated link !"},
        {{21, 22}, "Cannot add the port as it is a member of another aggregated link !"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ports[0]);
        std::fill(chosen.begin(), chosen.end(), 0);
        for (int p : c.ports) chosen[static_cast<size_t>(p - 1)] = 1;
        const size_t before = ui.ShownMessageBoxes().size();
        if (c.refusal) ui.ScriptMessageBoxes({IDOK});
        EXPECT_EQ(logic.CheckTrunkSelection(), c.refusal ? 0 : 1);
        const auto shown = ui.ShownMessageBoxes();
        ASSERT_EQ(shown.size(), before + (c.refusal ? 1 : 0));
        if (c.refusal) {
            EXPECT_EQ(shown.back().text, c.refusal);
            EXPECT_EQ(shown.back().type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
        }
    }
    logic.m_strTrunkMembers = "21,22";
    std::fill(chosen.begin(), chosen.end(), 0);
    chosen[20] = chosen[21] = 1;
    EXPECT_EQ(logic.CheckTrunkSelection(), 1);
    EXPECT_TRUE(Sets().empty());
    // The list judgement over the dialog's chosen ports (21 and 22).
    EXPECT_EQ(logic.IsAllOrNoneInList("21"), 0);
    EXPECT_EQ(logic.IsAllOrNoneInList("20,21,22"), 1);
    EXPECT_EQ(logic.IsAllOrNoneInList("1,2"), 1);
    logic.Close();
}

TEST_F(TrunkLogicTest, TheSpanningTreeCheckReadsTheGlobalStatesAnew) {
    Set(P + "6.1.1.0", "i", "1");
    SetPort("6.2.1.2", 2, 64);
    CTrunkLogic logic;
    ReadAllOf(logic);
    std::vector<int> chosen(28, 0);
    chosen[0] = chosen[1] = 1;
    logic.m_pSelectPorts = chosen.data();
    sim->ClearRequests();

    ui.ScriptMessageBoxes({IDOK});
    EXPECT_EQ(logic.CheckTrunkSelection(), 0);
    ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text,
              "Cannot add a port with different RSTP port setting to an aggregated link. ");
    auto lines = ui.CapturedDebugLines();
    const std::vector<std::string> tail(lines.end() - 4, lines.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"\n******Get8021EnableStateGet8021EnableState*******\n",
                                        "AAAAAAAAAAAAAAAAAAAAAAA", "m_iRstpEnable =  1 ", "!!!!!!!!!!!!!!!!!!!!!"}));
    // The new GET of the three states reaches the switch; its answer serves the next run.
    ASSERT_TRUE(WaitUntil([&] { return GetsOf(P + "11.2.1.0").size() == 1; }));
    EXPECT_EQ(Oids(GetsOf(P + "11.2.1.0")[0]),
              (std::vector<std::string>{P + "11.2.1.0", P + "6.1.1.0", P + "26.1.1.0"}));
    Set(P + "6.1.1.0", "i", "2");
    ui.ScriptMessageBoxes({IDOK});
    EXPECT_EQ(logic.CheckTrunkSelection(), 0);  // still judged with the state read before
    ASSERT_TRUE(WaitUntil([&] { return logic.Snapshot().rstpEnable == 2; }));
    EXPECT_EQ(logic.CheckTrunkSelection(), 1);
    EXPECT_EQ(ui.ShownMessageBoxes().size(), 2u);
}

TEST_F(TrunkLogicTest, SetTrunkWritesMembersThenModeInOneSet) {
    CTrunkLogic logic;
    EXPECT_EQ(logic.SetTrunk("2", "c0000000", "3"), 1);
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    ASSERT_EQ(sets[0].varbinds.size(), 2u);
    EXPECT_EQ(sets[0].varbinds[0].oid, P + "8.1.3.1.2.3");
    EXPECT_EQ(sets[0].varbinds[0].hex, "C0000000");
    EXPECT_EQ(sets[0].varbinds[1].oid, P + "8.1.3.1.3.3");
    EXPECT_EQ(sets[0].varbinds[1].type, "i");
    EXPECT_EQ(sets[0].varbinds[1].value, "2");
    EXPECT_EQ(sim->GetObject(P + "8.1.3.1.3.3"), "i 2");
}

TEST_F(TrunkLogicTest, SetTrunkRefusesAShortMemberTextOrABadTrunkNumber) {
    CTrunkLogic logic;
    for (const auto& [members, trunk] : {std::pair{"c", "3"}, {"", "3"}, {"c0000000", ""}, {"c0000000", "3.1"}}) {
        SCOPED_TRACE(std::string(members) + "/" + trunk);
        ui.ScriptMessageBoxes({IDOK});
        EXPECT_EQ(logic.SetTrunk("2", members, trunk), 0);
        ASSERT_FALSE(ui.ShownMessageBoxes().empty());
        EXPECT_EQ(ui.ShownMessageBoxes().back().text, "Parameter Error !");
    }
    EXPECT_EQ(ui.ShownMessageBoxes().size(), 4u);
    EXPECT_TRUE(Sets().empty());
}

TEST_F(TrunkLogicTest, AnUnansweredSetStillReturnsOne) {
    ModuleStartupParams::TimeoutMs = "200";
    ASSERT_TRUE(sim->Silence("all"));
    CTrunkLogic logic;
    EXPECT_EQ(logic.SetTrunk("1", "0c000000", "2"), 1);
    ASSERT_FALSE(Sets().empty());
    EXPECT_FALSE(Sets()[0].answered);
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
}

TEST_F(TrunkLogicTest, CloseWritesItsLinesInOrderAndDoesNotWait) {
    CTrunkLogic logic;
    ReadAllOf(logic);
    const size_t before = ui.CapturedDebugLines().size();
    const auto start = std::chrono::steady_clock::now();
    logic.Close();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    const auto lines = ui.CapturedDebugLines();
    const std::vector<std::string> closing(lines.begin() + static_cast<std::ptrdiff_t>(before), lines.end());
    std::vector<std::string> expected;
    for (const char* member : {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPMirror", "m_cCommonSNMPTableACL",
                               "m_cCommonSNMPPoint", "m_cCommonSNMPTableVlan", "m_cCommonSNMPTableTrunk",
                               "m_cCommonSNMPTableStaticPor", "m_cCommonSNMPTableGetVlanTrunk"}) {
        expected.push_back(std::string("==================") + member + ".Close===============");
    }
    EXPECT_EQ(closing, expected);
}

TEST_F(TrunkLogicTest, CloseDuringTheReadsEndsThemWithoutAReport) {
    // The spanning-tree walk waits for an answer that never comes, far longer than Init takes.
    ModuleStartupParams::TimeoutMs = "4000";
    ASSERT_TRUE(sim->Silence(P + "6.2"));
    CTrunkLogic logic;
    bool ended = false;
    logic.SetReadsEndedHandler([&] { ended = true; });
    ASSERT_EQ(logic.Init(), 1);
    ASSERT_FALSE(logic.ReadsEnded());
    const auto start = std::chrono::steady_clock::now();
    logic.Close();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    // Once the silent session has been released, its time-out has passed: no report came.
    EXPECT_TRUE(CSnmpRead::WaitForClosedSessions(15000));
    EXPECT_FALSE(ended);
    EXPECT_FALSE(logic.ReadsEnded());
}

class TrunkLogicWideTest : public TrunkLogicTest {
protected:
    TrunkLogicWideTest() : TrunkLogicTest({.model = "DUZ-3300-52", .ports = 60}) {}
};

TEST_F(TrunkLogicWideTest, APortCountAboveTheModelsReadsWithinItsArrays) {
    // The 52-port model's tables stop at port 52; ports 53 to 60 stay unread.
    SetPort("6.2.1.2", 52, 96);
    SetPort("1.13.1.2", 52, 1);
    CTrunkLogic logic;
    ReadAllOf(logic);
    const TrunkSettings s = logic.Snapshot();
    ASSERT_EQ(s.portCount, 60);
    ASSERT_EQ(s.rstp.size(), 60u);
    EXPECT_EQ(s.rstp[51][1], 96);
    EXPECT_EQ(s.speed[51], 1);
    for (int port = 53; port <= 60; ++port) {
        EXPECT_EQ(s.rstp[static_cast<size_t>(port - 1)], TrunkSettings::RstpRecord{}) << port;
        EXPECT_EQ(s.speed[static_cast<size_t>(port - 1)], 0) << port;
    }
}

}  // namespace
