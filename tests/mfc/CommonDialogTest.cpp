#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "ModalScript.h"
#include "TempFolder.h"
#include "afx.h"

namespace {

struct FileRequest
{
    BOOL open = FALSE;
    std::wstring filter;  // terminators shown as '|'
    std::wstring defExt;
    std::wstring start;
    DWORD flags = 0;
    int modalDepth = 0;
};

FileRequest g_fileRequest;
const wchar_t* g_fileAnswer = nullptr;

bool AnswerFile(BOOL open, OPENFILENAMEW& ofn, CString& chosen)
{
    g_fileRequest.open = open;
    g_fileRequest.filter.clear();
    for (const wchar_t* p = ofn.lpstrFilter; p && *p; p += wcslen(p) + 1)
        g_fileRequest.filter += std::wstring(p) + L"|";
    g_fileRequest.defExt = ofn.lpstrDefExt ? ofn.lpstrDefExt : L"";
    g_fileRequest.start = ofn.lpstrFile ? ofn.lpstrFile : L"";
    g_fileRequest.flags = ofn.Flags;
    g_fileRequest.modalDepth = AfxGetModalDepth();
    if (!g_fileAnswer)
        return false;
    chosen = g_fileAnswer;
    return true;
}

class CommonDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { AfxSetFileDialogHandler(AnswerFile); }
    void TearDown() override
    {
        AfxSetFileDialogHandler(nullptr);
        AfxSetFontDialogHandler(nullptr);
        AfxSetColorDialogHandler(nullptr);
    }
};

TEST_F(CommonDialogTest, FileDialogPassesFilterAndReturnsThePath)
{
    g_fileAnswer = L"C:\\Data\\plu export.csv";
    CFileDialog dialog(FALSE, L"csv", L"PLU.csv", OFN_OVERWRITEPROMPT, L"CSV files (*.csv)|*.csv|All files|*.*||");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(g_fileRequest.open);
    EXPECT_EQ(g_fileRequest.filter, L"CSV files (*.csv)|*.csv|All files|*.*|");
    EXPECT_EQ(g_fileRequest.defExt, L"csv");
    EXPECT_EQ(g_fileRequest.start, L"PLU.csv");
    EXPECT_TRUE(g_fileRequest.flags & OFN_NOCHANGEDIR);
    EXPECT_EQ(g_fileRequest.modalDepth, 1);
    EXPECT_EQ(std::wstring(dialog.GetPathName()), L"C:\\Data\\plu export.csv");
    EXPECT_EQ(std::wstring(dialog.GetFileName()), L"plu export.csv");
    EXPECT_EQ(std::wstring(dialog.GetFileExt()), L"csv");
}

TEST_F(CommonDialogTest, CancelledFileDialogKeepsTheStartName)
{
    g_fileAnswer = nullptr;
    CFileDialog dialog(TRUE, nullptr, L"DEPT.csv");
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(g_fileRequest.open);
    EXPECT_EQ(std::wstring(dialog.GetPathName()), L"DEPT.csv");
    EXPECT_EQ(AfxGetModalDepth(), 0);
}

TEST_F(CommonDialogTest, FontDialogStartsFromTheGivenFontAndReturnsTheChoice)
{
    AfxSetFontDialogHandler([](HWND, CHOOSEFONTW& cf) {
        EXPECT_TRUE(cf.Flags & CF_INITTOLOGFONTSTRUCT);
        EXPECT_STREQ(cf.lpLogFont->lfFaceName, L"Arial");
        wcscpy(cf.lpLogFont->lfFaceName, L"Tahoma");
        cf.lpLogFont->lfHeight = -20;
        cf.rgbColors = RGB(255, 0, 0);
        return true;
    });
    LOGFONTW start = {};
    wcscpy(start.lfFaceName, L"Arial");
    CFontDialog dialog(&start);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    LOGFONTW chosen = {};
    dialog.GetCurrentFont(&chosen);
    EXPECT_STREQ(chosen.lfFaceName, L"Tahoma");
    EXPECT_EQ(chosen.lfHeight, -20);
    EXPECT_EQ(dialog.GetColor(), RGB(255, 0, 0));
}

TEST_F(CommonDialogTest, ColorDialogReturnsTheChoiceOrCancel)
{
    AfxSetColorDialogHandler([](HWND, CHOOSECOLORW& cc) {
        EXPECT_EQ(cc.rgbResult, RGB(1, 2, 3));
        cc.rgbResult = RGB(9, 8, 7);
        return true;
    });
    CColorDialog chosen(RGB(1, 2, 3));
    ASSERT_EQ(chosen.DoModal(), IDOK);
    EXPECT_EQ(chosen.GetColor(), RGB(9, 8, 7));

    AfxSetColorDialogHandler([](HWND, CHOOSECOLORW&) { return false; });
    CColorDialog cancelled(RGB(1, 2, 3));
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetColor(), RGB(1, 2, 3));
}

// Gives a folder old times, as on a folder changed and not listed since: the
// next listing of it moves its access time.
void AgeFolder(const std::wstring& folder)
{
    HANDLE handle = ::CreateFileW(folder.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    const SYSTEMTIME day = {2001, 1, 1, 1, 0, 0, 0, 0};
    FILETIME old = {};
    ::SystemTimeToFileTime(&day, &old);
    EXPECT_TRUE(::SetFileTime(handle, nullptr, &old, &old));
    ::CloseHandle(handle);
}

BOOL CALLBACK FindTree(HWND child, LPARAM found)
{
    wchar_t name[32] = {};
    ::GetClassNameW(child, name, 32);
    if (wcscmp(name, WC_TREEVIEWW) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// The texts of the browser tree's selected item and of the items above it, nearest first.
std::vector<std::wstring> SelectedTreePath(HWND browser)
{
    HWND tree = nullptr;
    ::EnumChildWindows(browser, FindTree, reinterpret_cast<LPARAM>(&tree));
    std::vector<std::wstring> texts;
    for (HTREEITEM item = TreeView_GetSelection(tree); item; item = TreeView_GetParent(tree, item)) {
        wchar_t text[MAX_PATH] = {};
        TVITEMW info = {};
        info.mask = TVIF_TEXT;
        info.hItem = item;
        info.pszText = text;
        info.cchTextMax = MAX_PATH;
        TreeView_GetItem(tree, &info);
        texts.push_back(text);
    }
    return texts;
}

TEST(FolderBrowser, OpensOnTheGivenFolderWhenAFolderAboveItChangedUnseen)
{
    TempFolder temp;
    const std::wstring outer = temp / L"Outer";
    const std::wstring inner = outer + L"\\Inner";
    ASSERT_TRUE(::CreateDirectoryW(outer.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW(inner.c_str(), nullptr));
    AgeFolder(outer);

    std::vector<std::wstring> selected;
    WhenDialogShows(IDCANCEL, [&](HWND browser) {
        selected = SelectedTreePath(browser);
        ::PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
    });
    CString chosen;
    EXPECT_FALSE(AfxBrowseForFolder(nullptr, L"Folder", inner.c_str(), chosen));
    EXPECT_FALSE(DialogScriptPending());
    const std::wstring tempName = temp.Path().substr(temp.Path().rfind(L'\\') + 1);
    ASSERT_GE(selected.size(), 3u);
    EXPECT_EQ(selected[0], L"Inner");
    EXPECT_EQ(selected[1], L"Outer");
    EXPECT_EQ(selected[2], tempName);
}

} // namespace
