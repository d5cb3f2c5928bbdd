// A minimal child program on the stand-in kit, for the kit's own tests:
// waits Delay ms (cancellable), then ends with ExitCode from its ini; a
// setting that cannot be read ends it with 0x03050000.
#include "StandinProgram.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    StandinProgram program(L"Standin probe");
    CString args;
    for (const CString& arg : program.Args())
        args += L"[" + arg + L"]";
    program.SetStatus(args);
    const DWORD delay = program.IniNumber(L"Delay", 0);
    const DWORD exitCode = program.IniCode(L"ExitCode").value_or(0);
    if (program.ShowSettingsFault())
        return program.Finish(0x03050000);
    if (!program.Wait(delay))
        return program.Finish(0x02010000);
    return program.Finish(static_cast<int>(exitCode));
}
