// PoE system settings against the simulated PoE switch: the delayed read of six objects,
// the two writes and their messages, the threshold's range, and failed requests.
#include <chrono>
#include <string>
#include <vector>

#include "features/ports/POEGlobal.h"
#include "resources/templates/PoEDialogsIds.h"
#include "tests/features/ports/PoEFixture.h"

using namespace poeids;
using namespace std::chrono_literals;
using poetest::kPoE;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace {

const std::string kThreshold = kPoE + "2.0";
const std::string kSequence = kPoE + "3.0";
const std::string kRangeMessage = "The System Power Threshold ranges between 7.1 ~ 193.0.";
const std::string kNothingWritten = "check the data you input";
const std::string kWritten = "set succeed,please wait for a moment";
const std::vector<int> kFields = {IDC_POE_THRESHOLD, IDC_POE_BUDGET, IDC_POE_USED, IDC_POE_LEFT, IDC_POE_SUPPLIED};

class PoEGlobalTest : public poetest::PoETest {
protected:
    void SetUp() override {
        PoETest::SetUp();
        // The first read comes 3000 ms of program time after opening: 150 ms here.
        win::SetClockSpeed(20);
        Set(kThreshold, "s", "193.0");
        Set(kSequence, "i", "1");
    }
    void TearDown() override {
        CPOEGlobal::s_nTimeoutMs = 5000;
        PoETest::TearDown();
    }

    static void Loaded(DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_POE_GLOBAL_APPLY); }, 30s));
    }

    // The six GETs of one read: one object each, in order.
    static void ExpectOneRead(const std::vector<switchsim::LoggedRequest>& gets) {
        ASSERT_EQ(gets.size(), 6u);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(Varbinds(gets[static_cast<size_t>(i)]),
                      (std::vector<std::string>{kPoE + std::to_string(i + 2) + ".0 null"}));
        }
    }
};

TEST_F(PoEGlobalTest, WaitsThenReadsEachObjectOnItsOwn) {
    Set(kSequence, "i", "2");
    Harness ui;
    CPOEGlobal dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        for (int id : kFields) EXPECT_EQ(d.GetText(id), "wait...") << id;
        EXPECT_FALSE(d.IsEnabled(IDC_POE_GLOBAL_APPLY));
        EXPECT_FALSE(d.IsEnabled(IDC_POE_THRESHOLD));
        EXPECT_FALSE(d.IsEnabled(IDC_POE_SEQUENCE));
        EXPECT_TRUE(Requests("get").empty());
        Loaded(d);
        EXPECT_TRUE(d.IsEnabled(IDC_POE_THRESHOLD));
        EXPECT_TRUE(d.IsEnabled(IDC_POE_SEQUENCE));
        EXPECT_EQ(d.GetText(IDC_POE_THRESHOLD), "193.0");
        EXPECT_EQ(d.GetText(IDC_POE_BUDGET), "193.0");
        EXPECT_EQ(d.GetText(IDC_POE_USED), "46.2");
        EXPECT_EQ(d.GetText(IDC_POE_LEFT), "146.8");
        EXPECT_EQ(d.GetText(IDC_POE_SUPPLIED), "100");
        EXPECT_EQ(d.GetItems(IDC_POE_SEQUENCE), (std::vector<std::string>{"DenyNextPort", "DenyLowPriorityPort"}));
        EXPECT_EQ(d.GetText(IDC_POE_SEQUENCE), "DenyLowPriorityPort");
        d.Close();
    });
    ExpectOneRead(Requests("get"));
}

struct ApplyCase {
    std::string name;
    std::string sequence;   // "" keeps it
    std::string threshold;  // "" keeps it
    std::string message;
    std::vector<std::vector<std::string>> sets;
};

