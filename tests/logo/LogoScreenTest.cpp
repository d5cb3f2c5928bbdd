#include <gtest/gtest.h>

#include "AtomicFile.h"
#include "CEcrTilldeskApp.h"
#include "CLogoDlg.h"
#include "CTillmarkCnvDlg.h"
#include "EcrGlobals.h"
#include "LogoFixture.h"
#include "LogoRenderer.h"
#include "LogoResources.h"
#include "MessageBoxRecorder.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "ScreenCheck.h"
#include "TestFiles.h"
#include "TillmarkCodes.h"
#include "WindowPicture.h"

namespace {

// A picture for LOGO1: a black square, a grey bar, the rest white.
COLORREF Picture(int x, int y)
{
    if (x >= 300 && x < 340 && y >= 40 && y < 80)
        return RGB(0, 0, 0);
    if (x >= 200 && x < 240 && y >= 10 && y < 30)
        return RGB(160, 160, 160);
    return RGB(255, 255, 255);
}

// The logo screen of a machine without the preferred face: the font
// families of this one less "MS UI Gothic" and its vertical form.
class NoPreferredFaceDlg : public CLogoDlg
{
protected:
    void EnumerateFaces(FONTENUMPROCW add, LPARAM param) override
    {
        Forward forward = {add, param};
        CLogoDlg::EnumerateFaces(&NoPreferredFaceDlg::Pass, reinterpret_cast<LPARAM>(&forward));
    }

private:
    struct Forward
    {
        FONTENUMPROCW add;
        LPARAM param;
    };
    static int CALLBACK Pass(const LOGFONTW* lf, const TEXTMETRICW* tm, DWORD type, LPARAM param)
    {
        const Forward* forward = reinterpret_cast<const Forward*>(param);
        return wcsstr(lf->lfFaceName, L"MS UI Gothic") ? 1 : forward->add(lf, tm, type, forward->param);
    }
};

// The longest unbroken runs of ink across (cx) and down (cy) in a text drawn
// in the font.
CSize LongestInkRuns(HFONT font, const wchar_t* text)
{
    const int side = 96;
    LogoRenderer canvas(side, side);
    canvas.DrawLabel(text, font, RGB(0, 0, 0), CRect(0, 0, side, side));
    auto ink = [&canvas](int x, int y) { return canvas.Pixel(x, y) != RGB(255, 255, 255); };
    CSize longest(0, 0);
    for (int a = 0; a < side; ++a) {
        int across = 0, down = 0;
        for (int b = 0; b < side; ++b) {
            across = ink(b, a) ? across + 1 : 0;
            down = ink(a, b) ? down + 1 : 0;
            longest.cx = std::max<LONG>(longest.cx, across);
            longest.cy = std::max<LONG>(longest.cy, down);
        }
    }
    return longest;
}

class LogoScreen : public LogoFixture
{
protected:
    void SetUp() override
    {
        LogoFixture::SetUp();
        tillmarkPath = CopyTillmark(tools);
        g_pEcrSetting->Tillmark = tillmarkPath.c_str();
        bmp.Write(L"Pic.bmp", MakeBmp(384, 96, Picture));
        bmp.Write(L"Other.BMP", MakeBmp(16, 16, [](int, int) { return RGB(0, 0, 0); }));
        data.Write(L"LOGO1.ECR", std::string(384 * 96 / 8, '\0'));
    }
    void TearDown() override
    {
        if (dlg) {
            dlg->DestroyWindow();
            dlg.reset();
        }
        LogoFixture::TearDown();
    }

