// The LLDP neighbour list against the simulated switch: the state check, the rows and their
// texts, the count, and what SNMP version 3 and a silent switch change.
#include <functional>

#include "core/ModuleStartupParams.h"
#include "features/management/LLDPREMOTEINFO.h"
#include "resources/templates/ManagementDialogsIds.h"
#include "tests/features/management/ManagementFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace mgmttest {
namespace {

using namespace lldp_remote_ids;
const std::string kRemote = "1.0.8802.1.1.2.1.4.1.1.";

using Rows = std::vector<std::vector<std::string>>;

class LldpRemoteTest : public SnmpAgentTest {};

TEST_F(LldpRemoteTest, ListsTheNeighboursAfterTheStateCheck) {
    struct Case {
        std::string name;
        std::function<void()> setup;
        Rows rows;
        std::string count;
        bool on;
    };
    const Rows seeded = {
        {"1", "  1", "MacAddress", "00-1B-2C-00-00-01", "InterfaceName", "gi0/1", "uplink", "core-1", "Core router"},
        {"5", "  2", "MacAddress", "00-1B-2C-00-00-05", "InterfaceName", "port 24", "camera feed", "edge-7",
         "Edge switch"},
    };
    Rows other = seeded;
    other[1][2] = "";
    other[1][3] = "";
    other[1][4] = "AgentCircuitld";
    const std::vector<Case> cases = {
        {"two neighbours", [] {}, seeded, "  2", true},
        {"other subtypes, an empty chassis ID",
         [this] {
             Set(kRemote + "4.0.5.2", "i", "9");
             Set(kRemote + "5.0.5.2", "x", "");
             Set(kRemote + "6.0.5.2", "i", "6");
         },
         other, "  2", true},
        {"no neighbours", [this] { ASSERT_TRUE(sim->Command("del 1.0.8802.1.1.2.1.4")); }, {}, "0", true},
        {"LLDP off", [this] { Set(P + ".24.1.0", "i", "2"); }, seeded, "  2", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        c.setup();
        Harness ui;
        CLLDPREMOTEINFO dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(
                WaitUntil([&] { return d.IsEnabled(IDC_REFRESH) || (!c.on && d.GetText(IDC_COUNT) == c.count); }));
            ASSERT_TRUE(WaitUntil([&] { return d.GetRows(IDC_LIST) == c.rows; }));
            EXPECT_EQ(d.GetText(IDC_COUNT), c.count);
            EXPECT_EQ(d.IsEnabled(IDC_LIST), c.on);
            // Refresh comes back when the walk ends, LLDP on or off.
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
            d.Click(IDCANCEL);
        });
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
        const auto requests = sim->Requests();
        ASSERT_GE(requests.size(), 2u);
        EXPECT_EQ(requests[0].pdu, "get");
        EXPECT_EQ(requests[1].pdu, "getnext");
        EXPECT_EQ(requests[1].varbinds.size(), 7u);
    }
}

TEST_F(LldpRemoteTest, ASilentSwitchSaysSoAndVersion3WaitsForRefresh) {
    {
        ModuleStartupParams::TimeoutMs = "200";
        ASSERT_TRUE(sim->Silence());
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        CLLDPREMOTEINFO dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            EXPECT_TRUE(d.GetRows(IDC_LIST).empty());
            EXPECT_TRUE(d.IsEnabled(IDC_REFRESH));
            d.Click(IDCANCEL);
        });
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Get LLDP remote port information unsuccessful!");
    }
    ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
    UseSimV3();
    Harness ui;
    CLLDPREMOTEINFO dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(d.GetRows(IDC_LIST).empty());
        EXPECT_EQ(d.GetText(IDC_COUNT), "0");
        EXPECT_TRUE(sim->Requests().empty());
        d.Click(IDC_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH) && d.GetRows(IDC_LIST).size() == 2; }));
        EXPECT_EQ(d.GetText(IDC_COUNT), "  2");
        d.Click(IDCANCEL);
    });
}

}  // namespace
}  // namespace mgmttest
