// Port descriptions against the simulated switch: the list, the From/To rules and the
// batches of SET requests a range is written in.
#include <chrono>

#include "features/ports/PortDescription.h"
#include "resources/templates/PortDialogsIds.h"
#include "tests/features/ports/PortsFixture.h"

using namespace std::chrono_literals;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace port_description_ids;

namespace {

class PortDescriptionTest : public portstest::PortsTest {
protected:
    // The list once the read has ended (the buttons come back with the end).
    static portstest::Rows ReadDone(DialogDriver& d, size_t ports) {
        EXPECT_TRUE(WaitUntil(
            [&] { return d.IsEnabled(IDC_REFRESH) && d.GetRows(IDC_DESCRIPTION_LIST).size() == ports; }, 10s));
        return d.GetRows(IDC_DESCRIPTION_LIST);
    }
    static std::string Port(const std::string& column, int port) { return column + "." + std::to_string(port); }
};

TEST_F(PortDescriptionTest, ListsEveryPortsDescription) {
    Set(Port(portstest::kDescription, 3), "s", "Printer, 2nd floor");
    Harness ui;
    CPortDescription dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        const auto rows = ReadDone(d, 28);
        EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "Uplink core"}));
        EXPECT_EQ(rows[1], (std::vector<std::string>{"2", "Server room"}));
        EXPECT_EQ(rows[2], (std::vector<std::string>{"3", "Printer, 2nd floor"}));
        EXPECT_EQ(rows[27][0], "28");
        EXPECT_EQ(d.GetColumns(IDC_DESCRIPTION_LIST), (std::vector<std::string>{"Port", "Description"}));
        EXPECT_EQ(dlg.GetWindowText(), "Port Description: " + sim->Address());
        EXPECT_EQ(d.GetItems(IDC_FROM_PORT).size(), 28u);
        EXPECT_EQ(d.GetItems(IDC_TO_PORT).back(), "28");
        EXPECT_TRUE(d.IsEnabled(IDC_APPLY));
        EXPECT_TRUE(d.IsEnabled(IDC_CLOSE));
        d.Click(IDC_CLOSE);
    });
    const auto walks = Requests("getnext");
    ASSERT_FALSE(walks.empty());
    EXPECT_EQ(Oids(walks[0]), (std::vector<std::string>{portstest::kPrivate + "1.16.1.1", portstest::kDescription}));
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
}

TEST_F(PortDescriptionTest, SwitchWithFewerRowsLeavesEmptyRows) {
    ASSERT_TRUE(sim->Command("del " + portstest::kPrivate + "1.16.1.1.28"));
    ASSERT_TRUE(sim->Command("del " + Port(portstest::kDescription, 28)));
    Harness ui;
    CPortDescription dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        const auto rows = ReadDone(d, 28);
        EXPECT_EQ(rows[26][0], "27");
        EXPECT_EQ(rows[27], (std::vector<std::string>{"0", ""}));
        d.Click(IDC_CLOSE);
    });
}

