// The caption editor, run as a user runs it: by a right click with caption
// editing on, against a real caption manager and caption file.
#include <gtest/gtest.h>

#include <string>

#include "CCaptionEditer.h"
#include "CCaptionMgr.h"
#include "CCaptionValue.h"
#include "CEcrDialog.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FrameworkResources.h"
#include "GridStandIn.h"
#include "ModalScript.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "ScreenCheck.h"
#include "TempFolder.h"
#include "TestFiles.h"
#include "WindowPicture.h"
#include "resource.h"

namespace {

constexpr int kWndNo = 77;
const wchar_t kSep = CCaptionValue::Separator;

std::wstring Value(const wchar_t* text, const wchar_t* face = L" ", int height = 0, int tipOn = 0,
                   const wchar_t* tip = L" ")
{
    std::wstring v = std::to_wstring(height);
    for (int i = 0; i < 12; ++i)
        v += kSep, v += L"0";
    return v + kSep + face + kSep + text + kSep + std::to_wstring(tipOn) + kSep + tip;
}

const std::wstring kUntouchedLine = L"7=" + Value(L"Untouched", L" ", 0, 1, L"Its tip");

class CEditedDlg : public CEcrDialog
{
public:
    CEditedDlg() : CEcrDialog(IDD_BASE_TEST, kWndNo) {}
    CButton button;
    CEdit edit;
    int refreshes = 0;

    LRESULT RefreshCaptions(WPARAM wParam, LPARAM lParam) override
    {
        ++refreshes;
        return CEcrDialog::RefreshCaptions(wParam, lParam);
    }

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        CEcrDialog::DoDataExchange(dx);
        DDX_Control(dx, IDC_BASE_BUTTON, button);
        DDX_Control(dx, IDC_BASE_EDIT, edit);
    }
};

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

void Click(HWND dialog, int id)
{
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool IsReadOnly(HWND dialog, int id)
{
    return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & ES_READONLY) != 0;
}

std::wstring FaceOf(HFONT font)
{
    LOGFONTW lf = {};
    GetObjectW(font, sizeof lf, &lf);
    return lf.lfFaceName;
}

