// The ARP table with its printing, the route table and the resource information against the
// simulated switch: what the walks ask and list, Refresh meeting a slow walk, the printed
// pages (a PDF file stands for the printer) and the printer's failures, and the CPU read on the
// program's clock.
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "features/information/ArpTable.h"
#include "features/information/ResourceInfo.h"
#include "features/information/RouterMap.h"
#include "platform/win/Clock.h"
#include "resources/templates/InfoTableDialogsIds.h"
#include "tests/features/information/InformationFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;
using Rows = std::vector<std::vector<std::string>>;

namespace infotest {
namespace {

const std::string kArp = "1.3.6.1.2.1.4.22.1.";
const std::string kRoute = "1.3.6.1.2.1.4.21.1.";
const std::string kCpu = "1.3.6.1.4.1.32473.10.94.89.89.1.";

std::string PdfText(const std::string& pdf) {
    const std::string txt = pdf + ".txt";
    if (std::system(("pdftotext -layout '" + pdf + "' '" + txt + "'").c_str()) != 0) return "<pdftotext failed>";
    std::ifstream in(txt);
    std::stringstream s;
    s << in.rdbuf();
    std::remove(txt.c_str());
    return s.str();
}

// The top of each word of a printed PDF, page by page (pdftotext's boxes, in points from the
// page's top): page -> word -> top.
std::vector<std::map<std::string, double>> PdfWordTops(const std::string& pdf) {
    const std::string html = pdf + ".html";
    std::vector<std::map<std::string, double>> pages;
    if (std::system(("pdftotext -bbox '" + pdf + "' '" + html + "'").c_str()) != 0) return pages;
    std::ifstream in(html);
    std::string line;
    while (std::getline(in, line)) {
        if (line.find("<page ") != std::string::npos) pages.emplace_back();
        const std::size_t y = line.find("yMin=\"");
        const std::size_t text = line.find('>');
        const std::size_t end = line.find("</word>");
        if (pages.empty() || y == std::string::npos || end == std::string::npos) continue;
        pages.back().emplace(line.substr(text + 1, end - text - 1), std::stod(line.substr(y + 6)));
    }
    std::remove(html.c_str());
    return pages;
}

class InfoTablesTest : public InformationTest {
protected:
    // ARP entries 10.0.0.1 to 10.0.0.n on interface 2, added to the switch's three.
    void AddArpEntries(int n) const {
        std::string commands;
        for (int i = 1; i <= n; ++i) {
            const std::string idx = "2.10.0.0." + std::to_string(i);
            commands += "set " + kArp + "1." + idx + " i 2\n";
            commands += "set " + kArp + "2." + idx + " x \"00 00 00 00 00 " + std::to_string(10 + i % 80) + "\"\n";
            commands += "set " + kArp + "3." + idx + " a 10.0.0." + std::to_string(i) + "\n";
            commands += "set " + kArp + "4." + idx + " i 3\n";
        }
        ASSERT_EQ(sim->Control(commands).find("error"), std::string::npos);
    }
    template <class Dialog>
    void RunTable(Harness& ui, int list, int entries, const std::string& count,
                  const std::function<void(DialogDriver&, Dialog&)>& script) {
        Dialog dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return !dlg.Reading() && d.GetText(entries) == count; }));
            script(d, dlg);
            if (d.IsOpen()) d.Click(IDCANCEL);
        });
    }
};

TEST_F(InfoTablesTest, ArpListsTheCacheWithItsTexts) {
    using namespace arp_table_ids;
    Set(kArp + "4.1.192.168.10.50", "i", "7");
    Set(kArp + "2.1.192.168.10.254", "x", "01 02 03");
    Harness ui;
    RunTable<CArpTable>(ui, IDC_LIST, IDC_ENTRIES, "3", [&](DialogDriver& d, CArpTable& dlg) {
        EXPECT_EQ(dlg.GetWindowText(), "ARP Information");
        EXPECT_FALSE(d.IsVisible(IDC_PRINT));
        const Rows rows = d.GetRows(IDC_LIST);
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "192.168.10.1", "00:1A:2B:3C:4D:5E", "Dynamic"}));
        EXPECT_EQ(rows[1][3], "Static");
        EXPECT_EQ(rows[2][2], "\x01\x02\x03");
        EXPECT_EQ(rows[2][3], "Static");
    });
    const auto walk = Requests("getnext");
    ASSERT_FALSE(walk.empty());
    EXPECT_EQ(Oids(walk[0]), (std::vector<std::string>{kArp + "1", kArp + "3", kArp + "2", kArp + "4"}));
    EXPECT_EQ(ArpTypeText("1"), "Unknown");
    EXPECT_EQ(ArpTypeText("2"), "Illegal");
    EXPECT_EQ(ArpTypeText("4"), "Static");
}

