// IGMP snooping's global settings against the simulated switch: the read, the six range
// checks, the writes request by request, and the state handed to the per-VLAN dialog.
#include <string>
#include <vector>

#include "features/ports/IGMPSnoopConfig.h"
#include "features/ports/IGMPSnoopingVLANSetting.h"
#include "resources/templates/IGMPDialogsIds.h"
#include "tests/features/ports/IGMPFixture.h"

using namespace igmpids;
using namespace igmptest;
using ui::test::DialogDriver;
using ui::test::Harness;

namespace {

const std::vector<int> kNumberFields = {IDC_IGMP_HOST_TIMEOUT,   IDC_IGMP_ROUTER_TIMEOUT,       IDC_IGMP_ROBUSTNESS,
                                        IDC_IGMP_QUERY_INTERVAL, IDC_IGMP_LAST_MEMBER_INTERVAL, IDC_IGMP_MAX_RESPONSE};

class IGMPSnoopConfigTest : public IGMPTest {
protected:
    void SetUp() override {
        IGMPTest::SetUp();
        const char* values[] = {"2", "260", "260", "2", "1", "125", "10", "2"};
        for (int i = 0; i < 8; ++i) Set(Global(i + 1), "i", values[i]);
    }
    void TearDown() override {
        CIGMPSnoopingLogic::s_nGlobalReadTimeoutMs = 4000;
        IGMPTest::TearDown();
    }
    // The field of a scalar (2 to 7).
    static int FieldOf(int scalar) {
        switch (scalar) {
        case 2: return IDC_IGMP_ROUTER_TIMEOUT;
        case 3: return IDC_IGMP_HOST_TIMEOUT;
        case 4: return IDC_IGMP_ROBUSTNESS;
        case 5: return IDC_IGMP_LAST_MEMBER_INTERVAL;
        case 6: return IDC_IGMP_QUERY_INTERVAL;
        default: return IDC_IGMP_MAX_RESPONSE;
        }
    }
};

TEST_F(IGMPSnoopConfigTest, ReadFillsTheFieldsEnabledWithSnooping) {
    for (const std::string state : {"1", "2"}) {
        SCOPED_TRACE(state);
        Set(Global(1), "i", state);
        Set(Global(8), "i", "1");
        s_sim->ClearRequests();
        Harness ui;
        CIGMPSnoopConfig dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            const bool enabled = state == "1";
            EXPECT_EQ(d.IsChecked(IDC_IGMP_ENABLE), enabled);
            EXPECT_TRUE(d.IsChecked(IDC_IGMP_REPORT_ALL));
            EXPECT_EQ(d.IsEnabled(IDC_IGMP_REPORT_ALL), enabled);
            for (int id : kNumberFields) EXPECT_EQ(d.IsEnabled(id), enabled) << id;
            EXPECT_EQ(d.GetText(IDC_IGMP_HOST_TIMEOUT), "260");
            EXPECT_EQ(d.GetText(IDC_IGMP_ROUTER_TIMEOUT), "260");
            EXPECT_EQ(d.GetText(IDC_IGMP_ROBUSTNESS), "2");
            EXPECT_EQ(d.GetText(IDC_IGMP_LAST_MEMBER_INTERVAL), "1");
            EXPECT_EQ(d.GetText(IDC_IGMP_QUERY_INTERVAL), "125");
            EXPECT_EQ(d.GetText(IDC_IGMP_MAX_RESPONSE), "10");
            EXPECT_TRUE(d.IsEnabled(IDC_IGMP_REFRESH));
            // The box alone switches the fields.
            d.Check(IDC_IGMP_ENABLE, !enabled);
            EXPECT_EQ(d.IsEnabled(IDC_IGMP_HOST_TIMEOUT), !enabled);
            EXPECT_EQ(d.IsEnabled(IDC_IGMP_REPORT_ALL), !enabled);
            d.Click(IDCANCEL);
        });
        const auto gets = Requests("get");
        ASSERT_EQ(gets.size(), 1u);
        std::vector<std::string> scalars;
        for (int i = 1; i <= 8; ++i) scalars.push_back(Global(i) + " null");
        EXPECT_EQ(Varbinds(gets[0]), scalars);
    }
}

