// The community, user, group and view dialogs, used as a person would: they list the active
// rows, create a row from the inputs (status 5, the columns, status 1, a new read), delete
// the selected row under the index its listed texts give, and refuse bad input with their
// messages before anything is sent.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

#include "features/management/SNMPCommunity.h"
#include "features/management/SNMPGroup.h"
#include "features/management/SNMPUser.h"
#include "features/management/SNMPViewTree.h"
#include "core/ModuleStartupParams.h"
#include "platform/win/CodePage.h"
#include "resources/templates/ManagementDialogsIds.h"
#include "tests/features/management/ManagementFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace mgmttest {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// What the tests need of each dialog: how to make it and its control ids.
struct Table {
    std::string name;
    std::function<std::unique_ptr<CDialog>()> make;
    int list, apply, del, refresh, close;
    std::string status;  // the status column
};

const Table kCommunities{"communities",
                         [] { return std::make_unique<CSNMPCommunity>(); },
                         snmp_community_ids::IDC_LIST,
                         snmp_community_ids::IDC_APPLY,
                         snmp_community_ids::IDC_DELETE,
                         snmp_community_ids::IDC_REFRESH,
                         snmp_community_ids::IDC_CLOSE,
                         A + ".5.1.1.3"};
const Table kUsers{"users",
                   [] { return std::make_unique<CSNMPUser>(); },
                   snmp_user_ids::IDC_LIST,
                   snmp_user_ids::IDC_APPLY,
                   snmp_user_ids::IDC_DELETE,
                   snmp_user_ids::IDC_REFRESH,
                   snmp_user_ids::IDC_CLOSE,
                   A + ".2.1.1.8"};
const Table kGroups{"groups",
                    [] { return std::make_unique<CSNMPGroup>(); },
                    snmp_group_ids::IDC_LIST,
                    snmp_group_ids::IDC_APPLY,
                    snmp_group_ids::IDC_DELETE,
                    snmp_group_ids::IDC_REFRESH,
                    snmp_group_ids::IDC_CLOSE,
                    A + ".3.1.1.7"};
const Table kViews{"views",
                   [] { return std::make_unique<CSNMPViewTree>(); },
                   snmp_view_ids::IDC_LIST,
                   snmp_view_ids::IDC_APPLY,
                   snmp_view_ids::IDC_DELETE,
                   snmp_view_ids::IDC_REFRESH,
                   snmp_view_ids::IDC_CLOSE,
                   A + ".4.1.1.5"};

class SnmpAccessDialogsTest : public SnmpAgentTest {
protected:
    // Opens the dialog, waits for its first read, runs the script and closes it.
    void Run(Harness& ui, const Table& t, const std::function<void(DialogDriver&)>& script) {
        auto dlg = t.make();
        ui.RunModal(*dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitReadEnd(d, t));
            sim->ClearRequests();
            script(d);
            if (d.IsOpen()) d.Click(t.close);
        });
    }
    static bool WaitReadEnd(DialogDriver& d, const Table& t) {
        return WaitUntil([&] { return d.IsEnabled(t.refresh); });
    }
    // The first column of every listed row.
    static std::vector<std::string> Names(DialogDriver& d, const Table& t) {
        std::vector<std::string> names;
        for (const auto& row : d.GetRows(t.list)) names.push_back(row.empty() ? "" : row[0]);
        return names;
    }
    static int RowOf(DialogDriver& d, const Table& t, const std::string& name) {
        const auto names = Names(d, t);
        const auto it = std::find(names.begin(), names.end(), name);
        return it == names.end() ? -1 : static_cast<int>(it - names.begin());
    }
    // The SETs of status cells only, as "cell=value".
    std::vector<std::string> StatusSets(const Table& t) const {
        std::vector<std::string> out;
        for (const auto& r : Sets()) {
            for (const auto& v : r.varbinds) {
                if (v.oid.rfind(t.status + ".", 0) == 0) out.push_back(v.oid.substr(t.status.size()) + "=" + v.value);
            }
        }
        return out;
    }
    // Adds a row for each name through the control port, in one go: the cells (column,
    // type, value) with "%" in a value standing for the name and "$" for the status; the
    // index is the name's text index and the suffix.
    void AddRows(const std::string& entry, const std::vector<std::string>& names, const std::string& suffix,
                 const std::vector<std::tuple<int, std::string, std::string>>& cells,
                 const std::string& status = "1") const {
        std::string commands;
        for (const std::string& name : names) {
            const std::string index = CSNMPConfig::StringToOidIndex(name) + suffix;
            for (const auto& [column, type, value] : cells) {
                std::string text = value;
                if (text == "%") text = name;
                if (text == "$") text = status;
                commands += "set " + entry + std::to_string(column) + index + " " + type + " \"" + text + "\"\n";
            }
        }
        const std::string reply = sim->Control(commands);
        ASSERT_EQ(reply.find("error"), std::string::npos) << reply;
    }
};