// The rightmost column where the control paints dark pixels: how far its
// text reaches. -1 when it paints none.
int InkRight(HWND control)
{
    RECT client;
    GetClientRect(control, &client);
    BITMAPINFOHEADER header = {sizeof header, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    if (!bitmap || !dc)
        return -1;
    HGDIOBJ old = SelectObject(dc, bitmap);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    int right = -1;
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    for (int y = 0; y < client.bottom; ++y)
        for (int x = right + 1; x < client.right; ++x) {
            DWORD pixel = pixels[y * client.right + x];
            if (GetRValue(pixel) < 96 && GetGValue(pixel) < 96 && GetBValue(pixel) < 96)
                right = x;
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return right;
}

struct CaptionEditor : ::testing::Test
{
    TempFolder dir;
    std::wstring file = dir / L"VORNK2DLL_ENG.CAP";
    CCaptionMgr mgr;
    CCaptionManagerBase* saved = nullptr;
    CEditedDlg dlg;

    void SetUp() override
    {
        RegisterGridStandIn();
        WriteBytes(file, Utf16(L"[77]\r\n0=" + Value(L"Test window") + L"\r\n5=" +
                               Value(L"Send", L"Tahoma", -20) + L"\r\n6=" + Value(L"Line one\\nLine two") +
                               L"\r\n" + kUntouchedLine + L"\r\n"));
        ASSERT_TRUE(mgr.SetCaptionFile(dir.Path().c_str(), L"VornK2Dll", L"ENG"));
        saved = *g_ppCaptionMgr;
        *g_ppCaptionMgr = &mgr;
        ASSERT_TRUE(dlg.Create(IDD_BASE_TEST));
        dlg.ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        dlg.DestroyWindow();
        *g_ppCaptionMgr = saved;
        g_pEcrSetting->CapEdit = 0;
        PumpPending();
    }
    std::wstring FileText()
    {
        FlushProfileCache(file);
        return FromUtf16(ReadBytes(file));
    }
};

} // namespace

TEST_F(CaptionEditor, RightClickEditsTheButtonCaptionAndTheFileKeepsTheRest)
{
    dlg.BindCaption(&dlg.button, 5);
    dlg.BindCaption(&dlg.edit, 7);  // read, never changed
    ASSERT_STREQ(L"Send", dlg.button.GetWindowText());
    HFONT captionFont = dlg.button.GetFontHandle();

    std::wstring shownWnd, shownNo, shownComment, shownText;
    WhenDialogShows(IDC_CAPEDIT_TEXT, [&](HWND editor) {
        shownWnd = ItemText(editor, IDC_CAPEDIT_WNDNO);
        shownNo = ItemText(editor, IDC_CAPEDIT_CAPNO);
        shownComment = ItemText(editor, IDC_CAPEDIT_WNDCOMMENT);
        shownText = ItemText(editor, IDC_CAPEDIT_TEXT);
        SetDlgItemTextW(editor, IDC_CAPEDIT_TEXT, L"Send now");
        Click(editor, IDC_CAPEDIT_UPDATE);
        Click(editor, IDOK);
    });
    g_pEcrSetting->CapEdit = 1;
    PostMessageW(dlg.button.m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    ASSERT_TRUE(PumpUntil([&] { return dlg.refreshes > 0; }));

    EXPECT_EQ(L"4d", shownWnd);
    EXPECT_EQ(L"5", shownNo);
    EXPECT_EQ(L"Test window", shownComment);
    EXPECT_EQ(L"Send", shownText);
    EXPECT_FALSE(dlg.CaptionEditing);
    EXPECT_EQ(1, dlg.refreshes);
    // The screen shows the new text, still in the caption's font.
    EXPECT_STREQ(L"Send now", dlg.button.GetWindowText());
    EXPECT_EQ(L"Tahoma", FaceOf(dlg.button.GetFontHandle()));
    EXPECT_NE(nullptr, captionFont);

    mgr.FlushCaptions();  // as at the program's end
    const std::wstring text = FileText();
    EXPECT_NE(std::wstring::npos, text.find(L"5=" + Value(L"Send now", L"Tahoma", -20)));
    EXPECT_NE(std::wstring::npos, text.find(kUntouchedLine + L"\r\n"));
}

TEST_F(CaptionEditor, TwoLineCaptionKeepsItsSecondLineAndStaysWithoutFont)
{
    std::wstring shown, preview;
    bool multiLinePreview = false;
    WhenDialogShows(IDC_CAPEDIT_TEXT, [&](HWND editor) {
        shown = ItemText(editor, IDC_CAPEDIT_TEXT);
        multiLinePreview = ItemText(editor, IDC_CAPEDIT_PREVIEW) == L"Line one\r\nLine two";
        SetDlgItemTextW(editor, IDC_CAPEDIT_TEXT, L"First\\nSecond");
        preview = ItemText(editor, IDC_CAPEDIT_PREVIEW);
        Click(editor, IDC_CAPEDIT_UPDATE);
        Click(editor, IDOK);
    });
    CCaptionEditer editor(kWndNo, 6, &dlg);
    EXPECT_EQ(IDOK, editor.DoModal());

    EXPECT_EQ(L"Line one\\nLine two", shown);
    EXPECT_TRUE(multiLinePreview);
    EXPECT_EQ(L"First\r\nSecond", preview);
    S_ECR_CAP* cap = mgr.GetCaption(kWndNo, 6);
    ASSERT_NE(nullptr, cap);
    EXPECT_STREQ(L"First\r\nSecond", cap->Text);
    EXPECT_EQ(nullptr, cap->Font.m_hObject);  // only the text was changed
    PumpPending();
    EXPECT_EQ(1, dlg.refreshes);
}

TEST_F(CaptionEditor, NewCaptionWithTooltipSwitchedOffAndEscapeAfterUpdate)
{
    bool ticked = false, readOnlyBefore = true, readOnlyAfter = false;
    std::wstring text, comment;
    WhenDialogShows(IDC_CAPEDIT_TEXT, [&](HWND editor) {
        ticked = IsDlgButtonChecked(editor, IDC_CAPEDIT_TIPON) == BST_CHECKED;
        readOnlyBefore = IsReadOnly(editor, IDC_CAPEDIT_TIPTEXT);
        text = ItemText(editor, IDC_CAPEDIT_TEXT);
        SetDlgItemTextW(editor, IDC_CAPEDIT_TEXT, L"New one");
        SetDlgItemTextW(editor, IDC_CAPEDIT_TIPTEXT, L"A tip\r\non two lines");
        CheckDlgButton(editor, IDC_CAPEDIT_TIPON, BST_UNCHECKED);
        Click(editor, IDC_CAPEDIT_TIPON);
        readOnlyAfter = IsReadOnly(editor, IDC_CAPEDIT_TIPTEXT);
        Click(editor, IDC_CAPEDIT_UPDATE);
        SendMessageW(editor, WM_COMMAND, IDCANCEL, 0);  // Esc
    });
    CCaptionEditer editor(kWndNo, 9, &dlg);
    EXPECT_EQ(IDCANCEL, editor.DoModal());

    EXPECT_TRUE(ticked);
    EXPECT_FALSE(readOnlyBefore);
    EXPECT_TRUE(readOnlyAfter);
    EXPECT_EQ(L"", text);
    S_ECR_CAP* cap = mgr.GetCaption(kWndNo, 9);
    ASSERT_NE(nullptr, cap);
    EXPECT_STREQ(L"New one", cap->Text);
    EXPECT_EQ(0, cap->TipOn);
    EXPECT_STREQ(L"A tip\r\non two lines", cap->TipText);
    EXPECT_EQ(nullptr, cap->Font.m_hObject);
    PumpPending();
    EXPECT_EQ(1, dlg.refreshes);  // the stored caption shows although Esc ended the editor
}

TEST_F(CaptionEditor, CloseWithoutUpdateChangesNothing)
{
    WhenDialogShows(IDC_CAPEDIT_TEXT, [&](HWND editor) {
        SetDlgItemTextW(editor, IDC_CAPEDIT_TEXT, L"Typed, never stored");
        Click(editor, IDOK);
    });
    CCaptionEditer editor(kWndNo, 5, &dlg);
    EXPECT_EQ(IDOK, editor.DoModal());
    PumpPending();
    EXPECT_EQ(0, dlg.refreshes);
    EXPECT_STREQ(L"Send", mgr.GetCaption(kWndNo, 5)->Text);
    mgr.FlushCaptions();
    EXPECT_EQ(std::wstring::npos, FileText().find(L"Typed"));
}

TEST_F(CaptionEditor, PreviewHidesTheMnemonicMarkAsTheButtonDoes)
{
    int marked = -1, plain = -1;
    WhenDialogShows(IDC_CAPEDIT_TEXT, [&](HWND editor) {
        HWND preview = GetDlgItem(editor, IDC_CAPEDIT_PREVIEW);
        SetDlgItemTextW(editor, IDC_CAPEDIT_TEXT, L"Send (&S)");
        marked = InkRight(preview);
        SetDlgItemTextW(editor, IDC_CAPEDIT_TEXT, L"Send (S)");
        plain = InkRight(preview);
        Click(editor, IDOK);
    });
    CCaptionEditer editor(kWndNo, 5, &dlg);  // in its 20-pixel font
    editor.DoModal();
    EXPECT_GT(plain, 20);
    EXPECT_NEAR(plain, marked, 1) << "the \"&\" is drawn";
}

TEST_F(CaptionEditor, ChosenFontIsStoredAndPreviewed)
{
    static LOGFONTW offered;
    AfxFontDialogHandler previous = AfxSetFontDialogHandler([](HWND, CHOOSEFONTW& cf) {
        offered = *cf.lpLogFont;
        cf.lpLogFont->lfHeight = -16;
        lstrcpyW(cf.lpLogFont->lfFaceName, L"Courier New");
        return true;
    });
    std::wstring previewFace;
    WhenDialogShows(IDC_CAPEDIT_TEXT, [&](HWND editor) {
        Click(editor, IDC_CAPEDIT_FONT);
        previewFace = FaceOf(reinterpret_cast<HFONT>(SendDlgItemMessageW(editor, IDC_CAPEDIT_PREVIEW, WM_GETFONT, 0, 0)));
        Click(editor, IDC_CAPEDIT_UPDATE);
        Click(editor, IDOK);
    });
    CCaptionEditer editor(kWndNo, 5, &dlg);
    editor.DoModal();
    AfxSetFontDialogHandler(previous);

    EXPECT_STREQ(L"Tahoma", offered.lfFaceName);  // the dialog opens on the caption's font
    EXPECT_EQ(L"Courier New", previewFace);
    LOGFONTW stored = {};
    ASSERT_EQ(static_cast<int>(sizeof stored), mgr.GetCaption(kWndNo, 5)->Font.GetLogFont(&stored));
    EXPECT_STREQ(L"Courier New", stored.lfFaceName);
    EXPECT_EQ(-16, stored.lfHeight);
}

TEST_F(CaptionEditor, ColumnCaptionsLiveUnderTheDataItemWindow)
{
    std::wstring shownWnd, comment;
    WhenDialogShows(IDC_CAPEDIT_TEXT, [&](HWND editor) {
        shownWnd = ItemText(editor, IDC_CAPEDIT_WNDNO);
        comment = ItemText(editor, IDC_CAPEDIT_WNDCOMMENT);
        SetDlgItemTextW(editor, IDC_CAPEDIT_TEXT, L"Unit price");
        Click(editor, IDC_CAPEDIT_UPDATE);
        Click(editor, IDOK);
    });
    CCaptionEditer editor(WNDNO_DATA_ITEMS, 1203, &dlg);
    editor.DoModal();
    EXPECT_EQ(L"10000000", shownWnd);
    EXPECT_EQ(L"Unknown Window", comment);
    S_ECR_CAP* cap = mgr.GetCaption(WNDNO_DATA_ITEMS, 1203);
    ASSERT_NE(nullptr, cap);
    EXPECT_STREQ(L"Unit price", cap->Text);
    mgr.FlushCaptions();
    const std::wstring text = FileText();
    const size_t section = text.find(L"[268435456]\r\n");
    ASSERT_NE(std::wstring::npos, section);
    EXPECT_NE(std::wstring::npos, text.find(kSep + std::wstring(L"Unit price") + kSep, section));
}

// Pictures of the editor on the shipped caption files, in both languages.
TEST(CaptionEditorPicture, EnglishAndJapanese)
{
    struct Language
    {
        const wchar_t* name;
        const wchar_t* comment;
        const wchar_t* update;
    };
    for (const Language& lang : {Language{L"ENG", L"Model selection", L"Update"},
                                 Language{L"JPN", L"\x6a5f\x7a2e\x9078\x629e", L"\x66f4\x65b0"}}) {
        const CaptionLanguages captions(ProgramFolder() + L"\\Cap");
        TempFolder dir;
        const std::wstring name = std::wstring(L"VORNK2DLL_") + lang.name + L".CAP";
        ASSERT_TRUE(CopyFileW((ProgramFolder() + L"\\Cap\\" + name).c_str(), (dir / name).c_str(), FALSE));
        CCaptionMgr mgr;
        ASSERT_TRUE(mgr.SetCaptionFile(dir.Path().c_str(), L"VornK2Dll", lang.name));
        CCaptionManagerBase* saved = *g_ppCaptionMgr;
        *g_ppCaptionMgr = &mgr;

        std::wstring comment, update, picture;
        std::vector<std::wstring> findings;
        WhenDialogShows(IDC_CAPEDIT_TEXT, [&](HWND editor) {
            comment = ItemText(editor, IDC_CAPEDIT_WNDCOMMENT);
            update = ItemText(editor, IDC_CAPEDIT_UPDATE);
            picture = SaveWindowPicture(editor, (std::wstring(L"captioneditor-") + lang.name).c_str());
            findings = ScreenFindings(editor, captions, std::wstring(lang.name) == L"JPN");
            Click(editor, IDOK);
        });
        CCaptionEditer editor(WNDNO_MAIN, 1, nullptr);  // "Select (&S)": the preview shows the mnemonic
        editor.DoModal();
        *g_ppCaptionMgr = saved;

        EXPECT_EQ(lang.comment, comment);
        EXPECT_EQ(lang.update, update);
        EXPECT_FALSE(picture.empty());
        EXPECT_TRUE(findings.empty()) << lang.name << ":\n" << JoinFindings(findings);
    }
}
