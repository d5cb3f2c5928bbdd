// Readers of the program and its child programs, damaged: caption files,
// the key layout, BMPs turned into logos, and the raw argument lines of the
// logo conversion and communication programs.
#include "CCaptionMgr.h"
#include "CommandLine.h"
#include "FuzzDriver.h"
#include "FuzzFiles.h"
#include "GroupRegistry.h"
#include "KeyboardGroup.h"
#include "LibraryState.h"
#include "LogoConversion.h"
#include "RawCommandLine.h"
#include "Request.h"

namespace {

std::string Wide(const std::wstring& text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

std::wstring FromWide(const std::string& bytes)
{
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    return text.c_str();  // a command line ends at its first NUL
}

// Every caption a file may name is read, the cache is written back after a
// change, and the file written reads again.
int CaptionFiles(int argc, wchar_t** argv)
{
    const std::wstring folder = FuzzFolder(L"captionfile");
    std::vector<std::string> seeds = {ReadSample(L"Cap\\VORNK2DLL_ENG.CAP"), ReadSample(L"Cap\\VORNK2DLL_JPN.CAP")};
    return RunFuzzDriver(argc, argv, "caption_file", seeds, [&](const std::string& input) {
        const std::wstring path = folder + L"FUZZ_ENG.CAP";
        ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
        WriteInput(path, input);
        CCaptionMgr captions;
        captions.SetCaptionFile(folder.c_str(), L"FUZZ", L"ENG");
        for (int wnd : {0, 1, 2, 16, 268435456})
            for (int cap = 0; cap < 12; ++cap)
                captions.GetCaption(wnd, cap);
        if (S_ECR_CAP* first = captions.GetCaption(1, 0)) {
            S_ECR_CAP changed = {};
            changed.Text = first->Text + L" (changed)";
            captions.SetCaption(1, 0, &changed);
        }
        captions.FlushCaptions();
        CCaptionMgr again;
        again.SetCaptionFile(folder.c_str(), L"FUZZ", L"ENG");
        again.GetCaption(1, 0);
    });
}

// The key layout as the keyboard screen and the layout program read it:
// a key index outside the key list has no name and is never assignable;
// merged keys of any shape are read (the grid clips or refuses them).
int KeyLayout(int argc, wchar_t** argv)
{
    const std::wstring folder = FuzzFolder(L"keylayout");
    LibraryState::Instance().SetFolder(folder.c_str());
    std::vector<std::string> seeds = {ReadSample(L"Data\\KEYBOARD.VK2")};
    return RunFuzzDriver(argc, argv, "key_layout", seeds, [&](const std::string& input) {
        WriteInput(folder + L"KEYBOARD.VK2", input);
        CEcrData* group = GroupRegistry::Instance().FromWndNo(23);
        group->Reset();
        group->LoadData(folder.c_str());
        KeyboardGroup keys(group->GetTable(0), group->GetTable(1), group->GetTable(2));
        for (int row = 0; row < keys.Rows(); ++row)
            for (int col = 0; col < keys.Columns(); ++col) {
                const int key = keys.KeyAt(row, col);
                if (key < 0 || key >= keys.KeyCount())
                    FUZZ_CHECK(keys.KeyName(key).IsEmpty() && !keys.IsAssignable(key),
                               "a key outside the key list has a name or can be assigned");
            }
        keys.MergedKeys();
    });
}

// A BMP of any shape becomes a logo of exactly its size, or an error.
int BitmapLogo(int argc, wchar_t** argv)
{
    const std::wstring folder = FuzzFolder(L"bmplogo");
    std::vector<std::string> seeds = ReadSamples(L"Bmp\\*.bmp");
    return RunFuzzDriver(argc, argv, "bmp_logo", seeds, [&](const std::string& input) {
        WriteInput(folder + L"input.bmp", input);
        const int width = input.size() % 2 ? 384 : 64, height = input.size() % 3 ? 96 : 8;
        std::vector<BYTE> logo;
        if (ConvertBitmapFile(folder + L"input.bmp", width, height, logo) == ConversionError::None)
            FUZZ_CHECK(logo.size() == static_cast<size_t>(width * height / 8), "a logo of the wrong size");
    });
}

// The child programs' argument lines: understood or refused, never more.
int ChildArguments(int argc, wchar_t** argv)
{
    std::vector<std::string> seeds = {
        Wide(L"\".\\Tillmark.exe\" \"C:\\Bmp\\\" LOGO1.BMP LOGO1_LOGO1.ECR 384 96 1 1 0"),
        Wide(L"\".\\Tillmark.exe\" \"C:\\My Bmp\\\" My Logo.BMP MY LOGO_LOGO1.ECR 384 96 1 1 0"),
        Wide(L"\".\\Tillwire.exe\" 0 19200 0 \"C:\\Data\\\" 1 1 0 0 0 0"),
        Wide(L"\".\\Tillwire.exe\" L 192.168.1.20 1 \"C:\\Data\\\" 11 2 2 1 99 0"),
    };
    return RunFuzzDriver(argc, argv, "child_arguments", seeds, [](const std::string& input) {
        const std::vector<CString> args = SplitRawCommandLine(FromWide(input).c_str());
        ConversionRequest conversion;
        if (ParseArguments(args, conversion))
            FUZZ_CHECK(!conversion.input.empty() && !conversion.output.empty(), "a conversion without files");
        Request request;
        CString error;
        if (ParseRequest(args, request, error))
            FUZZ_CHECK(request.count == 1 || request.count == 2, "a report request with no range count");
    });
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    SilenceMessageBoxes();
    const std::wstring self(argv[0]);
    if (self.find(L"key_layout") != std::wstring::npos)
        return KeyLayout(argc, argv);
    if (self.find(L"bmp_logo") != std::wstring::npos)
        return BitmapLogo(argc, argv);
    if (self.find(L"child_arguments") != std::wstring::npos)
        return ChildArguments(argc, argv);
    return CaptionFiles(argc, argv);
}
