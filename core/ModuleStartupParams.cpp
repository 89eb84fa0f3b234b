#include "core/ModuleStartupParams.h"

std::string ModuleStartupParams::DeviceIP;
std::string ModuleStartupParams::ReadCommunity = "norfen";
std::string ModuleStartupParams::WriteCommunity = "quastel";
bool ModuleStartupParams::VlanEditEnabled = false;
std::string ModuleStartupParams::SnmpVersion = "1";
std::string ModuleStartupParams::AgentPort;
std::string ModuleStartupParams::SecurityLevel = "1";
std::string ModuleStartupParams::UserName;
std::string ModuleStartupParams::AuthPassword;
std::string ModuleStartupParams::PrivPassword;
std::string ModuleStartupParams::AuthProtocol = "1";
std::string ModuleStartupParams::PrivProtocol = "1";
std::string ModuleStartupParams::TimeoutMs = "3000";

void ModuleStartupParams::ResetToDefaults() {
    DeviceIP.clear();
    ReadCommunity = "norfen";
    WriteCommunity = "quastel";
    VlanEditEnabled = false;
    SnmpVersion = "1";
    AgentPort.clear();
    SecurityLevel = "1";
    UserName.clear();
    AuthPassword.clear();
    PrivPassword.clear();
    AuthProtocol = "1";
    PrivProtocol = "1";
    TimeoutMs = "3000";
}

std::string ModuleStartupParams::AgentAddress() {
    if (DeviceIP.empty() || AgentPort.empty()) return DeviceIP;
    return DeviceIP + ":" + AgentPort;
}
