#include "WrittenSet.h"

#include <vector>

#include <gtest/gtest.h>

#include "AtomicFile.h"
#include "CBtnListCtrl.h"
#include "CCaptionMgr.h"
#include "CChildProgram.h"
#include "CEcrReportSet.h"
#include "ChartBuilder.h"
#include "FixedRecords.h"
#include "FolderTree.h"
#include "GroupRegistry.h"
#include "LibraryState.h"
#include "LogoFile.h"
#include "LogoNames.h"
#include "LogoRenderer.h"
#include "ReportGroup.h"
#include "ReportSet.h"
#include "S_ECR_SETTING.h"
#include "TempFolder.h"
#include "TestFiles.h"
#include "TillmarkCodes.h"
#include "TillwireCodes.h"
#include "VornK2Model.h"

namespace WrittenSet {

const wchar_t kRoot[] = L"C:\\TilldeskWritten";
const char kChartDefinition[] = "DEPT    1001Amount          003000Count           002000100";

namespace {

constexpr DWORD kNotRun = 0xFFFFFFFF;

// Runs a stand-in to its end the way the program runs it; its exit code.
DWORD RunChild(const std::wstring& commandLine)
{
    CChildProgram child;
    if (!child.Start(commandLine.c_str()) || child.Wait(nullptr) != CChildProgram::WaitResult::Ended)
        return kNotRun;
    return child.ExitCode();
}

std::wstring Quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

// The picture a logo is made from: 160 x 64, white, with a black frame, a
// black bar and a grey block (which a one-bit logo makes black too).
bool MakePicture(CBitmap& picture)
{
    constexpr int width = 160, height = 64;
    std::vector<DWORD> pixels(width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool frame = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            const bool bar = y >= 20 && y < 28 && x >= 10 && x < 90;
            const bool grey = y >= 36 && y < 56 && x >= 100 && x < 140;
            pixels[y * width + x] = frame || bar ? 0x000000 : grey ? 0x808080 : 0xFFFFFF;
        }
    return picture.Attach(::CreateBitmap(width, height, 1, 32, pixels.data()));
}

void PrepareFolder()
{
    if (FileExists(kRoot)) {
        ASSERT_TRUE(RemoveTree(kRoot)) << "the last run's files stay in the way";
    }
    for (const wchar_t* folder : {L"", L"\\Data", L"\\Bmp", L"\\Cap", L"\\Export", L"\\Received"})
        ASSERT_TRUE(::CreateDirectoryW((std::wstring(kRoot) + folder).c_str(), nullptr)) << ::GetLastError();
    // The stand-ins run from the folder as from beside the program; the
    // register is the folder Register beside Tillwire.
    ASSERT_EQ(1, CopyFiles(ProgramFolder(), kRoot, L"Tillwire.exe"));
    ASSERT_EQ(1, CopyFiles(ProgramFolder(), kRoot, L"Tillmark.exe"));
}

// The library's data files, committed as the screens commit them, and a
// table exported as CSV.
void WriteDataGroups()
{
    const std::wstring data = Path(L"Data");
    LibraryState::Instance().SetFolder(data.c_str());
    for (const wchar_t* name : FixedRecords::TableGroupNames()) {
        TableGroup* group = FixedRecords::TableGroupNamed(name);
        ASSERT_NE(nullptr, group) << name;
        group->Reset();
        group->LoadData(data.c_str());  // no file yet: empty tables
        FixedRecords::Fill(*group);
        EXPECT_EQ(TRUE, group->CommitData(0)) << name;
    }
    EXPECT_EQ(TRUE, FixedRecords::TableGroupNamed(L"PLU")->ExportCsv(0, Path(L"Export\\PLU.CSV").c_str()));
}

// The logo screen's conversion: the logo drawn at its size and saved as
// temp.bmp in the BMP folder, converted by Tillmark with the logo's
// parameters, then set as the register's logo by the logo viewer; the
// second logo made blank ("logo initial").
void WriteLogos()
{
    CEcrGraphic* logo = FixedRecords::LogoNamed(L"LOGO1");
    CEcrGraphic* blank = FixedRecords::LogoNamed(L"LOGO2");
    ASSERT_TRUE(logo && blank && logo->GetTable(0) && blank->GetTable(0));
    CBitmap picture;
    ASSERT_TRUE(MakePicture(picture));
    LogoRenderer renderer(logo->GetTable(0)->FieldCount, logo->GetTable(0)->RecordCount);
    ASSERT_TRUE(renderer.IsValid());
    renderer.DrawPicture(picture);
    CBitmap rendered;
    ASSERT_TRUE(rendered.Attach(renderer.CreateLogoBitmap(logo->BitsPerPixel)));
    CImage image;
    image.Attach(rendered);
    const HRESULT saved = image.Save(Path(L"Bmp\\temp.bmp").c_str());
    image.Detach();  // `rendered` keeps the bitmap
    ASSERT_EQ(S_OK, saved);

    const CString output = LogoOutputName(L"photo.bmp", logo->LogoName);
    std::wstring line =
        Quoted(Path(L"Tillmark.exe")) + L" " + Quoted(Path(L"Bmp\\")) + L" temp.bmp " + output.GetString();
    for (int param : logo->Params)
        line += L" " + std::to_wstring(param);
    ASSERT_EQ(TILLMARK_SUCCESS, RunChild(line));

    const std::wstring converted = Path(L"Bmp\\") + output.GetString();
    EXPECT_TRUE(LogoFile::CopyOver(converted.c_str(), (Path(L"Data\\") + logo->FileName).c_str()));
    const S_ECR_TABLE* size = blank->GetTable(0);
    const size_t blankBytes = static_cast<size_t>(size->FieldCount) * static_cast<size_t>(size->RecordCount) / 8;
    EXPECT_TRUE(LogoFile::WriteBlank((Path(L"Data\\") + blank->FileName).c_str(), blankBytes));
}

// A new caption file, with a caption with a font and a tooltip, one of two
// lines and one with backslashes.
void WriteCaptions()
{
    CCaptionMgr captions;
    EXPECT_FALSE(captions.SetCaptionFile(Path(L"Cap").c_str(), L"WRITTEN", L"ENG")) << "a new file";
    S_ECR_CAP titled;
    LOGFONTW font = {};
    font.lfHeight = -12;
    font.lfWeight = FW_BOLD;
    font.lfCharSet = SHIFTJIS_CHARSET;
    wcscpy(font.lfFaceName, L"MS UI Gothic");
    ASSERT_TRUE(titled.Font.CreateFontIndirect(&font));
    titled.Text = L"データフォルダー";
    titled.TipOn = 1;
    titled.TipText = L"Where the register's files are kept";
    EXPECT_TRUE(captions.SetCaption(1, 0, &titled));
    S_ECR_CAP twoLines;
    twoLines.Text = L"Send\r\nall";
    EXPECT_TRUE(captions.SetCaption(1, 1, &twoLines));
    S_ECR_CAP path;
    path.Text = L"C:\\Data\\";
    EXPECT_TRUE(captions.SetCaption(16, 3, &path));
    captions.FlushCaptions();
}

// The settings file of a first run, written at exit: a negative address,
// quoted and non-ANSI values.
void WriteSettings()
{
    CurrentDirectoryScope here(kRoot);  // the settings file is the current folder's
    S_ECR_SETTING settings;
    settings.DataPath = L".\\Data";
    settings.EcrName = L"02 VORN-K2";
    settings.Language = L"JPN";
    settings.CapPath = L".\\Cap";
    settings.BmpPath = L".\\Bmp";
    settings.IpREG = static_cast<int>(0xC801A8C0u);  // 192.168.1.200, first octet in the low byte
    settings.Tillwire = L".\\Tillwire.exe";
    settings.Tillmark = L"C:\\Program Files\\Vorn\\Tillmark.exe";
    settings.LogoAnim = L" findds.avi";  // a blank at the edge: written in quotes
    settings.PortNo = 2;
    settings.BaudRate = 38400;
    settings.ByteSize = 7;
    settings.Parity = 2;
    settings.SAnime = L".\\送信.avi";
    settings.RAnime = L".\\Café.avi";  // outside code page 932
    EXPECT_TRUE(settings.SaveSettings()) << ::GetLastError();
}

// The key list's file: texts and colours. Every row gets colours of its
// own: the defaults are the system's, which differ from one desktop to
// another.
void WriteKeyList()
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, L"STATIC", L"key list host", WS_POPUP, CRect(0, 0, 200, 200), nullptr, 0));
    CBtnListCtrl list;
    ASSERT_TRUE(list.Create(CRect(0, 0, 120, 160), &host, 3040));
    ASSERT_TRUE(list.InitList());
    const struct
    {
        const wchar_t* name;
        COLORREF text;
        COLORREF back;
    } rows[] = {
        {L"PLU 1", RGB(0, 0, 128), RGB(255, 255, 255)},
        {L"現金", RGB(200, 0, 0), RGB(255, 255, 192)},
        {L"\"CLEAR\"", RGB(0, 0, 0), RGB(224, 224, 224)},
    };
    CStringArray names;
    for (const auto& row : rows)
        names.Add(row.name);
    ASSERT_EQ(3, list.FillList(names));
    for (int r = 0; r < 3; ++r) {
        EXPECT_TRUE(list.SetItemFgColour(r, 0, rows[r].text));
        EXPECT_TRUE(list.SetItemBkColour(r, 0, rows[r].back));
    }
    EXPECT_TRUE(list.SaveList(Path(L"KeyList.txt").c_str()));
}

