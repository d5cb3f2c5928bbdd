// Plotvane: the chart viewer. Reads the chart file named by its argument
// line before it shows its window (the next chart may replace the file at
// once) and draws it until closed. Exit code 1 when the chart file or a
// setting of Plotvane.ini (CloseAfterMs, ExitCode in hexadecimal) cannot be
// read.
#include "ChartFile.h"
#include "ChartPainter.h"
#include "StandinProgram.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    ChartFile chart;
    CString error;
    const bool loaded = chart.Load(StandinProgram::ArgumentText(::GetCommandLineW()), error);

    StandinProgram program(L"Plotvane", 720, 460);
    if (!loaded) {
        program.ShowFailure(error);
        return program.Finish(1);
    }
    const DWORD closeAfter = program.IniNumber(L"CloseAfterMs", INFINITE);
    const DWORD exitCode = program.IniCode(L"ExitCode").value_or(0);
    if (program.ShowSettingsFault())
        return program.Finish(1);
    ::SetWindowTextW(program.Window(), L"Plotvane - " + chart.Key + L" " + chart.Report);
    program.SetPainter([&chart](HDC dc, const RECT& client) { PaintChart(dc, client, chart); });
    if (!program.Wait(closeAfter))
        return program.Finish(0);
    return program.Finish(static_cast<int>(exitCode));
}
