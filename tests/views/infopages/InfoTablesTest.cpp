// The information tables against the simulated switch, one table of cases over the six
// views (software packages, 802.1X statistics and diagnostics, syslog records, cached records
// and applications): rows and cells, the walk's requests and counter, a short answer, an
// empty table, Refresh and closing during a walk, version 3; then the device information
// view with its power supplies beside its port numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>

#include "core/ModuleStartupParams.h"
#include "resources/templates/InfoPagesDialogsIds.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/switchsim/Settle.h"
#include "tests/support/ui/UiHarness.h"
#include "tests/views/direct/SimV3.h"
#include "views/direct/DeviceInfo.h"
#include "views/direct/InfoTables.h"

using namespace std::chrono_literals;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;
using Rows = std::vector<std::vector<std::string>>;

namespace {

const std::string kQ = "1.3.6.1.4.1.32473.10.94.89.89.";
const std::string kStats = "1.0.8802.1.1.1.1.2.2.1.";
const std::string kDiag = "1.0.8802.1.1.1.1.2.3.1.";

std::vector<std::string> Columns(const std::string& entry, int count) {
    std::vector<std::string> columns;
    for (int k = 1; k <= count; ++k) columns.push_back(entry + std::to_string(k));
    return columns;
}

struct TableCase {
    const char* name;
    std::function<std::unique_ptr<CDirectSnmpDlg>()> make;
    std::string title;
    int listId;
    int refreshId;
    int counterId;  // 0: no counter
    bool perRead;   // a session for each read, version "1" only
    std::vector<std::string> headers;
    std::vector<std::string> columns;  // requested, in this order
    std::size_t count;                 // rows of the whole table
    Rows head;                         // its first rows
    std::vector<std::string> last;     // its last row (for a table longer than `head`)
};

template <class View>
std::function<std::unique_ptr<CDirectSnmpDlg>()> Make() {
    return [] { return std::make_unique<View>(); };
}

std::vector<TableCase> Cases() {
    using namespace syslog_table_ids;
    const std::string eapolSource1 = "\x0A\x32\x47\x3C\x12\x01";
    const std::string eapolSource28 = "\x0A\x32\x47\x3C\x12\x1C";
    return {
        {"packages",
         Make<CSwPackageInfoDlg>(),
         "SwPackage Information",
         sw_package_ids::IDC_LIST,
         sw_package_ids::IDC_REFRESH,
         sw_package_ids::IDC_ENTRIES,
         true,
         {" SwPackageVersionName      ", " SwPackageVersionVesrion   "},
         {kQ + "67.1.1.1", kQ + "67.1.1.2"},
         2,
         // The web package has no version object: its row is not whole, and the table ends.
         {{"boot", "1.0.3"}, {"firmware", "4.0.2"}},
         {}},
        {"802.1X statistics",
         Make<C8021Status>(),
         "802.1x Statistic Information",
         dot1x_table_ids::IDC_STATUS_LIST,
         dot1x_table_ids::IDC_REFRESH,
         0,
         false,
         {"EapolFramesRx", "EapolFramesTx", "EapolStartFramesRx", "EapolLogoffFramesRx", "EapolRespIdFramesRx",
          "EapolRespFramesRx", "EapolReqIdFramesTx", "EapolReqFramesTx", "InvalidEapolFramesRx",
          "EapLengthErrorFramesRx", "LastEapolFrameVersion", "LastEapolFrameSource"},
         Columns(kStats, 12),
         28,
         {{"248", "285", "322", "359", "396", "433", "470", "507", "544", "581", "2", eapolSource1}},
         {"945", "982", "1019", "1056", "1093", "1130", "1167", "1204", "1241", "1278", "2", eapolSource28}},
        {"802.1X diagnostics",
         Make<C8021Diagnosis>(),
         "802.1x Diagnose Information",
         dot1x_table_ids::IDC_DIAGNOSIS_LIST,
         dot1x_table_ids::IDC_REFRESH,
         0,
         false,
         {"EntersConnecting", "EapLogoffsWhileConnecting", "EntersAuthenticating", "AuthSuccessWhileAuthenticating",
          "AuthTimeoutsWhileAuthenticating", "AuthFailWhileAuthenticating", "AuthReauthsWhileAuthenticating",
          "AuthEapStartsWhileAuthenticating", "AuthEapLogoffWhileAuthenticating", "AuthReauthsWhileAuthenticated",
          "AuthEapStartsWhileAuthenticated", "AuthEapLogoffWhileAuthenticated", "BackendResponses",
          "BackendAccessChallenges", "BackendOtherRequestsToSupplicant", "BackendNonNakResponsesFromSupplicant",
          "BackendAuthSuccesses", "BackendAuthFails"},
         Columns(kDiag, 18),
         28,
         {{"64", "75", "86", "97", "108", "119", "130", "141", "152", "163", "174", "185", "196", "207", "218", "229",
           "240", "251"}},
         {"95", "106", "117", "128", "139", "150", "161", "172", "183", "194", "205", "216", "227", "238", "249", "260",
          "271", "282"}},
        {"syslog",
         Make<CSyslogInfoDlg>(),
         "Syslog Information",
         IDC_LIST,
         IDC_REFRESH,
         IDC_ENTRIES,
         true,
         {" Index ", " LogTime                   ", " LogApplication    ", " LogSeverity    ",
          " LogMessage               ", " LogText1                                 ",
          " LogText2                                  ", " LogText3                                 ",
          " LogText4                                   "},
         Columns(kQ + "82.2.8.1.", 9),
         3,
         {{"1", "2026-01-12 08:00:01", "SYS", "Info", "System started", "cold start", "", "", ""},
          {"2", "2026-01-12 08:00:07", "LINK", "Emergency", "Port 3 link down", "port 3", "100M", "full", "cable"},
          {"3", "2026-01-12 09:14:55", "STP", "NotActive", "Topology change", "bridge 1", "root", "", ""}},
         {}},
        {"syslog cache",
         Make<CHisSyslogInfoDlg>(),
         "Syslog Information in Cache",
         IDC_LIST,
         IDC_REFRESH,
         IDC_ENTRIES,
         true,
         {" Index ", " CacheLogTime              ", " CacheLogApplication    ", " CacheLogSeverity    ",
          " CacheLogMessage               ", " CacheLogText1                                 ",
          " CacheLogText2                                  ", " CacheLogText3                                 ",
          " CacheLogText4                                   "},
         Columns(kQ + "82.2.9.1.", 9),
         2,
         {{"1", "2026-01-11 23:59:40", "SYS", "Warning", "Fan slow", "fan 1", "", "", ""},
          {"2", "2026-01-12 00:00:02", "SYS", "Emergency", "Power lost", "supply 1", "", "", ""}},
         {}},
        {"syslog applications",
         Make<CSyslogAppInfoDlg>(),
         "Syslog Application Information",
         IDC_LIST,
         IDC_REFRESH,
         IDC_ENTRIES,
         true,
         {" Application Index ", " Application Description                   ", " Application Abbreviation    ",
          " Application Severity    "},
         {kQ + "82.1.3.1.1.2", kQ + "82.1.3.1.1.3", kQ + "82.1.3.1.1.4"},
         3,
         {{"1", "System", "SYS", "Notice"},
          {"2", "Port Link", "LINK", "NotActive"},
          {"12", "Spanning Tree", "STP", "Warning"}},
         {}},
    };
}

class InfoTablesTest : public switchsim::ModuleTargetTest {
protected:
    // Runs the case's view; the script starts once its first read has ended.
    void Run(const TableCase& c, const std::function<void(DialogDriver&, CDirectSnmpDlg&)>& script) {
        Harness ui;
        const auto view = c.make();
        ui.RunModal(*view, [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return !view->Reading(); }));
            script(d, *view);
            if (d.IsOpen()) d.Click(IDCANCEL);
        });
    }
    std::size_t GetNexts() const { return Requests("getnext").size(); }
};

