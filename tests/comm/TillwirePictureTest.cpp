#include <gtest/gtest.h>

#include "CEcrTilldeskApp.h"
#include "CommResources.h"
#include "EcrGlobals.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "ScreenCheck.h"
#include "TestFiles.h"
#include "TillwireFixture.h"
#include "WindowPicture.h"

namespace {

// Whether the animation shows the moving data (its orange) anywhere.
bool ShowsTheMovingData(HWND animation)
{
    RECT rect;
    GetClientRect(animation, &rect);
    HDC dc = GetDC(animation);
    bool found = false;
    for (int y = rect.top; y < rect.bottom && !found; y += 2)
        for (int x = rect.left; x < rect.right && !found; ++x)
            found = GetPixel(dc, x, y) == RGB(0xE0, 0x80, 0x20);
    ReleaseDC(animation, dc);
    return found;
}

struct Picture
{
    CString startText;
    CString title;
    bool animated = false;
    std::wstring idlePicture;
    std::wstring animationPicture;
    std::wstring logPicture;
    std::vector<std::wstring> findings;  // at rest, while sending, with the log shown
};

Picture TakeWhileSending(const wchar_t* language)
{
    const CaptionLanguages captions(ProgramFolder() + L"\\Cap");
    const bool japanese = std::wstring(language) == L"JPN";
    Picture shot;
    // The setting rows show the groups' names, the same in every language.
    std::set<int> names;
    for (int id = IDC_SETTING_ROW_FIRST; id <= IDC_SETTING_ROW_LAST; ++id)
        names.insert(id);
    auto check = [&](HWND dialog) {
        for (const std::wstring& finding : ScreenFindings(dialog, captions, japanese, names))
            shot.findings.push_back(finding);
    };
    ScriptedTillwireDlg dlg(1, [&](ScriptedTillwireDlg& d) {
        shot.idlePicture = SaveWindowPicture(d.m_hWnd, (std::wstring(L"send-receive-idle-") + language).c_str());
        check(d.m_hWnd);
        d.Tick(d.SettingRowOf(L"DEPT"), true);
        d.Tick(d.SettingRowOf(L"PLU"), true);
        d.Tick(d.SettingRowOf(L"CLERK"), true);
        d.Click(IDC_START_TRANSFER);
        EXPECT_TRUE(PumpUntil([&] { return d.Text(IDC_TRANSFER_COUNT) == L"1"; }));
        PumpUntil([] { return false; }, 600);  // a few frames
        shot.startText = d.Text(IDC_START_TRANSFER);
        d.GetWindowText(shot.title);
        shot.animated = ShowsTheMovingData(::GetDlgItem(d.m_hWnd, IDC_TRANSFER_ANIMATION));
        shot.animationPicture = SaveWindowPicture(d.m_hWnd, (std::wstring(L"send-receive-sending-") + language).c_str());
        check(d.m_hWnd);
        d.Click(IDC_TRANSFER_DETAIL);
        PumpUntil([] { return false; }, 100);
        shot.logPicture = SaveWindowPicture(d.m_hWnd, (std::wstring(L"send-receive-log-") + language).c_str());
        check(d.m_hWnd);
        d.Click(IDC_START_TRANSFER);  // cancel
        EXPECT_TRUE(d.WaitIdle());
    });
    dlg.DoModal();
    return shot;
}

} // namespace

TEST_F(TillwireTest, PicturesWhileSendingInBothLanguages)
{
    WriteIni("[Settings]\r\nDelay=5000\r\n");
    Picture english = TakeWhileSending(L"ENG");
    EXPECT_FALSE(english.idlePicture.empty());
    EXPECT_FALSE(english.animationPicture.empty());
    EXPECT_FALSE(english.logPicture.empty());
    EXPECT_EQ(CString(L"Cancel"), english.startText);
    EXPECT_EQ(CString(L"ECR data send"), english.title);
    EXPECT_TRUE(english.animated);
    EXPECT_TRUE(english.findings.empty()) << Narrow(JoinFindings(english.findings));

    theApp.EcrDll.UnloadModelDll();
    g_pEcrSetting->Language = L"JPN";
    theApp.LoadModelDll(L"VornK2Dll.dll");
    Picture japanese = TakeWhileSending(L"JPN");
    EXPECT_FALSE(japanese.animationPicture.empty());
    EXPECT_EQ(CString(L"中止"), japanese.startText);
    EXPECT_EQ(CString(L"ECR送信"), japanese.title);
    EXPECT_TRUE(japanese.animated);
    EXPECT_TRUE(japanese.findings.empty()) << Narrow(JoinFindings(japanese.findings));
}
