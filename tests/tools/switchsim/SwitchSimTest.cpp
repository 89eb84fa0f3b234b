// The simulated switch driven by net-snmp's own command-line tools over UDP on 127.0.0.1.
#include "tests/support/switchsim/SimulatedSwitch.h"
#include "tests/support/PollUntil.h"
#include "tests/support/snmp/RawSnmp.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace switchsim {
namespace {

const std::string kX = "1.3.6.1.4.1.32473.99";  // the test model's private subtree
const std::string kRow = kX + ".30.1";          // name .1, value .2, row status .3
const std::string kRmon = kX + ".40.1";         // value .1, entry status .2
const std::string kSysName = "1.3.6.1.2.1.1.5.0";
const std::string kSysUpTime = "1.3.6.1.2.1.1.3.0";
const std::string kSave = "1.3.6.1.4.1.32473.10.76.21.1.1.10.0";
const std::string kReboot = "1.3.6.1.4.1.32473.10.76.21.1.1.9.0";
const std::string kDot1xState = "1.3.6.1.4.1.32473.10.76.21.1.23.1.1.0";
const std::string kDot1xStateOfTrunks = "1.3.6.1.4.1.32473.10.76.21.1.11.2.1.0";

const char* const kTestModel = R"(# test model
1.3.6.1.2.1.1.1.0 s "Test switch"
1.3.6.1.2.1.1.3.0 t 0
1.3.6.1.2.1.1.5.0 s sw1
1.3.6.1.4.1.32473.10.76.21.1.1.9.0 i 2
1.3.6.1.4.1.32473.10.76.21.1.1.10.0 i 2
1.3.6.1.4.1.32473.10.76.21.1.23.1.1.0 i 1
1.3.6.1.4.1.32473.10.76.21.1.11.2.1.0 i 1
1.3.6.1.4.1.32473.99.1.0 i -5
1.3.6.1.4.1.32473.99.2.0 u 42
1.3.6.1.4.1.32473.99.3.0 c 4000000000
1.3.6.1.4.1.32473.99.4.0 t 12345
1.3.6.1.4.1.32473.99.5.0 a 192.168.0.1
1.3.6.1.4.1.32473.99.6.0 o 1.3.6.1.4.1.32473
1.3.6.1.4.1.32473.99.7.0 s "hello world"
1.3.6.1.4.1.32473.99.8.0 x "00 1E FF"
1.3.6.1.4.1.32473.99.9.0 C 10000000000
readonly 1.3.6.1.4.1.32473.99.1
noaccess 1.3.6.1.4.1.32473.99.20
1.3.6.1.4.1.32473.99.20.1.0 i 7
rowstatus 1.3.6.1.4.1.32473.99.30.1.3
rowdefault 1.3.6.1.4.1.32473.99.30.1.2 i 0
1.3.6.1.4.1.32473.99.30.1.1.1 s one
1.3.6.1.4.1.32473.99.30.1.1.2 s two
1.3.6.1.4.1.32473.99.30.1.2.1 i 10
1.3.6.1.4.1.32473.99.30.1.2.2 i 20
1.3.6.1.4.1.32473.99.30.1.3.1 i 1
1.3.6.1.4.1.32473.99.30.1.3.2 i 2
entrystatus 1.3.6.1.4.1.32473.99.40.1.2
1.3.6.1.4.1.32473.99.40.1.1.1 i 100
1.3.6.1.4.1.32473.99.40.1.2.1 i 1
)";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

using Args = std::vector<std::string>;

Args V1(const std::string& community = "norfen") { return {"-v1", "-c", community}; }
Args V2(const std::string& community = "norfen") { return {"-v2c", "-c", community}; }
Args V3(const std::string& user, const std::string& level) {
    Args a = {"-v3", "-u", user, "-l", level};
    if (user.find("md5") != std::string::npos) a.insert(a.end(), {"-a", "MD5", "-A", "simmd5pass"});
    if (user.find("sha") != std::string::npos) a.insert(a.end(), {"-a", "SHA", "-A", "simshapass"});
    if (user.find("des") != std::string::npos) a.insert(a.end(), {"-x", "DES", "-X", "simdespass"});
    return a;
}

class SwitchSimTest : public ::testing::Test {
protected:
    static std::string TestModelPath() {
        static const std::string path = [] {
            auto p = std::filesystem::temp_directory_path() / ("switchsim-test-" + std::to_string(getpid()) + ".model");
            std::ofstream(p) << kTestModel;
            return p.string();
        }();
        return path;
    }
    static void TearDownTestSuite() { std::filesystem::remove(TestModelPath()); }

    virtual SimulatedSwitch::Options Options() { return {TestModelPath(), {"save-time 300", "reboot-time 600"}}; }

    void SetUp() override {
        sim_ = std::make_unique<SimulatedSwitch>(Options());
        std::string error;
        ASSERT_TRUE(sim_->Start(&error)) << error;
    }

