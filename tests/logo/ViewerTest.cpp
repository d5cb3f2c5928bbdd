#include <gtest/gtest.h>

#include "CTillmarkViewDlg.h"
#include "EcrGlobals.h"
#include "LogoFixture.h"
#include "LogoResources.h"
#include "MessageBoxRecorder.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "ScreenCheck.h"
#include "TestFiles.h"
#include "WindowPicture.h"

namespace {

const int kWidth = 384;
const int kHeight = 96;

class LogoViewer : public LogoFixture
{
protected:
    void SetUp() override
    {
        LogoFixture::SetUp();
        logo = Logo(L"LOGO1");
        ASSERT_NE(nullptr, logo);
        own = LogoBytes(kWidth, kHeight, [](int x, int) { return x < 8; });
        photo = LogoBytes(kWidth, kHeight, [](int x, int y) { return (x + y) % 3 == 0; });
        data.Write(L"LOGO1.ECR", own);
        bmp.Write(L"PHOTO_LOGO1.ECR", photo);
        bmp.Write(L"other_logo1.ecr", photo);
        bmp.Write(L"SHORT_LOGO1.ECR", std::string(100, '\x01'));
        bmp.Write(L"PHOTO_LOGO2.ECR", std::string(kWidth * 48 / 8, '\0'));
        bmp.Write(L"PHOTO.BMP", MakeBmp(8, 8, [](int, int) { return RGB(0, 0, 0); }));
    }
    void TearDown() override
    {
        if (viewer) {
            viewer->DestroyWindow();
            viewer.reset();
        }
        SetFileAttributesW(data.File(L"LOGO1.ECR").c_str(), FILE_ATTRIBUTE_NORMAL);
        LogoFixture::TearDown();
    }

    void Open(const wchar_t* outputName)
    {
        viewer = std::make_unique<CTillmarkViewDlg>(logo, TILLMARK_SUCCESS_CODE, outputName);
        ASSERT_TRUE(viewer->Create(IDD_TILLMARK_VIEW_DIALOG, nullptr));
        viewer->ShowWindow(SW_SHOWNOACTIVATE);
        PumpPending();
    }
    CListBox& Files() { return *static_cast<CListBox*>(viewer->GetDlgItem(IDC_VIEW_FILES)); }
    std::vector<std::wstring> Entries()
    {
        std::vector<std::wstring> entries;
        for (int i = 0; i < Files().GetCount(); ++i) {
            CString text;
            Files().GetText(i, text);
            entries.emplace_back(text.GetString());
        }
        return entries;
    }
    CString Selected()
    {
        CString text;
        if (Files().GetCurSel() >= 0)
            Files().GetText(Files().GetCurSel(), text);
        return text;
    }
    void Select(const wchar_t* name)
    {
        int index = Files().FindStringExact(-1, name);
        ASSERT_GE(index, 0) << name;
        Files().SetCurSel(index);
        viewer->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_VIEW_FILES, LBN_SELCHANGE), reinterpret_cast<LPARAM>(Files().m_hWnd));
    }
    void Click(int id)
    {
        viewer->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(viewer->GetDlgItem(id)->m_hWnd));
    }
    bool Enabled(int id) { return viewer->GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    // The preview as the viewer draws it, read at (x, y).
    COLORREF PreviewPixel(int x, int y)
    {
        CWnd* preview = viewer->GetDlgItem(IDC_VIEW_PREVIEW);
        CRect client;
        preview->GetClientRect(&client);
        CClientDC screen(nullptr);
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap canvas;
        canvas.CreateCompatibleBitmap(screen, client.Width(), client.Height());
        HGDIOBJ old = dc.SelectObject(&canvas);
        // A static's context comes with the dialog's colours.
        dc.SetBkColor(RGB(192, 192, 192));
        dc.SetTextColor(RGB(0, 0, 255));
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_STATIC;
        item.CtlID = IDC_VIEW_PREVIEW;
        item.hwndItem = preview->m_hWnd;
        item.hDC = dc;
        item.rcItem = client;
        viewer->SendMessage(WM_DRAWITEM, IDC_VIEW_PREVIEW, reinterpret_cast<LPARAM>(&item));
        COLORREF pixel = dc.GetPixel(x, y);
        dc.SelectObject(old);
        return pixel;
    }

    static constexpr DWORD TILLMARK_SUCCESS_CODE = 0x01000000;
    CEcrGraphic* logo = nullptr;
    std::string own, photo;
    std::unique_ptr<CTillmarkViewDlg> viewer;
    MessageBoxRecorder boxes;
};

} // namespace

TEST_F(LogoViewer, ListsTheLogoFileThenTheConvertedFilesOfThisLogo)
{
    Open(nullptr);
    std::vector<std::wstring> entries = Entries();
    ASSERT_EQ(4u, entries.size());
    EXPECT_EQ(L"LOGO1.ECR", entries[0]);
    std::sort(entries.begin() + 1, entries.end());
    EXPECT_EQ(L"PHOTO_LOGO1.ECR", entries[1]);
    EXPECT_EQ(L"SHORT_LOGO1.ECR", entries[2]);
    EXPECT_EQ(L"other_logo1.ecr", entries[3]);

    // The register's own logo: shown, can be blanked, not set.
    EXPECT_STREQ(L"LOGO1.ECR", Selected());
    EXPECT_FALSE(Enabled(IDC_VIEW_SET));
    EXPECT_TRUE(Enabled(IDC_VIEW_CLEAR));
    CRect preview;
    viewer->GetDlgItem(IDC_VIEW_PREVIEW)->GetClientRect(&preview);
    EXPECT_EQ(kWidth, preview.Width());
    EXPECT_EQ(kHeight, preview.Height());
    EXPECT_EQ(RGB(0, 0, 0), PreviewPixel(2, 50));
    EXPECT_EQ(RGB(255, 255, 255), PreviewPixel(100, 50));
}

