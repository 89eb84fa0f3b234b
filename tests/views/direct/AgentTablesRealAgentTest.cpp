// The SNMP agent table views against the real snmpd of this host, over SNMPv1 and SNMPv3
// (MD5/DES and SHA/DES): each shows what snmpwalk -On prints for the same agent. Also the
// SNMPv3 settings table of ApplyV3Security, seen by which settings the agent accepts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "core/ModuleStartupParams.h"
#include "resources/templates/AgentTableViewsIds.h"
#include "tests/support/snmp/SnmpAgents.h"
#include "tests/support/switchsim/SimulatedSwitch.h"
#include "tests/support/ui/UiHarness.h"
#include "views/direct/AccessInfo.h"
#include "views/direct/CommunityInfo.h"
#include "views/direct/EngineInfo.h"
#include "views/direct/GroupInfo.h"
#include "views/direct/MibTreeInfo.h"
#include "views/direct/UserInfo.h"
#include "tests/support/SessionTarget.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;
using Rows = std::vector<std::vector<std::string>>;

using namespace agent_table_ids;

namespace {

// One column as snmpwalk -On prints it: the instance after the column and the value.
struct ToolCell {
    std::vector<unsigned long> index;
    std::string value;
};

switchsim::ToolResult Tool(std::vector<std::string> argv) {
    argv.insert(argv.begin() + 1, {"-v1", "-c", testsupport::kReadCommunity, "-On", "-Oq"});
    argv.insert(argv.begin() + 6, testsupport::SharedSnmpd().Address());
    return switchsim::RunTool(argv, (std::filesystem::temp_directory_path() / "views-direct-tool").string());
}

std::vector<ToolCell> WalkColumn(const std::string& column) {
    const auto r = Tool({"snmpwalk", column});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::vector<ToolCell> cells;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);) {
        const std::string prefix = "." + column + ".";
        if (line.rfind(prefix, 0) != 0) continue;
        const auto blank = line.find(' ');
        ToolCell cell;
        std::istringstream parts(line.substr(prefix.size(), blank - prefix.size()));
        for (std::string p; std::getline(parts, p, '.');) cell.index.push_back(std::stoul(p));
        cell.value = blank == std::string::npos ? "" : line.substr(blank + 1);
        if (cell.value.size() >= 2 && cell.value.front() == '"')
            cell.value = cell.value.substr(1, cell.value.size() - 2);
        if (!cell.value.empty() && cell.value.front() == '.') cell.value.erase(0, 1);  // OIDs
        cells.push_back(cell);
    }
    return cells;
}

// Octet-string index part: length and character codes.
std::string Chars(const std::vector<unsigned long>& index, std::size_t& pos) {
    std::string s;
    for (std::size_t n = index[pos++]; n > 0; --n) s += static_cast<char>(index[pos++]);
    return s;
}

const std::map<std::string, std::string> kStorage{
    {"1", "Other"}, {"2", "volatile"}, {"3", "nonVolatile"}, {"4", "permanent"}, {"5", "readOnly"}};
const std::map<std::string, std::string> kStatus{{"1", "active"}, {"2", "notInService"}, {"3", "notReady"}};

struct Road {
    const char* name;
    const char* version;
    testsupport::SnmpdUser user;
};

void UseRoad(const Road& road) {
    ModuleStartupParams::ResetToDefaults();
    testsupport::PointSessionsAt(testsupport::SharedSnmpd().Address());
    ModuleStartupParams::SnmpVersion = road.version;
    ModuleStartupParams::SecurityLevel = std::to_string(road.user.level);
    ModuleStartupParams::UserName = road.user.name;
    ModuleStartupParams::AuthPassword = road.user.authPassPhrase;
    ModuleStartupParams::PrivPassword = road.user.privPassPhrase;
    ModuleStartupParams::AuthProtocol = road.user.authProtocol == 1 ? "3" : "2";
    ModuleStartupParams::PrivProtocol = "2";
}

class RealAgentTables : public ::testing::TestWithParam<Road> {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::SharedSnmpd().Started()) << testsupport::SharedSnmpd().Error();
        UseRoad(GetParam());
    }
    void TearDown() override { ModuleStartupParams::ResetToDefaults(); }

    // The rows the view shows once its read has ended.
    template <class View>
    Rows Show(int listId, std::size_t expected) {
        Harness ui;
        View view;
        Rows rows;
        ui.RunModal(view, [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return !view.Reading() && d.GetRows(listId).size() >= expected; }));
            rows = d.GetRows(listId);
            d.Click(IDCANCEL);
        });
        return rows;
    }
};

