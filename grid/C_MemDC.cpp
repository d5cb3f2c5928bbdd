#include "C_MemDC.h"

C_MemDC::C_MemDC(CDC* target) : m_pDC(target)
{
    target->GetClipBox(&m_rect);
    if (target->IsPrinting()) {
        m_hDC = target->m_hDC;
        m_hAttribDC = target->m_hAttribDC;
        m_bPrinting = true;
        return;
    }
    if (!CreateCompatibleDC(target) ||
        !m_bitmap.CreateCompatibleBitmap(target->m_hDC, m_rect.Width() > 0 ? m_rect.Width() : 1,
                                         m_rect.Height() > 0 ? m_rect.Height() : 1)) {
        // No memory context to be had: draw on the target itself.
        DeleteDC();
        m_hDC = target->m_hDC;
        m_hAttribDC = target->m_hAttribDC;
        return;
    }
    m_oldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
    FillSolidRect(m_rect, target->GetBkColor());
    m_bMemDC = true;
}

C_MemDC::~C_MemDC()
{
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
        SelectObject(m_oldBitmap);
        DeleteDC();
    } else {
        // Borrowed handles: not ours to delete.
        m_hDC = m_hAttribDC = nullptr;
    }
    m_bitmap.DeleteObject();
}
