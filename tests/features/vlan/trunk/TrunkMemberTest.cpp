// The trunk member dialog, opened from the trunk configuration as a user does: the boxes it
// shows and where, OK held back until the reads have ended, the refusals, the member writes
// and the list's re-read, and its closing lines.
#include <algorithm>
#include <functional>

#include "features/vlan/KRVTrunkPort.h"
#include "features/vlan/TrunkConfigDlg.h"
#include "tests/features/vlan/trunk/TrunkFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace trunktest {
namespace {

namespace list = trunk_config_ids;
namespace member = trunk_member_ids;

const std::string kUplinkPorts = kPrivate + "9.2.0";
const std::string kPortSecurity = kPrivate + "14.2.1.1.2";  // + .port
const std::string kSpeedSetting = kPrivate + "1.13.1.2";    // + .port

int Box(int port) { return member::IDC_PORT_CHECK_BASE + port - 1; }

class TrunkMemberTest : public TrunkTest {
protected:
    // A switch of the model with the port count, every port an uplink port (so ports pass
    // the auto-learning check).
    void Switch(const std::string& model, int ports) {
        ASSERT_TRUE(StartSwitch(model, ports));
        Set(kUplinkPorts, "x", ports > 28 ? "FFFFFFFFFFFFFFFF" : "FFFFFFFF");
    }

    // Opens the list, chooses the trunk and the mode, opens the member dialog and runs the
    // script on it (after its reads when waitForReads). A script that leaves it open has it
    // cancelled. The list stays open until its re-read has ended; its rows are kept.
    void RunMember(Harness& ui, const std::string& trunk, const std::string& mode,
                   const std::function<void(DialogDriver&)>& script, bool waitForReads = true) {
        ui.OnModal<CKRVTrunkPort>([&](DialogDriver& d) {
            if (waitForReads) {
                ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDOK); }));
            }
            script(d);
            if (d.IsOpen()) d.Click(IDCANCEL);
        });
        CTrunkConfigDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(list::IDC_REFRESH); }));
            const Rows rows = d.GetRows(list::IDC_TRUNK_LIST);
            const auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r[0] == trunk; });
            ASSERT_NE(row, rows.end());
            d.ClickListRow(list::IDC_TRUNK_LIST, static_cast<int>(row - rows.begin()));
            d.ChooseComboItem(list::IDC_MODE, mode);
            sim->ClearRequests();
            d.Click(list::IDC_PORT_MEMBER);
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(list::IDC_REFRESH); }));
            listRows = d.GetRows(list::IDC_TRUNK_LIST);
            d.Close();
        });
        EXPECT_EQ(ui.ModalRuns<CKRVTrunkPort>(), 1);
    }

    static void Choose(DialogDriver& d, const std::vector<int>& ports) {
        for (int p : ports) d.Check(Box(p));
    }

    static std::vector<int> Checked(DialogDriver& d, int ports) {
        std::vector<int> checked;
        for (int p = 1; p <= ports; ++p) {
            if (d.IsChecked(Box(p))) checked.push_back(p);
        }
        return checked;
    }

    std::vector<switchsim::LoggedRequest> TrunkSets() const { return Requests("set"); }

    Rows listRows;
};

TEST_F(TrunkMemberTest, OpensWithTheTrunksMembersAndOkWaitsForEveryRead) {
    Switch("DUZ-3300-28ZA1", 28);
    Command("delay 20");
    Harness ui;
    RunMember(
        ui, "1", "Static",
        [&](DialogDriver& d) {
            EXPECT_EQ(d.Window().GetWindowText(), "Trunk member");
            EXPECT_EQ(d.GetText(member::IDC_TRUNK_ID), "1");
            EXPECT_EQ(d.GetText(member::IDC_MODE), "Static");
            EXPECT_EQ(Checked(d, 28), (std::vector<int>{21, 22}));
            for (int p = 1; p <= 28; ++p) EXPECT_EQ(d.GetText(member::IDC_PORT_LABEL_BASE + p - 1), std::to_string(p));
            EXPECT_FALSE(d.IsEnabled(IDOK));
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDOK); }));
        },
        false);
    EXPECT_TRUE(TrunkSets().empty());
}

