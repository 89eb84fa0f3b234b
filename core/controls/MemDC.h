#pragma once
// An off-screen device context: drawing goes into a bitmap the size of the target's clip box
// and reaches the target in one copy when the object goes, so nothing flickers. On a printer
// it draws on the target directly.
#include "platform/ui/Gdi.h"

class CMemDC : public CDC {
public:
    explicit CMemDC(CDC* dc);
    ~CMemDC() override;
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

private:
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;  // the target's clip box, in its logical coordinates
    bool m_bMemDC;
};
