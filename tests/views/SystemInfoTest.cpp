// System Information against the simulated switch: the system group as shown, name and
// location written with one SET, and the checks that refuse input before anything is sent.
#include "resources/templates/PublicMibViewsIds.h"
#include "tests/views/ViewsFixture.h"
#include "views/SnmpDevIden.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace system_info_ids;

namespace {

const char kSysContact[] = "1.3.6.1.2.1.1.4.0";
const char kSysName[] = "1.3.6.1.2.1.1.5.0";
const char kSysLocation[] = "1.3.6.1.2.1.1.6.0";

class SystemInfoTest : public viewstest::ViewsTest {
protected:
    void SetUp() override {
        ViewsTest::SetUp();
        s_sim->SetObject(kSysName, "s", "DUZ-3300-28ZA1");
        s_sim->SetObject(kSysLocation, "s", "Rack 2 Floor 1");
        s_sim->SetObject(kSysContact, "s", "network admin");
        s_sim->ClearRequests();
    }
    // Opens the view, waits for its read, runs the script, closes it.
    void WithView(const std::function<void(DialogDriver&, Harness&)>& script) {
        Harness ui;
        CSnmpDevIden view;
        ui.RunModal(view, [&](DialogDriver& d) {
            ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
            script(d, ui);
            d.Click(IDC_CLOSE);
        });
    }
    static std::vector<switchsim::LoggedRequest> Sets() {
        std::vector<switchsim::LoggedRequest> sets;
        for (const auto& r : s_sim->Requests()) {
            if (r.pdu == "set") sets.push_back(r);
        }
        return sets;
    }
};

}  // namespace

TEST(SystemInfoFormatTest, UptimeInHoursAndMinutes) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "0 Hour 0 Min"},        {"359999", "0 Hour 59 Min"},
        {"360000", "1 Hour 0 Min"},   {"4294967295", "11930 Hour 27 Min"},
        {" 366000x", "1 Hour 1 Min"}, {"none", "0 Hour 0 Min"},
    };
    for (const auto& [ticks, text] : cases) EXPECT_EQ(CSnmpDevIden::FormatUptime(ticks), text) << ticks;
}

TEST_F(SystemInfoTest, ShowsTheSystemGroup) {
    WithView([&](DialogDriver& d, Harness&) {
        EXPECT_EQ(d.Window().GetWindowText(), "System Information");
        EXPECT_EQ(d.GetText(IDC_DESCR), "DUZ-3300-28ZA1 28-Port Fast Ethernet Managed Switch");
        EXPECT_EQ(d.GetText(IDC_OBJECT_ID), "1.3.6.1.4.1.32473.10.76.21.281");
        EXPECT_EQ(d.GetText(IDC_RUNTIME), "0 Hour 0 Min");
        EXPECT_EQ(d.GetText(IDC_NAME), "DUZ-3300-28ZA1");
        EXPECT_EQ(d.GetText(IDC_LOCATION), "Rack 2 Floor 1");
        EXPECT_EQ(d.GetText(IDC_CONTACT), "network admin");
        EXPECT_FALSE(d.IsVisible(IDC_CONTACT));
        EXPECT_TRUE(d.IsEnabled(IDC_REFRESH));
        const auto requests = s_sim->Requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].pdu, "get");
        ASSERT_EQ(requests[0].varbinds.size(), 6u);
        EXPECT_EQ(requests[0].varbinds[5].oid, kSysLocation);
    });
}

