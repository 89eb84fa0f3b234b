// Multicast filtering mode against the simulated switch: the walk beside the VLAN names, one
// VLAN's or every VLAN's mode written, failed and empty cases, the lines at close; and the
// filtering and IGMP rows that follow a VLAN made or removed.
#include <chrono>
#include <string>
#include <vector>

#include "core/ModuleBase.h"
#include "features/ports/MultiFilterModeConfig.h"
#include "resources/templates/IGMPDialogsIds.h"
#include "tests/features/ports/IGMPFixture.h"

using namespace igmpids;
using namespace igmptest;
using namespace std::chrono_literals;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace {

const std::string kForward = "Forward Unregistered Groups";
const std::string kFilter = "Filtering Unregistered Groups";

class MultiFilterModeTest : public IGMPTest {
protected:
    void SetUp() override {
        IGMPTest::SetUp();
        for (int vid : {1, 10, 20, 100}) Set(Mode(vid), "i", vid == 20 ? "1" : "0");
    }
    static std::string Mode(int vid) { return kFilterTable + "2." + std::to_string(vid); }
    static size_t Walks() { return RequestsFrom("getnext", kFilterTable + "1"); }
    static Rows Loaded(DialogDriver& d, size_t walks = 1) {
        EXPECT_TRUE(WaitUntil([&] { return Walks() >= walks && d.IsEnabled(IDC_FILTER_REFRESH); }, 30s));
        return d.GetRows(IDC_FILTER_LIST);
    }
};

TEST_F(MultiFilterModeTest, ListsEveryVlanWithItsMode) {
    Set(Mode(100), "i", "5");
    Harness ui;
    CMultiFilterModeConfig dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_EQ(Loaded(d), (Rows{{"1", "default", kForward},
                                   {"10", "office", kForward},
                                   {"20", "voice", kFilter},
                                   {"100", "mgmt", kFilter}}));
        EXPECT_EQ(d.GetItems(IDC_FILTER_VLAN_ID), (std::vector<std::string>{"1", "10", "20", "100"}));
        EXPECT_EQ(d.GetText(IDC_FILTER_VLAN_ID), "1");
        EXPECT_EQ(d.GetItems(IDC_FILTER_MODE), (std::vector<std::string>{kForward, kFilter}));
        EXPECT_EQ(d.GetText(IDC_FILTER_MODE), kForward);
        EXPECT_EQ(d.GetColumns(IDC_FILTER_LIST),
                  (std::vector<std::string>{"VLAN ID", "VLAN Name", "Multicast Filtering Mode"}));
        d.Click(IDCANCEL);
    });
    const auto walks = Requests("getnext");
    ASSERT_FALSE(walks.empty());
    EXPECT_EQ(Varbinds(walks[0]),
              (std::vector<std::string>{kFilterTable + "1 null", kVlanName + " null", kFilterTable + "2 null"}));
    const auto lines = ui.CapturedDebugLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"==================DestroyWindow===============",
                                        "==================m_cCommonSNMP.Close===============",
                                        "==================m_cCommonSNMPTable.Close==============="}));
}

TEST_F(MultiFilterModeTest, ApplyWritesOneOrEveryVlan) {
    struct Case {
        std::string name;
        bool all;
        std::string vlan, mode;
        std::vector<std::string> sent;
    };
    const std::vector<Case> cases = {
        {"one VLAN", false, "10", kForward, {Mode(10) + " i 0"}},
        {"one VLAN filtering", false, "100", kFilter, {Mode(100) + " i 1"}},
        {"all", true, "", kFilter, {Mode(1) + " i 1", Mode(10) + " i 1", Mode(20) + " i 1", Mode(100) + " i 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness ui;
        CMultiFilterModeConfig dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            Loaded(d);
            s_sim->ClearRequests();
            if (c.all) {
                d.Check(IDC_FILTER_ALL);
                EXPECT_FALSE(d.IsEnabled(IDC_FILTER_VLAN_ID));
            } else {
                d.ChooseComboItem(IDC_FILTER_VLAN_ID, c.vlan);
            }
            d.ChooseComboItem(IDC_FILTER_MODE, c.mode);
            d.Click(IDC_FILTER_APPLY);
            Loaded(d);
            d.Click(IDCANCEL);
        });
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(Varbinds(sets[0]), c.sent);
        EXPECT_EQ(Walks(), 1u);
        EXPECT_GT(s_sim->Requests().back().seq, sets[0].seq);
    }
}

