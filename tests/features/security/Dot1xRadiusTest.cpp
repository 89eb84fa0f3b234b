// RADIUS servers against the simulated switch: the active servers listed, Apply's checks, the
// server written whole one SET at a time (a refused one stops it), the delete, and the key
// kept out of everything but the switch.
#include <chrono>
#include <functional>

#include "features/security/8021XAuRadiusServerDLG.h"
#include "resources/templates/SecurityDialogsIds.h"
#include "tests/features/security/SecurityFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace dot1x_radius_ids;
using namespace securitytest;

namespace {

const std::string kRadius = kPrivate + "23.4.2.1.";  // + column.index

std::string Cell(int column, int index) { return kRadius + std::to_string(column) + "." + std::to_string(index); }

class Dot1xRadiusTest : public SecurityTest {
protected:
    // Opens the dialog on an empty request log; the script starts once the read has ended.
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        sim->ClearRequests();
        C8021XAuRadiusServerDLG dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
            script(d);
            if (d.IsOpen()) d.Click(IDC_CLOSE);
        });
    }

    // Types the address and moves the focus on, where the field judges it.
    static void TypeAddress(DialogDriver& d, const std::string& address) {
        d.TypeText(IDC_ADDRESS, address);
        d.TypeText(IDC_KEY, d.GetText(IDC_KEY));
    }

    static void TypeServer(DialogDriver& d, const std::string& address, const std::string& key) {
        TypeAddress(d, address);
        d.TypeText(IDC_KEY, key);
        d.TypeText(IDC_CONFIRM_KEY, key);
    }

    static std::vector<std::string> Written(int index, const std::string& addressHex, int type) {
        const std::string i = std::to_string(index);
        return {Cell(10, index) + " := 5",
                Cell(2, index) + " := " + std::to_string(type),
                Cell(2, index) + " := " + std::to_string(type) + "|" + Cell(3, index) + " := " + addressHex,
                Cell(5, index) + " := 1812",
                Cell(6, index) + " := 1813",
                Cell(7, index) + " := 5",
                Cell(8, index) + " := 2",
                Cell(9, index) + " := 6B31",
                Cell(10, index) + " := 1"};
    }

    // Each SET as its assignments joined by "|".
    std::vector<std::string> SetLines() const {
        std::vector<std::string> out;
        for (const auto& r : Sets()) {
            std::string line;
            for (const std::string& a : Assignments(r)) line += (line.empty() ? "" : "|") + a;
            out.push_back(line);
        }
        return out;
    }
};

TEST_F(Dot1xRadiusTest, ListsTheActiveServers) {
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetColumns(IDC_SERVER_LIST),
                  (std::vector<std::string>{"Index", "IP Address", "Auth-Port", "Acct-Port", "Timeout", "Retransmit",
                                            "Key"}));
        EXPECT_EQ(d.GetRows(IDC_SERVER_LIST),
                  (std::vector<std::vector<std::string>>{{"1", "192.168.1.100", "1812", "1813", "5", "2", "*****"}}));
        EXPECT_EQ(d.GetItems(IDC_INDEX), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
        EXPECT_EQ(d.GetText(IDC_INDEX), "1");
        EXPECT_EQ(d.GetText(IDC_AUTH_PORT), "1812");
        EXPECT_EQ(d.GetText(IDC_ACCT_PORT), "1813");
        EXPECT_EQ(d.GetText(IDC_TIMEOUT), "5");
        EXPECT_EQ(d.GetText(IDC_RETRANSMIT), "2");
    });
}

TEST_F(Dot1xRadiusTest, ButtonsWaitForTheReadAndACutWalkShowsWhatCame) {
    {
        ASSERT_TRUE(sim->Delay(200));
        Harness ui;
        C8021XAuRadiusServerDLG dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            for (int id : {int(IDC_APPLY), int(IDC_REFRESH), int(IDC_DELETE)}) EXPECT_FALSE(d.IsEnabled(id)) << id;
            EXPECT_TRUE(d.IsEnabled(IDC_CLOSE));
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
            EXPECT_EQ(d.GetRows(IDC_SERVER_LIST).size(), 1u);
            d.Click(IDC_CLOSE);
        });
        ASSERT_TRUE(sim->ClearFaults());
    }
    ShortTimeout();
    Set(Cell(10, 3), "i", "1");
    ASSERT_TRUE(sim->Silence(Cell(1, 3)));
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetRows(IDC_SERVER_LIST).size(), 1u);
        EXPECT_TRUE(d.IsEnabled(IDC_DELETE));
    });
}

