// The RMON control settings against the simulated switch: the read of the six objects, Apply's
// single SET, the refusals of Apply, a short answer, and another SNMP version.
#include "features/information/RmonControlDlg.h"
#include "tests/features/information/InformationFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace infotest {
namespace {

using namespace rmon_control_ids;
const std::string Q = "1.3.6.1.4.1.32473.10.94.89.89.49.";

TEST_F(InformationTest, ControlReadsSixObjectsAndApplyWritesFour) {
    Set(Q + "6.0", "i", "40");
    Harness ui;
    CRmonControlDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_EQ(dlg.GetWindowText(), "RMON Control");
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
        EXPECT_EQ(d.GetText(IDC_MIB_VERSION), "1.0");
        EXPECT_EQ(d.GetText(IDC_QUOTA_BUCKET), "1");
        EXPECT_EQ(d.GetText(IDC_GLOBAL_BUCKETS), "0");
        EXPECT_EQ(d.GetText(IDC_CONTROL_QUOTA_BUCKET), "40");
        EXPECT_EQ(d.GetText(IDC_MAX_GLOBAL_BUCKETS), "100");
        EXPECT_EQ(d.GetText(IDC_MAX_ENTRIES), "1");
        EXPECT_EQ(Pdus("get"),
                  (std::vector<std::vector<std::string>>{{Q + "1.0=null:", Q + "2.0=null:", Q + "3.0=null:",
                                                          Q + "6.0=null:", Q + "7.0=null:", Q + "8.0=null:"}}));
        sim->ClearRequests();
        d.TypeText(IDC_QUOTA_BUCKET, "2");
        d.TypeText(IDC_CONTROL_QUOTA_BUCKET, "60");
        d.TypeText(IDC_MAX_GLOBAL_BUCKETS, "200");
        d.TypeText(IDC_MAX_ENTRIES, "3");
        d.Click(IDC_APPLY);
        EXPECT_TRUE(d.IsOpen());
        EXPECT_EQ(d.GetText(IDC_MAX_ENTRIES), "3");
        d.Click(IDC_CLOSE);
    });
    EXPECT_EQ(Pdus("set"),
              (std::vector<std::vector<std::string>>{{Q + "2.0=i:2", Q + "6.0=i:60", Q + "7.0=i:200", Q + "8.0=i:3"}}));
    EXPECT_EQ(Sets()[0].community, "quastel");
    EXPECT_TRUE(Requests("get").empty());
    EXPECT_EQ(sim->GetObject(Q + "7.0"), "i 200");
}

TEST_F(InformationTest, ControlApplyRefusesEditsThatAreNotNumbers) {
    for (const char* text : {"", "12a", "1.5"}) {
        SCOPED_TRACE(text);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        CRmonControlDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
            d.TypeText(IDC_MAX_GLOBAL_BUCKETS, text);
            d.Click(IDC_APPLY);
            d.Click(IDC_CLOSE);
        });
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Please enter an integer.");
        EXPECT_TRUE(Sets().empty());
    }
}

// A short answer shows nothing and leaves Apply disabled; so does another SNMP version, which
// reads nothing. Refresh then reads the whole answer.
TEST_F(InformationTest, ControlShowsOnlyAWholeAnswer) {
    ASSERT_TRUE(sim->Serve(Q + "8.0", "n", ""));
    {
        Harness ui;
        CRmonControlDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return !Requests("get").empty() && Requests("get")[0].answered; }));
            d.Click(IDC_REFRESH);
            ASSERT_TRUE(WaitUntil([&] { return Requests("get").size() == 2 && Requests("get")[1].answered; }));
            EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
            for (int id : {1304, 1310, 1303, 1312, 1313, 1314}) EXPECT_EQ(d.GetText(id), "") << id;
            ASSERT_TRUE(sim->Command("serve " + Q + "8.0 off"));
            d.Click(IDC_REFRESH);
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
            EXPECT_EQ(d.GetText(IDC_MAX_ENTRIES), "1");
            d.Click(IDC_CLOSE);
        });
    }
    sim->ClearRequests();
    ModuleStartupParams::SnmpVersion = "3";
    Harness ui;
    CRmonControlDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        d.Click(IDC_REFRESH);
        EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
        EXPECT_EQ(d.GetText(IDC_MIB_VERSION), "");
        d.Click(IDC_CLOSE);
    });
    EXPECT_TRUE(sim->Requests().empty());
}

// Closed with its read out: the late answer reaches nobody (the switch answers in order, so it
// has come before the next dialog's answer).
TEST_F(InformationTest, ControlClosedWithItsReadOut) {
    ASSERT_TRUE(sim->Delay(50));
    Harness ui;
    {
        CRmonControlDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return !Requests("get").empty(); }));
            d.Click(IDC_CLOSE);
        });
    }
    CRmonControlDlg next;
    ui.RunModal(next, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
        d.Click(IDC_CLOSE);
    });
}

}  // namespace
}  // namespace infotest