// ---- creating and deleting

struct CreateCase {
    const Table* table;
    std::function<void(DialogDriver&)> type;
    std::string index;                                 // the new row's index
    std::vector<std::string> listed;                   // the new row as listed
    std::vector<std::vector<std::string>> columnSets;  // the SETs between status 5 and 1
};

TEST_F(SnmpAccessDialogsTest, ApplyCreatesTheRowThenReadsAgainAndDeleteDestroysItUnderTheListedIndex) {
    using namespace snmp_community_ids;
    const std::string users = A + ".2.1.1.";
    const CreateCase cases[] = {
        {&kCommunities,
         [](DialogDriver& d) {
             d.TypeText(snmp_community_ids::IDC_NAME, " abc ");
             d.ChooseComboItem(snmp_community_ids::IDC_USER, "public");
         },
         ".3.97.98.99",
         {"abc", "public"},
         {{Vb(A + ".5.1.1.2.3.97.98.99", "s", "7075626C6963")}}},
        {&kUsers,
         [](DialogDriver& d) {
             d.TypeText(snmp_user_ids::IDC_USER_NAME, "bob");
             d.TypeText(snmp_user_ids::IDC_GROUP_NAME, "g");
             d.ChooseComboItem(snmp_user_ids::IDC_VERSION, "V3");
             d.Check(snmp_user_ids::IDC_ENCRYPTED);
             d.ChooseComboItem(snmp_user_ids::IDC_AUTH_PROTOCOL, "SHA");
             d.TypeText(snmp_user_ids::IDC_AUTH_PASSWORD, "shaphrase1");
             d.TypeText(snmp_user_ids::IDC_PRIV_PASSWORD, "desphrase1");
         },
         ".3.98.111.98.3",
         {"bob", "g", "V3", "SHA", "DES_CBC"},
         {{Vb(users + "3.3.98.111.98.3", "s", "67")},
          {Vb(users + "4.3.98.111.98.3", "i", "3"), Vb(users + "6.3.98.111.98.3", "i", "2")},
          {Vb(users + "5.3.98.111.98.3", "s", "73686170687261736531"),
           Vb(users + "7.3.98.111.98.3", "s", "64657370687261736531")}}},
        {&kGroups,
         [](DialogDriver& d) {
             d.TypeText(snmp_group_ids::IDC_GROUP_NAME, " g");
             d.ChooseComboItem(snmp_group_ids::IDC_MODEL, "v3");
             d.ChooseComboItem(snmp_group_ids::IDC_LEVEL, "AuthNoPriv");
             d.TypeText(snmp_group_ids::IDC_READ_VIEW, "all");
             d.TypeText(snmp_group_ids::IDC_NOTIFY_VIEW, "all");
         },
         ".2.32.103.3.2",
         {" g", "all", "", "all", "v3", "AuthNoPriv"},
         {{Vb(A + ".3.1.1.3.2.32.103.3.2", "i", "2"), Vb(A + ".3.1.1.4.2.32.103.3.2", "s", "616C6C"),
           Vb(A + ".3.1.1.6.2.32.103.3.2", "s", "616C6C")}}},
        {&kViews,
         [](DialogDriver& d) {
             d.TypeText(snmp_view_ids::IDC_VIEW_NAME, "mib2");
             d.TypeText(snmp_view_ids::IDC_SUBTREE, "1.3.6.1.2.1");
             d.TypeText(snmp_view_ids::IDC_MASK, " 1.01.0 ");
             d.ChooseComboItem(snmp_view_ids::IDC_VIEW_TYPE, "Excluded");
         },
         ".4.109.105.98.50.6.1.3.6.1.2.1",
         {"mib2", "1.3.6.1.2.1", "1.1.0", "Excluded"},
         {{Vb(A + ".4.1.1.3.4.109.105.98.50.6.1.3.6.1.2.1", "s", "010100"),
           Vb(A + ".4.1.1.4.4.109.105.98.50.6.1.3.6.1.2.1", "i", "2")}}},
    };
    for (const CreateCase& c : cases) {
        const Table& t = *c.table;
        SCOPED_TRACE(t.name);
        Harness ui;
        Run(ui, t, [&](DialogDriver& d) {
            c.type(d);
            d.Click(t.apply);
            ASSERT_TRUE(WaitReadEnd(d, t));
            // Status 5, the columns, status 1, then the read.
            const auto sets = Sets();
            ASSERT_EQ(sets.size(), c.columnSets.size() + 2);
            EXPECT_EQ(StatusSets(t), (std::vector<std::string>{c.index + "=5", c.index + "=1"}));
            auto pdus = SetPdus();
            EXPECT_EQ(std::vector(pdus.begin() + 1, pdus.end() - 1), c.columnSets);
            const auto walks = Requests("getnext");
            ASSERT_FALSE(walks.empty());
            EXPECT_GT(walks.front().seq, sets.back().seq);
            if (&t == &kGroups) {
                EXPECT_GE(walks.front().arrivalUs - sets.back().arrivalUs, 50000);
            }
            const int row = RowOf(d, t, c.listed[0]);
            ASSERT_GE(row, 0);
            EXPECT_EQ(d.GetRows(t.list)[static_cast<size_t>(row)], c.listed);
            // The inputs are emptied for the next row.
            EXPECT_EQ(d.GetText(t.name == "views"    ? snmp_view_ids::IDC_VIEW_NAME.id
                                : t.name == "groups" ? snmp_group_ids::IDC_GROUP_NAME.id
                                : t.name == "users"  ? snmp_user_ids::IDC_USER_NAME.id
                                                     : snmp_community_ids::IDC_NAME.id),
                      "");

            sim->ClearRequests();
            d.ClickListRow(t.list, row);
            d.Click(t.del);
            ASSERT_TRUE(WaitReadEnd(d, t));
            EXPECT_EQ(StatusSets(t), (std::vector<std::string>{c.index + "=6"}));
            EXPECT_EQ(RowOf(d, t, c.listed[0]), -1);
        });
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    }
}

