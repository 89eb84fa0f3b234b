// The four MIB-II table views against the simulated switch: what they list, the requests
// their walks send, walks that end on faults, and closing a view while it walks.
#include <chrono>

#include "resources/templates/PublicMibViewsIds.h"
#include "tests/views/ViewsFixture.h"
#include "views/IPAddrTable.h"
#include "views/IntfList.h"
#include "views/TcpPortInfo.h"
#include "views/UdpPortInfo.h"

using namespace std::chrono_literals;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;
using viewstest::Rows;

namespace {

const char kIfIndex[] = "1.3.6.1.2.1.2.2.1.1";
const char kIfOperStatus[] = "1.3.6.1.2.1.2.2.1.8";
const char kIfSpeed[] = "1.3.6.1.2.1.2.2.1.5";

class TableViewsTest : public viewstest::ViewsTest {
protected:
    // Opens the view, waits for its walk to end, and gives the rows it shows.
    template <class View>
    Rows ReadView(int list, int refresh, std::string* title = nullptr, std::vector<std::string>* headers = nullptr) {
        s_sim->ClearRequests();
        Harness ui;
        View view;
        Rows rows;
        ui.RunModal(view, [&](DialogDriver& d) {
            WaitUntil([&] { return !GetNexts(*s_sim).empty() && d.IsEnabled(refresh); });
            rows = d.GetRows(list);
            if (title) *title = view.GetWindowText();
            if (headers) *headers = d.GetColumns(list);
            EXPECT_TRUE(ui.ShownMessageBoxes().empty());
            d.Click(IDCANCEL);
        });
        return rows;
    }
};

}  // namespace

TEST(PublicMibFormatTest, InterfaceAndTcpCellTexts) {
    struct Case {
        int col;
        const char* value;
        const char* cell;
    };
    const Case interfaces[] = {
        {1, "1", "Connected"}, {1, "2", "UnConnected"}, {1, "3", "Test"},           {1, "5", "Unknown"},
        {1, "7", "Unknown"},   {1, "", "Unknown"},      {2, "100000000", "100M"},   {2, "1000000000", "1000M"},
        {2, "1500000", "1M"},  {2, "0", "0M"},          {2, "4294967295", "4294M"}, {2, " 10000000x", "10M"},
        {2, "abc", "0M"},      {0, "17", "17"},
    };
    for (const Case& c : interfaces)
        EXPECT_EQ(CIntfList::FormatValue(c.col, c.value), c.cell) << c.col << " " << c.value;

    const std::pair<const char*, const char*> states[] = {
        {"1", "closed"},    {"0", "closed"},      {"13", "closed"},     {"", "closed"},     {"2", "listen"},
        {"3", "synSent"},   {"4", "synReceived"}, {"5", "established"}, {"6", "finWait1"},  {"7", "finWait2"},
        {"8", "closeWait"}, {"9", "lastAck"},     {"10", "closing"},    {"11", "timeWait"}, {"12", "deleteTCB"},
    };
    for (const auto& [value, name] : states) EXPECT_EQ(CTcpPortInfo::StateName(value), name) << value;
}

// The interface view lists exactly what snmpwalk prints for its columns, one GETNEXT per row
// with the three columns in order and the read community.
TEST_F(TableViewsTest, InterfaceViewListsTheWalkedColumns) {
    Harness ui;
    CIntfList view;
    ui.RunModal(view, [&](DialogDriver& d) {
        EXPECT_EQ(view.GetWindowText(), "Interface Table");
        EXPECT_EQ(d.GetColumns(interface_table_ids::IDC_LIST),
                  (std::vector<std::string>{"  Index          ", "  Link Status             ",
                                            "  Speed(b/s)                      "}));
        ASSERT_TRUE(
            WaitUntil([&] { return !GetNexts(*s_sim).empty() && d.IsEnabled(interface_table_ids::IDC_REFRESH); }));
        const auto logged = s_sim->Requests();  // before snmpwalk adds its own
        const auto index = WalkColumn(*s_sim, kIfIndex);
        const auto status = WalkColumn(*s_sim, kIfOperStatus);
        const auto speed = WalkColumn(*s_sim, kIfSpeed);
        ASSERT_GE(index.size(), 28u);
        Rows expected;
        for (std::size_t i = 0; i < index.size(); ++i) {
            expected.push_back({index[i], CIntfList::FormatValue(1, status[i]), CIntfList::FormatValue(2, speed[i])});
        }
        EXPECT_EQ(d.GetRows(interface_table_ids::IDC_LIST), expected);
        EXPECT_EQ(d.GetText(interface_table_ids::IDC_COUNTER), std::to_string(index.size()));

        int getnexts = 0;
        std::vector<std::vector<std::string>> requests;
        for (const auto& r : logged) {
            if (r.pdu != "getnext") continue;
            ++getnexts;
            requests.emplace_back();
            for (const auto& v : r.varbinds) requests.back().push_back(v.oid);
            EXPECT_EQ(r.community, "norfen");
            ASSERT_EQ(r.varbinds.size(), 3u);
        }
        // One request per row and the one that runs past the table.
        EXPECT_EQ(getnexts, static_cast<int>(index.size()) + 1);
        EXPECT_EQ(requests.front(), (std::vector<std::string>{kIfIndex, kIfOperStatus, kIfSpeed}));
        EXPECT_EQ(requests[1],
                  (std::vector<std::string>{std::string(kIfIndex) + ".1", std::string(kIfOperStatus) + ".1",
                                            std::string(kIfSpeed) + ".1"}));

        // Refresh walks again from an empty list.
        s_sim->SetObject(std::string(kIfOperStatus) + ".2", "i", "3");
        d.Click(interface_table_ids::IDC_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(interface_table_ids::IDC_REFRESH); }));
        const Rows rows = d.GetRows(interface_table_ids::IDC_LIST);
        ASSERT_EQ(rows.size(), index.size());
        EXPECT_EQ(rows[1][1], "Test");
        d.Click(IDCANCEL);
    });
}

