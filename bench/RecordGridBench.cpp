// The record grid over the PLU table (run by bench/run). The first argument
// is the record count (20,000 when none; a count beyond the table's capacity
// measures the capacity and says so), the second an optional data folder.
//
//  1. Bind and paint, against a report-mode list view filled with the same
//     formatted texts in the same run: the first of each, which is what a
//     user waits for on opening, and the best of three. A first is timed in
//     a process of its own, started for it, so that neither side inherits
//     what the other warmed (heap, fonts, the system's drawing code); the
//     process's first window is made before, as the program's screens are
//     up before any record grid opens. One such start is noisy: the first
//     is the median of three, the two sides started in turn. Windows are
//     torn down outside the timing on both sides: nobody waits for that.
//     Beside them the same bind with the grid's generic row-by-row sizing.
//  2. Search of the code column, against a plain loop of _wcstoi64 over the
//     same texts.
//  3. Fill of one value into every selected cell of one column, against the
//     same check, parse and format loop without the grid.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "BenchPlus.h"
#include "CEcrGrid.h"
#include "FieldCodec.h"
#include "FieldRules.h"
#include "GroupRegistry.h"
#include "ListViewRows.h"
#include "Stopwatch.h"
#include "TableGroup.h"

namespace {

constexpr int kDefaultRecords = 20000;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kRuns = 3;
constexpr int kFirstRuns = 3;
// Bind and paint take at most this share of the list view's, on the first
// (what a user waits for) as on the best.
constexpr double kBindGoal = 0.5;
constexpr wchar_t kHostClass[] = L"RecordGridBenchHost";
volatile long long g_sink;

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

double Ratio(double ms, double refMs)
{
    return refMs > 0 ? ms / refMs : 0.0;
}

void Report(const char* name, double ms, const char* reference, double refMs)
{
    std::printf("%-34s %9.2f ms   %-36s %9.2f ms   ratio %5.2f\n", name, ms, reference, refMs, Ratio(ms, refMs));
}

bool RegisterHost()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kHostClass;
    return ::RegisterClassW(&wc) != 0;
}