TEST_F(IGMPSnoopConfigTest, RangeCheckTable) {
    struct Case {
        std::vector<std::pair<IGMPGlobalSettings::Field, std::string>> typed;
        std::string message;
    };
    using F = IGMPGlobalSettings;
    const std::string host = "Invalid Host Timeout (130-153025 sec).";
    const std::vector<Case> cases = {
        {{}, ""},
        {{{F::HostTimeout, "130"}, {F::RouterTimeout, "60"}, {F::Robustness, "255"}}, ""},
        {{{F::HostTimeout, "153025"}, {F::QueryInterval, "600"}, {F::MaxResponse, "25"}}, ""},
        {{{F::HostTimeout, "129"}, {F::RouterTimeout, "59"}}, host},
        {{{F::HostTimeout, "153026"}, {F::MaxResponse, "9"}}, host},
        {{{F::HostTimeout, ""}}, host},
        {{{F::RouterTimeout, "59"}}, "Invalid Router Timeout (60-600 sec)."},
        {{{F::RouterTimeout, "601"}}, "Invalid Router Timeout (60-600 sec)."},
        {{{F::Robustness, "1"}}, "Invalid Robustness Variable (2-255)."},
        {{{F::Robustness, "256"}}, "Invalid Robustness Variable (2-255)."},
        {{{F::LastMemberInterval, "0"}}, "Invalid Last Member Query Interval (1-25 sec)."},
        {{{F::LastMemberInterval, "26"}}, "Invalid Last Member Query Interval (1-25 sec)."},
        {{{F::QueryInterval, "59"}, {F::MaxResponse, "26"}}, "Invalid Query Interval (60-600 sec)."},
        {{{F::QueryInterval, "601"}}, "Invalid Query Interval (60-600 sec)."},
        {{{F::MaxResponse, "9"}}, "Invalid Max. Response Time (10-25 sec)."},
        {{{F::MaxResponse, "26"}}, "Invalid Max. Response Time (10-25 sec)."},
        {{{F::MaxResponse, "99999999999999999999"}}, "Invalid Max. Response Time (10-25 sec)."},
    };
    for (const Case& c : cases) {
        IGMPGlobalSettings s;
        s.values = {"1", "260", "260", "2", "1", "125", "10", "2"};
        for (const auto& [field, text] : c.typed) s.values[field] = text;
        EXPECT_EQ(CIGMPSnoopConfig::CheckRanges(s), c.message) << c.message;
    }
}

TEST_F(IGMPSnoopConfigTest, RefusedFieldSendsNothingAlsoWhenDisabling) {
    struct Case {
        int scalar;
        std::string text, message;
    };
    const std::vector<Case> cases = {
        {3, "129", "Invalid Host Timeout (130-153025 sec)."},
        {2, "601", "Invalid Router Timeout (60-600 sec)."},
        {7, "9", "Invalid Max. Response Time (10-25 sec)."},
    };
    Set(Global(1), "i", "1");
    for (const Case& c : cases) {
        for (bool disabling : {false, true}) {
            SCOPED_TRACE(c.message + (disabling ? ", disabling" : ""));
            Harness ui;
            CIGMPSnoopConfig dlg;
            ui.RunModal(dlg, [&](DialogDriver& d) {
                s_sim->ClearRequests();
                d.TypeText(FieldOf(c.scalar), c.text);
                // Another field wrong too: the earlier one in the order is reported.
                if (c.scalar == 3) d.TypeText(IDC_IGMP_ROUTER_TIMEOUT, "59");
                if (disabling) d.Check(IDC_IGMP_ENABLE, false);
                ui.ScriptMessageBoxes({IDOK});
                d.Click(IDC_IGMP_APPLY);
                ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
                EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.message);
                EXPECT_EQ(d.GetText(FieldOf(c.scalar)), c.text);
                d.Click(IDCANCEL);
            });
            EXPECT_TRUE(s_sim->Requests().empty());
        }
    }
}

struct WriteCase {
    std::string name;
    std::string device;  // the switch's state
    bool box;
    std::vector<std::pair<int, std::string>> typed;  // scalar, text
    std::vector<int> answers;                        // to the question, if asked
    std::vector<std::vector<std::string>> sets;
};

