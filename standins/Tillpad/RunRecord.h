#pragma once

#include <string>

#include <windows.h>

// What every run of a stand-in leaves behind and may be told: one line per
// run in <Name>.log beside the program (local time, the raw command line,
// the exit code) and optional settings in <Name>.ini beside it.
class RunRecord
{
public:
    explicit RunRecord(const wchar_t* name);

    // A number from section [Tillpad] of the ini file, or the default.
    int Setting(const wchar_t* key, int defaultValue) const;
    // Appends the log line and returns the exit code to end with: the
    // forced one (ExitCode in the ini file) when it is set.
    int Finish(int exitCode) const;

private:
    std::wstring m_name;
    std::wstring m_folder;  // the program's folder, ending in a backslash
};
