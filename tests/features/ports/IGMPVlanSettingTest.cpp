// IGMP snooping per VLAN against the simulated switch: the VLAN rows, a row's settings and
// member ports, the VLAN writes request by request, the router-port boxes and their writes,
// the box layout, and the learned multicast groups.
#include <chrono>
#include <string>
#include <vector>

#include "features/ports/IGMPMulticastEntryTable.h"
#include "features/ports/IGMPSnoopingVLANSetting.h"
#include "resources/templates/IGMPDialogsIds.h"
#include "tests/features/ports/IGMPFixture.h"

using namespace igmpids;
using namespace igmptest;
using namespace std::chrono_literals;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace {

const std::string kDisableQuestion = "All router ports of this VLAN will be deleted.";

class IGMPVlanSettingTest : public IGMPTest {
protected:
    void SetUp() override {
        IGMPTest::SetUp();
        ResetVlanRows(s_ports == 52 ? 12 : 8);
    }

    // The VLAN rows once the walk has ended, and the trunk walk beside it at its last request
    // (the router-port check waits for its end itself).
    static Rows Loaded(DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_IGMP_VLAN_REFRESH); }, 30s));
        EXPECT_TRUE(WaitUntil([&] { return RequestsFrom("getnext", kTrunkMembers + ".8") > 0; }, 30s));
        return d.GetRows(IDC_IGMP_VLAN_LIST);
    }

    static int Box(int port) { return IDC_IGMP_ROUTER_BOX_BASE + port; }

    // Runs the dialog with snooping enabled globally.
    static void Run(Harness& ui, const std::function<void(DialogDriver&)>& script, const std::string& global = "1") {
        CIGMPSnoopingVLANSetting dlg;
        dlg.m_strGlobalState = global;
        ui.RunModal(dlg, script);
    }
};

TEST_F(IGMPVlanSettingTest, RowsAndTheSelectedVlan) {
    Set(VlanCell(2, 10), "i", "1");
    Set(VlanCell(8, 10), "i", "1");
    ASSERT_TRUE(s_sim->Command("set " + VlanCell(6, 10) + " x \"48 00 00 00 00 00 00 00\""));
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        const Rows rows = Loaded(d);
        ASSERT_EQ(rows.size(), 4u);
        EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "default", "Disabled", "Disabled", "Disabled", ""}));
        EXPECT_EQ(rows[1], (std::vector<std::string>{"10", "office", "Enabled", "Disabled", "Enabled", "2,5"}));
        EXPECT_EQ(rows[2][0], "20");
        EXPECT_EQ(rows[3][0], "100");
        EXPECT_EQ(rows[3][1], "mgmt");
        EXPECT_EQ(d.GetText(IDC_IGMP_VLAN_ID), "");
        d.ClickListRow(IDC_IGMP_VLAN_LIST, 1);
        EXPECT_EQ(d.GetText(IDC_IGMP_VLAN_ID), "10");
        EXPECT_EQ(d.GetText(IDC_IGMP_VLAN_NAME), "office");
        EXPECT_EQ(d.GetText(IDC_IGMP_VLAN_STATE), "Enabled");
        EXPECT_EQ(d.GetText(IDC_IGMP_QUERIER_STATE), "Disabled");
        EXPECT_EQ(d.GetText(IDC_IGMP_FAST_LEAVE), "Enabled");
        EXPECT_TRUE(d.IsEnabled(IDC_IGMP_QUERIER_STATE));
        // Only the VLAN's member ports (1 to 8 and 25) can be router ports.
        for (int port = 1; port <= 28; ++port) {
            EXPECT_EQ(d.IsEnabled(Box(port)), port <= 8 || port == 25) << port;
            EXPECT_EQ(d.IsChecked(Box(port)), port == 2 || port == 5) << port;
        }
        // The learned groups open from here.
        ui.OnModal<CIGMPMulticastEntryTable>([](DialogDriver& entries) { entries.Click(IDCANCEL); });
        d.Click(IDC_IGMP_VIEW_ENTRIES);
        EXPECT_EQ(ui.ModalRuns<CIGMPMulticastEntryTable>(), 1);
        // A disabled VLAN's querier and fast leave cannot be chosen.
        d.ChooseComboItem(IDC_IGMP_VLAN_STATE, "Disabled");
        EXPECT_FALSE(d.IsEnabled(IDC_IGMP_QUERIER_STATE));
        EXPECT_FALSE(d.IsEnabled(IDC_IGMP_FAST_LEAVE));
        d.Click(IDCANCEL);
    });
}

