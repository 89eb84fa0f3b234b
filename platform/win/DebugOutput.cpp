#include "platform/win/DebugOutput.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {
std::mutex g_mutex;
bool g_capturing = false;
std::vector<std::string> g_lines;

bool DebugToStderr() {
    static const bool enabled = std::getenv("MODULE_DEBUG") != nullptr;
    return enabled;
}
}  // namespace

void OutputDebugStringA(const char* text) {
    if (!text) return;
    if (DebugToStderr()) std::fprintf(stderr, "%s\n", text);
    std::lock_guard lock(g_mutex);
    if (g_capturing) g_lines.emplace_back(text);
}

namespace win {
void StartDebugCapture() {
    std::lock_guard lock(g_mutex);
    g_capturing = true;
    g_lines.clear();
}
void StopDebugCapture() {
    std::lock_guard lock(g_mutex);
    g_capturing = false;
}
std::vector<std::string> CapturedDebugLines() {
    std::lock_guard lock(g_mutex);
    return g_lines;
}
}  // namespace win
