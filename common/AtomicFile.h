#pragma once

#include <vector>
#include <windows.h>

#include "afx.h"

// Whole-file reads and writes. A write goes to a temporary file beside the
// target and then replaces it, so a failed write leaves the old file whole.
class AtomicFile
{
public:
    enum class ReadResult { Ok, Missing, Failed };

    // Files larger than `limit` bytes fail.
    static ReadResult Read(const CString& path, std::vector<BYTE>& bytes, size_t limit);
    // Opens an existing file for reading as the C runtime's fopen does,
    // sharing read, write and delete: a file another program holds open
    // (a report in a spreadsheet) still reads. INVALID_HANDLE_VALUE on failure.
    static HANDLE OpenForReading(const CString& path);
    // False on any failure, with the system's error code left in
    // GetLastError() and the old file (if any) untouched.
    static bool Write(const CString& path, const void* data, size_t size);

    // The system's text for `error`, or "error N" when it has none.
    static CString SystemReason(DWORD error);
    // What the user is told when a write failed: the file named and the
    // system's reason for `error`. Every writer reports through this text:
    // `format` (a caption) puts the file at "%1" and the reason at "%2";
    // null or empty gives the English text.
    static CString FailureMessage(const CString& path, DWORD error, const wchar_t* format = nullptr);
};
