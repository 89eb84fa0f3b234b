#pragma once
// A progress bar that paints its own face: up to the position, a colour gradient running
// from the start colour at the left edge to the end colour at the right edge; the rest in
// the button-face colour. Moving the position uncovers more or less of the same gradient.
#include "platform/ui/Controls.h"
#include "platform/ui/Gdi.h"

class CGradientProgressCtrl : public CProgressCtrl {
public:
    CGradientProgressCtrl();

    // Sets both bounds and puts the position on the lower one.
    void SetRange(int lower, int upper);
    int SetPos(int pos);
    void SetStartColor(COLORREF color) { m_clrStart = color; }
    void SetEndColor(COLORREF color) { m_clrEnd = color; }

protected:
    void OnPaint() override;
    // The paint covers the whole client area: nothing is erased first.
    BOOL OnEraseBkgnd(CDC* dc) override;
    DECLARE_MESSAGE_MAP()

private:
    // Draws the gradient bands up to the band that holds the fill limit, the rest in the
    // background colour.
    void DrawGradient(CPaintDC* dc, const CRect& client, int fillLimit);

    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nCurrentPosition = 0;
    COLORREF m_clrStart = RGB(255, 0, 0);
    COLORREF m_clrEnd = RGB(0, 0, 255);
    COLORREF m_clrBkGround;
};
