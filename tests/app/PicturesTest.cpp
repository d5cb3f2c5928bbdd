// Pictures of the model choice, the function menu and the about box in both
// caption languages, each checked as a person looks at it: texts in the
// screen's language, nothing clipped, no control over another.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "CAboutDlg.h"
#include "CEcrTilldeskApp.h"
#include "EcrGlobals.h"
#include "FrameworkResources.h"
#include "LogoResources.h"
#include "ModalScript.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "ScreenCheck.h"
#include "TestFiles.h"
#include "WindowPicture.h"
#include "resource.h"

namespace {

struct Language
{
    const wchar_t* code;
    bool japanese;
};
const Language kLanguages[] = {{L"ENG", false}, {L"JPN", true}};

struct Pictures : ::testing::Test
{
    CaptionLanguages captions{ProgramFolder() + L"\\Cap"};
    CString savedName, savedLanguage, savedBmp;
    std::vector<std::pair<CString, CString>> savedModels;

    void SetUp() override
    {
        savedName = g_pEcrSetting->EcrName;
        savedLanguage = g_pEcrSetting->Language;
        savedBmp = g_pEcrSetting->EcrBmp;
        CString name, path;
        for (POSITION pos = g_pEcrSetting->ModelMap.GetStartPosition(); pos;) {
            g_pEcrSetting->ModelMap.GetNextAssoc(pos, name, path);
            savedModels.push_back({name, path});
        }
        g_pEcrSetting->ModelMap.RemoveAll();
        g_pEcrSetting->ModelMap.SetAt(L"02 VORN-K2", L"VornK2Dll.dll");
        g_pEcrSetting->EcrName = L"02 VORN-K2";
        g_pEcrSetting->EcrBmp = L"Ecr.bmp";
        ASSERT_GT(captions.EnglishCount(), 50u);
        ASSERT_GT(captions.JapaneseCount(), 50u);
    }
    void TearDown() override
    {
        theApp.FreeCurrentWindow();
        theApp.m_pMainWnd = nullptr;
        PumpPending();
        theApp.EcrDll.UnloadModelDll();
        g_pEcrSetting->EcrName = savedName;
        g_pEcrSetting->Language = savedLanguage;
        g_pEcrSetting->EcrBmp = savedBmp;
        g_pEcrSetting->ModelMap.RemoveAll();
        for (const auto& [name, path] : savedModels)
            g_pEcrSetting->ModelMap.SetAt(name, path);
        PumpPending();
    }
    // The screen in the language, with the demo library's caption file.
    HWND Show(int wndNo, const Language& language)
    {
        theApp.EcrDll.UnloadModelDll();
        g_pEcrSetting->Language = language.code;
        theApp.LoadModelDll(L"VornK2Dll.dll");
        theApp.ShowWindowByNumber(wndNo, 0);
        PumpPending();
        return theApp.CurrentWnd ? theApp.CurrentWnd->m_hWnd : nullptr;
    }
    static std::wstring Name(const wchar_t* screen, const Language& language)
    {
        return std::wstring(screen) + L"-" + language.code;
    }
    static std::wstring Text(HWND window, int id)
    {
        wchar_t text[256] = {};
        ::GetWindowTextW(id ? ::GetDlgItem(window, id) : window, text, 256);
        return text;
    }
};

} // namespace

TEST_F(Pictures, ModelChoiceInBothLanguages)
{
    for (const Language& language : kLanguages) {
        HWND screen = Show(WNDNO_MAIN, language);
        ASSERT_NE(nullptr, screen);
        EXPECT_FALSE(SaveWindowPicture(screen, Name(L"model-choice", language).c_str()).empty());
        EXPECT_EQ(Text(screen, IDC_SELECT), language.japanese ? L"選択 (&S)" : L"Select (&S)");
        EXPECT_TRUE(WindowShowsInk(::GetDlgItem(screen, IDC_IP_LABEL)));
        wchar_t chosen[64] = {};
        ::SendDlgItemMessageW(screen, IDC_LANGUAGE_COMBO, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(chosen));
        EXPECT_STREQ(chosen, language.code);
        // The title names the model and its folder; the product line is the library's.
        std::vector<std::wstring> findings = ScreenFindings(screen, captions, language.japanese, {0, IDC_TITLE_TEXT});
        EXPECT_TRUE(findings.empty()) << language.code << ":\n" << JoinFindings(findings);
    }
}

TEST_F(Pictures, FunctionMenuInBothLanguages)
{
    for (const Language& language : kLanguages) {
        HWND menu = Show(WNDNO_SELECT, language);
        ASSERT_NE(nullptr, menu);
        EXPECT_FALSE(SaveWindowPicture(menu, Name(L"function-menu", language).c_str()).empty());
        EXPECT_EQ(Text(menu, IDC_SEL_BACK), language.japanese ? L"戻る" : L"Back");
        EXPECT_TRUE(WindowShowsInk(::GetDlgItem(menu, IDC_SEL_REPORT_CONVERT)));
        // The title names the model and the data folder.
        std::vector<std::wstring> findings = ScreenFindings(menu, captions, language.japanese, {0});
        EXPECT_TRUE(findings.empty()) << language.code << ":\n" << JoinFindings(findings);
    }
}

