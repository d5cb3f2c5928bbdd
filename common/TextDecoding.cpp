#include "TextDecoding.h"

std::wstring DecodeCodePage(UINT codePage, const BYTE* bytes, size_t size)
{
    std::wstring text;
    if (size == 0 || size > 0x7FFFFFFF)
        return text;
    const char* chars = reinterpret_cast<const char*>(bytes);
    int n = ::MultiByteToWideChar(codePage, 0, chars, static_cast<int>(size), nullptr, 0);
    if (n > 0) {
        text.resize(static_cast<size_t>(n));
        ::MultiByteToWideChar(codePage, 0, chars, static_cast<int>(size), text.data(), n);
    }
    return text;
}

std::wstring DecodeAnsi(UINT codePage, const char* bytes, size_t size)
{
    std::wstring text;
    if (size == 0 || size > 0x7FFFFFFF)
        return text;
    // Whole text, nearly always: one conversion.
    const int whole = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(size), nullptr, 0);
    if (whole > 0) {
        text.resize(static_cast<size_t>(whole));
        ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(size), text.data(), whole);
        return text;
    }
    text.reserve(size);
    wchar_t units[4];
    for (size_t i = 0; i < size;) {
        const BYTE b = static_cast<BYTE>(bytes[i]);
        if (b < 0x80) {
            text += static_cast<wchar_t>(b);
            ++i;
            continue;
        }
        if (::IsDBCSLeadByteEx(codePage, b)) {
            const int pair = i + 1 < size ? ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes + i, 2, units, 4) : 0;
            if (pair > 0) {
                text.append(units, static_cast<size_t>(pair));
                i += 2;
            } else {
                text += kReplacementMark;
                ++i;
            }
            continue;
        }
        // A single byte the strict conversion refuses may still be a
        // character the register uses (A0, FD to FF in code page 932).
        const int single = ::MultiByteToWideChar(codePage, 0, bytes + i, 1, units, 4);
        if (single > 0)
            text.append(units, static_cast<size_t>(single));
        else
            text += kReplacementMark;
        ++i;
    }
    return text;
}

namespace {

std::wstring FromUtf16(const BYTE* bytes, size_t size, bool bigEndian)
{
    std::wstring text(size / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        BYTE a = bytes[2 * i], b = bytes[2 * i + 1];
        text[i] = static_cast<wchar_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    }
    return text;
}

// ASCII text in UTF-16LE: most odd bytes are zero, even bytes are not.
bool LooksUtf16LE(const BYTE* bytes, size_t size)
{
    if (size < 2 || size % 2)
        return false;
    size_t zeroOdd = 0, zeroEven = 0;
    for (size_t i = 0; i + 1 < size; i += 2) {
        zeroEven += bytes[i] == 0;
        zeroOdd += bytes[i + 1] == 0;
    }
    size_t units = size / 2;
    return zeroOdd * 2 > units && zeroEven * 8 < units;
}

} // namespace

bool IsUtf8WithHighBytes(const BYTE* bytes, size_t size)
{
    bool high = false;
    for (size_t i = 0; i < size && !high; ++i)
        high = bytes[i] >= 0x80;
    return high && size <= 0x7FFFFFFF
           && ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(bytes),
                                    static_cast<int>(size), nullptr, 0) > 0;
}

namespace {

// Hands each line of the units to `take`, without its end (CR LF, LF or CR
// alone); a last line without an end too, when it is not empty.
template <typename Unit, typename Take>
void SplitLines(const Unit* units, size_t size, Take take)
{
    size_t start = 0;
    for (size_t i = 0; i < size; ++i) {
        if (units[i] != '\r' && units[i] != '\n')
            continue;
        take(units + start, i - start);
        if (units[i] == '\r' && i + 1 < size && units[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        take(units + start, size - start);
}

} // namespace

std::wstring DecodeText(const BYTE* bytes, size_t size, bool guessUtf8, TextEncoding* found)
{
    TextEncoding encoding = TextEncoding::Ansi;
    std::wstring text;
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        encoding = TextEncoding::Utf16LE;
        text = FromUtf16(bytes + 2, size - 2, false);
    } else if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        encoding = TextEncoding::Utf16BE;
        text = FromUtf16(bytes + 2, size - 2, true);
    } else if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        encoding = TextEncoding::Utf8;
        text = DecodeCodePage(CP_UTF8, bytes + 3, size - 3);
    } else if (LooksUtf16LE(bytes, size)) {
        encoding = TextEncoding::Utf16LE;
        text = FromUtf16(bytes, size, false);
    } else if (guessUtf8 && IsUtf8WithHighBytes(bytes, size)) {
        encoding = TextEncoding::Utf8;
        text = DecodeCodePage(CP_UTF8, bytes, size);
    } else {
        text = DecodeCodePage(CP_ACP, bytes, size);
    }
    if (found)
        *found = encoding;
    return text;
}

std::vector<std::wstring> DecodeLines(const BYTE* bytes, size_t size, bool guessUtf8)
{
    TextEncoding encoding = TextEncoding::Ansi;
    const std::wstring text = DecodeText(bytes, size, guessUtf8, &encoding);
    std::vector<std::wstring> lines;
    if (encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE) {
        SplitLines(text.data(), text.size(), [&](const wchar_t* line, size_t n) { lines.emplace_back(line, n); });
        return lines;
    }
    const UINT codePage = encoding == TextEncoding::Utf8 ? CP_UTF8 : CP_ACP;
    const size_t mark = size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
    SplitLines(bytes + mark, size - mark, [&](const BYTE* line, size_t n) { lines.push_back(DecodeCodePage(codePage, line, n)); });
    return lines;
}
