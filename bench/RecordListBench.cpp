// The record list on a PLU table of 20,000 records (run by bench/run under
// Wine, not by the test suite): opening the screen to its first paint, and
// the rebind after Update, Sort and Import, each against a Win32 list view in
// report mode filled with the same texts and painted in the same run.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CEcrTilldeskApp.h"
#include "CFlexListDlg.h"
#include "EcrGlobals.h"
#include "FieldCodec.h"
#include "FieldRules.h"
#include "S_ECR_SETTING.h"
#include "Stopwatch.h"
#include "TablesResources.h"

namespace {

constexpr int kRecords = 20000;
constexpr int kRuns = 3;

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

// Writes the sample data with kRecords PLUs through the sample generator.
bool WriteSampleData(const std::wstring& folder)
{
    std::wstring line = L"VornK2Sample.exe \"" + folder + L"\" " + std::to_wstring(kRecords);
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

// A list view in report mode with the same texts, filled and painted.
double ListViewReference(const std::vector<std::vector<CString>>& rows, const RECT& frame)
{
    return BestOf(kRuns, [&] {
        HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_POPUP | WS_VISIBLE | LVS_REPORT, frame.left, frame.top,
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
                ListView_SetItemText(list, static_cast<int>(r), static_cast<int>(c), const_cast<LPWSTR>(rows[r][c].GetString()));
        }
        ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(list, nullptr, TRUE);
        ::UpdateWindow(list);
        ::GdiFlush();
        Pump();
        ::DestroyWindow(list);
    });
}

void Report(const char* name, double ms, double refMs)
{
    std::printf("%-34s %9.1f ms   list view %9.1f ms   ratio %5.2f (goal 0.50)\n", name, ms, refMs, refMs > 0 ? ms / refMs : 0.0);
}

void Click(CFlexListDlg* screen, int id)
{
    screen->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(screen->GetDlgItem(id)->m_hWnd));
    screen->UpdateWindow();
    Pump();
}

} // namespace

int wmain()
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"tilldesk-recordlist-bench";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    if (!WriteSampleData(folder)) {
        std::fprintf(stderr, "bench: writing %d PLUs failed\n", kRecords);
        return 1;
    }
    g_csv = folder + L"\\plu.csv";
    ::DeleteFileW(g_csv.c_str());

    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
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
    // and the grid, painted.
    CFlexListDlg* screen = nullptr;
    double open = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        theApp.ShowWindowByNumber(WNDNO_SELECT, 0);
        Pump();
        double ms = BestOf(1, [&] {
            theApp.ShowWindowByNumber(WNDNO_PLU, 0);
            screen = dynamic_cast<CFlexListDlg*>(theApp.CurrentWnd);
            screen->UpdateWindow();
            Pump();
        });
        open = ms < open ? ms : open;
    }
    CEcrGrid& grid = screen->Grid();
    if (grid.GetRowCount() != kRecords + 1) {
        std::fprintf(stderr, "bench: the grid shows %d rows\n", grid.GetRowCount() - 1);
        return 1;
    }
    std::printf("PLU screen: %d records, %d columns\n\n", kRecords, grid.GetColumnCount() - 1);

    // The reference: the same texts in a list view of the grid's size.
    std::vector<std::vector<CString>> rows(kRecords);
    for (int r = 0; r < kRecords; ++r)
        for (int c = 1; c < grid.GetColumnCount(); ++c)
            rows[static_cast<size_t>(r)].push_back(grid.GetItemText(r + 1, c));
    CRect frame;
    grid.GetWindowRect(&frame);
    double reference = ListViewReference(rows, frame);

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
    double update = BestOf(kRuns, [&] { Click(screen, IDC_FLEX_UPDATE); });
    double sort = BestOf(kRuns, [&] { Click(screen, IDC_FLEX_SORT); });
    double import = BestOf(kRuns, [&] { Click(screen, IDC_FLEX_IMPORT); });
    // The rebind every one of them ends with: hide, empty, bind, show, paint.
    double rebind = BestOf(kRuns, [&] {
        screen->ShowTable();
        screen->UpdateWindow();
        Pump();
    });

    Report("open to first paint", open, reference);
    Report("Update (write, rebind, paint)", update, reference);
    Report("Sort (sort, rebind, paint)", sort, reference);
    Report("Import (read, rebind, paint)", import, reference);
    Report("rebind alone", rebind, reference);

    theApp.FreeCurrentWindow();
    theApp.EcrDll.UnloadModelDll();
    return 0;
}
