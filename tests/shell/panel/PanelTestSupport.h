#pragma once
// Helpers of the panel tests: a surface to draw on and the port-click broadcast.
#include <algorithm>
#include <chrono>

#include "platform/ui/Gdi.h"
#include "platform/win/RegisteredMessage.h"
#include "shell/panel/DevElements.h"
#include "tests/support/PollUntil.h"

namespace paneltest {

// How many port-click broadcasts for that port the recorder has; other test processes of the
// user broadcast too, so a test looks only for its own port.
inline int PortClicks(const win::BroadcastRecorder& recorder, int port) {
    const win::BroadcastRecorder::Message click{PortClickMessage(), 0, static_cast<LPARAM>(port)};
    const auto received = recorder.Received();
    return static_cast<int>(std::count(received.begin(), received.end(), click));
}

// Waits up to 5 s until the recorder holds `count` clicks of the port.
inline bool WaitForPortClicks(const win::BroadcastRecorder& recorder, int port, int count) {
    return testsupport::PollUntil([&] { return PortClicks(recorder, port) >= count; }, std::chrono::seconds(5),
                                  std::chrono::milliseconds(5));
}

// A memory device context over a white picture, read back pixel by pixel.
class Surface {
public:
    Surface(int width, int height) {
        m_dc.CreateCompatibleDC(nullptr);
        m_bitmap.CreateCompatibleBitmap(&m_dc, width, height);
        m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
    }
    CDC* dc() { return &m_dc; }
    COLORREF At(int x, int y) const { return m_dc.GetPixel(x, y); }

private:
    CDC m_dc;
    CBitmap m_bitmap;
};

}  // namespace paneltest
