// The local relay against the simulated switch: the VLANs with an active VLAN row listed and
// offered, the chosen VLAN shown, the two Applies with their re-read, the dialog disabled
// for the walk (and given back when the walk cannot start), and closing it at any time.
#include <chrono>

#include "core/ModuleStartupParams.h"
#include "resources/templates/DhcpRelayDialogsIds.h"
#include "tests/views/dhcprelay/DhcpRelayFixture.h"
#include "views/DHCPLocalRelayDlg.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace dhcp_local_relay_ids;
using namespace dhcprelaytest;

namespace {

using Rows = std::vector<std::vector<std::string>>;

class LocalRelayTest : public DhcpRelayTest {
protected:
    // Opens the dialog on an empty request log; the script starts once the walk has ended.
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        sim->ClearRequests();
        CDHCPLocalRelayDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return Enabled(d); }));
            script(d);
            if (d.IsOpen()) d.Close();
        });
    }
    static bool Enabled(DialogDriver& d) { return d.Window().IsWindowEnabled() && d.IsEnabled(IDC_REFRESH); }
    void VlanState(int vid, int state) {
        Set(kLocalRelayTable + "2." + std::to_string(vid), "i", std::to_string(state));
    }
};

TEST_F(LocalRelayTest, ListsTheActiveVlansAndShowsTheFirst) {
    Set(kLocalRelayState, "i", "1");
    VlanState(1, 1);
    VlanState(20, 2);
    VlanState(100, 1);
    Set(kVlanStatus + "10", "i", "2");
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_TRUE(d.IsChecked(IDC_ENABLE));
        EXPECT_EQ(d.GetColumns(IDC_VLAN_LIST), (std::vector<std::string>{"VLAN ID", "VLAN name", "State"}));
        EXPECT_EQ(d.GetRows(IDC_VLAN_LIST),
                  (Rows{{"1", "default", "Enabled"}, {"20", "voice", "Disabled"}, {"100", "mgmt", "Enabled"}}));
        EXPECT_EQ(d.GetItems(IDC_VID_LIST), (std::vector<std::string>{"1", "20", "100"}));
        EXPECT_EQ(d.GetText(IDC_VID_LIST), "1");
        EXPECT_EQ(d.GetText(IDC_VLAN_NAME), "default");
        EXPECT_FALSE(d.IsEnabled(IDC_VLAN_NAME));
        EXPECT_EQ(d.GetText(IDC_STATUS), "Enabled");
        d.ChooseComboItem(IDC_VID_LIST, "20");
        EXPECT_EQ(d.GetText(IDC_VLAN_NAME), "voice");
        EXPECT_EQ(d.GetText(IDC_STATUS), "Disabled");
    });
    const auto gets = Requests("get");
    ASSERT_EQ(gets.size(), 1u);
    EXPECT_EQ(Oids(gets[0]), (std::vector<std::string>{kLocalRelayState}));
}

TEST_F(LocalRelayTest, TheAppliesWriteAndReadAgain) {
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_FALSE(d.IsChecked(IDC_ENABLE));
        d.Check(IDC_ENABLE);
        d.Click(IDC_APPLY_GLOBAL);
        EXPECT_TRUE(WaitUntil([&] { return Enabled(d) && Requests("get").size() == 2; }));
        EXPECT_TRUE(d.IsChecked(IDC_ENABLE));

        d.ChooseComboItem(IDC_VID_LIST, "20");
        d.ChooseComboItem(IDC_STATUS, "Enabled");
        d.Click(IDC_APPLY_VLAN);
        EXPECT_TRUE(WaitUntil([&] { return Enabled(d) && Requests("get").size() == 3; }));
        EXPECT_TRUE(WaitUntil([&] { return d.GetRows(IDC_VLAN_LIST).size() == 4; }));
        EXPECT_EQ(d.GetRows(IDC_VLAN_LIST)[2], (std::vector<std::string>{"20", "voice", "Enabled"}));
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{kLocalRelayState + " := 1"}));
    EXPECT_EQ(Assignments(sets[1], "i"), (std::vector<std::string>{kLocalRelayTable + "2.20 := 1"}));
}

TEST_F(LocalRelayTest, AFailedWriteDoesNotReadAgain) {
    ShortTimeout();
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        ASSERT_TRUE(sim->Silence(kLocalRelayState));
        d.Click(IDC_APPLY_GLOBAL);
        EXPECT_EQ(Requests("get").size(), 1u);
        EXPECT_TRUE(Enabled(d));
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
}

TEST_F(LocalRelayTest, DisabledDuringTheWalkAndEnabledAtItsEnd) {
    ASSERT_TRUE(sim->Delay(100));
    Harness ui;
    CDHCPLocalRelayDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_FALSE(d.Window().IsWindowEnabled());
        EXPECT_FALSE(d.IsEnabled(IDC_REFRESH));
        EXPECT_TRUE(WaitUntil([&] { return Enabled(d); }));
        EXPECT_EQ(d.GetRows(IDC_VLAN_LIST).size(), 4u);
        d.Close();
    });
}

TEST_F(LocalRelayTest, AWalkThatCannotStartGivesTheDialogBack) {
    ModuleStartupParams::SnmpVersion = "2";  // no session of the library can be made
    Harness ui;
    CDHCPLocalRelayDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(Enabled(d)) << "at once";
        EXPECT_TRUE(d.GetRows(IDC_VLAN_LIST).empty());
        d.Close();
    });
}

TEST_F(LocalRelayTest, EscAndTheCloseBoxEndItDuringTheWalk) {
    struct Case {
        const char* name;
        std::function<void(DialogDriver&)> close;
    };
    const Case cases[] = {
        {"Esc", [](DialogDriver& d) { d.PressEsc(); }},
        {"close box", [](DialogDriver& d) { d.Close(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Answers slower than any close, and within the time-out: no row can arrive and re-arm
        // the walk before the close, so every request after it would be the dialog's fault.
        ModuleStartupParams::TimeoutMs = "5000";
        ASSERT_TRUE(sim->Delay(2500));
        Harness ui;
        CDHCPLocalRelayDlg dlg;
        std::chrono::steady_clock::time_point closed;
        std::size_t walked = 0;
        const INT_PTR result = ui.RunModal(dlg, [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return !Requests("getnext").empty(); }));
            EXPECT_FALSE(d.Window().IsWindowEnabled());
            closed = std::chrono::steady_clock::now();
            c.close(d);
            EXPECT_TRUE(WaitUntil([&] { return !d.IsOpen(); }, std::chrono::milliseconds(500)));
            walked = Requests("getnext").size();
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_LT(std::chrono::steady_clock::now() - closed, std::chrono::milliseconds(securitytest::kCloseBoundMs));
        EXPECT_TRUE(CSnmpRead::WaitForClosedSessions(10000));
        EXPECT_EQ(Requests("getnext").size(), walked) << "no request after the close";
        ASSERT_TRUE(sim->Delay(0));
        sim->ClearRequests();
    }
}

}  // namespace