TEST_F(Dot1xRadiusTest, ApplyRefusalsSendNothing) {
    const std::string kAuth = "Please Confirm Authentication Port range from 1 to 65535.";
    const std::string kAcct = "Please Confirm Accounting Port range from 1 to 65535.";
    const std::string kTimeout = "Please Confirm Timeout value range from 1 to 255.";
    const std::string kRetransmit = "Please Confirm Retransmit value from 1 to 255.";
    struct Case {
        std::string address;
        int id;  // 0: none
        std::string text;
        std::string key, confirmation;
        std::string message;  // "": none
    };
    const Case cases[] = {
        {"10.0.0.5", IDC_AUTH_PORT, "0", "k1", "k1", kAuth},
        {"10.0.0.5", IDC_AUTH_PORT, "65536", "k1", "k1", kAuth},
        {"10.0.0.5", IDC_ACCT_PORT, "0", "k1", "k1", kAcct},
        {"10.0.0.5", IDC_ACCT_PORT, "65536", "k1", "k1", kAcct},
        {"10.0.0.5", IDC_TIMEOUT, "0", "k1", "k1", kTimeout},
        {"10.0.0.5", IDC_TIMEOUT, "256", "k1", "k1", kTimeout},
        {"10.0.0.5", IDC_RETRANSMIT, "0", "k1", "k1", kRetransmit},
        {"10.0.0.5", IDC_RETRANSMIT, "256", "k1", "k1", kRetransmit},
        {"10.0.0.5", 0, "", "", "k1", "Please Confirm Your Key!"},
        {"10.0.0.5", 0, "", "k1", "k2", "Please Confirm Your Key!"},
        {"10.0.0.5", 0, "", "", "", "Invalid Authentication RADIUS Server Key"},
        // The address field's rule: a "%" with no interface name after it.
        {"fe80::1%", 0, "", "k1", "k1", "Link local address must specify interface name!ex: feXX::XXXX%InterfaceName"},
        {"fe80::1", 0, "", "k1", "k1", ""},
        {"10.0.0", 0, "", "k1", "k1", ""},
        {"", 0, "", "k1", "k1", ""},
        {"10.0.0.5", IDC_AUTH_PORT, "", "k1", "k1", "Please enter an integer."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address + " " + std::to_string(c.id) + "=" + c.text + " " + c.message);
        Harness ui;
        if (!c.message.empty()) ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            if (!c.address.empty()) TypeAddress(d, c.address);
            if (c.id != 0) d.TypeText(c.id, c.text);
            d.TypeText(IDC_KEY, c.key);
            d.TypeText(IDC_CONFIRM_KEY, c.confirmation);
            d.Click(IDC_APPLY);
            const auto shown = ui.ShownMessageBoxes();
            if (c.message.empty()) {
                EXPECT_TRUE(shown.empty());
                return;
            }
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].text, c.message);
            if (c.id != 0 && !c.text.empty()) ExpectFocusedAndSelected(d, c.id);
        });
        EXPECT_TRUE(Sets().empty());
    }
}

TEST_F(Dot1xRadiusTest, RangeEndsPass) {
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        d.ChooseComboItem(IDC_INDEX, "4");
        TypeServer(d, "10.0.0.5", "k1");
        d.TypeText(IDC_AUTH_PORT, "1");
        d.TypeText(IDC_ACCT_PORT, "65535");
        d.TypeText(IDC_TIMEOUT, "255");
        d.TypeText(IDC_RETRANSMIT, "1");
        d.Click(IDC_APPLY);
        EXPECT_TRUE(WaitUntil([&] { return d.GetRows(IDC_SERVER_LIST).size() == 2; }));
        EXPECT_EQ(d.GetRows(IDC_SERVER_LIST)[1],
                  (std::vector<std::string>{"4", "10.0.0.5", "1", "65535", "255", "1", "*****"}));
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
}

