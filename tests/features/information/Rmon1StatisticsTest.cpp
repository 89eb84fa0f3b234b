// The RMON 1 statistics list and its entry dialog, used as a person would: what the walk asks
// and lists, the titles of a row click, what Add and Delete write (from the switch's request
// log), what the entry dialog refuses, and a list that holds the table once however Refresh,
// Add and a slow walk meet.
#include <set>

#include "features/information/Rmon1Entry.h"
#include "tests/features/information/InformationFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace infotest {
namespace {

using namespace rmon1_statistic_ids;

std::vector<std::string> Column0(const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::string> out;
    for (const auto& r : rows) out.push_back(r[0]);
    return out;
}

TEST_F(InformationTest, ListShowsTheEntriesAndARowClickNamesItsPort) {
    {
        Harness ui;
        CStatisticRmon1 dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            EXPECT_EQ(dlg.GetWindowText(), " RMON 1 Statistic Information:  Port 1");
            EXPECT_FALSE(d.IsEnabled(IDC_DELETE));
            ASSERT_TRUE(WaitUntil([&] { return !dlg.Reading() && d.GetText(IDC_NUMBER) == "28"; }));
            const auto rows = d.GetRows(IDC_LIST);
            ASSERT_EQ(rows.size(), 28u);
            EXPECT_EQ(rows[11], (std::vector<std::string>{"12", "Interface #12"}));
            EXPECT_EQ(d.GetColumns(IDC_LIST), (std::vector<std::string>{" Index    ", " Data Source     "}));
            d.ClickListRow(IDC_LIST, 11);
            EXPECT_EQ(dlg.GetWindowText(), " RMON1 Group Info - Port : 12");
            EXPECT_TRUE(d.IsEnabled(IDC_DELETE));
            d.Click(IDCANCEL);
        });
        const auto walk = Requests("getnext");
        ASSERT_GE(walk.size(), 29u);
        EXPECT_EQ(Oids(walk[0]), (std::vector<std::string>{kEtherStats + "1", kEtherStats + "2"}));
        EXPECT_EQ(walk[0].community, "norfen");
    }
    // A device with fewer interfaces than the row's port gives port 1.
    ASSERT_TRUE(sim->Serve(kIfNumber, "i", "11"));
    Harness ui;
    RunList(ui, 28, [&](DialogDriver& d, CStatisticRmon1& dlg) {
        ASSERT_TRUE(WaitUntil([&] { return dlg.InterfaceCount() == 11; }));
        d.ClickListRow(IDC_LIST, 11);
        EXPECT_EQ(dlg.GetWindowText(), " RMON1 Group Info - Port : 1");
        d.ClickListRow(IDC_LIST, 10);
        EXPECT_EQ(dlg.GetWindowText(), " RMON1 Group Info - Port : 11");
    });
}

TEST_F(InformationTest, AddWritesOneRequestAndListsTheEntryUnderCreation) {
    Harness ui;
    ui.OnModal<CRmon1Entry>([](DialogDriver& d) {
        using namespace rmon1_entry_ids;
        EXPECT_EQ(d.GetText(IDC_INDEX), "");
        EXPECT_EQ(d.GetText(IDC_INTERFACE), "");
        EXPECT_EQ(d.GetText(IDC_OWNER), "Zarido");
        d.TypeText(IDC_INDEX, "100");
        d.TypeText(IDC_INTERFACE, "5");
        d.Click(IDOK);
    });
    RunList(ui, 28, [&](DialogDriver& d, CStatisticRmon1& dlg) {
        d.Click(IDC_ADD);
        ASSERT_TRUE(WaitUntil([&] { return !dlg.Reading() && d.GetRows(IDC_LIST).size() == 29; }));
        EXPECT_EQ(d.GetRows(IDC_LIST).back(), (std::vector<std::string>{"100", "Interface #5"}));
        EXPECT_EQ(d.GetText(IDC_NUMBER), "29");
        EXPECT_EQ(dlg.IndexList().back(), "100");
    });
    EXPECT_EQ(Pdus("set"), (std::vector<std::vector<std::string>>{{kEtherStats + "21.100=i:2",
                                                                   kEtherStats + "2.100=o:1.3.6.1.2.1.2.2.1.1.5",
                                                                   kEtherStats + "20.100=s:Zarido"}}));
    EXPECT_EQ(Sets()[0].community, "quastel");
    EXPECT_EQ(sim->GetObject(kEtherStats + "21.100"), "i 3");
    EXPECT_EQ(sim->GetObject(kEtherStats + "1.100"), "i 100");
    EXPECT_EQ(sim->GetObject(kEtherStats + "4.100"), "c 0");
}

