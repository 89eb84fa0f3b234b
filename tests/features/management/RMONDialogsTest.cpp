// The RMON global, statistics and history dialogs, used as a person would: what they list,
// what they refuse, what they write (from the switch's request log), their "Delete" buttons
// and their column layout.
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <functional>

#include "core/DeviceProfile.h"
#include "core/ModuleStartupParams.h"
#include "features/management/RMONEthernetStatistics.h"
#include "features/management/RMONHistoryControl.h"
#include "features/management/RmonStatus.h"
#include "platform/ui/WindowExtras.h"
#include "resources/templates/ManagementDialogsIds.h"
#include "tests/features/management/ManagementFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace mgmttest {
namespace {

class RmonDialogsTest : public SnmpAgentTest {
protected:
    // Room on the switch: statistics entries 5 to 28 removed from both tables.
    void MakeRoom() const {
        std::string commands;
        for (int row = 5; row <= 28; ++row) {
            for (int c = 1; c <= 4; ++c)
                commands += "del " + kStats + std::to_string(c) + "." + std::to_string(row) + "\n";
            for (int c : {1, 2, 3, 4, 5, 6, 7, 21})
                commands += "del " + kEtherStats + std::to_string(c) + "." + std::to_string(row) + "\n";
        }
        ASSERT_EQ(sim->Control(commands).find("error"), std::string::npos);
    }
    // A statistics entry left under creation on port 9 (both tables hold it).
    void StaleEntryOnPort9() const {
        Set(kStats + "1.9", "i", "9");
        Set(kStats + "2.9", "o", "1.3.6.1.2.1.2.2.1.1.9");
        Set(kStats + "3.9", "s", "");
        Set(kStats + "4.9", "i", "3");
        for (int c = 3; c <= 7; ++c) Set(kEtherStats + std::to_string(c) + ".9", "c", "0");
    }
    template <class Dialog>
    void Run(Harness& ui, int refresh, const std::function<void(DialogDriver&, Dialog&)>& script) {
        Dialog dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(refresh); }));
            sim->ClearRequests();
            script(d, dlg);
            if (d.IsOpen()) d.Click(kRmonClose);
        });
    }
    std::vector<std::string> StatusWrites(const std::string& statusColumn) const {
        std::vector<std::string> out;
        for (const auto& r : Sets()) {
            for (const auto& v : r.varbinds)
                if (v.oid.rfind(statusColumn + ".", 0) == 0)
                    out.push_back(v.oid.substr(statusColumn.size()) + "=" + v.value);
        }
        return out;
    }
};

TEST_F(RmonDialogsTest, GlobalStateShowsTheSwitchAndApplyWritesThenReads) {
    using namespace rmon_status_ids;
    {
        Harness ui;
        CRmonStatus dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            EXPECT_TRUE(d.IsChecked(IDC_ENABLE));
            EXPECT_FALSE(d.IsChecked(IDC_DISABLE));
            sim->ClearRequests();
            d.Click(IDC_DISABLE);
            d.Click(IDC_APPLY);
            EXPECT_TRUE(d.IsChecked(IDC_DISABLE));
            d.Click(IDC_CLOSE);
        });
        std::vector<std::string> pdus;
        for (const auto& r : sim->Requests()) pdus.push_back(r.pdu + " " + r.varbinds[0].value);
        EXPECT_EQ(pdus, (std::vector<std::string>{"set 2", "get "}));
        EXPECT_EQ(sim->GetObject(P + ".47.1.0"), "i 2");
    }
    // Neither choice is shown without a read; Apply then writes "disabled".
    ModuleStartupParams::TimeoutMs = "200";
    ASSERT_TRUE(sim->Silence());
    Harness ui;
    CRmonStatus dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_FALSE(d.IsChecked(IDC_ENABLE));
        EXPECT_FALSE(d.IsChecked(IDC_DISABLE));
        sim->ClearRequests();
        d.Click(IDC_APPLY);
        d.Click(IDC_CLOSE);
    });
    const auto sets = Sets();
    ASSERT_FALSE(sets.empty());
    EXPECT_EQ(sets[0].varbinds[0].value, "2");
}

