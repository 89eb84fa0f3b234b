// DHCP server screening against the simulated switch: the trusted ports as the complement of
// the screening bitmap, both ways; the trunk rule after the trunk walk; the trusted servers
// listed, added (a colliding index overwrites nothing) and deleted.
#include <chrono>
#include <functional>

#include "features/security/DHCPServerScreenDlg.h"
#include "resources/templates/SecurityDialogsIds.h"
#include "tests/features/security/SecurityFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace dhcp_screening_ids;
using namespace securitytest;

namespace {

const std::string kScreening = kPrivate + "14.7.1.0";
const std::string kServer = kPrivate + "14.7.3.1.";  // + column.index

std::string Cell(int column, int index) { return kServer + std::to_string(column) + "." + std::to_string(index); }

class DHCPServerScreenTest : public SecurityTest {
protected:
    // Opens the dialog on an empty request log; the script starts once the server walk ended.
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        sim->ClearRequests();
        CDHCPServerScreenDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
            script(d);
            if (d.IsOpen()) d.Click(IDC_CLOSE);
        });
    }

    // Ports 1-4 form trunk 1; no other trunk.
    void FourPortTrunk() { Set(kTrunkMembers + ".1", "x", "F0 00 00 00"); }

    // Types the address and moves the focus on, where the field judges it.
    static void TypeAddress(DialogDriver& d, const std::string& address) {
        d.TypeText(IDC_ADDRESS, address);
        d.TypeText(IDC_TRUSTED_PORTS, d.GetText(IDC_TRUSTED_PORTS));
    }
};

TEST_F(DHCPServerScreenTest, TrustedPortsAreTheComplementOfTheBitmap) {
    struct Case {
        std::string bitmap, text;
    };
    const Case cases[] = {{"00 00 00 00", "1-28"}, {"FF FF FF F0", ""}, {"0B FF FF F0", "1-4,6"}, {"FF FF FF FF", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bitmap);
        Set(kScreening, "x", c.bitmap);
        Harness ui;
        Run(ui, [&](DialogDriver& d) { EXPECT_EQ(d.GetText(IDC_TRUSTED_PORTS), c.text); });
    }
    ASSERT_TRUE(StartSwitch("DUZ-3300-52", 52));
    Harness ui;
    Run(ui, [&](DialogDriver& d) { EXPECT_EQ(d.GetText(IDC_TRUSTED_PORTS), "1-52"); });
}

TEST_F(DHCPServerScreenTest, ApplyWritesTheComplementOrRefuses) {
    struct Case {
        std::string typed;
        bool trunk;
        std::string written;  // hex; "" with a message or nothing sent
        std::string message;
    };
    const Case cases[] = {
        {"1-4,6", false, "0BFFFFF0", ""},
        {"", false, "FFFFFFF0", ""},
        {"1-28", false, "", ""},  // unchanged
        {"1-4,a", false, "", "Invalid Port list"},
        {"1;2", false, "", "Invalid Port list"},
        {"1-40", false, "", "Invalid Portlist"},
        {"5-3", false, "", "Invalid Portlist"},
        {"1,2", true, "", "The link aggregation member port can not be configured."},
        {"1-4", true, "0FFFFFF0", ""},
        {"5", true, "F7FFFFF0", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Set(kScreening, "x", "00 00 00 00");
        Set(kTrunkMembers + ".1", "x", c.trunk ? "F0 00 00 00" : "00 00 00 00");
        Harness ui;
        if (!c.message.empty()) ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            const size_t gets = Requests("get").size();
            d.TypeText(IDC_TRUSTED_PORTS, c.typed);
            d.Click(IDC_APPLY_PORTS);
            if (!c.written.empty()) {
                EXPECT_EQ(Requests("get").size(), gets + 1) << "read again";
                EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
            }
        });
        const auto shown = ui.ShownMessageBoxes();
        if (c.message.empty()) {
            EXPECT_TRUE(shown.empty());
        } else {
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].text, c.message);
        }
        const auto sets = Sets();
        if (c.written.empty()) {
            EXPECT_TRUE(sets.empty());
        } else {
            ASSERT_EQ(sets.size(), 1u);
            ASSERT_EQ(sets[0].varbinds.size(), 1u);
            EXPECT_EQ(sets[0].varbinds[0].oid, kScreening);
            EXPECT_EQ(sets[0].varbinds[0].type, "s");
            EXPECT_EQ(sets[0].varbinds[0].hex, c.written);
        }
    }
}

