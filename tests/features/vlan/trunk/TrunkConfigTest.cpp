// The trunk configuration dialog against the simulated switch: the list, the link aggregation
// state, a trunk's mode, the refusals before the member dialog opens, the keys and closing.
#include <QtCore/qnamespace.h>

#include <algorithm>
#include <iterator>

#include "core/SnmpRead.h"
#include "features/vlan/KRVTrunkPort.h"
#include "features/vlan/TrunkConfigDlg.h"
#include "tests/features/vlan/trunk/TrunkFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;
using namespace trunk_config_ids;

namespace trunktest {
namespace {

const std::vector<std::string> kHeadings = {"TrunkID    ", "PortChannelMode    ",
                                            "PortMember                            "};

Rows DefaultRows() {
    Rows rows = {{"1", "Static", "21,22"}};
    for (int t = 2; t <= 8; ++t) rows.push_back({std::to_string(t), "Disable", ""});
    return rows;
}

class TrunkConfigTest : public TrunkTest {
protected:
    // Opens the dialog, waits for its first walk to end and runs the script; the dialog is
    // closed after it.
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        CTrunkConfigDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
            sim->ClearRequests();
            script(d);
            if (d.IsOpen()) d.Close();
        });
    }

    static void ChooseTrunk(DialogDriver& d, const std::string& trunk) {
        const Rows rows = d.GetRows(IDC_TRUNK_LIST);
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i][0] == trunk) return d.ClickListRow(IDC_TRUNK_LIST, static_cast<int>(i));
        }
        ADD_FAILURE() << "trunk " << trunk << " is not listed";
    }

    // Leaves only these trunks in the table.
    void KeepTrunks(const std::vector<int>& kept) {
        for (int t = 1; t <= 8; ++t) {
            if (std::find(kept.begin(), kept.end(), t) != kept.end()) continue;
            Command("del " + kTrunkMembers + "." + std::to_string(t));
            Command("del " + kTrunkMode + "." + std::to_string(t));
        }
    }

    // The requests after the first SET: the re-read's GET of the state and its walk.
    void ExpectReRead(long minGapUs) const {
        ASSERT_TRUE(WaitUntil([&] { return TrunkWalkRequests() > 0; }));
        const auto sets = Requests("set");
        const auto gets = Requests("get");
        ASSERT_EQ(sets.size(), 1u);
        ASSERT_EQ(gets.size(), 1u);
        EXPECT_EQ(gets[0].varbinds.at(0).oid, kTrunkState);
        EXPECT_GE(gets[0].arrivalUs - sets[0].arrivalUs, minGapUs);
    }
};

TEST_F(TrunkConfigTest, ListsEveryTrunkWithItsModeAndMembers) {
    struct Case {
        std::string name;
        std::vector<std::pair<std::string, std::string>> objects;  // OID, "TYPE VALUE"
        Rows rows;
    };
    Rows lacp = DefaultRows();
    lacp[0][1] = "LACP";
    const Case cases[] = {
        {"the default model", {}, DefaultRows()},
        {"LACP, and an unknown mode code shows Disable", {{kTrunkMode + ".1", "1"}, {kTrunkMode + ".4", "9"}}, lacp},
        {"a trunk of ports 1, 2 and 5",
         {{kTrunkMembers + ".3", "x C8000000"}, {kTrunkMode + ".3", "2"}},
         [] {
             Rows rows = DefaultRows();
             rows[2] = {"3", "Static", "1,2,5"};
             return rows;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        for (const auto& [oid, value] : c.objects) {
            if (value.rfind("x ", 0) == 0) {
                Set(oid, "x", value.substr(2));
            } else {
                Set(oid, "i", value);
            }
        }
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            EXPECT_EQ(d.GetColumns(IDC_TRUNK_LIST), kHeadings);
            EXPECT_EQ(d.GetRows(IDC_TRUNK_LIST), c.rows);
            EXPECT_EQ(d.GetItems(IDC_MODE), (std::vector<std::string>{"LACP", "Static", "Disable"}));
            EXPECT_TRUE(d.IsChecked(IDC_ENABLE_TRUNK));
            EXPECT_TRUE(d.IsEnabled(IDC_PORT_MEMBER));
            EXPECT_FALSE(d.IsEnabled(IDC_TRUNK_ID));
        });
    }
}