struct VlanWriteCase {
    std::string name;
    std::string was;                             // VLAN 10's state on the switch
    std::string state, querier, fastLeave;       // chosen
    std::vector<int> answers;                    // to the question
    std::vector<std::vector<std::string>> sets;  // sent
};

TEST_F(IGMPVlanSettingTest, VlanWritesSendTheStateInItsOrder) {
    const std::string on = VlanCell(2, 10) + " i 1";
    const std::vector<VlanWriteCase> cases = {
        {"enabling",
         "2",
         "Enabled",
         "Disabled",
         "Enabled",
         {},
         {{on}, {on, VlanCell(4, 10) + " i 2", VlanCell(8, 10) + " i 1"}}},
        {"disabling",
         "1",
         "Disabled",
         "",
         "",
         {IDOK},
         {{VlanCell(4, 10) + " i 1", VlanCell(8, 10) + " i 2", VlanCell(2, 10) + " i 2"}}},
        {"disabling cancelled", "1", "Disabled", "", "", {IDCANCEL}, {}},
        {"staying disabled", "2", "Disabled", "", "", {IDOK}, {}},
        {"enabled, querier on",
         "1",
         "Enabled",
         "Enabled",
         "Disabled",
         {},
         {{VlanCell(4, 10) + " i 1", VlanCell(8, 10) + " i 2"}}},
    };
    for (const VlanWriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        Set(VlanCell(2, 10), "i", c.was);
        Set(VlanCell(4, 10), "i", "1");
        Set(VlanCell(8, 10), "i", "2");
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            Loaded(d);
            d.ClickListRow(IDC_IGMP_VLAN_LIST, 1);
            d.ChooseComboItem(IDC_IGMP_VLAN_STATE, c.state);
            if (!c.querier.empty()) d.ChooseComboItem(IDC_IGMP_QUERIER_STATE, c.querier);
            if (!c.fastLeave.empty()) d.ChooseComboItem(IDC_IGMP_FAST_LEAVE, c.fastLeave);
            s_sim->ClearRequests();
            ui.ScriptMessageBoxes(c.answers);
            d.Click(IDC_IGMP_VLAN_APPLY);
            const auto shown = ui.ShownMessageBoxes();
            ASSERT_EQ(shown.size(), c.answers.size());
            if (!shown.empty()) {
                EXPECT_EQ(shown[0].text, kDisableQuestion);
            }
            const bool cancelled = c.answers == std::vector<int>{IDCANCEL};
            // Cancel keeps the selection; a write empties it and reads the rows again.
            EXPECT_EQ(d.GetText(IDC_IGMP_VLAN_ID), cancelled ? "10" : "");
            if (cancelled) {
                EXPECT_EQ(RequestsFrom("getnext", kVlanTable + "1"), 0u);
            } else {
                EXPECT_TRUE(WaitUntil([] { return RequestsFrom("getnext", kVlanTable + "1") == 1; }, 30s));
                Loaded(d);
            }
            d.Click(IDCANCEL);
        });
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), c.sets.size());
        for (size_t i = 0; i < sets.size(); ++i) EXPECT_EQ(Varbinds(sets[i]), c.sets[i]) << i;
    }
}

