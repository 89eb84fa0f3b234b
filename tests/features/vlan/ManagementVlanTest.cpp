// The management VLAN dialog against the simulated switch: what it shows, the name it reads,
// Apply's check and write, and its reads when the switch is silent or slow.
#include <map>

#include "features/vlan/ManagVlanSetDlg.h"
#include "tests/features/vlan/VlanFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace vlantest {
namespace {

const std::string kState = kPrivate + "7.2.0";
const std::string kVid = kPrivate + "7.3.0";

class ManagementVlanTest : public VlanTest {
protected:
    void Run(Harness& ui, const std::function<void(DialogDriver&, CManagVlanSetDlg&)>& script) {
        CManagVlanSetDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return !dlg.ReadsRunning(); }));
            script(d, dlg);
            if (d.IsOpen()) d.Close();
        });
    }

    // The OIDs of each GET, in order.
    std::vector<std::vector<std::string>> Gets() const {
        std::vector<std::vector<std::string>> gets;
        for (const auto& r : Requests("get")) {
            std::vector<std::string> oids;
            for (const auto& v : r.varbinds) oids.push_back(v.oid);
            gets.push_back(oids);
        }
        return gets;
    }

    void AddInactiveVlan40() const {
        Set(kVlanTable + "1.40", "s", "old");
        Set(kVlanTable + "2.40", "x", "00000000");
        Set(kVlanTable + "4.40", "x", "00000000");
        Set(kVlanTable + "5.40", "i", "2");
    }
};

