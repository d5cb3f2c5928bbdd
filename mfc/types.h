// Point, size and rectangle value types over the Win32 records.
#pragma once

#include <windows.h>

class CSize : public SIZE
{
public:
    CSize() noexcept { cx = cy = 0; }
    CSize(int x, int y) noexcept { cx = x; cy = y; }
    CSize(SIZE s) noexcept { cx = s.cx; cy = s.cy; }
    bool operator==(SIZE s) const noexcept { return cx == s.cx && cy == s.cy; }
    bool operator!=(SIZE s) const noexcept { return !(*this == s); }
    CSize operator+(SIZE s) const noexcept { return CSize(cx + s.cx, cy + s.cy); }
    CSize operator-(SIZE s) const noexcept { return CSize(cx - s.cx, cy - s.cy); }
};

class CPoint : public POINT
{
public:
    CPoint() noexcept { x = y = 0; }
    CPoint(int px, int py) noexcept { x = px; y = py; }
    CPoint(POINT p) noexcept { x = p.x; y = p.y; }
    // From a message's LPARAM: signed low and high words.
    explicit CPoint(LPARAM lp) noexcept
    {
        x = static_cast<short>(LOWORD(lp));
        y = static_cast<short>(HIWORD(lp));
    }
    void Offset(int dx, int dy) noexcept { x += dx; y += dy; }
    bool operator==(POINT p) const noexcept { return x == p.x && y == p.y; }
    bool operator!=(POINT p) const noexcept { return !(*this == p); }
    CPoint operator+(SIZE s) const noexcept { return CPoint(x + s.cx, y + s.cy); }
    CPoint operator-(SIZE s) const noexcept { return CPoint(x - s.cx, y - s.cy); }
    CSize operator-(POINT p) const noexcept { return CSize(x - p.x, y - p.y); }
    CPoint& operator+=(SIZE s) noexcept { x += s.cx; y += s.cy; return *this; }
    CPoint& operator-=(SIZE s) noexcept { x -= s.cx; y -= s.cy; return *this; }
};

class CRect : public RECT
{
public:
    CRect() noexcept { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) noexcept { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& r) noexcept { CopyRect(&r); }
    CRect(const RECT* r) noexcept { CopyRect(r); }
    CRect(POINT topLeft, SIZE size) noexcept
        : CRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy) {}
    CRect(POINT topLeft, POINT bottomRight) noexcept
        : CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y) {}

    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    CSize Size() const noexcept { return CSize(Width(), Height()); }
    CPoint TopLeft() const noexcept { return CPoint(left, top); }
    CPoint BottomRight() const noexcept { return CPoint(right, bottom); }
    CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }
    bool IsRectEmpty() const noexcept { return ::IsRectEmpty(this) != FALSE; }
    bool IsRectNull() const noexcept { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(POINT p) const noexcept { return ::PtInRect(this, p) != FALSE; }

    void SetRect(int l, int t, int r, int b) noexcept { left = l; top = t; right = r; bottom = b; }
    void SetRectEmpty() noexcept { SetRect(0, 0, 0, 0); }
    void CopyRect(const RECT* r) noexcept { if (r) { left = r->left; top = r->top; right = r->right; bottom = r->bottom; } }
    void OffsetRect(int dx, int dy) noexcept { left += dx; right += dx; top += dy; bottom += dy; }
    void OffsetRect(POINT p) noexcept { OffsetRect(p.x, p.y); }
    void OffsetRect(SIZE s) noexcept { OffsetRect(s.cx, s.cy); }
    void InflateRect(int dx, int dy) noexcept { left -= dx; right += dx; top -= dy; bottom += dy; }
    void DeflateRect(int dx, int dy) noexcept { InflateRect(-dx, -dy); }
    void NormalizeRect() noexcept
    {
        if (left > right) { LONG t = left; left = right; right = t; }
        if (top > bottom) { LONG t = top; top = bottom; bottom = t; }
    }
    bool IntersectRect(const RECT* a, const RECT* b) noexcept { return ::IntersectRect(this, a, b) != FALSE; }
    bool UnionRect(const RECT* a, const RECT* b) noexcept { return ::UnionRect(this, a, b) != FALSE; }
    void MoveToXY(int x, int y) noexcept { OffsetRect(x - left, y - top); }

    bool operator==(const RECT& r) const noexcept { return ::EqualRect(this, &r) != FALSE; }
    bool operator!=(const RECT& r) const noexcept { return !(*this == r); }
    operator RECT*() noexcept { return this; }
    operator const RECT*() const noexcept { return this; }
};
