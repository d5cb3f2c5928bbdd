// The record list on the PLU table (run by bench/run under Wine, not by the
// test suite). The first argument is the record count (20,000 when none; a
// count beyond what the table holds measures what it holds and says so).
//
// Every figure is the first run and the best of three, beside a Win32 list
// view in report mode of the grid's size, filled with the same texts and
// painted in the same run (its first and best). Neither side's timing
// includes tearing its window down. The screen opens before the list view
// is first made, so what the two share and is still cold falls on the
// screen.
//  - Opening the screen from the function menu to its first paint, the card
//    off (AutoPopup=0). The first open of the process reads PLU.VK2.
//  - Update, Sort and Import, each with its rebind and paint; the rebind
//    alone.
//  - Opening as shipped (AutoPopup=1): the record card opens on the first
//    record; timed to the card's first paint, with the list behind it
//    painted too. The data is dropped before, so the first open reads
//    PLU.VK2 again; the program's own code is warm by then. No goal.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "CCardDlg.h"
#include "CEcrData.h"
#include "CEcrTilldeskApp.h"
#include "CFlexListDlg.h"
#include "EcrDllEntries.h"
#include "EcrGlobals.h"
#include "FieldCodec.h"
#include "FieldRules.h"
#include "S_ECR_SETTING.h"
#include "Stopwatch.h"
#include "TablesResources.h"