TEST_F(Pictures, AboutBoxInBothLanguages)
{
    for (const Language& language : kLanguages) {
        HWND menu = Show(WNDNO_SELECT, language);
        ASSERT_NE(nullptr, menu);
        std::vector<std::wstring> findings;
        std::wstring version, title;
        WhenDialogShows(IDC_ABOUT_VERSION, [&](HWND about) {
            // The test program has no version resource: the template's texts show.
            EXPECT_FALSE(SaveWindowPicture(about, Name(L"about", language).c_str()).empty());
            version = Text(about, IDC_ABOUT_VERSION);
            title = Text(about, 0);
            EXPECT_TRUE(WindowShowsInk(::GetDlgItem(about, IDC_ABOUT_VERSION)));
            // Name and version are the program file's, in no caption language.
            findings = ScreenFindings(about, captions, language.japanese, {IDC_ABOUT_PRODUCT, IDC_ABOUT_VERSION});
            ::PostMessageW(about, WM_COMMAND, IDOK, 0);
        });
        CAboutDlg about;
        about.DoModal();
        EXPECT_FALSE(DialogScriptPending());
        EXPECT_EQ(version, L"Version 2.0");
        EXPECT_EQ(title, language.japanese ? L"バージョン情報" : L"Version Info");
        EXPECT_TRUE(findings.empty()) << language.code << ":\n" << JoinFindings(findings);
    }
}

namespace {

CString g_browserPrompt;
bool PromptRecorder(HWND, LPCWSTR title, LPCWSTR, CString&)
{
    g_browserPrompt = title;
    return false;
}

} // namespace

// What shows outside the screens' controls speaks their language too: the
// system menu's about item and the folder browsers' prompts.
TEST_F(Pictures, SystemMenuAndFolderPromptsInBothLanguages)
{
    const AfxFolderBrowseHandler saved = AfxSetFolderBrowseHandler(PromptRecorder);
    for (const Language& language : kLanguages) {
        HWND menu = Show(WNDNO_SELECT, language);
        ASSERT_NE(nullptr, menu);
        wchar_t item[128] = {};
        ASSERT_GT(::GetMenuStringW(::GetSystemMenu(menu, FALSE), IDM_ABOUTBOX, item, 128, MF_BYCOMMAND), 0);
        EXPECT_STREQ(language.japanese ? L"バージョン情報 EcrTilldesk(&A)..." : L"Version Info EcrTilldesk(&A)...", item);
        EXPECT_FALSE(captions.InOtherLanguage(item, language.japanese)) << item;

        g_browserPrompt.Empty();
        ::SendMessageW(menu, WM_COMMAND, MAKEWPARAM(IDC_SEL_FOLDER, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(menu, IDC_SEL_FOLDER)));
        EXPECT_STREQ(language.japanese ? L"データフォルダを選択してください" : L"Select EcrData Folder", g_browserPrompt);
        EXPECT_FALSE(captions.InOtherLanguage(g_browserPrompt.GetString(), language.japanese));

        HWND logo = Show(WNDNO_LOGO, language);
        ASSERT_NE(nullptr, logo);
        g_browserPrompt.Empty();
        ::SendMessageW(logo, WM_COMMAND, MAKEWPARAM(IDC_LOGO_FOLDER_BUTTON, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(logo, IDC_LOGO_FOLDER_BUTTON)));
        EXPECT_STREQ(language.japanese ? L"BMPフォルダを選択してください" : L"Select Bitmap Folder", g_browserPrompt);
        EXPECT_FALSE(captions.InOtherLanguage(g_browserPrompt.GetString(), language.japanese));
    }
    AfxSetFolderBrowseHandler(saved);
}

// The checks themselves find what a person would see.
TEST_F(Pictures, ChecksFindClippedOverlappingAndOtherLanguageTexts)
{
    HWND window = ::CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, nullptr, nullptr,
                                    nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    auto add = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h) {
        HWND control = ::CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, window,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    };
    add(L"Button", L"A caption far too long for its button", BS_PUSHBUTTON, 11, 10, 10, 60, 24);
    add(L"Button", L"Fits", BS_PUSHBUTTON, 12, 10, 40, 80, 24);
    add(L"Static", L"Cancel", SS_LEFT, 13, 80, 40, 80, 20);    // over button 12, English
    add(L"Static", L"中止", SS_LEFT, 14, 200, 40, 80, 20);       // Japanese
    add(L"Button", L"", BS_GROUPBOX, 15, 0, 0, 300, 100);        // around others: no overlap

    std::vector<std::wstring> clipped = ClippedTexts(window);
    ASSERT_EQ(1u, clipped.size()) << JoinFindings(clipped);
    EXPECT_EQ(0u, clipped[0].find(L"11 ")) << clipped[0];
    std::vector<std::wstring> overlaps = OverlappingControls(window);
    ASSERT_EQ(1u, overlaps.size()) << JoinFindings(overlaps);
    EXPECT_NE(std::wstring::npos, overlaps[0].find(L"\"Fits\" overlaps 13")) << overlaps[0];
    std::vector<std::wstring> english = captions.OtherLanguageTexts(window, false, {11, 12});
    ASSERT_EQ(1u, english.size()) << JoinFindings(english);
    EXPECT_EQ(0u, english[0].find(L"14 ")) << english[0];
    std::vector<std::wstring> japanese = captions.OtherLanguageTexts(window, true, {11, 12});
    ASSERT_EQ(1u, japanese.size()) << JoinFindings(japanese);
    EXPECT_EQ(0u, japanese[0].find(L"13 ")) << japanese[0];
    ::DestroyWindow(window);

    // Messages and names: a Japanese question on an English screen, an
    // English message or group name on a Japanese one.
    EXPECT_TRUE(captions.InOtherLanguage(L"データが修正されています。\nチェックしてよろしいですか？", false));
    EXPECT_TRUE(captions.InOtherLanguage(L"The secret code is 1 to 4 digits 0-9", true));
    EXPECT_TRUE(captions.InOtherLanguage(L"DEPT", true));
    EXPECT_FALSE(captions.InOtherLanguage(L"PLU", true));  // the Japanese captions name it so too
    EXPECT_FALSE(captions.InOtherLanguage(L"暗証番号は 0～9 の数字 1～4 桁です", true));
}
