#include "core/controls/MemDC.h"

CMemDC::CMemDC(CDC* dc) : m_pDC(dc), m_bMemDC(dc != nullptr && !dc->IsPrinting()) {
    if (dc == nullptr) return;
    if (m_bMemDC) {
        dc->GetClipBox(&m_rect);
        CreateCompatibleDC(dc);
        m_bitmap.CreateCompatibleBitmap(dc, m_rect.Width(), m_rect.Height());
        m_oldBitmap = SelectObject(&m_bitmap);
        // Drawing uses the target's coordinates.
        SetWindowOrg(m_rect.left, m_rect.top);
    } else {
        m_bPrinting = dc->m_bPrinting;
        m_hDC = dc->m_hDC;
        m_hAttribDC = dc->m_hAttribDC;
    }
}

CMemDC::~CMemDC() {
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
        if (m_oldBitmap != nullptr) SelectObject(m_oldBitmap);
    } else {
        // The handles are the target's: not ours to release.
        m_hDC = m_hAttribDC = nullptr;
    }
}