TEST_F(RmonDialogsTest, StatisticsApplyRefusals) {
    using namespace rmon_statistics_ids;
    MakeRoom();
    struct Case {
        std::string index, port, text;
    } cases[] = {
        {"0", "5", "Index must be between 1 and 65535!"},
        {"65536", "5", "Index must be between 1 and 65535!"},
        {"", "5", "Index must be between 1 and 65535!"},
        {"3", "5", "Index had already exits!"},
        {"30", "0", "Port number must be between 1 and 28!"},
        {"30", "", "Port number must be between 1 and 28!"},
        {"30", "29", "Port number must be between 1 and 28!"},
        {"30", "4", "Setting error. Port number had already exits!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index + "/" + c.port);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run<CRMONEthernetStatistics>(ui, IDC_REFRESH, [&](DialogDriver& d, CRMONEthernetStatistics&) {
            d.TypeText(IDC_INDEX, c.index);
            d.TypeText(IDC_PORT, c.port);
            d.Click(IDC_APPLY);
            EXPECT_EQ(d.GetText(IDC_PORT), c.port);
        });
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.text);
        EXPECT_TRUE(sim->Requests().empty());
    }
}

TEST_F(RmonDialogsTest, StatisticsApplyTakesAPortHeldOnlyByAStaleEntryAndListsTheValidOnes) {
    using namespace rmon_statistics_ids;
    MakeRoom();
    StaleEntryOnPort9();
    Set(kEtherStats + "4.2", "c", "3000000000");
    Harness ui;
    Run<CRMONEthernetStatistics>(ui, IDC_REFRESH, [&](DialogDriver& d, CRMONEthernetStatistics& dlg) {
        d.TypeText(IDC_INDEX, "30");
        d.TypeText(IDC_PORT, "9");
        d.TypeText(IDC_OWNER, "me");
        d.Click(IDC_APPLY);
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
        EXPECT_EQ(StatusWrites(kStats + "4"), (std::vector<std::string>{".9=4", ".30=2", ".30=1"}));
        for (auto id : {IDC_INDEX, IDC_PORT, IDC_OWNER}) EXPECT_EQ(d.GetText(id), "");
        const auto rows = d.GetRows(IDC_LIST);
        std::vector<std::string> indexes;
        for (const auto& r : rows) indexes.push_back(r[0]);
        EXPECT_EQ(indexes, (std::vector<std::string>{"1", "2", "3", "4", "30"}));
        EXPECT_EQ(rows[1][3], "3000000000");
        EXPECT_EQ(rows[4][1], "9");
        EXPECT_EQ(rows[4][7], "me");
        for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
            QPushButton* button = CellButton(dlg, IDC_LIST, row, 8);
            ASSERT_NE(button, nullptr) << row;
            EXPECT_EQ(button->text().toStdString(), "Delete");
        }
    });
}

TEST_F(RmonDialogsTest, HistoryApplyRefusesOutOfRangeAndResetsItsInputsAfterAWrite) {
    using namespace rmon_history_ids;
    struct Case {
        std::string buckets, interval, text;
    } cases[] = {
        {"51", "1800", "Buckets requested must be between 1 and 50!"},
        {"0", "1800", "Buckets requested must be between 1 and 50!"},
        {"50", "3601", "Interval must be between 1 and 3600!"},
        {"50", "0", "Interval must be between 1 and 3600!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run<CRMONHistoryControl>(ui, IDC_REFRESH, [&](DialogDriver& d, CRMONHistoryControl&) {
            d.TypeText(IDC_INDEX, "7");
            d.TypeText(IDC_PORT, "3");
            d.TypeText(IDC_BUCKETS, c.buckets);
            d.TypeText(IDC_INTERVAL, c.interval);
            d.Click(IDC_APPLY);
        });
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.text);
        EXPECT_TRUE(sim->Requests().empty());
    }
    // Two entries on port 1 (entry 1 is there); then one the switch refuses: the inputs go
    // back to their defaults either way.
    Harness ui;
    Run<CRMONHistoryControl>(ui, IDC_REFRESH, [&](DialogDriver& d, CRMONHistoryControl&) {
        for (const char* index : {"7", "8"}) {
            if (std::string(index) == "8") {
                ASSERT_TRUE(sim->Command("readonly " + kHistory + "3.8"));
            }
            d.TypeText(IDC_INDEX, index);
            d.TypeText(IDC_PORT, "1");
            d.TypeText(IDC_BUCKETS, "10");
            d.TypeText(IDC_INTERVAL, "30");
            d.Click(IDC_APPLY);
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
            EXPECT_EQ(d.GetText(IDC_INTERVAL), "1800");
            EXPECT_EQ(d.GetText(IDC_BUCKETS), "50");
            EXPECT_EQ(d.GetText(IDC_INDEX), "");
        }
        const auto rows = d.GetRows(IDC_LIST);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[1], (std::vector<std::string>{"7", "1", "10", "10", "30", "", ""}));
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
}

