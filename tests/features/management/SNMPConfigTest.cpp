// The SNMP agent logic against the simulated switch: its indexes, the SETs it composes (from
// the switch's request log) and the rows its reads report.
#include <algorithm>

#include "features/management/SNMPConfig.h"
#include "platform/win/CodePage.h"
#include "platform/win/DebugOutput.h"
#include "tests/features/management/ManagementFixture.h"

using ui::test::Harness;
using ui::test::WaitUntil;

namespace mgmttest {
namespace {

std::string Hex(const std::string& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

// The code page for one test, restored afterwards.
class CodePageScope {
public:
    explicit CodePageScope(const std::string& name) { win::SetSystemCodePage(name); }
    ~CodePageScope() { win::SetSystemCodePage(""); }
};

TEST(SnmpAgentIndexes, BuildersGiveTheTextIndexOfTheUtf8Bytes) {
    CodePageScope utf8("UTF-8");
    struct Case {
        std::string built, expected;
    } cases[] = {
        {CSNMPConfig::StringToOidIndex("abc"), ".3.97.98.99"},
        {CSNMPConfig::StringToOidIndex(""), ".0"},
        {CSNMPConfig::MakeModelIndex("bob", "V1"), ".3.98.111.98.1"},
        {CSNMPConfig::MakeModelIndex("bob", "v3"), ".3.98.111.98.3"},
        {CSNMPConfig::MakeModelIndex("bob", "V4"), ".3.98.111.98"},
        {CSNMPConfig::MakeGroupIndex("g", "v3", "AuthNoPriv"), ".1.103.3.2"},
        {CSNMPConfig::MakeGroupIndex("g", "v2c", "anything"), ".1.103.2.3"},
        {CSNMPConfig::MakeViewIndex("all", "1.3.6.1"), ".3.97.108.108.4.1.3.6.1"},
        {CSNMPConfig::StringToOidIndex("\xC3\xA9"), ".2.195.169"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.built, c.expected);

    // Under a single-byte code page a name is indexed by its UTF-8 bytes all the same.
    CodePageScope cp1252("CP1252");
    EXPECT_EQ(CSNMPConfig::StringToOidIndex("caf\xE9"), ".5.99.97.102.195.169");
}

TEST(SnmpAgentIndexes, NamesRefuseEachOfTheSpecialCharactersAndAllowBlanks) {
    const std::string special = "~`!@#$%^&*{}[]|\\:;\"'<>,.?/";
    ASSERT_EQ(special.size(), 26u);
    for (char c : special) EXPECT_EQ(CSNMPConfig::IsValidName(std::string("ab") + c + "cd"), 0) << c;
    EXPECT_EQ(CSNMPConfig::IsValidName(" my name "), 1);
    EXPECT_EQ(CSNMPConfig::IsValidName("Group-1_(x)+="), 1);
}

class SnmpConfigTest : public SnmpAgentTest {};

TEST_F(SnmpConfigTest, SetUserWritesTheGroupAndForV3TheProtocolsThenThePassPhrases) {
    const std::string u1 = ".3.98.111.98.1";
    const std::string u3 = ".3.98.111.98.3";
    const std::string col = A + ".2.1.1.";
    struct Case {
        std::string name;
        std::string version, auth, authPass, priv, privPass;
        std::vector<std::vector<std::string>> pdus;
    } cases[] = {
        {"V1", "V1", "None", "", "None", "", {{Vb(col + "3" + u1, "s", Hex("g"))}}},
        {"V3 MD5 without privacy",
         "V3",
         "MD5",
         "md5phrase1",
         "None",
         "",
         {{Vb(col + "3" + u3, "s", Hex("g"))},
          {Vb(col + "4" + u3, "i", "2")},
          {Vb(col + "5" + u3, "s", Hex("md5phrase1"))}}},
        {"V3 SHA and DES",
         "V3",
         "SHA",
         "shaphrase1",
         "DES",
         "desphrase1",
         {{Vb(col + "3" + u3, "s", Hex("g"))},
          {Vb(col + "4" + u3, "i", "3"), Vb(col + "6" + u3, "i", "2")},
          {Vb(col + "5" + u3, "s", Hex("shaphrase1")), Vb(col + "7" + u3, "s", Hex("desphrase1"))}}},
        {"V3 without authentication",
         "V3",
         "None",
         "",
         "None",
         "",
         {{Vb(col + "3" + u3, "s", Hex("g"))}, {Vb(col + "4" + u3, "i", "1")}, {Vb(col + "5" + u3, "s", "")}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim->ClearRequests();
        CSNMPConfig config;
        config.SetUser("bob", c.version, "g", c.auth, c.authPass, c.priv, c.privPass);
        EXPECT_EQ(SetPdus(), c.pdus);
    }
}

TEST_F(SnmpConfigTest, GroupViewAndCommunityWrites) {
    CSNMPConfig config;
    const std::string g = ".1.103.3.2";
    config.SetGroup("g", "v3", "AuthNoPriv", "all", "", "");
    const std::string v = ".3.97.108.108.4.1.3.6.1";
    config.SetView("all", "1.3.6.1", "1.1.0", "Included");
    config.SetView("all", "1.3.6.1", "01.00", "Excluded");
    config.SetCommunity("abc", "public");
    const std::vector<std::vector<std::string>> expected = {
        {Vb(A + ".3.1.1.3" + g, "i", "2"), Vb(A + ".3.1.1.4" + g, "s", Hex("all"))},
        {Vb(A + ".4.1.1.3" + v, "s", "010100"), Vb(A + ".4.1.1.4" + v, "i", "1")},
        {Vb(A + ".4.1.1.3" + v, "s", "0100"), Vb(A + ".4.1.1.4" + v, "i", "2")},
        {Vb(A + ".5.1.1.2.3.97.98.99", "s", Hex("public"))},
    };
    EXPECT_EQ(SetPdus(), expected);
}

TEST_F(SnmpConfigTest, ACommunitysUserNameIsWrittenInUtf8) {
    CodePageScope cp1252("CP1252");
    CSNMPConfig config;
    config.SetCommunity("caf\xE9", "caf\xE9");
    const std::vector<std::vector<std::string>> expected = {
        {Vb(A + ".5.1.1.2.5.99.97.102.195.169", "s", "636166C3A9")}};
    EXPECT_EQ(SetPdus(), expected);
}

TEST_F(SnmpConfigTest, RowStatusTakesOnlyOneFiveAndSix) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    CSNMPConfig config;
    config.SetRowStatus(A + ".5.1.1.3.1.97", "4");
    ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "error istatus value!");
    EXPECT_TRUE(sim->Requests().empty());

    config.SetRowStatus(A + ".5.1.1.3.1.97", "5");
    config.SetRowStatus(A + ".5.1.1.3.1.97", "6");
    const std::vector<std::vector<std::string>> expected = {{Vb(A + ".5.1.1.3.1.97", "i", "5")},
                                                            {Vb(A + ".5.1.1.3.1.97", "i", "6")}};
    EXPECT_EQ(SetPdus(), expected);
}

// Runs one read to its end report and returns what the owner received.
template <class Start>
std::vector<Report> ReadAll(CReportOwner::Rows rows, Start start) {
    Harness ui;
    CReportOwner owner;
    owner.m_rows = rows;
    EXPECT_TRUE(owner.Open());
    CSNMPConfig config;
    config.SetOwner(owner.GetSafeHwnd());
    start(config);
    EXPECT_TRUE(WaitUntil([&] { return owner.Ended(); }));
    config.Close();
    owner.DestroyWindow();
    return owner.m_reports;
}

TEST_F(SnmpConfigTest, UserReadReportsEveryRowWithItsStatusAndPassPhrases) {
    // A V2c user left in createAndWait.
    const std::string carol = ".5.99.97.114.111.108.2";
    for (const auto& [column, type, value] : std::vector<std::tuple<int, std::string, std::string>>{{1, "s", "carol"},
                                                                                                    {2, "i", "2"},
                                                                                                    {3, "s", "public"},
                                                                                                    {4, "i", "1"},
                                                                                                    {5, "s", ""},
                                                                                                    {6, "i", "1"},
                                                                                                    {7, "s", ""},
                                                                                                    {8, "i", "2"}}) {
        Set(A + ".2.1.1." + std::to_string(column) + carol, type, value);
    }
    const auto reports = ReadAll(CReportOwner::Rows::Group, [](CSNMPConfig& c) { c.ReadUsers(); });
    const std::vector<std::vector<std::string>> users = {
        {"admin", "admins", "V3", "MD5", "seedauthphrase", "DES_CBC", "seedprivphrase", "1"},
        {"carol", "public", "V2c", "None", "", "None", "", "2"},
        {"public", "public", "V1", "None", "", "None", "", "1"},
    };
    ASSERT_EQ(reports.size(), users.size() + 1);
    for (size_t i = 0; i < users.size(); ++i) {
        EXPECT_EQ(reports[i].code, kSnmpUserRow);
        EXPECT_EQ(reports[i].texts, users[i]);
    }
    EXPECT_EQ(reports.back().code, kSnmpReadEnd);
}

TEST_F(SnmpConfigTest, CommunityReadBringsTheCommunitiesThenTheUsersThenOneEnd) {
    Set(A + ".5.1.1.1.3.97.98.99", "s", "abc");
    Set(A + ".5.1.1.2.3.97.98.99", "s", "admin");
    Set(A + ".5.1.1.3.3.97.98.99", "i", "2");
    const auto reports = ReadAll(CReportOwner::Rows::Group, [](CSNMPConfig& c) { c.ReadCommunities(); });
    std::vector<WPARAM> codes;
    for (const Report& r : reports) codes.push_back(r.code);
    const std::vector<WPARAM> expected = {kSnmpCommunityRow, kSnmpCommunityRow, kSnmpUserRow, kSnmpUserRow,
                                          kSnmpReadEnd};
    EXPECT_EQ(codes, expected);
    EXPECT_EQ(reports[0].texts, (std::vector<std::string>{"abc", "admin", "2"}));
    EXPECT_EQ(reports[1].texts, (std::vector<std::string>{"public", "public", "1"}));
}

TEST_F(SnmpConfigTest, GroupAndViewReadsTurnCodesIntoTexts) {
    auto groups = ReadAll(CReportOwner::Rows::Group, [](CSNMPConfig& c) { c.ReadGroups(); });
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].texts, (std::vector<std::string>{"public", "all", "", "", "v1", "NoAuthNoPriv", "1"}));

    // A mask shorter than its subtree shows the bytes it has; an index shorter than its name
    // length is read as far as it goes.
    const std::string shortMask = ".1.118.5.1.3.6.1.2";
    const std::string shortIndex = ".9.97.98";
    for (const std::string& index : {shortMask, shortIndex}) {
        Set(A + ".4.1.1.1" + index, "s", "v");
        Set(A + ".4.1.1.3" + index, "x", "01 00");
        Set(A + ".4.1.1.4" + index, "i", "2");
        Set(A + ".4.1.1.5" + index, "i", "1");
    }
    auto views = ReadAll(CReportOwner::Rows::View, [](CSNMPConfig& c) { c.ReadViews(); });
    ASSERT_EQ(views.size(), 4u);
    EXPECT_EQ(views[0].texts, (std::vector<std::string>{"v", "1.3.6.1.2", "1.0", "Excluded", "1"}));
    EXPECT_EQ(views[1].texts, (std::vector<std::string>{"all", "1.3.6.1", "1.1.1.1", "Included", "1"}));
    EXPECT_EQ(views[2].texts, (std::vector<std::string>{"v", "", "", "Excluded", "1"}));
    EXPECT_EQ(views[3].code, kSnmpReadEnd);
}

TEST_F(SnmpConfigTest, HostReadListsAddressesAndLeavesOutAShortOne) {
    const std::string v6 = ".16.254.128.0.0.0.0.0.0.0.0.0.0.0.0.0.1.2";
    const std::string cut = ".4.10.0.0.9.1";
    Set(A + ".6.2.1.1" + v6, "x", "FE 80 00 00 00 00 00 00 00 00 00 00 00 00 00 01");
    Set(A + ".6.2.1.1" + cut, "x", "0A 00");
    for (const std::string& index : {v6, cut}) {
        Set(A + ".6.2.1.2" + index, "i", index == v6 ? "2" : "1");
        Set(A + ".6.2.1.3" + index, "s", "priv");
        Set(A + ".6.2.1.4" + index, "i", "5");
        Set(A + ".6.2.1.5" + index, "s", index == v6 ? "system" : "");
        Set(A + ".6.2.1.6" + index, "i", "1");
    }
    win::StartDebugCapture();
    const auto hosts = ReadAll(CReportOwner::Rows::Host, [](CSNMPConfig& c) { c.ReadHosts(); });
    ASSERT_EQ(hosts.size(), 3u);
    EXPECT_EQ(hosts[0].texts, (std::vector<std::string>{"192.168.0.20", "1", "V2c", "public", "", "1"}));
    EXPECT_EQ(hosts[1].texts, (std::vector<std::string>{"fe80::1", "2", "V3-AuthPriv", "priv", "system", "1"}));
    EXPECT_EQ(hosts[2].code, kSnmpReadEnd);
    // The host read writes its fixed lines only, never a name it read.
    const auto lines = win::CapturedDebugLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), ".........get host info begin ............"), lines.end());
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find("public"), std::string::npos) << line;
        EXPECT_EQ(line.find("priv"), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace mgmttest
