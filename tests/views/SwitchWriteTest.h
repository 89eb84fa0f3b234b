#pragma once
// The fixture of the views that write the switch: the request log read as assignments, the
// check of a refused Apply, and a slow switch for the tests that close during a read.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/ModuleStartupParams.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/ui/UiHarness.h"

namespace viewstest {

// The main window's User.ini of a model, in a folder of its own that goes with this object;
// the program's model files are found as the program finds them (the resources folder stands
// for the executable's folder).
struct ModelIni {
    explicit ModelIni(const std::string& model, const std::string& resources) {
        std::filesystem::current_path(resources);
        dir = std::filesystem::temp_directory_path() / ("views-main-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        path = (dir / "User.ini").string();
        std::filesystem::copy_file(resources + "/models/" + model + "/User.ini", path,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    ~ModelIni() { std::filesystem::remove_all(dir); }
    ModelIni(const ModelIni&) = delete;
    ModelIni& operator=(const ModelIni&) = delete;

    std::filesystem::path dir;
    std::string path;
};

class SwitchWriteTest : public switchsim::ModuleTargetTest {
protected:
    using ModuleTargetTest::ModuleTargetTest;

    // A request's varbinds as "OID TYPE VALUE" (OCTET STRINGs as hex bytes), "OID" for NULL.
    static std::vector<std::string> Assignments(const switchsim::LoggedRequest& r) {
        std::vector<std::string> out;
        for (const auto& v : r.varbinds) {
            if (v.type == "null") out.push_back(v.oid);
            else out.push_back(v.oid + " " + v.type + " " + (v.type == "s" || v.type == "x" ? v.hex : v.value));
        }
        return out;
    }

    // After an Apply: with a message expected, that message was the one box shown and nothing
    // was written (true); without, no box was shown (false, the caller checks the writes).
    bool ExpectRefused(const ui::test::Harness& ui, const std::string& message) const {
        const auto shown = ui.ShownMessageBoxes();
        if (message.empty()) {
            EXPECT_TRUE(shown.empty());
            return false;
        }
        EXPECT_EQ(shown.size(), 1u);
        if (!shown.empty()) {
            EXPECT_EQ(shown[0].text, message);
        }
        EXPECT_TRUE(Sets().empty());
        return true;
    }

    // Answers leave `ms` late, with sessions that wait for them.
    void SlowSwitch(int ms) const {
        ModuleStartupParams::TimeoutMs = "20000";
        ASSERT_TRUE(sim->Delay(ms));
    }
    // Sessions made from now on give up after `ms`.
    static void ShortTimeout(int ms = 200) { ModuleStartupParams::TimeoutMs = std::to_string(ms); }
};

}  // namespace viewstest