TEST_F(TrunkMemberTest, RefusalsKeepTheDialogOpenAndSendNothing) {
    struct Case {
        std::string name;
        std::vector<int> ports;
        std::string text;
        bool checkRefusal;
    };
    const Case cases[] = {
        {"one port", {1}, "The mininum port members for an aggregated link is 2 !", false},
        {"nine ports",
         {1, 2, 3, 4, 5, 6, 7, 8, 9},
         "The maxinum port member for an aggregated link is exceeded !",
         false},
        {"a port-security enabled port",
         {1, 2},
         "Cannot add a port-security anabled port to an aggregated link.",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Switch("DUZ-3300-28ZA1", 28);
        Set(kPortSecurity + ".1", "i", "1");
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        RunMember(ui, "3", "Static", [&](DialogDriver& d) {
            Choose(d, c.ports);
            d.Click(IDOK);
            EXPECT_TRUE(d.IsOpen());
            EXPECT_EQ(Checked(d, 28), c.ports);
        });
        ExpectRefused(ui, c.text);
        const auto lines = ui.CapturedDebugLines();
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "ture or faulse"), c.checkRefusal ? 1 : 0);
        EXPECT_EQ(listRows[2], (std::vector<std::string>{"3", "Disable", ""}));
    }
}

TEST_F(TrunkMemberTest, OkWritesTheMembersAndModeInOneSetAndTheListReadsThemBack) {
    struct Case {
        std::string name;
        std::string model;
        int ports;
        std::string mode;
        std::vector<int> chosen;
        std::string bytes;  // the members as sent, hex
        std::string modeValue;
        std::string listed;
    };
    const Case cases[] = {
        {"28 ports, static", "DUZ-3300-28ZA1", 28, "Static", {1, 2}, "C0000000", "2", "1,2"},
        {"10 ports", "DUZ-3300-20", 10, "Static", {1, 2, 3, 4, 5, 6, 7, 8}, "FF000000", "2", "1,2,3,4,5,6,7,8"},
        {"52 ports", "DUZ-3300-52", 52, "Static", {13, 14}, "000C000000000000", "2", "13,14"},
        {"LACP", "DUZ-3300-28ZA1", 28, "LACP", {1, 2}, "C0000000", "1", "1,2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Switch(c.model, c.ports);
        if (c.ports == 10) {
            // The ten ports judged alike: one speed, and no static entry to port 3.
            for (int p = 1; p <= 10; ++p) Set(kSpeedSetting + "." + std::to_string(p), "i", "6");
            Command("del " + kPrivate + "9.3.1.3.1.0.17.34.51.68.102.3");
        }
        Harness ui;
        RunMember(ui, "3", c.mode, [&](DialogDriver& d) {
            Choose(d, c.chosen);
            d.Click(IDOK);
            EXPECT_FALSE(d.IsOpen());
        });
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
        const auto sets = TrunkSets();
        ASSERT_EQ(sets.size(), 1u);
        ASSERT_EQ(sets[0].varbinds.size(), 2u);
        EXPECT_EQ(sets[0].varbinds[0].oid, kTrunkMembers + ".3");
        EXPECT_EQ(sets[0].varbinds[0].hex, c.bytes);
        EXPECT_EQ(sets[0].varbinds[1].oid, kTrunkMode + ".3");
        EXPECT_EQ(sets[0].varbinds[1].type, "i");
        EXPECT_EQ(sets[0].varbinds[1].value, c.modeValue);
        EXPECT_EQ(listRows.at(2), (std::vector<std::string>{"3", c.mode, c.listed}));
    }
}

TEST_F(TrunkMemberTest, AnUnansweredWriteStillEndsTheDialogAndTheListShowsWhatTheSwitchHolds) {
    Switch("DUZ-3300-28ZA1", 28);
    ModuleStartupParams::TimeoutMs = "300";
    Harness ui;
    RunMember(ui, "3", "Static", [&](DialogDriver& d) {
        Choose(d, {1, 2});
        // The switch neither answers nor takes the write.
        Command("silence " + kTrunkMode + ".3");
        d.Click(IDOK);
        EXPECT_FALSE(d.IsOpen());
        sim->ClearFaults();
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    const auto sets = TrunkSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_FALSE(sets[0].answered);
    EXPECT_EQ(listRows.size(), 8u);
    EXPECT_EQ(listRows.at(2), (std::vector<std::string>{"3", "Disable", ""}));
}

TEST_F(TrunkMemberTest, BoxesStandInRowsAndTheWindowIsSizedByThePortCount) {
    struct Case {
        std::string model;
        int ports;
        int width, height;
        int secondRowFirst;  // 0: one row
    };
    const Case cases[] = {
        {"DUZ-3300-20", 10, 520, 275, 0},
        {"DUZ-3300-28ZA1", 28, 580, 275, 0},
        {"DUZ-3300-52", 48, 520, 330, 25},
        {"DUZ-3300-52", 52, 560, 330, 27},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ports);
        Switch(c.model, c.ports);
        Harness ui;
        RunMember(
            ui, "1", "Static",
            [&](DialogDriver& d) {
                CRect window;
                d.Window().GetWindowRect(window);
                EXPECT_EQ(window.left, 200);
                EXPECT_EQ(window.top, 200);
                EXPECT_EQ(window.Width(), c.width);
                EXPECT_EQ(window.Height(), c.height);
                const CRect first = d.GetRect(Box(1));
                EXPECT_EQ(first.left, 55);
                EXPECT_TRUE(d.Exists(Box(c.ports)));
                EXPECT_FALSE(d.Exists(Box(c.ports + 1)));
                const int lastOfFirstRow = c.secondRowFirst ? c.secondRowFirst - 1 : c.ports;
                EXPECT_EQ(d.GetRect(Box(lastOfFirstRow)).top, first.top);
                EXPECT_GT(d.GetRect(Box(lastOfFirstRow)).left, first.left);
                if (c.secondRowFirst) {
                    const CRect second = d.GetRect(Box(c.secondRowFirst));
                    EXPECT_EQ(second.left, 55);
                    EXPECT_EQ(second.top, first.top + 45);
                }
                d.Click(IDCANCEL);
            },
            false);
        EXPECT_TRUE(TrunkSets().empty());
    }
}

TEST_F(TrunkMemberTest, ClosingWritesItsLineThenTheLogicsInOrder) {
    Switch("DUZ-3300-28ZA1", 28);
    Harness ui;
    RunMember(ui, "1", "Static", [&](DialogDriver& d) { d.Click(IDCANCEL); });
    const auto lines = ui.CapturedDebugLines();
    const auto start = std::find(lines.begin(), lines.end(), "==================DestroyWindow===============");
    ASSERT_NE(start, lines.end());
    std::vector<std::string> closing;
    for (auto it = start; it != lines.end(); ++it) {
        if (it->rfind("==================", 0) == 0) closing.push_back(*it);
    }
    const std::vector<std::string> expected = {
        "==================DestroyWindow===============",
        "==================m_cCommonSNMP.Close===============",
        "==================m_cCommonSNMPSet.Close===============",
        "==================m_cCommonSNMPMirror.Close===============",
        "==================m_cCommonSNMPTableACL.Close===============",
        "==================m_cCommonSNMPPoint.Close===============",
        "==================m_cCommonSNMPTableVlan.Close===============",
        "==================m_cCommonSNMPTableTrunk.Close===============",
        "==================m_cCommonSNMPTableStaticPor.Close===============",
        "==================m_cCommonSNMPTableGetVlanTrunk.Close===============",
    };
    EXPECT_EQ(closing, expected);
    EXPECT_TRUE(TrunkSets().empty());
}

}  // namespace
}  // namespace trunktest