TEST_F(ManagementVlanTest, OpeningShowsTheStateTheActiveVlansAndTheName) {
    struct Case {
        std::string name;
        std::string state, vid;
        bool enabled;
        int selected;  // combo index, -1 none
        std::string vlanName;
        std::vector<std::vector<std::string>> gets;
    };
    const Case cases[] = {
        {"disabled, VLAN 1", "2", "1", false, 0, "default", {{kState, kVid}}},
        {"enabled, VLAN 10", "1", "10", true, 1, "office", {{kState, kVid}, {kVlanTable + "1.10"}}},
        {"an inactive VLAN", "1", "40", true, -1, "old", {{kState, kVid}, {kVlanTable + "1.40"}}},
        {"a missing VLAN", "1", "99", true, -1, "", {{kState, kVid}, {kVlanTable + "1.99"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        AddInactiveVlan40();
        Set(kState, "i", c.state);
        Set(kVid, "i", c.vid);
        Harness ui;
        Run(ui, [&](DialogDriver& d, CManagVlanSetDlg&) {
            EXPECT_EQ(d.GetItems(IDC_MANAGEMENT_VID), (std::vector<std::string>{"1", "10", "20", "100"}));
            EXPECT_EQ(d.IsChecked(IDC_MANAGEMENT_ENABLE), c.enabled);
            EXPECT_EQ(d.IsChecked(IDC_MANAGEMENT_DISABLE), !c.enabled);
            EXPECT_EQ(d.IsEnabled(IDC_MANAGEMENT_VID), c.enabled);
            EXPECT_EQ(d.GetSelection(IDC_MANAGEMENT_VID), c.selected);
            EXPECT_EQ(d.GetText(IDC_MANAGEMENT_NAME), c.vlanName);
        });
        EXPECT_EQ(Gets(), c.gets);
    }
}

TEST_F(ManagementVlanTest, TheComboShowsTheTablesNameAndTheRadiosSwitchIt) {
    Set(kVlanTable + "1.1", "s", "native");
    Set(kState, "i", "1");
    Harness ui;
    Run(ui, [&](DialogDriver& d, CManagVlanSetDlg&) {
        EXPECT_EQ(d.GetText(IDC_MANAGEMENT_NAME), "default");
        Command("error " + kVlanTable + "1.20 genErr");
        d.ChooseComboItem(IDC_MANAGEMENT_VID, "10");
        EXPECT_EQ(d.GetText(IDC_MANAGEMENT_NAME), "office");
        d.ChooseComboItem(IDC_MANAGEMENT_VID, "1");
        EXPECT_EQ(d.GetText(IDC_MANAGEMENT_NAME), "native");
        d.ChooseComboItem(IDC_MANAGEMENT_VID, "20");
        EXPECT_EQ(d.GetText(IDC_MANAGEMENT_NAME), "");
        d.Click(IDC_MANAGEMENT_DISABLE);
        EXPECT_FALSE(d.IsEnabled(IDC_MANAGEMENT_VID));
        d.Click(IDC_MANAGEMENT_ENABLE);
        EXPECT_TRUE(d.IsEnabled(IDC_MANAGEMENT_VID));
    });
}

TEST_F(ManagementVlanTest, ApplyChecksTheMembersThenWritesStateAndVid) {
    struct Case {
        std::string name;
        std::string vlan;  // chosen in the combo, "" for none
        bool disable;      // Disable chosen last
        bool emptyVlan100;
        bool silentTable;                                          // the table read gets no answer
        std::vector<std::pair<std::string, std::string>> written;  // one SET's varbinds
        bool memberGet;
        std::string message;
    };
    const Case cases[] = {
        {"enable VLAN 10", "10", false, false, false, {{kState, "1"}, {kVid, "10"}}, true, ""},
        {"VLAN 20, then Disable", "20", true, false, false, {{kState, "2"}, {kVid, "20"}}, true, ""},
        {"a VLAN without members", "100", false, true, false, {}, true, "Management VLAN could not be empty."},
        {"VLAN 1", "1", false, false, false, {{kState, "1"}, {kVid, "1"}}, false, ""},
        {"nothing selected after a silent read", "", false, false, true, {{kState, "1"}}, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        ModuleStartupParams::TimeoutMs = "300";
        Set(kState, "i", "1");
        if (c.emptyVlan100) Set(kVlanTable + "2.100", "x", "00000000");
        if (c.silentTable) Command("silence " + kPrivate + "7.6.1");
        Harness ui;
        if (!c.message.empty()) ui.ScriptMessageBoxes({IDOK});
        size_t walksBefore = 0;
        Run(ui, [&](DialogDriver& d, CManagVlanSetDlg& dlg) {
            if (!c.vlan.empty()) d.ChooseComboItem(IDC_MANAGEMENT_VID, c.vlan);
            if (c.disable) d.Click(IDC_MANAGEMENT_DISABLE);
            sim->ClearRequests();
            walksBefore = GetNextsFrom(kVlanTable + "1");
            d.Click(IDOK);
            EXPECT_TRUE(d.IsOpen());
            ASSERT_TRUE(WaitUntil([&] { return !dlg.ReadsRunning(); }));
        });
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), c.written.empty() ? 0u : 1u);
        if (!c.written.empty()) {
            ASSERT_EQ(sets[0].varbinds.size(), c.written.size());
            for (size_t i = 0; i < c.written.size(); ++i) {
                EXPECT_EQ(sets[0].varbinds[i].oid, c.written[i].first);
                EXPECT_EQ(sets[0].varbinds[i].type, "i");
                EXPECT_EQ(sets[0].varbinds[i].value, c.written[i].second);
            }
        }
        const auto gets = Gets();
        const bool memberGet = !gets.empty() && gets[0] == std::vector<std::string>{kVlanTable + "2." + c.vlan};
        EXPECT_EQ(memberGet, c.memberGet);
        std::vector<std::string> texts;
        for (const auto& box : ui.ShownMessageBoxes()) texts.push_back(box.text);
        EXPECT_EQ(texts, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
        if (!c.message.empty()) {
            EXPECT_EQ(GetNextsFrom(kVlanTable + "1"), walksBefore + 1);
        }
        if (c.name == "enable VLAN 10") {
            // After the write: the GET of both objects and the name's own GET.
            ASSERT_EQ(gets.size(), 3u);
            EXPECT_EQ(gets[1], (std::vector<std::string>{kState, kVid}));
            EXPECT_EQ(gets[2], (std::vector<std::string>{kVlanTable + "1.10"}));
            EXPECT_LT(sets[0].seq, Requests("get")[1].seq);
        }
    }
}

TEST_F(ManagementVlanTest, AReadSilencedMidwayKeepsItsRowsAndShowsNoState) {
    ModuleStartupParams::TimeoutMs = "300";
    Command("silence " + kVlanTable + "1.20");
    Harness ui;
    Run(ui, [&](DialogDriver& d, CManagVlanSetDlg&) {
        EXPECT_EQ(d.GetItems(IDC_MANAGEMENT_VID), (std::vector<std::string>{"1", "10"}));
        EXPECT_EQ(d.GetText(IDC_MANAGEMENT_NAME), "");
    });
    for (const auto& oids : Gets()) EXPECT_NE(oids.front(), kState);
}

TEST_F(ManagementVlanTest, ChoosingWhileASlowedReadEndsShowsEachChosenName) {
    Set(kState, "i", "1");
    Harness ui;
    Run(ui, [&](DialogDriver& d, CManagVlanSetDlg& dlg) {
        sim->Delay(30);
        d.Click(IDC_MANAGEMENT_REFRESH);
        const std::map<std::string, std::string> names = {
            {"1", "default"}, {"10", "office"}, {"20", "voice"}, {"100", "mgmt"}};
        std::string lastChosen;
        int chosen = 0;
        ASSERT_TRUE(WaitUntil(
            [&] {
                const auto items = d.GetItems(IDC_MANAGEMENT_VID);
                if (!items.empty() && items.back() != lastChosen) {
                    lastChosen = items.back();
                    d.ChooseComboItem(IDC_MANAGEMENT_VID, lastChosen);
                    ++chosen;
                    // Once the read has ended, its display of the switch's state follows the choice.
                    if (dlg.ReadsRunning() && names.count(lastChosen)) {
                        EXPECT_EQ(d.GetText(IDC_MANAGEMENT_NAME), names.at(lastChosen)) << lastChosen;
                    }
                }
                return !dlg.ReadsRunning();
            },
            std::chrono::seconds(10)));
        EXPECT_GE(chosen, 2);
        EXPECT_EQ(d.GetText(IDC_MANAGEMENT_NAME), "default");
        EXPECT_EQ(d.GetItems(IDC_MANAGEMENT_VID), (std::vector<std::string>{"1", "10", "20", "100"}));
    });
}

}  // namespace
}  // namespace vlantest
