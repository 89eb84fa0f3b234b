#include <iostream>

#include "tools/dialog/Launcher.h"

int main(int argc, char** argv) {
    return RunDialogLauncher(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