TEST_F(TrunkConfigTest, RefreshWaitsForTheWalkToEndAlsoWhenItTimesOut) {
    {
        SCOPED_TRACE("a slowed walk");
        Command("delay 60");
        Harness ui;
        CTrunkConfigDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            EXPECT_FALSE(d.IsEnabled(IDC_REFRESH));
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
            EXPECT_EQ(d.GetRows(IDC_TRUNK_LIST), DefaultRows());
            d.Click(IDC_REFRESH);
            EXPECT_FALSE(d.IsEnabled(IDC_REFRESH));
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
            EXPECT_EQ(d.GetRows(IDC_TRUNK_LIST), DefaultRows());
            d.Close();
        });
    }
    {
        SCOPED_TRACE("a walk that times out after four rows");
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        ModuleStartupParams::TimeoutMs = "300";
        Command("silence " + kTrunkMembers + ".5");
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            Rows rows = DefaultRows();
            rows.resize(4);
            EXPECT_EQ(d.GetRows(IDC_TRUNK_LIST), rows);
        });
    }
}

TEST_F(TrunkConfigTest, ADisabledStateRefusesModesUntilTheBoxIsCheckedByHand) {
    Set(kTrunkState, "i", "2");
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        EXPECT_FALSE(d.IsChecked(IDC_ENABLE_TRUNK));
        EXPECT_FALSE(d.IsEnabled(IDC_PORT_MEMBER));
        ChooseTrunk(d, "1");
        d.ChooseComboItem(IDC_MODE, "LACP");
        d.Click(IDC_APPLY_MODE);
        ExpectRefused(ui, "Link Aggregation State is disable.");

        d.Check(IDC_ENABLE_TRUNK);
        d.Click(IDC_APPLY_MODE);
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(sets[0].varbinds.at(0).oid, kTrunkMode + ".1");
        EXPECT_EQ(sets[0].varbinds.at(0).value, "1");
    });
    EXPECT_EQ(ui.ShownMessageBoxes().size(), 1u);
}

TEST_F(TrunkConfigTest, ApplyStateWritesTheBoxThenReadsAgain) {
    for (const bool checked : {false, true}) {
        SCOPED_TRACE(checked);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        if (checked) Set(kTrunkState, "i", "2");
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            d.Check(IDC_ENABLE_TRUNK, checked);
            d.Click(IDC_APPLY_STATE);
            const auto sets = Requests("set");
            ASSERT_EQ(sets.size(), 1u);
            ASSERT_EQ(sets[0].varbinds.size(), 1u);
            EXPECT_EQ(sets[0].varbinds[0].oid, kTrunkState);
            EXPECT_EQ(sets[0].varbinds[0].type, "i");
            EXPECT_EQ(sets[0].varbinds[0].value, checked ? "1" : "2");
            ExpectReRead(10000);
            // The re-read shows what the switch now holds.
            EXPECT_EQ(d.IsEnabled(IDC_PORT_MEMBER), checked);
            EXPECT_EQ(d.IsChecked(IDC_ENABLE_TRUNK), checked);
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
            EXPECT_EQ(d.GetRows(IDC_TRUNK_LIST), DefaultRows());
        });
        EXPECT_EQ(sim->GetObject(kTrunkState), checked ? "i 1" : "i 2");
    }
}

TEST_F(TrunkConfigTest, AnUnansweredStateWriteReadsNothingAgain) {
    ModuleStartupParams::TimeoutMs = "300";
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        Command("silence " + kTrunkState);
        d.Check(IDC_ENABLE_TRUNK, false);
        d.Click(IDC_APPLY_STATE);
        EXPECT_FALSE(Requests("set").empty());
        EXPECT_TRUE(Requests("get").empty());
        EXPECT_EQ(TrunkWalkRequests(), 0u);
        EXPECT_TRUE(d.IsEnabled(IDC_PORT_MEMBER));
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
}

TEST_F(TrunkConfigTest, ApplyModeWritesOnlyAChangeOfATrunkWithMembers) {
    struct Case {
        std::string name;
        std::vector<int> trunks;  // the table holds only these; empty: all eight
        std::string trunk;
        std::string choice;
        std::string message;  // "" none
        std::string written;  // the mode the SET carries, "" no SET
    };
    const Case cases[] = {
        {"a trunk without members", {}, "2", "Static", "The minimum port numbers for an aggregated link is 2.", ""},
        {"the mode it has", {}, "1", "Static", "", ""},
        {"LACP", {}, "1", "LACP", "", "1"},
        {"Disable", {}, "1", "Disable", "", "3"},
        {"a sparse table, the mode it has", {1, 2, 5}, "5", "Static", "", ""},
        {"a sparse table, LACP", {1, 2, 5}, "5", "LACP", "", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        if (!c.trunks.empty()) {
            KeepTrunks(c.trunks);
            Set(kTrunkMembers + ".5", "x", "C0000000");
            Set(kTrunkMode + ".5", "i", "2");
        }
        Harness ui;
        if (!c.message.empty()) ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            ChooseTrunk(d, c.trunk);
            d.ChooseComboItem(IDC_MODE, c.choice);
            d.Click(IDC_APPLY_MODE);
            if (c.written.empty()) {
                EXPECT_TRUE(Requests("set").empty());
                EXPECT_TRUE(Requests("get").empty());
                return;
            }
            const auto sets = Requests("set");
            ASSERT_EQ(sets.size(), 1u);
            ASSERT_EQ(sets[0].varbinds.size(), 1u);
            EXPECT_EQ(sets[0].varbinds[0].oid, kTrunkMode + "." + c.trunk);
            EXPECT_EQ(sets[0].varbinds[0].type, "i");
            EXPECT_EQ(sets[0].varbinds[0].value, c.written);
            ExpectReRead(50000);
        });
        const auto shown = ui.ShownMessageBoxes();
        if (c.message.empty()) {
            EXPECT_TRUE(shown.empty());
        } else {
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].text, c.message);
        }
    }
}