TEST_F(SnmpAccessDialogsTest, DeleteWithoutASelectionSaysSoAndSendsNothing) {
    const std::pair<const Table*, std::string> cases[] = {
        {&kCommunities, "Please select the item would be delete!\n"},
        {&kUsers, "Please select the item would be delete!\n"},
        {&kGroups, "Please select the item would be delete!\n"},
        {&kViews, "Please Selecte the Item you would delete"},
    };
    for (const auto& [t, text] : cases) {
        SCOPED_TRACE(t->name);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, *t, [&](DialogDriver& d) { d.Click(t->del); });
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, text);
        EXPECT_TRUE(Sets().empty());
    }
}

// ---- checks

struct CheckCase {
    std::string text;  // the message
    std::function<void(DialogDriver&)> type;
};

void ExpectRefusals(SnmpAccessDialogsTest* test, const Table& t, const std::vector<CheckCase>& cases,
                    const std::function<void(Harness&, const Table&, const std::function<void(DialogDriver&)>&)>& run,
                    const std::function<std::vector<switchsim::LoggedRequest>()>& sets) {
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(t.name + ": " + c.text);
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        run(ui, t, [&](DialogDriver& d) {
            c.type(d);
            d.Click(t.apply);
        });
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.text);
        EXPECT_TRUE(sets().empty());
    }
}

class SnmpAccessChecksTest : public SnmpAccessDialogsTest {
protected:
    void Refusals(const Table& t, const std::vector<CheckCase>& cases) {
        ExpectRefusals(
            this, t, cases, [this](Harness& ui, const Table& table, const auto& script) { Run(ui, table, script); },
            [this] { return Sets(); });
    }
};