// Name and location go out in one SET with the write community, the name first, as UTF-8.
TEST_F(SystemInfoTest, ApplyWritesNameAndLocation) {
    WithView([&](DialogDriver& d, Harness& ui) {
        d.TypeText(IDC_NAME, "Core-Sw_1 (A)+=");
        d.TypeText(IDC_LOCATION, "");
        d.Click(IDC_APPLY);
        // The test keyboard types ASCII only: the field gets the text directly.
        d.Window().SetDlgItemText(IDC_NAME,
                                  "K\xC3\xBC"
                                  "che-1");
        d.TypeText(IDC_LOCATION, "Lab 2");
        d.Click(IDC_APPLY);
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 2u);
    for (const auto& set : sets) {
        EXPECT_EQ(set.community, "quastel");
        ASSERT_EQ(set.varbinds.size(), 2u);
        EXPECT_EQ(set.varbinds[0].oid, kSysName);
        EXPECT_EQ(set.varbinds[1].oid, kSysLocation);
        EXPECT_EQ(set.varbinds[0].type, "s");
    }
    EXPECT_EQ(sets[0].varbinds[1].hex, "");
    EXPECT_EQ(sets[1].varbinds[0].hex, "4BC3BC6368652D31");
    EXPECT_EQ(s_sim->GetObject(kSysName), "s 4B C3 BC 63 68 65 2D 31");
    EXPECT_EQ(s_sim->GetObject(kSysLocation), "s 4C 61 62 20 32");

    // Read back through the view: the non-ASCII name survives.
    WithView([&](DialogDriver& d, Harness&) {
        EXPECT_EQ(d.GetText(IDC_NAME),
                  "K\xC3\xBC"
                  "che-1");
    });
}

TEST_F(SystemInfoTest, RefusedInputSendsNothing) {
    struct Case {
        const char* name;
        const char* location;
        const char* message;
    };
    const Case cases[] = {
        {"core.example", "Lab", "Invalid System Name."}, {"core", "Lab, room 2", "Invalid System Location."},
        {"a/b", "x;y", "Invalid System Name."},          {"sw@home", "Lab", "Invalid System Name."},
        {"sw", "Lab #2", "Invalid System Location."},
    };
    WithView([&](DialogDriver& d, Harness& ui) {
        for (const Case& c : cases) {
            d.TypeText(IDC_NAME, c.name);
            d.TypeText(IDC_LOCATION, c.location);
            ui.ScriptMessageBoxes({IDOK});
            d.Click(IDC_APPLY);
            ASSERT_FALSE(ui.ShownMessageBoxes().empty());
            EXPECT_EQ(ui.ShownMessageBoxes().back().text, c.message) << c.name << " / " << c.location;
        }
        EXPECT_EQ(ui.ShownMessageBoxes().size(), std::size(cases));
    });
    EXPECT_TRUE(Sets().empty());
}

// Over-long device values are shown whole and refused on Apply until shortened; an
// over-long contact (never written) does not block the others.
TEST_F(SystemInfoTest, OverLongValuesAreShownAndRefusedButContactIsNotChecked) {
    const std::string longName(25, 'n');
    ASSERT_TRUE(s_sim->SetObject(kSysName, "s", longName));
    ASSERT_TRUE(s_sim->SetObject(kSysContact, "s", std::string(40, 'c')));
    WithView([&](DialogDriver& d, Harness& ui) {
        EXPECT_EQ(d.GetText(IDC_NAME), longName);
        ui.ScriptMessageBoxes({IDOK});
        d.Click(IDC_APPLY);
        ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
        EXPECT_EQ(ui.ShownMessageBoxes()[0].text, "Please enter no more than 20 characters.");
        EXPECT_TRUE(Sets().empty());

        d.TypeText(IDC_NAME, "short-name");
        d.Click(IDC_APPLY);
        EXPECT_EQ(ui.ShownMessageBoxes().size(), 1u);
        // Typing stops at the limit once the field holds a value within it.
        d.TypeText(IDC_LOCATION, std::string(30, 'l'));
        EXPECT_EQ(d.GetText(IDC_LOCATION), std::string(20, 'l'));
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].varbinds.size(), 2u);
    EXPECT_EQ(sets[0].varbinds[0].value, "short-name");
}

// A failed read keeps the fields and enables the buttons again without a message.
TEST_F(SystemInfoTest, FailedReadKeepsTheFields) {
    WithView([&](DialogDriver& d, Harness& ui) {
        ASSERT_TRUE(s_sim->InjectError(kSysName, "genErr"));
        ASSERT_TRUE(s_sim->SetObject(kSysLocation, "s", "elsewhere"));
        d.Click(IDC_REFRESH);
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY) && s_sim->Requests().size() == 2; }));
        EXPECT_EQ(d.GetText(IDC_NAME), "DUZ-3300-28ZA1");
        EXPECT_EQ(d.GetText(IDC_LOCATION), "Rack 2 Floor 1");
        EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    });
}
