// 802.1X local users against the simulated switch: the active users listed, the add's checks
// and its three writes (undone when the password or the activation fails), the delete, the
// keys that do nothing, and the password kept out of everything but the switch.
#include <algorithm>
#include <chrono>
#include <functional>

#include "features/security/8021XUserDLG.h"
#include "resources/templates/SecurityDialogsIds.h"
#include "tests/features/security/SecurityFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace dot1x_user_ids;
using namespace securitytest;

namespace {

const std::string kUser = kPrivate + "23.3.1.1.";  // + column + index
const std::string kUser1 = ".5.117.115.101.114.49";
const std::string kAb12 = ".4.97.98.49.50";

class Dot1xUserTest : public SecurityTest {
protected:
    // Opens the dialog on an empty request log; the script starts once the read has ended.
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        sim->ClearRequests();
        C8021XUserDLG dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_CLOSE); }));
            script(d);
            if (!d.IsOpen()) return;
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_CLOSE); }));
            d.Click(IDC_CLOSE);
        });
    }

    static void Type(DialogDriver& d, const std::string& name, const std::string& password,
                     const std::string& confirmation) {
        TypeOrPaste(d, IDC_USER_NAME, name);
        TypeOrPaste(d, IDC_PASSWORD, password);
        TypeOrPaste(d, IDC_CONFIRM, confirmation);
    }

    // The harness types only ASCII keys: other texts are pasted whole into the edit.
    static void TypeOrPaste(DialogDriver& d, int id, const std::string& text) {
        const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
        if (ascii) {
            d.TypeText(id, text);
        } else {
            d.Window().GetDlgItem(id)->SetWindowText(text);
        }
    }

    static std::vector<std::string> Names(DialogDriver& d) {
        std::vector<std::string> names;
        for (const auto& row : d.GetRows(IDC_USER_LIST)) names.push_back(row[1]);
        return names;
    }
};

TEST_F(Dot1xUserTest, ListsTheActiveUsersAndCountsEveryRow) {
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_EQ(d.GetColumns(IDC_USER_LIST), (std::vector<std::string>{"Id", " User Name", " Password "}));
        EXPECT_EQ(d.GetRows(IDC_USER_LIST), (std::vector<std::vector<std::string>>{{"1", "user1", "*****"}}));
        EXPECT_EQ(d.GetText(IDC_TOTAL), "2");
        EXPECT_FALSE(d.IsEnabled(IDC_TOTAL));
    });
}

TEST_F(Dot1xUserTest, EveryControlIsDisabledWhileAReadRuns) {
    ASSERT_TRUE(sim->Delay(200));
    Harness ui;
    C8021XUserDLG dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        for (int id : {int(IDC_USER_NAME), int(IDC_PASSWORD), int(IDC_CONFIRM), int(IDC_ADD), int(IDC_DELETE),
                       int(IDC_REFRESH), int(IDC_CLOSE), int(IDC_USER_LIST)}) {
            EXPECT_FALSE(d.IsEnabled(id)) << id;
        }
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_CLOSE); }));
        EXPECT_EQ(d.GetRows(IDC_USER_LIST).size(), 1u);
        d.Click(IDC_CLOSE);
    });
}

TEST_F(Dot1xUserTest, WalkCutShortShowsTheRowsReceived) {
    ShortTimeout();
    ASSERT_TRUE(sim->Silence(kUser + "1.5.117"));  // the second row, user1
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        EXPECT_TRUE(d.GetRows(IDC_USER_LIST).empty());
        EXPECT_EQ(d.GetText(IDC_TOTAL), "1");  // guest, not active
        EXPECT_TRUE(d.IsEnabled(IDC_ADD));
    });
}

TEST_F(Dot1xUserTest, AddRefusalsSendNothing) {
    struct Case {
        std::string name, password, confirmation, message;
    };
    const Case cases[] = {
        {"abc", "pass", "pass", "Please Confirm user name length must large than 4 characters."},
        {"abcd", "abc", "abc", "Please Confirm password length must large than 4 characters."},
        {"abcd", "pass", "pasS", "Please Confirm User Password!"},
        {"user1", "pass", "pass", "Duplicate 802.1X User Name"},
        {"guest", "pass", "pass", "Duplicate 802.1X User Name"},  // not active, still taken
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + "/" + c.password);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            Type(d, c.name, c.password, c.confirmation);
            d.Click(IDC_ADD);
            ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
            EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.message);
            EXPECT_EQ(d.GetText(IDC_USER_NAME), c.name) << "the inputs are kept";
            if (c.name == "abc") ExpectFocusedAndSelected(d, IDC_USER_NAME);
        });
        EXPECT_TRUE(Sets().empty());
    }
}

