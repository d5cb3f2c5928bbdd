// The record card's open as the user waits for it: created, filled with the
// first PLU record and painted for the first time, on one data folder (bench/run
// gives the shipped sample and one of 20,000 PLUs); against a plain dialog
// from a template with the same controls as the open card (same classes,
// styles, places, texts and font; no code behind them but what sets the
// texts of combo boxes, which take none from a template), created and
// painted in the same run. Each first open runs in a fresh process after
// the same warm-up; the median of nine is reported beside the best.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "CCardDlg.h"
#include "CEcrData.h"
#include "CEcrTilldeskApp.h"
#include "EcrDllEntries.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FieldRules.h"
#include "S_ECR_SETTING.h"
#include "Stopwatch.h"
#include "TablesResources.h"

namespace {

constexpr int kRuns = 7;
constexpr int kFirstRounds = 9;  // fresh processes for each first open (runs vary by ±0.15)

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Shown and painted, children included, with what the showing posted handled.
void ShowAndPaint(HWND dialog)
{
    ::ShowWindow(dialog, SW_SHOWNORMAL);
    ::UpdateWindow(dialog);
    Pump();
    ::GdiFlush();
}

// A combo box's text: a combo box makes its edit box empty, whatever its
// template item says, so the plain dialog sets it as the card does.
struct ComboText
{
    int id;
    std::wstring text;
};

// The plain dialog's procedure, given the texts its combo boxes show (or
// none).
INT_PTR CALLBACK PlainProc(HWND dialog, UINT message, WPARAM, LPARAM param)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    if (param)
        for (const ComboText& combo : *reinterpret_cast<const std::vector<ComboText>*>(param))
            ::SetDlgItemTextW(dialog, combo.id, combo.text.c_str());
    return TRUE;
}

// An in-memory extended dialog template, built word by word.
class TemplateWriter
{
public:
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD d)
    {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const wchar_t* text)
    {
        for (; *text; ++text)
            Word(*text);
        Word(0);
    }
    void Align() { m_words.resize((m_words.size() + 1) & ~size_t(1)); }
    size_t Size() const { return m_words.size(); }
    WORD& At(size_t index) { return m_words[index]; }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    std::vector<WORD> m_words;
};

// The card as it stands after opening, as a template: its frame, title and
// font from the card's own template resource, and each child control in
// z-order with its class, style, place (in dialog units), id and text.
bool CopyAsTemplate(HWND card, TemplateWriter& out)
{
    CRect units(0, 0, 4, 8);
    ::MapDialogRect(card, &units);
    CRect frame;
    ::GetWindowRect(card, &frame);
    out.Word(1);       // version
    out.Word(0xFFFF);  // extended
    out.Dword(0);      // help id
    out.Dword(static_cast<DWORD>(::GetWindowLongPtrW(card, GWL_EXSTYLE)));
    out.Dword((static_cast<DWORD>(::GetWindowLongPtrW(card, GWL_STYLE)) | DS_SETFONT) & ~WS_VISIBLE);
    const size_t countAt = out.Size();
    out.Word(0);
    CRect client;
    ::GetClientRect(card, &client);
    out.Word(0);
    out.Word(0);
    out.Word(static_cast<WORD>(MulDiv(client.Width(), 4, units.Width())));
    out.Word(static_cast<WORD>(MulDiv(client.Height(), 8, units.Height())));
    out.Word(0);  // no menu
    out.Word(0);  // the dialog class
    wchar_t text[256];
    ::GetWindowTextW(card, text, 256);
    out.Text(text);
    out.Word(9);    // points, as the card's template
    out.Word(FW_NORMAL);
    out.Word(0x0100);  // not italic; charset 1
    out.Text(L"MS UI Gothic");
    WORD count = 0;
    for (HWND child = ::GetWindow(card, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[64];
        if (!::GetClassNameW(child, className, 64))
            return false;
        // Windows the controls make for themselves (a tooltip) are no controls.
        if (::GetWindowLongPtrW(child, GWL_STYLE) & WS_POPUP)
            continue;
        CRect place;
        ::GetWindowRect(child, &place);
        ::MapWindowPoints(nullptr, card, reinterpret_cast<POINT*>(&place), 2);
        // A combo box's height in a template is its dropped height.
        if (!lstrcmpiW(className, L"ComboBox")) {
            RECT dropped = {};
            ::SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            if (dropped.bottom > dropped.top)
                place.bottom = place.top + (dropped.bottom - dropped.top);
        }
        out.Align();
        out.Dword(0);
        out.Dword(static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_EXSTYLE)));
        out.Dword(static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE)));
        out.Word(static_cast<WORD>(MulDiv(place.left, 4, units.Width())));
        out.Word(static_cast<WORD>(MulDiv(place.top, 8, units.Height())));
        out.Word(static_cast<WORD>(MulDiv(place.Width(), 4, units.Width())));
        out.Word(static_cast<WORD>(MulDiv(place.Height(), 8, units.Height())));
        out.Dword(static_cast<DWORD>(::GetDlgCtrlID(child)));
        out.Text(className);
        ::GetWindowTextW(child, text, 256);
        out.Text(text);
        out.Word(0);  // no creation data
        ++count;
    }
    out.At(countAt) = count;
    return count > 0;
}

