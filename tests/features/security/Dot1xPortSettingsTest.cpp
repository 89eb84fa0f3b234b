// 802.1X port settings against the simulated switch: the port table as the list shows it, the
// gate of the global state, the input checks, the admission rules and the three SETs per port.
#include <chrono>
#include <functional>

#include "features/security/8021XPortSettings.h"
#include "resources/templates/SecurityDialogsIds.h"
#include "tests/features/security/SecurityFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace dot1x_port_ids;
using namespace securitytest;

namespace {

const std::string kPort = kPrivate + "23.2.1.1.";  // + column.port

std::string Cell(int column, int port) { return kPort + std::to_string(column) + "." + std::to_string(port); }

class Dot1xPortSettingsTest : public SecurityTest {
protected:
    // Opens the dialog on an empty request log; the script starts once the list holds `rows`
    // rows (all ports unless given). The close box ends it.
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script, int rows = -1) {
        sim->ClearRequests();
        C8021XPortSettings dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            const size_t wanted = static_cast<size_t>(rows < 0 ? g_nDevicePortNum : rows);
            EXPECT_TRUE(WaitUntil([&] { return d.GetRows(IDC_PORT_LIST).size() == wanted; }));
            script(d);
            if (d.IsOpen()) d.Close();
        });
    }

    // Waits for the list to be filled again after an Apply.
    static void WaitForReread(DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
    }

    // The SETs whose varbinds name `port` in any column.
    std::vector<switchsim::LoggedRequest> SetsOfPort(int port) const {
        std::vector<switchsim::LoggedRequest> out;
        for (const auto& r : Sets()) {
            for (const auto& v : r.varbinds) {
                if (v.oid.size() > kPort.size() && v.oid.rfind(kPort, 0) == 0 &&
                    v.oid.substr(v.oid.rfind('.') + 1) == std::to_string(port)) {
                    out.push_back(r);
                    break;
                }
            }
        }
        return out;
    }

    static void ExpectDefaults(DialogDriver& d) {
        EXPECT_EQ(d.GetText(IDC_FROM_PORT), "1");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), std::to_string(g_nDevicePortNum));
        EXPECT_EQ(d.GetText(IDC_QUIET_PERIOD), "60");
        EXPECT_EQ(d.GetText(IDC_SUPP_TIMEOUT), "30");
        EXPECT_EQ(d.GetText(IDC_SERVER_TIMEOUT), "30");
        EXPECT_EQ(d.GetText(IDC_MAX_REQ), "2");
        EXPECT_EQ(d.GetText(IDC_TX_PERIOD), "30");
        EXPECT_EQ(d.GetText(IDC_REAUTH_PERIOD), "3600");
        EXPECT_EQ(d.GetText(IDC_REAUTHENTICATION), "Disabled");
        EXPECT_EQ(d.GetText(IDC_PORT_CONTROL), "Force Authorized");
        EXPECT_FALSE(d.IsEnabled(IDC_PORT_CONTROL));
        EXPECT_EQ(d.GetText(IDC_CAPABILITY), "None");
        EXPECT_EQ(d.GetText(IDC_DIRECTION), "Both");
    }

    static void ChooseRange(DialogDriver& d, int from, int to) {
        d.ChooseComboItem(IDC_FROM_PORT, std::to_string(from));
        d.ChooseComboItem(IDC_TO_PORT, std::to_string(to));
    }
};

TEST_F(Dot1xPortSettingsTest, ListShowsEveryPortWithItsTexts) {
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetColumns(IDC_PORT_LIST),
                  (std::vector<std::string>{" Port", " AdmDir ", " Port Control", " Tx Period", " Quiet Period",
                                            " Supp Timeout", " ServerTimeout", " Max Req", "ReAuth Period", " ReAuth",
                                            " Capability"}));
        EXPECT_EQ(d.GetRows(IDC_PORT_LIST)[0], (std::vector<std::string>{"1", "Both", "Force Authorized", "30", "60",
                                                                         "30", "30", "2", "3600", "Disabled", "None"}));
        EXPECT_TRUE(d.IsEnabled(IDC_APPLY));
        EXPECT_TRUE(d.IsEnabled(IDC_REFRESH));
        ExpectDefaults(d);
    });

    struct Case {
        int column;  // of the switch's table
        std::string value;
        size_t listColumn;
        std::string cell;
    };
    const Case cases[] = {
        {9, "1", 2, "Force UnAhthorized"},
        {9, "2", 2, "Auto"},
        {9, "4", 2, ""},
        {10, "3", 10, ""},
        {11, "5", 1, "In"},
        {8, "7", 9, "Enabled"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("." + std::to_string(c.column) + " = " + c.value);
        Set(Cell(c.column, 3), "i", c.value);
        Harness one;
        Run(one, [&](DialogDriver& d) { EXPECT_EQ(d.GetRows(IDC_PORT_LIST)[2][c.listColumn], c.cell); });
    }
}