TEST_F(IGMPSnoopConfigTest, WritesSendWhatChanged) {
    const std::string on = Global(1) + " i 1";
    const std::vector<WriteCase> cases = {
        {"disabled stays disabled, OK", "2", false, {}, {IDOK}, {}},
        {"disabled stays disabled, Cancel", "2", false, {}, {IDCANCEL}, {}},
        {"disabling with a changed interval", "1", false, {{6, "100"}}, {IDOK}, {{Global(1) + " i 2"}}},
        {"disabling cancelled", "1", false, {{6, "100"}}, {IDCANCEL}, {}},
        {"enabling with an interval", "2", true, {{6, "125"}}, {}, {{on}, {on, Global(6) + " i 125"}}},
        {"enabled, two values", "1", true, {{2, "100"}, {7, "20"}}, {}, {{Global(2) + " i 100", Global(7) + " i 20"}}},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        Set(Global(1), "i", c.device);
        Set(Global(6), "i", c.name == "enabling with an interval" ? "100" : "125");
        Harness ui;
        CIGMPSnoopConfig dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            s_sim->ClearRequests();
            d.Check(IDC_IGMP_ENABLE, true);
            for (const auto& [scalar, text] : c.typed) d.TypeText(FieldOf(scalar), text);
            d.Check(IDC_IGMP_ENABLE, c.box);
            ui.ScriptMessageBoxes(c.answers);
            d.Click(IDC_IGMP_APPLY);
            const auto shown = ui.ShownMessageBoxes();
            ASSERT_EQ(shown.size(), c.answers.size());
            if (!shown.empty()) {
                EXPECT_EQ(shown[0].text, "All router ports will be deleted.");
                EXPECT_EQ(shown[0].Buttons(), static_cast<UINT>(MB_OKCANCEL));
            }
            d.Click(IDCANCEL);
        });
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), c.sets.size());
        for (size_t i = 0; i < sets.size(); ++i) EXPECT_EQ(Varbinds(sets[i]), c.sets[i]) << i;
        // Every Apply, written, refused by the user or with nothing to write, reads again.
        EXPECT_EQ(Requests("get").size(), 1u);
    }
}

TEST_F(IGMPSnoopConfigTest, AfterAnUnansweredReadEveryValueIsWritten) {
    CIGMPSnoopingLogic::s_nGlobalReadTimeoutMs = 300;
    ASSERT_TRUE(s_sim->Silence(kGlobal.substr(0, kGlobal.size() - 1)));
    const char* typed[] = {"200", "300", "3", "2", "100", "12"};  // scalars 2 to 7
    Harness ui;
    CIGMPSnoopConfig dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetText(IDC_IGMP_HOST_TIMEOUT), "");
        s_sim->ClearFaults();
        s_sim->ClearRequests();
        d.Check(IDC_IGMP_ENABLE, true);
        for (int scalar = 2; scalar <= 7; ++scalar) d.TypeText(FieldOf(scalar), typed[scalar - 2]);
        d.Click(IDC_IGMP_APPLY);
        d.Click(IDCANCEL);
    });
    const auto sets = Requests("set");
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(Varbinds(sets[0]), (std::vector<std::string>{Global(1) + " i 1"}));
    std::vector<std::string> all = {Global(1) + " i 1"};
    for (int scalar = 2; scalar <= 7; ++scalar) all.push_back(Global(scalar) + " i " + typed[scalar - 2]);
    all.push_back(Global(8) + " i 2");
    EXPECT_EQ(Varbinds(sets[1]), all);
}

TEST_F(IGMPSnoopConfigTest, VlanInfoGetsTheStateLastRead) {
    for (const std::string device : {"2", "1"}) {
        SCOPED_TRACE(device);
        Set(Global(1), "i", device);
        Harness ui;
        bool opened = false;
        ui.OnModal<CIGMPSnoopingVLANSetting>([&](DialogDriver& v) {
            opened = true;
            EXPECT_EQ(v.IsEnabled(IDC_IGMP_VLAN_APPLY), device == "1");
            EXPECT_EQ(v.IsEnabled(IDC_IGMP_ROUTER_APPLY), device == "1");
            v.Click(IDCANCEL);
        });
        CIGMPSnoopConfig dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            // Checked but not applied: the VLAN dialog still sees the switch's state.
            d.Check(IDC_IGMP_ENABLE, device == "2");
            d.Click(IDC_IGMP_VLAN_INFO);
            d.Click(IDCANCEL);
        });
        EXPECT_TRUE(opened);
        EXPECT_TRUE(Requests("set").empty());
    }
}

}  // namespace