TEST_F(IGMPVlanSettingTest, RouterPortWritesAndRefusals) {
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        Loaded(d);
        // No VLAN selected.
        d.Check(Box(1));
        ui.ScriptMessageBoxes({IDOK});
        d.Click(IDC_IGMP_ROUTER_APPLY);
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Please select Vlan first.");
        EXPECT_TRUE(d.IsChecked(Box(1)));

        // Port 21 without 22, its partner in trunk 1.
        d.ClickListRow(IDC_IGMP_VLAN_LIST, 0);
        d.Check(Box(21));
        ui.ScriptMessageBoxes({IDOK});
        d.Click(IDC_IGMP_ROUTER_APPLY);
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 2u);
        EXPECT_EQ(ui.ShownMessageBoxes()[1].text, "Members of port channel must have the same status.");
        EXPECT_TRUE(d.IsChecked(Box(21)));
        EXPECT_TRUE(Requests("set").empty());

        // Ports 1 and 2 of VLAN 1.
        d.ClickListRow(IDC_IGMP_VLAN_LIST, 0);
        d.Check(Box(1));
        d.Check(Box(2));
        d.Click(IDC_IGMP_ROUTER_APPLY);
        for (int port = 1; port <= 28; ++port) EXPECT_FALSE(d.IsChecked(Box(port))) << port;
        Loaded(d);
        EXPECT_EQ(d.GetRows(IDC_IGMP_VLAN_LIST)[0][5], "1,2");
        // What the boxes show goes next: nothing.
        d.Click(IDC_IGMP_ROUTER_APPLY);
        d.Click(IDCANCEL);
    });
    const auto sets = Requests("set");
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(Varbinds(sets[0], true), (std::vector<std::string>{VlanCell(6, 1) + " s C000000000000000"}));
    EXPECT_EQ(Varbinds(sets[1], true), (std::vector<std::string>{VlanCell(6, 1) + " s 0000000000000000"}));
}

// Router ports applied while the trunk walk still waits for an answer: the trunk check waits
// for the walk's end (its time-out, with trunk 1 read) instead of accepting everything.
TEST_F(IGMPVlanSettingTest, RouterPortCheckWaitsForTheTrunkWalk) {
    ASSERT_TRUE(s_sim->Command("silence " + kTrunkMembers + ".2"));
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_IGMP_VLAN_REFRESH); }, 30s));
        ASSERT_TRUE(WaitUntil([&] { return RequestsFrom("getnext", kTrunkMembers + ".1") > 0; }));
        d.ClickListRow(IDC_IGMP_VLAN_LIST, 0);
        d.Check(Box(21));
        ui.ScriptMessageBoxes({IDOK});
        d.Click(IDC_IGMP_ROUTER_APPLY);
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Members of port channel must have the same status.");
        d.Click(IDCANCEL);
    });
    EXPECT_TRUE(Requests("set").empty());
}

TEST_F(IGMPVlanSettingTest, DisabledGloballyOnlyShows) {
    for (const std::string global : {"2", ""}) {
        Harness ui;
        Run(
            ui,
            [&](DialogDriver& d) {
                Loaded(d);
                EXPECT_FALSE(d.IsEnabled(IDC_IGMP_VLAN_APPLY));
                EXPECT_FALSE(d.IsEnabled(IDC_IGMP_ROUTER_APPLY));
                d.Click(IDCANCEL);
            },
            global);
    }
}

TEST_F(IGMPVlanSettingTest, OneRowOfBoxesOn28Ports) {
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        const CRect first = d.GetRect(Box(1));
        const CRect group = d.GetRect(IDC_IGMP_ROUTER_GROUP);
        for (int port = 1; port <= 28; ++port) {
            ASSERT_TRUE(d.Exists(Box(port)));
            ASSERT_TRUE(d.Exists(IDC_IGMP_ROUTER_NUMBER_BASE + port));
            EXPECT_EQ(d.GetRect(Box(port)).top, first.top) << port;
            EXPECT_EQ(d.GetText(IDC_IGMP_ROUTER_NUMBER_BASE + port), std::to_string(port));
            EXPECT_LE(d.GetRect(Box(port)).right, group.right) << port;
            EXPECT_LT(d.GetRect(IDC_IGMP_ROUTER_NUMBER_BASE + port).bottom, d.GetRect(Box(port)).top + 1);
        }
        EXPECT_FALSE(d.Exists(Box(29)));
        EXPECT_GT(d.GetRect(Box(2)).left, first.left);
        // The group boxes close under the boxes.
        EXPECT_EQ(group.bottom, d.GetRect(Box(28)).bottom + 10);
        d.Click(IDCANCEL);
    });
}

