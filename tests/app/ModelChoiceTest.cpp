#include <gtest/gtest.h>

#include <vector>

#include "CEcrData.h"
#include "CEcrTilldeskApp.h"
#include "CEcrTilldeskDlg.h"
#include "EcrGlobals.h"
#include "FolderLock.h"
#include "MessageBoxRecorder.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "TempFolder.h"
#include "TestFiles.h"
#include "WindowPicture.h"
#include "resource.h"

namespace {

struct ModelChoice : ::testing::Test
{
    TempFolder captions;
    CString savedName, savedLanguage, savedCapPath, savedDataPath;
    int savedIp = 0;

    void SetUp() override
    {
        S_ECR_SETTING& s = *g_pEcrSetting;
        savedName = s.EcrName;
        savedLanguage = s.Language;
        savedCapPath = s.CapPath;
        savedDataPath = s.DataPath;
        savedIp = s.IpREG;
        s.CapPath = captions.Path().c_str();
        s.DataPath = L".\\Data";
        s.Language = L"ENG";
        s.ModelMap.RemoveAll();
        s.ModelMap.SetAt(L"02 VORN-K2", L"VornK2Dll.dll");
        s.ModelMap.SetAt(L"02 VORN-K2X", L"partialmodel.dll");
        s.ModelMap.SetAt(L"VORN-K5/K6 Ver1.00", L".\\VornK5Dll.dll");
        // Caption files of the demo library in two spellings, and one of another library.
        captions.Write(L"VORNK2DLL_jpn.cap", "\xFF\xFE");
        captions.Write(L"VornK2Dll_ENG.CAP", "\xFF\xFE");
        captions.Write(L"OTHER_FRA.CAP", "\xFF\xFE");
    }
    void TearDown() override
    {
        theApp.FreeCurrentWindow();
        theApp.m_pMainWnd = nullptr;
        PumpPending();  // requests a test left behind, before the library goes
        theApp.EcrDll.UnloadModelDll();
        S_ECR_SETTING& s = *g_pEcrSetting;
        s.EcrName = savedName;
        s.Language = savedLanguage;
        s.CapPath = savedCapPath;
        s.DataPath = savedDataPath;
        s.IpREG = savedIp;
        // The copy closes with its folder: a test's folder is removed, and a
        // later one may be given its file index, hence its mark.
        theApp.DataFolderLock = FolderLock();
        PumpPending();
    }
    CEcrTilldeskDlg& Open(const wchar_t* model)
    {
        g_pEcrSetting->EcrName = model;
        theApp.ShowWindowByNumber(WNDNO_MAIN, 0);
        return *dynamic_cast<CEcrTilldeskDlg*>(theApp.CurrentWnd);
    }
    static CString Selected(CComboBox& combo)
    {
        CString text;
        if (combo.GetCurSel() >= 0)
            combo.GetLBText(combo.GetCurSel(), text);
        return text;
    }
    static void Pick(CEcrTilldeskDlg& dlg, CComboBox& combo, const wchar_t* entry)
    {
        combo.SetCurSel(combo.FindStringExact(-1, entry));
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(combo.GetDlgCtrlID(), CBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(combo.m_hWnd));
    }
    // The application messages queued so far, taken off the queue in order.
    static std::vector<UINT> TakeQueued(std::vector<MSG>& taken)
    {
        std::vector<UINT> ids;
        MSG msg;
        while (PeekMessageW(&msg, theApp.GetMessageWindow(), 0, 0, PM_REMOVE)) {
            ids.push_back(msg.message);
            taken.push_back(msg);
        }
        return ids;
    }
};

} // namespace

TEST_F(ModelChoice, ListsModelsAndTheLanguagesOfTheSelectedModel)
{
    CEcrTilldeskDlg& dlg = Open(L"02 VORN-K2");
    EXPECT_EQ(3, dlg.ModelCombo.GetCount());
    EXPECT_STREQ(L"02 VORN-K2", Selected(dlg.ModelCombo));  // exact, not the longer "02 VORN-K2X"
    EXPECT_EQ(2, dlg.LanguageCombo.GetCount());
    EXPECT_STREQ(L"ENG", Selected(dlg.LanguageCombo));
    EXPECT_NE(CB_ERR, dlg.LanguageCombo.FindStringExact(-1, L"JPN"));
    EXPECT_STREQ(L"02 VORN-K2 - .\\Data", dlg.GetWindowText());
}