// Tillwire's command line for a group, as the transfer dialog writes it
// for the USB port.
std::wstring GroupLine(int direction, const std::wstring& folder, CEcrData& group)
{
    return Quoted(Path(L"Tillwire.exe")) + L" 0 19200 " + std::to_wstring(direction) + L" " + Quoted(folder + L"\\") +
           L" " + std::to_wstring(group.GroupId) + L" ECR 1 " + std::to_wstring(group.GetRegisterParam()) + L" 0 1";
}

std::wstring ReportLine(int reportId)
{
    return Quoted(Path(L"Tillwire.exe")) + L" 0 19200 0 " + Quoted(Path(L"Data\\")) + L" " +
           std::to_wstring(reportId) + L" CSV 2 1 99 1";
}

// Tillwire's runs: groups sent into the register folder and one received
// back into a folder of its own; the register's raw reports received into
// the data folder.
void TransferWithTheRegister()
{
    CEcrData* dept = FixedRecords::TableGroupNamed(L"DEPT");
    CEcrData* logo = FixedRecords::LogoNamed(L"LOGO1");
    ASSERT_TRUE(dept && logo);
    EXPECT_EQ(TW_OK, RunChild(GroupLine(1, Path(L"Data"), *dept)));
    EXPECT_EQ(TW_OK, RunChild(GroupLine(1, Path(L"Data"), *logo)));
    EXPECT_EQ(TW_OK, RunChild(GroupLine(0, Path(L"Received"), *dept)));
    for (const ReportKind& kind : FixedRecords::DeliveredReports()) {
        EcrTable rows(kind.layout, kind.fields);
        FixedRecords::FillReport(kind, rows);
        const std::vector<BYTE> raw = ReportSet::EncodeRaw(kind.key, rows);
        const std::wstring name = std::wstring(kind.prefix) + L"1230.VKR";
        ASSERT_TRUE(AtomicFile::Write(Path(L"Register\\" + name).c_str(), raw.data(), raw.size()));
        EXPECT_EQ(TW_OK, RunChild(ReportLine(kind.key)));
        // Received now, the report would go to today's folder: the
        // register's closing time fixes the folder that report.lst names.
        EXPECT_TRUE(StampFile(Path(L"Data\\" + name), ReportTime()));
    }
}

