#pragma once
// The application object: start-up of the module process.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/win/InstanceLock.h"

class CDerariModuleApp {
public:
    // Start-up (in the shell library): the empty-command-line message, the parse, the
    // per-device instance lock (a second start for the same device activates the first and
    // ends), then the main dialog, run modally. Always FALSE: the process ends after it.
    bool InitInstance(const std::string& commandLine);

    // Fills ModuleStartupParams from the command-line text after the program name: a
    // fixed-order sequence of items, each "/", a letter and a value. Fields the parse does
    // not reach keep their values. Returns false when it stopped without a device address.
    bool ParseStartupParams(const std::string& commandLine);

    // Copies the value that starts at pos in the text being parsed into dest, leaving out
    // blanks and keeping at most capacity characters, and advances pos to the "/" that ends
    // the value or to the end of the text.
    void ReadToken(std::string& dest, std::size_t& pos, std::size_t capacity);

    // Overwrites with "*", in place, every character of the values of the secret items (the
    // communities and the SNMPv3 pass phrases) in the program's own arguments, whose texts
    // joined by one blank each are the command line: once parsed they are kept in
    // ModuleStartupParams, and other users' process lists no longer show them.
    void HideSecretItems(const std::vector<char*>& arguments);

    // The per-device lock, held until the process ends.
    win::InstanceLock m_hMutex;
    // The device profile; "" for User.ini beside the executable.
    std::string m_strProfilePath;
    // The program's arguments after its name (argv[1..]), which the command line was joined
    // from: InitInstance hides their secret items once it has parsed them.
    std::vector<char*> m_arguments;

private:
    std::string m_strParseText;  // the text ParseStartupParams is reading
};

// The instance name of a device: "Module:" + model name + device address.
std::string ModuleInstanceName(const std::string& deviceName, const std::string& deviceIP);
