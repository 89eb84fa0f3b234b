#pragma once
// switch-dialog CLASSNAME... <module command line>: opens dialogs of the module modally, one
// after the other in one process, with the start-up settings and the User.ini profile read
// as the module reads them.
#include <ostream>
#include <string>
#include <vector>

// args: one or more class names and then the module's command-line items. Returns the exit
// code: 0 after the last dialog closed, 1 when the settings or the profile could not be read, 2 for a
// missing or unknown class name (explained on `err`).
int RunDialogLauncher(const std::vector<std::string>& args, std::ostream& err);