// A column with fewer rows ends the walk at its first short answer; the rows before stay.
TEST_F(InfoTablesTest, ArpShortAnswerEndsTheWalk) {
    using namespace arp_table_ids;
    ASSERT_TRUE(sim->Command("del " + kArp + "4.1.192.168.10.254"));
    Harness ui;
    RunTable<CArpTable>(ui, IDC_LIST, IDC_ENTRIES, "2",
                        [&](DialogDriver& d, CArpTable&) { EXPECT_EQ(d.GetRows(IDC_LIST).size(), 2u); });
}

TEST_F(InfoTablesTest, ArpRefreshDuringASlowWalkRestartsIt) {
    using namespace arp_table_ids;
    AddArpEntries(20);
    Harness ui;
    RunTable<CArpTable>(ui, IDC_LIST, IDC_ENTRIES, "23", [&](DialogDriver& d, CArpTable& dlg) {
        ASSERT_TRUE(sim->Delay(20));
        d.Click(IDC_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return d.GetRows(IDC_LIST).size() >= 5; }));
        d.Click(IDC_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return !dlg.Reading(); }));
        const Rows rows = d.GetRows(IDC_LIST);
        std::set<std::string> addresses;
        for (const auto& r : rows) addresses.insert(r[1]);
        EXPECT_EQ(rows.size(), 23u);
        EXPECT_EQ(addresses.size(), 23u);
        EXPECT_EQ(d.GetText(IDC_ENTRIES), "23");
    });
}

TEST_F(InfoTablesTest, ArpWithVersion3SendsNothing) {
    using namespace arp_table_ids;
    ModuleStartupParams::SnmpVersion = "3";
    Harness ui;
    CArpTable dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        d.Click(IDC_REFRESH);
        EXPECT_TRUE(d.GetRows(IDC_LIST).empty());
        EXPECT_EQ(d.GetText(IDC_ENTRIES), "0");
        d.Click(IDCANCEL);
    });
    EXPECT_TRUE(sim->Requests().empty());
}

// 35 rows are one page, 36 two; the pages carry the title, the header and the rows. Cancel, an empty list and a missing
// printer print nothing.
TEST_F(InfoTablesTest, ArpPrintsPagesOfThirtyFiveRows) {
    using namespace arp_table_ids;
    const std::string dir = ::testing::TempDir();
    for (int rows : {35, 36}) {
        SCOPED_TRACE(rows);
        AddArpEntries(rows - 3);  // the switch's three and 10.0.0.1 to 10.0.0.32 or .33
        const std::string pdf = dir + "arp_" + std::to_string(rows) + ".pdf";
        std::remove(pdf.c_str());
        Harness ui;
        ui.ScriptPrintDialogs({{.ok = true, .pdfFile = pdf}});
        RunTable<CArpTable>(ui, IDC_LIST, IDC_ENTRIES, std::to_string(rows), [&](DialogDriver& d, CArpTable& dlg) {
            dlg.SendMessage(WM_COMMAND, IDC_PRINT);
            EXPECT_EQ(dlg.GetWindowText(), " ARP Information");
        });
        const std::string text = PdfText(pdf);
        const std::size_t pages = std::count(text.begin(), text.end(), '\f');
        EXPECT_EQ(pages, rows == 35 ? 1u : 2u) << text;
        EXPECT_NE(text.find("ARP Information"), std::string::npos);
        // (The header's and footer's own characters need a font the test machine may lack.)
        EXPECT_NE(text.find("MAC"), std::string::npos);
        EXPECT_NE(text.find("00:1A:2B:3C:4D:5E"), std::string::npos);
        if (rows == 36) {
            EXPECT_NE(text.substr(text.find('\f')).find("10.0.0.33"), std::string::npos);
            // The layout in points (twips / 20): the header 31 below the title, the first row
            // 54 below it (one inch below the top), rows 18 apart; page 2's row where page 1's first is.
            const auto tops = PdfWordTops(pdf);
            ASSERT_EQ(tops.size(), 2u);
            const auto& page = tops[0];
            ASSERT_TRUE(page.count("ARP") && page.count("MAC") && page.count("192.168.10.1") &&
                        page.count("192.168.10.50") && tops[1].count("10.0.0.33"));
            EXPECT_NEAR(page.at("MAC") - page.at("ARP"), 31, 0.5);
            EXPECT_NEAR(page.at("192.168.10.1") - page.at("ARP"), 54, 0.5);
            EXPECT_NEAR(page.at("192.168.10.50") - page.at("192.168.10.1"), 18, 0.5);
            EXPECT_NEAR(tops[1].at("10.0.0.33"), page.at("192.168.10.1"), 0.5);
            EXPECT_NEAR(tops[1].at("ARP"), page.at("ARP"), 0.5);
        }
    }
    // Cancel; no printer context.
    Harness ui;
    ui.ScriptPrintDialogs(
        {{.ok = false, .pdfFile = ""}, {.ok = true, .pdfFile = dir + "none.pdf", .printerReady = false}});
    ui.ScriptMessageBoxes({IDOK});
    RunTable<CArpTable>(ui, IDC_LIST, IDC_ENTRIES, "36", [&](DialogDriver&, CArpTable& dlg) {
        dlg.SendMessage(WM_COMMAND, IDC_PRINT);
        dlg.SendMessage(WM_COMMAND, IDC_PRINT);
        EXPECT_EQ(dlg.GetWindowText(), "ARP Information");
    });
    EXPECT_EQ(ui.PrintDialogsShown(), 2);
    ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Can't get printer info!");
}