// The texts of the combo boxes with an edit box in a template as
// CopyAsTemplate writes it.
std::vector<ComboText> EditComboTexts(TemplateWriter& copy)
{
    const WORD count = copy.At(8);
    size_t at = 15;  // past the count, the place, no menu and the dialog class
    auto text = [&copy, &at] {
        std::wstring read;
        while (at < copy.Size() && copy.At(at))
            read += static_cast<wchar_t>(copy.At(at++));
        ++at;
        return read;
    };
    text();   // the title
    at += 3;  // points, weight, italic and charset
    text();   // the face
    std::vector<ComboText> texts;
    for (WORD item = 0; item < count && at + 12 < copy.Size(); ++item) {
        at = (at + 1) & ~size_t(1);
        const DWORD style = MAKELONG(copy.At(at + 4), copy.At(at + 5));
        const int id = static_cast<int>(MAKELONG(copy.At(at + 10), copy.At(at + 11)));
        at += 12;
        const std::wstring className = text();
        const std::wstring title = text();
        ++at;  // no creation data
        if (!lstrcmpiW(className.c_str(), L"ComboBox") && (style & 3) != CBS_DROPDOWNLIST && !title.empty())
            texts.push_back({id, title});
    }
    return texts;
}

// Opens the card on the first record and stops the clock at its first
// paint; keeps a copy of it as a template when asked.
double OpenCard(S_ECR_TABLE* plu, CWnd& owner, TemplateWriter* copy)
{
    CCardDlg card(plu, 1, &owner);
    card.IsModal = TRUE;
    bool opened = false;
    const double ms = TimeOf([&] {
        opened = card.Create(IDD_CARD, &owner) != FALSE;
        if (opened)
            ShowAndPaint(card.m_hWnd);
    });
    if (opened && copy && !CopyAsTemplate(card.m_hWnd, *copy))
        opened = false;
    // Closing is not part of the wait.
    card.IsModal = FALSE;
    card.DestroyWindow();
    Pump();
    return opened ? ms : -1;
}

double OpenPlain(TemplateWriter& copy, HWND owner)
{
    const std::vector<ComboText> comboTexts = EditComboTexts(copy);
    HWND dialog = nullptr;
    const double ms = TimeOf([&] {
        dialog = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), copy.Get(), owner, PlainProc,
                                              reinterpret_cast<LPARAM>(&comboTexts));
        if (dialog)
            ShowAndPaint(dialog);
    });
    if (!dialog)
        return -1;
    ::DestroyWindow(dialog);
    Pump();
    return ms;
}