// Every row the walk lists, in table order, with the counter; the columns requested in
// order with the read community, one request per row and one past the table.
TEST_F(InfoTablesTest, RowsCellsRequestsAndCounter) {
    for (const TableCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        sim->ClearRequests();
        Run(c, [&](DialogDriver& d, CDirectSnmpDlg& view) {
            EXPECT_EQ(view.GetWindowText(), c.title);
            EXPECT_EQ(d.GetColumns(c.listId), c.headers);
            const Rows rows = d.GetRows(c.listId);
            ASSERT_EQ(rows.size(), c.count);
            EXPECT_EQ(Rows(rows.begin(), rows.begin() + static_cast<long>(c.head.size())), c.head);
            if (!c.last.empty()) {
                EXPECT_EQ(rows.back(), c.last);
            }
            if (c.counterId) {
                EXPECT_EQ(d.GetText(c.counterId), std::to_string(c.count));
            }
        });
        const auto walk = Requests("getnext");
        ASSERT_EQ(walk.size(), c.count + 1);
        EXPECT_EQ(Oids(walk[0]), c.columns);
        EXPECT_EQ(walk[0].community, "norfen");
        EXPECT_EQ(walk[0].version, "1");
    }
}

// The second row's last column comes without a value: the walk ends there with one row.
TEST_F(InfoTablesTest, AnswerWithoutTheLastValueEndsTheWalk) {
    for (const TableCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(sim->Serve(c.columns.back() + ".2", "n", ""));
        sim->ClearRequests();
        Run(c, [&](DialogDriver& d, CDirectSnmpDlg&) {
            EXPECT_EQ(d.GetRows(c.listId), Rows{c.head[0]});
            if (c.counterId) {
                EXPECT_EQ(d.GetText(c.counterId), "1");
            }
        });
        EXPECT_EQ(GetNexts(), 2u);
        ASSERT_TRUE(sim->ClearFaults());
    }
}

