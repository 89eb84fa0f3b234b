#pragma once
// The dialogs the launcher opens, by class name.
#include <memory>
#include <string>
#include <vector>

class CDialog;

struct LaunchableDialog {
    const char* className;
    std::unique_ptr<CDialog> (*make)();
};

const std::vector<LaunchableDialog>& LaunchableDialogs();
// Null when no dialog of that class name is registered.
const LaunchableDialog* FindLaunchableDialog(const std::string& className);
