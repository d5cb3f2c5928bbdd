// Byte-exact file access for tests.
#pragma once

#include <string>

#include <windows.h>

std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

// UTF-16LE bytes of a text, with the byte-order mark when bom is set.
std::string Utf16(const std::wstring& text, bool bom = true);
// The text of UTF-16LE bytes (a leading byte-order mark dropped).
std::wstring FromUtf16(const std::string& bytes);

// The profile functions cache files: write the cache out and forget it
// before a file is read or changed by hand.
void FlushProfileCache(const std::wstring& path);

// The folder of the test program (built files such as Cap\ sit there).
std::wstring ProgramFolder();

// Removes a folder and everything in it; false when anything stays.
bool RemoveTree(const std::wstring& folder);

// Copies the files of a folder matching `pattern` (no subfolders) into
// another, which is made when missing; the number copied.
int CopyFiles(const std::wstring& from, const std::wstring& to, const wchar_t* pattern = L"*");
