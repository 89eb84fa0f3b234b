// Smart binding against the simulated switch: the found hosts listed, a host bound by hand
// into the white list with its checks and its three steps, the address scan with the list
// read again on the scan timer, and the binding of a found host.
#include <chrono>
#include <functional>

#include "features/security/IMPBSmartBinding.h"
#include "platform/win/Clock.h"
#include "resources/templates/IMPBDialogsIds.h"
#include "tests/features/security/SecurityFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace impb_binding_ids;
using namespace securitytest;

namespace {

const std::string kImpb = kPrivate + "14.10";
const std::string kBinding = kImpb + ".2.1.";
const std::string kIPv6Row = ".0.17.34.51.68.102.4.16.254.128.0.0.0.0.0.0.2.17.34.255.254.51.68.85";
const std::string kAdded = ".4.10.0.0.9.0.0.0.0.0.9";  // 10.0.0.9 / 00-00-00-00-00-09
const char* const kFailed = "The entry could not be added.";

using Rows = std::vector<std::vector<std::string>>;

class IMPBSmartBindingTest : public SecurityTest {
protected:
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        RunAfterRead<CIMPBSmartBinding>(ui, IDC_REFRESH, script);
    }

    // Types into an address edit and moves the focus on, where the edit judges the text.
    static void TypeAddress(DialogDriver& d, int id, const std::string& text) {
        d.TypeText(id, text);
        d.TypeText(IDC_PORT, d.GetText(IDC_PORT));
    }

    static void ManualEntry(DialogDriver& d, const std::string& ip, const std::string& mac, const std::string& port) {
        if (!ip.empty()) TypeAddress(d, IDC_ADDRESS, ip);
        d.TypeText(IDC_MAC, mac);
        d.TypeText(IDC_PORT, port);
    }
};

TEST_F(IMPBSmartBindingTest, FoundHostsListedAndBound) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK, IDOK});
    Run(ui, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetRows(IDC_LIST),
                  (Rows{{"1", "192.168.1.10", "00-11-22-33-44-55", "3", "Bound"},
                        {"1", "fe80:0000:0000:0000:0211:22ff:fe33:4455", "00-11-22-33-44-66", "4", "Not Bound"}}));
        d.Click(IDC_BIND);
        d.ClickListRow(IDC_LIST, 0);
        d.Click(IDC_BIND);
        EXPECT_TRUE(Sets().empty());
        d.ClickListRow(IDC_LIST, 1);
        d.Click(IDC_BIND);
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
        EXPECT_EQ(d.GetRows(IDC_LIST)[1][4], "Bound");
    });
    const auto boxes = ui.ShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Please select the item would be Binding!\n");
    EXPECT_EQ(boxes[1].text, "The entry is bound.");
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{kBinding + "5" + kIPv6Row + " := 1"}));
}

TEST_F(IMPBSmartBindingTest, ManualBindingRefusals) {
    const char* const kMac = "00-00-00-00-00-09";
    struct Case {
        std::string ip, mac, port, message;
    };
    const Case cases[] = {
        {"", kMac, "7", "Invalid IP Address."},
        {"10.0.0.9", "01-00-5E-00-00-01", "7", "Multicast MAC is not allowed."},
        {"10.0.0.9", "00-00-00-00-00-00", "7", "Please enter correct MAC format(ex:00-00-00-00-00-01)"},
        {"10.0.0.9", kMac, "0", "Invalid port number."},
        {"10.0.0.9", kMac, "29", "Invalid port number."},
    };
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.ip + " " + c.mac + " " + c.port);
            ui.ScriptMessageBoxes({IDOK});
            const size_t shown = ui.ShownMessageBoxes().size();
            ManualEntry(d, c.ip, c.mac, c.port);
            d.Click(IDC_ADD);
            ASSERT_EQ(ui.ShownMessageBoxes().size(), shown + 1);
            EXPECT_EQ(ui.ShownMessageBoxes().back().text, c.message);
        }
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(IMPBSmartBindingTest, ManualBindingInThreeSteps) {
    const std::string status = kImpb + ".3.1.4" + kAdded;
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        ManualEntry(d, "10.0.0.9", "00-00-00-00-00-09", "7");
        const size_t reads = GetNextsFrom(kBinding + "1");
        d.Click(IDC_ADD);
        EXPECT_EQ(d.GetText(IDC_ADDRESS), "");
        EXPECT_EQ(d.GetText(IDC_MAC), "");
        EXPECT_EQ(d.GetText(IDC_PORT), "");
        EXPECT_EQ(GetNextsFrom(kBinding + "1"), reads);
        // The emptied address is no longer taken as valid.
        ui.ScriptMessageBoxes({IDOK});
        d.TypeText(IDC_MAC, "00-00-00-00-00-09");
        d.TypeText(IDC_PORT, "7");
        d.Click(IDC_ADD);
        EXPECT_EQ(ui.ShownMessageBoxes().back().text, "Invalid IP Address.");
    });
    ASSERT_GE(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Success!");
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 3u);
    EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{status + " := 5"}));
    EXPECT_EQ(Assignments(sets[1], "i"), (std::vector<std::string>{kImpb + ".3.1.3" + kAdded + " := 7"}));
    EXPECT_EQ(Assignments(sets[2], "i"), (std::vector<std::string>{status + " := 1"}));
    // The new row holds the address text and the MAC its index carries.
    EXPECT_EQ(sim->GetObject(kImpb + ".3.1.1" + kAdded), "s 31 30 2E 30 2E 30 2E 39");
    EXPECT_EQ(sim->GetObject(kImpb + ".3.1.2" + kAdded), "s 00 00 00 00 00 09");
    const auto lines = ui.CapturedDebugLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), ".0.0.0.0.0.9"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), status), lines.end());
}

