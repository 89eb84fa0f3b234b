// ARP spoofing prevention against the simulated switch: the active gateways listed, the
// 64-entry limit, delete of the first selected gateway, the entry dialog's checks in their
// order, the trunk rule after the trunk walk, the four writes of a new entry, and the port
// boxes and bitmaps of 28 and 52 ports.
#include <algorithm>
#include <functional>

#include "core/DeviceProfile.h"
#include "features/security/ARPSpoofSetting.h"
#include "features/security/AddARPEntry.h"
#include "resources/templates/ARPSpoofDialogsIds.h"
#include "tests/features/security/SecurityFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace securitytest;

namespace {

namespace list = arp_spoof_ids;
namespace entry = arp_entry_ids;

const std::string kGateway = kPrivate + "14.3.1.1.";  // + column.a.b.c.d
const char* const kSnmpClosed = "==================m_cCommonSNMP.Close===============";
const char* const kTableClosed = "==================m_cCommonSNMPTable.Close===============";
const char* const kQuestion = "Make sure the host IP and MAC exists or you will lose the connection.";

std::string Cell(int column, const std::string& ip) { return kGateway + std::to_string(column) + "." + ip; }
int Box(int port) { return entry::IDC_PORT_BOX_BASE + port; }

class ARPSpoofTest : public SecurityTest {
protected:
    void TearDown() override {
        g_strDeviceName.clear();
        SecurityTest::TearDown();
    }

    // The list dialog on an empty request log; the script starts once the walk ended.
    void RunList(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        sim->ClearRequests();
        CARPSpoofSetting dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(list::IDC_REFRESH); }));
            script(d);
            if (d.IsOpen()) d.Click(list::IDC_CLOSE);
        });
    }

    // The entry dialog on an empty request log; returns how it ended.
    INT_PTR RunEntry(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        sim->ClearRequests();
        CAddARPEntry dlg;
        return ui.RunModal(dlg, [&](DialogDriver& d) {
            script(d);
            if (d.IsOpen()) d.Click(entry::IDC_CANCEL);
        });
    }

    void AddGateway(const std::string& ip, const std::string& status) {
        Set(Cell(1, ip), "a", ip);
        Set(Cell(2, ip), "x", "00 AA BB CC DD 01");
        Set(Cell(3, ip), "x", "80 00 00 00");
        Set(Cell(4, ip), "i", status);
    }

    static void Fill(DialogDriver& d, const std::string& ip, const std::string& mac, const std::vector<int>& ports) {
        if (!ip.empty()) d.TypeText(entry::IDC_IP, ip);
        d.TypeText(entry::IDC_MAC, mac);
        for (int p : ports) d.Check(Box(p), true);
    }

    // The close lines of the two sessions, in this order, after `from`.
    static void ExpectClosedInOrder(const std::vector<std::string>& lines, size_t from = 0) {
        const auto begin = lines.begin() + static_cast<long>(std::min(from, lines.size()));
        const auto snmp = std::find(begin, lines.end(), kSnmpClosed);
        ASSERT_NE(snmp, lines.end());
        EXPECT_NE(std::find(snmp, lines.end(), kTableClosed), lines.end());
    }
};

TEST_F(ARPSpoofTest, ListsTheActiveGatewaysOnly) {
    {
        Harness ui;
        RunList(ui, [&](DialogDriver& d) {
            EXPECT_EQ(d.GetColumns(list::IDC_GATEWAY_LIST),
                      (std::vector<std::string>{"Index", "Router/Gateway IP Address", "Router/Gateway MAC Address",
                                                "Ports"}));
            EXPECT_EQ(d.GetRows(list::IDC_GATEWAY_LIST),
                      (std::vector<std::vector<std::string>>{{"1", "192.168.1.254", "00-11-22-33-44-55", "1-28"}}));
            EXPECT_EQ(d.GetText(list::IDC_TOTAL), "1");
        });
        ExpectClosedInOrder(ui.CapturedDebugLines());
    }
    ASSERT_TRUE(sim->Command("del " + kPrivate + "14.3.1.1"));
    Harness ui;
    RunList(ui, [&](DialogDriver& d) {
        EXPECT_TRUE(d.GetRows(list::IDC_GATEWAY_LIST).empty());
        EXPECT_EQ(d.GetText(list::IDC_TOTAL), "0");
        EXPECT_TRUE(d.IsEnabled(list::IDC_ADD));
        EXPECT_TRUE(d.IsEnabled(list::IDC_DELETE));
    });
}

TEST_F(ARPSpoofTest, NoAddBeyondSixtyFourEntries) {
    for (int i = 1; i <= 63; ++i) AddGateway("10.1.0." + std::to_string(i), "1");
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    RunList(ui, [&](DialogDriver& d) {
        ASSERT_EQ(d.GetText(list::IDC_TOTAL), "64");
        EXPECT_EQ(d.GetRows(list::IDC_GATEWAY_LIST)[63][0], "64");
        d.Click(list::IDC_ADD);
    });
    ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "The Maximum of Entry is 64, can not add any more");
    EXPECT_EQ(ui.ModalRuns<CAddARPEntry>(), 0);
}