// What the program has done before its first card opens: the register's
// picture decoded for the main screen, a dialog made through the framework,
// windows of the card's classes made and painted with Japanese text in the
// dialog font.
void WarmUp(HWND owner)
{
    CImage picture;
    picture.Load(L"Ecr.bmp");
    // A dialog of the program's own, made the program's way.
    CDialog input(IDD_INPUT_VALUE);
    if (input.Create(IDD_INPUT_VALUE, CWnd::FromHandle(owner)))
        input.DestroyWindow();
    TemplateWriter warm;
    warm.Word(1);
    warm.Word(0xFFFF);
    warm.Dword(0);
    warm.Dword(0);
    warm.Dword(DS_SETFONT | WS_POPUP | WS_CAPTION);
    warm.Word(5);
    warm.Word(0), warm.Word(0), warm.Word(200), warm.Word(60);
    warm.Word(0), warm.Word(0);
    warm.Text(L"");
    warm.Word(9), warm.Word(FW_NORMAL), warm.Word(0x0100);
    warm.Text(L"MS UI Gothic");
    const wchar_t* classes[] = {L"Static", L"Edit", L"ComboBox", L"Button", L"SysTabControl32"};
    for (const wchar_t* name : classes) {
        warm.Align();
        // A drop-down list, as the list screen has.
        const DWORD kind = lstrcmpW(name, L"ComboBox") == 0 ? CBS_DROPDOWNLIST : 0;
        warm.Dword(0), warm.Dword(0), warm.Dword(WS_CHILD | WS_VISIBLE | kind);
        warm.Word(4), warm.Word(4), warm.Word(40), warm.Word(12);
        warm.Dword(100);
        warm.Text(name);
        warm.Text(L"PLU \x90e8\x9580\x540d\x79f0");  // the list screen shows Japanese captions
        warm.Word(0);
    }
    HWND dialog = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), warm.Get(), owner, PlainProc, 0);
    if (dialog) {
        ShowAndPaint(dialog);
        ::DestroyWindow(dialog);
    }
    Pump();
}

bool SaveTemplate(const TemplateWriter& copy, const wchar_t* file)
{
    HANDLE out = ::CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const DWORD bytes = static_cast<DWORD>(copy.Size() * sizeof(WORD));
    const bool saved = ::WriteFile(out, copy.Get(), bytes, &written, nullptr) && written == bytes;
    ::CloseHandle(out);
    return saved;
}

bool ReadTemplate(const wchar_t* file, TemplateWriter& copy)
{
    HANDLE in = ::CreateFileW(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (in == INVALID_HANDLE_VALUE)
        return false;
    WORD word = 0;
    DWORD got = 0;
    while (::ReadFile(in, &word, sizeof word, &got, nullptr) && got == sizeof word)
        copy.Word(word);
    ::CloseHandle(in);
    return copy.Size() > 0;
}

// The PLU table of the data folder, loaded as the record list loads it, with
// its fields' captions looked up, as the list's column headers do before a
// card opens from it.
S_ECR_TABLE* LoadPlu(const wchar_t* folder)
{
    g_pEcrSetting->Level = 0;
    g_pEcrSetting->DataPath = folder;
    theApp.LoadModelDll(L"VornK2Dll.dll");
    CEcrData* group = GetEcrDataFromWndNo(WNDNO_PLU);
    if (!group || !group->LoadData(nullptr)) {
        std::fprintf(stderr, "cardopenbench: no PLU data in %ls\n", folder);
        return nullptr;
    }
    S_ECR_TABLE* plu = group->GetTable(0);
    for (int f = 0; plu && f < plu->FieldCount; ++f)
        LabelText(plu->Fields()[f].Label);
    return plu;
}

HWND MakeOwner()
{
    return ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                             nullptr);
}