TEST_F(InfoTablesTest, EmptyTableGivesAnEmptyList) {
    for (const TableCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        for (const std::string& column : c.columns) ASSERT_TRUE(sim->Command("del " + column));
        sim->ClearRequests();
        Run(c, [&](DialogDriver& d, CDirectSnmpDlg&) {
            EXPECT_TRUE(d.GetRows(c.listId).empty());
            if (c.counterId) {
                EXPECT_EQ(d.GetText(c.counterId), "0");
            }
        });
        EXPECT_EQ(GetNexts(), 1u);
    }
}

// Refresh while the walk runs changes nothing: the rows read stay, the walk lists the whole
// table once, and the counter counts all of it.
TEST_F(InfoTablesTest, RefreshDuringAWalkLeavesTheWalkAlone) {
    for (const TableCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        // The rest of the walk takes well over half a second, whatever the table's length.
        ASSERT_TRUE(sim->Delay(std::max<int>(60, 900 / static_cast<int>(c.count))));
        sim->ClearRequests();
        Harness ui;
        const auto view = c.make();
        ui.RunModal(*view, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil(
                [&] { return d.GetRows(c.listId).size() == 1 && (!c.counterId || d.GetText(c.counterId) == "1"); }));
            ASSERT_TRUE(view->Reading());
            d.Click(c.refreshId);
            d.Click(c.refreshId);
            EXPECT_EQ(d.GetRows(c.listId).size(), 1u);
            if (c.counterId) {
                EXPECT_EQ(d.GetText(c.counterId), "1");
            }
            ASSERT_TRUE(WaitUntil([&] { return !view->Reading(); }));
            const Rows rows = d.GetRows(c.listId);
            ASSERT_EQ(rows.size(), c.count);
            EXPECT_EQ(rows[0], c.head[0]);
            if (c.counterId) {
                EXPECT_EQ(d.GetText(c.counterId), std::to_string(c.count));
            }
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(GetNexts(), c.count + 1);
        ASSERT_TRUE(sim->Delay(0));
    }
}

// Closing does not wait for the answer out; when it comes it lists nothing and asks for
// nothing more.
TEST_F(InfoTablesTest, ClosingDuringAWalkIsPrompt) {
    for (const TableCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(sim->Delay(1500));  // well after the close, also in a slow (sanitizer) build
        sim->ClearRequests();
        Harness ui;
        const auto view = c.make();
        ui.RunModal(*view, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return GetNexts() == 1; }));
            d.Click(IDCANCEL);
            EXPECT_TRUE(WaitUntil([&] { return !d.IsOpen(); }, 1000ms));
        });
        EXPECT_FALSE(view->Reading());
        // The answer has arrived and been dropped.
        ASSERT_TRUE(switchsim::Settle(*sim));
        EXPECT_EQ(GetNexts(), 1u);
        ASSERT_TRUE(sim->Delay(0));
    }
}

// Version 3: the views with a kept session read the whole table at once as the user; those
// that build a session for each read serve version 1 only and send nothing.
TEST_F(InfoTablesTest, Version3ReadsTheKeptSessionTablesOnly) {
    directtest::UseSimV3("2");
    for (const TableCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        sim->ClearRequests();
        Run(c, [&](DialogDriver& d, CDirectSnmpDlg&) {
            const Rows rows = d.GetRows(c.listId);
            if (c.perRead) {
                EXPECT_TRUE(rows.empty());
                EXPECT_EQ(d.GetText(c.counterId), "0");
                return;
            }
            ASSERT_EQ(rows.size(), c.count);
            EXPECT_EQ(rows[0], c.head[0]);
            EXPECT_EQ(rows.back(), c.last);
        });
        const auto requests = sim->Requests();
        if (c.perRead) {
            EXPECT_TRUE(requests.empty());
            continue;
        }
        ASSERT_FALSE(requests.empty());
        EXPECT_EQ(requests[0].version, "3");
        EXPECT_EQ(requests[0].user, "simmd5des");
    }
}

const std::string kPower = kQ + "83.1.2.1.";

class DeviceInfoTest : public InfoTablesTest {
protected:
    static Rows PowerRows(const char* mains, const char* redundant) {
        return {{"Main", "1", mains}, {"Redundant", "2", redundant}};
    }
};

