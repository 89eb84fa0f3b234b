// The information pages of scalars against the simulated switch, one table of cases over the
// DHCP, VLAN and trunk pages: the GET and what each control shows, a short answer, version 3,
// and what the OK command writes; then the syslog settings with their Apply, and the IGMP
// router ports layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>

#include "core/ModuleStartupParams.h"
#include "resources/templates/InfoPagesDialogsIds.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/ui/UiHarness.h"
#include "tests/views/direct/SimV3.h"
#include "views/direct/InfoScalars.h"
#include "views/direct/SyslogCfgDlg.h"

using namespace std::chrono_literals;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace {

const std::string kQ = "1.3.6.1.4.1.32473.10.94.89.89.";

// What a control shows: its text, or for a check box "checked" / "unchecked".
struct Shown {
    int id;
    std::string value;
};

struct Values {
    std::vector<std::pair<std::string, std::string>> set;  // INTEGER objects set first
    std::vector<Shown> shown;
};

struct ScalarCase {
    const char* name;
    std::function<std::unique_ptr<CDirectSnmpDlg>()> make;
    std::string title;
    std::vector<std::string> oids;      // the GET, in order
    std::vector<int> checks;            // the controls that are check boxes
    std::vector<Values> values;         // the model's values first
    std::vector<std::string> okWrites;  // the OK command's SET, "oid=type:value"
};

template <class Page>
std::function<std::unique_ptr<CDirectSnmpDlg>()> Make() {
    return [] { return std::make_unique<Page>(); };
}

std::vector<ScalarCase> Cases() {
    return {
        {"DHCP",
         Make<CDHCPInfoDlg>(),
         "DHCP Information",
         {kQ + "38.14.0", kQ + "38.26.0", kQ + "38.31.0"},
         {},
         {{{}, {{1310, "1.2"}, {1312, "Yes"}, {1313, "No"}}},
          {{{kQ + "38.26.0", "2"}, {kQ + "38.31.0", "3"}}, {{1312, "No"}, {1313, "Yes"}}},
          {{{kQ + "38.26.0", "0"}, {kQ + "38.31.0", "1"}}, {{1312, "Yes"}, {1313, "Yes"}}}},
         {}},
        {"VLAN",
         Make<CVlanInfoDlg>(),
         "VLAN Configuration",
         {kQ + "48.1.0", kQ + "48.2.0", kQ + "48.27.0", kQ + "48.29.0", kQ + "48.31.0", kQ + "48.32.0", kQ + "48.35.0",
          kQ + "48.36.0", kQ + "48.38.0"},
         {1008, 1009, 1098},
         {{{},
           {{1310, "1.0"},
            {1312, "256"},
            {1008, "unchecked"},
            {1313, "Yes"},
            {1314, "No"},
            {1009, "checked"},
            {1315, "Yes"},
            {1316, "1"},
            {1098, "unchecked"}}},
          {{{kQ + "48.27.0", "1"},
            {kQ + "48.29.0", "2"},
            {kQ + "48.31.0", "3"},
            {kQ + "48.35.0", "0"},
            {kQ + "48.38.0", "1"}},
           {{1008, "checked"}, {1313, "No"}, {1314, "No"}, {1315, "No"}, {1098, "checked"}}}},
         {kQ + "48.27.0=i:2"}},
        {"trunk",
         Make<CTrunkInfoDlg>(),
         "Trunk Information",
         {kQ + "65.1.0", kQ + "65.3.0", kQ + "65.4.0", kQ + "65.5.0"},
         {},
         {{{}, {{1310, "1.0"}, {1312, "8"}, {1313, "8"}, {1314, "supportsTrunkOrLacp"}}},
          {{{kQ + "65.5.0", "0"}}, {{1314, "notSupported"}}},
          {{{kQ + "65.5.0", "2"}}, {{1314, "supportsTrunkOrLacp"}}}},
         {}},
    };
}

class InfoScalarsTest : public switchsim::ModuleTargetTest {
protected:
    static std::string ShownValue(const ScalarCase& c, DialogDriver& d, int id) {
        if (std::find(c.checks.begin(), c.checks.end(), id) != c.checks.end())
            return d.IsChecked(id) ? "checked" : "unchecked";
        return d.GetText(id);
    }
    // Whether every control shows its value.
    static bool ShowsAll(const ScalarCase& c, DialogDriver& d, const std::vector<Shown>& shown) {
        for (const Shown& s : shown)
            if (ShownValue(c, d, s.id) != s.value) return false;
        return true;
    }
    std::vector<std::string> SetVarbinds() const {
        std::vector<std::string> out;
        for (const auto& r : Sets())
            for (const auto& v : r.varbinds) out.push_back(v.oid + "=" + v.type + ":" + v.value);
        return out;
    }
};

// The GET asks for the page's objects in order with the read community; each value set on
// the switch shows in its control after a Refresh.
TEST_F(InfoScalarsTest, ControlsShowTheirValues) {
    for (const ScalarCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Harness ui;
        const auto page = c.make();
        ui.RunModal(*page, [&](DialogDriver& d) {
            EXPECT_EQ(page->GetWindowText(), c.title);
            for (std::size_t i = 0; i < c.values.size(); ++i) {
                SCOPED_TRACE(i);
                for (const auto& [oid, value] : c.values[i].set) Set(oid, "i", value);
                if (i > 0) d.Click(vlan_info_ids::IDC_REFRESH);
                EXPECT_TRUE(WaitUntil([&] { return ShowsAll(c, d, c.values[i].shown); }));
                for (const Shown& s : c.values[i].shown) EXPECT_EQ(ShownValue(c, d, s.id), s.value) << s.id;
            }
            d.Click(vlan_info_ids::IDC_CLOSE);
        });
        const auto gets = Requests("get");
        ASSERT_EQ(gets.size(), c.values.size());
        EXPECT_EQ(Oids(gets[0]), c.oids);
        EXPECT_EQ(gets[0].community, "norfen");
        EXPECT_TRUE(Sets().empty());
    }
}

// An answer without the last value shows nothing at all.
TEST_F(InfoScalarsTest, AnswerWithAValueFewerChangesNothing) {
    for (const ScalarCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(sim->Serve(c.oids.back(), "n", ""));
        sim->ClearRequests();
        Harness ui;
        const auto page = c.make();
        ui.RunModal(*page, [&](DialogDriver& d) {
            // The read has ended: its answer has been handled.
            ASSERT_TRUE(WaitUntil([&] { return Requests("get").size() == 1 && !page->Reading(); }));
            for (const Shown& s : c.values[0].shown) {
                const bool check = std::find(c.checks.begin(), c.checks.end(), s.id) != c.checks.end();
                EXPECT_EQ(ShownValue(c, d, s.id), check ? "unchecked" : "") << s.id;
            }
            d.Click(vlan_info_ids::IDC_CLOSE);
        });
        ASSERT_TRUE(sim->ClearFaults());
    }
}

TEST_F(InfoScalarsTest, Version3ShowsNothingAndSendsNothing) {
    directtest::UseSimV3("2");
    for (const ScalarCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        Harness ui;
        const auto page = c.make();
        ui.RunModal(*page, [&](DialogDriver& d) {
            d.Click(vlan_info_ids::IDC_REFRESH);
            page->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            EXPECT_EQ(d.GetText(vlan_info_ids::IDC_MIB_VERSION), "");
            d.Click(vlan_info_ids::IDC_CLOSE);
        });
    }
    EXPECT_TRUE(sim->Requests().empty());
}

// The OK command (no visible control runs it) writes the VLAN page's switch for unknown VLANs
// as one SET with the write community, and nothing on the DHCP and trunk pages; the page stays
// open.
TEST_F(InfoScalarsTest, OkCommandWrites) {
    for (const ScalarCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        sim->ClearRequests();
        Harness ui;
        const auto page = c.make();
        ui.RunModal(*page, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return ShowsAll(c, d, c.values[0].shown); }));
            page->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            EXPECT_TRUE(d.IsOpen());
            d.Click(vlan_info_ids::IDC_CLOSE);
        });
        EXPECT_EQ(SetVarbinds(), c.okWrites);
        for (const auto& r : Sets()) EXPECT_EQ(r.community, "quastel");
    }
}

