// The 802.1X global settings against the simulated switch: the read, the three writes of an
// Apply and their order, the refusals that send nothing, the key limit and PortSet.
#include <functional>

#include "platform/ui/Controls.h"
#include "resources/templates/Dot1xViewDialogsIds.h"
#include "tests/views/dot1x/Dot1xFixture.h"
#include "views/C8021Config.h"
#include "views/Dot1xPortConfig.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace dot1x_config_ids;
using namespace dot1xtest;

namespace {

const ui::ControlId<CEdit> kTimerEdits[] = {IDC_QUIET_PERIOD,   IDC_TX_PERIOD, IDC_SUPP_TIMEOUT,
                                            IDC_SERVER_TIMEOUT, IDC_MAX_REQ,   IDC_REAUTH_PERIOD};

std::string Timer(int n) { return kTimer + std::to_string(n) + ".0"; }

class C8021ConfigTest : public Dot1xTest {
protected:
    // Opens the dialog; the script starts once its first read has ended, on an empty log.
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        C8021Config dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
            sim->ClearRequests();
            script(d);
            if (d.IsOpen()) d.Close();
        });
    }

    // Input every check accepts.
    static void FillValid(DialogDriver& d) {
        d.TypeText(IDC_RADIUS_IP, "10.1.1.5");
        d.TypeText(IDC_KEY, "secret");
        d.TypeText(IDC_CONFIRM_KEY, "secret");
        const char* timers[] = {"61", "31", "32", "33", "3", "3700"};
        for (int i = 0; i < 6; ++i) d.TypeText(kTimerEdits[i], timers[i]);
        d.ChooseComboItem(IDC_REAUTH_ENABLED, "Enable");
    }

    // Apply, then waits for the re-read it starts to end.
    static void ApplyAndWait(DialogDriver& d) {
        d.Click(IDC_APPLY);
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
    }

    // A GET was received after the last SET.
    void ExpectReadAfterLastSet() const {
        const auto all = sim->Requests();
        std::size_t lastSet = 0;
        for (std::size_t i = 0; i < all.size(); ++i)
            if (all[i].pdu == "set") lastSet = i;
        bool read = false;
        for (std::size_t i = lastSet + 1; i < all.size(); ++i) read = read || all[i].pdu == "get";
        EXPECT_TRUE(read);
    }
};

TEST_F(C8021ConfigTest, ReadFillsTheFieldsAndTheStateGatesTheInputs) {
    const std::vector<int> inputs = {IDC_KEY,           IDC_CONFIRM_KEY,    IDC_RADIUS_IP,      IDC_QUIET_PERIOD,
                                     IDC_TX_PERIOD,     IDC_SUPP_TIMEOUT,   IDC_SERVER_TIMEOUT, IDC_MAX_REQ,
                                     IDC_REAUTH_PERIOD, IDC_REAUTH_ENABLED, IDC_PORT_SET};
    for (const std::string state : {"1", "2"}) {
        SCOPED_TRACE("state " + state);
        Set(kState, "i", state);
        sim->ClearRequests();
        Harness ui;
        C8021Config dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
            EXPECT_EQ(d.Window().GetWindowText(), "802.1X Config Information");
            const auto gets = Requests("get");
            ASSERT_EQ(gets.size(), 1u);
            EXPECT_EQ(Oids(gets[0]), (std::vector<std::string>{kState, kRadiusAddress, kRadiusKey, Timer(2), Timer(3),
                                                               Timer(4), Timer(5), Timer(6), Timer(7), Timer(8)}));
            EXPECT_EQ(d.IsChecked(IDC_ENABLE), state == "1");
            for (int id : inputs) EXPECT_EQ(d.IsEnabled(id), state == "1") << id;
            EXPECT_EQ(d.GetText(IDC_RADIUS_IP), "192.168.10.200");
            EXPECT_EQ(d.GetText(IDC_KEY), "radiuskey");
            EXPECT_EQ(d.GetText(IDC_CONFIRM_KEY), "radiuskey");
            const char* timers[] = {"60", "30", "30", "30", "2", "3600"};
            for (int i = 0; i < 6; ++i) EXPECT_EQ(d.GetText(kTimerEdits[i]), timers[i]);
            EXPECT_EQ(d.GetText(IDC_REAUTH_ENABLED), "Disabled");
            // The box alone switches the inputs, not PortSet.
            d.Check(IDC_ENABLE, state != "1");
            EXPECT_EQ(d.IsEnabled(IDC_KEY), state != "1");
            EXPECT_EQ(d.IsEnabled(IDC_PORT_SET), state == "1");
            d.Close();
        });
    }
}