    void Open(std::unique_ptr<CLogoDlg> screen = std::make_unique<CLogoDlg>())
    {
        dlg = std::move(screen);
        ASSERT_TRUE(dlg->Create(CLogoDlg::IDD, nullptr));
        dlg->ShowWindow(SW_SHOWNOACTIVATE);
        PumpPending();
    }
    CWnd* Item(int id) { return dlg->GetDlgItem(id); }
    CRect RectOf(int id)
    {
        CRect rect;
        Item(id)->GetWindowRect(&rect);
        dlg->ScreenToClient(&rect);
        return rect;
    }
    void Notify(int id, int code)
    {
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)->m_hWnd));
    }
    void Choose(int id, int index)
    {
        bool list = id == IDC_LOGO_BMP_LIST;
        Item(id)->SendMessage(list ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(index));
        Notify(id, list ? LBN_SELCHANGE : CBN_SELCHANGE);
    }
    void ChooseBitmap(const wchar_t* name)
    {
        int index = static_cast<int>(Item(IDC_LOGO_BMP_LIST)->SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                                          reinterpret_cast<LPARAM>(name)));
        ASSERT_GE(index, 0);
        Choose(IDC_LOGO_BMP_LIST, index);
    }
    void Type(int edit, const wchar_t* text) { Item(edit)->SetWindowText(text); }
    LOGFONTW LabelFont(int label)
    {
        LOGFONTW lf = {};
        GetObjectW(Item(label)->GetFontHandle(), sizeof lf, &lf);
        return lf;
    }
    void Convert() { Notify(IDC_LOGO_CONVERT, BN_CLICKED); }
    // Converts, closes the viewer that opens and returns its selected file.
    CString ConvertThroughViewer()
    {
        CString selection;
        ModalDriver viewer(IDC_VIEW_FILES, [&selection](HWND window) {
            CListBox* files = static_cast<CListBox*>(CWnd::FromHandle(GetDlgItem(window, IDC_VIEW_FILES)));
            if (files->GetCurSel() >= 0)
                files->GetText(files->GetCurSel(), selection);
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
            return true;
        });
        Convert();
        EXPECT_EQ(1, viewer.Handled());
        return selection;
    }
    // Black dots of the logo file in the rectangle.
    static int Dots(const std::string& logo, const CRect& rect)
    {
        int dots = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                dots += LogoDot(logo, 384, x, y);
        return dots;
    }
    std::vector<std::wstring> BitmapNames()
    {
        std::vector<std::wstring> names;
        auto* list = static_cast<CListBox*>(Item(IDC_LOGO_BMP_LIST));
        for (int i = 0; i < list->GetCount(); ++i) {
            CString text;
            list->GetText(i, text);
            names.emplace_back(text.GetString());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder tools;
    std::wstring tillmarkPath;
    std::unique_ptr<CLogoDlg> dlg;
    MessageBoxRecorder boxes;
};

} // namespace

TEST_F(LogoScreen, LogoTargetsSizeThePreviewAndItsFrame)
{
    Open();
    auto* combo = static_cast<CComboBox*>(Item(IDC_LOGO_TARGET));
    ASSERT_EQ(2, combo->GetCount());
    CString first, second;
    combo->GetLBText(0, first);
    combo->GetLBText(1, second);
    EXPECT_STREQ(L"Receipt top logo", first);
    EXPECT_STREQ(L"Receipt bottom logo", second);

    CRect group = RectOf(IDC_LOGO_EDIT_GROUP);
    CRect preview = RectOf(IDC_LOGO_PREVIEW);
    EXPECT_EQ(group.TopLeft() + CSize(10, 20), preview.TopLeft());
    EXPECT_EQ(CSize(384, 96), preview.Size());
    Choose(IDC_LOGO_TARGET, 1);
    preview = RectOf(IDC_LOGO_PREVIEW);
    EXPECT_EQ(CSize(384, 48), preview.Size());
    EXPECT_EQ(CRect(preview.left - 5, preview.top - 10, preview.right + 5, preview.bottom + 5), RectOf(IDC_LOGO_FRAME));

    EXPECT_STREQ(L"02 VORN-K2 - " + CString(data.Path().c_str()), dlg->GetWindowText());
    CString size;
    static_cast<CComboBox*>(Item(IDC_LOGO_SIZE))->GetLBText(2, size);
    EXPECT_STREQ(L"10", size);
    EXPECT_EQ(2, static_cast<CComboBox*>(Item(IDC_LOGO_SIZE))->GetCurSel());
    EXPECT_EQ(16, static_cast<CComboBox*>(Item(IDC_LOGO_SIZE))->GetCount());
    EXPECT_GT(static_cast<CComboBox*>(Item(IDC_LOGO_FACE))->GetCount(), 0);
}

