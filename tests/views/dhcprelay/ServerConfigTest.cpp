// DHCP server screening port settings against the simulated switch: the bitmap read into
// per-port states, a range written as one bitmap and read again, the aggregated-link check
// (with a trunk dissolved between walks), Apply withheld after a failed read, the From/To
// rule; and the bitmap bytes for the port counts the switches have.
#include <chrono>

#include "core/DeviceProfile.h"
#include "core/ModuleStartupParams.h"
#include "resources/templates/DhcpRelayDialogsIds.h"
#include "tests/views/dhcprelay/DhcpRelayFixture.h"
#include "views/DHCPServerConfig.h"

using ui::test::DialogDriver;
using ui::test::Harness;

using namespace dhcp_server_config_ids;
using namespace dhcprelaytest;

namespace {

// The ports whose bit is set, the first port the high bit of the first byte.
std::vector<int> SetPorts(const std::string& bytes) {
    std::vector<int> ports;
    for (size_t i = 0; i < bytes.size() * 8; ++i) {
        if (static_cast<unsigned char>(bytes[i / 8]) & (0x80 >> (i % 8))) ports.push_back(static_cast<int>(i) + 1);
    }
    return ports;
}

std::string Unhex(const std::string& hex) {
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

class ServerConfigTest : public DhcpRelayTest {
protected:
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        RunAfterRead<CDHCPServerConfig>(ui, IDC_REFRESH, script);
    }
    static void ApplyRange(DialogDriver& d, int from, int to, const std::string& state) {
        d.ChooseComboItem(IDC_FROM_PORT, std::to_string(from));
        d.ChooseComboItem(IDC_TO_PORT, std::to_string(to));
        d.ChooseComboItem(IDC_STATE, state);
        d.Click(IDC_APPLY);
    }
    static std::vector<int> EnabledRows(DialogDriver& d) {
        std::vector<int> ports;
        for (const auto& row : d.GetRows(IDC_PORT_LIST)) {
            if (row[1] == "Enabled") ports.push_back(std::stoi(row[0]));
        }
        return ports;
    }
};

TEST_F(ServerConfigTest, TheBitmapShowsPerPortAndBitsPastThePortsAreIgnored) {
    Set(kScreening, "x", "80 00 01 1F");  // ports 1, 24, 28 and the four spare bits
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetColumns(IDC_PORT_LIST), (std::vector<std::string>{"Port", "State"}));
        EXPECT_EQ(d.GetRows(IDC_PORT_LIST).size(), 28u);
        EXPECT_EQ(EnabledRows(d), (std::vector<int>{1, 24, 28}));
        EXPECT_EQ(d.GetText(IDC_FROM_PORT), "1");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "28");
        EXPECT_EQ(d.GetText(IDC_STATE), "Disabled");
        EXPECT_TRUE(d.IsEnabled(IDC_APPLY));
        // The switch changes behind the dialog's back.
        Set(kScreening, "x", "00 00 00 10");
        d.Click(IDC_REFRESH);
        EXPECT_EQ(EnabledRows(d), (std::vector<int>{28}));
    });
}

TEST_F(ServerConfigTest, ARangeIsWrittenAsOneBitmapAndReadAgain) {
    Set(kScreening, "x", "80 00 00 00");
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        ApplyRange(d, 3, 5, "Enabled");
        EXPECT_EQ(EnabledRows(d), (std::vector<int>{1, 3, 4, 5}));
        EXPECT_EQ(Requests("get").size(), 2u) << "read again";
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    ASSERT_EQ(sets[0].varbinds.size(), 1u);
    EXPECT_EQ(sets[0].varbinds[0].oid, kScreening);
    EXPECT_EQ(sets[0].varbinds[0].type, "s");
    EXPECT_EQ(sets[0].varbinds[0].hex.size(), 8u);
    EXPECT_EQ(SetPorts(Unhex(sets[0].varbinds[0].hex)), (std::vector<int>{1, 3, 4, 5}));
}

TEST_F(ServerConfigTest, AnAggregatedLinkTakesOneState) {
    Set(securitytest::kTrunkMembers + ".1", "x", "00 00 0C 00");  // ports 21 and 22
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        ApplyRange(d, 21, 21, "Enabled");
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text,
                  "Cannot add ports with different DHCP Server Screening Port Settings to an aggregated link.");
        EXPECT_TRUE(Sets().empty());
        EXPECT_TRUE(EnabledRows(d).empty()) << "the states are kept";

        ApplyRange(d, 21, 22, "Enabled");
        EXPECT_EQ(EnabledRows(d), (std::vector<int>{21, 22}));
        ASSERT_EQ(Sets().size(), 1u);
        EXPECT_EQ(SetPorts(Unhex(Sets()[0].varbinds[0].hex)), (std::vector<int>{21, 22}));

        // The link is dissolved: after a Refresh its former members are set one by one.
        Set(securitytest::kTrunkMembers + ".1", "x", "00 00 00 00");
        d.Click(IDC_REFRESH);
        ApplyRange(d, 21, 21, "Disabled");
        EXPECT_EQ(EnabledRows(d), (std::vector<int>{22}));
    });
    EXPECT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(Sets().size(), 2u);
}

