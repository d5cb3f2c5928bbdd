// Tables of level 99: a choice among pictures instead of the grid.
#include "RecordListFixture.h"

#include "EcrGlobals.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "ScreenCheck.h"
#include "TestFiles.h"
#include "WindowPicture.h"

namespace {

constexpr int kRadio = IDC_FLEX_RADIO_FIRST;
constexpr int kPicture = IDC_FLEX_PICTURE_FIRST;

// The S_MODE screen on its "Receipt style" table, in picture mode.
CFlexListDlg* OpenReceiptStyle(RecordList*, CFlexListDlg* screen)
{
    EXPECT_TRUE(screen->SelectListEntry(1));
    return screen;
}

int CheckedRadio(CFlexListDlg* screen)
{
    int checked = -1;
    for (int i = 0; i < CFlexListDlg::kPictureCount; ++i)
        if (screen->IsDlgButtonChecked(kRadio + i) == BST_CHECKED) {
            EXPECT_EQ(-1, checked) << "two radio buttons checked";
            checked = i;
        }
    return checked;
}

} // namespace

TEST_F(RecordList, FirstTableOfLevel99ShowsInTheGridUntilTheSelectionChanges)
{
    // Through the jump menu the S_MODE screen lands on the picture table.
    CFlexListDlg* screen = Open(WNDNO_S_MODE, 2);
    ASSERT_NE(nullptr, screen);
    EXPECT_FALSE(screen->Grid().IsWindowVisible());
    EXPECT_TRUE(Visible(IDC_FLEX_PICTURE_GROUP));
    for (int i = 0; i < CFlexListDlg::kPictureCount; ++i) {
        EXPECT_TRUE(Visible(kPicture + i)) << i;
        EXPECT_TRUE(Visible(kRadio + i)) << i;
    }
    EXPECT_STREQ(L"Receipt style", screen->GetDlgItem(IDC_FLEX_NAME)->GetWindowText());

    // Back on a grid table, the pictures go and the grid comes back.
    screen->SelectListEntry(0);
    EXPECT_TRUE(screen->Grid().IsWindowVisible());
    EXPECT_FALSE(Visible(IDC_FLEX_PICTURE_GROUP));
    EXPECT_FALSE(Visible(kPicture));
}

TEST_F(RecordList, ClickingAPictureStoresItsIndexAndMovesTheCheck)
{
    CFlexListDlg* screen = OpenReceiptStyle(this, Open(WNDNO_S_MODE));
    S_ECR_TABLE* table = Group(WNDNO_S_MODE)->GetTable(1);
    int stored = table->RecordData[0];
    EXPECT_EQ(stored, CheckedRadio(screen));

    Click(kPicture + 3);
    EXPECT_EQ(3, table->RecordData[0]);
    EXPECT_STREQ(L"3", screen->Grid().GetItemText(1, 1).Trim());
    EXPECT_EQ(3, CheckedRadio(screen));

    screen->CheckDlgButton(kRadio + 3, BST_UNCHECKED);  // as the click itself does
    screen->CheckDlgButton(kRadio + 5, BST_CHECKED);
    Click(kRadio + 5);
    EXPECT_EQ(5, table->RecordData[0]);
    EXPECT_EQ(5, CheckedRadio(screen));
    EXPECT_TRUE(TakeBoxes().empty());

    // Update keeps picture mode, with the stored choice checked.
    Click(IDC_FLEX_UPDATE);
    EXPECT_FALSE(screen->Grid().IsWindowVisible());
    EXPECT_EQ(5, CheckedRadio(screen));
}

TEST_F(RecordList, ARefusedChoiceMovesNothing)
{
    CFlexListDlg* screen = OpenReceiptStyle(this, Open(WNDNO_S_MODE));
    S_ECR_TABLE* table = Group(WNDNO_S_MODE)->GetTable(1);
    Click(kPicture + 1);
    ASSERT_EQ(1, table->RecordData[0]);
    table->Fields()[0].Maximum = 2;  // the library now refuses 3 and above
    Click(kPicture + 4);
    auto boxes = TakeBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::wstring::npos, boxes[0].find(L"Range"));
    EXPECT_EQ(1, table->RecordData[0]);
    EXPECT_EQ(1, CheckedRadio(screen));
}