TEST_F(Dot1xPortSettingsTest, WalkCutShortShowsTheRowsReceived) {
    ShortTimeout();
    ASSERT_TRUE(sim->Silence(Cell(1, 11)));
    Harness ui;
    Run(
        ui,
        [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
            EXPECT_EQ(d.GetRows(IDC_PORT_LIST).back()[0], "10");
            EXPECT_TRUE(d.IsEnabled(IDC_REFRESH));
        },
        10);
}

TEST_F(Dot1xPortSettingsTest, ApplyAndRefreshStayDisabledUnless8021XIsEnabled) {
    struct Case {
        std::string name;
        std::function<void()> arrange;
    };
    const Case cases[] = {
        {"state 2", [&] { Set(kDot1xState, "i", "2"); }},
        {"state unanswered",
         [&] {
             ShortTimeout();
             ASSERT_TRUE(sim->Silence(kDot1xState));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
            EXPECT_FALSE(d.IsEnabled(IDC_REFRESH));
        });
        ASSERT_TRUE(sim->ClearFaults());
        Set(kDot1xState, "i", "1");
    }
}

TEST_F(Dot1xPortSettingsTest, RangeAndCapabilityChoices) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        d.ChooseComboItem(IDC_FROM_PORT, "10");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "10");
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
        d.ChooseComboItem(IDC_TO_PORT, "5");
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "\"to port\" can not be smaller than \"from port\"");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "10");

        EXPECT_EQ(d.GetItems(IDC_PORT_CONTROL),
                  (std::vector<std::string>{"AUTO", "Force Authorized", "Force UnAuthorized"}));
        d.ChooseComboItem(IDC_CAPABILITY, "Authenticator");
        EXPECT_TRUE(d.IsEnabled(IDC_PORT_CONTROL));
        d.ChooseComboItem(IDC_CAPABILITY, "None");
        EXPECT_FALSE(d.IsEnabled(IDC_PORT_CONTROL));
    });
}

TEST_F(Dot1xPortSettingsTest, NumbersOutOfRangeAreRefusedWithTheInputSelected) {
    struct Case {
        std::vector<std::pair<int, std::string>> typed;
        int focused;
        std::string message;
    };
    const Case cases[] = {
        {{{IDC_QUIET_PERIOD, "65536"}}, IDC_QUIET_PERIOD, "Invalid QuietPeriod"},
        {{{IDC_SUPP_TIMEOUT, "0"}}, IDC_SUPP_TIMEOUT, "Invalid SuppTimeout"},
        {{{IDC_SERVER_TIMEOUT, "0"}}, IDC_SERVER_TIMEOUT, "Invalid ServerTimeout"},
        {{{IDC_REAUTH_PERIOD, "70000"}}, IDC_REAUTH_PERIOD, "Invalid ReAuthPeriod"},
        {{{IDC_TX_PERIOD, "0"}}, IDC_TX_PERIOD, "Invalid TxPeriod"},
        {{{IDC_MAX_REQ, "0"}}, IDC_MAX_REQ, "\tInvalid MaxReq."},
        {{{IDC_MAX_REQ, "11"}}, IDC_MAX_REQ, "\tInvalid MaxReq."},
        {{{IDC_TX_PERIOD, ""}}, IDC_TX_PERIOD, "Invalid TxPeriod"},
        // The first in the order of the checks wins.
        {{{IDC_MAX_REQ, "0"}, {IDC_TX_PERIOD, "0"}, {IDC_SERVER_TIMEOUT, "0"}},
         IDC_SERVER_TIMEOUT,
         "Invalid ServerTimeout"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message + " " + c.typed[0].second);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            for (const auto& [id, text] : c.typed) d.TypeText(id, text);
            d.Click(IDC_APPLY);
            ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
            EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.message);
            ExpectFocusedAndSelected(d, c.focused);
            EXPECT_EQ(d.GetText(c.typed[0].first), c.typed[0].second) << "the inputs are kept";
        });
        EXPECT_TRUE(Sets().empty());
    }
}

