#pragma once
// The refusals of the auto surveillance VLAN dialog as plain functions: the inputs a user
// gave and what the last refresh read go in, the refusal's text comes out ("" to go on).
// The dialog shows the text; nothing here touches a window or the switch.
#include <string>
#include <vector>

// What the last refresh read of the other features Apply consults.
struct CameraVlanReadState {
    int asymmetric = 2;  // 1 asymmetric VLAN mode on, else 2
    int voiceState = 2;  // 1 voice VLAN enabled, else 2
    int voiceVid = 0;
};

struct CameraVlanApplyInput {
    int vid = 0;
    std::string portList;  // as typed
};

struct CameraVlanRefusal {
    std::string text;     // "" when Apply may go on
    bool reread = false;  // the dialog reads everything again after the message
    bool Refused() const { return !text.empty(); }
};

// Apply's refusals that need neither the port marks nor the aggregated links, in order:
// asymmetric mode, the default VLAN, the id range, the voice VLAN's id, the port list's
// characters.
CameraVlanRefusal CheckCameraVlanApply(const CameraVlanApplyInput& input, const CameraVlanReadState& read);

// The description of a new entry: "Invalid Description." for a special character.
std::string CheckCameraOuiDescription(const std::string& description);

// The entries Add compares a new address with.
struct CameraOuiKnown {
    // The voice VLAN's OUI prefixes (6 hexadecimal digits each) and, in the same order, the
    // text of their type column; only prefixes whose text is "1" take part.
    std::vector<std::string> voicePrefixes;
    std::vector<std::string> voiceTypes;
    // The MAC Address column of the listed entries, as shown ("00-11-22-00-00-00").
    std::vector<std::string> listed;
};

// The checks of Add after the address's format (17 characters, dashes, hexadecimal digits,
// neither broadcast nor multicast; CUtils::ValidateMacInput) was accepted, in order: the
// voice VLAN's OUIs, the built-in OUIs, an entry already listed, the full table.
std::string CheckCameraOuiEntry(const std::string& address, const CameraOuiKnown& known);

// The tagged uplink/downlink ports of a bitmap as a range list ("1-2,5") for ports 1 to
// portCount: the bytes received, at most eight, never past length.
std::string CameraVlanPortList(const char* bytes, int length, int portCount);

// The most entries a user may add beside the built-in ones.
constexpr int kMaxUserCameraOui = 5;
// True for the list texts of the two built-in entries.
bool IsBuiltInCameraOuiText(const std::string& macColumn);