TEST_F(ModelChoice, AnUnlistedOrPartialNameSelectsWithoutChangingAnything)
{
    CEcrTilldeskDlg& dlg = Open(L"VORN-K5");
    EXPECT_STREQ(L"VORN-K5/K6 Ver1.00", Selected(dlg.ModelCombo));
    EXPECT_STREQ(L"VORN-K5", g_pEcrSetting->EcrName);
    std::vector<MSG> taken;
    EXPECT_TRUE(TakeQueued(taken).empty());
}

TEST_F(ModelChoice, ModelChangePostsTheModelThenTheLanguage)
{
    CEcrTilldeskDlg& dlg = Open(L"VORN-K5/K6 Ver1.00");
    EXPECT_EQ(0, dlg.LanguageCombo.GetCount());
    Pick(dlg, dlg.ModelCombo, L"02 VORN-K2");
    EXPECT_STREQ(L"02 VORN-K2", g_pEcrSetting->EcrName);
    EXPECT_STREQ(L"VornK2Dll.dll", g_pEcrSetting->ModelDllPath);
    std::vector<MSG> taken;
    EXPECT_EQ((std::vector<UINT>{WM_ECR_MODEL_CHANGED, WM_ECR_LANGUAGE_CHANGED}), TakeQueued(taken));
    TempFolder settingsFolder;
    CurrentDirectoryScope cwd(settingsFolder.Path());
    for (const MSG& msg : taken)
        theApp.DispatchThreadMessage(msg.message, msg.wParam, msg.lParam);
    EXPECT_STREQ(L"VornK2Dll.dll", theApp.EcrDll.Path);
    // Written at once, for the programs started from here.
    wchar_t written[64] = {};
    GetPrivateProfileStringW(L"DEFAULT", L"EcrName", L"", written, 64, settingsFolder.File(L"Tilldesk.ini").c_str());
    EXPECT_STREQ(L"02 VORN-K2", written);
}

TEST_F(ModelChoice, LanguageChangeStoresAndPostsIt)
{
    CEcrTilldeskDlg& dlg = Open(L"02 VORN-K2");
    Pick(dlg, dlg.LanguageCombo, L"JPN");
    EXPECT_STREQ(L"JPN", g_pEcrSetting->Language);
    std::vector<MSG> taken;
    EXPECT_EQ(std::vector<UINT>{WM_ECR_LANGUAGE_CHANGED}, TakeQueued(taken));
}

TEST_F(ModelChoice, ModelWithoutCaptionFilesLeavesNoLanguage)
{
    CEcrTilldeskDlg& dlg = Open(L"02 VORN-K2");
    Pick(dlg, dlg.ModelCombo, L"VORN-K5/K6 Ver1.00");
    EXPECT_EQ(0, dlg.LanguageCombo.GetCount());
    EXPECT_STREQ(L"Select(&S)", dlg.SelectButton.GetWindowText());
    std::vector<MSG> taken;
    EXPECT_EQ(std::vector<UINT>{WM_ECR_MODEL_CHANGED}, TakeQueued(taken));
}

