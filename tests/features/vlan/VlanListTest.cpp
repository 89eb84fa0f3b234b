// The 802.1Q VLAN list against the simulated switch: what it lists, its buttons, the
// refusals and the write of a delete, and the asymmetric mode.
#include <algorithm>

#include "features/vlan/8021qVlanSet.h"
#include "features/vlan/KRVVlanAdd.h"
#include "tests/features/vlan/VlanFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace vlantest {
namespace {

std::string PortRun(int first, int last) {
    std::string list;
    for (int p = first; p <= last; ++p) list += (list.empty() ? "" : ",") + std::to_string(p);
    return list;
}

class VlanListTest : public VlanTest {
protected:
    // Opens the list, waits for its reads and runs the script; the dialog is closed after it.
    void Run(Harness& ui, const std::function<void(DialogDriver&, C8021qVlanSet&)>& script) {
        C8021qVlanSet dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return !dlg.ReadsRunning(); }, std::chrono::seconds(60)));
            script(d, dlg);
            if (d.IsOpen()) d.Close();
        });
    }

    static int RowOf(DialogDriver& d, const std::string& vid) {
        const Rows rows = d.GetRows(IDC_VLAN_LIST);
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i][0] == vid) return static_cast<int>(i);
        }
        ADD_FAILURE() << "VLAN " << vid << " is not listed";
        return -1;
    }

    size_t VlanReads() const { return GetNextsFrom(kVlanTable + "1"); }
};

TEST_F(VlanListTest, ListsTheActiveVlansWithTheirMembers) {
    struct Case {
        std::string name;
        std::vector<std::pair<std::string, std::string>> objects;  // OID, "TYPE VALUE"
        Rows rows;
    };
    const std::vector<std::string> row1 = {"1", "default", "28", PortRun(1, 12), PortRun(13, 28)};
    const std::vector<std::string> row10 = {"10", "office", "9", "25", PortRun(1, 8)};
    const std::vector<std::string> row20 = {"20", "voice", "5", "25", "9,10,11,12"};
    const std::vector<std::string> row100 = {"100", "mgmt", "2", "25,26", ""};
    const Case cases[] = {
        {"the default model", {}, {row1, row10, row20, row100}},
        {"a row not in service is left out", {{kVlanTable + "5.20", "i 2"}}, {row1, row10, row100}},
        {"a VLAN without members",
         {{kVlanTable + "2.100", "x 00000000"}},
         {row1, row10, row20, {"100", "mgmt", "0", "", ""}}},
        // Bits beyond the 28 ports are no member of this switch.
        {"all bits untagged",
         {{kVlanTable + "2.100", "x FFFFFFFF"}, {kVlanTable + "4.100", "x FFFFFFFF"}},
         {row1, row10, row20, {"100", "mgmt", "32", "", PortRun(1, 32)}}},
        {"all bits tagged",
         {{kVlanTable + "2.100", "x FFFFFFFF"}, {kVlanTable + "4.100", "x 00000000"}},
         {row1, row10, row20, {"100", "mgmt", "32", PortRun(1, 28), ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        for (const auto& [oid, value] : c.objects) {
            const auto blank = value.find(' ');
            Set(oid, value.substr(0, blank), value.substr(blank + 1));
        }
        Harness ui;
        Run(ui, [&](DialogDriver& d, C8021qVlanSet&) {
            EXPECT_EQ(d.GetColumns(IDC_VLAN_LIST),
                      (std::vector<std::string>{"VLAN ID", "VLAN Name", "No.of Ports", "Tagged Port Member",
                                                "Untag Port Member"}));
            EXPECT_EQ(d.GetRows(IDC_VLAN_LIST), c.rows);
        });
    }
}

TEST_F(VlanListTest, ButtonsFollowTheWalkAndThePermission) {
    {
        SCOPED_TRACE("without the VLAN edit permission");
        ModuleStartupParams::VlanEditEnabled = false;
        Harness ui;
        Run(ui, [&](DialogDriver& d, C8021qVlanSet&) {
            for (int id : {IDC_ADD, IDC_EDIT, IDC_DELETE, IDC_PVID}) EXPECT_FALSE(d.IsEnabled(id)) << id;
            for (int id : {IDC_ASYMMETRIC_APPLY, IDC_REFRESH, IDOK}) EXPECT_TRUE(d.IsEnabled(id)) << id;
            d.DoubleClickListRow(IDC_VLAN_LIST, 1);
        });
        EXPECT_EQ(ui.ModalRuns<CKRVVlanAdd>(), 0);
    }
    {
        SCOPED_TRACE("during a slowed walk");
        ModuleStartupParams::VlanEditEnabled = true;
        Harness ui;
        C8021qVlanSet dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return !dlg.ReadsRunning(); }));
            sim->Delay(100);
            d.Click(IDC_REFRESH);
            for (int id : {IDC_ASYMMETRIC_APPLY, IDC_ADD, IDC_EDIT, IDC_DELETE, IDC_REFRESH, IDOK})
                EXPECT_FALSE(d.IsEnabled(id)) << id;
            EXPECT_TRUE(d.IsEnabled(IDC_PVID));
            ASSERT_TRUE(WaitUntil([&] { return !dlg.ReadsRunning(); }));
            for (int id : {IDC_ASYMMETRIC_APPLY, IDC_ADD, IDC_EDIT, IDC_DELETE, IDC_REFRESH, IDOK, IDC_PVID})
                EXPECT_TRUE(d.IsEnabled(id)) << id;
            EXPECT_EQ(d.GetRows(IDC_VLAN_LIST).size(), 4u);
            d.Close();
        });
    }
}

