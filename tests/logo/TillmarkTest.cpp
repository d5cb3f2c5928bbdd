#include <gtest/gtest.h>

#include "CChildProgram.h"
#include "CommandLine.h"
#include "RawCommandLine.h"
#include "LogoConversion.h"
#include "LogoFixture.h"
#include "TempFolder.h"
#include "TestFiles.h"
#include "TillmarkCodes.h"
#include "WindowPicture.h"

namespace {

// Tillmark.exe copied into a folder of its own, so its log and settings
// belong to one test.
struct TillmarkCopy
{
    TempFolder folder;
    TempFolder work;  // the BMP folder

    TillmarkCopy() { CopyTillmark(folder); }
    std::wstring CommandLine(const std::wstring& output = L"PHOTO_LOGO1.ECR") const
    {
        return L"\"" + folder.File(L"Tillmark.exe") + L"\" \"" + work.Path() + L"\\\" temp.bmp " + output +
               L" 32 8 1 8 0";
    }
    PROCESS_INFORMATION Start(const std::wstring& line, WORD show = SW_SHOWMINNOACTIVE) const
    {
        std::wstring buffer = line;
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = show;
        PROCESS_INFORMATION child = {};
        EXPECT_TRUE(CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child));
        return child;
    }
    DWORD Finish(PROCESS_INFORMATION& child) const
    {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(child.hProcess, 20000));
        DWORD code = 0;
        GetExitCodeProcess(child.hProcess, &code);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
        return code;
    }
    DWORD Run(const std::wstring& line) const
    {
        PROCESS_INFORMATION child = Start(line);
        return Finish(child);
    }
};

// The child's visible window, waited for up to five seconds.
HWND WindowOf(const PROCESS_INFORMATION& child)
{
    HWND found = nullptr;
    for (int i = 0; i < 200 && !found; ++i) {
        found = CChildProgram::MainWindowOf(child.dwProcessId);
        if (!found)
            Sleep(25);
    }
    return found;
}

// Posts WM_CLOSE to the child's window once it shows; false if it never does.
bool CloseWhenShown(const PROCESS_INFORMATION& child)
{
    HWND window = WindowOf(child);
    return window && PostMessageW(window, WM_CLOSE, 0, 0);
}

// White with a black frame and a grey block, 32 x 8.
COLORREF Sample(int x, int y)
{
    if (x == 0 || y == 0 || x == 31 || y == 7)
        return RGB(0, 0, 0);
    if (x >= 10 && x < 14)
        return RGB(128, 128, 128);
    return RGB(255, 255, 255);
}

} // namespace

TEST(TillmarkCommandLine, ReadsFolderNamesAndTheFiveNumbers)
{
    ConversionRequest r;
    auto parse = [&r](const wchar_t* line) { return ParseArguments(SplitRawCommandLine(line), r); };
    ASSERT_TRUE(parse(L"\".\\Tillmark.exe\" \"C:\\My Pictures\\Bmp\\\" temp.bmp PHOTO_LOGO1.ECR 384 96 1 8 0"));
    EXPECT_EQ(L"C:\\My Pictures\\Bmp", r.folder);
    EXPECT_EQ(L"temp.bmp", r.input);
    EXPECT_EQ(L"PHOTO_LOGO1.ECR", r.output);
    EXPECT_EQ((std::array<int, 5>{384, 96, 1, 8, 0}), r.params);

    // An output name with a blank: the numbers are taken from the right.
    ASSERT_TRUE(parse(L"\"T.exe\" \"D:\\\" temp.bmp MY PHOTO_LOGO1.ECR 384 48 1 -9 0"));
    EXPECT_EQ(L"D:", r.folder);
    EXPECT_EQ(L"MY PHOTO_LOGO1.ECR", r.output);
    EXPECT_EQ(-9, r.params[3]);

    EXPECT_FALSE(parse(L"\"T.exe\" \"D:\\\" temp.bmp OUT.ECR 384 48 1 8"));    // four numbers
    EXPECT_FALSE(parse(L"\"T.exe\" \"D:\\\" temp.bmp OUT.ECR 384 48 1 8 x"));  // not a number
    EXPECT_FALSE(parse(L""));
}