TEST_F(LogoScreen, WithoutLogoTargetsOnlyBackIsLeft)
{
    theApp.EcrDll.UnloadModelDll();  // no library, no logo groups
    Open();
    for (int id : {IDC_LOGO_TARGET, IDC_LOGO_CONVERT, IDC_LOGO_PREVIEW_BUTTON, IDC_LOGO_FACE, IDC_LOGO_TEXT1,
                   IDC_LOGO_TEXT2, IDC_LOGO_TEXT3, IDC_LOGO_FOLDER_BUTTON})
        EXPECT_FALSE(Item(id)->IsWindowEnabled()) << id;
    EXPECT_TRUE(Item(IDC_LOGO_BACK)->IsWindowEnabled());
    EXPECT_EQ(0, static_cast<CListBox*>(Item(IDC_LOGO_BMP_LIST))->GetCount());
}

TEST_F(LogoScreen, PicturesOfTheBmpFolderButNotTempBmp)
{
    bmp.Write(L"temp.bmp", MakeBmp(8, 8, [](int, int) { return RGB(0, 0, 0); }));
    Open();
    EXPECT_EQ((std::vector<std::wstring>{L"Other.BMP", L"Pic.bmp"}), BitmapNames());
    EXPECT_STREQ(bmp.Path().c_str(), Item(IDC_LOGO_FOLDER_PATH)->GetWindowText());

    ChooseBitmap(L"Pic.bmp");
    EXPECT_EQ(CRect(0, 0, 384, 96), dlg->PicturePlacement());
}

namespace {
CString g_folderAnswer;
bool AnswerFolder(HWND, LPCWSTR, LPCWSTR, CString& chosen)
{
    chosen = g_folderAnswer;
    return !chosen.IsEmpty();
}
} // namespace

TEST_F(LogoScreen, TheFolderBrowserChangesTheBmpFolder)
{
    Open();
    AfxFolderBrowseHandler saved = AfxSetFolderBrowseHandler(AnswerFolder);
    g_folderAnswer.Empty();  // cancelled: nothing changes
    Notify(IDC_LOGO_FOLDER_BUTTON, BN_CLICKED);
    EXPECT_EQ(2u, BitmapNames().size());

    TempFolder other;
    other.Write(L"Third.bmp", MakeBmp(8, 8, [](int, int) { return RGB(0, 0, 0); }));
    g_folderAnswer = other.Path().c_str();
    Notify(IDC_LOGO_FOLDER_BUTTON, BN_CLICKED);
    AfxSetFolderBrowseHandler(saved);
    EXPECT_EQ(std::vector<std::wstring>{L"Third.bmp"}, BitmapNames());
    EXPECT_STREQ(other.Path().c_str(), g_pEcrSetting->BmpPath);
    EXPECT_STREQ(other.Path().c_str(), Item(IDC_LOGO_FOLDER_PATH)->GetWindowText());
    EXPECT_TRUE(Item(IDC_LOGO_FOLDER_BUTTON)->IsWindowEnabled());
}

