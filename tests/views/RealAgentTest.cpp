// The views against the real snmpd of this host: the interface and IP views list what
// snmpwalk prints for the same columns, and System Information reads and writes the agent's
// name and location, over SNMPv1 and SNMPv3 authPriv.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>

#include "core/ModuleStartupParams.h"
#include "resources/templates/PublicMibViewsIds.h"
#include "tests/support/snmp/SnmpAgents.h"
#include "tests/support/switchsim/SimulatedSwitch.h"
#include "tests/support/ui/UiHarness.h"
#include "views/IPAddrTable.h"
#include "views/IntfList.h"
#include "views/SnmpDevIden.h"
#include "views/TcpPortInfo.h"
#include "tests/support/SessionTarget.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;
using Rows = std::vector<std::vector<std::string>>;

namespace {

class RealAgentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::SharedSnmpd().Started()) << testsupport::SharedSnmpd().Error();
        ModuleStartupParams::ResetToDefaults();
        testsupport::PointSessionsAt(testsupport::SharedSnmpd().Address());
    }
    void TearDown() override {
        EXPECT_TRUE(CSnmpRead::WaitForClosedSessions(10000));
        ModuleStartupParams::ResetToDefaults();
    }

    // program -v1 -c COMMUNITY options AGENT oids
    static switchsim::ToolResult Tool(const std::string& program, const std::string& options,
                                      const std::vector<std::string>& oids) {
        std::vector<std::string> argv{program, "-v1", "-c", testsupport::kWriteCommunity};
        std::istringstream words(options);
        for (std::string w; words >> w;) argv.push_back(w);
        argv.push_back(testsupport::SharedSnmpd().Address());
        argv.insert(argv.end(), oids.begin(), oids.end());
        return switchsim::RunTool(argv, (std::filesystem::temp_directory_path() / "views-real-tool").string());
    }
    static std::string Get(const std::string& oid) {
        const auto r = Tool("snmpget", "-Oqv", {oid});
        return r.out.substr(0, r.out.find('\n'));
    }
    // snmpwalk of the columns, one row per line of the first, each value through format.
    static Rows Walk(const std::vector<std::string>& columns,
                     const std::function<std::string(int, const std::string&)>& format) {
        Rows rows;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const auto r = Tool("snmpwalk", "-Oqv", {columns[c]});
            EXPECT_EQ(r.exitCode, 0) << r.err;
            std::istringstream in(r.out);
            std::size_t i = 0;
            for (std::string line; std::getline(in, line); ++i) {
                if (c == 0) rows.emplace_back();
                if (i < rows.size()) rows[i].push_back(format(static_cast<int>(c), line));
            }
        }
        return rows;
    }
    template <class View>
    static Rows Show(int list, int refresh) {
        Harness ui;
        View view;
        Rows rows;
        ui.RunModal(view, [&](DialogDriver& d) {
            ui::test::Flush();  // the walk started once shown has taken the Refresh button
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(refresh); }));
            rows = d.GetRows(list);
            d.Click(IDCANCEL);
        });
        return rows;
    }
    static void UseV3AuthPriv() {
        ModuleStartupParams::SnmpVersion = "3";
        ModuleStartupParams::SecurityLevel = "3";
        ModuleStartupParams::UserName = testsupport::kMd5DesUser.name;
        ModuleStartupParams::AuthProtocol = "2";
        ModuleStartupParams::AuthPassword = testsupport::kMd5DesUser.authPassPhrase;
        ModuleStartupParams::PrivProtocol = "2";
        ModuleStartupParams::PrivPassword = testsupport::kMd5DesUser.privPassPhrase;
    }
};

std::string AsReceived(int, const std::string& value) { return value; }

}  // namespace

