#pragma once

#include <cstddef>
#include <string>
#include <vector>
#include <windows.h>

// How a text file the program reads was written, decided from the whole file.
enum class TextEncoding { Utf16LE, Utf16BE, Utf8, Ansi };

// The file's text without its byte-order mark. A mark decides; without one,
// UTF-16LE when the bytes look like it (a NUL in every second byte of ASCII
// text), then UTF-8 when `guessUtf8` is set and the whole file is valid UTF-8
// with at least one byte above 0x7F, else the ANSI code page.
std::wstring DecodeText(const BYTE* bytes, size_t size, bool guessUtf8, TextEncoding* found = nullptr);

// The file's lines as DecodeText reads it, each without its end (CR LF, LF or
// CR alone). Text of the ANSI code page or UTF-8 is split on its bytes and
// each line decoded alone, so a line ending in half a character keeps its
// line end and the next line stays whole.
std::vector<std::wstring> DecodeLines(const BYTE* bytes, size_t size, bool guessUtf8);

// Whether the bytes are valid UTF-8 with at least one byte above 0x7F.
bool IsUtf8WithHighBytes(const BYTE* bytes, size_t size);
// The bytes of a code page (CP_UTF8 included) as UTF-16.
std::wstring DecodeCodePage(UINT codePage, const BYTE* bytes, size_t size);

// Shown in place of bytes that form no character.
constexpr wchar_t kReplacementMark = 0xFFFD;

// The bytes of an ANSI code page (not UTF-8) as UTF-16. A lead byte that
// forms no character with the byte after it, as a register leaves when it
// cuts a name in the middle of a character, gives kReplacementMark and the
// byte after it is read on its own, so no neighbour is lost with it (the
// code page alone would take that byte, a closing quote or a line end, into
// the broken character). Every other byte converts as the code page has it.
std::wstring DecodeAnsi(UINT codePage, const char* bytes, size_t size);
