// The black list against the simulated switch: rows shown at the end of the read, the local
// filter, and delete of the selected entry.
#include <functional>

#include "features/security/IMPBBlackList.h"
#include "resources/templates/IMPBDialogsIds.h"
#include "tests/features/security/SecurityFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace impb_black_list_ids;
using namespace securitytest;

namespace {

const std::string kBlackList = kPrivate + "14.10.4.1.";
using Rows = std::vector<std::vector<std::string>>;
const std::vector<std::string> kFirst{"1", "192.168.1.20", "00-11-22-33-44-55", "2"};
const std::vector<std::string> kSecond{"2", "192.168.1.21", "00-11-22-33-44-55", "5"};
const std::vector<std::string> kThird{"1", "2001:db8::20", "00-AA-BB-CC-DD-EE", "2"};

class IMPBBlackListTest : public SecurityTest {
protected:
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        RunAfterRead<CIMPBBlackList>(ui, IDC_REFRESH, script);
    }
};

TEST_F(IMPBBlackListTest, RowsAppearAtTheEndOfTheRead) {
    ASSERT_TRUE(sim->Delay(100));
    sim->ClearRequests();
    Harness ui;
    CIMPBBlackList dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return Requests("getnext").size() >= 3; }));
        EXPECT_TRUE(d.GetRows(IDC_LIST).empty());
        EXPECT_FALSE(d.IsEnabled(IDC_FIND));
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
        EXPECT_EQ(d.GetRows(IDC_LIST), (Rows{kFirst, kSecond, kThird}));
        EXPECT_EQ(d.GetText(IDC_TOTAL), "3");
        d.Close();
    });
}

TEST_F(IMPBBlackListTest, FindFiltersTheLastRead) {
    struct Case {
        std::string vid, ip, mac, port;
        Rows rows;
        std::string message;
    };
    const Case cases[] = {
        {"1", "", "00-11-22-33-44-55", "", {kFirst}, ""},
        {"1", "", "00-aa-bb-cc-dd-ee", "", {kThird}, ""},
        {"", "", "", "2", {kFirst, kThird}, ""},
        {"", "2001:0db8::20", "", "", {kThird}, ""},
        {"", "10.0.0", "", "", {kThird}, "Please enter correct IP format."},  // the list as before
        {"", "", "", "", {kFirst, kSecond, kThird}, ""},
    };
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        const size_t requests = sim->Requests().size();
        for (const Case& c : cases) {
            SCOPED_TRACE(c.vid + "/" + c.ip + "/" + c.mac + "/" + c.port);
            const size_t shown = ui.ShownMessageBoxes().size();
            if (!c.message.empty()) ui.ScriptMessageBoxes({IDOK});
            d.TypeText(IDC_VID, c.vid);
            d.TypeText(IDC_ADDRESS, c.ip);
            d.TypeText(IDC_MAC, c.mac);
            d.TypeText(IDC_PORT, c.port);
            d.Click(IDC_FIND);
            EXPECT_EQ(d.GetRows(IDC_LIST), c.rows);
            EXPECT_EQ(d.GetText(IDC_TOTAL), "3");
            if (c.message.empty()) {
                EXPECT_EQ(ui.ShownMessageBoxes().size(), shown);
                for (int id : {IDC_VID.id, IDC_ADDRESS.id, IDC_MAC.id, IDC_PORT.id}) EXPECT_EQ(d.GetText(id), "") << id;
            } else {
                ASSERT_EQ(ui.ShownMessageBoxes().size(), shown + 1);
                EXPECT_EQ(ui.ShownMessageBoxes().back().text, c.message);
            }
        }
        EXPECT_EQ(sim->Requests().size(), requests) << "the switch is not asked";
    });
}

TEST_F(IMPBBlackListTest, DeleteRemovesTheSelectedEntry) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        d.Click(IDC_DELETE);
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Please select the item would be delete!\n");
        EXPECT_TRUE(Sets().empty());
        d.ClickListRow(IDC_LIST, 0);
        d.Click(IDC_DELETE);
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
        EXPECT_EQ(d.GetRows(IDC_LIST), (Rows{kSecond, kThird}));
        EXPECT_EQ(d.GetText(IDC_TOTAL), "2");
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{kBlackList + "5.0.17.34.51.68.85.1.2 := 1"}));
}

}  // namespace
