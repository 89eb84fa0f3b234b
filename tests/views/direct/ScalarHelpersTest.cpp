// The scalar reads and writes of direct access against the simulated switch: what goes on
// the wire (community or user, types, order) and what the controls show.
#include <gtest/gtest.h>

#include <chrono>

#include "core/ModuleStartupParams.h"
#include "resources/templates/AgentTableViewsIds.h"
#include "tests/support/switchsim/SimulatedSwitch.h"
#include "tests/support/ui/UiHarness.h"
#include "tests/views/direct/SimV3.h"
#include "views/direct/DirectSnmpDlg.h"
#include "tests/support/SessionTarget.h"

using namespace std::chrono_literals;
using ui::test::DialogDriver;
using ui::test::Harness;
using ui::test::WaitUntil;

using namespace agent_table_ids;

namespace {

constexpr const char* kContact = "1.3.6.1.2.1.1.4.0";
constexpr const char* kName = "1.3.6.1.2.1.1.5.0";
constexpr const char* kLocation = "1.3.6.1.2.1.1.6.0";

// Shows sysContact, sysName and sysLocation in three boxes of the engine template; needs all
// three values.
class ScalarProbe : public CDirectSnmpDlg {
public:
    // The engine view's template lends its boxes to three scalars of the probe.
    ScalarProbe()
        : CDirectSnmpDlg(IDD_ENGINE,
                         {{kContact, IDC_ENGINE_ID}, {kName, IDC_ENGINE_BOOTS}, {kLocation, IDC_ENGINE_TIME}}, 3) {}
    using CDirectSnmpDlg::ReadScalarsV1;
    using CDirectSnmpDlg::ReadScalarsV3;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        TakeSettings();
        return TRUE;
    }
};

class ScalarHelpers : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(m_sim.Start(&error)) << error;
        ModuleStartupParams::ResetToDefaults();
        testsupport::PointSessionsAt(m_sim.Target());
    }
    void TearDown() override { ModuleStartupParams::ResetToDefaults(); }

    static void UseV3() { directtest::UseSimV3("2"); }
    std::vector<switchsim::LoggedRequest> Sets() const {
        std::vector<switchsim::LoggedRequest> out;
        for (const auto& r : m_sim.Requests())
            if (r.pdu == "set") out.push_back(r);
        return out;
    }

    switchsim::SimulatedSwitch m_sim;
};

TEST_F(ScalarHelpers, ReadsShowValuesByPosition) {
    Harness ui;
    ScalarProbe probe;
    ui.RunModal(probe, [&](DialogDriver& d) {
        probe.ReadScalarsV1();
        ASSERT_TRUE(WaitUntil([&] { return !d.GetText(IDC_ENGINE_TIME).empty(); }));
        EXPECT_EQ(d.GetText(IDC_ENGINE_ID), "network admin");
        EXPECT_EQ(d.GetText(IDC_ENGINE_BOOTS), "DUZ-3300-28ZA1");
        EXPECT_EQ(d.GetText(IDC_ENGINE_TIME), "Rack 2 Floor 1");
        ASSERT_EQ(m_sim.Requests().size(), 1u);
        EXPECT_EQ(m_sim.Requests()[0].community, "norfen");
        EXPECT_EQ(m_sim.Requests()[0].pdu, "get");
        d.Click(IDCANCEL);
    });
}

// A dialog that needs three values shows nothing when fewer come (sysLocation missing).
TEST_F(ScalarHelpers, FewerValuesThanNeededShowNothing) {
    ASSERT_TRUE(m_sim.Serve(kLocation, "n", ""));
    Harness ui;
    ScalarProbe probe;
    ui.RunModal(probe, [&](DialogDriver& d) {
        probe.ReadScalarsV1();
        ASSERT_TRUE(WaitUntil([&] { return m_sim.Requests().size() == 1 && !probe.Reading(); }));
        EXPECT_EQ(d.GetText(IDC_ENGINE_ID), "");
        d.Click(IDCANCEL);
    });
}

TEST_F(ScalarHelpers, VersionThreeReadsSynchronouslyAndV1ReadDoesNothing) {
    UseV3();
    Harness ui;
    ScalarProbe probe;
    ui.RunModal(probe, [&](DialogDriver& d) {
        probe.ReadScalarsV1();  // a version-1 road only
        EXPECT_TRUE(m_sim.Requests().empty());
        probe.ReadScalarsV3();
        EXPECT_EQ(d.GetText(IDC_ENGINE_BOOTS), "DUZ-3300-28ZA1");
        ASSERT_EQ(m_sim.Requests().size(), 1u);
        EXPECT_EQ(m_sim.Requests()[0].user, "simmd5des");
        EXPECT_EQ(m_sim.Requests()[0].level, "authPriv");
        d.Click(IDCANCEL);
    });
}

TEST_F(ScalarHelpers, WritesSendOneSetInOrder) {
    const std::vector<DirectObject> objects{{kName, SNMP_TYPE_OCTETS, "core-1"}, {kContact, SNMP_TYPE_OCTETS, "ops"}};
    auto settings = DirectSnmpSettings::FromStartup();
    EXPECT_EQ(WriteScalarsV3(settings, objects), EC_NOT_READY);  // version 1: no v3 road
    EXPECT_EQ(WriteScalarsV1(settings, objects), 0);
    UseV3();
    settings = DirectSnmpSettings::FromStartup();
    EXPECT_EQ(WriteScalarsV1(settings, objects), EC_NOT_READY);
    EXPECT_EQ(WriteScalarsV3(settings, {{kLocation, SNMP_TYPE_OCTETS, "lab"}}), 0);

    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].community, "quastel");
    ASSERT_EQ(sets[0].varbinds.size(), 2u);
    EXPECT_EQ(sets[0].varbinds[0].oid, kName);
    EXPECT_EQ(sets[0].varbinds[0].value, "core-1");
    EXPECT_EQ(sets[0].varbinds[1].oid, kContact);
    EXPECT_EQ(sets[1].user, "simmd5des");
    EXPECT_EQ(sets[1].level, "authPriv");
    EXPECT_EQ(m_sim.GetObject(kLocation).value_or(""), "s 6C 61 62");  // "lab"
}

}  // namespace
