#pragma once
// Start-up settings for an authPriv user of the simulated switch (DES privacy).
#include <string>

#include "core/ModuleStartupParams.h"

namespace directtest {

// authProtocol "2" MD5 (user simmd5des), "3" SHA (user simshades).
inline void UseSimV3(const char* authProtocol) {
    const bool sha = std::string(authProtocol) == "3";
    ModuleStartupParams::SnmpVersion = "3";
    ModuleStartupParams::SecurityLevel = "3";
    ModuleStartupParams::UserName = sha ? "simshades" : "simmd5des";
    ModuleStartupParams::AuthPassword = sha ? "simshapass" : "simmd5pass";
    ModuleStartupParams::PrivPassword = "simdespass";
    ModuleStartupParams::AuthProtocol = authProtocol;
    ModuleStartupParams::PrivProtocol = "2";
}

}  // namespace directtest
