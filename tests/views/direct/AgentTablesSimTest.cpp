// The agent table views and the walk pattern against the simulated switch: value texts taken
// from indexes and values, users paired with their own group entries, a column with fewer
// rows, and the walk's life: Refresh during a walk, closing during a walk, an empty table, a version without a road.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/ModuleStartupParams.h"
#include "platform/win/Event.h"
#include "resources/templates/AgentTableViewsIds.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/switchsim/Settle.h"
#include "tests/support/ui/UiHarness.h"
#include "tests/views/direct/SimV3.h"
#include "views/direct/AccessInfo.h"
#include "views/direct/CommunityInfo.h"
#include "views/direct/GroupInfo.h"
#include "views/direct/MibTreeInfo.h"
#include "views/direct/UserInfo.h"
#include "tests/support/SessionTarget.h"

using namespace std::chrono_literals;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;
using Rows = std::vector<std::vector<std::string>>;

using namespace agent_table_ids;

namespace {

// Index texts: "6.m.a.n.a.g.e" for "manage".
std::string Idx(const std::string& text) {
    std::string s = std::to_string(text.size());
    for (unsigned char c : text) s += "." + std::to_string(c);
    return s;
}

constexpr const char* kGroup = "1.3.6.1.6.3.16.1.2.1.";
constexpr const char* kAccess = "1.3.6.1.6.3.16.1.4.1.";
constexpr const char* kTree = "1.3.6.1.6.3.16.1.5.2.1.";
constexpr const char* kUser = "1.3.6.1.6.3.15.1.2.2.1.";
constexpr const char* kCommunity = "1.3.6.1.6.3.18.1.1.1.";
const std::string kEngine = "5.128.0.31.136.4";  // usmUserEngineID index part

std::string Model() {
    std::string m;
    auto line = [&](const std::string& oid, const char* type, const std::string& value) {
        m += oid + " " + type + " " + value + "\n";
    };
    // Groups: a name of 12 characters (two-digit length), storage 1 and status 6.
    for (const auto& [model, name, group, storage, status] :
         std::vector<std::tuple<int, std::string, std::string, int, int>>{
             {3, "alice", "admins", 3, 1}, {3, "administrator", "operators12", 1, 6}, {2, "public", "readers", 5, 2}}) {
        const std::string index = std::to_string(model) + "." + Idx(name);
        line(kGroup + std::string("3.") + index, "s", group);
        line(kGroup + std::string("4.") + index, "i", std::to_string(storage));
        line(kGroup + std::string("5.") + index, "i", std::to_string(status));
    }
    // Access: security model 3, level 2.
    const std::string access = Idx("admins") + "." + Idx("") + ".3.2";
    line(kAccess + std::string("5.") + access, "s", "viewall");
    line(kAccess + std::string("6.") + access, "s", "viewwrite");
    line(kAccess + std::string("7.") + access, "s", "viewnotify");
    line(kAccess + std::string("8.") + access, "i", "3");
    // View trees: subtree 1.3.6.1 of a view of 10 characters.
    const std::string tree = Idx("everything") + ".4.1.3.6.1";
    line(kTree + std::string("4.") + tree, "i", "1");
    line(kTree + std::string("5.") + tree, "i", "4");
    line(kTree + std::string("6.") + tree, "i", "3");
    const std::string tree2 = Idx("none") + ".2.1.3";
    line(kTree + std::string("4.") + tree2, "i", "2");
    line(kTree + std::string("5.") + tree2, "i", "2");
    line(kTree + std::string("6.") + tree2, "i", "1");
    // Users: bob has no group entry; alice and administrator have theirs.
    for (const auto& [name, auth, priv] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {"administrator", "1.3.6.1.6.3.10.1.1.2", "1.3.6.1.6.3.10.1.2.2"},
             {"alice", "1.3.6.1.6.3.10.1.1.3", "1.3.6.1.6.3.10.1.2.1"},
             {"bob", "1.3.6.1.6.3.10.1.1.1", "1.3.6.1.6.3.10.1.2.2"}}) {
        const std::string index = kEngine + "." + Idx(name);
        line(kUser + std::string("3.") + index, "s", name);
        line(kUser + std::string("5.") + index, "o", auth);
        line(kUser + std::string("8.") + index, "o", priv);
    }
    // Communities: a name byte outside ASCII letters, an engine id of bytes.
    const std::string community = Idx("c1");
    line(kCommunity + std::string("2.") + community, "s", "norfen");
    line(kCommunity + std::string("3.") + community, "s", "secname");
    line(kCommunity + std::string("4.") + community, "x", "800007E5800A0B0C");
    line(kCommunity + std::string("7.") + community, "i", "2");
    return m;
}