TEST(TillmarkConversion, WhiteBecomesZeroAndEverythingElseOne)
{
    TempFolder folder;
    folder.Write(L"in.bmp", MakeBmp(32, 8, Sample));
    std::vector<BYTE> logo;
    ASSERT_EQ(ConversionError::None, ConvertBitmapFile(folder.File(L"in.bmp"), 32, 8, logo));
    ASSERT_EQ(32u, logo.size());
    std::string bytes(logo.begin(), logo.end());
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 32; ++x)
            EXPECT_EQ(Sample(x, y) != RGB(255, 255, 255), LogoDot(bytes, 32, x, y)) << x << "," << y;

    // A logo larger than the picture is white beyond it.
    ASSERT_EQ(ConversionError::None, ConvertBitmapFile(folder.File(L"in.bmp"), 48, 10, logo));
    bytes.assign(logo.begin(), logo.end());
    EXPECT_TRUE(LogoDot(bytes, 48, 31, 0));
    EXPECT_FALSE(LogoDot(bytes, 48, 40, 0));
    EXPECT_FALSE(LogoDot(bytes, 48, 0, 9));

    folder.Write(L"broken.bmp", "BM not a picture");
    EXPECT_EQ(ConversionError::InputUnreadable, ConvertBitmapFile(folder.File(L"broken.bmp"), 32, 8, logo));
    EXPECT_EQ(ConversionError::InputUnreadable, ConvertBitmapFile(folder.File(L"missing.bmp"), 32, 8, logo));
    EXPECT_EQ(ConversionError::BadSize, ConvertBitmapFile(folder.File(L"in.bmp"), 0, 8, logo));

    // Found by the mutation suite: a picture cut short made the system's
    // loader read past the file's end and the converter crash.
    const std::string whole = MakeBmp(384, 96, Sample);
    folder.Write(L"cut.bmp", whole.substr(0, whole.size() * 7 / 8));
    EXPECT_EQ(ConversionError::InputUnreadable, ConvertBitmapFile(folder.File(L"cut.bmp"), 384, 96, logo));
}

TEST(TillmarkProgram, ConvertsLogsAndReportsSuccess)
{
    TillmarkCopy tillmark;
    tillmark.work.Write(L"temp.bmp", MakeBmp(32, 8, Sample));
    std::wstring line = tillmark.CommandLine();
    EXPECT_EQ(TILLMARK_SUCCESS, tillmark.Run(line));
    std::string logo = tillmark.work.Read(L"PHOTO_LOGO1.ECR");
    ASSERT_EQ(32u, logo.size());
    EXPECT_TRUE(LogoDot(logo, 32, 0, 0));
    EXPECT_TRUE(LogoDot(logo, 32, 11, 3));
    EXPECT_FALSE(LogoDot(logo, 32, 5, 3));
    EXPECT_FALSE(FileExists(tillmark.work.File(L"PHOTO_LOGO1.ECR.new")));

    // The log holds the raw command line and the code.
    std::string log = tillmark.folder.Read(L"Tillmark.log");
    int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), n, nullptr, nullptr);
    EXPECT_NE(std::string::npos, log.find("\t" + utf8 + "\t01000000\r\n")) << log;
}

