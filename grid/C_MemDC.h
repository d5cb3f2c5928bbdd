// An off-screen drawing context: drawing goes into a bitmap the
// size of the target's clip box, which is copied to the target when this
// object goes. A printing target is drawn on directly.
#pragma once

#include "gdi.h"

class C_MemDC : public CDC
{
public:
    explicit C_MemDC(CDC* target);
    ~C_MemDC() override;
    C_MemDC(const C_MemDC&) = delete;
    C_MemDC& operator=(const C_MemDC&) = delete;

    // True when a memory context and bitmap were made.
    bool IsMemDC() const { return m_bMemDC; }

private:
    CBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    bool m_bMemDC = false;
};