class AgentTablesSim : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const auto dir = std::filesystem::temp_directory_path() / ("views-direct-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        const auto path = dir / "agent.model";
        std::ofstream(path) << Model();
        switchsim::SimulatedSwitch::Options options;
        options.model = path.string();
        s_sim = switchsim::StartSuiteSwitch(options);
    }
    static void TearDownTestSuite() { s_sim.reset(); }

    void SetUp() override {
        switchsim::ResetForTest(s_sim.get());
        switchsim::PointModuleAt(*s_sim);
    }
    void TearDown() override { ModuleStartupParams::ResetToDefaults(); }

    static std::size_t GetNexts() {
        std::size_t n = 0;
        for (const auto& r : s_sim->Requests()) n += r.pdu == "getnext";
        return n;
    }

    template <class View>
    Rows Show(int listId) {
        Harness ui;
        View view;
        Rows rows;
        ui.RunModal(view, [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return !view.Reading(); }));
            rows = d.GetRows(listId);
            d.Click(IDCANCEL);
        });
        return rows;
    }

    static void UseV3() { directtest::UseSimV3("3"); }

    static inline std::unique_ptr<switchsim::SimulatedSwitch> s_sim;
};

TEST_F(AgentTablesSim, ValueTextsFromIndexesAndValues) {
    for (const char* version : {"1", "3"}) {
        SCOPED_TRACE(version);
        if (std::string(version) == "3") UseV3();
        EXPECT_EQ(Show<CGroupInfo>(IDC_GROUP_LIST), (Rows{{"v2", "public", "readers", "readOnly", "notInService"},
                                                          {"v3", "alice", "admins", "nonVolatile", "active"},
                                                          {"v3", "administrator", "operators12", "Other", "destroy"}}));
        EXPECT_EQ(Show<CAccessInfo>(IDC_ACCESS_LIST),
                  (Rows{{"admins", "v3", "authNoPriv", "viewall", "viewwrite", "viewnotify", "nonVolatile"}}));
        EXPECT_EQ(Show<CMibTreeInfo>(IDC_MIB_TREE_LIST),
                  (Rows{{"none", "1.3", "excluded", "volatile", "active"},
                        {"everything", "1.3.6.1", "included", "permanent", "notReady"}}));
        EXPECT_EQ(Show<CCommunityInfo>(IDC_COMMUNITY_LIST),
                  (Rows{{"norfen", "secname", "800007E5800A0B0C", "volatile"}}));
    }
}

// bob (first in index order) has no group entry: he shows none, and the users after him
// keep their own.
TEST_F(AgentTablesSim, UsersPairedWithTheirOwnGroups) {
    const Rows expected{{"bob", "", "Other", "DES"},
                        {"alice", "admins", "Other", "Other"},
                        {"administrator", "operators12", "MD5", "DES"}};
    EXPECT_EQ(Show<CUserInfo>(IDC_USER_LIST), expected);
    UseV3();
    EXPECT_EQ(Show<CUserInfo>(IDC_USER_LIST), expected);
}