TEST_F(VlanListTest, DeleteRefusalsSendNothing) {
    struct Case {
        std::string name;
        std::vector<std::pair<std::string, std::string>> objects;
        std::string vid;  // the row selected, "" for none
        bool asymmetric;  // box 1008 checked by hand before Delete
        std::string text;
        UINT icon;
    };
    const std::string pvid = "The VID is one of The PVID, so it cannot be deleted.";
    const auto question = [](const std::string& vid) {
        return "The VLAN " + vid + " settings in IGMP Snooping and MAC Address Table maybe be affected, continue?";
    };
    const Case cases[] = {
        {"nothing selected", {}, "", false, "Please select the VLAN want to be deleted!", MB_ICONINFORMATION},
        {"an empty list", {{"del", kPrivate + "7.6.1"}}, "", false, "Please select the VLAN want to be deleted!", 0},
        {"the default VLAN", {}, "1", true, "Can't delete the default VLAN!", 0},
        {"a PVID while asymmetric", {}, "10", true, pvid, 0},
        {"a PVID while symmetric goes on", {}, "10", false, question("10"), 0},
        {"the voice VLAN",
         {{kVoiceState, "i 1"}, {kVoiceVid, "i 20"}},
         "20",
         false,
         "The VLAN ID is Voice VLAN ID.",
         0},
        {"the voice VLAN's ID while it is disabled",
         {{kVoiceState, "i 2"}, {kVoiceVid, "i 20"}},
         "20",
         false,
         question("20"),
         0},
        {"the surveillance VLAN",
         {{kSurveillanceState, "i 1"}, {kSurveillanceVid, "i 100"}},
         "100",
         false,
         "The VLAN ID is Surveillance VLAN ID.",
         0},
        {"an IP interface's VLAN",
         {{kIpInterface + ".1", "i 100"}},
         "100",
         false,
         "The VLAN ID is IP Interface VLAN.",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        for (const auto& [oid, value] : c.objects) {
            if (oid == "del") {
                Command("del " + value);
                continue;
            }
            const auto blank = value.find(' ');
            Set(oid, value.substr(0, blank), value.substr(blank + 1));
        }
        Harness ui;
        ui.ScriptMessageBoxes({IDCANCEL});
        Run(ui, [&](DialogDriver& d, C8021qVlanSet&) {
            if (!c.vid.empty()) d.ClickListRow(IDC_VLAN_LIST, RowOf(d, c.vid));
            d.Check(IDC_ASYMMETRIC, c.asymmetric);
            d.Click(IDC_DELETE);
        });
        const auto shown = ui.ShownMessageBoxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, c.text);
        EXPECT_EQ(shown[0].Icon(), c.icon);
        EXPECT_TRUE(Requests("set").empty());
    }
}