TEST_F(IMPBSmartBindingTest, ARefusedStepGivesTheFailureMessage) {
    struct Case {
        std::string name;
        std::string ip, mac;
        std::function<void()> arrange;
        size_t sets;
    };
    const Case cases[] = {
        // The row is there already: its createAndWait is refused and nothing follows.
        {"existing pair", "10.0.0.1", "00-00-00-00-00-01", [] {}, 1},
        {"activation refused", "10.0.0.9", "00-00-00-00-00-09",
         [&] { ASSERT_TRUE(sim->Command("values " + kImpb + ".3.1.4" + kAdded + " 5-6")); }, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        c.arrange();
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            ManualEntry(d, c.ip, c.mac, "7");
            d.Click(IDC_ADD);
        });
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, kFailed);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].Icon(), static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(Sets().size(), c.sets);
    }
}

TEST_F(IMPBSmartBindingTest, ScanRangeChecks) {
    struct Case {
        std::string from, to, message;
    };
    const Case cases[] = {
        {"", "10.0.1.9", "Invalid From IP Address."},
        {"10.0.1.1", "10.0.1", "Invalid To IP Address."},
        {"10.0.0.1", "2001:db8::1", "Invalid IP address !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from + " " + c.to);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            if (!c.from.empty()) TypeAddress(d, IDC_SCAN_FROM, c.from);
            TypeAddress(d, IDC_SCAN_TO, c.to);
            d.Click(IDC_SCAN);
            ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
            EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.message);
        });
        EXPECT_TRUE(Sets().empty());
    }
}

TEST_F(IMPBSmartBindingTest, ScanReadsAgainUntilTheRowCountRepeats) {
    ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28, {"scan-step 100"}));
    win::SetClockSpeed(10);  // a tick every 400 ms
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        TypeAddress(d, IDC_SCAN_FROM, "10.0.1.1");
        TypeAddress(d, IDC_SCAN_TO, "10.0.1.9");
        const size_t reads = GetNextsFrom(kBinding + "1");
        d.Click(IDC_SCAN);
        EXPECT_EQ(d.GetText(IDC_SCAN_FROM), "");
        EXPECT_EQ(d.GetText(IDC_SCAN_TO), "");
        EXPECT_FALSE(d.IsEnabled(IDC_SCAN));
        // The first tick always reads again, the next ones while rows appear; each read's end
        // gives Scan back. A tick that sees no new row stops the reads.
        EXPECT_TRUE(WaitUntil([&] {
            return GetNextsFrom(kBinding + "1") >= reads + 2 && d.GetRows(IDC_LIST).size() == 5u &&
                   d.IsEnabled(IDC_SCAN);
        }));
        // Three ticks of the program's clock: the tick that saw no new row has stopped the timer.
        constexpr UINT kTick = CIMPBSmartBinding::kScanTickMs;
        ui::test::PumpProgramTime(3 * kTick);
        const size_t last = GetNextsFrom(kBinding + "1");
        ui::test::PumpProgramTime(2 * kTick + kTick / 4);
        EXPECT_EQ(GetNextsFrom(kBinding + "1"), last);
        EXPECT_TRUE(d.IsEnabled(IDC_SCAN));
        EXPECT_EQ(d.GetRows(IDC_LIST)[2],
                  (std::vector<std::string>{"1", "10.0.1.1", "02-00-0A-00-01-01", "3", "Not Bound"}));
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(Assignments(sets[0], "s"),
              (std::vector<std::string>{kImpb + ".5.0 := 0A000101", kImpb + ".6.0 := 0A000109"}));
    EXPECT_EQ(Assignments(sets[1], "i"), (std::vector<std::string>{kImpb + ".7.0 := 1"}));
}

TEST_F(IMPBSmartBindingTest, TickDuringADelayedReadAndCloseDuringARead) {
    win::SetClockSpeed(20);  // a tick every 200 ms
    Harness ui;
    std::chrono::steady_clock::time_point closed;
    Run(ui, [&](DialogDriver& d) {
        TypeAddress(d, IDC_SCAN_FROM, "10.0.1.1");
        TypeAddress(d, IDC_SCAN_TO, "10.0.1.2");
        d.Click(IDC_SCAN);
        ASSERT_TRUE(sim->Delay(150));
        const size_t reads = GetNextsFrom(kBinding + "1");
        // A tick starts a read on the slow switch, and the next tick comes while it runs.
        EXPECT_TRUE(WaitUntil([&] { return GetNextsFrom(kBinding + "1") > reads; }));
        // The next tick, on the program's clock, while the read is still out.
        ui::test::PumpProgramTime(CIMPBSmartBinding::kScanTickMs + CIMPBSmartBinding::kScanTickMs / 4);
        EXPECT_FALSE(d.IsEnabled(IDC_REFRESH));
        closed = std::chrono::steady_clock::now();
        d.Close();
    });
    EXPECT_LT(std::chrono::steady_clock::now() - closed, std::chrono::milliseconds(kCloseBoundMs));
}

}  // namespace