TEST_F(SnmpAccessChecksTest, CommunityApplyRefusals) {
    using namespace snmp_community_ids;
    auto name = [](std::string text) { return [text](DialogDriver& d) { d.TypeText(IDC_NAME, text); }; };
    Refusals(kCommunities, {
                               {"Please enter valid Community Name !", name("   ")},
                               {"Invalid Community Name.", name("a,b")},
                               {"This Community Entry already exists.", name(" public")},
                           });
}

TEST_F(SnmpAccessChecksTest, UserApplyRefusals) {
    using namespace snmp_user_ids;
    auto user = [](std::string name, std::string group, std::string version = "V1") {
        return [=](DialogDriver& d) {
            d.TypeText(IDC_USER_NAME, name);
            d.TypeText(IDC_GROUP_NAME, group);
            d.ChooseComboItem(IDC_VERSION, version);
        };
    };
    auto v3 = [](std::string auth, std::string authPass, std::string priv, std::string privPass) {
        return [=](DialogDriver& d) {
            d.TypeText(IDC_USER_NAME, "u3");
            d.TypeText(IDC_GROUP_NAME, "g");
            d.ChooseComboItem(IDC_VERSION, "V3");
            d.Check(IDC_ENCRYPTED);
            d.ChooseComboItem(IDC_AUTH_PROTOCOL, auth);
            d.TypeText(IDC_AUTH_PASSWORD, authPass);
            d.ChooseComboItem(IDC_PRIV_PROTOCOL, priv);
            if (priv == "DES") d.TypeText(IDC_PRIV_PASSWORD, privPass);
        };
    };
    const std::string p32(32, 'p'), p33(33, 'p'), p40(40, 'p'), p41(41, 'p');
    Refusals(kUsers, {
                         {"Please enter valid User Name ", user("  ", "g")},
                         {"Invalid User Name .", user("a.b", "g")},
                         {"Please enter valid Group Name ", user("u", " ")},
                         {"Invalid Group Name.", user("u", "g;")},
                         {"This User Entry already exists.", user("admin", "g", "V3")},
                         {"Auth-Protocol Password can't be empty.", v3("MD5", "  ", "None", "")},
                         {" MD5 Max. Password length is 32.", v3("MD5", p33, "None", "")},
                         {" SHA Max. Password length is 40.", v3("SHA", p41, "None", "")},
                         {"Priv-Protocol Password can't be empty.", v3("SHA", p40, "DES", "")},
                         {" DES Max. Password length is 32.", v3("MD5", p32, "DES", p33)},
                         // V1 chosen after "encrypted" was checked: the box still counts.
                         {"Auth-Protocol Password can't be empty.",
                          [&](DialogDriver& d) {
                              v3("MD5", "", "None", "")(d);
                              d.ChooseComboItem(IDC_VERSION, "V1");
                          }},
                     });
}

TEST_F(SnmpAccessChecksTest, ALongPassPhraseIsSelectedForCorrection) {
    using namespace snmp_user_ids;
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    auto dlg = std::make_unique<CSNMPUser>();
    ui.RunModal(*dlg, [&](DialogDriver& d) {
        ASSERT_TRUE(WaitReadEnd(d, kUsers));
        d.TypeText(IDC_USER_NAME, "u3");
        d.TypeText(IDC_GROUP_NAME, "g");
        d.ChooseComboItem(IDC_VERSION, "V3");
        d.Check(IDC_ENCRYPTED);
        d.TypeText(IDC_AUTH_PASSWORD, std::string(33, 'x'));
        d.Click(IDC_APPLY);
        auto* field = dynamic_cast<CEdit*>(dlg->GetDlgItem(IDC_AUTH_PASSWORD));
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(CWnd::GetFocus(), field);
        int start = -1, end = -1;
        field->GetSel(start, end);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, 33);
        d.Click(IDC_CLOSE);
    });
    ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(ui.ShownMessageBoxes()[0].text, " MD5 Max. Password length is 32.");
}

