// The VLAN add and edit dialog, opened from the list as a user does: its refusals, the
// order of its writes, the mended stop after a failed member write, and its boxes.
#include <algorithm>
#include <set>

#include "features/vlan/8021qVlanSet.h"
#include "features/vlan/KRVVlanAdd.h"
#include "tests/features/vlan/VlanFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace vlantest {
namespace {

struct Set1 {
    std::string oid;
    std::string type;
    std::string value;  // hex for OCTET STRING
};

class VlanAddTest : public VlanTest {
protected:
    // Opens the list, then the add dialog (vid 0) or the edit dialog of a VID, and runs the
    // script on it once its trunk walk has ended.
    void RunAdd(Harness& ui, int vid, bool asymmetric, const std::function<void(DialogDriver&, CKRVVlanAdd&)>& script) {
        ui.OnModal<CKRVVlanAdd>([&](DialogDriver& d, CKRVVlanAdd& dlg) {
            ASSERT_TRUE(WaitUntil([&] { return dlg.TrunkPortsRead(); }));
            script(d, dlg);
            if (d.IsOpen()) d.Click(IDCANCEL);
        });
        C8021qVlanSet list;
        ui.RunModal(list, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return !list.ReadsRunning(); }));
            d.Check(IDC_ASYMMETRIC, asymmetric);
            sim->ClearRequests();
            if (vid == 0) {
                d.Click(IDC_ADD);
            } else {
                const auto rows = d.GetRows(IDC_VLAN_LIST);
                const auto it =
                    std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r[0] == std::to_string(vid); });
                ASSERT_NE(it, rows.end());
                d.ClickListRow(IDC_VLAN_LIST, static_cast<int>(it - rows.begin()));
                d.Click(IDC_EDIT);
            }
            ASSERT_TRUE(WaitUntil([&] { return !list.ReadsRunning(); }));
            d.Close();
        });
        EXPECT_EQ(ui.ModalRuns<CKRVVlanAdd>(), 1);
    }

    std::vector<Set1> Sets() const {
        std::vector<Set1> sets;
        for (const auto& r : Requests("set")) {
            EXPECT_EQ(r.varbinds.size(), 1u);
            if (r.varbinds.empty()) continue;
            const auto& v = r.varbinds[0];
            sets.push_back({v.oid, v.type, v.type == "s" ? v.hex : v.value});
        }
        return sets;
    }
};

std::string Zeros(int bytes) { return std::string(static_cast<size_t>(bytes) * 2, '0'); }