TEST_P(RealAgentTables, GroupTableAsTheToolShowsIt) {
    const auto names = WalkColumn("1.3.6.1.6.3.16.1.2.1.3");
    const auto storage = WalkColumn("1.3.6.1.6.3.16.1.2.1.4");
    const auto status = WalkColumn("1.3.6.1.6.3.16.1.2.1.5");
    ASSERT_GE(names.size(), 5u);  // two communities for v1 and v2c, the five users
    ASSERT_EQ(storage.size(), names.size());
    Rows expected;
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::size_t pos = 1;
        expected.push_back({"v" + std::to_string(names[i].index[0]), Chars(names[i].index, pos), names[i].value,
                            kStorage.at(storage[i].value), kStatus.at(status[i].value)});
    }
    EXPECT_EQ(Show<CGroupInfo>(IDC_GROUP_LIST, expected.size()), expected);
}

TEST_P(RealAgentTables, AccessTableAsTheToolShowsIt) {
    const auto read = WalkColumn("1.3.6.1.6.3.16.1.4.1.5");
    const auto write = WalkColumn("1.3.6.1.6.3.16.1.4.1.6");
    const auto notify = WalkColumn("1.3.6.1.6.3.16.1.4.1.7");
    const auto storage = WalkColumn("1.3.6.1.6.3.16.1.4.1.8");
    ASSERT_FALSE(read.empty());
    Rows expected;
    for (std::size_t i = 0; i < read.size(); ++i) {
        std::size_t pos = 0;
        const std::string group = Chars(read[i].index, pos);
        Chars(read[i].index, pos);
        const auto model = read[i].index[pos], level = read[i].index[pos + 1];
        expected.push_back({group,
                            model == 1   ? "v1"
                            : model == 2 ? "v2"
                                         : "v3",
                            level == 1   ? "noAuthNoPriv"
                            : level == 2 ? "authNoPriv"
                                         : "authPriv",
                            read[i].value, write[i].value, notify[i].value, kStorage.at(storage[i].value)});
    }
    EXPECT_EQ(Show<CAccessInfo>(IDC_ACCESS_LIST, expected.size()), expected);
}

TEST_P(RealAgentTables, ViewTreeTableAsTheToolShowsIt) {
    const auto type = WalkColumn("1.3.6.1.6.3.16.1.5.2.1.4");
    const auto storage = WalkColumn("1.3.6.1.6.3.16.1.5.2.1.5");
    const auto status = WalkColumn("1.3.6.1.6.3.16.1.5.2.1.6");
    ASSERT_FALSE(type.empty());
    Rows expected;
    for (std::size_t i = 0; i < type.size(); ++i) {
        std::size_t pos = 0;
        const std::string view = Chars(type[i].index, pos);
        std::string subtree;
        for (std::size_t n = type[i].index[pos++]; n > 0; --n)
            subtree += (subtree.empty() ? "" : ".") + std::to_string(type[i].index[pos++]);
        expected.push_back({view, subtree, type[i].value == "1" ? "included" : "excluded",
                            kStorage.at(storage[i].value), kStatus.at(status[i].value)});
    }
    EXPECT_EQ(Show<CMibTreeInfo>(IDC_MIB_TREE_LIST, expected.size()), expected);
}

TEST_P(RealAgentTables, UserTableWithEachUsersOwnGroup) {
    const auto names = WalkColumn("1.3.6.1.6.3.15.1.2.2.1.3");
    const auto groups = WalkColumn("1.3.6.1.6.3.16.1.2.1.3");
    ASSERT_EQ(names.size(), 5u);
    std::map<std::string, std::string> groupOfUser;
    for (const auto& g : groups) {
        std::size_t pos = 1;
        if (g.index[0] == 3) groupOfUser[Chars(g.index, pos)] = g.value;
    }
    // Expected protocols by the fixture's users: MD5 and DES are named, all else is "Other".
    std::map<std::string, testsupport::SnmpdUser> users;
    for (const auto& u : {testsupport::kNoAuthUser, testsupport::kMd5User, testsupport::kShaUser,
                          testsupport::kMd5DesUser, testsupport::kShaDesUser})
        users.emplace(u.name, u);
    Rows expected;
    for (const auto& n : names) {
        const auto& u = users.at(n.value);
        expected.push_back({n.value, groupOfUser.at(n.value), u.level >= 2 && u.authProtocol == 0 ? "MD5" : "Other",
                            u.level == 3 ? "DES" : "Other"});
    }
    EXPECT_EQ(Show<CUserInfo>(IDC_USER_LIST, expected.size()), expected);
}

TEST_P(RealAgentTables, CommunityTableOfThisAgentIsEmpty) {
    EXPECT_TRUE(WalkColumn("1.3.6.1.6.3.18.1.1.1.2").empty());
    EXPECT_TRUE(Show<CCommunityInfo>(IDC_COMMUNITY_LIST, 0).empty());
}