TEST_F(SnmpAccessChecksTest, GroupApplyRefusals) {
    using namespace snmp_group_ids;
    auto group = [](std::string name, std::string model = "v1") {
        return [=](DialogDriver& d) {
            d.TypeText(IDC_GROUP_NAME, name);
            d.ChooseComboItem(IDC_MODEL, model);
        };
    };
    Refusals(kGroups, {
                          {"Please enter valid group name!", group("")},
                          {"Invalid Group Name.", group("g@")},
                          {"This Group Entry already exists.", group("public")},
                      });
}

TEST_F(SnmpAccessChecksTest, ViewApplyRefusals) {
    using namespace snmp_view_ids;
    auto view = [](std::string name, std::string subtree, std::string mask) {
        return [=](DialogDriver& d) {
            d.TypeText(IDC_VIEW_NAME, name);
            d.TypeText(IDC_SUBTREE, subtree);
            d.TypeText(IDC_MASK, mask);
        };
    };
    Refusals(kViews, {
                         {"Please enter valid view name.", view(" ", "1.3", "1")},
                         {"Invalid View Name.", view("v!", "1.3", "1")},
                         {"Please enter valid subtree OID", view("v", "1.a", "1")},
                         {"Please enter valid subtree OID .", view("v", "1..3", "1")},
                         {"Please enter valid subtree OID .", view("v", "1.3.", "1")},
                         {"Please enter valid subtree OID .", view("v", "", "1")},
                         {"Please enter valid OID Mask.", view("v", "1.3", "  ")},
                         {"Please enter valid OID Mask.", view("v", "1.3.6.1", "1.2")},
                         {"Please enter valid OID Mask.", view("v", "1.3.6.1", "1..1")},
                         {"Invalid  OID length", view("v", "1.3.6.1", "1.1.1.1.1")},
                         {"This View Entry already exist.", view("all", "1.3.6.1", "1")},
                     });
}

TEST_F(SnmpAccessChecksTest, ACommunityNeedsAV1OrV2cUser) {
    // Only the V3 user is left.
    for (int column = 1; column <= 8; ++column) {
        ASSERT_TRUE(sim->Command("del " + A + ".2.1.1." + std::to_string(column) + ".6.112.117.98.108.105.99.1"));
    }
    Refusals(kCommunities, {{"Please create a V1 or V2c user in the SNMP User Table first.",
                             [](DialogDriver& d) { d.TypeText(snmp_community_ids::IDC_NAME, "abc"); }}});
}

// ---- limits: the last row accepted, one more refused; a row not active counts for nothing

