#include "ProfileText.h"

#include <cwctype>

#include "AtomicFile.h"
#include "TextDecoding.h"

namespace {

constexpr size_t kProfileLimit = 16u << 20;

std::wstring Trimmed(const std::wstring& s, size_t from = 0, size_t to = std::wstring::npos)
{
    if (to > s.size())
        to = s.size();
    while (from < to && std::iswspace(s[from]))
        ++from;
    while (to > from && std::iswspace(s[to - 1]))
        --to;
    return s.substr(from, to - from);
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                            static_cast<int>(b.size())) == CSTR_EQUAL;
}

// The name of a "[name]" line, or false.
bool SectionName(const std::wstring& line, std::wstring& name)
{
    std::wstring t = Trimmed(line);
    if (t.size() < 2 || t.front() != L'[')
        return false;
    size_t close = t.find(L']');
    if (close == std::wstring::npos)
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
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != L'\r' && text[i] != L'\n')
            continue;
        m_lines.push_back(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i] == L'\r' && text[i + 1] == L'\n')
            ++i;
        start = i + 1;
    }
    if (!m_lines.empty() && m_lines.back().empty())
        m_lines.pop_back();
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
        size_t eq = line.find(L'=');
        if (found == std::wstring::npos && eq != std::wstring::npos && SameName(Trimmed(line, 0, eq), key))
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
