// Camera detection per port against the simulated switch: the list texts, Apply only with
// the surveillance VLAN enabled, the trunk refusal judged over the whole range before any
// request, and long ranges sent 30 ports a request with a pause after each.
#include <chrono>

#include "resources/templates/GvrpDialogsIds.h"
#include "tests/views/gvrp/GvrpFixture.h"
#include "views/CameraVlanPortSetting.h"

using namespace std::chrono_literals;
using namespace camera_port_ids;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

namespace gvrptest {
namespace {

std::string Detection(int port) { return kCameraPorts + "2." + std::to_string(port); }

class CameraPortTest : public GvrpTest {
protected:
    using GvrpTest::GvrpTest;
    static void ReadDone(DialogDriver& d) {
        ASSERT_TRUE(WaitUntil([&] { return d.IsEnabled(IDC_REFRESH); }, 15s));
    }
    std::size_t PortReads() const { return GetNextsFrom(kCameraPorts + "1"); }
    // Runs Apply of a range with a choice on a dialog of the enabled surveillance VLAN.
    void Apply(Harness& ui, const std::string& from, const std::string& to, const std::string& choice) {
        CCameraVlanPortSetting dlg;
        dlg.m_SurveillanceVlanID = "30";
        dlg.m_SurveillanceVlanState = "1";
        ui.RunModal(dlg, [&](DialogDriver& d) {
            ReadDone(d);
            d.ChooseComboItem(IDC_FROM_PORT, from);
            d.ChooseComboItem(IDC_TO_PORT, to);
            d.ChooseComboItem(IDC_AUTO_DETECTION, choice);
            d.Click(IDC_APPLY);
            ReadDone(d);
            d.Close();
        });
    }
};

TEST_F(CameraPortTest, ListTextsAndApplyHeldWithoutTheVlanState) {
    Set(Detection(2), "i", "1");
    Set(kCameraPorts + "3.1", "i", "1");
    Set(kCameraPorts + "3.2", "i", "2");
    Set(kCameraPorts + "3.4", "i", "7");
    Harness ui;
    CCameraVlanPortSetting dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        EXPECT_EQ(d.GetColumns(IDC_LIST), (std::vector<std::string>{"Port", "Auto Detection", "Status"}));
        const auto rows = d.GetRows(IDC_LIST);
        ASSERT_EQ(rows.size(), 28u);
        EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "Disabled", "Static"}));
        EXPECT_EQ(rows[1], (std::vector<std::string>{"2", "Enabled", "Dynamic"}));
        EXPECT_EQ(rows[2], (std::vector<std::string>{"3", "Disabled", "None"}));
        EXPECT_EQ(rows[3], (std::vector<std::string>{"4", "Disabled", "7"}));
        EXPECT_EQ(d.GetItems(IDC_AUTO_DETECTION), (std::vector<std::string>{"Enable", "Disable"}));
        EXPECT_EQ(d.GetText(IDC_AUTO_DETECTION), "Disable");
        EXPECT_EQ(d.GetText(IDC_VLAN_ID), "");
        EXPECT_EQ(d.GetText(IDC_TO_PORT), "28");
        EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
        d.Click(IDC_REFRESH);
        ReadDone(d);
        EXPECT_FALSE(d.IsEnabled(IDC_APPLY));
        d.Close();
    });
    EXPECT_EQ(PortReads(), 2u);
}

TEST_F(CameraPortTest, DisableOnTenPortsGoesInOneRequest) {
    Harness ui;
    Apply(ui, "1", "10", "Disable");
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    std::vector<std::string> expected;
    for (int p = 1; p <= 10; ++p) expected.push_back(Detection(p));
    EXPECT_EQ(Oids(sets[0]), expected);
    EXPECT_EQ(sets[0].varbinds[0].value, "2");
    EXPECT_TRUE(ui.ShownMessageBoxes().empty());
    EXPECT_EQ(PortReads(), 2u);
}

TEST_F(CameraPortTest, EnableOverATrunkMemberSendsNothing) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Apply(ui, "1", "28", "Enable");  // trunk 1 holds ports 21 and 22
    EXPECT_EQ(Texts(ui.ShownMessageBoxes()),
              std::vector<std::string>{"LA member port can not support in auto Surveillance vlan mode."});
    EXPECT_TRUE(Sets().empty());
}

TEST_F(CameraPortTest, ADissolvedTrunkIsForgottenOnRefresh) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    CCameraVlanPortSetting dlg;
    dlg.m_SurveillanceVlanState = "1";
    ui.RunModal(dlg, [&](DialogDriver& d) {
        ReadDone(d);
        d.ChooseComboItem(IDC_FROM_PORT, "20");
        d.ChooseComboItem(IDC_TO_PORT, "21");
        d.ChooseComboItem(IDC_AUTO_DETECTION, "Enable");
        d.Click(IDC_APPLY);
        Set(TrunkOid(1), "x", "00 00 00 00");
        d.Click(IDC_REFRESH);
        ReadDone(d);
        d.ChooseComboItem(IDC_FROM_PORT, "20");
        d.ChooseComboItem(IDC_TO_PORT, "21");
        d.ChooseComboItem(IDC_AUTO_DETECTION, "Enable");
        d.Click(IDC_APPLY);
        ReadDone(d);
        d.Close();
    });
    EXPECT_EQ(ui.ShownMessageBoxes().size(), 1u);
    ASSERT_EQ(Sets().size(), 1u);
    EXPECT_EQ(Oids(Sets()[0]), (std::vector<std::string>{Detection(20), Detection(21)}));
}

class CameraPort52Test : public CameraPortTest {
protected:
    CameraPort52Test() : CameraPortTest({.model = "DUZ-3300-52", .ports = 52}) {}
};

TEST_F(CameraPort52Test, EnableOverATrunkMemberPastThirtyPortsSendsNothing) {
    Harness ui;
    ui.ScriptMessageBoxes({IDOK});
    Apply(ui, "1", "52", "Enable");  // trunk 1 holds ports 45 and 46
    EXPECT_EQ(Texts(ui.ShownMessageBoxes()),
              std::vector<std::string>{"LA member port can not support in auto Surveillance vlan mode."});
    EXPECT_TRUE(Sets().empty());
}

TEST_F(CameraPort52Test, LongRangesGoThirtyPortsARequestWithAPauseAfterEach) {
    struct Case {
        std::string to;
        std::vector<int> lastOfEachRequest;
    } const cases[] = {{"52", {30, 52}}, {"30", {30}}, {"31", {30, 31}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to);
        sim->ClearRequests();
        Harness ui;
        Apply(ui, "1", c.to, "Disable");
        const auto sets = Sets();
        ASSERT_EQ(sets.size(), c.lastOfEachRequest.size());
        int port = 1;
        for (std::size_t i = 0; i < sets.size(); ++i) {
            std::vector<std::string> expected;
            for (; port <= c.lastOfEachRequest[i]; ++port) expected.push_back(Detection(port));
            EXPECT_EQ(Oids(sets[i]), expected);
            if (i > 0) {
                EXPECT_GE(sets[i].arrivalUs - sets[i - 1].arrivalUs, 100000);
            }
        }
        // The read again after the last pause.
        long walk = 0;
        for (const auto& r : Requests("getnext")) {
            if (walk == 0 && r.seq > sets.back().seq) walk = r.arrivalUs;
        }
        EXPECT_GE(walk - sets.back().arrivalUs, 100000);
    }
}

}  // namespace
}  // namespace gvrptest