TEST_F(MultiFilterModeTest, UnansweredWriteIsNotFollowedByARead) {
    ModuleStartupParams::TimeoutMs = "300";
    Harness ui;
    CMultiFilterModeConfig dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Loaded(d);
        ASSERT_TRUE(s_sim->Silence(kFilterTable + "2"));
        s_sim->ClearRequests();
        d.Click(IDC_FILTER_APPLY);
        EXPECT_EQ(Requests("set").size(), 1u);
        EXPECT_EQ(Walks(), 0u);
        EXPECT_TRUE(d.IsEnabled(IDC_FILTER_REFRESH));
        d.Click(IDCANCEL);
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
}

TEST_F(MultiFilterModeTest, EmptyTableSendsNothing) {
    ASSERT_TRUE(s_sim->Command("del " + kFilterTable.substr(0, kFilterTable.size() - 1)));
    Harness ui;
    CMultiFilterModeConfig dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(Loaded(d).empty());
        EXPECT_TRUE(d.GetItems(IDC_FILTER_VLAN_ID).empty());
        d.Click(IDC_FILTER_APPLY);
        d.Check(IDC_FILTER_ALL);
        d.Click(IDC_FILTER_APPLY);
        d.Click(IDCANCEL);
    });
    EXPECT_TRUE(Requests("set").empty());
    for (int vid : {1, 10, 20, 100}) {
        Set(kFilterTable + "1." + std::to_string(vid), "i", std::to_string(vid));
        Set(Mode(vid), "i", vid == 20 ? "1" : "0");
    }
}

TEST_F(MultiFilterModeTest, VlanMadeOrRemovedBringsItsRows) {
    CModuleBase base;
    const std::string name = "lab";
    VARBIND_INFO create[2];
    create[0].oid = kVlanName + ".30";
    create[0].value = name.c_str();
    create[0].type = 2;
    create[0].length = static_cast<int>(name.size());
    create[1].oid = kVlanStatus + ".30";
    create[1].value = "4";
    create[1].type = 1;
    create[1].length = 1;
    ASSERT_EQ(base.SetValues(create, 2), 1);
    EXPECT_EQ(s_sim->GetObject(kFilterTable + "2.30"), "i 0");
    EXPECT_EQ(s_sim->GetObject(VlanCell(1, 30)), "i 30");
    EXPECT_EQ(s_sim->GetObject(VlanCell(2, 30)), "i 2");
    EXPECT_EQ(s_sim->GetObject(VlanCell(6, 30)), "s 00 00 00 00 00 00 00 00");
    Harness ui;
    {
        CMultiFilterModeConfig dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            const Rows rows = Loaded(d);
            ASSERT_EQ(rows.size(), 5u);
            EXPECT_EQ(rows[3], (std::vector<std::string>{"30", "lab", kForward}));
            EXPECT_EQ(rows[4], (std::vector<std::string>{"100", "mgmt", kForward}));
            d.Click(IDCANCEL);
        });
    }
    ASSERT_EQ(base.SetRowStatus(kVlanStatus + ".30", "6"), 1);
    EXPECT_FALSE(s_sim->GetObject(kFilterTable + "2.30").has_value());
    EXPECT_FALSE(s_sim->GetObject(VlanCell(6, 30)).has_value());
    CMultiFilterModeConfig dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_EQ(Loaded(d, 2).size(), 4u);
        d.Click(IDCANCEL);
    });
}

}  // namespace
