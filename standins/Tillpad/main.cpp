// Tillpad: the keyboard layout program. Shows, read-only, the key layout
// saved in the data folder that "Tilldesk.ini" in the current folder names.
//
// Exit codes: 0 closed after showing the layout, 1 the settings or the
// keyboard data could not be read, 2 closed before the layout was read,
// 3 a setting of Tillpad.ini could not be read.
// Tillpad.ini beside the program, section [Settings]: Delay (milliseconds
// before reading), ExitCode (forced, when not 0; hexadecimal), FailShowMs.
#include <windows.h>

#include "KeyLayout.h"
#include "LayoutPainter.h"
#include "StandinProgram.h"

namespace {

constexpr int kBadSetting = 3;

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    StandinProgram program(L"Tillpad - Key layout", 720, 480);
    const DWORD delay = program.IniNumber(L"Delay", 0);
    const DWORD forced = program.IniCode(L"ExitCode").value_or(0);
    if (program.ShowSettingsFault())
        return program.Finish(kBadSetting);
    auto finish = [&](int code) { return program.Finish(forced ? static_cast<int>(forced) : code); };
    program.SetStatus(L"Reading the key layout...");
    if (!program.Wait(delay))
        return finish(2);

    KeyLayout layout;
    std::wstring error;
    if (!KeyLayout::Read(layout, error)) {
        program.ShowFailure(error.c_str());
        return finish(1);
    }
    program.SetPainter([&layout](HDC dc, const RECT&) { PaintLayout(dc, layout); });
    while (program.Wait(INFINITE)) {
    }
    return finish(0);
}