TEST_F(IGMPVlanSettingTest, MulticastEntries) {
    Harness ui;
    CIGMPMulticastEntryTable entries;
    ui.RunModal(entries, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_IGMP_GROUP_REFRESH); }, 30s));
        EXPECT_EQ(d.GetColumns(IDC_IGMP_GROUP_LIST),
                  (std::vector<std::string>{"Group ID", "VLAN ID", "Multicast  Group", "Multicast MAC address",
                                            "Port Members"}));
        EXPECT_EQ(d.GetRows(IDC_IGMP_GROUP_LIST), (Rows{{"1", "1", "239.1.1.1", "01-00-5E-01-01-01", "3,4"}}));
        // Addresses shorter than their form leave their cells empty.
        ASSERT_TRUE(s_sim->Serve(kGroupTable + "2.1.239.1.1.1", "x", "EF 01"));
        ASSERT_TRUE(s_sim->Serve(kGroupTable + "3.1.239.1.1.1", "x", "01 00 5E"));
        d.Click(IDC_IGMP_GROUP_REFRESH);
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_IGMP_GROUP_REFRESH); }, 30s));
        EXPECT_EQ(d.GetRows(IDC_IGMP_GROUP_LIST), (Rows{{"1", "1", "", "", "3,4"}}));
        d.Click(IDCANCEL);
    });
}

TEST_F(IGMPVlanSettingTest, EmptyEntryTableGivesRefreshBack) {
    const std::string group = "1.239.1.1.1";
    ASSERT_TRUE(s_sim->Command("del " + kGroupTable.substr(0, kGroupTable.size() - 1)));
    Harness ui;
    CIGMPMulticastEntryTable entries;
    ui.RunModal(entries, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_IGMP_GROUP_REFRESH); }, 30s));
        EXPECT_TRUE(d.GetRows(IDC_IGMP_GROUP_LIST).empty());
        d.Click(IDCANCEL);
    });
    Set(kGroupTable + "1." + group, "i", "1");
    ASSERT_TRUE(s_sim->Command("set " + kGroupTable + "2." + group + " x \"EF 01 01 01\""));
    ASSERT_TRUE(s_sim->Command("set " + kGroupTable + "3." + group + " x \"01 00 5E 01 01 01\""));
    ASSERT_TRUE(s_sim->Command("set " + kGroupTable + "4." + group + " x \"30 00 00 00\""));
}

class IGMPVlanSetting52Test : public IGMPVlanSettingTest {
protected:
    static void SetUpTestSuite() { StartModel("DUZ-3300-52", 52); }
};

TEST_F(IGMPVlanSetting52Test, TwoRowsOfBoxesAndTwelveBytes) {
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        Loaded(d);
        const CRect first = d.GetRect(Box(1));
        for (int port = 1; port <= 52; ++port) {
            const CRect same = d.GetRect(Box(port <= 26 ? port : port - 26));
            EXPECT_EQ(d.GetRect(Box(port)).top, first.top + (port <= 26 ? 0 : 40)) << port;
            EXPECT_EQ(d.GetRect(Box(port)).left, same.left) << port;
        }
        d.ClickListRow(IDC_IGMP_VLAN_LIST, 0);
        d.Check(Box(1));
        d.Check(Box(2));
        d.Click(IDC_IGMP_ROUTER_APPLY);
        Loaded(d);
        d.Click(IDCANCEL);
    });
    const auto sets = Requests("set");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Varbinds(sets[0], true), (std::vector<std::string>{VlanCell(6, 1) + " s C00000000000000000000000"}));
}

}  // namespace