    // Runs a net-snmp tool with numeric output, a short time-out and no retries.
    ToolResult Snmp(const std::string& tool, const Args& auth, const Args& rest, const std::string& timeout = "2") {
        Args argv = {tool, "-On", "-t", timeout, "-r", "0"};
        argv.insert(argv.end(), auth.begin(), auth.end());
        argv.push_back(sim_->Target());
        argv.insert(argv.end(), rest.begin(), rest.end());
        return RunTool(argv, sim_->WorkDir() + "/cli");
    }

    std::string Stored(const std::string& oid) { return sim_->GetObject(oid).value_or("(absent)"); }

    std::unique_ptr<SimulatedSwitch> sim_;
};

TEST_F(SwitchSimTest, ServesEveryValueType) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {".1.0", "INTEGER: -5"},
        {".2.0", "Gauge32: 42"},
        {".3.0", "Counter32: 4000000000"},
        {".4.0", "Timeticks: (12345) 0:02:03.45"},
        {".5.0", "IpAddress: 192.168.0.1"},
        {".6.0", "OID: .1.3.6.1.4.1.32473"},
        {".7.0", "STRING: \"hello world\""},
        {".8.0", "Hex-STRING: 00 1E FF"},
        {".9.0", "Counter64: 10000000000"},
    };
    Args oids;
    for (const auto& c : cases) oids.push_back(kX + c.first);
    auto r = Snmp("snmpget", V2(), oids);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), cases.size()) << r.out;
    for (size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(lines[i], "." + kX + cases[i].first + " = " + cases[i].second);
}

TEST_F(SwitchSimTest, AnswersEveryVersionAndSecurityLevel) {
    struct Case {
        Args auth;
        std::string version, who, level;
    };
    const std::vector<Case> cases = {
        {V1(), "1", "norfen", ""},
        {V2(), "2c", "norfen", ""},
        {V2("quastel"), "2c", "quastel", ""},
        {V3("simnone", "noAuthNoPriv"), "3", "simnone", "noAuthNoPriv"},
        {V3("simmd5", "authNoPriv"), "3", "simmd5", "authNoPriv"},
        {V3("simsha", "authNoPriv"), "3", "simsha", "authNoPriv"},
        {V3("simmd5des", "authPriv"), "3", "simmd5des", "authPriv"},
        {V3("simshades", "authPriv"), "3", "simshades", "authPriv"},
        {V3("simshades", "authNoPriv"), "3", "simshades", "authNoPriv"},
    };
    for (const auto& c : cases) {
        sim_->ClearRequests();
        auto r = Snmp("snmpget", c.auth, {kSysName});
        EXPECT_EQ(r.out, "." + kSysName + " = STRING: \"sw1\"\n") << c.who << " " << c.level << ": " << r.err;
        auto log = sim_->Requests();
        ASSERT_FALSE(log.empty()) << c.who;
        const auto& last = log.back();
        EXPECT_EQ(last.version, c.version);
        EXPECT_EQ(c.version == "3" ? last.user : last.community, c.who);
        EXPECT_EQ(last.level, c.level);
    }
}

TEST_F(SwitchSimTest, IgnoresWrongCredentials) {
    auto r = Snmp("snmpget", V2("public"), {kSysName}, "0.5");
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.err.find("Timeout"), std::string::npos) << r.err;
    auto log = sim_->Requests();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_FALSE(log[0].answered);

    Args wrongPass = {"-v3", "-u", "simmd5", "-l", "authNoPriv", "-a", "MD5", "-A", "notthepass"};
    r = Snmp("snmpget", wrongPass, {kSysName});
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Authentication failure"), std::string::npos) << r.err;

    Args privacyOnAuthOnlyUser = {"-v3", "-u",         "simmd5", "-l",  "authPriv", "-a",        "MD5",
                                  "-A",  "simmd5pass", "-x",     "DES", "-X",       "simdespass"};
    r = Snmp("snmpget", privacyOnAuthOnlyUser, {kSysName});
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err, "");
    for (const auto& request : sim_->Requests()) EXPECT_EQ(request.version, "2c");  // none reached the agent
}

TEST_F(SwitchSimTest, WalksInOrderAndEndsAsEachVersionDoes) {
    const std::vector<std::string> expected = {
        "." + kRow + ".1.1 = STRING: \"one\"", "." + kRow + ".1.2 = STRING: \"two\"", "." + kRow + ".2.1 = INTEGER: 10",
        "." + kRow + ".2.2 = INTEGER: 20",     "." + kRow + ".3.1 = INTEGER: 1",      "." + kRow + ".3.2 = INTEGER: 2",
    };
    for (const auto& [tool, auth] :
         std::vector<std::pair<std::string, Args>>{{"snmpwalk", V1()},
                                                   {"snmpwalk", V2()},
                                                   {"snmpbulkwalk", V2()},
                                                   {"snmpbulkwalk", V3("simshades", "authPriv")}}) {
        auto r = Snmp(tool, auth, {kX + ".30"});
        EXPECT_EQ(Lines(r.out), expected) << tool << " " << auth[0] << ": " << r.err;
    }
    // The no-access subtree is invisible to a walk.
    auto r = Snmp("snmpwalk", V2(), {kX + ".9"});
    EXPECT_EQ(Lines(r.out), std::vector<std::string>{"." + kX + ".9.0 = Counter64: 10000000000"});
    r = Snmp("snmpgetnext", V2(), {kX + ".9.0"});
    EXPECT_EQ(Lines(r.out), std::vector<std::string>{"." + kRow + ".1.1 = STRING: \"one\""});

    // Past the last object: v1 answers noSuchName, v2c endOfMibView.
    r = Snmp("snmpgetnext", V1(), {kRmon + ".2.1"});
    EXPECT_NE(r.err.find("noSuchName"), std::string::npos) << r.out << r.err;
    r = Snmp("snmpgetnext", V2(), {kRmon + ".2.1"});
    EXPECT_NE(r.out.find("No more variables left in this MIB View"), std::string::npos) << r.out << r.err;
    auto log = sim_->Requests();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[log.size() - 2].errorStatus, 2);
    EXPECT_EQ(log[log.size() - 2].errorIndex, 1);
}

