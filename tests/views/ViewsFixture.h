#pragma once
// The simulated switch the views read, the start-up settings pointing at it, and helpers
// that read what the views and the switch show.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/ModuleStartupParams.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/switchsim/Settle.h"
#include "tests/support/ui/UiHarness.h"
#include "core/SnmpRead.h"

namespace viewstest {

using Rows = std::vector<std::vector<std::string>>;

class ViewsTest : public ::testing::Test {
protected:
    // The switch of the suite; a test that needs other objects starts its own (Model).
    static void SetUpTestSuite() { s_sim = switchsim::StartSuiteSwitch(); }
    static void TearDownTestSuite() { s_sim.reset(); }

    void SetUp() override {
        switchsim::ResetForTest(s_sim.get());
        PointAt(*s_sim);
    }
    void TearDown() override {
        // Sessions closed during a request end in the background; none may outlive a test.
        EXPECT_TRUE(CSnmpRead::WaitForClosedSessions(10000));
        ModuleStartupParams::ResetToDefaults();
    }

    // Sessions made from now on talk to this switch.
    static void PointAt(const switchsim::SimulatedSwitch& sim, const char* timeoutMs = "1000") {
        switchsim::PointModuleAt(sim, timeoutMs);
    }

    // A switch serving only these model lines ("OID TYPE VALUE").
    static std::unique_ptr<switchsim::SimulatedSwitch> Model(const std::string& name, const std::string& lines) {
        const auto dir = std::filesystem::temp_directory_path() / ("views-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        const auto path = dir / (name + ".model");
        std::ofstream(path) << lines;
        switchsim::SimulatedSwitch::Options options;
        options.model = path.string();
        auto sim = std::make_unique<switchsim::SimulatedSwitch>(options);
        std::string error;
        EXPECT_TRUE(sim->Start(&error)) << error;
        return sim;
    }

    // The values snmpwalk prints for one column of the switch, in walk order.
    static std::vector<std::string> WalkColumn(const switchsim::SimulatedSwitch& sim, const std::string& oid) {
        const auto state = std::filesystem::temp_directory_path() / ("views-tool-" + std::to_string(::getpid()));
        const switchsim::ToolResult r = switchsim::RunTool(
            {"snmpwalk", "-v1", "-c", "norfen", "-Oqv", "-t", "2", sim.Target(), oid}, state.string());
        EXPECT_EQ(r.exitCode, 0) << r.err;
        std::vector<std::string> values;
        std::istringstream in(r.out);
        for (std::string line; std::getline(in, line);) values.push_back(line);
        return values;
    }

    // The GETNEXT requests the switch received, as their OID lists.
    static std::vector<std::vector<std::string>> GetNexts(const switchsim::SimulatedSwitch& sim) {
        std::vector<std::vector<std::string>> out;
        for (const auto& r : sim.Requests()) {
            if (r.pdu != "getnext") continue;
            std::vector<std::string> oids;
            for (const auto& v : r.varbinds) oids.push_back(v.oid);
            out.push_back(oids);
        }
        return out;
    }

    // Opens the view with every answer late, closes it (button closeId) while a walk request
    // is out, and checks that the close did not wait for the answer and that neither a row
    // (as rows() counts them) nor a request followed it. Returns the debugger lines.
    template <class View>
    std::vector<std::string> CloseWithRequestOut(View& view, int closeId, const std::function<std::size_t()>& rows) {
        using namespace std::chrono_literals;
        PointAt(*s_sim, "20000");
        EXPECT_TRUE(s_sim->Delay(1000));
        ui::test::Harness ui;
        std::size_t rowsAtClose = 0, requestsAtClose = 0;
        ui.RunModal(view, [&](ui::test::DialogDriver& d) {
            ASSERT_TRUE(ui::test::WaitUntil([&] { return !GetNexts(*s_sim).empty(); }));
            d.Click(closeId);
            // Well before the answer leaves the switch.
            EXPECT_TRUE(ui::test::WaitUntil([&] { return !d.IsOpen(); }, 800ms));
            // Counted once the view is closed: what a slow machine let through before the
            // close is not a fault, anything after it is.
            rowsAtClose = rows();
            requestsAtClose = GetNexts(*s_sim).size();
        });
        // The late answer has left the switch and whatever it could bring has been handled.
        switchsim::Settle(*s_sim);
        EXPECT_EQ(rows(), rowsAtClose);
        EXPECT_EQ(GetNexts(*s_sim).size(), requestsAtClose);
        return ui.CapturedDebugLines();
    }

    static inline std::unique_ptr<switchsim::SimulatedSwitch> s_sim;
};

}  // namespace viewstest
