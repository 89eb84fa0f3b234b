#pragma once
// Shared pieces of the utility tests: recording message boxes and setting the port count.
#include <string>
#include <vector>

#include "core/DeviceProfile.h"
#include "platform/ui/Prompt.h"

// Records every message box shown while it lives, answering OK.
class PromptRecorder {
public:
    PromptRecorder() {
        m_previous = ui::SetPromptHandler([this](const ui::PromptRequest& request) {
            m_texts.push_back(request.text);
            return IDOK;
        });
    }
    ~PromptRecorder() { ui::SetPromptHandler(std::move(m_previous)); }
    const std::vector<std::string>& Texts() const { return m_texts; }

private:
    ui::PromptHandler m_previous;
    std::vector<std::string> m_texts;
};

// Sets g_nDevicePortNum while it lives.
class PortCount {
public:
    explicit PortCount(int ports) : m_saved(g_nDevicePortNum) { g_nDevicePortNum = ports; }
    ~PortCount() { g_nDevicePortNum = m_saved; }

private:
    int m_saved;
};
