#include "shell/DeviceProfile.h"

std::string g_strDeviceName;
int g_nPoEPortNum = 0;
int g_nDevicePortNum = 28;
bool g_bIsAllGiga = false;
bool g_bIsHasFan = false;
