#pragma once
// A dialog's input checks as a table of (refusal, message): the first refusal shows its
// message (and runs its follow-up, such as focusing the field) and nothing is written.
//
//   const InputCheck checks[] = {
//       {[&] { return name.empty(); }, "Please enter valid group name!"},
//       {[&] { return Listed({{0, name}}); }, "This Group Entry already exists."},
//   };
//   if (!PassChecks(checks)) return;
#include <functional>
#include <span>
#include <string>

struct InputCheck {
    std::function<bool()> refused;
    std::string message;                      // "" when the follow-up shows its own
    std::function<void()> afterMessage = {};  // such as focusing the refused field
};

// True when every check passes; else the first refusal's message and follow-up.
bool PassChecks(std::span<const InputCheck> checks);
