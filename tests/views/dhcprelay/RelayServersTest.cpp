// The relay servers against the simulated switch: active rows listed, a server added
// (createAndWait, a pause on the program clock, active, a new walk) and deleted, the refusals
// that send nothing, a Refresh during a slow walk, and closing during a walk.
#include <chrono>

#include "platform/win/Clock.h"
#include "core/ModuleStartupParams.h"
#include "resources/templates/DhcpRelayDialogsIds.h"
#include "tests/support/switchsim/Settle.h"
#include "tests/views/dhcprelay/DhcpRelayFixture.h"
#include "views/DHCPBOOTPRelayInterfaceDlg.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace dhcp_relay_interface_ids;
using namespace dhcprelaytest;

namespace {

using Rows = std::vector<std::vector<std::string>>;

class RelayServersTest : public DhcpRelayTest {
protected:
    // Opens the dialog on an empty request log; the script starts once `rows` servers are listed.
    void Run(Harness& ui, std::size_t rows, const std::function<void(DialogDriver&)>& script) {
        sim->ClearRequests();
        CDHCPBOOTPRelayInterfaceDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return d.GetRows(IDC_SERVER_LIST).size() == rows; }));
            script(d);
            if (d.IsOpen()) d.Click(IDC_CLOSE);
        });
    }
    void AddServer(const std::string& address, const std::string& status = "1") {
        Set(ServerCell(1, address), "s", "System");
        Set(ServerCell(2, address), "a", address);
        Set(ServerCell(3, address), "i", status);
    }
};

TEST_F(RelayServersTest, ListsTheActiveServers) {
    AddServer("10.1.1.1", "2");
    AddServer("10.1.1.2");
    Harness ui;
    Run(ui, 2, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetColumns(IDC_SERVER_LIST), (std::vector<std::string>{"Interface", "Server"}));
        EXPECT_EQ(d.GetRows(IDC_SERVER_LIST), (Rows{{"System", "10.1.1.2"}, {"System", "192.168.10.250"}}));
        EXPECT_EQ(d.GetText(IDC_INTERFACE), "System");
    });
}

TEST_F(RelayServersTest, AddCreatesWaitsActivatesAndReadsAgain) {
    win::SetClockSpeed(0.25);  // the 50 ms pause takes 200 ms of real time
    Harness ui;
    Run(ui, 1, [&](DialogDriver& d) {
        d.TypeText(IDC_SERVER_IP, "10.0.0.5");
        d.Click(IDC_APPLY);
        EXPECT_TRUE(WaitUntil([&] { return d.GetRows(IDC_SERVER_LIST).size() == 2; }));
        EXPECT_EQ(d.GetRows(IDC_SERVER_LIST), (Rows{{"System", "10.0.0.5"}, {"System", "192.168.10.250"}}));
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{ServerCell(3, "10.0.0.5") + " := 5"}));
    EXPECT_EQ(Assignments(sets[1], "i"), (std::vector<std::string>{ServerCell(3, "10.0.0.5") + " := 1"}));
    EXPECT_GE(sets[1].arrivalUs - sets[0].arrivalUs, 180000) << "50 ms of the program clock between them";
    EXPECT_EQ(sim->GetObject(ServerCell(2, "10.0.0.5")), "a 10.0.0.5") << "the address came from the index";
    // The walk after the add came after the activation.
    const auto all = sim->Requests();
    bool walkAfter = false;
    for (const auto& r : all) walkAfter = walkAfter || (r.pdu == "getnext" && r.seq > sets[1].seq);
    EXPECT_TRUE(walkAfter);
}

TEST_F(RelayServersTest, RefusalsSendNothing) {
    struct Case {
        std::vector<std::string> more;  // active servers beside 192.168.10.250
        std::string typed;
        bool deleteClicked;  // Delete with no row selected instead of Apply
        std::string message;
    };
    const Case cases[] = {
        {{"10.0.0.1", "10.0.0.2", "10.0.0.3"}, "10.0.0.9", false, "Maximum number of servers(4) has been reached."},
        {{}, "192.168.10.250", false, "Server IP Already Exist. "},
        {{}, "", true, "Please select the server to delete"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        for (const auto& address : c.more) AddServer(address);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, 1 + c.more.size(), [&](DialogDriver& d) {
            if (c.deleteClicked) {
                d.Click(IDC_DELETE);
            } else {
                d.TypeText(IDC_SERVER_IP, c.typed);
                d.Click(IDC_APPLY);
            }
        });
        const auto shown = ui.ShownMessageBoxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, c.message);
        EXPECT_TRUE(Sets().empty());
    }
}

TEST_F(RelayServersTest, DeleteDestroysTheSelectedRowAndReadsAgain) {
    AddServer("10.0.0.7");
    Harness ui;
    Run(ui, 2, [&](DialogDriver& d) {
        d.ClickListRow(IDC_SERVER_LIST, 0);
        d.Click(IDC_DELETE);
        EXPECT_TRUE(WaitUntil([&] { return d.GetRows(IDC_SERVER_LIST) == Rows{{"System", "192.168.10.250"}}; }));
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{ServerCell(3, "10.0.0.7") + " := 6"}));
    EXPECT_FALSE(sim->GetObject(ServerCell(2, "10.0.0.7")).has_value());
}

TEST_F(RelayServersTest, RefreshDuringASlowWalkListsEachServerOnce) {
    AddServer("10.0.0.8");
    ASSERT_TRUE(sim->Delay(150));
    Harness ui;
    CDHCPBOOTPRelayInterfaceDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return !Requests("getnext").empty(); }));
        d.Click(IDC_REFRESH);
        d.Click(IDC_REFRESH);
        ASSERT_TRUE(sim->Delay(0));
        // Each walk ends with a request past the table; the last is the Refresh's.
        EXPECT_TRUE(WaitUntil([&] { return d.GetRows(IDC_SERVER_LIST).size() == 2 && !dlg.Walking(); }));
        // The withdrawn walks' answers have left and their sessions are released.
        switchsim::Settle(*sim);
        EXPECT_EQ(d.GetRows(IDC_SERVER_LIST), (Rows{{"System", "10.0.0.8"}, {"System", "192.168.10.250"}}));
        d.Click(IDC_CLOSE);
    });
}

TEST_F(RelayServersTest, ClosingDuringAWalkIsPromptAndEndsDelivery) {
    // Answers slower than any close, and within the time-out (see the local relay's close).
    ModuleStartupParams::TimeoutMs = "5000";
    ASSERT_TRUE(sim->Delay(2500));
    Harness ui;
    CDHCPBOOTPRelayInterfaceDlg dlg;
    std::chrono::steady_clock::time_point closed;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return !Requests("getnext").empty(); }));
        closed = std::chrono::steady_clock::now();
        d.Click(IDC_CLOSE);
    });
    EXPECT_LT(std::chrono::steady_clock::now() - closed, std::chrono::milliseconds(securitytest::kCloseBoundMs));
    const std::size_t walked = Requests("getnext").size();
    EXPECT_TRUE(CSnmpRead::WaitForClosedSessions(10000));
    EXPECT_EQ(Requests("getnext").size(), walked) << "no request after the close";
}

}  // namespace