TEST_F(C8021ConfigTest, ApplyWithTheBoxClearWritesOnlyTheDisabledState) {
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        d.TypeText(IDC_RADIUS_IP, "255.1.1.1");
        d.TypeText(IDC_KEY, "");
        d.Check(IDC_ENABLE, false);
        ApplyAndWait(d);
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(Assignments(sets[0]), (std::vector<std::string>{kState + " i 2"}));
        EXPECT_EQ(sets[0].community, "quastel");
        ExpectReadAfterLastSet();
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
        EXPECT_FALSE(d.IsChecked(IDC_ENABLE));
        EXPECT_FALSE(d.IsEnabled(IDC_PORT_SET));
    });
}

TEST_F(C8021ConfigTest, ApplyWritesServerThenStateThenTimersAndReadsAgain) {
    Set(kState, "i", "2");
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        d.Check(IDC_ENABLE, true);
        FillValid(d);
        ApplyAndWait(d);
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 3u);
        EXPECT_EQ(Assignments(sets[0]),
                  (std::vector<std::string>{kRadiusAddress + " a 10.1.1.5", kRadiusKey + " s 736563726574"}));
        EXPECT_EQ(Assignments(sets[1]), (std::vector<std::string>{kState + " i 1"}));
        EXPECT_EQ(
            Assignments(sets[2]),
            (std::vector<std::string>{Timer(2) + " i 61", Timer(3) + " i 31", Timer(4) + " i 32", Timer(5) + " i 33",
                                      Timer(6) + " i 3", Timer(7) + " u 3700", Timer(8) + " i 1"}));
        for (const auto& s : sets) EXPECT_EQ(s.community, "quastel");
        ExpectReadAfterLastSet();
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
        // The re-read shows what the switch now holds.
        EXPECT_TRUE(d.IsChecked(IDC_ENABLE));
        EXPECT_EQ(d.GetText(IDC_REAUTH_PERIOD), "3700");
        EXPECT_EQ(d.GetText(IDC_REAUTH_ENABLED), "Enable");
    });
}

TEST_F(C8021ConfigTest, RefusedInputSendsNothingAndEdgesPass) {
    struct Case {
        int id;
        std::string text;
        std::string message;  // "" accepted
        std::string sent;     // accepted: the timer SET's assignment of the field
    };
    const std::string address = "Invalid RADIUS Server IP Address.";
    const Case cases[] = {
        {IDC_RADIUS_IP, "10.1.1.0", address, ""},
        {IDC_RADIUS_IP, "10.1.1.255", address, ""},
        {IDC_RADIUS_IP, "255.1.1.1", address, ""},
        {IDC_RADIUS_IP, "0.0.0.0", address, ""},
        {IDC_KEY, "", "Invalid Key.", ""},
        {IDC_CONFIRM_KEY, "secreT", "Please confirm the key again !", ""},
        {IDC_TX_PERIOD, "0", "Invalid TxPeriod (1-65535)", ""},
        {IDC_SUPP_TIMEOUT, "65536", "Invalid SuppTimeout (1-65535)", ""},
        {IDC_SERVER_TIMEOUT, "", "Invalid ServerTimeout (1-65535)", ""},
        {IDC_MAX_REQ, "11", "Invalid MaxReq (1-10)", ""},
        {IDC_REAUTH_PERIOD, "4294967296", "Invalid ReAuthPeriod (1-4294967295)", ""},
        {IDC_QUIET_PERIOD, "abc", "Invalid QuietPeriod (0-65535)", ""},
        {IDC_QUIET_PERIOD, "12abc", "Invalid QuietPeriod (0-65535)", ""},
        {IDC_QUIET_PERIOD, "-1", "Invalid QuietPeriod (0-65535)", ""},
        {IDC_QUIET_PERIOD, "0", "", Timer(2) + " i 0"},
        {IDC_REAUTH_PERIOD, "4294967295", "", Timer(7) + " u 4294967295"},
        {IDC_MAX_REQ, "10", "", Timer(6) + " i 10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " \"" + c.text + "\"");
        Harness ui;
        if (!c.message.empty()) ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            FillValid(d);
            d.TypeText(c.id, c.text);
            ApplyAndWait(d);
            if (ExpectRefused(ui, c.message)) return;
            const auto sets = Sets();
            ASSERT_EQ(sets.size(), 3u);
            const auto timers = Assignments(sets[2]);
            EXPECT_NE(std::find(timers.begin(), timers.end(), c.sent), timers.end());
        });
    }
}