TEST_F(InfoScalarsTest, VlanOkCommandWritesTheCheckBox) {
    Harness ui;
    CVlanInfoDlg page;
    ui.RunModal(page, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return d.GetText(vlan_info_ids::IDC_MAX_TABLE) == "256"; }));
        page.CheckDlgButton(vlan_info_ids::IDC_SEND_UNKNOWN, BST_CHECKED);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        d.Click(vlan_info_ids::IDC_CLOSE);
    });
    EXPECT_EQ(SetVarbinds(), (std::vector<std::string>{kQ + "48.27.0=i:1"}));
    EXPECT_EQ(sim->GetObject(kQ + "48.27.0"), "i 1");
}

// The syslog settings.
class SyslogCfgTest : public InfoScalarsTest {
protected:
    const std::string kP = kQ + "82.2.";
};

TEST_F(SyslogCfgTest, ReadShowsTheSettingsAndApplyWritesThemBack) {
    using namespace syslog_config_ids;
    Harness ui;
    CSyslogCfgDlg page;
    ui.RunModal(page, [&](DialogDriver& d) {
        EXPECT_EQ(page.GetWindowText(), "Syslog Configuration");
        EXPECT_EQ(d.GetItems(IDC_FILE), (std::vector<std::string>{"Emergency", "Alert", "Critical", "Error", "Warning",
                                                                  "Notice", "Info", "Debug", "NotActive"}));
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
        EXPECT_TRUE(d.IsChecked(IDC_ENABLE));
        EXPECT_EQ(d.GetText(IDC_CONSOLE), "Error");
        EXPECT_EQ(d.GetText(IDC_FILE), "Debug");
        EXPECT_EQ(d.GetText(IDC_CACHE), "Info");
        d.Click(IDC_APPLY);
        d.ChooseComboItem(IDC_CONSOLE, "NotActive");
        d.Check(IDC_ENABLE, false);
        d.Click(IDC_APPLY);
        EXPECT_TRUE(d.IsOpen());
        d.Click(IDC_CLOSE);
    });
    const auto gets = Requests("get");
    ASSERT_EQ(gets.size(), 1u);
    EXPECT_EQ(Oids(gets[0]), (std::vector<std::string>{kP + "1.0", kP + "2.0", kP + "3.0", kP + "4.0"}));
    EXPECT_EQ(SetVarbinds(),
              (std::vector<std::string>{kP + "1.0=i:1", kP + "2.0=i:3", kP + "3.0=i:7", kP + "4.0=i:6", kP + "1.0=i:2",
                                        kP + "2.0=i:8", kP + "3.0=i:7", kP + "4.0=i:6"}));
    ASSERT_EQ(Sets().size(), 2u);
    EXPECT_EQ(Sets()[1].community, "quastel");
    EXPECT_EQ(sim->GetObject(kP + "1.0"), "i 2");
    EXPECT_EQ(sim->GetObject(kP + "2.0"), "i 8");
}

