// Grid benchmarks (run by bench/run under Wine, not by the test suite).
// The first argument is the row count of the fill (20,000 when none).
//
//  1. Fill rows x 20 columns of texts and paint once, against a Win32 list
//     view in report mode filled with the same texts, and a virtual list
//     view (LVS_OWNERDATA) answering from them, in the same run. The first
//     fill of each is timed cold, as a user's first open is, and printed
//     beside the best of the runs.
//  At the default size only (each takes a grid of its own):
//  2. One full repaint with 1,000 rows against 100,000 rows.
//  3. Memory per cell beyond its text, the text counted as the cells store it
//     (a short text inside the cell counts as the cell's).
//  4. Selecting a range: a 20,000-cell column and all 400,000 cells, against
//     a list view selecting its 20,000 items and a plain loop setting the
//     same cells' selected bit.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "CGridCtrl.h"
#include "ListViewRows.h"
#include "Stopwatch.h"

namespace {

constexpr int kCols = 20;
constexpr int kDefaultRows = 20000;
// The grid's goal on the first fill and paint: at most this share of the
// list view's time.
constexpr double kFillGoal = 0.2;
// The grid's goal: bytes per cell beyond its text.
constexpr double kCellGoal = 64;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

double Now()
{
    static LARGE_INTEGER freq = [] { LARGE_INTEGER f; ::QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Bytes taken from the process heap (the C runtime allocates there).
SIZE_T HeapBytes()
{
    SIZE_T total = 0;
    HANDLE heaps[64];
    DWORD n = ::GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < n && i < 64; ++i) {
        PROCESS_HEAP_ENTRY entry = {};
        ::HeapLock(heaps[i]);
        while (::HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += entry.cbData + entry.cbOverhead;
        ::HeapUnlock(heaps[i]);
    }
    return total;
}

const wchar_t* HostClass()
{
    static bool done = false;
    if (!done) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"GridBenchHost";
        ::RegisterClassW(&wc);
        done = true;
    }
    return L"GridBenchHost";
}

HWND MakeHost()
{
    return ::CreateWindowExW(0, HostClass(), L"bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kWidth,
                             kHeight, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

// Texts "R<row>C<col>"; with a period the row number repeats, so that grids
// of different sizes show texts of the same lengths everywhere.
std::vector<std::wstring> MakeTexts(int rows, int period = 0)
{
    std::vector<std::wstring> texts;
    texts.reserve(static_cast<size_t>(rows) * kCols);
    wchar_t buffer[32];
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c) {
            swprintf(buffer, 32, L"R%dC%d", (period ? r % period : r) + 1, c);
            texts.emplace_back(buffer);
        }
    return texts;
}

struct HostedGrid
{
    HWND host = nullptr;
    std::unique_ptr<CGridCtrl> grid;

    explicit HostedGrid(int rows)
    {
        host = MakeHost();
        grid = std::make_unique<CGridCtrl>();
        grid->Create(CRect(0, 0, kWidth, kHeight), CWnd::FromHandle(host), 100, WS_CHILD | WS_VISIBLE);
        grid->PickDefaultCell(FALSE, FALSE)->SetHeight(20);
        grid->PickDefaultCell(FALSE, TRUE)->SetWidth(60);
        // Built with drawing off, as the record grid builds its table, just
        // as the list view is filled with its redraw off.
        grid->SetRedraw(FALSE);
        grid->SetRowCount(rows + 1);
        grid->SetColumnCount(kCols);
        grid->SetFixedRowCount(1);
    }
    ~HostedGrid()
    {
        grid.reset();
        ::DestroyWindow(host);
        Pump();
    }
    void Fill(const std::vector<std::wstring>& texts, int rows)
    {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < kCols; ++c)
                grid->SetItemText(r + 1, c, texts[static_cast<size_t>(r) * kCols + c].c_str());
        grid->SetRedraw(TRUE, TRUE);
    }
    double Repaint(int times)
    {
        double t0 = Now();
        for (int i = 0; i < times; ++i) {
            ::InvalidateRect(grid->m_hWnd, nullptr, FALSE);
            ::UpdateWindow(grid->m_hWnd);
        }
        ::GdiFlush();
        return (Now() - t0) / times;
    }
};

double FillAndPaintGrid(const std::vector<std::wstring>& texts, int rows)
{
    double t0 = Now();
    HostedGrid hosted(rows);
    hosted.Fill(texts, rows);
    ::UpdateWindow(hosted.grid->m_hWnd);
    ::GdiFlush();
    return Now() - t0;
}

// The list view's columns, as wide as the grid's.
void AddColumns(HWND list)
{
    for (int c = 0; c < kCols; ++c) {
        LVCOLUMNW col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = 60;
        wchar_t name[16];
        swprintf(name, 16, L"C%d", c);
        col.pszText = name;
        ::SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
    }
}

// A report-mode list view in host with the texts of the given rows.
HWND FillListView(HWND host, const std::vector<std::wstring>& texts, int rows)
{
    HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, kWidth, kHeight,
                                  host, reinterpret_cast<HMENU>(100), ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    AddColumns(list);
    AddListViewRows(list, rows, kCols, [&texts](size_t i) { return texts[i].c_str(); });
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    return list;
}

// The list view painted, the time since t0 taken, and its host closed
// (untimed).
double PaintAndClose(HWND host, HWND list, double t0)
{
    ::InvalidateRect(list, nullptr, TRUE);
    ::UpdateWindow(list);
    ::GdiFlush();
    const double elapsed = Now() - t0;
    ::DestroyWindow(host);
    Pump();
    return elapsed;
}

double FillAndPaintListView(const std::vector<std::wstring>& texts, int rows)
{
    double t0 = Now();
    HWND host = MakeHost();
    HWND list = FillListView(host, texts, rows);
    return PaintAndClose(host, list, t0);
}

// The virtual list view's host answers its requests for texts from the
// texts it was given (its window's user data).
LRESULT CALLBACK VirtualHostProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
        if (info->hdr.code == LVN_GETDISPINFOW && (info->item.mask & LVIF_TEXT)) {
            const auto* texts =
                reinterpret_cast<const std::vector<std::wstring>*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
            const size_t at = static_cast<size_t>(info->item.iItem) * kCols + info->item.iSubItem;
            if (texts && at < texts->size() && info->item.cchTextMax > 0)
                ::lstrcpynW(info->item.pszText, (*texts)[at].c_str(), info->item.cchTextMax);
            return 0;
        }
    }
    return ::DefWindowProcW(wnd, message, wParam, lParam);
}

