// Register text: the bytes of a text field and their conversion to UTF-16.
#pragma once

#include <windows.h>

#include "afx.h"

// The ANSI code page of the calling thread's locale.
UINT ThreadCodePage();

// UTF-16 and ANSI code-page bytes of the calling thread, both ways. Bytes
// that form no character read as kReplacementMark (DecodeAnsi).
CStringA TextToAnsi(const CString& text);
CString AnsiToText(const char* bytes, int length);

// Register bytes to text and back: through the caption manager's character
// table, or through the ANSI code page with `plain` or without a caption manager.
CString RegisterToText(const char* bytes, int length, bool plain);
CStringA TextToRegister(const CString& text, bool plain);

// Whether the bytes are text the register keeps: characters of the thread's
// code page, and single bytes that the character table or the code page turn
// into a character converting back to the same byte, though the code page
// alone counts them as no characters (the table's A0 for the multiplication
// sign, FF through code page 932).
bool IsRegisterText(const char* bytes, int length);

// How many of the first `length` bytes fit into `width` bytes without
// splitting a double-byte character of the thread's code page.
int FitRegisterBytes(const char* bytes, int length, int width);