TEST_F(SyslogCfgTest, SeverityOutsideTheListSelectsEmergency) {
    using namespace syslog_config_ids;
    Set(kP + "2.0", "i", "12");
    Set(kP + "4.0", "i", "-1");
    Harness ui;
    CSyslogCfgDlg page;
    ui.RunModal(page, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
        EXPECT_EQ(d.GetText(IDC_CONSOLE), "Emergency");
        EXPECT_EQ(d.GetText(IDC_FILE), "Debug");
        EXPECT_EQ(d.GetText(IDC_CACHE), "Emergency");
        d.Click(IDC_CLOSE);
    });
}

// Apply waits for a read that answered every value: a silent switch, a short answer or
// version 3 never have the page write its empty controls.
TEST_F(SyslogCfgTest, ApplyStaysDisabledWithoutAWholeAnswer) {
    using namespace syslog_config_ids;
    ModuleStartupParams::TimeoutMs = "300";
    for (const char* fault : {"silence", "short", "version 3"}) {
        SCOPED_TRACE(fault);
        ModuleStartupParams::SnmpVersion = "1";
        const std::string f = fault;
        if (f == "silence") {
            ASSERT_TRUE(sim->Silence());
        }
        if (f == "short") {
            ASSERT_TRUE(sim->Serve(kP + "4.0", "n", ""));
        }
        if (f == "version 3") directtest::UseSimV3("2");
        Harness ui;
        CSyslogCfgDlg page;
        ui.RunModal(page, [&](DialogDriver& d) {
            if (f != "version 3") {
                ASSERT_TRUE(WaitUntil([&] { return !Requests("get").empty(); }));
            }
            // The read has ended (answered, or timed out with a silent switch).
            ASSERT_TRUE(WaitUntil([&] { return !page.Reading(); }));
            EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
            EXPECT_EQ(d.GetSelection(IDC_CONSOLE), -1);
            page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_APPLY.id, BN_CLICKED), 0);
            page.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            d.Click(IDC_CLOSE);
        });
        EXPECT_TRUE(Sets().empty());
        ASSERT_TRUE(sim->ClearFaults());
        sim->ClearRequests();
    }
}

TEST(IGMPRouterPortsTest, ButtonsDoNothingAndEscEndsIt) {
    using namespace igmp_router_ports_ids;
    Harness ui;
    CIGMPRouterPortsSettings page;
    const INT_PTR result = ui.RunModal(page, [&](DialogDriver& d) {
        EXPECT_EQ(page.GetWindowText(), "IGMP Router Ports Settings");
        d.Click(IDC_APPLY);
        d.Click(IDC_CLOSE);
        EXPECT_TRUE(d.IsOpen());
        d.PressEsc();
        EXPECT_TRUE(WaitUntil([&] { return !d.IsOpen(); }));
    });
    EXPECT_EQ(result, IDCANCEL);
}

}  // namespace
