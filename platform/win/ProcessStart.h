#pragma once
// Starting other programs: the telnet client in a terminal and the default web browser.
//
// Programs start without a shell: each argument is one argv entry, passed on unchanged, so an
// address with blanks or shell characters stays one argument and runs nothing. The caller does
// not wait; the started program runs in a session of its own and outlives this process.
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace win {

// Starts argv[0] (looked up in PATH when it holds no "/") with argv as its argument vector.
// Returns 0, or the system's error number when the program could not be started.
int StartProgram(const std::vector<std::string>& argv);

// The telnet client in a terminal: $TERMINAL (or x-terminal-emulator when it is unset or empty)
// with "-e", "telnet" and the address; no address argument when the address is empty.
std::vector<std::string> TelnetCommand(const std::string& address);
int StartTelnet(const std::string& address);

// The default web browser's program, found as the desktop finds it: the first installed
// application named for x-scheme-handler/http in the mimeapps.list files of the XDG
// configuration and data folders, and the program of its desktop entry's Exec line (without
// the line's further arguments), as an absolute path. Empty when there is none or it cannot
// be found or run.
std::string DefaultBrowserPath();

// The seam in front of every start: a starter set here receives the argument vector in place
// of the real start and returns what StartProgram returns. nullptr restores the real start.
// Returns the starter that was set before.
using ProgramStarter = std::function<int(const std::vector<std::string>& argv)>;
ProgramStarter SetProgramStarter(ProgramStarter starter);

// For tests: records every start while it exists, starts nothing, and answers `result`.
class ProgramStartRecorder {
public:
    explicit ProgramStartRecorder(int result = 0);
    ~ProgramStartRecorder();
    ProgramStartRecorder(const ProgramStartRecorder&) = delete;
    ProgramStartRecorder& operator=(const ProgramStartRecorder&) = delete;

    std::vector<std::vector<std::string>> Starts() const;

private:
    mutable std::mutex m_mutex;
    std::vector<std::vector<std::string>> m_starts;
    ProgramStarter m_previous;
};

}  // namespace win
