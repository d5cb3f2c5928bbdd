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

    // Creates folder (a relative path counts from the current folder) and
    // every missing folder above it, for files about to be written into it;
    // true when it is there. False when it cannot be made, with the system's
    // error code left in GetLastError().
    static bool CreateFolder(const CString& folder);

    // The system's text for `error` without its closing full stop, as the
    // messages put it in brackets; "error N" when the system has none.
    static CString SystemReason(DWORD error);
    // What the user is told when a write failed: the file named, the system's
    // reason for `error`, and that the previous file is kept only when there
    // is one. Every writer reports through this text. The formats (captions)
    // put the file at "%1" and the reason at "%2": `keptFormat` when the file
    // is there, `noFileFormat` when it is not; null or empty gives the
    // English text.
    static CString FailureMessage(const CString& path, DWORD error, const wchar_t* keptFormat = nullptr,
                                  const wchar_t* noFileFormat = nullptr);
    // What the user is told when the folder a file goes into could not be
    // created: the file, the folder's full path and the system's reason. The
    // format (a caption) puts the file at "%1", the reason at "%2" and the
    // folder at "%3"; null or empty gives the English text.
    static CString FolderFailureMessage(const CString& path, const CString& folder, DWORD error,
                                        const wchar_t* format = nullptr);
};