TEST_F(ARPSpoofTest, DeleteDestroysTheFirstSelectedGateway) {
    AddGateway("10.0.0.254", "1");
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    RunList(ui, [&](DialogDriver& d) {
        d.Click(list::IDC_DELETE);
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Please select the entry you would be delete!");
        EXPECT_TRUE(Sets().empty());
        ASSERT_EQ(d.GetRows(list::IDC_GATEWAY_LIST).size(), 2u);
        d.ClickListRow(list::IDC_GATEWAY_LIST, 0);
        static_cast<CListCtrl*>(d.Window().GetDlgItem(list::IDC_GATEWAY_LIST))
            ->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        ASSERT_EQ(d.GetSelectedRows(list::IDC_GATEWAY_LIST).size(), 2u);
        const size_t walks = GetNextsFrom(kGateway + "1");
        d.Click(list::IDC_DELETE);
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(list::IDC_REFRESH); }));
        EXPECT_GT(GetNextsFrom(kGateway + "1"), walks);
        EXPECT_EQ(d.GetRows(list::IDC_GATEWAY_LIST),
                  (std::vector<std::vector<std::string>>{{"1", "192.168.1.254", "00-11-22-33-44-55", "1-28"}}));
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{Cell(4, "10.0.0.254") + " := 6"}));
}

TEST_F(ARPSpoofTest, EntryRefusalsInTheirOrder) {
    Set(kTrunkMembers + ".1", "x", "C0 00 00 00");  // ports 1 and 2 form a trunk
    const char* const kFormat = "Please enter correct MAC format(ex:00-00-00-00-00-01)";
    const char* const kMac = "00-11-22-33-44-66";
    struct Case {
        std::string ip, mac;
        std::vector<int> ports;
        std::string message;
    };
    const Case cases[] = {
        {"", kMac, {3}, "Multicast IP is not allowed"},
        {"224.0.0.1", kMac, {3}, "Multicast IP is not allowed"},
        {"127.0.0.1", kMac, {}, "Multicast IP is not allowed"},
        {"192.168.1.1", "00:11:22:33:44:55", {3}, kFormat},
        {"192.168.1.1", "00-11-22-33-44-5", {3}, kFormat},
        {"192.168.1.1", "00-00-00-00-00-00", {}, kFormat},
        {"192.168.1.1", "00-11-22-33-44-GG", {3}, kFormat},
        {"192.168.1.1", "ff-ff-ff-ff-ff-ff", {3}, "Broadcast MAC is not allowed."},
        {"192.168.1.1", "FF-FF-FF-FF-FF-FF", {3}, "Broadcast MAC is not allowed."},
        {"192.168.1.1", "01-00-5E-00-00-01", {3}, "Multicast MAC address is not allowed."},
        {"192.168.1.1", kMac, {}, "Invalid Port Number"},
        {"192.168.1.1", kMac, {1}, "ARP Spoofing Prevention enabled port must match to the aggregated link port."},
        {"192.168.1.1", kMac, {1, 2}, kQuestion},  // passes every check
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ip + " " + c.mac + " " + std::to_string(c.ports.size()));
        Harness ui;
        ui.ScriptMessageBoxes({c.message == kQuestion ? IDCANCEL : IDOK});
        // The trunk walk is still running when Apply is pressed.
        ASSERT_TRUE(sim->Delay(30));
        RunEntry(ui, [&](DialogDriver& d) {
            Fill(d, c.ip, c.mac, c.ports);
            d.Click(entry::IDC_APPLY);
            ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
            EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.message);
            EXPECT_TRUE(d.IsOpen());
            EXPECT_EQ(d.GetText(entry::IDC_MAC), c.mac);
        });
        ASSERT_TRUE(sim->Delay(0));
        EXPECT_TRUE(Sets().empty());
    }
}

