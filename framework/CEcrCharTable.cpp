#include "CEcrCharTable.h"

#include <string>

#include "AtomicFile.h"
#include "TextDecoding.h"

namespace {

constexpr int MaxLineLength = 1023;  // a line buffer of 1024 with its terminator

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

}  // namespace

// Both maps keep the framework's 17 buckets.
CEcrCharTable::CEcrCharTable() = default;

UINT CEcrCharTable::ThreadCodePage()
{
    // Every register text shown asks: look the locale up only when it changed.
    thread_local LCID known = 0;
    thread_local UINT knownCodePage = 0;
    const LCID locale = ::GetThreadLocale();
    if (locale == known && knownCodePage)
        return knownCodePage;
    UINT codePage = 0;
    if (!::GetLocaleInfoW(locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                          reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(wchar_t)) ||
        codePage == 0)
        codePage = ::GetACP();
    known = locale;
    knownCodePage = codePage;
    return codePage;
}

void CEcrCharTable::Clear()
{
    m_byteMap.RemoveAll();
    m_charMap.RemoveAll();
}

BOOL CEcrCharTable::ParseLine(const CString& line, wchar_t& ch, BYTE& byte)
{
    if (line.GetLength() >= 2 && line[0] == L'/' && line[1] == L'/')
        return FALSE;
    int eq = line.ReverseFind(L'=');
    if (eq < 0)
        return FALSE;
    CString left = line.Left(eq);
    CString right = line.Mid(eq + 1);
    left.Trim();
    right.Trim();
    if (left.IsEmpty() || IS_HIGH_SURROGATE(left[0]) || IS_LOW_SURROGATE(left[0]) || left[0] == 0)
        return FALSE;

    int i = 0;
    if (right.GetLength() > 2 && right[0] == L'0' && (right[1] == L'x' || right[1] == L'X'))
        i = 2;
    if (i >= right.GetLength())
        return FALSE;
    unsigned value = 0;
    for (; i < right.GetLength(); ++i) {
        int d = HexDigit(right[i]);
        if (d < 0)
            return FALSE;
        value = (value << 4 | d) & 0xFF;  // only the low 8 bits count
    }
    if (value == 0)
        return FALSE;  // a NUL would end register text

    ch = left[0];
    byte = static_cast<BYTE>(value);
    return TRUE;
}

void CEcrCharTable::AddLines(const CString& text)
{
    const wchar_t* p = text.GetString();
    const int n = text.GetLength();
    int start = 0;
    while (start < n) {
        int end = start;
        while (end < n && p[end] != L'\r' && p[end] != L'\n')
            ++end;
        int length = end - start;
        if (length > MaxLineLength)
            length = MaxLineLength;
        wchar_t ch, knownChar;
        BYTE byte, knownByte;
        // The first line naming a character or a byte wins both ways: a later
        // one would turn stored bytes into another character, or typed text
        // into other bytes, and each store would drift further.
        if (ParseLine(CString(p + start, length), ch, byte) && !m_byteMap.Lookup(byte, knownChar) &&
            !m_charMap.Lookup(ch, knownByte)) {
            m_byteMap[byte] = ch;
            m_charMap[ch] = byte;
        }
        if (end < n && p[end] == L'\r' && end + 1 < n && p[end + 1] == L'\n')
            ++end;
        start = end + 1;
    }
}