TEST_F(RmonDialogsTest, DeleteRemovesTheEntryAtOnceButNotWhileAReadRuns) {
    using namespace rmon_history_ids;
    Set(kHistory + "1.2", "i", "2");
    Set(kHistory + "2.2", "o", "1.3.6.1.2.1.2.2.1.1.2");
    Set(kHistory + "3.2", "i", "5");
    Set(kHistory + "4.2", "i", "5");
    Set(kHistory + "5.2", "s", "");
    Set(kHistory + "6.2", "i", "1");
    Set("1.3.6.1.2.1.16.2.1.1.4.2", "i", "5");
    Harness ui;
    Run<CRMONHistoryControl>(ui, IDC_REFRESH, [&](DialogDriver& d, CRMONHistoryControl& dlg) {
        ASSERT_EQ(d.GetRows(IDC_LIST).size(), 2u);
        // A click while a read runs sends nothing.
        ASSERT_TRUE(sim->Delay(400));
        d.Click(IDC_REFRESH);
        EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
        EXPECT_TRUE(d.IsEnabled(IDC_LIST));
        QPushButton* button = CellButton(dlg, IDC_LIST, 1, 6);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(Sets().empty());
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
        sim->ClearFaults();
        // Otherwise the entry goes without a question and the list is read again.
        sim->ClearRequests();
        button = CellButton(dlg, IDC_LIST, 1, 6);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(StatusWrites(kHistory + "6"), (std::vector<std::string>{".2=4"}));
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
        EXPECT_GT(GetNextsFrom(kHistory + "1"), 0u);
        EXPECT_EQ(d.GetRows(IDC_LIST).size(), 1u);
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
}

TEST_F(RmonDialogsTest, ColumnsFollowTheirTextsAndShareTheRest) {
    using namespace rmon_statistics_ids;
    MakeRoom();
    ASSERT_TRUE(sim->Delay(300));
    Harness ui;
    CRMONEthernetStatistics dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        auto* list = dynamic_cast<CListCtrl*>(dlg.GetDlgItem(IDC_LIST));
        ASSERT_NE(list, nullptr);
        // Before the first read ends: inputs disabled, the list usable, room for the buttons.
        for (auto id : {IDC_INDEX, IDC_PORT, IDC_OWNER}) EXPECT_FALSE(d.IsEnabled(id));
        for (auto id : {IDC_APPLY, IDC_REFRESH}) EXPECT_FALSE(d.IsEnabled(id));
        EXPECT_TRUE(d.IsEnabled(IDC_LIST));
        ASSERT_TRUE(WaitUntil([&] { return list->GetColumnWidth(8) > 4; }));
        EXPECT_TRUE(d.GetRows(IDC_LIST).empty());
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
        ui::test::Flush();  // what the read's end posted
        const HWND h = list->GetSafeHwnd();
        const int fitted[] = {ui::TextWidth(h, "Drop Event ") + 10, ui::TextWidth(h, "Octets    ") + 20,
                              ui::TextWidth(h, "Packets ") + 15, ui::TextWidth(h, "Broadcast \n Packets ") + 10,
                              ui::TextWidth(h, "Multicast \n Packets ") + 10};
        CRect rect;
        list->GetWindowRect(&rect);
        int sum = 0;
        for (int w : fitted) sum += w;
        const int shared = (rect.Width() - sum - 20) / 4;
        const std::vector<int> expected = {shared,    shared,    fitted[0], fitted[1], fitted[2],
                                           fitted[3], fitted[4], shared,    shared};
        std::vector<int> widths;
        for (int c = 0; c < 9; ++c) widths.push_back(list->GetColumnWidth(c));
        EXPECT_EQ(widths, expected);
        ASSERT_EQ(d.GetRows(IDC_LIST).size(), 4u);
        for (int row = 0; row < 4; ++row) EXPECT_NE(CellButton(dlg, IDC_LIST, row, 8), nullptr) << row;
        d.Click(IDC_CLOSE);
    });
}

}  // namespace
}  // namespace mgmttest
