#include "LayoutWindow.h"

namespace {

const wchar_t kClassName[] = L"TillpadLayout";
const int kKeyWidth = 64;
const int kKeyHeight = 44;
const int kMargin = 12;

} // namespace

bool LayoutWindow::Create(HINSTANCE instance, int show)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    if (!::RegisterClassW(&wc))
        return false;
    m_hWnd = ::CreateWindowExW(0, kClassName, L"Tillpad - Key layout", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                               CW_USEDEFAULT, 720, 480, nullptr, nullptr, instance, this);
    if (!m_hWnd)
        return false;
    ::ShowWindow(m_hWnd, show == SW_HIDE ? SW_SHOW : show);
    ::UpdateWindow(m_hWnd);
    return true;
}

void LayoutWindow::ShowLayout(const KeyLayout& layout)
{
    m_layout = layout;
    m_hasLayout = true;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

LRESULT CALLBACK LayoutWindow::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<LayoutWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hWnd, &ps);
        if (self)
            self->Paint(dc);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        if (self)
            self->m_closed = true;
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }
}

void LayoutWindow::Paint(HDC dc) const
{
    HGDIOBJ oldFont = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    if (!m_hasLayout) {
        RECT text = {kMargin, kMargin, 600, 40};
        ::DrawTextW(dc, L"Reading the key layout...", -1, &text, DT_LEFT | DT_SINGLELINE);
        ::SelectObject(dc, oldFont);
        return;
    }
    // Each block is drawn once, from its first position; positions it
    // covers are skipped.
    auto blockAt = [this](int r, int c) -> const KeyLayout::Block* {
        for (const KeyLayout::Block& b : m_layout.merged)
            if (r >= b.firstRow && r <= b.lastRow && c >= b.firstCol && c <= b.lastCol)
                return &b;
        return nullptr;
    };
    HBRUSH assignable = ::CreateSolidBrush(RGB(255, 255, 224));
    HBRUSH fixed = ::CreateSolidBrush(RGB(220, 220, 220));
    for (int r = 0; r < m_layout.rows; ++r)
        for (int c = 0; c < m_layout.cols; ++c) {
            const KeyLayout::Block* block = blockAt(r, c);
            if (block && (block->firstRow != r || block->firstCol != c))
                continue;
            const int lastRow = block ? block->lastRow : r;
            const int lastCol = block ? block->lastCol : c;
            RECT key = {kMargin + c * kKeyWidth, kMargin + r * kKeyHeight, kMargin + (lastCol + 1) * kKeyWidth - 2,
                        kMargin + (lastRow + 1) * kKeyHeight - 2};
            const KeyLayout::Key& k = m_layout.At(r, c);
            ::FillRect(dc, &key, k.assignable ? assignable : fixed);
            ::FrameRect(dc, &key, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
            RECT text = key;
            ::InflateRect(&text, -3, -3);
            ::DrawTextW(dc, k.name.c_str(), -1, &text, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
        }
    ::DeleteObject(assignable);
    ::DeleteObject(fixed);
    ::SelectObject(dc, oldFont);
}
