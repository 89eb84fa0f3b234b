// Status polling and the LED display: the main window polls the simulated switch and shows
// what it answers. The program's clock runs fast, so polling cycles, blink ticks and SNMP
// time-outs take milliseconds.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/ModuleStartupParams.h"
#include "platform/snmp/Snmp.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"
#include "shell/DerariModuleDlg.h"
#include "shell/panel/DevElements.h"
#include "tests/shell/polling/BitmapColour.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/switchsim/Settle.h"
#include "tests/support/ui/UiHarness.h"
#include "views/IntfList.h"
#include "tests/support/SessionTarget.h"

namespace {

using namespace std::chrono_literals;
using ui::test::DialogDriver;
using ui::test::WaitUntil;

const std::string P = "1.3.6.1.4.1.32473.10.76.21.1";
const std::string kAlive = P + ".25.1.0";
const std::string kFan = P + ".1.15.1.0";
const std::string kLedMode = P + ".22.8.0";
const std::string kPower = P + ".22.6.0";
const std::string kPoEStatus = P + ".22.1.1.13";
const std::vector<std::string> kLinkColumns = {"1.3.6.1.2.1.2.2.1.3", "1.3.6.1.2.1.2.2.1.5", "1.3.6.1.2.1.2.2.1.7",
                                               "1.3.6.1.2.1.2.2.1.8", P + ".1.13.1.7"};
const std::string kSpeed = "1.3.6.1.2.1.2.2.1.5.";
const std::string kAdmin = "1.3.6.1.2.1.2.2.1.7.";
// One polling cycle on the program's clock at most: the start delay and ten periods of
// 1000 ms (SNMP v2; v1 has shorter periods).
constexpr unsigned kCycleMs = 500 + 10 * 1000;
const std::string kOper = "1.3.6.1.2.1.2.2.1.8.";

// A bitmap's colour as the window's surface reads it.
COLORREF Colour(UINT id) {
    const std::uint32_t p = LampBitmapColour(id);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// Each test starts the switch of the model it needs (StartSwitch); the start-up time-out
// stays the module's own.
class PollingTest : public switchsim::ModuleTargetTest {
protected:
    PollingTest() : ModuleTargetTest({.timeoutMs = "3000"}) {}
    // As the program does at start-up, before any other thread runs.
    static void SetUpTestSuite() { SnmpInit(nullptr); }
    void SetUp() override {
        std::filesystem::current_path(RESOURCES_DIR);
        ModuleStartupParams::ResetToDefaults();
        g_strDeviceName.clear();
        g_nDevicePortNum = 28;
        m_dir = std::filesystem::temp_directory_path() / ("shell-polling-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_dir);
        m_ini = (m_dir / "User.ini").string();
        win::SetClockSpeed(25);
    }
    void TearDown() override {
        win::SetClockSpeed(1);
        std::filesystem::remove_all(m_dir);
        ModuleStartupParams::ResetToDefaults();
    }

    // Starts the simulated switch of that model and points the program at it.
    void StartSwitch(const std::string& model) { ASSERT_TRUE(ModuleTargetTest::StartSwitch(model, 28)); }
    void UseModel(const std::string& model) const {
        std::filesystem::copy_file(std::string(RESOURCES_DIR) + "/models/" + model + "/User.ini", m_ini,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    void WriteIni(const std::string& lines) const { std::ofstream(m_ini) << "[DeviceInfo]\n" << lines; }

    // Runs the main window; the script runs once it shows, then the window is closed.
    void Run(const std::function<void(CDerariModuleDlg&, DialogDriver&)>& script) {
        CDerariModuleDlg main(nullptr, m_ini);
        ui.RunModal(main, [&](DialogDriver& d) {
            script(main, d);
            d.Close();
        });
    }
    // Waits for n more status refreshes: with n = 2 the second comes from a cycle that began
    // after the call.
    static bool Refreshed(CDerariModuleDlg& main, int n = 2, std::chrono::milliseconds timeout = 15s) {
        const int target = main.m_nRefreshCount + n;
        return WaitUntil([&] { return main.m_nRefreshCount >= target; }, timeout);
    }
    // Holds polling as the next status refresh is applied: a cycle's walk ends with it, and the
    // polling thread then waits its periods before it looks at the pause again.
    static void HoldAtNextRefresh(CDerariModuleDlg& main) {
        const int target = main.m_nRefreshCount + 1;
        EXPECT_TRUE(WaitUntil([&] {
            if (main.m_nRefreshCount < target) return false;
            main.m_bPause = 1;
            return true;
        }));
    }
    static int ElementState(CDerariModuleDlg& main, int position) {
        auto* port = main.Root().FindChildByClass("CPort", position);
        return port ? port->GetStatus() : -1;
    }
    static CPoint Led(CDerariModuleDlg& main, int position) {
        int x = 0, y = 0;
        EXPECT_TRUE(main.Root().GetPortLedPosition(position, x, y)) << position;
        return {x, y};
    }
    // The requests logged since the last clear.
    std::vector<switchsim::LoggedRequest> Log() const { return sim->Requests(); }

    ui::test::Harness ui;
    std::filesystem::path m_dir;
    std::string m_ini;
};

std::string FirstOid(const switchsim::LoggedRequest& r) { return r.varbinds.empty() ? "" : r.varbinds[0].oid; }

TEST_F(PollingTest, LinkStateByPortCountSpeedAndAdminAndOperStatus) {
    struct Port {
        int port;
        const char* speed;
        int admin, oper;
        int expected;
    };
    struct Config {
        const char* what;
        int ports;
        bool allGiga;
        std::vector<Port> rows;
    } const configs[] = {
        {"28 ports: the last four are gigabit",
         28,
         false,
         {{24, "100000000", 1, 1, 1},
          {23, "10000000", 1, 1, 0},
          {25, "100000000", 1, 1, 0},
          {26, "1000000000", 1, 1, 1},
          {5, "100000000", 2, 1, 2},
          {6, "100000000", 2, 2, 2},
          {3, "100000000", 1, 2, 3}}},
        {"10 ports: the last two are gigabit; row 11 ends the walk",
         10,
         false,
         {{8, "100000000", 1, 1, 1}, {9, "100000000", 1, 1, 0}, {10, "1000000000", 1, 1, 1}}},
        {"all gigabit", 28, true, {{1, "100000000", 1, 1, 0}, {2, "1000000000", 1, 1, 1}, {28, "1000000000", 1, 1, 1}}},
    };
    StartSwitch("DUZ-3300-28ZA1");
    for (const Config& c : configs) {
        SCOPED_TRACE(c.what);
        for (const Port& p : c.rows) {
            Set(kSpeed + std::to_string(p.port), "u", p.speed);
            Set(kAdmin + std::to_string(p.port), "i", std::to_string(p.admin));
            Set(kOper + std::to_string(p.port), "i", std::to_string(p.oper));
        }
        WriteIni("DeviceName=DUZ-3300-28ZA1\nDevicePortNum=" + std::to_string(c.ports) + "\nComboPortNum=4\n" +
                 "XMLName=models/DUZ-3300-28ZA1/panel.xml\nIsAllGiga=" + (c.allGiga ? "Y" : "N") + "\nIsHasFan=N\n");
        Run([&](CDerariModuleDlg& main, DialogDriver&) {
            ASSERT_TRUE(Refreshed(main, 1));
            for (const Port& p : c.rows) {
                EXPECT_EQ(main.m_PortState[p.port], p.expected) << "port " << p.port;
                EXPECT_EQ(ElementState(main, p.port - 1), p.expected) << "port " << p.port;
            }
            // Rows past the port count change nothing.
            for (int port = c.ports + 1; port <= 28; ++port) EXPECT_EQ(main.m_PortState[port], PORT_ENABLE) << port;
        });
    }
}

TEST_F(PollingTest, LedsBlinkByStateAndAPortGoingDownShowsOffWithinOneCycle) {
    StartSwitch("DUZ-3300-28ZA1");
    UseModel("DUZ-3300-28ZA1");
    // Port 1 at full speed (green, phase 0), port 7 below (amber, phase 1), port 5 disabled,
    // port 3 without link; port 27 runs on its fibre twin (medium 4), element 27 + 4 - 1.
    Set(kSpeed + "1", "u", "100000000");
    Set(kSpeed + "7", "u", "10000000");
    Set(P + ".1.13.1.7.27", "i", "4");
    Run([&](CDerariModuleDlg& main, DialogDriver& d) {
        ASSERT_TRUE(Refreshed(main, 1));
        ASSERT_EQ(main.m_PortState[1], PORT_LINK10);
        ASSERT_EQ(main.m_PortState[7], PORT_LINK100);
        ASSERT_EQ(main.m_PortState[5], PORT_DISABLED);
        ASSERT_EQ(main.m_PortState[3], PORT_ENABLE);
        ASSERT_EQ(main.m_PortState[27], PORT_LINK10);
        const CPoint p1 = Led(main, 0), p3 = Led(main, 2), p5 = Led(main, 4), p7 = Led(main, 6), twin27 = Led(main, 30);
        const COLORREF off = Colour(160), green = Colour(162), amber = Colour(164);
        // The refresh started the blink timer.
        const BYTE phase = g_nBlinkPhase;
        ASSERT_TRUE(WaitUntil([&] { return g_nBlinkPhase != phase; }));
        // From here the ticks are given one by one: polling held, the timer stopped. The hold
        // begins as a cycle ends (its walk's refresh is its last step), so no cycle is under way.
        auto holdPolling = [&] {
            HoldAtNextRefresh(main);
            main.KillTimer(IDT_PORT_BLINK);
            ui::test::Flush();
        };
        auto tick = [&](BYTE phase) {
            g_nBlinkPhase = phase;
            main.SendMessage(WM_TIMER, IDT_PORT_BLINK);
            EXPECT_EQ(g_nBlinkPhase, phase == 0 ? 1 : 0);
        };
        holdPolling();
        tick(0);
        EXPECT_EQ(d.PixelAt(p1.x, p1.y), green);
        EXPECT_EQ(d.PixelAt(p7.x, p7.y), off);
        EXPECT_EQ(d.PixelAt(twin27.x, twin27.y), green);
        EXPECT_EQ(d.PixelAt(p5.x, p5.y), off);
        EXPECT_EQ(d.PixelAt(p3.x, p3.y), off);
        tick(1);
        EXPECT_EQ(d.PixelAt(p1.x, p1.y), off);
        EXPECT_EQ(d.PixelAt(p7.x, p7.y), amber);
        EXPECT_EQ(d.PixelAt(twin27.x, twin27.y), off);
        EXPECT_EQ(d.PixelAt(p5.x, p5.y), off);

        main.m_bPause = 0;
        ASSERT_TRUE(sim->SetObject(kOper + "1", "i", "2"));
        ASSERT_TRUE(Refreshed(main));
        EXPECT_EQ(main.m_PortState[1], PORT_ENABLE);
        EXPECT_EQ(ElementState(main, 0), PORT_ENABLE);
        holdPolling();
        for (const BYTE phase : {0, 1}) {
            tick(phase);
            EXPECT_EQ(d.PixelAt(p1.x, p1.y), off) << "phase " << int(phase);
        }
    });
}

TEST_F(PollingTest, WalkEndsAtTheEndOfTheTableAndOnATimeOut) {
    StartSwitch("DUZ-3300-28ZA1");
    UseModel("DUZ-3300-28ZA1");
    // Without rows 27, 28 and the rows after them, the table ends after port 26.
    for (const int row : {27, 28, 1025})
        for (const std::string& column : kLinkColumns) sim->Control("del " + column + "." + std::to_string(row));
    win::StartDebugCapture();
    Run([&](CDerariModuleDlg& main, DialogDriver&) {
        ASSERT_TRUE(Refreshed(main, 1));
        EXPECT_EQ(main.m_PortState[25], PORT_LINK10);
        EXPECT_EQ(main.m_PortState[1], PORT_LINK10);
        EXPECT_EQ(main.m_PortState[27], PORT_ENABLE) << "not in the table";

        // A row that is never answered: every port back to enabled, elements reset. The walk
        // waits 5000 ms of the program's clock for it (the wait is set when it is sent); with
        // the clock at half speed from then on, the next cycle (which would start the walk
        // anew) comes much later.
        ASSERT_TRUE(sim->Silence(kLinkColumns[3] + ".10"));
        ASSERT_TRUE(WaitUntil([&] {
            for (const auto& r : Log())
                if (r.pdu == "getnext" && !r.answered) return true;
            return false;
        }));
        win::SetClockSpeed(0.5);
        auto timedOut = [&] {
            for (const auto& line : win::CapturedDebugLines())
                if (line == "-----------------TIMEOUT-------------------TIMEOUT") return true;
            return false;
        };
        auto allReset = [&] {
            for (int port = 1; port <= 28; ++port)
                if (main.m_PortState[port] != PORT_ENABLE || ElementState(main, port - 1) != PORT_ENABLE) return false;
            return true;
        };
        EXPECT_TRUE(WaitUntil([&] { return timedOut() && allReset(); }, 15s));
        ASSERT_TRUE(sim->ClearFaults());
    });
    win::StopDebugCapture();
}

TEST_F(PollingTest, PoEModelShowsPowerStatesModeFanAndPowerLamps) {
    StartSwitch("DUZ-3300-28P");
    UseModel("DUZ-3300-28P");
    Set(kLedMode, "i", "2");  // the port LEDs show PoE
    Set(kPower, "s", "15.4");
    Set(kFan, "i", "2");
    const std::pair<int, const char*> statuses[] = {
        {1, "POWER ON"}, {2, "POWER OFF"}, {3, "Time-based OFF"}, {4, "POWER ON "}, {5, "power on"}};
    for (const auto& [port, text] : statuses) Set(kPoEStatus + ".1." + std::to_string(port), "s", text);
    Run([&](CDerariModuleDlg& main, DialogDriver& d) {
        ASSERT_TRUE(Refreshed(main, 1));
        EXPECT_EQ(main.m_nLedMode.load(), 0);
        const int expected[] = {0, 1, 2, 2, 0, 0};
        for (int port = 1; port <= 5; ++port) {
            EXPECT_EQ(main.m_PortState[port], expected[port]) << port;
            EXPECT_EQ(ElementState(main, port - 1), expected[port]) << port;
            EXPECT_EQ(main.m_pPortMedia[port - 1].load(), 2) << port;
        }
        // Ports without PoE and the fibre twins show off.
        for (int position = 24; position < 32; ++position)
            EXPECT_EQ(ElementState(main, position), PORT_DISABLED) << position;
        EXPECT_EQ(main.m_BIsPowMax.load(), 1);
        EXPECT_EQ(main.FanStatus(), "2");
        EXPECT_TRUE(WaitUntil([&] {
            return d.PixelAt(12, 42) == Colour(190) && d.PixelAt(13, 62) == Colour(190) &&
                   d.PixelAt(30, 62) == Colour(191) && d.PixelAt(30, 52) == Colour(192);
        })) << "power-maximum, fan-fault and PoE-mode lamps";

        // Back to link mode, power below the maximum, fan working.
        ASSERT_TRUE(sim->SetObject(kLedMode, "i", "1"));
        ASSERT_TRUE(sim->SetObject(kPower, "s", "15.5"));
        ASSERT_TRUE(sim->SetObject(kFan, "i", "1"));
        ASSERT_TRUE(Refreshed(main));
        EXPECT_EQ(main.m_nLedMode.load(), 1);
        EXPECT_EQ(main.m_BIsPowMax.load(), 0);
        EXPECT_EQ(main.FanStatus(), "1");
        EXPECT_TRUE(WaitUntil([&] { return d.PixelAt(30, 52) == Colour(191) && d.PixelAt(30, 62) == Colour(192); }));
    });
}

// The requests of one cycle, in order, as the switch logged them.
TEST_F(PollingTest, EveryRequestOfACycle) {
    struct Case {
        const char* model;
        const char* ledMode;
        std::vector<std::vector<std::string>> head;  // the requests before the walk: their OIDs
        std::vector<std::string> walk;               // the walk's columns
        std::size_t rows;                            // walk requests: rows read plus the one that ends it
    } const cases[] = {
        {"DUZ-3300-28ZA1", "1", {{kAlive}}, kLinkColumns, 29},
        {"DUZ-3300-28P", "1", {{kAlive}, {kFan}, {kAlive}, {kLedMode, kPower}}, kLinkColumns, 29},
        {"DUZ-3300-28P", "2", {{kAlive}, {kFan}, {kAlive}, {kLedMode, kPower}}, {kPoEStatus}, 25},
    };
    // Cycles far apart, so that a walk ends before the next cycle begins, also on a slow
    // (sanitizer) build where each row waits for the user-interface thread.
    win::SetClockSpeed(4);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " LED mode " + c.ledMode);
        StartSwitch(c.model);
        UseModel(c.model);
        Set(kLedMode, "i", c.ledMode);
        Run([&](CDerariModuleDlg& main, DialogDriver&) {
            ASSERT_TRUE(Refreshed(main, 1));
            sim->ClearRequests();
            ASSERT_TRUE(Refreshed(main));
        });
        const auto log = Log();
        // The first cycle begun after the clear: where the requests before the walk begin.
        auto cycleAt = [&](std::size_t at) {
            for (std::size_t i = 0; i < c.head.size(); ++i)
                if (at + i >= log.size() || FirstOid(log[at + i]) != c.head[i][0]) return false;
            return true;
        };
        std::size_t start = 0;
        while (start < log.size() && !cycleAt(start)) ++start;
        ASSERT_GE(log.size(), start + c.head.size() + c.rows);
        for (std::size_t i = 0; i < c.head.size(); ++i) {
            const auto& r = log[start + i];
            EXPECT_EQ(r.pdu, "get") << i;
            ASSERT_EQ(r.varbinds.size(), c.head[i].size()) << i;
            for (std::size_t v = 0; v < r.varbinds.size(); ++v) {
                EXPECT_EQ(r.varbinds[v].oid, c.head[i][v]);
                EXPECT_EQ(r.varbinds[v].type, "null");
            }
            EXPECT_TRUE(r.answered);
        }
        const std::size_t walk = start + c.head.size();
        for (std::size_t i = 0; i < c.rows; ++i) {
            const auto& r = log[walk + i];
            ASSERT_EQ(r.pdu, "getnext") << i;
            ASSERT_EQ(r.varbinds.size(), c.walk.size());
            for (std::size_t v = 0; v < c.walk.size(); ++v) {
                // Row by row: the first request names the columns, each later one the row before.
                const std::string expected =
                    c.walk[v] + (i == 0 ? "" : std::string(c.walk.size() == 1 ? ".1." : ".") + std::to_string(i));
                EXPECT_EQ(r.varbinds[v].oid, expected) << "request " << i;
            }
        }
        // The cycle ends with the walk: the next request is the next cycle's.
        if (log.size() > walk + c.rows) {
            EXPECT_EQ(FirstOid(log[walk + c.rows]), kAlive);
        }
    }
}

TEST_F(PollingTest, ThreeCyclesAreSkippedWhileAWalkIsStillOut) {
    StartSwitch("DUZ-3300-28P");
    UseModel("DUZ-3300-28P");
    win::StartDebugCapture();
    Run([&](CDerariModuleDlg& main, DialogDriver&) {
        ASSERT_TRUE(Refreshed(main, 1));
        // Each answer late: a walk of 29 rows takes far longer than three short cycles.
        ASSERT_TRUE(sim->Delay(60));
        sim->ClearRequests();
        ASSERT_TRUE(WaitUntil(
            [&] {
                int modeRequests = 0;
                for (const auto& r : Log()) modeRequests += FirstOid(r) == kLedMode;
                return modeRequests >= 2;
            },
            15s));
        ASSERT_TRUE(sim->ClearFaults());
    });
    // Between two LED-mode requests: three skipped cycles (reachability, fan, reachability
    // each) and the reachability requests of the cycle that sends again.
    const auto log = Log();
    std::vector<std::size_t> modes;
    for (std::size_t i = 0; i < log.size(); ++i)
        if (FirstOid(log[i]) == kLedMode) modes.push_back(i);
    ASSERT_GE(modes.size(), 2u);
    int alive = 0;
    for (std::size_t i = modes[0]; i < modes[1]; ++i) alive += FirstOid(log[i]) == kAlive;
    EXPECT_EQ(alive, 3 * 2 + 2);
    int skipped = 0;
    for (const auto& line : win::CapturedDebugLines()) skipped += line == "-1-1-1-1-1-1-1-1-1-1-1-";
    EXPECT_GE(skipped, 3);
    win::StopDebugCapture();
}

TEST_F(PollingTest, UnreachableDeviceIsMarkedAndRecovers) {
    StartSwitch("DUZ-3300-28P");
    UseModel("DUZ-3300-28P C1");
    Run([&](CDerariModuleDlg& main, DialogDriver& d) {
        ASSERT_TRUE(Refreshed(main, 1));
        ASSERT_EQ(main.m_bDeviceAlive.load(), 1);
        ASSERT_EQ(main.m_PortState[1], PORT_LINK10);
        ASSERT_TRUE(sim->Silence("all"));
        ASSERT_TRUE(WaitUntil(
            [&] {
                if (main.m_bDeviceAlive != 0) return false;
                for (int port = 1; port <= 28; ++port)
                    if (main.m_PortState[port] != PORT_ENABLE || ElementState(main, port - 1) != PORT_DISABLED)
                        return false;
                return true;
            },
            10s));
        for (const auto& [x, y] : {std::pair{20, 59}, {20, 45}, {43, 46}, {43, 59}})
            EXPECT_EQ(d.PixelAt(x, y), Colour(192)) << x << "," << y;
        const CPoint led = Led(main, 0);
        EXPECT_EQ(d.PixelAt(led.x, led.y), Colour(160)) << "port 1 LED off";

        ASSERT_TRUE(sim->ClearFaults());
        ASSERT_TRUE(WaitUntil([&] { return main.m_bDeviceAlive == 1 && main.m_PortState[1] == PORT_LINK10; }, 20s));
        EXPECT_EQ(ElementState(main, 0), PORT_LINK10);
    });
}

TEST_F(PollingTest, PollingPausesWhileAFeatureDialogRuns) {
    StartSwitch("DUZ-3300-28ZA1");
    UseModel("DUZ-3300-28ZA1");
    auto polled = [&] {
        for (const auto& r : Log())
            if (FirstOid(r) == kAlive) return true;
        return false;
    };
    Run([&](CDerariModuleDlg& main, DialogDriver& d) {
        ASSERT_TRUE(Refreshed(main, 1));
        ui.OnModal<CIntfList>([&](DialogDriver& view) {
            sim->ClearRequests();
            ui::test::PumpProgramTime(2 * kCycleMs);
            EXPECT_FALSE(polled()) << "no reachability request while paused";
            view.Click(IDCANCEL);
        });
        // The command is chosen as a cycle ends: the pause it sets finds no cycle under way.
        const int target = main.m_nRefreshCount + 1;
        ASSERT_TRUE(WaitUntil([&] { return main.m_nRefreshCount >= target; }));
        d.ChooseMenu({"Public MIB   ", "Interface Table"});
        ASSERT_TRUE(WaitUntil([&] { return ui.ModalRuns<CIntfList>() == 1 && main.m_bPause == 0; }));
        EXPECT_TRUE(WaitUntil(polled)) << "polling resumed";
    });
}

TEST_F(PollingTest, ClosingStopsThePollingThread) {
    StartSwitch("DUZ-3300-28P");
    UseModel("DUZ-3300-28P");
    auto waitedForRequest = [] {
        for (const auto& line : win::CapturedDebugLines())
            if (line == "polling thread still in a request: waiting for its time-out") return true;
        return false;
    };
    win::StartDebugCapture();
    {
        // Real time: the thread sits in its 10-period wait; the close wakes it.
        win::SetClockSpeed(1);
        Run([&](CDerariModuleDlg& main, DialogDriver&) { ASSERT_TRUE(Refreshed(main, 1)); });
        EXPECT_FALSE(waitedForRequest());
    }
    {
        // The LED-mode request (5000 ms of the program's clock, here 2.5 s: longer than the
        // close's first wait of 1 s) is not answered: the thread is in it when the window
        // closes. The close waits for its time-out, and the window goes at once after.
        win::SetClockSpeed(25);
        auto main = std::make_unique<CDerariModuleDlg>(nullptr, m_ini);
        ui.RunModal(*main, [&](DialogDriver& d) {
            ASSERT_TRUE(Refreshed(*main, 1));
            win::SetClockSpeed(2);
            ASSERT_TRUE(sim->Silence(kLedMode));
            sim->ClearRequests();
            ASSERT_TRUE(WaitUntil([&] {
                for (const auto& r : Log())
                    if (FirstOid(r) == kLedMode && !r.answered) return true;
                return false;
            }));
            d.Close();
        });
        main.reset();
        EXPECT_TRUE(waitedForRequest());
        ASSERT_TRUE(sim->ClearFaults());
        sim->ClearRequests();
        // A polling thread left running would start its next cycle within one cycle's time.
        win::SetClockSpeed(25);
        switchsim::Settle(*sim);
        ui::test::PumpProgramTime(kCycleMs);
        EXPECT_TRUE(Log().empty()) << "nothing polls after the window went";
    }
    win::StopDebugCapture();
}

}  // namespace