TEST_F(ModelChoice, AddressShownOnlyForTheNetworkModelAndKeptAcrossChanges)
{
    g_pEcrSetting->IpREG = static_cast<int>(0xC0A8010Au);  // 192.168.1.10
    CEcrTilldeskDlg& dlg = Open(L"02 VORN-K2");
    EXPECT_TRUE(dlg.IpAddress.IsWindowVisible());
    EXPECT_TRUE(dlg.IpLabel.IsWindowVisible());
    DWORD shown = 0;
    EXPECT_EQ(4, dlg.IpAddress.GetAddress(shown));
    EXPECT_EQ(0xC0A8010Au, shown);

    dlg.IpAddress.SetAddress(0xC8010203u);  // 200.1.2.3
    NMIPADDRESS change = {{dlg.IpAddress.m_hWnd, IDC_IP_ADDRESS, static_cast<UINT>(IPN_FIELDCHANGED)}, 0, 200};
    dlg.SendMessage(WM_NOTIFY, IDC_IP_ADDRESS, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(static_cast<int>(0xC8010203u), g_pEcrSetting->IpREG);

    Pick(dlg, dlg.ModelCombo, L"02 VORN-K2X");
    EXPECT_FALSE(dlg.IpAddress.IsWindowVisible());
    EXPECT_FALSE(dlg.IpLabel.IsWindowVisible());
    EXPECT_EQ(static_cast<int>(0xC8010203u), g_pEcrSetting->IpREG);

    dlg.IpAddress.ClearAddress();
    change.iValue = -1;  // blank
    dlg.SendMessage(WM_NOTIFY, IDC_IP_ADDRESS, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(0, g_pEcrSetting->IpREG);
}

// 300 typed into the first field: the field is limited with the range message,
// and the address stored is the one the control shows.
TEST_F(ModelChoice, AnAddressFieldOver255IsLimitedAndStoredAsShown)
{
    MessageBoxRecorder boxes;
    CEcrTilldeskDlg& dlg = Open(L"02 VORN-K2");
    dlg.IpAddress.ClearAddress();
    HWND first = dlg.IpAddress.GetFieldEdit(0);
    ASSERT_NE(nullptr, first);
    for (wchar_t digit : {L'3', L'0', L'0'})
        ::SendMessageW(first, WM_CHAR, digit, 0);
    PumpPending();
    DWORD shown = 0;
    dlg.IpAddress.GetAddress(shown);
    EXPECT_EQ(0xFF000000u, shown);
    EXPECT_EQ(static_cast<int>(shown), g_pEcrSetting->IpREG);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"Range is 0 - 255", boxes.Boxes()[0].text);
}

TEST_F(ModelChoice, SelectNeedsALoadedLibrary)
{
    MessageBoxRecorder boxes;
    CEcrTilldeskDlg& dlg = Open(L"02 VORN-K2");
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SELECT, BN_CLICKED), reinterpret_cast<LPARAM>(dlg.SelectButton.m_hWnd));
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"System DLL of selected ECR was not able to be read", boxes.Boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.Boxes()[0].type);

    theApp.LoadModelDll(L"VornK2Dll.dll");
    CEcrTilldeskDlg& again = Open(L"02 VORN-K2");
    again.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SELECT, BN_CLICKED), reinterpret_cast<LPARAM>(again.SelectButton.m_hWnd));
    PumpPending();
    EXPECT_EQ(WNDNO_SELECT, dynamic_cast<CEcrDialog*>(theApp.CurrentWnd)->WndNo);
}

TEST_F(ModelChoice, SelectLeavesAFolderOpenInAnotherCopyClosed)
{
    theApp.LoadModelDll(L"VornK2Dll.dll");
    TempFolder data;
    g_pEcrSetting->DataPath = data.Path().c_str();
    FolderLock otherCopy(data.Path().c_str());
    MessageBoxRecorder boxes;
    CEcrTilldeskDlg& dlg = Open(L"02 VORN-K2");
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SELECT, BN_CLICKED), reinterpret_cast<LPARAM>(dlg.SelectButton.m_hWnd));
    PumpPending();
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_NE(std::wstring::npos, boxes.Boxes()[0].text.find(L"another copy"));
    EXPECT_NE(std::wstring::npos, boxes.Boxes()[0].text.find(data.Path()));
    EXPECT_EQ(WNDNO_MAIN, dynamic_cast<CEcrDialog*>(theApp.CurrentWnd)->WndNo);

    // Closed by the other copy, it opens.
    otherCopy = FolderLock();
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SELECT, BN_CLICKED), reinterpret_cast<LPARAM>(dlg.SelectButton.m_hWnd));
    PumpPending();
    EXPECT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(WNDNO_SELECT, dynamic_cast<CEcrDialog*>(theApp.CurrentWnd)->WndNo);
    EXPECT_FALSE(FolderLock(data.Path().c_str()).Held());
}

