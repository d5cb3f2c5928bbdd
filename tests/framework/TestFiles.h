// Files for the framework tests: a temporary folder per test and byte-exact
// reading and writing.
#pragma once

#include <string>

#include <windows.h>

// A fresh folder under the temporary folder, removed with its contents at the end.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    // Path() + "\" + name.
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

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
