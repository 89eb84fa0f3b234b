// The PVID dialog, opened from the VLAN list as a user does: what it shows, its refusals,
// its writes, and the faults mended around its reads.
#include "features/vlan/8021qVlanSet.h"
#include "features/vlan/KRVPVIDConfig.h"
#include "tests/features/vlan/VlanFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace vlantest {
namespace {

class PvidTest : public VlanTest {
protected:
    // Opens the list, then the PVID dialog, and runs the script on it once its reads have
    // ended. A script that leaves the dialog open has it cancelled.
    void RunPvid(Harness& ui, const std::function<void(DialogDriver&, CKRVPVIDConfig&)>& script,
                 bool waitForReads = true) {
        ui.OnModal<CKRVPVIDConfig>([&](DialogDriver& d, CKRVPVIDConfig& dlg) {
            if (waitForReads) {
                ASSERT_TRUE(WaitUntil([&] { return !dlg.ReadsRunning(); }));
            }
            script(d, dlg);
            if (d.IsOpen()) d.Click(IDCANCEL);
        });
        C8021qVlanSet list;
        ui.RunModal(list, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return !list.ReadsRunning(); }));
            sim->ClearRequests();
            d.Click(IDC_PVID);
            d.Close();
        });
        EXPECT_EQ(ui.ModalRuns<CKRVPVIDConfig>(), 1);
    }

    std::vector<switchsim::LoggedRequest> PvidSets() const {
        std::vector<switchsim::LoggedRequest> sets;
        for (const auto& r : Requests("set")) {
            if (!r.varbinds.empty() && r.varbinds[0].oid.rfind(kPvid + ".", 0) == 0) sets.push_back(r);
        }
        return sets;
    }
};

TEST_F(PvidTest, ShowsEveryPortsPvidInRowsOfTheModel) {
    struct Case {
        std::string model;
        int ports;
        int perRow;
        int width, height;
    } cases[] = {
        {"DUZ-3300-28ZA1", 28, 14, 625, 255},
        {"DUZ-3300-52", 52, 13, 585, 345},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ports);
        ASSERT_TRUE(StartSwitch(c.model, c.ports));
        Harness ui;
        RunPvid(ui, [&](DialogDriver& d, CKRVPVIDConfig& dlg) {
            for (int port = 1; port <= c.ports; ++port) {
                const char* expected = port <= 8 ? "10" : port <= 12 ? "20" : "1";
                EXPECT_EQ(d.GetText(IDC_PVID_EDIT_BASE + port), expected) << port;
                EXPECT_EQ(d.GetText(IDC_PORT_LABEL_BASE + port), std::to_string(port));
            }
            const CRect first = d.GetRect(IDC_PVID_EDIT_BASE + 1);
            EXPECT_EQ(d.GetRect(IDC_PVID_EDIT_BASE + c.perRow).top, first.top);
            EXPECT_GT(d.GetRect(IDC_PVID_EDIT_BASE + c.perRow + 1).top, first.top);
            EXPECT_EQ(d.GetRect(IDC_PVID_EDIT_BASE + c.perRow + 1).left, first.left);
            CRect window;
            dlg.GetWindowRect(window);
            EXPECT_EQ(window.left, 200);
            EXPECT_EQ(window.top, 200);
            EXPECT_EQ(window.Width(), c.width);
            EXPECT_EQ(window.Height(), c.height);
        });
    }
}

TEST_F(PvidTest, RefusalsSendNothing) {
    struct Case {
        std::string name;
        bool emptyVlan100;
        std::vector<std::pair<int, std::string>> edits;  // port, text typed
        std::string text;
    };
    const Case cases[] = {
        {"a trunk with one PVID",
         false,
         {{21, "5"}, {22, "5"}},
         "Setting PVID on a Trunk is not supported. Please use Web interface for the settings."},
        {"a trunk with two PVIDs", false, {{21, "5"}, {22, "1"}}, "You should let all Trunk member in the same PVID !"},
        {"no such VLAN", false, {{3, "30"}}, "Invalid PVID"},
        {"a VLAN without members", true, {{3, "100"}}, "Invalid PVID,VlAN is empty"},
        {"an emptied edit", false, {{3, ""}}, "Invalid PVID"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        if (c.emptyVlan100) Set(kVlanTable + "2.100", "x", "00000000");
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        RunPvid(ui, [&](DialogDriver& d, CKRVPVIDConfig&) {
            for (const auto& [port, text] : c.edits) d.TypeText(IDC_PVID_EDIT_BASE + port, text);
            d.Click(IDOK);
            EXPECT_TRUE(d.IsOpen());
        });
        ExpectRefused(ui, c.text);
    }
}

TEST_F(PvidTest, ApplyWritesEveryPortOneRequestEach) {
    struct Case {
        std::string model;
        int ports;
    } cases[] = {{"DUZ-3300-28ZA1", 28}, {"DUZ-3300-52", 52}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ports);
        ASSERT_TRUE(StartSwitch(c.model, c.ports));
        Harness ui;
        RunPvid(ui, [&](DialogDriver& d, CKRVPVIDConfig&) {
            d.TypeText(IDC_PVID_EDIT_BASE + 13, "10");
            d.Click(IDOK);
            EXPECT_FALSE(d.IsOpen());
        });
        const auto sets = PvidSets();
        ASSERT_EQ(sets.size(), static_cast<size_t>(c.ports));
        for (int port = 1; port <= c.ports; ++port) {
            const auto& r = sets[static_cast<size_t>(port - 1)];
            ASSERT_EQ(r.varbinds.size(), 1u);
            EXPECT_EQ(r.varbinds[0].oid, kPvid + "." + std::to_string(port));
            EXPECT_EQ(r.varbinds[0].type, "u");
            EXPECT_EQ(r.varbinds[0].value, port <= 8 || port == 13 ? "10" : port <= 12 ? "20" : "1");
        }
        if (c.ports > 40) {
            EXPECT_GE(sets[40].arrivalUs - sets[39].arrivalUs, 50000);
        }
        EXPECT_EQ(sim->GetObject(kPvid + ".13"), "u 10");
    }
}