TEST_F(C8021ConfigTest, KeyIsHeldAtItsFirst33Characters) {
    const std::string typed = "0123456789abcdefghijklmnopqrstuvwxyzABCD";  // 40
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        for (const int id : {IDC_KEY.id, IDC_CONFIRM_KEY.id}) {
            d.TypeText(id, typed);
            EXPECT_EQ(d.GetText(id), typed.substr(0, C8021Config::kKeyChars));
            int start = -1;
            int end = -1;
            static_cast<CEdit*>(d.Window().GetDlgItem(id))->GetSel(start, end);
            EXPECT_EQ(start, 33);
            EXPECT_EQ(end, 33);
        }
    });
}

TEST_F(C8021ConfigTest, PortSetHandsTheTimerTextsToThePortDialog) {
    Harness ui;
    std::vector<std::vector<std::string>> rows;
    ui.OnModal<Dot1xPortConfig>([&](DialogDriver& ports) {
        EXPECT_TRUE(WaitUntil([&] { return ports.GetRows(dot1x_port_config_ids::IDC_PORT_LIST).size() == 28u; }));
        rows = ports.GetRows(dot1x_port_config_ids::IDC_PORT_LIST);
        ports.Close();
    });
    Run(ui, [&](DialogDriver& d) {
        const char* timers[] = {"61", "x31", "32", "33", "3", "3700"};
        for (int i = 0; i < 6; ++i) d.TypeText(kTimerEdits[i], timers[i]);
        d.ChooseComboItem(IDC_REAUTH_ENABLED, "Enable");
        d.Click(IDC_PORT_SET);
        EXPECT_EQ(ui.ModalRuns<Dot1xPortConfig>(), 1);
        EXPECT_TRUE(d.IsOpen());
    });
    ASSERT_EQ(rows.size(), 28u);
    for (const auto& row : rows)
        EXPECT_EQ(std::vector<std::string>(row.begin() + 3, row.end()),
                  (std::vector<std::string>{"61", "x31", "32", "33", "3", "3700", "Enable"}));
}

TEST_F(C8021ConfigTest, ClosingDuringTheReadIsPromptAndNothingFollows) {
    SlowSwitch(1500);
    Harness ui;
    C8021Config dlg;
    std::size_t requestsAtClose = 0;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return !Requests("get").empty(); }));
        ASSERT_FALSE(d.IsEnabled(IDC_APPLY));  // the read is out
        const auto started = std::chrono::steady_clock::now();
        d.Click(IDCANCEL);
        EXPECT_FALSE(d.IsOpen());
        EXPECT_LT(std::chrono::steady_clock::now() - started, kCloseBound);
        requestsAtClose = sim->Requests().size();
    });
    EXPECT_TRUE(CSnmpRead::WaitForClosedSessions(10000));
    EXPECT_EQ(sim->Requests().size(), requestsAtClose);
    const auto lines = ui.CapturedDebugLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "==================m_cCommonSNMParg.Close==============="),
              lines.end());
}

}  // namespace