TEST_F(LogoScreen, ATextLineTakesTheFontChosenWhenItChanges)
{
    Open();
    static_cast<CComboBox*>(Item(IDC_LOGO_SIZE))->SetCurSel(9);  // "20"
    static_cast<CButton*>(Item(IDC_LOGO_BOLD))->SetCheck(BST_CHECKED);
    Type(IDC_LOGO_TEXT1, L"Fish & Chips");
    static_cast<CButton*>(Item(IDC_LOGO_BOLD))->SetCheck(BST_UNCHECKED);
    static_cast<CButton*>(Item(IDC_LOGO_ITALIC))->SetCheck(BST_CHECKED);
    Type(IDC_LOGO_TEXT2, L"Open daily");

    EXPECT_STREQ(L"Fish & Chips", Item(IDC_LOGO_LABEL1)->GetWindowText());
    EXPECT_TRUE(Item(IDC_LOGO_LABEL1)->GetStyle() & SS_NOPREFIX);  // "&" shows as typed
    LOGFONTW one = LabelFont(IDC_LOGO_LABEL1);
    LOGFONTW two = LabelFont(IDC_LOGO_LABEL2);
    EXPECT_EQ(20, one.lfHeight);
    EXPECT_EQ(FW_BOLD, one.lfWeight);
    EXPECT_EQ(0, one.lfItalic);
    EXPECT_EQ(SHIFTJIS_CHARSET, one.lfCharSet);
    EXPECT_EQ(NONANTIALIASED_QUALITY, one.lfQuality);
    EXPECT_EQ(FW_NORMAL, two.lfWeight);
    EXPECT_EQ(1, two.lfItalic);
    // The labels start at their places over the preview.
    CRect preview = RectOf(IDC_LOGO_PREVIEW);
    EXPECT_EQ(preview.TopLeft() + CSize(5, 5), RectOf(IDC_LOGO_LABEL1).TopLeft());
    EXPECT_EQ(preview.TopLeft() + CSize(5, 25), RectOf(IDC_LOGO_LABEL2).TopLeft());
    EXPECT_EQ(preview.TopLeft() + CSize(5, 45), RectOf(IDC_LOGO_LABEL3).TopLeft());
    // Getting the focus renders line 3 too, in the font chosen now.
    Item(IDC_LOGO_TEXT3)->SetFocus();
    Notify(IDC_LOGO_TEXT3, EN_SETFOCUS);
    EXPECT_EQ(1, LabelFont(IDC_LOGO_LABEL3).lfItalic);
}

// Each face with CJK glyphs comes with an "@" face that lays them on their
// side for text written top to bottom, and "@" sorts first. テ is two bars
// across with a stroke down from the lower one: on its side, the bars run down.
TEST_F(LogoScreen, TheFaceListHoldsNoVerticalFaceAndJapaneseStandsUpright)
{
    for (bool preferredMissing : {false, true}) {
        if (preferredMissing)
            Open(std::make_unique<NoPreferredFaceDlg>());
        else
            Open();
        auto* faces = static_cast<CComboBox*>(Item(IDC_LOGO_FACE));
        for (int i = 0; i < faces->GetCount(); ++i) {
            CString face;
            faces->GetLBText(i, face);
            EXPECT_NE(L'@', face[0]) << CStringA(face).GetString();
        }
        // Without the preferred face the first face of the list stands in.
        if (preferredMissing)
            EXPECT_EQ(0, faces->GetCurSel());

        const CString face = faces->GetWindowText();
        static_cast<CComboBox*>(Item(IDC_LOGO_SIZE))->SetCurSel(15);  // "48"
        Type(IDC_LOGO_TEXT1, L"テ");
        const CSize upright = LongestInkRuns(Item(IDC_LOGO_LABEL1)->GetFontHandle(), L"テ");
        EXPECT_GT(upright.cx, upright.cy) << CStringA(face).GetString();
        // The same measure tells the face's vertical form.
        LOGFONTW lf = LabelFont(IDC_LOGO_LABEL1);
        lstrcpynW(lf.lfFaceName, L"@" + face, LF_FACESIZE);
        CFont turned;
        ASSERT_TRUE(turned.CreateFontIndirect(&lf));
        const CSize side = LongestInkRuns(turned, L"テ");
        EXPECT_LT(side.cx, side.cy) << CStringA(face).GetString();
        dlg->DestroyWindow();
        dlg.reset();
    }
}