double FillAndPaintVirtualListView(const std::vector<std::wstring>& texts, int rows)
{
    static const wchar_t* const className = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = VirtualHostProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"GridBenchVirtualHost";
        ::RegisterClassW(&wc);
        return L"GridBenchVirtualHost";
    }();
    double t0 = Now();
    HWND host = ::CreateWindowExW(0, className, L"bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kWidth,
                                  kHeight, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&texts));
    HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0,
                                  kWidth, kHeight, host, reinterpret_cast<HMENU>(100), ::GetModuleHandleW(nullptr),
                                  nullptr);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    AddColumns(list);
    ::SendMessageW(list, LVM_SETITEMCOUNT, rows, 0);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    return PaintAndClose(host, list, t0);
}

// A fill's first time, the median of cold runs (one when there is one),
// and the best of every run.
struct FillTimes
{
    std::vector<double> firsts;
    double best = 1e30;
    int runs = 0;

    void AddFirst(double ms)
    {
        firsts.push_back(ms);
        Add(ms);
    }
    void Add(double ms)
    {
        ++runs;
        best = std::min(best, ms);
    }
    double First() const
    {
        std::vector<double> sorted = firsts;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

// Best of runs of work, each after a set-up that is not timed.
template <typename Prepare, typename Work>
double BestRun(int runs, Prepare prepare, Work work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        prepare();
        double t0 = Now();
        work();
        double t = Now() - t0;
        best = t < best ? t : best;
    }
    return best;
}

void SelectRanges(const std::vector<std::wstring>& texts, int rows)
{
    HostedGrid hosted(rows);
    hosted.Fill(texts, rows);
    CGridCtrl& grid = *hosted.grid;
    ::UpdateWindow(grid.m_hWnd);
    auto reset = [&] { grid.ResetSelectedRange(); Pump(); };
    auto paint = [&] { ::UpdateWindow(grid.m_hWnd); ::GdiFlush(); };
    const double column = BestRun(5, reset, [&] { grid.SetSelectedRange(1, 3, rows, 3); paint(); });
    const double all = BestRun(3, reset, [&] { grid.SelectAllCells(); paint(); });
    grid.SelectAllCells();
    const double deselect = BestRun(1, [] {}, [&] { grid.ResetSelectedRange(); paint(); });

    // The floor: the same cells' selected bits set directly.
    auto plain = [&](int col0, int col1) {
        for (int r = 1; r <= rows; ++r)
            for (int c = col0; c <= col1; ++c)
                if (CGridCellBase* cell = grid.GetCell(r, c))
                    cell->SetState(cell->GetState() | GRIDCELL_SELECTED);
    };
    auto clear = [&] {
        for (int r = 1; r <= rows; ++r)
            for (int c = 0; c < kCols; ++c)
                if (CGridCellBase* cell = grid.GetCell(r, c))
                    cell->SetState(cell->GetState() & ~GRIDCELL_SELECTED);
    };
    const double plainColumn = BestRun(5, clear, [&] { plain(3, 3); });
    const double plainAll = BestRun(3, clear, [&] { plain(0, kCols - 1); });
    clear();

    HWND host = MakeHost();
    HWND list = FillListView(host, texts, rows);
    ::UpdateWindow(list);
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED;
    auto listReset = [&] {
        state.state = 0;
        ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
        ::UpdateWindow(list);
    };
    const double listAll = BestRun(5, listReset, [&] {
        state.state = LVIS_SELECTED;
        ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
        ::UpdateWindow(list);
        ::GdiFlush();
    });
    ::DestroyWindow(host);
    Pump();

    wprintf(L"select one column of %d cells + paint: grid %.2f ms; list view selecting its %d items %.2f ms"
            L" (grid/list %.2f); plain loop over the cells' states %.2f ms\n",
            rows, column, rows, listAll, column / listAll, plainColumn);
    wprintf(L"select all %d cells + paint: grid %.2f ms; plain loop over the cells' states %.2f ms (ratio %.2f);"
            L" deselect all %.2f ms\n",
            rows * kCols, all, plainAll, all / plainAll, deselect);
}

// 3. Memory per cell beyond its text: the grid against the same texts
// stored alone as its cells store them (pooled blocks; a short text is kept
// inside the cell, and counts as the cell's). Measured before any other grid
// in this run: the chunks a grid empties are kept for the next, and a grid
// made from them would seem to cost nothing.
void MemoryPerCell()
{
    const int memRows = 100000;
    std::vector<std::wstring> many = MakeTexts(memRows);
    const size_t count = static_cast<size_t>(memRows) * kCols;
    const double cells = static_cast<double>(count);
    SIZE_T h0 = HeapBytes();
    {
        std::unique_ptr<CCellText[]> alone(new CCellText[count]);
        for (size_t i = 0; i < count; ++i)
            alone[i].Assign(many[i].c_str());
        SIZE_T h1 = HeapBytes();
        HostedGrid hosted(memRows);
        SIZE_T h2 = HeapBytes();
        hosted.Fill(many, memRows);
        SIZE_T h3 = HeapBytes();
        // The array's own slots are not the texts' cost; a cell holds that pointer itself.
        const double textBytes = static_cast<double>(h1 - h0) / cells - sizeof(CCellText);
        const double emptyCell = static_cast<double>(h2 - h1) / cells;
        const double fullCell = static_cast<double>(h3 - h1) / cells;
        const double beyond = fullCell - textBytes;
        wprintf(L"memory per cell (heap, %d x %d): empty cell %.1f bytes; with its text %.1f bytes, of which the"
                L" text as the cells store it outside themselves %.1f: %.1f bytes beyond its text"
                L" (sizeof(CGridCell) = %u); goal: <= %.0f bytes: %ls\n",
                memRows, kCols, emptyCell, fullCell, textBytes, beyond, static_cast<unsigned>(sizeof(CGridCell)),
                kCellGoal, beyond <= kCellGoal ? L"met" : L"NOT met");
    }
}

// What a program start does before a user opens a grid: the common
// controls, the grid's class registration and OLE (whose first drop target
// registration in a process is slow under Wine), a first window shown.
void WarmUp()
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    HWND host = MakeHost();
    {
        CGridCtrl grid;
        grid.Create(CRect(0, 0, kWidth, kHeight), CWnd::FromHandle(host), 100, WS_CHILD | WS_VISIBLE);
    }
    ::UpdateWindow(host);
    ::DestroyWindow(host);
    Pump();
}

