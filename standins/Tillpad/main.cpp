// Tillpad: the keyboard layout program. Shows, read-only, the key layout
// saved in the data folder that "Tilldesk.ini" in the current folder names.
//
// Exit codes: 0 closed after showing the layout, 1 the settings or the
// keyboard data could not be read, 2 closed before the layout was read.
// Tillpad.ini beside the program, section [Settings]: Delay (milliseconds
// before reading), ExitCode (forced, when not 0), FailShowMs.
#include <windows.h>

#include "KeyLayout.h"
#include "LayoutPainter.h"
#include "StandinProgram.h"

namespace {

int Finish(StandinProgram& program, int code)
{
    const int forced = program.IniInt(L"ExitCode", 0);
    return program.Finish(forced ? forced : code);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    StandinProgram program(L"Tillpad - Key layout", 720, 480);
    program.SetStatus(L"Reading the key layout...");
    if (!program.Wait(static_cast<DWORD>(program.IniInt(L"Delay", 0))))
        return Finish(program, 2);

    KeyLayout layout;
    std::wstring error;
    if (!KeyLayout::Read(layout, error)) {
        program.ShowFailure(error.c_str());
        return Finish(program, 1);
    }
    program.SetPainter([&layout](HDC dc, const RECT&) { PaintLayout(dc, layout); });
    while (program.Wait(INFINITE)) {
    }
    return Finish(program, 0);
}
