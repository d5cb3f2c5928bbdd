#include "ProfileText.h"

#include <cwctype>

#include "AtomicFile.h"
#include "TextDecoding.h"

namespace {

constexpr size_t kProfileLimit = 16u << 20;

// Lines, names and values are read the way the profile functions read them,
// so that what they find in the file written back is what they found before.
bool IsProfileSpace(wchar_t c)
{
    return std::iswspace(c) || c == 0x1A;
}

std::wstring Trimmed(const std::wstring& s, size_t from = 0, size_t to = std::wstring::npos)
{
    if (to > s.size())
        to = s.size();
    while (from < to && IsProfileSpace(s[from]))
        ++from;
    while (to > from && IsProfileSpace(s[to - 1]))
        --to;
    return s.substr(from, to - from);
}

// A name in the file ends at its first NUL.
bool SameName(const std::wstring& inFile, const std::wstring& wanted)
{
    size_t length = inFile.find(L'\0');
    if (length == std::wstring::npos)
        length = inFile.size();
    return ::CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, inFile.c_str(), static_cast<int>(length), wanted.c_str(),
                            static_cast<int>(wanted.size())) == CSTR_EQUAL;
}

// The name of a "[name]" line (up to its last "]", blanks around it
// dropped), or false; a "[" line without "]" is a key line.
bool SectionName(const std::wstring& line, std::wstring& name)
{
    std::wstring t = Trimmed(line);
    size_t close = t.rfind(L']');
    if (t.empty() || t.front() != L'[' || close == std::wstring::npos)
        return false;
    name = Trimmed(t, 1, close);
    return true;
}

} // namespace

bool ProfileText::Load(const CString& path)
{
    m_lines.clear();
    std::vector<BYTE> bytes;
    switch (AtomicFile::Read(path, bytes, kProfileLimit)) {
    case AtomicFile::ReadResult::Missing:
        return true;
    case AtomicFile::ReadResult::Failed:
        return false;
    case AtomicFile::ReadResult::Ok:
        break;
    }
    std::wstring text = DecodeText(bytes.data(), bytes.size(), true);
    // Lines end in CR LF, LF or CR alone.
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos)
            end = text.size();
        m_lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
    }
    return true;
}

size_t ProfileText::FindSection(const std::wstring& section) const
{
    std::wstring name;
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (SectionName(m_lines[i], name) && SameName(name, section))
            return i;
    return std::wstring::npos;
}

size_t ProfileText::FindKey(size_t header, const std::wstring& key, size_t& end) const
{
    size_t found = std::wstring::npos;
    std::wstring name;
    end = header + 1;
    for (size_t i = header + 1; i < m_lines.size() && !SectionName(m_lines[i], name); ++i) {
        const std::wstring& line = m_lines[i];
        if (!Trimmed(line).empty())
            end = i + 1;
        // A line without "=" is a key without a value, as the profile
        // functions read it.
        size_t eq = line.find(L'=');
        if (found == std::wstring::npos && SameName(Trimmed(line, 0, eq), key))
            found = i;
    }
    return found;
}

void ProfileText::Set(const wchar_t* section, const wchar_t* key, const CString& value)
{
    std::wstring line = std::wstring(key) + L"=" + value.GetString();
    size_t header = FindSection(section);
    if (header == std::wstring::npos) {
        if (!m_lines.empty() && !Trimmed(m_lines.back()).empty())
            m_lines.emplace_back();
        m_lines.push_back(std::wstring(L"[") + section + L"]");
        m_lines.push_back(line);
        return;
    }
    size_t end = 0;
    size_t at = FindKey(header, key, end);
    if (at != std::wstring::npos)
        m_lines[at] = line;
    else
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(end), line);
}

bool ProfileText::Save(const CString& path) const
{
    std::wstring text(1, static_cast<wchar_t>(0xFEFF));
    for (const std::wstring& line : m_lines)
        text += line + L"\r\n";
    bool ok = AtomicFile::Write(path, text.data(), text.size() * sizeof(wchar_t));
    DWORD error = ::GetLastError();
    // The profile functions may hold the old file in their cache.
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path);
    ::SetLastError(error);
    return ok;
}