TEST_F(ModelChoice, ModelChangeWithUnsavedEditsAsksAndCancelKeepsEverything)
{
    theApp.LoadModelDll(L"VornK2Dll.dll");
    CEcrData* dept = GetEcrDataFromWndNo(WNDNO_DEPT);
    dept->LoadData(nullptr);
    dept->GetTable(0)->RecordData[0] ^= 0xFF;
    CEcrTilldeskDlg& dlg = Open(L"02 VORN-K2");

    MessageBoxRecorder boxes;
    boxes.Answer(IDCANCEL);
    Pick(dlg, dlg.ModelCombo, L"02 VORN-K2X");
    EXPECT_EQ(1u, boxes.Boxes().size());
    EXPECT_STREQ(L"02 VORN-K2", Selected(dlg.ModelCombo));
    EXPECT_STREQ(L"02 VORN-K2", g_pEcrSetting->EcrName);
    std::vector<MSG> taken;
    EXPECT_TRUE(TakeQueued(taken).empty());

    // Picking the model whose library is loaded drops nothing and asks nothing.
    Pick(dlg, dlg.ModelCombo, L"02 VORN-K2");
    EXPECT_EQ(1u, boxes.Boxes().size());
}

TEST_F(ModelChoice, AlternativeLayoutWhenTheMarkerFileIsBesideTheProgram)
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring marker(path, n);
    marker = marker.substr(0, marker.find_last_of(L'\\') + 1) + L"VORN-Q9Chart.prm";
    WriteBytes(marker, "marker");
    CEcrTilldeskDlg& dlg = Open(L"02 VORN-K2");
    DeleteFileW(marker.c_str());

    CRect picture;
    dlg.EcrPicture.GetWindowRect(&picture);
    dlg.ScreenToClient(&picture);
    EXPECT_EQ(CRect(127, 18, 637, 418), picture);
    CRect logo;
    dlg.LogoPicture.GetWindowRect(&logo);
    EXPECT_TRUE(logo.IsRectEmpty());
    CRect combo;
    dlg.ModelCombo.GetWindowRect(&combo);
    dlg.ScreenToClient(&combo);
    EXPECT_EQ(147, combo.left);
    EXPECT_EQ(432, combo.top);
}

TEST_F(ModelChoice, TransparentColourLetsTheBackgroundThrough)
{
    // A picture half in the key colour, half blue.
    TempFolder pictures;
    CImage image;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 20, 10);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT left = {0, 0, 10, 10}, right = {10, 0, 20, 10};
    HBRUSH key = CreateSolidBrush(RGB(254, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &left, key);
    FillRect(dc, &right, blue);
    SelectObject(dc, old);
    DeleteObject(key);
    DeleteObject(blue);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    image.Attach(bitmap);
    std::wstring file = pictures / L"register.bmp";
    ASSERT_EQ(S_OK, image.Save(file.c_str()));
    CString savedBmp = g_pEcrSetting->EcrBmp;
    g_pEcrSetting->EcrBmp = file.c_str();
    CEcrTilldeskDlg& dlg = Open(L"02 VORN-K2");
    g_pEcrSetting->EcrBmp = savedBmp;

    CRect client;
    dlg.EcrPicture.GetClientRect(&client);
    HDC canvas = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateBitmap(client.Width(), client.Height(), 1, 32, nullptr);
    HGDIOBJ was = SelectObject(canvas, target);
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(canvas, &client, green);
    DeleteObject(green);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_STATIC;
    item.CtlID = IDC_ECR_PICTURE;
    item.hwndItem = dlg.EcrPicture.m_hWnd;
    item.hDC = canvas;
    item.rcItem = client;
    dlg.SendMessage(WM_DRAWITEM, IDC_ECR_PICTURE, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(RGB(0, 255, 0), GetPixel(canvas, client.Width() / 4, client.Height() / 2));
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(canvas, client.Width() * 3 / 4, client.Height() / 2));
    SelectObject(canvas, was);
    DeleteObject(target);
    DeleteDC(canvas);
}

TEST_F(ModelChoice, PictureOfTheScreen)
{
    CString savedBmp = g_pEcrSetting->EcrBmp;
    g_pEcrSetting->EcrBmp = L"Ecr.bmp";
    CEcrTilldeskDlg& dlg = Open(L"02 VORN-K2");
    g_pEcrSetting->EcrBmp = savedBmp;
    EXPECT_FALSE(SaveWindowPicture(dlg.m_hWnd, L"model-choice").empty());
    // The register picture and the button's text are drawn.
    EXPECT_TRUE(WindowShowsInk(dlg.EcrPicture.m_hWnd));
    EXPECT_TRUE(WindowShowsInk(dlg.SelectButton.m_hWnd));
}
