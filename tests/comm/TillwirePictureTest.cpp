#include <gtest/gtest.h>

#include "CEcrData.h"
#include "CEcrTilldeskApp.h"
#include "CommResources.h"
#include "EcrGlobals.h"
#include "MessageBoxRecorder.h"
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

struct Language
{
    const wchar_t* code;
    bool japanese;
    // The setting rows, named as the function menu names the groups.
    std::vector<std::wstring> rows;
};

const Language kEnglish = {L"ENG", false,
                           {L"DEPT", L"PLU", L"CLERK", L"PROG_MODE", L"S_MODE", L"MESSAGE", L"KEYBOARD", L"LOGO1",
                            L"LOGO2"}};
const Language kJapanese = {L"JPN", true,
                            {L"部門", L"PLU", L"担当者", L"Pモード", L"Sモード", L"メッセージ", L"キーボード", L"ロゴ1",
                             L"ロゴ2"}};

std::string Joined(const std::vector<std::wstring>& texts)
{
    std::wstring line;
    for (const std::wstring& text : texts)
        line += text + L"|";
    return Narrow(line);
}

// The library loaded anew with the language's caption file.
void UseLanguage(const Language& language)
{
    theApp.EcrDll.UnloadModelDll();
    g_pEcrSetting->Language = language.code;
    theApp.LoadModelDll(L"VornK2Dll.dll");
}

std::vector<std::wstring> ShownRows(ScriptedTillwireDlg& d)
{
    std::vector<std::wstring> rows;
    for (int id = IDC_SETTING_ROW_FIRST; id <= IDC_SETTING_ROW_LAST; ++id)
        if (d.Visible(id))
            rows.push_back(d.Text(id).GetString());
    return rows;
}

struct Picture
{
    std::vector<std::wstring> rows;
    CString idleStart;
    CString startText;
    CString title;
    bool animated = false;
    CString log;
    std::vector<std::wstring> saved;     // paths of the pictures: at rest, while sending, with the log shown
    std::vector<std::wstring> findings;  // the same three, checked
};

Picture TakeWhileSending(const Language& language)
{
    const CaptionLanguages captions(ProgramFolder() + L"\\Cap");
    Picture shot;
    auto take = [&](HWND dialog, const wchar_t* name) {
        shot.saved.push_back(SaveWindowPicture(dialog, (std::wstring(name) + language.code).c_str()));
        for (const std::wstring& finding : ScreenFindings(dialog, captions, language.japanese))
            shot.findings.push_back(finding);
    };
    ScriptedTillwireDlg dlg(1, [&](ScriptedTillwireDlg& d) {
        shot.rows = ShownRows(d);
        shot.idleStart = d.Text(IDC_START_TRANSFER);
        take(d.m_hWnd, L"send-receive-idle-");
        for (int row = 0; row < 3; ++row)
            d.Tick(d.SettingRowOf(language.rows[row].c_str()), true);
        d.Click(IDC_START_TRANSFER);
        EXPECT_TRUE(PumpUntil([&] { return d.Text(IDC_TRANSFER_COUNT) == L"1"; }));
        PumpUntil([] { return false; }, 600);  // a few frames
        shot.startText = d.Text(IDC_START_TRANSFER);
        d.GetWindowText(shot.title);
        shot.animated = ShowsTheMovingData(::GetDlgItem(d.m_hWnd, IDC_TRANSFER_ANIMATION));
        take(d.m_hWnd, L"send-receive-sending-");
        d.Click(IDC_TRANSFER_DETAIL);
        PumpUntil([] { return false; }, 100);
        shot.log = d.Text(IDC_TRANSFER_LOG);
        take(d.m_hWnd, L"send-receive-log-");
        d.Click(IDC_START_TRANSFER);  // cancel
        EXPECT_TRUE(d.WaitIdle());
    });
    dlg.DoModal();
    return shot;
}

void ExpectShown(const Picture& shot, const Language& language, const wchar_t* idleStart, const wchar_t* cancel,
                 const wchar_t* title)
{
    for (const std::wstring& path : shot.saved)
        EXPECT_FALSE(path.empty());
    EXPECT_EQ(Joined(language.rows), Joined(shot.rows));
    EXPECT_EQ(CString(idleStart), shot.idleStart);
    EXPECT_EQ(CString(cancel), shot.startText);
    EXPECT_EQ(CString(title), shot.title);
    EXPECT_TRUE(shot.animated);
    // The log shows the first group's run, started with the group's id.
    EXPECT_EQ(0, shot.log.Find(L"[Start]:\"")) << Narrow(shot.log.GetString());
    EXPECT_GT(shot.log.Find(L" 1 ECR 1 "), 0) << Narrow(shot.log.GetString());
    EXPECT_TRUE(shot.findings.empty()) << language.code << ":\n" << Narrow(JoinFindings(shot.findings));
}

} // namespace

