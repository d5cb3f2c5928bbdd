// A status bar at the bottom of its parent, with panes of text.
#pragma once

#include <vector>

#include "window.h"

// Control id of a window's status bar.
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;

// Pane styles.
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_POPOUT = 0x0200;    // drawn raised instead of sunken
constexpr UINT SBPS_STRETCH = 0x0800;   // takes the width the other panes leave

class CStatusBar : public CWnd
{
public:
    // A child at the bottom of parent with one normal pane.
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE, UINT id = AFX_IDW_STATUS_BAR);

    // Sets the number of panes; new panes are normal, 100 pixels wide.
    BOOL SetPaneCount(int count);
    int GetPaneCount() const { return static_cast<int>(m_panes.size()); }
    BOOL SetPaneInfo(int index, UINT style, int width);
    BOOL SetPaneText(int index, LPCWSTR text);
    CString GetPaneText(int index) const;

    // Follows the parent's client area after it changed size.
    void Reposition();

private:
    struct Pane
    {
        UINT style;
        int width;
        CString text;
    };

    void ApplyParts();
    void ApplyText(int index);

    std::vector<Pane> m_panes;
};