TEST_F(LogoViewer, OpensOnTheConvertedFileOrElseOnTheLogoFile)
{
    Open(L"photo_logo1.ecr");
    EXPECT_STREQ(L"PHOTO_LOGO1.ECR", Selected());
    EXPECT_TRUE(Enabled(IDC_VIEW_SET));
    EXPECT_FALSE(Enabled(IDC_VIEW_CLEAR));
    viewer->DestroyWindow();

    Open(L"NOTHERE_LOGO1.ECR");
    EXPECT_STREQ(L"LOGO1.ECR", Selected());
}

TEST_F(LogoViewer, SetInstallsTheChosenFileByteForByte)
{
    Open(L"PHOTO_LOGO1.ECR");
    Click(IDC_VIEW_SET);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"Update Success", boxes.Boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes.Boxes()[0].type & MB_ICONMASK);
    EXPECT_TRUE(photo == data.Read(L"LOGO1.ECR"));
    // The group was read again from the data folder.
    EXPECT_NE(0, logo->Loaded);
    EXPECT_EQ((photo[0] >> 7) & 1, logo->GetTable(0)->RecordData[0]);
}

// A data folder that is not there yet, nor the one above it, is created by
// Set; one that cannot be (below a file) is named, and nothing is written.
TEST_F(LogoViewer, SetCreatesAMissingDataFolderOrNamesOneThatCannotBe)
{
    const std::wstring fresh = data / L"New\\Data";
    g_pEcrSetting->DataPath = fresh.c_str();
    Open(L"PHOTO_LOGO1.ECR");
    Click(IDC_VIEW_SET);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"Update Success", boxes.Boxes()[0].text);
    EXPECT_TRUE(photo == ReadBytes(fresh + L"\\LOGO1.ECR"));

    const std::wstring blocked = data / L"LOGO1.ECR\\Data";
    g_pEcrSetting->DataPath = blocked.c_str();
    Click(IDC_VIEW_SET);
    ASSERT_EQ(2u, boxes.Boxes().size());
    const std::wstring told = boxes.Boxes()[1].text;
    EXPECT_NE(std::wstring::npos, told.find(L"could not be created")) << told;
    EXPECT_NE(std::wstring::npos, told.find(L" " + blocked + L" ")) << told;
    EXPECT_TRUE(own == data.Read(L"LOGO1.ECR"));
}

TEST_F(LogoViewer, AFileOfTheWrongSizeIsNotOfferedAndShowsARedCross)
{
    Open(nullptr);
    Select(L"SHORT_LOGO1.ECR");
    EXPECT_FALSE(Enabled(IDC_VIEW_SET));
    EXPECT_FALSE(Enabled(IDC_VIEW_CLEAR));
    EXPECT_EQ(RGB(255, 0, 0), PreviewPixel(kWidth / 2, kHeight / 2));
    EXPECT_EQ(RGB(255, 255, 255), PreviewPixel(kWidth / 2, 3));
    EXPECT_TRUE(own == data.Read(L"LOGO1.ECR"));
}

TEST_F(LogoViewer, LogoInitialBlanksTheLogoFile)
{
    Open(nullptr);
    Click(IDC_VIEW_CLEAR);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"Update Success", boxes.Boxes()[0].text);
    EXPECT_TRUE(std::string(kWidth * kHeight / 8, '\0') == data.Read(L"LOGO1.ECR"));
    EXPECT_EQ(RGB(255, 255, 255), PreviewPixel(2, 50));
}

TEST_F(LogoViewer, AReadOnlyLogoFileStaysAsItWas)
{
    ASSERT_TRUE(SetFileAttributesW(data.File(L"LOGO1.ECR").c_str(), FILE_ATTRIBUTE_READONLY));
    Open(nullptr);
    Click(IDC_VIEW_CLEAR);
    Select(L"PHOTO_LOGO1.ECR");
    Click(IDC_VIEW_SET);
    // Both say which file was left as it was.
    ASSERT_EQ(2u, boxes.Boxes().size());
    for (const auto& box : boxes.Boxes()) {
        EXPECT_EQ(0u, box.text.find(L"Update Fail\n"));
        EXPECT_NE(std::wstring::npos, box.text.find(L"LOGO1.ECR"));
    }
    EXPECT_TRUE(own == data.Read(L"LOGO1.ECR"));
}

TEST_F(LogoViewer, PicturesInBothLanguages)
{
    const CaptionLanguages captions(ProgramFolder() + L"\\Cap");
    for (const wchar_t* language : {L"ENG", L"JPN"}) {
        UseLanguage(language);
        Open(L"PHOTO_LOGO1.ECR");
        std::wstring name = std::wstring(L"logo-viewer-") + language;
        EXPECT_FALSE(SaveWindowPicture(viewer->m_hWnd, name.c_str()).empty());
        std::vector<std::wstring> findings = ScreenFindings(viewer->m_hWnd, captions, std::wstring(language) == L"JPN");
        EXPECT_TRUE(findings.empty()) << name << ":\n" << JoinFindings(findings);
        CString title = viewer->GetWindowText();
        EXPECT_STREQ(std::wstring(language) == L"ENG" ? L"Logo viewer" : L"ロゴビューア", title);
        CString set;
        viewer->GetDlgItem(IDC_VIEW_SET)->GetWindowText(set);
        EXPECT_STREQ(std::wstring(language) == L"ENG" ? L"Set the selected file as the logo" : L"選択したファイルをロゴに設定", set);
        viewer->DestroyWindow();
        viewer.reset();
    }
}
