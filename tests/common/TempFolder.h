// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <string>

#include <windows.h>

class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    // Path() + "\" + name.
    std::wstring File(const wchar_t* name) const { return m_path + L"\\" + name; }
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }

    // Writes raw bytes to a file in the folder.
    void Write(const wchar_t* name, const std::string& bytes) const;
    // Reads a file in the folder as raw bytes ("" when it is missing).
    std::string Read(const wchar_t* name) const;

private:
    std::wstring m_path;
};

// Makes a folder the current directory until the scope ends.
class CurrentDirectoryScope
{
public:
    explicit CurrentDirectoryScope(const std::wstring& folder);
    ~CurrentDirectoryScope();
    CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
    CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

private:
    wchar_t m_old[MAX_PATH];
};
