// A minimal child program on the stand-in kit, for the kit's own tests:
// waits Delay ms (cancellable), then ends with ExitCode from its ini.
#include "StandinProgram.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    StandinProgram program(L"Standin probe");
    CString args;
    for (const CString& arg : program.Args())
        args += L"[" + arg + L"]";
    program.SetStatus(args);
    if (!program.Wait(static_cast<DWORD>(program.IniInt(L"Delay", 0))))
        return program.Finish(0x02010000);
    return program.Finish(program.IniInt(L"ExitCode", 0));
}