TEST_F(PortDescriptionTest, RangeGoesFifteenPortsARequestWithPausesAfterFullOnes) {
    ASSERT_TRUE(StartSwitch("DUZ-3300-52", 52));
    struct Case {
        int from, to;
        std::vector<std::pair<int, int>> batches;
    };
    const Case cases[] = {
        {1, 31, {{1, 15}, {16, 30}, {31, 31}}},
        {1, 16, {{1, 16}}},
        {1, 17, {{1, 15}, {16, 17}}},
        {3, 3, {{3, 3}}},
        {5, 20, {{5, 20}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + ".." + std::to_string(c.to));
        const std::string text = "desk " + std::to_string(c.from) + "-" + std::to_string(c.to);
        Harness ui;
        CPortDescription dlg;
        std::chrono::steady_clock::duration applyTime{};
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ReadDone(d, 52);
            sim->ClearRequests();
            d.ChooseComboItem(IDC_FROM_PORT, std::to_string(c.from));
            EXPECT_EQ(d.GetText(IDC_TO_PORT), std::to_string(c.from)) << "To follows From";
            d.ChooseComboItem(IDC_TO_PORT, std::to_string(c.to));
            d.TypeText(IDC_DESCRIPTION, text);
            const auto start = std::chrono::steady_clock::now();
            d.Click(IDC_APPLY);
            applyTime = std::chrono::steady_clock::now() - start;
            // The read that follows gives the buttons back and shows the new texts.
            const auto rows = ReadDone(d, 52);
            EXPECT_EQ(rows[static_cast<size_t>(c.to - 1)][1], text);
            EXPECT_EQ(d.GetText(IDC_DESCRIPTION), "");
            EXPECT_EQ(d.GetSelection(IDC_FROM_PORT), 0);
            EXPECT_EQ(d.GetSelection(IDC_TO_PORT), 0);
            d.Click(IDC_CLOSE);
        });
        const auto sets = Requests("set");
        ASSERT_EQ(sets.size(), c.batches.size());
        for (size_t i = 0; i < sets.size(); ++i) {
            std::vector<std::string> expected;
            for (int p = c.batches[i].first; p <= c.batches[i].second; ++p)
                expected.push_back(Port(portstest::kDescription, p));
            EXPECT_EQ(Oids(sets[i]), expected) << "request " << i;
            for (const auto& v : sets[i].varbinds) {
                EXPECT_EQ(v.type, "s");
                EXPECT_EQ(v.value, text);
            }
        }
        // A pause of 100 ms follows each full batch of 15.
        const auto pauses = static_cast<int>(c.batches.size()) - 1;
        EXPECT_GE(applyTime, pauses * 100ms);
    }
}

TEST_F(PortDescriptionTest, EmptyTextClearsTheRange) {
    Harness ui;
    CPortDescription dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d, 28);
        d.ChooseComboItem(IDC_FROM_PORT, "1");
        d.ChooseComboItem(IDC_TO_PORT, "2");
        d.Click(IDC_APPLY);
        const auto rows = ReadDone(d, 28);
        EXPECT_EQ(rows[0][1], "");
        EXPECT_EQ(rows[1][1], "");
        d.Click(IDC_CLOSE);
    });
    const auto sets = Requests("set");
    ASSERT_EQ(sets.size(), 1u);
    ASSERT_EQ(sets[0].varbinds.size(), 2u);
    EXPECT_EQ(sets[0].varbinds[0].hex, "");
}

TEST_F(PortDescriptionTest, ToBelowFromIsRefusedAndReset) {
    Harness ui;
    CPortDescription dlg;
    ui.ScriptMessageBoxes({IDOK});
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d, 28);
        d.ChooseComboItem(IDC_FROM_PORT, "5");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "5");
        d.ChooseComboItem(IDC_TO_PORT, "2");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "5");
        d.ChooseComboItem(IDC_TO_PORT, "9");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "9");
        d.Click(IDC_CLOSE);
    });
    const auto shown = ui.ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "'To Port' can not be smaller than 'From Port'");
    EXPECT_EQ(shown[0].Buttons(), static_cast<UINT>(MB_OK));
    EXPECT_TRUE(Requests("set").empty());
}

TEST_F(PortDescriptionTest, UnansweredWriteStillGivesTheButtonsBackAndReadsAgain) {
    Harness ui;
    CPortDescription dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d, 28);
        ASSERT_TRUE(sim->Silence(portstest::kDescription));
        sim->ClearRequests();
        d.ChooseComboItem(IDC_FROM_PORT, "4");
        d.TypeText(IDC_DESCRIPTION, "lost");
        d.Click(IDC_APPLY);
        ReadDone(d, 28);
        EXPECT_TRUE(d.IsEnabled(IDC_APPLY));
        EXPECT_TRUE(d.IsEnabled(IDC_CLOSE));
        d.Click(IDC_CLOSE);
    });
    const auto log = sim->Requests();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0].pdu, "set");
    EXPECT_FALSE(log[0].answered);
    EXPECT_GE(GetNextsFrom(portstest::kPrivate + "1.16.1.1"), 1u) << "a read follows the failed write";
}

}  // namespace