TEST_F(InfoTablesTest, ArpPrintFailuresAndAnEmptyList) {
    using namespace arp_table_ids;
    // A printer that cannot start the document.
    Harness ui;
    ui.ScriptPrintDialogs({{.ok = true, .pdfFile = "/nonexistent-dir/arp.pdf"}});
    ui.ScriptMessageBoxes({IDOK});
    RunTable<CArpTable>(ui, IDC_LIST, IDC_ENTRIES, "3",
                        [&](DialogDriver&, CArpTable& dlg) { dlg.SendMessage(WM_COMMAND, IDC_PRINT); });
    ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Printer error!");
    // An empty list: no print dialog.
    ASSERT_TRUE(sim->Command("del " + kArp.substr(0, kArp.size() - 1)));
    Harness empty;
    RunTable<CArpTable>(empty, IDC_LIST, IDC_ENTRIES, "0",
                        [&](DialogDriver&, CArpTable& dlg) { dlg.SendMessage(WM_COMMAND, IDC_PRINT); });
    EXPECT_EQ(empty.PrintDialogsShown(), 0);
}

TEST_F(InfoTablesTest, RoutesListedInElevenColumns) {
    using namespace route_table_ids;
    Harness ui;
    RunTable<CRouterMap>(ui, IDC_LIST, IDC_ENTRIES, "3", [&](DialogDriver& d, CRouterMap& dlg) {
        EXPECT_EQ(dlg.GetWindowText(), "Router Table");
        const Rows rows = d.GetRows(IDC_LIST);
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0], (std::vector<std::string>{"0.0.0.0", "192.168.10.1", "0.0.0.0", "1", "Indirect", "local",
                                                     "0", "1", "-1", "-1", "-1"}));
        EXPECT_EQ(rows[2][2], "255.255.255.0");
        EXPECT_EQ(rows[2][4], "Direct");
        EXPECT_EQ(rows[2][5], "other");
    });
    const auto walk = Requests("getnext");
    ASSERT_FALSE(walk.empty());
    std::vector<std::string> columns;
    for (int c : {1, 7, 11, 2, 8, 9, 10, 3, 4, 5, 6}) columns.push_back(kRoute + std::to_string(c));
    EXPECT_EQ(Oids(walk[0]), columns);
    struct Case {
        const char* value;
        const char* type;
        const char* protocol;
    } cases[] = {{"1", "UnKnown", "other"}, {"3", "Direct", "netmgmt"}, {"4", "Indirect", "icmp"}, {"5", "0", "egp"},
                 {"13", "0", "ospf"},       {"14", "0", "bgp"},         {"15", "0", "other"},      {"", "0", "other"}};
    for (const Case& c : cases) {
        EXPECT_EQ(RouteTypeText(c.value), c.type) << c.value;
        EXPECT_EQ(RouteProtocolText(c.value), c.protocol) << c.value;
    }
}