TEST_F(LogoScreen, EnlargingMovesTheTextControlsAndKeepsThePreview)
{
    Open();
    CRect edit = RectOf(IDC_LOGO_TEXT1), face = RectOf(IDC_LOGO_FACE), convert = RectOf(IDC_LOGO_CONVERT);
    CRect list = RectOf(IDC_LOGO_BMP_LIST), preview = RectOf(IDC_LOGO_PREVIEW), frame = RectOf(IDC_LOGO_FRAME);
    CRect group = RectOf(IDC_LOGO_EDIT_GROUP), label = RectOf(IDC_LOGO_LABEL1);
    CRect window;
    dlg->GetWindowRect(&window);
    dlg->SetWindowPos(nullptr, 0, 0, window.Width() + 100, window.Height() + 50, SWP_NOMOVE | SWP_NOZORDER);
    PumpPending();

    CRect moved = edit;
    moved.OffsetRect(0, 50);
    moved.right += 100;
    EXPECT_EQ(moved, RectOf(IDC_LOGO_TEXT1));
    face.OffsetRect(0, 50);
    EXPECT_EQ(face, RectOf(IDC_LOGO_FACE));
    convert.OffsetRect(100, 50);
    EXPECT_EQ(convert, RectOf(IDC_LOGO_CONVERT));
    list.bottom += 50;
    EXPECT_EQ(list, RectOf(IDC_LOGO_BMP_LIST));
    group.right += 100;
    group.bottom += 50;
    EXPECT_EQ(group, RectOf(IDC_LOGO_EDIT_GROUP));
    EXPECT_EQ(preview, RectOf(IDC_LOGO_PREVIEW));
    EXPECT_EQ(frame, RectOf(IDC_LOGO_FRAME));
    EXPECT_EQ(label, RectOf(IDC_LOGO_LABEL1));
}

TEST_F(LogoScreen, PicturesInBothLanguages)
{
    const CaptionLanguages captions(ProgramFolder() + L"\\Cap");
    for (const wchar_t* language : {L"ENG", L"JPN"}) {
        UseLanguage(language);
        Open();
        ChooseBitmap(L"Pic.bmp");
        Type(IDC_LOGO_TEXT1, L"Fish & Chips");
        Type(IDC_LOGO_TEXT2, L"魚と芋");
        PumpPending();
        bool english = std::wstring(language) == L"ENG";
        EXPECT_STREQ(english ? L"Convert" : L"変換", Item(IDC_LOGO_CONVERT)->GetWindowText());
        EXPECT_STREQ(english ? L"BMP Folder:" : L"BMPフォルダ：", Item(IDC_LOGO_FOLDER_LABEL)->GetWindowText());
        std::wstring name = std::wstring(L"logo-screen-") + language;
        EXPECT_FALSE(SaveWindowPicture(dlg->m_hWnd, name.c_str()).empty());
        // The title names the model and its data folder; the text lines on
        // the preview are the user's.
        std::vector<std::wstring> findings = ScreenFindings(
            dlg->m_hWnd, captions, !english,
            {0, IDC_LOGO_FOLDER_PATH, IDC_LOGO_LABEL1, IDC_LOGO_LABEL2, IDC_LOGO_LABEL3});
        EXPECT_TRUE(findings.empty()) << name << ":\n" << JoinFindings(findings);
        dlg->DestroyWindow();
        dlg.reset();
    }
}

// ---- conversion ---------------------------------------------------------------------