BOOL CEcrCharTable::Load(const wchar_t* path)
{
    Clear();
    HANDLE file = AtomicFile::OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(file, &size) || size.QuadPart > 64 * 1024 * 1024) {
        ::CloseHandle(file);
        return FALSE;
    }
    CStringA bytes;
    DWORD got = 0;
    BOOL read = ::ReadFile(file, bytes.GetBufferSetLength(static_cast<int>(size.QuadPart)),
                           static_cast<DWORD>(size.QuadPart), &got, nullptr);
    ::CloseHandle(file);
    if (!read)
        return FALSE;
    bytes.ReleaseBuffer(static_cast<int>(got));

    const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes.GetString());
    const int n = bytes.GetLength();
    CString text;
    if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        int count = ::MultiByteToWideChar(CP_UTF8, 0, bytes.GetString() + 3, n - 3, nullptr, 0);
        if (count > 0)
            ::MultiByteToWideChar(CP_UTF8, 0, bytes.GetString() + 3, n - 3, text.GetBufferSetLength(count), count);
    } else {
        bool hasZero = false;
        for (int i = 0; i < n && !hasZero; ++i)
            hasZero = b[i] == 0;
        bool bom = n >= 2 && b[0] == 0xFF && b[1] == 0xFE;
        if (bom || hasZero) {
            int first = bom ? 2 : 0;
            int units = (n - first) / 2;
            wchar_t* w = text.GetBufferSetLength(units);
            for (int i = 0; i < units; ++i)
                w[i] = static_cast<wchar_t>(b[first + 2 * i] | b[first + 2 * i + 1] << 8);
        } else {
            int count = ::MultiByteToWideChar(CP_UTF8, 0, bytes.GetString(), n, nullptr, 0);
            if (count > 0)
                ::MultiByteToWideChar(CP_UTF8, 0, bytes.GetString(), n, text.GetBufferSetLength(count), count);
        }
    }
    AddLines(text);
    return TRUE;
}

void CEcrCharTable::EcrToUnicode(const CStringA& bytes, CStringW& text) const
{
    const UINT codePage = ThreadCodePage();
    const char* p = bytes.GetString();
    const int n = bytes.GetLength();
    text.Empty();
    if (m_byteMap.IsEmpty()) {
        const std::wstring decoded = DecodeAnsi(codePage, p, static_cast<size_t>(n > 0 ? n : 0));
        text = CStringW(decoded.data(), static_cast<int>(decoded.size()));
        return;
    }
    // Gathered first and handed over once: a grid shows thousands of these.
    std::wstring decoded;
    decoded.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const BYTE b = static_cast<BYTE>(p[i]);
        wchar_t ch;
        if (m_byteMap.Lookup(b, ch)) {
            decoded += ch;
            continue;
        }
        // An unmapped byte starts a character of the code page, which may
        // take the bytes after it, mapped or not.
        i += static_cast<int>(AppendAnsiCharacter(codePage, p + i, static_cast<size_t>(n - i), decoded)) - 1;
    }
    text = CStringW(decoded.data(), static_cast<int>(decoded.size()));
}

void CEcrCharTable::UnicodeToEcr(const CStringW& text, CStringA& bytes) const
{
    const UINT codePage = ThreadCodePage();
    const wchar_t* p = text.GetString();
    const int n = text.GetLength();
    bytes.Empty();
    if (m_charMap.IsEmpty()) {
        if (n > 0) {
            int count = ::WideCharToMultiByte(codePage, 0, p, n, nullptr, 0, nullptr, nullptr);
            if (count > 0)
                ::WideCharToMultiByte(codePage, 0, p, n, bytes.GetBufferSetLength(count), count, nullptr, nullptr);
        }
        return;
    }
    for (int i = 0; i < n; ++i) {
        BYTE b;
        if (m_charMap.Lookup(p[i], b)) {
            bytes += static_cast<char>(b);
            continue;
        }
        int units = IS_HIGH_SURROGATE(p[i]) && i + 1 < n && IS_LOW_SURROGATE(p[i + 1]) ? 2 : 1;
        char buf[16];
        int got = ::WideCharToMultiByte(codePage, 0, p + i, units, buf, sizeof buf, nullptr, nullptr);
        wchar_t taken;
        if (got == 2 && ::IsDBCSLeadByteEx(codePage, static_cast<BYTE>(buf[0])) &&
            m_byteMap.Lookup(static_cast<BYTE>(buf[0]), taken)) {
            // The register reads this lead byte as a character of its own, so
            // the pair would come back as two other characters: store the code
            // page's default character instead.
            CPINFO info = {};
            got = 0;
            if (::GetCPInfo(codePage, &info))
                for (; got < MAX_DEFAULTCHAR && info.DefaultChar[got]; ++got)
                    buf[got] = static_cast<char>(info.DefaultChar[got]);
        }
        if (got > 0)
            bytes += CStringA(buf, got);
        i += units - 1;
    }
}
