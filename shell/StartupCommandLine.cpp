#include "core/ModuleStartupParams.h"
#include "shell/DerariModuleApp.h"

namespace {

// How an item's value reaches its field.
enum class Store { Discard, Always, IfNotEmpty, VlanFlag, AgentPort };

struct Item {
    std::string* field;    // nullptr for items that are read and not used
    std::size_t capacity;  // characters
    Store store;
    bool secret = false;  // a community or a pass phrase
};

// Items 1 to 16 in command-line order.
const Item kItems[] = {
    {nullptr, 19, Store::Discard},
    {&ModuleStartupParams::DeviceIP, 15, Store::Always},
    {&ModuleStartupParams::ReadCommunity, 51, Store::IfNotEmpty, true},
    {&ModuleStartupParams::WriteCommunity, 51, Store::IfNotEmpty, true},
    {nullptr, 11, Store::VlanFlag},
    {&ModuleStartupParams::SnmpVersion, 7, Store::IfNotEmpty},
    {nullptr, 7, Store::AgentPort},  // UDP port
    {nullptr, 7, Store::Discard},
    {nullptr, 7, Store::Discard},
    {nullptr, 7, Store::Discard},
    {&ModuleStartupParams::SecurityLevel, 7, Store::IfNotEmpty},
    {&ModuleStartupParams::UserName, 31, Store::IfNotEmpty},
    {&ModuleStartupParams::AuthPassword, 31, Store::IfNotEmpty, true},
    {&ModuleStartupParams::PrivPassword, 31, Store::IfNotEmpty, true},
    {&ModuleStartupParams::AuthProtocol, 7, Store::IfNotEmpty},
    {&ModuleStartupParams::PrivProtocol, 7, Store::IfNotEmpty},
};

constexpr std::size_t kDeviceIPItem = 1;  // index of item 2
constexpr std::size_t kPortItem = 6;      // index of item 7: version "1" lines end here

// The agent's port when the item names one other than the standard 161, else "".
std::string AgentPortOf(const std::string& value) {
    if (value.empty() || value.size() > 5 || value.find_first_not_of("0123456789") != std::string::npos) return {};
    const int port = std::stoi(value);
    return port >= 1 && port <= 65535 && port != 161 ? std::to_string(port) : std::string();
}

}  // namespace

std::string ModuleInstanceName(const std::string& deviceName, const std::string& deviceIP) {
    return "Module:" + deviceName + deviceIP;
}

void CDerariModuleApp::ReadToken(std::string& dest, std::size_t& pos, std::size_t capacity) {
    dest.clear();
    const std::string& text = m_strParseText;
    for (; pos < text.size() && text[pos] != '/'; ++pos) {
        if (text[pos] != ' ' && dest.size() < capacity) dest += text[pos];
    }
}

bool CDerariModuleApp::ParseStartupParams(const std::string& commandLine) {
    m_strParseText = commandLine;
    std::size_t pos = 2;  // the first item's "/" and letter
    std::string value;
    for (std::size_t i = 0; i < std::size(kItems); ++i) {
        const Item& item = kItems[i];
        ReadToken(value, pos, item.capacity);
        switch (item.store) {
        case Store::Discard: break;
        case Store::Always: *item.field = value; break;
        case Store::IfNotEmpty:
            if (!value.empty()) *item.field = value;
            break;
        case Store::VlanFlag: ModuleStartupParams::VlanEditEnabled = value == "TRUE" || value == "true"; break;
        case Store::AgentPort:
            // An agent on another port than 161 (a simulated switch run without root): the
            // sessions send there; the device's address stays as it is for everything else.
            ModuleStartupParams::AgentPort = AgentPortOf(value);
            break;
        }
        if (i == kDeviceIPItem && value.empty()) return false;
        if (pos >= m_strParseText.size()) return i >= kDeviceIPItem;
        if (i == 0 && m_strParseText.find("/I") == std::string::npos) return false;
        if (i == kPortItem && ModuleStartupParams::SnmpVersion == "1") return true;
        pos += 2;  // the "/" and the next item's letter
    }
    return true;
}

void CDerariModuleApp::HideSecretItems(const std::vector<char*>& arguments) {
    std::string text;
    for (std::size_t i = 0; i < arguments.size(); ++i) text += (i > 0 ? " " : "") + std::string(arguments[i]);
    m_strParseText = text;
    // Where each item's value stands, by the parse's own steps but to the last item, so that a
    // pass phrase after where a version "1" line stops is hidden too.
    std::vector<bool> hide(text.size(), false);
    std::size_t pos = 2;
    std::string value;
    for (const Item& item : kItems) {
        const std::size_t start = pos;
        ReadToken(value, pos, 0);
        if (item.secret)
            for (std::size_t p = start; p < pos; ++p) hide[p] = text[p] != ' ';
        if (pos >= text.size()) break;
        pos += 2;
    }
    std::size_t offset = 0;  // of the argument in the joined text
    for (char* argument : arguments) {
        for (char* c = argument; *c != '\0'; ++c, ++offset)
            if (hide[offset]) *c = '*';
        ++offset;  // the blank that joined it to the next one
    }
}
