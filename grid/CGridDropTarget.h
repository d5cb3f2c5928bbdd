// The grid's OLE drop target: hands the drag callbacks to the grid's own
// drag operations while the drag is over the grid's window.
#pragma once

#include "ole.h"

class CGridCtrl;

class CGridDropTarget : public COleDropTarget
{
public:
    // Registers a grid window; anything else is refused.
    BOOL Register(CGridCtrl* grid);
    BOOL IsRegistered() const { return m_bRegistered; }

    void Revoke() override;
    DWORD OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override;
    DWORD OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override;
    BOOL OnDrop(CWnd* wnd, COleDataObject* data, DWORD effect, CPoint point) override;
    void OnDragLeave(CWnd* wnd) override;
    // Copy with Ctrl, else move; the grid never scrolls for a drag.
    DWORD OnDragScroll(CWnd* wnd, DWORD keyState, CPoint point) override;

private:
    bool IsGrid(const CWnd* wnd) const;

    CGridCtrl* m_pGridCtrl = nullptr;
    BOOL m_bRegistered = FALSE;
};
