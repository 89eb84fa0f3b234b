#pragma once
// The directory that the module processes of one user share for instance locks, the
// registered-message table and the broadcast sockets.
#include <string>

namespace win {

// $XDG_RUNTIME_DIR/switchmodule; when XDG_RUNTIME_DIR is unset or too long to hold socket
// paths, switchmodule/run in the user's state folder ($XDG_STATE_HOME or ~/.local/state), whose
// folders from the home folder down must all be the user's and closed to others. Created with
// mode 0700 when missing; a directory that is not ours (wrong owner, a symbolic link, not a
// directory) is refused. Empty when it cannot be had.
std::string RuntimeDirectory();

// A folder inside RuntimeDirectory(), created with mode 0700 when missing; empty on failure.
std::string RuntimeSubdirectory(const std::string& name);

}  // namespace win
