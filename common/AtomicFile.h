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
    static bool Write(const CString& path, const void* data, size_t size);
};