TEST_F(VlanListTest, DeleteDestroysTheRowAndReadsAgain) {
    struct Case {
        std::string name;
        int answer;
        bool silent;  // the SET goes unanswered
        bool sent;
        size_t reads;  // VLAN table reads, the opening one included
        size_t rowsAfter;
    };
    const Case cases[] = {
        {"OK", IDOK, false, true, 2, 3},
        {"Cancel", IDCANCEL, false, false, 2, 4},
        {"an unanswered SET", IDOK, true, true, 1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        ModuleStartupParams::TimeoutMs = "300";
        Harness ui;
        ui.ScriptMessageBoxes({c.answer});
        Run(ui, [&](DialogDriver& d, C8021qVlanSet& dlg) {
            if (c.silent) Command("silence " + kVlanTable + "5.100");
            d.ClickListRow(IDC_VLAN_LIST, RowOf(d, "100"));
            d.Click(IDC_DELETE);
            ASSERT_TRUE(WaitUntil([&] { return !dlg.ReadsRunning(); }));
            EXPECT_EQ(d.GetRows(IDC_VLAN_LIST).size(), c.rowsAfter);
        });
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), c.sent ? 1u : 0u);
        if (c.sent) {
            ASSERT_EQ(sets[0].varbinds.size(), 1u);
            EXPECT_EQ(sets[0].varbinds[0].oid, kVlanTable + "5.100");
            EXPECT_EQ(sets[0].varbinds[0].type, "i");
            EXPECT_EQ(sets[0].varbinds[0].value, "6");
        }
        EXPECT_EQ(VlanReads(), c.reads);
    }
}

