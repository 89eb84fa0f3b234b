#include "features/vlan/CameraVlanChecks.h"

#include <algorithm>
#include <cctype>

#include "core/Utils.h"

namespace {
std::string WithoutDashes(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (c != '-') digits += c;
    }
    return digits;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// A listed entry that is one of the switch's own: its address (dashes removed, capitals)
// begins with either built-in prefix as the list shows it.
bool IsBuiltInDigits(const std::string& digits) {
    return StartsWith(digits, "063C910") || StartsWith(digits, "065A2EX");
}
}  // namespace

CameraVlanRefusal CheckCameraVlanApply(const CameraVlanApplyInput& input, const CameraVlanReadState& read) {
    if (read.asymmetric == 1) return {"Auto Surveillance Vlan can not support in Asymmetric VLAN mode.", true};
    if (input.vid == 1) return {"Default VLAN cannot be set as Auto Surveillance VLAN.", true};
    if (input.vid < 2 || input.vid > 4094) return {"The VLAN ID value range is 2 - 4094", true};
    if (read.voiceState == 1 && input.vid == read.voiceVid) return {"The VLAN ID already is voice VLAN ID.", true};
    if (CUtils::HasNoSpecialCharsOrLetters(input.portList) == 0) return {"Invalid Portlist", false};
    return {};
}

std::string CameraVlanPortList(const char* bytes, int length, int portCount) {
    constexpr int kMaxBitmapBytes = 8;
    std::string list;
    CUtils::BitmapToPortRangeList(bytes, std::clamp(length, 0, kMaxBitmapBytes), 1, portCount, list);
    return list;
}

std::string CheckCameraOuiDescription(const std::string& description) {
    return CUtils::HasNoSpecialChars(description) == 0 ? "Invalid Description." : "";
}

bool IsBuiltInCameraOuiText(const std::string& macColumn) {
    return macColumn == "06-3C-91-0X-XX-XX" || macColumn == "06-5A-2E-XX-XX-XX";
}

std::string CheckCameraOuiEntry(const std::string& address, const CameraOuiKnown& known) {
    const std::string digits = Upper(WithoutDashes(address));
    for (size_t i = 0; i < known.voicePrefixes.size() && i < known.voiceTypes.size(); ++i) {
        if (known.voiceTypes[i] == "1" && Upper(known.voicePrefixes[i]) == digits.substr(0, 6))
            return "The OUI is already exist at Voice Vlan OUI Table!";
    }
    const std::string seven = digits.substr(0, 7);
    for (const char* builtIn : {"063C910", "065A2E0", "065A2E1", "065A2E2", "065A2E3"}) {
        if (seven == builtIn) return "This OUI is default, please select the default mode!";
    }
    int own = 0;
    for (const std::string& row : known.listed) {
        const std::string rowDigits = Upper(WithoutDashes(row));
        if (rowDigits == digits) return "The OUI is already exist!";
    }
    for (const std::string& row : known.listed) {
        if (!IsBuiltInDigits(Upper(WithoutDashes(row)))) ++own;
    }
    if (own >= kMaxUserCameraOui) return "OUI Table is full,Maximum user defined OUI is 5.";
    return {};
}
