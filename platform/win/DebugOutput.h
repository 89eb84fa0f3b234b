#pragma once
// The debugger-output sink. Lines go to stderr when MODULE_DEBUG is set, and to a
// capture that tests read.
#include <string>
#include <vector>

void OutputDebugStringA(const char* text);

namespace win {
// Starts (or restarts, emptying it) the capture of debug lines.
void StartDebugCapture();
void StopDebugCapture();
// The lines captured since StartDebugCapture, in order.
std::vector<std::string> CapturedDebugLines();
}  // namespace win