TEST_F(VlanListTest, AsymmetricApplyChecksThenWritesAndReadsAgain) {
    const std::string voice =
        "Voice Vlan is enable,the vlan mode can't change to Asymmetric mode!\n"
        "If you could disable it, please set it through the web!";
    const std::string reset =
        "The setting of VLAN, IGMP Snooping, Management VLAN and MAC Address Table will be reset to default.";
    struct Case {
        std::string name;
        std::vector<std::pair<std::string, std::string>> objects;
        bool check;  // the box as the user leaves it
        std::vector<int> answers;
        std::vector<std::string> texts;
        bool written;
        bool checkedAfter;
        size_t asymmetricGets;  // the opening one included
    };
    const Case cases[] = {
        {"voice enabled", {{kAsymmetric, "i 1"}, {kVoiceState, "i 1"}}, false, {IDOK}, {voice}, false, true, 2},
        {"surveillance enabled",
         {{kSurveillanceState, "i 1"}},
         true,
         {IDOK},
         {"Auto Surveillance VLAN is enable,the vlan mode can't change to Asymmetric mode!"},
         false,
         false,
         2},
        {"two IP interfaces and a change",
         {{kIpInterface + ".2", "i 10"}},
         true,
         {IDOK},
         {"Multiple Interfaces are set, the VLAN mode can not be changed."},
         false,
         true,
         1},
        {"two IP interfaces without a change",
         {{kIpInterface + ".2", "i 10"}},
         false,
         {IDCANCEL},
         {reset},
         false,
         false,
         1},
        {"Cancel at the confirmation", {}, true, {IDCANCEL}, {reset}, false, true, 1},
        {"OK", {}, true, {IDOK}, {reset}, true, true, 2},
        // The error answers the re-read's GET too: the box keeps the user's choice.
        {"OK with an error answer", {{"error", kAsymmetric + " wrongValue"}}, true, {IDOK}, {reset}, true, true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        for (const auto& [oid, value] : c.objects) {
            if (oid == "error") {
                Command("error " + value);
                continue;
            }
            const auto blank = value.find(' ');
            Set(oid, value.substr(0, blank), value.substr(blank + 1));
        }
        Harness ui;
        ui.ScriptMessageBoxes(c.answers);
        Run(ui, [&](DialogDriver& d, C8021qVlanSet& dlg) {
            d.Check(IDC_ASYMMETRIC, c.check);
            d.Click(IDC_ASYMMETRIC_APPLY);
            ASSERT_TRUE(WaitUntil([&] { return !dlg.ReadsRunning(); }));
            EXPECT_EQ(d.IsChecked(IDC_ASYMMETRIC), c.checkedAfter);
        });
        std::vector<std::string> texts;
        for (const auto& box : ui.ShownMessageBoxes()) texts.push_back(box.text);
        EXPECT_EQ(texts, c.texts);
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), c.written ? 1u : 0u);
        if (c.written) {
            ASSERT_EQ(sets[0].varbinds.size(), 1u);
            EXPECT_EQ(sets[0].varbinds[0].oid, kAsymmetric);
            EXPECT_EQ(sets[0].varbinds[0].type, "i");
            EXPECT_EQ(sets[0].varbinds[0].value, "1");
        }
        size_t gets = 0;
        for (const auto& r : Requests("get")) {
            if (r.varbinds.size() == 1 && r.varbinds[0].oid == kAsymmetric) ++gets;
        }
        EXPECT_EQ(gets, c.asymmetricGets);
        EXPECT_EQ(VlanReads(), c.written ? 2u : 1u);
    }
}

TEST_F(VlanListTest, AddRefusesBeyond256Vlans) {
    // 252 more rows make 256.
    std::string lines;
    int batch = 0;
    for (int vid = 2000; vid < 2252; ++vid) {
        const std::string v = "." + std::to_string(vid);
        lines += "set " + kVlanTable + "1" + v + " s v" + std::to_string(vid) + "\n";
        lines += "set " + kVlanTable + "2" + v + " x 00000000\n";
        lines += "set " + kVlanTable + "4" + v + " x 00000000\n";
        lines += "set " + kVlanTable + "5" + v + " i 1\n";
        if (++batch % 50 == 0) {
            ASSERT_EQ(sim->Control(lines).find("error"), std::string::npos);
            lines.clear();
        }
    }
    ASSERT_EQ(sim->Control(lines).find("error"), std::string::npos);
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d, C8021qVlanSet&) {
        ASSERT_EQ(d.GetRows(IDC_VLAN_LIST).size(), 256u);
        d.Click(IDC_ADD);
    });
    const auto shown = ui.ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, " Number of VLAN group is over limit");
    EXPECT_EQ(ui.ModalRuns<CKRVVlanAdd>(), 0);
}

TEST(VlanTaggedPorts, EgressMembersThatAreNotUntaggedWithinThePortCount) {
    struct Case {
        std::string egress, untagged;
        int ports;
        std::string tagged;
    } cases[] = {
        {"1,2,3,25", "1,2,3", 28, "25"},
        {"1,2", "1,2", 28, ""},
        {"", "", 28, ""},
        {"27,28,29,30,31,32", "", 28, "27,28"},
        {"5,29,32", "29,30,31,32", 28, "5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(C8021qVlanSet::GetTaggedPorts(c.egress, c.untagged, c.ports), c.tagged)
            << c.egress << " / " << c.untagged;
    }
}

}  // namespace
}  // namespace vlantest
