// The record card's code combo box over 20,000 PLU codes: the first showing
// of its row (which fills the list) and a record change with the row shown,
// against a plain combo box filled with the same strings, its storage
// reserved and its redraw off, in the same run.
//
// Runs on a data folder holding 20,000 PLUs (bench/run writes one with the
// sample-data generator), through the demo library as the program loads it.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "CCardDlg.h"
#include "CEcrData.h"
#include "CEcrTilldeskApp.h"
#include "EcrDllEntries.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FieldCodec.h"
#include "S_ECR_SETTING.h"
#include "Stopwatch.h"
#include "TablesResources.h"

namespace {

constexpr int kRuns = 5;
constexpr int kLinkField = 10;  // PLU "Link PLU": a combo of every PLU code

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void SelectPage(CCardDlg& card, int page)
{
    HWND tab = ::GetDlgItem(card.m_hWnd, IDC_CARD_TAB);
    TabCtrl_SetCurSel(tab, page);
    NMHDR header = {tab, IDC_CARD_TAB, static_cast<UINT>(TCN_SELCHANGE)};
    card.SendMessage(WM_NOTIFY, IDC_CARD_TAB, reinterpret_cast<LPARAM>(&header));
}

void Report(const char* name, double ms, const char* reference, double refMs)
{
    std::printf("%-40s %9.2f ms   %-40s %9.2f ms   ratio %5.2f\n", name, ms, reference, refMs,
                refMs > 0 ? ms / refMs : 0.0);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: cardbench <data folder with 20,000 PLUs>\n");
        return 2;
    }
    g_pEcrSetting->DataPath = argv[1];
    g_pEcrSetting->Level = 0;
    theApp.LoadModelDll(L"VornK2Dll.dll");
    CEcrData* group = GetEcrDataFromWndNo(WNDNO_PLU);
    if (!group || (!group->Loaded && !group->LoadData(nullptr))) {
        std::fprintf(stderr, "cardbench: no PLU data in %ls\n", argv[1]);
        return 1;
    }
    S_ECR_TABLE* plu = group->GetTable(0);
    const S_ECR_FIELD& code = plu->Fields()[0];
    std::vector<CString> codes(static_cast<size_t>(plu->RecordCount));
    const double format = BestOf(kRuns, [&] {
        for (int r = 0; r < plu->RecordCount; ++r)
            FormatField(&code, FieldPtr(plu, r, 0), codes[static_cast<size_t>(r)]);
    });
    std::printf("PLU table: %d records; the card's combo lists field %d of each\n\n", plu->RecordCount, 0);

    // The card: page 2 shows the code combo for the first time and fills it.
    double firstShow = 1e300, recordChange = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        CCardDlg card(plu, 1);
        card.IsModal = TRUE;
        card.Create(IDD_CARD);
        Pump();
        firstShow = std::min(firstShow, BestOf(1, [&] { SelectPage(card, 1); }));
        recordChange = std::min(recordChange, BestOf(1, [&] {
            card.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CARD_NEXT, BN_CLICKED),
                             reinterpret_cast<LPARAM>(::GetDlgItem(card.m_hWnd, IDC_CARD_NEXT)));
        }));
        const int listed = static_cast<int>(::SendDlgItemMessageW(card.m_hWnd, IDC_CARD_COMBO, CB_GETCOUNT, 0, 0));
        if (listed != plu->RecordCount) {
            std::fprintf(stderr, "cardbench: the combo lists %d codes, not %d\n", listed, plu->RecordCount);
            return 1;
        }
        card.DestroyWindow();
        Pump();
    }

    // The reference: a plain combo box, the same strings, storage reserved, no redraw.
    HWND host = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    double plain = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        HWND combo = ::CreateWindowExW(0, L"COMBOBOX", nullptr, WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | WS_VSCROLL,
                                       0, 0, 200, 200, host, nullptr, nullptr, nullptr);
        plain = std::min(plain, BestOf(1, [&] {
            ::SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
            ::SendMessageW(combo, CB_INITSTORAGE, codes.size(), static_cast<LPARAM>(codes.size() * 16 * sizeof(wchar_t)));
            for (const CString& text : codes)
                ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
            ::SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
        }));
        ::DestroyWindow(combo);
    }
    // The same with the control wrapped by the framework, as the card's is.
    double wrapped = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        HWND combo = ::CreateWindowExW(0, L"COMBOBOX", nullptr, WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | WS_VSCROLL,
                                       0, 0, 200, 200, host, nullptr, nullptr, nullptr);
        CComboBox box;
        box.SubclassWindow(combo);
        wrapped = std::min(wrapped, BestOf(1, [&] {
            ::SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
            ::SendMessageW(combo, CB_INITSTORAGE, codes.size(), static_cast<LPARAM>(codes.size() * 16 * sizeof(wchar_t)));
            for (const CString& text : codes)
                ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
            ::SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
        }));
        box.DestroyWindow();
    }

    ::DestroyWindow(host);

    Report("card: code row first shown", firstShow, "plain combo, same strings (reference)", plain);
    Report("(formatting the codes alone)", format, "plain combo, same strings (reference)", plain);
    Report("(framework-wrapped combo, same strings)", wrapped, "plain combo, same strings (reference)", plain);
    Report("card: next record, row shown", recordChange, "plain combo, same strings (reference)", plain);
    std::printf("\nlimit: the first showing at most 1.5 x the reference; a record change never refills.\n");
    theApp.EcrDll.UnloadModelDll();
    return 0;
}