TEST_F(PoEGlobalTest, ApplySendsWhatChanged) {
    const std::string seq2 = kSequence + " i 2";
    const std::string th25 = kThreshold + " s 25";
    const std::vector<ApplyCase> cases = {
        {"nothing changed", "", "", kNothingWritten, {}},
        {"sequence", "DenyLowPriorityPort", "", kWritten, {{seq2}}},
        {"threshold", "", "25", kWritten, {{th25}, {th25}}},
        {"both", "DenyLowPriorityPort", "25", kWritten, {{seq2}, {seq2, th25}, {seq2, th25}}},
        {"lowest threshold", "", "7.1", kWritten, {{kThreshold + " s 7.1"}, {kThreshold + " s 7.1"}}},
        {"highest threshold", "", "193", kWritten, {{kThreshold + " s 193"}, {kThreshold + " s 193"}}},
    };
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.name);
        Set(kThreshold, "s", "193.0");
        Set(kSequence, "i", "1");
        Harness ui;
        CPOEGlobal dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            Loaded(d);
            s_sim->ClearRequests();
            if (!c.sequence.empty()) d.ChooseComboItem(IDC_POE_SEQUENCE, c.sequence);
            if (!c.threshold.empty()) d.TypeText(IDC_POE_THRESHOLD, c.threshold);
            ui.ScriptMessageBoxes({IDOK});
            d.Click(IDC_POE_GLOBAL_APPLY);
            ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
            EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.message);
            Loaded(d);
            if (!c.threshold.empty()) {
                EXPECT_EQ(d.GetText(IDC_POE_THRESHOLD), c.threshold);
            }
            d.Close();
        });
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), c.sets.size());
        for (size_t i = 0; i < sets.size(); ++i) EXPECT_EQ(Varbinds(sets[i]), c.sets[i]) << i;
        // A write is followed by a whole read; nothing written reads nothing.
        if (c.sets.empty()) {
            EXPECT_TRUE(Requests("get").empty());
        } else {
            ExpectOneRead(Requests("get"));
        }
    }
}

TEST_F(PoEGlobalTest, ThresholdOutOfRangeSendsNothing) {
    for (const std::string threshold : {"7.0", "193.1", "abc", "25W", "-8"}) {
        for (bool sequenceChanged : {false, true}) {
            SCOPED_TRACE(threshold + (sequenceChanged ? " with the sequence" : ""));
            Harness ui;
            CPOEGlobal dlg;
            ui.RunModal(dlg, [&](DialogDriver& d) {
                Loaded(d);
                s_sim->ClearRequests();
                if (sequenceChanged) d.ChooseComboItem(IDC_POE_SEQUENCE, "DenyLowPriorityPort");
                d.TypeText(IDC_POE_THRESHOLD, threshold);
                ui.ScriptMessageBoxes({IDOK});
                d.Click(IDC_POE_GLOBAL_APPLY);
                ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
                EXPECT_EQ(ui.ShownMessageBoxes()[0].text, kRangeMessage);
                EXPECT_TRUE(d.IsEnabled(IDC_POE_GLOBAL_APPLY));
                d.Close();
            });
            EXPECT_TRUE(s_sim->Requests().empty());
        }
    }
}

TEST_F(PoEGlobalTest, RefusedSequenceIsNotReportedAsWritten) {
    Harness ui;
    CPOEGlobal dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Loaded(d);
        s_sim->InjectError(kSequence, "wrongValue");
        s_sim->ClearRequests();
        d.ChooseComboItem(IDC_POE_SEQUENCE, "DenyLowPriorityPort");
        ui.ScriptMessageBoxes({IDOK});
        d.Click(IDC_POE_GLOBAL_APPLY);
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, kNothingWritten);
        EXPECT_TRUE(d.IsEnabled(IDC_POE_GLOBAL_APPLY));
        d.Close();
    });
    ASSERT_EQ(Requests("set").size(), 1u);
    EXPECT_NE(Requests("set")[0].errorStatus, 0);
    EXPECT_TRUE(Requests("get").empty());
}

TEST_F(PoEGlobalTest, UnansweredReadEmptiesOnlyItsField) {
    CPOEGlobal::s_nTimeoutMs = 300;
    s_sim->Silence(kPoE + "5.0");
    Harness ui;
    CPOEGlobal dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Loaded(d);
        EXPECT_EQ(d.GetText(IDC_POE_USED), "");
        EXPECT_EQ(d.GetText(IDC_POE_THRESHOLD), "193.0");
        EXPECT_EQ(d.GetText(IDC_POE_LEFT), "146.8");
        EXPECT_EQ(d.GetText(IDC_POE_SEQUENCE), "DenyNextPort");
        d.Close();
    });
}

}  // namespace
