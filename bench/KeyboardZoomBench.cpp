// Keyboard zoom benchmark (run by bench/run under Wine, not by the tests):
// one zoom change of the key map and its repaint, on a full 100 x 100 board
// against the demo register's 8 x 10 board in the same run.
#include <cstdio>

#include "CTillpad.h"
#include "KeyboardResources.h"
#include "Stopwatch.h"

namespace {

class CBenchPad : public CTillpad
{
public:
    void LoadKeyboard() override {}
    void SaveKeyboard() override {}
};

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Best time of one zoom change there and back, halved: one change.
double ZoomChange(int rows, int cols)
{
    CBenchPad pad;
    if (!pad.Create(IDD_KEYBOARD_DIALOG))
        return -1;
    pad.ShowWindow(SW_SHOW);
    pad.KeyMap.SetColumnCount(cols);
    pad.KeyMap.SetRowCount(rows);
    for (int c = 0; c < cols; ++c)
        pad.KeyMap.SetColumnWidth(c, 45);
    for (int r = 0; r < rows; ++r) {
        pad.KeyMap.SetRowHeight(r, 40);
        for (int c = 0; c < cols; ++c) {
            wchar_t text[16];
            std::swprintf(text, 16, L"PLU %d", r * cols + c + 1);
            pad.KeyMap.SetItemText(r, c, text);
        }
    }
    Pump();
    auto zoom = [&](int entry) {
        pad.ZoomBox.SetCurSel(entry);
        pad.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KB_ZOOM, CBN_SELCHANGE), reinterpret_cast<LPARAM>(pad.ZoomBox.m_hWnd));
        pad.KeyMap.UpdateWindow();
        Pump();
    };
    double ms = BestOf(5, [&] {
        zoom(1);
        zoom(0);
    }) / 2;
    pad.DestroyWindow();
    return ms;
}

} // namespace

int wmain()
{
    const double full = ZoomChange(100, 100);
    const double demo = ZoomChange(8, 10);
    std::printf("keyboard zoom change, 100 x 100 board: %8.2f ms (limit 1000 ms)\n", full);
    std::printf("keyboard zoom change, demo 8 x 10 board (reference): %8.2f ms\n", demo);
    if (demo > 0)
        std::printf("ratio: %.1f\n", full / demo);
    return 0;
}