TEST_F(SwitchSimTest, AnswersErrorStatusesAsARealAgent) {
    struct Case {
        std::string tool;
        Args auth;
        Args rest;
        std::string expected;  // in the tool's output or error text
    };
    const std::vector<Case> cases = {
        {"snmpget", V2(), {kX + ".1.1"}, "No Such Instance currently exists"},
        {"snmpget", V2(), {"1.3.6.1.4.1.32473.77.1.0"}, "No Such Object available"},
        {"snmpget", V1(), {kX + ".1.1"}, "(noSuchName)"},
        {"snmpset", V2("quastel"), {kX + ".1.0", "i", "3"}, "notWritable"},
        {"snmpset", V1("quastel"), {kX + ".1.0", "i", "3"}, "(noSuchName)"},
        {"snmpset", V2("quastel"), {kSysName, "i", "3"}, "wrongType"},
        {"snmpset", V1("quastel"), {kSysName, "i", "3"}, "(badValue)"},
        {"snmpset", V2("quastel"), {kX + ".20.1.0", "i", "3"}, "noAccess"},
        {"snmpset", V2("norfen"), {kSysName, "s", "x"}, "noAccess"},
        {"snmpset", V1("norfen"), {kSysName, "s", "x"}, "(noSuchName)"},
        {"snmpset", V2("quastel"), {kX + ".50.0", "i", "1"}, "notWritable"},
        {"snmpset", V2("quastel"), {kRow + ".1.9", "s", "x"}, "noCreation"},
        {"snmpset", V2("quastel"), {kRow + ".3.9", "i", "3"}, "wrongValue"},
        {"snmpset", V2("quastel"), {kRow + ".3.1", "s", "x"}, "wrongType"},
        {"snmpset", V2("quastel"), {kRow + ".2.1", "s", "x"}, "wrongType"},
    };
    for (const auto& c : cases) {
        auto r = Snmp(c.tool, c.auth, c.rest);
        EXPECT_NE((r.out + r.err).find(c.expected), std::string::npos)
            << c.tool << " " << c.auth[0] << " " << c.rest[0] << ": " << r.out << r.err;
    }
    EXPECT_EQ(Stored(kSysName), "s 73 77 31");  // nothing was written
}

