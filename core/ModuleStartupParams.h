#pragma once
// The process-wide start-up settings from the command line, as texts. Every field holds
// its default from program load; the command line overwrites some of them once, before
// the main dialog exists, and nothing writes them afterwards.
#include <string>

struct ModuleStartupParams {
    static std::string DeviceIP;        // item 2, at most 15 characters
    static std::string ReadCommunity;   // item 3, default "norfen", at most 51
    static std::string WriteCommunity;  // item 4, default "quastel", at most 51
    static bool VlanEditEnabled;        // item 5: "TRUE" or "true"
    static std::string SnmpVersion;     // item 6, default "1", at most 7
    static std::string AgentPort;       // item 7 when it names a UDP port other than 161, else ""
    static std::string SecurityLevel;   // item 11, default "1", at most 7
    static std::string UserName;        // item 12, at most 31
    static std::string AuthPassword;    // item 13, at most 31
    static std::string PrivPassword;    // item 14, at most 31
    static std::string AuthProtocol;    // item 15, default "1", at most 7
    static std::string PrivProtocol;    // item 16, default "1", at most 7
    static std::string TimeoutMs;       // not on the command line: "3000"

    // Where the sessions send their requests: DeviceIP, and ":" AgentPort when there is one.
    // Only the sessions use the port; everything that shows or names the device uses DeviceIP.
    static std::string AgentAddress();

    // Puts every field back to its program-load default (tests start each case from it).
    static void ResetToDefaults();
};
