// Tillwire.exe: the communication program. It moves one data group or
// report per run between the data folder and the register, here a folder
// "Register" beside the program, and ends with an exit code (TillwireCodes.h).
//
// Tillwire.ini beside it, section [Settings], may hold:
//   Delay=<ms>           how long the item takes
//   Offline=1            the register does not answer
//   FailECR<group id>=<code>, FailCSV<report id>=<code>
//                        end that item with the code, in hexadecimal (E0000003)
//   FailShowMs=<ms>      how long a failure stays in the window
//   CloseDelay=<ms>      how long it goes on after a close request
// so that slow, failing and cancelled transfers can be tried. A setting that
// cannot be read ends the run with TW_BAD_SETTING before anything is moved.
#include <optional>

#include <windows.h>

#include "ComPort.h"
#include "RegisterFolder.h"
#include "Request.h"
#include "StandinProgram.h"
#include "TillwireCodes.h"

namespace {

constexpr DWORD kProgressStepMs = 100;

// The sending program's port list is "USB", then every COM port that opens,
// in order; the index names an entry of it.
bool FindPort(int index, CString& name)
{
    if (index == 0) {
        name = L"USB";
        return true;
    }
    int found = 0;
    for (int n = 1; n <= 64; ++n) {
        if (ComPortOpens(n) && ++found == index) {
            name.Format(L"COM%d", n);
            return true;
        }
    }
    return false;
}

// What Tillwire.ini asks of this run.
struct RunSettings
{
    DWORD delay = 0;
    bool offline = false;
    CString failKey;              // FailECR<id> or FailCSV<id>
    std::optional<DWORD> failCode;  // the code to end with instead of moving the item
};

RunSettings ReadSettings(StandinProgram& program, const Request& request)
{
    RunSettings settings;
    settings.delay = program.IniNumber(L"Delay", 0);
    settings.offline = program.IniNumber(L"Offline", 0) != 0;
    settings.failKey.Format(L"Fail%s%d", request.kind == Request::Kind::Group ? L"ECR" : L"CSV", request.id);
    settings.failCode = program.IniCode(settings.failKey);
    return settings;
}

// Waits out the item's delay, showing how far it got; false when cancelled.
bool TakeTime(StandinProgram& program, const CString& what, DWORD delay)
{
    for (DWORD elapsed = 0; elapsed < delay; elapsed += kProgressStepMs) {
        CString status;
        status.Format(L"%s\n%u %%", what.GetString(), elapsed * 100 / delay);
        program.SetStatus(status);
        if (!program.Wait(delay - elapsed < kProgressStepMs ? delay - elapsed : kProgressStepMs))
            return false;
    }
    return program.Wait(0);
}

TillwireExitCode Transfer(StandinProgram& program, const Request& request, const RunSettings& settings,
                          CString& message)
{
    CString port;
    if (settings.offline) {
        message = L"The register does not answer.";
        return TW_OFFLINE;
    }
    if (!request.lan && !FindPort(request.portIndex, port)) {
        message.Format(L"There is no port %d.", request.portIndex);
        return TW_NO_SUCH_PORT;
    }
    if (settings.failCode) {
        message = L"Failure set in Tillwire.ini: " + settings.failKey;
        return static_cast<TillwireExitCode>(*settings.failCode);
    }
    RegisterFolder reg(program.Folder() + L"Register\\");
    if (request.kind == Request::Kind::Report)
        return reg.ReceiveReport(request.id, request.dataFolder, message);
    if (request.direction == 1)
        return reg.SendGroup(request.id, request.dataFolder, message);
    return reg.ReceiveGroup(request.id, request.dataFolder, message);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    StandinProgram program(L"Tillwire");
    Request request;
    CString error;
    if (!ParseRequest(program.Args(), request, error)) {
        program.ShowFailure(error);
        return program.Finish(static_cast<int>(TW_BAD_COMMAND_LINE));
    }
    const RunSettings settings = ReadSettings(program, request);
    if (program.ShowSettingsFault())
        return program.Finish(static_cast<int>(TW_BAD_SETTING));
    CString what = request.Describe();
    if (!TakeTime(program, what, settings.delay))
        return program.Finish(static_cast<int>(TW_CANCELLED));
    CString message;
    TillwireExitCode code = Transfer(program, request, settings, message);
    if (code != TW_OK) {
        program.ShowFailure(what + L"\n" + message);
        // A cancel while the failure shows changes nothing: the item failed.
    }
    return program.Finish(static_cast<int>(code));
}