TEST_F(Dot1xRadiusTest, ApplyWritesTheServerWholeOneSetAtATime) {
    struct Case {
        int index;
        std::string address;
        std::string hex;
        int type;
        bool destroyFirst;  // the index holds a row (listed or not)
        std::string shown;
    };
    const Case cases[] = {
        {2, "10.0.0.5", "0A000005", 1, false, "10.0.0.5"},
        {1, "10.0.0.5", "0A000005", 1, true, "10.0.0.5"},
        {3, "10.0.0.5", "0A000005", 1, true, "10.0.0.5"},
        {5, "2001:db8::5", "20010DB8000000000000000000000005", 2, false, "2001:db8::5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            d.ChooseComboItem(IDC_INDEX, std::to_string(c.index));
            TypeServer(d, c.address, "k1");
            d.Click(IDC_APPLY);
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
            bool listed = false;
            for (const auto& row : d.GetRows(IDC_SERVER_LIST)) {
                listed = listed || (row[0] == std::to_string(c.index) && row[1] == c.shown);
            }
            EXPECT_TRUE(listed);
            EXPECT_EQ(d.GetText(IDC_ADDRESS), "");
            EXPECT_EQ(d.GetText(IDC_KEY), "");
        });
        std::vector<std::string> expected = Written(c.index, c.hex, c.type);
        if (c.destroyFirst) expected.insert(expected.begin(), Cell(10, c.index) + " := 6");
        EXPECT_EQ(SetLines(), expected);
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    }
}

TEST_F(Dot1xRadiusTest, RefusedKeyStopsApplyBeforeTheActivation) {
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        ASSERT_TRUE(sim->InjectError(Cell(9, 2), "wrongValue"));
        d.ChooseComboItem(IDC_INDEX, "2");
        TypeServer(d, "10.0.0.5", "k1");
        d.Click(IDC_APPLY);
        EXPECT_TRUE(d.GetRows(IDC_SERVER_LIST).empty());
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    const auto lines = SetLines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines.back(), Cell(9, 2) + " := 6B31");
    EXPECT_NE(sim->GetObject(Cell(10, 2)), "i 1");
}

TEST_F(Dot1xRadiusTest, DeleteTheSelectedServer) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        d.Click(IDC_DELETE);
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Please Choose One To Delete Or Check If Have Any Data");
        EXPECT_TRUE(Sets().empty());

        // A refused delete reads nothing again.
        ASSERT_TRUE(sim->InjectError(Cell(10, 1), "genErr"));
        d.ClickListRow(IDC_SERVER_LIST, 0);
        size_t getnexts = Requests("getnext").size();
        d.Click(IDC_DELETE);
        EXPECT_EQ(Requests("getnext").size(), getnexts);
        ASSERT_TRUE(sim->ClearFaults());

        d.TypeText(IDC_AUTH_PORT, "99");
        d.ClickListRow(IDC_SERVER_LIST, 0);
        getnexts = Requests("getnext").size();
        d.Click(IDC_DELETE);
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
        EXPECT_GT(Requests("getnext").size(), getnexts);
        EXPECT_EQ(d.GetText(IDC_AUTH_PORT), "1812");
        EXPECT_TRUE(d.GetRows(IDC_SERVER_LIST).empty());
    });
    const auto lines = SetLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], Cell(10, 1) + " := 6");
}

TEST_F(Dot1xRadiusTest, KeysReachOnlyTheSwitch) {
    Harness ui;
    std::vector<std::vector<std::string>> rows;
    Run(ui, [&](DialogDriver& d) {
        d.ChooseComboItem(IDC_INDEX, "2");
        TypeServer(d, "10.0.0.5", "radiuskey");
        d.Click(IDC_APPLY);
        EXPECT_TRUE(WaitUntil([&] { return d.GetRows(IDC_SERVER_LIST).size() == 2; }));
        rows = d.GetRows(IDC_SERVER_LIST);
    });
    ExpectNowhere({"radiuskey", "secret-r1"}, rows, ui.CapturedDebugLines());
    EXPECT_EQ(sim->GetObject(Cell(9, 2)), "s 72 61 64 69 75 73 6B 65 79");
}

TEST_F(Dot1xRadiusTest, EnterAndEscDoNothingAndClosingDuringAReadDoesNotWait) {
    ASSERT_TRUE(sim->Delay(300));
    Harness ui;
    C8021XAuRadiusServerDLG dlg;
    std::chrono::steady_clock::time_point closed;
    const INT_PTR result = ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return !Requests("getnext").empty(); }));
        d.TypeText(IDC_KEY, "k1");
        d.PressEnter();
        d.PressEsc();
        EXPECT_TRUE(d.IsOpen());
        closed = std::chrono::steady_clock::now();
        d.Close();
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_LT(std::chrono::steady_clock::now() - closed, std::chrono::milliseconds(kCloseBoundMs));
    EXPECT_TRUE(Sets().empty());
}

}  // namespace