namespace {

constexpr int kDefaultRecords = 20000;
constexpr int kRuns = 3;
// Opening and every rebind take at most this share of the list view's.
constexpr double kGoal = 0.5;

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

int AnswerOk(HWND, LPCWSTR, LPCWSTR, UINT)
{
    return IDOK;
}

std::wstring g_csv;
bool AnswerCsv(BOOL, OPENFILENAMEW&, CString& chosen)
{
    chosen = g_csv.c_str();
    return true;
}

// Writes the sample data with `records` PLUs through the sample generator.
bool WriteSampleData(const std::wstring& folder, int records)
{
    std::wstring line = L"VornK2Sample.exe \"" + folder + L"\" " + std::to_wstring(records);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return code == 0;
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A list view in report mode with the same texts, filled and painted; torn
// down untimed.
Timings ListViewReference(const std::vector<std::vector<CString>>& rows, const RECT& frame)
{
    HWND list = nullptr;
    return FirstAndBest(
        kRuns,
        [&] {
            list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_POPUP | WS_VISIBLE | LVS_REPORT, frame.left, frame.top,
                                     frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
            ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
            size_t columns = rows.empty() ? 0 : rows[0].size();
            for (size_t c = 0; c < columns; ++c) {
                LVCOLUMNW col = {};
                col.mask = LVCF_TEXT | LVCF_WIDTH;
                col.cx = 80;
                col.pszText = const_cast<LPWSTR>(L"");
                ListView_InsertColumn(list, static_cast<int>(c), &col);
            }
            for (size_t r = 0; r < rows.size(); ++r) {
                LVITEMW item = {};
                item.mask = LVIF_TEXT;
                item.iItem = static_cast<int>(r);
                item.pszText = const_cast<LPWSTR>(rows[r][0].GetString());
                ListView_InsertItem(list, &item);
                for (size_t c = 1; c < columns; ++c)
                    ListView_SetItemText(list, static_cast<int>(r), static_cast<int>(c),
                                         const_cast<LPWSTR>(rows[r][c].GetString()));
            }
            ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
            ::InvalidateRect(list, nullptr, TRUE);
            ::UpdateWindow(list);
            ::GdiFlush();
        },
        [&] {
            ::DestroyWindow(list);
            Pump();
        });
}

void Click(CFlexListDlg* screen, int id)
{
    screen->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(screen->GetDlgItem(id)->m_hWnd));
    screen->UpdateWindow();
    Pump();
}

// The open as shipped ends at the card's first paint. Paint messages come
// after every posted one, so when the first reaches the card its set-up is
// done: the hook then paints what waits in the card and in the screen behind
// it, notes the time and closes the card. A card that painted itself before
// any paint message is caught by a tick of the watch's timer, which comes
// only when nothing waits to be painted.
struct CardWatch
{
    HWND ticker = nullptr;
    bool painted = false;
    LARGE_INTEGER at = {};
} g_watch;

BOOL CALLBACK FindCard(HWND hWnd, LPARAM found)
{
    if (dynamic_cast<CCardDlg*>(CWnd::FromHandlePermanent(hWnd))) {
        *reinterpret_cast<HWND*>(found) = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND CardOf(const MSG& msg)
{
    HWND card = nullptr;
    if (msg.message == WM_PAINT) {
        HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
        if (dynamic_cast<CCardDlg*>(CWnd::FromHandlePermanent(root)))
            card = root;
    } else if (msg.message == WM_TIMER && msg.hwnd == g_watch.ticker) {
        ::EnumThreadWindows(::GetCurrentThreadId(), FindCard, reinterpret_cast<LPARAM>(&card));
    }
    return card && ::IsWindowVisible(card) ? card : nullptr;
}

LRESULT CALLBACK WatchCard(int code, WPARAM removal, LPARAM lParam)
{
    const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && !g_watch.painted && msg.hwnd)
        if (HWND card = CardOf(msg)) {
            const UINT everything = RDW_UPDATENOW | RDW_ALLCHILDREN;
            ::RedrawWindow(card, nullptr, nullptr, everything);
            if (HWND screen = ::GetWindow(card, GW_OWNER))
                ::RedrawWindow(screen, nullptr, nullptr, everything);
            ::GdiFlush();
            g_watch.at = Now();
            g_watch.painted = true;
            ::PostMessageW(card, WM_COMMAND, IDCANCEL, 0);
        }
    return ::CallNextHookEx(nullptr, code, removal, lParam);
}

// Opens the PLU screen from the function menu (left for it untimed first)
// and answers the milliseconds to the list's first paint, or with the card
// on, to the card's; a negative answer when no card showed.
double OpenFromMenu(bool card)
{
    theApp.ShowWindowByNumber(WNDNO_SELECT, 0);
    Pump();
    g_watch.painted = false;
    const LARGE_INTEGER start = Now();
    theApp.ShowWindowByNumber(WNDNO_PLU, 0);
    if (!card) {
        // The screen paints as the message loop would have it: at once.
        theApp.CurrentWnd->UpdateWindow();
        Pump();
        return Milliseconds(start, Now());
    }
    // The posted card request comes before any paint, as in the program's loop.
    Pump();
    return g_watch.painted ? Milliseconds(start, g_watch.at) : -1.0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int asked = argc > 1 ? _wtoi(argv[1]) : kDefaultRecords;
    if (asked <= 0) {
        std::fprintf(stderr, "usage: bench_record_list [records]\n");
        return 2;
    }
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"tilldesk-recordlist-bench";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    if (!WriteSampleData(folder, asked)) {
        std::fprintf(stderr, "bench: writing %d PLUs failed\n", asked);
        return 1;
    }
    g_csv = folder + L"\\plu.csv";
    ::DeleteFileW(g_csv.c_str());

    // What the program has done before any screen opens.
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (FAILED(::OleInitialize(nullptr))) {
        std::fprintf(stderr, "bench: OLE did not start\n");
        return 1;
    }
    AfxSetMessageBoxHandler(AnswerOk);
    AfxSetFileDialogHandler(AnswerCsv);
    g_pEcrSetting->EcrName = L"02 VORN-K2";
    g_pEcrSetting->DataPath = folder.c_str();
    g_pEcrSetting->Language = L"ENG";
    g_pEcrSetting->Level = 0;
    g_pEcrSetting->AutoPopup = 0;
    theApp.LoadModelDll(L"VornK2Dll.dll");
    if (!theApp.EcrDll.Module) {
        std::fprintf(stderr, "bench: VornK2Dll.dll did not load\n");
        return 1;
    }
    // The library's own messages are answered too.
    using PFN_SetBoxes = AfxMessageBoxHandler(WINAPI*)(AfxMessageBoxHandler);
    if (auto setBoxes = reinterpret_cast<PFN_SetBoxes>(
            reinterpret_cast<void (*)()>(::GetProcAddress(theApp.EcrDll.Module, "VornSetMessageBoxHandler"))))
        setBoxes(AnswerOk);

    // Opening the screen from the function menu: its window, the table list
    // and the grid, painted. The first open reads the data file.
    const Timings open = FirstAndBestMeasured(kRuns, [] { return OpenFromMenu(false); });
    auto* screen = dynamic_cast<CFlexListDlg*>(theApp.CurrentWnd);
    CEcrGrid& grid = screen->Grid();
    const int records = grid.GetRowCount() - 1;
    if (records <= 0 || records > asked) {
        std::fprintf(stderr, "bench: the grid shows %d rows\n", records);
        return 1;
    }
    if (records < asked)
        std::printf("PLU screen: %d records (%d asked: the table holds at most %d), %d columns\n\n", records, asked,
                    records, grid.GetColumnCount() - 1);
    else
        std::printf("PLU screen: %d records, %d columns\n\n", records, grid.GetColumnCount() - 1);

    // The reference: the same texts in a list view of the grid's size.
    std::vector<std::vector<CString>> rows(static_cast<size_t>(records));
    for (int r = 0; r < records; ++r)
        for (int c = 1; c < grid.GetColumnCount(); ++c)
            rows[static_cast<size_t>(r)].push_back(grid.GetItemText(r + 1, c));
    CRect frame;
    grid.GetWindowRect(&frame);
    const Timings reference = ListViewReference(rows, frame);

    // The sample data holds values outside their ranges on purpose, which
    // an import refuses: the file the imports read has them in range.
    S_ECR_TABLE* table = grid.GetBoundTable();
    for (int f = 0; f < table->FieldCount; ++f)
        for (int r = 0; r < table->RecordCount; ++r) {
            CString shown;
            FormatField(&table->Fields()[f], FieldPtr(table, r, f), shown);
            if (IsShadedOutOfRange(table->Fields()[f], shown))
                ParseField(&table->Fields()[f], L"0", FieldPtr(table, r, f));
        }
    Click(screen, IDC_FLEX_EXPORT);
    const Timings update = FirstAndBest(kRuns, [&] { Click(screen, IDC_FLEX_UPDATE); });
    const Timings sort = FirstAndBest(kRuns, [&] { Click(screen, IDC_FLEX_SORT); });
    const Timings import = FirstAndBest(kRuns, [&] { Click(screen, IDC_FLEX_IMPORT); });
    // The rebind every one of them ends with: hide, empty, bind, show, paint.
    const Timings rebind = FirstAndBest(kRuns, [&] {
        screen->ShowTable();
        screen->UpdateWindow();
        Pump();
    });

    // Opening as shipped: the card on, its first paint timed. The data is
    // dropped once, so that the first open reads the file again.
    theApp.ShowWindowByNumber(WNDNO_SELECT, 0);
    Pump();
    GetEcrDataFromWndNo(WNDNO_PLU)->Reset();
    g_pEcrSetting->AutoPopup = 1;
    g_watch.ticker = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    HHOOK hook = ::SetWindowsHookExW(WH_GETMESSAGE, WatchCard, nullptr, ::GetCurrentThreadId());
    if (!g_watch.ticker || !hook || !::SetTimer(g_watch.ticker, 1, USER_TIMER_MINIMUM, nullptr)) {
        std::fprintf(stderr, "bench: the card's watch did not start\n");
        return 1;
    }
    const Timings shipped = FirstAndBestMeasured(kRuns, [] { return OpenFromMenu(true); });
    ::UnhookWindowsHookEx(hook);
    ::DestroyWindow(g_watch.ticker);
    g_pEcrSetting->AutoPopup = 0;
    if (shipped.best < 0) {
        std::fprintf(stderr, "bench: no record card opened with the list\n");
        return 1;
    }

    const char* list = "list view, same texts";
    ReportTimings("open to first paint, AutoPopup=0 (first reads PLU.VK2)", open, list, reference, kGoal);
    ReportTimings("Update (write, rebind, paint)", update, list, reference, kGoal);
    ReportTimings("Sort (sort, rebind, paint)", sort, list, reference, kGoal);
    ReportTimings("Import (read, rebind, paint)", import, list, reference, kGoal);
    ReportTimings("rebind alone", rebind, list, reference, kGoal);
    ReportTimings("open as shipped, AutoPopup=1, to the card's first paint (first reads PLU.VK2)", shipped, list,
                  reference, 0);

    theApp.FreeCurrentWindow();
    theApp.EcrDll.UnloadModelDll();
    return 0;
}