TEST_F(Dot1xUserTest, AddCreatesSetsThePasswordActivatesAndReadsAgain) {
    struct Case {
        std::string name, password, index;
    };
    const Case cases[] = {
        {"ab12", "pass", kAb12},
        {"User1", "passwordpass123", ".5.85.115.101.114.49"},  // case-sensitive names, 15 characters
        {"\xC3\xA9t\xC3\xA9", "p\xC3\xA9p\xC3\xA9", ".5.195.169.116.195.169"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness ui;
        Run(ui, [&](DialogDriver& d) {
            Type(d, c.name, c.password, c.password);
            d.Click(IDC_ADD);
            EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_CLOSE); }));
            EXPECT_EQ(d.GetText(IDC_USER_NAME), "");
            EXPECT_EQ(d.GetText(IDC_PASSWORD), "");
            EXPECT_EQ(d.GetText(IDC_CONFIRM), "");
            const auto names = Names(d);
            EXPECT_NE(std::find(names.begin(), names.end(), c.name), names.end());
        });
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 3u);
        EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{kUser + "3" + c.index + " := 4"}));
        ASSERT_EQ(sets[1].varbinds.size(), 1u);
        EXPECT_EQ(sets[1].varbinds[0].oid, kUser + "2" + c.index);
        EXPECT_EQ(sets[1].varbinds[0].type, "s");
        EXPECT_EQ(sets[1].varbinds[0].value, c.password);
        EXPECT_EQ(Assignments(sets[2], "i"), (std::vector<std::string>{kUser + "3" + c.index + " := 1"}));
    }
}

TEST_F(Dot1xUserTest, FourCharactersPassAndTheEditsKeepFifteen) {
    Harness ui;
    Run(ui, [&](DialogDriver& d) {
        Type(d, "abcdefghijklmnopq", "0123456789abcdefgh", "0123456789abcdefgh");
        EXPECT_EQ(d.GetText(IDC_USER_NAME), "abcdefghijklmno");
        EXPECT_EQ(d.GetText(IDC_PASSWORD).size(), 15u);
        EXPECT_EQ(d.GetText(IDC_CONFIRM).size(), 15u);
        Type(d, "ab12", "pass", "pass");
        d.Click(IDC_ADD);
    });
    EXPECT_EQ(Sets().size(), 3u);
    EXPECT_EQ(sim->GetObject(kUser + "3" + kAb12), "i 1");
}

TEST_F(Dot1xUserTest, FailedPasswordRemovesTheRowAndAFailedCreateStops) {
    {
        SCOPED_TRACE("password refused");
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            ASSERT_TRUE(sim->InjectError(kUser + "2", "wrongValue"));
            Type(d, "ab12", "pass", "pass");
            d.Click(IDC_ADD);
            ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
            EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "please check what you put");
            EXPECT_EQ(d.GetText(IDC_USER_NAME), "ab12");
        });
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), 3u);
        EXPECT_EQ(Assignments(sets[2], "i"), (std::vector<std::string>{kUser + "3" + kAb12 + " := 6"}));
        EXPECT_FALSE(sim->GetObject(kUser + "3" + kAb12).has_value());
        EXPECT_FALSE(sim->GetObject(kUser + "1" + kAb12).has_value());
        ASSERT_TRUE(sim->ClearFaults());
    }
    {
        SCOPED_TRACE("create refused");
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            ASSERT_TRUE(sim->InjectError(kUser + "3" + kAb12, "wrongValue"));
            Type(d, "ab12", "pass", "pass");
            d.Click(IDC_ADD);
            ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
            EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "please check what you put");
        });
        EXPECT_EQ(Sets().size(), 1u);
    }
}

TEST_F(Dot1xUserTest, DeleteTheSelectedUser) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        d.Click(IDC_DELETE);
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Please Choose One To Delete Or Check If Have Any Data");
        EXPECT_TRUE(Sets().empty());

        d.ClickListRow(IDC_USER_LIST, 0);
        const size_t getnexts = Requests("getnext").size();
        d.Click(IDC_DELETE);
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_CLOSE); }));
        EXPECT_GT(Requests("getnext").size(), getnexts);
        EXPECT_TRUE(d.GetRows(IDC_USER_LIST).empty());
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Assignments(sets[0], "i"), (std::vector<std::string>{kUser + "3" + kUser1 + " := 6"}));
}

TEST_F(Dot1xUserTest, EnterAndEscDoNothingAndCloseEnds) {
    Harness ui;
    C8021XUserDLG dlg;
    const INT_PTR result = ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_CLOSE); }));
        Type(d, "ab12", "pass", "pass");
        d.TypeText(IDC_USER_NAME, "ab12");
        d.PressEnter();
        d.PressEsc();
        EXPECT_TRUE(d.IsOpen());
        d.Click(IDC_CLOSE);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(Sets().empty());
}

TEST_F(Dot1xUserTest, PasswordsReachOnlyTheSwitch) {
    Harness ui;
    std::vector<std::vector<std::string>> rows;
    Run(ui, [&](DialogDriver& d) {
        Type(d, "ab12", "topsecret", "topsecret");
        d.Click(IDC_ADD);
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_CLOSE); }));
        rows = d.GetRows(IDC_USER_LIST);
    });
    ExpectNowhere({"topsecret", "secret-u1"}, rows, ui.CapturedDebugLines());
    EXPECT_EQ(sim->GetObject(kUser + "2" + kAb12), "s 74 6F 70 73 65 63 72 65 74");
}

TEST_F(Dot1xUserTest, ClosingDuringADelayedReadNeitherCrashesNorWaits) {
    ASSERT_TRUE(sim->Delay(300));
    Harness ui;
    C8021XUserDLG dlg;
    std::chrono::steady_clock::time_point closed;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_TRUE(WaitUntil([&] { return !Requests("getnext").empty(); }));
        closed = std::chrono::steady_clock::now();
        d.Close();
    });
    EXPECT_LT(std::chrono::steady_clock::now() - closed, std::chrono::milliseconds(kCloseBoundMs));
}

}  // namespace