TEST_F(LogoScreen, ConvertRendersRunsTillmarkAndOpensTheViewerOnTheNewFile)
{
    Open();
    ChooseBitmap(L"Pic.bmp");
    static_cast<CComboBox*>(Item(IDC_LOGO_SIZE))->SetCurSel(9);  // "20"
    static_cast<CButton*>(Item(IDC_LOGO_BOLD))->SetCheck(BST_CHECKED);
    Type(IDC_LOGO_TEXT1, L"WWWW");
    // A window lying over the preview must not get into the logo.
    CRect covered(100, 40, 200, 96);
    Item(IDC_LOGO_PREVIEW)->ClientToScreen(&covered);
    HWND cover = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", nullptr, WS_POPUP | WS_VISIBLE | SS_BLACKRECT,
                                 covered.left, covered.top, covered.Width(), covered.Height(), nullptr, nullptr,
                                 nullptr, nullptr);
    PumpPending();
    CString viewerSelection = ConvertThroughViewer();
    DestroyWindow(cover);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_STREQ(L"PIC_LOGO1.ECR", viewerSelection);
    EXPECT_FALSE(FileExists(bmp.File(L"temp.bmp")));

    std::string logo = bmp.Read(L"PIC_LOGO1.ECR");
    ASSERT_EQ(384u * 96 / 8, logo.size());
    EXPECT_TRUE(LogoDot(logo, 384, 320, 60));   // the black square
    EXPECT_TRUE(LogoDot(logo, 384, 220, 20));   // grey turns black
    EXPECT_FALSE(LogoDot(logo, 384, 150, 80));  // white stays white
    EXPECT_GT(Dots(logo, CRect(5, 5, 100, 30)), 50);  // the label's text
    EXPECT_EQ(0, Dots(logo, CRect(5, 40, 100, 96)));

    // The command line as the program saw it.
    std::string log = tools.Read(L"Tillmark.log");
    EXPECT_NE(std::string::npos, log.find("\" temp.bmp PIC_LOGO1.ECR 384 96 1 8 0\t01000000")) << log;
}

TEST_F(LogoScreen, ADraggedLabelIsRenderedWhereItWasDropped)
{
    Open();
    static_cast<CComboBox*>(Item(IDC_LOGO_SIZE))->SetCurSel(9);  // "20"
    Type(IDC_LOGO_TEXT1, L"WWWW");
    CWnd* label = Item(IDC_LOGO_LABEL1);
    label->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    label->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(202, 52));
    label->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(202, 52));
    CRect preview = RectOf(IDC_LOGO_PREVIEW);
    ASSERT_EQ(preview.TopLeft() + CSize(205, 55), RectOf(IDC_LOGO_LABEL1).TopLeft());

    EXPECT_STREQ(L"BLUNK_LOGO1.ECR", ConvertThroughViewer());
    std::string logo = bmp.Read(L"BLUNK_LOGO1.ECR");
    ASSERT_EQ(384u * 96 / 8, logo.size());
    EXPECT_GT(Dots(logo, CRect(205, 55, 300, 80)), 50);
    EXPECT_EQ(0, Dots(logo, CRect(0, 0, 200, 50)));
}

TEST_F(LogoScreen, NoPictureGivesTheDefaultNameAndAForcedFailureItsCode)
{
    tools.Write(L"Tillmark.ini", "[Settings]\r\nExitCode=0x01006465\r\n");
    Open();
    // A path relative to the working folder is started by its full path.
    CurrentDirectoryScope here(tools.Path());
    g_pEcrSetting->Tillmark = L".\\Tillmark.exe";
    Convert();
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"Convert Fail\n CODE:01006465 H\nThe logo conversion program reported a failure.", boxes.Boxes()[0].text);
    std::string log = tools.Read(L"Tillmark.log");
    const std::string program(tillmarkPath.begin(), tillmarkPath.end());  // a temporary folder's ASCII path
    EXPECT_NE(std::string::npos, log.find("\"" + program + "\" ")) << log;
    EXPECT_NE(std::string::npos, log.find(" temp.bmp BLUNK_LOGO1.ECR 384 96 1 8 0\t")) << log;
    EXPECT_FALSE(FileExists(bmp.File(L"temp.bmp")));
}

TEST_F(LogoScreen, EscapeCancelsAndTheNextConversionStillRuns)
{
    tools.Write(L"Tillmark.ini", "[Settings]\r\nDelay=20000\r\n");
    Open();
    ModalDriver escape(IDC_MARK_CANCEL, [](HWND window) {
        PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    Convert();
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"The conversion was cancelled", boxes.Boxes()[0].text);

    tools.Write(L"Tillmark.ini", "[Settings]\r\nExitCode=0x02010000\r\n");
    boxes.Clear();
    Convert();
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"The conversion was cancelled", boxes.Boxes()[0].text);
    std::string log = tools.Read(L"Tillmark.log");
    EXPECT_EQ(2, std::count(log.begin(), log.end(), '\n'));
}

