#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/DeviceProfile.h"
#include "platform/ui/Prompt.h"
#include "tests/shell/settings/TempIni.h"

namespace {

class DeviceProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_strDeviceName.clear();
        g_nPoEPortNum = 0;
        g_nDevicePortNum = 28;
        g_bIsAllGiga = false;
        g_bIsHasFan = false;
        previous_ = ui::SetPromptHandler([this](const ui::PromptRequest& r) {
            shown_.push_back(r.text);
            return IDOK;
        });
    }
    void TearDown() override { ui::SetPromptHandler(previous_); }

    // Reads a User.ini holding section DeviceInfo with these lines.
    bool Read(const std::string& lines) {
        return ReadDeviceProfile(dir_.Write("[DeviceInfo]\n" + lines), xmlName_, combo_);
    }

    TempIni dir_;
    std::string xmlName_ = "unset";
    int combo_ = -1;
    std::vector<std::string> shown_;
    ui::PromptHandler previous_;
};

const std::vector<std::string> kProfileError = {"Read User.ini Error !"};

TEST_F(DeviceProfileTest, ReadsAPoEModel) {
    ASSERT_TRUE(
        Read("DeviceName=DUZ-3300-28P\nPoEPortNum =24\nDevicePortNum=28\nComboPortNum=4\n"
             "XMLName=panel/duz28p.xml\nIsAllGiga=Y\nIsHasFan=y\n"));
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ(g_strDeviceName, "DUZ-3300-28P");
    EXPECT_EQ(g_nPoEPortNum, 24);
    EXPECT_EQ(g_nDevicePortNum, 28);
    EXPECT_EQ(combo_, 4);
    EXPECT_EQ(xmlName_, "panel/duz28p.xml");
    EXPECT_TRUE(g_bIsAllGiga);
    EXPECT_TRUE(g_bIsHasFan);
}

TEST_F(DeviceProfileTest, PoEPortCountNeedsThePoEModelAndTheKeyWithItsBlank) {
    struct Case {
        const char* name;
        std::string lines;
        int poePorts;
    };
    const Case cases[] = {
        {"small p is a PoE model", "DeviceName=duz-3300-28p\nPoEPortNum =8\n", 8},
        {"key without the blank is not found", "DeviceName=DUZ-3300-28P\nPoEPortNum=8\n", 0},
        {"model without P does not read it", "DeviceName=DUZ-3300-28\nPoEPortNum =8\n", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_nPoEPortNum = 0;
        ASSERT_TRUE(Read(c.lines + "XMLName=x.xml\n"));
        EXPECT_EQ(g_nPoEPortNum, c.poePorts);
    }
}

TEST_F(DeviceProfileTest, AbsentKeysGiveTheirDefaults) {
    g_bIsAllGiga = true;
    g_bIsHasFan = true;
    ASSERT_TRUE(Read("DeviceName=DUZ-3300-28P\nXMLName=x.xml\n"));
    EXPECT_EQ(g_nPoEPortNum, 0);
    EXPECT_EQ(g_nDevicePortNum, 28);
    EXPECT_EQ(combo_, 0);
    EXPECT_FALSE(g_bIsAllGiga);
    EXPECT_FALSE(g_bIsHasFan);
}

TEST_F(DeviceProfileTest, OnlyYAndSmallYAreTrue) {
    const std::pair<const char*, bool> cases[] = {
        {"Y", true},    {"y", true},  {" Y ", true}, {"Yes", false},
        {"yes", false}, {"N", false}, {"1", false},  {"", false},
    };
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(
            Read("DeviceName=D\nXMLName=x.xml\nIsAllGiga=" + std::string(value) + "\nIsHasFan=" + value + "\n"));
        EXPECT_EQ(g_bIsAllGiga, expected);
        EXPECT_EQ(g_bIsHasFan, expected);
    }
}

TEST_F(DeviceProfileTest, CountsStayWithinThePortTables) {
    struct Case {
        std::string lines;
        int ports, poePorts, combo;
    };
    const Case cases[] = {
        {"DevicePortNum=52\nPoEPortNum =48\nComboPortNum=4\n", 52, 48, 4},
        {"DevicePortNum=100\nPoEPortNum =400\nComboPortNum=200\n", 100, 100, 100},
        {"DevicePortNum=28\nPoEPortNum =-1\nComboPortNum=40\n", 28, 0, 28},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        ASSERT_TRUE(Read("DeviceName=DUZ-3300-28P\nXMLName=x.xml\n" + c.lines));
        EXPECT_EQ(g_nDevicePortNum, c.ports);
        EXPECT_EQ(g_nPoEPortNum, c.poePorts);
        EXPECT_EQ(combo_, c.combo);
    }
}

// A port count the per-port tables cannot hold is an error, never used.
TEST_F(DeviceProfileTest, PortCountOutsideOneToHundredIsAnError) {
    for (const char* count : {"0", "101", "500", "-4"}) {
        SCOPED_TRACE(count);
        shown_.clear();
        EXPECT_FALSE(Read(std::string("DeviceName=DUZ-3300-28\nXMLName=x.xml\nDevicePortNum=") + count + "\n"));
        EXPECT_EQ(shown_, kProfileError);
        EXPECT_EQ(g_nDevicePortNum, 28);
    }
}

TEST_F(DeviceProfileTest, LongModelNameIsCutAt259Characters) {
    ASSERT_TRUE(Read("DeviceName=" + std::string(400, 'D') + "\nXMLName=x.xml\n"));
    EXPECT_EQ(g_strDeviceName, std::string(259, 'D'));
}

TEST_F(DeviceProfileTest, MissingFileIsAnError) {
    EXPECT_FALSE(ReadDeviceProfile(dir_.Missing(), xmlName_, combo_));
    EXPECT_EQ(shown_, kProfileError);
    EXPECT_EQ(g_strDeviceName, "");
    EXPECT_EQ(g_nDevicePortNum, 28);
    EXPECT_EQ(ReadProfileDeviceName(dir_.Missing()), "");
}

TEST_F(DeviceProfileTest, EmptyModelNameStopsBeforeTheRest) {
    EXPECT_FALSE(Read("DeviceName=\nDevicePortNum=52\nXMLName=x.xml\nIsAllGiga=Y\n"));
    EXPECT_EQ(shown_, kProfileError);
    EXPECT_EQ(g_nDevicePortNum, 28);
    EXPECT_FALSE(g_bIsAllGiga);
    EXPECT_EQ(xmlName_, "unset");
}

TEST_F(DeviceProfileTest, MissingPanelNameKeepsWhatWasReadBefore) {
    EXPECT_FALSE(Read("DeviceName=DUZ-3300-52\nDevicePortNum=52\nComboPortNum=4\nIsAllGiga=Y\n"));
    EXPECT_EQ(shown_, kProfileError);
    EXPECT_EQ(g_strDeviceName, "DUZ-3300-52");
    EXPECT_EQ(g_nDevicePortNum, 52);
    EXPECT_EQ(combo_, 4);
    EXPECT_EQ(xmlName_, "");
    EXPECT_FALSE(g_bIsAllGiga);
}

TEST(UserIniPath, NamesUserIniBesideTheRunningProgram) {
    const std::filesystem::path path = UserIniPath();
    EXPECT_EQ(path.filename(), "User.ini");
    EXPECT_TRUE(path.is_absolute());
    EXPECT_TRUE(std::filesystem::exists(path.parent_path() / "shell_settings_test"));
}

}  // namespace
