#pragma once
// The main window against the simulated switch: a User.ini written per test, the program's
// model files found as the program finds them (the resources folder stands for the
// executable's folder), and helpers that read the menu and the switch's request log.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/ModuleStartupParams.h"
#include "platform/win/DebugOutput.h"
#include "shell/DerariModuleDlg.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/ui/UiHarness.h"

namespace shelltest {

inline const std::string kSaveOid = "1.3.6.1.4.1.32473.10.76.21.1.1.10.0";
inline const std::string kRebootOid = "1.3.6.1.4.1.32473.10.76.21.1.1.9.0";
inline const std::string kFirmwareStatusOid = "1.3.6.1.4.1.32473.10.76.21.1.3.9.6.0";
inline const std::string kConfigStatusOid = "1.3.6.1.4.1.32473.10.76.21.1.3.10.6.0";

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::filesystem::current_path(RESOURCES_DIR);
        switchsim::SimulatedSwitch::Options options;
        options.config = {"save-time 300", "reboot-time 200"};
        s_sim = switchsim::StartSuiteSwitch(options);
    }
    static void TearDownTestSuite() { s_sim.reset(); }

    void SetUp() override {
        switchsim::ResetForTest(s_sim.get());
        switchsim::PointModuleAt(*s_sim, "1000");
        g_strDeviceName.clear();
        g_nDevicePortNum = 28;
        m_dir = std::filesystem::temp_directory_path() / ("shell-main-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_dir);
        m_ini = (m_dir / "User.ini").string();
    }
    void TearDown() override {
        std::filesystem::remove_all(m_dir);
        ModuleStartupParams::ResetToDefaults();
    }

    // User.ini with these DeviceInfo lines.
    void WriteIni(const std::string& lines) const { std::ofstream(m_ini) << "[DeviceInfo]\n" << lines; }
    // The model's own User.ini.
    void UseModel(const std::string& model) const {
        std::filesystem::copy_file(std::string(RESOURCES_DIR) + "/models/" + model + "/User.ini", m_ini,
                                   std::filesystem::copy_options::overwrite_existing);
    }

    // The requests of one PDU type the switch received.
    static std::vector<switchsim::LoggedRequest> Requests(const std::string& pdu) {
        std::vector<switchsim::LoggedRequest> found;
        for (const auto& r : s_sim->Requests())
            if (r.pdu == pdu) found.push_back(r);
        return found;
    }

    static inline std::unique_ptr<switchsim::SimulatedSwitch> s_sim;
    ui::test::Harness ui;
    std::filesystem::path m_dir;
    std::string m_ini;
};

// The texts of a menu level.
inline std::vector<std::string> Texts(const std::vector<ui::MenuItemInfo>& items) {
    std::vector<std::string> texts;
    for (const auto& item : items) texts.push_back(item.text);
    return texts;
}

// The item of that id anywhere below, or null.
inline const ui::MenuItemInfo* FindItem(const std::vector<ui::MenuItemInfo>& items, UINT id) {
    for (const auto& item : items) {
        if (!item.popup && item.id == id) return &item;
        if (const ui::MenuItemInfo* found = FindItem(item.items, id)) return found;
    }
    return nullptr;
}

}  // namespace shelltest
