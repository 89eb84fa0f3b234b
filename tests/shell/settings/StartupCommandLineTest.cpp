#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ModuleStartupParams.h"
#include "shell/DerariModuleApp.h"

namespace {

// Every field of ModuleStartupParams, with its program-load default.
struct Params {
    std::string deviceIP{};
    std::string readCommunity = "norfen";
    std::string writeCommunity = "quastel";
    bool vlanEdit = false;
    std::string version = "1";
    std::string level = "1";
    std::string user{};
    std::string authPass{};
    std::string privPass{};
    std::string authProto = "1";
    std::string privProto = "1";

    bool operator==(const Params&) const = default;
};

void PrintTo(const Params& p, std::ostream* os) {
    *os << "{ip='" << p.deviceIP << "' rc='" << p.readCommunity << "' wc='" << p.writeCommunity
        << "' vlan=" << p.vlanEdit << " ver='" << p.version << "' level='" << p.level << "' user='" << p.user
        << "' auth='" << p.authPass << "' priv='" << p.privPass << "' ap='" << p.authProto << "' pp='" << p.privProto
        << "'}";
}

void Store(const Params& p) {
    ModuleStartupParams::DeviceIP = p.deviceIP;
    ModuleStartupParams::ReadCommunity = p.readCommunity;
    ModuleStartupParams::WriteCommunity = p.writeCommunity;
    ModuleStartupParams::VlanEditEnabled = p.vlanEdit;
    ModuleStartupParams::SnmpVersion = p.version;
    ModuleStartupParams::SecurityLevel = p.level;
    ModuleStartupParams::UserName = p.user;
    ModuleStartupParams::AuthPassword = p.authPass;
    ModuleStartupParams::PrivPassword = p.privPass;
    ModuleStartupParams::AuthProtocol = p.authProto;
    ModuleStartupParams::PrivProtocol = p.privProto;
}

Params Stored() {
    return {
        ModuleStartupParams::DeviceIP,        ModuleStartupParams::ReadCommunity, ModuleStartupParams::WriteCommunity,
        ModuleStartupParams::VlanEditEnabled, ModuleStartupParams::SnmpVersion,   ModuleStartupParams::SecurityLevel,
        ModuleStartupParams::UserName,        ModuleStartupParams::AuthPassword,  ModuleStartupParams::PrivPassword,
        ModuleStartupParams::AuthProtocol,    ModuleStartupParams::PrivProtocol};
}

struct Case {
    const char* name;
    std::string line;
    Params before;  // fields as they stand when the parse starts
    Params after;
    bool result;
};

const std::string k60(60, 'c');
const std::string k40(40, 'u');

const Case kCases[] = {
    {"empty text", "", {}, {}, false},
    {"lone slash", "/", {}, {}, false},
    {"only item 1", "/Z12345", {}, {}, false},
    {"item 1 longer than its field", "/Z" + std::string(30, '9') + "/I10.0.0.1", {}, {.deviceIP = "10.0.0.1"}, true},
    {"no /I anywhere", "/Z0/D10.0.0.1/Rpub", {}, {}, false},
    {"small /i does not count", "/Z0/i10.0.0.1/Rpub", {}, {}, false},
    {"/I in a later item counts",
     "/Z0/D10.0.0.5/Rpub/Wpriv/Vtrue/S1/P161/Ijunk",
     {},
     {.deviceIP = "10.0.0.5", .readCommunity = "pub", .writeCommunity = "priv", .vlanEdit = true},
     true},
    {"version 1 line",
     "/Z0/I192.168.1.10/Rpublic/Wprivate/VTRUE/S1/P161",
     {},
     {.deviceIP = "192.168.1.10", .readCommunity = "public", .writeCommunity = "private", .vlanEdit = true},
     true},
    {"version 1 ends after item 7",
     "/Z0/I10.0.0.1/Rr/Ww/Vtrue/S1/P161/a/b/c/L3/Uuser/Aap/Xpp/M2/N2",
     {},
     {.deviceIP = "10.0.0.1", .readCommunity = "r", .writeCommunity = "w", .vlanEdit = true},
     true},
    {"version 3 reads items 8 to 16",
     "/Z0/I10.0.0.1/R/W/Vfalse/S3/P161/a/b/c/L3/Uadmin/Aauthpass/Xprivpass/M2/N2",
     {},
     {.deviceIP = "10.0.0.1",
      .version = "3",
      .level = "3",
      .user = "admin",
      .authPass = "authpass",
      .privPass = "privpass",
      .authProto = "2",
      .privProto = "2"},
     true},
    {"unknown version also reads items 8 to 16",
     "/Z0/I10.0.0.1/R/W/V/S2/P/a/b/c/L2",
     {},
     {.deviceIP = "10.0.0.1", .version = "2", .level = "2"},
     true},
    {"whatever follows item 16 is ignored",
     "/Z0/I10.0.0.1/R/W/V/S3/P/a/b/c/L/U/A/X/M3/N2/Qmore/Uother",
     {},
     {.deviceIP = "10.0.0.1", .version = "3", .authProto = "3", .privProto = "2"},
     true},
    {"empty v3 items leave their fields alone",
     "/Z0/I10.0.0.1/R/W/V/S3/P/a/b/c/L/U/A/X/M/N",
     {.level = "2", .user = "u0", .authPass = "a0", .privPass = "p0", .authProto = "3", .privProto = "2"},
     {.deviceIP = "10.0.0.1",
      .version = "3",
      .level = "2",
      .user = "u0",
      .authPass = "a0",
      .privPass = "p0",
      .authProto = "3",
      .privProto = "2"},
     true},
    {"line ends inside the v3 items",
     "/Z0/I10.0.0.1/R/W/V/S3/P/a/b/c/L2/Uuser",
     {},
     {.deviceIP = "10.0.0.1", .version = "3", .level = "2", .user = "user"},
     true},
    {"blanks are left out wherever they stand",
     "/Z0/I 10.0. 0.1 /R pub lic /W x ",
     {},
     {.deviceIP = "10.0.0.1", .readCommunity = "public", .writeCommunity = "x"},
     true},
    {"a slash ends a value and starts the next item",
     "/Z0/I10.0.0.1/Rpu/blic/Wx",
     {},
     {.deviceIP = "10.0.0.1", .readCommunity = "pu", .writeCommunity = "lic"},
     true},
    {"empty communities keep their defaults", "/Z0/I10.0.0.1/R/W/V/S", {}, {.deviceIP = "10.0.0.1"}, true},
    {"empty item 5 clears the VLAN-edit permission",
     "/Z0/I10.0.0.1/Rr/Ww/V/S1",
     {.vlanEdit = true},
     {.deviceIP = "10.0.0.1", .readCommunity = "r", .writeCommunity = "w"},
     true},
    {"only TRUE and true permit VLAN edits",
     "/Z0/I10.0.0.1/R/W/VTrue",
     {.vlanEdit = true},
     {.deviceIP = "10.0.0.1"},
     true},
    {"empty device address is stored and stops the parse", "/Z0/I/Rpub/Wpriv", {.deviceIP = "1.2.3.4"}, {}, false},
    {"line ends on a slash", "/Z0/I10.0.0.1/", {}, {.deviceIP = "10.0.0.1"}, true},
    {"line ends on a slash and letter", "/Z0/I10.0.0.1/R", {}, {.deviceIP = "10.0.0.1"}, true},
    {"long values are cut at their field's capacity",
     "/Z0/I123456789012345678/R" + k60 + "/W" + k60 + "/V" + std::string(20, 'T') +
         "/S3xxxxxxxxx/P/a/b/c/L9999999999/U" + k40 + "/A" + k40 + "/X" + k40 + "/M1234567890/N0987654321",
     {},
     {.deviceIP = "123456789012345",
      .readCommunity = std::string(51, 'c'),
      .writeCommunity = std::string(51, 'c'),
      .version = "3xxxxxx",
      .level = "9999999",
      .user = std::string(31, 'u'),
      .authPass = std::string(31, 'u'),
      .privPass = std::string(31, 'u'),
      .authProto = "1234567",
      .privProto = "0987654"},
     true},
};

TEST(StartupCommandLine, ParsesEachLineAsTheGrammarSays) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        ModuleStartupParams::ResetToDefaults();
        Store(c.before);
        CDerariModuleApp app;
        EXPECT_EQ(app.ParseStartupParams(c.line), c.result);
        EXPECT_EQ(Stored(), c.after);
        EXPECT_EQ(ModuleStartupParams::TimeoutMs, "3000");
    }
    ModuleStartupParams::ResetToDefaults();
}

