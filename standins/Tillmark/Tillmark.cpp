// Tillmark.exe: the logo conversion program. It converts <BMP folder>\<input>
// into the register's logo file <BMP folder>\<output> (LogoConversion.h) and
// ends with a result code; closing its window cancels. Tillmark.ini beside
// it may hold [Settings] Delay=<ms before the work>, ExitCode=<a code to end
// with instead of converting, in hexadecimal> and FailShowMs (see
// StandinProgram.h); a setting that cannot be read ends it with
// kBadSetting before the work.
#include <optional>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "CommandLine.h"
#include "LogoConversion.h"
#include "RawCommandLine.h"
#include "StandinProgram.h"
#include "TillmarkCodes.h"

namespace {

constexpr int kBadCommandLine = 0x03010000;
constexpr int kInputUnreadable = 0x03020000;
constexpr int kBadSize = 0x03030000;
constexpr int kOutputNotWritten = 0x03040000;
constexpr int kBadSetting = 0x03050000;

CString Text(const std::wstring& text)
{
    return CString(text.c_str());
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    StandinProgram program(L"Tillmark - logo conversion", 460, 140);
    ConversionRequest request;
    if (!ParseArguments(program.Args(), request)) {
        program.ShowFailure(L"The command line is not understood. Expected:\r\n"
                           L"\"<program>\" \"<BMP folder>\\\" <input> <output> <five numbers>");
        return program.Finish(kBadCommandLine);
    }
    const std::wstring input = request.folder + L"\\" + request.input;
    const std::wstring output = request.folder + L"\\" + request.output;
    const DWORD delay = program.IniNumber(L"Delay", 0);
    const std::optional<DWORD> forced = program.IniCode(L"ExitCode");
    if (program.ShowSettingsFault())
        return program.Finish(kBadSetting);
    program.SetStatus(L"Converting " + Text(input) + L"\r\ninto " + Text(output));
    if (!program.Wait(delay))
        return program.Finish(static_cast<int>(TILLMARK_CANCELLED));
    if (forced)
        return program.Finish(static_cast<int>(*forced));

    std::vector<BYTE> logo;
    switch (ConvertBitmapFile(input, request.params[0], request.params[1], logo)) {
    case ConversionError::None:
        break;
    case ConversionError::InputUnreadable:
        program.ShowFailure(L"The picture cannot be read:\r\n" + Text(input));
        return program.Finish(kInputUnreadable);
    default: {
        CString message;
        message.Format(L"A logo of %d x %d pixels cannot be made.", request.params[0], request.params[1]);
        program.ShowFailure(message);
        return program.Finish(kBadSize);
    }
    }
    if (!AtomicFile::Write(output.c_str(), logo.data(), logo.size())) {
        program.ShowFailure(AtomicFile::FailureMessage(output.c_str(), ::GetLastError()));
        return program.Finish(kOutputNotWritten);
    }
    return program.Finish(static_cast<int>(TILLMARK_SUCCESS));
}