TEST_F(ARPSpoofTest, AnEntryIsCreatedInFourWritesAndListed) {
    struct Case {
        std::string device;
        std::string create;
    };
    for (const Case& c : {Case{"DUZ-3300-28ZA1", "5"}, Case{"VAD-3300-08P B1", "4"}}) {
        SCOPED_TRACE(c.device);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        g_strDeviceName = c.device;
        Harness ui;
        ui.ScriptMessageBoxes({IDCANCEL, IDOK});
        size_t entryClosedAt = 0;
        ui.OnModal<CAddARPEntry>([&](DialogDriver& d) {
            Fill(d, "192.168.1.1", "00-11-22-33-44-66", {1});
            d.Click(entry::IDC_APPLY);
            ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
            const auto box = ui.ShownMessageBoxes()[0];
            EXPECT_EQ(box.text, kQuestion);
            EXPECT_EQ(box.Buttons(), static_cast<UINT>(MB_OKCANCEL));
            EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONQUESTION));
            EXPECT_EQ(box.DefaultButton(), 2);
            EXPECT_TRUE(d.IsOpen());
            EXPECT_TRUE(Sets().empty());
            entryClosedAt = ui.CapturedDebugLines().size();
            d.Click(entry::IDC_APPLY);
            EXPECT_FALSE(d.IsOpen());
        });
        RunList(ui, [&](DialogDriver& d) {
            d.Click(list::IDC_ADD);
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(list::IDC_REFRESH); }));
            EXPECT_EQ(d.GetRows(list::IDC_GATEWAY_LIST),
                      (std::vector<std::vector<std::string>>{{"1", "192.168.1.1", "00-11-22-33-44-66", "1"},
                                                             {"2", "192.168.1.254", "00-11-22-33-44-55", "1-28"}}));
        });
        ExpectClosedInOrder(ui.CapturedDebugLines(), entryClosedAt);
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 4u);
        const std::string ip = "192.168.1.1";
        EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{Cell(4, ip) + " := " + c.create}));
        EXPECT_EQ(Assignments(sets[1], "s"), (std::vector<std::string>{Cell(2, ip) + " := 001122334466"}));
        EXPECT_EQ(Assignments(sets[2], "s"),
                  (std::vector<std::string>{Cell(2, ip) + " := 001122334466", Cell(3, ip) + " := 80000000"}));
        EXPECT_EQ(Assignments(sets[3], "i"), (std::vector<std::string>{Cell(4, ip) + " := 1"}));
    }
}

TEST_F(ARPSpoofTest, PortBoxesAndBitmapFollowThePortCount) {
    struct Case {
        std::string model;
        int ports;
        int firstRow;
        std::string allPorts;
    };
    const Case cases[] = {{"DUZ-3300-20", 20, 20, "FFFFF000"},
                          {"DUZ-3300-28ZA1", 28, 28, "FFFFFFF0"},
                          {"DUZ-3300-52", 52, 26, "FFFFFFFFFFFFF000"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        ASSERT_TRUE(StartSwitch(c.model, c.ports));
        Set(kTrunkMembers + ".1", "x", "00 00 00 00");
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        const INT_PTR result = RunEntry(ui, [&](DialogDriver& d) {
            EXPECT_FALSE(d.Exists(Box(c.ports + 1)));
            EXPECT_EQ(d.GetRect(Box(1)).top, d.GetRect(Box(c.firstRow)).top);
            EXPECT_LT(d.GetRect(Box(c.firstRow - 1)).right, d.GetRect(Box(c.firstRow)).left);
            if (c.firstRow < c.ports) {
                EXPECT_LT(d.GetRect(Box(c.firstRow)).bottom, d.GetRect(Box(c.firstRow + 1)).top);
                EXPECT_EQ(d.GetRect(Box(c.firstRow + 1)).left, d.GetRect(Box(1)).left);
            }
            EXPECT_EQ(d.GetRect(Box(c.ports)).top, d.GetRect(Box(c.firstRow + 1 > c.ports ? 1 : c.firstRow + 1)).top);
            // Cancel stands under the last box, right edges in line; the frame holds it.
            const CRect cancel = d.GetRect(entry::IDC_CANCEL);
            EXPECT_EQ(cancel.right, d.GetRect(Box(c.ports)).right);
            EXPECT_EQ(cancel.top, d.GetRect(Box(c.ports)).bottom + 5);
            EXPECT_EQ(d.GetRect(entry::IDC_APPLY).top, cancel.top);
            EXPECT_GT(d.GetRect(entry::IDC_GROUP).bottom, cancel.bottom);
            d.Check(entry::IDC_ALL_PORTS, true);
            for (int p = 1; p <= c.ports; ++p) EXPECT_TRUE(d.IsChecked(Box(p))) << p;
            Fill(d, "192.168.1.1", "00-11-22-33-44-66", {});
            d.Click(entry::IDC_APPLY);
        });
        EXPECT_EQ(result, IDOK);
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 4u);
        EXPECT_EQ(Assignments(sets[2])[1], Cell(3, "192.168.1.1") + " := " + c.allPorts);
    }
}

TEST_F(ARPSpoofTest, ShortPortColumnsShowNoPortBeyondThem) {
    ASSERT_TRUE(StartSwitch("DUZ-3300-52", 52));
    ASSERT_TRUE(sim->Serve(Cell(3, "192.168.1.254"), "x", "FF FF FF F0"));
    Harness ui;
    RunList(ui, [&](DialogDriver& d) {
        const auto rows = d.GetRows(list::IDC_GATEWAY_LIST);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0][3], "1-28");
    });
}

}  // namespace