// The communities and pass phrases are overwritten in the program's own arguments, in place
// and character for character; everything else, blanks and slashes included, stays.
TEST(StartupCommandLine, HidesTheSecretItemsInTheArguments) {
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        std::vector<std::string> hidden;
    } cases[] = {
        {"version 1",
         {"/Z0/I10.1.2.3/Rpublic/Wprivate/Vtrue/S1/P161"},
         {"/Z0/I10.1.2.3/R******/W*******/Vtrue/S1/P161"}},
        {"version 3",
         {"/Z0/I10.1.2.3/Rpublic/Wprivate/Vfalse/S3/P161/A/B/C/L3/Uadmin/Aauthpass1/Xprivpass1/H3/D2"},
         {"/Z0/I10.1.2.3/R******/W*******/Vfalse/S3/P161/A/B/C/L3/Uadmin/A*********/X*********/H3/D2"}},
        {"pass phrases after where a version 1 line ends",
         {"/Z0/I10.1.2.3/Rr/Ww/V/S1/P/A/B/C/L3/Uadmin/Aauth/Xpriv"},
         {"/Z0/I10.1.2.3/R*/W*/V/S1/P/A/B/C/L3/Uadmin/A****/X****"}},
        {"split over arguments, blanks inside",
         {"/Z0/I10.1.2.3/Rpub", "lic/Wpri vate", "/Vtrue"},
         {"/Z0/I10.1.2.3/R***", "***/W*** ****", "/Vtrue"}},
        {"items by place, not by letter", {"/Z0/Rpublic/Wprivate"}, {"/Z0/Rpublic/W*******"}},
        {"ends in an item", {"/Z0/I1.2.3.4/Rpublic"}, {"/Z0/I1.2.3.4/R******"}},
        {"shorter than an item", {"/"}, {"/"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> storage = c.arguments;
        std::vector<char*> arguments;
        std::string line;
        for (std::string& a : storage) {
            arguments.push_back(a.data());
            line += (line.empty() ? "" : " ") + a;
        }
        ModuleStartupParams::ResetToDefaults();
        CDerariModuleApp app;
        app.ParseStartupParams(line);
        const std::string read = ModuleStartupParams::ReadCommunity, auth = ModuleStartupParams::AuthPassword;
        app.HideSecretItems(arguments);
        EXPECT_EQ(std::vector<std::string>(arguments.begin(), arguments.end()), c.hidden);
        EXPECT_EQ(ModuleStartupParams::ReadCommunity, read) << "the settings keep their copies";
        EXPECT_EQ(ModuleStartupParams::AuthPassword, auth);
    }
    ModuleStartupParams::ResetToDefaults();
}

}  // namespace