// One fill and paint of the named kind; negative for an unknown kind.
double FillAndPaint(const std::wstring& kind, const std::vector<std::wstring>& texts, int rows)
{
    if (kind == L"grid")
        return FillAndPaintGrid(texts, rows);
    if (kind == L"list")
        return FillAndPaintListView(texts, rows);
    if (kind == L"virtual")
        return FillAndPaintVirtualListView(texts, rows);
    return -1;
}

// The first fill and paint of a kind, cold: this program run again for it
// alone, as a user's first open comes in a fresh process (no memory that
// another fill freed). Negative when the run failed.
double FirstFillAndPaint(const wchar_t* kind, int rows)
{
    return TimeOfFreshRun(std::to_wstring(rows) + L" --first " + kind);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int rows = argc > 1 ? _wtoi(argv[1]) : kDefaultRows;
    if (rows <= 0) {
        fwprintf(stderr, L"usage: gridbench [rows]  (rows above 0; %d when none)\n", kDefaultRows);
        return 2;
    }
    WarmUp();
    std::vector<std::wstring> texts = MakeTexts(rows);
    // A run of this program for one cold fill answers its time alone.
    if (argc > 3 && std::wcscmp(argv[2], L"--first") == 0) {
        const double ms = FillAndPaint(argv[3], texts, rows);
        if (ms < 0)
            return 2;
        std::printf("%.3f\n", ms);
        return 0;
    }

    if (rows == kDefaultRows)
        MemoryPerCell();

    // 1. Fill and paint rows x 20 texts. The first of each kind is cold, in
    // fresh runs of this program, the kinds in turn so that a busy machine
    // slows them alike; its median counts. Then the best of warm runs here,
    // each kind in turn. A large list view fill is slow under Wine: above
    // the default size each is measured once cold and once warm.
    const bool bigFill = rows > kDefaultRows;
    const int coldRuns = bigFill ? 1 : 5;
    const int warmRuns = bigFill ? 1 : 3;
    FillTimes grid, list, virtualList;
    for (int run = 0; run < coldRuns; ++run) {
        grid.AddFirst(FirstFillAndPaint(L"grid", rows));
        list.AddFirst(FirstFillAndPaint(L"list", rows));
        virtualList.AddFirst(FirstFillAndPaint(L"virtual", rows));
    }
    for (const FillTimes* kind : {&grid, &list, &virtualList})
        if (*std::min_element(kind->firsts.begin(), kind->firsts.end()) < 0) {
            fwprintf(stderr, L"gridbench: a cold run of this program failed\n");
            return 1;
        }
    for (int run = 0; run < warmRuns; ++run)
        grid.Add(FillAndPaintGrid(texts, rows));
    for (int run = 0; run < warmRuns; ++run)
        list.Add(FillAndPaintListView(texts, rows));
    for (int run = 0; run < warmRuns; ++run)
        virtualList.Add(FillAndPaintVirtualListView(texts, rows));
    const double firstRatio = grid.First() / list.First();
    wprintf(L"fill+paint %d x %d texts, first (cold, median of %d) / best of %d: grid %.1f / %.1f ms;"
            L" list view %.1f / %.1f ms; grid/list %.2f / %.2f; goal: grid <= %.2f x list view on the first fill: %ls\n",
            rows, kCols, coldRuns, grid.runs, grid.First(), grid.best, list.First(), list.best, firstRatio,
            grid.best / list.best, kFillGoal, firstRatio <= kFillGoal ? L"met" : L"NOT met");
    wprintf(L"fill+paint %d x %d texts, first (cold, median of %d) / best of %d: grid %.1f / %.1f ms;"
            L" virtual list view (LVS_OWNERDATA) %.1f / %.1f ms; grid/virtual list %.2f / %.2f (no goal)\n",
            rows, kCols, coldRuns, grid.runs, grid.First(), grid.best, virtualList.First(), virtualList.best,
            grid.First() / virtualList.First(), grid.best / virtualList.best);
    if (rows != kDefaultRows)
        return 0;

    // 2. One full repaint: 1,000 rows against 100,000 rows.
    {
        HostedGrid small(1000);
        small.Fill(MakeTexts(1000), 1000);
        HostedGrid large(100000);
        std::vector<std::wstring> many = MakeTexts(100000, 1000);
        large.Fill(many, 100000);
        // Batches alternate between the two grids; the best batch of each counts.
        auto best = [&](double& s, double& l) {
            s = l = 1e30;
            for (int batch = 0; batch < 8; ++batch) {
                double a = small.Repaint(20);
                double b = large.Repaint(20);
                s = a < s ? a : s;
                l = b < l ? b : l;
            }
        };
        double s = 0, l = 0;
        small.Repaint(5);
        large.Repaint(5);
        best(s, l);
        wprintf(L"full repaint (800 x 600, top): 1,000 rows %.2f ms, 100,000 rows %.2f ms (ratio %.2f)\n", s, l, l / s);
        large.grid->EnsureVisible(99999, 0);
        small.grid->EnsureVisible(999, 0);
        best(s, l);
        wprintf(L"full repaint (800 x 600, bottom): 1,000 rows %.2f ms, 100,000 rows %.2f ms (ratio %.2f)\n", s, l,
                l / s);
        {
            HDC screen = ::GetDC(nullptr);
            HDC mem = ::CreateCompatibleDC(screen);
            HBITMAP bmp = ::CreateCompatibleBitmap(screen, kWidth, kHeight);
            ::ReleaseDC(nullptr, screen);
            HGDIOBJ old = ::SelectObject(mem, bmp);
            CDC dc;
            dc.Attach(mem);
            double s2 = 1e30, l2 = 1e30;
            for (int k = 0; k < 5; ++k) {
                double t0 = Now();
                for (int i = 0; i < 20; ++i)
                    small.grid->OnDraw(&dc);
                double t1 = Now();
                for (int i = 0; i < 20; ++i)
                    large.grid->OnDraw(&dc);
                double t2 = Now();
                s2 = (t1 - t0) / 20 < s2 ? (t1 - t0) / 20 : s2;
                l2 = (t2 - t1) / 20 < l2 ? (t2 - t1) / 20 : l2;
            }
            wprintf(L"OnDraw into a memory context (bottom): 1,000 rows %.2f ms, 100,000 rows %.2f ms (ratio %.2f)\n",
                    s2, l2, l2 / s2);
            dc.Detach();
            ::SelectObject(mem, old);
            ::DeleteObject(bmp);
            ::DeleteDC(mem);
        }
        // Scrolling to the bottom and back, a repaint each time (top-left recomputed).
        double t0 = Now();
        for (int i = 0; i < 20; ++i) {
            large.grid->SendMessage(WM_VSCROLL, i % 2 ? SB_BOTTOM : SB_TOP);
            ::UpdateWindow(large.grid->m_hWnd);
        }
        wprintf(L"scroll top/bottom + repaint, 100,000 rows: %.2f ms each\n", (Now() - t0) / 20);
    }

    // 4. Selecting a range.
    SelectRanges(texts, rows);

    return 0;
}