// The storage column lacks alice's row (index order: bob, alice, carol): the walk ends there
// instead of showing carol's storage type under alice.
// The user read makes no request while it handles an answer: with every answer of a slow
// switch late, another session's answers reach their callbacks at once meanwhile (the
// library runs every session's callbacks on one thread). The users keep their own groups.
TEST_F(AgentTablesSim, SlowUserReadDoesNotHoldOtherSessionsCallbacks) {
    auto fast = switchsim::StartSuiteSwitch();
    ASSERT_TRUE(fast);
    ASSERT_TRUE(s_sim->Delay(500));
    struct Probe {
        win::Event answered{true, false};
    } probe;
    auto onAnswer = +[](CSnmp* response, int, void* data, int) -> int {
        delete response;
        static_cast<Probe*>(data)->answered.Set();
        return 0;
    };
    CSnmpV1 session(SNMP_PDU_GET);
    session.setCommunity("norfen");
    session.addValue("1.3.6.1.2.1.1.5.0", SNMP_TYPE_NULL, nullptr);
    CSnmp4w async;
    async.setSnmp(&session);
    std::chrono::steady_clock::duration slowest{};
    int probes = 0;
    Harness ui;
    CUserInfo view;
    Rows rows;
    ui.RunModal(view, [&](DialogDriver& d) {
        while (view.Reading()) {
            probe.answered.Reset();
            const auto sent = std::chrono::steady_clock::now();
            ASSERT_EQ(async.sendAsync(fast->Target().c_str(), onAnswer, &probe, nullptr, 5000), EC_NO_ERROR);
            ASSERT_EQ(probe.answered.Wait(5000), WAIT_OBJECT_0);
            slowest = std::max(slowest, std::chrono::steady_clock::now() - sent);
            ++probes;
        }
        rows = d.GetRows(IDC_USER_LIST);
        d.Click(IDCANCEL);
    });
    EXPECT_GE(probes, 5);
    // A held callback waits for the slow answer, nearly 500 ms; a free one a round trip.
    EXPECT_LT(slowest, 400ms) << "another session's callback waited for the slow switch";
    EXPECT_EQ(rows, (Rows{{"bob", "", "Other", "DES"},
                          {"alice", "admins", "Other", "Other"},
                          {"administrator", "operators12", "MD5", "DES"}}));
}

TEST_F(AgentTablesSim, ColumnWithFewerRowsEndsTheTable) {
    const auto dir = std::filesystem::temp_directory_path() / ("views-direct-short-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string model;
    for (const auto& [index, group] : std::vector<std::pair<std::string, std::string>>{
             {"3." + Idx("alice"), "admins"}, {"3." + Idx("bob"), "staff"}, {"3." + Idx("carol"), "guests"}}) {
        model += kGroup + std::string("3.") + index + " s " + group + "\n";
        if (group != "admins") model += kGroup + std::string("4.") + index + " i 3\n";
        model += kGroup + std::string("5.") + index + " i 1\n";
    }
    std::ofstream(dir / "short.model") << model;
    switchsim::SimulatedSwitch::Options options;
    options.model = (dir / "short.model").string();
    switchsim::SimulatedSwitch sim(options);
    std::string error;
    ASSERT_TRUE(sim.Start(&error)) << error;
    testsupport::PointSessionsAt(sim.Target());
    const Rows expected{{"v3", "bob", "staff", "nonVolatile", "active"}};
    EXPECT_EQ(Show<CGroupInfo>(IDC_GROUP_LIST), expected);
    UseV3();
    EXPECT_EQ(Show<CGroupInfo>(IDC_GROUP_LIST), expected);
}

TEST_F(AgentTablesSim, EmptyTableLeavesTheListEmptyAndIdle) {
    Harness ui;
    CCommunityInfo view;
    // A model without the table: the first answer is already past it.
    switchsim::SimulatedSwitch empty;
    std::string error;
    ASSERT_TRUE(empty.Start(&error)) << error;
    testsupport::PointSessionsAt(empty.Target());
    ui.RunModal(view, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return !view.Reading() && !empty.Requests().empty(); }));
        EXPECT_TRUE(d.GetRows(IDC_COMMUNITY_LIST).empty());
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(empty.Requests().size(), 1u);
}

TEST_F(AgentTablesSim, RefreshDuringAWalkDoesNothing) {
    ASSERT_TRUE(s_sim->Delay(300));
    Harness ui;
    CGroupInfo view;
    ui.RunModal(view, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return d.GetRows(IDC_GROUP_LIST).size() == 1; }));
        d.Click(IDC_REFRESH);
        d.Click(IDC_REFRESH);
        EXPECT_FALSE(d.GetRows(IDC_GROUP_LIST).empty());  // not cleared
        EXPECT_TRUE(WaitUntil([&] { return !view.Reading(); }));
        EXPECT_EQ(d.GetRows(IDC_GROUP_LIST).size(), 3u);
        d.Click(IDCANCEL);
    });
    // Three rows and the answer past the table: one request each, no second walk.
    EXPECT_EQ(GetNexts(), 4u);
}

