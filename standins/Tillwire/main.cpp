// Tillwire.exe: the communication program. It moves one data group or
// report per run between the data folder and the register, here a folder
// "Register" beside the program, and ends with an exit code (TillwireCodes.h).
//
// Tillwire.ini beside it, section [Settings], may hold:
//   Delay=<ms>           how long the item takes
//   Offline=1            the register does not answer
//   FailECR<group id>=<exit code>, FailCSV<report id>=<exit code>
//   FailShowMs=<ms>      how long a failure stays in the window
//   CloseDelay=<ms>      how long it goes on after a close request
// so that slow, failing and cancelled transfers can be tried.
#include <cwchar>

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

// Waits out the item's delay, showing how far it got; false when cancelled.
bool TakeTime(StandinProgram& program, const CString& what)
{
    DWORD delay = static_cast<DWORD>(program.IniInt(L"Delay", 0));
    for (DWORD elapsed = 0; elapsed < delay; elapsed += kProgressStepMs) {
        CString status;
        status.Format(L"%s\n%u %%", what.GetString(), elapsed * 100 / delay);
        program.SetStatus(status);
        if (!program.Wait(delay - elapsed < kProgressStepMs ? delay - elapsed : kProgressStepMs))
            return false;
    }
    return program.Wait(0);
}

TillwireExitCode Transfer(StandinProgram& program, const Request& request, CString& message)
{
    CString port;
    if (program.IniInt(L"Offline", 0) != 0) {
        message = L"The register does not answer.";
        return TW_OFFLINE;
    }
    if (!request.lan && !FindPort(request.portIndex, port)) {
        message.Format(L"There is no port %d.", request.portIndex);
        return TW_NO_SUCH_PORT;
    }
    CString key;
    key.Format(L"Fail%s%d", request.kind == Request::Kind::Group ? L"ECR" : L"CSV", request.id);
    CString forced = program.IniString(key);
    if (!forced.IsEmpty()) {
        message = L"Failure set in Tillwire.ini: " + key;
        return static_cast<TillwireExitCode>(wcstoul(forced, nullptr, 0));
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
    CString what = request.Describe();
    if (!TakeTime(program, what))
        return program.Finish(static_cast<int>(TW_CANCELLED));
    CString message;
    TillwireExitCode code = Transfer(program, request, message);
    if (code != TW_OK) {
        program.ShowFailure(what + L"\n" + message);
        // A cancel while the failure shows changes nothing: the item failed.
    }
    return program.Finish(static_cast<int>(code));
}