TEST_F(SwitchSimTest, FollowsTheRowStatusRules) {
    struct Case {
        std::string name;
        Args set;                                                // varbinds of one SET
        std::string error;                                       // expected error name, empty for success
        std::vector<std::pair<std::string, std::string>> after;  // stored objects afterwards
    };
    const std::string absent = "(absent)";
    const std::vector<Case> cases = {
        {"createAndGo makes an active row", {kRow + ".3.5", "i", "4"}, "", {{kRow + ".3.5", "i 4"}}},
        {"createAndWait makes a notInService row with its row defaults",
         {kRow + ".3.6", "i", "5"},
         "",
         {{kRow + ".3.6", "i 2"}, {kRow + ".2.6", "i 0"}, {kRow + ".1.6", absent}}},
        {"a created row keeps a column written in the same request",
         {kRow + ".3.9", "i", "4", kRow + ".2.9", "i", "90"},
         "",
         {{kRow + ".3.9", "i 4"}, {kRow + ".2.9", "i 90"}}},
        {"a refused creation leaves no row default",
         {kRow + ".3.9", "i", "4", kRow + ".2.9", "s", "x"},
         "wrongType",
         {{kRow + ".3.9", absent}, {kRow + ".2.9", absent}}},
        {"createAndGo on an existing row", {kRow + ".3.1", "i", "4"}, "inconsistentValue", {{kRow + ".3.1", "i 1"}}},
        {"createAndWait on an existing row", {kRow + ".3.2", "i", "5"}, "inconsistentValue", {{kRow + ".3.2", "i 2"}}},
        {"active switches a row on", {kRow + ".3.2", "i", "1"}, "", {{kRow + ".3.2", "i 1"}}},
        {"notInService switches a row off", {kRow + ".3.1", "i", "2"}, "", {{kRow + ".3.1", "i 2"}}},
        {"active on a missing row", {kRow + ".3.8", "i", "1"}, "inconsistentValue", {{kRow + ".3.8", absent}}},
        {"notReady cannot be written", {kRow + ".3.1", "i", "3"}, "wrongValue", {{kRow + ".3.1", "i 1"}}},
        {"destroy removes the whole row",
         {kRow + ".3.1", "i", "6"},
         "",
         {{kRow + ".1.1", absent}, {kRow + ".2.1", absent}, {kRow + ".3.1", absent}, {kRow + ".1.2", "s 74 77 6F"}}},
        {"columns and createAndGo in one request",
         {kRow + ".1.7", "s", "x", kRow + ".2.7", "i", "70", kRow + ".3.7", "i", "4"},
         "",
         {{kRow + ".1.7", "s 78"}, {kRow + ".2.7", "i 70"}, {kRow + ".3.7", "i 1"}}},
        {"createRequest gives underCreation",
         {kRmon + ".2.2", "i", "2", kRmon + ".1.2", "i", "5"},
         "",
         {{kRmon + ".2.2", "i 3"}, {kRmon + ".1.2", "i 5"}}},
        {"createRequest on an existing entry puts it back under creation with its cells",
         {kRmon + ".2.1", "i", "2"},
         "",
         {{kRmon + ".2.1", "i 3"}, {kRmon + ".1.1", "i 100"}}},
        {"valid on a missing entry", {kRmon + ".2.3", "i", "1"}, "inconsistentValue", {{kRmon + ".2.3", absent}}},
        {"invalid removes the entry",
         {kRmon + ".2.1", "i", "4"},
         "",
         {{kRmon + ".1.1", absent}, {kRmon + ".2.1", absent}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim_->Stop();
        ASSERT_TRUE(sim_->Start());
        auto r = Snmp("snmpset", V2("quastel"), c.set);
        if (c.error.empty()) EXPECT_EQ(r.exitCode, 0) << r.err;
        else EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
        for (const auto& [oid, value] : c.after) {
            // The control channel shows the stored value; 4 (createAndGo) is stored as 1.
            std::string want = value == "i 4" ? "i 1" : value;
            EXPECT_EQ(Stored(oid), want) << oid;
        }
    }
}

TEST_F(SwitchSimTest, RowCreatedInTwoStepsTakesItsColumnsThenGoesActive) {
    for (const Args& step :
         {Args{kRow + ".3.4", "i", "5"}, Args{kRow + ".1.4", "s", "four"}, Args{kRow + ".3.4", "i", "1"}}) {
        auto r = Snmp("snmpset", V3("simmd5des", "authPriv"), step);
        ASSERT_EQ(r.exitCode, 0) << step[0] << ": " << r.err;
    }
    EXPECT_EQ(Stored(kRow + ".1.4"), "s 66 6F 75 72");
    EXPECT_EQ(Stored(kRow + ".3.4"), "i 1");
}

TEST_F(SwitchSimTest, ANewRowTakesItsKeyColumnsFromItsIndexAndWritesKeepToTheirRanges) {
    ASSERT_EQ(
        sim_->Control("rowindex " + kRow + ".3 1:s 2:i\nvalues " + kRow + ".2 0-50,99\nsize " + kX + ".7.0 1-5\n"),
        "ok\nok\nok\n");
    // Index "hi".7: the name from its length and bytes, the value from the number after it.
    auto r = Snmp("snmpset", V2("quastel"), {kRow + ".3.2.104.105.7", "i", "5"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Stored(kRow + ".1.2.104.105.7"), "s 68 69");
    EXPECT_EQ(Stored(kRow + ".2.2.104.105.7"), "i 7");
    // An index too short for its name fills nothing from it (the row default stays).
    r = Snmp("snmpset", V2("quastel"), {kRow + ".3.9.104", "i", "5"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Stored(kRow + ".1.9.104"), "(absent)");
    EXPECT_EQ(Stored(kRow + ".2.9.104"), "i 0");

    struct Case {
        Args set;
        std::string error;  // "" accepted
    } cases[] = {
        {{kRow + ".2.1", "i", "50"}, ""},           {{kRow + ".2.1", "i", "99"}, ""},
        {{kRow + ".2.1", "i", "51"}, "wrongValue"}, {{kRow + ".2.2.104.105.7", "i", "-1"}, "wrongValue"},
        {{kX + ".7.0", "s", "short"}, ""},          {{kX + ".7.0", "s", "longer"}, "wrongLength"},
        {{kX + ".7.0", "s", ""}, "wrongLength"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set[0] + " " + c.set[2]);
        r = Snmp("snmpset", V2("quastel"), c.set);
        if (c.error.empty()) EXPECT_EQ(r.exitCode, 0) << r.err;
        else EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
    }
    EXPECT_EQ(Stored(kRow + ".2.1"), "i 99");
    EXPECT_EQ(sim_->Control("values " + kX + " 3-1\nsize " + kX + " 1,2\nrowindex " + kRow + ".3 1:q\n"),
              "error values takes PREFIX LIST (such as 1-3 or 1,2)\nerror size takes PREFIX MIN-MAX\nerror rowindex "
              "takes STATUSCOLUMN ARC:KIND... (KIND s, i, a, m, t or -)\n");
}

TEST_F(SwitchSimTest, MultiVarbindSetIsAllOrNothing) {
    for (const auto& auth : {V2("quastel"), V1("quastel")}) {
        sim_->ClearRequests();
        auto r =
            Snmp("snmpset", auth,
                 {kSysName, "s", "changed", kRow + ".3.1", "i", "6", kX + ".1.0", "i", "9", kRow + ".2.2", "i", "21"});
        EXPECT_NE(r.exitCode, 0);
        EXPECT_NE(r.err.find("Failed object: ." + kX + ".1.0"), std::string::npos) << r.err;
        EXPECT_EQ(Stored(kSysName), "s 73 77 31");
        EXPECT_EQ(Stored(kRow + ".1.1"), "s 6F 6E 65");
        EXPECT_EQ(Stored(kRow + ".3.1"), "i 1");
        EXPECT_EQ(Stored(kRow + ".2.2"), "i 20");
        auto log = sim_->Requests();
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].errorStatus, auth[0] == "-v1" ? 2 : 17);
        EXPECT_EQ(log[0].errorIndex, 3);
    }
    auto r = Snmp("snmpset", V2("quastel"), {kSysName, "s", "changed", kRow + ".2.2", "i", "21"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Stored(kSysName), "s 63 68 61 6E 67 65 64");
    EXPECT_EQ(Stored(kRow + ".2.2"), "i 21");
}

TEST_F(SwitchSimTest, LogsEveryRequestWithItsVarbindsAndAnswer) {
    Snmp("snmpget", V1(), {kSysName, kX + ".7.0"});
    Snmp("snmpset", V2("quastel"), {kX + ".8.0", "x", "0A0B", kX + ".2.0", "u", "7"});
    Snmp("snmpbulkwalk", V3("simsha", "authNoPriv"), {"-Cn1", "-Cr3", kX + ".30.1.2"});
    Snmp("snmpget", V2(), {kX + ".99.0"});
    auto log = sim_->Requests();
    ASSERT_GE(log.size(), 5u);

    EXPECT_EQ(log[0].pdu, "get");
    EXPECT_EQ(log[0].version, "1");
    EXPECT_EQ(log[0].community, "norfen");
    ASSERT_EQ(log[0].varbinds.size(), 2u);
    EXPECT_EQ(log[0].varbinds[0].oid, kSysName);
    EXPECT_EQ(log[0].varbinds[0].type, "null");
    EXPECT_EQ(log[0].varbinds[1].oid, kX + ".7.0");
    EXPECT_TRUE(log[0].answered);
    EXPECT_GT(log[1].seq, log[0].seq);

    EXPECT_EQ(log[1].pdu, "set");
    ASSERT_EQ(log[1].varbinds.size(), 2u);
    EXPECT_EQ(log[1].varbinds[0].type, "s");
    EXPECT_EQ(log[1].varbinds[0].hex, "0A0B");
    EXPECT_EQ(log[1].varbinds[0].value, "\n\x0b");
    EXPECT_EQ(log[1].varbinds[1].type, "u");
    EXPECT_EQ(log[1].varbinds[1].value, "7");
    EXPECT_EQ(log[1].errorStatus, 0);

    // The v3 walk: its discovery is answered by the library; the requests are logged.
    const LoggedRequest* bulk = nullptr;
    for (const auto& r : log)
        if (r.pdu == "getbulk" && !bulk) bulk = &r;
    ASSERT_NE(bulk, nullptr);
    EXPECT_EQ(bulk->version, "3");
    EXPECT_EQ(bulk->user, "simsha");
    EXPECT_EQ(bulk->level, "authNoPriv");
    EXPECT_EQ(bulk->nonRepeaters, 1);
    EXPECT_EQ(bulk->maxRepetitions, 3);

    EXPECT_EQ(log.back().pdu, "get");
    EXPECT_EQ(log.back().errorStatus, 0);  // v2c: an exception value, not an error
    EXPECT_EQ(Stored(kX + ".2.0"), "u 7");
}

TEST_F(SwitchSimTest, DelaysAnswers) {
    ASSERT_TRUE(sim_->Delay(1500));
    auto r = Snmp("snmpget", V2(), {kSysName}, "0.3");
    EXPECT_NE(r.err.find("Timeout"), std::string::npos) << r.out << r.err;
    // The late answer is held until its time; a test can wait for it to have gone.
    EXPECT_GE(sim_->PendingAnswers(), 1);
    EXPECT_TRUE(sim_->WaitForAnswersSent());
    EXPECT_EQ(sim_->PendingAnswers(), 0);
    ASSERT_TRUE(sim_->Delay(100));
    r = Snmp("snmpget", V2(), {kSysName}, "5");
    EXPECT_EQ(r.out, "." + kSysName + " = STRING: \"sw1\"\n") << r.err;
    // The log's arrival times show the wait: the next request comes after the late answer.
    Snmp("snmpget", V2(), {kSysName}, "5");
    auto log = sim_->Requests();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_GE(log[2].arrivalUs - log[1].arrivalUs, 100000);
    EXPECT_LE(log[0].arrivalUs, log[1].arrivalUs);
}

// A request sent again from the same port under the same id is logged as a resend; dropped
// answers and copied answers, as a lossy network makes them.
TEST_F(SwitchSimTest, MarksResendsAndLosesOrCopiesAnswers) {
    using namespace testsupport;
    testsupport::UdpPeer client;
    auto get = [&](long requestId) {
        const std::string pdu = BerSigned(0x02, requestId) + BerSigned(0x02, 0) + BerSigned(0x02, 0) +
                                Ber(0x30, Ber(0x30, BerOid(kSysName) + Ber(0x05, "")));
        client.SendTo(sim_->Port(), Ber(0x30, BerSigned(0x02, 1) + BerText("norfen") + Ber(0xA0, pdu)));
    };
    // The answers that come within a short while, as their request ids.
    auto answers = [&] {
        std::vector<long> ids;
        std::string datagram;
        int from = 0;
        RawRequest answer;
        while (client.Receive(datagram, from, 200))
            if (ParseRawRequest(datagram, answer) && answer.pduType == 0xA2) ids.push_back(answer.requestId);
        return ids;
    };
    ASSERT_TRUE(sim_->Command("drop 1"));
    get(71);
    EXPECT_EQ(answers(), std::vector<long>{});
    get(71);
    EXPECT_EQ(answers(), std::vector<long>{71});
    ASSERT_TRUE(sim_->Command("copies 3"));
    get(72);
    EXPECT_EQ(answers(), (std::vector<long>{72, 72, 72}));
    EXPECT_FALSE(sim_->Command("copies 0"));

    const auto arrivals = sim_->Arrivals();
    ASSERT_EQ(arrivals.size(), 3u);
    EXPECT_FALSE(arrivals[0].answered);
    EXPECT_FALSE(arrivals[0].resent);
    EXPECT_TRUE(arrivals[1].answered);
    EXPECT_TRUE(arrivals[1].resent);
    EXPECT_FALSE(arrivals[2].resent);
    EXPECT_LE(arrivals[0].arrivalUs, arrivals[1].arrivalUs);
    EXPECT_LE(arrivals[1].arrivalUs, arrivals[2].arrivalUs);
    // Counted as requests: two, the first sent twice and answered the second time.
    const auto requests = sim_->Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].requestId, 71);
    EXPECT_EQ(requests[0].sends, 2);
    EXPECT_TRUE(requests[0].answered);
    EXPECT_EQ(requests[1].sends, 1);
}

TEST_F(SwitchSimTest, StaysSilentEverywhereOrUnderAPrefix) {
    ASSERT_TRUE(sim_->Silence("all"));
    auto r = Snmp("snmpget", V2(), {kSysName}, "0.3");
    EXPECT_NE(r.err.find("Timeout"), std::string::npos) << r.out << r.err;
    ASSERT_TRUE(sim_->Silence("off"));
    ASSERT_TRUE(sim_->Silence(kRow + ".2"));
    r = Snmp("snmpget", V2(), {kSysName});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    r = Snmp("snmpget", V2(), {kRow + ".2.1"}, "0.3");
    EXPECT_NE(r.err.find("Timeout"), std::string::npos) << r.out << r.err;
    // A walk runs until its next object lies under the silent prefix.
    r = Snmp("snmpwalk", V1(), {kRow}, "0.3");
    EXPECT_EQ(Lines(r.out).size(), 2u) << r.out;
    EXPECT_NE(r.err.find("Timeout"), std::string::npos) << r.err;
    auto log = sim_->Requests();
    ASSERT_FALSE(log.empty());
    EXPECT_FALSE(log.back().answered);
}

TEST_F(SwitchSimTest, AnswersAnInjectedErrorStatus) {
    ASSERT_TRUE(sim_->InjectError(kX + ".7.0", "genErr"));
    auto r = Snmp("snmpget", V2(), {kSysName, kX + ".7.0"});
    EXPECT_NE(r.err.find("genErr"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Failed object: ." + kX + ".7.0"), std::string::npos) << r.err;
    ASSERT_TRUE(sim_->InjectError(kX + ".7.0", "inconsistentValue"));
    r = Snmp("snmpset", V1("quastel"), {kX + ".7.0", "s", "x"});
    EXPECT_NE(r.err.find("badValue"), std::string::npos) << r.err;  // mapped for v1
    ASSERT_TRUE(sim_->InjectError(kX + ".7.0", "off"));
    r = Snmp("snmpget", V2(), {kX + ".7.0"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(sim_->InjectError(kX + ".7.0", "noSuchStatus"));
}

TEST_F(SwitchSimTest, ServesAValueOfAnotherTypeOrLength) {
    ASSERT_TRUE(sim_->Serve(kX + ".8.0", "x", "00"));
    ASSERT_TRUE(sim_->Serve(kSysName, "i", "5"));
    auto r = Snmp("snmpget", V2(), {kX + ".8.0", kSysName});
    EXPECT_EQ(Lines(r.out),
              (std::vector<std::string>{"." + kX + ".8.0 = Hex-STRING: 00", "." + kSysName + " = INTEGER: 5"}));
    EXPECT_EQ(Stored(kSysName), "s 73 77 31");  // the model keeps its value
    ASSERT_TRUE(sim_->Command("serve " + kSysName + " off"));
    r = Snmp("snmpget", V2(), {kSysName});
    EXPECT_EQ(r.out, "." + kSysName + " = STRING: \"sw1\"\n");
}

TEST_F(SwitchSimTest, LoopingWalkAnswersAnObjectThatIsNotPastTheRequest) {
    ASSERT_TRUE(sim_->Loop(kRow));
    auto r = Snmp("snmpgetnext", V2(), {kRow + ".1.2"});
    EXPECT_EQ(Lines(r.out), std::vector<std::string>{"." + kRow + ".1.1 = STRING: \"one\""});
    r = Snmp("snmpwalk", V2(), {kRow});
    EXPECT_NE(r.err.find("OID not increasing"), std::string::npos) << r.out << r.err;
    ASSERT_TRUE(sim_->ClearFaults());
    r = Snmp("snmpwalk", V2(), {kRow});
    EXPECT_EQ(Lines(r.out).size(), 6u) << r.err;
}

TEST_F(SwitchSimTest, ObjectsChangeWhileRunning) {
    ASSERT_TRUE(sim_->SetObject(kRow + ".2.1", "i", "2"));
    ASSERT_TRUE(sim_->SetObject(kX + ".60.0", "s", "new \"quoted\" text"));
    auto r = Snmp("snmpget", V2(), {kRow + ".2.1", kX + ".60.0"});
    EXPECT_EQ(Lines(r.out), (std::vector<std::string>{"." + kRow + ".2.1 = INTEGER: 2",
                                                      "." + kX + ".60.0 = STRING: \"new \\\"quoted\\\" text\""}));
    EXPECT_EQ(sim_->Control("del " + kRow + ".1.1\n"), "ok 1\n");
    r = Snmp("snmpget", V2(), {kRow + ".1.1"});
    EXPECT_NE(r.out.find("No Such Instance"), std::string::npos) << r.out;
    EXPECT_EQ(sim_->Control("set 1.3 i notanumber\nfrobnicate\nport 1\n"),
              "error bad value 'notanumber' for type i\nerror unknown command frobnicate\nerror port can be set only "
              "at start\n");
}

TEST_F(SwitchSimTest, SaveConfigurationReadsBusyThenIdle) {
    auto r = Snmp("snmpset", V2("quastel"), {kSave, "i", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Stored(kSave), "i 1");
    EXPECT_TRUE(testsupport::PollUntil([&] { return Stored(kSave) == "i 2"; }, std::chrono::seconds(4),
                                       std::chrono::milliseconds(20)));
    EXPECT_EQ(Stored(kSave), "i 2");
}

TEST_F(SwitchSimTest, ObjectsKeptEqualFollowASetOfEither) {
    struct Case {
        std::string written, other, value;
    };
    const Case cases[] = {{kDot1xState, kDot1xStateOfTrunks, "2"}, {kDot1xStateOfTrunks, kDot1xState, "1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        auto r = Snmp("snmpset", V2("quastel"), {c.written, "i", c.value});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(Stored(c.other), "i " + c.value);
    }
    // A refused SET changes neither.
    ASSERT_TRUE(sim_->InjectError(kDot1xState, "genErr"));
    Snmp("snmpset", V2("quastel"), {kDot1xState, "i", "2"});
    EXPECT_EQ(Stored(kDot1xStateOfTrunks), "i 1");
}

TEST_F(SwitchSimTest, RebootGoesSilentAndComesBackWithUpTimeReset) {
    auto ticks = [&]() -> long {
        auto r = Snmp("snmpget", {"-Oqv", "-Ot", "-v2c", "-c", "norfen"}, {kSysUpTime}, "0.3");
        return r.exitCode == 0 ? std::stol(r.out) : -1;
    };
    // Up long enough that a reset shows: at least 0.7 s.
    long before = -1;
    testsupport::PollUntil(
        [&] {
            before = ticks();
            return before >= 70;
        },
        std::chrono::seconds(10), std::chrono::milliseconds(50));
    ASSERT_GE(before, 70);
    auto r = Snmp("snmpset", V2("quastel"), {kReboot, "i", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;  // the SET itself is answered
    EXPECT_EQ(ticks(), -1);             // then the switch is silent
    long after = -1;
    for (int i = 0; i < 40 && after < 0; ++i) after = ticks();
    ASSERT_GE(after, 0);
    EXPECT_LT(after, before);
    EXPECT_EQ(Stored(kReboot), "i 2");
}

// The five model files, each started as the tests and the demo start them.
class SwitchSimModelTest : public ::testing::TestWithParam<std::tuple<std::string, int, int, int>> {};

TEST_P(SwitchSimModelTest, ServesPortsPoeAndForwardingTable) {
    const auto& [model, ports, poePorts, minFdb] = GetParam();
    SimulatedSwitch sim({model, {}});
    std::string error;
    ASSERT_TRUE(sim.Start(&error)) << error;
    auto walk = [&](const std::string& oid, const Args& auth) {
        Args argv = {"snmpbulkwalk", "-On", "-Cr50", "-t", "5", "-r", "0"};
        argv.insert(argv.end(), auth.begin(), auth.end());
        argv.insert(argv.end(), {sim.Target(), oid});
        std::vector<std::string> rows;
        for (auto& line : Lines(RunTool(argv, sim.WorkDir() + "/cli").out))
            if (line.starts_with("." + oid + ".")) rows.push_back(line);  // an empty subtree prints its root
        return rows;
    };
    auto ifIndex = walk("1.3.6.1.2.1.2.2.1.1", V2());
    ASSERT_EQ(ifIndex.size(), static_cast<size_t>(ports + 1));  // the ports and the system interface
    EXPECT_EQ(ifIndex[0], ".1.3.6.1.2.1.2.2.1.1.1 = INTEGER: 1");
    EXPECT_EQ(walk("1.3.6.1.4.1.32473.10.76.21.1.1.13.1.7", V2()).size(), static_cast<size_t>(ports));
    EXPECT_EQ(walk("1.3.6.1.4.1.32473.10.76.21.1.22.1.1.13", V2()).size(), static_cast<size_t>(poePorts));
    EXPECT_GE(walk("1.3.6.1.2.1.17.7.1.2.2.1.2", V2()).size(), static_cast<size_t>(minFdb));
    auto oper = walk("1.3.6.1.2.1.2.2.1.8", V3("simmd5des", "authPriv"));
    EXPECT_EQ(oper.size(), static_cast<size_t>(ports + 1));
    EXPECT_NE(std::count_if(oper.begin(), oper.end(), [](const auto& l) { return l.ends_with("INTEGER: 2"); }), 0);
    auto name =
        RunTool({"snmpget", "-Oqv", "-v1", "-c", "norfen", sim.Target(), "1.3.6.1.2.1.1.5.0"}, sim.WorkDir() + "/cli");
    EXPECT_EQ(name.out, "\"" + model + "\"\n");
}

INSTANTIATE_TEST_SUITE_P(Models, SwitchSimModelTest,
                         ::testing::Values(std::make_tuple("DUZ-3300-20", 20, 0, 20),
                                           std::make_tuple("DUZ-3300-28", 28, 0, 50),
                                           std::make_tuple("DUZ-3300-28ZA1", 28, 0, 50),
                                           std::make_tuple("DUZ-3300-28P", 28, 24, 50),
                                           std::make_tuple("DUZ-3300-52", 52, 0, 1000)),
                         [](const auto& info) {
                             std::string n = std::get<0>(info.param);
                             std::replace(n.begin(), n.end(), '-', '_');
                             return n;
                         });

TEST(SwitchSimFixture, StartsTwoAgentsOnDifferentFreePortsAndRefusesABadModel) {
    SimulatedSwitch a, b;
    ASSERT_TRUE(a.Start());
    ASSERT_TRUE(b.Start());
    EXPECT_NE(a.Port(), b.Port());
    EXPECT_TRUE(a.Command("ping"));
    b.Stop();
    EXPECT_FALSE(b.Running());
    EXPECT_EQ(b.Control("ping"), "");

    // Object changes and faults given at start hold from the first request on.
    SimulatedSwitch c({"DUZ-3300-28", {"set 1.3.6.1.2.1.1.5.0 s \"core 1\"", "error 1.3.6.1.2.1.1.6.0 genErr"}});
    ASSERT_TRUE(c.Start());
    auto r = RunTool({"snmpget", "-On", "-v2c", "-c", "norfen", c.Target(), "1.3.6.1.2.1.1.5.0"}, c.WorkDir() + "/cli");
    EXPECT_EQ(r.out, ".1.3.6.1.2.1.1.5.0 = STRING: \"core 1\"\n");
    r = RunTool({"snmpget", "-On", "-v2c", "-c", "norfen", c.Target(), "1.3.6.1.2.1.1.6.0"}, c.WorkDir() + "/cli");
    EXPECT_NE(r.err.find("genErr"), std::string::npos) << r.err;

    const auto bad = std::filesystem::temp_directory_path() / ("switchsim-bad-" + std::to_string(getpid()) + ".model");
    std::ofstream(bad) << "1.3.6.1.2.1.1.5.0 s ok\n1.3.6.1.2.1.1.6.0 i twelve\n";
    SimulatedSwitch broken({bad.string(), {}});
    std::string error;
    EXPECT_FALSE(broken.Start(&error));
    EXPECT_NE(error.find("line 2: bad value 'twelve' for type i"), std::string::npos) << error;
    std::filesystem::remove(bad);
}

}  // namespace
}  // namespace switchsim
