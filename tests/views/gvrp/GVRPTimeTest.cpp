// GVRP global settings against the simulated switch: the timer checks as a table, the state
// and timers Apply sends by the state change, the refusals that send nothing, and the
// buttons back after a read of the settings that got no answer.
#include <chrono>

#include "resources/templates/GvrpDialogsIds.h"
#include "tests/views/gvrp/GvrpFixture.h"
#include "views/GVRPFunLogic.h"
#include "views/GVRPTime.h"

using namespace std::chrono_literals;
using namespace gvrp_time_ids;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace gvrptest {
namespace {

TEST(GarpTimerChecks, FirstFailingCheckGivesItsMessage) {
    struct Case {
        const char *join, *leave, *leaveAll, *message;
    } const cases[] = {
        {"200", "600", "10000", ""},
        {"100", "201", "202", ""},
        {"100", "200", "1000", "Leave Time should be greater than 2*Join Time."},
        {"300", "700", "700", "Leave_All Time should be greater than Leave Time. "},
        {"300", "700", "699", "Leave_All Time should be greater than Leave Time. "},
        {"99", "600", "10000", "Join Time(100-100000)."},
        {"", "600", "10000", "Join Time(100-100000)."},
        {"100001", "600", "10000", "Join Time(100-100000)."},
        {"200", "99", "10000", "Leave Time(100-100000)."},
        {"200", "100001", "100002", "Leave Time(100-100000)."},
        {"200", "600", "100001", "Leave_All Time(100-100000)."},
        {"200", "600", "99999999999999999999999", "Leave_All Time(100-100000)."},
        {"33333", "66667", "100000", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.join) + "/" + c.leave + "/" + c.leaveAll);
        EXPECT_EQ(CGVRPFunLogic::GarpTimerFault(c.join, c.leave, c.leaveAll), c.message);
    }
}

class GVRPTimeTest : public GvrpTest {
protected:
    static void ReadDone(DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }, 15s));
    }
};

TEST_F(GVRPTimeTest, ShowsTheStateAndTimers) {
    for (const char* state : {"1", "2"}) {
        SCOPED_TRACE(state);
        Set(kGvrpState, "i", state);
        const bool on = std::string(state) == "1";
        Harness ui;
        CGVRPTime dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ReadDone(d);
            EXPECT_EQ(d.IsChecked(IDC_ENABLED), on);
            EXPECT_EQ(d.IsChecked(IDC_DISABLED), !on);
            EXPECT_EQ(d.GetText(IDC_JOIN), "200");
            EXPECT_EQ(d.GetText(IDC_LEAVE), "600");
            EXPECT_EQ(d.GetText(IDC_LEAVE_ALL), "10000");
            for (auto id : {IDC_JOIN, IDC_LEAVE, IDC_LEAVE_ALL}) EXPECT_EQ(d.IsEnabled(id), on);
            EXPECT_FALSE(d.IsVisible(IDC_HIDDEN_APPLY));
            d.Click(on ? IDC_DISABLED : IDC_ENABLED);
            for (auto id : {IDC_JOIN, IDC_LEAVE, IDC_LEAVE_ALL}) EXPECT_EQ(d.IsEnabled(id), !on);
            d.Click(IDC_CLOSE);
        });
        EXPECT_TRUE(Sets().empty());
    }
}

// One Apply: the state on the switch, the state chosen, the timers typed, the SETs.
struct ApplyCase {
    std::string name;
    std::string state;
    bool enable;
    std::string join, leave, leaveAll;
    std::vector<std::string> sets;
    std::string message;
};

class GVRPTimeApplyTest : public GVRPTimeTest, public ::testing::WithParamInterface<ApplyCase> {};

const ApplyCase kApplyCases[] = {
    {"EnabledToDisabledSendsOnlyTheState", "1", false, "5", "5", "5", {kGvrpState + " i 2"}, ""},
    {"DisabledToEnabledSendsStateAndTimersTogether",
     "2",
     true,
     "300",
     "700",
     "20000",
     {kGvrpState + " i 1, " + kJoin + " i 300, " + kLeave + " i 700, " + kLeaveAll + " i 20000"},
     ""},
    {"EnabledStaysEnabledSendsTheTimers",
     "1",
     true,
     "300",
     "601",
     "602",
     {kJoin + " i 300, " + kLeave + " i 601, " + kLeaveAll + " i 602"},
     ""},
    {"BothDisabledSendsNothing", "2", false, "5", "5", "5", {}, ""},
    {"DisabledToEnabledWithABadTimerSendsNothing",
     "2",
     true,
     "300",
     "600",
     "20000",
     {},
     "Leave Time should be greater than 2*Join Time."},
    {"LeaveAllEqualToLeave", "1", true, "200", "600", "600", {}, "Leave_All Time should be greater than Leave Time. "},
    {"JoinOutOfRange", "1", true, "100001", "600", "10000", {}, "Join Time(100-100000)."},
};

TEST_P(GVRPTimeApplyTest, SendsWhatTheStateChangeNeeds) {
    const ApplyCase& c = GetParam();
    Set(kGvrpState, "i", c.state);
    Harness ui;
    if (!c.message.empty()) ui.ScriptMessageBoxes({IDOK});
    CGVRPTime dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        d.Click(c.enable ? IDC_ENABLED : IDC_DISABLED);
        if (c.enable) {
            d.TypeText(IDC_JOIN, c.join);
            d.TypeText(IDC_LEAVE, c.leave);
            d.TypeText(IDC_LEAVE_ALL, c.leaveAll);
        }
        d.Click(IDC_APPLY);
        ReadDone(d);
        // Read again whatever the outcome.
        EXPECT_EQ(d.IsChecked(IDC_ENABLED), sim->GetObject(kGvrpState) == "i 1");
        d.Close();
    });
    EXPECT_EQ(Texts(ui.ShownMessageBoxes()),
              c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    EXPECT_EQ(Lines(Sets()), c.sets);
    EXPECT_EQ(Requests("get").size(), 4u) << "two reads, before and after Apply";
}

INSTANTIATE_TEST_SUITE_P(Cases, GVRPTimeApplyTest, ::testing::ValuesIn(kApplyCases),
                         [](const auto& info) { return info.param.name; });

TEST_F(GVRPTimeTest, ButtonsComeBackWhenTheSettingsAreNotAnswered) {
    ASSERT_TRUE(sim->Silence(kJoin));
    Harness ui;
    CGVRPTime dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
        ReadDone(d);
        EXPECT_TRUE(d.IsEnabled(IDC_APPLY));
        EXPECT_TRUE(d.IsEnabled(IDC_CLOSE));
        EXPECT_EQ(d.GetText(IDC_JOIN), "");
        ASSERT_TRUE(sim->ClearFaults());
        d.Click(IDC_REFRESH);
        ReadDone(d);
        EXPECT_EQ(d.GetText(IDC_JOIN), "200");
        d.Click(IDC_CLOSE);
    });
}

}  // namespace
}  // namespace gvrptest
