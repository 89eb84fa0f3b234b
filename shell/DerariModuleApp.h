#pragma once
// The application object: start-up of the module process.
#include <cstddef>
#include <string>

class CDerariModuleApp {
public:
    // Fills ModuleStartupParams from the command-line text after the program name: a
    // fixed-order sequence of items, each "/", a letter and a value. Fields the parse does
    // not reach keep their values. Returns false when it stopped without a device address.
    bool ParseStartupParams(const std::string& commandLine);

    // Copies the value that starts at pos in the text being parsed into dest, leaving out
    // blanks and keeping at most capacity characters, and advances pos to the "/" that ends
    // the value or to the end of the text.
    void ReadToken(std::string& dest, std::size_t& pos, std::size_t capacity);

private:
    std::string m_strParseText;  // the text ParseStartupParams is reading
};