TEST_F(SnmpAccessDialogsTest, EachTableTakesUpToItsMaximum) {
    struct Case {
        const Table* table;
        int max;
        std::string entry, suffix;
        std::vector<std::tuple<int, std::string, std::string>> cells;  // of the rows added
        std::function<void(DialogDriver&, const std::string&)> type;   // a new row's inputs
        std::string message;
    };
    const Case cases[] = {
        {&kCommunities,
         10,
         A + ".5.1.1.",
         "",
         {{1, "s", "%"}, {2, "s", "public"}, {3, "i", "$"}},
         [](DialogDriver& d, const std::string& name) { d.TypeText(snmp_community_ids::IDC_NAME, name); },
         "Maximum number of Community Entry is 10."},
        {&kUsers,
         50,
         A + ".2.1.1.",
         ".1",
         {{1, "s", "%"},
          {2, "i", "1"},
          {3, "s", "g"},
          {4, "i", "1"},
          {5, "s", ""},
          {6, "i", "1"},
          {7, "s", ""},
          {8, "i", "$"}},
         [](DialogDriver& d, const std::string& name) {
             d.TypeText(snmp_user_ids::IDC_USER_NAME, name);
             d.TypeText(snmp_user_ids::IDC_GROUP_NAME, "g");
         },
         "Maximum number of User Entry is 50."},
        {&kGroups,
         50,
         A + ".3.1.1.",
         ".1.1",
         {{1, "s", "%"}, {2, "i", "1"}, {3, "i", "1"}, {4, "s", ""}, {5, "s", ""}, {6, "s", ""}, {7, "i", "$"}},
         [](DialogDriver& d, const std::string& name) { d.TypeText(snmp_group_ids::IDC_GROUP_NAME, name); },
         "Maximum number of Group Entry is 50."},
        {&kViews,
         50,
         A + ".4.1.1.",
         ".2.1.3",
         {{1, "s", "%"}, {3, "x", "01 01"}, {4, "i", "1"}, {5, "i", "$"}},
         [](DialogDriver& d, const std::string& name) {
             d.TypeText(snmp_view_ids::IDC_VIEW_NAME, name);
             d.TypeText(snmp_view_ids::IDC_SUBTREE, "1.3");
             d.TypeText(snmp_view_ids::IDC_MASK, "1");
         },
         "Maximum number of View Entry is 50."},
    };
    for (const Case& c : cases) {
        const Table& t = *c.table;
        SCOPED_TRACE(t.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        const int seeded = &t == &kUsers ? 2 : 1;
        std::vector<std::string> names;
        for (int n = seeded; n < c.max - 1; ++n) names.push_back("r" + std::to_string(n));
        AddRows(c.entry, names, c.suffix, c.cells);
        AddRows(c.entry, {"idle"}, c.suffix, c.cells, "2");
        Harness ui;
        ui.ScriptMessageBoxes({IDOK});
        Run(ui, t, [&](DialogDriver& d) {
            EXPECT_EQ(d.GetRows(t.list).size(), static_cast<size_t>(c.max - 1));
            c.type(d, "last");
            d.Click(t.apply);
            ASSERT_TRUE(WaitReadEnd(d, t));
            EXPECT_EQ(d.GetRows(t.list).size(), static_cast<size_t>(c.max));
            EXPECT_TRUE(ui.ShownMessageBoxes().empty());
            sim->ClearRequests();
            c.type(d, "more");
            d.Click(t.apply);
            EXPECT_TRUE(Sets().empty());
        });
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.message);
    }
}

TEST_F(SnmpAccessDialogsTest, ARowNotActiveIsNeitherListedNorADuplicate) {
    AddRows(A + ".5.1.1.", {"idle"}, "", {{1, "s", "%"}, {2, "s", "public"}, {3, "i", "$"}}, "2");
    Harness ui;
    Run(ui, kCommunities, [&](DialogDriver& d) {
        EXPECT_EQ(Names(d, kCommunities), (std::vector<std::string>{"public"}));
        d.TypeText(snmp_community_ids::IDC_NAME, "idle");
        d.Click(snmp_community_ids::IDC_APPLY);
        ASSERT_TRUE(WaitReadEnd(d, kCommunities));
        EXPECT_EQ(StatusSets(kCommunities), (std::vector<std::string>{".4.105.100.108.101=5", ".4.105.100.108.101=1"}));
    });
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
}

// ---- the inputs a choice enables

