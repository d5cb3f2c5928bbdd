// The record grid over the PLU table of 20,000 records (run by bench/run).
//
//  1. Bind and paint once, against a report-mode list view filled with the
//     same formatted texts in the same run; beside it the same bind with the
//     grid's generic row-by-row sizing.
//  2. Search of the code column, against a plain loop of _wcstoi64 over the
//     same texts.
//  3. Fill of one value into 20,000 selected cells of one column, against
//     the same check, parse and format loop without the grid.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "BenchPlus.h"
#include "CEcrGrid.h"
#include "FieldCodec.h"
#include "FieldRules.h"
#include "GroupRegistry.h"
#include "Stopwatch.h"
#include "TableGroup.h"

namespace {

constexpr int kRecords = 20000;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kRuns = 3;
volatile long long g_sink;

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void Report(const char* name, double ms, const char* reference, double refMs)
{
    std::printf("%-34s %9.2f ms   %-36s %9.2f ms   ratio %5.2f\n", name, ms, reference, refMs,
                refMs > 0 ? ms / refMs : 0.0);
}

HWND MakeHost()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"RecordGridBenchHost";
        ::RegisterClassW(&wc);
        registered = true;
    }
    return ::CreateWindowExW(0, L"RecordGridBenchHost", L"bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                             kWidth, kHeight, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
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
    void Paint()
    {
        ::UpdateWindow(grid->m_hWnd);
        ::GdiFlush();
    }
};

double ListView(S_ECR_TABLE* t, const std::vector<CString>& texts)
{
    const int fields = t->FieldCount;
    return BestOf(kRuns, [&] {
        HWND host = MakeHost();
        HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, kWidth, kHeight,
                                      host, reinterpret_cast<HMENU>(100), ::GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        for (int c = 0; c < fields; ++c) {
            LVCOLUMNW col = {};
            col.mask = LVCF_TEXT | LVCF_WIDTH;
            col.cx = 8 * t->Fields()[c].Width;
            col.pszText = t->Fields()[c].Label.DefaultText;
            ::SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
        }
        for (int r = 0; r < kRecords; ++r) {
            LVITEMW item = {};
            item.mask = LVIF_TEXT;
            item.iItem = r;
            item.pszText = const_cast<wchar_t*>(texts[static_cast<size_t>(r) * fields].GetString());
            int index = static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
            for (int c = 1; c < fields; ++c) {
                LVITEMW sub = {};
                sub.iSubItem = c;
                sub.pszText = const_cast<wchar_t*>(texts[static_cast<size_t>(r) * fields + c].GetString());
                ::SendMessageW(list, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&sub));
            }
        }
        ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(list, nullptr, TRUE);
        ::UpdateWindow(list);
        ::GdiFlush();
        ::DestroyWindow(host);
        Pump();
    });
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    const CString folder = WriteBenchPlus(argc, argv, kRecords);
    if (folder.IsEmpty())
        return 1;
    auto* plu = static_cast<TableGroup*>(GroupRegistry::Instance().FromWndNo(18));
    plu->Reset();
    plu->ReloadFromFolder(folder);
    S_ECR_TABLE* t = plu->Table(0).Table();
    if (t->RecordCount != kRecords) {
        std::fprintf(stderr, "bench: loaded %d records\n", t->RecordCount);
        return 1;
    }
    std::printf("PLU table: %d records, %d fields\n\n", t->RecordCount, t->FieldCount);
    std::vector<CString> texts(static_cast<size_t>(kRecords) * t->FieldCount);
    for (int r = 0; r < kRecords; ++r)
        for (int c = 0; c < t->FieldCount; ++c)
            FormatField(&t->Fields()[c], FieldPtr(t, r, c), texts[static_cast<size_t>(r) * t->FieldCount + c]);

    // 1. Bind and paint.
    { HostedGrid warm; warm.grid->BindTable(t, 0); warm.Paint(); }
    double bind = BestOf(kRuns, [&] {
        HostedGrid hosted;
        hosted.grid->BindTable(t, 0);
        hosted.Paint();
    });
    double generic = BestOf(kRuns, [&] {
        HostedGrid hosted;
        hosted.grid->BindTable(t, 0);
        hosted.grid->AutoSizeRows();
        hosted.Paint();
    });
    double list = ListView(t, texts);
    Report("bind + paint", bind, "list view, same texts", list);
    Report("bind + generic row sizing + paint", generic, "list view, same texts", list);

    HostedGrid hosted;
    hosted.grid->BindTable(t, 0);
    hosted.Paint();

    // 2. Search for the last code.
    const int codeCol = 1;
    std::vector<CString> codes;
    for (int r = 0; r < kRecords; ++r)
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
    double select = BestOf(1, [&] { hosted.grid->SetSelectedRange(1, stockField + 1, kRecords, stockField + 1); });
    double fill = BestOf(kRuns, [&] {
        CString text;
        text.Format(L"%d", ++value);
        hosted.grid->FillSelectedCells(stockField + 1, text);
        hosted.Paint();
    });
    double plain = BestOf(kRuns, [&] {
        CString text, message, shown;
        text.Format(L"%d", ++value);
        for (int r = 0; r < kRecords; ++r) {
            if (!CheckFieldValue(t, stockField, r, text, message))
                return;
            ParseField(&stock, text, FieldPtr(t, r, stockField));
            FormatField(&stock, FieldPtr(t, r, stockField), shown);
        }
    });
    Report("fill 20,000 cells of one column", fill, "check + parse + format loop", plain);
    std::printf("(selecting the 20,000 cells beforehand: %.2f ms)\n", select);
    return 0;
}