TEST_F(VlanAddTest, OkRefusalsLeaveTheDialogOpenAndSendNothing) {
    struct Case {
        std::string name;
        int vid;  // 0 add, else the VID edited
        std::string vidText;
        std::string vlanName;
        std::vector<int> notMember;  // ports set to Not Member
        std::vector<int> tagged;     // ports set to Tagged
        std::string text;
    };
    const std::string invalid = "Invalid VLAN ID, VLAN ID should be (2-4094) !";
    const Case cases[] = {
        {"an empty VID", 0, "", "v", {}, {}, invalid},
        {"VID 1", 0, "1", "v", {}, {}, invalid},
        {"VID 4095", 0, "4095", "v", {}, {}, invalid},
        {"a VID in use", 0, "10", "v", {}, {}, "The VLAN ID has been used, please input again !"},
        {"an empty name", 0, "30", "", {}, {}, "Vlan name is not allow empty."},
        {"a full stop in the name", 0, "30", "a.b", {}, {}, "Invalid Vlan name."},
        {"a comma in the name", 0, "30", "a,b", {}, {}, "Invalid Vlan name."},
        {"half a trunk", 0, "30", "v", {}, {21}, "Members in VLAN have to be in the same trunk !"},
        {"the only VLAN with members emptied",
         100,
         "",
         "",
         {25, 26},
         {},
         "You have to include at least one member in the vlan"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        if (c.vid == 100) {
            for (const char* vid : {"1", "10", "20"}) Set(kVlanTable + "2." + vid, "x", "00000000");
        }
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        RunAdd(ui, c.vid, false, [&](DialogDriver& d, CKRVVlanAdd&) {
            if (c.vid == 0) {
                d.TypeText(IDC_VID, c.vidText);
                d.TypeText(IDC_VLAN_NAME, c.vlanName);
            }
            for (int port : c.notMember) d.Click(IDC_NOT_MEMBER_BASE + port);
            for (int port : c.tagged) d.Click(IDC_TAGGED_BASE + port);
            d.Click(IDOK);
            EXPECT_TRUE(d.IsOpen());
        });
        ExpectRefused(ui, c.text);
    }
}

TEST_F(VlanAddTest, WritesTheRowInItsFixedOrder) {
    struct Case {
        std::string name;
        int vid;
        bool asymmetric;
        std::vector<int> tagged, untagged, notMember;
        std::vector<Set1> sets;
    };
    const std::string p = kVlanTable;
    const Case cases[] = {
        {"add VID 30, asymmetric",
         0,
         true,
         {1},
         {2},
         {},
         {{p + "5.30", "i", "5"},
          {p + "2.30", "s", "FFFFFFF000000000"},
          {p + "4.30", "s", "4000000000000000"},
          {p + "2.30", "s", "C000000000000000"},
          {p + "3.30", "s", Zeros(8)},
          {p + "1.30", "s", "746869727479"},  // "thirty"
          {p + "5.30", "i", "1"}}},
        {"edit VID 10",
         10,
         false,
         {},
         {},
         {},
         {{p + "5.10", "i", "2"},
          {p + "2.10", "s", "FFFFFFF000000000"},
          {p + "4.10", "s", "FF00000000000000"},
          {p + "2.10", "s", "FF00008000000000"},
          {p + "3.10", "s", Zeros(8)},
          {p + "1.10", "s", "6F6666696365"},
          {p + "5.10", "i", "1"}}},
        {"edit VID 1",
         1,
         false,
         {},
         {},
         {},
         {{p + "4.1", "s", "000FFFF000000000"},
          {p + "2.1", "s", "FFFFFFF000000000"},
          {p + "3.1", "s", Zeros(8)},
          {p + "1.1", "s", "64656661756C74"},
          {p + "5.1", "i", "1"}}},
        {"edit VID 100 to no member while others have members",
         100,
         false,
         {},
         {},
         {25, 26},
         {{p + "5.100", "i", "2"},
          {p + "2.100", "s", "FFFFFFF000000000"},
          {p + "4.100", "s", Zeros(8)},
          {p + "2.100", "s", Zeros(8)},
          {p + "3.100", "s", Zeros(8)},
          {p + "1.100", "s", "6D676D74"},
          {p + "5.100", "i", "1"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Harness ui;
        RunAdd(ui, c.vid, c.asymmetric, [&](DialogDriver& d, CKRVVlanAdd&) {
            if (c.vid == 0) {
                d.TypeText(IDC_VID, "30");
                d.TypeText(IDC_VLAN_NAME, "thirty");
            }
            for (int port : c.tagged) d.Click(IDC_TAGGED_BASE + port);
            for (int port : c.untagged) d.Click(IDC_UNTAGGED_BASE + port);
            for (int port : c.notMember) d.Click(IDC_NOT_MEMBER_BASE + port);
            d.Click(IDOK);
            EXPECT_FALSE(d.IsOpen());
        });
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), c.sets.size());
        for (size_t i = 0; i < sets.size(); ++i) {
            EXPECT_EQ(sets[i].oid, c.sets[i].oid) << i;
            EXPECT_EQ(sets[i].type, c.sets[i].type) << i;
            EXPECT_EQ(sets[i].value, c.sets[i].value) << i;
        }
        const auto log = Requests("set");
        EXPECT_GE(log.back().arrivalUs - log[log.size() - 2].arrivalUs, 50000);
        // The list re-read shows the row active.
        EXPECT_EQ(sim->GetObject(c.sets.back().oid), "i 1");
    }
}

TEST_F(VlanAddTest, BitmapsAreWrittenInTheWidthOfThePortCount) {
    struct Case {
        std::string model;
        int ports;
        size_t bytes;
    } cases[] = {
        {"DUZ-3300-28ZA1", 28, 8},
        {"DUZ-3300-52", 52, 12},
        {"DUZ-3300-52", 48, 8},
        {"DUZ-3300-28ZA1", 24, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ports);
        ASSERT_TRUE(StartSwitch(c.model, c.ports));
        Harness ui;
        RunAdd(ui, 0, false, [&](DialogDriver& d, CKRVVlanAdd&) {
            d.TypeText(IDC_VID, "30");
            d.TypeText(IDC_VLAN_NAME, "thirty");
            d.Click(IDOK);
        });
        size_t bitmaps = 0;
        for (const Set1& s : Sets()) {
            if (s.type != "s" || s.oid.rfind(kVlanTable + "1.", 0) == 0) continue;
            EXPECT_EQ(s.value.size(), c.bytes * 2) << s.oid;
            ++bitmaps;
        }
        EXPECT_EQ(bitmaps, 4u);
    }
}

TEST_F(VlanAddTest, AFailedMemberWriteAfterTheAllPortsWriteLeavesTheRowInactive) {
    const std::string p = kVlanTable;
    struct Case {
        std::string name;
        std::string fault;
        std::vector<std::string> oids;
        std::string statusAfter;
    };
    const Case cases[] = {
        {"untagged refused", "error " + p + "4.30 wrongValue", {p + "5.30", p + "2.30", p + "4.30"}, "i 2"},
        {"egress unanswered",
         "silence " + p + "2.30",
         {p + "5.30", p + "2.30", p + "2.30", p + "3.30", p + "1.30", p + "5.30"},
         "i 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        ModuleStartupParams::TimeoutMs = "300";
        Harness ui;
        RunAdd(ui, 0, false, [&](DialogDriver& d, CKRVVlanAdd&) {
            Command(c.fault);
            d.TypeText(IDC_VID, "30");
            d.TypeText(IDC_VLAN_NAME, "thirty");
            d.Click(IDC_TAGGED_BASE + 1);
            d.Click(IDOK);
            EXPECT_FALSE(d.IsOpen());
        });
        std::vector<std::string> oids;
        for (const Set1& s : Sets()) oids.push_back(s.oid);
        // A silenced request may be sent again by the library; count each write once.
        oids.erase(std::unique(oids.begin(), oids.end()), oids.end());
        std::vector<std::string> expected = c.oids;
        expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
        EXPECT_EQ(oids, expected);
        EXPECT_EQ(sim->GetObject(p + "5.30"), c.statusAfter);
    }
}

TEST_F(VlanAddTest, BoxesFollowTheMembershipRules) {
    {
        SCOPED_TRACE("re-clicking a checked box");
        Harness ui;
        RunAdd(ui, 0, false, [&](DialogDriver& d, CKRVVlanAdd&) {
            d.Click(IDC_NOT_MEMBER_BASE + 3);
            EXPECT_TRUE(d.IsChecked(IDC_NOT_MEMBER_BASE + 3));
            EXPECT_FALSE(d.IsChecked(IDC_TAGGED_BASE + 3));
            EXPECT_FALSE(d.IsChecked(IDC_UNTAGGED_BASE + 3));
        });
    }
    for (bool asymmetric : {false, true}) {
        SCOPED_TRACE(asymmetric ? "asymmetric add, port 13" : "symmetric add, port 13");
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Harness ui;
        RunAdd(ui, 0, asymmetric, [&](DialogDriver& d, CKRVVlanAdd&) {
            d.Click(IDC_UNTAGGED_BASE + 13);
            EXPECT_EQ(d.IsChecked(IDC_UNTAGGED_BASE + 13), asymmetric);
            EXPECT_EQ(d.IsChecked(IDC_NOT_MEMBER_BASE + 13), !asymmetric);
        });
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    }
    {
        SCOPED_TRACE("edit VLAN 10: port 3 untagged, tagged, untagged again");
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Harness ui;
        RunAdd(ui, 10, false, [&](DialogDriver& d, CKRVVlanAdd&) {
            EXPECT_TRUE(d.IsChecked(IDC_UNTAGGED_BASE + 3));
            EXPECT_TRUE(d.IsChecked(IDC_TAGGED_BASE + 25));
            EXPECT_FALSE(d.IsEnabled(IDC_VID));
            EXPECT_EQ(d.GetText(IDC_VLAN_NAME), "office");
            d.Click(IDC_TAGGED_BASE + 3);
            EXPECT_FALSE(d.IsChecked(IDC_UNTAGGED_BASE + 3));
            d.Click(IDC_UNTAGGED_BASE + 3);
            EXPECT_TRUE(d.IsChecked(IDC_UNTAGGED_BASE + 3));
            EXPECT_FALSE(d.IsChecked(IDC_TAGGED_BASE + 3));
        });
    }
    {
        SCOPED_TRACE("typing past the limits");
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Harness ui;
        RunAdd(ui, 0, false, [&](DialogDriver& d, CKRVVlanAdd& dlg) {
            d.TypeText(IDC_VLAN_NAME, "abcdefghijklmnopqrstu");
            EXPECT_EQ(d.GetText(IDC_VLAN_NAME), "abcdefghijklmnopqrst");
            d.TypeText(IDC_VID, "12345");
            EXPECT_EQ(d.GetText(IDC_VID), "1234");
            int start = -1;
            int end = -1;
            static_cast<CEdit*>(dlg.GetDlgItem(IDC_VID))->GetSel(start, end);
            EXPECT_EQ(start, 4);
            EXPECT_EQ(end, 4);
        });
    }
}

TEST_F(VlanAddTest, EditDuringASlowedWalkListsEachVlanOnceAndClosesInOrder) {
    Harness ui;
    ui.OnModal<CKRVVlanAdd>([&](DialogDriver& d, CKRVVlanAdd& dlg) {
        ASSERT_TRUE(WaitUntil([&] { return dlg.TrunkPortsRead(); }));
        d.Click(IDOK);
    });
    C8021qVlanSet list;
    ui.RunModal(list, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return !list.ReadsRunning(); }));
        sim->Delay(40);
        d.Click(IDC_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return !d.GetRows(IDC_VLAN_LIST).empty(); }));
        d.DoubleClickListRow(IDC_VLAN_LIST, 0);
        ASSERT_TRUE(WaitUntil([&] { return !list.ReadsRunning(); }));
        const auto rows = d.GetRows(IDC_VLAN_LIST);
        std::multiset<std::string> vids;
        for (const auto& r : rows) vids.insert(r[0]);
        EXPECT_EQ(vids, (std::multiset<std::string>{"1", "10", "20", "100"}));
        d.Close();
    });
    EXPECT_EQ(ui.ModalRuns<CKRVVlanAdd>(), 1);

    const std::vector<std::string> expected = {
        "==================DestroyWindow===============",
        "==================m_cCommonSNMP.Close===============",
        "==================m_cCommonSNMPEgrePort.Close===============",
        "==================m_cCommonSNMPTable.Close===============",
        "==================DestroyWindow===============",
        "==================m_cCommonSNMP.Close===============",
        "==================m_cCommonSNMPTable.Close===============",
        "==================m_cCommonSNMPVoiceVlan.Close===============",
        "==================m_cCommonSNMPTableVlan.Close===============",
        "==================m_cCommonSNMPTableVlanDelete.Close===============",
    };
    std::vector<std::string> lines;
    for (const auto& line : ui.CapturedDebugLines()) {
        if (line.rfind("==================", 0) == 0) lines.push_back(line);
    }
    EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace vlantest