TEST_F(PvidTest, AnUnansweredWriteKeepsTheDialogOpenAndApplyStartsAgain) {
    ModuleStartupParams::TimeoutMs = "300";
    Harness ui;
    RunPvid(ui, [&](DialogDriver& d, CKRVPVIDConfig&) {
        Command("silence " + kPvid + ".2");
        d.Click(IDOK);
        EXPECT_TRUE(d.IsOpen());
        auto sets = PvidSets();
        ASSERT_FALSE(sets.empty());
        EXPECT_EQ(sets[0].varbinds[0].oid, kPvid + ".1");
        for (size_t i = 1; i < sets.size(); ++i) EXPECT_EQ(sets[i].varbinds[0].oid, kPvid + ".2");
        sim->ClearFaults();
        sim->ClearRequests();
        d.Click(IDOK);
        EXPECT_FALSE(d.IsOpen());
        sets = PvidSets();
        ASSERT_EQ(sets.size(), 28u);
        EXPECT_EQ(sets[0].varbinds[0].oid, kPvid + ".1");
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
}

TEST_F(PvidTest, ApplyWaitsForACompleteReadAndRowsOfNoPortAreLeftOut) {
    {
        SCOPED_TRACE("a silenced read");
        ModuleStartupParams::TimeoutMs = "300";
        Command("silence " + kPvid);
        Harness ui;
        RunPvid(
            ui,
            [&](DialogDriver& d, CKRVPVIDConfig& dlg) {
                ASSERT_TRUE(WaitUntil([&] { return !dlg.ReadsRunning(); }));
                EXPECT_FALSE(d.IsEnabled(IDOK));
                EXPECT_EQ(d.GetText(IDC_PVID_EDIT_BASE + 1), "");
                sim->ClearFaults();
                d.Click(IDC_PVID_REFRESH);
                EXPECT_FALSE(d.IsEnabled(IDOK));
                ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDOK); }));
                EXPECT_EQ(d.GetText(IDC_PVID_EDIT_BASE + 1), "10");
            },
            false);
        EXPECT_TRUE(Requests("set").empty());
    }
    {
        SCOPED_TRACE("rows of index 0 and beyond the ports");
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Set(kPvid + ".0", "u", "99");
        Set(kPvid + ".29", "u", "98");
        Harness ui;
        RunPvid(ui, [&](DialogDriver& d, CKRVPVIDConfig&) {
            for (int port = 1; port <= 28; ++port) {
                EXPECT_EQ(d.GetText(IDC_PVID_EDIT_BASE + port), port <= 8 ? "10" : port <= 12 ? "20" : "1") << port;
            }
        });
    }
}

TEST_F(PvidTest, APortThatLeftItsTrunkIsNoLongerRefused) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    RunPvid(ui, [&](DialogDriver& d, CKRVPVIDConfig& dlg) {
        d.TypeText(IDC_PVID_EDIT_BASE + 21, "10");
        d.Click(IDOK);
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        Set(kTrunkMembers + ".1", "x", "00000000");
        d.Click(IDC_PVID_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return !dlg.ReadsRunning() && d.IsEnabled(IDOK); }));
        d.TypeText(IDC_PVID_EDIT_BASE + 21, "10");
        d.Click(IDOK);
        EXPECT_FALSE(d.IsOpen());
    });
    EXPECT_EQ(sim->GetObject(kPvid + ".21"), "u 10");
}

TEST_F(PvidTest, CancelDuringASlowedReadClosesWithoutDebuggerLines) {
    Harness ui;
    RunPvid(
        ui,
        [&](DialogDriver& d, CKRVPVIDConfig&) {
            sim->Delay(50);
            d.Click(IDC_PVID_REFRESH);
            d.Click(IDCANCEL);
        },
        true);
    std::vector<std::string> closes;
    for (const auto& line : ui.CapturedDebugLines()) {
        if (line.find(".Close") != std::string::npos) closes.push_back(line);
    }
    // Only the list's own lines.
    EXPECT_EQ(closes.size(), 5u);
    EXPECT_TRUE(Requests("set").empty());
}

}  // namespace
}  // namespace vlantest