TEST_F(TableViewsTest, AddressTcpAndUdpViewsShowTheModelTables) {
    std::string title;
    std::vector<std::string> headers;
    EXPECT_EQ(ReadView<CIPAddrTable>(ip_table_ids::IDC_LIST, ip_table_ids::IDC_REFRESH, &title, &headers),
              (Rows{{"127.0.0.1", "255.0.0.0"}, {"192.168.10.2", "255.255.255.0"}}));
    EXPECT_EQ(title, "IP Table : " + s_sim->Address());
    EXPECT_EQ(headers, (std::vector<std::string>{" IP                ", " Netmask               "}));

    EXPECT_EQ(ReadView<CTcpPortInfo>(tcp_service_ids::IDC_LIST, tcp_service_ids::IDC_REFRESH, &title, &headers),
              (Rows{{"23", "0.0.0.0", "0.0.0.0", "0", "listen"},
                    {"80", "0.0.0.0", "0.0.0.0", "0", "listen"},
                    {"23", "192.168.10.2", "192.168.10.50", "51515", "established"}}));
    EXPECT_EQ(title, "TCP Service");
    EXPECT_EQ(headers.back(), " Status ");

    EXPECT_EQ(ReadView<CUdpPortInfo>(udp_service_ids::IDC_LIST, udp_service_ids::IDC_REFRESH, &title),
              (Rows{{"68", "0.0.0.0"}, {"161", "0.0.0.0"}, {"514", "0.0.0.0"}}));
    EXPECT_EQ(title, "UDP Service");
}

// A fault during the walk ends it with the rows received so far, Refresh enabled and no
// message; a looping agent does not hold the view.
TEST_F(TableViewsTest, WalkFaultsEndTheWalkKeepingTheRows) {
    struct Case {
        const char* name;
        const char* command;
        std::size_t rows;
    };
    const Case cases[] = {
        {"error status", "error 1.3.6.1.2.1.2.2.1.8.6 genErr", 5},
        {"silence", "silence 1.3.6.1.2.1.2.2.1.1.10", 9},
        {"looping walk", "loop 1.3.6.1.2.1.2.2.1.1", 1},
    };
    PointAt(*s_sim, "300");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s_sim->ClearFaults();
        ASSERT_TRUE(s_sim->Command(c.command));
        Harness ui;
        CIntfList view;
        ui.RunModal(view, [&](DialogDriver& d) {
            ASSERT_TRUE(
                WaitUntil([&] { return !GetNexts(*s_sim).empty() && d.IsEnabled(interface_table_ids::IDC_REFRESH); }));
            const Rows rows = d.GetRows(interface_table_ids::IDC_LIST);
            ASSERT_EQ(rows.size(), c.rows);
            EXPECT_EQ(rows.back()[0], std::to_string(c.rows));
            EXPECT_EQ(d.GetText(interface_table_ids::IDC_COUNTER), std::to_string(c.rows));
            EXPECT_TRUE(ui.ShownMessageBoxes().empty());
            d.Click(IDCANCEL);
        });
        s_sim->ClearRequests();
    }
}

TEST_F(TableViewsTest, EmptyTableLeavesTheListEmpty) {
    const auto sim = Model("empty", "1.3.6.1.2.1.1.5.0 s \"none\"\n");
    PointAt(*sim);
    Harness ui;
    CIntfList view;
    ui.RunModal(view, [&](DialogDriver& d) {
        ASSERT_TRUE(
            WaitUntil([&] { return !GetNexts(*sim).empty() && d.IsEnabled(interface_table_ids::IDC_REFRESH); }));
        EXPECT_TRUE(d.GetRows(interface_table_ids::IDC_LIST).empty());
        EXPECT_EQ(d.GetText(interface_table_ids::IDC_COUNTER), "0");
        d.Click(IDCANCEL);
    });
}

// Closing while a request is out is prompt and final; the session is closed.
TEST_F(TableViewsTest, ClosingDuringTheWalkIsPromptAndFinal) {
    CIntfList view;
    const auto lines = CloseWithRequestOut(view, IDCANCEL, [&] { return std::size_t{0}; });
    EXPECT_EQ(lines, (std::vector<std::string>{"==================DestroyWindow===============",
                                               "==================m_cCommonSNMP.Close==============="}));
}