// Enter does not end the dialog under the running program, and a program
// that takes its time after Cancel is waited for: it reports the cancel.
TEST_F(LogoScreen, EnterIsIgnoredAndACancelledConverterEndsInItsOwnTime)
{
    tools.Write(L"Tillmark.ini", "[Settings]\r\nDelay=20000\r\nCloseDelay=5500\r\n");
    Open();
    int step = 0;
    bool openAfterEnter = false;
    CString status;
    ModalDriver press(IDC_MARK_CANCEL, [&](HWND window) {
        if (step++ == 0) {
            PostMessageW(window, WM_COMMAND, IDOK, 0);
            return false;
        }
        openAfterEnter = IsWindowVisible(window) != FALSE;
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_MARK_CANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_MARK_CANCEL)));
        status = CWnd::FromHandle(GetDlgItem(window, IDC_MARK_STATUS))->GetWindowText();
        return true;
    });
    Convert();
    EXPECT_TRUE(openAfterEnter);
    EXPECT_STREQ(L"Waiting for the converter to end", status);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"The conversion was cancelled", boxes.Boxes()[0].text);
    std::string log = tools.Read(L"Tillmark.log");
    EXPECT_NE(std::string::npos, log.find("\t02010000")) << log;
}

namespace {

DWORD WINAPI ResumeFails(HANDLE)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return static_cast<DWORD>(-1);
}

} // namespace

TEST_F(LogoScreen, AWorkerThatDoesNotStartEndsTheConversionWithAMessage)
{
    Open();
    ThreadResumeHandler previous = SetThreadResumeHandler(ResumeFails);
    Convert();
    SetThreadResumeHandler(previous);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"Convert Fail\n CODE:f0020000 H\nThe conversion could not be started.", boxes.Boxes()[0].text);
    EXPECT_FALSE(FileExists(tools.File(L"Tillmark.log")));
}

TEST_F(LogoScreen, AMissingConverterOrARunningConversionFails)
{
    const std::wstring missing = tools.File(L"Missing.exe");
    Open();
    // A program named relative to the working folder is named by its full
    // path, with the system's reason.
    {
        CurrentDirectoryScope here(tools.Path());
        g_pEcrSetting->Tillmark = L".\\Missing.exe";
        Convert();
    }
    // A line longer than the system takes is never cut: the program does not start.
    const std::wstring tooLong = tools.File(std::wstring(40000, L'x').c_str());
    g_pEcrSetting->Tillmark = tooLong.c_str();
    Convert();
    // A conversion that runs already (here or in another instance) is refused.
    HANDLE running = CreateEventW(nullptr, FALSE, FALSE, L"EV_TILLMARK_CANCEL");
    g_pEcrSetting->Tillmark = tillmarkPath.c_str();
    Convert();
    CloseHandle(running);
    UseLanguage(L"JPN");
    g_pEcrSetting->Tillmark = missing.c_str();
    Convert();
    ASSERT_EQ(4u, boxes.Boxes().size());
    const std::wstring notFound = AtomicFile::SystemReason(ERROR_FILE_NOT_FOUND).GetString();
    const std::wstring notStarted = L"Convert Fail\n CODE:f0030000 H\nThe logo conversion program ";
    EXPECT_EQ(notStarted + missing + L" could not be started (" + notFound + L").", boxes.Boxes()[0].text);
    EXPECT_EQ(notStarted + tooLong + L" could not be started (" +
                  AtomicFile::SystemReason(ERROR_FILENAME_EXCED_RANGE).GetString() + L").",
              boxes.Boxes()[1].text);
    EXPECT_EQ(L"Convert Fail\n CODE:f0010000 H\nA logo conversion is running already.", boxes.Boxes()[2].text);
    EXPECT_EQ(L"変換に失敗しました\n CODE:f0030000 H\nロゴ変換プログラム " + missing + L" を起動できませんでした（" +
                  notFound + L"）。",
              boxes.Boxes()[3].text);
    // The system's reason keeps no full stop of its own before the bracket.
    for (const auto& box : boxes.Boxes())
        for (const wchar_t* doubled : {L".)", L"。)", L".）", L"。）"})
            EXPECT_EQ(std::wstring::npos, box.text.find(doubled)) << box.text;
    EXPECT_FALSE(FileExists(tools.File(L"Tillmark.log")));
}

