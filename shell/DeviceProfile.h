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
