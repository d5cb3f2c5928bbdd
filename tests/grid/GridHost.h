// A top-level test window that hosts grids, logs every notification they
// send and answers them as a test asks.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "CGridCtrl.h"

class CGridHost : public CWnd
{
public:
    struct Note
    {
        UINT code;
        int row;
        int col;
        UINT_PTR id;
    };

    // Creates the visible host window with the given client size.
    BOOL CreateHost(int width, int height);

    std::vector<Note> notes;                 // every S_GRID_NOTIFY received, in order
    std::vector<CCellRange> cacheHints;      // every GRIDN_CACHEHINT range
    std::map<UINT, LRESULT> replies;         // reply per code (0 when none)
    int dispInfoRequests = 0;
    bool answerDispInfo = true;              // fill "row,col" texts in virtual mode

    int Count(UINT code) const;
    void Clear() { notes.clear(); cacheHints.clear(); dispInfoRequests = 0; }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// Test helpers.
namespace gridtest {

// Shapes a grid with explicit sizes (fonts differ between machines).
void Shape(CGridCtrl& grid, int rows, int cols, int fixedRows, int fixedCols, int rowHeight = 20, int colWidth = 50);
// Creates a borderless child grid of the given size at (0, 0) of the host.
BOOL CreateGrid(CGridCtrl& grid, CWnd& host, int width, int height, UINT id = 100);
// Renders the grid's client area into a bitmap through OnDraw and returns
// the colour at each asked point (the same bitmap for all of them).
class Snapshot
{
public:
    explicit Snapshot(CGridCtrl& grid);
    ~Snapshot();
    COLORREF At(int x, int y) const;
    HBITMAP Bitmap() const { return m_bitmap; }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};
// Live GDI objects of this process.
int CountGdiObjects();

} // namespace gridtest

namespace gridtest {

// Holds keys down in this thread's keyboard state (GetKeyState sees them)
// for the life of the object.
class HeldKeys
{
public:
    HeldKeys(std::initializer_list<int> keys);
    ~HeldKeys();

private:
    BYTE m_saved[256];
};

// The centre of a cell in the grid's client coordinates.
CPoint CellCentre(CGridCtrl& grid, int row, int col);
// The running in-place editor of the grid, or null.
HWND Editor(CGridCtrl& grid);
std::wstring TextOf(HWND hWnd);
// A mouse message with flags to the grid at a client point.
void Mouse(CGridCtrl& grid, UINT message, CPoint point, UINT flags = 0);
// Puts text on the clipboard as another program would.
bool PutText(HWND owner, const std::wstring& text);

} // namespace gridtest
