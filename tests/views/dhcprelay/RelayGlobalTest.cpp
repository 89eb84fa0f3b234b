// The relay's global settings against the simulated switch: the one GET of eight objects and
// how a record shows, the SET of seven (never the option 82 state) with its re-read, and the
// range checks of Apply, which send nothing.
#include "resources/templates/DhcpRelayDialogsIds.h"
#include "tests/views/dhcprelay/DhcpRelayFixture.h"
#include "views/DHCPBOOTPRelayGlobalDlg.h"

using ui::test::DialogDriver;
using ui::test::Harness;

using namespace dhcp_relay_global_ids;
using namespace dhcprelaytest;

namespace {

const std::vector<std::string> kGlobalObjects = {
    kRelay + "1.1.0",   kRelay + "1.2.0",   kRelay + "1.3.0",   kRelay + "2.2.1.0",
    kRelay + "2.2.2.0", kRelay + "2.2.3.0", kRelay + "2.2.4.0", kRelay + "2.2.5.0",
};

class RelayGlobalTest : public DhcpRelayTest {
protected:
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        RunAfterRead<CDHCPBOOTPRelayGlobalDlg>(ui, IDC_APPLY, script);
    }
    static std::vector<std::string> Shown(DialogDriver& d) {
        std::vector<std::string> out;
        for (int id : {int(IDC_RELAY_STATE), int(IDC_HOPS), int(IDC_TIME_THRESHOLD), int(IDC_OPTION82_STATE),
                       int(IDC_OPTION82_CHECK), int(IDC_OPTION82_POLICY), int(IDC_REMOTE_ID_TYPE), int(IDC_REMOTE_ID)})
            out.push_back(d.GetText(id));
        return out;
    }
};

TEST_F(RelayGlobalTest, ARecordShowsInTheControls) {
    struct Case {
        std::vector<std::string> values;  // the eight objects, INTEGER but the last
        std::vector<std::string> shown;
        bool remoteIdEnabled;
    };
    const Case cases[] = {
        {{"1", "7", "300", "1", "1", "2", "2", "ab-12"},
         {"Enabled", "7", "300", "Enabled", "Enabled", "Drop", "User Define", "ab-12"},
         true},
        {{"2", "16", "0", "2", "2", "3", "1", "kept"},
         {"Disabled", "16", "0", "Disabled", "Disabled", "Keep", "Default", "kept"},
         false},
        {{"2", "4", "0", "2", "2", "9", "1", ""},
         {"Disabled", "4", "0", "Disabled", "Disabled", "", "Default", ""},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values[5]);
        for (size_t i = 0; i < kGlobalObjects.size(); ++i) Set(kGlobalObjects[i], i == 7 ? "s" : "i", c.values[i]);
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            EXPECT_EQ(Shown(d), c.shown);
            EXPECT_FALSE(d.IsEnabled(IDC_OPTION82_STATE));
            EXPECT_EQ(d.IsEnabled(IDC_REMOTE_ID), c.remoteIdEnabled);
            const auto gets = Requests("get");
            ASSERT_EQ(gets.size(), 1u);
            EXPECT_EQ(Oids(gets[0]), kGlobalObjects);
            d.ChooseComboItem(IDC_REMOTE_ID_TYPE, c.remoteIdEnabled ? "Default" : "User Define");
            EXPECT_EQ(d.IsEnabled(IDC_REMOTE_ID), !c.remoteIdEnabled);
        });
        EXPECT_EQ(ui.ShownMessageBoxes().size(), 0u);
    }
}