TEST_F(RealAgentTest, InterfaceAndAddressViewsListWhatSnmpwalkPrints) {
    const Rows interfaces =
        Walk({"1.3.6.1.2.1.2.2.1.1", "1.3.6.1.2.1.2.2.1.8", "1.3.6.1.2.1.2.2.1.5"}, &CIntfList::FormatValue);
    ASSERT_FALSE(interfaces.empty());
    EXPECT_EQ(Show<CIntfList>(interface_table_ids::IDC_LIST, interface_table_ids::IDC_REFRESH), interfaces);
    const Rows addresses = Walk({"1.3.6.1.2.1.4.20.1.1", "1.3.6.1.2.1.4.20.1.3"}, &AsReceived);
    ASSERT_FALSE(addresses.empty());
    EXPECT_EQ(Show<CIPAddrTable>(ip_table_ids::IDC_LIST, ip_table_ids::IDC_REFRESH), addresses);

    UseV3AuthPriv();
    EXPECT_EQ(Show<CIntfList>(interface_table_ids::IDC_LIST, interface_table_ids::IDC_REFRESH), interfaces);
}

// The host's connections may change between two walks: equal once in a few tries. A listener
// of the test's own is among them.
TEST_F(RealAgentTest, TcpViewListsWhatSnmpwalkPrints) {
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(listen(listener, 1), 0);
    ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len), 0);
    const std::vector<std::string> ours{std::to_string(ntohs(addr.sin_port)), "127.0.0.1", "0.0.0.0", "0", "listen"};
    auto format = [](int col, const std::string& value) { return col == 4 ? CTcpPortInfo::StateName(value) : value; };
    bool equal = false;
    for (int attempt = 0; attempt < 3 && !equal; ++attempt) {
        const Rows expected = Walk({"1.3.6.1.2.1.6.13.1.3", "1.3.6.1.2.1.6.13.1.2", "1.3.6.1.2.1.6.13.1.4",
                                    "1.3.6.1.2.1.6.13.1.5", "1.3.6.1.2.1.6.13.1.1"},
                                   format);
        const Rows shown = Show<CTcpPortInfo>(tcp_service_ids::IDC_LIST, tcp_service_ids::IDC_REFRESH);
        equal = shown == expected;
        EXPECT_NE(std::find(shown.begin(), shown.end(), ours), shown.end());
    }
    close(listener);
    EXPECT_TRUE(equal);
}

TEST_F(RealAgentTest, SystemInformationReadsAndWritesTheAgent) {
    for (const bool v3 : {false, true}) {
        SCOPED_TRACE(v3 ? "SNMPv3 authPriv" : "SNMPv1");
        if (v3) UseV3AuthPriv();
        const std::string name = v3 ? "sw-v3" : "sw-v1";
        Harness ui;
        CSnmpDevIden view;
        ui.RunModal(view, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(1145); }));
            const std::string descr = Get("1.3.6.1.2.1.1.1.0");
            EXPECT_EQ("\"" + d.GetText(1302) + "\"", descr);
            const auto oid = Tool("snmpget", "-Oqvn", {"1.3.6.1.2.1.1.2.0"}).out;
            EXPECT_EQ("." + d.GetText(1303) + "\n", oid);
            d.Window().SetDlgItemText(1310, name + "-\xC3\xA9");
            d.TypeText(1313, "Lab 3");
            d.Click(1145);
            EXPECT_TRUE(ui.ShownMessageBoxes().empty());
            d.Click(1146);
        });
        const auto r = Tool("snmpget", "-Oqv -Ox", {"1.3.6.1.2.1.1.5.0"});
        std::string hexName;
        for (unsigned char ch : name + "-\xC3\xA9") {
            char b[4];
            std::snprintf(b, sizeof b, "%02X ", ch);
            hexName += b;
        }
        EXPECT_NE(r.out.find(hexName.substr(0, hexName.size() - 1)), std::string::npos) << r.out;
        EXPECT_EQ(Get("1.3.6.1.2.1.1.6.0"), "\"Lab 3\"");
    }
}
