// GVRP per-port settings against the simulated switch: the list, the choices usable only
// while GVRP is on, Apply's one request a port and its stop at an unanswered one, the PVID,
// trunk and port range refusals that send nothing, and trunks read anew on Refresh.
#include <chrono>

#include "resources/templates/GvrpDialogsIds.h"
#include "tests/views/gvrp/GvrpFixture.h"
#include "views/GVRPSettings.h"

using namespace std::chrono_literals;
using namespace gvrp_settings_ids;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace gvrptest {
namespace {

class GVRPSettingsTest : public GvrpTest {
protected:
    static void ReadDone(DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }, 15s));
    }
    std::size_t PortReads() const { return GetNextsFrom(kGvrpPorts + "1"); }
    static std::string PortSet(int port, const std::string& pvid, int gvrp, int ingress, int frames) {
        return GvrpPort(2, port) + " i " + pvid + ", " + GvrpPort(3, port) + " i " + std::to_string(gvrp) + ", " +
               GvrpPort(4, port) + " i " + std::to_string(ingress) + ", " + GvrpPort(5, port) + " i " +
               std::to_string(frames);
    }
};

TEST_F(GVRPSettingsTest, ListAndChoicesFollowTheGlobalState) {
    Set(GvrpPort(2, 2), "i", "10");
    Set(GvrpPort(3, 2), "i", "1");
    Set(GvrpPort(4, 2), "i", "1");
    Set(GvrpPort(5, 2), "i", "2");
    for (const char* state : {"2", "1"}) {
        SCOPED_TRACE(state);
        Set(kGvrpState, "i", state);
        const bool on = std::string(state) == "1";
        Harness ui;
        CGVRPSettings dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ReadDone(d);
            EXPECT_EQ(d.GetColumns(IDC_LIST),
                      (std::vector<std::string>{"Port", "PVID", "GVRP", "Ingress Checking", "Acceptable Frame Type"}));
            const auto rows = d.GetRows(IDC_LIST);
            ASSERT_EQ(rows.size(), 28u);
            EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "1", "Disabled", "Disabled", "AllFrames"}));
            EXPECT_EQ(rows[1], (std::vector<std::string>{"2", "10", "Enabled", "Enabled", "TaggedOnly"}));
            EXPECT_EQ(d.GetText(IDC_FROM_PORT), "1");
            EXPECT_EQ(d.GetText(IDC_TO_PORT), "28");
            EXPECT_EQ(d.GetItems(IDC_GVRP), (std::vector<std::string>{"Disabled", "Enabled"}));
            EXPECT_EQ(d.GetText(IDC_GVRP), "Disabled");
            EXPECT_EQ(d.GetText(IDC_INGRESS), "Enabled");
            EXPECT_EQ(d.GetItems(IDC_FRAME_TYPE), (std::vector<std::string>{"Admit All", "Tagged Only"}));
            EXPECT_EQ(d.GetText(IDC_FRAME_TYPE), "Admit All");
            for (auto id : {IDC_GVRP, IDC_INGRESS, IDC_FRAME_TYPE}) EXPECT_EQ(d.IsEnabled(id), on);
            for (int id : {int(IDC_FROM_PORT), int(IDC_TO_PORT), int(IDC_PVID), int(IDC_APPLY)})
                EXPECT_TRUE(d.IsEnabled(id));
            d.Close();
        });
    }
}

TEST_F(GVRPSettingsTest, ApplyWritesEachPortOfTheRangeThenReadsAgain) {
    Set(kGvrpState, "i", "1");
    Harness ui;
    CGVRPSettings dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        d.ChooseComboItem(IDC_FROM_PORT, "3");
        d.ChooseComboItem(IDC_TO_PORT, "5");
        d.TypeText(IDC_PVID, "20");
        d.ChooseComboItem(IDC_GVRP, "Enabled");
        d.ChooseComboItem(IDC_INGRESS, "Disabled");
        d.ChooseComboItem(IDC_FRAME_TYPE, "Tagged Only");
        d.Click(IDC_APPLY);
        ReadDone(d);
        const auto rows = d.GetRows(IDC_LIST);
        ASSERT_EQ(rows.size(), 28u);
        EXPECT_EQ(rows[3], (std::vector<std::string>{"4", "20", "Enabled", "Disabled", "TaggedOnly"}));
        EXPECT_TRUE(d.IsEnabled(IDC_APPLY));
        d.Close();
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    EXPECT_EQ(Lines(Sets()), (std::vector<std::string>{PortSet(3, "20", 1, 2, 2), PortSet(4, "20", 1, 2, 2),
                                                       PortSet(5, "20", 1, 2, 2)}));
    EXPECT_EQ(PortReads(), 2u);
}

