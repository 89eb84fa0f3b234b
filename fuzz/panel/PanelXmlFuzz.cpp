// Panel descriptions come from outside: read any bytes as one and use the tree the way the
// main window does (ports by number, their LEDs, hit tests, resets).
#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/panel/ParseDevXML.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CDevModule root;
    CModuleList modules;
    CParseDevXML reader;
    reader.LoadDeviceXMLText(std::string(reinterpret_cast<const char*>(data), size), &root, modules);
    (void)root.GetRect();
    for (int n = 0; CVirtualDev* element = root.FindChildByClass("CPort", n); ++n) {
        auto* port = static_cast<CPort*>(element);
        if (CVirtualDev* led = port->GetChild(0)) (void)led->GetRect();
        port->SetPortStatus((n + 1) % 6);
        int x = 0, y = 0;
        port->OnMouseMove(x, y);
    }
    for (auto& module : modules) module->ResetPorts();
    return 0;
}