TEST_F(TillwireTest, PicturesWhileSendingInBothLanguages)
{
    WriteIni("[Settings]\r\nDelay=5000\r\n");
    UseLanguage(kEnglish);
    ExpectShown(TakeWhileSending(kEnglish), kEnglish, L"Send start", L"Cancel", L"ECR data send");
    UseLanguage(kJapanese);
    ExpectShown(TakeWhileSending(kJapanese), kJapanese, L"送信開始", L"中止", L"ECR送信");
}

// In receive mode a ticked group with unsaved edits asks first, in the
// screen's language.
TEST_F(TillwireTest, ReceivePicturesAndTheUnsavedQuestionInBothLanguages)
{
    const CaptionLanguages captions(ProgramFolder() + L"\\Cap");
    for (const Language* language : {&kEnglish, &kJapanese}) {
        UseLanguage(*language);
        CEcrData* dept = GetEcrDataFromWndNo(WNDNO_DEPT);
        ASSERT_NE(nullptr, dept);
        dept->LoadData(nullptr);
        S_ECR_TABLE* table = dept->GetTable(0);
        ASSERT_TRUE(table && table->RecordData);
        table->RecordData[0] = static_cast<BYTE>(table->RecordData[0] ^ 0xFF);  // an edit not yet saved

        MessageBoxRecorder boxes;
        boxes.Answer(IDCANCEL);
        std::vector<std::wstring> rows;
        CString title, start;
        std::wstring picture;
        std::vector<std::wstring> findings;
        ScriptedTillwireDlg dlg(0, [&](ScriptedTillwireDlg& d) {
            rows = ShownRows(d);
            d.GetWindowText(title);
            start = d.Text(IDC_START_TRANSFER);
            picture = SaveWindowPicture(d.m_hWnd, (std::wstring(L"send-receive-receive-") + language->code).c_str());
            findings = ScreenFindings(d.m_hWnd, captions, language->japanese);
            d.Click(d.SettingRowOf(language->rows[0].c_str()));
        });
        dlg.DoModal();

        EXPECT_FALSE(picture.empty());
        EXPECT_EQ(Joined(language->rows), Joined(rows));
        EXPECT_EQ(CString(language->japanese ? L"ECR受信" : L"ECR data receive"), title);
        EXPECT_EQ(CString(language->japanese ? L"受信開始" : L"Receive start"), start);
        EXPECT_TRUE(findings.empty()) << Narrow(JoinFindings(findings));
        auto asked = boxes.Boxes();
        ASSERT_EQ(1u, asked.size()) << Narrow(language->code);
        EXPECT_FALSE(captions.InOtherLanguage(asked[0].text, language->japanese)) << Narrow(asked[0].text);
    }
}

// A failed item's question says what the code means, in the screen's language.
TEST_F(TillwireTest, TheMeaningOfAFailureCodeInBothLanguages)
{
    WriteIni("[Settings]\r\nFailECR1=0xE0000003\r\nFailShowMs=0\r\n");
    const CaptionLanguages captions(ProgramFolder() + L"\\Cap");
    for (const Language* language : {&kEnglish, &kJapanese}) {
        UseLanguage(*language);
        MessageBoxRecorder boxes;
        boxes.Answer(IDNO);
        ScriptedTillwireDlg dlg(1, [&](ScriptedTillwireDlg& d) {
            d.Tick(d.SettingRowOf(language->rows[0].c_str()), true);
            d.Click(IDC_START_TRANSFER);
            ASSERT_TRUE(d.WaitIdle());
        });
        dlg.DoModal();

        auto asked = boxes.Boxes();
        ASSERT_EQ(1u, asked.size()) << Narrow(language->code);
        const std::wstring meaning = language->japanese ? L"送受信するファイルがないか、読み込めません" : L"cannot be read";
        EXPECT_NE(std::wstring::npos, asked[0].text.find(L"e0000003H")) << Narrow(asked[0].text);
        EXPECT_NE(std::wstring::npos, asked[0].text.find(meaning)) << Narrow(asked[0].text);
        EXPECT_FALSE(captions.InOtherLanguage(asked[0].text, language->japanese)) << Narrow(asked[0].text);
    }
}
