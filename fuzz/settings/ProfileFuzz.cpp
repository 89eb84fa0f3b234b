// User.ini is a file anyone may edit.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/DeviceProfile.h"
#include "platform/ui/Prompt.h"
#include "platform/win/Profile.h"

namespace {

void Check(bool condition) {
    if (!condition) abort();
}

const std::string& IniPath() {
    static const std::string path = [] {
        std::string dir = (std::filesystem::temp_directory_path() / "fuzz-profile-XXXXXX").string();
        if (mkdtemp(dir.data()) == nullptr) abort();
        ui::SetPromptHandler([](const ui::PromptRequest&) { return IDOK; });
        return dir + "/User.ini";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    win::FindProfileValue(content, "DeviceInfo", "PoEPortNum ");

    FILE* file = std::fopen(IniPath().c_str(), "wb");
    if (file == nullptr) abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    // The program reads the profile once, from the initial values.
    g_strDeviceName.clear();
    g_nPoEPortNum = 0;
    g_nDevicePortNum = 28;
    std::string xmlName;
    int combo = 0;
    ReadDeviceProfile(IniPath(), xmlName, combo);
    Check(g_strDeviceName.size() <= 259 && xmlName.size() <= 259);
    Check(g_nDevicePortNum >= 0 && g_nDevicePortNum <= kMaxDevicePorts);
    Check(g_nPoEPortNum >= 0 && g_nPoEPortNum <= g_nDevicePortNum);
    Check(combo >= 0 && combo <= g_nDevicePortNum);
    return 0;
}
