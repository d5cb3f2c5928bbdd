// Result codes of a logo conversion: the logo conversion program's exit
// codes and the conversion dialog's own failures, in one 32-bit space.
#pragma once

#include <windows.h>

// Success: the output file is ready. The code lies from this base up to
// TILLMARK_SUCCESS_SPAN above it.
constexpr DWORD TILLMARK_SUCCESS = 0x01000000;
constexpr DWORD TILLMARK_SUCCESS_SPAN = 0x6464;
constexpr DWORD TILLMARK_CANCELLED = 0x02010000;

constexpr DWORD TILLMARK_BUSY = 0xF0010000;          // a conversion runs already
constexpr DWORD TILLMARK_NO_THREAD = 0xF0020000;     // the worker did not start
constexpr DWORD TILLMARK_NOT_STARTED = 0xF0030000;   // the program did not start
constexpr DWORD TILLMARK_NO_BITMAP = 0xF0040000;     // nothing was rendered; no conversion ran
constexpr DWORD TILLMARK_WAIT_FAILED = 0xF0050000;   // waiting for the program failed

inline bool IsTillmarkSuccess(DWORD code)
{
    return code - TILLMARK_SUCCESS <= TILLMARK_SUCCESS_SPAN;
}