// One first open in this fresh process, after the warm-up: the card's
// (which writes its copy as a template to the file) or the plain dialog's
// (which reads it). Prints the time.
int FirstOpen(bool card, const wchar_t* folder, const wchar_t* file)
{
    S_ECR_TABLE* plu = card ? LoadPlu(folder) : nullptr;
    TemplateWriter copy;
    if (card ? !plu : !ReadTemplate(file, copy))
        return 1;
    HWND ownerWindow = MakeOwner();
    WarmUp(ownerWindow);
    double ms = -1;
    if (card) {
        CWnd owner;
        owner.Attach(ownerWindow);
        ms = OpenCard(plu, owner, &copy);
        owner.Detach();
        if (ms >= 0 && !SaveTemplate(copy, file))
            ms = -1;
    } else {
        ms = OpenPlain(copy, ownerWindow);
    }
    ::DestroyWindow(ownerWindow);
    if (card)
        theApp.EcrDll.UnloadModelDll();
    if (ms < 0)
        return 1;
    std::printf("%.3f\n", ms);
    return 0;
}

// Runs this program for one first open; its time, or -1.
double RunFirstOpen(bool card, const wchar_t* folder, const wchar_t* file)
{
    return TimeOfFreshRun(std::wstring(card ? L"--first-card \"" : L"--first-plain \"") + folder + L"\" \"" + file +
                          L"\"");
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && (std::wcscmp(argv[1], L"--first-card") == 0 || std::wcscmp(argv[1], L"--first-plain") == 0))
        return FirstOpen(argv[1][8] == L'c', argv[2], argv[3]);
    if (argc < 3) {
        std::fprintf(stderr, "usage: cardopenbench <data folder> <its name in the report>\n");
        return 2;
    }

    // First opens: each in a fresh process after the same warm-up, card and
    // plain dialog alternately; the median of each.
    wchar_t temp[MAX_PATH], file[MAX_PATH];
    if (!::GetTempPathW(MAX_PATH, temp) || !::GetTempFileNameW(temp, L"crd", 0, file))
        return 1;
    std::vector<double> cardFirsts, plainFirsts;
    for (int round = 0; round < kFirstRounds; ++round) {
        cardFirsts.push_back(RunFirstOpen(true, argv[1], file));
        plainFirsts.push_back(cardFirsts.back() < 0 ? -1 : RunFirstOpen(false, argv[1], file));
        if (plainFirsts.back() < 0) {
            ::DeleteFileW(file);
            std::fprintf(stderr, "cardopenbench: a first open failed\n");
            return 1;
        }
    }
    TemplateWriter copy;
    const bool copied = ReadTemplate(file, copy);
    ::DeleteFileW(file);

    // Then alternately in this process, so that both see the same machine, for the best.
    S_ECR_TABLE* plu = copied ? LoadPlu(argv[1]) : nullptr;
    if (!plu)
        return 1;
    HWND ownerWindow = MakeOwner();
    CWnd owner;
    owner.Attach(ownerWindow);
    WarmUp(ownerWindow);
    double card = 1e300, plain = 1e300;
    bool ok = true;
    for (int run = 0; run < kRuns && ok; ++run) {
        const double c = OpenCard(plu, owner, nullptr);
        const double p = c < 0 ? -1 : OpenPlain(copy, ownerWindow);
        ok = c >= 0 && p >= 0;
        card = std::min(card, c);
        plain = std::min(plain, p);
    }
    owner.Detach();
    ::DestroyWindow(ownerWindow);
    theApp.EcrDll.UnloadModelDll();
    if (!ok) {
        std::fprintf(stderr, "cardopenbench: the card or its plain copy did not open (error %lu)\n", ::GetLastError());
        return 1;
    }
    const double cardFirst = Median(cardFirsts), plainFirst = Median(plainFirsts);
    std::printf("card open, %ls (%d PLUs): first %6.1f ms, best %6.1f ms; plain dialog, same controls: first %6.1f ms,"
                " best %6.1f ms; ratio first %4.2f, best %4.2f (goal 1.20: %s)\n",
                argv[2], plu->RecordCount, cardFirst, card, plainFirst, plain, cardFirst / plainFirst, card / plain,
                cardFirst <= 1.2 * plainFirst && card <= 1.2 * plain ? "met" : "NOT met");
    return 0;
}