TEST_F(TrunkConfigTest, ApplyModeSendsNothingForATrunkNotListed) {
    // The trunk chosen before a refresh that no longer lists it.
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        ChooseTrunk(d, "3");
        d.ChooseComboItem(IDC_MODE, "LACP");
        KeepTrunks({1, 2});
        d.Click(IDC_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
        ASSERT_EQ(d.GetRows(IDC_TRUNK_LIST).size(), 2u);
        EXPECT_EQ(d.GetText(IDC_TRUNK_ID), "3");
        d.Click(IDC_APPLY_MODE);
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    EXPECT_TRUE(Requests("set").empty());
}

TEST_F(TrunkConfigTest, PortMemberRefusesADisabledModeAndNoTrunk) {
    struct Case {
        std::string name;
        std::string trunk;  // "" none chosen
        std::string choice;
        std::string message;
    };
    const Case cases[] = {
        {"mode Disable", "2", "", "Please select the Channel Mode (LACP or Static) first."},
        {"no trunk", "", "Static", "Please select the Trunk !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            if (!c.trunk.empty()) ChooseTrunk(d, c.trunk);
            if (!c.choice.empty()) d.ChooseComboItem(IDC_MODE, c.choice);
            d.Click(IDC_PORT_MEMBER);
            EXPECT_TRUE(d.IsOpen());
        });
        ExpectRefused(ui, c.message);
        EXPECT_EQ(ui.ModalRuns<CKRVTrunkPort>(), 0);
    }
}

TEST_F(TrunkConfigTest, UpAndDownFillTheFieldsFromTheNeighbouringRow) {
    Set(kTrunkMode + ".2", "i", "1");
    struct Step {
        int clickRow;  // -1: a key
        int key;
        std::string trunk, mode;  // what the fields show after the step
    };
    const Step steps[] = {
        {0, 0, "1", "Static"},
        {-1, Qt::Key_Up, "1", "Static"},  // the first row: nothing changes
        {-1, Qt::Key_Down, "2", "LACP"},
        {-1, Qt::Key_Down, "3", "Disable"},
        {-1, Qt::Key_Up, "2", "LACP"},
        {7, 0, "8", "Disable"},
        {-1, Qt::Key_Down, "8", "Disable"},  // the last row: nothing changes
        {-1, Qt::Key_Up, "7", "Disable"},
        {-1, Qt::Key_Right, "7", "Disable"},
    };
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        for (size_t i = 0; i < std::size(steps); ++i) {
            SCOPED_TRACE(i);
            const Step& s = steps[i];
            if (s.clickRow >= 0) {
                d.ClickListRow(IDC_TRUNK_LIST, s.clickRow);
            } else {
                d.PressKey(IDC_TRUNK_LIST, s.key);
            }
            EXPECT_EQ(d.GetText(IDC_TRUNK_ID), s.trunk);
            const int selected = d.GetSelection(IDC_MODE);
            ASSERT_GE(selected, 0);
            EXPECT_EQ(d.GetItems(IDC_MODE)[static_cast<size_t>(selected)], s.mode);
        }
    });
}

TEST_F(TrunkConfigTest, ClosingDuringASlowedWalkTakesNoLateRow) {
    Command("delay 100");
    Harness ui;
    {
        CTrunkConfigDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return d.GetRows(IDC_TRUNK_LIST).size() >= 2; }));
            EXPECT_FALSE(d.IsEnabled(IDC_REFRESH));
            d.Close();
        });
    }
    const size_t steps = TrunkWalkRequests();
    // The request in flight at closing is answered and dropped; no next one is sent.
    ASSERT_TRUE(CSnmpRead::WaitForClosedSessions(10000));
    EXPECT_LT(steps, 9u);
    EXPECT_EQ(TrunkWalkRequests(), steps);
}

}  // namespace
}  // namespace trunktest
