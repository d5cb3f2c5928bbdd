// Every kind of file the program and its stand-ins write, from the fixed
// records, into one fixed folder laid out like a program folder.
#pragma once

#include <string>

#include <windows.h>

namespace WrittenSet {

// C:\TilldeskWritten: the same path in the Wine prefix of either build (and
// on Windows), so the full paths that report.lst holds are the same too.
extern const wchar_t kRoot[];
// kRoot + "\" + relative.
std::wstring Path(const std::wstring& relative);
// The committed reference, copied beside the test program at build time.
std::wstring ReferenceFolder();

// One chart definition line: DEPT, one point per line, the name as label,
// the amount as value and the count as second value, sorted by value.
extern const char kChartDefinition[];
// The closing time the register gives its raw reports: 22:00 local on
// 30 December 2026, whose date folder is 20261230 in every time zone.
FILETIME ReportTime();
// Sets a file's last-write time; false when it could not be set.
bool StampFile(const std::wstring& path, const FILETIME& time);

// Empties kRoot and writes every kind of file into it, each the way the
// program or its stand-in writes it (README.md lists them).
void WriteEveryKind();

} // namespace WrittenSet
