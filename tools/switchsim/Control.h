// Commands of the configuration and of the control channel (one grammar for both).
#pragma once

#include "tools/switchsim/Agent.h"

#include <string>

namespace switchsim {

// Applies one line; the reply is "ok", "ok <data>" or "error <reason>". Settings of the agent
// itself (port, users, model...) are accepted only while `starting`.
std::string ApplyCommand(Agent& agent, const std::string& line, bool starting);

}  // namespace switchsim
