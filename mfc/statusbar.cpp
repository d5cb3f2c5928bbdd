#include "statusbar.h"

#include <commctrl.h>

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id)
{
    if (!CreateEx(0, STATUSCLASSNAMEW, nullptr, style | CCS_BOTTOM, CRect(), parent, id))
        return FALSE;
    return SetPaneCount(1);
}

BOOL CStatusBar::SetPaneCount(int count)
{
    if (count < 1 || count > 255)
        return FALSE;
    m_panes.resize(static_cast<size_t>(count), Pane{SBPS_NORMAL, 100, CString()});
    ApplyParts();
    for (int i = 0; i < count; ++i)
        ApplyText(i);
    return TRUE;
}

BOOL CStatusBar::SetPaneInfo(int index, UINT style, int width)
{
    if (index < 0 || index >= GetPaneCount())
        return FALSE;
    m_panes[static_cast<size_t>(index)].style = style;
    m_panes[static_cast<size_t>(index)].width = width < 0 ? 0 : width;
    ApplyParts();
    ApplyText(index);
    return TRUE;
}

BOOL CStatusBar::SetPaneText(int index, LPCWSTR text)
{
    if (index < 0 || index >= GetPaneCount())
        return FALSE;
    m_panes[static_cast<size_t>(index)].text = text;
    ApplyText(index);
    return TRUE;
}

CString CStatusBar::GetPaneText(int index) const
{
    if (index < 0 || index >= GetPaneCount())
        return CString();
    return m_panes[static_cast<size_t>(index)].text;
}

void CStatusBar::Reposition()
{
    // The control places itself along its parent's bottom edge on WM_SIZE;
    // the parts are recomputed for the new width.
    SendMessage(WM_SIZE, 0, 0);
    ApplyParts();
}

void CStatusBar::ApplyParts()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    // Right edges of the parts; a stretching pane takes what the fixed
    // panes after it leave, the last edge -1 reaches the window's edge.
    int fixed = 0;
    for (const Pane& p : m_panes)
        if (!(p.style & SBPS_STRETCH))
            fixed += p.width;
    int stretch = client.Width() - fixed;
    std::vector<int> edges;
    int right = 0;
    for (const Pane& p : m_panes) {
        right += (p.style & SBPS_STRETCH) ? (stretch > 0 ? stretch : 0) : p.width;
        edges.push_back(right);
    }
    edges.back() = -1;
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void CStatusBar::ApplyText(int index)
{
    if (!m_hWnd)
        return;
    const Pane& p = m_panes[static_cast<size_t>(index)];
    WPARAM how = static_cast<WPARAM>(index) | ((p.style & SBPS_POPOUT) ? SBT_POPOUT : 0);
    SendMessage(SB_SETTEXTW, how, reinterpret_cast<LPARAM>(p.text.GetString()));
}
