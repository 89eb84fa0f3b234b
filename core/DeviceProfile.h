#pragma once
// The process-wide model description, read from section DeviceInfo of User.ini when the
// main dialog initialises; read-only afterwards.
#include <string>

extern std::string g_strDeviceName;  // model name, at most 259 characters
extern int g_nPoEPortNum;            // read only on a PoE model
extern int g_nDevicePortNum;         // the port count (default 28, at most 100)
extern bool g_bIsAllGiga;
extern bool g_bIsHasFan;

// The largest port count any per-port table of the program holds.
constexpr int kMaxDevicePorts = 100;

// User.ini in the directory of the program's own executable file.
std::string UserIniPath();

// The model name (DeviceName of section DeviceInfo); "" when the file or key is absent.
std::string ReadProfileDeviceName(const std::string& iniPath);

// Reads the device profile into the globals above and gives the panel description's path
// and the combo port count, which the main dialog keeps. On a missing file, an empty
// DeviceName or an empty XMLName it shows "Read User.ini Error !" and returns false; what
// was read before the failure stays. A port count outside 1..kMaxDevicePorts is the same
// error (it is not stored); the PoE and combo counts are kept within 0..the port count, so
// no per-port table is overrun.
bool ReadDeviceProfile(const std::string& iniPath, std::string& xmlName, int& comboPortNum);