TEST_F(ServerConfigTest, AFailedReadLeavesApplyDisabled) {
    ShortTimeout();
    ASSERT_TRUE(sim->Silence(kScreening));
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_TRUE(d.GetRows(IDC_PORT_LIST).empty());
        EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
        // Answered again: a Refresh that reads gives Apply back.
        ASSERT_TRUE(sim->ClearFaults());
        d.Click(IDC_REFRESH);
        EXPECT_TRUE(d.IsEnabled(IDC_APPLY));
        EXPECT_EQ(d.GetRows(IDC_PORT_LIST).size(), 28u);
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(ServerConfigTest, ToPortBelowFromPortIsSetBack) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        d.ChooseComboItem(IDC_FROM_PORT, "10");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "10");
        d.ChooseComboItem(IDC_TO_PORT, "4");
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "'To Port' can not be smaller than 'From Port'");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "10");
    });
}

TEST_F(ServerConfigTest, ClosingDuringTheTrunkWalkIsPrompt) {
    Harness ui;
    CDHCPServerConfig dlg;
    std::chrono::steady_clock::time_point closed;
    std::size_t walked = 0;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ui::test::WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); });
        // Answers slower than any close, and within the time-out (see the local relay's close).
        ModuleStartupParams::TimeoutMs = "5000";
        ASSERT_TRUE(sim->Delay(2500));
        const std::size_t before = Requests("getnext").size();
        d.Click(IDC_REFRESH);  // the trunk walk is out while the read waits
        ASSERT_TRUE(ui::test::WaitUntil([&] { return Requests("getnext").size() > before; }));
        closed = std::chrono::steady_clock::now();
        d.Click(IDC_CLOSE);
        walked = Requests("getnext").size();
    });
    EXPECT_LT(std::chrono::steady_clock::now() - closed, std::chrono::milliseconds(securitytest::kCloseBoundMs));
    EXPECT_TRUE(CSnmpRead::WaitForClosedSessions(10000));
    EXPECT_EQ(Requests("getnext").size(), walked);
}

TEST(ScreeningRulesTest, TheBitmapForEachPortCount) {
    struct Case {
        int ports;
        std::vector<int> enabled;
        std::string hex;
    };
    const Case cases[] = {
        {8, {1, 8}, "81000000"},   {10, {1, 9, 10}, "80C00000"},
        {12, {1, 12}, "8010"},  // no padding for 12 ports: three digits, rounded up to two bytes
        {20, {2, 20}, "40001000"}, {28, {28}, "00000010"},
        {28, {}, "00000000"},      {52, {1, 52}, "8000000000001000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ports);
        g_nDevicePortNum = c.ports;
        ScreeningStates states(static_cast<size_t>(c.ports), 2);
        for (int p : c.enabled) states[static_cast<size_t>(p - 1)] = 1;
        const std::string bytes = ScreeningBitmap(states);
        EXPECT_EQ(bytes, Unhex(c.hex)) << c.hex;
        EXPECT_EQ(SetPorts(bytes), c.enabled);
    }
    g_nDevicePortNum = 28;
}

TEST(ScreeningRulesTest, RangesAndAggregatedLinks) {
    const std::vector<int> trunks = {1, 1, 0, 2, 2, 2};
    struct Case {
        int from, to, state;
        ScreeningStates before;
        bool refused;
    };
    const Case cases[] = {
        {1, 1, 1, {2, 2, 2, 2, 2, 2}, true},  {1, 2, 1, {2, 2, 2, 2, 2, 2}, false},
        {3, 3, 1, {2, 2, 2, 2, 2, 2}, false}, {4, 5, 1, {2, 2, 2, 2, 2, 2}, true},
        {4, 6, 1, {2, 2, 2, 2, 2, 2}, false}, {3, 3, 1, {1, 2, 2, 2, 2, 2}, true},
        {2, 2, 1, {1, 2, 2, 2, 2, 2}, false}, {5, 3, 1, {2, 2, 2, 2, 2, 2}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + "-" + std::to_string(c.to));
        const ScreeningStates after = ScreeningStatesWithRange(c.before, c.from, c.to, c.state);
        for (int p = 1; p <= 6; ++p) {
            const bool inRange = p >= c.from && p <= c.to;
            EXPECT_EQ(after[static_cast<size_t>(p - 1)], inRange ? c.state : c.before[static_cast<size_t>(p - 1)]) << p;
        }
        EXPECT_EQ(ScreeningTrunkRefusal(after, trunks), c.refused ? kScreeningTrunkMessage : "");
    }
    EXPECT_EQ(ScreeningStatesWithRange({2, 2}, 0, 9, 1), (ScreeningStates{1, 1})) << "clipped to the ports held";
}

}  // namespace
