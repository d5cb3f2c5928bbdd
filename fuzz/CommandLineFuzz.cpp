// Raw command lines of the child programs: whatever the line, writing the
// arguments found back (quoted, unless they hold a quote, which only an
// unquoted argument can) and splitting again gives the same arguments.
#include "FuzzDriver.h"
#include "RawCommandLine.h"

int wmain(int argc, wchar_t** argv)
{
    auto wide = [](const std::wstring& text) { return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2); };
    std::vector<std::string> seeds = {
        wide(L"\".\\Tillwire.exe\" 1 9600 R \"C:\\Data\\\" 17 3"),
        wide(L"Tillmark.exe \"C:\\My Bmp\\\" LOGO1.BMP 384 96 1 1 0"),
        wide(L"\"C:\\Prog\\Plotvane.exe\" C:\\x\\EcrChart.dat|PLU|PLU|1|0|Sales   |Count   |1"),
    };
    return RunFuzzDriver(argc, argv, "command_line", seeds, [](const std::string& input) {
        std::wstring line(reinterpret_cast<const wchar_t*>(input.data()), input.size() / 2);
        line = line.c_str();  // the system hands over text up to its first NUL
        const std::vector<CString> args = SplitRawCommandLine(line.c_str());
        CString again = L"prog.exe";
        for (const CString& arg : args) {
            const bool quote = arg.Find(L'"') < 0;
            FUZZ_CHECK(quote || (arg.Find(L' ') < 0 && !arg.IsEmpty() && arg[0] != L'"'), "a quoted argument kept a quote");
            again += quote ? L" \"" + arg + L"\"" : L" " + arg;
        }
        const std::vector<CString> split = SplitRawCommandLine(again);
        FUZZ_CHECK(split.size() == args.size(), "quoted arguments split differently");
        for (size_t i = 0; i < args.size(); ++i)
            FUZZ_CHECK(split[i] == args[i], "quoted argument came back changed");
    });
}