TEST_F(DeviceInfoTest, PowerSuppliesAndPortNumbers) {
    using namespace device_info_ids;
    Harness ui;
    CDeviceInfo view;
    ui.RunModal(view, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return !view.Reading() && d.GetText(IDC_LOOPBACK_PORT) == "0"; }));
        EXPECT_EQ(view.GetWindowText(), "Device Information");
        EXPECT_EQ(d.GetColumns(IDC_POWER_LIST),
                  (std::vector<std::string>{" Description      ", " State     ", " Source            "}));
        EXPECT_EQ(d.GetRows(IDC_POWER_LIST), PowerRows("AC", "Internal Redundant"));
        EXPECT_EQ(d.GetText(IDC_WEB_PORT), "80");
        EXPECT_EQ(d.GetText(IDC_PORT_COUNT), "28");
        EXPECT_EQ(d.GetText(IDC_USER_PORT), "8080");
        d.Click(IDCANCEL);
    });
    const auto gets = Requests("get");
    ASSERT_EQ(gets.size(), 1u);
    EXPECT_EQ(Oids(gets[0]), (std::vector<std::string>{kQ + "66.10.0", kQ + "54.2.0", kQ + "54.5.0", kQ + "54.7.0"}));
    EXPECT_EQ(gets[0].community, "norfen");
    const auto walk = Requests("getnext");
    ASSERT_EQ(walk.size(), 3u);
    EXPECT_EQ(Oids(walk[0]), (std::vector<std::string>{kPower + "2", kPower + "3", kPower + "4"}));
}

// Each source code as each version shows it.
TEST_F(DeviceInfoTest, PowerSourceTexts) {
    const std::vector<std::tuple<const char*, const char*, const char*>> cases{
        {"0", "Other", "other"},
        {"1", "Unknown", "unknown"},
        {"2", "AC", "ac"},
        {"3", "DC", "dc"},
        {"4", "External PowerSupply", "externalPowerSupply"},
        {"5", "Internal Redundant", "internalRedundant"},
        {"6", "Other", "other"}};
    for (const auto& [code, v1, v3] : cases) {
        EXPECT_EQ(CDeviceInfo::PowerSourceText(code, true), v1) << code;
        EXPECT_EQ(CDeviceInfo::PowerSourceText(code, false), v3) << code;
    }
}

// Version 3 reads the table and the port numbers at once, with the version-3 source texts.
TEST_F(DeviceInfoTest, Version3ReadsEverythingAtOnce) {
    using namespace device_info_ids;
    Set(kPower + "4.2", "i", "6");
    directtest::UseSimV3("3");
    Harness ui;
    CDeviceInfo view;
    ui.RunModal(view, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetRows(IDC_POWER_LIST), PowerRows("ac", "other"));
        EXPECT_EQ(d.GetText(IDC_WEB_PORT), "80");
        EXPECT_EQ(d.GetText(IDC_LOOPBACK_PORT), "0");
        d.Click(IDCANCEL);
    });
    for (const auto& r : sim->Requests()) EXPECT_EQ(r.user, "simshades");
}

// Refresh during the power walk reads the port numbers again but leaves the walk alone; an
// answer with fewer values fills the first fields.
TEST_F(DeviceInfoTest, RefreshDuringThePowerWalkRereadsThePortsOnly) {
    using namespace device_info_ids;
    Set(kPower + "4.1", "i", "0");
    ASSERT_TRUE(sim->Delay(300));
    Harness ui;
    CDeviceInfo view;
    ui.RunModal(view, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return d.GetRows(IDC_POWER_LIST).size() == 1; }));
        ASSERT_TRUE(view.Reading());
        Set(kQ + "66.10.0", "i", "8081");
        ASSERT_TRUE(sim->Serve(kQ + "54.5.0", "n", ""));
        d.Click(IDC_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return !view.Reading() && d.GetText(IDC_WEB_PORT) == "8081"; }));
        EXPECT_EQ(d.GetText(IDC_PORT_COUNT), "28");
        EXPECT_EQ(d.GetText(IDC_USER_PORT), "8080");  // no value this time: left as it was
        EXPECT_EQ(d.GetRows(IDC_POWER_LIST), PowerRows("Other", "Internal Redundant"));
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(Requests("get").size(), 2u);
    EXPECT_EQ(Requests("getnext").size(), 3u);
}

TEST_F(DeviceInfoTest, Version2ReadsNothing) {
    using namespace device_info_ids;
    ModuleStartupParams::SnmpVersion = "2";
    Harness ui;
    CDeviceInfo view;
    ui.RunModal(view, [&](DialogDriver& d) {
        d.Click(IDC_REFRESH);
        EXPECT_FALSE(view.Reading());  // no read started
        EXPECT_TRUE(d.GetRows(IDC_POWER_LIST).empty());
        EXPECT_EQ(d.GetText(IDC_WEB_PORT), "");
        d.Click(IDCANCEL);
    });
    ASSERT_TRUE(switchsim::Settle(*sim));
    EXPECT_TRUE(sim->Requests().empty());
}

}  // namespace
