#include "core/DeviceProfile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/ui/Prompt.h"
#include "platform/win/Profile.h"

std::string g_strDeviceName;
int g_nPoEPortNum = 0;
int g_nDevicePortNum = 28;
bool g_bIsAllGiga = false;
bool g_bIsHasFan = false;

namespace {

constexpr const char* kSection = "DeviceInfo";
constexpr DWORD kTextBufferSize = 260;

std::string ReadText(const std::string& iniPath, const char* key) {
    char buffer[kTextBufferSize];
    GetPrivateProfileString(kSection, key, "", buffer, kTextBufferSize, iniPath);
    return buffer;
}

int ReadInt(const std::string& iniPath, const char* key, int defaultValue) {
    return static_cast<int>(GetPrivateProfileInt(kSection, key, defaultValue, iniPath));
}

bool ReadFlag(const std::string& iniPath, const char* key) {
    const std::string value = ReadText(iniPath, key);
    return value == "Y" || value == "y";
}

bool ReportProfileError() {
    AfxMessageBox("Read User.ini Error !");
    return false;
}

}  // namespace

std::string UserIniPath() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return (exe.parent_path() / "User.ini").string();
}

std::string ReadProfileDeviceName(const std::string& iniPath) { return ReadText(iniPath, "DeviceName"); }

bool ReadDeviceProfile(const std::string& iniPath, std::string& xmlName, int& comboPortNum) {
    g_strDeviceName = ReadProfileDeviceName(iniPath);
    if (g_strDeviceName.empty()) return ReportProfileError();

    // A port count the 100-entry port tables cannot hold is as unusable as a missing value.
    const int portNum = ReadInt(iniPath, "DevicePortNum", 28);
    if (portNum < 1 || portNum > kMaxDevicePorts) return ReportProfileError();
    g_nDevicePortNum = portNum;
    if (g_strDeviceName.find_first_of("Pp") != std::string::npos) {
        g_nPoEPortNum = std::clamp(ReadInt(iniPath, "PoEPortNum ", 0), 0, g_nDevicePortNum);
    }
    comboPortNum = std::clamp(ReadInt(iniPath, "ComboPortNum", 0), 0, g_nDevicePortNum);

    xmlName = ReadText(iniPath, "XMLName");
    if (xmlName.empty()) return ReportProfileError();

    g_bIsAllGiga = ReadFlag(iniPath, "IsAllGiga");
    g_bIsHasFan = ReadFlag(iniPath, "IsHasFan");
    return true;
}