TEST_F(SnmpAccessDialogsTest, UserInputsFollowTheVersionTheCheckBoxAndThePrivacyProtocol) {
    using namespace snmp_user_ids;
    struct Case {
        std::string name;
        std::function<void(DialogDriver&)> act;
        // encrypted, auth protocol, priv protocol, auth password, priv password
        std::vector<bool> enabled;
        bool checked;
    };
    const Case cases[] = {
        {"at the start", [](DialogDriver&) {}, {false, false, false, false, false}, false},
        {"V3",
         [](DialogDriver& d) { d.ChooseComboItem(IDC_VERSION, "V3"); },
         {true, false, false, false, false},
         false},
        {"V3 encrypted",
         [](DialogDriver& d) {
             d.ChooseComboItem(IDC_VERSION, "V3");
             d.Check(IDC_ENCRYPTED);
         },
         {true, true, true, true, true},
         true},
        {"V3 encrypted without privacy",
         [](DialogDriver& d) {
             d.ChooseComboItem(IDC_VERSION, "V3");
             d.Check(IDC_ENCRYPTED);
             d.ChooseComboItem(IDC_PRIV_PROTOCOL, "None");
         },
         {true, true, true, true, false},
         true},
        {"privacy chosen again",
         [](DialogDriver& d) {
             d.ChooseComboItem(IDC_VERSION, "V3");
             d.Check(IDC_ENCRYPTED);
             d.ChooseComboItem(IDC_PRIV_PROTOCOL, "None");
             d.ChooseComboItem(IDC_PRIV_PROTOCOL, "DES");
         },
         {true, true, true, true, true},
         true},
        {"encrypted cleared",
         [](DialogDriver& d) {
             d.ChooseComboItem(IDC_VERSION, "V3");
             d.Check(IDC_ENCRYPTED);
             d.Check(IDC_ENCRYPTED, false);
         },
         {true, false, false, false, false},
         false},
        {"V1 after encrypted: the box keeps its state, the pass phrases stay open",
         [](DialogDriver& d) {
             d.ChooseComboItem(IDC_VERSION, "V3");
             d.Check(IDC_ENCRYPTED);
             d.ChooseComboItem(IDC_VERSION, "V1");
         },
         {false, false, false, true, true},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness ui;
        Run(ui, kUsers, [&](DialogDriver& d) {
            c.act(d);
            const std::vector<bool> enabled = {d.IsEnabled(IDC_ENCRYPTED), d.IsEnabled(IDC_AUTH_PROTOCOL),
                                               d.IsEnabled(IDC_PRIV_PROTOCOL), d.IsEnabled(IDC_AUTH_PASSWORD),
                                               d.IsEnabled(IDC_PRIV_PASSWORD)};
            EXPECT_EQ(enabled, c.enabled);
            EXPECT_EQ(d.IsChecked(IDC_ENCRYPTED), c.checked);
        });
    }
}

TEST_F(SnmpAccessDialogsTest, AV1GroupIsCreatedWithoutAuthenticationWhateverTheLevelListShows) {
    using namespace snmp_group_ids;
    Harness ui;
    Run(ui, kGroups, [&](DialogDriver& d) {
        d.TypeText(IDC_GROUP_NAME, "g");
        d.ChooseComboItem(IDC_MODEL, "v3");
        d.ChooseComboItem(IDC_LEVEL, "AuthPriv");
        d.ChooseComboItem(IDC_MODEL, "v1");
        EXPECT_FALSE(d.IsEnabled(IDC_LEVEL));
        EXPECT_EQ(d.GetText(IDC_LEVEL), "AuthPriv");
        d.Click(IDC_APPLY);
        ASSERT_TRUE(WaitReadEnd(d, kGroups));
        EXPECT_EQ(StatusSets(kGroups), (std::vector<std::string>{".1.103.1.1=5", ".1.103.1.1=1"}));
        EXPECT_EQ(SetPdus()[1][0], Vb(A + ".3.1.1.3.1.103.1.1", "i", "1"));
        const int row = RowOf(d, kGroups, "g");
        ASSERT_GE(row, 0);
        EXPECT_EQ(d.GetRows(IDC_LIST)[static_cast<size_t>(row)][5], "NoAuthNoPriv");
    });
}

TEST_F(SnmpAccessDialogsTest, ANonAsciiNameIsCreatedAndDeletedUnderOneIndex) {
    // Under a single-byte code page the name is converted once, and the index is built from
    // the same bytes the name column carries: the row listed is the row deleted.
    win::SetSystemCodePage("CP1252");
    Harness ui;
    std::vector<std::string> statuses;
    Run(ui, kCommunities, [&](DialogDriver& d) {
        // Pasted rather than typed: the key simulation knows only ASCII keys.
        d.Window().GetDlgItem(snmp_community_ids::IDC_NAME)->SetWindowText("caf\u00e9");
        d.Click(snmp_community_ids::IDC_APPLY);
        ASSERT_TRUE(WaitReadEnd(d, kCommunities));
        const int row = RowOf(d, kCommunities, "caf\u00e9");
        ASSERT_GE(row, 0);
        const auto created = Sets();
        ASSERT_EQ(created.size(), 3u);
        // The name column holds the bytes the index names.
        const std::string index = created[0].varbinds[0].oid.substr(kCommunities.status.size());
        std::string fromIndex;
        for (size_t at = index.find('.', 1); at != std::string::npos; at = index.find('.', at + 1)) {
            fromIndex += static_cast<char>(std::stoi(index.substr(at + 1)));
        }
        std::string stored = sim->GetObject(A + ".5.1.1.1" + index).value_or("");
        std::erase(stored, ' ');
        std::string hex = "s";
        for (unsigned char c : fromIndex) {
            char pair[3];
            std::snprintf(pair, sizeof pair, "%02X", c);
            hex += pair;
        }
        EXPECT_EQ(stored, hex);
        sim->ClearRequests();
        d.ClickListRow(snmp_community_ids::IDC_LIST, row);
        d.Click(snmp_community_ids::IDC_DELETE);
        ASSERT_TRUE(WaitReadEnd(d, kCommunities));
        EXPECT_EQ(StatusSets(kCommunities), (std::vector<std::string>{index + "=6"}));
        EXPECT_EQ(RowOf(d, kCommunities, "caf\u00e9"), -1);
        EXPECT_FALSE(sim->GetObject(A + ".5.1.1.3" + index).has_value());
    });
    win::SetSystemCodePage("");
}

// ---- reading, and closing while a read runs

TEST_F(SnmpAccessDialogsTest, ButtonsWaitForTheEndOfEveryReadEvenWhenTheSwitchIsSilent) {
    ModuleStartupParams::TimeoutMs = "200";
    for (const Table* t : {&kCommunities, &kUsers, &kGroups, &kViews}) {
        SCOPED_TRACE(t->name);
        ASSERT_TRUE(sim->Silence());
        Harness ui;
        auto dlg = t->make();
        ui.RunModal(*dlg, [&](DialogDriver& d) {
            for (int id : {t->apply, t->del, t->refresh}) EXPECT_FALSE(d.IsEnabled(id));
            ASSERT_TRUE(WaitReadEnd(d, *t));
            for (int id : {t->apply, t->del}) EXPECT_TRUE(d.IsEnabled(id));
            EXPECT_TRUE(d.GetRows(t->list).empty());
            sim->ClearFaults();
            d.Click(t->refresh);
            for (int id : {t->apply, t->del, t->refresh}) EXPECT_FALSE(d.IsEnabled(id));
            ASSERT_TRUE(WaitReadEnd(d, *t));
            EXPECT_FALSE(d.GetRows(t->list).empty());
            d.Click(t->close);
        });
    }
}

TEST_F(SnmpAccessDialogsTest, ClosingDuringAReadStopsItAtOnceAndWritesNoSecret) {
    for (const Table* t : {&kCommunities, &kUsers, &kGroups, &kViews}) {
        SCOPED_TRACE(t->name);
        ASSERT_TRUE(sim->Delay(400));
        Harness ui;
        auto dlg = t->make();
        std::chrono::steady_clock::time_point closed;
        ui.RunModal(*dlg, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return !Requests("getnext").empty(); }));
            closed = std::chrono::steady_clock::now();
            d.Click(t->close);
        });
        // Closing waits for no request in flight (a stall would be the session's 3 s).
        EXPECT_LT(std::chrono::steady_clock::now() - closed, std::chrono::milliseconds(2500));
        const size_t asked = Requests("getnext").size();
        // The answer held back at the close has left, the session is released and no session
        // has a request out: a read going on would have one.
        switchsim::Settle(*sim);
        EXPECT_TRUE(switchsim::NoRequestOut());
        EXPECT_EQ(Requests("getnext").size(), asked);

        const auto lines = ui.CapturedDebugLines();
        const std::vector<std::string> closing = {
            "==================DestroyWindow===============",
            "==================m_cCommonSNMP.Close===============",
            "==================m_cCommonSNMPSet.Close===============",
            "==================m_cCommonSNMPTable.Close===============",
            "==================m_cCommonSNMPGetUse.Close===============",
        };
        auto at = std::search(lines.begin(), lines.end(), closing.begin(), closing.end());
        EXPECT_NE(at, lines.end());
        for (const std::string& line : lines) {
            for (const char* secret : {"public", "norfen", "quastel", "seedauthphrase", "seedprivphrase"}) {
                EXPECT_EQ(line.find(secret), std::string::npos) << line;
            }
        }
        sim->ClearFaults();
        sim->ClearRequests();
    }
}

}  // namespace
}  // namespace mgmttest