TEST_F(Dot1xPortSettingsTest, WritesThreeSetsPerPortAndReadsAgainWithTheDefaults) {
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        ChooseRange(d, 3, 4);
        d.ChooseComboItem(IDC_CAPABILITY, "Authenticator");
        d.ChooseComboItem(IDC_PORT_CONTROL, "AUTO");
        d.TypeText(IDC_QUIET_PERIOD, "65535");
        d.TypeText(IDC_REAUTH_PERIOD, "3600");
        d.ChooseComboItem(IDC_REAUTHENTICATION, "Enabled");
        d.ChooseComboItem(IDC_DIRECTION, "In");
        const size_t getnextsBefore = Requests("getnext").size();
        d.Click(IDC_APPLY);
        WaitForReread(d);
        EXPECT_GT(Requests("getnext").size(), getnextsBefore);
        ExpectDefaults(d);
        EXPECT_EQ(d.GetRows(IDC_PORT_LIST)[2][2], "Auto");
        EXPECT_EQ(d.GetRows(IDC_PORT_LIST)[3][1], "In");
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 6u);
    for (int port : {3, 4}) {
        SCOPED_TRACE(port);
        const size_t first = port == 3 ? 0 : 3;
        EXPECT_EQ(Assignments(sets[first], "i"), (std::vector<std::string>{Cell(10, port) + " := 1"}));
        EXPECT_EQ(Assignments(sets[first + 1], "i"), (std::vector<std::string>{Cell(9, port) + " := 2"}));
        EXPECT_EQ(
            Assignments(sets[first + 2], "i"),
            (std::vector<std::string>{Cell(2, port) + " := 65535", Cell(3, port) + " := 30", Cell(4, port) + " := 30",
                                      Cell(5, port) + " := 2", Cell(6, port) + " := 30", Cell(7, port) + " := 3600",
                                      Cell(8, port) + " := 1", Cell(11, port) + " := 1"}));
    }
}

TEST_F(Dot1xPortSettingsTest, CapabilityNoneAndTypedTextsChooseTheValues) {
    struct Case {
        std::string name;
        std::function<void(DialogDriver&)> change;
        std::string control, reauth, direction;  // written
    };
    const Case cases[] = {
        {"None after AUTO",
         [](DialogDriver& d) {
             d.ChooseComboItem(IDC_CAPABILITY, "Authenticator");
             d.ChooseComboItem(IDC_PORT_CONTROL, "AUTO");
             d.ChooseComboItem(IDC_CAPABILITY, "None");
         },
         "3", "2", "0"},
        {"Force UnAuthorized",
         [](DialogDriver& d) {
             d.ChooseComboItem(IDC_CAPABILITY, "Authenticator");
             d.ChooseComboItem(IDC_PORT_CONTROL, "Force UnAuthorized");
         },
         "1", "2", "0"},
        {"typed texts",
         [](DialogDriver& d) {
             d.TypeText(IDC_DIRECTION, "Sideways");
             d.TypeText(IDC_REAUTHENTICATION, "Maybe");
         },
         "3", "1", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            ChooseRange(d, 5, 5);
            c.change(d);
            d.Click(IDC_APPLY);
            WaitForReread(d);
        });
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 3u);
        EXPECT_EQ(Assignments(sets[1]), (std::vector<std::string>{Cell(9, 5) + " := " + c.control}));
        EXPECT_EQ(Assignments(sets[2])[6], Cell(8, 5) + " := " + c.reauth);
        EXPECT_EQ(Assignments(sets[2])[7], Cell(11, 5) + " := " + c.direction);
    }
}