HWND MakeHost()
{
    return ::CreateWindowExW(0, kHostClass, L"bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kWidth,
                             kHeight, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

// The process's first window, shown and painted: its one-time cost is the
// system's, paid by the program's first screen.
void MakeFirstWindow()
{
    HWND window = MakeHost();
    ::UpdateWindow(window);
    ::GdiFlush();
    ::DestroyWindow(window);
    Pump();
}

struct HostedGrid
{
    HWND host = MakeHost();
    std::unique_ptr<CEcrGrid> grid = std::make_unique<CEcrGrid>();

    HostedGrid() { grid->Create(CRect(0, 0, kWidth, kHeight), CWnd::FromHandle(host), 100, WS_CHILD | WS_VISIBLE); }
    ~HostedGrid()
    {
        grid.reset();
        ::DestroyWindow(host);
        Pump();
    }
    HostedGrid(const HostedGrid&) = delete;
    HostedGrid& operator=(const HostedGrid&) = delete;
    void Paint()
    {
        ::UpdateWindow(grid->m_hWnd);
        ::GdiFlush();
    }
};

// Bind and paint of a fresh grid in a fresh host, the tear-down untimed.
Timings BindAndPaint(S_ECR_TABLE* t, bool rowByRow)
{
    std::unique_ptr<HostedGrid> hosted;
    return FirstAndBest(
        kRuns,
        [&] {
            hosted = std::make_unique<HostedGrid>();
            hosted->grid->BindTable(t, 0);
            if (rowByRow)
                hosted->grid->AutoSizeRows();
            hosted->Paint();
        },
        [&] { hosted.reset(); });
}

// The list view filled with the same texts and painted, in a new host.
HWND FillListView(S_ECR_TABLE* t, int records, const std::vector<CString>& texts)
{
    const int fields = t->FieldCount;
    HWND host = MakeHost();
    HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, kWidth, kHeight, host,
                                  reinterpret_cast<HMENU>(100), ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int c = 0; c < fields; ++c) {
        LVCOLUMNW col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = 8 * t->Fields()[c].Width;
        col.pszText = t->Fields()[c].Label.DefaultText;
        ::SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
    }
    AddListViewRows(list, records, fields, [&texts](size_t i) { return texts[i].GetString(); });
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
    ::UpdateWindow(list);
    ::GdiFlush();
    return host;
}

Timings ListView(S_ECR_TABLE* t, int records, const std::vector<CString>& texts)
{
    HWND host = nullptr;
    return FirstAndBest(
        kRuns, [&] { host = FillListView(t, records, texts); },
        [&] {
            ::DestroyWindow(host);
            Pump();
        });
}

// The texts of every field of every record, as the grid shows them.
std::vector<CString> FormatAll(S_ECR_TABLE* t)
{
    std::vector<CString> texts(static_cast<size_t>(t->RecordCount) * t->FieldCount);
    for (int r = 0; r < t->RecordCount; ++r)
        for (int c = 0; c < t->FieldCount; ++c)
            FormatField(&t->Fields()[c], FieldPtr(t, r, c), texts[static_cast<size_t>(r) * t->FieldCount + c]);
    return texts;
}

// What a first-run process is started with: "--first grid|list <folder>";
// it prints the milliseconds of its one run.
constexpr wchar_t kFirstSwitch[] = L"--first";

int TimeFirstRun(S_ECR_TABLE* t, bool grid)
{
    const std::vector<CString> texts = grid ? std::vector<CString>() : FormatAll(t);
    MakeFirstWindow();
    std::unique_ptr<HostedGrid> hosted;
    HWND host = nullptr;
    const double ms = TimeOf([&] {
        if (grid) {
            hosted = std::make_unique<HostedGrid>();
            hosted->grid->BindTable(t, 0);
            hosted->Paint();
        } else {
            host = FillListView(t, t->RecordCount, texts);
        }
    });
    std::printf("%.3f\n", ms);
    return 0;
}

// Starts this program for the first run of one side; the milliseconds, or a
// negative number when the run failed.
double FirstRunApart(const wchar_t* side, const CString& folder)
{
    return TimeOfFreshRun(std::wstring(kFirstSwitch) + L" " + side + L" \"" + folder.GetString() + L"\"");
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const bool firstRun = argc == 4 && std::wcscmp(argv[1], kFirstSwitch) == 0;
    const int asked = firstRun ? 0 : argc > 1 ? _wtoi(argv[1]) : kDefaultRecords;
    if (!firstRun && asked <= 0) {
        std::fprintf(stderr, "usage: bench_record_grid [records [data folder]]\n");
        return 2;
    }
    // What the program has done before any screen opens: common controls,
    // OLE, and the window classes registered.
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (FAILED(::OleInitialize(nullptr)) || !RegisterHost() || !CGridCtrl::RegisterGridClass()) {
        std::fprintf(stderr, "bench: setting up OLE or the window classes failed\n");
        return 1;
    }
    auto* plu = static_cast<TableGroup*>(GroupRegistry::Instance().FromWndNo(18));
    if (firstRun) {
        plu->Reset();
        plu->ReloadFromFolder(argv[3]);
        return TimeFirstRun(plu->Table(0).Table(), std::wcscmp(argv[2], L"grid") == 0);
    }
    const int capacity = plu->Table(0).Capacity();
    const int records = std::min(asked, capacity);
    const CString folder = WriteBenchPlus(argc - 1, argv + 1, records);
    if (folder.IsEmpty())
        return 1;
    plu->Reset();
    plu->ReloadFromFolder(folder);
    S_ECR_TABLE* t = plu->Table(0).Table();
    if (t->RecordCount != records) {
        std::fprintf(stderr, "bench: loaded %d records\n", t->RecordCount);
        return 1;
    }
    if (asked > capacity)
        std::printf("PLU table: %d records, %d fields (%d asked: the table holds at most %d)\n\n", records,
                    t->FieldCount, asked, capacity);
    else
        std::printf("PLU table: %d records, %d fields\n\n", records, t->FieldCount);
    const std::vector<CString> texts = FormatAll(t);

    // 1. Bind and paint: the best here, the firsts in processes of their own.
    Timings bind = BindAndPaint(t, false);
    Timings list = ListView(t, records, texts);
    double grids[kFirstRuns], lists[kFirstRuns];
    for (int i = 0; i < kFirstRuns; ++i) {
        grids[i] = FirstRunApart(L"grid", folder);
        lists[i] = FirstRunApart(L"list", folder);
    }
    std::sort(grids, grids + kFirstRuns);
    std::sort(lists, lists + kFirstRuns);
    bind.first = grids[kFirstRuns / 2];
    list.first = lists[kFirstRuns / 2];
    if (grids[0] < 0 || lists[0] < 0) {
        std::fprintf(stderr, "bench: a first run in a process of its own failed\n");
        return 1;
    }
    const Timings generic = BindAndPaint(t, true);
    char what[64];
    std::snprintf(what, sizeof what, "bind + paint, %d records", records);
    ReportTimings(what, bind, "list view, same texts", list, kBindGoal);
    Report("bind + generic row sizing + paint", generic.best, "list view, same texts (best)", list.best);

    HostedGrid hosted;
    hosted.grid->BindTable(t, 0);
    hosted.Paint();

    // 2. Search for the last code.
    const int codeCol = 1;
    std::vector<CString> codes;
    for (int r = 0; r < records; ++r)
        codes.push_back(texts[static_cast<size_t>(r) * t->FieldCount]);
    const long long last = _wcstoi64(codes.back(), nullptr, 10);
    double search = BestOf(10, [&] { g_sink = hosted.grid->FindCodeRow(codeCol, last); });
    double loop = BestOf(10, [&] {
        for (const CString& code : codes)
            if (_wcstoi64(code, nullptr, 10) == last)
                g_sink = g_sink + 1;
    });
    Report("search of the last code", search, "_wcstoi64 loop over the codes", loop);

    // 3. Fill the stock column (editable, range-checked) of every record.
    const int stockField = 6;
    const S_ECR_FIELD& stock = t->Fields()[stockField];
    int value = 0;
    // The selection is the user's, made before the fill.
    double select = BestOf(1, [&] { hosted.grid->SetSelectedRange(1, stockField + 1, records, stockField + 1); });
    double fill = BestOf(kRuns, [&] {
        CString text;
        text.Format(L"%d", ++value);
        hosted.grid->FillSelectedCells(stockField + 1, text);
        hosted.Paint();
    });
    double plain = BestOf(kRuns, [&] {
        CString text, message, shown;
        text.Format(L"%d", ++value);
        for (int r = 0; r < records; ++r) {
            if (!CheckFieldValue(t, stockField, r, text, message))
                return;
            ParseField(&stock, text, FieldPtr(t, r, stockField));
            FormatField(&stock, FieldPtr(t, r, stockField), shown);
        }
    });
    Report("fill every cell of one column", fill, "check + parse + format loop", plain);
    std::printf("(selecting the %d cells beforehand: %.2f ms)\n", records, select);
    return 0;
}
