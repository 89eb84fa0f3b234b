#pragma once
// switch-dialog CLASSNAME <module command line>: opens one dialog of the module modally,
// with the start-up settings and the User.ini profile read as the module reads them.
#include <ostream>
#include <string>
#include <vector>

// args: the class name and then the module's command-line items. Returns the exit code:
// 0 after the dialog closed, 1 when the settings or the profile could not be read, 2 for a
// missing or unknown class name (explained on `err`).
int RunDialogLauncher(const std::vector<std::string>& args, std::ostream& err);