TEST_F(RelayGlobalTest, AnUnansweredReadShowsTheEmptyRecord) {
    ShortTimeout();
    ASSERT_TRUE(sim->Silence(kPrivate + "28"));
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_EQ(Shown(d),
                  (std::vector<std::string>{"Disabled", "", "", "Disabled", "Disabled", "", "User Define", ""}));
        EXPECT_TRUE(d.IsEnabled(IDC_REMOTE_ID));
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(RelayGlobalTest, ApplyWritesSevenObjectsAndReadsAgain) {
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        d.ChooseComboItem(IDC_RELAY_STATE, "Enabled");
        d.TypeText(IDC_HOPS, "9");
        d.TypeText(IDC_TIME_THRESHOLD, "120");
        d.ChooseComboItem(IDC_OPTION82_CHECK, "Enabled");
        d.ChooseComboItem(IDC_OPTION82_POLICY, "Keep");
        d.ChooseComboItem(IDC_REMOTE_ID_TYPE, "User Define");
        d.TypeText(IDC_REMOTE_ID, "ab-12");
        d.Click(IDC_APPLY);
        EXPECT_EQ(Requests("get").size(), 2u) << "read again";
        EXPECT_EQ(d.GetText(IDC_HOPS), "9");
        EXPECT_EQ(d.GetText(IDC_REMOTE_ID), "ab-12");
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Assignments(sets[0]), (std::vector<std::string>{
                                        kRelay + "1.1.0 := 1",
                                        kRelay + "1.2.0 := 9",
                                        kRelay + "1.3.0 := 120",
                                        kRelay + "2.2.2.0 := 1",
                                        kRelay + "2.2.3.0 := 3",
                                        kRelay + "2.2.4.0 := 2",
                                        kRelay + "2.2.5.0 := 61622D3132",
                                    }));
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(sets[0].varbinds[i].type, "i");
    EXPECT_EQ(sets[0].varbinds[6].type, "s");
    EXPECT_EQ(sim->GetObject(kRelay + "2.2.1.0"), "i 2") << "the option 82 state is never written";
}

TEST_F(RelayGlobalTest, ApplyChecksTheRanges) {
    struct Case {
        std::string hops, threshold, message;  // "" accepted
    };
    const Case cases[] = {
        {"0", "0", "BOOTP Relay Hops Count Limit rang is 1-16"},
        {"17", "0", "BOOTP Relay Hops Count Limit rang is 1-16"},
        {"", "0", "BOOTP Relay Hops Count Limit rang is 1-16"},
        {"99999999999", "0", "BOOTP Relay Hops Count Limit rang is 1-16"},
        {"16", "65536", "BOOTP Relay Time Threshold is 0-65535 "},
        {"1", "0", ""},
        {"16", "65535", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hops + " " + c.threshold);
        Harness ui;
        if (!c.message.empty()) ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            d.TypeText(IDC_HOPS, c.hops);
            d.TypeText(IDC_TIME_THRESHOLD, c.threshold);
            d.Click(IDC_APPLY);
            if (!c.message.empty()) {
                EXPECT_EQ(d.GetText(IDC_HOPS), c.hops) << "the input stays";
            }
        });
        const auto shown = ui.ShownMessageBoxes();
        const auto sets = Sets();
        if (c.message.empty()) {
            EXPECT_TRUE(shown.empty());
            ASSERT_EQ(sets.size(), 1u);
            EXPECT_EQ(sets[0].varbinds[1].value, c.hops);
            EXPECT_EQ(sets[0].varbinds[2].value, c.threshold);
        } else {
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].text, c.message);
            EXPECT_TRUE(sets.empty());
        }
    }
}

TEST(BuildGlobalSettingsTest, FormTextsBecomeTheRecord) {
    BootpRelayGlobalForm form{"Enabled", "3", "", "Disabled", 1, "Default", "x y"};
    BootpRelayGlobalInfo record;
    EXPECT_EQ(BuildGlobalSettings(form, record), "");
    EXPECT_EQ(record.relayState, "1");
    EXPECT_EQ(record.hopsLimit, "3");
    EXPECT_EQ(record.timeThreshold, "0");
    EXPECT_EQ(record.option82State, "");
    EXPECT_EQ(record.option82Check, "2");
    EXPECT_EQ(record.option82Policy, "2");
    EXPECT_EQ(record.remoteIdType, "1");
    EXPECT_EQ(record.remoteId, "x y");
    form.relayState = "Enab";  // typed, not chosen
    form.hops = "20";
    EXPECT_EQ(BuildGlobalSettings(form, record), kHopsMessage);
    EXPECT_EQ(record.relayState, "1") << "a refused form leaves the record";
}

}  // namespace