TEST_F(GVRPSettingsTest, AnUnansweredPortStopsTheWrites) {
    Set(kGvrpState, "i", "1");
    Harness ui;
    CGVRPSettings dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        ASSERT_TRUE(sim->Silence(GvrpPort(2, 4)));
        d.ChooseComboItem(IDC_FROM_PORT, "3");
        d.ChooseComboItem(IDC_TO_PORT, "5");
        d.TypeText(IDC_PVID, "7");
        d.Click(IDC_APPLY);
        EXPECT_TRUE(d.IsEnabled(IDC_APPLY));
        d.Close();
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    const auto sets = Sets();
    ASSERT_GE(sets.size(), 2u);
    EXPECT_EQ(Line(sets[0]), PortSet(3, "7", 2, 1, 1));
    for (std::size_t i = 1; i < sets.size(); ++i) EXPECT_EQ(Line(sets[i]), PortSet(4, "7", 2, 1, 1));
    EXPECT_EQ(sim->GetObject(GvrpPort(2, 3)), "i 7");
    EXPECT_EQ(sim->GetObject(GvrpPort(2, 5)), "i 1");
    EXPECT_EQ(PortReads(), 1u) << "no refresh after a failed write";
}

// One Apply: the PVID and the range, the message (none when accepted), the ports written.
struct ApplyCase {
    std::string name;
    std::string pvid, from, to;
    std::string message;
    int firstWritten, lastWritten;  // 0, -1: nothing
};

class GVRPSettingsApplyTest : public GVRPSettingsTest, public ::testing::WithParamInterface<ApplyCase> {};

const ApplyCase kApplyCases[] = {
    {"PvidZero", "0", "1", "1", "PVID Range is 1-4094", 0, -1},
    {"Pvid4095", "4095", "1", "1", "PVID Range is 1-4094", 0, -1},
    {"PvidFarAbove", "99999999999999999999", "1", "1", "PVID Range is 1-4094", 0, -1},
    {"PvidEmpty", "", "1", "1", "PVID Range is 1-4094", 0, -1},
    {"Pvid4094", "4094", "2", "2", "", 2, 2},
    {"RangeSplitsTheTrunk", "5", "18", "21", "Some ports in the same LA Group are not be included.", 0, -1},
    {"RangeHoldsTheTrunk", "5", "18", "22", "", 18, 22},
    {"RangeBesideTheTrunk", "5", "23", "28", "", 23, 28},
};

TEST_P(GVRPSettingsApplyTest, RefusedInputSendsNothing) {
    const ApplyCase& c = GetParam();
    Harness ui;
    if (!c.message.empty()) ui.ScriptMessageBoxes({IDOK});
    CGVRPSettings dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        d.ChooseComboItem(IDC_FROM_PORT, c.from);
        d.ChooseComboItem(IDC_TO_PORT, c.to);
        d.TypeText(IDC_PVID, c.pvid);
        d.Click(IDC_APPLY);
        ReadDone(d);
        EXPECT_TRUE(d.IsEnabled(IDC_APPLY));
        d.Close();
    });
    EXPECT_EQ(Texts(ui.ShownMessageBoxes()),
              c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    std::vector<std::string> expected;
    for (int p = c.firstWritten; p <= c.lastWritten; ++p) expected.push_back(PortSet(p, c.pvid, 2, 1, 1));
    EXPECT_EQ(Lines(Sets()), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, GVRPSettingsApplyTest, ::testing::ValuesIn(kApplyCases),
                         [](const auto& info) { return info.param.name; });

TEST_F(GVRPSettingsTest, ToBelowFromIsRefusedAndSetBackToFrom) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    CGVRPSettings dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        d.ChooseComboItem(IDC_FROM_PORT, "5");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "5");
        d.ChooseComboItem(IDC_TO_PORT, "3");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "5");
        d.ChooseComboItem(IDC_TO_PORT, "5");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "5");
        d.Close();
    });
    EXPECT_EQ(Texts(ui.ShownMessageBoxes()), std::vector<std::string>{"'To Port' can not be smaller than 'From Port'"});
    EXPECT_TRUE(Sets().empty());
}

TEST_F(GVRPSettingsTest, ATrunkDissolvedOnTheSwitchNoLongerRefusesAfterRefresh) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    CGVRPSettings dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        auto apply = [&] {
            d.ChooseComboItem(IDC_FROM_PORT, "18");
            d.ChooseComboItem(IDC_TO_PORT, "21");
            d.TypeText(IDC_PVID, "1");
            d.Click(IDC_APPLY);
            ReadDone(d);
        };
        apply();
        EXPECT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_TRUE(Sets().empty());
        Set(TrunkOid(1), "x", "00 00 00 00");
        d.Click(IDC_REFRESH);
        ReadDone(d);
        apply();
        d.Close();
    });
    EXPECT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(Sets().size(), 4u);
}

TEST_F(GVRPSettingsTest, ASecondRefreshWaitsForAllThreeReads) {
    ASSERT_TRUE(sim->Delay(20));
    Harness ui;
    CGVRPSettings dlg;
    bool early = false;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        d.Click(IDC_REFRESH);
        EXPECT_FALSE(d.IsEnabled(IDC_REFRESH));
        EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
        ASSERT_TRUE(WaitUntil(
            [&] {
                const bool enabled = d.IsEnabled(IDC_REFRESH);
                if (enabled && d.GetRows(IDC_LIST).size() < 28) early = true;
                return enabled;
            },
            30s));
        // Only the refresh's own ends count: the next one waits again for all three.
        d.Click(IDC_REFRESH);
        EXPECT_FALSE(d.IsEnabled(IDC_REFRESH));
        ReadDone(d);
        EXPECT_EQ(d.GetRows(IDC_LIST).size(), 28u);
        d.Close();
    });
    EXPECT_FALSE(early);
}

}  // namespace
}  // namespace gvrptest