TEST_F(DHCPServerScreenTest, FiftyTwoPortsWriteEightBytesWithThePaddingClear) {
    ASSERT_TRUE(StartSwitch("DUZ-3300-52", 52));
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        d.TypeText(IDC_TRUSTED_PORTS, "1-4,6");
        d.Click(IDC_APPLY_PORTS);
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].varbinds[0].hex, "0BFFFFFFFFFFF000");
}

TEST_F(DHCPServerScreenTest, TrunkCheckWaitsForTheTrunkWalkOfARefresh) {
    FourPortTrunk();
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        ASSERT_TRUE(sim->Delay(100));
        d.Click(IDC_REFRESH);
        d.TypeText(IDC_TRUSTED_PORTS, "1,2");
        d.Click(IDC_APPLY_PORTS);
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "The link aggregation member port can not be configured.");
        ASSERT_TRUE(sim->Delay(0));
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(DHCPServerScreenTest, ListsTheActiveServers) {
    Set(Cell(1, 4), "i", "4");
    Set(Cell(2, 4), "x", "0A 00 00 04");
    Set(Cell(3, 4), "i", "1");
    Set(Cell(4, 4), "i", "2");
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetColumns(IDC_SERVER_LIST), (std::vector<std::string>{"Index", "IP Address"}));
        EXPECT_EQ(d.GetRows(IDC_SERVER_LIST),
                  (std::vector<std::vector<std::string>>{{"1", "10.0.0.1"}, {"3", "2001:db8::53"}}));
    });
}

TEST_F(DHCPServerScreenTest, ServerButtonsWaitForTheWalk) {
    {
        ASSERT_TRUE(sim->Delay(150));
        Harness ui;
        CDHCPServerScreenDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            for (int id : {int(IDC_DELETE), int(IDC_REFRESH), int(IDC_ADD_SERVER)}) EXPECT_FALSE(d.IsEnabled(id));
            EXPECT_TRUE(d.IsEnabled(IDC_APPLY_PORTS));
            EXPECT_TRUE(d.IsEnabled(IDC_CLOSE));
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
            d.Click(IDC_CLOSE);
        });
        ASSERT_TRUE(sim->Delay(0));
    }
    ShortTimeout();
    ASSERT_TRUE(sim->Silence(kPrivate + "14.7.3"));
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_TRUE(d.GetRows(IDC_SERVER_LIST).empty());
        EXPECT_TRUE(d.IsEnabled(IDC_ADD_SERVER));
        EXPECT_TRUE(d.IsEnabled(IDC_DELETE));
    });
}

TEST_F(DHCPServerScreenTest, AddRefusalsSendNothing) {
    struct Case {
        std::string address;  // "" never focused
        int extraRows;        // active rows added on the switch
        std::string message;
    };
    const Case cases[] = {
        {"", 0, "Invalid server IP address."},           {"fe80::1%eth0", 0, "Invalid server IP address."},
        {"10.0.0", 0, "Invalid server IP address."},     {"10.0.0.1", 3, "The maximum entries is 5."},
        {"10.0.0.1", 0, "Duplicate server IP address."}, {"2001:0db8:0:0:0:0:0:53", 0, "Duplicate server IP address."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address + " " + std::to_string(c.extraRows));
        for (int i = 0; i < 3; ++i) {
            const int index = i == 0 ? 2 : i + 3;
            if (i < c.extraRows) {
                Set(Cell(1, index), "i", std::to_string(index));
                Set(Cell(2, index), "x", "0A 00 01 0" + std::to_string(index));
                Set(Cell(3, index), "i", "1");
                Set(Cell(4, index), "i", "1");
            } else {
                ASSERT_TRUE(sim->Command("del " + Cell(1, index)));
                ASSERT_TRUE(sim->Command("del " + Cell(2, index)));
                ASSERT_TRUE(sim->Command("del " + Cell(3, index)));
                ASSERT_TRUE(sim->Command("del " + Cell(4, index)));
            }
        }
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            if (!c.address.empty()) TypeAddress(d, c.address);
            d.Click(IDC_ADD_SERVER);
        });
        const auto shown = ui.ShownMessageBoxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, c.message);
        EXPECT_TRUE(Sets().empty());
    }
}