// The received reports converted into CSV files under their date, and
// report.lst, which the report viewer's group writes beside the running
// program (here the test's folder), copied into the written folder.
void ConvertReports()
{
    const std::wstring data = Path(L"Data");
    GroupRegistry& registry = GroupRegistry::Instance();
    CEcrReportSet* set = AsReportSet(registry.FromWndNo(VornK2Model::WND_REPORT_SET));
    ASSERT_NE(nullptr, set);
    ASSERT_EQ(TRUE, set->LoadData(data.c_str()));
    ASSERT_EQ(2, ReportFileCount(set));
    for (int i = 0; i < ReportFileCount(set); ++i)
        EXPECT_EQ(TRUE, set->ConvertReport(i, 0));
    CEcrData* reports = registry.FromWndNo(VornK2Model::WND_REPORTS);
    ASSERT_NE(nullptr, reports);
    reports->Reset();
    EXPECT_EQ(TRUE, reports->LoadData(data.c_str()));
    EXPECT_TRUE(::CopyFileW(ReportGroup::ReportListPath(), Path(L"report.lst").c_str(), FALSE)) << ::GetLastError();
}

// The chart data file of the converted DEPT report; the viewer is not
// started, its file is the output.
void BuildChart()
{
    TempFolder definitions;
    definitions.Write(L"Chart.prm", std::string(kChartDefinition) + "\r\n");
    ChartBuilder builder([](const CString&, const CString&) { return true; });
    const CString dateFolder = DateFolderName(ReportTime());
    builder.BuildChart(definitions.File(L"Chart.prm").c_str(),
                       Path(L"Data\\" + std::wstring(dateFolder.GetString()) + L"\\DEPT.CSV").c_str(),
                       Path(L"EcrChart.dat").c_str(), L"Plotvane.exe");
    EXPECT_TRUE(FileExists(Path(L"EcrChart.dat")));
}

} // namespace

std::wstring Path(const std::wstring& relative)
{
    return std::wstring(kRoot) + L"\\" + relative;
}

std::wstring ReferenceFolder()
{
    return ProgramFolder() + L"\\written-expected";
}

FILETIME ReportTime()
{
    SYSTEMTIME closing = {2026, 12, 0, 30, 22, 0, 0, 0};
    FILETIME local = {}, utc = {};
    if (!::SystemTimeToFileTime(&closing, &local) || !::LocalFileTimeToFileTime(&local, &utc))
        ADD_FAILURE() << "no file time for the closing time: " << ::GetLastError();
    return utc;
}

bool StampFile(const std::wstring& path, const FILETIME& time)
{
    HANDLE file =
        ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool stamped = ::SetFileTime(file, nullptr, nullptr, &time) != FALSE;
    ::CloseHandle(file);
    return stamped;
}

void WriteEveryKind()
{
    ASSERT_NO_FATAL_FAILURE(PrepareFolder());
    ASSERT_NO_FATAL_FAILURE(WriteDataGroups());
    ASSERT_NO_FATAL_FAILURE(WriteLogos());
    ASSERT_NO_FATAL_FAILURE(WriteCaptions());
    ASSERT_NO_FATAL_FAILURE(WriteSettings());
    ASSERT_NO_FATAL_FAILURE(WriteKeyList());
    ASSERT_NO_FATAL_FAILURE(TransferWithTheRegister());
    ASSERT_NO_FATAL_FAILURE(ConvertReports());
    ASSERT_NO_FATAL_FAILURE(BuildChart());
}

} // namespace WrittenSet
