// The command line comes from whoever starts the module.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/ModuleStartupParams.h"
#include "shell/DerariModuleApp.h"

namespace {
void Check(bool condition) {
    if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ModuleStartupParams::ResetToDefaults();
    CDerariModuleApp app;
    app.ParseStartupParams(std::string(reinterpret_cast<const char*>(data), size));
    // Every field stays within its capacity and holds neither a blank nor a slash.
    for (const auto& [field, capacity] : {std::pair{&ModuleStartupParams::DeviceIP, 15u},
                                          {&ModuleStartupParams::ReadCommunity, 51u},
                                          {&ModuleStartupParams::WriteCommunity, 51u},
                                          {&ModuleStartupParams::SnmpVersion, 7u},
                                          {&ModuleStartupParams::SecurityLevel, 7u},
                                          {&ModuleStartupParams::UserName, 31u},
                                          {&ModuleStartupParams::AuthPassword, 31u},
                                          {&ModuleStartupParams::PrivPassword, 31u},
                                          {&ModuleStartupParams::AuthProtocol, 7u},
                                          {&ModuleStartupParams::PrivProtocol, 7u}}) {
        Check(field->size() <= capacity);
        Check(field->find_first_of(" /") == std::string::npos);
    }
    // The agent port is empty or a port number other than the standard one.
    const std::string& port = ModuleStartupParams::AgentPort;
    if (!port.empty()) {
        Check(port.find_first_not_of("0123456789") == std::string::npos && port.size() <= 5 && port[0] != '0');
        const int number = std::stoi(port);
        Check(number >= 1 && number <= 65535 && number != 161);
    }
    return 0;
}