TEST_F(Dot1xPortSettingsTest, AggregatedLinksAndTheAllPortsRule) {
    const char* const kTrunkMessage = "Cannot add the 802.1X-enabled port to an aggregated link.";
    const char* const kAllPortsMessage = "Could not set all port AUTO or Force Unauthorized to the port access control";
    Harness ui;
    ui.ScriptMessageBoxes({IDOK, IDOK, IDOK, IDOK});
    Run(ui, [&](DialogDriver& d) {
        // Port 21 alone is half of trunk 1.
        ChooseRange(d, 21, 21);
        d.Click(IDC_APPLY);
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, kTrunkMessage);
        EXPECT_TRUE(Sets().empty());

        // After the refusal, a range elsewhere is judged on its own ports.
        ChooseRange(d, 1, 5);
        d.Click(IDC_APPLY);
        WaitForReread(d);
        EXPECT_EQ(Sets().size(), 15u);
        sim->ClearRequests();

        // A range holding the whole trunk passes; its members are not written.
        ChooseRange(d, 20, 22);
        d.Click(IDC_APPLY);
        WaitForReread(d);
        EXPECT_EQ(SetsOfPort(20).size(), 3u);
        EXPECT_TRUE(SetsOfPort(21).empty());
        EXPECT_TRUE(SetsOfPort(22).empty());
        EXPECT_EQ(Sets().size(), 3u);
        sim->ClearRequests();

        // Every port with AUTO or Force UnAuthorized, also when None was chosen after AUTO.
        const std::vector<std::function<void()>> allPorts = {
            [&] {
                d.ChooseComboItem(IDC_CAPABILITY, "Authenticator");
                d.ChooseComboItem(IDC_PORT_CONTROL, "AUTO");
            },
            [&] {
                d.ChooseComboItem(IDC_CAPABILITY, "Authenticator");
                d.ChooseComboItem(IDC_PORT_CONTROL, "Force UnAuthorized");
            },
            [&] {
                d.ChooseComboItem(IDC_CAPABILITY, "Authenticator");
                d.ChooseComboItem(IDC_PORT_CONTROL, "AUTO");
                d.ChooseComboItem(IDC_CAPABILITY, "None");
            },
        };
        for (const auto& choose : allPorts) {
            ChooseRange(d, 1, 28);
            choose();
            d.Click(IDC_APPLY);
            EXPECT_EQ(ui.ShownMessageBoxes().back().text, kAllPortsMessage);
        }
        EXPECT_EQ(ui.ShownMessageBoxes().size(), 4u);
        EXPECT_TRUE(Sets().empty());

        // One port less is written (without the trunk's two members).
        ChooseRange(d, 1, 27);
        d.ChooseComboItem(IDC_CAPABILITY, "Authenticator");
        d.ChooseComboItem(IDC_PORT_CONTROL, "AUTO");
        d.Click(IDC_APPLY);
        WaitForReread(d);
        EXPECT_EQ(Sets().size(), 75u);
        EXPECT_EQ(sim->GetObject(Cell(9, 27)), "i 2");
        EXPECT_EQ(sim->GetObject(Cell(9, 21)), "i 3");
    });
}

TEST_F(Dot1xPortSettingsTest, FailedSetEndsTheLoopSilentlyAndReadsAgain) {
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        ASSERT_TRUE(sim->InjectError(Cell(9, 4), "genErr"));
        ChooseRange(d, 3, 6);
        d.Click(IDC_APPLY);
        EXPECT_TRUE(WaitUntil([&] { return !Requests("getnext").empty(); }));
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    const auto log = sim->Requests();
    std::vector<switchsim::LoggedRequest> sets = Sets();
    ASSERT_EQ(sets.size(), 5u);  // port 3's three, then port 4's capability and its refused control
    EXPECT_EQ(Assignments(sets[4]), (std::vector<std::string>{Cell(9, 4) + " := 3"}));
    EXPECT_NE(sets[4].errorStatus, 0);
    EXPECT_EQ(log.back().pdu, "getnext");
}

TEST_F(Dot1xPortSettingsTest, EveryModelListsItsPorts) {
    struct Case {
        std::string model;
        int ports;
    };
    for (const Case& c : {Case{"DUZ-3300-20", 20}, Case{"DUZ-3300-52", 52}}) {
        SCOPED_TRACE(c.model);
        ASSERT_TRUE(StartSwitch(c.model, c.ports));
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            EXPECT_EQ(d.GetRows(IDC_PORT_LIST).back()[0], std::to_string(c.ports));
            EXPECT_EQ(d.GetText(IDC_TO_PORT), std::to_string(c.ports));
            ChooseRange(d, c.ports, c.ports);
            d.Click(IDC_APPLY);
            WaitForReread(d);
        });
        EXPECT_EQ(SetsOfPort(c.ports).size(), 3u);
    }
}

TEST_F(Dot1xPortSettingsTest, ClosingDuringADelayedWalkNeitherCrashesNorWaits) {
    ASSERT_TRUE(sim->Delay(300));
    Harness ui;
    C8021XPortSettings dlg;
    std::chrono::steady_clock::time_point closed;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return !Requests("getnext").empty(); }));
        closed = std::chrono::steady_clock::now();
        d.Close();
    });
    EXPECT_LT(std::chrono::steady_clock::now() - closed, std::chrono::milliseconds(kCloseBoundMs));
}

}  // namespace