TEST_F(InfoTablesTest, RoutesShortAnswerEndsAndRefreshLeavesAWalkAlone) {
    using namespace route_table_ids;
    ASSERT_TRUE(sim->Command("del " + kRoute + "6.192.168.10.0"));
    Harness ui;
    RunTable<CRouterMap>(ui, IDC_LIST, IDC_ENTRIES, "2", [&](DialogDriver& d, CRouterMap& dlg) {
        Set(kRoute + "6.192.168.10.0", "i", "-1");
        ASSERT_TRUE(sim->Delay(60));
        d.Click(IDC_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return d.GetRows(IDC_LIST).size() == 1; }));
        d.Click(IDC_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return !dlg.Reading(); }));
        EXPECT_EQ(d.GetRows(IDC_LIST).size(), 3u);
        EXPECT_EQ(d.GetText(IDC_ENTRIES), "3");
        EXPECT_EQ(d.GetRows(IDC_LIST)[0][0], "0.0.0.0");
    });
    ModuleStartupParams::SnmpVersion = "3";
    sim->ClearRequests();
    Harness v3;
    CRouterMap dlg;
    v3.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(d.GetRows(IDC_LIST).empty());
        d.Click(IDCANCEL);
    });
    EXPECT_TRUE(sim->Requests().empty());
}

class ResourceInfoTest : public InfoTablesTest {
protected:
    static constexpr double kSpeed = 10;
    void SetUp() override {
        InfoTablesTest::SetUp();
        win::SetClockSpeed(kSpeed);
    }
};

TEST_F(ResourceInfoTest, OneRowReadEveryFiveSeconds) {
    using namespace resource_info_ids;
    Harness ui;
    CResourceInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return Requests("get").size() >= 3; }));
        const Rows cpu = {{"5", "7", "6"}};
        ASSERT_TRUE(WaitUntil([&] { return d.GetRows(IDC_CPU_LIST) == cpu; }));
        EXPECT_FALSE(d.IsVisible(IDC_MIB_TREE_LIST));
        const auto gets = Requests("get");
        EXPECT_EQ(Oids(gets[0]), (std::vector<std::string>{kCpu + "7.0", kCpu + "8.0", kCpu + "9.0"}));
        EXPECT_GT(gets.back().arrivalUs - gets.front().arrivalUs,
                  static_cast<long>((gets.size() - 1) * 5000 * 1000 / kSpeed * 0.9));
        // Refresh twice while the switch is slow: one request.
        ASSERT_TRUE(sim->Delay(300));
        ASSERT_TRUE(WaitUntil([&] { return !dlg.Reading(); }));
        sim->ClearRequests();
        d.Click(IDC_REFRESH);
        d.Click(IDC_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return d.GetRows(IDC_CPU_LIST) == cpu; }));
        // A later tick's request comes only once the first has been answered.
        const auto slow = Requests("get");
        ASSERT_FALSE(slow.empty());
        for (std::size_t i = 1; i < slow.size(); ++i) EXPECT_GE(slow[i].arrivalUs - slow[0].arrivalUs, 290000);
        d.Click(IDCANCEL);
    });
}

TEST_F(ResourceInfoTest, SilentSwitchLeavesTheListEmptyAndIsAskedAgain) {
    using namespace resource_info_ids;
    ASSERT_TRUE(sim->Silence());
    Harness ui;
    CResourceInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return Requests("get").size() >= 2; }));
        EXPECT_TRUE(d.GetRows(IDC_CPU_LIST).empty());
        d.Click(IDCANCEL);
    });
}

// Closed with its request out: the timer stops first and the late answer reaches nobody (the
// switch answers in order, before the next dialog's answer).
TEST_F(ResourceInfoTest, ClosedWithARequestOut) {
    using namespace resource_info_ids;
    ASSERT_TRUE(sim->Delay(100));
    Harness ui;
    {
        CResourceInfo dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return !Requests("get").empty(); }));
            d.Click(IDCANCEL);
        });
    }
    const std::size_t asked = Requests("get").size();
    CResourceInfo next;
    ui.RunModal(next, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return d.GetRows(IDC_CPU_LIST) == Rows{{"5", "7", "6"}}; }));
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(asked, 1u);
}

TEST_F(ResourceInfoTest, Version3ReadsUpToTheFirstMissingValue) {
    using namespace resource_info_ids;
    ModuleStartupParams::SnmpVersion = "3";
    ModuleStartupParams::SecurityLevel = "1";
    ModuleStartupParams::UserName = "simnone";
    ASSERT_TRUE(sim->Serve(kCpu + "8.0", "n", ""));
    Harness ui;
    CResourceInfo dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ASSERT_EQ(d.GetRows(IDC_CPU_LIST).size(), 1u);
        EXPECT_EQ(d.GetRows(IDC_CPU_LIST)[0], (std::vector<std::string>{"5", "", ""}));
        d.Click(IDCANCEL);
    });
    ASSERT_FALSE(Requests("get").empty());
    EXPECT_EQ(Requests("get")[0].version, "3");
}

}  // namespace
}  // namespace infotest
