// Smart binding settings against the simulated switch: every port's settings listed, the port
// range and inspection boxes, and Apply with the trunk rule and the all-ports guard.
#include <functional>

#include "features/security/SmartBindingSettings.h"
#include "resources/templates/IMPBDialogsIds.h"
#include "tests/features/security/SecurityFixture.h"

using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace impb_settings_ids;
using namespace securitytest;

namespace {

const std::string kPortSettings = kPrivate + "14.10.1.1.";  // + column.port
const std::string kWhiteList = kPrivate + "14.10.3";

class SmartBindingSettingsTest : public SecurityTest {
protected:
    void Run(Harness& ui, const std::function<void(DialogDriver&)>& script) {
        RunAfterRead<CSmartBindingSettings>(ui, IDC_APPLY, script);
    }
};

TEST_F(SmartBindingSettingsTest, ListAndBoxes) {
    Set(kPortSettings + "2.2", "i", "1");
    Harness ui;
    ui.ScriptMessageBoxes({IDOK, IDOK});
    Run(ui, [&](DialogDriver& d) {
        const auto rows = d.GetRows(IDC_LIST);
        ASSERT_EQ(rows.size(), 28u);
        EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "Disabled", "Disabled", "Disabled"}));
        EXPECT_EQ(rows[1], (std::vector<std::string>{"2", "Enabled", "Disabled", "Disabled"}));
        EXPECT_EQ(d.GetText(IDC_FROM_PORT), "1");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "28");
        d.ChooseComboItem(IDC_FROM_PORT, "10");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "10");
        d.ChooseComboItem(IDC_TO_PORT, "5");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "10");
        d.ChooseComboItem(IDC_INSPECTION, "ARP+IP Inspection");
        EXPECT_EQ(d.GetText(IDC_INSPECTION), "ARP+IP Inspection");
    });
    const auto boxes = ui.ShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "'To Port' can not be smaller than 'From Port'");
    EXPECT_EQ(boxes[1].text, "Warning! All enable address binding ports switch will change to strict mode.");
}

TEST_F(SmartBindingSettingsTest, ApplyWritesEachPortOrRefuses) {
    const char* const kTrunk = "Cannot add a port-security enabled port to an aggregated link.";
    const char* const kAllPorts = "This operation will cause device to out of control.";
    struct Case {
        std::string name;
        std::string from, to, admin;
        bool trunk21;  // ports 21 and 22 form a trunk
        bool emptyWhiteList;
        int written;  // ports written, from `from` on; 0 with the message
        std::string message;
    };
    const Case cases[] = {
        {"trunk, enabled", "20", "22", "Enabled", true, false, 0, kTrunk},
        {"trunk, disabled", "20", "22", "Disabled", true, false, 3, ""},
        {"all ports, no white list", "1", "28", "Enabled", false, true, 0, kAllPorts},
        {"all ports, white list", "1", "28", "Enabled", false, false, 28, ""},
        {"all but one, no white list", "1", "27", "Enabled", false, true, 27, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StartSwitch("DUZ-3300-28ZA1", 28));
        Set(kTrunkMembers + ".1", "x", c.trunk21 ? "00 00 0C 00" : "00 00 00 00");
        if (c.emptyWhiteList) {
            ASSERT_TRUE(sim->Command("del " + kWhiteList));
        }
        Harness ui;
        if (!c.message.empty()) ui.ScriptMessageBoxes({IDOK});
        Run(ui, [&](DialogDriver& d) {
            d.ChooseComboItem(IDC_FROM_PORT, c.from);
            d.ChooseComboItem(IDC_TO_PORT, c.to);
            d.ChooseComboItem(IDC_ADMIN_STATE, c.admin);
            d.Click(IDC_APPLY);
            if (!c.message.empty()) {
                ASSERT_EQ(ui.ShownMessageBoxes().size(), 1u);
                EXPECT_EQ(ui.ShownMessageBoxes()[0].text, c.message);
                EXPECT_EQ(d.GetText(IDC_ADMIN_STATE), c.message == kAllPorts ? "Disabled" : c.admin);
            } else {
                EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
            }
        });
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), static_cast<size_t>(c.written));
        const std::string value = c.admin == "Enabled" ? "1" : "0";
        for (int i = 0; i < c.written; ++i) {
            const std::string port = std::to_string(std::stoi(c.from) + i);
            EXPECT_EQ(Assignments(sets[static_cast<size_t>(i)], "i"),
                      (std::vector<std::string>{kPortSettings + "2." + port + " := " + value,
                                                kPortSettings + "3." + port + " := 0",
                                                kPortSettings + "4." + port + " := 0"}));
        }
    }
}

TEST_F(SmartBindingSettingsTest, EveryValueOfTheBoxesIsWrittenAndReadBack) {
    Set(kTrunkMembers + ".1", "x", "00 00 00 00");
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Run(ui, [&](DialogDriver& d) {
        d.ChooseComboItem(IDC_TO_PORT, "3");
        d.ChooseComboItem(IDC_ADMIN_STATE, "Enabled");
        d.ChooseComboItem(IDC_INSPECTION, "ARP+IP Inspection");
        d.ChooseComboItem(IDC_DHCP_SNOOPING, "Enabled");
        const size_t reads = GetNextsFrom(kPortSettings + "1");
        d.Click(IDC_APPLY);
        EXPECT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_APPLY); }));
        EXPECT_GT(GetNextsFrom(kPortSettings + "1"), reads);
        EXPECT_EQ(d.GetRows(IDC_LIST)[2], (std::vector<std::string>{"3", "Enabled", "Enabled", "Enabled"}));
        EXPECT_EQ(d.GetRows(IDC_LIST)[3], (std::vector<std::string>{"4", "Disabled", "Disabled", "Disabled"}));
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 3u);
    for (int p = 1; p <= 3; ++p) {
        const std::string port = std::to_string(p);
        EXPECT_EQ(
            Assignments(sets[static_cast<size_t>(p - 1)], "i"),
            (std::vector<std::string>{kPortSettings + "2." + port + " := 1", kPortSettings + "3." + port + " := 1",
                                      kPortSettings + "4." + port + " := 1"}));
    }
}

}  // namespace
