#pragma once

#include <string>
#include <vector>

#include "afx.h"

// A private-profile file ("[section]" lines and "key=value" lines) edited as
// a whole: read into memory, changed there, written back through AtomicFile
// as UTF-16LE with a byte-order mark. The file keeps its lines, comments and
// order; a failed write leaves the old file whole. Readers may go on using
// the profile functions: Save drops their cached copy of the file.
class ProfileText
{
public:
    // Reads the file, whatever its encoding (see DecodeText). A missing file
    // gives an empty profile; false when the file exists but cannot be read,
    // which must not be written over.
    bool Load(const CString& path);
    // Sets the value of the key, adding the key (and the section) at the end
    // of the section when missing. Names compare without regard to case.
    void Set(const wchar_t* section, const wchar_t* key, const CString& value);
    // False (GetLastError() says why) when the file could not be written.
    bool Save(const CString& path) const;

private:
    // The line of "[section]", or npos.
    size_t FindSection(const std::wstring& section) const;
    // The line of the key within the section starting after `header`, or npos;
    // `end` is where the section's last non-blank line ends.
    size_t FindKey(size_t header, const std::wstring& key, size_t& end) const;

    std::vector<std::wstring> m_lines;
};