TEST_F(InformationTest, EntryDialogRefusesWhatIsNotANumberAndCancelSendsNothing) {
    using namespace rmon1_entry_ids;
    struct Case {
        std::string index, interface, message;
    } cases[] = {
        {"", "5", "Please enter an integer."},
        {"x1", "5", "Please enter an integer."},
        {"0", "5", "Please enter an integer between 1 and 65535."},
        {"65536", "5", "Please enter an integer between 1 and 65535."},
        {"100", "", "Please enter a positive integer."},
        {"100", "5.", "Please enter a positive integer."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index + "/" + c.interface);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        ui.OnModal<CRmon1Entry>([&](DialogDriver& d) {
            d.TypeText(IDC_INDEX, c.index);
            d.TypeText(IDC_INTERFACE, c.interface);
            d.Click(IDOK);
            EXPECT_TRUE(d.IsOpen());
            d.Click(IDCANCEL);
        });
        RunList(ui, 28, [&](DialogDriver& d, CStatisticRmon1&) { d.Click(IDC_ADD); });
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.message);
        EXPECT_TRUE(Sets().empty());
    }
}

TEST_F(InformationTest, DeleteAsksThenInvalidatesTheSelectedEntry) {
    Harness ui;
    ui.ScriptMessageBoxes({IDCANCEL, IDOK});
    RunList(ui, 28, [&](DialogDriver& d, CStatisticRmon1& dlg) {
        d.ClickListRow(IDC_LIST, 2);
        d.Click(IDC_DELETE);
        EXPECT_TRUE(Sets().empty());
        EXPECT_EQ(d.GetRows(IDC_LIST).size(), 28u);
        d.Click(IDC_DELETE);
        EXPECT_FALSE(d.IsEnabled(IDC_DELETE));
        ASSERT_TRUE(WaitUntil([&] { return !dlg.Reading() && d.GetRows(IDC_LIST).size() == 27; }));
        const auto indexes = Column0(d.GetRows(IDC_LIST));
        EXPECT_EQ(std::count(indexes.begin(), indexes.end(), "3"), 0);
    });
    ASSERT_EQ(ui.ShownMessageBoxes().size(), 2u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Do you want to delete the control item?");
    EXPECT_EQ(ui.ShownMessageBoxes()[0].Buttons(), static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(Pdus("set"), (std::vector<std::vector<std::string>>{{kEtherStats + "21.3=i:4"}}));
    EXPECT_FALSE(sim->GetObject(kEtherStats + "21.3").has_value());
}

// Refresh while a slow walk runs leaves it alone; Add during a walk abandons it for a new one.
// Either way the list and the index list hold each entry once.
TEST_F(InformationTest, ListHoldsTheTableOnceWhenRefreshOrAddMeetsAWalk) {
    Harness ui;
    ui.OnModal<CRmon1Entry>([](DialogDriver& d) {
        using namespace rmon1_entry_ids;
        d.TypeText(IDC_INDEX, "200");
        d.TypeText(IDC_INTERFACE, "7");
        d.Click(IDOK);
    });
    RunList(ui, 28, [&](DialogDriver& d, CStatisticRmon1& dlg) {
        ASSERT_TRUE(sim->Delay(20));
        for (int round = 0; round < 2; ++round) {
            d.Click(IDC_REFRESH);
            ASSERT_TRUE(WaitUntil([&] { return d.GetRows(IDC_LIST).size() >= 3; }));
            d.Click(IDC_REFRESH);
            d.Click(IDC_REFRESH);
            if (round == 1) {
                ASSERT_TRUE(WaitUntil([&] { return d.GetRows(IDC_LIST).size() >= 6; }));
                d.Click(IDC_ADD);
            }
            const std::size_t expected = round == 0 ? 28 : 29;
            ASSERT_TRUE(WaitUntil([&] { return !dlg.Reading(); }));
            const auto indexes = Column0(d.GetRows(IDC_LIST));
            EXPECT_EQ(indexes.size(), expected);
            EXPECT_EQ(std::set<std::string>(indexes.begin(), indexes.end()).size(), expected);
            EXPECT_EQ(dlg.IndexList(), indexes);
            EXPECT_EQ(d.GetText(IDC_NUMBER), std::to_string(expected));
        }
    });
}

TEST_F(InformationTest, ListWithVersion3ReadsNothingAndAddStillAsks) {
    ModuleStartupParams::SnmpVersion = "3";
    Harness ui;
    ui.OnModal<CRmon1Entry>([](DialogDriver& d) {
        using namespace rmon1_entry_ids;
        d.TypeText(IDC_INDEX, "100");
        d.TypeText(IDC_INTERFACE, "5");
        d.Click(IDOK);
    });
    CStatisticRmon1 dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        d.Click(IDC_ADD);
        EXPECT_TRUE(d.GetRows(IDC_LIST).empty());
        EXPECT_EQ(d.GetText(IDC_NUMBER), "0");
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(ui.ModalRuns<CRmon1Entry>(), 1);
    EXPECT_TRUE(sim->Requests().empty());
}

// Closing while the walk's answers are slow: nothing reaches the dialog afterwards.
TEST_F(InformationTest, ListClosedDuringASlowWalk) {
    ASSERT_TRUE(sim->Delay(50));
    Harness ui;
    {
        CStatisticRmon1 dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return d.GetRows(IDC_LIST).size() >= 2; }));
            d.Click(IDCANCEL);
        });
    }
    const std::size_t asked = Requests("getnext").size();
    ASSERT_TRUE(WaitUntil([&] {
        const auto all = Requests("getnext");
        return !all.empty() && all.back().answered;
    }));
    EXPECT_EQ(Requests("getnext").size(), asked);
}

}  // namespace
}  // namespace infotest
