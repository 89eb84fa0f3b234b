// IP-MAC-port binding: the index texts of the three tables, and the white list against the
// simulated switch (every row listed and counted, delete of the selected row).
#include <chrono>
#include <functional>

#include "features/security/IMPBWhiteList.h"
#include "features/security/IMPFunclogic.h"
#include "resources/templates/IMPBDialogsIds.h"
#include "tests/features/security/SecurityFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace impb_white_list_ids;
using namespace securitytest;

namespace {

const std::string kImpb = kPrivate + "14.10";

TEST(IMPBIndexTest, IndexTextsFromRecordTexts) {
    struct Case {
        const char* table;
        IMPBEntry entry;
        std::string oid;
    };
    const Case cases[] = {
        {"binding", {"192.168.1.10", "00-11-22-33-44-55", "1", "3", "1"}, ".2.1.5.0.17.34.51.68.85.3.4.192.168.1.10"},
        {"binding IPv6",
         {"fe80:0000:0000:0000:0211:22ff:fe33:4455", "00-11-22-33-44-66", "1", "4", "1"},
         ".2.1.5.0.17.34.51.68.102.4.16.254.128.0.0.0.0.0.0.2.17.34.255.254.51.68.85"},
        {"white list", {"10.0.0.1", "00-00-00-00-00-01", "", "7", "1"}, ".3.1.4.4.10.0.0.1.0.0.0.0.0.1"},
        {"white list IPv6",
         {"2001:db8::1", "00-00-00-00-00-0A", "", "7", "1"},
         ".3.1.4.16.32.1.13.184.0.0.0.0.0.0.0.0.0.0.0.1.0.0.0.0.0.10"},
        {"black list", {"192.168.1.20", "00-11-22-33-44-55", "1", "2", "0"}, ".4.1.5.0.17.34.51.68.85.1.2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        const std::string table(c.table);
        const std::string index = table.starts_with("binding") ? ".2.1.5" + ImpbBindingIndex(c.entry)
                                  : table.starts_with("white") ? ".3.1.4" + ImpbWhiteListIndex(c.entry)
                                                               : ".4.1.5" + ImpbBlackListIndex(c.entry);
        EXPECT_EQ(index, c.oid);
    }
}

class IMPBWhiteListTest : public SecurityTest {
protected:
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        RunAfterRead<CIMPBWhiteList>(ui, IDC_REFRESH, script);
    }
};

TEST_F(IMPBWhiteListTest, EveryRowListedAndTheSelectedOneDeleted) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetColumns(IDC_LIST), (std::vector<std::string>{"IP Address", "Mac Address", "Port"}));
        EXPECT_EQ(d.GetRows(IDC_LIST), (std::vector<std::vector<std::string>>{{"10.0.0.1", "00-00-00-00-00-01", "7"},
                                                                              {"10.0.0.2", "00-00-00-00-00-02", "8"}}));
        EXPECT_EQ(d.GetText(IDC_TOTAL), "2");
        d.Click(IDC_DELETE);
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Please select the item would be delete!\n");
        EXPECT_TRUE(Sets().empty());
        d.ClickListRow(IDC_LIST, 0);
        d.Click(IDC_DELETE);
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
        EXPECT_EQ(d.GetRows(IDC_LIST), (std::vector<std::vector<std::string>>{{"10.0.0.2", "00-00-00-00-00-02", "8"}}));
        EXPECT_EQ(d.GetText(IDC_TOTAL), "1");
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{kImpb + ".3.1.4.4.10.0.0.1.0.0.0.0.0.1 := 6"}));
}

TEST_F(IMPBWhiteListTest, ClosingDuringAReadDoesNotWait) {
    ASSERT_TRUE(sim->Delay(300));
    Harness ui;
    std::chrono::steady_clock::time_point closed;
    sim->ClearRequests();
    CIMPBWhiteList dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return !sim->Requests().empty(); }));
        EXPECT_FALSE(d.IsEnabled(IDC_REFRESH));
        closed = std::chrono::steady_clock::now();
        d.Close();
    });
    EXPECT_LT(std::chrono::steady_clock::now() - closed, std::chrono::milliseconds(kCloseBoundMs));
}

}  // namespace