TEST_F(RecordList, StoredValuesOutsideThePicturesCheckNothingOrTheFirst)
{
    CFlexListDlg* screen = Open(WNDNO_S_MODE);
    S_ECR_TABLE* table = Group(WNDNO_S_MODE)->GetTable(1);
    table->RecordData[0] = 7;
    screen->SelectListEntry(1);
    EXPECT_EQ(-1, CheckedRadio(screen));
    table->RecordData[0] = 2;
    screen->SelectListEntry(0);
    screen->SelectListEntry(1);
    EXPECT_EQ(2, CheckedRadio(screen));
    // A stored text without leading digits counts as 0.
    S_ECR_FIELD& style = table->Fields()[0];
    style.Flags = (style.Flags & ~FIELD_TYPE_MASK) | FIELD_TEXT;
    table->RecordData[0] = 'x';
    screen->SelectListEntry(0);
    screen->SelectListEntry(1);
    ASSERT_STREQ(L"x", screen->Grid().GetItemText(1, 1).Trim());
    EXPECT_EQ(0, CheckedRadio(screen));
}

TEST_F(RecordList, SortImportAndTheCardNeverCoverThePictures)
{
    CFlexListDlg* screen = OpenReceiptStyle(this, Open(WNDNO_S_MODE));
    S_ECR_TABLE* table = Group(WNDNO_S_MODE)->GetTable(1);
    g_fileDialog.answer = m_scratch.File(L"style.csv");
    Click(IDC_FLEX_EXPORT);
    table->RecordData[0] = 4;
    Click(IDC_FLEX_IMPORT);  // offered only at level 98, but the path is the same
    TakeBoxes();
    EXPECT_FALSE(screen->Grid().IsWindowVisible());
    EXPECT_TRUE(Visible(IDC_FLEX_PICTURE_GROUP));
    EXPECT_EQ(table->RecordData[0], CheckedRadio(screen));
}

TEST_F(RecordList, OnlyThePicturesThatExistAreShown)
{
    std::wstring folder = ProgramFolder() + L"\\";
    g_pEcrSetting->EcrName = L"TWO PICTURES";
    CopyFileW((folder + L"02 VORN-K2recimg0.jpg").c_str(), (folder + L"TWO PICTURESrecimg0.jpg").c_str(), FALSE);
    CopyFileW((folder + L"02 VORN-K2recimg2.jpg").c_str(), (folder + L"TWO PICTURESrecimg2.jpg").c_str(), FALSE);
    CFlexListDlg* screen = OpenReceiptStyle(this, Open(WNDNO_S_MODE));
    DeleteFileW((folder + L"TWO PICTURESrecimg0.jpg").c_str());
    DeleteFileW((folder + L"TWO PICTURESrecimg2.jpg").c_str());
    EXPECT_TRUE(Visible(IDC_FLEX_PICTURE_GROUP));
    for (int i = 0; i < CFlexListDlg::kPictureCount; ++i) {
        bool shown = i == 0 || i == 2;
        EXPECT_EQ(shown, Visible(kPicture + i)) << i;
        EXPECT_EQ(shown, Visible(kRadio + i)) << i;
    }
    EXPECT_FALSE(screen->Grid().IsWindowVisible());
}

TEST_F(RecordList, PicturesOfPictureModeInEnglishAndJapanese)
{
    const CaptionLanguages captions(ProgramFolder() + L"\\Cap");
    for (const wchar_t* language : {L"ENG", L"JPN"}) {
        UseLanguage(language);
        bool japanese = CString(language) == L"JPN";
        CFlexListDlg* screen = OpenReceiptStyle(this, Open(WNDNO_S_MODE));
        screen->MoveWindow(0, 0, 900, 700);
        PumpPending();
        EXPECT_STREQ(japanese ? L"レシート書式" : L"Receipt style", screen->GetDlgItem(IDC_FLEX_NAME)->GetWindowText());
        std::wstring path = SaveWindowPicture(screen->m_hWnd, japanese ? L"record-list-pictures-jpn" : L"record-list-pictures-eng");
        EXPECT_FALSE(path.empty());
        std::vector<std::wstring> findings = ScreenFindings(screen->m_hWnd, captions, japanese, {0});
        EXPECT_TRUE(findings.empty()) << language << ":\n" << JoinFindings(findings);
    }
}