TEST_F(LogoScreen, ATempBmpThatCannotBeWrittenStartsNothing)
{
    Open();
    g_pEcrSetting->BmpPath = bmp.File(L"gone").c_str();
    Convert();
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"Convert Fail\n CODE:f0040000 H\nThe picture could not be prepared for the conversion; no conversion ran.",
              boxes.Boxes()[0].text);
    EXPECT_FALSE(FileExists(tools.File(L"Tillmark.log")));
}

TEST_F(LogoScreen, AUsersOwnTempBmpIsReplacedOnlyWhenAllowed)
{
    const std::string own = MakeBmp(8, 8, [](int, int) { return RGB(1, 2, 3); });
    bmp.Write(L"temp.bmp", own);
    Open();
    boxes.Answer(IDNO);
    Convert();
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"The BMP folder already holds a temp.bmp.\r\nReplace it?", boxes.Boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes.Boxes()[0].type & MB_TYPEMASK);
    EXPECT_TRUE(own == bmp.Read(L"temp.bmp"));
    EXPECT_FALSE(FileExists(tools.File(L"Tillmark.log")));
}

TEST_F(LogoScreen, PictureOfTheConversionDialog)
{
    tools.Write(L"Tillmark.ini", "[Settings]\r\nDelay=20000\r\n");
    CEcrGraphic* logo = Logo(L"LOGO1");
    const CaptionLanguages captions(ProgramFolder() + L"\\Cap");
    for (const wchar_t* language : {L"ENG", L"JPN"}) {
        UseLanguage(language);
        bool english = std::wstring(language) == L"ENG";
        std::wstring name = std::wstring(L"logo-conversion-") + language;
        CString status;
        std::vector<std::wstring> findings;
        ModalDriver shoot(IDC_MARK_CANCEL, [&](HWND window) {
            status = CWnd::FromHandle(GetDlgItem(window, IDC_MARK_STATUS))->GetWindowText();
            EXPECT_FALSE(SaveWindowPicture(window, name.c_str()).empty());
            findings = ScreenFindings(window, captions, !english);
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_MARK_CANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_MARK_CANCEL)));
            return true;
        });
        CTillmarkCnvDlg conversion(logo, L"Pic.bmp", L"temp.bmp");
        conversion.DoModal();
        EXPECT_EQ(TILLMARK_CANCELLED, conversion.ResultCode());
        EXPECT_STREQ(L"PIC_LOGO1.ECR", conversion.OutputName());
        EXPECT_STREQ(english ? L"Converting" : L"変換中", status);
        EXPECT_TRUE(findings.empty()) << name << ":\n" << JoinFindings(findings);
    }
}

TEST_F(LogoScreen, TheFunctionMenuOpensItAndBackReturns)
{
    theApp.ShowWindowByNumber(WNDNO_LOGO, 0);
    auto* screen = dynamic_cast<CLogoDlg*>(theApp.CurrentWnd);
    ASSERT_NE(nullptr, screen);
    EXPECT_EQ(WNDNO_LOGO, screen->WndNo);
    EXPECT_EQ(2, static_cast<int>(screen->SendDlgItemMessage(IDC_LOGO_TARGET, CB_GETCOUNT)));
    screen->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LOGO_BACK, BN_CLICKED),
                        reinterpret_cast<LPARAM>(screen->GetDlgItem(IDC_LOGO_BACK)->m_hWnd));
    PumpUntil([] { return dynamic_cast<CLogoDlg*>(theApp.CurrentWnd) == nullptr; });
    auto* menu = dynamic_cast<CEcrDialog*>(theApp.CurrentWnd);
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(WNDNO_SELECT, menu->WndNo);
    theApp.FreeCurrentWindow();
    theApp.m_pMainWnd = nullptr;
}
