#pragma once
// Shared set-up of the utility fuzz targets: message boxes answer at once and silently,
// and a broken property stops the run with a finding.
#include <cstdio>
#include <cstdlib>

#include "platform/ui/Prompt.h"

inline void SilencePrompts() {
    ui::SetPromptHandler([](const ui::PromptRequest&) { return IDOK; });
}

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
