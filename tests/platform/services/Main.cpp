#include "tests/platform/services/TestRuntime.h"

static auto* const g_runtime = ::testing::AddGlobalTestEnvironment(new PrivateRuntimeEnvironment);