// The answer comes well after the close, also in a slow (sanitizer) build.
TEST_F(AgentTablesSim, ClosingDuringAWalkCancelsIt) {
    ASSERT_TRUE(s_sim->Delay(2500));
    Harness ui;
    CGroupInfo view;
    ui.RunModal(view, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return GetNexts() == 1; }));
        d.Click(IDCANCEL);
        EXPECT_TRUE(WaitUntil([&] { return !d.IsOpen(); }, 1500ms));  // no wait for the answer
    });
    EXPECT_FALSE(view.Reading());
    // The answer has arrived and been dropped: no row, no next request.
    ASSERT_TRUE(switchsim::Settle(*s_sim));
    EXPECT_EQ(GetNexts(), 1u);
}

TEST_F(AgentTablesSim, ClosingWhileARowGoesInWaitsForIt) {
    // Answers come at once; close as soon as the first row shows, while the walk runs on.
    Harness ui;
    CUserInfo view;
    ui.RunModal(view, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return !d.GetRows(IDC_USER_LIST).empty(); }));
        d.Click(IDCANCEL);
    });
    const std::size_t requests = s_sim->Requests().size();
    ASSERT_TRUE(switchsim::Settle(*s_sim));
    EXPECT_EQ(s_sim->Requests().size(), requests);
}

// A table dialog that builds its session for each read: three group-table columns.
class PerReadGroups : public CDirectTableDlg {
public:
    PerReadGroups()
        : CDirectTableDlg({IDD_GROUP,
                           IDC_GROUP_LIST,
                           {"Group", "Storage", "Status"},
                           {std::string(kGroup) + "3", std::string(kGroup) + "4", std::string(kGroup) + "5"},
                           true}) {}

protected:
    std::vector<std::string> FormatRow(const DirectRow& row) const override {
        return {row.values[0].text, row.values[1].text, row.values[2].text};
    }
};

// The start-up values are taken at each read: the second read goes to another agent.
TEST_F(AgentTablesSim, SessionPerReadTakesTheSettingsOfEachRead) {
    switchsim::SimulatedSwitch other;
    std::string error;
    ASSERT_TRUE(other.Start(&error)) << error;
    Harness ui;
    PerReadGroups view;
    ui.RunModal(view, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return !view.Reading() && d.GetRows(IDC_GROUP_LIST).size() == 3; }));
        EXPECT_EQ(d.GetRows(IDC_GROUP_LIST)[1], (std::vector<std::string>{"admins", "3", "1"}));
        testsupport::PointSessionsAt(other.Target());
        d.Click(IDC_REFRESH);
        EXPECT_TRUE(WaitUntil([&] { return !view.Reading() && !other.Requests().empty(); }));
        EXPECT_TRUE(d.GetRows(IDC_GROUP_LIST).empty());
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(GetNexts(), 4u);
}

TEST_F(AgentTablesSim, SessionPerReadUsesTheTimeoutAndServesVersion1Only) {
    ASSERT_TRUE(s_sim->Silence());
    ModuleStartupParams::TimeoutMs = "300";
    Harness ui;
    PerReadGroups view;
    ui.RunModal(view, [&](DialogDriver& d) {
        // Well before the library's default of 5 s.
        EXPECT_TRUE(WaitUntil([&] { return !view.Reading(); }, 2500ms));
        ASSERT_TRUE(s_sim->ClearFaults());
        s_sim->ClearRequests();
        ModuleStartupParams::SnmpVersion = "3";
        d.Click(IDC_REFRESH);
        EXPECT_FALSE(view.Reading());  // no walk started
        EXPECT_TRUE(d.GetRows(IDC_GROUP_LIST).empty());
        d.Click(IDCANCEL);
    });
    ASSERT_TRUE(switchsim::Settle(*s_sim));
    EXPECT_TRUE(s_sim->Requests().empty());
}

TEST_F(AgentTablesSim, VersionWithoutARoadSendsNothing) {
    ModuleStartupParams::SnmpVersion = "2";
    EXPECT_TRUE(Show<CGroupInfo>(IDC_GROUP_LIST).empty());
    EXPECT_TRUE(s_sim->Requests().empty());
}

}  // namespace