TEST(TillmarkProgram, FailuresAndForcedCodes)
{
    TillmarkCopy tillmark;
    // A missing input is shown for a moment and fails. (A close sent while
    // it is shown would race with the reading on a busy machine, and a close
    // before the failure is a cancel.)
    tillmark.folder.Write(L"Tillmark.ini", "[Settings]\r\nFailShowMs=300\r\n");
    EXPECT_EQ(0x03020000u, tillmark.Run(tillmark.CommandLine()));
    EXPECT_FALSE(FileExists(tillmark.work.File(L"PHOTO_LOGO1.ECR")));

    // The settings file forces a code; nothing is converted.
    tillmark.work.Write(L"temp.bmp", MakeBmp(32, 8, Sample));
    tillmark.folder.Write(L"Tillmark.ini", "[Settings]\r\nExitCode=0x0A0B0C0D\r\n");
    EXPECT_EQ(0x0A0B0C0Du, tillmark.Run(tillmark.CommandLine()));
    EXPECT_FALSE(FileExists(tillmark.work.File(L"PHOTO_LOGO1.ECR")));
    std::string log = tillmark.folder.Read(L"Tillmark.log");
    EXPECT_NE(std::string::npos, log.find("\t03020000\r\n"));
    EXPECT_NE(std::string::npos, log.find("\t0A0B0C0D\r\n"));
}

// Codes are written as the log and the README write them, in hexadecimal:
// "03010000" is that code, not an octal number; a value that cannot be read
// is refused before any work, never taken for another code.
TEST(TillmarkProgram, ForcedCodesAreHexadecimalAndUnreadableSettingsAreRefused)
{
    TillmarkCopy tillmark;
    tillmark.work.Write(L"temp.bmp", MakeBmp(32, 8, Sample));
    tillmark.folder.Write(L"Tillmark.ini", "[Settings]\r\nExitCode=03010000\r\n");
    EXPECT_EQ(0x03010000u, tillmark.Run(tillmark.CommandLine()));
    for (const char* setting : {"ExitCode=0301000Z", "ExitCode=-1", "Delay=2s"}) {
        tillmark.folder.Write(L"Tillmark.ini", std::string("[Settings]\r\nFailShowMs=0\r\n") + setting + "\r\n");
        EXPECT_EQ(0x03050000u, tillmark.Run(tillmark.CommandLine())) << setting;
    }
    EXPECT_FALSE(FileExists(tillmark.work.File(L"PHOTO_LOGO1.ECR")));
    EXPECT_NE(std::string::npos, tillmark.folder.Read(L"Tillmark.log").find("\t03050000\r\n"));
}

TEST(TillmarkProgram, ClosingTheWindowCancels)
{
    TillmarkCopy tillmark;
    tillmark.work.Write(L"temp.bmp", MakeBmp(32, 8, Sample));
    tillmark.folder.Write(L"Tillmark.ini", "[Settings]\r\nDelay=20000\r\n");
    PROCESS_INFORMATION child = tillmark.Start(tillmark.CommandLine());
    EXPECT_TRUE(CloseWhenShown(child));
    EXPECT_EQ(TILLMARK_CANCELLED, tillmark.Finish(child));
    EXPECT_FALSE(FileExists(tillmark.work.File(L"PHOTO_LOGO1.ECR")));
}

// The window a user sees while a logo converts. It is a program of its own
// that takes no caption language: its texts are the same in every language.
TEST(TillmarkProgram, PictureOfItsWindow)
{
    TillmarkCopy tillmark;
    tillmark.work.Write(L"temp.bmp", MakeBmp(32, 8, Sample));
    tillmark.folder.Write(L"Tillmark.ini", "[Settings]\r\nDelay=20000\r\n");
    PROCESS_INFORMATION child = tillmark.Start(tillmark.CommandLine(), SW_SHOWNOACTIVATE);
    HWND window = WindowOf(child);
    ASSERT_NE(nullptr, window);
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    EXPECT_STREQ(L"Tillmark - logo conversion", title);
    Sleep(200);  // its status painted
    EXPECT_FALSE(SaveWindowPicture(window, L"tillmark-window").empty());
    EXPECT_TRUE(WindowShowsInk(window));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(TILLMARK_CANCELLED, tillmark.Finish(child));
}
