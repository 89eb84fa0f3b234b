#include "core/controls/GradientProgressCtrl.h"

#include <algorithm>
#include <cstdlib>

#include "core/controls/MemDC.h"

BEGIN_MESSAGE_MAP(CGradientProgressCtrl, CProgressCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CGradientProgressCtrl::CGradientProgressCtrl() : m_clrBkGround(GetSysColor(COLOR_BTNFACE)) {}

void CGradientProgressCtrl::SetRange(int lower, int upper) {
    m_nLower = lower;
    m_nUpper = upper;
    m_nCurrentPosition = lower;
    CProgressCtrl::SetRange(static_cast<short>(lower), static_cast<short>(upper));
    Invalidate();
}

int CGradientProgressCtrl::SetPos(int pos) {
    m_nCurrentPosition = pos;
    const int old = CProgressCtrl::SetPos(pos);
    Invalidate();
    return old;
}

BOOL CGradientProgressCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CGradientProgressCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (m_nCurrentPosition > m_nLower && m_nUpper > m_nLower) {
        // The share of the range covered, so the bar is full at the upper bound.
        const int pos = std::min(m_nCurrentPosition, m_nUpper);
        const float share = static_cast<float>(pos - m_nLower) / static_cast<float>(m_nUpper - m_nLower);
        DrawGradient(&dc, client, static_cast<int>(share * static_cast<float>(client.right)));
    } else {
        CBrush face(GetSysColor(COLOR_BTNFACE));
        dc.FillRect(&client, &face);
    }
}

void CGradientProgressCtrl::DrawGradient(CPaintDC* dc, const CRect& client, int fillLimit) {
    CMemDC memDC(dc);
    const int red = GetRValue(m_clrEnd) - GetRValue(m_clrStart);
    const int green = GetGValue(m_clrEnd) - GetGValue(m_clrStart);
    const int blue = GetBValue(m_clrEnd) - GetBValue(m_clrStart);
    // Equal colours make one band of the start colour.
    const int bands = std::max({std::abs(red), std::abs(green), std::abs(blue), 1});
    const float width = static_cast<float>(client.right) / static_cast<float>(bands);
    const float redStep = static_cast<float>(red) / static_cast<float>(bands);
    const float greenStep = static_cast<float>(green) / static_cast<float>(bands);
    const float blueStep = static_cast<float>(blue) / static_cast<float>(bands);
    const auto component = [](int start, float step, int i) {
        return static_cast<int>(static_cast<float>(start) + static_cast<float>(i) * step) & 0xFF;
    };
    for (int i = 0; i < bands; ++i) {
        // The last band ends on the right edge, whatever the rounding of the band width.
        const int right = i + 1 == bands ? client.right : static_cast<int>(static_cast<float>(i + 1) * width);
        const CRect band(static_cast<int>(static_cast<float>(i) * width), 0, right, client.bottom + 1);
        CBrush brush(RGB(component(GetRValue(m_clrStart), redStep, i), component(GetGValue(m_clrStart), greenStep, i),
                         component(GetBValue(m_clrStart), blueStep, i)));
        memDC.FillRect(&band, &brush);
        if (right > fillLimit) {
            const CRect rest(right, 0, client.right, client.bottom);
            CBrush background(m_clrBkGround);
            memDC.FillRect(&rest, &background);
            break;
        }
    }
}