TEST_F(DHCPServerScreenTest, AddWritesFourRequestsAndListsTheServer) {
    struct Case {
        std::string address;
        std::string type;
        std::string hex;
        std::string shown;
    };
    const Case cases[] = {
        {"10.0.0.9", "1", "0A000009", "10.0.0.9"},
        {"2001:db8::99", "2", "20010DB8000000000000000000000099", "2001:db8::99"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        // Only row 1 on the switch.
        for (int column = 1; column <= 4; ++column) {
            ASSERT_TRUE(sim->Command("del " + Cell(column, 3)));
            ASSERT_TRUE(sim->Command("del " + Cell(column, 2)));
        }
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            TypeAddress(d, c.address);
            d.Click(IDC_ADD_SERVER);
            EXPECT_TRUE(WaitUntil([&] { return d.GetRows(IDC_SERVER_LIST).size() == 2; }));
            EXPECT_EQ(d.GetRows(IDC_SERVER_LIST)[1], (std::vector<std::string>{"2", c.shown}));
        });
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 4u);
        EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{Cell(4, 2) + " := 5"}));
        EXPECT_EQ(Assignments(sets[1]), (std::vector<std::string>{Cell(3, 2) + " := " + c.type}));
        EXPECT_EQ(Assignments(sets[2]),
                  (std::vector<std::string>{Cell(3, 2) + " := " + c.type, Cell(2, 2) + " := " + c.hex}));
        EXPECT_EQ(Assignments(sets[3], "i"), (std::vector<std::string>{Cell(4, 2) + " := 1"}));
    }
}

TEST_F(DHCPServerScreenTest, ACollidingIndexOverwritesNothing) {
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        TypeAddress(d, "10.0.0.9");
        d.Click(IDC_ADD_SERVER);  // rows 1 and 3 listed: the add targets index 3
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{Cell(4, 3) + " := 5"}));
    EXPECT_NE(sets[0].errorStatus, 0);
    EXPECT_EQ(sim->GetObject(Cell(2, 3)), "s 20 01 0D B8 00 00 00 00 00 00 00 00 00 00 00 53");
    EXPECT_EQ(Requests("get").size(), 1u) << "no re-read";
}

TEST_F(DHCPServerScreenTest, DeleteTheSelectedServer) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        d.Click(IDC_DELETE);
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Please select the entry to delete.");
        EXPECT_TRUE(Sets().empty());

        d.ClickListRow(IDC_SERVER_LIST, 1);
        d.Click(IDC_DELETE);
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }));
        EXPECT_EQ(d.GetRows(IDC_SERVER_LIST).size(), 1u);
        EXPECT_EQ(Requests("get").size(), 2u);

        // An unanswered delete is not followed by a re-read.
        ShortTimeout();
        ASSERT_TRUE(sim->Silence(Cell(4, 1)));
        d.ClickListRow(IDC_SERVER_LIST, 0);
        d.Click(IDC_DELETE);
        EXPECT_EQ(Requests("get").size(), 2u);
    });
    const auto sets = Sets();
    ASSERT_GE(sets.size(), 1u);
    EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{Cell(4, 3) + " := 6"}));
}

TEST_F(DHCPServerScreenTest, ClosingDuringADelayedWalkNeitherCrashesNorWaits) {
    ASSERT_TRUE(sim->Delay(300));
    Harness ui;
    CDHCPServerScreenDlg dlg;
    std::chrono::steady_clock::time_point closed;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return !Requests("getnext").empty(); }));
        closed = std::chrono::steady_clock::now();
        d.Click(IDC_CLOSE);
    });
    EXPECT_LT(std::chrono::steady_clock::now() - closed, std::chrono::milliseconds(kCloseBoundMs));
}

}  // namespace
