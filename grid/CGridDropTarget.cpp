#include "CGridDropTarget.h"

#include "CGridCtrl.h"

namespace {

bool g_bRegistering = false;  // the process's registrations do not nest

} // namespace

BOOL CGridDropTarget::Register(CGridCtrl* grid)
{
    if (g_bRegistering || !grid)
        return FALSE;
    g_bRegistering = true;
    m_pGridCtrl = grid;
    m_bRegistered = COleDropTarget::Register(grid);
    g_bRegistering = false;
    return m_bRegistered;
}

void CGridDropTarget::Revoke()
{
    m_bRegistered = FALSE;
    COleDropTarget::Revoke();
}

bool CGridDropTarget::IsGrid(const CWnd* wnd) const
{
    return m_pGridCtrl && wnd && wnd->m_hWnd == m_pGridCtrl->m_hWnd;
}

DWORD CGridDropTarget::OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point)
{
    return IsGrid(wnd) ? m_pGridCtrl->OnDragEnter(data, keyState, point) : DROPEFFECT_NONE;
}

DWORD CGridDropTarget::OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point)
{
    return IsGrid(wnd) ? m_pGridCtrl->OnDragOver(data, keyState, point) : DROPEFFECT_NONE;
}

BOOL CGridDropTarget::OnDrop(CWnd* wnd, COleDataObject* data, DWORD effect, CPoint point)
{
    return IsGrid(wnd) ? m_pGridCtrl->OnDrop(data, effect, point) : FALSE;
}

void CGridDropTarget::OnDragLeave(CWnd* wnd)
{
    if (IsGrid(wnd))
        m_pGridCtrl->OnDragLeave();
}

DWORD CGridDropTarget::OnDragScroll(CWnd* wnd, DWORD keyState, CPoint)
{
    if (!IsGrid(wnd))
        return DROPEFFECT_NONE;
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
