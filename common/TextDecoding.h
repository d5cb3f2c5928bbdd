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

// The bytes of an ANSI code page (UTF-8 included) as UTF-16, each character
// as the code page reads it and kReplacementMark for each unit of bytes that
// forms none: a byte no character starts with, a lead byte before a byte
// that follows no lead byte (as a register leaves when it cuts a name in the
// middle of a character; that byte is read on its own, so no neighbour such
// as a closing quote or a line end is lost with it), a lead byte with a trail
// byte that the code page assigns nothing, or the broken start of a UTF-8
// sequence. A single byte the code page reads only loosely keeps that
// reading (A0, FD to FF in code page 932, which the register uses).
std::wstring DecodeAnsi(UINT codePage, const char* bytes, size_t size);

// Appends the character the bytes start with, as DecodeAnsi reads it, and
// returns how many bytes it took (at least one). `codePage` is a number, not
// CP_ACP or its kin.
size_t AppendAnsiCharacter(UINT codePage, const char* bytes, size_t size, std::wstring& text);