TEST_P(RealAgentTables, EngineValuesAsTheToolShowsThem) {
    const auto hex = Tool({"snmpget", "-Ox", "1.3.6.1.6.3.10.2.1.1.0"});
    std::string engineId;
    for (char c : hex.out.substr(hex.out.find(' ') + 1))
        if (std::isxdigit(static_cast<unsigned char>(c))) engineId += c;
    const auto scalars =
        Tool({"snmpget", "1.3.6.1.6.3.10.2.1.2.0", "1.3.6.1.6.3.10.2.1.3.0", "1.3.6.1.6.3.10.2.1.4.0"});
    std::vector<std::string> values;
    std::istringstream in(scalars.out);
    for (std::string line; std::getline(in, line);) values.push_back(line.substr(line.find(' ') + 1));
    ASSERT_EQ(values.size(), 3u) << scalars.out << scalars.err;

    Harness ui;
    CEngineInfo view;
    ui.RunModal(view, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return !d.GetText(IDC_ENGINE_MAX_MESSAGE).empty(); }));
        EXPECT_EQ(d.GetText(IDC_ENGINE_ID), engineId);
        EXPECT_EQ(d.GetText(IDC_ENGINE_BOOTS), values[0]);
        EXPECT_NEAR(std::atol(d.GetText(IDC_ENGINE_TIME).c_str()), std::atol(values[1].c_str()), 5);  // seconds
        EXPECT_EQ(d.GetText(IDC_ENGINE_MAX_MESSAGE), values[2]);
        EXPECT_FALSE(d.IsEnabled(IDC_ENGINE_ID));
        d.Click(IDCANCEL);
    });
}

INSTANTIATE_TEST_SUITE_P(Roads, RealAgentTables,
                         ::testing::Values(Road{"v1", "1", testsupport::kNoAuthUser},
                                           Road{"v3_MD5_DES", "3", testsupport::kMd5DesUser},
                                           Road{"v3_SHA_DES", "3", testsupport::kShaDesUser}),
                         [](const auto& info) { return std::string(info.param.name); });

// ApplyV3Security: which start-up settings the agent accepts shows what was set. Each row
// reads the engine values through CEngineInfo.
struct V3Case {
    const char* name;
    testsupport::SnmpdUser user;
    const char* level;
    const char* auth;
    const char* priv;
    bool answered;
};

class V3Settings : public ::testing::TestWithParam<V3Case> {};

TEST_P(V3Settings, AgentAcceptsExactlyTheConfiguredSecurity) {
    ASSERT_TRUE(testsupport::SharedSnmpd().Started()) << testsupport::SharedSnmpd().Error();
    const V3Case& c = GetParam();
    ModuleStartupParams::ResetToDefaults();
    testsupport::PointSessionsAt(testsupport::SharedSnmpd().Address());
    ModuleStartupParams::TimeoutMs = "1500";
    ModuleStartupParams::SnmpVersion = "3";
    ModuleStartupParams::UserName = c.user.name;
    ModuleStartupParams::AuthPassword = c.user.authPassPhrase;
    ModuleStartupParams::PrivPassword = c.user.privPassPhrase;
    ModuleStartupParams::SecurityLevel = c.level;
    ModuleStartupParams::AuthProtocol = c.auth;
    ModuleStartupParams::PrivProtocol = c.priv;
    Harness ui;
    CEngineInfo view;
    ui.RunModal(view, [&](DialogDriver& d) {
        // The version-3 read is synchronous: it has ended when the dialog shows.
        EXPECT_EQ(!d.GetText(IDC_ENGINE_MAX_MESSAGE).empty(), c.answered) << d.GetText(IDC_ENGINE_MAX_MESSAGE);
        d.Click(IDCANCEL);
    });
    ModuleStartupParams::ResetToDefaults();
}

using testsupport::kMd5DesUser;
using testsupport::kMd5User;
using testsupport::kNoAuthUser;
using testsupport::kShaDesUser;
using testsupport::kShaUser;
INSTANTIATE_TEST_SUITE_P(
    Table, V3Settings,
    ::testing::Values(V3Case{"noAuth", kNoAuthUser, "1", "1", "1", true},
                      V3Case{"unknownLevelIsNoAuth", kNoAuthUser, "7", "2", "2", true},
                      V3Case{"md5Auth", kMd5User, "2", "2", "1", true},
                      V3Case{"shaAuth", kShaUser, "2", "3", "1", true},
                      V3Case{"md5UserWithShaRefused", kMd5User, "2", "3", "1", false},
                      V3Case{"md5DesPriv", kMd5DesUser, "3", "2", "2", true},
                      V3Case{"shaDesPriv", kShaDesUser, "3", "3", "2", true},
                      // Without privacy protocol "2" the flags fall back to authNoPriv: this user needs privacy.
                      V3Case{"privProtocolOtherFallsToAuthNoPriv", kMd5DesUser, "3", "2", "1", false},
                      // An unknown authentication protocol ends with flags 0 although privacy is set up.
                      V3Case{"authProtocolOtherEndsWithoutSecurity", kMd5DesUser, "3", "1", "2", false},
                      V3Case{"level2ForPrivUserRefused", kMd5DesUser, "2", "2", "2", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
